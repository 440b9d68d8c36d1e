// SPDX-License-Identifier: MIT
#include "formats/fit.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "core/melodyedit.h"
#include "core/notecode.h"
#include "core/pitch.h"

namespace merin::formats {
namespace {

// The whole-octave shift that puts the most notes inside the range; on a tie the smallest, and
// of two equally small the downward one.
int BestShift(std::span<const int> notes) {
  // The range is two octaves wide: each note fits at exactly two neighbouring shifts.
  constexpr int kMostShift = 11;
  std::array<int, 2 * kMostShift + 2> inside{};
  for (const int midi : notes) {
    if (midi == kRestPitch) continue;
    // The lowest k with midi + 12k >= the lowest pitch; keys 0..127 keep |k| within reach.
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

// The code of a MIDI number inside the range, from a table the note model fills once.
const std::string& CodeOfMidi(int midi) {
  static const auto codes = [] {
    std::array<std::string, Pitch::kHighestMidi - Pitch::kLowestMidi + 1> table;
    for (size_t i = 0; i < table.size(); ++i) {
      table[i] = Pitch::FromMidi(Pitch::kLowestMidi + static_cast<int>(i))->Code();
    }
    return table;
  }();
  return codes[static_cast<size_t>(midi - Pitch::kLowestMidi)];
}

}  // namespace

std::variant<Fitted, Refusal> Fit(std::span<const int> sequence, size_t from,
                                  std::string_view file) {
  if (from == 0 || (from > 1 && from > sequence.size())) {
    Refusal refusal{Fault::FromPastEnd, std::string(file)};
    refusal.values = {static_cast<int64_t>(from), static_cast<int64_t>(sequence.size())};
    return refusal;
  }
  const size_t skipped = std::min(from - 1, sequence.size());
  const std::span<const int> taken =
      sequence.subspan(skipped, std::min(size_t{kSlotCount}, sequence.size() - skipped));
  Fitted fitted{EmptyCodes(), {}};
  const int shift = BestShift(taken);
  int folded = 0;
  for (size_t i = 0; i < taken.size(); ++i) {
    if (taken[i] == kRestPitch) {
      fitted.codes[i] = kRestCode;
      continue;
    }
    int midi = taken[i] + 12 * shift;
    if (midi < Pitch::kLowestMidi || midi > Pitch::kHighestMidi) ++folded;
    while (midi < Pitch::kLowestMidi) midi += 12;
    while (midi > Pitch::kHighestMidi) midi -= 12;
    fitted.codes[i] = CodeOfMidi(midi);
  }
  Report& report = fitted.report;
  if (skipped > 0) report.push_back({Change::Skipped, {static_cast<int64_t>(skipped)}, {}});
  if (const size_t dropped = sequence.size() - skipped - taken.size(); dropped > 0) {
    report.push_back({Change::Dropped, {static_cast<int64_t>(dropped)}, {}});
  }
  if (shift != 0) {
    report.push_back({shift > 0 ? Change::ShiftedUp : Change::ShiftedDown, {std::abs(shift)}, {}});
  }
  if (folded > 0) report.push_back({Change::Folded, {folded}, {}});
  return fitted;
}

}  // namespace merin::formats
