// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <sstream>

#include "ui/editcontrols.h"
#include "ui/edithistory.h"
#include "ui/languageswitch.h"
#include "ui/melodykeeper.h"
#include "ui/pianokeys.h"
#include "ui/soloutform.h"
#include "windowstate.h"

namespace merin::test {
namespace {

// Closes the next message box and hands back its text.
std::shared_ptr<QString> CloseNextMessage() {
  auto text = std::make_shared<QString>();
  WhenShown([text] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return false;
    *text = box->text();
    box->accept();
    return true;
  });
  return text;
}

// A main window that has the keyboard, typed at as a user types: every key goes to the widget
// with the focus, through the window's shortcuts first.
class Editor {
 public:
  Editor() : reader(t) {
    t.window->activateWindow();
    active = QTest::qWaitForWindowActive(t.window.get());
  }
  QWidget* focus() const {
    QWidget* w = QApplication::focusWidget();
    return w ? w : t.window.get();
  }
  // A key typed at the window, which is made the active one first (a message box that closed
  // or another window may have taken that), as shortcuts only reach the active window.
  void key(Qt::Key k, Qt::KeyboardModifiers m = {}) {
    if (!t.window->isActiveWindow()) {
      t.window->activateWindow();
      active = QTest::qWaitForWindowActive(t.window.get());
    }
    QTest::keyClick(focus(), k, m);
  }
  void type(const std::vector<Qt::Key>& keys) {
    for (Qt::Key k : keys) key(k);
  }
  WindowState state() const { return reader.Read(); }
  const Melody& melody() const { return t.window->melody(); }
  QUndoStack* steps() const { return t.window->undoStack(); }
  QAction* action(const char* name) const { return t.window->findChild<QAction*>(name); }
  // Puts in the melody written as space-separated codes, the slots after them empty.
  void put(const std::string& text, int32_t cursor) {
    std::array<std::string, 30> codes;
    codes.fill("99");
    std::istringstream in(text);
    for (size_t slot = 0; slot < 30 && in >> codes[slot]; ++slot) {
    }
    t.window->replaceMelody(codes, cursor);
  }
  std::string codes(size_t count) const {
    std::string s;
    for (size_t i = 0; i < count; ++i) s += (i ? " " : "") + melody().Notes[i];
    return s;
  }

  TestWindow t;
  StateReader reader;
  bool active = false;
};

// Key by key, the note it plays and the on-screen key it presses: the tracker layout with C4 on Z
// and C5 on Q, the rest on 0.
struct Played {
  Qt::Key key;
  const char* code;
  const char* button;
};
constexpr Played kPlayed[] = {
    {Qt::Key_Z, "11", "ken0"},    {Qt::Key_S, "12", "bkey0"}, {Qt::Key_X, "21", "ken1"},
    {Qt::Key_D, "22", "bkey1"},   {Qt::Key_C, "31", "ken2"},  {Qt::Key_V, "41", "ken3"},
    {Qt::Key_G, "42", "bkey2"},   {Qt::Key_B, "51", "ken4"},  {Qt::Key_H, "52", "bkey3"},
    {Qt::Key_N, "61", "ken5"},    {Qt::Key_J, "62", "bkey4"}, {Qt::Key_M, "71", "ken6"},
    {Qt::Key_Q, "13", "ken7"},    {Qt::Key_2, "14", "bkey5"}, {Qt::Key_W, "23", "ken8"},
    {Qt::Key_3, "24", "bkey6"},   {Qt::Key_E, "32", "ken9"},  {Qt::Key_R, "43", "ken10"},
    {Qt::Key_5, "44", "bkey7"},   {Qt::Key_T, "53", "ken11"}, {Qt::Key_6, "54", "bkey8"},
    {Qt::Key_Y, "63", "ken12"},   {Qt::Key_7, "64", "bkey9"}, {Qt::Key_U, "72", "ken13"},
    {Qt::Key_0, "01", "PedalSW"},
};

// How far apart two pictures of one size are: the mean over their pixels of the largest
// difference of a colour channel.
int MeanDifference(const QImage& a, const QImage& b) {
  long long sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
      sum += std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                       std::abs(p.blue() - q.blue())});
    }
  }
  return int(sum / std::max(1, a.width() * a.height()));
}

TEST(ComputerKeyboard, EveryKeyOfBothRowsAndZeroEntersItsNoteAndHoldsItsKeyDown) {
  Editor e;
  ASSERT_TRUE(e.active);
  int slot = 0;
  for (const Played& p : kPlayed) {
    auto* button = e.t.find<QAbstractButton>(p.button);
    QTest::keyPress(e.focus(), p.key);
    EXPECT_TRUE(button->isDown()) << p.button;
    const QImage down = button->grab().toImage();
    QTest::keyRelease(e.focus(), p.key);
    EXPECT_FALSE(button->isDown()) << p.button;
    EXPECT_GT(MeanDifference(down, button->grab().toImage()), 15) << p.button << " looks pressed";
    const WindowState s = e.state();
    EXPECT_EQ(s.codes[size_t(slot)], p.code) << p.button;
    ++slot;
    EXPECT_EQ(s.cursor, slot) << p.button;
    EXPECT_EQ(e.reader.Inconsistency(s), "") << p.button;
  }
  EXPECT_EQ(e.steps()->count(), 25);
}

TEST(ComputerKeyboard, OtherKeysAndModifiedKeysEnterNothing) {
  Editor e;
  ASSERT_TRUE(e.active);
  const WindowState before = e.state();
  for (Qt::Key k : {Qt::Key_A, Qt::Key_F, Qt::Key_K, Qt::Key_L, Qt::Key_I, Qt::Key_O, Qt::Key_P,
                    Qt::Key_1, Qt::Key_4, Qt::Key_8, Qt::Key_9, Qt::Key_Comma, Qt::Key_Minus}) {
    e.key(k);
  }
  for (Qt::KeyboardModifiers m : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier,
                                  Qt::MetaModifier, Qt::KeypadModifier}) {
    for (Qt::Key k : {Qt::Key_X, Qt::Key_2, Qt::Key_0, Qt::Key_M}) e.key(k, m);
  }
  EXPECT_EQ(e.state(), before);
  EXPECT_EQ(e.steps()->count(), 0);
}

TEST(ComputerKeyboard, AHeldKeyEntersOnceHoweverItRepeats) {
  Editor e;
  ASSERT_TRUE(e.active);
  auto* ken0 = e.t.find<QAbstractButton>("ken0");
  auto send = [&](QEvent::Type type, bool repeat) {
    QKeyEvent event(type, Qt::Key_Z, Qt::NoModifier, "z", repeat);
    QApplication::sendEvent(e.focus(), &event);
  };
  send(QEvent::KeyPress, false);
  for (int i = 0; i < 5; ++i) send(QEvent::KeyPress, true);  // as Windows and Wayland repeat
  for (int i = 0; i < 5; ++i) {                              // as X11 repeats
    send(QEvent::KeyRelease, true);
    EXPECT_TRUE(ken0->isDown());
    send(QEvent::KeyPress, true);
  }
  EXPECT_TRUE(ken0->isDown());
  EXPECT_EQ(e.codes(2), "11 99");
  EXPECT_EQ(e.melody().Cursor, 1);
  send(QEvent::KeyRelease, false);
  EXPECT_FALSE(ken0->isDown());
  // Pressed again, it enters again; a second key held at the same time too.
  send(QEvent::KeyPress, false);
  QTest::keyPress(e.focus(), Qt::Key_Q);
  EXPECT_TRUE(ken0->isDown());
  EXPECT_TRUE(e.t.find<QAbstractButton>("ken7")->isDown());
  QTest::keyRelease(e.focus(), Qt::Key_Q);
  send(QEvent::KeyRelease, false);
  EXPECT_EQ(e.codes(4), "11 11 13 99");
  EXPECT_EQ(e.steps()->count(), 3);
}

TEST(ComputerKeyboard, ARepeatSplitIntoReleaseAndPressAtOneTimeEntersNothing) {
  Editor e;
  ASSERT_TRUE(e.active);
  auto* ken1 = e.t.find<QAbstractButton>("ken1");
  auto send = [&](QEvent::Type type, ulong timestamp) {
    QKeyEvent event(type, Qt::Key_X, Qt::NoModifier, "x");
    event.setTimestamp(timestamp);
    QApplication::sendEvent(e.focus(), &event);
  };
  // X11 repeats a held key as a release and a press with one timestamp; Qt marks the pair as a
  // repeat only when the press has arrived by the time it reads the release.
  send(QEvent::KeyPress, 1000);
  for (ulong t = 1500; t < 2000; t += 33) {
    send(QEvent::KeyRelease, t);
    send(QEvent::KeyPress, t);
    EXPECT_TRUE(ken1->isDown());
  }
  EXPECT_EQ(e.codes(2), "21 99");
  send(QEvent::KeyRelease, 2100);
  EXPECT_FALSE(ken1->isDown());
  // A press a moment after a release is the key pressed again; so is a press at the time of the
  // release when the key was down for less than any keyboard's repeat delay, as when a program
  // types a key twice.
  send(QEvent::KeyPress, 2101);
  send(QEvent::KeyRelease, 2200);
  send(QEvent::KeyPress, 2200);
  send(QEvent::KeyRelease, 2200);
  send(QEvent::KeyPress, 2200);
  send(QEvent::KeyRelease, 2201);
  EXPECT_EQ(e.codes(5), "21 21 21 21 99");
  EXPECT_FALSE(ken1->isDown());
}

// A key event as a platform delivers it: its Qt key as the keyboard's layout names it and the
// native scan code of the physical key.
std::optional<PianoKey> Native(Qt::Key key, uint32_t scanCode, const char* platform) {
  const QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, scanCode, 0, 0);
  return ui::PianoKeys::keyOf(event, ui::PianoKeys::scanCodeOffset(platform));
}

TEST(ComputerKeyboard, ThePhysicalKeyCountsWhereThePlatformGivesItsScanCode) {
  using K = PianoKey::Kind;
  struct Case {
    const char* what;
    Qt::Key key;
    uint32_t scanCode;
    const char* platform;
    std::optional<PianoKey> plays;
  } cases[] = {
      {"US Z on X11", Qt::Key_Z, 52, "xcb", PianoKey{K::White, 0}},
      {"French W, where US has Z", Qt::Key_W, 52, "xcb", PianoKey{K::White, 0}},
      {"German Y, where US has Z", Qt::Key_Y, 52, "wayland", PianoKey{K::White, 0}},
      {"French A, where US has Q", Qt::Key_A, 24, "xcb", PianoKey{K::White, 7}},
      {"French Q, where US has A", Qt::Key_Q, 38, "xcb", std::nullopt},
      {"French é, where US has 2", Qt::Key_Eacute, 11, "xcb", PianoKey{K::Black, 5}},
      {"French à, where US has 0", Qt::Key_Agrave, 19, "xcb", PianoKey{K::Rest, 0}},
      {"French Z on Windows", Qt::Key_Z, 0x11, "windows", PianoKey{K::White, 8}},
      {"an event with no scan code", Qt::Key_Z, 0, "xcb", PianoKey{K::White, 0}},
      {"no scan codes known: the key", Qt::Key_Z, 52, "offscreen", PianoKey{K::White, 0}},
      {"no scan codes known: W", Qt::Key_W, 52, "cocoa", PianoKey{K::White, 8}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Native(c.key, c.scanCode, c.platform), c.plays) << c.what;
  }
}

TEST(CursorKeys, MoveTheCurrentSlotWrappingAndAreNoSteps) {
  Editor e;
  ASSERT_TRUE(e.active);
  e.type({Qt::Key_Z, Qt::Key_X, Qt::Key_0, Qt::Key_C});
  const int steps = e.steps()->count();
  struct Case {
    Qt::Key key;
    int32_t cursor;
  } cases[] = {{Qt::Key_Home, 0}, {Qt::Key_Left, 29}, {Qt::Key_Right, 0}, {Qt::Key_Right, 1},
               {Qt::Key_End, 4},  {Qt::Key_Left, 3},  {Qt::Key_Home, 0},  {Qt::Key_End, 4}};
  for (const Case& c : cases) {
    e.key(c.key);
    const WindowState s = e.state();
    EXPECT_EQ(s.cursor, c.cursor) << c.key;
    EXPECT_EQ(e.reader.Inconsistency(s), "");
  }
  EXPECT_EQ(e.codes(5), "11 21 01 31 99");
  EXPECT_EQ(e.steps()->count(), steps);

  e.put("11", 0);
  e.key(Qt::Key_End);
  EXPECT_EQ(e.melody().Cursor, 1);
  e.put("", 5);
  e.key(Qt::Key_End);
  EXPECT_EQ(e.melody().Cursor, 0);
  std::string full;
  for (int i = 0; i < 30; ++i) full += "11 ";
  e.put(full, 3);
  e.key(Qt::Key_End);
  EXPECT_EQ(e.melody().Cursor, 29);
}

TEST(EditKeys, DeleteClearsTheCurrentSlotAsARightClickOnIt) {
  Editor byKey, byClick;
  ASSERT_TRUE(byKey.active);
  for (Editor* e : {&byKey, &byClick}) e->put("11 21 31 41", 1);
  byKey.key(Qt::Key_Delete);
  QTest::mouseClick(byClick.t.find("Gosen1"), Qt::RightButton, {}, QPoint(10, 50));
  EXPECT_EQ(byKey.codes(4), "11 99 31 41");
  EXPECT_EQ(byKey.state(), byClick.state());
  EXPECT_EQ(byKey.steps()->count(), 2);
}

TEST(EditKeys, InsertShiftsRightAndCtrlDeleteShiftsLeft) {
  Editor e;
  ASSERT_TRUE(e.active);
  e.put("11 21 31 41", 1);
  e.key(Qt::Key_Insert);
  EXPECT_EQ(e.codes(6), "11 99 21 31 41 99");
  EXPECT_EQ(e.melody().Cursor, 1);
  EXPECT_EQ(e.reader.Inconsistency(e.state()), "");
  e.key(Qt::Key_Delete, Qt::ControlModifier);
  e.key(Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(e.codes(5), "11 31 41 99 99");
  EXPECT_EQ(e.melody().Cursor, 1);
  e.action("InsertMenu")->trigger();
  EXPECT_EQ(e.codes(5), "11 99 31 41 99");
  e.action("RemoveMenu")->trigger();
  EXPECT_EQ(e.codes(5), "11 31 41 99 99");
  EXPECT_EQ(e.reader.Inconsistency(e.state()), "");
  EXPECT_EQ(e.steps()->count(), 6);
}

TEST(EditKeys, AtTheLastSlotAndOnAFullMelody) {
  Editor e;
  ASSERT_TRUE(e.active);
  std::string full = "13";
  for (int i = 1; i < 30; ++i) full += " 1" + std::to_string(i % 4 + 1);  // 13 12 13 14 11 ...
  e.put(full, 29);
  const WindowState before = e.state();
  const int steps = e.steps()->count();
  for (int32_t slot : {0, 14, 29}) {
    e.put(full, slot);
    const WindowState refused = e.state();
    auto message = CloseNextMessage();
    e.key(Qt::Key_Insert);
    EXPECT_TRUE(message->contains("NOTE:30")) << message->toStdString();
    EXPECT_EQ(e.state(), refused) << "inserting at slot " << slot;
  }
  e.put(full, 29);
  EXPECT_EQ(e.state(), before);
  EXPECT_EQ(e.steps()->count(), steps);

  e.key(Qt::Key_Delete, Qt::ControlModifier);  // the last slot is taken out
  EXPECT_EQ(e.melody().Notes[29], "99");
  EXPECT_EQ(e.melody().Notes[28], before.codes[28]);
  EXPECT_EQ(e.melody().Cursor, 29);
  e.key(Qt::Key_Insert);  // now it is empty, inserting at it changes nothing
  EXPECT_EQ(e.melody().Notes[29], "99");
  e.key(Qt::Key_Home);
  e.key(Qt::Key_Insert);  // slot 29 falls off; everything moves right
  EXPECT_EQ(e.melody().Notes[0], "99");
  EXPECT_EQ(e.melody().Notes[1], "13");
  EXPECT_EQ(e.melody().Notes[29], before.codes[28]);
  EXPECT_EQ(e.reader.Inconsistency(e.state()), "");
}

TEST(EditKeys, TransposeMovesEveryNoteAndRefusesLeavingTheRange) {
  Editor e;
  ASSERT_TRUE(e.active);
  e.put("11 52 01 99 13", 3);
  struct Case {
    Qt::KeyboardModifiers modifiers;
    Qt::Key key;
    const char* codes;  // empty when refused
    const char* named;
  } cases[] = {
      {Qt::ControlModifier, Qt::Key_Up, "12 61 01 99 14", ""},
      {Qt::ControlModifier, Qt::Key_Down, "11 52 01 99 13", ""},
      {Qt::ControlModifier, Qt::Key_Down, "", "NOTE:1 の C4"},
      {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Up, "", "NOTE:5 の C5"},
      {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Down, "", "NOTE:1 の C4"},
  };
  for (const Case& c : cases) {
    const WindowState before = e.state();
    const int steps = e.steps()->count();
    auto message = std::make_shared<QString>();
    if (*c.codes == '\0') message = CloseNextMessage();
    e.key(c.key, c.modifiers);
    if (*c.codes == '\0') {
      EXPECT_TRUE(message->contains(QString::fromUtf8(c.named))) << message->toStdString();
      EXPECT_EQ(e.state(), before);
      EXPECT_EQ(e.steps()->count(), steps);
    } else {
      EXPECT_EQ(e.codes(5), c.codes);
      EXPECT_EQ(e.melody().Cursor, 3);
      EXPECT_EQ(e.reader.Inconsistency(e.state()), "");
      EXPECT_EQ(e.steps()->count(), steps + 1);
    }
  }
  e.put("13 54 01", 0);
  e.key(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(e.codes(3), "11 52 01");
  e.key(Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(e.codes(3), "13 54 01");
  // A melody without notes has nothing to move: no step.
  e.put("01 99 01", 0);
  const int steps = e.steps()->count();
  e.key(Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(e.steps()->count(), steps);
}

// Every kind of step, undone and redone with everything the window shows compared.
TEST(UndoRedo, EveryKindOfStepIsUndoneAndRedoneWhole) {
  Editor e;
  ASSERT_TRUE(e.active);
  // The fresh window shows no slot number; a melody put back always shows it.
  e.key(Qt::Key_Home);
  const WindowState empty = e.state();
  ASSERT_EQ(empty.status, "NOTE:1");
  auto click = [&](const char* name, Qt::MouseButton b = Qt::LeftButton,
                   Qt::KeyboardModifiers m = {}, QPoint at = QPoint()) {
    return [&e, name, b, m, at] { QTest::mouseClick(e.t.find(name), b, m, at); };
  };
  auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = {}) { return [&e, k, m] { e.key(k, m); }; };
  std::array<std::string, 30> opened;
  opened.fill("99");
  opened[0] = "23", opened[1] = "01", opened[2] = "64", opened[3] = "31";
  const struct Step {
    const char* what;
    std::function<void()> act;
    std::function<void()> moveFirst = [] {};  // cursor moves, which are no steps
  } steps[] = {
      {"open, import, paste or new", [&] { e.t.window->replaceMelody(opened, 2); }},
      {"a white key", click("ken3")},
      {"a black key", click("bkey7")},
      {"the rest pedal", click("PedalSW")},
      {"a staff click", click("Gosen9", Qt::LeftButton, {}, QPoint(10, 50))},
      {"a Shift staff click", click("Gosen10", Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 30))},
      {"a right staff click", click("Gosen2", Qt::RightButton, {}, QPoint(10, 30))},
      {"a computer key", key(Qt::Key_E)},
      {"the rest key", key(Qt::Key_0)},
      {"Delete", key(Qt::Key_Delete), key(Qt::Key_Left)},
      {"Insert", key(Qt::Key_Insert), [&] { e.key(Qt::Key_Home), e.key(Qt::Key_Right); }},
      {"Ctrl+Delete", key(Qt::Key_Delete, Qt::ControlModifier)},
      {"a semitone up", key(Qt::Key_Up, Qt::ControlModifier)},
      {"an octave down", key(Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier)},
      {"new", [&] { e.t.window->replaceMelody(empty.codes, 0); }},
  };
  std::vector<WindowState> befores, afters;
  for (const Step& step : steps) {
    step.moveFirst();
    const WindowState before = e.state();
    step.act();
    const WindowState after = e.state();
    ASSERT_NE(after.codes, before.codes) << step.what << " changed no slot";
    EXPECT_EQ(e.reader.Inconsistency(after), "") << step.what;
    EXPECT_EQ(e.steps()->count(), int(afters.size()) + 1) << step.what;
    EXPECT_TRUE(e.action("UndoMenu")->isEnabled());
    EXPECT_FALSE(e.action("RedoMenu")->isEnabled());

    e.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(e.state(), before) << "undoing " << step.what;
    EXPECT_TRUE(e.action("RedoMenu")->isEnabled());
    e.key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(e.state(), after) << "redoing " << step.what;
    e.action("UndoMenu")->trigger();
    EXPECT_EQ(e.state(), before) << "undoing " << step.what << " from the menu";
    e.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(e.state(), after) << "redoing " << step.what << " with Ctrl+Shift+Z";
    befores.push_back(before);
    afters.push_back(after);
  }
  // All the way back and forth again.
  for (size_t i = afters.size(); i-- > 0;) {
    e.key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(e.state(), befores[i]) << "undoing " << steps[i].what;
  }
  EXPECT_EQ(e.state(), empty);
  EXPECT_FALSE(e.action("UndoMenu")->isEnabled());
  for (size_t i = 0; i < afters.size(); ++i) {
    e.key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(e.state(), afters[i]) << "redoing " << steps[i].what;
  }
  EXPECT_FALSE(e.action("RedoMenu")->isEnabled());
}

TEST(UndoRedo, OnlyChangesOfASlotAreSteps) {
  Editor e;
  ASSERT_TRUE(e.active);
  EXPECT_FALSE(e.action("UndoMenu")->isEnabled());
  EXPECT_FALSE(e.action("RedoMenu")->isEnabled());
  QTest::mouseClick(e.t.find("np5"), Qt::LeftButton);
  e.key(Qt::Key_Right);
  e.key(Qt::Key_End);
  QTest::mouseClick(e.t.find("Gosen3"), Qt::RightButton);  // already empty
  QTest::mouseClick(e.t.find("Gosen4"), Qt::MiddleButton);
  e.key(Qt::Key_Delete);
  EXPECT_EQ(e.steps()->count(), 0);
  EXPECT_FALSE(e.action("UndoMenu")->isEnabled());
  // Writing the note a slot already holds changes nothing either.
  e.key(Qt::Key_Home);
  e.key(Qt::Key_Z);
  e.key(Qt::Key_Home);
  e.key(Qt::Key_Z);
  EXPECT_EQ(e.steps()->count(), 1);
  // Undoing puts the cursor back where it was before the step, not where it was moved since.
  e.key(Qt::Key_End);
  e.key(Qt::Key_Right);
  e.key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(e.melody().Cursor, 0);
  EXPECT_EQ(e.melody().Notes[0], "99");
}

TEST(UndoRedo, UndoingToWhereItWasSavedIsClean) {
  Editor e;
  ASSERT_TRUE(e.active);
  EXPECT_TRUE(e.steps()->isClean());
  e.type({Qt::Key_Z, Qt::Key_X});
  EXPECT_FALSE(e.steps()->isClean());
  e.steps()->setClean();
  e.key(Qt::Key_C);
  EXPECT_FALSE(e.steps()->isClean());
  e.key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(e.steps()->isClean());
  e.key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(e.steps()->isClean());
}

TEST(LaidOutKeys, SpaceStillPressesTheFocusedKeyAndEnterDoesWhatItDid) {
  Editor e;
  ASSERT_TRUE(e.active);
  e.t.find("ken3")->setFocus();
  e.key(Qt::Key_Space);
  EXPECT_EQ(e.codes(2), "41 99");
  e.t.find("PedalSW")->setFocus();
  e.key(Qt::Key_Space);
  EXPECT_EQ(e.codes(3), "41 01 99");
  // A push button of a main window (not a dialog) has no default action on Enter.
  const WindowState before = e.state();
  for (const char* name : {"ken3", "bkey0", "PedalSW", "Command2"}) {
    e.t.find(name)->setFocus();
    e.key(Qt::Key_Return);
    e.key(Qt::Key_Enter, Qt::KeypadModifier);
  }
  EXPECT_EQ(e.state(), before);
  EXPECT_EQ(e.steps()->count(), 2);
}

TEST(LaidOutKeys, TabWalksTheTabOrderAndEntersNothing) {
  Editor e;
  ASSERT_TRUE(e.active);
  e.t.find("ken0")->setFocus();
  for (const char* next : {"ken1", "ken2", "ken3"}) {
    e.key(Qt::Key_Tab);
    EXPECT_EQ(e.focus()->objectName().toStdString(), next);
  }
  e.key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(e.focus()->objectName().toStdString(), "ken2");
  EXPECT_EQ(e.steps()->count(), 0);
}

TEST(LaidOutKeys, AltFOpensTheFileMenuWhichThenHasTheKeys) {
  Editor e;
  ASSERT_TRUE(e.active);
  auto* file = e.t.window->findChild<QMenu*>("Filemenu");
  e.key(Qt::Key_F, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == file; }));
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Z);
  QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activePopupWidget() == nullptr; }));
  EXPECT_EQ(e.melody().Notes[0], "99");
  EXPECT_EQ(e.steps()->count(), 0);
}

TEST(LaidOutKeys, TheResultWindowsTextBoxKeepsItsKeys) {
  Editor e;
  ASSERT_TRUE(e.active);
  e.type({Qt::Key_Z, Qt::Key_X});
  const WindowState before = e.state();
  QString typed, undone;
  WhenShown([&] {
    auto* form = qobject_cast<ui::SoloutForm*>(QApplication::activeModalWidget());
    if (!form) return false;
    QPlainTextEdit* text = form->Text1();
    text->setFocus();
    text->moveCursor(QTextCursor::End);
    for (Qt::Key k : {Qt::Key_Z, Qt::Key_X, Qt::Key_0, Qt::Key_Left, Qt::Key_Delete}) {
      QTest::keyClick(text, k);
    }
    typed = text->toPlainText();
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
    undone = text->toPlainText();
    form->close();
    return true;
  });
  QTest::mouseClick(e.t.find("Command1"), Qt::LeftButton);
  EXPECT_TRUE(typed.endsWith("zx")) << typed.right(10).toStdString();
  EXPECT_NE(undone, typed);
  EXPECT_EQ(e.state(), before);
  EXPECT_EQ(e.steps()->count(), 2);
}

// The text of a menu's items, with their shortcuts and submenus: "caption\tkeys" or "-".
QStringList Items(const QMenu* menu) {
  QStringList items;
  for (const QAction* a : menu->actions()) {
    if (a->isSeparator()) {
      items << "-";
      continue;
    }
    QStringList keys;
    for (const QKeySequence& k : a->shortcuts()) keys << k.toString();
    items << a->text() + "\t" + keys.join(", ");
    if (a->menu()) {
      for (const QString& item : Items(a->menu())) items << "  " + item;
    }
  }
  return items;
}

TEST(EditMenu, HoldsUndoRedoAndTheEditsWithTheirKeys) {
  Editor e;
  auto* edit = e.t.window->findChild<QMenu*>("Editmenu");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->title(), "編集(&E)");
  const QStringList items = Items(edit);
  const QStringList mine = {
      "元に戻す(&U)\tCtrl+Z",
      "やり直し(&R)\tCtrl+Y, Ctrl+Shift+Z",
      "-",
      "消去(&L)\tDel",
      "挿入(&I)\tIns",
      "削除(&D)\tCtrl+Del",
      "移調(&T)\t",
      "  半音上げる\tCtrl+Up",
      "  半音下げる\tCtrl+Down",
      "  1 オクターブ上げる\tCtrl+Shift+Up",
      "  1 オクターブ下げる\tCtrl+Shift+Down",
  };
  EXPECT_EQ(items.mid(0, mine.size()), mine);
  auto* help = e.t.window->findChild<QMenu*>("Helpmenu");
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(Items(help),
            QStringList({"キー操作(&K)\t", "キー入力ガイド...\tF2", "言語 / Language\t",
                         "  日本語\t", "  English\t", "-", "Merinkast98 について(&A)\t"}));
}

TEST(EditMenu, ItemsAlreadyThereFollowTheEditingItems) {
  QMainWindow window;
  QMenu* edit = window.menuBar()->addMenu("編集(&E)");
  edit->setObjectName("Editmenu");
  QAction* paste = edit->addAction("RTTTL を貼り付け");
  ui::EditHistory history([](bool) {}, &window);
  new ui::EditControls(&window, history, [](const auto&) {});
  EXPECT_EQ(window.menuBar()->findChildren<QMenu*>("Editmenu").size(), 1);
  ASSERT_GE(edit->actions().size(), 3);
  EXPECT_EQ(edit->actions().first()->objectName(), "UndoMenu");
  EXPECT_TRUE(edit->actions()[edit->actions().size() - 2]->isSeparator());
  EXPECT_EQ(edit->actions().last(), paste);
}

TEST(KeyTable, TheHelpMenuShowsItAndTheReadmeHasEveryRow) {
  Editor e;
  ASSERT_TRUE(e.active);
  // A desktop's larger font: the table still fits its text.
  const QFont font = QApplication::font();
  QFont larger = font;
  larger.setPointSize(font.pointSize() + 4);
  QApplication::setFont(larger);
  e.action("KeysMenu")->trigger();
  auto* dialog = e.t.window->findChild<QDialog*>("KeyTable");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  auto* table = dialog->findChild<QTableWidget*>("KeyTableRows");
  ASSERT_EQ(table->rowCount(), int(ui::kKeyTable.size()));
  QFile readme(QStringLiteral(MERIN_TEST_DATA "/../../README.md"));
  ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(readme.readAll());
  for (int row = 0; row < table->rowCount(); ++row) {
    const QString keys = table->item(row, 0)->text(), does = table->item(row, 1)->text();
    EXPECT_EQ(keys.toStdString(), ui::kKeyTable[size_t(row)].keys);
    EXPECT_TRUE(text.contains("| " + keys + " | " + does + " |"))
        << "README lacks the row " << keys.toStdString() << " | " << does.toStdString();
  }
  for (const Language language : {Language::English, Language::Japanese}) {
    ui::UseLanguage(language);
    QApplication::processEvents();
    EXPECT_EQ(table->horizontalScrollBar()->maximum(), 0) << "nothing scrolls sideways";
    for (int row = 0; row < table->rowCount(); ++row) {
      for (int column = 0; column < 2; ++column) {
        const QString text = table->item(row, column)->text();
        EXPECT_LE(table->fontMetrics().horizontalAdvance(text), table->columnWidth(column))
            << text.toStdString() << " is cut";
      }
    }
  }
  e.action("KeysMenu")->trigger();
  EXPECT_EQ(e.t.window->findChildren<QDialog*>("KeyTable").size(), 1);
  dialog->close();
  QApplication::setFont(font);
}

// The About box names the version, the licence and the folder of the kept melodies, in the
// window's language.
TEST(AboutBox, GivesTheVersionTheLicenceAndWhereMelodiesAreKept) {
  Editor e;
  ASSERT_TRUE(e.active);
  for (const auto& [language, licence] : {std::pair{Language::Japanese, "MIT ライセンス"},
                                          std::pair{Language::English, "MIT licence"}}) {
    ui::UseLanguage(language);
    QString text;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->objectName(), "About");
      text = box->text();
      box->accept();
    });
    e.action("AboutMenu")->trigger();
    EXPECT_TRUE(text.startsWith("Merinkast98 " MERIN_VERSION "\n")) << text.toStdString();
    EXPECT_TRUE(text.contains(licence)) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QDir::toNativeSeparators(ui::MelodyKeeper::folder())));
  }
  ui::UseLanguage(Language::Japanese);
}

}  // namespace
}  // namespace merin::test
