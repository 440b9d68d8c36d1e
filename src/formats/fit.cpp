// SPDX-License-Identifier: MIT
#include "formats/fit.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "core/coretexts.h"
#include "core/notecode.h"
#include "core/pitch.h"

namespace merin::formats {
namespace {

// Shifts go up to this many octaves either way: keys 0..kHighestKey keep every useful one within
// reach.
constexpr int kMostShift = (kHighestKey - Pitch::kLowestMidi) / 12 + 1;

// The whole-octave shift that puts the most notes inside the range; on a tie the smallest, and
// of two equally small the downward one.
int BestShift(std::span<const int> notes) {
  // The range is two octaves wide: each note fits at exactly two neighbouring shifts.
  std::array<int, 2 * kMostShift + 2> inside{};
  for (const int midi : notes) {
    if (midi == kRestPitch) continue;
    // The lowest k with midi + 12k >= the lowest pitch; keys 0..kHighestKey keep |k| within reach.
    const int low = (Pitch::kLowestMidi - midi + 11 + 12 * kMostShift) / 12 - kMostShift;
    ++inside[static_cast<size_t>(low + kMostShift)];
    if (midi + 12 * (low + 1) <= Pitch::kHighestMidi)
      ++inside[static_cast<size_t>(low + 1 + kMostShift)];
  }
  int best = 0;
  for (int k = 1; k <= kMostShift; ++k) {
    for (const int shift : {-k, k}) {
      if (inside[static_cast<size_t>(shift + kMostShift)] >
          inside[static_cast<size_t>(best + kMostShift)]) {
        best = shift;
      }
    }
  }
  return best;
}

// Where a key shifted by whole octaves lands: the two characters of its code, and whether it was
// outside the range and moved by octaves into it. From a table the note model fills once, for
// every key 0..kHighestKey shifted by up to kMostShift octaves, so that no note takes a branch of
// its own.
struct Landing {
  char code[2];
  bool folded;
};

const Landing& LandingOf(int shifted) {
  constexpr int kReach = 12 * kMostShift;
  static const auto table = [] {
    std::array<Landing, kHighestKey + 1 + 2 * kReach> landings{};
    for (size_t i = 0; i < landings.size(); ++i) {
      int midi = static_cast<int>(i) - kReach;
      landings[i].folded = midi < Pitch::kLowestMidi || midi > Pitch::kHighestMidi;
      while (midi < Pitch::kLowestMidi) midi += 12;
      while (midi > Pitch::kHighestMidi) midi -= 12;
      const std::string code = Pitch::FromMidi(midi)->Code();
      landings[i].code[0] = code[0];
      landings[i].code[1] = code[1];
    }
    return landings;
  }();
  return table[static_cast<size_t>(shifted + kReach)];
}

// Puts a code's two characters into a slot: a short string takes them in place, where assigning
// a string would call the library for each slot.
void SetCode(std::string& slot, char first, char second) {
  slot.clear();
  slot.push_back(first);
  slot.push_back(second);
}

}  // namespace

std::optional<Refusal> Fit(std::span<const int> sequence, size_t from, std::string_view file,
                           Imported& melody) {
  if (from == 0 || (from > 1 && from > sequence.size())) {
    return Refusal(CoreText("melody.from-past-end"), std::string(file),
                   {std::to_string(from), std::to_string(sequence.size())});
  }
  const size_t skipped = std::min(from - 1, sequence.size());
  const std::span<const int> taken =
      sequence.subspan(skipped, std::min(size_t{kSlotCount}, sequence.size() - skipped));
  static_assert(kEmptyCode.size() == 2 && kRestCode.size() == 2);
  melody.import = true;
  const int shift = BestShift(taken);
  int folded = 0;
  for (size_t i = taken.size(); i < size_t{kSlotCount}; ++i) {
    SetCode(melody.codes[i], kEmptyCode[0], kEmptyCode[1]);
  }
  for (size_t i = 0; i < taken.size(); ++i) {
    if (taken[i] == kRestPitch) {
      SetCode(melody.codes[i], kRestCode[0], kRestCode[1]);
      continue;
    }
    const Landing& landing = LandingOf(taken[i] + 12 * shift);
    folded += landing.folded;
    SetCode(melody.codes[i], landing.code[0], landing.code[1]);
  }
  Report& report = melody.report;
  report.reserve(report.size() + 5);  // these lines, and one the reader may add
  // One line telling `count` of something, unless there are none.
  const auto tell = [&report](size_t count, const Text& one, const Text& many) {
    if (count > 0) report.push_back({&Counted(count, one, many), {std::to_string(count)}});
  };
  tell(skipped, CoreText("report.skipped-one"), CoreText("report.skipped"));
  tell(sequence.size() - skipped - taken.size(), CoreText("report.dropped-one"),
       CoreText("report.dropped"));
  if (shift > 0) {
    tell(size_t(shift), CoreText("report.shifted-up-one"), CoreText("report.shifted-up"));
  } else {
    tell(size_t(-shift), CoreText("report.shifted-down-one"), CoreText("report.shifted-down"));
  }
  tell(size_t(folded), CoreText("report.folded-one"), CoreText("report.folded"));
  return std::nullopt;
}

}  // namespace merin::formats
