// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLocale>
#include <QRegularExpression>
#include <QSignalSpy>
#include <csignal>

#include "entry/mainlayout.h"
#include "filetesting.h"
#include "formats/melodyfile.h"
#include "ui/terminationwatcher.h"
#include "ui/usersettings.h"

namespace merin::test {
namespace {

using ui::MelodyKeeper;

// The kept files, newest first.
QStringList KeptFiles() {
  return QDir(MelodyKeeper::folder()).entryList({"*.mk98"}, QDir::Files, QDir::Time);
}

// The newest kept melody.
SlotCodes Kept() {
  const auto kept = MelodyKeeper::newest(1);
  return kept.empty() ? SlotCodes{} : kept.front().codes;
}

TEST(KeptMelody, EachMelodyHasAFileWrittenWithinASecondOfEveryChange) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  EXPECT_EQ(MelodyKeeper::folder(), t.data.filePath("merinkast98/kept"));
  EXPECT_TRUE(KeptFiles().isEmpty()) << "an empty melody is never kept";

  QElapsedTimer clock;
  clock.start();
  QTest::mouseClick(t.find("ken0"), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([] { return !KeptFiles().isEmpty(); }, 1000));
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_EQ(Kept(), MakeCodes({"11"}));
  const QRegularExpression name(
      QStringLiteral("^\\d{8}-\\d{6}-%1-\\d+\\.mk98$").arg(QCoreApplication::applicationPid()));
  EXPECT_TRUE(name.match(KeptFiles().value(0)).hasMatch()) << KeptFiles().value(0);

  // Changes coming faster than the delay do not hold the write back.
  clock.restart();
  for (const char* key : {"ken1", "ken2", "ken3", "ken4"}) {
    QTest::mouseClick(t.find(key), Qt::LeftButton);
    QTest::qWait(200);
  }
  const SlotCodes melody = MakeCodes({"11", "21", "31", "41", "51"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return Kept() == melody; }, 1000));
  EXPECT_LT(clock.elapsed(), 2000) << "four changes 200 ms apart and at most a second";
  EXPECT_EQ(KeptFiles().size(), 1);

  // 新規 empties the melody; the kept one stays.
  t.Key(Qt::Key_N, Qt::ControlModifier);
  QTest::qWait(MelodyKeeper::kDelayMs + 300);
  EXPECT_EQ(Kept(), melody);
  EXPECT_EQ(KeptFiles().size(), 1);

  // Opening a file keeps the last change first, whatever the reading then costs.
  MessageBoxes boxes;
  clock.restart();
  QTest::mouseClick(t.find("ken5"), Qt::LeftButton);
  EXPECT_FALSE(t.files().openLocal(t.File("missing.mk98").toStdString()));
  EXPECT_EQ(Kept(), MakeCodes({"61"}));
  EXPECT_LT(clock.elapsed(), MelodyKeeper::kDelayMs) << "kept before the delay was over";
}

// The store keeps the newest hundred, and older ones whose window still runs.
TEST(KeptMelody, TheStoreKeepsTheNewestHundredAndEveryRunningWindows) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  QDir().mkpath(MelodyKeeper::folder());
  const QString running =
      QString("20000101-000000-%1-9.mk98").arg(QCoreApplication::applicationPid());
  const QString ended = "20000101-000000-99999999-0.mk98";  // no process has so high a number
  for (int i = 0; i < MelodyKeeper::kKeptMost + 2; ++i) {
    const QString name = i == 0   ? running
                         : i == 1 ? ended
                                  : QString("20000101-000001-99999999-%1.mk98").arg(i);
    QFile file(MelodyKeeper::folder() + "/" + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("C4\n");
    file.flush();
    file.setFileTime(QDateTime::currentDateTime().addSecs(i - 1000),
                     QFileDevice::FileModificationTime);
  }
  QTest::mouseClick(t.find("ken0"), Qt::LeftButton);
  ASSERT_TRUE(
      QTest::qWaitFor([] { return KeptFiles().size() == MelodyKeeper::kKeptMost + 1; }, 2000))
      << KeptFiles().size();
  EXPECT_TRUE(KeptFiles().contains(running));
  EXPECT_FALSE(KeptFiles().contains(ended));
}

TEST(KeptMelody, WrittenAtOnceWhenTheCloseBoxEndsTheProgramWhichStillPlaysTheClosingSound) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  QTest::mouseClick(t.find("bkey3"), Qt::LeftButton);
  QTest::mouseClick(t.find("PedalSW"), Qt::LeftButton);
  ASSERT_TRUE(KeptFiles().isEmpty());
  t.recorder.played.clear();
  t.window->windowHandle()->close();
  EXPECT_FALSE(t.window->isVisible());
  EXPECT_EQ(Kept(), MakeCodes({"52", "01"}));
  EXPECT_EQ(t.recorder.played, std::vector<std::string>{t.path("close.wav")});
}

TEST(KeptMelody, WrittenAtOnceWhenTheEndItemEndsTheProgramWithoutASound) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  QTest::mouseClick(t.find("ken13"), Qt::LeftButton);
  ASSERT_TRUE(KeptFiles().isEmpty());
  t.recorder.played.clear();
  // The end item leaves the event loop, so it runs in one of its own.
  bool keptAtOnce = false;
  QTimer::singleShot(0, t.window.get(), [&] {
    t.find<QMenu>("Filemenu")->findChild<QAction*>("EndMenu")->trigger();
    keptAtOnce = Kept() == MakeCodes({"72"});
  });
  // A guard against a loop that never ends; it goes with the test, so that it cannot end a later
  // test's loops.
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
  guard.start(5000);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_TRUE(keptAtOnce);
  EXPECT_TRUE(t.recorder.played.empty());
}

// Composed, another file opened, composed again, closed: started again, both melodies are in the
// submenu, newest first, with their time and first notes; the last.mk98 of earlier versions too.
TEST(KeptMelody, NoMelodyOverwritesAnotherAndEachComesBackFromTheSubmenu) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  EXPECT_FALSE(t.ClickMenu("Filemenu", "Kept0", "KeptMenu")) << "nothing kept yet";
  const QString last = t.data.filePath("merinkast98/last.mk98");
  QDir().mkpath(t.data.filePath("merinkast98"));
  QFile file(last);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("# Merinkast98 melody\nA4 A#4 B4\n");
  file.flush();
  file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
  file.close();

  QTest::mouseClick(t.find("ken0"), Qt::LeftButton);
  ASSERT_TRUE(t.files().open(t.Write("other.mk98", "# Merinkast98 melody\nC5\n")));
  QTest::mouseClick(t.find("ken1"), Qt::LeftButton);
  t.window->windowHandle()->close();

  TestWindow second;
  EXPECT_EQ(second.window->melody().Notes[0], "99") << "a window begins empty";
  emit second.window->menuBar()->findChild<QMenu*>("Filemenu")->aboutToShow();
  QStringList captions;
  auto* kept = second.window->menuBar()->findChild<QMenu*>("KeptMenu");
  for (QAction* action : kept->actions()) captions << action->text();
  ASSERT_EQ(captions.size(), 3) << captions.join('|');
  // In the window's language: 2026/12/08 14:05 in Japanese.
  const QString today = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
  EXPECT_TRUE(captions[0].startsWith(today) && captions[0].endsWith("  C5 D4")) << captions[0];
  EXPECT_TRUE(captions[1].startsWith(today) && captions[1].endsWith("  C4")) << captions[1];
  EXPECT_TRUE(captions[2].endsWith("  A4 A#4 B4")) << captions[2];
  EXPECT_FALSE(QFile::exists(last)) << "taken into the store";
  kept->actions()[0]->trigger();
  EXPECT_EQ(second.window->melody().Notes[1], "21");
  EXPECT_EQ(second.window->windowHandle()->title(), kCaption) << "no file of the user's";
  QTest::keyClick(second.window.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(second.window->melody().Notes[0], "99") << "brought in as one undo step";
}

TEST(KeptMelody, AFailureIsShownOnceInTheWindowAndComposingGoesOn) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  // The data folder lies below a file, so no folder can be made there.
  const QString blocked = t.Write("a file", "x");
  qputenv("XDG_DATA_HOME", QFile::encodeName(blocked + "/data"));
  for (const char* key : {"ken0", "ken1"}) {
    QTest::mouseClick(t.find(key), Qt::LeftButton);
    QTest::qWait(MelodyKeeper::kDelayMs + 200);
  }
  const auto notes = t.window->findChildren<QLabel*>("KeepFailed");
  ASSERT_EQ(notes.size(), 1) << "the same failure is shown once";
  EXPECT_TRUE(notes[0]->text().contains(blocked + "/data/merinkast98/kept/")) << notes[0]->text();
  EXPECT_TRUE(t.window->isActiveWindow()) << "the keyboard stays with the window";
  EXPECT_EQ(t.Codes(), MakeCodes({"11", "21"}));
  EXPECT_EQ(FilesWindow::Read(blocked), "x");
}

// Work that an ended run left unclosed is offered in a bar that takes no focus; 戻す brings it
// back, title too, as one undo step, and the store keeps it once and offers it no more.
TEST(KeptMelody, WorkAnEndedRunLeftIsOfferedAndComesBackOnce) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  EXPECT_EQ(t.window->findChild<QWidget*>("RestoreBar"), nullptr) << "nothing was left";
  QDir().mkpath(MelodyKeeper::folder());
  // No process has the number 99999999; the closed file is the newer.
  const std::pair<const char*, std::string> files[] = {
      {"20260101-000000-99999999-0.mk98",
       formats::WriteMelodyFile(MakeCodes({"11", "21"}), "Left") + "# file: /m/mine%2A.mk98\n"},
      {"20260101-000001-99999999-1.mk98",
       formats::WriteMelodyFile(MakeCodes({"72"})) + "# closed\n"}};
  for (int i = 0; i < 2; ++i) {
    QFile file(MelodyKeeper::folder() + "/" + files[i].first);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(files[i].second.data(), qint64(files[i].second.size()));
    file.setFileTime(QDateTime::currentDateTime().addSecs(i - 60),
                     QFileDevice::FileModificationTime);
  }
  t.files().offerLeftWork();
  auto* bar = t.window->findChild<QWidget*>("RestoreBar");
  ASSERT_NE(bar, nullptr);
  // The bar names the melody: its time, first notes, title and file.
  EXPECT_TRUE(bar->findChild<QLabel*>()->text().startsWith("前回の作業が残っています: "));
  EXPECT_TRUE(bar->findChild<QLabel*>()->text().endsWith("  C4 D4  「Left」  mine*.mk98"))
      << bar->findChild<QLabel*>()->text().toStdString();
  EXPECT_EQ(bar->height(), bar->sizeHint().height()) << "not squeezed";
  for (const ControlPlacement& control : kMainLayout) {
    const auto* widget = t.window->findChild<QWidget*>(QString::fromUtf8(control.name));
    if (!widget || !widget->isVisible()) continue;
    const QRect shown(widget->mapTo(t.window.get(), QPoint()), widget->size());
    EXPECT_FALSE(shown.intersects(bar->geometry())) << "the bar hides " << control.name;
  }
  EXPECT_TRUE(t.window->isActiveWindow()) << "the keyboard stays with the window";
  QTest::mouseClick(bar->findChild<QPushButton*>("RestoreButton"), Qt::LeftButton);
  EXPECT_EQ(t.Codes(), MakeCodes({"11", "21"}));
  EXPECT_EQ(t.window->melody().Title, "Left");
  EXPECT_EQ(t.files().currentFile(), "/m/mine*.mk98");
  t.files().keepMelodyNow();
  QTest::qWait(MelodyKeeper::kDelayMs + 200);
  EXPECT_EQ(KeptFiles().size(), 2) << "the melody brought back is kept once";
  EXPECT_FALSE(MelodyKeeper::leftByEndedRun()) << "offered no more";
  t.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(t.Codes(), MakeCodes({})) << "brought back as one undo step";
}

// Work brought back keeps its file (the scenario melody-files follows it through a kill): the
// kept melody names the file, the bar names the melody and the file, and 戻す brings the file
// back. A file changed on disk since it was read is written over only when the user says so,
// else a new name is asked for.
TEST(KeptMelody, WorkBroughtBackKeepsItsFileAndAFileChangedOnDiskIsAskedAbout) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  const QString mine = t.Write("mine.mk98", "# Merinkast98 melody\nC4 D4\n");
  ASSERT_TRUE(t.files().open(mine));
  t.Key(Qt::Key_C, Qt::NoModifier);  // E4 into slot 3
  t.files().keepMelodyNow();
  auto kept = MelodyKeeper::newest(1);
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept.front().file.path, mine);
  kept.front().written = QDateTime(QDate(2026, 1, 2), QTime(3, 4));
  EXPECT_EQ(ui::MelodyFiles::keptCaption(kept.front()),
            QLocale().toString(kept.front().written, QLocale::ShortFormat) + "  C4 D4 E4");
  t.files().newMelody();
  t.files().restoreKept(kept.front());
  EXPECT_EQ(t.Shown(), "mine.mk98* - " + kCaption);

  int asked = 0;
  bool overwrite = false;
  t.files().overwriteDialog = [&](QWidget*, const QString& name) {
    ++asked;
    EXPECT_EQ(name, "mine.mk98");
    return overwrite;
  };
  t.Write("mine.mk98", "G5\n");
  t.Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(t.asked.size(), 1u) << "no: a new name is asked for";
  EXPECT_EQ(FilesWindow::Read(mine), "G5\n");
  overwrite = true;
  t.Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(FilesWindow::Read(mine).toStdString(),
            formats::WriteMelodyFile(MakeCodes({"11", "21", "31"}), ""));
  t.Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(asked, 2) << "the file as written here is written over without asking";
}

// Settings that cannot be read or written are said once in the window, as a failure to keep is.
TEST(KeptMelody, UnusableSettingsAreSaidOnceInTheWindow) {
  const QString conf = ui::UserSettings::fileName();
  struct Case {
    const char* what;
    QByteArray bytes;  // none: the settings file is a folder
  } cases[] = {{"garbage", "[General\n\x01\xff="}, {"a folder", {}}};
  for (const Case& c : cases) {
    QFile::remove(conf);
    QDir(conf).removeRecursively();
    QDir().mkpath(c.bytes.isEmpty() ? conf : QFileInfo(conf).absolutePath());
    if (!c.bytes.isEmpty()) {
      QFile file(conf);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(c.bytes) == c.bytes.size());
    }
    FilesWindow t;
    ASSERT_TRUE(t.active);
    for (int i = 0; i < 2; ++i) {
      t.openAnswer = t.Write(QStringLiteral("m%1.mk98").arg(i), "11\n");
      t.Key(Qt::Key_O, Qt::ControlModifier);
    }
    const auto notes = t.window->findChildren<QLabel*>("SettingsFailed");
    ASSERT_EQ(notes.size(), 1) << c.what;
    EXPECT_TRUE(notes[0]->text().contains(conf)) << notes[0]->text();
    EXPECT_EQ(t.Codes(), MakeCodes({"11"}));
  }
  QDir(conf).removeRecursively();
}

class Termination : public ::testing::TestWithParam<int> {};

TEST_P(Termination, ASignalArrivesInTheEventLoopAndTheFormerHandlerComesBack) {
  const int signal = GetParam();
  static volatile std::sig_atomic_t formerCalls = 0;
  formerCalls = 0;
  auto* previous = std::signal(signal, [](int) { formerCalls = formerCalls + 1; });
  {
    ui::TerminationWatcher watcher;
    ASSERT_TRUE(watcher.watching());
    QSignalSpy spy(&watcher, &ui::TerminationWatcher::terminationRequested);
    std::raise(signal);
    EXPECT_EQ(spy.count(), 0) << "emitted inside the signal handler";
    ASSERT_TRUE(spy.wait(2000));
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), signal);
    EXPECT_EQ(formerCalls, 0);
  }
  std::raise(signal);
  EXPECT_EQ(formerCalls, 1);
  std::signal(signal, previous);
}

INSTANTIATE_TEST_SUITE_P(Signals, Termination, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) {
                           return std::string(info.param == SIGTERM  ? "SIGTERM"
                                              : info.param == SIGINT ? "SIGINT"
                                                                     : "SIGHUP");
                         });

}  // namespace
}  // namespace merin::test
