// SPDX-License-Identifier: MIT
#include "ui/typingguide.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <chrono>

#include "output/convert.h"
#include "support/melodies.h"
#include "support/programfolder.h"
#include "support/testwindow.h"

namespace merin::test {
namespace {

// F2 opens the guide on slot 1; Space and the arrow keys step through the slots, each showing the
// keys the listing writes for it and sounding its note; Escape closes it.
TEST(TypingGuide, StepsThroughTheSlotsAsTheListingWritesThem) {
  TestWindow t;
  ASSERT_TRUE(t.exposed);
  const auto codes = MelodyOf({"11", "13", "13", "01", "52", "99", "72"});
  t.window->replaceMelody(codes, 0);
  const std::string listing = ConvertMelody(std::span<const std::string, 30>(codes.data(), 30));
  QStringList lines = QString::fromStdString(listing).split("\r\n");

  struct Step {
    Qt::Key key;
    int slot;
    const char* pitch;
    const char* lit;  // the key lit first
  };
  const Step steps[] = {{Qt::Key_unknown, 1, "C4", "1"},  {Qt::Key_Space, 2, "C5", "確定"},
                        {Qt::Key_Right, 3, "C5", "確定"}, {Qt::Key_Down, 4, "休符", "0"},
                        {Qt::Key_Space, 5, "G#4", "5"},   {Qt::Key_Space, 6, "空き", "0"},
                        {Qt::Key_Left, 5, "G#4", "5"},    {Qt::Key_End, 30, "空き", "0"},
                        {Qt::Key_Space, 30, "空き", "0"}, {Qt::Key_Home, 1, "C4", "1"}};
  bool shown = false;
  QTimer::singleShot(0, [&] {
    auto* guide = qobject_cast<ui::TypingGuide*>(QApplication::activeModalWidget());
    ASSERT_NE(guide, nullptr);
    shown = true;
    size_t sounds = 1;  // the opening sound
    for (const Step& step : steps) {
      const int before = guide->slot();
      if (step.key != Qt::Key_unknown) QTest::keyClick(guide, step.key);
      // Each slot sounds once the one before has: a key that comes sooner drops what waits.
      if (step.key == Qt::Key_unknown || guide->slot() != before) ++sounds;
      EXPECT_TRUE(QTest::qWaitFor([&] { return t.recorder.played.size() == sounds; }, 3000));
      EXPECT_EQ(guide->slot(), step.slot);
      EXPECT_EQ(guide->presses(), lines[step.slot - 1]) << "slot " << step.slot;
      EXPECT_EQ(guide->findChild<QLabel*>("GuidePitch")->text(), step.pitch);
      EXPECT_EQ(guide->findChild<QLabel*>("GuideSlot")->text(),
                QString("スロット %1 / 30").arg(step.slot));
      EXPECT_EQ(guide->litKey(), step.lit);
    }
    QTest::keyClick(guide, Qt::Key_Escape);
  });
  QTest::keyClick(t.window.get(), Qt::Key_F2);
  ASSERT_TRUE(shown);
  // Slot 1 and each step that moved sounded its slot's wave.
  const std::vector<std::string> sounded = {"11", "13", "13", "01", "52", "01", "52", "01", "11"};
  ASSERT_EQ(t.recorder.played.size(), sounded.size() + 1) << "the opening sound first";
  for (size_t i = 0; i < sounded.size(); ++i) {
    EXPECT_EQ(t.recorder.played[i + 1], t.path((sounded[i] + ".wav").c_str())) << i;
  }
}

// The keys are lit one after another, in the order they are pressed.
TEST(TypingGuide, LightsTheKeysInOrder) {
  RecordingSound sound;
  Melody melody;
  melody.Notes.fill("99");
  melody.Notes[0] = "11";
  melody.Notes[1] = "13";
  ui::TypingGuide guide(melody, sound, nullptr);
  guide.showSlot(2);
  QStringList seen = {guide.litKey()};
  QObject::connect(&guide, &ui::TypingGuide::lit, [&](const QString& key) { seen << key; });
  EXPECT_TRUE(QTest::qWaitFor([&] { return seen.size() >= 6; }, 5000));
  seen = seen.mid(0, 6);
  EXPECT_EQ(seen, (QStringList{"確定", "1", "1", "1", "", "確定"})) << "a pause, and again";
}

// Quick keys never wait behind a sound: eight → in a row show slot 9 at once, the note of each
// slot left behind is cut, and the slots passed over meanwhile are not sounded after it; Escape
// closes the guide at once.
TEST(TypingGuide, QuickKeysActAtOnceAndCutTheNoteLeftBehind) {
  test::ScopedProgramFolder folder("/program");
  // Each sound a second long, and a fifth of a second to stop one.
  HeldSound sound(std::chrono::seconds(1), std::chrono::milliseconds(200));
  Melody melody;
  for (size_t slot = 0; slot < kSlotCount; ++slot) melody.Notes[slot] = slot % 2 ? "13" : "11";
  melody.Notes[8] = "72";
  auto* guide = new ui::TypingGuide(melody, sound, nullptr);
  guide->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return sound.begun().size() == 1; }, 3000));
  QElapsedTimer clock;
  clock.start();
  for (int press = 0; press < 8; ++press) {
    QTest::keyClick(guide, Qt::Key_Right);
    EXPECT_EQ(guide->slot(), press + 2);
  }
  EXPECT_LT(clock.elapsed(), 150) << "the keys waited for the sound device";
  ASSERT_TRUE(QTest::qWaitFor([&] { return sound.begun().back() == "/program/72.wav"; }, 2000));
  EXPECT_LT(clock.elapsed(), 1000) << "slot 9 sounded late";
  QTest::qWait(300);
  EXPECT_LE(sound.begun().size(), 4u) << "slots passed over were sounded after all";
  EXPECT_EQ(sound.begun().back(), "/program/72.wav");
  clock.restart();
  delete guide;
  EXPECT_LT(clock.elapsed(), 600) << "closing waited for the note to end by itself";
}

}  // namespace
}  // namespace merin::test
