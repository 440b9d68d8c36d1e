// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <csignal>
#include <sstream>

#include "filetesting.h"
#include "formats/melodyfile.h"
#include "ui/terminationwatcher.h"

namespace merin::test {
namespace {

QString LastMelody() { return ui::LastMelodyKeeper::path(); }

formats::Codes Kept() {
  const QByteArray bytes = FilesWindow::Read(LastMelody());
  auto read = formats::ReadMelodyFile(std::string_view(bytes.constData(), size_t(bytes.size())),
                                      "last.mk98");
  if (auto* codes = std::get_if<formats::Codes>(&read)) return *codes;
  return {};
}

TEST(LastMelody, LivesInTheDataFolderAndIsWrittenWithinASecondOfEveryChange) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  EXPECT_EQ(LastMelody(), t.data.filePath("merinkast98/last.mk98"));
  EXPECT_FALSE(QFile::exists(LastMelody())) << "an empty melody is never kept";

  QElapsedTimer clock;
  clock.start();
  QTest::mouseClick(t.find("ken0"), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([] { return QFile::exists(LastMelody()); }, 1000));
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_EQ(Kept(), MakeCodes({"11"}));

  // Changes coming faster than the delay do not hold the write back.
  clock.restart();
  for (const char* key : {"ken1", "ken2", "ken3", "ken4"}) {
    QTest::mouseClick(t.find(key), Qt::LeftButton);
    QTest::qWait(200);
  }
  const formats::Codes melody = MakeCodes({"11", "21", "31", "41", "51"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return Kept() == melody; }, 1000));
  EXPECT_LT(clock.elapsed(), 2000) << "four changes 200 ms apart and at most a second";
  EXPECT_EQ(QDir(t.data.filePath("merinkast98")).entryList(QDir::Files), QStringList{"last.mk98"});

  // 新規 empties the melody; the kept one stays.
  t.Key(Qt::Key_N, Qt::ControlModifier);
  QTest::qWait(ui::LastMelodyKeeper::kDelayMs + 300);
  EXPECT_EQ(Kept(), melody);
}

TEST(LastMelody, WrittenAtOnceWhenTheCloseBoxEndsTheProgramWhichStillPlaysTheClosingSound) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  QTest::mouseClick(t.find("bkey3"), Qt::LeftButton);
  QTest::mouseClick(t.find("PedalSW"), Qt::LeftButton);
  ASSERT_FALSE(QFile::exists(LastMelody()));
  t.recorder.played.clear();
  t.window->windowHandle()->close();
  EXPECT_FALSE(t.window->isVisible());
  EXPECT_EQ(Kept(), MakeCodes({"52", "01"}));
  EXPECT_EQ(t.recorder.played, std::vector<std::string>{t.path("close.wav")});
}

TEST(LastMelody, WrittenAtOnceWhenTheEndItemEndsTheProgramWithoutASound) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  QTest::mouseClick(t.find("ken13"), Qt::LeftButton);
  ASSERT_FALSE(QFile::exists(LastMelody()));
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

TEST(LastMelody, NotRestoredAtStartUpButOpenedFromTheMenu) {
  const QByteArray kept = "# Merinkast98 melody\nA4 A#4 B4\n";
  FilesWindow t;
  ASSERT_TRUE(t.active);
  // No kept melody yet: the item is greyed.
  EXPECT_FALSE(t.ClickMenu("Filemenu", "LastMelodyMenu"));
  QDir().mkpath(t.data.filePath("merinkast98"));
  QFile file(LastMelody());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(kept);
  file.close();

  // A window started now begins empty.
  TestWindow second;
  EXPECT_EQ(second.window->melody().Notes[0], "99");
  second.window.reset();

  t.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(t.window.get()));
  ASSERT_TRUE(t.ClickMenu("Filemenu", "LastMelodyMenu"));
  EXPECT_EQ(t.Codes(), MakeCodes({"61", "62", "71"}));
  EXPECT_EQ(t.window->melody().Cursor, 3);
  EXPECT_EQ(t.Shown(), kCaption) << "the kept melody is no file of the user's";
  EXPECT_TRUE(ui::RecentFiles::list().isEmpty());
  // Saving asks for a name instead of writing over the kept melody.
  t.saveAnswer = "";
  t.Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(t.asked.size(), 1u);
}

TEST(LastMelody, AFolderThatCannotBeMadeIsNamedOnceOnTheTerminalAndComposingGoesOn) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  // The data folder lies below a file, so no folder can be made there.
  const QString blocked = t.Write("a file", "x");
  qputenv("XDG_DATA_HOME", QFile::encodeName(blocked + "/data"));
  ::testing::internal::CaptureStderr();
  for (const char* key : {"ken0", "ken1"}) {
    QTest::mouseClick(t.find(key), Qt::LeftButton);
    QTest::qWait(ui::LastMelodyKeeper::kDelayMs + 200);
  }
  std::istringstream err(::testing::internal::GetCapturedStderr());
  std::vector<std::string> said;
  for (std::string line; std::getline(err, line);) {
    if (line.starts_with("merinkast98:")) said.push_back(line);
  }
  ASSERT_EQ(said.size(), 1u) << "the same failure is named once";
  EXPECT_TRUE(said[0].starts_with("merinkast98: cannot keep the melody in " +
                                  blocked.toStdString() + "/data/merinkast98/last.mk98: "))
      << said[0];
  EXPECT_EQ(t.Codes(), MakeCodes({"11", "21"}));
  EXPECT_EQ(FilesWindow::Read(blocked), "x");
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
