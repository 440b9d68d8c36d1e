// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "formats/format.h"
#include "formats/title.h"

namespace merin::formats {

// Reads an RTTTL tune ("name:d=4,o=5,b=225:8e6,8d6,f#") into 30 slots: one slot per note or
// pause (a rest), 30 kept from `options.from` on, fitted into C4..B5 as Fit does; octaves are
// scientific (a4 = 440 Hz), "h" is "b", "e#" and "b#" are "f" and the next "c". Let pass as the
// players in the field do: a comma after the last note, durations up to 64, an octave after a
// pause (ignored) and a sharp after the octave ("a5#"). The title is the tune's name.
//
// A text in which two or more lines start a tune (a second ':' and no ',' before the first) is a
// collection: each such line starts a tune that runs to the next, blank lines and lines starting
// with '#' between them left out; `options.tune` chooses one (the first by default).
//
// The report says, in this order, which tune of a collection was taken, what Fit tells, and that
// durations were dropped when the kept slots had more than one (a dot makes another duration).
// Every note of the tune taken is checked, dropped ones too.
std::variant<Imported, Refusal> ReadRtttl(std::string_view bytes, std::string_view fileName,
                                          const ReadOptions& options = {});

// One tune of an RTTTL text, as a list of them shows it, and where it is.
struct RtttlTune {
  std::string title;
  size_t notes = 0;           // notes and pauses
  bool refused = false;       // whether it cannot be taken (ReadListedTune tells why)
  size_t begin = 0, end = 0;  // its bytes [begin, end) in the text after a byte-order mark
  size_t line = 1;            // the line it starts on
};

// The tunes of an RTTTL text in order (one for a text that is no collection), each read once with
// `options`: one refused tune for a text refused as a whole.
std::vector<RtttlTune> ListRtttlTunes(std::string_view bytes, std::string_view fileName,
                                      const ReadOptions& options = {});

// Tune `number` (1-based) of `tunes`, the list of `bytes` made with `options`: what ReadRtttl gives
// with options.tune set to `number`, at the cost of reading that tune alone.
std::variant<Imported, Refusal> ReadListedTune(std::string_view bytes, std::string_view fileName,
                                               const std::vector<RtttlTune>& tunes, size_t number,
                                               const ReadOptions& options = {});

// The longest RTTTL name written, in characters: what today's players read, and a title's most.
inline constexpr size_t kRtttlNameLength = kMaxTitleCharacters;

// The RTTTL of `codes`: "NAME:d=4,o=5,b=214:" and one note per slot up to the last non-empty one,
// pauses as "p". `name` is read as a title (TitleOf) and loses ':' and ','; "melody" when nothing
// of it is left.
std::string WriteRtttl(const SlotCodes& codes, std::string_view name);

// What WriteRtttl makes of `name`, as a line for the user; none when it is written as it is.
std::optional<ReportLine> RtttlNameChange(std::string_view name);

// The tune name for a file path: its base name without extension, as WriteRtttl keeps it.
std::string RtttlNameOf(std::string_view filePath);

// The RTTTL unit: any text that no other text format recognises is read as RTTTL.
Format RtttlFormat();

}  // namespace merin::formats
