// SPDX-License-Identifier: MIT
#include "ui/lastmelodykeeper.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

#include "core/melodyedit.h"
#include "formats/fileio.h"
#include "formats/melodyfile.h"

namespace merin::ui {

LastMelodyKeeper::LastMelodyKeeper(std::function<formats::Codes()> melody, QObject* parent)
    : QObject(parent), melody_(std::move(melody)) {
  timer_.setSingleShot(true);
  timer_.setInterval(kDelayMs);
  connect(&timer_, &QTimer::timeout, this, &LastMelodyKeeper::write);
}

QString LastMelodyKeeper::path() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         "/merinkast98/last.mk98";
}

void LastMelodyKeeper::changed() {
  if (!timer_.isActive()) timer_.start();
}

void LastMelodyKeeper::flush() {
  if (!timer_.isActive()) return;
  timer_.stop();
  write();
}

void LastMelodyKeeper::write() {
  const formats::Codes codes = melody_();
  if (codes == EmptyCodes() || codes == written_) return;
  const QString file = path();
  QDir().mkpath(QFileInfo(file).absolutePath());
  const auto error =
      formats::WriteFileAtomically(file.toStdString(), formats::WriteMelodyFile(codes));
  if (!error) {
    written_ = codes;
    lastError_.clear();
    return;
  }
  // Named once on the terminal: a message box at every note would stop the composing.
  const QString message = QString::fromStdString(error->Message(Language::English));
  if (message == lastError_) return;
  lastError_ = message;
  std::fprintf(stderr, "merinkast98: cannot keep the melody in %s: %s\n", qPrintable(file),
               qPrintable(message));
}

}  // namespace merin::ui
