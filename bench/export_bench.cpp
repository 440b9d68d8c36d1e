// SPDX-License-Identifier: MIT
// Exports, timed against what a user would otherwise run:
//  (1) audio export of a 30-slot melody to WAV, in-process (ExportAudio) and through
//      merinkast98-keys -o, against sox concatenating the same 30 wave files into one WAV;
//  (2) 1,000 RTTTL tunes to MIDI with one merinkast98-keys run (-o DIR/ -f mid) against one run
//      per tune.
// Both run in a folder on disk (the temporary folder) and, where there is one, in memory
// (/dev/shm), where keeping a file on disk (fsync), which every export of ours does and sox does
// not, costs nothing.
// Usage: export_bench [REPEATS [FOLDER...]] (default 31 repeats, the median is reported)
#include <fcntl.h>
#include <sndfile.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/pitch.h"
#include "formats/audioexport.h"
#include "formats/imported.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Runs `args` (looked up on PATH) with its output thrown away; true when it exits with 0.
bool Run(const std::vector<std::string>& args) {
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid;
  int status = 0;
  const bool ok = posix_spawnp(&pid, argv[0], &quiet, nullptr, argv.data(), environ) == 0 &&
                  waitpid(pid, &status, 0) >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  posix_spawn_file_actions_destroy(&quiet);
  return ok;
}

// The median wall times of `repeats` rounds, each calling every step once in turn (so that a
// change in the machine's load falls on all of them alike), in seconds; empty when a call fails.
std::vector<double> Medians(int repeats, const std::vector<std::function<bool()>>& steps) {
  std::vector<std::vector<double>> times(steps.size());
  for (int i = 0; i < repeats; ++i) {
    for (size_t s = 0; s < steps.size(); ++s) {
      const auto start = Clock::now();
      if (!steps[s]()) return {};
      times[s].push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
  }
  std::vector<double> medians;
  for (std::vector<double>& t : times) {
    std::sort(t.begin(), t.end());
    medians.push_back(t[t.size() / 2]);
  }
  return medians;
}

std::vector<short> Samples(const std::string& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return {};
  std::vector<short> samples(size_t(info.frames) * size_t(info.channels));
  sf_readf_short(file, samples.data(), info.frames);
  sf_close(file);
  return samples;
}

// A random RTTTL tune of 10 to 40 notes and pauses, every syntax form mixed in.
std::string RandomTune(std::mt19937& random, int number) {
  const char* letters[] = {"c", "c#", "d", "d#", "e", "f", "f#", "g", "g#", "a", "a#", "b", "p"};
  const char* durations[] = {"", "1", "2", "4", "8", "16", "32"};
  std::string tune = "tune" + std::to_string(number) + ":d=" + durations[2 + random() % 5] +
                     ",o=" + std::to_string(4 + random() % 4) +
                     ",b=" + std::to_string(60 + random() % 200) + ":";
  const int notes = 10 + int(random() % 31);
  for (int n = 0; n < notes; ++n) {
    if (n) tune += ',';
    tune += durations[random() % std::size(durations)];
    const std::string letter = letters[random() % std::size(letters)];
    tune += letter;
    if (letter != "p" && random() % 2) tune += std::to_string(4 + random() % 4);
    if (random() % 5 == 0) tune += '.';
  }
  return tune;
}

// Flushes a file and its folder to the disk, as our atomic writes do.
bool Keep(const fs::path& file) {
  for (const fs::path& p : {file, file.parent_path()}) {
    const int fd = open(p.c_str(), O_RDONLY);
    if (fd < 0 || fsync(fd) != 0) return false;
    close(fd);
  }
  return true;
}

bool Bench(int repeats, const fs::path& where) {
  const fs::path bin = fs::canonical("/proc/self/exe").parent_path();
  const std::string keys = (bin / "merinkast98-keys").string();
  const std::string programFolder = bin.string() + "/";
  const fs::path work = where / ("merin-export-bench-" + std::to_string(getpid()));
  fs::create_directories(work);
  std::printf("== in %s\n", where.c_str());

  // (1) A 30-slot melody: 27 random notes and 3 rests.
  std::mt19937 random(98);
  merin::SlotCodes codes;
  const char* notes[] = {"11", "12", "13", "14", "21", "22", "23", "24", "31", "32", "41", "42",
                         "43", "44", "51", "52", "53", "54", "61", "62", "63", "64", "71", "72"};
  for (std::string& code : codes) code = random() % 10 == 0 ? "01" : notes[random() % 24];
  std::vector<std::string> sox = {"sox"}, cli = {keys};
  for (const std::string& code : codes) {
    sox.push_back(programFolder + merin::WaveFileOf(code));
    cli.push_back(code);
  }
  sox.push_back((work / "sox.wav").string());
  cli.insert(cli.end(), {"-o", (work / "cli.wav").string()});
  const std::string ours = (work / "ours.wav").string();

  const auto medians = Medians(
      repeats, {[&] { return Run(sox); }, [&] { return Run(sox) && Keep(work / "sox.wav"); },
                [&] { return !merin::formats::ExportAudio(codes, programFolder, ours); },
                [&] { return Run(cli); }});
  if (medians.empty()) {
    std::fprintf(stderr, "an audio export failed (is sox installed?)\n");
    return false;
  }
  const double soxTime = medians[0], soxKeptTime = medians[1], libraryTime = medians[2],
               cliTime = medians[3];
  const auto expected = Samples((work / "sox.wav").string());
  const bool same = !expected.empty() && Samples(ours) == expected &&
                    Samples((work / "cli.wav").string()) == expected;
  std::printf("audio export of 30 slots to WAV (%.2f s of sound), median of %d:\n",
              double(expected.size()) / 44100, repeats);
  std::printf("  sox concatenating the 30 files:  %7.2f ms\n", soxTime * 1e3);
  std::printf("  sox, then fsync file and folder: %7.2f ms\n", soxKeptTime * 1e3);
  std::printf("  ExportAudio in-process:          %7.2f ms  = %.3f x sox, %.3f x sox+fsync\n",
              libraryTime * 1e3, libraryTime / soxTime, libraryTime / soxKeptTime);
  std::printf("  merinkast98-keys ... -o x.wav:   %7.2f ms  = %.3f x sox, %.3f x sox+fsync\n",
              cliTime * 1e3, cliTime / soxTime, cliTime / soxKeptTime);
  std::printf("  all three sample-identical: %s\n", same ? "yes" : "NO");
  std::printf("\n");

  // (2) 1,000 RTTTL tunes to MIDI.
  const int tunes = 1000;
  fs::create_directories(work / "in");
  std::vector<std::string> batch = {keys, "-o", (work / "batch").string() + "/", "-f", "mid"};
  std::vector<std::string> names;
  for (int i = 0; i < tunes; ++i) {
    const std::string name = "tune" + std::to_string(1000 + i);
    std::ofstream(work / "in" / (name + ".rtttl")) << RandomTune(random, i) << '\n';
    batch.push_back((work / "in" / (name + ".rtttl")).string());
    names.push_back(name);
  }
  fs::create_directories(work / "each");
  const auto times =
      Medians(1, {[&] { return Run(batch); },
                  [&] {
                    for (const std::string& name : names) {
                      if (!Run({keys, "-i", (work / "in" / (name + ".rtttl")).string(), "-o",
                                (work / "each" / (name + ".mid")).string()})) {
                        return false;
                      }
                    }
                    return true;
                  }});
  if (times.empty()) {
    std::fprintf(stderr, "a batch conversion failed\n");
    return false;
  }
  const double batchTime = times[0], eachTime = times[1];
  bool identical = true;
  for (const std::string& name : names) {
    std::ifstream a(work / "batch" / (name + ".mid"), std::ios::binary);
    std::ifstream b(work / "each" / (name + ".mid"), std::ios::binary);
    identical = identical && std::string(std::istreambuf_iterator<char>(a), {}) ==
                                 std::string(std::istreambuf_iterator<char>(b), {});
  }
  std::printf("%d RTTTL tunes to MIDI:\n", tunes);
  std::printf("  one run, -o DIR/ -f mid:         %7.1f ms (%.0f tunes/s)\n", batchTime * 1e3,
              tunes / batchTime);
  std::printf("  one run per tune:                %7.1f ms (%.0f tunes/s)\n", eachTime * 1e3,
              tunes / eachTime);
  std::printf("  one run / runs per tune: %.3f of the time (%.1f x faster); same files: %s\n",
              batchTime / eachTime, eachTime / batchTime, identical ? "yes" : "NO");
  std::printf("\n");
  fs::remove_all(work);
  return same && identical;
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;
  std::vector<fs::path> folders(argv + std::min(argc, 2), argv + argc);
  if (folders.empty()) {
    folders.push_back(fs::temp_directory_path());
    if (fs::is_directory("/dev/shm")) folders.push_back("/dev/shm");
  }
  std::printf("formats the installed libsndfile writes:");
  for (const std::string& e : merin::formats::WritableAudioExtensions())
    std::printf(" .%s", e.c_str());
  std::printf("\n\n");
  bool ok = true;
  for (const fs::path& folder : folders) ok = Bench(repeats, folder) && ok;
  return ok ? 0 : 1;
}
