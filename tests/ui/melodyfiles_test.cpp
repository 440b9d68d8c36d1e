// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QStandardPaths>
#include <csignal>

#include "core/refusal.h"
#include "entry/keyboard.h"
#include "entry/mainlayout.h"
#include "filetesting.h"
#include "formats/melodyfile.h"
#include "ui/colours.h"
#include "ui/positionmarker.h"
#include "ui/usersettings.h"

namespace merin::test {
namespace {

QString N(const char* stem, int i) { return QString::fromLatin1(stem) + QString::number(i); }

SlotCodes ReadBack(const QString& path) {
  const QByteArray bytes = FilesWindow::Read(path);
  auto read = formats::ReadMelodyFile(std::string_view(bytes.constData(), size_t(bytes.size())),
                                      path.toStdString());
  if (auto* error = std::get_if<formats::Refusal>(&read)) {
    ADD_FAILURE() << formats::Words(*error, Language::English);
    return {};
  }
  return std::get<SlotCodes>(read);
}

TEST(MelodyFilesMenu, FileMenuItemsSitAboveTheEndItemInTheirOrderWithTheirKeys) {
  FilesWindow t;
  std::vector<std::pair<QString, QString>> items;
  for (QAction* a : t.window->menuBar()->findChild<QMenu*>("Filemenu")->actions()) {
    items.emplace_back(a->isSeparator() ? "-" : a->text(), a->shortcut().toString());
  }
  const std::vector<std::pair<QString, QString>> expected = {
      {"新規(&N)", "Ctrl+N"},
      {"開く(&O)...", "Ctrl+O"},
      {"上書き保存(&S)", "Ctrl+S"},
      {"名前を付けて保存(&A)...", "Ctrl+Shift+S"},
      {"最近使ったファイル(&R)", ""},
      {"保管されたメロディ(&L)", ""},
      {"エクスポート(&E)...", ""},
      {"-", ""},
      {"終了", ""}};
  EXPECT_EQ(items, expected);

  QMenu* edit = t.window->menuBar()->findChild<QMenu*>("Editmenu");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->title(), "編集(&E)");
  // The clipboard items and the title come last, after undo, redo and the slot edits.
  std::vector<std::pair<QString, QString>> editItems;
  for (QAction* a : edit->actions()) editItems.emplace_back(a->text(), a->shortcut().toString());
  const std::vector<std::pair<QString, QString>> expectedEdit = {{"RTTTL を貼り付け(&P)", "Ctrl+V"},
                                                                 {"RTTTL をコピー(&C)", "Ctrl+C"},
                                                                 {"タイトル(&E)...", ""}};
  ASSERT_GE(editItems.size(), expectedEdit.size());
  EXPECT_EQ(std::vector(editItems.end() - 3, editItems.end()), expectedEdit);
}

struct OpenCase {
  const char* name;
  const char* text;
  std::vector<std::string> codes;
  int cursor;
};

class OpenMelodyFile : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenMelodyFile, FillsEverySlotWithItsPictureAndPutsTheCursorAfterTheLastFilledSlot) {
  const OpenCase& c = GetParam();
  FilesWindow t;
  ASSERT_TRUE(t.active);
  // A note in the way, so that the open has something to replace.
  QTest::mouseClick(t.find("ken13"), Qt::LeftButton);
  t.openAnswer = t.Write("tune.mk98", c.text);
  MessageBoxes boxes;
  t.Key(Qt::Key_O, Qt::ControlModifier);

  EXPECT_TRUE(boxes.seen.empty());
  ASSERT_EQ(t.asked.size(), 1u);
  EXPECT_EQ(t.asked[0].caption, "開く");
  const SlotCodes expected = MakeCodes(c.codes);
  EXPECT_EQ(t.Codes(), expected);
  for (int i = 0; i < 30; ++i) {
    const std::string& code = expected[size_t(i)];
    const QString picture = code == "99" ? "gosen.bmp" : QString::fromStdString(code) + ".bmp";
    EXPECT_EQ(t.Cell(i), PictureColour(picture)) << "slot " << i;
    EXPECT_EQ(t.find<ui::PositionMarker>(N("np", i))->colour(),
              ui::ColourOf(i == c.cursor ? kCurrentMarkerColour : kMarkerColour))
        << "marker " << i;
  }
  EXPECT_EQ(t.window->melody().Cursor, c.cursor);
  EXPECT_EQ(t.Status(), "NOTE:" + std::to_string(c.cursor + 1));
  EXPECT_EQ(t.Shown(), "tune.mk98 - " + kCaption);
  EXPECT_EQ(ui::RecentFiles::list(), QStringList{t.File("tune.mk98")});
}

INSTANTIATE_TEST_SUITE_P(
    Melodies, OpenMelodyFile,
    ::testing::Values(
        OpenCase{"NotesRestAndGap",
                 "# Merinkast98 melody\nC4 c#4 r - B5\n",
                 {"11", "12", "01", "99", "72"},
                 5},
        OpenCase{"CodesAndCrLf", "13 14\r\n01\t99 21\r\n", {"13", "14", "01", "99", "21"}, 5},
        OpenCase{"AllEmpty", "# nothing yet\n", {}, 0},
        OpenCase{"LastSlotFilledWrapsToSlotZero",
                 "- - - - - - - - - - - - - - - - - - - - - - - - - - - - - A5\n",
                 {"99", "99", "99", "99", "99", "99", "99", "99", "99", "99",
                  "99", "99", "99", "99", "99", "99", "99", "99", "99", "99",
                  "99", "99", "99", "99", "99", "99", "99", "99", "99", "63"},
                 0},
        OpenCase{"RestAtTheEndCounts", "E4 r\n", {"31", "01"}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MelodyFilesCaption, ShowsTheFileAndItsModifiedMarkUntilSaved) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  EXPECT_EQ(t.window->windowTitle(), kCaption);
  EXPECT_EQ(t.Shown(), kCaption);

  // Composing with no file leaves the laid-out caption alone.
  QTest::mouseClick(t.find("ken0"), Qt::LeftButton);
  EXPECT_EQ(t.Shown(), kCaption);

  const QString path = t.Write("song.mk98", "D4 E4\n");
  t.openAnswer = path;
  t.Key(Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(t.Shown(), "song.mk98 - " + kCaption);
  EXPECT_FALSE(t.window->isWindowModified());

  QTest::mouseClick(t.find("ken4"), Qt::LeftButton);  // G4 into slot 3
  EXPECT_TRUE(t.window->isWindowModified());
  EXPECT_EQ(t.Shown(), "song.mk98* - " + kCaption);

  t.Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(t.asked.size() == 1) << "上書き保存 asked for a name although the melody has a file";
  EXPECT_EQ(ReadBack(path), MakeCodes({"21", "31", "51"}));
  EXPECT_EQ(t.Shown(), "song.mk98 - " + kCaption);

  // Back to what the file holds: the mark goes again.
  QTest::mouseClick(t.find("ken5"), Qt::LeftButton);
  EXPECT_EQ(t.Shown(), "song.mk98* - " + kCaption);
  QTest::mouseClick(t.find("Gosen3"), Qt::RightButton, {}, QPoint(10, 50));
  EXPECT_EQ(t.Codes(), MakeCodes({"21", "31", "51"}));
  EXPECT_EQ(t.Shown(), "song.mk98 - " + kCaption);

  // An open is one step of undo: undone, the melody composed before it comes back, which is not
  // the file's; redone, the file's melody is back.
  QTest::mouseClick(t.find("ken6"), Qt::LeftButton);
  t.Key(Qt::Key_S, Qt::ControlModifier);
  const SlotCodes saved = t.Codes();
  t.openAnswer = t.Write("other.mk98", "C5\n");
  t.Key(Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(t.Shown(), "other.mk98 - " + kCaption);
  t.Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(t.Codes(), saved);
  EXPECT_EQ(t.Shown(), "other.mk98* - " + kCaption);
  t.Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(t.Codes(), MakeCodes({"13"}));
  EXPECT_EQ(t.Shown(), "other.mk98 - " + kCaption);

  // 新規: empty melody, cursor 0, the laid-out caption.
  t.Key(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(t.Codes(), MakeCodes({}));
  EXPECT_EQ(t.window->melody().Cursor, 0);
  EXPECT_EQ(t.Status(), "NOTE:1");
  EXPECT_EQ(t.window->windowTitle(), kCaption);
  EXPECT_EQ(t.Shown(), kCaption);
  EXPECT_EQ(ReadBack(path), saved) << "新規 touched the file";
}

TEST(MelodyFilesSave, SaveAsAsksForANameAddsTheExtensionAndNamesTheNewFile) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  for (const char* key : {"ken0", "bkey0", "ken13"}) QTest::mouseClick(t.find(key), Qt::LeftButton);
  QTest::mouseClick(t.find("PedalSW"), Qt::LeftButton);

  // With no file, 上書き保存 asks; a cancelled dialog writes nothing.
  t.saveAnswer = "";
  t.Key(Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(t.asked.size(), 1u);
  EXPECT_EQ(t.asked[0].caption, "名前を付けて保存");
  EXPECT_TRUE(t.asked[0].filters.contains("*.mk98"));
  EXPECT_EQ(t.Shown(), kCaption);
  EXPECT_TRUE(QDir(t.work.path()).isEmpty());

  t.saveAnswer = t.File("first");
  t.Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(t.asked.size(), 2u);
  const SlotCodes melody = MakeCodes({"11", "12", "72", "01"});
  EXPECT_EQ(ReadBack(t.File("first.mk98")), melody);
  EXPECT_TRUE(FilesWindow::Read(t.File("first.mk98")).startsWith("# Merinkast98 melody\n"));
  EXPECT_EQ(t.Shown(), "first.mk98 - " + kCaption);

  // Save as again: a second file, the caption follows, the first file stays.
  QTest::mouseClick(t.find("ken1"), Qt::LeftButton);
  t.saveAnswer = t.File("second.mk98");
  ASSERT_TRUE(t.ClickMenu("Filemenu", "SaveAsMenu"));
  ASSERT_EQ(t.asked.size(), 3u);
  EXPECT_EQ(t.asked[2].start, t.File("first.mk98"));
  EXPECT_EQ(ReadBack(t.File("second.mk98")), MakeCodes({"11", "12", "72", "01", "21"}));
  EXPECT_EQ(ReadBack(t.File("first.mk98")), melody);
  EXPECT_EQ(t.Shown(), "second.mk98 - " + kCaption);
  EXPECT_EQ(ui::RecentFiles::list(), (QStringList{t.File("second.mk98"), t.File("first.mk98")}));
  EXPECT_EQ(QDir(t.work.path()).entryList(QDir::Files), (QStringList{"first.mk98", "second.mk98"}))
      << "a temporary file was left behind";
}

// A save and an export say for a while what was written where; export waits for a note.
TEST(MelodyFilesSave, SaveAndExportSayWhatWasWrittenWhere) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  QAction* exportItem = t.window->findChild<QAction*>("ExportMenu");
  EXPECT_FALSE(exportItem->isEnabled()) << "an empty melody has nothing to export";
  QTest::mouseClick(t.find("ken0"), Qt::LeftButton);
  EXPECT_TRUE(exportItem->isEnabled());
  const QString folder = QDir::toNativeSeparators(t.work.path());
  // The export is offered under the title, else the file's name; an RTTTL name that loses
  // characters is said.
  const struct {
    QString name;
    std::string title;
    QString offered, said, change;
  } steps[] = {
      {"m.mk98", "", "melody.mk98", "m.mk98 を保存しました", ""},
      {"m.mid", "", "m.imy", "m.mid を書き出しました", ""},
      {"s.rtttl", "Morning: Song", "Morning: Song.imy", "s.rtttl を書き出しました",
       "\nRTTTL の名前は ':' と ',' を除き、64 文字までにしました: Morning Song"},
  };
  for (const auto& step : steps) {
    t.window->replaceMelody(t.Codes(), t.window->melody().Cursor, step.title);
    t.saveAnswer = t.File(step.name);
    ASSERT_TRUE(step.name.endsWith("mk98") ? t.files().saveAs() : t.files().exportMelody());
    EXPECT_EQ(QFileInfo(t.asked.back().start).fileName(), step.offered);
    const auto notes = t.window->findChildren<QLabel*>("Written");
    ASSERT_FALSE(notes.isEmpty());
    EXPECT_EQ(notes.back()->text(), step.said + "  " + folder + step.change);
    EXPECT_EQ(notes.back()->focusPolicy(), Qt::NoFocus);
    // It hides no control: not the top of the staff, where A5 and B5 are written.
    const QRect note = notes.back()->geometry().translated(0, -t.window->menuBar()->height());
    for (const ControlPlacement& control : kMainLayout) {
      if (control.kind == ControlKind::kMultimedia) continue;
      EXPECT_FALSE(note.intersects({control.x, control.y, control.width, control.height}))
          << control.name << " under the note of " << step.name.toStdString();
    }
  }
  EXPECT_EQ(t.Status(), "NOTE:2") << "the status bar keeps the slot";
}

TEST(MelodyFilesRecent, NewestFirstAtMostEightMissingOnesGreyedAndOpenedFromTheMenu) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  QStringList opened;
  for (int i = 0; i < 10; ++i) {
    const QString name = QStringLiteral("m%1.mk98").arg(i);
    t.openAnswer = t.Write(name, QByteArray(i % 2 ? "C4\n" : "D5 E5\n"));
    t.Key(Qt::Key_O, Qt::ControlModifier);
    opened.prepend(t.openAnswer);
  }
  // m3 again: it moves to the top instead of being listed twice.
  t.openAnswer = t.File("m3.mk98");
  t.Key(Qt::Key_O, Qt::ControlModifier);
  opened.removeAll(t.File("m3.mk98"));
  opened.prepend(t.File("m3.mk98"));
  EXPECT_EQ(ui::RecentFiles::list(), opened.mid(0, 8));

  QFile::remove(t.File("m8.mk98"));
  auto* recent = t.window->menuBar()->findChild<QMenu*>("RecentMenu");
  ASSERT_NE(recent, nullptr);
  // The list as the menu shows it, read while the submenu is open.
  QStringList shown;
  std::vector<bool> enabled;
  QObject::connect(recent, &QMenu::aboutToShow, recent, [&] {
    for (QAction* a : recent->actions()) {
      shown << a->text();
      enabled.push_back(a->isEnabled());
    }
  });
  // m7 is the fourth from the top: m3, m9, m8, m7.
  ASSERT_TRUE(t.ClickMenu("Filemenu", "Recent3", "RecentMenu"));
  ASSERT_EQ(shown.size(), 8);
  EXPECT_EQ(shown[0], "&1 " + QDir::toNativeSeparators(t.File("m3.mk98")));
  EXPECT_EQ(shown[7], "&8 " + QDir::toNativeSeparators(opened[7]));
  EXPECT_EQ(enabled, (std::vector<bool>{true, true, false, true, true, true, true, true}));
  EXPECT_EQ(t.Codes(), MakeCodes({"11"}));
  EXPECT_EQ(t.Shown(), "m7.mk98 - " + kCaption);
  EXPECT_EQ(ui::RecentFiles::list().front(), t.File("m7.mk98"));

  // The greyed entry cannot be clicked.
  EXPECT_FALSE(t.ClickMenu("Filemenu", "Recent3", "RecentMenu"));
}

// A window waits for another's hold on the recent list a moment at most; what it added is
// listed at once and written with its next addition.
TEST(MelodyFilesRecent, AListHeldByAnotherWindowIsWrittenWithTheNextAddition) {
  ui::RecentFiles::clear();
  const QString folder =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/merinkast98";
  QDir().mkpath(folder);
  QLockFile held(folder + "/recent-files.lock");
  ASSERT_TRUE(held.tryLock(0));
  QElapsedTimer clock;
  clock.start();
  ui::RecentFiles::add("/m/first.mk98");
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_EQ(ui::RecentFiles::list(), QStringList{"/m/first.mk98"});
  EXPECT_TRUE(ui::UserSettings::value("recentFiles").toStringList().isEmpty());
  held.unlock();
  ui::RecentFiles::add("/m/second.mk98");
  EXPECT_EQ(ui::UserSettings::value("recentFiles").toStringList(),
            (QStringList{"/m/second.mk98", "/m/first.mk98"}));
  ui::RecentFiles::clear();
}

struct RefusedCase {
  const char* name;
  QByteArray bytes;   // empty: see `kind`
  const char* kind;   // "file", "folder", "fifo" or "missing"
  const char* where;  // what the message must say after the file's name
};

class RefusedFile : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedFile, IsNamedWithItsPlaceAndReasonAndChangesNothing) {
  const RefusedCase& c = GetParam();
  FilesWindow t;
  ASSERT_TRUE(t.active);
  t.openAnswer = t.Write("kept.mk98", "F4 G4 A4\n");
  t.Key(Qt::Key_O, Qt::ControlModifier);
  QTest::mouseClick(t.find("np1"), Qt::LeftButton);
  QTest::mouseClick(t.find("ken13"), Qt::LeftButton);  // B5 over G4: modified, cursor on slot 2

  const QString bad = t.File("bad.mk98");
  if (std::string(c.kind) == "file") t.Write("bad.mk98", c.bytes);
  if (std::string(c.kind) == "folder") QDir().mkpath(bad);
  if (std::string(c.kind) == "fifo") mkfifo(QFile::encodeName(bad).constData(), 0666);
  const Melody before = t.window->melody();
  const QString title = t.window->windowTitle();
  const std::string status = t.Status();
  std::vector<QColor> cells;
  for (int i = 0; i < 30; ++i) cells.push_back(t.Cell(i));

  t.openAnswer = bad;
  MessageBoxes boxes;
  t.Key(Qt::Key_O, Qt::ControlModifier);

  ASSERT_EQ(boxes.Names(), std::vector<QString>{"FileRefused"});
  const QString text = boxes.seen[0].text;
  EXPECT_TRUE(text.startsWith("ファイルを開けません。\n\n" + bad + ":")) << text;
  EXPECT_TRUE(text.contains(bad + c.where)) << text;
  EXPECT_EQ(t.window->melody().Notes, before.Notes);
  EXPECT_EQ(t.window->melody().Cursor, before.Cursor);
  EXPECT_EQ(t.window->windowTitle(), title);
  EXPECT_TRUE(t.window->isWindowModified());
  EXPECT_EQ(t.Status(), status);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(t.Cell(i), cells[size_t(i)]) << "slot " << i;
  EXPECT_EQ(ui::RecentFiles::list(), QStringList{t.File("kept.mk98")});
  EXPECT_EQ(t.files().currentFile(), t.File("kept.mk98"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedFile,
    ::testing::Values(
        RefusedCase{"UnknownPitch", "C4 D4\nE4  H4\n", "file", ":2:5: \"H4\": "},
        RefusedCase{"AboveTheRange", "# Merinkast98 melody\nC6\n", "file", ":2:1: \"C6\": "},
        RefusedCase{"SharpE", "E#4", "file", ":1:1: \"E#4\": "},
        RefusedCase{"ThirtyOneTokens", QByteArray("r ").repeated(31), "file", ":1:61: \"r\": "},
        RefusedCase{"Binary", QByteArray("C4\0D4", 5), "file", ":1:"},
        RefusedCase{"InvalidUtf8", "C4 \xff\xfe\n", "file", ":1:4"},
        RefusedCase{"LargerThan64KiB", QByteArray("# ") + QByteArray(65 * 1024, 'x'), "file",
                    ": 64 KiB を超えています"},
        RefusedCase{"Folder", "", "folder", ": ファイルではなくフォルダです"},
        RefusedCase{"Fifo", "", "fifo", ": 通常のファイルではありません"},
        RefusedCase{"Missing", "", "missing", ": そのようなファイルやフォルダはありません"},
        RefusedCase{"NotRtttlEither", "tune:d=4:c,x\n", "file", ":1:"}),
    [](const auto& info) { return std::string(info.param.name); });

// 上書き保存 writes back only into a melody file, known by its name or its first line; a file
// with nothing in it gives no melody unless it is named as one.
struct SaveTargetCase {
  const char* name;
  QByteArray bytes;
  bool opened, target;
};

TEST(MelodyFilesSave, OnlyAMelodyFileBecomesTheTargetAndAnEmptyTuneIsRefused) {
  const SaveTargetCase cases[] = {
      {"empty.mk98", "", true, true},
      {"header.txt", "# Merinkast98 melody\nC4\n", true, true},
      {"tokens.txt", "C4 D4\n", true, false},
      {"tune.rtttl", "t:d=4,o=5,b=120:c", true, false},
      {"empty.rtttl", "", false, false},
      {"blank.imy", " \r\n", false, false},
  };
  for (const SaveTargetCase& c : cases) {
    FilesWindow t;
    ASSERT_TRUE(t.active);
    QTest::mouseClick(t.find("ken0"), Qt::LeftButton);
    t.openAnswer = t.Write(c.name, c.bytes);
    MessageBoxes boxes;
    t.Key(Qt::Key_O, Qt::ControlModifier);
    if (!c.opened) {
      ASSERT_EQ(boxes.Names(), std::vector<QString>{"FileRefused"}) << c.name;
      EXPECT_TRUE(boxes.seen[0].text.contains(t.openAnswer + ": 空のファイルです")) << c.name;
      EXPECT_EQ(t.Codes(), MakeCodes({"11"})) << c.name;
      continue;
    }
    EXPECT_EQ(t.files().currentFile(), c.target ? t.openAnswer : QString()) << c.name;
    t.saveAnswer = t.File("asked.mk98");
    const size_t asked = t.asked.size();
    t.Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(t.asked.size() - asked, c.target ? 0u : 1u) << c.name;
    if (!c.target) {
      EXPECT_EQ(FilesWindow::Read(t.openAnswer), c.bytes) << c.name << " was written into";
    }
  }
}

// Makes writes beyond a few bytes fail as on a full disk, for the life of the object; root
// writes into read-only folders, so this is the failure every user meets alike.
class DiskFull {
 public:
  DiskFull() {
    getrlimit(RLIMIT_FSIZE, &saved_);
    former_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved_;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~DiskFull() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, former_);
  }

 private:
  rlimit saved_{};
  void (*former_)(int) = nullptr;
};

TEST(MelodyFilesSave, AFailedSaveNamesFileAndReasonKeepsTheOldFileAndTheMelody) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  const QByteArray old = "# Merinkast98 melody\nC4 D4 E4\n";
  t.openAnswer = t.Write("old.mk98", old);
  t.Key(Qt::Key_O, Qt::ControlModifier);
  QTest::mouseClick(t.find("ken6"), Qt::LeftButton);
  const SlotCodes melody = t.Codes();
  ASSERT_EQ(melody, MakeCodes({"11", "21", "31", "71"}));

  {
    DiskFull full;
    MessageBoxes boxes;
    t.Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(boxes.Names(), std::vector<QString>{"FileFailed"});
    EXPECT_TRUE(boxes.seen[0].text.contains(t.File("old.mk98")))
        << boxes.seen[0].text.toStdString();
    EXPECT_TRUE(boxes.seen[0].text.contains(
        QString::fromStdString(Reason(SystemRefusal(EFBIG), Language::Japanese))))
        << boxes.seen[0].text.toStdString();
  }
  EXPECT_EQ(FilesWindow::Read(t.File("old.mk98")), old);
  EXPECT_EQ(t.Codes(), melody);
  EXPECT_EQ(t.Shown(), "old.mk98* - " + kCaption) << "the melody is still unsaved";
  EXPECT_EQ(QDir(t.work.path()).entryList(QDir::Files), QStringList{"old.mk98"});

  // Save as into a folder that is not there: named, and the melody keeps its old file.
  t.saveAnswer = t.File("gone/new.mk98");
  MessageBoxes boxes;
  t.Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(boxes.Names(), std::vector<QString>{"FileFailed"});
  EXPECT_TRUE(boxes.seen[0].text.contains(t.File("gone/new.mk98")));
  EXPECT_TRUE(boxes.seen[0].text.contains(
      QString::fromStdString(Reason(SystemRefusal(ENOENT), Language::Japanese))));
  EXPECT_EQ(t.files().currentFile(), t.File("old.mk98"));
  EXPECT_EQ(t.Codes(), melody);
  EXPECT_EQ(ui::RecentFiles::list(), QStringList{t.File("old.mk98")});

  // With room again the same 上書き保存 writes.
  t.Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(ReadBack(t.File("old.mk98")), melody);
  EXPECT_EQ(t.Shown(), "old.mk98 - " + kCaption);
}

}  // namespace
}  // namespace merin::test
