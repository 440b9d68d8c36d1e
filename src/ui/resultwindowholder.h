// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

#include "output/resultview.h"

namespace merin::ui {

class SoloutForm;

// Hands out the one result window: created hidden, without owner, on first use; the same one
// afterwards; destroyed with the holder.
class ResultWindowHolder : public ResultWindowProvider {
 public:
  ResultWindowHolder();
  ~ResultWindowHolder() override;

  ResultView& ObtainResultWindow() override;

 private:
  std::unique_ptr<SoloutForm> form_;
};

}  // namespace merin::ui
