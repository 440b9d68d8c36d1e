// SPDX-License-Identifier: MIT
#include "ui/positionmarker.h"

#include <QMouseEvent>
#include <QPainter>

namespace merin::ui {

PositionMarker::PositionMarker(QWidget* parent) : QWidget(parent) {}

void PositionMarker::setColour(const QColor& colour) {
  colour_ = colour;
  update();
}

void PositionMarker::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), colour_); }

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
