// SPDX-License-Identifier: MIT
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/sounddevice.h"

class QWidget;

namespace merin::ui {

// The sound device as the window's test play uses it: each sound plays on a thread of its own
// while the window's events go on, so that Escape can stop test play. Every other key and click
// waits until test play is over and then arrives, as it did when test play held the window;
// Escape drops those that wait. A drop is refused meanwhile, and closing the main window waits
// until test play stopped.
class TestPlaySound : public QObject, public SoundDevice {
  Q_OBJECT

 public:
  // Plays through `device`; `window` is the main window, closed once test play is over when
  // that was asked for meanwhile.
  TestPlaySound(SoundDevice& device, QWidget* window);

  // Runs `play`, which plays through this device and asks `stopRequested` before each sound.
  void run(const std::function<void(SoundDevice& sound,
                                    const std::function<bool()>& stopRequested)>& play);
  // Plays `path` on a thread while the window's events go on; returns when it was played or
  // stopped.
  void PlayWave(const std::string& path) override;
  // Whether test play runs now.
  bool playing() const { return playing_; }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void requestStop();
  // Escape: test play stops, and the keys and clicks held so far are dropped.
  void stopAndDrop();
  // Holds `event` for `receiver` until test play is over.
  void hold(QObject* receiver, const QEvent& event);

  SoundDevice& device_;
  QWidget* window_;
  bool playing_ = false;
  bool stopRequested_ = false;
  bool closeAsked_ = false;
  std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
};

}  // namespace merin::ui
