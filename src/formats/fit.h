// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "formats/imported.h"

namespace merin::formats {

// A rest in a reader's sequence of pitches.
inline constexpr int kRestPitch = -1;

// The key, numbered as MIDI's, of note `letter` ('a'..'g') in scientific octave `octave` (octave 4
// holds middle C), raised by `raise` semitones.
constexpr int KeyOf(char letter, int octave, int raise) {
  constexpr int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // a..g above C
  return 12 * (octave + 1) + kSemitone[letter - 'a'] + raise;
}

// The highest key a reader gives: B#16 of the Flipper format, above MIDI's 127.
inline constexpr int kHighestKey = 12 * 17 + 12;

// Fits the 30 slots of `sequence` (keys numbered as MIDI's, 0..kHighestKey, kRestPitch for a rest)
// from slot `from` (1-based) into C4..B5 as the codes of `melody`: the whole-octave shift that puts
// the most notes inside the range (on a tie the smallest, and of two equally small the downward
// one), then each note still outside moved by octaves into it. Lines are added to its report
// telling, in this order, the slots skipped before the start and dropped after the 30th, the shift,
// and how many notes were folded; it is marked an import. A start past the end of a sequence is
// refused, naming `file`, and leaves `melody` as it was.
std::optional<Refusal> Fit(std::span<const int> sequence, size_t from, std::string_view file,
                           Imported& melody);

}  // namespace merin::formats
