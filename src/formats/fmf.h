// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "formats/format.h"

namespace merin::formats {

// Reads a Flipper Music Format text into 30 slots: the line "Filetype: Flipper Music Format",
// then "Key: value" lines, each of Version (0), BPM, Duration (the default duration, 1..128),
// Octave (the default octave, 0..16) and Notes once, and Title at most once, in any order, blank
// lines and lines starting with '#' between them; lines of other keys are skipped, as the player
// skips them, and the report names them. Notes are "<duration><A..G or P><#><octave><dots>",
// separated by commas or white space, letters in either case, octaves scientific (A4 = 440 Hz), at
// most 16 dots. One slot per note or pause, fitted as an RTTTL tune is, with the same report. The
// title is the Title line's, else the base name of `fileName` when it has an extension (a file;
// standard input and the clipboard have none).
std::variant<Imported, Refusal> ReadFmf(std::string_view bytes, std::string_view fileName,
                                        const ReadOptions& options = {});

// The Flipper Music Format text of `codes`, LF line ends: the tempo and duration of the RTTTL
// export, one note or pause "P" per slot up to the last note or rest, every note with its octave;
// `title` (as TitleOf reads it) in a Title line after the Version line, none when it is empty.
std::string WriteFmf(const SlotCodes& codes, std::string_view title);

// The Flipper Music Format unit: ".fmf", or text whose first line is a "Filetype:" line.
Format FmfFormat();

}  // namespace merin::formats
