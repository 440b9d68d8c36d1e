// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QWidget>

namespace merin::ui {

// A slot marker: a small area of one colour that reports left clicks, and Space or Enter while
// it has the focus.
class PositionMarker : public QWidget {
  Q_OBJECT

 public:
  explicit PositionMarker(QWidget* parent);

  // Fills the marker with `colour`.
  void setColour(const QColor& colour);
  // The colour set last.
  const QColor& colour() const { return colour_; }

 signals:
  // Pressed and released with the left button over the marker, or Space or Enter pressed.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QColor colour_;
  bool pressed_ = false;
};

}  // namespace merin::ui
