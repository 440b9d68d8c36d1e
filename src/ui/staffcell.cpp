// SPDX-License-Identifier: MIT
#include "ui/staffcell.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <map>
#include <string>

#include "art/pictures.h"
#include "core/pitch.h"
#include "entry/staff.h"
#include "session/session.h"
#include "ui/handlerarguments.h"

namespace merin::ui {
namespace {

// The ghost of note `code`: the note's own strokes (not the staff lines) in a pale, half
// transparent blue, made once per code.
const QImage& GhostPicture(std::string_view code) {
  static std::map<std::string, QImage, std::less<>> ghosts;
  auto found = ghosts.find(code);
  if (found != ghosts.end()) return found->second;
  const QImage note = art::NotePicture(code);
  const QImage staff = art::StaffPicture();
  QImage ghost(note.size(), QImage::Format_ARGB32_Premultiplied);
  ghost.fill(Qt::transparent);
  const QRgb pale = qPremultiply(qRgba(70, 110, 200, 110));
  for (int y = 0; y < note.height(); ++y) {
    for (int x = 0; x < note.width(); ++x) {
      if (note.pixelIndex(x, y) != staff.pixelIndex(x, y)) ghost.setPixel(x, y, pale);
    }
  }
  return ghosts.emplace(std::string(code), ghost).first->second;
}

}  // namespace

StaffCell::StaffCell(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void StaffCell::setPicture(const QImage& picture) {
  picture_ = picture;
  shown_ = QPixmap::fromImage(picture);
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

void StaffCell::setGhostAllowed(bool allowed) {
  ghostAllowed_ = allowed;
  showGhost(pointerY_, QApplication::keyboardModifiers());
}

void StaffCell::showGhost(std::optional<double> y, Qt::KeyboardModifiers modifiers) {
  pointerY_ = y;
  std::string_view ghost;
  if (y && ghostAllowed_)
    ghost = session::Session::WouldWrite(float(*y), ShiftArgument(modifiers) == kShiftMask);
  if (ghost == ghost_) return;
  ghost_ = ghost;
  update();
}

void StaffCell::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  painter.drawPixmap(QPoint(0, 0), shown_);
  if (!ghost_.empty()) {
    painter.drawImage(QPoint(0, 0), GhostPicture(ghost_));
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(QColor(40, 80, 170));
    painter.drawText(QRect(0, 1, width(), 11), Qt::AlignCenter,
                     QString::fromStdString(Pitch::FromCode(ghost_)->Name()));
  }
  if (bordered_) {
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  // Reached by Tab, for a screen reader: a dotted frame inside the border.
  if (hasFocus()) {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
  }
}

void StaffCell::mousePressEvent(QMouseEvent* event) {
  showGhost(std::nullopt, event->modifiers());
  emit mouseDown(event->button(), event->modifiers(), event->position());
}

void StaffCell::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() != Qt::NoButton) return;
  showGhost(event->position().y(), event->modifiers());
}

void StaffCell::enterEvent(QEnterEvent* event) {
  qApp->installEventFilter(this);
  if (QApplication::mouseButtons() == Qt::NoButton) {
    showGhost(event->position().y(), QApplication::keyboardModifiers());
  }
}

void StaffCell::leaveEvent(QEvent*) {
  qApp->removeEventFilter(this);
  showGhost(std::nullopt, {});
}

bool StaffCell::eventFilter(QObject*, QEvent* event) {
  const bool press = event->type() == QEvent::KeyPress;
  if ((press || event->type() == QEvent::KeyRelease) && pointerY_) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    Qt::KeyboardModifiers modifiers = key->modifiers();
    // Whether a Shift key's own event counts Shift differs between platforms.
    if (key->key() == Qt::Key_Shift) modifiers.setFlag(Qt::ShiftModifier, press);
    showGhost(pointerY_, modifiers);
  }
  return false;
}

}  // namespace merin::ui
