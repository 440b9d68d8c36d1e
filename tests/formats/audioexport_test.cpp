// SPDX-License-Identifier: MIT
// Audio export of the program folder's wave files, decoded back with libsndfile.
#include "formats/audioexport.h"

#include <signal.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/pitch.h"
#include "core/wavefile.h"
#include "support/melodies.h"
#include "support/soundcheck.h"
#include "support/tempfolder.h"

namespace merin::formats {
namespace {

using test::MelodyOf;

using test::Decode;
using test::DecodedSound;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

const std::string kProgramFolder = MERIN_PROGRAM_DIR;
constexpr size_t kSlotFrames = 12348;  // 280 ms at 44.1 kHz, the length of every shipped wave

// A copy of the shipped wave files that a test may damage.
void CopyWaves(const std::string& to) {
  for (const auto& entry : std::filesystem::directory_iterator(kProgramFolder)) {
    if (entry.path().extension() == ".wav") {
      std::filesystem::copy_file(entry.path(), std::filesystem::path(to) / entry.path().filename());
    }
  }
}

TEST(WritableAudioExtensions, OffersWavFlacAndOggAndOnlyFormatsWeKnow) {
  const auto extensions = WritableAudioExtensions();
  for (const char* needed : {"wav", "flac", "ogg"}) {
    EXPECT_NE(std::find(extensions.begin(), extensions.end(), needed), extensions.end()) << needed;
  }
  for (const std::string& e : extensions) {
    EXPECT_TRUE(e == "wav" || e == "flac" || e == "ogg" || e == "mp3") << e;
  }
}

// The WAV reader and writer of core, which the WebAssembly build exports with, agree with
// libsndfile: on the samples of the program's waves, and on the bytes of an export.
TEST(ExportAudio, CoreWaveCodeAgreesWithLibsndfile) {
  const std::vector<std::string> codes = {"11", "01", "72", "44", "11"};
  PcmSound melody{44100, 1, {}};
  for (const std::string& code : codes) {
    const std::string path = kProgramFolder + WaveFileOf(code);
    const auto wave = ReadWave(ReadBytes(path));
    ASSERT_TRUE(std::holds_alternative<PcmSound>(wave)) << path;
    const auto& samples = std::get<PcmSound>(wave).samples;
    EXPECT_TRUE(samples == Decode(path).samples) << path;
    melody.samples.insert(melody.samples.end(), samples.begin(), samples.end());
  }
  const auto exported = AudioBytes(MelodyOf(codes), kProgramFolder, "tune.wav");
  ASSERT_TRUE(std::holds_alternative<std::string>(exported));
  EXPECT_TRUE(std::get<std::string>(exported) == WaveBytes(melody));
}

// Each compressed format decodes to the melody's length, FLAC to the very samples of the WAV,
// and in every slot the strongest of the 24 pitches is the slot's note; rests are silent.
TEST(ExportAudio, CompressedFormatsDecodeToTheLengthAndThePitches) {
  const std::vector<std::string> codes = {"11", "23", "01", "44", "72", "99", "52", "62"};
  const int pitches[] = {60, 74, 0, 78, 83, 0, 68, 70};
  struct Format {
    std::string extension;
    int container;
    size_t lengthTolerance;  // frames an encoder may add or drop at the ends
  } formats[] = {
      {"flac", SF_FORMAT_FLAC, 0}, {"ogg", SF_FORMAT_OGG, 0}, {"mp3", SF_FORMAT_MPEG, 0}};
  const auto writable = WritableAudioExtensions();
  TempFolder dir;
  ASSERT_FALSE(ExportAudio(MelodyOf(codes), kProgramFolder, dir / "tune.wav"));
  const DecodedSound wav = Decode(dir / "tune.wav");
  for (const Format& f : formats) {
    if (std::find(writable.begin(), writable.end(), f.extension) == writable.end()) continue;
    SCOPED_TRACE(f.extension);
    const auto error = ExportAudio(MelodyOf(codes), kProgramFolder, dir / ("tune." + f.extension));
    ASSERT_FALSE(error) << Words(*error, Language::English);
    const DecodedSound sound = Decode(dir / ("tune." + f.extension));
    ASSERT_TRUE(sound.ok);
    EXPECT_EQ(sound.format & SF_FORMAT_TYPEMASK, f.container);
    EXPECT_EQ(sound.rate, 44100);
    EXPECT_EQ(sound.channels, 1);
    const size_t frames = codes.size() * kSlotFrames;
    EXPECT_LE(std::max(sound.samples.size(), frames) - std::min(sound.samples.size(), frames),
              f.lengthTolerance)
        << sound.samples.size() << " frames";
    if (f.extension == "flac") {
      EXPECT_TRUE(sound.samples == wav.samples);
    }
    for (size_t slot = 0; slot < codes.size(); ++slot) {
      SCOPED_TRACE("slot " + std::to_string(slot));
      const size_t from = slot * kSlotFrames + 2205, to = from + 4410;  // 50..150 ms
      if (pitches[slot] == 0) {
        EXPECT_LT(test::Rms(sound.floats, from, to), 0.001);
      } else {
        EXPECT_GT(test::Rms(sound.floats, from, to), 0.05);
        EXPECT_EQ(test::StrongestPitch(sound.floats, from, to, sound.rate), pitches[slot]);
      }
    }
  }
}

// An export that cannot be made says why, naming the sound file or the target, and leaves the
// target folder as it was: an old file of the target's name keeps its bytes, nothing is added.
TEST(ExportAudio, AFailedExportLeavesTheTargetAsItWas) {
  TempFolder program;
  CopyWaves(program / "");
  std::filesystem::remove(program / "72.wav");
  WriteBytes(program / "23.wav", "RIFF\x24\x00\x00\x00WAVEfmt nothing more");
  std::filesystem::create_directory(program / "01.wav.d");
  std::filesystem::resize_file(program / "31.wav",
                               std::filesystem::file_size(program / "31.wav") / 2);
  test::DecodedSound shipped = Decode(kProgramFolder + "11.wav");
  {
    // 21.wav at another rate: a melody cannot mix them.
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open((program / "21.wav").c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr);
    sf_writef_short(f, shipped.samples.data(), 1000);
    sf_close(f);
  }
  TempFolder out;
  WriteBytes(out / "old.wav", "old bytes");
  WriteBytes(out / "old.flac", "old bytes");
  WriteBytes(out / "old.aiff", "old bytes");
  std::filesystem::create_directory(out / "folder.wav");
  struct Case {
    const char* what;
    std::vector<std::string> codes;
    std::string target;
    std::string message;
  } cases[] = {
      {"a missing wave",
       {"11", "72"},
       out / "old.wav",
       "cannot read " + program / "72.wav: not a sound file"},
      {"a damaged wave",
       {"23"},
       out / "old.flac",
       "cannot read " + program / "23.wav: not a sound"},
      {"a wave at another rate",
       {"11", "21"},
       out / "old.wav",
       "cannot read " + program / "21.wav: the sound files must all be alike (22050 Hz 1ch; " +
           program / "11.wav: 44100 Hz 1ch)"},
      {"an extension that is no audio format",
       {"11"},
       out / "old.aiff",
       "cannot write " + out / "old.aiff: not an audio file name this program writes (.wav, .flac"},
      {"a target folder that does not exist",
       {"11"},
       out / "none/new.wav",
       "cannot write " + out / "none/new.wav: "},
      {"a target that is a folder",
       {"11"},
       out / "folder.wav",
       "cannot write " + out / "folder.wav: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto error = ExportAudio(MelodyOf(c.codes), program / "", c.target);
    ASSERT_TRUE(error);
    const std::string said = Words(*error, Language::English);
    EXPECT_EQ(said.rfind(c.message, 0), 0u) << said;
    EXPECT_EQ(out.Entries(),
              (std::set<std::string>{"old.wav", "old.flac", "old.aiff", "folder.wav"}));
    EXPECT_EQ(ReadBytes(out / "old.wav"), "old bytes");
    EXPECT_EQ(ReadBytes(out / "old.flac"), "old bytes");
  }
}

// A write that fails half-way (here the file size limit, which holds for every user) removes
// what was written and keeps the old file.
TEST(ExportAudio, AWriteFailingHalfWayKeepsTheOldFile) {
  TempFolder out;
  WriteBytes(out / "tune.wav", "old bytes");
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto error =
      ExportAudio(MelodyOf({"11", "12", "13", "14"}), kProgramFolder, out / "tune.wav");
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);
  ASSERT_TRUE(error);
  EXPECT_EQ(Words(*error, Language::English), "cannot write " + out / "tune.wav: file too large");
  EXPECT_EQ(out.Entries(), std::set<std::string>{"tune.wav"});
  EXPECT_EQ(ReadBytes(out / "tune.wav"), "old bytes");
}

}  // namespace
}  // namespace merin::formats
