// SPDX-License-Identifier: MIT
// MelodyFiles: opening and choosing, importing and starting anew.
#include "ui/melodyfiles.h"
#include "ui/melodyfilesshared.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QMessageBox>
#include <QVBoxLayout>
#include <string>

#include <QMainWindow>
#include "core/coretexts.h"
#include "core/melodyedit.h"
#include "formats/fileio.h"
#include "ui/languageswitch.h"
#include "ui/recentfiles.h"
#include "ui/rowlist.h"

namespace merin::ui {

using namespace melodyfiles;

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

void MelodyFiles::showMelody(const SlotCodes& codes, const std::string& title) {
  host_.act([&](session::Session& s) { return s.Bring(codes, title); });
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
  QMessageBox box(QMessageBox::Information, host_.caption(),
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
  const QByteArray digest = DigestOf(std::get<std::string>(bytes));
  auto intake = session::Session::Examine(std::move(std::get<std::string>(bytes)), name);
  if (auto* error = std::get_if<formats::Refusal>(&intake)) {
    refuse(*error, CannotOpen());
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
    digest_ = digest;
    suggested_.clear();
    showMelody(imported.codes, imported.title);
    host_.session.MarkSaved();
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
  current_.clear();
  suggested_.clear();
  host_.act(&session::Session::New);
  showCaption();
}

}  // namespace merin::ui
