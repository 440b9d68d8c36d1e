// SPDX-License-Identifier: MIT
#include "session/session.h"

#include <algorithm>
#include <utility>

#include "core/applymelody.h"
#include "core/lifecycle.h"
#include "core/melodyaddress.h"
#include "core/pitch.h"
#include "entry/keyboard.h"
#include "entry/staff.h"
#include "formats/title.h"
#include "formats/writeas.h"
#include "output/convert.h"

namespace merin::session {

Said SlotSaid(const SlotCodes& codes, int32_t slot) {
  const std::string& code = codes.at(size_t(slot));
  const std::string number = std::to_string(slot + 1);
  if (IsEmptySlot(code)) return {"page.slot.empty", {number}};
  if (code == kRestCode) return {"page.slot.rest", {number}};
  return {"page.slot.note", {number, TokenOfCode(code)}};
}

Session::Session(MelodyView& view) : view_(view), saved_(SnapshotOf(melody_)) {
  saved_.codes = EmptyCodes();
}

Outcome Session::Run(const std::function<void(Melody&, MelodyView&)>& handler, bool record) {
  const MelodySnapshot before = SnapshotOf(melody_);
  Outcome outcome;
  try {
    handler(melody_, view_);
  } catch (const PictureLoadError& error) {
    // Every handler that moves the cursor ends by showing its slot; this one stopped before.
    if (melody_.Cursor != before.cursor) ShowSlotNumber(melody_, view_);
    outcome.pictureFailure = error.refusal();
  }
  const MelodySnapshot after = SnapshotOf(melody_);
  for (int32_t slot = 0; slot < kSlotCount; ++slot) {
    if (after.codes[size_t(slot)] != before.codes[size_t(slot)]) outcome.changed.push_back(slot);
  }
  outcome.titled = after.title != before.title;
  outcome.moved = after.cursor != before.cursor;
  if (record) outcome.step = history_.Push(before, after);
  if (!outcome.changed.empty()) {
    outcome.said = SlotSaid(after.codes, outcome.changed.front());
  } else if (outcome.moved) {
    outcome.said = SlotSaid(after.codes, after.cursor);
  }
  outcome.canUndo = history_.CanUndo();
  outcome.canRedo = history_.CanRedo();
  return outcome;
}

Outcome Session::WhenFree(std::function<Outcome()> action) {
  if (!playing_) return action();
  waiting_.push_back(std::move(action));
  Outcome outcome;
  outcome.queued = true;
  outcome.canUndo = history_.CanUndo();
  outcome.canRedo = history_.CanRedo();
  return outcome;
}

Outcome Session::Act(const std::function<void(Melody&, MelodyView&)>& handler) {
  return WhenFree([this, handler] { return Run(handler, true); });
}

Outcome Session::Load(SoundDevice& sound) {
  Outcome outcome = Run([&sound](Melody& m, MelodyView& v) { Form_Load(m, v, sound); }, false);
  history_.Forget();
  saved_ = SnapshotOf(melody_);
  outcome.canUndo = outcome.canRedo = false;
  return outcome;
}

void Session::Unload(SoundDevice& sound) { Form_Unload(sound); }

void Session::End() { EndMenu_Click(view_); }

void Session::Convert(ResultWindowProvider& windows) const { Command1_Click(melody_, windows); }

void PressKey(Melody& m, MelodyView& v, PianoKey key) {
  switch (key.kind) {
    case PianoKey::Kind::White:
      ken_Click(m, v, key.index);
      break;
    case PianoKey::Kind::Black:
      bkey_Click(m, v, key.index);
      break;
    case PianoKey::Kind::Rest:
      PedalSW_Click(m, v);
      break;
  }
}

Outcome Session::Key(PianoKey key) {
  return Act([key](Melody& m, MelodyView& v) { PressKey(m, v, key); });
}

Outcome Session::StaffDown(int16_t slot, int16_t button, int16_t shift, float x, float y) {
  return Act([=](Melody& m, MelodyView& v) { Gosen_MouseDown(m, v, slot, button, shift, x, y); });
}

Outcome Session::Marker(int16_t slot) {
  return Act([slot](Melody& m, MelodyView& v) { np_Click(m, v, slot); });
}

Outcome Session::Select(Where where) {
  return Act([where](Melody& m, MelodyView& v) {
    const int32_t slot = where == Where::Previous ? PreviousSlot(m.Cursor)
                         : where == Where::Next   ? NextSlot(m.Cursor)
                         : where == Where::First  ? 0
                                                  : SlotAfterLast(CodesOf(m));
    np_Click(m, v, int16_t(slot));
  });
}

Outcome Session::Clear() {
  return Act([](Melody& m, MelodyView& v) {
    Gosen_MouseDown(m, v, int16_t(m.Cursor), kRightButton, 0, 0, 0);
  });
}

Outcome Session::Edit(const std::function<MelodyEdit(const SlotCodes&, int32_t)>& edit) {
  return WhenFree([this, edit] {
    const MelodyEdit result = edit(CodesOf(melody_), melody_.Cursor);
    if (result.refused()) {
      Outcome outcome;
      outcome.refusal = result.refusal;
      outcome.canUndo = history_.CanUndo();
      outcome.canRedo = history_.CanRedo();
      return outcome;
    }
    return Run([&](Melody& m, MelodyView& v) { ApplyMelody(m, v, result.codes, m.Cursor); }, true);
  });
}

Outcome Session::Insert() { return Edit(InsertEmptySlot); }
Outcome Session::Remove() { return Edit(RemoveSlot); }
Outcome Session::Transpose(int semitones) {
  return Edit(
      [semitones](const SlotCodes& codes, int32_t) { return merin::Transpose(codes, semitones); });
}

Outcome Session::SetTitle(std::string_view title) {
  return Act([title = formats::TitleOf(title)](Melody& m, MelodyView&) { m.Title = title; });
}

Outcome Session::Restore(const std::optional<MelodySnapshot>& snapshot) {
  if (!snapshot) return Run([](Melody&, MelodyView&) {}, false);
  Outcome outcome = Run(
      [&](Melody& m, MelodyView& v) {
        ApplyMelody(m, v, snapshot->codes, snapshot->cursor);
        m.Title = snapshot->title;
      },
      false);
  outcome.step = true;
  return outcome;
}

Outcome Session::Undo() {
  return WhenFree([this] { return Restore(history_.CanUndo() ? history_.Undo() : std::nullopt); });
}

Outcome Session::Redo() {
  return WhenFree([this] { return Restore(history_.CanRedo() ? history_.Redo() : std::nullopt); });
}

namespace {

// The on-screen key of MIDI key `note` once moved by octaves into C4..B5.
PianoKey KeyOfMidi(int note) {
  while (note < Pitch::kLowestMidi) note += 12;
  while (note > Pitch::kHighestMidi) note -= 12;
  const std::string code = Pitch::FromMidi(note)->Code();
  for (size_t i = 0; i < kWhiteKeyCodes.size(); ++i) {
    if (kWhiteKeyCodes[i] == code) return {PianoKey::Kind::White, int16_t(i)};
  }
  for (size_t i = 0; i < kBlackKeyCodes.size(); ++i) {
    if (kBlackKeyCodes[i] == code) return {PianoKey::Kind::Black, int16_t(i)};
  }
  return {PianoKey::Kind::Rest, 0};  // every key of the two octaves is on the keyboard
}

}  // namespace

Outcome Session::Midi(std::span<const uint8_t> bytes, int64_t ms) {
  Outcome outcome;
  outcome.canUndo = history_.CanUndo();
  outcome.canRedo = history_.CanRedo();
  for (const MidiEvent& event : midi_.Feed(bytes)) {
    switch (event.kind) {
      case MidiEvent::Kind::NoteOn:
        outcome.Then(MidiNote(event.note, ms));
        break;
      case MidiEvent::Kind::NoteOff:
        outcome.released.push_back(KeyOfMidi(event.note));
        break;
      case MidiEvent::Kind::PedalDown:
        if (playing_) break;
        chord_.reset();
        outcome.Then(Key({PianoKey::Kind::Rest, 0}));
        break;
    }
  }
  return outcome;
}

Outcome Session::MidiNote(int note, int64_t ms) {
  const PianoKey key = KeyOfMidi(note);
  const bool shifted = note < Pitch::kLowestMidi || note > Pitch::kHighestMidi;
  Outcome outcome;
  if (!playing_) {
    const bool inChord =
        chord_ && ms - chord_->ms <= kChordMs && melody_.Cursor == NextSlot(chord_->slot);
    if (inChord && note <= chord_->note) {
      outcome.canUndo = history_.CanUndo();
      outcome.canRedo = history_.CanRedo();
    } else if (inChord) {
      // The top of the chord takes the place of the note written, in the same step.
      const int32_t slot = chord_->slot;
      outcome = Run(
          [&](Melody& m, MelodyView& v) {
            np_Click(m, v, int16_t(slot));
            PressKey(m, v, key);
          },
          !chord_->step);
      if (chord_->step) history_.AmendLast(SnapshotOf(melody_));
      chord_->note = note;
    } else {
      const int32_t slot = melody_.Cursor;
      outcome = Key(key);
      chord_ = Chord{slot, note, ms, outcome.step};
    }
    if (shifted && !shiftSaid_) outcome.shiftedIntoRange = shiftSaid_ = true;
  }
  outcome.pressed.push_back(key);
  return outcome;
}

std::string_view Session::WouldWrite(float y, bool sharp) { return StaffNoteAt(y, sharp); }

Outcome Session::Replace(const SlotCodes& codes, int32_t cursor, std::string_view title) {
  const MelodySnapshot current = SnapshotOf(melody_);
  const bool keep = !IsEmptyMelody(current.codes) && Modified();
  Outcome outcome = Run(
      [&](Melody& m, MelodyView& v) {
        ApplyMelody(m, v, codes, cursor);
        m.Title = std::string(title);
      },
      true);
  if (keep && outcome.Changed()) outcome.replaced.push_back(current);
  return outcome;
}

Outcome Session::New() {
  return WhenFree([this] {
    Outcome outcome = Replace(EmptyCodes(), 0, "");
    saved_ = SnapshotOf(melody_);
    return outcome;
  });
}

Outcome Session::Bring(const SlotCodes& codes, std::string_view title,
                       std::optional<int32_t> cursor) {
  return WhenFree([this, codes, title = std::string(title), cursor] {
    return Replace(codes, cursor.value_or(SlotAfterLast(codes, AfterFull::WrapToFirst)), title);
  });
}

std::variant<formats::Intake, Refusal> Session::Examine(std::string bytes, std::string name) {
  auto intake = formats::Intake::Of(std::move(bytes), std::move(name));
  if (auto* taken = std::get_if<formats::Intake>(&intake)) {
    if (auto empty = taken->refusedAsEmpty()) return std::move(*empty);
  }
  return intake;
}

void Session::MarkSaved() { saved_ = SnapshotOf(melody_); }

bool Session::Modified() const {
  const MelodySnapshot now = SnapshotOf(melody_);
  return now.codes != saved_.codes || now.title != saved_.title;
}

std::string Session::OfferedStem(std::string_view fileStem) const {
  std::string stem = melody_.Title;
  std::replace(stem.begin(), stem.end(), '/', '_');
  if (stem.empty()) stem = fileStem;
  return stem.empty() ? "melody" : stem;
}

std::variant<Exported, Refusal> Session::Export(std::string_view extension,
                                                const std::string& target,
                                                const std::string& programFolder) const {
  const SlotCodes codes = CodesOf(melody_);
  auto bytes = formats::BytesAs(codes, extension, programFolder, target, melody_.Title);
  if (auto* refusal = std::get_if<Refusal>(&bytes)) return std::move(*refusal);
  return Exported{std::move(std::get<std::string>(bytes)), std::string(formats::BaseNameOf(target)),
                  formats::NameChangeAs(extension, target, melody_.Title)};
}

std::string Session::Address() const { return FragmentOf(CodesOf(melody_), melody_.Title); }

Outcome Session::TestPlay(SoundDevice& sound, const std::function<bool()>& stopRequested) {
  if (playing_) return {};
  playing_ = true;
  bool stopped = false;
  const std::function<bool()> asked = [&] { return stopped = stopRequested && stopRequested(); };
  Run([&](Melody& m, MelodyView& v) { Command2_Click(m, v, sound, asked); }, false);
  steps_.clear();
  return EndTestPlay(stopped);
}

std::vector<TestPlayStep> Session::StartTestPlay() {
  if (playing_) return {};
  playing_ = true;
  shown_.reset();
  steps_ = TestPlaySteps(melody_);
  view_.SetTestPlayEnabled(false);
  return steps_;
}

void Session::UnshowTestPlayStep() {
  if (!shown_) return;
  view_.SetCellBorder(steps_[*shown_].slot, 0);
  view_.RepaintCell(steps_[*shown_].slot);
  shown_.reset();
}

void Session::ShowTestPlayStep(size_t step) {
  if (!playing_ || step >= steps_.size()) return;
  UnshowTestPlayStep();
  shown_ = step;
  view_.SetCellBorder(steps_[step].slot, 1);
}

Outcome Session::EndTestPlay(bool stopped) {
  if (!playing_) return {};
  if (!steps_.empty()) {
    UnshowTestPlayStep();
    view_.SetTestPlayEnabled(true);
  }
  steps_.clear();
  playing_ = false;
  Outcome outcome;
  outcome.canUndo = history_.CanUndo();
  outcome.canRedo = history_.CanRedo();
  std::deque<std::function<Outcome()>> waiting = std::exchange(waiting_, {});
  if (stopped) return outcome;
  for (const auto& action : waiting) outcome.Then(action());
  return outcome;
}

}  // namespace merin::session
