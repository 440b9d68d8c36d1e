// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <variant>
#include <vector>

#include "formats/format.h"
#include "formats/intake.h"
#include "formats/midi.h"
#include "session/session.h"
#include "ui/melodykeeper.h"

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

namespace merin {
class SoundDevice;
}

namespace merin::ui {

// What the melody files need of their window: the window for menus, caption and dialogs, its
// session, a way to run an action of the session and show what it did, the window's caption when
// it names no file, and the sound device a preview plays through.
struct FilesHost {
  QMainWindow& window;
  session::Session& session;
  std::function<bool(const std::function<session::Outcome(session::Session&)>&)> act;
  std::function<QString()> caption;
  SoundDevice* sound = nullptr;
};

// The File menu's melody files (新規, 開く, 上書き保存, 名前を付けて保存, recent files, the kept
// melodies, エクスポート), the Edit menu's RTTTL clipboard items, drops on the window, and the
// caption that names the file. Every melody it puts in place is an action of the window's session.
class MelodyFiles : public QObject {
  Q_OBJECT

 public:
  // Asks for a file to open; an empty name when cancelled.
  using OpenDialog = std::function<QString(QWidget* parent, const QString& caption,
                                           const QString& start, const QString& filters)>;
  // Asks for a file to write; an empty name when cancelled. `chosenFilter` starts as the filter
  // to offer first and comes back as the one chosen.
  using SaveDialog =
      std::function<QString(QWidget* parent, const QString& caption, const QString& start,
                            const QString& filters, QString* chosenFilter)>;

  // Adds the items to `fileMenu` above `endItem`, and an Edit menu ("Editmenu") to the host
  // window's menu bar unless it has one.
  MelodyFiles(FilesHost host, QMenu* fileMenu, QAction* endItem);
  ~MelodyFiles() override;

  // Asks which part of a MIDI file of several to bring in, and from which slot; none when
  // cancelled.
  using PartChooser = std::function<std::optional<formats::ReadOptions>(
      QWidget* parent, const formats::MidiTune& tune, const QString& file)>;
  // Asks which tune of a collection to take: `count` of them, tune `i` (from 0) put in words by
  // `tune(i)`, those not `choosable(i)` greyed; the one chosen, or -1 when cancelled.
  using TuneDialog =
      std::function<int(QWidget* parent, int count, const std::function<QString(int)>& tune,
                        const std::function<bool(int)>& choosable)>;
  // Asks for the melody's title, starting from `title`; none when cancelled.
  using TitleDialog = std::function<std::optional<QString>(QWidget* parent, const QString& title)>;

  // The dialogs the menu items ask with: QFileDialog's, PartDialog and the program's own; tests
  // put their own answers here.
  OpenDialog openDialog;
  SaveDialog saveDialog;
  PartChooser choosePart;
  TuneDialog tuneDialog;
  TitleDialog titleDialog;
  // Asks whether to write over the melody's file, which changed on disk since it was opened or
  // saved here (`name`); true to write over it, false to ask for another name.
  using OverwriteDialog = std::function<bool(QWidget* parent, const QString& name)>;
  OverwriteDialog overwriteDialog;

  // Opens a melody file, or imports an RTTTL tune and shows what the import changed. A file that
  // is refused is named with the place and reason, and nothing changes. True when it was opened.
  bool open(const QString& path);
  // Opens the file named by `name` as the system knows it, a name that is not UTF-8 included
  // (from the command line or a drop); as open does, but such a melody has no file of its own.
  bool openLocal(const std::string& name);
  // Empties the melody; no file is named any more.
  void newMelody();
  // Writes the melody to its file, or asks for one first. True when it was written.
  bool save();
  // Asks for a file and writes the melody there. True when it was written.
  bool saveAs();
  // Asks for a file and format and exports the melody. True when it was written.
  bool exportMelody();
  // How many kept melodies 保管されたメロディ lists, and how many notes of each it shows.
  static constexpr int kKeptListed = 20;
  // The widths of the restore bar's 戻す and × buttons.
  static constexpr int kRestoreWidth = 90, kDismissWidth = 28;
  // The width of the restore bar's words, which name the melody it brings back.
  static constexpr int kLeftWorkWidth = 480;
  // How long a failure to keep the melody is shown, in milliseconds.
  static constexpr int kKeepFailureShownMs = 15000;
  // How long what was saved or exported is shown, in milliseconds.
  static constexpr int kWrittenShownMs = 4000;
  // Brings in a kept melody as one undo step; the melody then has no file of its own.
  void openKept(const MelodyKeeper::Kept& kept);
  // Brings back the work an ended run left, as one undo step, with the file it had: the caption
  // names it and 上書き保存 writes it.
  void restoreKept(const MelodyKeeper::Kept& kept);
  // What a kept melody is listed as: its time, first notes and title.
  static QString keptCaption(const MelodyKeeper::Kept& kept);
  // Imports an RTTTL tune (or a melody file's text) from the clipboard.
  bool pasteRtttl();
  // Puts the melody's RTTTL on the clipboard.
  void copyRtttl();
  // Asks for the melody's title and sets it, as one undo step.
  void editTitle();
  // Offers, in a bar below the staff, the melody that a run which has ended left kept; done once
  // the window is up.
  void offerLeftWork();
  // Keeps a pending change of the melody now (the program is ending).
  void keepMelodyNow();

  // The melody changed: it is kept, and the caption and the export item follow.
  void followChange();
  // The melody was replaced by another, and `melody`, neither empty nor saved, is kept as it was.
  void keepReplaced(const MelodySnapshot& melody);
  // The window ends as it should: the melody is kept and let go of.
  void ending();

  // Shows `text` for a while across the top of the window, in a note named `name`.
  void showNote(const char* name, const QString& text, int shownMs = kKeepFailureShownMs);

  // The melody's file; empty when it has none.
  QString currentFile() const { return current_; }
  // Whether the slots differ from the file's.
  bool modified() const;

 private:
  // The tune dialog of the program: a list and OK and Cancel.
  static int AskTune(QWidget* parent, int count, const std::function<QString(int)>& tune,
                     const std::function<bool(int)>& choosable);
  void addActions(QMenu* fileMenu, QAction* endItem);
  void addEditActions();
  void fillRecentMenu();
  void fillKeptMenu();
  void showKeepFailure(const QString& message);
  // Says for a while that `path` was written, in `words` ("%1 を保存しました": %1 its name), and
  // `change`, a line on what the format changed of the melody.
  void showWritten(const char* words, const QString& path, const QString& change = {});
  void showCaption();
  // Puts `codes` and `title` in place, the cursor after the last filled slot.
  void showMelody(const SlotCodes& codes, const std::string& title);
  // The melody `intake` brings in, named `name`: when there is more than one, the one the user
  // chooses. Nothing when cancelled.
  std::optional<std::variant<formats::Imported, formats::Refusal>> readChosen(
      const formats::Intake& intake, const std::string& name);
  // Puts a tune imported from `format` in place and shows what the import changed.
  void showImport(const formats::Imported& imported, const QString& format, const QString& source);
  bool writeMelodyTo(const QString& path);
  // Names the refused file or text (`what`) with the place and reason; changes nothing.
  void refuse(const formats::Refusal& error, const QString& what);
  void fail(const QString& what, const QString& path, const std::string& reason);
  bool eventFilter(QObject* watched, QEvent* event) override;
  SlotCodes currentCodes() const;
  // Whether the melody's file changed on disk since it was read or written here.
  bool changedOnDisk() const;
  QString startFolder() const;

  FilesHost host_;
  QMainWindow& window_;
  MelodyKeeper* keeper_;
  QMenu* recentMenu_ = nullptr;
  QMenu* keptMenu_ = nullptr;
  QAction* exportItem_ = nullptr;
  QString current_;
  QByteArray digest_;  // of the bytes of current_ as read or written here
  QString suggested_;
};

}  // namespace merin::ui
