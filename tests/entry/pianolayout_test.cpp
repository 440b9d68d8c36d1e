// SPDX-License-Identifier: MIT
#include "entry/pianolayout.h"

#include <gtest/gtest.h>

#include <string>

#include "core/da.h"
#include "core/notecode.h"
#include "entry/keyboard.h"
#include "support/programfolder.h"
#include "support/recorders.h"

namespace merin {
namespace {

// The code a piano key enters, through the handler of the on-screen key it stands for.
std::string Enter(PianoKey key) {
  Melody melody;
  test::RecordingView view;
  switch (key.kind) {
    case PianoKey::Kind::White:
      ken_Click(melody, view, key.index);
      break;
    case PianoKey::Kind::Black:
      bkey_Click(melody, view, key.index);
      break;
    case PianoKey::Kind::Rest:
      PedalSW_Click(melody, view);
      break;
  }
  return melody.Notes[0];
}

// Key by key, the code of the note it plays: the tracker layout, C4 on Z and C5 on Q.
struct Played {
  char key;
  const char* code;
};
constexpr Played kPlayed[] = {
    {'Z', "11"}, {'S', "12"}, {'X', "21"}, {'D', "22"}, {'C', "31"}, {'V', "41"},
    {'G', "42"}, {'B', "51"}, {'H', "52"}, {'N', "61"}, {'J', "62"}, {'M', "71"},  // C4 .. B4
    {'Q', "13"}, {'2', "14"}, {'W', "23"}, {'3', "24"}, {'E', "32"}, {'R', "43"},
    {'5', "44"}, {'T', "53"}, {'6', "54"}, {'Y', "63"}, {'7', "64"}, {'U', "72"},  // C5 .. B5
    {'0', "01"},                                                                   // the rest pedal
};

TEST(PianoLayout, EveryKeyOfBothRowsAndZeroEntersItsNote) {
  const test::ScopedProgramFolder folder("/app");
  for (const Played& p : kPlayed) {
    const std::optional<PianoKey> key = PianoKeyAt(p.key);
    ASSERT_TRUE(key.has_value()) << p.key;
    EXPECT_EQ(Enter(*key), p.code) << p.key;
  }
}

TEST(PianoLayout, NoOtherCharacterPlays) {
  std::string playing;
  for (const Played& p : kPlayed) playing += p.key;
  for (int c = 0; c < 128; ++c) {
    if (playing.find(char(c)) != std::string::npos) continue;
    EXPECT_FALSE(PianoKeyAt(char(c)).has_value()) << "character " << c;
  }
}

TEST(PianoLayout, ScanCodesNameTheKeysOfAUsKeyboard) {
  struct Case {
    uint32_t scanCode;
    char key;
  } cases[] = {
      {0x02, '1'}, {0x03, '2'}, {0x04, '3'}, {0x06, '5'}, {0x07, '6'}, {0x08, '7'},
      {0x0B, '0'}, {0x10, 'Q'}, {0x11, 'W'}, {0x12, 'E'}, {0x13, 'R'}, {0x14, 'T'},
      {0x15, 'Y'}, {0x16, 'U'}, {0x19, 'P'}, {0x1E, 'A'}, {0x1F, 'S'}, {0x20, 'D'},
      {0x22, 'G'}, {0x23, 'H'}, {0x24, 'J'}, {0x26, 'L'}, {0x2C, 'Z'}, {0x2D, 'X'},
      {0x2E, 'C'}, {0x2F, 'V'}, {0x30, 'B'}, {0x31, 'N'}, {0x32, 'M'},
  };
  for (const Case& c : cases) EXPECT_EQ(UsKeyOfScanCode(c.scanCode), c.key) << c.scanCode;
  // Escape, minus, equals, backspace, tab, brackets, enter, control, semicolon, quote, grave,
  // left shift, backslash, comma, space, and a scan code beyond the main block.
  for (uint32_t other : {0x00u, 0x01u, 0x0Cu, 0x0Du, 0x0Eu, 0x0Fu, 0x1Au, 0x1Bu, 0x1Cu, 0x1Du,
                         0x27u, 0x28u, 0x29u, 0x2Au, 0x2Bu, 0x33u, 0x39u, 0x148u}) {
    EXPECT_FALSE(UsKeyOfScanCode(other).has_value()) << other;
  }
}

}  // namespace
}  // namespace merin
