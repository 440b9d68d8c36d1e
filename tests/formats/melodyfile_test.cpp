// SPDX-License-Identifier: MIT
#include "formats/melodyfile.h"

#include <cerrno>
#include <random>
#include <regex>
#include <set>

#include <gtest/gtest.h>

#include "core/errorwords.h"
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
  Codes codes;
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
    ASSERT_TRUE(std::holds_alternative<Codes>(read))
        << c.what << ": " << Words(std::get<Refusal>(read), Language::English);
    EXPECT_EQ(std::get<Codes>(read), c.codes) << c.what;
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
  EXPECT_TRUE(std::holds_alternative<Codes>(ReadMelodyFile(bytes, "a")));
  bytes += "x";
  EXPECT_TRUE(std::holds_alternative<Refusal>(ReadMelodyFile(bytes, "a")));
}

TEST(Refusal, MessageLeavesOutWhatIsUnknown) {
  const auto at = [](std::string file, size_t line, size_t column, std::string token,
                     std::optional<size_t> offset = std::nullopt) {
    Refusal refusal(Fault::EmptySetting, std::move(file));
    refusal.line = line;
    refusal.column = column;
    refusal.token = std::move(token);
    refusal.offset = offset;
    return refusal;
  };
  const struct {
    Refusal error;
    Language language;
    std::string message;
  } cases[] = {
      {at("f.mk98", 3, 7, "H4"), Language::English, "f.mk98:3:7: \"H4\": empty setting"},
      {at("f.mk98", 3, 7, "H4"), Language::Japanese, "f.mk98:3:7: \"H4\": 設定が空です"},
      {at("f.mk98", 3, 0, ""), Language::English, "f.mk98:3: empty setting"},
      {at("f.mk98", 0, 0, ""), Language::English, "f.mk98: empty setting"},
      {at("f.mid", 0, 0, "", 12), Language::English, "f.mid: byte 12: empty setting"},
      {at("f.mid", 0, 0, "", 12), Language::Japanese, "f.mid: 12 バイト目: 設定が空です"},
      {at("", 2, 1, "x"), Language::English, "2:1: \"x\": empty setting"},
      {at("", 0, 0, ""), Language::English, "empty setting"},
      {at("f", 1, 1, "a\"b\\c\x01"), Language::English,
       "f:1:1: \"a\\\"b\\\\c\\x01\": empty setting"},
      {at("f", 1, 1, std::string(38, 'a') + "\xE9\x9F\xB3\xE9\x9F\xB3"), Language::English,
       "f:1:1: \"" + std::string(38, 'a') + "...\": empty setting"},
      {at("f\x1b[2J\xC2\x9B\x7F\xFF\xE9\x9F\xB3", 0, 0, ""), Language::English,
       "f\\x1b[2J\\xc2\\x9b\\x7f\\xff\xE9\x9F\xB3: empty setting"},
      // Bidirectional controls would turn what follows around: U+202E, U+2067, U+200F, U+061C.
      {at("a\u202Etxt.exe\u2067\u200F\u061C\u2010", 0, 0, ""), Language::English,
       "a\\xe2\\x80\\xaetxt.exe\\xe2\\x81\\xa7\\xe2\\x80\\x8f\\xd8\\x9c\u2010: empty setting"},
  };
  for (const auto& c : cases) EXPECT_EQ(Words(c.error, c.language), c.message);
}

// The English is ASCII; the Japanese has no Latin-letter word but names of formats, programs and
// techniques, the iMelody keywords, one-letter tokens and the instrument of program 3.
void ExpectOneLanguage(const std::string& en, const std::string& ja) {
  static const std::set<std::string> kNames = {
      "RTTTL", "MIDI", "iMelody", "File", "KiB",   "NUL",   "UTF", "libsndfile", "C4",
      "B5",    "MThd", "Honky",   "tonk", "Piano", "BEGIN", "END", "IMELODY",    "MELODY"};
  for (const char c : en) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << en;
  const std::regex word("[A-Za-z][A-Za-z0-9]*");
  for (std::sregex_iterator i(ja.begin(), ja.end(), word), end; i != end; ++i)
    EXPECT_TRUE(i->length() == 1 || kNames.count(i->str())) << i->str() << " in " << ja;
  EXPECT_NE(en, ja);
}

TEST(Refusal, EveryKindSpeaksOneLanguageAtATime) {
  Refusal r(Fault(0), "1", {1, 2, 3});
  r.offset = 4;
  for (; !Reason(r, Language::English).empty(); r.fault = Fault(int(r.fault) + 1))
    ExpectOneLanguage(Words(r, Language::English), Words(r, Language::Japanese));
  EXPECT_GT(r.fault, Fault::NoParts);
  ReportLine line{Change(0), r.values, ""};
  for (; !Words(line, Language::English).empty(); line.change = Change(int(line.change) + 1))
    ExpectOneLanguage(Words(line, Language::English), Words(line, Language::Japanese));
  EXPECT_GT(line.change, Change::TitleCleaned);
  for (int error = kNameNotUtf8; error <= EDQUOT; ++error)
    ExpectOneLanguage(ErrorWords(error, Language::English), ErrorWords(error, Language::Japanese));
}

TEST(WriteMelodyFile, WritesTheHeaderAndTenAlignedTokensALine) {
  const Codes codes = MelodyOf({"11", "11", "21", "99", "01", "14", "72"});
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
    Codes melody;
    for (auto& slot : melody) slot = codes[pick(random)];
    const std::string file = WriteMelodyFile(melody);
    auto read = ReadMelodyFile(file, "r.mk98");
    ASSERT_TRUE(std::holds_alternative<Codes>(read)) << file;
    ASSERT_EQ(std::get<Codes>(read), melody) << file;
    ASSERT_EQ(WriteMelodyFile(std::get<Codes>(read)), file);
  }
}

// Saving and opening through real files, the way the window and the command line do.
TEST(MelodyFile, SavedFileOpensAgain) {
  test::TempFolder folder;
  const std::string path = folder / "tune.mk98";
  const Codes melody = MelodyOf({"51", "51", "61", "51", "13", "71", "01", "51"});
  ASSERT_EQ(WriteFileAtomically(path, WriteMelodyFile(melody)), std::nullopt);
  auto bytes = ReadInputFile(path);
  ASSERT_TRUE(std::holds_alternative<std::string>(bytes));
  auto read = ReadMelodyFile(std::get<std::string>(bytes), path);
  ASSERT_TRUE(std::holds_alternative<Codes>(read));
  EXPECT_EQ(std::get<Codes>(read), melody);
}

}  // namespace
}  // namespace merin::formats
