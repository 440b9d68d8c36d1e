// SPDX-License-Identifier: MIT
#include "core/lifecycle.h"

#include <gtest/gtest.h>

#include "core/da.h"
#include "support/programfolder.h"
#include "support/recorders.h"

namespace merin {
namespace {

using test::RecordingSound;
using test::RecordingView;

TEST(FormLoad, EmptiesTheMelodyPlacesTheMarkersThenPlaysTheOpeningSound) {
  Melody melody;
  melody.Cursor = 12;
  melody.Notes[3] = "41";
  RecordingView view;
  RecordingSound sound;
  sound.log = &view.calls;
  const test::ScopedProgramFolder unset("");

  Form_Load(melody, view, sound);

  EXPECT_EQ(melody.Cursor, 0);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(melody.Notes[i], "99") << i;
  EXPECT_EQ(melody.Notes[30], "");
  ASSERT_EQ(view.calls.size(), 31u);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(view.calls[i], "markertop " + std::to_string(i) + " 121");
  EXPECT_EQ(Da::AppFolder, Da::RunningProgramFolder() + "/");
  EXPECT_EQ(view.calls.back(), "play " + Da::AppFolder + "open.wav");
}

TEST(FormLoad, KeepsAProgramFolderSetBefore) {
  const test::ScopedProgramFolder folder("/app/");
  Melody melody;
  RecordingView view;
  RecordingSound sound;
  Form_Load(melody, view, sound);
  EXPECT_EQ(Da::AppFolder, "/app/");
  EXPECT_EQ(sound.played, std::vector<std::string>{"/app/open.wav"});
}

TEST(FormUnload, PlaysTheClosingSound) {
  const test::ScopedProgramFolder folder("/app/");
  RecordingSound sound;
  Form_Unload(sound);
  EXPECT_EQ(sound.played, std::vector<std::string>{"/app/close.wav"});
}

TEST(EndMenu, EndsTheProgramWithoutASound) {
  RecordingView view;
  RecordingSound sound;
  sound.log = &view.calls;
  EndMenu_Click(view);
  EXPECT_EQ(view.calls, std::vector<std::string>{"end"});
}

}  // namespace
}  // namespace merin
