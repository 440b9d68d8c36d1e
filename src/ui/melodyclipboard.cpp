// SPDX-License-Identifier: MIT
// MelodyFiles: the Edit menu's clipboard and title.
#include "ui/melodyfiles.h"
#include "ui/melodyfilesshared.h"

#include <QApplication>
#include <QClipboard>
#include <string>

#include <QMainWindow>
#include "core/melodyedit.h"
#include "formats/rtttl.h"
#include "formats/title.h"

namespace merin::ui {

using namespace melodyfiles;

bool MelodyFiles::pasteRtttl() {
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  const std::string name = tr("クリップボード").toStdString();
  auto intake = session::Session::Examine(text, name);
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
      titleDialog(&window_, QString::fromStdString(host_.session.melody().Title));
  if (!title) return;
  host_.act([&](session::Session& s) { return s.SetTitle(title->toStdString()); });
}

void MelodyFiles::copyRtttl() {
  const QString named = current_.isEmpty() ? suggested_ : current_;
  std::string name = named.isEmpty() ? "melody" : formats::RtttlNameOf(Local(named));
  if (!host_.session.melody().Title.empty()) name = host_.session.melody().Title;
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(formats::WriteRtttl(currentCodes(), name)));
}

}  // namespace merin::ui
