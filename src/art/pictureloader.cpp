// SPDX-License-Identifier: MIT
#include "art/pictureloader.h"

#include <cerrno>

#include <QFile>
#include <QImageReader>

#include "core/melodyview.h"

namespace merin::art {

namespace {

// The length a bitmap's header gives is more than the file holds. A header length of 0 means the
// writer left it unsaid.
bool BitmapCutShort(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray header = file.read(6);
  if (header.size() < 6 || !header.startsWith("BM")) return false;
  const auto* b = reinterpret_cast<const uchar*>(header.constData());
  const qint64 stated = qint64(b[2]) | qint64(b[3]) << 8 | qint64(b[4]) << 16 | qint64(b[5]) << 24;
  return stated > file.size();
}

}  // namespace

QImage LoadPicture(const std::string& path) {
  QImageReader reader(QString::fromStdString(path));
  const QImage picture = reader.read();
  const auto refused = [&](const Text& why) { return PictureLoadError(Refusal(why, path)); };
  if (picture.isNull()) {
    switch (reader.error()) {
      case QImageReader::FileNotFoundError:
        throw PictureLoadError(SystemRefusal(ENOENT, path));
      case QImageReader::UnsupportedFormatError:
      case QImageReader::InvalidDataError:
        // A bitmap that states more bytes than it has is cut short, whatever Qt made of it.
        throw refused(BitmapCutShort(reader.fileName()) ? CoreText("picture.cut")
                                                        : CoreText("picture.not-a-picture"));
      default:
        throw PictureLoadError(path);
    }
  }
  if (BitmapCutShort(reader.fileName())) throw refused(CoreText("picture.cut"));
  return picture;
}

}  // namespace merin::art
