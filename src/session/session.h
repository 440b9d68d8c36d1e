// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/melody.h"
#include "core/melodyhistory.h"
#include "core/melodyview.h"
#include "core/sounddevice.h"
#include "entry/pianolayout.h"
#include "formats/intake.h"
#include "output/resultview.h"
#include "output/testplay.h"
#include "session/midiinput.h"
#include "session/outcome.h"

namespace merin::session {

// The slot a cursor key goes to: the one before or after the current one, the first, or the one
// after the last slot written.
enum class Where { Previous, Next, First, End };

// A melody written out: the bytes, the file name offered for them, and the line that says how
// the name of the tune had to change, if it did.
struct Exported {
  std::string bytes;
  std::string name;
  std::optional<formats::ReportLine> nameChange;
};

// The program without a face, one per window or tab: the melody, its cursor and title, undo and
// redo, and every action on them. Each action runs the program's own handlers and procedures on
// the face's view, so its pictures, markers and status follow, and returns an Outcome that says
// what else to show, announce and keep. The rules live here once: a change of a slot or the title
// is one step of undo and moving the cursor alone is none; a melody replaced that is neither
// empty nor saved is handed back to be kept; a file of nothing but white space that is no melody
// file is refused as empty; while test play sounds, input waits and arrives in order when it ends
// by itself, and is dropped when it is stopped.
class Session {
 public:
  // Acts on `view`, which must outlive the session.
  explicit Session(MelodyView& view);

  const Melody& melody() const { return melody_; }
  MelodySnapshot snapshot() const { return SnapshotOf(melody_); }
  bool canUndo() const { return history_.CanUndo(); }
  bool canRedo() const { return history_.CanRedo(); }

  // The window opens: the melody empty, the markers in place, the opening sound through `sound`.
  // Undo starts here.
  Outcome Load(SoundDevice& sound);
  // Undo starts here again: a melody a face puts back as it starts (a reload's) is no step.
  void Forget() { history_.Forget(); }

  // The window closes by its close box: the closing sound through `sound`.
  void Unload(SoundDevice& sound);
  // 終了: the program ends at once.
  void End();
  // The convert button: the key presses listed in the one result window, shown modally.
  void Convert(ResultWindowProvider& windows) const;

  // A white or black key of the on-screen keyboard, or the rest pedal.
  Outcome Key(PianoKey key);
  // A mouse button (1 left, 2 right, 4 middle) down on staff cell `slot` at `y` pixels from its
  // top, Shift held as the handler's bit 1.
  Outcome StaffDown(int16_t slot, int16_t button, int16_t shift, float x, float y);
  // A click on the marker of `slot`.
  Outcome Marker(int16_t slot);
  // A cursor key.
  Outcome Select(Where where);
  // Delete: the current slot emptied, as the right button does.
  Outcome Clear();
  // The edits of the whole melody: an empty slot put in at the cursor, the cursor's slot taken
  // out, every note moved by `semitones`. A refused edit changes nothing and says why.
  Outcome Insert();
  Outcome Remove();
  Outcome Transpose(int semitones);
  // The title replaced by `title` (cut to a title's length), as one step of undo.
  Outcome SetTitle(std::string_view title);
  Outcome Undo();
  Outcome Redo();

  // How long after a note from a MIDI keyboard a higher one is taken as the top of the same
  // chord, in milliseconds.
  static constexpr int64_t kChordMs = 30;
  // Bytes from a MIDI keyboard, arrived at `ms` milliseconds (of any steady clock): a note
  // played is its on-screen key pressed (moved by octaves into C4..B5), its key held until it is
  // let go of; the sustain pedal pressed is the rest pedal; a higher note within kChordMs of the
  // one written takes its place in the same slot and the same step of undo. While test play
  // sounds, notes are dropped, not kept for later.
  Outcome Midi(std::span<const uint8_t> bytes, int64_t ms);

  // What a press on a staff cell at `y` would write (a note code, "99" for nothing), changing
  // nothing: the ghost note under the pointer and the preview under a finger.
  static std::string_view WouldWrite(float y, bool sharp);

  // A new, empty melody with no title, as one step of undo.
  Outcome New();
  // A whole melody in place of this one, as one step of undo: a file opened, a kept melody, an
  // address. The cursor goes to `cursor`, else after its last slot, wrapping to slot 0.
  Outcome Bring(const SlotCodes& codes, std::string_view title,
                std::optional<int32_t> cursor = std::nullopt);
  // `bytes` named `name` (a path, or what names a text) as a melody to bring in: what it offers
  // to choose from, or why it is refused, an input of nothing but white space that is no melody
  // file included.
  static std::variant<formats::Intake, Refusal> Examine(std::string bytes, std::string name);
  // The melody is as it was saved (written to its own file, downloaded, shared): until it
  // changes, replacing it keeps nothing.
  void MarkSaved();
  // Whether the melody differs from what was last saved.
  bool Modified() const;

  // The name a file of the melody is offered under, without its extension: the title (a '/'
  // in it written '_'), else `fileStem` (the melody's file's), else "melody".
  std::string OfferedStem(std::string_view fileStem = {}) const;
  // The melody in the format written with `extension`, for the file `target` (whose name names
  // a tune that has no title); the wave files come from `programFolder`.
  std::variant<Exported, Refusal> Export(std::string_view extension, const std::string& target,
                                         const std::string& programFolder) const;
  // The melody as the fragment of an address, without '#'.
  std::string Address() const;

  // Test play as one call: the test-play button's handler, sounds through `sound`, asking
  // `stopRequested` before each slot.
  Outcome TestPlay(SoundDevice& sound, const std::function<bool()>& stopRequested = {});
  // Test play a step at a time, for a face that schedules the sounds itself: the button
  // disabled and the steps to sound; then each step shown as it sounds; then the end, by itself
  // (the input that waited arrives) or stopped (it is dropped). The view gets the same calls as
  // from the one call.
  std::vector<TestPlayStep> StartTestPlay();
  void ShowTestPlayStep(size_t step);
  Outcome EndTestPlay(bool stopped);
  // Whether test play sounds now.
  bool playing() const { return playing_; }

 private:
  // Runs `handler` on the melody and the view and says what it changed; a change is one step of
  // undo. While test play sounds, the action waits instead.
  Outcome Act(const std::function<void(Melody&, MelodyView&)>& handler);
  // Runs `action` now, or once test play is over when it sounds now.
  Outcome WhenFree(std::function<Outcome()> action);
  // Runs `handler` and says what it changed; a change is a step of undo when `record`.
  Outcome Run(const std::function<void(Melody&, MelodyView&)>& handler, bool record);
  Outcome Edit(const std::function<MelodyEdit(const SlotCodes&, int32_t)>& edit);
  Outcome Restore(const std::optional<MelodySnapshot>& snapshot);
  Outcome Replace(const SlotCodes& codes, int32_t cursor, std::string_view title);
  // The border of the step shown taken off again.
  void UnshowTestPlayStep();

  // A note from a MIDI keyboard.
  Outcome MidiNote(int note, int64_t ms);

  MelodyView& view_;
  Melody melody_;
  MidiInput midi_;
  // The note from a MIDI keyboard written last: its slot, key, time and whether it was a step.
  struct Chord {
    int32_t slot;
    int note;
    int64_t ms;
    bool step;
  };
  std::optional<Chord> chord_;
  bool shiftSaid_ = false;
  MelodyHistory history_;
  MelodySnapshot saved_;
  bool playing_ = false;
  std::vector<TestPlayStep> steps_;
  std::optional<size_t> shown_;
  std::deque<std::function<Outcome()>> waiting_;
};

// The handler of on-screen key `key`: ken_Click, bkey_Click or PedalSW_Click.
void PressKey(Melody& melody, MelodyView& view, PianoKey key);

// What a screen reader says of slot `slot` of `codes`: "スロット 3: D5", a rest or empty.
Said SlotSaid(const SlotCodes& codes, int32_t slot);

}  // namespace merin::session
