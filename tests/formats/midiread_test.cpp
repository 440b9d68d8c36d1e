// SPDX-License-Identifier: MIT
#include <array>

#include <gtest/gtest.h>

#include "formats/intake.h"
#include "formats/midi.h"
#include "formats/writeas.h"
#include "support/melodies.h"

namespace merin::formats {
namespace {

using test::MelodyOf;

std::string Big(uint32_t value, int bytes) {
  std::string out;
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out += char((value >> shift) & 0xFF);
  return out;
}
std::string Chunk(std::string type, const std::string& body) {
  return type + Big(uint32_t(body.size()), 4) + body;
}
// A file of `format` with 96 ticks a beat and the given track bodies.
std::string Smf(int format, std::vector<std::string> tracks, uint32_t division = 96) {
  std::string file =
      Chunk("MThd", Big(format, 2) + Big(uint32_t(tracks.size()), 2) + Big(division, 2));
  for (const std::string& t : tracks) file += Chunk("MTrk", t);
  return file;
}
std::string On(int key, int channel = 0) { return {'\x00', char(0x90 | channel), char(key), 'd'}; }
std::string Off(int delta, int key, int channel = 0) {
  return {char(delta), char(0x80 | channel), char(key), '\x40'};
}
std::string Name(const std::string& name) {
  return std::string("\x00\xFF\x03", 3) + char(name.size()) + name;
}
const std::string kEnd("\x00\xFF\x2F\x00", 4);

// Reads `file` and takes part `part` from slot `from`: the codes, or the refusal in English.
std::variant<SlotCodes, std::string> Take(const std::string& file, size_t part = 0,
                                          size_t from = 1) {
  auto read = MidiFormat().read(file, "t.mid", {from, part});
  if (auto* refusal = std::get_if<Refusal>(&read)) return Words(*refusal, Language::English);
  return std::get<Imported>(read).codes;
}

TEST(ReadMidi, ReaderRulesAndRefusals) {
  const std::string twoNotes = On(60) + Off(96, 60) + On(62) + Off(96, 62) + kEnd;
  const struct {
    const char* what;
    std::string file;
    std::variant<SlotCodes, std::string> expected;
  } cases[] = {
      {"format 0", Smf(0, {twoNotes}), MelodyOf({"11", "21"})},
      {"format 1, the named track's part",
       Smf(1, {Name("bass") + On(40) + Off(96, 40) + kEnd, Name("Lead") + twoNotes}),
       MelodyOf({"11", "21"})},
      {"running status and a note-on of velocity 0 as its end",
       Smf(0, {On(60) + std::string("\x60\x3C\x00\x00\x3E\x40\x60\x3E\x00", 9) + kEnd}),
       MelodyOf({"11", "21"})},
      {"system exclusive and meta events between notes, a chunk of another type skipped",
       Smf(0, {On(60) + std::string("\x00\xF0\x03\x7E\x7F\xF7\x00\xFF\x01\x02hi", 12) +
               Off(96, 60) + On(62) + kEnd}) +
           Chunk("XFIH", "junk"),
       MelodyOf({"11", "21"})},
      {"events after the end of track are not read", Smf(0, {On(60) + Off(96, 60) + kEnd + On(62)}),
       MelodyOf({"11"})},
      {"not MIDI", "MTrk", "t.mid: byte 0: not a Standard MIDI File (no \"MThd\" header)"},
      {"a header cut short", std::string("MThd\0\0\0\6\0", 9),
       "t.mid: byte 9: runs past the end of the file"},
      {"a header of 4 bytes", Chunk("MThd", std::string(4, '\0')) + std::string(6, '\0'),
       "t.mid: byte 4: the header is 4 bytes long, not 6"},
      {"format 2", Smf(2, {twoNotes}),
       "t.mid: byte 8: format 2 is not read (only formats 0 and 1)"},
      {"SMPTE time", Smf(0, {twoNotes}, 0xE728),
       "t.mid: byte 12: the time division is not in ticks per quarter note"},
      {"a chunk longer than the file", Smf(0, {twoNotes}).substr(0, 30),
       "t.mid: byte 18: runs past the end of the file"},
      {"an event longer than its track", Smf(0, {On(60) + std::string("\x00\xFF\x03\x09hi", 6)}),
       "t.mid: byte 27: runs past the end of the track"},
      {"a data byte with no status", Smf(0, {std::string("\x00\x3C\x40", 3)}),
       "t.mid: byte 23: byte 60 does not start an event"},
      {"a delta time of five bytes", Smf(0, {std::string("\x81\x81\x81\x81\x01", 5)}),
       "t.mid: byte 22: a variable-length number longer than 4 bytes"},
      {"drums only", Smf(0, {On(36, 9) + Off(96, 36, 9) + kEnd}),
       "t.mid: no note outside channel 10"},
      {"over 4 MiB", Smf(0, {std::string(kMaxBinaryBytes, '\0')}), "t.mid: larger than 4096 KiB"},
  };
  for (const auto& c : cases) EXPECT_EQ(Take(c.file), c.expected) << c.what;
}

// A track of notes {start, length, key, channel from 0} (a length of -1: never ended), named
// `name`.
std::string Notes(std::vector<std::array<int, 4>> notes, const std::string& name = "") {
  std::vector<std::pair<int, std::string>> events;
  for (const auto& [start, length, key, channel] : notes) {
    events.push_back({start, {char(0x90 | channel), char(key), 'd'}});
    if (length >= 0) events.push_back({start + length, {char(0x80 | channel), char(key), '@'}});
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string body = Name(name);
  int last = 0;
  for (const auto& [tick, bytes] : events) {
    body += {char(0x80 | ((tick - last) >> 7)), char((tick - last) & 0x7F)};
    body += bytes;
    last = tick;
  }
  return body + kEnd;
}

TEST(ReadMidi, PartsAndTheirSlots) {
  const struct {
    const char* what;
    std::vector<std::string> tracks;
    size_t part, from;
    std::variant<SlotCodes, std::string> expected;
  } cases[] = {
      {"a chord gives its highest note",
       {Notes({{0, 96, 60}, {0, 96, 67}, {96, 96, 64}})},
       0,
       1,
       MelodyOf({"51", "31"})},
      {"a silence of 0.9 beat gives no rest, of 1 beat one",
       {Notes({{0, 96, 60}, {182, 96, 62}, {374, 10, 64}})},
       0,
       1,
       MelodyOf({"11", "21", "01", "31"})},
      {"2.5 beats give 2 rests, 9 beats 4",
       {Notes({{0, 96, 60}, {336, 96, 62}, {1296, 96, 64}})},
       0,
       1,
       MelodyOf({"11", "01", "01", "21", "01", "01", "01", "01", "31"})},
      {"the same key overlapping: no silence before the third",
       {Notes({{0, 96, 60}, {48, 352, 60}, {420, 96, 62}})},
       0,
       1,
       MelodyOf({"11", "11", "21"})},
      {"a note never ended lasts to the end of its track",
       {Notes({{0, -1, 60}, {96, 0, 62}, {600, 10, 64}})},
       0,
       1,
       MelodyOf({"11", "21", "31"})},
      {"channel 10 is no part; part 2 is the next channel",
       {Notes({{0, 96, 36, 9}, {0, 96, 60, 0}, {0, 96, 62, 1}})},
       2,
       1,
       MelodyOf({"21"})},
      {"of equal means the earlier part; from slot 2",
       {Notes({{0, 96, 60}, {96, 96, 64}}), Notes({{0, 96, 62}, {96, 96, 62}})},
       0,
       2,
       MelodyOf({"31"})},
      {"a start past the end",
       {Notes({{0, 96, 60}, {96, 96, 62}})},
       0,
       3,
       "t.mid: the start slot 3 is past the end (the tune has 2 slots)"},
      {"a part past the last", {Notes({{0, 96, 60}})}, 2, 1, "t.mid: no part 2 (the file has 1)"},
      {"the lowest and highest keys: the smallest shift down, the low one folded up",
       {Notes({{0, 96, 127}, {96, 96, 0}, {192, 96, 1}})},
       0,
       1,
       MelodyOf({"53", "11", "12"})},  // G9 down 4 octaves to G5; C-1, C#-1 to C4, C#4
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Take(Smf(1, c.tracks), c.part, c.from), c.expected) << c.what;
  }
}

TEST(ReadMidi, TheDefaultPartIsANamedMelodyOfThirtyOnsetsElseTheHighest) {
  const auto run = [](const std::string& name, int key, int count) {
    std::vector<std::array<int, 4>> notes;
    for (int i = 0; i < count; ++i) notes.push_back({96 * i, 96, key, 0});
    return Notes(notes, name);
  };
  const struct {
    const char* what;
    std::vector<std::string> tracks;
    size_t chosen;
  } cases[] = {
      {"the highest of the long parts", {run("a", 60, 30), run("b", 70, 29), run("c", 65, 30)}, 3},
      {"a named melody, however low", {run("Strings", 70, 30), run("MELODY", 50, 30)}, 2},
      {"a name on a short part does not count", {run("x", 60, 30), run("Solo", 80, 10)}, 1},
      {"no long part: all of them", {run("x", 60, 3), run("Voice 2", 55, 5), run("z", 70, 1)}, 2},
  };
  for (const auto& c : cases) {
    auto tune = ReadMidiTune(Smf(1, c.tracks), "t.mid");
    ASSERT_TRUE(std::holds_alternative<MidiTune>(tune)) << c.what;
    EXPECT_EQ(std::get<MidiTune>(tune).chosen, c.chosen) << c.what;
  }
}

TEST(ReadMidi, APartWithoutAProgramChangeTakesItsChannelsFirstInTheFile) {
  // A program change `delta` ticks after the event before it; the part's notes from tick 100.
  const auto change = [](char delta, int program, int channel = 0) {
    return std::string{delta, char(0xC0 | channel), char(program)};
  };
  const std::string notes = std::string("\x64\x90\x3C\x40", 4) + Off(96, 60), part = notes + kEnd;
  // The tracks, and the program of their one part.
  const std::pair<std::vector<std::string>, int> cases[] = {
      {{change(0, 5) + kEnd, notes + change(0, 7) + change(0, 9) + kEnd}, 7},  // its track's first
      {{change(50, 5) + kEnd, part, change(20, 6) + kEnd}, 6},  // else its channel's earliest
      {{change(101, 5) + kEnd, part}, 0},                       // none before its first note
      {{change(20, 5) + kEnd, change(20, 6) + kEnd, part}, 5},  // of two at a tick, the first
      {{change(0, 5, 1) + kEnd, part}, 0},                      // none of its channel
  };
  for (const auto& [tracks, program] : cases) {
    auto tune = ReadMidiTune(Smf(1, tracks), "t.mid");
    ASSERT_TRUE(std::holds_alternative<MidiTune>(tune));
    EXPECT_EQ(int(std::get<MidiTune>(tune).parts.at(0).program), program) << tracks.size();
  }
}

}  // namespace
}  // namespace merin::formats

namespace merin::formats {
namespace {

// A read as one line: the codes, title and report, or the refusal, in English.
std::string Said(const std::variant<Imported, Refusal>& read) {
  if (auto* refusal = std::get_if<Refusal>(&read)) return Words(*refusal, Language::English);
  const Imported& imported = std::get<Imported>(read);
  std::string said;
  for (const std::string& code : imported.codes) said += code + ' ';
  said += "| " + imported.title;
  for (const std::string& line : Words(imported.report, Language::English)) said += " | " + line;
  return said;
}

// Every format comes in through the one entry point: what there is to choose, and each choice
// taken as its format's own reader takes it.
TEST(Intake, EveryFormatWithAndWithoutChoices) {
  const std::string twoNotes = On(60) + Off(96, 60) + On(62) + Off(96, 62) + kEnd;
  const std::string twoParts =
      Smf(1, {Name("bass") + On(40) + Off(96, 40) + kEnd, Name("Lead") + twoNotes});
  const std::string collection = "one:d=4:c\n0::x\ntwo:d=4:d,e\n";
  const std::string imy = "BEGIN:IMELODY\nVERSION:1.2\nNAME:I\nMELODY:c2d2e2\nEND:IMELODY\n";
  const struct {
    std::string bytes, name;
    size_t choices, offered, number, from;
  } cases[] = {
      {"# Merinkast98 melody\n# title: T\nC4 D4", "t.mk98", 0, 0, 0, 1},
      {imy, "t.imy", 0, 0, 0, 2},
      {"a:d=4:c,d,e", "t.rtttl", 0, 0, 0, 2},
      {"a:d=4:c,d,e", "t.rtttl", 0, 0, 2, 1},
      {collection, "t.rtttl", 3, 1, 0, 1},
      {collection, "t.rtttl", 3, 1, 3, 2},
      {collection, "t.rtttl", 3, 1, 2, 1},
      {collection, "t.rtttl", 3, 1, 4, 1},
      {"0::x\ntwo:d=4:d\n", "t.rtttl", 2, 2, 2, 1},
      {twoParts, "t.mid", 2, 2, 0, 1},
      {twoParts, "t.mid", 2, 2, 1, 1},
      {twoParts, "t.mid", 2, 2, 3, 1},
      {Smf(0, {twoNotes}), "t.mid", 0, 0, 0, 2},
  };
  // What the format's own reader gives for the choice.
  const auto direct = [](const std::string& bytes, const std::string& name, size_t number,
                         size_t from) -> std::variant<Imported, Refusal> {
    if (name != "t.mid") return ReadAny(bytes, name, {.from = from, .tune = number});
    return TakePart(std::get<MidiTune>(ReadMidiTune(bytes, name)), number, from, name);
  };
  for (const auto& c : cases) {
    auto intake = Intake::Of(c.bytes, c.name);
    ASSERT_TRUE(std::holds_alternative<Intake>(intake)) << c.bytes;
    const Intake& in = std::get<Intake>(intake);
    EXPECT_EQ(in.choices(), c.choices) << c.bytes;
    EXPECT_EQ(in.offered(), c.offered) << c.bytes;
    EXPECT_EQ(in.parts() != nullptr, c.name == "t.mid") << c.bytes;
    EXPECT_EQ(Said(in.Take(c.number, c.from)), Said(direct(c.bytes, c.name, c.number, c.from)))
        << c.bytes << c.number;
  }
  EXPECT_EQ(std::get<Intake>(Intake::Of(collection, "t.rtttl")).choice(3).title, "two");
  EXPECT_TRUE(std::get<Intake>(Intake::Of(collection, "t.rtttl")).choice(2).refused);
  // A file refused as a whole is that refusal.
  for (const auto& [bytes, name] : {std::pair{std::string("MThd"), "t.mid"}, {"0::x", "t.rtttl"}}) {
    auto intake = Intake::Of(bytes, name);
    ASSERT_TRUE(std::holds_alternative<Refusal>(intake)) << bytes;
    EXPECT_EQ(Said(std::get<Refusal>(intake)), Said(ReadAny(bytes, name))) << bytes;
  }
}

// The report names the part's instrument in the language it is read in, as the part chooser does.
TEST(ReadMidi, ReportNamesTheInstrumentInItsLanguage) {
  const struct {
    int program;
    const char* japanese;
    const char* english;
  } cases[] = {
      {0, "アコースティック・グランド・ピアノ", "Acoustic Grand Piano"},
      {11, "ビブラフォン", "Vibraphone"},
      {80, "リード 1（スクエア）", "Lead 1 (square)"},
  };
  for (const auto& c : cases) {
    const std::string program{'\x00', '\xC0', char(c.program)};
    const std::string file = Smf(0, {Name("Tune") + program + On(60) + Off(96, 60) + kEnd});
    auto read = TakePart(std::get<MidiTune>(ReadMidiTune(file, "t.mid")), 0, 1, "t.mid");
    ASSERT_TRUE(std::holds_alternative<Imported>(read)) << c.program;
    const ReportLine& took = std::get<Imported>(read).report.front();
    EXPECT_EQ(Words(took, Language::Japanese),
              std::string("パート 1 を取り込みました: Tune、チャンネル 1、") + c.japanese);
    EXPECT_EQ(Words(took, Language::English),
              std::string("took part 1: Tune, channel 1, ") + c.english);
  }
}

}  // namespace
}  // namespace merin::formats
