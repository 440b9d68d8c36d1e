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

}  // namespace
}  // namespace merin
