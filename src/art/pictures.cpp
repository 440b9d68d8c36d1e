#include "art/pictures.h"

#include <QPainter>

namespace merin::art {
namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);

// An 8-bit palettised picture filled with palette entry 0.
QImage Palettised(int width, int height, QList<QRgb> palette) {
  QImage image(width, height, QImage::Format_Indexed8);
  image.setColorTable(palette);
  image.fill(0);
  return image;
}

}  // namespace

QImage StaffPicture() {
  QImage image = Palettised(kStaffWidth, kStaffHeight, {kWhite, kBlack});
  for (int row : kStaffLineRows) {
    for (int x = 0; x < kStaffWidth; ++x) image.setPixel(x, row, 1);
  }
  return image;
}

QImage WhiteKeyPicture() { return Palettised(40, 150, {kWhite}); }

QImage BlackKeyPicture() { return Palettised(40, 150, {kBlack}); }

QImage WindowIcon(int size) {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  // A staff with two notes behind, a blue handset with a chequered yellow display in the middle.
  p.setPen(Qt::black);
  for (int y = 4; y <= 16; y += 3) p.drawLine(0, y, 31, y);
  p.setBrush(Qt::black);
  p.drawEllipse(2, 12, 4, 3);
  p.drawLine(5, 13, 5, 4);
  p.setPen(QColor(0, 0, 160));
  p.setBrush(QColor(0, 0, 255));
  p.drawRoundedRect(10, 2, 11, 26, 2, 2);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      p.fillRect(12 + 2 * x, 5 + 2 * y, 2, 2, (x + y) % 2 ? QColor(255, 255, 0) : QColor(128, 128, 0));
    }
  }
  p.fillRect(3, 26, 26, 5, QColor(192, 192, 192));
  p.end();
  return size == 32 ? image : image.scaled(size, size, Qt::KeepAspectRatio, Qt::FastTransformation);
}

}  // namespace merin::art
