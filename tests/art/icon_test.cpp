// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <string>

#include "art/pictures.h"
#include "core/programfiles.h"

namespace {

constexpr int kLargerSizes[] = {48, 64, 128, 256};

TEST(WindowIcon, ClassicSizeUsesTheSixteenColours) {
  const std::set<QRgb> classic = {
      qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
      qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
      qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
      qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
  const QImage icon = merin::art::WindowIcon(32);
  ASSERT_EQ(icon.size(), QSize(32, 32));
  int blue = 0, yellow = 0, black = 0, transparent = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const QRgb c = icon.pixel(x, y);
      if (qAlpha(c) == 0) {
        ++transparent;
        continue;
      }
      EXPECT_EQ(qAlpha(c), 255) << x << "," << y;
      EXPECT_TRUE(classic.count(c | 0xff000000u)) << x << "," << y << " " << std::hex << c;
      blue += c == qRgb(0, 0, 255);
      yellow += c == qRgb(255, 255, 0);
      black += c == qRgb(0, 0, 0);
    }
  }
  EXPECT_GT(blue, 40);    // the handset
  EXPECT_GT(yellow, 20);  // its display
  EXPECT_GT(black, 60);   // the staff, the notes and the keyboard's rim
  EXPECT_GT(transparent, 100);
}

// In every larger rendering, most blocks that stand for one pixel of the classic icon show that
// pixel's colour somewhere (outlines and lines stay thin at larger sizes, so not everywhere).
TEST(WindowIcon, LargerSizesAreTheSamePicture) {
  const QImage classic = merin::art::WindowIcon(32);
  for (int size : kLargerSizes) {
    const QImage icon = merin::art::WindowIcon(size);
    ASSERT_EQ(icon.size(), QSize(size, size));
    int same = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        bool found = false;
        for (int by = y * size / 32; by < (y + 1) * size / 32 && !found; ++by) {
          for (int bx = x * size / 32; bx < (x + 1) * size / 32 && !found; ++bx) {
            found = icon.pixel(bx, by) == classic.pixel(x, y);
          }
        }
        same += found;
      }
    }
    EXPECT_GT(same, 32 * 32 * 9 / 10) << size;
  }
}

TEST(WindowIcon, HicolorFilesAreTheDrawings) {
  for (int size : merin::kHicolorIconSizes) {
    const std::string dimension = std::to_string(size) + "x" + std::to_string(size);
    const QImage file(
        QString::fromStdString(MERIN_HICOLOR_DIR "/" + dimension + "/apps/merinkast98.png"), "PNG");
    ASSERT_FALSE(file.isNull()) << size;
    EXPECT_EQ(file.convertToFormat(QImage::Format_ARGB32), merin::art::WindowIcon(size)) << size;
  }
}

}  // namespace
