// SPDX-License-Identifier: MIT
#include "formats/imelody.h"

#include <random>

#include <gtest/gtest.h>

#include "core/notecode.h"
#include "core/pitch.h"
#include "formats/melodyfile.h"
#include "formats/midi.h"
#include "formats/rtttl.h"
#include "formats/title.h"
#include "support/melodies.h"

namespace merin::formats {
namespace {

using test::MelodyOf;

// An iMelody text with `melody` on line 4, its first character in column 8.
std::string Imy(const std::string& melody) {
  return "BEGIN:IMELODY\nVERSION:1.2\nFORMAT:CLASS1.0\nMELODY:" + melody + "\nEND:IMELODY\n";
}

TEST(ReadImelody, ReadsTheGrammar) {
  const struct {
    const char* what;
    std::string text;
    Codes codes;
    std::string title;
    std::vector<std::string> report;
  } cases[] = {
      {"*4 before any prefix; a prefix holds for the notes after it",
       Imy("c2*3c2d*4e"),
       MelodyOf({"13", "11", "21", "32"}),
       "",
       {}},
      {"flats and sharps before the letter",
       Imy("*4&d#c*3&d"),
       MelodyOf({"14", "14", "12"}),
       "",
       {}},
      {"headers in any order, LF, version 1.0, a name; durations and specifiers dropped",
       "BEGIN:IMELODY\nNAME:Song \xE6\x9B\xB2\nMELODY:r1c1.d1:e1;\nVERSION:1.0\nEND:IMELODY",
       MelodyOf({"01", "13", "23", "32"}),
       "Song \xE6\x9B\xB2",
       {"durations are not used (every note gets the same length)"}},
      {"a repeat block", Imy("(c2d2@2)e2"), MelodyOf({"13", "23", "13", "23", "32"}), "", {}},
      {"@0 fills the 30 slots",
       Imy("*3c(d@0V+)"),
       MelodyOf({"11", "21", "21", "21", "21", "21", "21", "21", "21", "21",
                 "21", "21", "21", "21", "21", "21", "21", "21", "21", "21",
                 "21", "21", "21", "21", "21", "21", "21", "21", "21", "21"}),
       "",
       {}},
      {"effects and volumes skipped",
       Imy("ledon c vibeon V+ d backoff V12 e ledoff vibeoff V-"),
       MelodyOf({"13", "23", "32"}),
       "",
       {}},
      {"CR LF and a folded melody line",
       "BEGIN:IMELODY\r\nVERSION:1.2\r\nMELODY:c2\r\n d2\r\nEND:IMELODY\r\n",
       MelodyOf({"13", "23"}),
       "",
       {}},
      {"the fit of RTTTL",
       Imy("*6c*6e"),
       MelodyOf({"13", "32"}),
       "",
       {"moved everything down 2 octave(s)"}},
  };
  // From slot 3, @0 still fills all 30 slots that are taken.
  auto from = ReadImelody(Imy("*3cd(e@0)"), "x.imy", {.from = 3});
  ASSERT_TRUE(std::holds_alternative<Imported>(from));
  EXPECT_EQ(std::get<Imported>(from).codes.back(), "31");
  for (const auto& c : cases) {
    auto read = ReadAny(c.text, "x.imy");
    ASSERT_TRUE(std::holds_alternative<Imported>(read))
        << c.what << ": " << Words(std::get<Refusal>(read), Language::English);
    const Imported& imported = std::get<Imported>(read);
    EXPECT_EQ(imported.codes, c.codes) << c.what;
    EXPECT_EQ(imported.title, c.title) << c.what;
    EXPECT_EQ(Words(imported.report, Language::English), c.report) << c.what;
  }
}

TEST(ReadImelody, RefusesWithPositionAndReason) {
  const std::pair<std::string, std::string> cases[] = {
      {"MELODY:c\nEND:IMELODY", "x.imy:1:1: not iMelody: it does not start with BEGIN:IMELODY"},
      {"BEGIN:IMELODY\nVERSION:2.0\nMELODY:c\nEND:IMELODY",
       "x.imy:2:9: \"VERSION:2.0\": iMelody version 2.0 is not read (1.0 and 1.2 are)"},
      {"BEGIN:IMELODY\nc2d2\nEND:IMELODY",
       "x.imy:2:1: \"c2d2\": a line of the form KEY:value expected"},
      {"BEGIN:IMELODY\nEND:IMELODY", "x.imy: no MELODY line"},
      {"BEGIN:IMELODY\nMELODY:c", "x.imy: no END:IMELODY line"},
      {Imy("c(d(e@2)@2)"), "x.imy:4:11: \"(\": a repeat block inside a repeat block"},
      {Imy("c(de"), "x.imy:4:9: \"(\": a repeat block without its end (@n)"},
      {Imy("c@2)"), "x.imy:4:9: \"@\": the end of a repeat block that was not begun with '('"},
      {Imy("c*9d"), "x.imy:4:9: \"*9\": octave outside *0..*8"},
      {Imy("cxd"), "x.imy:4:9: \"x\": not a note, a rest (r), a repeat or an effect of iMelody"},
      {Imy("c#r"), "x.imy:4:9: \"#r\": not a note, a rest (r), a repeat or an effect of iMelody"},
  };
  for (const auto& [text, message] : cases) {
    auto read = ReadImelody(text, "x.imy");
    ASSERT_TRUE(std::holds_alternative<Refusal>(read)) << text;
    EXPECT_EQ(Words(std::get<Refusal>(read), Language::English), message);
  }
}

TEST(WriteImelody, WritesTheHeaderAndOneQuarterASlot) {
  EXPECT_EQ(WriteImelody(MelodyOf({"11", "99", "14", "01", "72", "99"}), "Tune"),
            "BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nNAME:Tune\r\nBEAT:214\r\n"
            "MELODY:*3c2r2*4#c2r2*4b2\r\nEND:IMELODY\r\n");
}

TEST(TitleOf, ReadsUtf8ShiftJisOrLatin1AndKeepsItShortAndClean) {
  const std::pair<std::string, std::string> cases[] = {
      {"  Indiana \xE6\x9B\xB2 ", "Indiana \xE6\x9B\xB2"},
      {"\x83\x81\x83\x8D\x83\x66\x83\x42", "\xE3\x83\xA1\xE3\x83\xAD\xE3\x83\x87\xE3\x82\xA3"},
      {"Caf\xE9", "Caf\xC3\xA9"},
      {"a\tb\r\n\x7F"
       "c\xC2\x85"
       "d",
       "abcd"},
      {std::string(70, 'x'), std::string(64, 'x')},
      {std::string(63, 'x') + " y", std::string(63, 'x')},
  };
  for (const auto& [bytes, title] : cases) EXPECT_EQ(TitleOf(bytes), title) << bytes;
}

TEST(Title, MelodyFilesKeepItOnTheLineAfterTheHeader) {
  const std::pair<std::string, std::string> cases[] = {
      {"# Merinkast98 melody\n# title: Indiana\nC4", "Indiana"},
      {"# Merinkast98 melody\r\n# title: Indiana \r\nC4", "Indiana"},
      {"# Merinkast98 melody\nC4", ""},
      {"# Merinkast98 melody\n# note\n# title: Later\nC4", ""},
  };
  for (const auto& [bytes, title] : cases) {
    auto read = ReadAny(bytes, "x.mk98");
    ASSERT_TRUE(std::holds_alternative<Imported>(read)) << bytes;
    EXPECT_EQ(std::get<Imported>(read).title, title) << bytes;
    EXPECT_EQ(std::get<Imported>(read).codes, MelodyOf({"11"})) << bytes;
  }
}

TEST(Title, RandomMelodiesAndTitlesComeBackFromEveryTextFormat) {
  std::mt19937 random(17);
  std::vector<std::string> codes = NoteCodes();
  codes.insert(codes.end(), {std::string(kRestCode), std::string(kEmptyCode)});
  const std::string titles[] = {"Indiana", "Für Elise", "\xE3\x83\xA1\xE3\x83\xAD", "a b:c,d",
                                std::string(64, 'z')};
  for (int n = 0; n < 2000; ++n) {
    Codes melody = MelodyOf({});
    const size_t used = random() % 31;
    for (size_t i = 0; i < used; ++i) melody[i] = codes[random() % codes.size()];
    const std::string& title = titles[random() % std::size(titles)];
    Codes sounded = melody;  // empty slots up to the last note or rest sound as rests
    size_t last = used;
    while (last > 0 && sounded[last - 1] == kEmptyCode) --last;
    for (size_t i = 0; i < last; ++i) {
      if (sounded[i] == kEmptyCode) sounded[i] = kRestCode;
    }
    const struct {
      std::string bytes, file;
      Codes codes;
      std::string title;
    } trips[] = {
        {WriteMelodyFile(melody, title), "r.mk98", melody, title},
        {WriteImelody(melody, title), "r.imy", sounded, title},
        {WriteRtttl(melody, title), "r.rtttl", sounded,
         title == "Für Elise" ? "FrElise"
         : title == "a b:c,d" ? "abcd"
                              : title.substr(0, 10)},
    };
    for (const auto& trip : trips) {
      if (trip.title.find('\xE3') == 0 && trip.file == "r.rtttl") continue;  // no name is left
      auto read = ReadAny(trip.bytes, trip.file);
      ASSERT_TRUE(std::holds_alternative<Imported>(read)) << trip.bytes;
      ASSERT_EQ(std::get<Imported>(read).codes, trip.codes) << trip.bytes;
      ASSERT_EQ(std::get<Imported>(read).title, trip.title) << trip.bytes;
    }
  }
  // The track of a MIDI export is named by the title.
  EXPECT_NE(WriteMidi(MelodyOf({"11"}), "Indiana").find("\xFF\x03\x07Indiana"), std::string::npos);
}

}  // namespace
}  // namespace merin::formats
