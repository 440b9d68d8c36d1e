// SPDX-License-Identifier: MIT
#include "ui/positionmarker.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace merin::ui {

PositionMarker::PositionMarker(QWidget* parent) : QWidget(parent) {}

void PositionMarker::setColour(const QColor& colour) {
  colour_ = colour;
  update();
}

void PositionMarker::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), colour_);
  if (hasFocus()) {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void PositionMarker::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit clicked();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void PositionMarker::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
}

void PositionMarker::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) emit clicked();
}

}  // namespace merin::ui
