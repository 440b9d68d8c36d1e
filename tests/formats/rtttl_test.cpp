// SPDX-License-Identifier: MIT
#include "formats/rtttl.h"

#include <random>

#include <gtest/gtest.h>

#include "core/notecode.h"
#include "core/pitch.h"
#include "formats/writeas.h"
#include "support/melodies.h"

namespace merin::formats {
namespace {

using test::MelodyOf;

const std::string kDurations = "音の長さは使いません（すべて同じ長さになります）";

struct Tune {
  const char* what;
  std::string text;
  SlotCodes codes;
  std::vector<std::string> report;
};

// Public-domain tunes and small made-up ones, written out by hand.
TEST(ReadRtttl, ReadsTunes) {
  const Tune cases[] = {
      {"octave 5 fits as it is; a dot before the octave; a tie between 0 and -1 takes 0",
       "Ode:d=4,o=5,b=120:e5,e5,f5,g5,g5,f5,e5,d5,c5,c5,d5,e5,e.5,8d5,2d5",
       MelodyOf({"32", "32", "43", "53", "53", "43", "32", "23", "13", "13", "23", "32", "32", "23",
                 "23"}),
       {kDurations}},
      {"empty settings: o=6 and d=4 by default; -1 and -2 tie, -1 is smaller",
       "Twinkle::c,c,g,g,a,a,2g,f,f,e,e,d,d,2c",
       MelodyOf(
           {"13", "13", "53", "53", "63", "63", "53", "43", "43", "32", "32", "23", "23", "13"}),
       {"全体を 1 オクターブ下げました", kDurations}},
      {"a tie between -1 and +1 takes the lower shift, then folds",
       "Tie:o=4,d=4:c3,c6",
       MelodyOf({"11", "13"}),
       {"全体を 1 オクターブ下げました", "音域外の 1 音をオクターブ移して収めました"}},
      {"shift 0 wins a tie of four; three notes fold to the nearest octave inside",
       "Wide:d=8,o=5,b=100:c4,c5,c6,c7,a3",
       MelodyOf({"11", "13", "13", "13", "61"}),
       {"音域外の 3 音をオクターブ移して収めました"}},
      {"a low tune goes up",
       "Low:d=4,o=3,b=100:c,e,g,c4",
       MelodyOf({"11", "31", "51", "13"}),
       {"全体を 1 オクターブ上げました"}},
      {"a high tune goes down two octaves, not three",
       "High:o=7:c,d,e",
       MelodyOf({"13", "23", "32"}),
       {"全体を 2 オクターブ下げました"}},
      {"only the first 30 notes are kept",
       "Jacques:d=4,o=5,b=120:c,d,e,c,c,d,e,c,e,f,2g,e,f,2g,8g,8a,8g,8f,e,c,8g,8a,8g,8f,e,c,c,g4,"
       "2c,c,g4,2c",
       MelodyOf({"13", "23", "32", "13", "13", "23", "32", "13", "32", "43",
                 "53", "32", "43", "53", "53", "63", "53", "43", "32", "13",
                 "53", "63", "53", "43", "32", "13", "13", "51", "13", "13"}),
       {"31 番目以降の 2 個の音符・休符を省きました", kDurations}},
      {"white space anywhere, upper case, h for b, pauses with duration and dot, v and s",
       " Forms : D = 8 , O = 4 , B = 9 0 , V = 10, S = n : 16C#5, h, H4., 2p., p, c#.6, 32e, a#",
       MelodyOf({"14", "71", "71", "01", "01", "14", "31", "62"}),
       {"音域外の 1 音をオクターブ移して収めました", kDurations}},
      {"the lowest and highest notes: the first of the tied shifts in order 0, -1, 1, -2, ... "
       "is +3",
       "Extremes:d=4:c1,b#8",
       MelodyOf({"11", "13"}),
       {"全体を 3 オクターブ上げました", "音域外の 1 音をオクターブ移して収めました"}},
      {"e# is f, b# the next c", "Sharp:d=4,o=5,b=63:e#4,b#4", MelodyOf({"41", "13"}), {}},
      {"an empty notes part", "Silence:d=4,o=5,b=100:", MelodyOf({}), {}},
      {"blank notes part, no name", ":d=4: \r\n ", MelodyOf({}), {}},
      {"pauses only", "Rests::p,p,8p", MelodyOf({"01", "01", "01"}), {kDurations}},
      {"byte-order mark and CR LF lines",
       "\xEF\xBB\xBFMary:d=4,o=5,b=100:\r\ne,d,c,d,\r\ne,e,e",
       MelodyOf({"32", "23", "13", "23", "32", "32", "32"}),
       {}},
      {"a name of any length and any characters",
       std::string(300, 'N') + " \xE6\x9B\xB2 :d=2:c5",
       MelodyOf({"13"}),
       {}},
      {"what players let pass: a 64th, d=64, an octave after a pause, a sharp after the octave, "
       "a comma and a line end after the last note",
       "Loose:d=64,o=5:64c,8p6,a5#,c,\r\n",
       MelodyOf({"13", "01", "64", "13"}),
       {kDurations}},
      {"30 notes exactly: nothing dropped",
       "Thirty::" +
           [] {
             std::string notes = "c5";
             for (int i = 1; i < 30; ++i) notes += ",d5";
             return notes;
           }(),
       MelodyOf({"13", "23", "23", "23", "23", "23", "23", "23", "23", "23",
                 "23", "23", "23", "23", "23", "23", "23", "23", "23", "23",
                 "23", "23", "23", "23", "23", "23", "23", "23", "23", "23"}),
       {}},
  };
  for (const auto& c : cases) {
    auto read = ReadRtttl(c.text, "t.rtttl");
    ASSERT_TRUE(std::holds_alternative<Imported>(read))
        << c.what << ": " << Words(std::get<Refusal>(read), Language::English);
    EXPECT_EQ(std::get<Imported>(read).codes, c.codes) << c.what;
    EXPECT_EQ(Words(std::get<Imported>(read).report, Language::Japanese), c.report) << c.what;
  }
}

TEST(ReadRtttl, RefusesWithPositionAndReason) {
  const std::string kLetter = "not a note letter (a..g, h) or a pause (p)";
  const std::string kDuration = "duration is not one of 1, 2, 4, 8, 16, 32, 64";
  const std::string kComma =
      "a comma expected after the note (sharp, dot and octave come before it)";
  std::string thirtyFive;
  for (int i = 0; i < 35; ++i) thirtyFive += i == 32 ? "x," : "c,";
  thirtyFive.pop_back();
  const struct {
    const char* what;
    std::string text, message;
  } cases[] = {
      {"no colon", "hello c,d,e", "t.rtttl: not RTTTL: no ':' after the name"},
      {"one colon", "name:d=4,o=5,b=100",
       "t.rtttl:1:5: not RTTTL: no ':' after the settings (name:settings:notes)"},
      {"unknown letter", "T:d=4:c,x,e", "t.rtttl:1:9: \"x\": " + kLetter},
      {"unknown letter after the 30th note", "T::" + thirtyFive, "t.rtttl:1:68: \"x\": " + kLetter},
      {"unknown letter on line 3", "T:d=4:\nc,d,\n  q", "t.rtttl:3:3: \"q\": " + kLetter},
      {"a third colon", "T::c:d", "t.rtttl:1:5: \"c:d\": " + kComma},
      {"the token stops at its line end", "T::f#6 x\nc", "t.rtttl:1:8: \"f#6 x\": " + kComma},
      {"octave 9", "T::c9", "t.rtttl:1:5: \"c9\": octave outside 1..8"},
      {"octave 0", "T::8c0", "t.rtttl:1:6: \"8c0\": octave outside 1..8"},
      {"octave 9 in the settings", "T:o=9:c", "t.rtttl:1:5: \"o=9\": octave outside 1..8"},
      {"duration 3", "T::3c", "t.rtttl:1:4: \"3c\": " + kDuration},
      {"duration 128 in the settings", "T:d=128:c", "t.rtttl:1:5: \"d=128\": " + kDuration},
      {"a huge duration", "T::" + std::string(40, '9') + "c",
       "t.rtttl:1:4: \"" + std::string(40, '9') + "...\": " + kDuration},
      {"tempo 0", "T:b=0:c", "t.rtttl:1:5: \"b=0\": tempo must be above 0"},
      {"unknown setting", "T:x=1:c", "t.rtttl:1:3: \"x=1\": unknown setting (d, o, b, v or s)"},
      {"setting without value", "T:d=:c", "t.rtttl:1:5: \"d=\": number expected"},
      {"setting without '='", "T:dur=4:c",
       "t.rtttl:1:4: \"dur=4\": '=' expected after the setting"},
      {"empty setting", "T:d=4,,o=5:c", "t.rtttl:1:7: empty setting"},
      {"empty note", "T::c,,d", "t.rtttl:1:6: empty note"},
      {"duration without a letter, at the end: its last line and column", "T::c,\n8\r\n\n",
       "t.rtttl:2:1: \"8\": a note letter expected after the duration"},
      {"pause with sharp", "T::p#", "t.rtttl:1:5: \"p#\": a pause has no sharp"},
      {"two dots", "T::c.5.", "t.rtttl:1:7: \"c.5.\": " + kComma},
      {"binary", std::string("T::c,\0d", 7), "t.rtttl:1:6: binary data (a NUL byte), not text"},
      {"over 1 MiB", "T::" + std::string(kMaxCollectionBytes, 'c'),
       "t.rtttl: larger than 1024 KiB"},
  };
  for (const auto& c : cases) {
    auto read = ReadRtttl(c.text, "t.rtttl");
    ASSERT_TRUE(std::holds_alternative<Refusal>(read)) << c.what;
    EXPECT_EQ(Words(std::get<Refusal>(read), Language::English), c.message) << c.what;
  }
}

TEST(WriteRtttl, WritesEverySlotUpToTheLastSound) {
  const std::string kanji = "\xE6\x9B\xB2";
  std::string kanji64;
  for (int i = 0; i < 64; ++i) kanji64 += kanji;
  const struct {
    SlotCodes codes;
    std::string name, text;
    bool said;  // the name changed, and the report says so
  } cases[] = {
      {MelodyOf({"11", "12", "99", "01", "72"}), "Song", "Song:d=4,o=5,b=214:c4,c#4,p,p,b5", false},
      {MelodyOf({"99", "31", "64", "01", "99"}), "Morning Song!",
       "Morning Song!:d=4,o=5,b=214:p,e4,a#5,p", false},
      {MelodyOf({}), "Empty", "Empty:d=4,o=5,b=214:", false},
      {MelodyOf({"13"}), kanji, kanji + ":d=4,o=5,b=214:c5", false},
      {MelodyOf({"13"}), "a:b,c\td", "abcd:d=4,o=5,b=214:c5", true},
      {MelodyOf({"13"}), std::string(70, 'x'), std::string(64, 'x') + ":d=4,o=5,b=214:c5", true},
      {MelodyOf({"13"}), kanji64 + kanji, kanji64 + ":d=4,o=5,b=214:c5", true},
      {MelodyOf({"13"}), ":,", "melody:d=4,o=5,b=214:c5", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WriteRtttl(c.codes, c.name), c.text);
    EXPECT_EQ(RtttlNameChange(c.name).has_value(), c.said) << c.name;
  }
  const auto said = RtttlNameChange("a:b");
  ASSERT_TRUE(said);
  EXPECT_EQ(Words(*said, Language::English),
            "the RTTTL name leaves out ':' and ',' and keeps at most 64 characters: ab");
}

TEST(RtttlNameOf, KeepsTheBaseName) {
  const std::pair<std::string, std::string> cases[] = {
      {"tunes/My Song-2.mk98", "My Song-2"},
      {"a.b.mid", "a.b"},
      {"C:\\tunes\\Nokia.rtttl", "Nokia"},
      {"dir.d/plain", "plain"},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(RtttlNameOf(path), name) << path;
}

TEST(Rtttl, ExportOfRandomMelodiesImportsBackTheSlots) {
  std::mt19937 random(7);
  std::vector<std::string> codes = NoteCodes();
  codes.push_back(std::string(kRestCode));
  codes.push_back(std::string(kEmptyCode));
  codes.push_back(std::string(kEmptyCode));
  std::uniform_int_distribution<size_t> pick(0, codes.size() - 1);
  std::uniform_int_distribution<size_t> length(0, 30);
  for (int n = 0; n < 10000; ++n) {
    SlotCodes melody;
    melody.fill("99");
    const size_t used = length(random);
    for (size_t i = 0; i < used; ++i) melody[i] = codes[pick(random)];
    SlotCodes expected = melody;
    size_t last = used;
    while (last > 0 && melody[last - 1] == "99") --last;
    for (size_t i = 0; i < last; ++i) {
      if (expected[i] == "99") expected[i] = "01";
    }
    const std::string text = WriteRtttl(melody, "Random");
    auto read = ReadRtttl(text, "r.rtttl");
    ASSERT_TRUE(std::holds_alternative<Imported>(read)) << text;
    ASSERT_EQ(std::get<Imported>(read).codes, expected) << text;
    ASSERT_EQ(std::get<Imported>(read).title, "Random");
    ASSERT_EQ(Words(std::get<Imported>(read).report, Language::Japanese),
              std::vector<std::string>{})
        << text;
  }
}

// The first line of a read's report, or its refusal, in English.
std::string Outcome(const std::variant<Imported, Refusal>& read) {
  auto* refusal = std::get_if<Refusal>(&read);
  return refusal ? Words(*refusal, Language::English)
                 : Words(std::get<Imported>(read).report, Language::English).front();
}

TEST(RtttlCollection, ListsEveryTuneAndTakesTheOneAsked) {
  const std::string text =
      "# my tunes\nIndiana Jones:d=4,o=5,b=250:e,8p,8f,8g,\n\nBad:d=4:c,x\n  # no tune: d=4:c\n"
      "Long:d=8,o=5:c,d,\n d,e,f\n";
  const std::string kLetter = "not a note letter (a..g, h) or a pause (p)";
  const std::string bad = "t.rtttl:4:11: \"x\": " + kLetter;
  // Each tune listed: its title and notes, or why it cannot be taken.
  const std::pair<std::string, std::string> lists[] = {
      {text, "Indiana Jones: 4\nBad: " + bad + "\nLong: 5\n"},
      {"one:d=4:c\rtwo:d=4:x\r", "one: 1\ntwo: t.rtttl:2:9: \"x\": " + kLetter + "\n"},
      {"one:d=4:c\r\ntwo:d=4:x\r\n", "one: 1\ntwo: t.rtttl:2:9: \"x\": " + kLetter + "\n"},
      {"a::c\n\nb::c,\r\n  x\n", "a: 1\nb: t.rtttl:4:3: \"x\": " + kLetter + "\n"},
  };
  for (const auto& [bytes, expected] : lists) {
    const std::vector<RtttlTune> tunes = ListRtttlTunes(bytes, "t.rtttl");
    std::string list;
    for (size_t i = 0; i < tunes.size(); ++i) {
      const auto read = ReadListedTune(bytes, "t.rtttl", tunes, i + 1);
      list += tunes[i].title + ": " +
              (tunes[i].refused ? Words(std::get<Refusal>(read), Language::English)
                                : std::to_string(tunes[i].notes)) +
              "\n";
    }
    EXPECT_EQ(list, expected) << bytes;
  }
  // The tune asked for, and the first line of its report or its refusal, taken alike from the
  // text and from its list.
  const std::vector<RtttlTune> tunes = ListRtttlTunes(text, "t.rtttl");
  const std::pair<size_t, std::string> cases[] = {{0, "took tune 1 of 3: Indiana Jones"},
                                                  {3, "took tune 3 of 3: Long"},
                                                  {2, bad},
                                                  {4, "t.rtttl: no tune 4 (the text has 3)"}};
  for (const auto& [tune, outcome] : cases) {
    EXPECT_EQ(Outcome(ReadRtttl(text, "t.rtttl", {.tune = tune})), outcome);
    EXPECT_EQ(Outcome(ReadListedTune(text, "t.rtttl", tunes, tune)), outcome);
  }
  auto long_ = ReadRtttl(text, "t.rtttl", {.tune = 3});
  EXPECT_EQ(std::get<Imported>(long_).codes, MelodyOf({"13", "23", "23", "32", "43"}));
  // One tune spanning lines is no collection, and a text up to 1 MiB is read.
  auto one = ReadRtttl("Tune:d=4,\no=5:\nc,\nd" + std::string(512 * 1024, ' '), "t.rtttl");
  ASSERT_TRUE(std::holds_alternative<Imported>(one));
  EXPECT_TRUE(std::get<Imported>(one).report.empty());
}

TEST(ReadAnyMelody, TellsMelodyFilesFromRtttlByContent) {
  const struct {
    const char* what;
    std::string text;
    SlotCodes codes;
    std::vector<std::string> report;
  } cases[] = {
      {"melody file with header", "# Merinkast98 melody\nC4 r", MelodyOf({"11", "01"}), {}},
      {"header after a byte-order mark",
       "\xEF\xBB\xBF# Merinkast98 melody\nD4",
       MelodyOf({"21"}),
       {}},
      {"tokens only", "E4 11\n72", MelodyOf({"31", "11", "72"}), {}},
      {"a colon in a comment", "# saved: today\nF4", MelodyOf({"41"}), {}},
      {"a colon in a comment ended by CR", "# saved: today\rF4", MelodyOf({"41"}), {}},
      {"empty text", "", MelodyOf({}), {}},
      {"RTTTL",
       "Low:d=4,o=3,b=100:c,e,g,c4",
       MelodyOf({"11", "31", "51", "13"}),
       {"全体を 1 オクターブ上げました"}},
      {"RTTTL after a comment-like name", "Tune\n:d=4,o=5:c5", MelodyOf({"13"}), {}},
  };
  for (const auto& c : cases) {
    auto read = ReadAny(c.text, "x");
    ASSERT_TRUE(std::holds_alternative<Imported>(read))
        << c.what << ": " << Words(std::get<Refusal>(read), Language::English);
    EXPECT_EQ(std::get<Imported>(read).codes, c.codes) << c.what;
    EXPECT_EQ(Words(std::get<Imported>(read).report, Language::Japanese), c.report) << c.what;
  }
}

TEST(ReadAnyMelody, RefusesWithTheReaderItChose) {
  const std::pair<std::string, std::string> cases[] = {
      {"C4 H4",
       "x:1:4: \"H4\": not a note code (11..72, 01, 99) or a pitch name (C4..B5, C#4, r, "
       "-)"},
      {"C4: D4", "x:1:3: not RTTTL: no ':' after the settings (name:settings:notes)"},
      {"# Merinkast98 melody\nT::c",
       "x:2:1: \"T::c\": not a note code (11..72, 01, 99) or a "
       "pitch name (C4..B5, C#4, r, -)"},
  };
  for (const auto& [text, message] : cases) {
    auto read = ReadAny(text, "x");
    ASSERT_TRUE(std::holds_alternative<Refusal>(read)) << text;
    EXPECT_EQ(Words(std::get<Refusal>(read), Language::English), message);
  }
}

}  // namespace
}  // namespace merin::formats
