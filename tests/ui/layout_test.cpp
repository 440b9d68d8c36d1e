// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <vector>

#include "support/testwindow.h"
#include "ui/colours.h"
#include "ui/positionmarker.h"
#include "ui/staffcell.h"

namespace merin::test {
namespace {

struct Placement {
  QString name;
  QRect rect;
};

QString N(const char* stem, int i) { return QString::fromLatin1(stem) + QString::number(i); }

// Every control in focus order, at its laid-out pixel rectangle (markers as moved by start-up).
std::vector<Placement> LaidOut() {
  const int blackLefts[] = {90, 120, 180, 210, 240, 300, 330, 390, 420, 450};
  std::vector<Placement> all;
  for (int i = 0; i < 14; ++i) all.push_back({N("ken", i), QRect(70 + 30 * i, 170, 31, 131)});
  for (int i = 0; i < 10; ++i) all.push_back({N("bkey", i), QRect(blackLefts[i], 170, 21, 91)});
  all.push_back({"Gosen0", QRect(10, 10, 21, 111)});
  all.push_back({"PedalSW", QRect(220, 310, 121, 21)});
  for (int i = 1; i < 30; ++i) all.push_back({N("Gosen", i), QRect(10 + 20 * i, 10, 21, 111)});
  all.push_back({"Command1", QRect(500, 270, 111, 31)});
  all.push_back({"StatusBar1", QRect(0, 355, 627, 21)});
  for (int i = 0; i < 30; ++i) all.push_back({N("np", i), QRect(10 + 20 * i, 121, 21, 11)});
  all.push_back({"MMControl1", QRect(370, 310, 236, 31)});
  all.push_back({"Command2", QRect(500, 170, 111, 31)});
  return all;
}

TEST(MainWindowLayout, EveryControlSitsAtItsLaidOutPixels) {
  TestWindow t;
  ASSERT_TRUE(t.exposed);
  QWidget* client = t.window->centralWidget();
  EXPECT_EQ(client->size(), QSize(627, 376));
  const auto all = LaidOut();
  ASSERT_EQ(all.size(), 89u);
  for (const auto& [name, rect] : all) {
    QWidget* w = t.find(name);
    ASSERT_NE(w, nullptr) << name.toStdString();
    EXPECT_EQ(w->parentWidget(), client) << name.toStdString();
    EXPECT_EQ(w->geometry(), rect) << name.toStdString();
  }
  EXPECT_FALSE(t.find("MMControl1")->isVisible());
}

TEST(MainWindowLayout, MarkersStartOneRowHigherUntilLoadMovesThemFlushUnderTheirCells) {
  RecordingSound sound;
  ui::MerinMain window(sound);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(window.findChild<QWidget*>(N("np", i))->y(), 120);
  window.load();
  for (int i = 0; i < 30; ++i) {
    const QWidget* cell = window.findChild<QWidget*>(N("Gosen", i));
    EXPECT_EQ(window.findChild<QWidget*>(N("np", i))->y(), cell->y() + cell->height());
  }
  ASSERT_EQ(sound.played.size(), 1u);
  EXPECT_EQ(sound.played[0], Da::AppFolder + "open.wav");
}

TEST(MainWindowLayout, CaptionsMenuAndIconAreTheLaidOutOnes) {
  TestWindow t;
  EXPECT_EQ(t.window->windowTitle().toStdString(), "Merinkast98   - DoCoMo携帯 作曲支援 -");
  EXPECT_EQ(t.find<QPushButton>("PedalSW")->text().toStdString(), "休符ペダル");
  EXPECT_EQ(t.find<QPushButton>("Command2")->text().toStdString(), "テスト演奏");
  EXPECT_EQ(t.find<QPushButton>("Command1")->text().toStdString(), "変  換");
  for (const char* key : {"ken0", "ken13", "bkey0", "bkey9"}) {
    EXPECT_TRUE(t.find<QAbstractButton>(key)->text().isEmpty()) << key;
  }
  auto* file = t.window->findChild<QMenu*>("Filemenu");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->title().toStdString(), "File(&F)");
  // File first; the editing and help menus come after it. The laid-out 終了 stays the File
  // menu's last item; the melody files' items sit above it.
  QStringList menus;
  for (QAction* menu : t.window->menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, (QStringList{"File(&F)", "編集(&E)", "ヘルプ(&H)"}));
  EXPECT_EQ(t.window->menuBar()->actions()[0]->menu(), file);
  ASSERT_FALSE(file->actions().isEmpty());
  EXPECT_EQ(file->actions().back()->objectName(), "EndMenu");
  EXPECT_EQ(file->actions().back()->text().toStdString(), "終了");
  EXPECT_TRUE(file->actions().back()->shortcut().isEmpty());
  const QList<QSize> sizes = t.window->windowIcon().availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(16, 16)));
  EXPECT_TRUE(sizes.contains(QSize(32, 32)));
  EXPECT_TRUE(t.find<QStatusBar>("StatusBar1")->findChild<QLabel*>()->text().isEmpty());
}

TEST(MainWindowLayout, EveryJapaneseCaptionHasGlyphsInItsFont) {
  TestWindow t;
  auto glyphs = [](const QWidget* w, const QString& text) {
    const QFontMetrics metrics(w->font());
    for (QChar c : text) {
      if (!metrics.inFont(c)) return false;
    }
    return true;
  };
  for (const char* name : {"PedalSW", "Command1", "Command2"}) {
    EXPECT_TRUE(glyphs(t.find(name), t.find<QPushButton>(name)->text())) << name;
  }
  EXPECT_TRUE(glyphs(t.window.get(), t.window->windowTitle()));
  EXPECT_TRUE(glyphs(t.window.get(), QStringLiteral("終了変換結果確定")));
  EXPECT_FALSE(glyphs(t.window.get(), QString(QChar(0x0378))))
      << "an unassigned code point has no glyph";
}

TEST(MainWindowLayout, LayoutColoursMapToRgbOrThePlatformPalette) {
  const QPalette p = QGuiApplication::palette();
  EXPECT_EQ(ui::ColourOf(255), QColor(255, 0, 0));
  EXPECT_EQ(ui::ColourOf(0x00FF0000), QColor(0, 0, 255));
  EXPECT_EQ(ui::ColourOf(0x00FFFFFF), QColor(255, 255, 255));
  EXPECT_EQ(ui::ColourOf(0x80000005), p.color(QPalette::Base));
  EXPECT_EQ(ui::ColourOf(0x80000008), p.color(QPalette::Text));
  EXPECT_EQ(ui::ColourOf(0x8000000F), p.color(QPalette::Button));
  EXPECT_EQ(ui::ColourOf(0x80000009), QColor(Qt::white));
}

TEST(MainWindowLayout, OnlyMarkerZeroIsRedAndCellsShowTheEmptyStaff) {
  TestWindow t;
  const QImage shot = t.window->centralWidget()->grab().toImage();
  for (int i = 0; i < 30; ++i) {
    auto* marker = t.find<ui::PositionMarker>(N("np", i));
    EXPECT_EQ(marker->colour(), ui::ColourOf(i == 0 ? 255u : 0x80000009u)) << i;
    EXPECT_EQ(shot.pixelColor(marker->geometry().center()),
              i == 0 ? QColor(Qt::red) : QColor(Qt::white))
        << i;
    auto* cell = t.find<ui::StaffCell>(N("Gosen", i));
    EXPECT_FALSE(cell->isBordered());
    EXPECT_EQ(cell->palette().color(QPalette::Window), ui::ColourOf(0x80000005));
    EXPECT_EQ(cell->palette().color(QPalette::WindowText), ui::ColourOf(0x80000008));
    // Staff lines at rows 38, 49, 60, 71, 82 of the cell, white between them.
    const int x = cell->x() + 10;
    for (int row : {38, 49, 60, 71, 82}) {
      EXPECT_EQ(shot.pixelColor(x, cell->y() + row), QColor(Qt::black)) << i << " row " << row;
    }
    EXPECT_EQ(shot.pixelColor(x, cell->y() + 40), QColor(Qt::white)) << i;
  }
}

TEST(MainWindowLayout, HigherIndexLiesAboveOnOverlapsAndBlackKeysAboveWhiteKeys) {
  TestWindow t;
  QWidget* client = t.window->centralWidget();
  for (int i = 0; i < 29; ++i) {
    EXPECT_EQ(client->childAt(30 + 20 * i, 60)->objectName(), N("Gosen", i + 1));
    EXPECT_EQ(client->childAt(29 + 20 * i, 60)->objectName(), N("Gosen", i));
  }
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(client->childAt(100 + 30 * i, 290)->objectName(), N("ken", i + 1));
    EXPECT_EQ(client->childAt(99 + 30 * i, 290)->objectName(), N("ken", i));
  }
  for (int k = 0; k < 10; ++k) {
    const QRect r = t.find(N("bkey", k))->geometry();
    for (QPoint p : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight(), r.center()}) {
      EXPECT_EQ(client->childAt(p)->objectName(), N("bkey", k));
    }
  }
}

TEST(MainWindowLayout, MarkersLieAboveCellsWhereTheyOverlapBeforeLoad) {
  RecordingSound sound;
  ui::MerinMain window(sound);
  window.show();
  for (int i = 0; i < 30; ++i) {
    EXPECT_EQ(window.centralWidget()->childAt(15 + 20 * i, 120)->objectName(), N("np", i));
  }
}

TEST(MainWindowLayout, FocusChainRunsInTabOrder) {
  TestWindow t;
  const auto all = LaidOut();
  std::vector<QString> expected, seen;
  for (const auto& p : all) expected.push_back(p.name);
  QWidget* w = t.find("ken0");
  for (size_t steps = 0; steps < 1000 && seen.size() < expected.size(); ++steps) {
    if (std::any_of(all.begin(), all.end(),
                    [&](const Placement& p) { return p.name == w->objectName(); })) {
      seen.push_back(w->objectName());
    }
    w = w->nextInFocusChain();
  }
  EXPECT_EQ(seen, expected);
}

// The layout cannot grow: the window keeps its size when it is resized, and offers no maximise
// (a window manager offers none for a window whose least and largest sizes are one), so the
// controls never sit in a corner of a larger window.
TEST(MainWindowLayout, TheWindowKeepsItsSizeAndOffersNoMaximise) {
  TestWindow t;
  const auto before = LaidOut();
  const QSize size = t.window->size();
  EXPECT_FALSE(t.window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(t.window->minimumSize(), t.window->maximumSize());
  t.window->resize(t.window->width() + 150, t.window->height() + 80);
  QTest::qWait(10);
  EXPECT_EQ(t.window->size(), size);
  ASSERT_EQ(t.window->centralWidget()->size(), QSize(627, 376));
  for (const auto& [name, rect] : before) {
    EXPECT_EQ(t.find(name)->geometry(), rect) << name.toStdString();
  }
  EXPECT_EQ(t.find("StatusBar1")->geometry(), QRect(0, 355, 627, 21));
}

}  // namespace
}  // namespace merin::test
