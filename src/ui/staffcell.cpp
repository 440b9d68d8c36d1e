#include "ui/staffcell.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/colours.h"

namespace merin::ui {

StaffCell::StaffCell(int16_t index, QWidget* parent) : QWidget(parent), index_(index) {}

void StaffCell::setPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void StaffCell::setBorderStyle(int32_t style) {
  borderStyle_ = style;
  repaint();
}

void StaffCell::setColours(uint32_t background, uint32_t foreground) {
  QPalette p = palette();
  p.setColor(QPalette::Window, ColourOf(background));
  p.setColor(QPalette::WindowText, ColourOf(foreground));
  setPalette(p);
  update();
}

void StaffCell::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  painter.drawImage(QPoint(0, 0), picture_);
  if (borderStyle_ == 1) {
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void StaffCell::mousePressEvent(QMouseEvent* event) {
  int16_t button = 0;
  switch (event->button()) {
    case Qt::LeftButton:
      button = 1;
      break;
    case Qt::RightButton:
      button = 2;
      break;
    case Qt::MiddleButton:
      button = 4;
      break;
    default:
      return;
  }
  const Qt::KeyboardModifiers m = event->modifiers();
  const int16_t shift = int16_t((m & Qt::ShiftModifier ? 1 : 0) |
                                (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0));
  const QPointF at = event->position();
  emit mouseDown(index_, button, shift, float(at.x()), float(at.y()));
}

}  // namespace merin::ui
