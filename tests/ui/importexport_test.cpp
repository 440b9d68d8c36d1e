// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sndfile.h>

#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QUndoStack>
#include <QUrl>
#include <fstream>
#include <mutex>

#include "core/pitch.h"
#include "filetesting.h"
#include "formats/audioexport.h"
#include "formats/rtttl.h"
#include "ui/partdialog.h"

namespace merin::test {
namespace {

// Twinkle, twinkle, little star: one octave up in the phone's reckoning, two durations.
const QByteArray kTwinkle = "Twinkle:d=4,o=5,b=120:c,c,g,g,a,a,2g,f,f,e,e,d,d,2c";
const std::vector<std::string> kTwinkleSlots = {"13", "13", "53", "53", "63", "63", "53",
                                                "43", "43", "32", "32", "23", "23", "13"};
// Ode to joy written an octave above the handset: shifted down, durations and a dot dropped.
const QByteArray kOde = "Ode : d=8 , o=6 , b=140 : e,e,f,g,g,f,e,d,c,c,d,e,e.,16d,2d";
const std::vector<std::string> kOdeSlots = {"32", "32", "43", "53", "53", "43", "32", "23",
                                            "13", "13", "23", "32", "32", "23", "23"};

std::vector<std::string> ReportOf(const QByteArray& tune) {
  auto read = formats::ReadRtttl(std::string_view(tune.constData(), size_t(tune.size())), "");
  return formats::Words(std::get<formats::Imported>(read).report, Language::Japanese);
}

// The message box after an import: the source and the report, one line each.
QString ReportText(const QString& source, const QByteArray& tune) {
  QStringList lines;
  for (const std::string& line : ReportOf(tune)) lines << QString::fromStdString(line);
  return "RTTTL を読み込みました: " + source + "\n\n" + lines.join('\n');
}

TEST(RtttlImport, FromTheOpenMenuItemFillsTheSlotsAndShowsTheReport) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  t.openAnswer = t.Write("twinkle.rtttl", kTwinkle);
  MessageBoxes boxes;
  ASSERT_TRUE(t.ClickMenu("Filemenu", "OpenMenu"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.seen.empty(); }, 3000));

  ASSERT_EQ(t.asked.size(), 1u);
  for (const char* pattern : {"*.mk98", "*.rtttl", "*.rtx", "*.txt"}) {
    EXPECT_TRUE(t.asked[0].filters.contains(pattern)) << pattern;
  }
  EXPECT_EQ(t.Codes(), MakeCodes(kTwinkleSlots));
  EXPECT_EQ(t.window->melody().Cursor, 14);
  EXPECT_EQ(t.Status(), "NOTE:15");
  EXPECT_EQ(t.Cell(9), PictureColour("32.bmp"));
  ASSERT_EQ(boxes.Names(), std::vector<QString>{"ImportReport"});
  ASSERT_FALSE(ReportOf(kTwinkle).empty());
  EXPECT_EQ(boxes.seen[0].text,
            ReportText(QDir::toNativeSeparators(t.File("twinkle.rtttl")), kTwinkle));
  // An import has no melody file of its own: the caption stays, and saving asks for a name
  // beside the tune.
  EXPECT_EQ(t.Shown(), kCaption);
  t.saveAnswer = "";
  t.Key(Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(t.asked.size(), 2u);
  EXPECT_EQ(t.asked[1].start, t.File("twinkle.mk98"));
}

TEST(RtttlImport, PasteFromTheClipboardAndCopyBack) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  QGuiApplication::clipboard()->setText(QString::fromUtf8(kOde));
  {
    MessageBoxes boxes;
    t.Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.seen.empty(); }, 3000));
    ASSERT_EQ(boxes.Names(), std::vector<QString>{"ImportReport"});
    EXPECT_EQ(boxes.seen[0].text, ReportText("クリップボード", kOde));
    EXPECT_GE(ReportOf(kOde).size(), 2u) << "the octave shift and the durations";
  }
  EXPECT_EQ(t.Codes(), MakeCodes(kOdeSlots));
  EXPECT_EQ(t.window->melody().Cursor, 15);

  // A rest in the middle, then copy: the clipboard holds the melody as RTTTL.
  QTest::mouseClick(t.find("PedalSW"), Qt::LeftButton);
  QTest::mouseClick(t.find("bkey9"), Qt::LeftButton);  // A#5
  QGuiApplication::clipboard()->clear();
  const SlotCodes composed = t.Codes();
  t.Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(t.Codes(), composed) << "Ctrl+C also played the piano key C";
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith("Ode:d=4,o=5,b=214:")) << copied.toStdString();
  const std::string bytes = copied.toStdString();
  auto back = formats::ReadRtttl(bytes, "");
  ASSERT_TRUE(std::holds_alternative<formats::Imported>(back)) << copied.toStdString();
  EXPECT_EQ(std::get<formats::Imported>(back).codes, t.Codes());

  // Clipboard text that is no tune: named with its place, nothing changes.
  const SlotCodes before = t.Codes();
  QGuiApplication::clipboard()->setText("Bad:d=4,o=5,b=100:c,d,x");
  MessageBoxes boxes;
  t.Key(Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(boxes.Names(), std::vector<QString>{"FileRefused"});
  EXPECT_TRUE(boxes.seen[0].text.startsWith(
      "クリップボードの内容を読み込めません。\n\nクリップボード:1:23: \"x\": "))
      << boxes.seen[0].text;
  EXPECT_EQ(t.Codes(), before);
}

// A collection pasted: the tunes listed, the broken one not to be chosen; the title of the tune
// taken is set from the Edit menu as one undo step. (End to end in tests/e2e/tune-collection.)
TEST(TuneCollection, ListedWhenPastedAndTheTitleSetAsOneUndoStep) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  std::vector<QStringList> offered;
  t.files().tuneDialog = [&](QWidget*, int count, const std::function<QString(int)>& tune,
                             const std::function<bool(int)>& choosable) {
    QStringList tunes;
    std::vector<bool> can;
    for (int i = 0; i < count; ++i) {
      tunes << tune(i);
      can.push_back(choosable(i));
    }
    offered.push_back(tunes);
    EXPECT_EQ(can, (std::vector<bool>{true, false, true}));
    return 2;
  };
  QGuiApplication::clipboard()->setText("Indiana:d=4,o=5:e,f,g\nBad:d=4:c,x\nMario:d=4,o=5:c,d\n");
  MessageBoxes boxes;
  t.Key(Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(offered,
            (std::vector<QStringList>{{"1. Indiana（3 音）",
                                       "2. Bad — 音名（a..g, h）でも休符（p）でもありません",
                                       "3. Mario（2 音）"}}));
  EXPECT_EQ(t.window->melody().Title, "Mario");
  t.files().titleDialog = [](QWidget*, const QString&) { return std::optional<QString>("W\t1-1"); };
  ASSERT_TRUE(t.ClickMenu("Editmenu", "TitleMenu"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return t.window->melody().Title == "W1-1"; }, 3000));
  t.window->undoStack()->undo();
  EXPECT_EQ(t.window->melody().Title, "Mario");
  EXPECT_EQ(t.Codes(), MakeCodes({"13", "23"}));
}

TEST(RtttlImport, ATuneImportedWholeSaysSoAndMelodyTextIsPastedAsItIs) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  // Frere Jacques, one duration, every note inside the handset's range.
  QGuiApplication::clipboard()->setText("Jacques:d=8,o=5,b=120:c,d,e,c,c,d,e,c,e,f,g,p");
  {
    MessageBoxes boxes;
    t.Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(boxes.Names(), std::vector<QString>{"ImportReport"});
    EXPECT_EQ(boxes.seen[0].text,
              "RTTTL を読み込みました: クリップボード\n\n"
              "変更はありません（すべての音がそのまま入りました）");
  }
  EXPECT_EQ(t.Codes(),
            MakeCodes({"13", "23", "32", "13", "13", "23", "32", "13", "32", "43", "53", "01"}));

  QGuiApplication::clipboard()->setText("# Merinkast98 melody\nG4 r A#5\n");
  MessageBoxes boxes;
  t.Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_TRUE(boxes.seen.empty());
  EXPECT_EQ(t.Codes(), MakeCodes({"51", "01", "64"}));
  EXPECT_EQ(t.window->melody().Cursor, 3);
  EXPECT_EQ(t.Shown(), kCaption);
}

// Two tracks of one channel each: C4 D4 E4, and F4 G4 A4, the second played by a flute.
QByteArray TwoPartMidi() {
  QByteArray file("MThd\0\0\0\x06\0\x01\0\x02\0\x60", 14);
  for (const char channel : {0, 1}) {
    QByteArray events;
    if (channel == 1) events += QByteArray(1, 0) + char(0xC1) + char(73);
    for (const char key : {60, 62, 64}) {
      events += QByteArray(1, 0) + char(0x90 | channel) + char(key + 5 * channel) + '@';
      events += QByteArray(1, 0x60) + char(0x80 | channel) + char(key + 5 * channel) + '@';
    }
    events += QByteArray("\0\xFF\x2F\0", 4);
    file += QByteArray("MTrk\0\0\0", 7) + char(events.size()) + events;
  }
  return file;
}

// A sound device that writes down what it played, from whichever thread plays.
class LockedSound : public SoundDevice {
 public:
  void PlayWave(const std::string& path) override {
    std::lock_guard lock(mutex_);
    played_.push_back(path);
  }
  std::vector<std::string> played() {
    std::lock_guard lock(mutex_);
    return played_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> played_;
};

// The part dialog shows its columns whole, names the instruments in the window's language, and
// its ▶ plays the 30 slots of the preview as test play would.
TEST(MidiImport, ThePartDialogFitsNamesTheInstrumentAndPlaysThePreview) {
  const QByteArray bytes = TwoPartMidi();
  auto tune = formats::ReadMidiTune(std::string_view(bytes.constData(), size_t(bytes.size())), "");
  ASSERT_TRUE(std::holds_alternative<formats::MidiTune>(tune));
  LockedSound sound;
  ui::PartDialog dialog(std::get<formats::MidiTune>(tune), "two.mid", nullptr, &sound);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  auto* parts = dialog.findChild<QTableView*>("Parts");
  EXPECT_EQ(parts->horizontalScrollBar()->maximum(), 0) << "every column shown whole";
  EXPECT_EQ(parts->model()->index(1, 3).data().toString(), "フルート");
  parts->setCurrentIndex(parts->model()->index(1, 0));
  QTest::mouseClick(dialog.findChild<QPushButton*>("Play"), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return sound.played().size() == 30; }, 5000));
  const std::vector<std::string> played = sound.played();
  for (size_t slot = 0; slot < 30; ++slot) {
    const char* wave = slot == 0   ? "41.wav"
                       : slot == 1 ? "51.wav"
                       : slot == 2 ? "61.wav"
                                   : "01.wav";
    EXPECT_EQ(played[slot], Da::PathOf(wave)) << "slot " << slot + 1;
  }
}

// The part dialog's ▶ shows ■ while the preview sounds, and a press on it stops it; its lowest
// and highest columns give the part's range as the roll shows it, moved into C4..B5; the names
// of the C4, C5 and C6 lines stand beside the columns, never on them.
TEST(MidiImport, ThePartPreviewShowsItPlaysStopsAndItsRangeIsTheRollsOwn) {
  // Part 1 as TwoPartMidi's; part 2 two octaves below the handset's range: C2 D2 E2.
  QByteArray bytes = TwoPartMidi();
  bytes.replace(QByteArray("\x91\x41", 2), QByteArray("\x91\x24", 2));
  bytes.replace(QByteArray("\x81\x41", 2), QByteArray("\x81\x24", 2));
  bytes.replace(QByteArray("\x91\x43", 2), QByteArray("\x91\x26", 2));
  bytes.replace(QByteArray("\x81\x43", 2), QByteArray("\x81\x26", 2));
  bytes.replace(QByteArray("\x91\x45", 2), QByteArray("\x91\x28", 2));
  bytes.replace(QByteArray("\x81\x45", 2), QByteArray("\x81\x28", 2));
  auto tune = formats::ReadMidiTune(std::string_view(bytes.constData(), size_t(bytes.size())), "");
  ASSERT_TRUE(std::holds_alternative<formats::MidiTune>(tune));
  HeldSound sound;
  ui::PartDialog dialog(std::get<formats::MidiTune>(tune), "low.mid", nullptr, &sound);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  auto* parts = dialog.findChild<QTableView*>("Parts");
  const struct {
    int row;
    const char *lowest, *highest;
  } ranges[] = {{0, "C4", "E4"}, {1, "C4", "E4"}};
  for (const auto& r : ranges) {
    EXPECT_EQ(parts->model()->index(r.row, 5).data().toString(), r.lowest) << r.row;
    EXPECT_EQ(parts->model()->index(r.row, 6).data().toString(), r.highest) << r.row;
  }
  auto* play = dialog.findChild<QPushButton*>("Play");
  EXPECT_EQ(play->text(), "▶");
  QTest::mouseClick(play, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return sound.begun().size() == 1; }, 3000));
  EXPECT_EQ(play->text(), "■");
  EXPECT_EQ(play->accessibleName(), "停止");
  QTest::mouseClick(play, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return play->text() == "▶"; }, 3000));
  QTest::qWait(200);
  EXPECT_EQ(sound.begun().size(), 1u) << "the slots after the one stopped are not played";

  auto* roll = dialog.findChild<ui::PianoRoll*>("PianoRoll");
  ASSERT_NE(roll, nullptr);
  for (int octave = 0; octave <= 2; ++octave) {
    EXPECT_TRUE(roll->rect().contains(roll->nameOf(octave))) << octave;
    for (int slot = 0; slot < 30; ++slot) {
      EXPECT_FALSE(roll->nameOf(octave).intersects(roll->columnOf(slot)))
          << "C" << 4 + octave << " on slot " << slot + 1;
    }
  }
}

// A MIDI file of two parts asks which to take: cancelled, nothing changes and nothing is said;
// part 2 from its second slot gives that part's notes from there.
TEST(MidiImport, ThePartAskedForIsTakenAndACancelChangesNothing) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  const QString path = t.Write("two.mid", TwoPartMidi());
  t.Key(Qt::Key_Z, Qt::NoModifier);            // the piano key C4, so that a change would show
  std::optional<formats::ReadOptions> answer;  // cancelled first
  t.files().choosePart = [&](QWidget*, const formats::MidiTune& tune, const QString&) {
    EXPECT_EQ(tune.parts.size(), 2u);
    return answer;
  };
  MessageBoxes boxes;
  EXPECT_FALSE(t.files().open(path));
  EXPECT_TRUE(boxes.seen.empty());
  EXPECT_EQ(t.Codes(), MakeCodes({"11"}));
  answer = formats::ReadOptions{.from = 2, .part = 2};
  EXPECT_TRUE(t.files().open(path));
  EXPECT_EQ(t.Codes(), MakeCodes({"51", "61"}));
}

// Drags `url` onto the staff cell `cell` and drops it there, as a file manager would.
bool DropUrl(const FilesWindow& t, const QUrl& url, int cell) {
  QMimeData data;
  data.setUrls({url});
  QWidget* target = t.find(QStringLiteral("Gosen%1").arg(cell));
  const QPoint at(10, 50);
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}
bool DropFile(const FilesWindow& t, const QString& path, int cell) {
  return DropUrl(t, QUrl::fromLocalFile(path), cell);
}

// A name that is not UTF-8 opens by its bytes from the command line and from a drop, with no
// file of its own (it could not be written again by that name); the file dialog, which cannot
// pass such a name on, says so. Names are shown escaped, in the caption too.
TEST(FileNames, ANameThatIsNotUtf8OpensByItsBytesAndEveryNameIsShownEscaped) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  const std::string folder = QFile::encodeName(t.work.path()).toStdString();
  const std::string name = folder + "/tune\xff\x1b.mk98";
  std::ofstream(name, std::ios::binary) << "11 21\n";
  ASSERT_TRUE(t.files().openLocal(name));
  EXPECT_EQ(t.Codes(), MakeCodes({"11", "21"}));
  EXPECT_TRUE(t.files().currentFile().isEmpty());
  EXPECT_TRUE(ui::RecentFiles::list().isEmpty());

  t.files().newMelody();
  MessageBoxes boxes;
  const QUrl url =
      QUrl::fromEncoded("file://" + QByteArray::fromStdString(name).toPercentEncoding("/"));
  ASSERT_TRUE(DropUrl(t, url, 0));
  ASSERT_TRUE(QTest::qWaitFor([&] { return t.Codes() == MakeCodes({"11", "21"}); }, 3000));

  t.openAnswer = QFile::decodeName(QByteArray::fromStdString(name));
  ASSERT_TRUE(t.ClickMenu("Filemenu", "OpenMenu"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.seen.empty(); }, 3000));
  EXPECT_EQ(boxes.Names(), std::vector<QString>{"FileFailed"});
  EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("tune\uFFFD\\x1b.mk98")))
      << boxes.seen[0].text;
  EXPECT_TRUE(boxes.seen[0].text.contains(QStringLiteral("名前が UTF-8 ではありません")));

  const std::string control = folder + "/b\x1b\u202e.mk98";
  std::ofstream(control, std::ios::binary) << "11\n";
  ASSERT_TRUE(t.files().openLocal(control));
  EXPECT_EQ(t.Shown(), "b\\x1b\\xe2\\x80\\xae.mk98 - " + kCaption);
  std::remove(name.c_str());  // a name the temporary folder's own clean-up cannot decode
}

TEST(RtttlImport, ADroppedTuneIsImportedAndADroppedMelodyFileOpened) {
  FilesWindow t;
  ASSERT_TRUE(t.active);
  // 32 notes: the last two do not fit.
  const QByteArray many = "Many:d=4,o=5,b=100:" + QByteArray("c,").repeated(31) + "c";
  const QString tune = t.Write("many.txt", many);
  {
    MessageBoxes boxes;
    ASSERT_TRUE(DropFile(t, tune, 5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.seen.empty(); }, 3000));
    ASSERT_EQ(boxes.Names(), std::vector<QString>{"ImportReport"});
    EXPECT_EQ(boxes.seen[0].text, ReportText(QDir::toNativeSeparators(tune), many));
    EXPECT_EQ(ReportOf(many).size(), 1u) << "only the notes dropped after the 30th";
  }
  SlotCodes all;
  all.fill("13");
  EXPECT_EQ(t.Codes(), all);
  EXPECT_EQ(t.window->melody().Cursor, 0);

  const QString melody = t.Write("drop.mk98", "G4 r B5\n");
  MessageBoxes boxes;
  ASSERT_TRUE(DropFile(t, melody, 0));
  ASSERT_TRUE(QTest::qWaitFor([&] { return t.Codes() == MakeCodes({"51", "01", "72"}); }, 3000));
  EXPECT_TRUE(boxes.seen.empty());
  EXPECT_EQ(t.Shown(), "drop.mk98 - " + kCaption);

  // Two files, or no file at all, are not taken.
  QMimeData two;
  two.setUrls({QUrl::fromLocalFile(melody), QUrl::fromLocalFile(tune)});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &two, Qt::LeftButton, {});
  QApplication::sendEvent(t.find("Gosen1"), &enter);
  EXPECT_FALSE(enter.isAccepted());
  QMimeData text;
  text.setText("C4 D4");
  QDragEnterEvent enterText(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, {});
  QApplication::sendEvent(t.find("Gosen1"), &enterText);
  EXPECT_FALSE(enterText.isAccepted());
}

// The frames of a sound file as libsndfile reads it, or -1.
sf_count_t Frames(const QString& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
  if (!file) return -1;
  sf_close(file);
  return info.frames;
}

class ExportWindow : public FilesWindow {
 public:
  ExportWindow() {
    for (const QString& name : QDir(MERIN_PROGRAM_DIR).entryList({"*.wav"})) {
      QFile::copy(QDir(MERIN_PROGRAM_DIR).filePath(name), folder.filePath(name));
    }
    // F4 E5 rest, an empty slot, C#4; the trailing empty slots are left out.
    for (const char* key : {"ken3", "ken9"}) QTest::mouseClick(find(key), Qt::LeftButton);
    QTest::mouseClick(find("PedalSW"), Qt::LeftButton);
    QTest::mouseClick(find("np4"), Qt::LeftButton);
    QTest::mouseClick(find("bkey0"), Qt::LeftButton);
  }
  // What test play sounds: the slots' waves up to the last note, rests and gaps as 01.wav.
  sf_count_t PlayedFrames() const {
    sf_count_t total = 0;
    for (const char* wave : {"41.wav", "32.wav", "01.wav", "01.wav", "12.wav"}) {
      total += Frames(folder.filePath(wave));
    }
    return total;
  }
};

TEST(MelodyExport, OneFilterPerFormatAndEachFormatWritten) {
  ExportWindow t;
  ASSERT_TRUE(t.active);
  ASSERT_EQ(t.Codes(), MakeCodes({"41", "32", "01", "99", "12"}));
  const std::vector<std::string> audio = formats::WritableAudioExtensions();
  std::vector<QString> extensions = {"imy", "fmf", "rtttl", "mid"};
  for (const std::string& e : audio) extensions.push_back(QString::fromStdString(e));
  ASSERT_GE(extensions.size(), 5u) << "WAV, FLAC and Ogg are always written";

  for (const QString& extension : extensions) {
    SCOPED_TRACE(extension.toStdString());
    t.asked.clear();
    t.saveAnswer = t.File("Tune 1." + extension);
    MessageBoxes boxes;
    ASSERT_TRUE(t.ClickMenu("Filemenu", "ExportMenu"));
    EXPECT_TRUE(boxes.seen.empty());
    ASSERT_EQ(t.asked.size(), 1u);
    const QStringList filters = t.asked[0].filters.split(";;");
    ASSERT_EQ(size_t(filters.size()), extensions.size());
    for (size_t i = 0; i < extensions.size(); ++i) {
      EXPECT_TRUE(filters[qsizetype(i)].endsWith("(*." + extensions[i] + ")"))
          << filters[qsizetype(i)].toStdString();
    }
    const QByteArray bytes = FilesWindow::Read(t.saveAnswer);
    if (extension == "imy") {
      EXPECT_TRUE(bytes.contains("\r\nNAME:Tune 1\r\n")) << bytes.toStdString();
    } else if (extension == "fmf") {
      EXPECT_TRUE(bytes.startsWith("Filetype: Flipper Music Format\n")) << bytes.toStdString();
      EXPECT_TRUE(bytes.endsWith("\nNotes: F4, E5, P, P, C#4\n")) << bytes.toStdString();
    } else if (extension == "rtttl") {
      EXPECT_TRUE(bytes.startsWith("Tune 1:d=4,o=5,b=214:")) << bytes.toStdString();
      auto back = formats::ReadRtttl(bytes.toStdString(), "");
      ASSERT_TRUE(std::holds_alternative<formats::Imported>(back));
      EXPECT_EQ(std::get<formats::Imported>(back).codes, MakeCodes({"41", "32", "01", "01", "12"}));
    } else if (extension == "mid") {
      ASSERT_GE(bytes.size(), 22);
      EXPECT_TRUE(bytes.startsWith("MThd"));
      EXPECT_EQ(bytes.mid(8, 4), QByteArray("\0\0\0\1", 4)) << "format 0, one track";
      EXPECT_EQ(bytes.mid(14, 4), "MTrk");
      // Five slots, three of them notes: three note-ons on channel 1 at velocity 100.
      EXPECT_EQ(bytes.count(QByteArray("\x90\x41\x64", 3)), 1);  // F4
      EXPECT_EQ(bytes.count(QByteArray("\x90\x4C\x64", 3)), 1);  // E5
      EXPECT_EQ(bytes.count(QByteArray("\x90\x3D\x64", 3)), 1);  // C#4
    } else {
      EXPECT_EQ(Frames(t.saveAnswer), t.PlayedFrames());
    }
  }
}

TEST(MelodyExport, TheChosenFilterGivesANameWithoutExtensionItsFormat) {
  ExportWindow t;
  ASSERT_TRUE(t.active);
  t.saveAnswer = t.File("plain");
  t.chosenAnswer = "MIDI ファイル (*.mid)";
  ASSERT_TRUE(t.ClickMenu("Filemenu", "ExportMenu"));
  EXPECT_TRUE(FilesWindow::Read(t.File("plain.mid")).startsWith("MThd"));
  t.chosenAnswer = "FLAC 音声 (*.flac)";
  ASSERT_TRUE(t.ClickMenu("Filemenu", "ExportMenu"));
  EXPECT_EQ(Frames(t.File("plain.flac")), t.PlayedFrames());
  EXPECT_TRUE(FilesWindow::Read(t.File("plain.flac")).startsWith("fLaC"));
}

TEST(MelodyExport, ASoundFileThatCannotBeReadIsNamedAndNoFileIsLeft) {
  ExportWindow t;
  ASSERT_TRUE(t.active);
  QFile::remove(t.folder.filePath("32.wav"));
  t.saveAnswer = t.File("broken.wav");
  MessageBoxes boxes;
  ASSERT_TRUE(t.ClickMenu("Filemenu", "ExportMenu"));
  ASSERT_EQ(boxes.Names(), std::vector<QString>{"FileFailed"});
  EXPECT_TRUE(boxes.seen[0].text.contains(t.File("broken.wav"))) << boxes.seen[0].text;
  EXPECT_TRUE(boxes.seen[0].text.contains("32.wav")) << boxes.seen[0].text;
  EXPECT_TRUE(QDir(t.work.path()).isEmpty()) << QDir(t.work.path()).entryList().join(' ');
  EXPECT_EQ(t.Codes(), MakeCodes({"41", "32", "01", "99", "12"}));
}

}  // namespace
}  // namespace merin::test
