// SPDX-License-Identifier: MIT
#include "ui/staffcell.h"

#include <QMouseEvent>
#include <QPainter>

namespace merin::ui {

StaffCell::StaffCell(QWidget* parent) : QWidget(parent) {}

void StaffCell::setPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void StaffCell::setBordered(bool bordered) {
  bordered_ = bordered;
  repaint();
}

void StaffCell::setColours(const QColor& background, const QColor& foreground) {
  QPalette p = palette();
  p.setColor(QPalette::Window, background);
  p.setColor(QPalette::WindowText, foreground);
  setPalette(p);
  update();
}

void StaffCell::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  painter.drawImage(QPoint(0, 0), picture_);
  if (bordered_) {
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void StaffCell::mousePressEvent(QMouseEvent* event) {
  emit mouseDown(event->button(), event->modifiers(), event->position());
}

}  // namespace merin::ui
