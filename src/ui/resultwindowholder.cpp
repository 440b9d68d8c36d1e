// SPDX-License-Identifier: MIT
#include "ui/resultwindowholder.h"

#include "ui/soloutform.h"

namespace merin::ui {

ResultWindowHolder::ResultWindowHolder() = default;

ResultWindowHolder::~ResultWindowHolder() = default;

ResultView& ResultWindowHolder::ObtainResultWindow() {
  if (!form_) form_ = std::make_unique<SoloutForm>();
  return *form_;
}

}  // namespace merin::ui
