// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <optional>
#include <string_view>

namespace merin::ui {

// A staff cell: a picture at its own pixel size from the top-left corner, an optional one-pixel
// frame, and mouse presses reported in pixels from the cell's corner.
//
// While the pointer is over the cell, a ghost shows the note a left click at the pointer's height
// would write (the sharp one while Shift alone is held): a pale copy of its note drawn over the
// picture and its pitch name small at the top. A button press, leaving the cell or
// setGhostAllowed(false) hides it; it never changes the picture.
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

  // Whether the ghost may be shown (not while the melody is played).
  void setGhostAllowed(bool allowed);
  // The note code the ghost shows; empty when none is shown.
  std::string_view ghostCode() const { return ghost_; }

 signals:
  // A mouse button went down at `position`, in pixels from the cell's top-left corner.
  void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  // Watches Shift going down and up anywhere in the program while the pointer is over the cell.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The ghost for the pointer at height `y` (none: hidden) with `modifiers` held.
  void showGhost(std::optional<double> y, Qt::KeyboardModifiers modifiers);

  QImage picture_;
  // The picture converted once for the screen.
  QPixmap shown_;
  bool bordered_ = false;
  bool ghostAllowed_ = true;
  std::optional<double> pointerY_;
  std::string_view ghost_;
};

}  // namespace merin::ui
