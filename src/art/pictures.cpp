// SPDX-License-Identifier: MIT
#include "art/pictures.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "core/pitch.h"

namespace merin::art {
namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);

// Staff steps run from C of the lower octave (0) to B of the upper octave (13), half a line
// spacing apart: C4 sits on a ledger line below the staff, E4 on the bottom line, F5 on the top
// line, A5 on a ledger line above it.
constexpr double kLineSpacing = kStaffLineRows[1] - kStaffLineRows[0];
constexpr double kLowestCentre = kStaffLineRows[4] + kLineSpacing;
constexpr int kLowLedgerRow = kStaffLineRows[4] + int(kLineSpacing);
constexpr int kHighLedgerRow = kStaffLineRows[0] - int(kLineSpacing);
constexpr int kFirstStemDownStep = 6;  // B4, on the middle line, and above: stem down on the left
constexpr int kFirstHighLedgerStep = 12;
constexpr int kStemLength = 33;

// The head: an oval tilted to rise to the right, as in engraved music. Its height (a little over
// 7 rows) fits a space between two lines with a white row above and below.
constexpr double kHeadX = 11.5, kHeadRadiusX = 4.6, kHeadRadiusY = 3.2, kHeadTilt = 0.42;
constexpr int kLedgerLeft = 6, kLedgerRight = 17;

double HeadCentre(int step) { return kLowestCentre - step * kLineSpacing / 2; }

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

void DrawHead(QImage& image, double centre) {
  const double c = std::cos(kHeadTilt), s = std::sin(kHeadTilt);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double dx = x - kHeadX, dy = y - centre;
      const double u = (dx * c - dy * s) / kHeadRadiusX, v = (dx * s + dy * c) / kHeadRadiusY;
      if (u * u + v * v <= 1) image.setPixel(x, y, 1);
    }
  }
}

// The outermost column of the head, right (on the row above its centre) or left (on the row
// below), where a stem joins it; those rows are never a line's.
int HeadEdge(const QImage& image, double centre, bool right) {
  const int y = right ? int(std::floor(centre)) - 1 : int(std::ceil(centre)) + 1;
  int edge = int(kHeadX);
  for (int x = 0; x < image.width(); ++x) {
    if (image.pixelIndex(x, y) == 1 && (right ? x > edge : x < edge)) edge = x;
  }
  return edge;
}

// A sharp sign left of the head, its two bars evenly above and below the head's centre.
void DrawSharp(QImage& image, double centre) {
  const int top = int(std::floor(centre - 5)), bottom = int(std::ceil(centre + 5));
  Fill(image, 2, top + 1, 2, bottom);
  Fill(image, 4, top, 4, bottom - 1);
  const int upperBar = int(std::floor(centre - 2)), lowerBar = int(std::ceil(centre + 2));
  Fill(image, 1, upperBar, 5, upperBar);
  Fill(image, 1, lowerBar, 5, lowerBar);
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
  const double centre = HeadCentre(step);
  QImage image = StaffPicture();
  if (step == 0) Fill(image, kLedgerLeft, kLowLedgerRow, kLedgerRight, kLowLedgerRow);
  if (step >= kFirstHighLedgerStep) {
    Fill(image, kLedgerLeft, kHighLedgerRow, kLedgerRight, kHighLedgerRow);
  }
  DrawHead(image, centre);
  const int middle = int(std::floor(centre));
  if (step < kFirstStemDownStep) {
    const int x = HeadEdge(image, centre, true);
    Fill(image, x, middle - kStemLength, x, middle);
  } else {
    const int x = HeadEdge(image, centre, false);
    Fill(image, x, middle, x, middle + kStemLength);
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
