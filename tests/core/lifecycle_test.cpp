#include "core/lifecycle.h"

#include <gtest/gtest.h>

#include "core/da.h"
#include "support/recorders.h"

namespace merin {
namespace {

using testing::RecordingSound;
using testing::RecordingView;

TEST(FormLoad, EmptiesTheMelodyPlacesTheMarkersThenPlaysTheOpeningSound) {
  Melody melody;
  melody.Cursor = 12;
  melody.Notes[3] = "41";
  RecordingView view;
  RecordingSound sound;
  sound.log = &view.calls;

  Form_Load(melody, view, sound);

  EXPECT_EQ(melody.Cursor, 0);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(melody.Notes[i], "99") << i;
  EXPECT_EQ(melody.Notes[30], "");
  ASSERT_EQ(view.calls.size(), 31u);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(view.calls[i], "markertop " + std::to_string(i) + " 121");
  EXPECT_EQ(view.calls.back(), "play " + Da::AppFolder + "open.wav");
  EXPECT_EQ(Da::AppFolder.back(), '/');
}

TEST(FormUnload, PlaysTheClosingSound) {
  Da::AppFolder = "/app/";
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
