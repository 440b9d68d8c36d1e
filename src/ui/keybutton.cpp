// SPDX-License-Identifier: MIT
#include "ui/keybutton.h"

#include <QPainter>

namespace merin::ui {

// Converted once: a palettised face would be converted on every paint, twice a click.
KeyButton::KeyButton(const QImage& face, QWidget* parent)
    : QAbstractButton(parent), face_(face.convertToFormat(QImage::Format_ARGB32_Premultiplied)) {}

void KeyButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), face_);
  const QRect r = rect().adjusted(0, 0, -1, -1);
  const bool down = isDown();
  // Held down, by the mouse or by its computer key, the key is tinted blue, so that a player
  // sees which key sounds.
  if (down) painter.fillRect(rect(), QColor(40, 100, 220, 110));
  painter.setPen(down ? QColor(64, 64, 64) : QColor(160, 160, 160));
  painter.drawLine(r.topLeft(), r.topRight());
  painter.drawLine(r.topLeft(), r.bottomLeft());
  painter.setPen(down ? QColor(160, 160, 160) : QColor(64, 64, 64));
  painter.drawLine(r.bottomLeft(), r.bottomRight());
  painter.drawLine(r.topRight(), r.bottomRight());
  if (hasFocus()) {
    painter.setPen(QPen(QColor(128, 128, 128), 0, Qt::DotLine));
    painter.drawRect(r.adjusted(3, 3, -3, -3));
  }
}

}  // namespace merin::ui
