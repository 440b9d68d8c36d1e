// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "entry/pianolayout.h"

class QAbstractButton;
class QKeyEvent;
class QWidget;

namespace merin::ui {

// The on-screen button of `key` in `window`: ken0..ken13, bkey0..bkey9 or PedalSW.
QAbstractButton* ButtonOfKey(const QWidget* window, PianoKey key);

// The letter and digit rows of the computer keyboard as a piano for one window. A key press
// whose physical key plays (see PianoKeyAt) enters its note once, however long the key is held,
// and the on-screen key stays down until the key is let go. Only plain presses count, only while
// a widget of the window has the keyboard and no menu is open: Space, Enter, Tab and every key
// with Alt or Ctrl keep doing what they did.
//
// The physical key is read from the native scan code where the platform gives one that is known
// (X11 and Wayland: the evdev code plus 8; Windows: the scan code); elsewhere, and for synthetic
// events with no scan code, from the key as a US layout names it.
class PianoKeys : public QObject {
  Q_OBJECT

 public:
  using Enter = std::function<void(PianoKey)>;
  using ButtonOf = std::function<QAbstractButton*(PianoKey)>;

  // Plays `window`'s keys: `enter` runs the entry of a key, `buttonOf` gives its on-screen key.
  PianoKeys(QWidget* window, ButtonOf buttonOf, Enter enter);
  ~PianoKeys() override;

  // What the native scan codes of the Qt platform `platform` are, less the PC scan code of the
  // key; none where they are not known.
  static std::optional<uint32_t> scanCodeOffset(const QString& platform);
  // The piano key of a key event, if it plays one, on a platform whose scan codes are PC scan
  // codes plus `offset`.
  static std::optional<PianoKey> keyOf(const QKeyEvent& event, std::optional<uint32_t> offset);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool press(const QKeyEvent& event);
  bool release(const QKeyEvent& event);
  void releaseAll();
  // What tells a held key from the others: the scan code, or the key when there is none.
  static uint64_t identityOf(const QKeyEvent& event);

  QWidget* window_;
  std::optional<uint32_t> scanCodeOffset_;
  ButtonOf buttonOf_;
  Enter enter_;
  // A key held down: its on-screen key and when it went down (the event's timestamp, in ms).
  struct Held {
    QPointer<QAbstractButton> button;
    uint64_t since = 0;
  };
  std::map<uint64_t, Held> held_;
  // The key let go last, and when, to know its repeat.
  struct Released {
    uint64_t identity = 0;
    uint64_t at = 0;
    Held held;
  } released_;
};

}  // namespace merin::ui
