// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/midiinput.h"
#include "session/session.h"
#include "support/melodies.h"
#include "support/programfolder.h"
#include "support/recorders.h"

namespace merin::session {
namespace {

using Bytes = std::vector<uint8_t>;
using Kind = MidiEvent::Kind;

TEST(MidiInput, ReadsNotesAndThePedalAndPassesOverTheRest) {
  struct Case {
    const char* name;
    std::vector<Bytes> pieces;  // fed one after the other
    std::vector<MidiEvent> events;
  } cases[] = {
      {"note on and off",
       {{0x90, 60, 100, 0x80, 60, 0}},
       {{Kind::NoteOn, 60}, {Kind::NoteOff, 60}}},
      {"velocity 0 is a note-off", {{0x93, 61, 0}}, {{Kind::NoteOff, 61}}},
      {"running status",
       {{0x90, 60, 90, 62, 90, 60, 0}},
       {{Kind::NoteOn, 60}, {Kind::NoteOn, 62}, {Kind::NoteOff, 60}}},
      {"a message split across reads",
       {{0x90}, {64}, {80, 65}, {80}},
       {{Kind::NoteOn, 64}, {Kind::NoteOn, 65}}},
      {"channel 10 is the drums'", {{0x99, 36, 100, 0xB9, 64, 127}}, {}},
      {"the pedal once as it goes down",
       {{0xB0, 64, 0, 0xB0, 64, 64, 0xB0, 64, 127, 0xB0, 64, 10, 0xB0, 64, 100}},
       {{Kind::PedalDown}, {Kind::PedalDown}}},
      {"other controllers, programs and pressure",
       {{0xB0, 7, 100, 0xC0, 5, 0xD0, 3, 0xE0, 0, 64}},
       {}},
      {"a program change's one data byte", {{0xC0, 5, 0x90, 67, 1}}, {{Kind::NoteOn, 67}}},
      {"system exclusive and its bytes",
       {{0xF0, 0x7E, 60, 100, 0xF7, 0x90, 61, 1}},
       {{Kind::NoteOn, 61}}},
      {"real time between a message's bytes", {{0x90, 0xF8, 60, 0xFE, 100}}, {{Kind::NoteOn, 60}}},
      {"a system message ends running status",
       {{0x90, 60, 1, 0xF2, 0, 0, 62, 1}},
       {{Kind::NoteOn, 60}}},
      {"data with no status", {{60, 100, 62}}, {}},
      {"a status cutting a message short", {{0x90, 60, 0x90, 61, 1}}, {{Kind::NoteOn, 61}}},
  };
  for (const Case& c : cases) {
    MidiInput input;
    std::vector<MidiEvent> events;
    for (const Bytes& piece : c.pieces) {
      for (const MidiEvent& e : input.Feed(piece)) events.push_back(e);
    }
    EXPECT_EQ(events, c.events) << c.name;
  }
}

struct Played {
  Bytes bytes;
  int64_t ms;
};

TEST(SessionMidi, ANotePlayedIsItsKeyPressed) {
  struct Case {
    const char* name;
    std::vector<Played> played;
    std::vector<std::string> slots;
    size_t steps;
    bool shifted;
  } cases[] = {
      {"C4, D#5, B5",
       {{{0x90, 60, 90}, 0}, {{0x90, 75, 90}, 100}, {{0x90, 83, 90}, 200}},
       {"11", "24", "72"},
       3,
       false},
      {"C3 and C7 moved by octaves",
       {{{0x90, 48, 90}, 0}, {{0x90, 96, 90}, 100}},
       {"11", "13"},
       2,
       true},
      {"the sustain pedal is the rest pedal",
       {{{0x90, 60, 90}, 0}, {{0xB0, 64, 127}, 100}},
       {"11", "01"},
       2,
       false},
      {"a chord's top note, one slot, one step",
       {{{0x90, 60, 90}, 0}, {{0x90, 64, 90}, 10}, {{0x90, 62, 90}, 20}, {{0x90, 67, 90}, 30}},
       {"51"},
       1,
       false},
      {"C#4 then a higher note 31 ms later",
       {{{0x90, 61, 90}, 0}, {{0x90, 64, 90}, 31}},
       {"12", "31"},
       2,
       false},
      {"a lower note soon after is no new slot",
       {{{0x90, 64, 90}, 0}, {{0x90, 60, 90}, 5}},
       {"31"},
       1,
       false},
      {"drums and note-offs write nothing",
       {{{0x99, 60, 90, 0x80, 60, 0, 0x90, 62, 0}, 0}},
       {},
       0,
       false},
  };
  for (const Case& c : cases) {
    const test::ScopedProgramFolder folder("/app/");
    test::RecordingView view;
    test::RecordingSound sound;
    Session session(view);
    session.Load(sound);
    bool shifted = false;
    size_t steps = 0;
    for (const Played& p : c.played) {
      const Outcome outcome = session.Midi(p.bytes, p.ms);
      shifted = shifted || outcome.shiftedIntoRange;
      steps += outcome.step;
    }
    EXPECT_EQ(CodesOf(session.melody()), test::MelodyOf(c.slots)) << c.name;
    EXPECT_EQ(steps, c.steps) << c.name;
    EXPECT_EQ(shifted, c.shifted) << c.name;
    EXPECT_EQ(session.melody().Cursor, int32_t(c.slots.size())) << c.name;
    // Every step undoes to where it began.
    for (size_t i = 0; i < c.steps; ++i) session.Undo();
    EXPECT_EQ(CodesOf(session.melody()), test::MelodyOf({})) << c.name;
  }
}

TEST(SessionMidi, KeysAreHeldUntilLetGoAndNotesDuringTestPlayAreDropped) {
  const test::ScopedProgramFolder folder("/app/");
  test::RecordingView view;
  test::RecordingSound sound;
  Session session(view);
  session.Load(sound);
  Outcome outcome = session.Midi(Bytes{0x90, 97, 90}, 0);  // C#7, on the C#5 key
  EXPECT_EQ(outcome.pressed, (std::vector<PianoKey>{{PianoKey::Kind::Black, 5}}));
  EXPECT_TRUE(outcome.shiftedIntoRange);
  EXPECT_FALSE(session.Midi(Bytes{0x90, 30, 90}, 100).shiftedIntoRange) << "said once";
  outcome = session.Midi(Bytes{0x80, 97, 0}, 200);
  EXPECT_EQ(outcome.released, (std::vector<PianoKey>{{PianoKey::Kind::Black, 5}}));

  session.StartTestPlay();
  outcome = session.Midi(Bytes{0x90, 60, 90, 0xB0, 64, 127}, 300);
  EXPECT_FALSE(outcome.queued || outcome.Changed());
  session.EndTestPlay(false);
  EXPECT_EQ(CodesOf(session.melody()), test::MelodyOf({"14", "42"}));
}

}  // namespace
}  // namespace merin::session
