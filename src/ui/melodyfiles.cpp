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
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "core/da.h"
#include "core/melodyedit.h"
#include "core/notecode.h"
#include "formats/audioexport.h"
#include "formats/fileio.h"
#include "formats/melodyfile.h"
#include "formats/rtttl.h"
#include "formats/title.h"
#include "formats/writeas.h"
#include "ui/lastmelodykeeper.h"
#include "ui/merinmain.h"
#include "ui/recentfiles.h"

namespace merin::ui {

namespace {

constexpr Language kLanguage = Language::Japanese;

const QString kMelodyExtension = QStringLiteral("mk98");
const QString kCannotOpen = QStringLiteral("ファイルを開けません。");

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The file dialog's filter of `format`: "RTTTL 着信メロディ (*.rtttl *.rtx *.txt)", or with the
// extension it is written with alone.
QString FilterOf(const formats::Format& format, bool written = false) {
  QStringList patterns;
  for (const std::string_view extension : format.extensions) {
    patterns << "*." + Text(extension);
    if (written) break;
  }
  return QStringLiteral("%1 (%2)").arg(Text(format.japanese), patterns.join(' '));
}

const formats::Format& MelodyFileFormat() { return *formats::FormatOfExtension("mk98"); }

// 開く's filters: every format read, then each of them, then all files.
QString OpenFilters() {
  QStringList all, each;
  for (const formats::Format& format : formats::Formats()) {
    if (!format.read) continue;
    for (const std::string_view extension : format.extensions) all << "*." + Text(extension);
    each << FilterOf(format);
  }
  return QStringLiteral("対応する形式 (%1);;").arg(all.join(' ')) + each.join(";;") +
         QStringLiteral(";;すべてのファイル (*)");
}

// One way out of エクスポート: its filter and extension.
struct ExportFormat {
  QString filter;
  QString extension;
};

// Every format written but the melody file (which 保存 writes) that can be written here.
std::vector<ExportFormat> ExportFormats() {
  std::vector<ExportFormat> list;
  for (const formats::Format& format : formats::Formats()) {
    const std::string_view extension = format.extensions.front();
    if (format.ownFile || (!format.write && !format.audio) ||
        formats::CannotWriteAs(extension, "")) {
      continue;
    }
    list.push_back({FilterOf(format, true), Text(extension)});
  }
  return list;
}

// The slot after the last non-empty one, where entry goes on (slot 29 wraps to slot 0); slot 0
// for an empty melody.
int32_t CursorAfterLastFilledSlot(const formats::Codes& codes) {
  for (int32_t i = kSlotCount - 1; i >= 0; --i) {
    if (codes[size_t(i)] != kEmptyCode) return NextSlot(i);
  }
  return 0;
}

std::string Local(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

// The one local file a drag carries, or nothing.
QString DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

MelodyFiles::MelodyFiles(MerinMain& window, QMenu* fileMenu, QAction* endItem)
    : QObject(&window),
      openDialog([](QWidget* parent, const QString& caption, const QString& start,
                    const QString& filters) {
        return QFileDialog::getOpenFileName(parent, caption, start, filters);
      }),
      saveDialog([](QWidget* parent, const QString& caption, const QString& start,
                    const QString& filters, QString* chosenFilter) {
        return QFileDialog::getSaveFileName(parent, caption, start, filters, chosenFilter);
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
      keeper_(new LastMelodyKeeper([this] { return currentCodes(); }, this)),
      caption_(window.windowTitle()),
      clean_(EmptyCodes()) {
  addActions(fileMenu, endItem);
  addEditActions();
  window_.setAcceptDrops(true);
  window_.installEventFilter(this);
  connect(&window_, &MerinMain::melodyChanged, this, &MelodyFiles::followChange);
  connect(&window_, &MerinMain::ending, this, &MelodyFiles::keepLastMelodyNow);
  connect(qApp, &QCoreApplication::aboutToQuit, this, &MelodyFiles::keepLastMelodyNow);
}

MelodyFiles::~MelodyFiles() = default;

void MelodyFiles::addActions(QMenu* fileMenu, QAction* endItem) {
  auto add = [&](const char* name, const QString& caption, const QKeySequence& keys,
                 const std::function<void()>& run) {
    auto* action = new QAction(caption, fileMenu);
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, run);
    fileMenu->insertAction(endItem, action);
    return action;
  };
  add("NewMenu", QStringLiteral("新規(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N),
      [this] { newMelody(); });
  add("OpenMenu", QStringLiteral("開く(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O), [this] {
    const QString path = openDialog(&window_, QStringLiteral("開く"), startFolder(), OpenFilters());
    if (!path.isEmpty()) open(path);
  });
  add("SaveMenu", QStringLiteral("上書き保存(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S),
      [this] { save(); });
  add("SaveAsMenu", QStringLiteral("名前を付けて保存(&A)..."),
      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { saveAs(); });
  recentMenu_ = new QMenu(QStringLiteral("最近使ったファイル(&R)"), fileMenu);
  recentMenu_->setObjectName("RecentMenu");
  recentMenu_->menuAction()->setObjectName("RecentMenuItem");
  fileMenu->insertMenu(endItem, recentMenu_);
  connect(recentMenu_, &QMenu::aboutToShow, this, &MelodyFiles::fillRecentMenu);
  lastMelody_ = add("LastMelodyMenu", QStringLiteral("前回のメロディを開く(&L)"), {},
                    [this] { openLastMelody(); });
  add("ExportMenu", QStringLiteral("エクスポート(&E)..."), {}, [this] { exportMelody(); });
  fileMenu->insertSeparator(endItem);
  connect(fileMenu, &QMenu::aboutToShow, this,
          [this] { lastMelody_->setEnabled(QFileInfo(LastMelodyKeeper::path()).isFile()); });
  fillRecentMenu();
}

void MelodyFiles::addEditActions() {
  QMenu* edit = window_.menuBar()->findChild<QMenu*>("Editmenu");
  if (!edit) {
    edit = window_.menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName("Editmenu");
  }
  auto* paste = edit->addAction(QStringLiteral("RTTTL を貼り付け"));
  paste->setObjectName("PasteRtttlMenu");
  paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  connect(paste, &QAction::triggered, this, [this] { pasteRtttl(); });
  auto* copy = edit->addAction(QStringLiteral("RTTTL をコピー"));
  copy->setObjectName("CopyRtttlMenu");
  copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  connect(copy, &QAction::triggered, this, &MelodyFiles::copyRtttl);
  auto* title = edit->addAction(tr("タイトル(&T)..."));
  title->setObjectName("TitleMenu");
  connect(title, &QAction::triggered, this, &MelodyFiles::editTitle);
}

int MelodyFiles::AskTune(QWidget* parent, const QStringList& tunes,
                         const std::vector<bool>& choosable) {
  QDialog dialog(parent);
  dialog.setObjectName("TuneDialog");
  dialog.setWindowTitle(tr("曲を選ぶ"));
  auto* list = new QListWidget(&dialog);
  for (int i = 0; i < tunes.size(); ++i) {
    auto* item = new QListWidgetItem(tunes[i], list);
    if (!choosable[size_t(i)]) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    if (choosable[size_t(i)] && list->currentRow() < 0) list->setCurrentItem(item);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(list);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted || !list->currentItem() ||
      !(list->currentItem()->flags() & Qt::ItemIsEnabled)) {
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
}

void MelodyFiles::showCaption() {
  if (current_.isEmpty()) {
    window_.setWindowModified(false);
    window_.setWindowTitle(caption_);
    return;
  }
  // "[*]" in a file name would be taken for the modified mark; doubled it is shown as written.
  QString name = QFileInfo(current_).fileName();
  name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  window_.setWindowTitle(name + QStringLiteral("[*] - ") + caption_);
  window_.setWindowModified(modified());
}

void MelodyFiles::refuse(const formats::Refusal& error, const QString& what) {
  QMessageBox box(QMessageBox::Warning, caption_,
                  QStringLiteral("%1\n\n%2").arg(what, Text(formats::Words(error, kLanguage))),
                  QMessageBox::Ok, &window_);
  box.setObjectName("FileRefused");
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box.exec();
}

void MelodyFiles::fail(const QString& what, const QString& path, const std::string& reason) {
  QMessageBox box(
      QMessageBox::Critical, caption_,
      QStringLiteral("%1:\n%2\n\n%3").arg(what, Shown(path), QString::fromStdString(reason)),
      QMessageBox::Ok, &window_);
  box.setObjectName("FileFailed");
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box.exec();
}

void MelodyFiles::showMelody(const formats::Codes& codes, const std::string& title) {
  window_.replaceMelody(codes, CursorAfterLastFilledSlot(codes), title);
}

std::optional<std::variant<formats::Imported, formats::Refusal>> MelodyFiles::readChosen(
    std::string_view bytes, const std::string& name, const formats::Format& format) {
  formats::ReadOptions options;
  if (format.read == formats::ReadRtttl) {
    const std::vector<formats::RtttlTune> tunes = formats::ListRtttlTunes(bytes, name);
    if (tunes.size() > 1) {
      QStringList rows;
      std::vector<bool> choosable;
      for (size_t i = 0; i < tunes.size(); ++i) {
        const formats::RtttlTune& tune = tunes[i];
        rows << (tune.refusal
                     ? tr("%1. %2 — %3")
                           .arg(i + 1)
                           .arg(Text(tune.title), Text(Reason(*tune.refusal, kLanguage)))
                     : tr("%1. %2（%3 音）").arg(i + 1).arg(Text(tune.title)).arg(tune.notes));
        choosable.push_back(!tune.refusal);
      }
      const int row = tuneDialog(&window_, rows, choosable);
      if (row < 0) return std::nullopt;
      options.tune = size_t(row) + 1;
    }
  }
  return format.read(bytes, name, options);
}

void MelodyFiles::showImport(const formats::Imported& imported, const QString& format,
                             const QString& source) {
  showMelody(imported.codes, imported.title);
  QStringList lines;
  for (const auto& line : imported.report) lines << Text(formats::Words(line, kLanguage));
  if (lines.isEmpty())
    lines << QStringLiteral("変更はありません（すべての音がそのまま入りました）");
  QMessageBox box(
      QMessageBox::Information, caption_,
      QStringLiteral("%1 を読み込みました: %2\n\n%3").arg(format, source, lines.join('\n')),
      QMessageBox::Ok, &window_);
  box.setObjectName("ImportReport");
  box.exec();
}

bool MelodyFiles::open(const QString& path) {
  const std::string name = Local(path);
  auto bytes = formats::ReadInputFile(name, formats::kMaxBinaryBytes);
  if (auto* error = std::get_if<formats::Refusal>(&bytes)) {
    refuse(*error, kCannotOpen);
    return false;
  }
  const formats::Format& format = formats::FormatToRead(std::get<std::string>(bytes), name);
  auto chosen = readChosen(std::get<std::string>(bytes), name, format);
  if (!chosen) return false;
  if (auto* error = std::get_if<formats::Refusal>(&*chosen)) {
    refuse(*error, kCannotOpen);
    return false;
  }
  const formats::Imported& imported = std::get<formats::Imported>(*chosen);
  RecentFiles::add(path);
  fillRecentMenu();
  // A melody file becomes the melody's file; a tune is an import with no file of its own.
  const QFileInfo info(path);
  if (!imported.import) {
    current_ = info.absoluteFilePath();
    suggested_.clear();
    clean_ = imported.codes;
    cleanTitle_ = imported.title;
    showMelody(imported.codes, imported.title);
    showCaption();
    return true;
  }
  current_.clear();
  suggested_ = info.absoluteDir().filePath(info.completeBaseName() + "." + kMelodyExtension);
  showCaption();
  showImport(imported, Text(format.name), Shown(path));
  return true;
}

void MelodyFiles::newMelody() {
  current_.clear();
  suggested_.clear();
  clean_ = EmptyCodes();
  cleanTitle_.clear();
  window_.replaceMelody(clean_, 0, std::string());
  showCaption();
}

bool MelodyFiles::openLastMelody() {
  const QString path = LastMelodyKeeper::path();
  auto bytes = formats::ReadInputFile(Local(path));
  if (auto* error = std::get_if<formats::Refusal>(&bytes)) {
    refuse(*error, kCannotOpen);
    return false;
  }
  auto melody = formats::ReadMelodyFile(std::get<std::string>(bytes), Local(path));
  if (auto* error = std::get_if<formats::Refusal>(&melody)) {
    refuse(*error, kCannotOpen);
    return false;
  }
  current_.clear();
  suggested_.clear();
  showCaption();
  showMelody(std::get<formats::Codes>(melody), std::string());
  return true;
}

bool MelodyFiles::writeMelodyTo(const QString& path) {
  const formats::Codes codes = currentCodes();
  const std::string& title = window_.melody().Title;
  if (auto error =
          formats::WriteFileAtomically(Local(path), formats::WriteMelodyFile(codes, title))) {
    fail(QStringLiteral("保存できませんでした"), path, *error);
    return false;
  }
  current_ = QFileInfo(path).absoluteFilePath();
  suggested_.clear();
  clean_ = codes;
  cleanTitle_ = title;
  RecentFiles::add(path);
  fillRecentMenu();
  showCaption();
  return true;
}

bool MelodyFiles::save() { return current_.isEmpty() ? saveAs() : writeMelodyTo(current_); }

bool MelodyFiles::saveAs() {
  QString start = current_;
  if (start.isEmpty()) start = suggested_;
  if (start.isEmpty()) start = QDir(startFolder()).filePath("melody." + kMelodyExtension);
  const QString melodyFilter = FilterOf(MelodyFileFormat());
  QString filter = melodyFilter;
  QString path =
      saveDialog(&window_, QStringLiteral("名前を付けて保存"), start, melodyFilter, &filter);
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += "." + kMelodyExtension;
  return writeMelodyTo(path);
}

bool MelodyFiles::exportMelody() {
  const std::vector<ExportFormat> formatList = ExportFormats();
  QStringList filters;
  for (const ExportFormat& f : formatList) filters << f.filter;
  QString base = current_.isEmpty() ? suggested_ : current_;
  base = base.isEmpty()
             ? QDir(startFolder()).filePath("melody")
             : QFileInfo(base).absoluteDir().filePath(QFileInfo(base).completeBaseName());
  QString chosen = filters.front();
  QString path = saveDialog(&window_, QStringLiteral("エクスポート"),
                            base + "." + formatList.front().extension, filters.join(";;"), &chosen);
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
    fail(QStringLiteral("エクスポートできませんでした"), path, formats::Words(*error, kLanguage));
    return false;
  }
  return true;
}

bool MelodyFiles::pasteRtttl() {
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  const std::string name = "クリップボード";
  const formats::Format& format = formats::FormatToRead(text, "");
  auto chosen = readChosen(text, name, format);
  if (!chosen) return false;
  auto& read = *chosen;
  if (auto* error = std::get_if<formats::Refusal>(&read)) {
    refuse(*error, QStringLiteral("クリップボードの内容を読み込めません。"));
    return false;
  }
  current_.clear();
  suggested_.clear();
  showCaption();
  // A melody file's text goes in as it is; a tune is imported with its report.
  const formats::Imported& imported = std::get<formats::Imported>(read);
  if (imported.import) {
    showImport(imported, Text(format.name), QString::fromStdString(name));
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

void MelodyFiles::keepLastMelodyNow() { keeper_->flush(); }

bool MelodyFiles::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (DroppedFile(drag->mimeData()).isEmpty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString path = DroppedFile(drop->mimeData());
      if (path.isEmpty()) return false;
      drop->acceptProposedAction();
      // Opened once the drop is over, so that a message box does not hold the dragging program.
      QTimer::singleShot(0, this, [this, path] { open(path); });
      return true;
    }
    default:
      return false;
  }
}

}  // namespace merin::ui
