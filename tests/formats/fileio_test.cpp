// SPDX-License-Identifier: MIT
#include "formats/fileio.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/tempfolder.h"

namespace merin::formats {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

TEST(ReadInputFile, ReturnsTheBytesOfAFileUpTo64KiB) {
  TempFolder folder;
  std::string big(kMaxInputBytes, 'x');
  big[0] = '\0';
  big.back() = '\xff';
  for (const std::string& bytes : {std::string(), std::string("C4 D4\r\n"), big}) {
    WriteBytes(folder / "in", bytes);
    auto read = ReadInputFile(folder / "in");
    ASSERT_TRUE(std::holds_alternative<std::string>(read))
        << Words(std::get<1>(read), Language::English);
    EXPECT_EQ(std::get<std::string>(read), bytes);
  }
}

TEST(ReadInputFile, ReadsAPipe) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(write(fds[1], "E4 r", 4), 4);
  close(fds[1]);
  auto read = ReadInputFile("/dev/fd/" + std::to_string(fds[0]));
  close(fds[0]);
  ASSERT_TRUE(std::holds_alternative<std::string>(read))
      << Words(std::get<1>(read), Language::English);
  EXPECT_EQ(std::get<std::string>(read), "E4 r");
}

TEST(ReadInputFile, ReadsAFileThatTellsNoSize) {
  // Files under /proc say they are empty and are not.
  auto read = ReadInputFile("/proc/self/status");
  ASSERT_TRUE(std::holds_alternative<std::string>(read))
      << Words(std::get<1>(read), Language::English);
  EXPECT_NE(std::get<std::string>(read).find("Pid:"), std::string::npos);
}

TEST(ReadInputFile, RefusesWhatIsNoReadableSmallFile) {
  TempFolder folder;
  WriteBytes(folder / "big", std::string(kMaxInputBytes + 1, 'x'));
  WriteBytes(folder / "file", "C4");
  std::filesystem::create_directory(folder / "dir");
  struct Case {
    std::string path, message;
  } cases[] = {
      {folder / "big", folder / "big" + ": larger than 64 KiB"},
      {folder / "dir", folder / "dir" + ": is a folder, not a file"},
      {folder / "missing", folder / "missing" + ": No such file or directory"},
      {folder / "file/child", folder / "file/child" + ": Not a directory"},
  };
  for (const auto& c : cases) {
    auto read = ReadInputFile(c.path);
    ASSERT_TRUE(std::holds_alternative<Refusal>(read)) << c.path;
    const auto& error = std::get<Refusal>(read);
    EXPECT_EQ(error.file, c.path);
    EXPECT_EQ(error.line, 0u);
    EXPECT_EQ(Words(error, Language::English), c.message);
  }
}

TEST(ReadInputFile, RefusesABiggerStreamAfter64KiB) {
  // /dev/zero has no size to look at; the read itself must stop.
  auto read = ReadInputFile("/dev/zero");
  ASSERT_TRUE(std::holds_alternative<Refusal>(read));
  EXPECT_EQ(Words(std::get<Refusal>(read), Language::English), "/dev/zero: larger than 64 KiB");
}

TEST(ReadInputFile, RefusesAnUnreadableFile) {
  TempFolder folder;
  WriteBytes(folder / "secret", "C4");
  chmod((folder / "secret").c_str(), 0);
  if (access((folder / "secret").c_str(), R_OK) == 0) {
    GTEST_SKIP() << "permission bits do not bind this user (root)";
  }
  auto read = ReadInputFile(folder / "secret");
  ASSERT_TRUE(std::holds_alternative<Refusal>(read));
  EXPECT_EQ(Words(std::get<Refusal>(read), Language::English),
            folder / "secret" + ": Permission denied");
}

TEST(WriteFileAtomically, ReplacesTheFileAndLeavesNothingElse) {
  TempFolder folder;
  const std::string target = folder / "song.mk98";
  EXPECT_EQ(WriteFileAtomically(target, "first"), std::nullopt);
  EXPECT_EQ(ReadBytes(target), "first");
  chmod(target.c_str(), 0640);
  EXPECT_EQ(WriteFileAtomically(target, std::string("sec\0nd", 6)), std::nullopt);
  EXPECT_EQ(ReadBytes(target), std::string("sec\0nd", 6));
  struct stat info {};
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u) << "a replaced file keeps its permissions";
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"song.mk98"});
}

TEST(WriteFileAtomically, CallbackWritesTheTemporaryBesideTheTarget) {
  TempFolder folder;
  const std::string target = folder / "out.wav";
  std::string seen;
  auto error = WriteFileAtomically(target, [&](const std::string& temporary) {
    seen = temporary;
    WriteBytes(temporary, "RIFF");
    return std::optional<std::string>();
  });
  EXPECT_EQ(error, std::nullopt);
  EXPECT_EQ(std::filesystem::path(seen).parent_path(), folder.path());
  EXPECT_NE(seen, target);
  EXPECT_EQ(ReadBytes(target), "RIFF");
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"out.wav"});
}

// A failed write, whatever the reason, leaves the old file and no temporary.
TEST(WriteFileAtomically, AFailureKeepsTheOldFile) {
  TempFolder folder;
  const std::string old = folder / "old.mk98";
  WriteBytes(old, "old melody");
  WriteBytes(folder / "plain", "x");
  std::filesystem::create_directory(folder / "dir");
  struct Case {
    std::string target, message;
  } cases[] = {
      {folder / "gone/new.mk98",
       "cannot write " + folder / "gone/new.mk98" + ": No such file or directory"},
      {folder / "plain/new.mk98",
       "cannot write " + folder / "plain/new.mk98" + ": Not a directory"},
      {folder / "dir", "cannot write " + folder / "dir" + ": Is a directory"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WriteFileAtomically(c.target, "new"), c.message);
    EXPECT_EQ(WriteFileAtomically(c.target,
                                  [](const std::string& temporary) {
                                    WriteBytes(temporary, "new");
                                    return std::optional<std::string>();
                                  }),
              c.message);
  }
  EXPECT_EQ(ReadBytes(old), "old melody");
  EXPECT_TRUE(std::filesystem::is_empty(folder / "dir"));
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"dir", "old.mk98", "plain"}));
}

TEST(WriteFileAtomically, AFullDiskKeepsTheOldFile) {
  // A file size limit fails the write the way a full disk does (EFBIG instead of ENOSPC), and
  // binds root too.
  TempFolder folder;
  const std::string target = folder / "song.mk98";
  WriteBytes(target, "old melody");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* previous = signal(SIGXFSZ, SIG_IGN);
  rlimit limit = saved;
  limit.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  const auto error = WriteFileAtomically(target, std::string(10000, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, previous);
  EXPECT_EQ(error, "cannot write " + target + ": File too large");
  EXPECT_EQ(ReadBytes(target), "old melody");
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"song.mk98"});
}

TEST(WriteFileAtomically, AFailingCallbackKeepsTheOldFile) {
  TempFolder folder;
  const std::string target = folder / "song.flac";
  WriteBytes(target, "old sound");
  auto error = WriteFileAtomically(target, [](const std::string& temporary) {
    WriteBytes(temporary, "half a sou");
    return std::optional<std::string>("cannot read 11.wav");
  });
  EXPECT_EQ(error, "cannot read 11.wav");
  EXPECT_EQ(ReadBytes(target), "old sound");
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"song.flac"});
}

TEST(WriteFileAtomically, AReadOnlyFolderKeepsTheOldFile) {
  TempFolder folder;
  const std::string target = folder / "song.mk98";
  WriteBytes(target, "old melody");
  chmod(folder.path().c_str(), 0555);
  if (access(folder.path().c_str(), W_OK) == 0) {
    GTEST_SKIP() << "permission bits do not bind this user (root); the other failures cover it";
  }
  EXPECT_EQ(WriteFileAtomically(target, "new"), "cannot write " + target + ": Permission denied");
  EXPECT_EQ(ReadBytes(target), "old melody");
}

}  // namespace
}  // namespace merin::formats
