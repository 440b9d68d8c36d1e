// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QImage>

namespace merin::ui {

// A keyboard key: a graphical button whose face is a one-colour picture, without caption, with a
// thin edge so neighbouring keys stand apart.
class KeyButton : public QAbstractButton {
  Q_OBJECT

 public:
  // A key showing `face` from its top-left corner, clipped to the key.
  KeyButton(const QImage& face, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage face_;
};

}  // namespace merin::ui
