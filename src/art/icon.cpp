// SPDX-License-Identifier: MIT
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "art/pictures.h"

namespace merin::art {
namespace {

// Colours of the classic 16-colour palette that the icon uses.
const QColor kBlack(0, 0, 0), kNavy(0, 0, 128), kOlive(128, 128, 0), kGrey(128, 128, 128);
const QColor kSilver(192, 192, 192), kYellow(255, 255, 0), kBlue(0, 0, 255), kWhite(255, 255, 255);

// Draws in a 32 x 32 grid of units whatever the pixel size, with outlines of whole pixels.
class IconPainter {
 public:
  explicit IconPainter(QImage& image) : painter_(&image), size_(image.width()) {
    painter_.scale(size_ / 32.0, size_ / 32.0);
    outline_ = std::max(1, size_ / 128) * 32.0 / size_;
  }

  void Box(double x, double y, double w, double h, const QColor& fill) {
    painter_.fillRect(QRectF(x, y, w, h), fill);
  }

  // A box with an outline of a whole number of pixels.
  void Framed(double x, double y, double w, double h, const QColor& edge, const QColor& fill) {
    Box(x, y, w, h, edge);
    Box(x + outline_, y + outline_, w - 2 * outline_, h - 2 * outline_, fill);
  }

  // A note: a round head whose top-left corner is (x, y) and a stem rising on its right.
  void Note(double x, double y, double stem) {
    painter_.setRenderHint(QPainter::Antialiasing, size_ > 32);
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(kBlack);
    if (size_ > 32) {
      painter_.drawEllipse(QRectF(x, y, 3, 2.2));
    } else {
      Box(x + 1, y, 2, 1, kBlack);
      Box(x, y + 1, 2, 1, kBlack);
      Box(x + 2, y + 1, 1, 1, kBlack);
    }
    painter_.setRenderHint(QPainter::Antialiasing, false);
    Box(x + 3 - outline_, y + 1 - stem, outline_, stem, kBlack);
  }

  // A key: a framed box, or at small sizes a plain block one unit high on whole units.
  void Key(double x, double y, double w, const QColor& edge, const QColor& fill) {
    if (size_ < 64) {
      Box(std::floor(x), std::ceil(y), std::floor(w), 1, fill);
    } else {
      Framed(x, y, w, 1.5, edge, fill);
    }
  }

  double Outline() const { return outline_; }

 private:
  QPainter painter_;
  int size_;
  double outline_;
};

}  // namespace

QImage WindowIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  IconPainter p(image);
  const double line = p.Outline();

  // The staff behind, with a note at either side of the handset.
  for (int i = 0; i < 5; ++i) p.Box(0, 3 + 3 * i, 32, line, kBlack);
  p.Note(1, 13, 9);
  p.Note(5, 7, 9);
  p.Note(23, 10, 9);
  p.Note(27, 4, 4);

  // The handset: antenna, body, earpiece, chequered display and keypad.
  p.Box(18, 0, 2, 3, kNavy);
  p.Framed(10, 2, 12, 25, kNavy, kBlue);
  p.Box(14, 3.5, 4, line, kNavy);
  p.Box(11.5, 5, 9, 9, kNavy);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) p.Box(12 + x, 5.5 + y, 1, 1, (x + y) % 2 ? kYellow : kOlive);
  }
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 3; ++col) p.Key(12 + 3 * col, 15 + 2 * row, 2, kNavy, kSilver);
  }

  // The computer keyboard in front: two rows of keys and a space bar.
  p.Framed(0, 24, 32, 8, kBlack, kSilver);
  p.Box(1, 31 - line, 30, line, kGrey);
  for (int row = 0; row < 2; ++row) {
    for (int key = 0; key < 9; ++key) p.Key(2 + row + 3 * key, 25.5 + 2 * row, 2, kGrey, kWhite);
  }
  p.Key(9, 29.5, 14, kGrey, kWhite);
  return image;
}

}  // namespace merin::art
