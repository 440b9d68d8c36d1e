// SPDX-License-Identifier: MIT
// Throughput of the command-line converter: 100,000 random melodies written to a file, then
// converted (a) in one process with the converter's own parsing and conversion, and (b) by running
// merinkast98-keys once per melody for a sample of them, as a shell loop would; then the memory
// of one batch run over 1,000 and over 20,000 melody files.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "formats/melodytext.h"
#include "output/convert.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// This process's processor time: on a shared machine it counts only our own work.
double ProcessorSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// Peak resident memory in kB of one `merinkast98-keys -o OUT/ -f mk98 FILE...` run; -1 when it
// fails. GNU time starts it and reads its peak: a process started from this one would count this
// one's memory as its own (it is inherited until exec).
long BatchPeakKilobytes(const std::filesystem::path& keys, const std::vector<std::string>& files,
                        const std::filesystem::path& out) {
  const std::filesystem::path peak = out.parent_path() / "peak";
  std::vector<std::string> args{
      "/usr/bin/time",     "-f", "%M",  "-o", peak.string(), keys.string(), "-o",
      (out / "").string(), "-f", "mk98"};
  args.insert(args.end(), files.begin(), files.end());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  int status = 0;
  const bool ran = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ) == 0 &&
                   waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  posix_spawn_file_actions_destroy(&quiet);
  long kilobytes = -1;
  if (std::ifstream in(peak); ran && !(in >> kilobytes)) kilobytes = -1;
  return ran ? kilobytes : -1;
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

  // Five rounds; the best is the one least disturbed by other jobs on the machine.
  const int rounds = 5;
  std::vector<double> wall, processor;
  size_t bytes = 0, melodies = 0;
  for (int round = 0; round < rounds; ++round) {
    const auto start = Clock::now();
    const double startProcessor = ProcessorSeconds();
    std::ifstream in(file);
    bytes = 0, melodies = 0;
    for (std::string line; std::getline(in, line); ++melodies) {
      auto parsed = merin::ParseMelodyText(merin::SplitTokens(line));
      if (parsed.index() != 0)
        return std::fprintf(stderr, "melody %zu does not parse\n", melodies), 1;
      bytes += merin::ConvertMelody(std::get<0>(parsed)).size();
    }
    wall.push_back(Seconds(start));
    processor.push_back(ProcessorSeconds() - startProcessor);
  }
  std::sort(wall.begin(), wall.end());
  std::sort(processor.begin(), processor.end());
  const double inProcess = wall.front();
  std::printf(
      "in one process: %zu melodies in %.3f s = %.0f melodies/s, best of %d rounds (median %.0f; "
      "by processor time best %.0f, median %.0f; %.1f MB of listings)\n",
      melodies, inProcess, melodies / inProcess, rounds, melodies / wall[rounds / 2],
      melodies / processor.front(), melodies / processor[rounds / 2], bytes / 1e6);

  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  std::ifstream again(file);
  const auto start = Clock::now();
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

  // Batch memory: 20,000 melody files, converted by one run over the first 1,000 and one over
  // all of them, in memory where there is a /dev/shm (the memory does not depend on the disk).
  const std::filesystem::path shm = "/dev/shm";
  const std::filesystem::path batch =
      (std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path()) /
      "merin-keys-batch-bench";
  std::filesystem::remove_all(batch);
  std::filesystem::create_directories(batch / "in");
  const auto lines = RandomMelodies(20'000);
  std::vector<std::string> files;
  for (size_t i = 0; i < lines.size(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "melody%05zu.mk98", i);
    files.push_back((batch / "in" / name).string());
    std::ofstream(files.back()) << lines[i] << '\n';
  }
  const std::vector<std::string> few(files.begin(), files.begin() + 1'000);
  const long small = BatchPeakKilobytes(keys, few, batch / "few");
  const long large = BatchPeakKilobytes(keys, files, batch / "all");
  std::filesystem::remove_all(batch);
  if (small < 0 || large < 0) {
    return std::fprintf(stderr, "%s batch failed (or /usr/bin/time, GNU time, is missing)\n",
                        keys.c_str()),
           1;
  }
  std::printf(
      "batch memory (peak RSS): 1,000 files %ld kB, 20,000 files %ld kB: %.0f bytes more per "
      "file (each file's name takes %zu bytes)\n",
      small, large, double(large - small) * 1024 / 19'000, files.front().size() + 1);
  return 0;
}
