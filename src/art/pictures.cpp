// SPDX-License-Identifier: MIT
#include "art/pictures.h"

#include <stdexcept>
#include <string>

#include "core/pitch.h"

namespace merin::art {
namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);

// Centre rows of the note heads from C of the lower octave up to B of the upper octave. Each head
// is centred in the band of rows that a click on the staff turns into the same note, so the upper
// notes sit a little higher than the lines alone would put them.
constexpr int kHeadCentre[14] = {93, 87, 81, 76, 70, 65, 59, 53, 46, 41, 35, 30, 24, 18};
constexpr int kLowestLedgerStep = 0, kHighLedgerRow = 24;
constexpr int kFirstStemDownStep = 6;  // B of the lower octave and above: stem down on the left
constexpr int kStemLength = 28;
constexpr int kHeadLeft = 8, kHeadWidth = 8, kHeadHeight = 7;

// A slightly tilted filled oval, as in engraved music.
constexpr const char* kHead[kHeadHeight] = {
    "....###.",  //
    "..######",  //
    ".#######",  //
    "########",  //
    "#######.",  //
    "######..",  //
    ".###....",
};

// A quarter rest, top row at kRestTop, left column at kRestLeft.
constexpr int kRestTop = 46, kRestLeft = 8;
constexpr const char* kRest[] = {
    ".#.....",  //
    ".##....",  //
    "..##...",  //
    "..###..",  //
    "...###.",  //
    "...####",  //
    "..####.",  //
    "..###..",  //
    ".###...",  //
    ".##....",  //
    ".##....",  //
    "..##...",  //
    "..###..",  //
    "...###.",  //
    "...####",  //
    "..#####",  //
    ".####..",  //
    ".###...",  //
    "###....",  //
    "##.....",  //
    "##.....",  //
    "###....",  //
    ".###...",  //
    "..###..",  //
    "...##..",  //
};

// An 8-bit palettised picture filled with palette entry 0. The palette is padded to 256 entries
// with the first colour, since Qt stores a picture of 16 colours or fewer with 4 bits per pixel.
QImage Palettised(int width, int height, QList<QRgb> palette) {
  QImage image(width, height, QImage::Format_Indexed8);
  const QRgb ground = palette.front();
  palette.resize(256, ground);
  image.setColorTable(palette);
  image.fill(0);
  return image;
}

void Fill(QImage& image, int left, int top, int right, int bottom) {
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) image.setPixel(x, y, 1);
  }
}

template <size_t N>
void Stamp(QImage& image, int left, int top, const char* const (&rows)[N]) {
  for (size_t r = 0; r < N; ++r) {
    for (int c = 0; rows[r][c] != '\0'; ++c) {
      if (rows[r][c] == '#') image.setPixel(left + c, top + static_cast<int>(r), 1);
    }
  }
}

void DrawSharp(QImage& image, int centre) {
  Fill(image, 2, centre - 5, 2, centre + 5);
  Fill(image, 4, centre - 6, 4, centre + 4);
  Fill(image, 1, centre - 2, 5, centre - 2);
  Fill(image, 1, centre + 1, 5, centre + 1);
}

}  // namespace

QImage StaffPicture() {
  QImage image = Palettised(kStaffWidth, kStaffHeight, {kWhite, kBlack});
  for (int row : kStaffLineRows) Fill(image, 0, row, kStaffWidth - 1, row);
  return image;
}

QImage NotePicture(std::string_view code) {
  const std::optional<Pitch> pitch = Pitch::FromCode(code);
  if (!pitch) throw std::invalid_argument("\"" + std::string(code) + "\" is not a note code");
  const int step = pitch->Step();
  const int centre = kHeadCentre[step];
  QImage image = StaffPicture();
  const int ledger = step == kLowestLedgerStep ? centre : step >= 12 ? kHighLedgerRow : -1;
  if (ledger >= 0) Fill(image, kHeadLeft - 2, ledger, kHeadLeft + kHeadWidth + 1, ledger);
  Stamp(image, kHeadLeft, centre - kHeadHeight / 2, kHead);
  if (step < kFirstStemDownStep) {
    const int x = kHeadLeft + kHeadWidth - 1;
    Fill(image, x, centre - kStemLength, x, centre);
  } else {
    Fill(image, kHeadLeft, centre, kHeadLeft, centre + kStemLength);
  }
  if (pitch->Sharp()) DrawSharp(image, centre);
  return image;
}

QImage RestPicture() {
  QImage image = StaffPicture();
  Stamp(image, kRestLeft, kRestTop, kRest);
  return image;
}

QImage WhiteKeyPicture() { return Palettised(40, 150, {kWhite}); }

QImage BlackKeyPicture() { return Palettised(40, 150, {kBlack}); }

}  // namespace merin::art
