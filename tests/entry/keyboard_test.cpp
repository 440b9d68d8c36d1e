// SPDX-License-Identifier: MIT
#include "entry/keyboard.h"

#include <gtest/gtest.h>

#include "core/da.h"
#include "core/lifecycle.h"
#include "support/programfolder.h"
#include "support/recorders.h"

namespace merin {
namespace {

using test::RecordingSound;
using test::RecordingView;
using Calls = std::vector<std::string>;

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RecordingSound sound;
    Form_Load(melody, view, sound);
    view.calls.clear();
  }
  test::ScopedProgramFolder folder{"/app/"};
  Melody melody;
  RecordingView view;
};

TEST_F(KeyboardTest, EveryWhiteKeyStoresItsCode) {
  const char* codes[] = {"11", "21", "31", "41", "51", "61", "71",
                         "13", "23", "32", "43", "53", "63", "72"};
  for (int16_t i = 0; i < 14; ++i) {
    melody.Cursor = 0;
    view.calls.clear();
    ken_Click(melody, view, i);
    EXPECT_EQ(melody.Notes[0], codes[i]) << "white key " << i;
    EXPECT_EQ(view.calls.front(), std::string("picture 0 /app/") + codes[i] + ".bmp");
  }
}

TEST_F(KeyboardTest, EveryBlackKeyStoresItsSharp) {
  const char* codes[] = {"12", "22", "42", "52", "62", "14", "24", "44", "54", "64"};
  for (int16_t i = 0; i < 10; ++i) {
    melody.Cursor = 0;
    view.calls.clear();
    bkey_Click(melody, view, i);
    EXPECT_EQ(melody.Notes[0], codes[i]) << "black key " << i;
    EXPECT_EQ(view.calls.front(), std::string("picture 0 /app/") + codes[i] + ".bmp");
  }
}

TEST_F(KeyboardTest, FirstWhiteKeyFromStartUp) {
  ken_Click(melody, view, 0);
  EXPECT_EQ(melody.Notes[0], "11");
  EXPECT_EQ(melody.Cursor, 1);
  EXPECT_EQ(view.calls, (Calls{"picture 0 /app/11.bmp", "marker 0 0x80000009", "marker 1 0xff",
                               "status NOTE:2"}));
}

TEST_F(KeyboardTest, PedalOnTheLastSlotWrapsToTheFirst) {
  melody.Cursor = 29;
  PedalSW_Click(melody, view);
  EXPECT_EQ(melody.Notes[29], "01");
  EXPECT_EQ(melody.Cursor, 0);
  EXPECT_EQ(view.calls, (Calls{"picture 29 /app/01.bmp", "marker 29 0x80000009", "marker 0 0xff",
                               "status NOTE:1"}));
}

TEST_F(KeyboardTest, ThirtyEntriesFillTheMelodyAndTheThirtyFirstReplacesSlotZero) {
  for (int i = 0; i < 30; ++i) ken_Click(melody, view, static_cast<int16_t>(i % 14));
  EXPECT_EQ(melody.Cursor, 0);
  EXPECT_EQ(view.calls.back(), "status NOTE:1");
  for (int i = 0; i < 30; ++i) {
    EXPECT_EQ(melody.Notes[i], kWhiteKeyCodes[i % 14]) << i;
  }
  bkey_Click(melody, view, 9);
  EXPECT_EQ(melody.Notes[0], "64");
  EXPECT_EQ(melody.Notes[1], "21");
  EXPECT_EQ(melody.Cursor, 1);
  EXPECT_EQ(melody.Notes[30], "");
}

TEST_F(KeyboardTest, AKeyOverwritesTheNoteUnderTheCursor) {
  melody.Cursor = 7;
  melody.Notes[7] = "53";
  melody.Notes[8] = "61";
  PedalSW_Click(melody, view);
  EXPECT_EQ(melody.Notes[7], "01");
  EXPECT_EQ(melody.Notes[8], "61");
}

TEST_F(KeyboardTest, AnIndexOutsideTheKeyboardChangesNothing) {
  const Melody before = melody;
  ken_Click(melody, view, -1);
  ken_Click(melody, view, 14);
  bkey_Click(melody, view, 10);
  bkey_Click(melody, view, INT16_MIN);
  EXPECT_TRUE(view.calls.empty());
  EXPECT_EQ(melody.Notes, before.Notes);
  EXPECT_EQ(melody.Cursor, before.Cursor);
}

TEST_F(KeyboardTest, AMissingPictureLeavesSlotCursorMarkersAndStatusAlone) {
  melody.Cursor = 4;
  melody.Notes[4] = "32";
  view.unreadable.insert("/app/52.bmp");
  EXPECT_THROW(bkey_Click(melody, view, 3), PictureLoadError);
  EXPECT_EQ(melody.Notes[4], "32");
  EXPECT_EQ(melody.Cursor, 4);
  EXPECT_TRUE(view.calls.empty());
  // The program goes on: the next entry works as usual.
  ken_Click(melody, view, 0);
  EXPECT_EQ(melody.Notes[4], "11");
  EXPECT_EQ(melody.Cursor, 5);
}

}  // namespace
}  // namespace merin
