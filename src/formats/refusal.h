// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/language.h"

namespace merin::formats {

// Why a file, a text or a write was refused. The words of each are in refusal.cpp, in every
// language; the values a kind takes are named beside it.
enum class Fault {
  // Any file or text.
  TooLarge,       // values: the limit in KiB
  Binary,         // a NUL byte in a text
  NotUtf8,        //
  IsFolder,       //
  SystemError,    // values: errno, or a reason of core/errorwords.h
  CannotWrite,    // values: what was being done (WriteFailure::Doing), the error; text: detail
  EmptyMelody,    // nothing to export: every slot is empty
  NoExtension,    // text: the extensions there are
  UnknownFormat,  // text: the format asked for; detail: the formats there are
  NoAudio,        // text: the audio extension this build cannot write
  FromPastEnd,    // values: the start asked for, the slots there are
  // Melody files.
  TooManyTokens,  // values: the most there may be
  NotAToken,      //
  NoSuchSharp,    //
  OutsideRange,   //
  // RTTTL.
  NoNameColon,
  NoSettingsColon,
  EmptySetting,
  UnknownSetting,
  EqualsExpected,
  ValueExpected,
  NumberExpected,
  BadDuration,
  BadOctave,
  TempoZero,
  CommaBetweenSettings,
  EmptyNote,
  LetterExpected,
  NotANoteLetter,
  PauseSharp,
  CommaAfterNote,
  NoSuchTune,  // values: the tune asked for, the tunes there are
  // iMelody.
  ImyNoBegin,         // the text does not start with BEGIN:IMELODY
  ImyHeaderLine,      // a line that is not KEY:value
  ImyVersion,         // text: the version given
  ImyNoMelody,        // no MELODY line
  ImyNoEnd,           // no END:IMELODY
  ImyNotAToken,       // in the melody
  ImyBadOctave,       // *9 and above
  ImyNestedRepeat,    // a repeat block inside a repeat block
  ImyUnclosedRepeat,  // "(" without "@n)"
  ImyStrayRepeatEnd,  // "@n)" or ")" without "("

  // Standard MIDI Files.
  MidiNoHeader,     // the file does not start with "MThd"
  MidiShortHeader,  // values: the header's length
  MidiFormat,       // values: the format (2 or more)
  MidiDivision,     // SMPTE time division, or none
  MidiRunsPast,     // values: 0 past the end of the file, 1 past the end of the track
  MidiNoStatus,     // values: the byte where an event should start
  MidiBadNumber,    // a variable-length number of more than four bytes
  MidiNoNotes,      // no note outside channel 10
  NoSuchPart,       // values: the part asked for, the parts there are
  NoParts,          // a part asked of a tune that has none
};

// A refusal: what (the file, or the text's name), where (a 1-based line and column, or a byte
// offset; nothing when the fault is the file as a whole), the offending token, and why.
struct Refusal {
  Refusal() = default;
  Refusal(Fault fault_, std::string file_, std::vector<int64_t> values_ = {})
      : fault(fault_), file(std::move(file_)), values(std::move(values_)) {}

  Fault fault = Fault::NotAToken;
  std::string file;
  size_t line = 0;
  size_t column = 0;
  std::optional<size_t> offset;  // for binary files, in place of line and column
  std::string token;
  std::vector<int64_t> values;
  std::string text;    // a value that is text (a format name, the system's words)
  std::string detail;  // a second one
};

// What a reader changed on the way in, or which part it took.
enum class Change {
  Skipped,           // values: slots before the start
  Dropped,           // values: slots after the 30th
  ShiftedUp,         // values: octaves
  ShiftedDown,       // values: octaves
  Folded,            // values: notes
  DurationsDropped,  //
  PartTaken,         // values: part, channel, program (0-based); text: track name
  Chords,            // values: onsets that held a chord
  TuneTaken,         // values: tune, tunes in the collection; text: its title
  TitleCleaned,      // values: control characters dropped from the title
};

struct ReportLine {
  Change change;
  std::vector<int64_t> values;
  std::string text;
};
using Report = std::vector<ReportLine>;

// The reason alone, in `language`.
std::string Reason(const Refusal& refusal, Language language);

// One line for the user: "FILE:LINE:COLUMN: \"TOKEN\": REASON" (or the byte offset in place of
// the line and column), parts left out when unknown, the token escaped and cut.
std::string Words(const Refusal& refusal, Language language);

// One report line in `language`.
std::string Words(const ReportLine& line, Language language);

// Every line of `report` in `language`.
std::vector<std::string> Words(const Report& report, Language language);

// The General MIDI instrument name of `program` (0..127).
std::string_view InstrumentName(int program);

}  // namespace merin::formats
