// SPDX-License-Identifier: MIT
// The MIDI export read back by mido, an independent reader, and played through TiMidity++; files
// that mido writes read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

#include "formats/midi.h"
#include "support/melodies.h"
#include "support/runprogram.h"
#include "support/soundcheck.h"
#include "support/tempfolder.h"

namespace merin::formats {
namespace {

using test::MelodyOf;

using test::RunProgram;
using test::TempFolder;
using test::WriteBytes;

std::string Seconds(double s) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", s);
  return text;
}

struct SoundingNote {
  int midi;
  int slot;
};

// What mido reads from the file: the tempo and the program first, each note at its slot's time
// sounding 250 ms, the end of the track after the last slot.
std::string ExpectedDump(const std::vector<SoundingNote>& notes, int slots) {
  std::string dump = "0.000 tempo 280000\n0.000 program 80 channel 0\n";
  for (const SoundingNote& n : notes) {
    dump += Seconds(n.slot * 0.28) + " note " + std::to_string(n.midi) +
            " velocity 100 channel 0 length 0.250\n";
  }
  return dump + Seconds(slots * 0.28) + " end\nlast end_of_track\n";
}

TEST(WriteMidi, MidoReadsOneNoteASlotUpToTheLastNonEmptySlot) {
  struct Case {
    const char* what;
    std::vector<std::string> codes;
    std::vector<SoundingNote> notes;
    int slots;
  } cases[] = {
      {"empty melody", {}, {}, 0},
      {"one C4", {"11"}, {{60, 0}}, 1},
      {"repeated notes stay distinct", {"31", "31", "31"}, {{64, 0}, {64, 1}, {64, 2}}, 3},
      {"sharps in both octaves",
       {"12", "14", "52", "54", "71", "72"},
       {{61, 0}, {73, 1}, {68, 2}, {80, 3}, {71, 4}, {83, 5}},
       6},
      {"rest and empty slot inside are silent", {"11", "01", "99", "72"}, {{60, 0}, {83, 3}}, 4},
      {"trailing empty slots left out", {"41", "99", "99"}, {{65, 0}}, 1},
      {"a trailing rest is kept", {"41", "01"}, {{65, 0}}, 2},
      {"only rests", {"01", "01"}, {}, 2},
      {"the last slot",
       {"01", "01", "01", "01", "01", "01", "01", "01", "01", "01", "01", "01", "01", "01", "01",
        "01", "01", "01", "01", "01", "01", "01", "01", "01", "01", "01", "01", "01", "99", "63"},
       {{81, 29}},
       30},
  };
  TempFolder dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir / "tune.mid";
    WriteBytes(path, WriteMidi(MelodyOf(c.codes)));
    auto read = RunProgram(MERIN_PYTHON3, {MERIN_MIDI_DUMP, path});
    ASSERT_EQ(read.exitCode, 0) << read.out << read.err;
    const size_t header = read.out.find('\n');
    EXPECT_EQ(read.out.substr(0, read.out.find(" division")), "type 0 tracks 1");
    EXPECT_EQ(read.out.substr(header + 1), ExpectedDump(c.notes, c.slots));
  }
}

// Every one of the 24 codes sounds as its own MIDI note, C4 = 60 up to B5 = 83.
TEST(WriteMidi, TheTwentyFourCodesAreTheChromaticScaleFromMiddleC) {
  const std::vector<std::string> codes = {"11", "12", "21", "22", "31", "41", "42", "51",
                                          "52", "61", "62", "71", "13", "14", "23", "24",
                                          "32", "43", "44", "53", "54", "63", "64", "72"};
  std::vector<SoundingNote> notes;
  for (int i = 0; i < 24; ++i) notes.push_back({60 + i, i});
  TempFolder dir;
  WriteBytes(dir / "scale.mid", WriteMidi(MelodyOf(codes)));
  auto read = RunProgram(MERIN_PYTHON3, {MERIN_MIDI_DUMP, dir / "scale.mid"});
  ASSERT_EQ(read.exitCode, 0) << read.out << read.err;
  EXPECT_EQ(read.out.substr(read.out.find('\n') + 1), ExpectedDump(notes, 24));
}

// A real synthesiser plays the file: in the middle of every slot the strongest of the 24 pitches
// is the slot's note, and a rest is quiet. A synthesised note fades out into the next slot, so
// TiMidity++ plays with its fast release, and each slot is judged from 100 to 200 ms, where its
// own note dominates, over 100 ms for semitone resolution.
TEST(WriteMidi, TimidityPlaysThePitchesInTheirSlots) {
  const std::vector<std::string> codes = {"11", "21", "31", "41", "51", "61", "71",
                                          "13", "71", "71", "01", "32", "72", "12",
                                          "64", "11", "72", "11", "63"};
  const int expected[] = {60, 62, 64, 65, 67, 69, 71, 72, 71, 71,
                          0,  76, 83, 61, 82, 60, 83, 60, 81};
  TempFolder dir;
  WriteBytes(dir / "tune.mid", WriteMidi(MelodyOf(codes)));
  auto played = RunProgram(MERIN_TIMIDITY, {"-c", MERIN_FREEPATS_CFG, "-Ow", "--output-mono", "-s",
                                            "44100", "-EFreverb=0", "-EFchorus=0", "-f", "-o",
                                            dir / "tune.wav", dir / "tune.mid"});
  ASSERT_EQ(played.exitCode, 0) << played.err;
  const test::DecodedSound sound = test::Decode(dir / "tune.wav");
  ASSERT_EQ(sound.channels, 1);
  const std::vector<float>& heard = sound.floats;
  const int rate = sound.rate;
  ASSERT_GE(heard.size(), size_t(codes.size() * 0.28 * rate));

  double quietestNote = 1, rest = 0;
  for (size_t slot = 0; slot < codes.size(); ++slot) {
    SCOPED_TRACE("slot " + std::to_string(slot));
    const auto from = size_t((slot * 0.28 + 0.10) * rate), to = from + size_t(0.1 * rate);
    if (expected[slot] == 0) {
      rest = test::Rms(heard, from, to);
      continue;
    }
    quietestNote = std::min(quietestNote, test::Rms(heard, from, to));
    EXPECT_EQ(test::StrongestPitch(heard, from, to, rate), expected[slot]);
  }
  EXPECT_GT(quietestNote, 0.02);
  EXPECT_LT(rest, quietestNote / 2);
}

// Files mido writes read as the script's own reading of them, by mido, gives their parts.
TEST(ReadMidi, FilesOfAnIndependentWriterGiveThePartsItsReadingGives) {
  TempFolder dir;
  auto script = RunProgram(MERIN_PYTHON3, {MERIN_MIDO_PARTS, dir.path()});
  ASSERT_EQ(script.exitCode, 0) << script.err;
  std::istringstream lines(script.out);
  std::map<std::string, std::vector<std::string>> expected;
  for (std::string line; std::getline(lines, line);) {
    expected[line.substr(0, line.find(' '))].push_back(line);
  }
  ASSERT_EQ(expected.size(), 2u) << script.out;
  for (const auto& [file, parts] : expected) {
    auto bytes = test::ReadBytes(dir / file);
    auto tune = ReadMidiTune(bytes, file);
    ASSERT_TRUE(std::holds_alternative<MidiTune>(tune)) << file;
    std::vector<std::string> read;
    const MidiTune& midi = std::get<MidiTune>(tune);
    for (const MidiPart& p : midi.parts) {
      std::string line = file + " " + std::to_string(p.track) + " " + std::to_string(p.channel) +
                         " " + std::to_string(p.program) + " " + std::to_string(p.onsets) + " " +
                         std::to_string(p.chords) + ":";
      for (const int slot : midi.Sequence(p)) line += " " + std::to_string(slot);
      read.push_back(line);
    }
    EXPECT_EQ(read, parts);
  }
}

}  // namespace
}  // namespace merin::formats
