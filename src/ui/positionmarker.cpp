#include "ui/positionmarker.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/colours.h"

namespace merin::ui {

PositionMarker::PositionMarker(int16_t index, QWidget* parent) : QWidget(parent), index_(index) {}

void PositionMarker::setColour(uint32_t colour) {
  colour_ = colour;
  update();
}

void PositionMarker::paintEvent(QPaintEvent*) {
  QPainter(this).fillRect(rect(), ColourOf(colour_));
}

void PositionMarker::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
}

void PositionMarker::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) emit clicked(index_);
}

}  // namespace merin::ui
