// SPDX-License-Identifier: MIT
#include "ui/testplaysound.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <thread>

namespace merin::ui {

TestPlaySound::TestPlaySound(SoundDevice& device, QWidget* window)
    : QObject(window), device_(device), window_(window) {}

void TestPlaySound::run(
    const std::function<void(SoundDevice&, const std::function<bool()>&)>& play) {
  if (playing_) return;
  const QScopedValueRollback playing(playing_, true);
  stopRequested_ = false;
  closeAsked_ = false;
  qApp->installEventFilter(this);
  play(*this, [this] { return stopRequested_; });
  qApp->removeEventFilter(this);
  for (auto& [receiver, event] : std::exchange(held_, {})) {
    if (receiver) QCoreApplication::postEvent(receiver, event.release());
  }
  if (closeAsked_) QTimer::singleShot(0, window_, &QWidget::close);
}

void TestPlaySound::hold(QObject* receiver, const QEvent& event) {
  held_.emplace_back(receiver, std::unique_ptr<QEvent>(event.clone()));
}

void TestPlaySound::PlayWave(const std::string& path) {
  std::atomic<bool> played{false};
  QEventLoop loop;
  std::thread player([&] {
    device_.PlayWave(path);
    played = true;
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();
  // The loop also ends when the program is asked to end (SIGTERM): test play stops then.
  if (!played) requestStop();
  player.join();
}

void TestPlaySound::requestStop() {
  stopRequested_ = true;
  device_.Stop();
}

void TestPlaySound::stopAndDrop() {
  requestStop();
  held_.clear();
}

bool TestPlaySound::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:  // asked before a key press: the key is held as a shortcut
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) stopAndDrop();
      return true;
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        stopAndDrop();
        return true;
      }
      [[fallthrough]];
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
      hold(watched, *event);
      return true;
    case QEvent::Close:
      if (watched != window_) return false;
      requestStop();
      closeAsked_ = true;
      event->ignore();
      return true;
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

}  // namespace merin::ui
