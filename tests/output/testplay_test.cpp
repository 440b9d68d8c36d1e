// SPDX-License-Identifier: MIT
#include "output/testplay.h"

#include <gtest/gtest.h>

#include "core/da.h"
#include "support/programfolder.h"
#include "support/recorders.h"

namespace merin {
namespace {

using test::RecordingSound;
using test::RecordingView;

Melody MelodyOf(std::vector<std::string> codes) {
  Melody melody;
  for (int i = 0; i < 30; ++i)
    melody.Notes[i] = i < static_cast<int>(codes.size()) ? codes[i] : "99";
  return melody;
}

TEST(TestPlay, EachSlotIsBorderedWhileItSoundsWithTheButtonDisabled) {
  const test::ScopedProgramFolder folder("/app/");
  Melody melody = MelodyOf({});
  melody.Cursor = 17;
  RecordingView view;
  RecordingSound sound;
  sound.log = &view.calls;

  Command2_Click(melody, view, sound);

  std::vector<std::string> expected = {"testplay off"};
  for (int i = 0; i < 30; ++i) {
    const std::string slot = std::to_string(i);
    expected.insert(expected.end(), {"border " + slot + " 1", "play /app/01.wav",
                                     "border " + slot + " 0", "repaint " + slot});
  }
  expected.push_back("testplay on");
  EXPECT_EQ(view.calls, expected);
  EXPECT_EQ(melody.Cursor, 17);
}

TEST(TestPlay, NotesPlayTheirOwnWaveAndPausesTheRestWave) {
  const test::ScopedProgramFolder folder("/app/");
  struct Case {
    std::vector<std::string> codes;
    std::vector<std::string> firstFiles;
  } cases[] = {
      {{"11", "11", "21", "99", "72"}, {"11", "11", "21", "01", "72", "01"}},
      {{"01", "99", "64", "14"}, {"01", "01", "64", "14", "01"}},
      {{"", "0", "8x", "7"}, {"01", "01", "01", "7"}},
  };
  for (const Case& c : cases) {
    const Melody melody = MelodyOf(c.codes);
    const Melody before = melody;
    RecordingView view;
    RecordingSound sound;
    Command2_Click(melody, view, sound);
    ASSERT_EQ(sound.played.size(), 30u);
    for (size_t i = 0; i < 30; ++i) {
      const std::string expected = i < c.firstFiles.size() ? c.firstFiles[i] : "01";
      EXPECT_EQ(sound.played[i], "/app/" + expected + ".wav") << "slot " << i;
    }
    EXPECT_EQ(melody.Notes, before.Notes);
  }
}

// A stop asked for at any step ends test play before the next slot: no cell stays bordered and
// the button comes back.
TEST(TestPlay, AStopRequestEndsItBeforeTheNextSlot) {
  const test::ScopedProgramFolder folder("/app/");
  const Melody melody = MelodyOf({"11", "21"});
  for (const size_t stopAfter : {size_t{0}, size_t{1}, size_t{2}, size_t{29}, size_t{30}}) {
    RecordingView view;
    RecordingSound sound;
    sound.log = &view.calls;
    Command2_Click(melody, view, sound, [&] { return sound.played.size() >= stopAfter; });
    EXPECT_EQ(sound.played.size(), stopAfter);
    ASSERT_EQ(view.calls.size(), 2 + 4 * stopAfter) << stopAfter;
    EXPECT_EQ(view.calls.front(), "testplay off");
    EXPECT_EQ(view.calls.back(), "testplay on");
    if (stopAfter > 0) {
      const std::string last = std::to_string(stopAfter - 1);
      EXPECT_EQ(view.calls[view.calls.size() - 3], "border " + last + " 0");
    }
  }
  EXPECT_EQ(TestPlaySteps(melody)[1], (TestPlayStep{1, "21.wav"}));
}

}  // namespace
}  // namespace merin
