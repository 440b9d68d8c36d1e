// SPDX-License-Identifier: MIT
#include "formats/fileio.h"

#include "formats/audioexport.h"
#include "formats/writeas.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
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
      {folder / "missing", folder / "missing" + ": no such file or folder"},
      {folder / "file/child", folder / "file/child" + ": a part of the path is not a folder"},
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
  auto read = ReadInputFile("/dev/zero", Accept::Anything);
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
            folder / "secret" + ": permission denied");
}

// What a write said, in English; empty when it wrote.
std::string Said(const std::optional<Refusal>& failure) {
  return failure ? Words(*failure, Language::English) : "";
}

TEST(WriteFileAtomically, ReplacesTheFileAndKeepsItsModeOwnerAndLinks) {
  TempFolder folder;
  WriteBytes(folder / "song.mk98", "old");
  WriteBytes(folder / "linked.mk98", "old");
  std::filesystem::create_directory(folder / "sub");
  std::filesystem::create_symlink("../linked.mk98", folder / "sub/link.mk98");
  std::filesystem::create_symlink("sub/link.mk98", folder / "chain.mk98");
  const bool root = geteuid() == 0;
  struct Case {
    std::string written, replaced;
    mode_t mode;
    uid_t owner;  // given to the file first when we are root
  } cases[] = {
      {folder / "song.mk98", folder / "song.mk98", 0666, 0},
      {folder / "song.mk98", folder / "song.mk98", 0640, root ? 4321u : geteuid()},
      {folder / "sub/link.mk98", folder / "linked.mk98", 0604, 0},
      {folder / "chain.mk98", folder / "linked.mk98", 0644, 0},
  };
  for (const Case& c : cases) {
    chmod(c.replaced.c_str(), c.mode);
    if (root) {
      ASSERT_EQ(chown(c.replaced.c_str(), c.owner, c.owner), 0);
    }
    ASSERT_EQ(Said(WriteFileAtomically(c.written, std::string("ne\0w", 4))), "");
    EXPECT_EQ(ReadBytes(c.replaced), std::string("ne\0w", 4)) << c.written;
    struct stat info {};
    ASSERT_EQ(stat(c.replaced.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, c.mode) << c.written;
    if (root) {
      EXPECT_EQ(info.st_uid, c.owner) << c.written;
    }
  }
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "sub/link.mk98"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "chain.mk98"));
  // Extended attributes go with the file, where the file system has them.
  const std::string song = folder / "song.mk98";
  if (setxattr(song.c_str(), "user.merin", "kept", 4, 0) == 0) {
    ASSERT_EQ(Said(WriteFileAtomically(song, "newer")), "");
    char value[8] = {};
    EXPECT_EQ(getxattr(song.c_str(), "user.merin", value, sizeof value), 4);
    EXPECT_STREQ(value, "kept");
  } else {
    EXPECT_EQ(errno, ENOTSUP) << "attributes are refused only where the file system has none";
  }
  EXPECT_EQ(folder.Entries(),
            (std::set<std::string>{"chain.mk98", "linked.mk98", "song.mk98", "sub"}));
}

// A refused write, whatever the reason, leaves the old file and no temporary.
TEST(WriteFileAtomically, AFailureKeepsTheOldFile) {
  TempFolder folder;
  const std::string old = folder / "old.mk98";
  WriteBytes(old, "old melody");
  WriteBytes(folder / "plain", "x");
  WriteBytes(folder / "locked.mk98", "locked");
  chmod((folder / "locked.mk98").c_str(), 0444);
  std::filesystem::create_directory(folder / "dir");
  mkfifo((folder / "pipe").c_str(), 0666);
  const std::string longest = folder / std::string(250, 'n');
  const std::string tooLong = folder / std::string(300, 'n');
  struct Case {
    std::string target, reason;
  } cases[] = {
      {folder / "gone/new.mk98", "no such file or folder"},
      {folder / "plain/new.mk98", "a part of the path is not a folder"},
      {folder / "dir", "is a folder"},
      {folder / "pipe", "not a regular file (a device, socket or pipe)"},
      {folder / "locked.mk98", "the file is read-only"},
      {tooLong, "file name too long"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Said(WriteFileAtomically(c.target, "new")),
              "cannot write " + c.target + ": " + c.reason);
  }
  EXPECT_EQ(ReadBytes(old), "old melody");
  EXPECT_EQ(ReadBytes(folder / "locked.mk98"), "locked");
  EXPECT_TRUE(std::filesystem::is_empty(folder / "dir"));
  EXPECT_EQ(Said(WriteFileAtomically(longest, "new")), "") << "a legal name of 250 bytes";
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"dir", "locked.mk98", "old.mk98", "pipe",
                                                     "plain", std::string(250, 'n')}));
}

// A file size limit fails the write the way a full disk does (EFBIG instead of ENOSPC), and
// binds root too; every format, audio included, keeps the old file byte for byte.
TEST(WriteFileAtomically, AFullDiskKeepsTheOldFileInEveryFormat) {
  TempFolder folder;
  SlotCodes codes;
  codes.fill("11");
  std::vector<std::string> formats = {"mk98", "rtttl", "mid"};
  for (const std::string& audio : WritableAudioExtensions()) formats.push_back(audio);
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* previous = signal(SIGXFSZ, SIG_IGN);
  for (const std::string& format : formats) {
    const std::string target = folder / ("song." + format);
    const std::string old(40, '\xA5');
    WriteBytes(target, old);
    rlimit limit = saved;
    limit.rlim_cur = 48;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const auto failure = WriteAs(codes, format, MERIN_PROGRAM_DIR, target);
    setrlimit(RLIMIT_FSIZE, &saved);
    ASSERT_TRUE(failure) << format;
    EXPECT_EQ(Words(*failure, Language::English), "cannot write " + target + ": file too large");
    EXPECT_EQ(ReadBytes(target), old) << format;
  }
  signal(SIGXFSZ, previous);
  EXPECT_EQ(folder.Entries().size(), formats.size()) << "no temporary is left";
}

// Sets the file's times a number of seconds back.
void Age(const std::string& path, int seconds) {
  const timespec then[2] = {{time(nullptr) - seconds, 0}, {time(nullptr) - seconds, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), then, AT_SYMLINK_NOFOLLOW), 0) << path;
}

// The sweep removes exactly the temporaries our writer names, left by a run that has ended, a
// minute old; anything else in the folder stays. No process has a number as high as 99999999.
TEST(WriteFileAtomically, RemovesOnlyTheOldTemporariesOfEndedRuns) {
  TempFolder folder;
  const std::string ours = ".merin-" + std::to_string(getpid()) + "-999.tmp";
  std::set<std::string> kept = {
      "song.mk98",
      "thesis.tmp-2024-05",  // the names other programs choose
      "db.tmp-99999-1",
      "x.mk98.tmp-99999999-7",
      ".merin-1-0.tmp",         // a process that runs
      ours,                     // this one
      ".merin-99999999-x.tmp",  // not our form
      ".merin--1.tmp",
      ".merin-99999999-.tmp",
      ".merin-99999999-1.tmp.bak",
      "a.merin-99999999-1.tmp",
      ".merin-99999999-2.tmp",  // a minute has not passed
      ".merin-99999999-3.tmp",  // a folder
      ".merin-99999999-4.tmp",  // a symbolic link
  };
  for (const std::string& name : kept) {
    if (!name.ends_with("-3.tmp") && !name.ends_with("-4.tmp")) WriteBytes(folder / name, "");
  }
  std::filesystem::create_directory(folder / ".merin-99999999-3.tmp");
  std::filesystem::create_symlink("song.mk98", folder / ".merin-99999999-4.tmp");
  if (geteuid() == 0) {  // another user's
    WriteBytes(folder / ".merin-99999999-5.tmp", "");
    ASSERT_EQ(chown((folder / ".merin-99999999-5.tmp").c_str(), 4321, 4321), 0);
    kept.insert(".merin-99999999-5.tmp");
  }
  for (const std::string& name : kept) {
    if (!name.ends_with("-2.tmp")) Age(folder / name, 120);
  }
  WriteBytes(folder / ".merin-99999999-0.tmp", "");
  Age(folder / ".merin-99999999-0.tmp", 120);
  ASSERT_EQ(Said(WriteFileAtomically(folder / "song.mk98", "new")), "");
  EXPECT_EQ(folder.Entries(), kept);
  WriteBytes(folder / ".merin-99999999-1.tmp", "");
  Age(folder / ".merin-99999999-1.tmp", 120);
  ASSERT_EQ(Said(WriteFileAtomically(folder / "song.mk98", "new")), "");
  EXPECT_TRUE(folder.Entries().contains(".merin-99999999-1.tmp")) << "a folder is swept once a run";
}

}  // namespace
}  // namespace merin::formats
