// SPDX-License-Identifier: MIT
#include "ui/typingguide.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "output/convert.h"
#include "support/melodies.h"
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
    for (const Step& step : steps) {
      if (step.key != Qt::Key_unknown) QTest::keyClick(guide, step.key);
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

}  // namespace
}  // namespace merin::test
