// SPDX-License-Identifier: MIT
#include "art/pictureloader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "core/melodyview.h"

namespace merin::test {
namespace {

class PictureLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    QImage picture(21, 111, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    ASSERT_TRUE(picture.save(folder.filePath("good.bmp"), "BMP"));
  }
  std::string path(const char* name) const { return folder.filePath(name).toStdString(); }
  // A copy of good.bmp called `name`, cut to `size` bytes (all of it when negative).
  std::string copy(const char* name, qint64 size) const {
    const QString to = folder.filePath(name);
    EXPECT_TRUE(QFile::copy(folder.filePath("good.bmp"), to));
    QFile file(to);
    if (size >= 0) {
      EXPECT_TRUE(file.resize(size));
    }
    return to.toStdString();
  }

  QTemporaryDir folder;
};

TEST_F(PictureLoaderTest, AWholeBitmapIsReadAsItIs) {
  const QImage picture = art::LoadPicture(path("good.bmp"));
  EXPECT_EQ(picture.size(), QSize(21, 111));
  EXPECT_EQ(picture.pixelColor(10, 40), QColor(10, 20, 30));
}

TEST_F(PictureLoaderTest, ABitmapWhoseHeaderLeavesItsLengthUnsaidIsRead) {
  const std::string name = copy("unsaid.bmp", -1);
  QFile file(QString::fromStdString(name));
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.seek(2));
  ASSERT_EQ(file.write(QByteArray(4, '\0')), 4);
  file.close();
  EXPECT_EQ(art::LoadPicture(name).pixelColor(10, 40), QColor(10, 20, 30));
}

TEST_F(PictureLoaderTest, AMissingFileOrOneCutShortThrowsNamingIt) {
  const qint64 whole = QFile(folder.filePath("good.bmp")).size();
  const qint64 row = 64;  // 21 pixels of 3 bytes, padded to 4
  ASSERT_EQ(whole, 54 + 111 * row) << "a 24-bit bitmap is expected";
  struct Case {
    const char* name;
    qint64 size;              // bytes of good.bmp kept; -1 for no file at all
    std::string_view reason;  // the row that says it
  } cases[] = {
      {"missing.bmp", -1, "system.no-such-file"},     {"empty.bmp", 0, "picture.not-a-picture"},
      {"halfheader.bmp", 10, "picture.cut"},          {"headeronly.bmp", 54, "picture.cut"},
      {"halved.bmp", whole / 2, "picture.cut"},       {"lastrow.bmp", whole - row, "picture.cut"},
      {"onebyteshort.bmp", whole - 1, "picture.cut"},
  };
  for (const Case& c : cases) {
    const std::string name = c.size < 0 ? path(c.name) : copy(c.name, c.size);
    try {
      art::LoadPicture(name);
      ADD_FAILURE() << c.name << " was read";
    } catch (const PictureLoadError& error) {
      EXPECT_EQ(error.refusal().file, name);
      EXPECT_EQ(error.refusal().fault->id, c.reason) << c.name;
      EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
    }
  }
}

TEST_F(PictureLoaderTest, TextIsNoPicture) {
  QFile file(folder.filePath("text.bmp"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("11 12 13 14 21 22\n");
  file.close();
  EXPECT_THROW(art::LoadPicture(path("text.bmp")), PictureLoadError);
}

}  // namespace
}  // namespace merin::test
