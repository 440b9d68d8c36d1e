#include "ui/melodyfiles.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "core/da.h"
#include "core/notecode.h"
#include "formats/anymelody.h"
#include "formats/audioexport.h"
#include "formats/fileio.h"
#include "formats/melodyfile.h"
#include "formats/midi.h"
#include "formats/rtttl.h"
#include "ui/lastmelodykeeper.h"
#include "ui/merinmain.h"
#include "ui/recentfiles.h"

namespace merin::ui {

namespace {

const QString kMelodyFilter = QStringLiteral("Merinkast98 メロディ (*.mk98)");
const QString kOpenFilters =
    QStringLiteral("メロディ・RTTTL (*.mk98 *.rtttl *.rtx *.txt);;すべてのファイル (*)");
const QString kMelodyExtension = QStringLiteral("mk98");
const QString kCannotOpen = QStringLiteral("ファイルを開けません。");

// One way out of エクスポート: its filter and extension.
struct ExportFormat {
  QString filter;
  QString extension;
};

// RTTTL, MIDI, then the audio formats the installed libsndfile can write.
std::vector<ExportFormat> ExportFormats() {
  std::vector<ExportFormat> list = {
      {QStringLiteral("RTTTL 着信メロディ (*.rtttl)"), QStringLiteral("rtttl")},
      {QStringLiteral("MIDI ファイル (*.mid)"), QStringLiteral("mid")}};
  for (const std::string& extension : formats::WritableAudioExtensions()) {
    const QString e = QString::fromStdString(extension);
    QString name = e.toUpper();
    if (e == "ogg") name = QStringLiteral("Ogg Vorbis");
    list.push_back({QStringLiteral("%1 音声 (*.%2)").arg(name, e), e});
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

formats::Codes EmptyMelody() {
  formats::Codes codes;
  codes.fill(std::string(kEmptyCode));
  return codes;
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
      window_(window),
      keeper_(new LastMelodyKeeper([this] { return Codes(); }, this)),
      caption_(window.windowTitle()),
      clean_(EmptyMelody()) {
  AddActions(fileMenu, endItem);
  AddEditActions();
  window_.setAcceptDrops(true);
  window_.installEventFilter(this);
  connect(&window_, &MerinMain::melodyChanged, this, &MelodyFiles::MelodyChanged);
  connect(&window_, &MerinMain::ending, this, &MelodyFiles::KeepLastMelodyNow);
  connect(qApp, &QCoreApplication::aboutToQuit, this, &MelodyFiles::KeepLastMelodyNow);
}

MelodyFiles::~MelodyFiles() = default;

void MelodyFiles::AddActions(QMenu* fileMenu, QAction* endItem) {
  auto add = [&](const char* name, const QString& caption, const QKeySequence& keys,
                 const std::function<void()>& run) {
    auto* action = new QAction(caption, fileMenu);
    action->setObjectName(name);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, run);
    fileMenu->insertAction(endItem, action);
    return action;
  };
  add("NewMenu", QStringLiteral("新規(&N)"), QKeySequence(Qt::CTRL | Qt::Key_N), [this] { New(); });
  add("OpenMenu", QStringLiteral("開く(&O)..."), QKeySequence(Qt::CTRL | Qt::Key_O), [this] {
    const QString path = openDialog(&window_, QStringLiteral("開く"), StartFolder(), kOpenFilters);
    if (!path.isEmpty()) Open(path);
  });
  add("SaveMenu", QStringLiteral("上書き保存(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S),
      [this] { Save(); });
  add("SaveAsMenu", QStringLiteral("名前を付けて保存(&A)..."),
      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { SaveAs(); });
  recentMenu_ = new QMenu(QStringLiteral("最近使ったファイル(&R)"), fileMenu);
  recentMenu_->setObjectName("RecentMenu");
  recentMenu_->menuAction()->setObjectName("RecentMenuItem");
  fileMenu->insertMenu(endItem, recentMenu_);
  connect(recentMenu_, &QMenu::aboutToShow, this, &MelodyFiles::FillRecentMenu);
  lastMelody_ = add("LastMelodyMenu", QStringLiteral("前回のメロディを開く(&L)"), {},
                    [this] { OpenLastMelody(); });
  add("ExportMenu", QStringLiteral("エクスポート(&E)..."), {}, [this] { Export(); });
  fileMenu->insertSeparator(endItem);
  connect(fileMenu, &QMenu::aboutToShow, this,
          [this] { lastMelody_->setEnabled(QFileInfo(LastMelodyKeeper::Path()).isFile()); });
  FillRecentMenu();
}

void MelodyFiles::AddEditActions() {
  QMenu* edit = window_.menuBar()->findChild<QMenu*>("Editmenu");
  if (!edit) {
    edit = window_.menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName("Editmenu");
  }
  auto* paste = edit->addAction(QStringLiteral("RTTTL を貼り付け"));
  paste->setObjectName("PasteRtttlMenu");
  paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  connect(paste, &QAction::triggered, this, [this] { PasteRtttl(); });
  auto* copy = edit->addAction(QStringLiteral("RTTTL をコピー"));
  copy->setObjectName("CopyRtttlMenu");
  copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  connect(copy, &QAction::triggered, this, &MelodyFiles::CopyRtttl);
}

void MelodyFiles::FillRecentMenu() {
  recentMenu_->clear();
  const QStringList files = RecentFiles::List();
  for (int i = 0; i < files.size(); ++i) {
    const QString& path = files[i];
    QString caption = Shown(path);
    caption.replace('&', QStringLiteral("&&"));
    auto* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
    action->setObjectName(QStringLiteral("Recent%1").arg(i));
    action->setData(path);
    // A file that is gone (or on a medium not mounted now) stays listed, greyed.
    action->setEnabled(QFileInfo(path).isFile());
    connect(action, &QAction::triggered, this, [this, path] { Open(path); });
  }
  recentMenu_->setEnabled(!files.isEmpty());
}

formats::Codes MelodyFiles::Codes() const {
  formats::Codes codes;
  std::copy_n(window_.melody().Notes.begin(), codes.size(), codes.begin());
  return codes;
}

bool MelodyFiles::modified() const { return Codes() != clean_; }

QString MelodyFiles::StartFolder() const {
  if (!current_.isEmpty()) return QFileInfo(current_).absolutePath();
  if (!suggested_.isEmpty()) return QFileInfo(suggested_).absolutePath();
  const QStringList recent = RecentFiles::List();
  return recent.isEmpty() ? QDir::homePath() : QFileInfo(recent.front()).absolutePath();
}

void MelodyFiles::MelodyChanged() {
  keeper_->Changed();
  ShowCaption();
}

void MelodyFiles::ShowCaption() {
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

void MelodyFiles::Refuse(const formats::ParseError& error, const QString& what) {
  QMessageBox box(QMessageBox::Warning, caption_,
                  QStringLiteral("%1\n\n%2").arg(what, QString::fromStdString(error.Message())),
                  QMessageBox::Ok, &window_);
  box.setObjectName("FileRefused");
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box.exec();
}

void MelodyFiles::Fail(const QString& what, const QString& path, const std::string& reason) {
  QMessageBox box(
      QMessageBox::Critical, caption_,
      QStringLiteral("%1:\n%2\n\n%3").arg(what, Shown(path), QString::fromStdString(reason)),
      QMessageBox::Ok, &window_);
  box.setObjectName("FileFailed");
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box.exec();
}

void MelodyFiles::Show(const formats::Imported& imported, const QString& source) {
  window_.replaceMelody(imported.codes, CursorAfterLastFilledSlot(imported.codes));
  if (imported.report.empty()) return;
  QStringList lines;
  for (const std::string& line : imported.report) lines << QString::fromStdString(line);
  QMessageBox box(QMessageBox::Information, caption_,
                  QStringLiteral("RTTTL を読み込みました: %1\n\n%2").arg(source, lines.join('\n')),
                  QMessageBox::Ok, &window_);
  box.setObjectName("ImportReport");
  box.exec();
}

bool MelodyFiles::Open(const QString& path) {
  const std::string name = Local(path);
  auto bytes = formats::ReadInputFile(name);
  if (auto* error = std::get_if<formats::ParseError>(&bytes)) {
    Refuse(*error, kCannotOpen);
    return false;
  }
  const std::string& text = std::get<std::string>(bytes);
  // A melody file becomes the melody's file; anything else is an import with no file of its own.
  auto melody = formats::ReadMelodyFile(text, name);
  if (auto* codes = std::get_if<formats::Codes>(&melody)) {
    RecentFiles::Add(path);
    FillRecentMenu();
    current_ = QFileInfo(path).absoluteFilePath();
    suggested_.clear();
    clean_ = *codes;
    Show(formats::Imported{*codes, {}}, Shown(path));
    ShowCaption();
    return true;
  }
  auto imported = formats::ReadAnyMelody(text, name);
  if (auto* error = std::get_if<formats::ParseError>(&imported)) {
    Refuse(*error, kCannotOpen);
    return false;
  }
  RecentFiles::Add(path);
  FillRecentMenu();
  const QFileInfo info(path);
  current_.clear();
  suggested_ = info.absoluteDir().filePath(info.completeBaseName() + "." + kMelodyExtension);
  ShowCaption();
  Show(std::get<formats::Imported>(imported), Shown(path));
  return true;
}

void MelodyFiles::New() {
  current_.clear();
  suggested_.clear();
  clean_ = EmptyMelody();
  window_.replaceMelody(clean_, 0);
  ShowCaption();
}

bool MelodyFiles::OpenLastMelody() {
  const QString path = LastMelodyKeeper::Path();
  auto bytes = formats::ReadInputFile(Local(path));
  if (auto* error = std::get_if<formats::ParseError>(&bytes)) {
    Refuse(*error, kCannotOpen);
    return false;
  }
  auto melody = formats::ReadMelodyFile(std::get<std::string>(bytes), Local(path));
  if (auto* error = std::get_if<formats::ParseError>(&melody)) {
    Refuse(*error, kCannotOpen);
    return false;
  }
  current_.clear();
  suggested_.clear();
  ShowCaption();
  Show(formats::Imported{std::get<formats::Codes>(melody), {}}, Shown(path));
  return true;
}

bool MelodyFiles::WriteMelodyTo(const QString& path) {
  const formats::Codes codes = Codes();
  if (auto error = formats::WriteFileAtomically(Local(path), formats::WriteMelodyFile(codes))) {
    Fail(QStringLiteral("保存できませんでした"), path, *error);
    return false;
  }
  current_ = QFileInfo(path).absoluteFilePath();
  suggested_.clear();
  clean_ = codes;
  RecentFiles::Add(path);
  FillRecentMenu();
  ShowCaption();
  return true;
}

bool MelodyFiles::Save() { return current_.isEmpty() ? SaveAs() : WriteMelodyTo(current_); }

bool MelodyFiles::SaveAs() {
  QString start = current_;
  if (start.isEmpty()) start = suggested_;
  if (start.isEmpty()) start = QDir(StartFolder()).filePath("melody." + kMelodyExtension);
  QString filter = kMelodyFilter;
  QString path =
      saveDialog(&window_, QStringLiteral("名前を付けて保存"), start, kMelodyFilter, &filter);
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += "." + kMelodyExtension;
  return WriteMelodyTo(path);
}

bool MelodyFiles::Export() {
  const std::vector<ExportFormat> formatList = ExportFormats();
  QStringList filters;
  for (const ExportFormat& f : formatList) filters << f.filter;
  QString base = current_.isEmpty() ? suggested_ : current_;
  base = base.isEmpty()
             ? QDir(StartFolder()).filePath("melody")
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
  const formats::Codes codes = Codes();
  const std::string target = Local(path);
  std::optional<std::string> error;
  if (format->extension == "rtttl") {
    error = formats::WriteFileAtomically(target,
                                         formats::WriteRtttl(codes, formats::RtttlNameOf(target)));
  } else if (format->extension == "mid") {
    error = formats::WriteFileAtomically(target, formats::WriteMidi(codes));
  } else {
    error = formats::ExportAudio(codes, Da::AppFolder, target);
  }
  if (error) {
    Fail(QStringLiteral("エクスポートできませんでした"), path, *error);
    return false;
  }
  return true;
}

bool MelodyFiles::PasteRtttl() {
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  auto imported = formats::ReadAnyMelody(text, "クリップボード");
  if (auto* error = std::get_if<formats::ParseError>(&imported)) {
    Refuse(*error, QStringLiteral("クリップボードの内容を読み込めません。"));
    return false;
  }
  current_.clear();
  suggested_.clear();
  ShowCaption();
  Show(std::get<formats::Imported>(imported), QStringLiteral("クリップボード"));
  return true;
}

void MelodyFiles::CopyRtttl() {
  const QString named = current_.isEmpty() ? suggested_ : current_;
  const std::string name = named.isEmpty() ? "melody" : formats::RtttlNameOf(Local(named));
  QGuiApplication::clipboard()->setText(QString::fromStdString(formats::WriteRtttl(Codes(), name)));
}

void MelodyFiles::KeepLastMelodyNow() { keeper_->Flush(); }

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
      QTimer::singleShot(0, this, [this, path] { Open(path); });
      return true;
    }
    default:
      return false;
  }
}

}  // namespace merin::ui
