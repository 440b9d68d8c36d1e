// SPDX-License-Identifier: MIT
// Hostile inputs: each shape read at a small size and at its format's size limit, each in a fresh
// process of this binary, which times the read (best of several) while the parent takes the
// child's peak resident memory from wait4. Fails when a read at the limit takes over a second,
// a read takes over 100 MB, or the limit's time grows more than twice as fast as the size.
// Usage: hostile_bench [--timeout SECONDS] [SHAPE...]   the table, or the shapes named
//        hostile_bench --one SHAPE BYTES                 one read; prints the best wall-clock and
//                                                        processor seconds, the bytes read
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "formats/formatlist.h"
#include "formats/melodytext.h"
#include "formats/midi.h"
#include "formats/rtttl.h"
#include "formats/slots.h"
#include "ui/partdialog.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::literals;
namespace formats = merin::formats;

constexpr double kMostSeconds = 1.0;
constexpr double kMostMegabytes = 100;
constexpr double kMostGrowth = 2.0;  // times the growth of the size
constexpr size_t kSmall = 100 * 1024;

// `unit` repeated after `head` and before `tail` while the whole stays within `bytes`.
std::string Repeated(std::string_view head, std::string_view unit, std::string_view tail,
                     size_t bytes) {
  std::string text(head);
  text.reserve(bytes);
  while (text.size() + unit.size() + tail.size() <= bytes) text += unit;
  text += tail;
  return text;
}

std::string Big(uint32_t value, int bytes) {
  std::string out;
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out += char((value >> shift) & 0xFF);
  return out;
}

std::string Chunk(std::string_view type, std::string_view body) {
  return std::string(type) + Big(uint32_t(body.size()), 4) + std::string(body);
}

// A format 1 header of 96 ticks a beat (the track count is not checked by the reader).
std::string Header() { return Chunk("MThd", Big(1, 2) + Big(1, 2) + Big(96, 2)); }

// One track of `unit` repeated after `head`, filling the file to `bytes`.
std::string OneTrack(std::string_view head, std::string_view unit, size_t bytes) {
  const std::string header = Header();
  std::string body = Repeated(head, unit, "", bytes - header.size() - 8);
  return header + Chunk("MTrk", body);
}

// One note on each channel but 10, never ended.
std::string ChannelsTrack() {
  std::string body;
  for (int channel = 0; channel < 16; ++channel) {
    if (channel != 9) body += {'\0', char(0x90 | channel), '\x3C', '\x40'};
  }
  return Chunk("MTrk", body);
}

// Tracks of one note on each channel but 10, after `first`, filling the file to `bytes`.
std::string ManyTracks(std::string_view first, size_t bytes) {
  return Repeated(Header() + std::string(first), ChannelsTrack(), "", bytes);
}

// An iMelody text whose melody is `unit` repeated, filling it to `bytes`.
std::string ImelodyOf(std::string_view unit, size_t bytes) {
  return Repeated("BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nMELODY:", unit,
                  "\r\nEND:IMELODY\r\n", bytes);
}

// What the program does with a file of each kind; each returns a count that depends on the
// whole read, so that nothing is left out.

// Reads it as the converter's -i does: the format by content, then its reader.
size_t ReadAsAny(const std::string& bytes) {
  auto read = formats::ReadAny(bytes, "t");
  if (auto* refusal = std::get_if<formats::Refusal>(&read)) return refusal->line + 1;
  return formats::UsedSlots(std::get<formats::Imported>(read).codes) + 2;
}

// Lists the tunes as --tunes does: each tune's title and notes, or why it cannot be taken.
size_t ListTunes(const std::string& bytes) {
  size_t total = 0;
  const auto tunes = formats::ListRtttlTunes(bytes, "t.rtttl");
  for (size_t i = 0; i < tunes.size(); ++i) {
    total += tunes[i].title.size() + tunes[i].notes;
    if (!tunes[i].refused) continue;
    auto read = formats::ReadListedTune(bytes, "t.rtttl", tunes, i + 1);
    total += formats::Words(std::get<formats::Refusal>(read), merin::Language::English).size();
  }
  return total;
}

// Reads the parts and takes the chosen one, as the converter's -i does.
size_t TakeMidiPart(const std::string& bytes) {
  auto tune = formats::ReadMidiTune(bytes, "t.mid");
  if (auto* refusal = std::get_if<formats::Refusal>(&tune)) return size_t(refusal->fault);
  const auto& midi = std::get<formats::MidiTune>(tune);
  auto taken = formats::TakePart(midi, 0, 1, "t.mid");
  return midi.parts.size() + std::holds_alternative<formats::Imported>(taken);
}

// Reads the parts and shows the window's part dialog of them until it has painted.
size_t ShowPartDialog(const std::string& bytes) {
  auto tune = formats::ReadMidiTune(bytes, "t.mid");
  const auto& midi = std::get<formats::MidiTune>(tune);
  merin::ui::PartDialog dialog(midi, "t.mid");
  dialog.show();
  dialog.grab();
  return size_t(dialog.choice().part);
}

// The converter's tokens: split and parsed.
size_t ParseTokens(const std::string& bytes) {
  auto parsed = merin::ParseMelodyText(merin::SplitTokens(bytes));
  return parsed.index() + 1;
}

struct Shape {
  const char* name;
  size_t limit;
  std::string (*make)(size_t bytes);
  size_t (*read)(const std::string& bytes);
  bool window = false;  // needs a QApplication
};

const Shape kShapes[] = {
    {"rtttl: unreadable tunes (0::x), listed", formats::kMaxCollectionBytes,
     [](size_t n) { return Repeated("", "0::x\n", "", n); }, ListTunes},
    {"rtttl: one-note tunes (a::c), listed", formats::kMaxCollectionBytes,
     [](size_t n) { return Repeated("", "a::c\n", "", n); }, ListTunes},
    {"rtttl: tunes ended by a lone CR, listed", formats::kMaxCollectionBytes,
     [](size_t n) { return Repeated("", "a::c\r", "", n); }, ListTunes},
    {"rtttl: blank lines between two tunes, listed", formats::kMaxCollectionBytes,
     [](size_t n) { return Repeated("a::c\n", "\n", "b::d\n", n); }, ListTunes},
    {"rtttl: one long line of notes", formats::kMaxCollectionBytes,
     [](size_t n) { return Repeated("T::", "c,", "d", n); }, ReadAsAny},
    {"rtttl: one tune over many short lines", formats::kMaxCollectionBytes,
     [](size_t n) { return Repeated("T::", "c,\n", "d", n); }, ReadAsAny},
    {"rtttl: one long line, refused at its end", formats::kMaxCollectionBytes,
     [](size_t n) { return Repeated("T::", "c,", "x", n); }, ReadAsAny},
    {"midi: program changes, parts without", formats::kMaxBinaryBytes,
     [](size_t n) {
       const std::string changes = OneTrack("\x00\xC0\x05"sv, "\x00\x05"sv, n / 2);
       return Repeated(changes, ChannelsTrack(), "", n);
     },
     TakeMidiPart},
    {"midi: tracks x 15 channels", formats::kMaxBinaryBytes,
     [](size_t n) { return ManyTracks("", n); }, TakeMidiPart},
    {"midi: tracks x 15 channels, part dialog", formats::kMaxBinaryBytes,
     [](size_t n) { return ManyTracks("", n); }, ShowPartDialog, true},
    {"midi: a long track name, not UTF-8", formats::kMaxBinaryBytes,
     [](size_t n) {
       const std::string name(n - 40, '\xE9');
       std::string track = "\x00\xFF\x03"s + char(0x80 | (name.size() >> 21)) +
                           char(0x80 | ((name.size() >> 14) & 0x7F)) +
                           char(0x80 | ((name.size() >> 7) & 0x7F)) + char(name.size() & 0x7F);
       return Header() + Chunk("MTrk", track + name + "\x00\x90\x3C\x40"s);
     },
     TakeMidiPart},
    {"midi: empty tracks", formats::kMaxBinaryBytes,
     [](size_t n) { return Repeated(Header() + ChannelsTrack(), Chunk("MTrk", ""), "", n); },
     TakeMidiPart},
    {"midi: running status, notes ended", formats::kMaxBinaryBytes,
     [](size_t n) { return OneTrack("\x00\x90\x3C\x40"sv, "\x60\x3C\x00\x00\x3C\x40"sv, n); },
     TakeMidiPart},
    {"midi: running status, notes never ended", formats::kMaxBinaryBytes,
     [](size_t n) { return OneTrack("\x00\x90\x3C\x40"sv, "\x00\x3C\x40"sv, n); }, TakeMidiPart},
    {"midi: huge delta times", formats::kMaxBinaryBytes,
     [](size_t n) {
       return OneTrack("\x00\x90\x3C\x40"sv, "\xFF\xFF\xFF\x7F\x3C\x00\x00\x3C\x40"sv, n);
     },
     TakeMidiPart},
    {"imelody: one long melody line", formats::kMaxInputBytes,
     [](size_t n) { return ImelodyOf("c", n); }, ReadAsAny},
    {"imelody: folded melody lines", formats::kMaxInputBytes,
     [](size_t n) { return ImelodyOf("c\r\n ", n); }, ReadAsAny},
    {"imelody: a long NAME", formats::kMaxInputBytes,
     [](size_t n) {
       return Repeated("BEGIN:IMELODY\r\nNAME:", "\xE9", "\r\nMELODY:c\r\nEND:IMELODY\r\n", n);
     },
     ReadAsAny},
    {"imelody: repeat blocks", formats::kMaxInputBytes,
     [](size_t n) { return ImelodyOf("(cde@99)", n); }, ReadAsAny},
    {"imelody: blank lines ended by a lone CR", formats::kMaxInputBytes,
     [](size_t n) { return Repeated("BEGIN:IMELODY\rMELODY:c\r", "\r", "END:IMELODY\r", n); },
     ReadAsAny},
    {"mk98: unreadable tokens", formats::kMaxInputBytes,
     [](size_t n) { return Repeated("# Merinkast98 melody\n", "H4 ", "", n); }, ReadAsAny},
    {"mk98: comment lines", formats::kMaxInputBytes,
     [](size_t n) { return Repeated("", "# C4 D4\r", "C4", n); }, ReadAsAny},
    {"converter: tokens", formats::kMaxInputBytes,
     [](size_t n) { return Repeated("", "C4 ", "", n); }, ParseTokens},
};

const Shape* ShapeNamed(std::string_view name) {
  for (const Shape& shape : kShapes) {
    if (name == shape.name) return &shape;
  }
  return nullptr;
}

// The smaller of the two sizes: 100 KiB, or a tenth of a limit below it.
size_t SmallSize(const Shape& shape) { return std::min(kSmall, shape.limit / 10); }

// The processor time of this process so far, all threads, in seconds.
double ProcessorSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// One read in this process: the best time of several.
int ReadOnce(const Shape& shape, size_t bytes, int argc, char** argv) {
  std::unique_ptr<QApplication> app;
  if (shape.window) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    app = std::make_unique<QApplication>(argc, argv);
  }
  // Memory freed by one read is kept for the next rather than given back and faulted in again,
  // so that the best read shows the reader's own work.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  const std::string input = shape.make(bytes);
  double best = 1e9, bestProcessor = 1e9, total = 0;
  size_t check = 0;
  // At least three reads, more while they take under 0.3 s in all; one when it takes a second.
  for (int round = 0;
       round == 0 || (round < 1000 && (round < 3 || total < 0.3) && best < kMostSeconds); ++round) {
    const auto start = Clock::now();
    const double processor = ProcessorSeconds();
    check += shape.read(input);
    bestProcessor = std::min(bestProcessor, ProcessorSeconds() - processor);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    best = std::min(best, seconds);
    total += seconds;
  }
  std::printf("%.9f %.9f %zu %zu\n", best, bestProcessor, input.size(), check);
  return 0;
}

struct Run {
  bool done = false;
  double seconds = 0, processor = 0;
  size_t bytes = 0;
  long peakKb = 0;  // KiB
};

// Runs one read in a child and waits for it at most `timeout` seconds.
Run Spawn(const std::string& self, const Shape& shape, size_t bytes, double timeout) {
  int out[2];
  if (pipe(out) != 0) std::exit(1);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  const std::string size = std::to_string(bytes);
  char* args[] = {const_cast<char*>(self.c_str()), const_cast<char*>("--one"),
                  const_cast<char*>(shape.name), const_cast<char*>(size.c_str()), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, self.c_str(), &actions, nullptr, args, environ) != 0) {
    std::fprintf(stderr, "hostile_bench: cannot start %s\n", self.c_str());
    std::exit(1);
  }
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  Run run;
  run.bytes = bytes;
  int status = 0;
  rusage usage{};
  const auto start = Clock::now();
  for (;;) {
    const pid_t ended = wait4(pid, &status, WNOHANG, &usage);
    if (ended == pid) break;
    if (std::chrono::duration<double>(Clock::now() - start).count() > timeout) {
      kill(pid, SIGKILL);
      wait4(pid, &status, 0, &usage);
      run.peakKb = usage.ru_maxrss;
      close(out[0]);
      return run;
    }
    usleep(20'000);
  }
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
  close(out[0]);
  size_t check = 0;
  run.peakKb = usage.ru_maxrss;
  run.done = WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
             std::sscanf(text.c_str(), "%lf %lf %zu %zu", &run.seconds, &run.processor, &run.bytes,
                         &check) == 4;
  return run;
}

double Megabytes(const Run& run) { return double(run.peakKb) * 1024 / 1e6; }

std::string Time(const Run& run, double timeout) {
  char text[32];
  if (!run.done) {
    std::snprintf(text, sizeof text, "> %.0f s", timeout);
  } else if (run.seconds < 1e-3) {
    std::snprintf(text, sizeof text, "%.1f µs", run.seconds * 1e6);
  } else {
    std::snprintf(text, sizeof text, "%.1f ms", run.seconds * 1e3);
  }
  return text;
}

int Table(const std::vector<const Shape*>& shapes, double timeout) {
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  std::printf(
      "Hostile inputs, each read in a fresh process: the best wall-clock time of several reads,\n"
      "the process's peak resident memory (1 MB = 10^6 bytes, the input included), and the\n"
      "growth: the limit's processor time over the small size's, divided by the ratio of\n"
      "their sizes\n");
  std::printf("%-45s %9s %9s %8s %9s %9s %8s %6s\n", "shape", "small", "time", "peak", "limit",
              "time", "peak", "growth");
  std::vector<std::string> failures;
  for (const Shape* shape : shapes) {
    const Run small = Spawn(self, *shape, SmallSize(*shape), timeout);
    const Run limit = Spawn(self, *shape, shape->limit, timeout);
    double growth = 0;
    if (small.done && limit.done && small.processor > 0) {
      growth = (limit.processor / small.processor) / (double(limit.bytes) / double(small.bytes));
    }
    std::printf("%-45s %5zu KiB %9s %5.1f MB %5zu KiB %9s %5.1f MB %6.2f\n", shape->name,
                small.bytes / 1024, Time(small, timeout).c_str(), Megabytes(small),
                limit.bytes / 1024, Time(limit, timeout).c_str(), Megabytes(limit), growth);
    std::fflush(stdout);
    const std::string name = shape->name;
    if (!small.done || !limit.done) failures.push_back(name + ": did not finish");
    if (limit.done && limit.seconds > kMostSeconds) failures.push_back(name + ": over a second");
    if (std::max(Megabytes(small), Megabytes(limit)) > kMostMegabytes) {
      failures.push_back(name + ": over 100 MB");
    }
    if (growth > kMostGrowth) failures.push_back(name + ": grows faster than its size");
  }
  for (const std::string& failure : failures) std::printf("FAIL %s\n", failure.c_str());
  return failures.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 4 && std::string_view(argv[1]) == "--one") {
    const Shape* shape = ShapeNamed(argv[2]);
    if (!shape) return 2;
    return ReadOnce(*shape, std::strtoull(argv[3], nullptr, 10), argc, argv);
  }
  double timeout = 60;
  std::vector<const Shape*> shapes;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--timeout" && i + 1 < argc) {
      timeout = std::atof(argv[++i]);
    } else if (const Shape* shape = ShapeNamed(argv[i])) {
      shapes.push_back(shape);
    } else {
      std::fprintf(stderr, "usage: hostile_bench [--timeout SECONDS] [SHAPE...]\nshapes:\n");
      for (const Shape& s : kShapes) std::fprintf(stderr, "  %s\n", s.name);
      return 2;
    }
  }
  if (shapes.empty()) {
    for (const Shape& shape : kShapes) shapes.push_back(&shape);
  }
  return Table(shapes, timeout);
}
