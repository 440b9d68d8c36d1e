// SPDX-License-Identifier: MIT
// MelodyFiles: the menus, the caption, notes and messages, drops on the window, and what the
// files of MelodyFiles share.
#include "ui/melodyfiles.h"
#include "ui/melodyfilesshared.h"

#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <string>
#include <vector>

#include "core/escape.h"
#include "core/melodyedit.h"
#include "entry/mainlayout.h"
#include "formats/fileio.h"
#include "formats/writeas.h"
#include "ui/filedialogwords.h"
#include "ui/languageswitch.h"
#include "ui/melodykeeper.h"
#include "ui/partdialog.h"
#include "ui/recentfiles.h"
#include "ui/usersettings.h"

namespace merin::ui {

using namespace melodyfiles;

namespace melodyfiles {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Reason(const formats::Refusal& error) {
  return Text(formats::Words(error, CurrentLanguage()));
}
QString Reason(const std::string& failure) { return Text(failure); }
QString ReportLine(const formats::ReportLine& line) {
  return Text(Escaped(formats::Words(line, CurrentLanguage())));
}

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

QString FilterOf(const formats::Format& format, bool written) {
  QStringList patterns;
  for (const std::string_view extension : format.extensions) {
    patterns << "*." + Text(extension);
    if (written) break;
  }
  return QStringLiteral("%1 (%2)").arg(Text(Words(format.dialogName, CurrentLanguage())),
                                       patterns.join(' '));
}

std::vector<ExportFormat> ExportFormats() {
  std::vector<ExportFormat> list;
  for (const formats::Format* format : formats::ExportedFormats()) {
    list.push_back({FilterOf(*format, true), Text(format->extensions.front())});
  }
  return list;
}

std::string Local(const QString& path) { return QFile::encodeName(path).toStdString(); }

QByteArray DigestOf(const std::string& bytes) {
  return QCryptographicHash::hash(QByteArrayView(bytes.data(), qsizetype(bytes.size())),
                                  QCryptographicHash::Sha256);
}

QString Shown(const QString& path) {
  return QString::fromStdString(Escaped(QDir::toNativeSeparators(path).toStdString()));
}
QString Shown(const std::string& local) { return Text(Escaped(local)); }

std::string DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  if (!url.isLocalFile() || !url.host().isEmpty()) return {};
  return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

bool Representable(const std::string& local) {
  return Local(QFile::decodeName(QByteArray::fromStdString(local))) == local;
}

QString CannotOpen() { return MelodyFiles::tr("ファイルを開けません。"); }

QString OpenFilters() {
  QStringList all, each;
  for (const formats::Format* format : formats::OpenedFormats()) {
    for (const std::string_view extension : format->extensions) all << "*." + Text(extension);
    each << FilterOf(*format);
  }
  return MelodyFiles::tr("対応する形式 (%1)").arg(all.join(' ')) + ";;" + each.join(";;") + ";;" +
         MelodyFiles::tr("すべてのファイル (*)");
}

}  // namespace melodyfiles

MelodyFiles::MelodyFiles(FilesHost host, QMenu* fileMenu, QAction* endItem)
    : QObject(&host.window),
      openDialog([](QWidget* parent, const QString& caption, const QString& start,
                    const QString& filters) {
        return AskForFile(parent, caption, start, filters, QFileDialog::AcceptOpen, nullptr);
      }),
      saveDialog([](QWidget* parent, const QString& caption, const QString& start,
                    const QString& filters, QString* chosenFilter) {
        return AskForFile(parent, caption, start, filters, QFileDialog::AcceptSave, chosenFilter);
      }),
      choosePart([sound = host.sound](QWidget* parent, const formats::MidiTune& tune,
                                      const QString& file) -> std::optional<formats::ReadOptions> {
        PartDialog dialog(tune, file, parent, sound);
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
      overwriteDialog([](QWidget* parent, const QString& name) {
        return QMessageBox::question(
                   parent, tr("上書き保存"),
                   tr("%1 は、このメロディを開くか保存した後に変更されています。上書きしますか？\n"
                      "「いいえ」では名前を付けて保存します。")
                       .arg(name),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
      }),
      host_(std::move(host)),
      window_(host_.window),
      keeper_(new MelodyKeeper([this] { return SnapshotOf(host_.session.melody()); }, this,
                               [this] {
                                 return MelodyKeeper::OwnFile{current_, digest_};
                               })) {
  addActions(fileMenu, endItem);
  addEditActions();
  Translate(&window_, [this] { showCaption(); });
  window_.setAcceptDrops(true);
  window_.installEventFilter(this);
  // However the window ends as it should, its melody is kept and let go of.
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
    paste->setText(tr("RTTTL を貼り付け(&P)"));
    copy->setText(tr("RTTTL をコピー(&C)"));
    title->setText(tr("タイトル(&E)..."));
  });
}

void MelodyFiles::showKeepFailure(const QString& message) {
  showNote("KeepFailed", tr("メロディを保管できませんでした") + "\n" + message);
}

void MelodyFiles::showWritten(const char* words, const QString& path, const QString& change) {
  const QFileInfo file(path);
  QString text = tr(words).arg(file.fileName()) + "  " + Shown(file.absolutePath());
  if (!change.isEmpty()) text += "\n" + change;
  showNote("Written", text, kWrittenShownMs);
}

void MelodyFiles::showNote(const char* name, const QString& text, int shownMs) {
  // A note in the free rows between the markers and the keyboard, where it hides no control,
  // that takes neither the keyboard nor the mouse, so that composing goes on; it goes by itself.
  auto* note = new QLabel(text, &window_);
  note->setObjectName(name);
  note->setWordWrap(true);
  note->setAttribute(Qt::WA_TransparentForMouseEvents);
  note->setFocusPolicy(Qt::NoFocus);
  note->setStyleSheet(QStringLiteral("background: #ffffe0; color: black; padding: 1px 4px;"));
  const FreeRows rows = FreeRowsBelowStaff();
  note->setGeometry(0, window_.menuBar()->height() + rows.top + 1, window_.width(),
                    std::max(rows.bottom - rows.top - 2, note->heightForWidth(window_.width())));
  note->show();
  QTimer::singleShot(shownMs, note, &QObject::deleteLater);
}

SlotCodes MelodyFiles::currentCodes() const { return CodesOf(host_.session.melody()); }

bool MelodyFiles::changedOnDisk() const {
  if (current_.isEmpty() || digest_.isEmpty()) return false;
  // A file that is gone is written anew.
  auto bytes = formats::ReadInputFile(Local(current_), formats::Accept::Files);
  const auto* read = std::get_if<std::string>(&bytes);
  return read && DigestOf(*read) != digest_;
}

bool MelodyFiles::modified() const { return host_.session.Modified(); }

QString MelodyFiles::startFolder() const {
  if (!current_.isEmpty()) return QFileInfo(current_).absolutePath();
  if (!suggested_.isEmpty()) return QFileInfo(suggested_).absolutePath();
  const QStringList recent = RecentFiles::list();
  return recent.isEmpty() ? QDir::homePath() : QFileInfo(recent.front()).absolutePath();
}

void MelodyFiles::keepReplaced(const MelodySnapshot& melody) { keeper_->replaced(melody); }

void MelodyFiles::ending() { keeper_->close(); }

void MelodyFiles::followChange() {
  keeper_->changed();
  showCaption();
  // An empty melody has nothing to export.
  exportItem_->setEnabled(!IsEmptyMelody(currentCodes()));
}

void MelodyFiles::showCaption() {
  if (current_.isEmpty()) {
    window_.setWindowModified(false);
    window_.setWindowTitle(host_.caption());
    return;
  }
  // "[*]" in a file name would be taken for the modified mark; doubled it is shown as written.
  QString name = Shown(QFileInfo(current_).fileName());
  name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  window_.setWindowTitle(name + QStringLiteral("[*] - ") + host_.caption());
  window_.setWindowModified(modified());
}

void MelodyFiles::refuse(const formats::Refusal& error, const QString& what) {
  QMessageBox box(QMessageBox::Warning, host_.caption(),
                  QStringLiteral("%1\n\n%2").arg(what, Reason(error)), QMessageBox::Ok, &window_);
  box.setObjectName("FileRefused");
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box.exec();
}

void MelodyFiles::fail(const QString& what, const QString& path, const std::string& reason) {
  QMessageBox box(QMessageBox::Critical, host_.caption(),
                  QStringLiteral("%1:\n%2\n\n%3").arg(what, Shown(path), Reason(reason)),
                  QMessageBox::Ok, &window_);
  box.setObjectName("FileFailed");
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box.exec();
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
