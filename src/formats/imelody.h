// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "formats/format.h"

namespace merin::formats {

// Reads an iMelody text (versions 1.0 and 1.2; header lines in any order, CR LF or LF) into 30
// slots: one per note or rest ("r") of its MELODY, repeat blocks "( ... @n)" expanded ("@0" until
// 30 slots are full), effects (ledon, vibeon, backon and their offs) and volumes skipped,
// durations and their specifiers dropped; then fitted as an RTTTL tune is, with the same report.
// An octave prefix "*0".."*8" names the octave whose A is 55·2^n Hz ("*3c" is C4) and holds for
// the notes after it; "*4" before any. A flat "&" or sharp "#" comes before the letter. The title
// is the NAME.
std::variant<Imported, Refusal> ReadImelody(std::string_view bytes, std::string_view fileName,
                                            const ReadOptions& options = {});

// The iMelody 1.2 text of `codes` named `title`, CR LF line ends: one quarter note or rest per
// slot up to the last note or rest, each note with its octave prefix.
std::string WriteImelody(const SlotCodes& codes, std::string_view title);

// The iMelody unit: ".imy", or text starting with BEGIN:IMELODY.
Format ImelodyFormat();

}  // namespace merin::formats
