// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <climits>
#include <stdexcept>

#include "art/pictures.h"
#include "core/notecode.h"
#include "core/pitch.h"
#include "core/programfiles.h"
#include "entry/staff.h"

namespace {

using merin::NoteCodes;
using merin::ProgramPictures;

constexpr int kLineRows[] = {38, 49, 60, 71, 82};
constexpr int kRightOfSharp = 7;  // the first column right of a sharp sign

QImage Load(const std::string& name) {
  return QImage(QString::fromStdString(std::string(MERIN_PROGRAM_DIR "/") + name), "BMP");
}

bool Black(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

bool LineRow(int y) {
  return std::find(std::begin(kLineRows), std::end(kLineRows), y) != std::end(kLineRows);
}

// The longest run of black pixels of row `y`.
int BlackRun(const QImage& image, int y) {
  int run = 0, longest = 0;
  for (int x = 0; x < image.width(); ++x)
    longest = std::max(longest, run = Black(image, x, y) ? run + 1 : 0);
  return longest;
}

TEST(PictureFiles, AreEightBitPalettisedStaffCellsInBlackAndWhite) {
  for (const std::string& name : ProgramPictures()) {
    SCOPED_TRACE(name);
    const QImage image = Load(name);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    // Qt keeps the stored palette; a BMP of 4 bits or fewer per pixel has at most 16 entries.
    EXPECT_EQ(image.colorCount(), 256);
    EXPECT_EQ(image.size(), QSize(21, 111));
    int grey = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QRgb c = image.pixel(x, y);
        grey += c != qRgb(0, 0, 0) && c != qRgb(255, 255, 255);
      }
    }
    EXPECT_EQ(grey, 0);
  }
}

TEST(PictureFiles, StaffLinesRunAcrossTheFullWidth) {
  for (const std::string& name : ProgramPictures()) {
    SCOPED_TRACE(name);
    const QImage image = Load(name);
    ASSERT_FALSE(image.isNull());
    for (int row : kLineRows) {
      for (int x = 0; x < image.width(); ++x)
        EXPECT_TRUE(Black(image, x, row)) << "row " << row << " x " << x;
    }
  }
}

TEST(PictureFiles, EmptyStaffHasNothingButTheLines) {
  const QImage image = Load("gosen.bmp");
  ASSERT_FALSE(image.isNull());
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      EXPECT_EQ(Black(image, x, y), LineRow(y)) << x << "," << y;
  }
}

TEST(PictureFiles, EveryCodeHasItsOwnPictureDrawnByTheLibrary) {
  const std::vector<std::string> names = ProgramPictures();
  for (size_t i = 0; i < names.size(); ++i) {
    const QImage image = Load(names[i]).convertToFormat(QImage::Format_RGB32);
    for (size_t j = 0; j < i; ++j) {
      EXPECT_NE(image, Load(names[j]).convertToFormat(QImage::Format_RGB32))
          << names[i] << " " << names[j];
    }
  }
  for (const std::string& code : NoteCodes()) {
    EXPECT_EQ(Load(code + ".bmp").convertToFormat(QImage::Format_RGB32),
              merin::art::NotePicture(code).convertToFormat(QImage::Format_RGB32))
        << code;
  }
  EXPECT_EQ(Load("gosen.bmp").convertToFormat(QImage::Format_RGB32),
            merin::art::StaffPicture().convertToFormat(QImage::Format_RGB32));
}

// The head: the longest run of rows at least 4 pixels wide right of the sharp sign (a line
// through the head is one of them; a stem is not). Ledger lines: rows off the staff with a
// stroke wider than any of the head's rows. Stems: up or down from the head. A sharp sign: any
// stroke off the staff lines left of the head, on the sharp codes (the second of a pair) alone.
TEST(NoteHead, SitsOnItsLineOrSpaceAsEngraved) {
  const struct {
    std::vector<std::string> codes;
    double centre;
    std::vector<int> ledgers;
  } cases[] = {
      {{"11", "12"}, 93, {93}}, {{"21", "22"}, 87.5, {}}, {{"31"}, 82, {}},
      {{"41", "42"}, 76.5, {}}, {{"51", "52"}, 71, {}},   {{"61", "62"}, 65.5, {}},
      {{"71"}, 60, {}},         {{"13", "14"}, 54.5, {}}, {{"23", "24"}, 49, {}},
      {{"32"}, 43.5, {}},       {{"43", "44"}, 38, {}},   {{"53", "54"}, 32.5, {}},
      {{"63", "64"}, 27, {27}}, {{"72"}, 21.5, {27}},
  };
  for (const auto& c : cases) {
    for (const std::string& code : c.codes) {
      SCOPED_TRACE(code);
      const bool sharp = code != c.codes.front();
      const QImage image = Load(code + ".bmp");
      ASSERT_FALSE(image.isNull());
      int top = 0, bottom = -1, widest = 0;
      for (int y = 0, start = 0; y < image.height(); ++y) {
        int black = 0;
        for (int x = kRightOfSharp; x < image.width(); ++x) black += Black(image, x, y);
        if (black < 4) start = y + 1;
        if (black >= 4 && y - start > bottom - top) top = start, bottom = y;
      }
      for (int y = top; y <= bottom; ++y) {
        if (!LineRow(y) && y != c.centre) widest = std::max(widest, BlackRun(image, y));
      }
      EXPECT_NEAR((top + bottom) / 2.0, c.centre, 0.5);
      std::vector<int> ledgers;
      for (int y = 0; y < image.height(); ++y) {
        if (!LineRow(y) && BlackRun(image, y) > widest) ledgers.push_back(y);
      }
      EXPECT_EQ(ledgers, c.ledgers);
      const auto stroke = [&](int from, int to, int left = kRightOfSharp, int right = 20) {
        bool any = false;
        for (int y = std::max(from, 0); y <= std::min(to, image.height() - 1); ++y) {
          for (int x = left; x <= right; ++x) any |= !LineRow(y) && Black(image, x, y);
        }
        return any;
      };
      EXPECT_EQ(stroke(0, image.height() - 1, 1, kRightOfSharp - 2), sharp);
      const bool above = stroke(int(c.centre) - 30, int(c.centre) - 10);
      const bool below = stroke(int(c.centre) + 10, int(c.centre) + 30);
      EXPECT_EQ(above, c.centre > 60) << "stem up below the middle line";
      EXPECT_EQ(below, c.centre <= 60) << "stem down from the middle line up";
    }
  }
}

TEST(NotePicture, RejectsCodesThatAreNoNotes) {
  for (const char* code : {"01", "99", "33", "34", "73", "74", "15", "81", "1", "", "111"}) {
    EXPECT_THROW(merin::art::NotePicture(code), std::invalid_argument) << code;
  }
}

TEST(KeyPictures, AreEightBitFacesOfOneColour) {
  const struct {
    QImage image;
    QRgb colour;
  } keys[] = {{merin::art::WhiteKeyPicture(), qRgb(255, 255, 255)},
              {merin::art::BlackKeyPicture(), qRgb(0, 0, 0)}};
  for (const auto& key : keys) {
    EXPECT_EQ(key.image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(key.image.size(), QSize(40, 150));
    for (int y = 0; y < key.image.height(); ++y) {
      for (int x = 0; x < key.image.width(); ++x) ASSERT_EQ(key.image.pixel(x, y), key.colour);
    }
  }
}

}  // namespace
