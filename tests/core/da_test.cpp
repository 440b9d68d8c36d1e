// SPDX-License-Identifier: MIT
#include "core/da.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/programfolder.h"

namespace {

TEST(AppFolder, GetsExactlyOneTrailingSeparator) {
  struct Case {
    const char* folder;
    char separator;
    const char* expected;
  } cases[] = {
      {R"(C:\Tools\Melody)", '\\', R"(C:\Tools\Melody\)"}, {R"(C:\)", '\\', R"(C:\)"},
      {"/opt/merinkast98", '/', "/opt/merinkast98/"},      {"/", '/', "/"},
      {"/opt/merinkast98/", '/', "/opt/merinkast98/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Da::WithTrailingSeparator(c.folder, c.separator), c.expected) << c.folder;
  }
}

TEST(AppFolder, IsTheFolderOfTheRunningProgram) {
  const merin::test::ScopedProgramFolder unset("");
  Da::InitAppFolder();
  ASSERT_FALSE(Da::AppFolder.empty());
  EXPECT_EQ(Da::AppFolder.back(), '/');
  EXPECT_TRUE(std::filesystem::is_regular_file(Da::AppFolder + "core_test")) << Da::AppFolder;
  EXPECT_EQ(Da::PathOf("core_test"), Da::AppFolder + "core_test");
}

TEST(AppFolder, IsSetOnceAndPutBackByTheTestFixture) {
  const std::string before = Da::AppFolder;
  {
    const merin::test::ScopedProgramFolder outer("/outer");
    EXPECT_EQ(Da::PathOf("open.wav"), "/outer/open.wav");
    {
      const merin::test::ScopedProgramFolder inner("/inner/");
      Da::InitAppFolder();
      EXPECT_EQ(Da::PathOf("11.bmp"), "/inner/11.bmp");
    }
    EXPECT_EQ(Da::AppFolder, "/outer/");
  }
  EXPECT_EQ(Da::AppFolder, before);
}

}  // namespace
