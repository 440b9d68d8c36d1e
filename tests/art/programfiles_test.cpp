// SPDX-License-Identifier: MIT
#include "core/programfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "core/notecode.h"
#include "core/pitch.h"
#include "entry/keyboard.h"
#include "entry/staff.h"

namespace merin {
namespace {

// Every file a handler can ask for is in the inventory, so it is drawn, installed and packaged.
TEST(ProgramFiles, HoldEveryFileAHandlerAsksForOnce) {
  const std::set<std::string> files(ProgramFiles().begin(), ProgramFiles().end());
  EXPECT_EQ(files.size(), ProgramFiles().size()) << "a file is listed twice";
  std::set<std::string> wanted = {std::string(kEmptyPicture), PictureFileOf(kRestCode),
                                  WaveFileOf(kRestCode),      WaveFileOf(kEmptyCode),
                                  std::string(kOpeningSound), std::string(kClosingSound)};
  for (std::string_view code : kWhiteKeyCodes) wanted.insert(PictureFileOf(code));
  for (std::string_view code : kBlackKeyCodes) wanted.insert(PictureFileOf(code));
  for (const StaffBand& band : NaturalBands) wanted.insert(PictureFileOf(band.code));
  for (const StaffBand& band : SharpBands) wanted.insert(PictureFileOf(band.code));
  for (const std::string& code : NoteCodes()) wanted.insert(WaveFileOf(code));
  for (const std::string& name : wanted) EXPECT_TRUE(files.count(name)) << name;
  EXPECT_EQ(files, wanted) << "a listed file that nothing asks for";
}

TEST(ProgramFiles, PicturesAndSoundsSplitTheListInItsOrder) {
  std::vector<std::string> joined = ProgramPictures();
  for (const std::string& sound : ProgramSounds()) joined.push_back(sound);
  EXPECT_EQ(joined, ProgramFiles());
  for (const std::string& name : ProgramPictures()) EXPECT_TRUE(name.ends_with(".bmp")) << name;
}

// The build drew every listed file into the program's folder.
TEST(ProgramFiles, AreAllInTheBuiltProgramFolder) {
  for (const std::string& name : ProgramFiles()) {
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(MERIN_PROGRAM_DIR) / name))
        << name;
  }
}

}  // namespace
}  // namespace merin
