// SPDX-License-Identifier: MIT
#include "formats/imelody.h"

#include <random>
#include <tuple>

#include <gtest/gtest.h>

#include "core/notecode.h"
#include "core/pitch.h"
#include "formats/formatlist.h"
#include "formats/melodyfile.h"
#include "formats/midi.h"
#include "formats/rtttl.h"
#include "formats/slots.h"
#include "formats/title.h"
#include "support/melodies.h"

namespace merin::formats {
namespace {

// An iMelody text with `melody` on line 4, its first character in column 8.
std::string Imy(const std::string& melody) {
  return "BEGIN:IMELODY\nVERSION:1.2\nFORMAT:CLASS1.0\nMELODY:" + melody + "\nEND:IMELODY\n";
}

// The codes of a read, space-separated up to the last that is not empty.
std::string Slots(const SlotCodes& codes) {
  std::string line;
  for (size_t i = 0; i < UsedSlots(codes); ++i) line += (i ? " " : "") + codes[i];
  return line;
}

TEST(ReadImelody, ReadsTheGrammar) {
  const struct {
    std::string text, slots, title, report;
  } cases[] = {
      // *4 before any prefix; a prefix holds for the notes after it.
      {Imy("c2*3c2d*4e"), "13 11 21 32", "", ""},
      {Imy("*4&d#c*3&d"), "14 14 12", "", ""},  // flats and sharps before the letter
      // Headers in any order, LF, version 1.0, a name; durations and specifiers dropped.
      {"BEGIN:IMELODY\nNAME:Song \xE6\x9B\xB2\nMELODY:r1c1.d1:e1;\nVERSION:1.0\nEND:IMELODY",
       "01 13 23 32", "Song \xE6\x9B\xB2",
       "durations are not used (every note gets the same length)"},
      {Imy("(c2d2@2)e2"), "13 23 13 23 32", "", ""},
      {Imy("ledon c vibeon V+ d backoff V12 e ledoff vibeoff V-"), "13 23 32", "", ""},
      {"BEGIN:IMELODY\r\nVERSION:1.2\r\nMELODY:c2\r\n d2\r\nEND:IMELODY\r\n", "13 23", "", ""},
      {"BEGIN:IMELODY\rNAME:Cr\rMELODY:c2\r d2\rEND:IMELODY\r", "13 23", "Cr", ""},  // lone CRs
      {Imy("*6c*6e"), "13 32", "", "moved everything down 2 octaves"},               // *6c is C7
  };
  for (const auto& c : cases) {
    auto read = ReadAny(c.text, "x.imy");
    ASSERT_TRUE(std::holds_alternative<Imported>(read)) << c.text;
    const Imported& imported = std::get<Imported>(read);
    EXPECT_EQ(Slots(imported.codes), c.slots) << c.text;
    EXPECT_EQ(imported.title, c.title) << c.text;
    const auto report = Words(imported.report, Language::English);
    EXPECT_EQ(report.empty() ? "" : report.front(), c.report) << c.text;
  }
  // @0 repeats until the 30 slots taken are full, from any start.
  for (const size_t from : {1, 3}) {
    auto read = ReadImelody(Imy("*3cd(e@0V+)"), "x.imy", {.from = from});
    ASSERT_TRUE(std::holds_alternative<Imported>(read));
    EXPECT_EQ(std::get<Imported>(read).codes.back(), "31") << from;
  }
}

TEST(ReadImelody, RefusesWithPositionAndReason) {
  const std::string kToken = "not a note, a rest (r), a repeat or an effect of iMelody";
  const std::pair<std::string, std::string> cases[] = {
      {"MELODY:c\nEND:IMELODY", "x.imy:1:1: not iMelody: it does not start with BEGIN:IMELODY"},
      {"BEGIN:IMELODY\nVERSION:2.0\nMELODY:c\nEND:IMELODY",
       "x.imy:2:9: \"VERSION:2.0\": iMelody version 2.0 is not read (1.0 and 1.2 are)"},
      {"BEGIN:IMELODY\nc2d2\nEND:IMELODY",
       "x.imy:2:1: \"c2d2\": a line of the form KEY:value expected"},
      {"BEGIN:IMELODY\nEND:IMELODY", "x.imy: no MELODY line"},
      {Imy("c(d(e@2)@2)"), "x.imy:4:11: \"(\": a repeat block inside a repeat block"},
      {Imy("c(de"), "x.imy:4:9: \"(\": a repeat block without its end (@n)"},
      {Imy("c@2)"), "x.imy:4:9: \"@\": the end of a repeat block that was not begun with '('"},
      {Imy("c*9d"), "x.imy:4:9: \"*9\": octave outside *0..*8"},
      {Imy("cxd"), "x.imy:4:9: \"x\": " + kToken},
  };
  for (const auto& [text, message] : cases) {
    auto read = ReadImelody(text, "x.imy");
    ASSERT_TRUE(std::holds_alternative<Refusal>(read)) << text;
    EXPECT_EQ(Words(std::get<Refusal>(read), Language::English), message);
  }
}

TEST(WriteImelody, WritesTheHeaderAndOneQuarterASlot) {
  EXPECT_EQ(WriteImelody(test::MelodyOf({"11", "99", "14", "01", "72", "99"}), "Tune"),
            "BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nNAME:Tune\r\nBEAT:214\r\n"
            "MELODY:*3c2r2*4#c2r2*4b2\r\nEND:IMELODY\r\n");
}

TEST(TitleOf, ReadsUtf8ShiftJisOrLatin1AndKeepsItShortAndClean) {
  const struct {
    std::string bytes, title;
    size_t dropped;
  } cases[] = {
      {"  Indiana \xE6\x9B\xB2 ", "Indiana \xE6\x9B\xB2", 0},
      {"\x83\x81\x83\x8D\x83\x66\x83\x42", "\xE3\x83\xA1\xE3\x83\xAD\xE3\x83\x87\xE3\x82\xA3", 0},
      {"Caf\xE9", "Caf\xC3\xA9", 0},
      {"a\tb\r\n\x7F"
       "c\xC2\x85"
       "d",
       "abcd", 2},                                        // C0, DEL and C1 controls
      {"txt.\u202Eexe\u2066\u200F\u061C", "txt.exe", 4},  // bidirectional controls
      {std::string(70, 'x'), std::string(64, 'x'), 0},
  };
  for (const auto& c : cases) {
    size_t dropped = 99;
    EXPECT_EQ(TitleOf(c.bytes, &dropped), c.title) << c.bytes;
    EXPECT_EQ(dropped, c.dropped) << c.bytes;
  }
}

TEST(Title, MelodyFilesKeepItOnTheLineAfterTheHeader) {
  const std::pair<std::string, std::string> cases[] = {
      {"# Merinkast98 melody\n# title: Indiana\nC4", "Indiana"},
      {"# Merinkast98 melody\r\n# title: Indiana\r\nC4", "Indiana"},
      {"# Merinkast98 melody\r# title: Indiana\rC4", "Indiana"},
      {"# Merinkast98 melody\nC4", ""},
      {"# Merinkast98 melody\n# note\n# title: Later\nC4", ""},
  };
  for (const auto& [bytes, title] : cases) {
    auto read = ReadAny(bytes, "x.mk98");
    ASSERT_TRUE(std::holds_alternative<Imported>(read)) << bytes;
    EXPECT_EQ(std::get<Imported>(read).title, title) << bytes;
    EXPECT_EQ(Slots(std::get<Imported>(read).codes), "11") << bytes;
  }
}

// A title read from any format drops control and bidirectional characters (it is stored and
// written again), and the report says how many.
TEST(Title, EveryReaderDropsControlsFromItAndSaysHowMany) {
  std::string midi = WriteMidi(test::MelodyOf({"11"}), "Tune");
  midi.replace(midi.find("Tune"), 4, "T\x1bne");  // a control byte, the length kept
  const std::pair<std::string, std::string> files[] = {
      {"# Merinkast98 melody\n# title: T\x1b\u202Eune\nC4", "x.mk98"},
      {"BEGIN:IMELODY\nVERSION:1.2\nNAME:T\x1b\u202Eune\nMELODY:c2\nEND:IMELODY\n", "x.imy"},
      {"T\x1b\u202Eune:d=4:c", "x.rtttl"},
      {midi, "x.mid"},
  };
  for (const auto& [bytes, file] : files) {
    auto read = ReadAny(bytes, file);
    ASSERT_TRUE(std::holds_alternative<Imported>(read)) << file;
    const Imported& imported = std::get<Imported>(read);
    EXPECT_EQ(imported.title, file == "x.mid" ? "Tne" : "Tune") << file;
    ASSERT_FALSE(imported.report.empty()) << file;
    EXPECT_EQ(Words(imported.report.back(), Language::English),
              file == "x.mid" ? "dropped 1 control character from the title"
                              : "dropped 2 control characters from the title")
        << file;
  }
}

TEST(Title, RandomMelodiesAndTitlesComeBackFromEveryTextFormat) {
  std::mt19937 random(17);
  std::vector<std::string> codes = NoteCodes();
  codes.insert(codes.end(), {std::string(kRestCode), std::string(kEmptyCode)});
  // A title, and the RTTTL name it is cleaned to.
  const std::pair<std::string, std::string> titles[] = {
      {"Indiana", "Indiana"},
      {"Für Elise", "Für Elise"},
      {"a b:c,d", "a bcd"},
      {std::string(64, 'z'), std::string(64, 'z')}};
  for (int n = 0; n < 2000; ++n) {
    SlotCodes melody = test::MelodyOf({});
    for (size_t i = random() % 31; i-- > 0;) melody[i] = codes[random() % codes.size()];
    const auto& [title, name] = titles[random() % std::size(titles)];
    std::string sounded = Slots(melody);  // empty slots before the last sound as rests
    for (size_t at; (at = sounded.find("99")) != std::string::npos;) sounded.replace(at, 2, "01");
    const std::tuple<std::string, std::string, std::string, std::string> trips[] = {
        {WriteMelodyFile(melody, title), "r.mk98", Slots(melody), title},
        {WriteImelody(melody, title), "r.imy", sounded, title},
        {WriteRtttl(melody, title), "r.rtttl", sounded, name}};
    for (const auto& [bytes, file, slots, back] : trips) {
      auto read = ReadAny(bytes, file);
      ASSERT_TRUE(std::holds_alternative<Imported>(read)) << bytes;
      ASSERT_EQ(Slots(std::get<Imported>(read).codes), slots) << bytes;
      ASSERT_EQ(std::get<Imported>(read).title, back) << bytes;
    }
  }
  // The track of a MIDI export is named by the title.
  EXPECT_NE(WriteMidi(test::MelodyOf({"11"}), "Indiana").find("\xFF\x03\x07Indiana"),
            std::string::npos);
}

}  // namespace
}  // namespace merin::formats
