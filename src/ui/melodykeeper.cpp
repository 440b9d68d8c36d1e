// SPDX-License-Identifier: MIT
#include "ui/melodykeeper.h"

#include <signal.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <cerrno>
#include <cstdio>
#include <string_view>

#include "core/melodyedit.h"
#include "formats/fileio.h"
#include "formats/melodyfile.h"
#include "ui/languageswitch.h"

namespace merin::ui {
namespace {

// The last line of a kept file its window let go of.
constexpr std::string_view kClosedLine = "# closed\n";
// The comments that name the melody's own file (percent-encoded) and the digest of its bytes.
constexpr std::string_view kFileComment = "# file: ", kDigestComment = "# file-digest: ";

// The lines of a kept file that name the melody's own file; none when it has none.
std::string OwnFileLines(const MelodyKeeper::OwnFile& file) {
  if (file.path.isEmpty()) return {};
  std::string lines =
      std::string(kFileComment) + QUrl::toPercentEncoding(file.path, "/").toStdString() + "\n";
  if (!file.digest.isEmpty()) {
    lines += std::string(kDigestComment) + file.digest.toHex().toStdString() + "\n";
  }
  return lines;
}

// The melody's own file that the kept `bytes` name.
MelodyKeeper::OwnFile OwnFileOf(const std::string& bytes) {
  MelodyKeeper::OwnFile file;
  for (const QByteArray& line : QByteArray::fromStdString(bytes).split('\n')) {
    if (line.startsWith(QByteArray::fromStdString(std::string(kFileComment)))) {
      file.path = QUrl::fromPercentEncoding(line.mid(qsizetype(kFileComment.size())));
    } else if (line.startsWith(QByteArray::fromStdString(std::string(kDigestComment)))) {
      file.digest = QByteArray::fromHex(line.mid(qsizetype(kDigestComment.size())));
    }
  }
  return file;
}

// The bytes of the kept file at `path`, or none.
std::optional<std::string> BytesOf(const QString& path) {
  auto bytes =
      formats::ReadInputFile(QFile::encodeName(path).toStdString(), formats::Accept::Files);
  if (auto* read = std::get_if<std::string>(&bytes)) return std::move(*read);
  return std::nullopt;
}

// The kept file of `bytes` at `info`, or none when it holds no melody.
std::optional<MelodyKeeper::Kept> KeptOf(const QFileInfo& info, const std::string& bytes) {
  auto read = formats::MelodyFileFormat().read(bytes, info.fileName().toStdString(), {});
  auto* melody = std::get_if<formats::Imported>(&read);
  if (!melody || IsEmptyMelody(melody->codes)) return std::nullopt;
  return MelodyKeeper::Kept{info.filePath(), info.lastModified(),          melody->codes,
                            melody->title,   bytes.ends_with(kClosedLine), OwnFileOf(bytes)};
}

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

MelodyKeeper::MelodyKeeper(std::function<MelodySnapshot()> melody, QObject* parent,
                           std::function<OwnFile()> file)
    : QObject(parent), melody_(std::move(melody)), file_(std::move(file)) {
  timer_.setSingleShot(true);
  timer_.setInterval(kDelayMs);
  connect(&timer_, &QTimer::timeout, this, [this] { write(false); });
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
    const auto bytes = BytesOf(file.filePath());
    if (auto one = bytes ? KeptOf(file, *bytes) : std::nullopt) kept.push_back(std::move(*one));
  }
  return kept;
}

std::optional<MelodyKeeper::Kept> MelodyKeeper::leftByEndedRun() {
  for (const Kept& kept : newest(kKeptMost)) {
    if (!kept.closed && !WindowRuns(QFileInfo(kept.path).fileName())) return kept;
  }
  return std::nullopt;
}

void MelodyKeeper::markClosed(const QString& path) {
  const auto bytes = BytesOf(path);
  if (!bytes || bytes->ends_with(kClosedLine)) return;
  formats::WriteFileAtomically(QFile::encodeName(path).toStdString(),
                               *bytes + std::string(kClosedLine));
}

void MelodyKeeper::changed() {
  if (!timer_.isActive()) timer_.start();
}

void MelodyKeeper::flush() {
  if (!timer_.isActive()) return;
  timer_.stop();
  write(false);
}

void MelodyKeeper::close() {
  timer_.stop();
  write(true);
}

void MelodyKeeper::replaced(const MelodySnapshot& melody) {
  timer_.stop();
  write(true, melody);
  kept_.clear();
  written_.clear();
}

void MelodyKeeper::write(bool closed, const std::optional<MelodySnapshot>& kept) {
  const MelodySnapshot melody = kept ? *kept : melody_();
  if (IsEmptyMelody(melody.codes)) return;
  // A melody replaced is kept without the file, which now belongs to the melody that follows.
  const std::string open = formats::WriteMelodyFile(melody.codes, melody.title) +
                           (kept || !file_ ? std::string() : OwnFileLines(file_()));
  const std::string bytes = open + (closed ? std::string(kClosedLine) : std::string());
  if (bytes == written_) return;
  const QString store = folder();
  const bool fresh = kept_.isEmpty();
  if (fresh) {
    // A melody the store holds already from a window that let go of it or has ended (a file
    // opened again, a melody brought back) is kept once.
    for (const QFileInfo& file : StoreFiles(store)) {
      const auto kept = BytesOf(file.filePath());
      if (kept && (*kept == open + std::string(kClosedLine) ||
                   (*kept == open && !WindowRuns(file.fileName())))) {
        written_ = bytes;
        return;
      }
    }
    static int counter = 0;
    QDir().mkpath(store);
    kept_ = store + "/" +
            QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-")) +
            QString::number(QCoreApplication::applicationPid()) + "-" + QString::number(counter++) +
            ".mk98";
  }
  const auto error = formats::WriteFileAtomically(QFile::encodeName(kept_).toStdString(), bytes);
  if (error) {
    // Said once: a message at every note would stop the composing.
    if (!failing_) emit failed(QString::fromStdString(formats::Words(*error, CurrentLanguage())));
    failing_ = true;
    return;
  }
  written_ = bytes;
  failing_ = false;
  if (!fresh) return;
  TakeInLastMelody(store);
  const QFileInfoList files = StoreFiles(store);
  for (qsizetype i = kKeptMost; i < files.size(); ++i) {
    if (!WindowRuns(files[i].fileName())) QFile::remove(files[i].filePath());
  }
}

}  // namespace merin::ui
