// SPDX-License-Identifier: MIT
// Throughput of the command-line converter: 100,000 random melodies written to a file, then
// converted (a) in one process with the converter's own parsing and conversion, and (b) by running
// merinkast98-keys once per melody for a sample of them, as a shell loop would.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "output/convert.h"
#include "output/melodytext.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

std::vector<std::string> RandomMelodies(size_t count) {
  const char* tokens[] = {"C4",  "C#4", "D4",  "D#4", "E4", "F4",  "F#4", "G4", "G#4", "A4",
                          "A#4", "B4",  "C5",  "C#5", "D5", "D#5", "E5",  "F5", "F#5", "G5",
                          "G#5", "A5",  "A#5", "B5",  "r",  "-",   "11",  "64", "01",  "99"};
  std::mt19937 random(98);
  std::vector<std::string> melodies;
  melodies.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    std::string line;
    const size_t length = 1 + random() % 30;
    for (size_t t = 0; t < length; ++t) {
      if (t) line += ' ';
      line += tokens[random() % std::size(tokens)];
    }
    melodies.push_back(std::move(line));
  }
  return melodies;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path keys =
      argc > 1 ? argv[1] : std::filesystem::path(argv[0]).parent_path() / "merinkast98-keys";
  const size_t count = 100'000, spawned = 2'000;
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "merin-keys-bench.txt";
  {
    std::ofstream out(file);
    for (const std::string& melody : RandomMelodies(count)) out << melody << '\n';
  }

  auto start = Clock::now();
  std::ifstream in(file);
  size_t bytes = 0, melodies = 0;
  for (std::string line; std::getline(in, line); ++melodies) {
    auto parsed = merin::ParseMelodyText(merin::SplitTokens(line));
    if (parsed.index() != 0)
      return std::fprintf(stderr, "melody %zu does not parse\n", melodies), 1;
    bytes += merin::ConvertMelody(std::get<0>(parsed)).size();
  }
  const double inProcess = Seconds(start);
  std::printf("in one process: %zu melodies in %.3f s = %.0f melodies/s (%.1f MB of listings)\n",
              melodies, inProcess, melodies / inProcess, bytes / 1e6);

  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  std::ifstream again(file);
  start = Clock::now();
  size_t run = 0;
  for (std::string line; run < spawned && std::getline(again, line); ++run) {
    const std::vector<std::string_view> tokens = merin::SplitTokens(line);
    std::vector<std::string> args(tokens.begin(), tokens.end());
    std::vector<char*> argv2{const_cast<char*>(keys.c_str())};
    for (std::string& a : args) argv2.push_back(a.data());
    argv2.push_back(nullptr);
    pid_t pid;
    int status = 0;
    if (posix_spawn(&pid, keys.c_str(), &quiet, nullptr, argv2.data(), environ) != 0 ||
        waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      return std::fprintf(stderr, "%s failed on melody %zu\n", keys.c_str(), run), 1;
    }
  }
  const double perRun = Seconds(start) / static_cast<double>(run);
  std::printf(
      "one merinkast98-keys run per melody: %zu runs, %.2f ms each = %.0f melodies/s; "
      "all %zu would take %.0f s\n",
      run, perRun * 1e3, 1 / perRun, count, perRun * static_cast<double>(count));
  std::printf("ratio in-process / per-run throughput: %.0f\n", (melodies / inProcess) * perRun);
  std::filesystem::remove(file);
  return 0;
}
