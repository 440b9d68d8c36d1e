// SPDX-License-Identifier: MIT
// Throughput of RTTTL import: 100,000 tunes read from their files, imported and converted to the
// key-press listing in one process, against libgammu's ringtone reader (GSM_ReadRingtoneFile)
// reading the same files; and, to show where the time goes, our import from texts already in
// memory and the file reading alone. Built only for the benchmarks: libgammu never reads untrusted
// input here (it aborts on malformed tunes).
#include <gammu.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "formats/fileio.h"
#include "formats/rtttl.h"
#include "output/convert.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// This process's processor time: on a shared machine it counts only our own work, the kernel's
// reading of the files included.
double ProcessorSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Valid tunes of the shapes found in the wild: a short name, some settings, 8 to 60 notes of
// mixed durations, sharps, dots and octaves 4..7, and pauses.
std::vector<std::string> RandomTunes(size_t count) {
  std::mt19937 random(11);
  const char* letters[] = {"c", "c#", "d", "d#", "e", "f", "f#", "g", "g#", "a", "a#", "b", "p"};
  const char* durations[] = {"", "", "", "1", "2", "4", "8", "16", "32"};
  std::vector<std::string> tunes;
  tunes.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    std::string tune = "Tune" + std::to_string(i % 100000) +
                       ":d=" + std::to_string(4 << (random() % 3)) +
                       ",o=" + std::to_string(4 + random() % 3) +
                       ",b=" + std::to_string(60 + random() % 200) + ":";
    const size_t notes = 8 + random() % 53;
    for (size_t n = 0; n < notes; ++n) {
      if (n) tune += ',';
      tune += durations[random() % std::size(durations)];
      const char* letter = letters[random() % std::size(letters)];
      tune += letter;
      if (letter[0] != 'p' && random() % 2) tune += std::to_string(4 + random() % 4);
      if (random() % 8 == 0) tune += '.';
    }
    tunes.push_back(std::move(tune));
  }
  return tunes;
}

}  // namespace

int main() {
  const size_t files = 1'000, reads = 100'000, rounds = 3;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("merin-rtttl-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::vector<std::string> paths;
  const auto tunes = RandomTunes(files);
  for (size_t i = 0; i < files; ++i) {
    paths.push_back((folder / ("tune" + std::to_string(i) + ".rtttl")).string());
    std::ofstream(paths.back(), std::ios::binary) << tunes[i];
  }

  // Every tune must be valid for both readers, so that both do the same work.
  auto ringtone = std::make_unique<GSM_Ringtone>();
  for (const auto& path : paths) {
    ringtone->Format = RING_NOTETONE;
    if (GSM_ReadRingtoneFile(const_cast<char*>(path.c_str()), ringtone.get()) != ERR_NONE) {
      std::fprintf(stderr, "libgammu refuses %s\n", path.c_str());
      return 1;
    }
  }

  // The four ways take turns, a pass over the files each, so that the load of a shared machine
  // falls on all of them alike; each way's time is the sum over its passes, best of the rounds.
  size_t listingBytes = 0, failures = 0;
  auto importFromFiles = [&] {
    for (const auto& path : paths) {
      auto bytes = merin::formats::ReadInputFile(path);
      if (!std::holds_alternative<std::string>(bytes)) {
        ++failures;
        continue;
      }
      auto read = merin::formats::ReadRtttl(std::get<std::string>(bytes), path);
      if (!std::holds_alternative<merin::formats::Imported>(read)) {
        ++failures;
        continue;
      }
      listingBytes += merin::ConvertMelody(std::get<merin::formats::Imported>(read).codes).size();
    }
  };
  auto importInMemory = [&] {
    for (const auto& tune : tunes) {
      auto read = merin::formats::ReadRtttl(tune, "tune");
      if (!std::holds_alternative<merin::formats::Imported>(read)) {
        ++failures;
        continue;
      }
      listingBytes += merin::ConvertMelody(std::get<merin::formats::Imported>(read).codes).size();
    }
  };
  auto gammuFromFiles = [&] {
    for (const auto& path : paths) {
      ringtone->Format = RING_NOTETONE;
      if (GSM_ReadRingtoneFile(const_cast<char*>(path.c_str()), ringtone.get()) != ERR_NONE) {
        ++failures;
      }
    }
  };
  auto readFiles = [&] {
    for (const auto& path : paths) {
      failures += !std::holds_alternative<std::string>(merin::formats::ReadInputFile(path));
    }
  };
  const std::function<void()> ways[] = {importFromFiles, importInMemory, gammuFromFiles, readFiles};
  double best[4] = {1e9, 1e9, 1e9, 1e9}, bestProcessor[4] = {1e9, 1e9, 1e9, 1e9};
  for (size_t round = 0; round < rounds; ++round) {
    double sum[4] = {}, sumProcessor[4] = {};
    for (size_t pass = 0; pass < reads / files; ++pass) {
      for (size_t way = 0; way < 4; ++way) {
        const double processorStart = ProcessorSeconds();
        const auto start = Clock::now();
        ways[way]();
        sum[way] += Seconds(start);
        sumProcessor[way] += ProcessorSeconds() - processorStart;
      }
    }
    for (size_t way = 0; way < 4; ++way) {
      best[way] = std::min(best[way], sum[way]);
      bestProcessor[way] = std::min(bestProcessor[way], sumProcessor[way]);
    }
  }
  const double ours = best[0], oursInMemory = best[1], gammu = best[2], readOnly = best[3];
  std::filesystem::remove_all(folder);
  if (failures) {
    std::fprintf(stderr, "%zu reads failed\n", failures);
    return 1;
  }

  std::printf("RTTTL import: %zu reads of %zu tune files (best of %zu rounds)\n", reads, files,
              rounds);
  std::printf("  %-44s %8.3f s  %9.0f tunes/s\n", "import + listing, from the files", ours,
              reads / ours);
  std::printf("  %-44s %8.3f s  %9.0f tunes/s\n", "import + listing, texts already in memory",
              oursInMemory, reads / oursInMemory);
  std::printf("  %-44s %8.3f s  %9.0f tunes/s\n", "libgammu GSM_ReadRingtoneFile", gammu,
              reads / gammu);
  std::printf("  %-44s %8.3f s  %9.0f files/s\n", "(reading the files alone, ReadInputFile)",
              readOnly, reads / readOnly);
  std::printf("  throughput, ours / libgammu: %.2fx from the files, %.2fx in memory\n",
              gammu / ours, gammu / oursInMemory);
  std::printf("  by processor time, ours / libgammu: %.2fx from the files, %.2fx in memory\n",
              bestProcessor[2] / bestProcessor[0], bestProcessor[2] / bestProcessor[1]);
  return 0;
}
