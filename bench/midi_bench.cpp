// SPDX-License-Identifier: MIT
// Throughput of MIDI import: 200 files of 4 tracks and 3 channels each (about 6,000 notes a file,
// running status, program changes, tempo changes) read from their files, their parts extracted
// and the default part fitted, against python3-mido merely parsing the same files (mido's time
// measured inside Python, its start-up left out).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "formats/fileio.h"
#include "formats/midi.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string Big(uint32_t value, int bytes) {
  std::string out;
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out += char((value >> shift) & 0xFF);
  return out;
}

std::string Track(std::mt19937& random, int channel) {
  std::string body = {'\0', char(0xC0 | channel), char(random() % 128)};
  body += std::string("\x00\xFF\x51\x03\x07\xA1\x20", 7);
  for (int n = 0; n < 500; ++n) {
    const char key = char(36 + random() % 60);
    body += char(random() % 100);  // delta
    if (n == 0) body += char(0x90 | channel);
    body += {key, char(1 + random() % 126), char(60 + random() % 60), key, '\0'};  // running
  }
  return "MTrk" + Big(uint32_t(body.size() + 4), 4) + body + std::string("\x00\xFF\x2F\x00", 4);
}

std::string File(std::mt19937& random) {
  std::string file = "MThd" + Big(6, 4) + Big(1, 2) + Big(12, 2) + Big(480, 2);
  for (int t = 0; t < 4; ++t) {
    for (int c = 0; c < 3; ++c) file += Track(random, c);
  }
  return file;
}

}  // namespace

int main() {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("merin-midi-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::mt19937 random(16);
  std::vector<std::string> paths;
  size_t bytes = 0;
  for (int i = 0; i < 200; ++i) {
    paths.push_back((folder / ("tune" + std::to_string(i) + ".mid")).string());
    const std::string file = File(random);
    bytes += file.size();
    std::ofstream(paths.back(), std::ios::binary) << file;
  }

  double ours = 1e9;
  size_t slots = 0;
  for (int round = 0; round < 5; ++round) {
    const auto start = Clock::now();
    for (const std::string& path : paths) {
      auto read = merin::formats::ReadInputFile(path, merin::formats::Accept::Files,
                                                merin::formats::kMaxBinaryBytes);
      auto tune = merin::formats::ReadMidiTune(std::get<std::string>(read), path);
      auto taken = merin::formats::TakePart(std::get<merin::formats::MidiTune>(tune), 0, 1, path);
      slots += std::get<merin::formats::Imported>(taken).codes.size();
    }
    ours = std::min(ours, std::chrono::duration<double>(Clock::now() - start).count());
  }

  std::string command = MERIN_PYTHON3
      " -c 'import mido, sys, time\n"
      "start = time.perf_counter()\n"
      "for p in sys.argv[1:]: mido.MidiFile(p)\n"
      "print(time.perf_counter() - start)'";
  for (const std::string& path : paths) command += " " + path;
  FILE* python = popen(command.c_str(), "r");
  double mido = 0;
  if (!python || std::fscanf(python, "%lf", &mido) != 1) mido = 0;
  if (python) pclose(python);
  std::filesystem::remove_all(folder);

  std::printf("MIDI import: %zu files, %.1f MiB, %zu slots\n", paths.size(), bytes / 1048576.0,
              slots / 5);
  std::printf("  read, parts and fit (ours) %8.1f ms  %8.0f files/s\n", ours * 1e3,
              paths.size() / ours);
  if (mido > 0) {
    std::printf("  python3-mido parse only    %8.1f ms  %8.0f files/s  (ours %.0fx)\n", mido * 1e3,
                paths.size() / mido, mido / ours);
  } else {
    std::printf("  python3-mido not available\n");
  }
  return 0;
}
