// SPDX-License-Identifier: MIT
#include "ui/pianokeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>
#include <QWindow>

namespace merin::ui {

QAbstractButton* ButtonOfKey(const QWidget* window, PianoKey key) {
  const QString name = key.kind == PianoKey::Kind::White   ? "ken" + QString::number(key.index)
                       : key.kind == PianoKey::Kind::Black ? "bkey" + QString::number(key.index)
                                                           : QStringLiteral("PedalSW");
  return window->findChild<QAbstractButton*>(name);
}

PianoKeys::PianoKeys(QWidget* window, ButtonOf buttonOf, Enter enter)
    : QObject(window),
      window_(window),
      scanCodeOffset_(scanCodeOffset(QGuiApplication::platformName())),
      buttonOf_(std::move(buttonOf)),
      enter_(std::move(enter)) {
  qApp->installEventFilter(this);
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { releaseAll(); });
}

PianoKeys::~PianoKeys() { qApp->removeEventFilter(this); }

std::optional<uint32_t> PianoKeys::scanCodeOffset(const QString& platform) {
  if (platform == "xcb" || platform.startsWith("wayland")) return 8;
  if (platform == "windows") return 0;
  return std::nullopt;
}

std::optional<PianoKey> PianoKeys::keyOf(const QKeyEvent& event, std::optional<uint32_t> offset) {
  // Shift, Ctrl, Alt and Meta leave the key to shortcuts; the keypad's digits are other keys.
  if (event.modifiers() != Qt::NoModifier) return std::nullopt;
  if (offset && event.nativeScanCode() > *offset) {
    const std::optional<char> usKey = UsKeyOfScanCode(event.nativeScanCode() - *offset);
    return usKey ? PianoKeyAt(*usKey) : std::nullopt;
  }
  const int key = event.key();
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
    return PianoKeyAt(char(key));
  }
  return std::nullopt;
}

bool PianoKeys::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
  // The filter sees every key event of the program, once for each widget it travels through.
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != window_ || qobject_cast<QMenuBar*>(widget) ||
      QApplication::activePopupWidget() != nullptr) {
    return false;
  }
  const auto& key = static_cast<const QKeyEvent&>(*event);
  return type == QEvent::KeyPress ? press(key) : release(key);
}

uint64_t PianoKeys::identityOf(const QKeyEvent& event) {
  return event.nativeScanCode() != 0 ? event.nativeScanCode() : uint64_t(event.key()) << 32;
}

bool PianoKeys::press(const QKeyEvent& event) {
  const std::optional<PianoKey> key = keyOf(event, scanCodeOffset_);
  if (!key) return false;
  const uint64_t identity = identityOf(event);
  if (event.isAutoRepeat() || held_.count(identity)) return true;
  // X11 repeats a held key as a release and a press with the same timestamp, which Qt marks as
  // repeats only when both have arrived by the time it reads the release. No keyboard repeats
  // sooner than its repeat delay, and a key typed again by a program may come at the same time.
  constexpr uint64_t kShortestRepeatDelay = 100;
  if (event.timestamp() != 0 && released_.identity == identity &&
      released_.at == event.timestamp() &&
      released_.at - released_.held.since >= kShortestRepeatDelay) {
    held_[identity] = released_.held;
    if (released_.held.button) released_.held.button->setDown(true);
    return true;
  }
  QAbstractButton* button = buttonOf_(*key);
  held_[identity] = {button, event.timestamp()};
  if (button) button->setDown(true);
  enter_(*key);
  return true;
}

bool PianoKeys::release(const QKeyEvent& event) {
  const auto held = held_.find(identityOf(event));
  if (held == held_.end()) return false;
  // A repeat that the platform recognised as one: the key stays down.
  if (event.isAutoRepeat()) return true;
  if (held->second.button) held->second.button->setDown(false);
  released_ = {held->first, event.timestamp(), held->second};
  held_.erase(held);
  return true;
}

void PianoKeys::releaseAll() {
  for (auto& [identity, held] : held_) {
    if (held.button) held.button->setDown(false);
  }
  held_.clear();
  released_ = {};
}

}  // namespace merin::ui
