// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "core/programfiles.h"
#include "support/runprogram.h"

namespace {

namespace fs = std::filesystem;
const fs::path kRoot = MERIN_INSTALL_ROOT;
const fs::path kFolder = kRoot / "lib/merinkast98";

TEST(InstalledTree, ProgramFolderHoldsTheBinariesAndEveryAssetAndNothingElse) {
  std::set<std::string> names(merin::ProgramFiles().begin(), merin::ProgramFiles().end());
  names.insert("merinkast98");
  names.insert("merinkast98-keys");
  for (const std::string& name : names) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(kFolder / name))) << name;
    EXPECT_GT(fs::file_size(kFolder / name), 0u) << name;
  }
  std::set<std::string> found;
  for (const fs::directory_entry& entry : fs::directory_iterator(kFolder)) {
    found.insert(entry.path().filename().string());
  }
  EXPECT_EQ(found, names);
}

TEST(InstalledTree, BinLinksLeadRelativelyIntoTheProgramFolder) {
  for (const char* binary : {"merinkast98", "merinkast98-keys"}) {
    SCOPED_TRACE(binary);
    const fs::path link = kRoot / "bin" / binary;
    ASSERT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::read_symlink(link).is_relative());
    EXPECT_EQ(fs::canonical(link), fs::canonical(kFolder / binary));
  }
}

TEST(InstalledTree, KeysToolRunsThroughItsLink) {
  const auto result =
      merin::test::RunProgram((kRoot / "bin/merinkast98-keys").string(), {"11", "01"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("[1]"), std::string::npos) << result.out;
}

TEST(InstalledTree, MenuEntryIconsAndDescription) {
  EXPECT_TRUE(fs::is_regular_file(kRoot / "share/applications" / (MERIN_APP_ID ".desktop")));
  EXPECT_TRUE(fs::is_regular_file(kRoot / "share/metainfo" / (MERIN_APP_ID ".metainfo.xml")));
  for (int size : merin::kHicolorIconSizes) {
    const std::string dimension = std::to_string(size) + "x" + std::to_string(size);
    EXPECT_TRUE(
        fs::is_regular_file(kRoot / "share/icons/hicolor" / dimension / "apps/merinkast98.png"))
        << size;
  }
  std::ifstream entry(kRoot / "share/applications" / (MERIN_APP_ID ".desktop"));
  const std::string text((std::istreambuf_iterator<char>(entry)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("\nExec=merinkast98 %f\n"), std::string::npos);
  // Every format read: the tunes, and the recordings a tune is listened from.
  EXPECT_NE(text.find("\nMimeType=application/x-merinkast98-melody;text/x-iMelody;"
                      "audio/x-flipper-music;audio/x-rtttl;audio/midi;audio/x-wav;audio/flac;"
                      "audio/ogg;audio/mpeg;\n"),
            std::string::npos);
  EXPECT_TRUE(fs::is_regular_file(kRoot / "share/mime/packages/merinkast98.xml"));
  EXPECT_TRUE(fs::is_regular_file(kRoot / "share/doc/merinkast98/copyright"));
  EXPECT_NE(text.find("\nIcon=merinkast98\n"), std::string::npos);
}

// A program started through a link in another folder still finds its own folder, and so its
// pictures and sounds.
TEST(ProgramFolder, IsFoundThroughALink) {
  const fs::path root = fs::path(MERIN_PROBE_WORK) / "moved";
  fs::remove_all(root);
  fs::create_directories(root / "lib/merinkast98");
  fs::create_directories(root / "bin");
  fs::copy_file(MERIN_PROBE, root / "lib/merinkast98/probe");
  fs::create_symlink("../lib/merinkast98/probe", root / "bin/probe");
  const auto result = merin::test::RunProgram((root / "bin/probe").string(), {});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.out, fs::canonical(root / "lib/merinkast98").string() + "\n");
}

}  // namespace
