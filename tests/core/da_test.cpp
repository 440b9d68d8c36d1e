#include "core/da.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(AppFolder, GetsExactlyOneTrailingSeparator) {
  struct Case {
    const char* folder;
    char separator;
    const char* expected;
  } cases[] = {
      {R"(C:\Tools\Melody)", '\\', R"(C:\Tools\Melody\)"},
      {R"(C:\)", '\\', R"(C:\)"},
      {"/opt/merinkast98", '/', "/opt/merinkast98/"},
      {"/", '/', "/"},
      {"/opt/merinkast98/", '/', "/opt/merinkast98/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Da::WithTrailingSeparator(c.folder, c.separator), c.expected) << c.folder;
  }
}

TEST(AppFolder, IsTheFolderOfTheRunningProgram) {
  Da::InitAppFolder();
  ASSERT_FALSE(Da::AppFolder.empty());
  EXPECT_EQ(Da::AppFolder.back(), '/');
  EXPECT_TRUE(std::filesystem::is_regular_file(Da::AppFolder + "core_test")) << Da::AppFolder;
}

}  // namespace
