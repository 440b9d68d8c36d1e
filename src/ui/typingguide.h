// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <array>
#include <map>

#include "core/melody.h"
#include "core/sounddevice.h"
#include "output/keypresses.h"
#include "ui/waveplayer.h"

class QLabel;
class QMenu;
class QTimer;

namespace merin::ui {

// ヘルプ › キー入力ガイド (F2): the melody one slot at a time, large, with the handset keys that
// type it in drawn as a keypad and lit in order, as the listing of 変換 writes them. Space and
// the arrow keys go to the next and the previous slot, whose note sounds as it comes up.
class TypingGuide : public QDialog {
  Q_OBJECT

 public:
  // The guide of `melody`, from slot 1; its notes sound through `sound`.
  TypingGuide(const Melody& melody, SoundDevice& sound, QWidget* parent);

  // Adds the guide's item to the help menu of `window`, whose melody it shows.
  static void addMenuItem(QMenu* help, QWidget* window, const Melody& melody, SoundDevice& sound);

  // The slot shown, 1..30.
  int slot() const { return slot_; }
  // Shows slot `slot` (1..30) and sounds it.
  void showSlot(int slot);
  // The keys of the slot shown, as the listing writes them: "[確定][1][1]".
  QString presses() const;
  // The key lit now: "1".."9", "*", "0", "#" or "確定".
  QString litKey() const;

 signals:
  // The key lit now changed to `key` (empty between two rounds of the keys).
  void lit(const QString& key);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void light(int press);
  void showWords();

  std::array<SlotPresses, kSlotCount> slots_;
  std::array<std::string, kSlotCount> codes_;
  WavePlayer player_;
  int slot_ = 1;
  bool sounded_ = false;  // the slot shown has sounded
  int press_ = 0;         // of the keys of the slot shown, the one lit
  QTimer* timer_;
  QLabel *number_, *pitch_, *keys_, *hint_;
  std::map<QString, QLabel*> keypad_;
};

}  // namespace merin::ui
