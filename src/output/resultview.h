// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace merin {

// What the conversion needs of the result window.
class ResultView {
 public:
  virtual ~ResultView() = default;
  virtual std::string Text() const = 0;
  // Replaces the whole text; CR LF pairs are line breaks.
  virtual void SetText(const std::string& text) = 0;
  // Shows the window application-modal and returns when the user has closed it.
  virtual void ShowModal() = 0;
};

// Hands out the one result window: created hidden on first use, the same one afterwards.
class ResultWindowProvider {
 public:
  virtual ~ResultWindowProvider() = default;
  virtual ResultView& ObtainResultWindow() = 0;
};

}  // namespace merin
