// SPDX-License-Identifier: MIT
#include "ui/melodyfiles.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "core/coretexts.h"
#include "core/da.h"
#include "core/escape.h"
#include "core/melodyedit.h"
#include "core/notecode.h"
#include "entry/mainlayout.h"
#include "formats/audioexport.h"
#include "formats/fileio.h"
#include "formats/melodyfile.h"
#include "formats/rtttl.h"
#include "formats/slots.h"
#include "formats/title.h"
#include "formats/writeas.h"
#include "ui/filedialogwords.h"
#include "ui/language.h"
#include "ui/melodykeeper.h"
#include "ui/merinmain.h"
#include "ui/partdialog.h"
#include "ui/recentfiles.h"
#include "ui/rowlist.h"
#include "ui/usersettings.h"

namespace merin::ui {

namespace {

const QString kMelodyExtension = QStringLiteral("mk98");
QString CannotOpen() { return MelodyFiles::tr("ファイルを開けません。"); }

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The words of what went wrong reading, writing or importing, shown under the window's own
// heading, in its language; the one place where the window gets them.
QString Reason(const formats::Refusal& error) {
  return Text(formats::Words(error, CurrentLanguage()));
}
QString Reason(const std::string& failure) { return Text(failure); }
QString ReportLine(const formats::ReportLine& line) {
  return Text(Escaped(formats::Words(line, CurrentLanguage())));
}

// Asks with Qt's file dialog, its columns wide enough for their contents.
QString AskForFile(QWidget* parent, const QString& caption, const QString& start,
                   const QString& filters, QFileDialog::AcceptMode mode, QString* chosenFilter) {
  QFileDialog dialog(parent, caption, start, filters);
  SpeakTheWindowsLanguage(dialog);
  dialog.setAcceptMode(mode);
  if (mode == QFileDialog::AcceptOpen) dialog.setFileMode(QFileDialog::ExistingFile);
  if (chosenFilter && !chosenFilter->isEmpty()) dialog.selectNameFilter(*chosenFilter);
  if (auto* list = dialog.findChild<QTreeView*>("treeView"))
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  if (chosenFilter) *chosenFilter = dialog.selectedNameFilter();
  return dialog.selectedFiles().front();
}

// The file dialog's filter of `format`: "RTTTL 着信メロディ (*.rtttl *.rtx *.txt)", or with the
// extension it is written with alone.
QString FilterOf(const formats::Format& format, bool written = false) {
  QStringList patterns;
  for (const std::string_view extension : format.extensions) {
    patterns << "*." + Text(extension);
    if (written) break;
  }
  return QStringLiteral("%1 (%2)").arg(Text(Words(format.dialogName, CurrentLanguage())),
                                       patterns.join(' '));
}

// 開く's filters: every format read, then each of them, then all files.
QString OpenFilters() {
  QStringList all, each;
  for (const formats::Format* format : formats::OpenedFormats()) {
    for (const std::string_view extension : format->extensions) all << "*." + Text(extension);
    each << FilterOf(*format);
  }
  return MelodyFiles::tr("対応する形式 (%1)").arg(all.join(' ')) + ";;" + each.join(";;") + ";;" +
         MelodyFiles::tr("すべてのファイル (*)");
}

// One way out of エクスポート: its filter and extension.
struct ExportFormat {
  QString filter;
  QString extension;
};

// Every format a melody may be exported to here.
std::vector<ExportFormat> ExportFormats() {
  std::vector<ExportFormat> list;
  for (const formats::Format* format : formats::ExportedFormats()) {
    list.push_back({FilterOf(*format, true), Text(format->extensions.front())});
  }
  return list;
}

std::string Local(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString Shown(const QString& path) {
  return QString::fromStdString(Escaped(QDir::toNativeSeparators(path).toStdString()));
}
QString Shown(const std::string& local) { return Text(Escaped(local)); }

// The name of the one local file a drag carries, as the bytes the system knows it by (its URL's
// path percent-decoded, so that a name that is not UTF-8 stays whole), or nothing.
std::string DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  if (!url.isLocalFile() || !url.host().isEmpty()) return {};
  return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

// Whether the file name `local` reads the same as a QString, so that it can be kept in the
// settings and written again by that name.
bool Representable(const std::string& local) {
  return Local(QFile::decodeName(QByteArray::fromStdString(local))) == local;
}

}  // namespace

MelodyFiles::MelodyFiles(MerinMain& window, QMenu* fileMenu, QAction* endItem)
    : QObject(&window),
      openDialog([](QWidget* parent, const QString& caption, const QString& start,
                    const QString& filters) {
        return AskForFile(parent, caption, start, filters, QFileDialog::AcceptOpen, nullptr);
      }),
      saveDialog([](QWidget* parent, const QString& caption, const QString& start,
                    const QString& filters, QString* chosenFilter) {
        return AskForFile(parent, caption, start, filters, QFileDialog::AcceptSave, chosenFilter);
      }),
      choosePart([](QWidget* parent, const formats::MidiTune& tune,
                    const QString& file) -> std::optional<formats::ReadOptions> {
        auto* window = qobject_cast<MerinMain*>(parent);
        PartDialog dialog(tune, file, parent, window ? &window->sound() : nullptr);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.choice();
      }),
      tuneDialog(AskTune),
      titleDialog([](QWidget* parent, const QString& title) -> std::optional<QString> {
        bool ok = false;
        const QString text = QInputDialog::getText(
            parent, tr("タイトル"),
            tr("メロディのタイトル（%1 文字まで）:").arg(formats::kMaxTitleCharacters),
            QLineEdit::Normal, title, &ok);
        if (!ok) return std::nullopt;
        return text;
      }),
      window_(window),
      keeper_(new MelodyKeeper([this] { return SnapshotOf(window_.melody()); }, this)),
      clean_(EmptyCodes()) {
  addActions(fileMenu, endItem);
  addEditActions();
  Translate(&window_, [this] { showCaption(); });
  window_.setAcceptDrops(true);
  window_.installEventFilter(this);
  connect(&window_, &MerinMain::melodyChanged, this, &MelodyFiles::followChange);
  // However the window ends as it should, its melody is kept and let go of.
  connect(&window_, &MerinMain::ending, keeper_, &MelodyKeeper::close);
  connect(qApp, &QCoreApplication::aboutToQuit, keeper_, &MelodyKeeper::close);
  // Work that an ended run left is offered once the window is up.
  QTimer::singleShot(0, this, &MelodyFiles::offerLeftWork);
  connect(keeper_, &MelodyKeeper::failed, this, &MelodyFiles::showKeepFailure);
  UserSettings::onFailure([this](const QString& words) {
    showNote("SettingsFailed", tr("設定を読み書きできませんでした") + "\n" + words);
  });
}

MelodyFiles::~MelodyFiles() { UserSettings::onFailure(nullptr); }

void MelodyFiles::addActions(QMenu* fileMenu, QAction* endItem) {
  auto add = [&](const char* name, const char* caption, const QKeySequence& keys,
                 const std::function<void()>& run) {
    auto* action = new QAction(fileMenu);
    Translate(&window_, [action, caption] { action->setText(tr(caption)); });
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, run);
    fileMenu->insertAction(endItem, action);
    return action;
  };
  add("NewMenu", QT_TR_NOOP("新規(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N),
      [this] { newMelody(); });
  add("OpenMenu", QT_TR_NOOP("開く(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O), [this] {
    const QString path = openDialog(&window_, tr("開く"), startFolder(), OpenFilters());
    if (!path.isEmpty()) open(path);
  });
  add("SaveMenu", QT_TR_NOOP("上書き保存(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S),
      [this] { save(); });
  add("SaveAsMenu", QT_TR_NOOP("名前を付けて保存(&A)..."),
      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { saveAs(); });
  recentMenu_ = new QMenu(fileMenu);
  Translate(&window_, [this] { recentMenu_->setTitle(tr("最近使ったファイル(&R)")); });
  recentMenu_->setObjectName("RecentMenu");
  recentMenu_->menuAction()->setObjectName("RecentMenuItem");
  fileMenu->insertMenu(endItem, recentMenu_);
  connect(recentMenu_, &QMenu::aboutToShow, this, &MelodyFiles::fillRecentMenu);
  keptMenu_ = new QMenu(fileMenu);
  Translate(&window_, [this] { keptMenu_->setTitle(tr("保管されたメロディ(&L)")); });
  keptMenu_->setObjectName("KeptMenu");
  keptMenu_->menuAction()->setObjectName("KeptMenuItem");
  fileMenu->insertMenu(endItem, keptMenu_);
  exportItem_ =
      add("ExportMenu", QT_TR_NOOP("エクスポート(&E)..."), {}, [this] { exportMelody(); });
  exportItem_->setEnabled(false);
  fileMenu->insertSeparator(endItem);
  connect(fileMenu, &QMenu::aboutToShow, this, &MelodyFiles::fillKeptMenu);
  fillRecentMenu();
}

void MelodyFiles::addEditActions() {
  QMenu* edit = window_.menuBar()->findChild<QMenu*>("Editmenu");
  if (!edit) {
    edit = window_.menuBar()->addMenu(QString());
    edit->setObjectName("Editmenu");
    Translate(&window_, [edit] { edit->setTitle(tr("編集(&E)")); });
  }
  auto* paste = edit->addAction(QString());
  paste->setObjectName("PasteRtttlMenu");
  paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  connect(paste, &QAction::triggered, this, [this] { pasteRtttl(); });
  auto* copy = edit->addAction(QString());
  copy->setObjectName("CopyRtttlMenu");
  copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  connect(copy, &QAction::triggered, this, &MelodyFiles::copyRtttl);
  auto* title = edit->addAction(QString());
  title->setObjectName("TitleMenu");
  connect(title, &QAction::triggered, this, &MelodyFiles::editTitle);
  Translate(&window_, [paste, copy, title] {
    paste->setText(tr("RTTTL を貼り付け"));
    copy->setText(tr("RTTTL をコピー"));
    title->setText(tr("タイトル(&T)..."));
  });
}

int MelodyFiles::AskTune(QWidget* parent, int count, const std::function<QString(int)>& tune,
                         const std::function<bool(int)>& choosable) {
  QDialog dialog(parent);
  dialog.setObjectName("TuneDialog");
  dialog.setWindowTitle(tr("曲を選ぶ"));
  auto* list = new RowList(
      count, {QString()}, [&](int row, int) -> QVariant { return tune(row); }, choosable, &dialog);
  int first = 0;
  while (first < count && !choosable(first)) ++first;
  if (first < count) list->setCurrentRow(first);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  connect(list, &QAbstractItemView::activated, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(list);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0 ||
      !choosable(list->currentRow())) {
    return -1;
  }
  return list->currentRow();
}

void MelodyFiles::fillRecentMenu() {
  recentMenu_->clear();
  const QStringList files = RecentFiles::list();
  for (int i = 0; i < files.size(); ++i) {
    const QString& path = files[i];
    QString caption = Shown(path);
    caption.replace('&', QStringLiteral("&&"));
    auto* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
    action->setObjectName(QStringLiteral("Recent%1").arg(i));
    action->setData(path);
    // A file that is gone (or on a medium not mounted now) stays listed, greyed.
    action->setEnabled(QFileInfo(path).isFile());
    connect(action, &QAction::triggered, this, [this, path] { open(path); });
  }
  recentMenu_->setEnabled(!files.isEmpty());
}

void MelodyFiles::fillKeptMenu() {
  keptMenu_->clear();
  const auto kept = MelodyKeeper::newest(kKeptListed);
  for (size_t i = 0; i < kept.size(); ++i) {
    QString caption = QLocale().toString(kept[i].written, QLocale::ShortFormat) + ' ';
    const size_t used = formats::UsedSlots(kept[i].codes);
    for (size_t slot = 0; slot < std::min(used, kKeptNotesShown); ++slot) {
      caption += " " + QString::fromStdString(TokenOfCode(kept[i].codes[slot]));
    }
    if (used > kKeptNotesShown) caption += QStringLiteral(" …");
    if (!kept[i].title.empty()) caption += QStringLiteral("  「%1」").arg(Text(kept[i].title));
    auto* action = keptMenu_->addAction(caption);
    action->setObjectName(QStringLiteral("Kept%1").arg(i));
    connect(action, &QAction::triggered, this, [this, melody = kept[i]] { openKept(melody); });
  }
  keptMenu_->setEnabled(!kept.empty());
}

void MelodyFiles::showKeepFailure(const QString& message) {
  showNote("KeepFailed", tr("メロディを保管できませんでした") + "\n" + message);
}

void MelodyFiles::showWritten(const char* words, const QString& path, const QString& change) {
  const QFileInfo file(path);
  QString text = tr(words).arg(file.fileName()) + "\n" + Shown(file.absolutePath());
  if (!change.isEmpty()) text += "\n" + change;
  showNote("Written", text, kWrittenShownMs);
}

void MelodyFiles::showNote(const char* name, const QString& text, int shownMs) {
  // A note across the top of the window that takes neither the keyboard nor the mouse, so that
  // composing goes on; it goes by itself.
  auto* note = new QLabel(text, &window_);
  note->setObjectName(name);
  note->setWordWrap(true);
  note->setAttribute(Qt::WA_TransparentForMouseEvents);
  note->setFocusPolicy(Qt::NoFocus);
  note->setStyleSheet(QStringLiteral("background: #ffffe0; color: black; padding: 4px;"));
  note->setGeometry(0, window_.menuBar()->height(), window_.width(),
                    note->heightForWidth(window_.width()));
  note->show();
  QTimer::singleShot(shownMs, note, &QObject::deleteLater);
}

formats::Codes MelodyFiles::currentCodes() const { return CodesOf(window_.melody()); }

bool MelodyFiles::modified() const {
  return currentCodes() != clean_ || window_.melody().Title != cleanTitle_;
}

QString MelodyFiles::startFolder() const {
  if (!current_.isEmpty()) return QFileInfo(current_).absolutePath();
  if (!suggested_.isEmpty()) return QFileInfo(suggested_).absolutePath();
  const QStringList recent = RecentFiles::list();
  return recent.isEmpty() ? QDir::homePath() : QFileInfo(recent.front()).absolutePath();
}

void MelodyFiles::followChange() {
  keeper_->changed();
  showCaption();
  // An empty melody has nothing to export.
  exportItem_->setEnabled(formats::UsedSlots(currentCodes()) > 0);
}

void MelodyFiles::showCaption() {
  if (current_.isEmpty()) {
    window_.setWindowModified(false);
    window_.setWindowTitle(MerinMain::caption());
    return;
  }
  // "[*]" in a file name would be taken for the modified mark; doubled it is shown as written.
  QString name = Shown(QFileInfo(current_).fileName());
  name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  window_.setWindowTitle(name + QStringLiteral("[*] - ") + MerinMain::caption());
  window_.setWindowModified(modified());
}

void MelodyFiles::refuse(const formats::Refusal& error, const QString& what) {
  QMessageBox box(QMessageBox::Warning, MerinMain::caption(),
                  QStringLiteral("%1\n\n%2").arg(what, Reason(error)), QMessageBox::Ok, &window_);
  box.setObjectName("FileRefused");
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box.exec();
}

void MelodyFiles::fail(const QString& what, const QString& path, const std::string& reason) {
  QMessageBox box(QMessageBox::Critical, MerinMain::caption(),
                  QStringLiteral("%1:\n%2\n\n%3").arg(what, Shown(path), Reason(reason)),
                  QMessageBox::Ok, &window_);
  box.setObjectName("FileFailed");
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box.exec();
}

void MelodyFiles::showMelody(const formats::Codes& codes, const std::string& title) {
  keepReplacedMelody();
  window_.replaceMelody(codes, SlotAfterLast(codes, AfterFull::WrapToFirst), title);
}

std::optional<std::variant<formats::Imported, formats::Refusal>> MelodyFiles::readChosen(
    const formats::Intake& intake, const std::string& name) {
  if (intake.choices() == 0) return intake.Take();
  if (const formats::MidiTune* parts = intake.parts()) {
    // A file of several parts asks which one and from which slot; Cancel changes nothing.
    auto chosen = choosePart(&window_, *parts, Shown(QString::fromStdString(name)));
    if (!chosen) return std::nullopt;
    return intake.Take(chosen->part, chosen->from);
  }
  // A collection asks which tune; a tune is put in words when the list shows it.
  const auto words = [&](int row) {
    const formats::Choice choice = intake.choice(size_t(row) + 1);
    if (!choice.refused) {
      return tr("%1. %2（%3 音）").arg(row + 1).arg(Text(choice.title)).arg(choice.notes);
    }
    const auto refusal = std::get<formats::Refusal>(intake.Take(size_t(row) + 1));
    return tr("%1. %2 — %3")
        .arg(row + 1)
        .arg(Text(choice.title), Text(formats::Reason(refusal, CurrentLanguage())));
  };
  const int row = tuneDialog(&window_, int(intake.choices()), words,
                             [&](int row) { return !intake.choice(size_t(row) + 1).refused; });
  if (row < 0) return std::nullopt;
  return intake.Take(size_t(row) + 1);
}

void MelodyFiles::showImport(const formats::Imported& imported, const QString& format,
                             const QString& source) {
  showMelody(imported.codes, imported.title);
  QStringList lines;
  for (const auto& line : imported.report) lines << ReportLine(line);
  if (lines.isEmpty()) lines << tr("変更はありません（すべての音がそのまま入りました）");
  QMessageBox box(QMessageBox::Information, MerinMain::caption(),
                  tr("%1 を読み込みました: %2\n\n%3").arg(format, source, lines.join('\n')),
                  QMessageBox::Ok, &window_);
  box.setObjectName("ImportReport");
  box.exec();
}

bool MelodyFiles::open(const QString& path) {
  // A name the file dialog could not decode reaches us with U+FFFD in it, naming no file.
  if (path.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(path)) {
    fail(CannotOpen(), path, Words(CoreText("file.name-not-utf8"), CurrentLanguage()));
    return false;
  }
  return openLocal(Local(path));
}

bool MelodyFiles::openLocal(const std::string& name) {
  // Whatever the reading costs, the last change is kept first.
  keepMelodyNow();
  auto bytes = formats::ReadInputFile(name, formats::Accept::Files, formats::kMaxBinaryBytes);
  if (auto* error = std::get_if<formats::Refusal>(&bytes)) {
    refuse(*error, CannotOpen());
    return false;
  }
  auto intake = formats::Intake::Of(std::move(std::get<std::string>(bytes)), name);
  if (auto* error = std::get_if<formats::Refusal>(&intake)) {
    refuse(*error, CannotOpen());
    return false;
  }
  if (auto empty = std::get<formats::Intake>(intake).refusedAsEmpty()) {
    refuse(*empty, CannotOpen());
    return false;
  }
  const QString format = Text(std::get<formats::Intake>(intake).formatName());
  const bool ownFile = std::get<formats::Intake>(intake).ownFile();
  auto chosen = readChosen(std::get<formats::Intake>(intake), name);
  if (!chosen) return false;
  if (auto* error = std::get_if<formats::Refusal>(&*chosen)) {
    refuse(*error, CannotOpen());
    return false;
  }
  const formats::Imported& imported = std::get<formats::Imported>(*chosen);
  if (!Representable(name)) {
    // A name that is not UTF-8 could not be kept in the recent list nor written again as it is:
    // the melody comes in with no file of its own, and 上書き保存 asks for a name.
    current_.clear();
    suggested_.clear();
    showCaption();
    if (imported.import) {
      showImport(imported, format, Shown(name));
    } else {
      showMelody(imported.codes, imported.title);
    }
    return true;
  }
  const QString path = QFile::decodeName(QByteArray::fromStdString(name));
  RecentFiles::add(path);
  fillRecentMenu();
  // A melody file becomes the melody's file; a tune, or melody text in a file of another name, is
  // brought in with no file of its own, so that 上書き保存 never writes into it.
  const QFileInfo info(path);
  if (!imported.import && ownFile) {
    current_ = info.absoluteFilePath();
    suggested_.clear();
    showMelody(imported.codes, imported.title);
    clean_ = imported.codes;
    cleanTitle_ = imported.title;
    showCaption();
    return true;
  }
  current_.clear();
  suggested_ = info.absoluteDir().filePath(info.completeBaseName() + "." + kMelodyExtension);
  showCaption();
  if (imported.import) {
    showImport(imported, format, Shown(path));
  } else {
    showMelody(imported.codes, imported.title);
  }
  return true;
}

void MelodyFiles::newMelody() {
  keepReplacedMelody();
  current_.clear();
  suggested_.clear();
  clean_ = EmptyCodes();
  cleanTitle_.clear();
  window_.replaceMelody(clean_, 0, std::string());
  showCaption();
}

void MelodyFiles::openKept(const MelodyKeeper::Kept& kept) {
  current_.clear();
  suggested_.clear();
  showCaption();
  showMelody(kept.codes, kept.title);
}

void MelodyFiles::offerLeftWork() {
  const auto left = MelodyKeeper::leftByEndedRun();
  if (!left || window_.findChild<QWidget*>("RestoreBar")) return;
  // A bar between the markers and the keyboard, where it hides no control, that takes no focus:
  // composing goes on while it is there.
  auto* bar = new QFrame(&window_);
  bar->setObjectName("RestoreBar");
  bar->setFocusPolicy(Qt::NoFocus);
  bar->setStyleSheet(QStringLiteral("#RestoreBar { background: #ffffe0; }"));
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(6, 2, 6, 2);
  auto* words = new QLabel(bar);
  auto* restore = new QPushButton(bar);
  auto* dismiss = new QPushButton(QStringLiteral("×"), bar);
  restore->setObjectName("RestoreButton");
  dismiss->setObjectName("DismissButton");
  for (QPushButton* button : {restore, dismiss}) button->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(words, 1);
  layout->addWidget(restore);
  layout->addWidget(dismiss);
  Translate(bar, [words, restore] {
    words->setText(tr("前回の作業が残っています"));
    restore->setText(tr("戻す"));
  });
  const QString path = left->path;
  connect(restore, &QPushButton::clicked, this, [this, bar, kept = *left] {
    openKept(kept);
    MelodyKeeper::markClosed(kept.path);
    bar->deleteLater();
  });
  connect(dismiss, &QPushButton::clicked, this, [bar, path] {
    MelodyKeeper::markClosed(path);
    bar->deleteLater();
  });
  const FreeRows rows = FreeRowsBelowStaff();
  bar->setGeometry(0, window_.menuBar()->height() + rows.top + 2, window_.width(),
                   std::min(bar->sizeHint().height(), rows.bottom - rows.top - 4));
  bar->show();
}

void MelodyFiles::keepReplacedMelody() {
  keeper_->replacing(modified() && currentCodes() != EmptyCodes());
}

void MelodyFiles::keepMelodyNow() { keeper_->flush(); }

bool MelodyFiles::writeMelodyTo(const QString& path) {
  const formats::Codes codes = currentCodes();
  const std::string& title = window_.melody().Title;
  if (auto error =
          formats::WriteFileAtomically(Local(path), formats::WriteMelodyFile(codes, title))) {
    fail(tr("保存できませんでした"), path, formats::Words(*error, CurrentLanguage()));
    return false;
  }
  current_ = QFileInfo(path).absoluteFilePath();
  suggested_.clear();
  clean_ = codes;
  cleanTitle_ = title;
  RecentFiles::add(path);
  fillRecentMenu();
  showCaption();
  showWritten(QT_TR_NOOP("%1 を保存しました"), path);
  return true;
}

bool MelodyFiles::save() { return current_.isEmpty() ? saveAs() : writeMelodyTo(current_); }

bool MelodyFiles::saveAs() {
  QString start = current_;
  if (start.isEmpty()) start = suggested_;
  if (start.isEmpty()) start = QDir(startFolder()).filePath("melody." + kMelodyExtension);
  const QString melodyFilter = FilterOf(formats::MelodyFileFormat());
  QString filter = melodyFilter;
  QString path = saveDialog(&window_, tr("名前を付けて保存"), start, melodyFilter, &filter);
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += "." + kMelodyExtension;
  return writeMelodyTo(path);
}

bool MelodyFiles::exportMelody() {
  const std::vector<ExportFormat> formatList = ExportFormats();
  QStringList filters;
  for (const ExportFormat& f : formatList) filters << f.filter;
  // Named by the title, else after the melody's file; in the file's folder.
  const QString file = current_.isEmpty() ? suggested_ : current_;
  QString stem = QString::fromStdString(window_.melody().Title).replace('/', '_');
  if (stem.isEmpty()) stem = file.isEmpty() ? "melody" : QFileInfo(file).completeBaseName();
  const QString base =
      QDir(file.isEmpty() ? startFolder() : QFileInfo(file).absolutePath()).filePath(stem);
  QString chosen = filters.front();
  QString path = saveDialog(&window_, tr("エクスポート"), base + "." + formatList.front().extension,
                            filters.join(";;"), &chosen);
  if (path.isEmpty()) return false;
  // The extension decides the format; a name without a known one gets the chosen filter's.
  const QString suffix = QFileInfo(path).suffix().toLower();
  auto format = std::find_if(formatList.begin(), formatList.end(),
                             [&](const ExportFormat& f) { return f.extension == suffix; });
  if (format == formatList.end()) {
    format = std::find_if(formatList.begin(), formatList.end(),
                          [&](const ExportFormat& f) { return f.filter == chosen; });
    if (format == formatList.end()) format = formatList.begin();
    path += "." + format->extension;
  }
  const std::optional<formats::Refusal> error =
      formats::WriteAs(currentCodes(), format->extension.toStdString(), Da::AppFolder, Local(path),
                       window_.melody().Title);
  if (error) {
    fail(tr("エクスポートできませんでした"), path, formats::Words(*error, CurrentLanguage()));
    return false;
  }
  const auto renamed =
      formats::NameChangeAs(format->extension.toStdString(), Local(path), window_.melody().Title);
  showWritten(QT_TR_NOOP("%1 を書き出しました"), path, renamed ? ReportLine(*renamed) : QString());
  return true;
}

bool MelodyFiles::pasteRtttl() {
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  const std::string name = tr("クリップボード").toStdString();
  auto intake = formats::Intake::Of(text, name);
  if (auto* error = std::get_if<formats::Refusal>(&intake)) {
    refuse(*error, tr("クリップボードの内容を読み込めません。"));
    return false;
  }
  const QString format = Text(std::get<formats::Intake>(intake).formatName());
  auto chosen = readChosen(std::get<formats::Intake>(intake), name);
  if (!chosen) return false;
  auto& read = *chosen;
  if (auto* error = std::get_if<formats::Refusal>(&read)) {
    refuse(*error, tr("クリップボードの内容を読み込めません。"));
    return false;
  }
  current_.clear();
  suggested_.clear();
  showCaption();
  // A melody file's text goes in as it is; a tune is imported with its report.
  const formats::Imported& imported = std::get<formats::Imported>(read);
  if (imported.import) {
    showImport(imported, format, QString::fromStdString(name));
  } else {
    showMelody(imported.codes, imported.title);
  }
  return true;
}

void MelodyFiles::editTitle() {
  const std::optional<QString> title =
      titleDialog(&window_, QString::fromStdString(window_.melody().Title));
  if (!title) return;
  const Melody& melody = window_.melody();
  window_.replaceMelody(CodesOf(melody), melody.Cursor, formats::TitleOf(title->toStdString()));
}

void MelodyFiles::copyRtttl() {
  const QString named = current_.isEmpty() ? suggested_ : current_;
  std::string name = named.isEmpty() ? "melody" : formats::RtttlNameOf(Local(named));
  if (!window_.melody().Title.empty()) name = window_.melody().Title;
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(formats::WriteRtttl(currentCodes(), name)));
}

bool MelodyFiles::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (DroppedFile(drag->mimeData()).empty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const std::string name = DroppedFile(drop->mimeData());
      if (name.empty()) return false;
      drop->acceptProposedAction();
      // Opened once the drop is over, so that a message box does not hold the dragging program.
      QTimer::singleShot(0, this, [this, name] { openLocal(name); });
      return true;
    }
    default:
      return false;
  }
}

}  // namespace merin::ui
