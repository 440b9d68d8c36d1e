// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <atomic>
#include <chrono>
#include <functional>
#include <set>
#include <span>
#include <thread>

#include "core/notecode.h"
#include "core/pitch.h"
#include "entry/keyboard.h"
#include "entry/staff.h"
#include "support/testwindow.h"
#include "ui/colours.h"
#include "ui/positionmarker.h"
#include "ui/soloutform.h"
#include "ui/staffcell.h"

namespace merin::test {
namespace {

QString N(const char* stem, int i) { return QString::fromLatin1(stem) + QString::number(i); }

QColor CellColour(const TestWindow& t, int slot) {
  return t.find<ui::StaffCell>(N("Gosen", slot))->picture().pixelColor(10, 40);
}

QColor MarkerColour(const TestWindow& t, int slot) {
  return t.find<ui::PositionMarker>(N("np", slot))->colour();
}

std::string Status(const TestWindow& t) {
  return t.find<QStatusBar>("StatusBar1")->findChild<QLabel*>()->text().toStdString();
}

void Click(const TestWindow& t, const QString& name, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = {}, QPoint at = QPoint()) {
  QTest::mouseClick(t.find(name), button, modifiers, at);
}

TEST(MainWindowWiring, EveryKeyAndThePedalWriteTheirNoteAndMoveTheCursorOn) {
  TestWindow t;
  int slot = 0;
  auto expectPlaced = [&](const QString& key, std::string_view code) {
    Click(t, key);
    EXPECT_EQ(t.window->melody().Notes[slot], code) << key.toStdString();
    EXPECT_EQ(CellColour(t, slot), PictureColour(QString::fromStdString(PictureFileOf(code))));
    ++slot;
    EXPECT_EQ(t.window->melody().Cursor, slot);
    EXPECT_EQ(Status(t), "NOTE:" + std::to_string(slot + 1));
    EXPECT_EQ(MarkerColour(t, slot), ui::ColourOf(255));
    EXPECT_EQ(MarkerColour(t, slot - 1), ui::ColourOf(0x80000009));
  };
  for (int i = 0; i < 14; ++i) expectPlaced(N("ken", i), kWhiteKeyCodes[i]);
  for (int i = 0; i < 10; ++i) expectPlaced(N("bkey", i), kBlackKeyCodes[i]);
  expectPlaced("PedalSW", kRestCode);
}

TEST(MainWindowWiring, EveryPictureIsReadFromItsFileAgain) {
  TestWindow t;
  Click(t, "ken0");
  QImage changed(21, 111, QImage::Format_RGB32);
  changed.fill(QColor(1, 2, 3));
  ASSERT_TRUE(changed.save(t.folder.filePath("11.bmp"), "BMP"));
  Click(t, "ken0");
  EXPECT_EQ(CellColour(t, 0), PictureColour("11.bmp"));
  EXPECT_EQ(CellColour(t, 1), QColor(1, 2, 3));
}

struct StaffClick {
  int cell;
  Qt::MouseButton button;
  Qt::KeyboardModifiers modifiers;
  int y;
  const char* code;
};

TEST(MainWindowWiring, StaffClicksCarryButtonModifiersAndHeightInCellPixels) {
  const StaffClick cases[] = {
      {1, Qt::LeftButton, Qt::ShiftModifier, 5, "64"},
      {2, Qt::LeftButton, Qt::NoModifier, 5, "72"},
      {3, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, 5, "72"},
      {4, Qt::LeftButton, Qt::NoModifier, 100, "11"},
      {5, Qt::LeftButton, Qt::ShiftModifier, 100, "12"},
      {6, Qt::LeftButton, Qt::AltModifier, 100, "11"},
      {7, Qt::RightButton, Qt::NoModifier, 5, "99"},
      {8, Qt::MiddleButton, Qt::ShiftModifier, 5, "99"},
  };
  TestWindow t;
  for (const auto& c : cases) {
    Click(t, N("Gosen", c.cell), c.button, c.modifiers, QPoint(10, c.y));
    EXPECT_EQ(t.window->melody().Notes[c.cell], c.code) << "cell " << c.cell;
    EXPECT_EQ(t.window->melody().Cursor, c.cell);
    EXPECT_EQ(MarkerColour(t, c.cell), ui::ColourOf(255));
    EXPECT_EQ(Status(t), "NOTE:" + std::to_string(c.cell + 1));
  }
  EXPECT_EQ(CellColour(t, 1), PictureColour("64.bmp"));
  EXPECT_EQ(CellColour(t, 7), PictureColour("gosen.bmp"));
}

// On each side of every bound (the sharp bands' are among them), with and without Shift alone,
// the ghost shows the note a left click there writes. Shift, test play, leaving and a press update
// or hide it; it changes nothing else.
TEST(MainWindowWiring, TheGhostIsTheNoteALeftClickAtThePointerWouldWrite) {
  TestWindow t;
  auto* cell = t.find<ui::StaffCell>("Gosen3");
  const QImage plain = cell->grab().toImage();
  const std::string status = Status(t);
  const auto send = [&](QEvent::Type type, double y, Qt::KeyboardModifiers modifiers = {}) {
    const QPointF at(10, y);
    QMouseEvent event(type, at, cell->mapToGlobal(at), Qt::NoButton, Qt::NoButton, modifiers);
    QApplication::sendEvent(cell, &event);
    return std::string(cell->ghostCode());
  };
  QEnterEvent enter(QPointF(10, 0), QPointF(10, 0), cell->mapToGlobal(QPointF(10, 0)));
  QApplication::sendEvent(cell, &enter);
  const Qt::KeyboardModifiers modifiers[] = {
      {}, Qt::ShiftModifier, Qt::ShiftModifier | Qt::AltModifier};
  for (const StaffBand& band : std::span(NaturalBands).first(NaturalBands.size() - 1)) {
    for (double y : {band.upper - 0.25, double(band.upper)}) {
      for (Qt::KeyboardModifiers m : modifiers) {
        EXPECT_EQ(send(QEvent::MouseMove, y, m), StaffNoteAt(float(y), m == Qt::ShiftModifier))
            << y << " " << int(m);
      }
    }
  }
  EXPECT_EQ(send(QEvent::MouseMove, 48), "23");
  EXPECT_NE(cell->grab().toImage(), plain);
  QTest::keyPress(t.window.get(), Qt::Key_Shift);
  EXPECT_EQ(cell->ghostCode(), "24");
  QTest::keyRelease(t.window.get(), Qt::Key_Shift);
  t.window->view().SetTestPlayEnabled(false);
  EXPECT_EQ(cell->ghostCode(), "");
  t.window->view().SetTestPlayEnabled(true);
  EXPECT_EQ(send(QEvent::Leave, 48), "");
  EXPECT_EQ(cell->grab().toImage(), plain);
  EXPECT_EQ(t.window->melody().Notes[3], kEmptyCode);
  EXPECT_EQ(Status(t), status);
  EXPECT_EQ(t.window->undoStack()->count(), 0);
  send(QEvent::MouseMove, 48);
  QTest::mousePress(cell, Qt::LeftButton, {}, QPoint(10, 48));
  EXPECT_EQ(cell->ghostCode(), "");
}

TEST(MainWindowWiring, ALeftClickOnAMarkerOnlySelectsItsSlot) {
  TestWindow t;
  Click(t, "np7", Qt::RightButton);
  EXPECT_EQ(t.window->melody().Cursor, 0);
  Click(t, "np7");
  EXPECT_EQ(t.window->melody().Cursor, 7);
  EXPECT_EQ(MarkerColour(t, 7), ui::ColourOf(255));
  EXPECT_EQ(MarkerColour(t, 0), ui::ColourOf(0x80000009));
  EXPECT_EQ(t.window->melody().Notes[7], "99");
}

TEST(MainWindowWiring, ConvertShowsTheListingModallyInOneReusedWindow) {
  TestWindow t;
  Click(t, "ken0");
  Click(t, "Gosen1", Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 5));

  std::vector<std::string> texts;
  std::vector<QWidget*> windows;
  auto readAndClose = [&] {
    auto* form = qobject_cast<ui::SoloutForm*>(QApplication::activeModalWidget());
    if (!form || !form->isVisible()) return false;
    texts.push_back(form->Text());
    windows.push_back(form);
    QTest::keyClicks(form->Text1(), "typed by the user");
    // Closed by Escape the first time, by Ctrl+W the second.
    const bool first = texts.size() == 1;
    QTest::keyClick(form->Text1(), first ? Qt::Key_Escape : Qt::Key_W,
                    first ? Qt::NoModifier : Qt::ControlModifier);
    return true;
  };
  WhenShown(readAndClose);
  Click(t, "Command1");
  Click(t, "PedalSW");
  WhenShown(readAndClose);
  Click(t, "Command1");

  std::string tail;
  for (int i = 0; i < 28; ++i) tail += "[0]\r\n";
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "[1]\r\n[6][6][6][6]\r\n" + tail);
  EXPECT_EQ(texts[1], "[1]\r\n[0]\r\n" + tail) << "the rest replaced slot 2, the typing is gone";
  EXPECT_EQ(windows[0], windows[1]);
  EXPECT_FALSE(windows[0]->isVisible());
  EXPECT_EQ(windows[0]->windowModality(), Qt::ApplicationModal);
  EXPECT_EQ(windows[0]->parentWidget(), nullptr);
  EXPECT_EQ(t.window->melody().Cursor, 2);
}

// A sound device that notes, at each sound, the test-play button's state and the bordered cells.
class ObservingSound : public SoundDevice {
 public:
  std::function<void(const std::string&)> onPlay;
  void PlayWave(const std::string& path) override {
    if (onPlay) onPlay(path);
  }
};

TEST(MainWindowWiring, TestPlayBordersEachCellWhileItSoundsWithTheButtonDisabled) {
  ObservingSound sound;
  TestWindow t(&sound);
  Click(t, "ken0");
  Click(t, "Gosen1", Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 5));
  struct Heard {
    std::string path;
    bool buttonEnabled;
    std::set<int> bordered;
  };
  std::vector<Heard> heard;
  sound.onPlay = [&](const std::string& path) {
    std::set<int> bordered;
    for (int i = 0; i < 30; ++i) {
      if (t.find<ui::StaffCell>(N("Gosen", i))->isBordered()) bordered.insert(i);
    }
    heard.push_back({path, t.find("Command2")->isEnabled(), bordered});
  };
  Click(t, "Command2");
  ASSERT_EQ(heard.size(), 30u);
  for (int i = 0; i < 30; ++i) {
    const char* wave = i == 0 ? "11.wav" : i == 1 ? "64.wav" : "01.wav";
    EXPECT_EQ(heard[i].path, t.path(wave)) << i;
    EXPECT_FALSE(heard[i].buttonEnabled) << i;
    EXPECT_EQ(heard[i].bordered, std::set<int>{i});
  }
  EXPECT_TRUE(t.find("Command2")->isEnabled());
  for (int i = 0; i < 30; ++i) EXPECT_FALSE(t.find<ui::StaffCell>(N("Gosen", i))->isBordered());
}

// A sound device whose sounds last a while, as real ones do, and end at once when stopped.
class SlowSound : public SoundDevice {
 public:
  void PlayWave(const std::string&) override {
    ++played;
    for (int i = 0; i < 6 && stops == 0; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  void Stop() override { ++stops; }
  std::atomic<int> played{0}, stops{0};
};

// While test play runs, the window's events go on: a click changes nothing meanwhile. When test
// play ends by itself it arrives, as it did when test play held the window; Escape stops test
// play before the next slot and drops it.
TEST(MainWindowWiring, InputDuringTestPlayArrivesAfterItUnlessEscapeStopsIt) {
  for (const bool escape : {true, false}) {
    SlowSound sound;
    TestWindow t(&sound);
    const Melody before = t.window->melody();
    bool changedDuringPlay = true;
    QTimer::singleShot(150, [&] {
      Click(t, "ken0");
      if (escape) QTest::keyClick(t.window.get(), Qt::Key_Escape);
      changedDuringPlay = t.window->melody().Notes != before.Notes;
    });
    Click(t, "Command2");
    EXPECT_FALSE(changedDuringPlay) << escape;
    EXPECT_TRUE(t.find("Command2")->isEnabled()) << escape;
    for (int i = 0; i < 30; ++i) EXPECT_FALSE(t.find<ui::StaffCell>(N("Gosen", i))->isBordered());
    EXPECT_EQ(QApplication::focusWidget(), t.find("Command2")) << "the focus comes back";
    if (escape) {
      EXPECT_LT(sound.played, 10) << "stopped before the next slot";
      EXPECT_GE(sound.stops, 1);
      QTest::qWait(300);
      EXPECT_EQ(t.window->melody().Notes, before.Notes) << "the click was dropped";
    } else {
      EXPECT_EQ(sound.played, 31);
      EXPECT_TRUE(QTest::qWaitFor([&] { return t.window->melody().Notes[0] == "11"; }, 1000));
    }
  }
}

TEST(MainWindowWiring, BorderedCellShowsAOnePixelFrame) {
  TestWindow t;
  t.window->view().SetCellBorder(4, 1);
  QImage cell = t.find("Gosen4")->grab().toImage();
  EXPECT_EQ(cell.pixelColor(0, 5), ui::ColourOf(0x80000008));
  EXPECT_EQ(cell.pixelColor(20, 5), ui::ColourOf(0x80000008));
  EXPECT_EQ(cell.pixelColor(1, 5), QColor(Qt::white));
  t.window->view().SetCellBorder(4, 0);
  cell = t.find("Gosen4")->grab().toImage();
  EXPECT_EQ(cell.pixelColor(0, 5), QColor(Qt::white));
}

struct Failing {
  const char* missing;
  QString control;
  Qt::KeyboardModifiers modifiers;
  int32_t cursorAfter;
  bool cutShort = false;  // the file is there but ends halfway through its picture
};

TEST(MainWindowWiring, AMissingPictureIsReportedAndTheMelodyKept) {
  const Failing cases[] = {
      {"11.bmp", "ken0", Qt::NoModifier, 0},
      {"01.bmp", "PedalSW", Qt::NoModifier, 0},
      {"64.bmp", "Gosen3", Qt::ShiftModifier, 3},
      {"12.bmp", "bkey0", Qt::NoModifier, 0, true},
  };
  for (const auto& c : cases) {
    TestWindow t;
    Click(t, "ken1");
    Click(t, "np0");
    QFile file(t.folder.filePath(c.missing));
    if (c.cutShort) {
      ASSERT_TRUE(file.resize(file.size() / 2));
    } else {
      file.remove();
    }
    std::string message;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenShown([&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return false;
      message = box->text().toStdString();
      icon = box->icon();
      box->close();
      return true;
    });
    Click(t, c.control, Qt::LeftButton, c.modifiers, QPoint(10, 5));
    EXPECT_NE(message.find(t.path(c.missing)), std::string::npos) << message;
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(t.window->melody().Notes[0], "21") << c.missing;
    EXPECT_EQ(t.window->melody().Notes[3], "99");
    EXPECT_EQ(t.window->melody().Cursor, c.cursorAfter);
    EXPECT_EQ(CellColour(t, 0), PictureColour("21.bmp"));
    EXPECT_TRUE(t.window->isVisible());
    Click(t, "ken2");
    EXPECT_EQ(t.window->melody().Notes[size_t(c.cursorAfter)], "31") << "the program goes on";
  }
}

// Closes the error message the next click opens, noting its text.
void DismissErrorBox(std::string* message) {
  WhenShown([message] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return false;
    *message = box->text().toStdString();
    box->close();
    return true;
  });
}

// Only the marker of the cursor's slot is red.
void ExpectMarkersFollowTheCursor(const TestWindow& t, const std::string& where) {
  const int32_t cursor = t.window->melody().Cursor;
  for (int i = 0; i < 30; ++i) {
    EXPECT_EQ(MarkerColour(t, i), ui::ColourOf(i == cursor ? 255 : 0x80000009))
        << where << ": marker " << i;
  }
}

TEST(MainWindowWiring, AfterAFailedPictureTheStatusShowsTheCursorsSlotAgain) {
  struct Case {
    const char* missing;
    QString control;
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    QPoint at;  // in the control; the null point clicks its centre
    int32_t cursorAfter;
  } cases[] = {
      {"64.bmp", "Gosen3", Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 5), 3},
      {"11.bmp", "Gosen12", Qt::LeftButton, Qt::NoModifier, QPoint(10, 100), 12},
      {"gosen.bmp", "Gosen8", Qt::RightButton, Qt::NoModifier, QPoint(10, 50), 8},
      {"11.bmp", "ken0", Qt::LeftButton, Qt::NoModifier, QPoint(), 5},
      {"01.bmp", "PedalSW", Qt::LeftButton, Qt::NoModifier, QPoint(), 5},
  };
  for (const Case& c : cases) {
    const std::string where = c.control.toStdString() + " without " + c.missing;
    TestWindow t;
    Click(t, "ken1");
    Click(t, "np5");
    ASSERT_EQ(Status(t), "NOTE:6");
    ASSERT_TRUE(QFile::remove(t.folder.filePath(c.missing)));
    std::string message;
    DismissErrorBox(&message);
    Click(t, c.control, c.button, c.modifiers, c.at);
    EXPECT_NE(message.find(t.path(c.missing)), std::string::npos) << where << ": " << message;
    EXPECT_EQ(t.window->melody().Cursor, c.cursorAfter) << where;
    EXPECT_EQ(Status(t), "NOTE:" + std::to_string(c.cursorAfter + 1)) << where;
    ExpectMarkersFollowTheCursor(t, where);
  }
}

TEST(MainWindowWiring, OtherMouseButtonsOnTheStaffAreNotHandled) {
  TestWindow t;
  Click(t, "np2");
  for (Qt::MouseButton button : {Qt::BackButton, Qt::ForwardButton}) {
    Click(t, "Gosen9", button, Qt::NoModifier, QPoint(10, 5));
    EXPECT_EQ(t.window->melody().Cursor, 2);
    EXPECT_EQ(t.window->melody().Notes[9], "99");
    EXPECT_EQ(Status(t), "NOTE:3");
  }
}

std::array<std::string, 30> SomeCodes() {
  std::array<std::string, 30> codes;
  codes.fill("99");
  codes[0] = "11";
  codes[1] = "01";
  codes[2] = "64";
  codes[17] = "72";
  codes[29] = "12";
  return codes;
}

TEST(MainWindowWiring, AReplacedMelodyShowsItsPicturesMarkerAndSlotNumber) {
  TestWindow t;
  Click(t, "Gosen20", Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
  const auto codes = SomeCodes();
  EXPECT_TRUE(t.window->replaceMelody(codes, 17));
  for (int i = 0; i < 30; ++i) {
    const std::string& code = codes[size_t(i)];
    EXPECT_EQ(t.window->melody().Notes[size_t(i)], code) << i;
    const QString file = code == "99" ? "gosen.bmp" : QString::fromStdString(code) + ".bmp";
    EXPECT_EQ(CellColour(t, i), PictureColour(file)) << i;
  }
  EXPECT_EQ(t.window->melody().Cursor, 17);
  EXPECT_EQ(Status(t), "NOTE:18");
  ExpectMarkersFollowTheCursor(t, "replaced");
  Click(t, "ken0");
  EXPECT_EQ(t.window->melody().Notes[17], "11") << "entry goes on at the new cursor";
  EXPECT_EQ(t.window->melody().Cursor, 18);
}

TEST(MainWindowWiring, AReplacementStoppedByAMissingPictureLeavesTheStatusOnTheCursor) {
  TestWindow t;
  Click(t, "np25");
  ASSERT_TRUE(QFile::remove(t.folder.filePath("72.bmp")));
  std::string message;
  DismissErrorBox(&message);
  EXPECT_FALSE(t.window->replaceMelody(SomeCodes(), 0));
  EXPECT_NE(message.find(t.path("72.bmp")), std::string::npos) << message;
  EXPECT_EQ(t.window->melody().Notes[2], "64");
  EXPECT_EQ(t.window->melody().Notes[17], "99");
  EXPECT_EQ(t.window->melody().Cursor, 17);
  EXPECT_EQ(Status(t), "NOTE:18");
  ExpectMarkersFollowTheCursor(t, "stopped");
}

TEST(MainWindowWiring, AFileMenuItemAddedAboveTheEndItemRunsUnderTheHandlersGuard) {
  TestWindow t;
  QAction* added = new QAction(QStringLiteral("added"), t.window.get());
  t.window->fileMenu()->insertAction(t.window->endMenuAction(), added);
  bool result = true;
  QFile(t.folder.filePath("11.bmp")).remove();
  QObject::connect(added, &QAction::triggered, t.window.get(), [&] {
    result = t.window->act([](session::Session& s) {
      s.Marker(9);
      return s.Key({PianoKey::Kind::White, 0});
    });
  });
  const QList<QAction*> items = t.window->findChild<QMenu*>("Filemenu")->actions();
  // Right above 終了, after the melody files' items.
  ASSERT_GE(items.size(), 2);
  EXPECT_EQ(items[items.size() - 2], added);
  EXPECT_EQ(items.back()->objectName(), "EndMenu");

  std::string message;
  DismissErrorBox(&message);
  added->trigger();
  EXPECT_FALSE(result);
  EXPECT_NE(message.find(t.path("11.bmp")), std::string::npos) << message;
  EXPECT_EQ(t.window->melody().Cursor, 9);
  EXPECT_EQ(Status(t), "NOTE:10");
  EXPECT_TRUE(t.window->act([](session::Session& s) { return s.Marker(3); }));
  EXPECT_EQ(Status(t), "NOTE:4");
}

TEST(MainWindowWiring, ClosingPlaysTheClosingSoundButEndMenuEndsAtOnce) {
  {
    TestWindow t;
    QTimer::singleShot(0, t.window.get(),
                       [&] { t.window->findChild<QAction*>("EndMenu")->trigger(); });
    // A guard against a loop that never ends; it goes with the test, so that it cannot end a later
    // test's loops.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    guard.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    ASSERT_EQ(t.recorder.played.size(), 1u);
    EXPECT_TRUE(t.recorder.played[0].ends_with("open.wav"));
  }
  {
    TestWindow t;
    t.window->windowHandle()->close();
    EXPECT_FALSE(t.window->isVisible());
    ASSERT_EQ(t.recorder.played.size(), 2u);
    EXPECT_EQ(t.recorder.played[1], t.path("close.wav"));
  }
}

}  // namespace
}  // namespace merin::test
