// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <memory>

#include "core/sounddevice.h"
#include "ui/waveplayer.h"

#include "formats/midi.h"

class QPushButton;
class QSpinBox;

namespace merin::ui {

class RowList;

// The 30 slots a part gives, drawn as a piano roll: one column a slot, one row a pitch of
// C4..B5, rests as a short mark on the bottom line; the C4, C5 and C6 lines are named in a
// margin of their own at the right, beside the columns.
class PianoRoll : public QWidget {
 public:
  explicit PianoRoll(QWidget* parent = nullptr);
  void setCodes(const SlotCodes& codes);
  // The rows of the C4, C5 and C6 lines, from the top.
  int lineOf(int octave) const;
  // Where slot `slot` (0..29) is drawn, the whole height of its column.
  QRect columnOf(int slot) const;
  // Where the name of the line of `octave` (0 for C4) is written.
  QRect nameOf(int octave) const;
  const SlotCodes& codes() const { return codes_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  SlotCodes codes_;
};

// Chooses the part of a MIDI file to bring in, and its start slot: a list of the parts (number,
// track name, channel, instrument, onsets, lowest and highest note), a piano roll of the 30
// slots the selected part gives from the start, with a ▶ that plays them, and the start. Usable
// from the keyboard: the arrows, Home and End move in the list, Tab reaches the start, Enter is
// OK, Escape Cancel.
class PartDialog : public QDialog {
  Q_OBJECT

 public:
  // `sound`, when given, plays the preview.
  PartDialog(const formats::MidiTune& tune, const QString& file, QWidget* parent = nullptr,
             SoundDevice* sound = nullptr);
  ~PartDialog() override;
  // What was chosen: the part (1-based) and the start slot.
  formats::ReadOptions choice() const;

 private:
  void preview();
  // Plays the 30 slots of the preview, as test play would; a second press stops them. While
  // they sound the button shows ■.
  void play();
  // Shows whether the preview plays, until it is over.
  void showPlaying();

  const formats::MidiTune& tune_;
  RowList* parts_;
  QSpinBox* from_;
  PianoRoll* roll_;
  QPushButton* play_;
  std::unique_ptr<WavePlayer> player_;  // none without a sound device
};

}  // namespace merin::ui
