// SPDX-License-Identifier: MIT
#include "formats/melodyfile.h"

#include <random>
#include <set>

#include <gtest/gtest.h>

#include "core/notecode.h"
#include "core/pitch.h"
#include "formats/fileio.h"
#include "support/melodies.h"
#include "support/tempfolder.h"

namespace merin::formats {
namespace {

using test::MelodyOf;

std::string Repeat(const std::string& token, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += token + " ";
  return text;
}

struct Good {
  const char* what;
  std::string bytes;
  SlotCodes codes;
};

TEST(ReadMelodyFile, ReadsGoodFiles) {
  const Good cases[] = {
      {"empty file", "", MelodyOf({})},
      {"only the header", "# Merinkast98 melody\n", MelodyOf({})},
      {"pitch names", "C4 D4 E4 F4 G4 A4 B4 C5 B5",
       MelodyOf({"11", "21", "31", "41", "51", "61", "71", "13", "72"})},
      {"sharps", "C#4 D#4 F#4 G#4 A#4 C#5 A#5",
       MelodyOf({"12", "22", "42", "52", "62", "14", "64"})},
      {"lower case", "c4 d#5 e5 r b4 R", MelodyOf({"11", "24", "32", "01", "71", "01"})},
      {"codes", "11 72 01 99 64 32", MelodyOf({"11", "72", "01", "99", "64", "32"})},
      {"rest and empty", "r - C4", MelodyOf({"01", "99", "11"})},
      {"comments", "# a tune\n  # indented comment: C4\nE4\n#C4\nF4", MelodyOf({"31", "41"})},
      {"CR LF and tabs", "# Merinkast98 melody\r\nC4\tD4\r\n\t E4 \r\n",
       MelodyOf({"11", "21", "31"})},
      {"byte-order mark", "\xEF\xBB\xBF# Merinkast98 melody\nG4", MelodyOf({"51"})},
      {"CR line ends", "# Merinkast98 melody\rC4 D4\r# E4\rF4\r", MelodyOf({"11", "21", "41"})},
      {"UTF-8 in a comment", "# \xE3\x81\x8B\xE3\x81\x88\xE3\x82\x8B\xE3\x81\xAE\xE6\xAD\x8C\nC5",
       MelodyOf({"13"})},
      {"30 tokens", Repeat("A4", 30),
       MelodyOf({"61", "61", "61", "61", "61", "61", "61", "61", "61", "61",
                 "61", "61", "61", "61", "61", "61", "61", "61", "61", "61",
                 "61", "61", "61", "61", "61", "61", "61", "61", "61", "61"})},
      {"30 tokens and a comment after", Repeat("A4", 30) + "\n# the end C4 C4\n",
       MelodyOf({"61", "61", "61", "61", "61", "61", "61", "61", "61", "61",
                 "61", "61", "61", "61", "61", "61", "61", "61", "61", "61",
                 "61", "61", "61", "61", "61", "61", "61", "61", "61", "61"})},
  };
  for (const auto& c : cases) {
    auto read = ReadMelodyFile(c.bytes, "a.mk98");
    ASSERT_TRUE(std::holds_alternative<SlotCodes>(read))
        << c.what << ": " << Words(std::get<Refusal>(read), Language::English);
    EXPECT_EQ(std::get<SlotCodes>(read), c.codes) << c.what;
  }
}

TEST(ReadMelodyFile, RefusesBadFilesNamingThePlace) {
  const struct {
    const char* what;
    std::string bytes, message;
  } cases[] = {
      {"31 tokens", "# Merinkast98 melody\n" + Repeat("C4", 10) + "\n" + Repeat("C4", 20) + " D4",
       "a.mk98:3:62: \"D4\": more than 30 tokens"},
      {"H4", "C4 H4",
       "a.mk98:1:4: \"H4\": not a note code (11..72, 01, 99) or a pitch name "
       "(C4..B5, C#4, r, -)"},
      {"C6", "\n\tC6", "a.mk98:2:2: \"C6\": outside the handset's range C4..B5"},
      {"B3", "C4\r\n  B3", "a.mk98:2:3: \"B3\": outside the handset's range C4..B5"},
      {"B3 after CR line ends", "C4\r\rB3",
       "a.mk98:3:1: \"B3\": outside the handset's range C4..B5"},
      {"E#4", "E#4", "a.mk98:1:1: \"E#4\": E and B have no sharp"},
      {"code out of the table", "15",
       "a.mk98:1:1: \"15\": not a note code (11..72, 01, 99) or a "
       "pitch name (C4..B5, C#4, r, -)"},
      {"comment mark inside a line", "C4 # no comment",
       "a.mk98:1:4: \"#\": not a note code (11..72, 01, 99) or a pitch name (C4..B5, C#4, r, -)"},
      {"columns count characters", "# \xE9\x9F\xB3\xE6\xA5\xBD\n\xE9\x9F\xB3 x",
       "a.mk98:2:1: \"\xE9\x9F\xB3\": not a note code (11..72, 01, 99) or a pitch name (C4..B5, "
       "C#4, r, -)"},
      {"binary", std::string("C4 D4\n\x01\x02\0\x03", 10),
       "a.mk98:2:3: binary data (a NUL byte), not text"},
      {"invalid UTF-8", "# caf\xE9\nC4", "a.mk98:1:6: not UTF-8 text (an invalid byte sequence)"},
      {"overlong UTF-8", "C4 \xC0\xAF", "a.mk98:1:4: not UTF-8 text (an invalid byte sequence)"},
      {"UTF-16 surrogate", "\xED\xA0\x80", "a.mk98:1:1: not UTF-8 text (an invalid byte sequence)"},
      {"cut UTF-8", "C4 \xE3\x81", "a.mk98:1:4: not UTF-8 text (an invalid byte sequence)"},
      {"65 KiB", "# " + std::string(65 * 1024, 'x'), "a.mk98: larger than 64 KiB"},
  };
  for (const auto& c : cases) {
    auto read = ReadMelodyFile(c.bytes, "a.mk98");
    ASSERT_TRUE(std::holds_alternative<Refusal>(read)) << c.what;
    EXPECT_EQ(Words(std::get<Refusal>(read), Language::English), c.message) << c.what;
  }
}

TEST(ReadMelodyFile, TakesExactly64KiB) {
  std::string bytes = "C4\n# " + std::string(kMaxInputBytes, 'x');
  bytes.resize(kMaxInputBytes);
  EXPECT_TRUE(std::holds_alternative<SlotCodes>(ReadMelodyFile(bytes, "a")));
  bytes += "x";
  EXPECT_TRUE(std::holds_alternative<Refusal>(ReadMelodyFile(bytes, "a")));
}

TEST(WriteMelodyFile, WritesTheHeaderAndTenAlignedTokensALine) {
  const SlotCodes codes = MelodyOf({"11", "11", "21", "99", "01", "14", "72"});
  EXPECT_EQ(WriteMelodyFile(codes),
            "# Merinkast98 melody\n"
            "C4  C4  D4  -   r   C#5 B5  -   -   -\n"
            "-   -   -   -   -   -   -   -   -   -\n"
            "-   -   -   -   -   -   -   -   -   -\n");
}

TEST(WriteMelodyFile, RoundTripsRandomMelodiesByteForByte) {
  std::mt19937 random(20261207);
  std::vector<std::string> codes = NoteCodes();
  codes.push_back(std::string(kRestCode));
  codes.push_back(std::string(kEmptyCode));
  std::uniform_int_distribution<size_t> pick(0, codes.size() - 1);
  for (int n = 0; n < 10000; ++n) {
    SlotCodes melody;
    for (auto& slot : melody) slot = codes[pick(random)];
    const std::string file = WriteMelodyFile(melody);
    auto read = ReadMelodyFile(file, "r.mk98");
    ASSERT_TRUE(std::holds_alternative<SlotCodes>(read)) << file;
    ASSERT_EQ(std::get<SlotCodes>(read), melody) << file;
    ASSERT_EQ(WriteMelodyFile(std::get<SlotCodes>(read)), file);
  }
}

// Saving and opening through real files, the way the window and the command line do.
TEST(MelodyFile, SavedFileOpensAgain) {
  test::TempFolder folder;
  const std::string path = folder / "tune.mk98";
  const SlotCodes melody = MelodyOf({"51", "51", "61", "51", "13", "71", "01", "51"});
  ASSERT_EQ(WriteFileAtomically(path, WriteMelodyFile(melody)), std::nullopt);
  auto bytes = ReadInputFile(path);
  ASSERT_TRUE(std::holds_alternative<std::string>(bytes));
  auto read = ReadMelodyFile(std::get<std::string>(bytes), path);
  ASSERT_TRUE(std::holds_alternative<SlotCodes>(read));
  EXPECT_EQ(std::get<SlotCodes>(read), melody);
}

}  // namespace
}  // namespace merin::formats
