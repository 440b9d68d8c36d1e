// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <functional>
#include <vector>

#include "support/melodies.h"
#include "support/testwindow.h"
#include "ui/accessiblenames.h"
#include "ui/languageswitch.h"

namespace merin::test {
namespace {

// The name and role a screen reader is given for the control `name` of `t`'s window.
QString NameOf(const TestWindow& t, const QString& name) {
  QWidget* widget = t.find(name);
  QAccessibleInterface* accessible =
      widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
  return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("(no %1)").arg(name);
}

void Use(Language language) {
  ui::UseLanguage(language);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

// Every control is named as the page names it, in both languages: a key by its pitch, a cell by
// its slot and what it holds, a marker by its slot; cells and markers take the focus from Tab.
TEST(ScreenReader, EveryControlIsNamedInBothLanguages) {
  TestWindow t;
  ASSERT_TRUE(t.exposed);
  const struct {
    const char *name, *japanese, *english;
  } rows[] = {
      {"ken0", "C4 の鍵盤", "C4 key"},
      {"ken6", "B4 の鍵盤", "B4 key"},
      {"ken7", "C5 の鍵盤", "C5 key"},
      {"ken13", "B5 の鍵盤", "B5 key"},
      {"bkey0", "C♯4 の鍵盤", "C♯4 key"},
      {"bkey4", "A♯4 の鍵盤", "A♯4 key"},
      {"bkey5", "C♯5 の鍵盤", "C♯5 key"},
      {"bkey9", "A♯5 の鍵盤", "A♯5 key"},
      {"Gosen0", "スロット 1: 空き", "Slot 1: empty"},
      {"Gosen29", "スロット 30: 空き", "Slot 30: empty"},
      {"np0", "スロット 1 を選ぶ", "Select slot 1"},
      {"np29", "スロット 30 を選ぶ", "Select slot 30"},
      {"PedalSW", "休符ペダル", "Rest pedal"},
      {"Command1", "キー操作に変換", "Convert to key presses"},
      {"Command2", "テスト演奏", "Test play"},
  };
  for (Language language : {Language::Japanese, Language::English, Language::Japanese}) {
    Use(language);
    for (const auto& row : rows) {
      EXPECT_EQ(NameOf(t, row.name),
                QString::fromUtf8(language == Language::English ? row.english : row.japanese))
          << row.name;
    }
  }
  QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(t.find("Gosen3"));
  ASSERT_NE(cell, nullptr);
  EXPECT_TRUE(cell->state().focusable);
  EXPECT_EQ(cell->role(), QAccessible::Graphic);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(t.find("np3"))->role(), QAccessible::Button);
  EXPECT_TRUE(QAccessible::queryAccessibleInterface(t.find("np3"))->state().focusable);
}

// What each action changed is said, with the pitch, as the text of the status bar's label, whose
// change a screen reader hears: a note written, a slot emptied, undo
// and redo, a transposition and a melody brought in; the cell's name follows.
TEST(ScreenReader, EachActionIsSaidOnceWithThePitch) {
  TestWindow t;
  ASSERT_TRUE(t.exposed);
  Use(Language::Japanese);
  t.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(t.window.get()));
  auto* said = t.find<QLabel>("Said");
  ASSERT_NE(said, nullptr);
  const struct {
    const char* what;
    std::function<void()> act;
    const char* said;
    const char* cell;  // the object name of a cell and its name after the action
    const char* cellName;
  } steps[] = {
      {"the key Z writes C4", [&] { QTest::keyClick(t.window.get(), Qt::Key_Z); }, "スロット 1: C4",
       "Gosen0", "スロット 1: C4"},
      {"the black key S writes C♯4", [&] { QTest::keyClick(t.window.get(), Qt::Key_S); },
       "スロット 2: C♯4", "Gosen1", "スロット 2: C♯4"},
      {"the pedal writes a rest", [&] { QTest::mouseClick(t.find("PedalSW"), Qt::LeftButton); },
       "スロット 3: 休符", "Gosen2", "スロット 3: 休符"},
      {"← moves to slot 3", [&] { QTest::keyClick(t.window.get(), Qt::Key_Left); },
       "スロット 3: 休符", "Gosen2", "スロット 3: 休符"},
      {"Delete empties it", [&] { QTest::keyClick(t.window.get(), Qt::Key_Delete); },
       "スロット 3: 空き", "Gosen2", "スロット 3: 空き"},
      {"undo", [&] { QTest::keyClick(t.window.get(), Qt::Key_Z, Qt::ControlModifier); },
       "スロット 3: 休符", "Gosen2", "スロット 3: 休符"},
      {"redo", [&] { QTest::keyClick(t.window.get(), Qt::Key_Y, Qt::ControlModifier); },
       "スロット 3: 空き", "Gosen2", "スロット 3: 空き"},
      {"a semitone up", [&] { QTest::keyClick(t.window.get(), Qt::Key_Up, Qt::ControlModifier); },
       "スロット 1: C♯4", "Gosen1", "スロット 2: D4"},
      {"Space on the marker of slot 7",
       [&] {
         t.find("np6")->setFocus();
         QTest::keyClick(t.find("np6"), Qt::Key_Space);
       },
       "スロット 7: 空き", "Gosen6", "スロット 7: 空き"},
      {"a melody brought in",
       [&] {
         t.window->replaceMelody(MelodyOf({"72", "11"}), 0);
       },
       "スロット 1: B5", "Gosen1", "スロット 2: C4"},
  };
  for (const auto& step : steps) {
    said->clear();
    step.act();
    EXPECT_EQ(said->text(), QString::fromUtf8(step.said)) << step.what;
    EXPECT_TRUE(said->accessibleName().isEmpty()) << "its text is what is heard";
    EXPECT_EQ(NameOf(t, step.cell), QString::fromUtf8(step.cellName)) << step.what;
  }
}

}  // namespace
}  // namespace merin::test
