// SPDX-License-Identifier: MIT
#include "session/session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/da.h"
#include "support/melodies.h"
#include "support/programfolder.h"
#include "support/recorders.h"

namespace merin::session {

void PrintTo(const Said& said, std::ostream* out) {
  *out << said.id;
  for (const std::string& value : said.values) *out << " " << value;
}

namespace {

using test::RecordingSound;
using test::RecordingView;

constexpr PianoKey kC4{PianoKey::Kind::White, 0};
constexpr PianoKey kRest{PianoKey::Kind::Rest, 0};

struct Fixture {
  test::ScopedProgramFolder folder{"/app/"};
  RecordingView view;
  RecordingSound sound;
  Session session{view};
  Fixture() { session.Load(sound); }
};

TEST(Session, WhatEachActionChangesAndSays) {
  struct Case {
    const char* name;
    std::function<Outcome(Session&)> act;
    std::vector<int32_t> changed;
    bool step, moved;
    Said said;
    int32_t cursor;
  } cases[] = {
      {"a key writes and moves on",
       [](Session& s) { return s.Key(kC4); },
       {0},
       true,
       true,
       {"page.slot.note", {"1", "C4"}},
       1},
      {"the pedal writes a rest",
       [](Session& s) { return s.Key(kRest); },
       {0},
       true,
       true,
       {"page.slot.rest", {"1"}},
       1},
      {"a marker only moves",
       [](Session& s) { return s.Marker(4); },
       {},
       false,
       true,
       {"page.slot.empty", {"5"}},
       4},
      {"the right button on an empty slot only moves",
       [](Session& s) { return s.StaffDown(2, 2, 0, 0, 50); },
       {},
       false,
       true,
       {"page.slot.empty", {"3"}},
       2},
      {"a staff click writes its band",
       [](Session& s) { return s.StaffDown(3, 1, 0, 0, 60); },
       {3},
       true,
       true,
       {"page.slot.note", {"4", "B4"}},
       3},
      {"Previous wraps to slot 30",
       [](Session& s) { return s.Select(Where::Previous); },
       {},
       false,
       true,
       {"page.slot.empty", {"30"}},
       29},
      {"End of an empty melody stays",
       [](Session& s) { return s.Select(Where::End); },
       {},
       false,
       false,
       {},
       0},
  };
  for (const Case& c : cases) {
    Fixture f;
    const Outcome outcome = c.act(f.session);
    EXPECT_EQ(outcome.changed, c.changed) << c.name;
    EXPECT_EQ(outcome.step, c.step) << c.name;
    EXPECT_EQ(outcome.canUndo, c.step) << c.name;
    EXPECT_EQ(outcome.moved, c.moved) << c.name;
    EXPECT_EQ(outcome.said.value_or(Said{}), c.said) << c.name;
    EXPECT_EQ(f.session.melody().Cursor, c.cursor) << c.name;
  }
}

TEST(Session, UndoAndRedoPutBackEachStepThroughTheHandlersProcedures) {
  Fixture f;
  f.session.Key(kC4);
  f.session.Key(kRest);
  f.session.Marker(0);
  f.session.SetTitle("Tune");
  EXPECT_EQ(f.session.melody().Title, "Tune");

  Outcome undone = f.session.Undo();  // the title
  EXPECT_TRUE(undone.step && undone.titled && undone.canRedo);
  EXPECT_EQ(f.session.melody().Title, "");
  undone = f.session.Undo();  // the rest
  EXPECT_EQ(undone.changed, std::vector<int32_t>{1});
  EXPECT_EQ(undone.said, (Said{"page.slot.empty", {"2"}}));
  EXPECT_EQ(f.session.melody().Notes[1], "99");
  EXPECT_EQ(f.session.melody().Cursor, 1);
  f.view.calls.clear();
  const Outcome redone = f.session.Redo();
  EXPECT_EQ(f.session.melody().Notes[1], "01");
  EXPECT_EQ(f.view.calls.back(), "status NOTE:3");  // the status follows the cursor put back
  EXPECT_TRUE(redone.canUndo && redone.canRedo);

  // A change made now drops the step left to redo; past the first step nothing happens.
  EXPECT_FALSE(f.session.Key(kC4).canRedo);
  while (f.session.canUndo()) f.session.Undo();
  const Outcome none = f.session.Undo();
  EXPECT_FALSE(none.step || none.Changed());
  EXPECT_EQ(test::MelodyOf({}), CodesOf(f.session.melody()));
}

TEST(Session, AnEditOutOfRangeIsRefusedAndChangesNothing) {
  Fixture f;
  f.session.StaffDown(0, 1, 1, 0, 2);  // the highest sharp
  const SlotCodes before = CodesOf(f.session.melody());
  for (const Outcome& outcome : {f.session.Transpose(12), f.session.Transpose(2)}) {
    ASSERT_TRUE(outcome.refusal);
    EXPECT_FALSE(outcome.Changed());
  }
  EXPECT_EQ(CodesOf(f.session.melody()), before);
  EXPECT_TRUE(f.session.Transpose(-12).step);
}

TEST(Session, AMelodyReplacedIsKeptUnlessItIsEmptyOrSaved) {
  struct Case {
    const char* name;
    bool write, save;
    std::function<Outcome(Session&)> replace;
    bool kept;
  } cases[] = {
      {"an empty melody, brought over", false, false,
       [](Session& s) { return s.Bring(test::MelodyOf({"21"}), "x"); }, false},
      {"an unsaved melody, brought over", true, false,
       [](Session& s) { return s.Bring(test::MelodyOf({"21"}), "x"); }, true},
      {"a saved melody, brought over", true, true,
       [](Session& s) { return s.Bring(test::MelodyOf({"21"}), "x"); }, false},
      {"an unsaved melody, made new", true, false, [](Session& s) { return s.New(); }, true},
      {"a saved melody, made new", true, true, [](Session& s) { return s.New(); }, false},
      {"an unsaved melody, brought over by itself", true, false,
       [](Session& s) { return s.Bring(CodesOf(s.melody()), ""); }, false},
  };
  for (const Case& c : cases) {
    Fixture f;
    if (c.write) f.session.Key(kC4);
    if (c.save) f.session.MarkSaved();
    const MelodySnapshot before = f.session.snapshot();
    const Outcome outcome = c.replace(f.session);
    EXPECT_EQ(outcome.replaced, c.kept ? std::vector{before} : std::vector<MelodySnapshot>{})
        << c.name;
  }
}

TEST(Session, BringingAMelodyInIsOneStepAndTypingGoesOnAfterIt) {
  Fixture f;
  const Outcome outcome = f.session.Bring(test::MelodyOf({"11", "21", "31"}), "Do Re Mi");
  EXPECT_EQ(outcome.changed, (std::vector<int32_t>{0, 1, 2}));
  EXPECT_TRUE(outcome.step && outcome.titled);
  EXPECT_EQ(f.session.melody().Cursor, 3);
  f.session.Undo();
  EXPECT_EQ(f.session.snapshot(), (MelodySnapshot{test::MelodyOf({}), 0, ""}));
  EXPECT_FALSE(f.session.Modified());
}

TEST(Session, AnInputOfNothingButWhiteSpaceThatIsNoMelodyFileIsRefusedAsEmpty) {
  struct Case {
    const char* bytes;
    const char* name;
    bool refused;
  } cases[] = {
      {"", "tune.txt", true},           {"\n\n  \r\n", "tune.rtttl", true},
      {"\t\n", "クリップボード", true}, {"\xEF\xBB\xBF\n", "tune.txt", true},
      {"", "tune.mk98", false},         {"# Merinkast98 melody\n", "tune.txt", false},
      {"c4 d4", "tune.txt", false},
  };
  for (const Case& c : cases) {
    const auto examined = Session::Examine(c.bytes, c.name);
    ASSERT_EQ(std::holds_alternative<Refusal>(examined), c.refused) << c.name << " " << c.bytes;
    if (c.refused) {
      EXPECT_EQ(std::get<Refusal>(examined).fault->id, "file.empty");
    }
  }
}

TEST(Session, InputWhileTestPlaySoundsArrivesAfterItOrIsDroppedWhenItIsStopped) {
  for (const bool stopped : {false, true}) {
    Fixture f;
    const size_t steps = f.session.StartTestPlay().size();
    ASSERT_EQ(steps, 30u);
    EXPECT_TRUE(f.session.Key(kC4).queued);
    EXPECT_TRUE(f.session.Key(kRest).queued);
    EXPECT_TRUE(f.session.Undo().queued);
    EXPECT_EQ(CodesOf(f.session.melody()), test::MelodyOf({}));
    f.session.ShowTestPlayStep(0);
    const Outcome end = f.session.EndTestPlay(stopped);
    EXPECT_FALSE(f.session.playing());
    // In order: C4, the rest, then undo takes the rest back.
    EXPECT_EQ(CodesOf(f.session.melody()), stopped ? test::MelodyOf({}) : test::MelodyOf({"11"}))
        << stopped;
    EXPECT_EQ(end.changed, stopped ? std::vector<int32_t>() : std::vector<int32_t>({0, 1}));
  }
}

TEST(Session, TestPlayAStepAtATimeMakesTheCallsOfTheButtonsHandler) {
  for (const size_t played : {size_t(30), size_t(3)}) {
    Fixture whole, stepped;
    for (Fixture* f : {&whole, &stepped}) {
      f->session.Key(kC4);
      f->view.calls.clear();
    }
    size_t asked = 0;
    whole.session.TestPlay(whole.sound, [&] { return asked++ >= played; });
    const auto steps = stepped.session.StartTestPlay();
    for (size_t step = 0; step < played; ++step) stepped.session.ShowTestPlayStep(step);
    stepped.session.EndTestPlay(played < steps.size());
    EXPECT_EQ(stepped.view.calls, whole.view.calls) << played;
    EXPECT_EQ(whole.sound.played.size(), played + 1);  // the opening sound, then the slots
    EXPECT_EQ(whole.sound.played[1], "/app/11.wav");
  }
}

TEST(Session, AnExportNamesTheFileAfterTheTitleAndSaysWhenTheTuneWasRenamed) {
  Fixture f;
  f.session.Key(kC4);
  EXPECT_EQ(f.session.OfferedStem("song"), "song");
  EXPECT_EQ(f.session.OfferedStem(), "melody");
  f.session.SetTitle("AC/DC: a rather long title that no phone keeps");
  EXPECT_EQ(f.session.OfferedStem("song"), "AC_DC: a rather long title that no phone keeps");

  const auto rtttl = f.session.Export("rtttl", "out/tune.rtttl", Da::AppFolder);
  ASSERT_TRUE(std::holds_alternative<Exported>(rtttl));
  const Exported& written = std::get<Exported>(rtttl);
  EXPECT_EQ(written.name, "tune");
  EXPECT_TRUE(written.nameChange.has_value());
  EXPECT_EQ(written.bytes.substr(0, written.bytes.find(':')), written.nameChange->values.at(1));
  const auto midi = f.session.Export("mid", "tune.mid", Da::AppFolder);
  ASSERT_TRUE(std::holds_alternative<Exported>(midi));
  EXPECT_FALSE(std::get<Exported>(midi).nameChange);

  f.session.New();
  EXPECT_TRUE(std::holds_alternative<Refusal>(f.session.Export("rtttl", "t.rtttl", "/app/")));
}

TEST(Session, APictureThatCannotBeLoadedStopsTheActionAndShowsTheCursor) {
  Fixture f;
  f.view.unreadable.insert("/app/11.bmp");
  f.view.calls.clear();
  const Outcome outcome = f.session.Key(kC4);
  ASSERT_TRUE(outcome.pictureFailure);
  EXPECT_EQ(outcome.pictureFailure->file, "/app/11.bmp");
  EXPECT_FALSE(outcome.step);
  EXPECT_EQ(f.session.melody().Notes[0], "99");
}

}  // namespace
}  // namespace merin::session
