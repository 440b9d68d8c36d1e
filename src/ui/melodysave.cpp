// SPDX-License-Identifier: MIT
// MelodyFiles: saving and exporting.
#include "ui/melodyfiles.h"
#include "ui/melodyfilesshared.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <string>
#include <vector>

#include <QMainWindow>
#include "core/da.h"
#include "formats/fileio.h"
#include "formats/melodyfile.h"
#include "formats/writeas.h"
#include "ui/languageswitch.h"
#include "ui/recentfiles.h"

namespace merin::ui {

using namespace melodyfiles;

bool MelodyFiles::writeMelodyTo(const QString& path) {
  const SlotCodes codes = currentCodes();
  const std::string& title = host_.session.melody().Title;
  const std::string bytes = formats::WriteMelodyFile(codes, title);
  if (auto error = formats::WriteFileAtomically(Local(path), bytes)) {
    fail(tr("保存できませんでした"), path, formats::Words(*error, CurrentLanguage()));
    return false;
  }
  current_ = QFileInfo(path).absoluteFilePath();
  digest_ = DigestOf(bytes);
  suggested_.clear();
  host_.session.MarkSaved();
  RecentFiles::add(path);
  fillRecentMenu();
  showCaption();
  showWritten(QT_TR_NOOP("%1 を保存しました"), path);
  return true;
}

bool MelodyFiles::save() {
  if (current_.isEmpty()) return saveAs();
  // A file changed meanwhile by another program is written over only when the user says so.
  if (changedOnDisk() && !overwriteDialog(&window_, Shown(QFileInfo(current_).fileName()))) {
    return saveAs();
  }
  return writeMelodyTo(current_);
}

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
  const QString stem = QString::fromStdString(host_.session.OfferedStem(
      file.isEmpty() ? std::string() : Local(QFileInfo(file).completeBaseName())));
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
  auto exported = host_.session.Export(format->extension.toStdString(), Local(path), Da::AppFolder);
  std::optional<formats::Refusal> error;
  if (auto* refusal = std::get_if<formats::Refusal>(&exported)) {
    error = std::move(*refusal);
  } else {
    error = formats::WriteFileAtomically(Local(path), std::get<session::Exported>(exported).bytes);
  }
  if (error) {
    fail(tr("エクスポートできませんでした"), path, formats::Words(*error, CurrentLanguage()));
    return false;
  }
  const auto& renamed = std::get<session::Exported>(exported).nameChange;
  showWritten(QT_TR_NOOP("%1 を書き出しました"), path, renamed ? ReportLine(*renamed) : QString());
  return true;
}

}  // namespace merin::ui
