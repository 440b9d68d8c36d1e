// SPDX-License-Identifier: MIT
// merinkast98-keys reading melody files and RTTTL (-i, standard input) and writing every format
// (-o FILE, -o DIR/ -f FORMAT), with its exit statuses.
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>
#include <tuple>

#include "core/coretexts.h"
#include "core/pitch.h"
#include "formats/audioexport.h"
#include "formats/imelody.h"
#include "formats/melodyfile.h"
#include "formats/midi.h"
#include "formats/rtttl.h"
#include "output/convert.h"
#include "support/melodies.h"
#include "support/runprogram.h"
#include "support/soundcheck.h"
#include "support/tempfolder.h"

namespace merin {
namespace {

using test::MelodyOf;

using test::ReadBytes;
using test::RunProgram;
using test::TempFolder;
using test::WriteBytes;

// The twinkle tune: as RTTTL (one octave too high for the handset, two durations), as a melody
// file, and its slots once imported.
constexpr const char* kTwinkleRtttl = "Twinkle:d=4,o=6,b=120:c,c,g,g,a,a,2g,f,f,e,e,d,d,2c";
constexpr const char* kTwinkleFile =
    "# Merinkast98 melody\r\n"
    "C5 C5 G5 G5 A5 A5 G5 F5 F5 E5\r\n"
    "\tE5 D5 D5 C5\r\n";
const SlotCodes kTwinkle =
    MelodyOf({"13", "13", "53", "53", "63", "63", "53", "43", "43", "32", "32", "23", "23", "13"});

TEST(KeysProgramFiles, ReadsAMelodyFileOrRtttlFromAFileOrStandardInput) {
  TempFolder dir;
  WriteBytes(dir / "twinkle.mk98", kTwinkleFile);
  WriteBytes(dir / "twinkle.rtttl", kTwinkleRtttl);
  WriteBytes(dir / "twinkle.txt", kTwinkleRtttl);  // the content decides, not the extension
  const std::string listing = ConvertMelody(kTwinkle);
  struct Case {
    std::vector<std::string> args;
    std::string input;
    bool report;  // the RTTTL import tells what it changed
  } cases[] = {
      {{"-i", dir / "twinkle.mk98"}, "", false},
      {{"-i", dir / "twinkle.rtttl"}, "", true},
      {{"-i", dir / "twinkle.txt"}, "", true},
      {{"-i", "-"}, kTwinkleFile, false},
      {{"-i", "-"}, kTwinkleRtttl, true},
      {{}, kTwinkleRtttl, true},
      {{}, kTwinkleFile, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "standard input" : c.args.back());
    auto result = RunProgram(MERIN_KEYS_PROGRAM, c.args, c.input);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, listing);
    if (c.report) {
      const std::string name =
          c.args.empty() || c.args.back() == "-" ? "standard input" : c.args.back();
      EXPECT_EQ(result.err.rfind("merinkast98-keys: " + name + ": ", 0), 0u) << result.err;
      EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 2) << result.err;
    } else {
      EXPECT_EQ(result.err, "");
    }
  }
}

TEST(KeysProgramFiles, OptionsAndTheirExitStatuses) {
  TempFolder dir;
  WriteBytes(dir / "twinkle.mk98", kTwinkleFile);
  WriteBytes(dir / "bad.mk98", "# Merinkast98 melody\nC4 D4\n   H4\n");
  WriteBytes(dir / "bad.rtttl", "x:d=4,o=5:c,d,q");
  struct Case {
    std::vector<std::string> args;
    int exitCode;
    std::string message;  // what stderr starts with after the program's name
  } cases[] = {
      {{"-i", dir / "missing.mk98"}, 2, dir / "missing.mk98: no such file or folder"},
      {{"-i", dir / "bad.mk98"}, 2, dir / "bad.mk98:3:4: \"H4\": not a note code"},
      {{"-i", dir / "bad.rtttl"}, 2, dir / "bad.rtttl:1:15: \"q\": "},
      {{"-i", dir.path().string()}, 2, dir.path().string() + ": is a folder"},
      {{"-i"}, 2, "argument 1 \"-i\": needs a value"},
      {{"C4", "-i", dir / "twinkle.mk98"}, 2, "tokens and -i cannot be given together"},
      {{"-i", dir / "twinkle.mk98", "-i", dir / "twinkle.mk98"}, 2, "several -i need -o DIR/"},
      {{"-i", dir / "twinkle.mk98", "-o", dir / "x.doc"}, 2, dir / "x.doc: no such format \"doc\""},
      {{"-i", dir / "twinkle.mk98", "-o", dir / "x"}, 2, dir / "x: no extension to tell"},
      {{"-i", dir / "twinkle.mk98", "-o", dir / "out/"}, 2, "-o " + dir / "out/ needs -f FORMAT"},
      {{"-i", dir / "twinkle.mk98", "-o", dir / "x.mid", "-f", "mid"}, 2, "-f goes with -o DIR/"},
      {{"-o", dir / "out/", "-f", "mid"}, 2, "-o DIR/ needs input files"},
      {{"-i", "-", "-o", dir / "out/", "-f", "mid"}, 2, "-o DIR/ needs files named by -i"},
      {{"-i", dir / "twinkle.mk98", "-o", dir / "out/", "-f", "doc"}, 2, dir / "out/: no such"},
      {{"-i", dir / "twinkle.mk98", "-o", dir / "none/x.mid"},
       1,
       "cannot write " + dir / "none/x.mid: no such file or folder"},
      {{"C4", "-o", dir / (std::string(300, 'n') + ".mid")},
       1,
       "cannot write " + dir / (std::string(300, 'n') + ".mid: file name too long")},
      {{"-", "-o", dir / "e.wav"}, 2, dir / "e.wav: the melody is empty; there is nothing"},
      {{"-i", "/dev/null"}, 2, "/dev/null: not a regular file"},
      {{"-i", dir / "a\a.mk98"}, 2, dir / "a\\x07.mk98: no such file or folder"},
      {{"C4\x1b[2J"}, 2, "token 1 \"C4\\x1b[2J\": not a note code"},
      {{"-\x9b\xC2\x9b"}, 2, "argument 1 \"-\\x9b\\xc2\\x9b\": unknown option"},
      {{"--", "-i"}, 2, "token 1 \"-i\": not a note code"},
      {{"--tune", "2", "-i", dir / "twinkle.mk98"}, 2, dir / "twinkle.mk98: no tunes to choose"},
      {{"--part", "2", "-i", dir / "twinkle.mk98"}, 2, dir / "twinkle.mk98: has no parts"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    auto result = RunProgram(MERIN_KEYS_PROGRAM, c.args);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("merinkast98-keys: " + c.message, 0), 0u) << result.err;
  }
  EXPECT_EQ(dir.Entries(), (std::set<std::string>{"twinkle.mk98", "bad.mk98", "bad.rtttl"}));
}

// One melody, given as tokens, written in every format: each file holds what the formats
// library makes of it, and nothing is printed.
TEST(KeysProgramFiles, WritesEveryFormatByTheExtension) {
  TempFolder dir;
  const std::vector<std::string> tokens = {"C4", "r", "E5", "-", "B5", "c#4"};
  const SlotCodes codes = MelodyOf({"11", "01", "32", "99", "72", "12"});
  ASSERT_FALSE(formats::ExportAudio(codes, MERIN_PROGRAM_DIR, dir / "expected.wav"));
  const auto audio = formats::WritableAudioExtensions();
  for (const char* extension :
       {"mk98", "rtttl", "mid", "imy", "wav", "WAV", "flac", "ogg", "mp3"}) {
    SCOPED_TRACE(extension);
    const std::string target = dir / (std::string("tune.") + extension);
    std::vector<std::string> args = tokens;
    args.insert(args.end(), {"-o", target});
    auto result = RunProgram(MERIN_KEYS_PROGRAM, args);
    if (std::string(extension) == "mp3" &&
        std::find(audio.begin(), audio.end(), "mp3") == audio.end()) {
      EXPECT_EQ(result.exitCode, 1);
      EXPECT_NE(result.err.find("cannot write .mp3"), std::string::npos) << result.err;
      continue;
    }
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    const std::string bytes = ReadBytes(target);
    const std::string ext = extension;
    if (ext == "mk98") {
      EXPECT_EQ(bytes,
                "# Merinkast98 melody\n"
                "C4  r   E5  -   B5  C#4 -   -   -   -\n"
                "-   -   -   -   -   -   -   -   -   -\n"
                "-   -   -   -   -   -   -   -   -   -\n");
    } else if (ext == "rtttl") {
      EXPECT_EQ(bytes, "tune:d=4,o=5,b=214:c4,p,e5,p,b5,c#4");
    } else if (ext == "mid") {
      EXPECT_EQ(bytes, formats::WriteMidi(codes, "tune"));
    } else if (ext == "imy") {
      EXPECT_EQ(bytes, formats::WriteImelody(codes, "tune"));
    } else if (ext == "wav" || ext == "WAV") {
      EXPECT_TRUE(bytes == ReadBytes(dir / "expected.wav"));
    } else {
      const auto sound = test::Decode(target);
      EXPECT_TRUE(sound.ok);
      EXPECT_NEAR(double(sound.samples.size()), 6 * 12348.0, 1152);
    }
  }
}

// -o DIR/: every input converted under its own base name; a bad one is named, the others done.
TEST(KeysProgramFiles, ConvertsManyFilesIntoAFolderAndNamesTheOneThatFails) {
  TempFolder dir;
  std::filesystem::create_directories(dir / "in/more");
  WriteBytes(dir / "in/twinkle.rtttl", kTwinkleRtttl);
  WriteBytes(dir / "in/broken.rtttl", "broken:d=4,o=5,b=100:c,d,e,f,z");
  WriteBytes(dir / "in/more/scale.mk98", "C4 D4 E4 F4 G4 A4 B4 C5");
  WriteBytes(dir / "in/more/twinkle.txt", kTwinkleFile);  // the same base name as the first
  auto result = RunProgram(MERIN_KEYS_PROGRAM,
                           {"-i", dir / "in/twinkle.rtttl", "-i", dir / "in/broken.rtttl", "-i",
                            dir / "in/more/scale.mk98", "-i", dir / "in/more/twinkle.txt", "-o",
                            dir / "out/", "-f", "MID"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("merinkast98-keys: " + dir / "in/broken.rtttl:1:30: \"z\": "),
            std::string::npos)
      << result.err;
  EXPECT_NE(
      result.err.find("merinkast98-keys: " + dir / "in/more/twinkle.txt: not converted, " +
                      dir / "out/twinkle.mid is already written from " + dir / "in/twinkle.rtttl"),
      std::string::npos)
      << result.err;
  EXPECT_EQ(ReadBytes(dir / "out/twinkle.mid"), formats::WriteMidi(kTwinkle, "Twinkle"));
  EXPECT_EQ(
      ReadBytes(dir / "out/scale.mid"),
      formats::WriteMidi(MelodyOf({"11", "21", "31", "41", "51", "61", "71", "13"}), "scale"));
  EXPECT_FALSE(std::filesystem::exists(dir / "out/broken.mid"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out"), {}), 2);

  // All good: exit 0, in any format, into a folder that exists, the files given as arguments.
  result = RunProgram(MERIN_KEYS_PROGRAM, {"-o", dir / "out", "-f", "rtttl",
                                           dir / "in/twinkle.rtttl", dir / "in/more/scale.mk98"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadBytes(dir / "out/scale.rtttl"), "scale:d=4,o=5,b=214:c4,d4,e4,f4,g4,a4,b4,c5");
  EXPECT_EQ(ReadBytes(dir / "out/twinkle.rtttl"), formats::WriteRtttl(kTwinkle, "Twinkle"));

  // Audio, written side by side: each file as the library exports its melody alone.
  result = RunProgram(MERIN_KEYS_PROGRAM, {"-o", dir / "wav/", "-f", "wav",
                                           dir / "in/twinkle.rtttl", dir / "in/more/scale.mk98"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  ASSERT_FALSE(formats::ExportAudio(kTwinkle, MERIN_PROGRAM_DIR, dir / "twinkle.wav"));
  ASSERT_FALSE(formats::ExportAudio(MelodyOf({"11", "21", "31", "41", "51", "61", "71", "13"}),
                                    MERIN_PROGRAM_DIR, dir / "scale.wav"));
  EXPECT_TRUE(ReadBytes(dir / "wav/twinkle.wav") == ReadBytes(dir / "twinkle.wav"));
  EXPECT_TRUE(ReadBytes(dir / "wav/scale.wav") == ReadBytes(dir / "scale.wav"));
}

// A batch of several rounds: a base name repeated far back is found, faults named in input order.
TEST(KeysProgramFiles, ALongBatchNamesItsFaultsInOrder) {
  TempFolder dir;
  std::vector<std::string> args{"-o", dir / "out/", "-f", "mid"};
  for (int i = 0; i < 600; ++i) {
    args.push_back(dir / (i == 400 ? "a5.txt" : "a" + std::to_string(i) + ".mk98"));
    WriteBytes(args.back(), i == 450 ? "C4 H4" : NoteCodes()[size_t(i % 24)]);
  }
  const std::string why = Words(CoreText("token.not-a-token"), Language::English);
  const auto result = RunProgram(MERIN_KEYS_PROGRAM, args);
  EXPECT_EQ(result.err, "merinkast98-keys: " + dir / "a5.txt: not converted, " +
                            dir / "out/a5.mid is already written from " + dir / "a5.mk98\n" +
                            "merinkast98-keys: " + dir / "a450.mk98:1:4: \"H4\": " + why + "\n" +
                            "merinkast98-keys: wrote 598 files, 2 failed\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out"), {}), 598);
  EXPECT_EQ(ReadBytes(dir / "out/a599.mid"),
            formats::WriteMidi(MelodyOf({NoteCodes()[599 % 24]}), "a599"));
}

// A FIFO is read to its end, however late its writer comes.
TEST(KeysProgramFiles, ReadsAFifoWhoseWriterComesLater) {
  TempFolder dir;
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0666), 0);
  std::thread writer([&] {
    usleep(300000);
    WriteBytes(dir / "fifo", kTwinkleFile);
  });
  auto result = RunProgram(MERIN_KEYS_PROGRAM, {"-i", dir / "fifo", "-o", dir / "t.mk98"});
  writer.join();
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadBytes(dir / "t.mk98"), formats::WriteMelodyFile(kTwinkle));
}

// Two tracks: "Bass" (C3 D3) and "Tune" (C4, a silence of 1.3 beats, E4); the tune is the
// default.
std::string TwoPartMidi() {
  const auto track = [](const std::string& name, std::initializer_list<int> keys, int gap) {
    std::string body = std::string("\x00\xFF\x03", 3) + char(name.size()) + name;
    int delta = 0;
    for (const int key : keys) {
      body += {char(delta), '\x90', char(key), 'd', '\x60', '\x80', char(key), '@'};
      delta = gap;
    }
    body += std::string("\x00\xFF\x2F\x00", 4);
    return "MTrk" + std::string{'\0', '\0', char(body.size() >> 8), char(body.size())} + body;
  };
  return std::string("MThd\0\0\0\6\0\1\0\2\0\x60", 14) + track("Bass", {48, 50}, 0) +
         track("Tune", {60, 64}, 0x7F);
}

TEST(KeysProgramFiles, MidiPartsAndTheStartSlot) {
  TempFolder dir;
  WriteBytes(dir / "two.mid", TwoPartMidi());
  WriteBytes(dir / "t.rtttl", "T:d=4,o=5:c,d,e");
  const std::string file = dir / "two.mid";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out;  // the listing's melody, or what --parts prints
    std::string err;  // the first line on stderr
  } cases[] = {
      {{"-i", file},
       0,
       ConvertMelody(MelodyOf({"11", "01", "31"})),
       file + ": took part 2: Tune, channel 1, Acoustic Grand Piano"},
      {{"--part", "1", "-i", file},
       0,
       ConvertMelody(MelodyOf({"11", "21"})),
       file + ": took part 1: Bass, channel 1, Acoustic Grand Piano"},
      {{"--part=2", "--from=2", "-i", file}, 0, ConvertMelody(MelodyOf({"01", "31"})), ""},
      {{"--from", "2", "-i", dir / "t.rtttl"}, 0, ConvertMelody(MelodyOf({"23", "32"})), ""},
      {{"--parts", file},
       0,
       "1: track 1 \"Bass\", channel 1, Acoustic Grand Piano, 2 onsets, C3..D3\n"
       "2: track 2 \"Tune\", channel 1, Acoustic Grand Piano, 2 onsets, C4..E4\n",
       ""},
      {{"--part", "0", "-i", file}, 2, "", "argument 1 \"--part\": needs a number from 1"},
      {{"--parts", dir / "t.rtttl"}, 2, "", dir / "t.rtttl" + ": has no parts"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.front() + " " + c.args[1]);
    auto result = RunProgram(MERIN_KEYS_PROGRAM, c.args);
    EXPECT_EQ(result.exitCode, c.status) << result.err;
    EXPECT_EQ(result.out, c.out);
    if (!c.err.empty()) {
      EXPECT_EQ(result.err.rfind("merinkast98-keys: " + c.err, 0), 0u) << result.err;
    }
  }
}

TEST(KeysProgramFiles, ChoosesListsAndSplitsTheTunesOfACollection) {
  TempFolder dir;
  const std::string file = dir / "c.rtttl";
  WriteBytes(file, "# tunes\nIndiana:d=4,o=5:e,p,f,g\n\nBad:d=4:c,x\nLong:d=8,o=5:c,d,\n e,f\n");
  const std::string me = "merinkast98-keys: ";
  const std::string bad = file + ":4:11: \"x\": not a note letter (a..g, h) or a pause (p)";
  const SlotCodes long_ = MelodyOf({"13", "23", "32", "43"});
  // The arguments, standard output and standard error; exit status 0 when something is printed.
  const std::tuple<std::vector<std::string>, std::string, std::string> cases[] = {
      {{"--tunes", "-i", file},
       "1: Indiana (4 notes)\n2: Bad: " + bad + "\n3: Long (4 notes)\n",
       ""},
      {{"-i", file},
       ConvertMelody(MelodyOf({"32", "01", "43", "53"})),
       me + file + ": took tune 1 of 3: Indiana\n"},
      {{"--tune=3", "-i", file}, ConvertMelody(long_), me + file + ": took tune 3 of 3: Long\n"},
      {{"--tune", "2", "-i", file}, "", me + bad + "\n"},
      {{"--tune", "4", "-i", file}, "", me + file + ": no tune 4 (the text has 3)\n"},
      {{"--tune=0", file},
       "",
       me + "argument 1 \"--tune=0\": needs a number from 1 (try --help)\n"},
  };
  for (const auto& [args, out, err] : cases) {
    auto result = RunProgram(MERIN_KEYS_PROGRAM, args);
    EXPECT_EQ(result.exitCode, out.empty() ? 2 : 0) << err;
    EXPECT_EQ(result.out, out);
    EXPECT_EQ(result.err, err);
  }
  // Into a folder, one file a tune, named and titled by it; the refused one is named.
  auto result = RunProgram(MERIN_KEYS_PROGRAM, {"-o", dir / "out/", "-f", "mid", file});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find(bad), std::string::npos) << result.err;
  EXPECT_TRUE(std::filesystem::exists(dir / "out/Indiana.mid"));
  EXPECT_EQ(ReadBytes(dir / "out/Long.mid"), formats::WriteMidi(long_, "Long"));
}

// A target that cannot be written is left as it was, with exit status 1 and the reason: the
// file size limit (which holds for root too), a file of another user, links that never end, a
// socket. As root, the program runs as user nobody where the case needs a user of no rights.
TEST(KeysProgramFiles, AFailedWriteLeavesTheOldFile) {
  const bool root = geteuid() == 0;
  TempFolder dir;
  chmod(dir.path().c_str(), 0777);
  WriteBytes(dir / "real.mk98", "old melody");
  std::filesystem::create_symlink("self.mk98", dir / "self.mk98");
  std::filesystem::create_symlink("b.mk98", dir / "a.mk98");
  std::filesystem::create_symlink("a.mk98", dir / "b.mk98");
  for (int i = 0; i < 41; ++i) {  // a chain past the 40 links the system follows
    std::filesystem::create_symlink(
        i == 40 ? "real.mk98" : "chain" + std::to_string(i + 1) + ".mk98",
        dir / ("chain" + std::to_string(i) + ".mk98"));
  }
  const int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = dir / "sock.mk98";
  socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  struct Case {
    std::string target, reason;
    bool asNobody = false;
    int owner = 0, mode = 0644;  // of the old file, when root
  } cases[] = {
      {dir / "tune.wav", "file too large"},
      {dir / "self.mk98", "too many levels of symbolic links"},
      {dir / "a.mk98", "too many levels of symbolic links"},
      {dir / "chain0.mk98", "too many levels of symbolic links"},
      {socketPath, "a socket, not a file"},
      {dir / "theirs.mk98", "the file is read-only", true, 0, 0644},
      {dir / "shared.mk98", "its owner or group could not be kept", true, 65534, 0664},
  };
  for (const Case& c : cases) {
    if (c.asNobody && !root) continue;  // only root can make a user of no rights
    const bool sized = c.target.ends_with(".wav");
    if (!std::filesystem::is_symlink(c.target) && c.target != socketPath) {
      WriteBytes(c.target, "old melody");
      chmod(c.target.c_str(), static_cast<mode_t>(c.mode));
      if (root) {
        ASSERT_EQ(chown(c.target.c_str(), 0, static_cast<gid_t>(c.owner)), 0);
      }
    }
    std::vector<std::string> args = {"C4", "D4", "E4", "-o", c.target};
    std::string program = MERIN_KEYS_PROGRAM;
    if (c.asNobody) {
      args.insert(args.begin(), {"--reuid=65534", "--regid=65534", "--clear-groups", program});
      program = "/usr/bin/setpriv";
    }
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 16 * 1024;
    if (sized) {
      ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    const auto result = RunProgram(program, args);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(result.exitCode, 1) << c.target;
    EXPECT_EQ(result.err, "merinkast98-keys: cannot write " + c.target + ": " + c.reason + "\n");
    if (c.target != socketPath) {
      const bool linked = std::filesystem::is_symlink(c.target);
      EXPECT_EQ(ReadBytes(linked ? dir / "real.mk98" : c.target), "old melody") << c.target;
    }
  }
  const auto read = RunProgram(MERIN_KEYS_PROGRAM, {"-i", socketPath});
  close(socketFd);
  EXPECT_EQ(read.err, "merinkast98-keys: " + socketPath + ": a socket, not a file\n");
  for (const char* link : {"self.mk98", "a.mk98", "b.mk98", "chain0.mk98"}) {
    EXPECT_TRUE(std::filesystem::is_symlink(dir / link)) << link;
  }
  for (const std::string& name : dir.Entries()) {
    EXPECT_FALSE(name.ends_with(".tmp")) << "a temporary is left: " << name;
  }

  if (!root) {  // root writes into a read-only folder all the same
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const auto result = RunProgram(MERIN_KEYS_PROGRAM, {"C4", "-o", dir / "real.mk98"});
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(ReadBytes(dir / "real.mk98"), "old melody");
  }
}

// Standard output that takes nothing fails the run with a message, whatever was to be printed.
TEST(KeysProgramFiles, AFullStandardOutputIsAFailure) {
  TempFolder dir;
  WriteBytes(dir / "two.rtttl", "one:d=4:c\ntwo:d=4:d\n");
  WriteBytes(dir / "tune.mid", formats::WriteMidi(kTwinkle, "Twinkle"));
  for (const std::vector<std::string>& args : {std::vector<std::string>{"C4"},
                                               {"--tunes", "-i", dir / "two.rtttl"},
                                               {"--parts", dir / "tune.mid"},
                                               {"--help"},
                                               {"--version"}}) {
    std::vector<std::string> shell = {"-c", "exec \"$0\" \"$@\" >/dev/full", MERIN_KEYS_PROGRAM};
    shell.insert(shell.end(), args.begin(), args.end());
    const auto result = RunProgram("/bin/sh", shell);
    EXPECT_EQ(result.exitCode, 1) << args.front();
    EXPECT_EQ(result.err, "merinkast98-keys: cannot write standard output\n") << args.front();
  }
}

}  // namespace
}  // namespace merin
