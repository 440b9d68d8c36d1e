#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>

#include "art/pictures.h"
#include "testwindow.h"
#include "ui/colours.h"
#include "ui/keybutton.h"
#include "ui/positionmarker.h"
#include "ui/staffcell.h"

namespace merin::testing {
namespace {

constexpr unsigned kSeed = 19980401;

int EventCount() {
  const char* count = std::getenv("MERIN_MONKEY_EVENTS");
  return count ? std::atoi(count) : 100000;
}

QString N(const char* stem, int i) { return QString::fromLatin1(stem) + QString::number(i); }

// Random clicks on every control that enters or selects a note; after each one the window must
// still show one consistent melody.
TEST(Monkey, RandomClicksKeepTheMelodyTheCursorAndTheWindowInStep) {
  TestWindow t;
  ASSERT_TRUE(t.exposed);
  std::array<ui::StaffCell*, 30> cells{};
  std::array<ui::PositionMarker*, 30> markers{};
  for (int i = 0; i < 30; ++i) {
    cells[size_t(i)] = t.find<ui::StaffCell>(N("Gosen", i));
    markers[size_t(i)] = t.find<ui::PositionMarker>(N("np", i));
  }
  std::vector<QWidget*> keys;
  for (int i = 0; i < 14; ++i) keys.push_back(t.find(N("ken", i)));
  for (int i = 0; i < 10; ++i) keys.push_back(t.find(N("bkey", i)));
  keys.push_back(t.find("PedalSW"));
  auto* status = t.find<QStatusBar>("StatusBar1")->findChild<QLabel*>();

  // A cell's picture is recognised by one pixel: each picture file is a colour of its own, and
  // the empty staff a cell starts with is told apart from all of them.
  const QColor startColour = art::StaffPicture().pixelColor(10, 40);
  std::map<std::string, QColor> colourOf;
  std::set<std::string> codes;
  for (const char* name : kPictureNames) {
    const std::string code = std::string(name) == "gosen.bmp" ? "99" : std::string(name, 2);
    codes.insert(code);
    colourOf[code] = PictureColour(name);
  }
  ASSERT_EQ(codes.size(), 26u);

  const int count = EventCount();
  std::printf("monkey: seed %u, %d events\n", kSeed, count);
  std::mt19937 random(kSeed);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  const Melody& melody = t.window->melody();
  const QColor current = ui::ColourOf(255), other = ui::ColourOf(0x80000009);
  const auto started = std::chrono::steady_clock::now();
  std::string last;
  for (int event = 0; event < count; ++event) {
    const int kind = pick(10);
    if (kind < 4) {
      const int k = pick(int(keys.size()));
      last = keys[size_t(k)]->objectName().toStdString();
      QTest::mouseClick(keys[size_t(k)], Qt::LeftButton);
    } else if (kind < 9) {
      const int slot = pick(30);
      const Qt::MouseButton button = std::array{Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                                Qt::MiddleButton}[size_t(pick(4))];
      Qt::KeyboardModifiers modifiers;
      if (pick(2)) modifiers |= Qt::ShiftModifier;
      if (pick(4) == 0) modifiers |= Qt::ControlModifier;
      if (pick(4) == 0) modifiers |= Qt::AltModifier;
      const QPoint at(pick(21), pick(111));
      last = "Gosen" + std::to_string(slot) + " button " + std::to_string(int(button)) +
             " modifiers " + std::to_string(int(modifiers)) + " y " + std::to_string(at.y());
      QTest::mouseClick(cells[size_t(slot)], button, modifiers, at);
    } else {
      const int slot = pick(30);
      last = "np" + std::to_string(slot);
      QTest::mouseClick(markers[size_t(slot)], Qt::LeftButton);
    }

    const std::string where = "after event " + std::to_string(event) + ": " + last;
    ASSERT_GE(melody.Cursor, 0) << where;
    ASSERT_LT(melody.Cursor, 30) << where;
    for (int i = 0; i < 30; ++i) {
      const std::string& code = melody.Notes[size_t(i)];
      ASSERT_TRUE(codes.count(code)) << where << ": slot " << i << " holds \"" << code << "\"";
      ASSERT_EQ(markers[size_t(i)]->colour(), i == melody.Cursor ? current : other)
          << where << ": marker " << i;
      const QColor shown = cells[size_t(i)]->picture().pixelColor(10, 40);
      ASSERT_TRUE(shown == colourOf[code] || (code == "99" && shown == startColour))
          << where << ": cell " << i << " does not show the picture of " << code;
    }
    ASSERT_EQ(melody.Notes[30], "") << where;
    ASSERT_EQ(status->text().toStdString(), "NOTE:" + std::to_string(melody.Cursor + 1)) << where;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("monkey: %d events in %.1f s\n", count, seconds);
}

}  // namespace
}  // namespace merin::testing
