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

QImage Load(const std::string& name) {
  return QImage(QString::fromStdString(std::string(MERIN_PROGRAM_DIR "/") + name), "BMP");
}

bool Black(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

bool LineRow(int y) {
  return std::find(std::begin(kLineRows), std::end(kLineRows), y) != std::end(kLineRows);
}

// The rows of the note head: the pixels whose 3 x 3 neighbourhood is all black (lines, stems,
// ledger lines and sharp signs are one pixel thick), widened by the head's rim.
struct Rows {
  int top = INT_MAX, bottom = INT_MIN;
};
Rows HeadRows(const QImage& image) {
  Rows rows;
  for (int y = 1; y + 1 < image.height(); ++y) {
    for (int x = 1; x + 1 < image.width(); ++x) {
      bool solid = true;
      for (int dy = -1; dy <= 1 && solid; ++dy) {
        for (int dx = -1; dx <= 1 && solid; ++dx) solid = Black(image, x + dx, y + dy);
      }
      if (solid) rows = {std::min(rows.top, y - 1), std::max(rows.bottom, y + 1)};
    }
  }
  return rows;
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

// A click anywhere on a drawn note head, and above all on its centre, enters that same note again.
TEST(NoteHead, IsCentredInTheBandThatEntersItsNote) {
  for (bool sharp : {false, true}) {
    const auto bands =
        sharp
            ? std::vector<merin::StaffBand>(merin::SharpBands.begin(), merin::SharpBands.end())
            : std::vector<merin::StaffBand>(merin::NaturalBands.begin(), merin::NaturalBands.end());
    float lower = -merin::kOpen;
    for (const merin::StaffBand& band : bands) {
      SCOPED_TRACE(std::string(band.code) + (sharp ? " (shift)" : ""));
      const Rows head = HeadRows(Load(merin::PictureFileOf(band.code)));
      ASSERT_LT(head.top, head.bottom);
      EXPECT_GE(head.top, lower - 1);
      EXPECT_LE(head.bottom, band.upper);
      const float centre = (head.top + head.bottom) / 2.0f;
      EXPECT_EQ(merin::StaffNoteAt(centre, sharp), band.code);
      if (lower > -merin::kOpen && band.upper < merin::kOpen) {
        EXPECT_NEAR(centre, (lower + band.upper - 1) / 2, 1.0);
      }
      lower = band.upper;
    }
  }
}

TEST(NoteHead, HasASharpSignExactlyForSharpCodesAndLedgerLinesOffTheStaff) {
  struct Case {
    const char* code;
    bool sharp;
    bool ledger;
  };
  const Case cases[] = {
      {"11", false, true},  {"12", true, true},   {"13", false, false}, {"14", true, false},
      {"21", false, false}, {"22", true, false},  {"23", false, false}, {"24", true, false},
      {"31", false, false}, {"32", false, false}, {"41", false, false}, {"42", true, false},
      {"43", false, false}, {"44", true, false},  {"51", false, false}, {"52", true, false},
      {"53", false, false}, {"54", true, false},  {"61", false, false}, {"62", true, false},
      {"63", false, true},  {"64", true, true},   {"71", false, false}, {"72", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const QImage image = Load(std::string(c.code) + ".bmp");
    ASSERT_FALSE(image.isNull());
    bool sharpSign = false;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 1; x <= 5; ++x) sharpSign |= !LineRow(y) && Black(image, x, y);
    }
    EXPECT_EQ(sharpSign, c.sharp);
    bool ledger = false;
    for (int y = 0; y < image.height(); ++y) {
      int run = 0;
      for (int x = 0; x < image.width(); ++x) {
        run = Black(image, x, y) ? run + 1 : 0;
        ledger |= !LineRow(y) && run >= 10;
      }
    }
    EXPECT_EQ(ledger, c.ledger);
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
