#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>

namespace merin::ui {

// A staff cell: a picture at its own pixel size from the top-left corner, an optional one-pixel
// frame, and mouse presses reported in pixels from the cell's corner.
class StaffCell : public QWidget {
  Q_OBJECT

 public:
  // A cell for slot `index`; its mouse presses carry that index.
  StaffCell(int16_t index, QWidget* parent);

  // Replaces the picture shown.
  void setPicture(const QImage& picture);
  // The picture shown now.
  const QImage& picture() const { return picture_; }
  // 0: flat, no border; 1: a single one-pixel frame. Painted at once.
  void setBorderStyle(int32_t style);
  // The border style set last.
  int32_t borderStyle() const { return borderStyle_; }
  // Background and foreground as layout colour values.
  void setColours(uint32_t background, uint32_t foreground);

 signals:
  // A mouse button went down. Button: left 1, right 2, middle 4; Shift: Shift 1, Ctrl 2, Alt 4.
  void mouseDown(int16_t Index, int16_t Button, int16_t Shift, float X, float Y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int16_t index_;
  QImage picture_;
  int32_t borderStyle_ = 0;
};

}  // namespace merin::ui
