// SPDX-License-Identifier: MIT
#pragma once

#include <QFileDialog>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "formats/format.h"
#include "formats/refusal.h"

class QMimeData;

// What the files of MelodyFiles share, each file one job: the words of refusals and reports, the
// file dialogs and their filters, and local file names.
namespace merin::ui::melodyfiles {

inline const QString kMelodyExtension = QStringLiteral("mk98");
// The heading of a file that cannot be opened.
QString CannotOpen();

QString Text(std::string_view text);

// The words of what went wrong reading, writing or importing, shown under the window's own
// heading, in its language; the one place where the window gets them.
QString Reason(const formats::Refusal& error);
QString Reason(const std::string& failure);
QString ReportLine(const formats::ReportLine& line);

// Asks with Qt's file dialog, its columns wide enough for their contents.
QString AskForFile(QWidget* parent, const QString& caption, const QString& start,
                   const QString& filters, QFileDialog::AcceptMode mode, QString* chosenFilter);

// The file dialog's filter of `format`: "RTTTL 着信メロディ (*.rtttl *.rtx *.txt)", or with the
// extension it is written with alone.
QString FilterOf(const formats::Format& format, bool written = false);

// 開く's filters: every format read, then each of them, then all files.
QString OpenFilters();

// One way out of エクスポート: its filter and extension.
struct ExportFormat {
  QString filter;
  QString extension;
};

// Every format a melody may be exported to here.
std::vector<ExportFormat> ExportFormats();

std::string Local(const QString& path);

// The digest by which a file's bytes are told apart from what they were.
QByteArray DigestOf(const std::string& bytes);

QString Shown(const QString& path);
QString Shown(const std::string& local);

// The name of the one local file a drag carries, as the bytes the system knows it by (its URL's
// path percent-decoded, so that a name that is not UTF-8 stays whole), or nothing.
std::string DroppedFile(const QMimeData* data);

// Whether the file name `local` reads the same as a QString, so that it can be kept in the
// settings and written again by that name.
bool Representable(const std::string& local);

}  // namespace merin::ui::melodyfiles
