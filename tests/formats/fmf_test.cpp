// SPDX-License-Identifier: MIT
#include "formats/fmf.h"

#include <gtest/gtest.h>

#include "formats/formatlist.h"
#include "formats/rtttl.h"
#include "support/melodies.h"

namespace merin::formats {
namespace {

using test::MelodyOf;

const std::string kDurations = "音の長さは使いません（すべて同じ長さになります）";

// A Flipper Music Format text of `notes`, with the default duration and octave given.
std::string Fmf(const std::string& notes, const std::string& duration = "4",
                const std::string& octave = "5", const std::string& bpm = "120",
                const std::string& version = "0") {
  return "Filetype: Flipper Music Format\nVersion: " + version + "\nBPM: " + bpm +
         "\nDuration: " + duration + "\nOctave: " + octave + "\nNotes: " + notes + "\n";
}

TEST(ReadFmf, ReadsEveryNoteForm) {
  const struct {
    const char* what;
    std::string text;
    SlotCodes codes;
    std::vector<std::string> report;
  } cases[] = {
      {"the default duration and octave", Fmf("C, D, E"), MelodyOf({"13", "23", "32"}), {}},
      {"duration, sharp and octave of each note; a pause",
       Fmf("8C4, 8D#4, 8P, 8B4"),
       MelodyOf({"11", "22", "01", "71"}),
       {}},
      {"lower case, spaces between notes, a comma after the last",
       Fmf("c5 e5  g5,"),
       MelodyOf({"13", "32", "53"}),
       {}},
      {"a dot makes another duration", Fmf("C5., C5"), MelodyOf({"13", "13"}), {kDurations}},
      {"sixteen dots", Fmf("C5................"), MelodyOf({"13"}), {}},
      {"durations 1 and 128", Fmf("1C5, 128D5"), MelodyOf({"13", "23"}), {kDurations}},
      {"an octave after a pause is ignored", Fmf("P9, C5"), MelodyOf({"01", "13"}), {}},
      {"e# is f, b# the next c", Fmf("E#5, B#4"), MelodyOf({"43", "13"}), {}},
      {"octave 0 goes up",
       Fmf("C0, E0"),
       MelodyOf({"11", "31"}),
       {"全体を 4 オクターブ上げました"}},
      {"octave 16 goes down", Fmf("B#16"), MelodyOf({"13"}), {"全体を 12 オクターブ下げました"}},
      {"the default octave", Fmf("C, D5", "4", "4"), MelodyOf({"11", "23"}), {}},
      {"a note of the default duration written out", Fmf("8C, C", "8"), MelodyOf({"13", "13"}), {}},
      {"the default duration differs", Fmf("4C, C", "8"), MelodyOf({"13", "13"}), {kDurations}},
      {"no notes", Fmf(""), MelodyOf({}), {}},
      {"keys in another order, CR LF, comments and a byte-order mark",
       "\xEF\xBB\xBF\r\nFiletype: Flipper Music Format\r\n# a comment\r\nNotes: A4\r\nOctave: 5\r\n"
       "Duration: 4\r\n\r\nBPM: 90\r\nVersion: 0\r\n",
       MelodyOf({"61"}),
       {}},
  };
  for (const auto& c : cases) {
    auto read = ReadFmf(c.text, "t.fmf");
    ASSERT_TRUE(std::holds_alternative<Imported>(read))
        << c.what << ": " << Words(std::get<Refusal>(read), Language::English);
    EXPECT_EQ(std::get<Imported>(read).codes, c.codes) << c.what;
    EXPECT_EQ(Words(std::get<Imported>(read).report, Language::Japanese), c.report) << c.what;
  }
}

// Flipper files as people write them: a Title line after Version, and keys the player skips.
TEST(ReadFmf, TakesTheTitleLineAndSkipsTheKeysThePlayerSkips) {
  const std::string kSkipped = "skipped the lines of keys the Flipper does not read either: ";
  const struct {
    const char* what;
    std::string text, title;
    std::vector<std::string> report;
  } cases[] = {
      {"a Title line after Version",
       "Filetype: Flipper Music Format\nVersion: 0\nTitle: Marble Machine\nBPM: 130\n"
       "Duration: 8\nOctave: 5\nNotes: E5, P, B4, C5\n",
       "Marble Machine",
       {}},
      {"CR LF lines, spaces around the title, a byte-order mark",
       "\xEF\xBB\xBF"
       "Filetype: Flipper Music Format\r\nVersion: 0\r\nTitle:   Take On Me  \r\nBPM: 160\r\n"
       "Duration: 8\r\nOctave: 5\r\nNotes: F#5, F#5, D5, B4\r\n",
       "Take On Me",
       {}},
      {"a title in UTF-8",
       "Filetype: Flipper Music Format\nVersion: 0\nTitle: \xE3\x81\x95\xE3\x81\x8F\xE3\x82\x89\n"
       "BPM: 90\nDuration: 4\nOctave: 5\nNotes: A4, A4, B4\n",
       "\xE3\x81\x95\xE3\x81\x8F\xE3\x82\x89",
       {}},
      {"keys the player skips, named in the report",
       "Filetype: Flipper Music Format\nVersion: 0\nTitle: Tetris\nAuthor: someone\nBPM: 120\n"
       "Duration: 4\nComment: from a MIDI file\nOctave: 5\nNotes: E5, B4\n",
       "Tetris",
       {kSkipped + "Author, Comment"}},
      {"many keys skipped: the first eight named",
       "Filetype: Flipper Music Format\nVersion: 0\nA: 1\nB: 1\nC: 1\nD: 1\nE: 1\nF: 1\nG: 1\n"
       "H: 1\nI: 1\nBPM: 120\nDuration: 4\nOctave: 5\nNotes: E5\n",
       "t",
       {kSkipped + "A, B, C, D, E, F, G, H, \xE2\x80\xA6"}},
      {"an empty Title line: the file's name",
       "Filetype: Flipper Music Format\nVersion: 0\nTitle:\nBPM: 120\nDuration: 4\nOctave: 5\n"
       "Notes: E5\n",
       "t",
       {}},
      {"no Title line: the file's name", Fmf("C"), "t", {}},
  };
  for (const auto& c : cases) {
    auto read = ReadFmf(c.text, "dir/t.fmf");
    ASSERT_TRUE(std::holds_alternative<Imported>(read))
        << c.what << ": " << Words(std::get<Refusal>(read), Language::English);
    EXPECT_EQ(std::get<Imported>(read).title, c.title) << c.what;
    EXPECT_EQ(Words(std::get<Imported>(read).report, Language::English), c.report) << c.what;
  }
}

TEST(ReadFmf, RefusesWithPositionAndReason) {
  const std::string kHeader = "Filetype: Flipper Music Format\n";
  const std::string kAfter =
      "a comma or a space expected after the note (sharp, octave and dots "
      "come before it)";
  const struct {
    const char* what;
    std::string text, message;
  } cases[] = {
      {"another file type", "Filetype: Flipper SubGhz RAW File\nNotes: C",
       "t.fmf:1:1: \"Filetype: Flipper SubGhz RAW File\": not a Flipper music file: the first "
       "line is not \"Filetype: Flipper Music Format\""},
      {"version 1", Fmf("C", "4", "5", "120", "1"),
       "t.fmf:2:10: \"1\": Flipper music file version 1 is not read (0 is)"},
      {"a line without a key", Fmf("C") + "  C D E",
       "t.fmf:7:3: \"C D E\": a line of the form \"Key: value\" expected"},
      {"a title twice", Fmf("C") + "Title: A\nTitle: B",
       "t.fmf:8:1: \"Title: B\": Title is given twice"},
      {"a key twice", Fmf("C") + "BPM: 60", "t.fmf:7:1: \"BPM: 60\": BPM is given twice"},
      {"a key missing", kHeader + "Version: 0\nBPM: 9\nOctave: 4\nNotes: C",
       "t.fmf: no Duration line"},
      {"tempo 0", Fmf("C", "4", "5", "0"), "t.fmf:3:6: \"0\": tempo must be above 0"},
      {"a tempo that is no number", Fmf("C", "4", "5", "fast"),
       "t.fmf:3:6: \"fast\": number expected"},
      {"default duration 256", Fmf("C", "256"), "t.fmf:4:11: \"256\": duration outside 1..128"},
      {"default octave 17", Fmf("C", "4", "17"), "t.fmf:5:9: \"17\": octave outside 0..16"},
      {"duration 0", Fmf("C, 0D"), "t.fmf:6:11: \"0D\": duration outside 1..128"},
      {"octave 17", Fmf("C17"), "t.fmf:6:9: \"C17\": octave outside 0..16"},
      {"unknown letter", Fmf("C, H"), "t.fmf:6:11: \"H\": not a note letter (A..G) or a pause (P)"},
      {"a duration without a letter", Fmf("C, 8, D"),
       "t.fmf:6:12: \"8\": not a note letter (A..G) or a pause (P)"},
      {"empty note", Fmf("C,, D"), "t.fmf:6:10: empty note"},
      {"pause with sharp", Fmf("P#"), "t.fmf:6:9: \"P#\": a pause has no sharp"},
      {"seventeen dots", Fmf("C" + std::string(17, '.')),
       "t.fmf:6:9: \"C" + std::string(17, '.') + "\": at most 16 dots"},
      {"a dot before the octave", Fmf("C.5"), "t.fmf:6:10: \"C.5\": " + kAfter},
      {"binary", Fmf(std::string("C\0", 2)), "t.fmf:6:9: binary data (a NUL byte), not text"},
  };
  for (const auto& c : cases) {
    auto read = ReadFmf(c.text, "t.fmf");
    ASSERT_TRUE(std::holds_alternative<Refusal>(read)) << c.what;
    EXPECT_EQ(Words(std::get<Refusal>(read), Language::English), c.message) << c.what;
  }
}

TEST(Fmf, TheSameTuneInRtttlGivesTheSameSlots) {
  const std::pair<std::string, std::string> cases[] = {
      {"Ode:d=4,o=5,b=120:e,e,f,g,g,f,e,d,c,c,d,e,e.,8d,2d",
       Fmf("E, E, F, G, G, F, E, D, C, C, D, E, E., 8D, 2D")},
      {"Low:d=8,o=3,b=100:c,e,g,p,c4", Fmf("C, E, G, P, C4", "8", "3")},
      {"High:o=7:c,d#,a#6", Fmf("c7 d#7 a#6")},
  };
  for (const auto& [rtttl, fmf] : cases) {
    auto fromRtttl = ReadRtttl(rtttl, "t.rtttl");
    auto fromFmf = ReadFmf(fmf, "t.fmf");
    ASSERT_TRUE(std::holds_alternative<Imported>(fromRtttl)) << rtttl;
    ASSERT_TRUE(std::holds_alternative<Imported>(fromFmf)) << fmf;
    EXPECT_EQ(std::get<Imported>(fromFmf).codes, std::get<Imported>(fromRtttl).codes) << fmf;
    EXPECT_EQ(std::get<Imported>(fromFmf).title, "t") << "the file's base name";
    EXPECT_EQ(Words(std::get<Imported>(fromFmf).report, Language::English),
              Words(std::get<Imported>(fromRtttl).report, Language::English))
        << fmf;
  }
}

TEST(WriteFmf, WritesEverySlotUpToTheLastSoundAndReadsBack) {
  const struct {
    SlotCodes codes;
    std::string notes;
    SlotCodes back;  // an empty slot before the last sound comes back as a rest
  } cases[] = {
      {MelodyOf({"11", "12", "99", "01", "72"}), " C4, C#4, P, P, B5",
       MelodyOf({"11", "12", "01", "01", "72"})},
      {MelodyOf({"99", "31", "64", "99"}), " P, E4, A#5", MelodyOf({"01", "31", "64"})},
      {MelodyOf({}), "", MelodyOf({})},
  };
  for (const auto& c : cases) {
    const std::string text = WriteFmf(c.codes, "Song");
    EXPECT_EQ(text,
              "Filetype: Flipper Music Format\nVersion: 0\nTitle: Song\nBPM: 214\nDuration: 4\n"
              "Octave: 5\nNotes:" +
                  c.notes + "\n");
    auto read = ReadFmf(text, "t.fmf");
    ASSERT_TRUE(std::holds_alternative<Imported>(read)) << text;
    EXPECT_EQ(std::get<Imported>(read).codes, c.back) << text;
    EXPECT_EQ(std::get<Imported>(read).title, "Song") << text;
    EXPECT_TRUE(std::get<Imported>(read).report.empty()) << text;
  }
  EXPECT_EQ(WriteFmf(MelodyOf({"11"}), "").find("Title"), std::string::npos);
  EXPECT_EQ(WriteFmf(MelodyOf({"11"}), " a\tb\n ").find("Title: ab\n"), 42u);
}

TEST(ReadAnyMelody, TellsFlipperFilesByTheirFiletypeLine) {
  const std::pair<std::string, std::string> cases[] = {
      {Fmf("C4"), "FMF"},
      {"  \nFiletype: Flipper Music Format\n", "FMF"},
      {"Filetype: Flipper SubGhz RAW File\n", "FMF"},
      {"Filetype:d=4:c", "FMF"},
      {"Type:d=4:c", "RTTTL"},
  };
  for (const auto& [text, format] : cases) {
    EXPECT_EQ(FormatToRead(text, "t.txt").name, format) << text;
  }
}

}  // namespace
}  // namespace merin::formats
