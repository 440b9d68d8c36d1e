// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

#include "formats/midi.h"

class QSpinBox;

namespace merin::ui {

class RowList;

// The 30 slots a part gives, drawn as a piano roll: one column a slot, one row a pitch of
// C4..B5, rests as a short mark on the bottom line.
class PianoRoll : public QWidget {
 public:
  explicit PianoRoll(QWidget* parent = nullptr);
  void setCodes(const SlotCodes& codes);
  const SlotCodes& codes() const { return codes_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  SlotCodes codes_;
};

// Chooses the part of a MIDI file to bring in, and its start slot: a list of the parts (number,
// track name, channel, instrument, onsets, lowest and highest note), a piano roll of the 30
// slots the selected part gives from the start, and the start. Usable from the keyboard: the
// arrows, Home and End move in the list, Tab reaches the start, Enter is OK, Escape Cancel.
class PartDialog : public QDialog {
  Q_OBJECT

 public:
  PartDialog(const formats::MidiTune& tune, const QString& file, QWidget* parent = nullptr);
  // What was chosen: the part (1-based) and the start slot.
  formats::ReadOptions choice() const;

 private:
  void preview();

  const formats::MidiTune& tune_;
  RowList* parts_;
  QSpinBox* from_;
  PianoRoll* roll_;
};

}  // namespace merin::ui
