// SPDX-License-Identifier: MIT
#pragma once

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
#include <string>
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
#include "ui/languageswitch.h"
#include "ui/melodykeeper.h"
#include "ui/merinmain.h"
#include "ui/partdialog.h"
#include "ui/recentfiles.h"
#include "ui/rowlist.h"
#include "ui/usersettings.h"

// What the files of MelodyFiles share, each file one job: the words of refusals and reports, the
// file dialogs and their filters, and local file names.
namespace merin::ui::melodyfiles {

inline const QString kMelodyExtension = QStringLiteral("mk98");
// The heading of a file that cannot be opened.
QString CannotOpen();

inline QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The words of what went wrong reading, writing or importing, shown under the window's own
// heading, in its language; the one place where the window gets them.
inline QString Reason(const formats::Refusal& error) {
  return Text(formats::Words(error, CurrentLanguage()));
}
inline QString Reason(const std::string& failure) { return Text(failure); }
inline QString ReportLine(const formats::ReportLine& line) {
  return Text(Escaped(formats::Words(line, CurrentLanguage())));
}

// Asks with Qt's file dialog, its columns wide enough for their contents.
inline QString AskForFile(QWidget* parent, const QString& caption, const QString& start,
                          const QString& filters, QFileDialog::AcceptMode mode,
                          QString* chosenFilter) {
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
inline QString FilterOf(const formats::Format& format, bool written = false) {
  QStringList patterns;
  for (const std::string_view extension : format.extensions) {
    patterns << "*." + Text(extension);
    if (written) break;
  }
  return QStringLiteral("%1 (%2)").arg(Text(Words(format.dialogName, CurrentLanguage())),
                                       patterns.join(' '));
}

// 開く's filters: every format read, then each of them, then all files.
QString OpenFilters();

// One way out of エクスポート: its filter and extension.
struct ExportFormat {
  QString filter;
  QString extension;
};

// Every format a melody may be exported to here.
inline std::vector<ExportFormat> ExportFormats() {
  std::vector<ExportFormat> list;
  for (const formats::Format* format : formats::ExportedFormats()) {
    list.push_back({FilterOf(*format, true), Text(format->extensions.front())});
  }
  return list;
}

inline std::string Local(const QString& path) { return QFile::encodeName(path).toStdString(); }

inline QString Shown(const QString& path) {
  return QString::fromStdString(Escaped(QDir::toNativeSeparators(path).toStdString()));
}
inline QString Shown(const std::string& local) { return Text(Escaped(local)); }

// The name of the one local file a drag carries, as the bytes the system knows it by (its URL's
// path percent-decoded, so that a name that is not UTF-8 stays whole), or nothing.
inline std::string DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  if (!url.isLocalFile() || !url.host().isEmpty()) return {};
  return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

// Whether the file name `local` reads the same as a QString, so that it can be kept in the
// settings and written again by that name.
inline bool Representable(const std::string& local) {
  return Local(QFile::decodeName(QByteArray::fromStdString(local))) == local;
}

}  // namespace merin::ui::melodyfiles
