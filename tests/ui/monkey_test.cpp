// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>

#include "art/pictures.h"
#include "support/testwindow.h"
#include "ui/colours.h"
#include "ui/keybutton.h"
#include "ui/positionmarker.h"
#include "ui/staffcell.h"

namespace merin::test {
namespace {

constexpr unsigned kSeed = 19980401;

int EventCount() {
  const char* count = std::getenv("MERIN_MONKEY_EVENTS");
  return count ? std::atoi(count) : 100000;
}

QString N(const char* stem, int i) { return QString::fromLatin1(stem) + QString::number(i); }

// A key of the computer keyboard, with its modifiers.
struct Key {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
};

// Every key the main window acts on, and a few it leaves alone.
std::vector<Key> MonkeyKeys() {
  std::vector<Key> keys;
  for (Qt::Key k :
       {Qt::Key_Z,   Qt::Key_S,      Qt::Key_X,     Qt::Key_D,    Qt::Key_C,     Qt::Key_V,
        Qt::Key_G,   Qt::Key_B,      Qt::Key_H,     Qt::Key_N,    Qt::Key_J,     Qt::Key_M,
        Qt::Key_Q,   Qt::Key_2,      Qt::Key_W,     Qt::Key_3,    Qt::Key_E,     Qt::Key_R,
        Qt::Key_5,   Qt::Key_T,      Qt::Key_6,     Qt::Key_Y,    Qt::Key_7,     Qt::Key_U,
        Qt::Key_0,   Qt::Key_A,      Qt::Key_1,     Qt::Key_Left, Qt::Key_Right, Qt::Key_Home,
        Qt::Key_End, Qt::Key_Delete, Qt::Key_Insert}) {
    keys.push_back({k, Qt::NoModifier});
  }
  keys.push_back({Qt::Key_Z, Qt::ShiftModifier});
  keys.push_back({Qt::Key_Delete, Qt::ControlModifier});
  for (Qt::KeyboardModifiers m :
       {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
    keys.push_back({Qt::Key_Up, m});
    keys.push_back({Qt::Key_Down, m});
  }
  return keys;
}

// Random clicks on every control that enters or selects a note, random keys, undo and redo, on
// one window; after each event the window must still show one consistent melody.
class Monkey {
 public:
  Monkey() : typed_(MonkeyKeys()), random_(kSeed) {
    for (int i = 0; i < 30; ++i) {
      cells_[size_t(i)] = t.find<ui::StaffCell>(N("Gosen", i));
      markers_[size_t(i)] = t.find<ui::PositionMarker>(N("np", i));
    }
    for (int i = 0; i < 14; ++i) keys_.push_back(t.find(N("ken", i)));
    for (int i = 0; i < 10; ++i) keys_.push_back(t.find(N("bkey", i)));
    keys_.push_back(t.find("PedalSW"));
    status_ = t.find<QStatusBar>("StatusBar1")->findChild<QLabel*>();

    // A cell's picture is recognised by one pixel: each picture file is a colour of its own, and
    // the empty staff a cell starts with is told apart from all of them.
    startColour_ = art::StaffPicture().pixelColor(10, 40);
    for (const std::string& name : ProgramPictures()) {
      const std::string code = name == "gosen.bmp" ? "99" : name.substr(0, 2);
      codes_.insert(code);
      colourOf_[code] = PictureColour(QString::fromStdString(name));
    }
    // A refused insert or transpose says so in a message box, which is closed at once.
    QObject::connect(&closer_, &QTimer::timeout, [this] {
      if (QWidget* box = QApplication::activeModalWidget()) box->close(), ++tally[3];
    });
    closer_.start(0);
  }

  // One random event; `last` says what it was.
  void Step() {
    const int kind = pick(40);
    if (kind < 12) {
      const int k = pick(int(keys_.size()));
      last = keys_[size_t(k)]->objectName().toStdString();
      QTest::mouseClick(keys_[size_t(k)], Qt::LeftButton);
    } else if (kind < 24) {
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
      QTest::mouseClick(cells_[size_t(slot)], button, modifiers, at);
    } else if (kind < 28) {
      const int slot = pick(30);
      last = "np" + std::to_string(slot);
      QTest::mouseClick(markers_[size_t(slot)], Qt::LeftButton);
    } else {
      const Key k = kind < 37   ? typed_[size_t(pick(int(typed_.size())))]
                    : kind < 39 ? Key{Qt::Key_Z, Qt::ControlModifier}
                    : pick(2)   ? Key{Qt::Key_Y, Qt::ControlModifier}
                                : Key{Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier};
      last = "key " + QKeySequence(k.key | k.modifiers).toString().toStdString();
      ++tally[size_t(kind < 37 ? 0 : kind < 39 ? 1 : 2)];
      Type(k);
    }
  }

  // Keys go to the widget with the focus of the active main window, as a user's do.
  void Type(Key k) {
    if (!t.window->isActiveWindow()) {
      t.window->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(t.window.get()));
    }
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : t.window.get(), k.key, k.modifiers);
  }

  // The melody, the cursor and the window are in step.
  void Check(const std::string& where) const {
    const Melody& melody = t.window->melody();
    const QColor current = ui::ColourOf(255), other = ui::ColourOf(0x80000009);
    ASSERT_GE(melody.Cursor, 0) << where;
    ASSERT_LT(melody.Cursor, 30) << where;
    for (int i = 0; i < 30; ++i) {
      const std::string& code = melody.Notes[size_t(i)];
      ASSERT_TRUE(codes_.count(code)) << where << ": slot " << i << " holds \"" << code << "\"";
      ASSERT_EQ(markers_[size_t(i)]->colour(), i == melody.Cursor ? current : other)
          << where << ": marker " << i;
      const QColor shown = cells_[size_t(i)]->picture().pixelColor(10, 40);
      ASSERT_TRUE(shown == colourOf_.at(code) || (code == "99" && shown == startColour_))
          << where << ": cell " << i << " does not show the picture of " << code;
    }
    ASSERT_EQ(melody.Notes[30], "") << where;
    ASSERT_EQ(status_->text().toStdString(), "NOTE:" + std::to_string(melody.Cursor + 1)) << where;
  }

  TestWindow t;
  std::string last;
  std::array<int, 4> tally{};  // keys, undos, redos, refusals

 private:
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  std::array<ui::StaffCell*, 30> cells_{};
  std::array<ui::PositionMarker*, 30> markers_{};
  std::vector<QWidget*> keys_;
  QLabel* status_ = nullptr;
  QColor startColour_;
  std::map<std::string, QColor> colourOf_;
  std::set<std::string> codes_;
  const std::vector<Key> typed_;
  std::mt19937 random_;
  QTimer closer_;
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(Monkey, RandomClicksKeysUndoAndRedoKeepTheMelodyTheCursorAndTheWindowInStep) {
  Monkey monkey;
  ASSERT_TRUE(monkey.t.exposed);
  const int count = EventCount();
  std::printf("monkey: seed %u, %d events\n", kSeed, count);
  const auto started = std::chrono::steady_clock::now();
  for (int event = 0; event < count; ++event) {
    monkey.Step();
    ASSERT_NO_FATAL_FAILURE(
        monkey.Check("after event " + std::to_string(event) + ": " + monkey.last));
  }
  const auto& n = monkey.tally;
  std::printf("monkey: %d events in %.1f s: %d keys, %d undos, %d redos, %d refusals\n", count,
              SecondsSince(started), n[0], n[1], n[2], n[3]);
}

// Undoing puts back every slot's picture from its file, 30 pictures a step; so this session is a
// twentieth of the long one.
TEST(Monkey, UndoingEveryStepOfARandomSessionGivesBackTheEmptyMelody) {
  Monkey monkey;
  ASSERT_TRUE(monkey.t.exposed);
  const int count = std::max(1, EventCount() / 20);
  for (int event = 0; event < count; ++event) {
    monkey.Step();
    ASSERT_NO_FATAL_FAILURE(
        monkey.Check("after event " + std::to_string(event) + ": " + monkey.last));
  }
  QUndoStack* steps = monkey.t.window->undoStack();
  const int stepCount = steps->index();
  const auto started = std::chrono::steady_clock::now();
  for (int step = stepCount; step > 0; --step) {
    monkey.Type({Qt::Key_Z, Qt::ControlModifier});
    ASSERT_NO_FATAL_FAILURE(monkey.Check("after undoing step " + std::to_string(step)));
  }
  EXPECT_FALSE(steps->canUndo());
  const Melody& melody = monkey.t.window->melody();
  for (int i = 0; i < 30; ++i) EXPECT_EQ(melody.Notes[size_t(i)], "99") << "slot " << i;
  std::printf("monkey: %d events, then %d steps undone in %.1f s\n", count, stepCount,
              SecondsSince(started));
}

}  // namespace
}  // namespace merin::test
