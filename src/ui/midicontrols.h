// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "midi/midikeyboards.h"
#include "session/session.h"

class QMenu;
class QMainWindow;

namespace merin::ui {

// The window's MIDI keyboards: every input port is listened to, but those the user unchecked in
// 編集 › MIDI 入力 (kept in the settings); new ports are looked for once a second. A message's
// bytes reach the window's thread by a queued call and go to the session through `act`; the keys
// it presses are shown down until let go of, and a note moved into range is said once in the
// window's note. Without a MIDI system the menu says why, once, and the window goes on.
class MidiControls : public QObject {
  Q_OBJECT

 public:
  using Act =
      std::function<session::Outcome(const std::function<session::Outcome(session::Session&)>&)>;
  // Shows a note for a while; takes no focus.
  using Note = std::function<void(const QString& text)>;

  // Adds the MIDI 入力 menu to `menu` of `window`.
  MidiControls(QMainWindow* window, QMenu* menu, Act act, Note note);
  ~MidiControls() override;

  // How often new ports are looked for, in milliseconds.
  static constexpr int kScanMs = 1000;

 private:
  void scan();
  void fillMenu();
  void take(const std::vector<uint8_t>& bytes, qint64 ms);
  void show(const session::Outcome& outcome);

  QMainWindow* window_;
  QMenu* menu_;
  Act act_;
  Note note_;
  std::unique_ptr<midi::MidiKeyboards> keyboards_;
  QString unavailable_;  // why there is no MIDI, when there is none
  std::set<std::string> leftOut_;
  QTimer timer_;
};

}  // namespace merin::ui
