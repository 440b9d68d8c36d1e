// SPDX-License-Identifier: MIT
#include "ui/melodykeeper.h"

#include <signal.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>

#include "core/melodyedit.h"
#include "formats/fileio.h"
#include "formats/melodyfile.h"
#include "ui/language.h"

namespace merin::ui {
namespace {

// Whether the process named in a kept file's name (...-PID-N.mk98) still runs.
bool WindowRuns(const QString& name) {
  const QStringList parts = QFileInfo(name).completeBaseName().split('-');
  bool number = false;
  const qint64 pid = parts.size() == 4 ? parts[2].toLongLong(&number) : 0;
  if (!number || pid <= 0) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// The store's files, newest first.
QFileInfoList StoreFiles(const QString& store) {
  return QDir(store).entryInfoList({QStringLiteral("*.mk98")}, QDir::Files, QDir::Time);
}

// Takes the one last melody that earlier versions kept beside the store into it. The rename
// happens once, however many windows try.
void TakeInLastMelody(const QString& store) {
  const QFileInfo last(QFileInfo(store).absolutePath() + QStringLiteral("/last.mk98"));
  if (!last.isFile() || !QDir().mkpath(store)) return;
  const QString name =
      last.lastModified().toString(QStringLiteral("yyyyMMdd-HHmmss")) + QStringLiteral("-0-0.mk98");
  std::rename(QFile::encodeName(last.filePath()).constData(),
              QFile::encodeName(store + "/" + name).constData());
}

}  // namespace

MelodyKeeper::MelodyKeeper(std::function<formats::Codes()> melody, QObject* parent)
    : QObject(parent), melody_(std::move(melody)) {
  timer_.setSingleShot(true);
  timer_.setInterval(kDelayMs);
  connect(&timer_, &QTimer::timeout, this, &MelodyKeeper::write);
}

QString MelodyKeeper::folder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         "/merinkast98/kept";
}

std::vector<MelodyKeeper::Kept> MelodyKeeper::newest(int most) {
  const QString store = folder();
  TakeInLastMelody(store);
  std::vector<Kept> kept;
  for (const QFileInfo& file : StoreFiles(store)) {
    if (static_cast<int>(kept.size()) == most) break;
    const std::string path = QFile::encodeName(file.filePath()).toStdString();
    auto bytes = formats::ReadInputFile(path, formats::Accept::Files);
    if (!std::holds_alternative<std::string>(bytes)) continue;
    auto codes = formats::ReadMelodyFile(std::get<std::string>(bytes), path);
    if (auto* read = std::get_if<formats::Codes>(&codes); read && *read != EmptyCodes()) {
      kept.push_back({file.filePath(), file.lastModified(), *read});
    }
  }
  return kept;
}

void MelodyKeeper::changed() {
  if (!timer_.isActive()) timer_.start();
}

void MelodyKeeper::flush() {
  if (!timer_.isActive()) return;
  timer_.stop();
  write();
}

void MelodyKeeper::replacing(bool keepIt) {
  if (!keepIt) return;
  timer_.stop();
  write();
  file_.clear();
  written_ = {};
}

void MelodyKeeper::write() {
  const formats::Codes codes = melody_();
  if (codes == EmptyCodes() || codes == written_) return;
  const QString store = folder();
  const bool fresh = file_.isEmpty();
  if (fresh) {
    static int counter = 0;
    QDir().mkpath(store);
    file_ = store + "/" +
            QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-")) +
            QString::number(QCoreApplication::applicationPid()) + "-" + QString::number(counter++) +
            ".mk98";
  }
  const auto error = formats::WriteFileAtomically(QFile::encodeName(file_).toStdString(),
                                                  formats::WriteMelodyFile(codes));
  if (error) {
    // Said once: a message at every note would stop the composing.
    if (!failing_) emit failed(QString::fromStdString(formats::Words(*error, CurrentLanguage())));
    failing_ = true;
    return;
  }
  written_ = codes;
  failing_ = false;
  if (!fresh) return;
  TakeInLastMelody(store);
  const QFileInfoList files = StoreFiles(store);
  for (qsizetype i = kKeptMost; i < files.size(); ++i) {
    if (!WindowRuns(files[i].fileName())) QFile::remove(files[i].filePath());
  }
}

}  // namespace merin::ui
