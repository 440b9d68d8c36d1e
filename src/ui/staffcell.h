// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QWidget>

namespace merin::ui {

// A staff cell: a picture at its own pixel size from the top-left corner, an optional one-pixel
// frame, and mouse presses reported in pixels from the cell's corner.
class StaffCell : public QWidget {
  Q_OBJECT

 public:
  explicit StaffCell(QWidget* parent);

  // Replaces the picture shown.
  void setPicture(const QImage& picture);
  // The picture shown now.
  const QImage& picture() const { return picture_; }
  // Draws or removes a one-pixel frame in the foreground colour; painted at once.
  void setBordered(bool bordered);
  bool isBordered() const { return bordered_; }
  // Background behind the picture and colour of the frame.
  void setColours(const QColor& background, const QColor& foreground);

 signals:
  // A mouse button went down at `position`, in pixels from the cell's top-left corner.
  void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
  bool bordered_ = false;
};

}  // namespace merin::ui
