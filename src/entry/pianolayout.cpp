// SPDX-License-Identifier: MIT
#include "entry/pianolayout.h"

#include <string_view>

namespace merin {
namespace {

// The rows of a PC keyboard by scan code: each string starts at the scan code beside it.
struct ScanRow {
  uint32_t first;
  std::string_view keys;
};
constexpr ScanRow kScanRows[] = {
    {0x02, "1234567890"},
    {0x10, "QWERTYUIOP"},
    {0x1E, "ASDFGHJKL"},
    {0x2C, "ZXCVBNM"},
};

constexpr std::string_view kLowerWhite = "ZXCVBNM", kLowerBlack = "SDGHJ";
constexpr std::string_view kUpperWhite = "QWERTYU", kUpperBlack = "23567";

}  // namespace

std::optional<PianoKey> PianoKeyAt(char usKey) {
  if (usKey == '0') return PianoKey{PianoKey::Kind::Rest, 0};
  struct Octave {
    std::string_view keys;
    PianoKey::Kind kind;
    int16_t first;
  };
  for (const Octave& o : {Octave{kLowerWhite, PianoKey::Kind::White, 0},
                          Octave{kUpperWhite, PianoKey::Kind::White, 7},
                          Octave{kLowerBlack, PianoKey::Kind::Black, 0},
                          Octave{kUpperBlack, PianoKey::Kind::Black, 5}}) {
    const size_t at = o.keys.find(usKey);
    if (at != std::string_view::npos) return PianoKey{o.kind, int16_t(o.first + int16_t(at))};
  }
  return std::nullopt;
}

std::optional<char> UsKeyOfScanCode(uint32_t scanCode) {
  for (const ScanRow& row : kScanRows) {
    if (scanCode >= row.first && scanCode < row.first + row.keys.size()) {
      return row.keys[scanCode - row.first];
    }
  }
  return std::nullopt;
}

}  // namespace merin
