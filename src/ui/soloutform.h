// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include "output/resultview.h"

class QPlainTextEdit;

namespace merin::ui {

// The result window: one editable, multi-line text box with a vertical scroll bar.
class SoloutForm : public QWidget, public ResultView {
  Q_OBJECT

 public:
  // A hidden, empty result window of its laid-out size, with no owner.
  SoloutForm();

  // The text with CR LF line ends.
  std::string Text() const override;
  void SetText(const std::string& text) override;
  // Shows the window application-modal and runs a local event loop until it is closed.
  void ShowModal() override;

  // The text box.
  QPlainTextEdit* Text1() const { return text1_; }

 signals:
  // The user closed the window.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QPlainTextEdit* text1_;
};

}  // namespace merin::ui
