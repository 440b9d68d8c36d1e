// Start-up to the first complete frame and peak memory of the main window against a bare
// QMainWindow with plain child widgets, each start-up in a fresh process of this binary.
// Usage: window_bench [REPETITIONS]   runs both kinds alternately and prints medians and ratios
//        window_bench --bare|--real    one start-up; prints the child's line read by the above
// The main window runs its load handler with a sound device that returns at once.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QMainWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "firstframe.h"
#include "nullsound.h"
#include "ui/merinmain.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPlainChildren = 90;
constexpr int kWidth = 627, kHeight = 376;

long long NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
      .count();
}

// The process's peak resident set so far, in kB.
long PeakRssKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

void BuildBare(QMainWindow& window) {
  auto* client = new QWidget(&window);
  window.setCentralWidget(client);
  for (int i = 0; i < kPlainChildren; ++i) {
    auto* child = new QWidget(client);
    child->setAutoFillBackground(true);
    child->setGeometry(10 + 20 * (i % 30), 10 + 60 * (i / 30), 21, 51);
  }
  window.setWindowTitle("bare");
  window.resize(kWidth, kHeight);
}

// One start-up: shows the window, and at its first frame prints "<main ns> <frame ns> <peak kB>
// <widgets>" (clock times of this machine's monotonic clock) and leaves.
int StartOnce(bool real, int argc, char** argv) {
  const long long entered = NowNs();
  QApplication app(argc, argv);
  merin::bench::NullSound sound;
  QMainWindow* shown = nullptr;
  auto report = [&] {
    const long long frame = NowNs();
    std::printf("%lld %lld %ld %lld\n", entered, frame, PeakRssKb(),
                static_cast<long long>(shown->findChildren<QWidget*>().size()));
    std::fflush(stdout);
    QCoreApplication::exit(0);
  };
  if (real) {
    merin::bench::FirstFrame<merin::ui::MerinMain> window(report, sound);
    shown = &window;
    window.Load();
    window.show();
    return app.exec();
  }
  merin::bench::FirstFrame<QMainWindow> window(report);
  shown = &window;
  BuildBare(window);
  window.show();
  return app.exec();
}

struct Sample {
  double fromSpawnMs = 0, fromMainMs = 0;
  long peakKb = 0;
  long long widgets = 0;
};

Sample Spawn(const std::string& self, const char* mode) {
  int out[2];
  if (pipe(out) != 0) std::exit(1);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  char* args[] = {const_cast<char*>(self.c_str()), const_cast<char*>(mode), nullptr};
  pid_t pid = 0;
  const long long spawned = NowNs();
  if (posix_spawn(&pid, self.c_str(), &actions, nullptr, args, environ) != 0) {
    std::fprintf(stderr, "window_bench: cannot start %s\n", self.c_str());
    std::exit(1);
  }
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  long long entered = 0, frame = 0;
  Sample s;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
      std::sscanf(text.c_str(), "%lld %lld %ld %lld", &entered, &frame, &s.peakKb, &s.widgets) !=
          4) {
    std::fprintf(stderr, "window_bench: the %s start-up failed (output: %s)\n", mode, text.c_str());
    std::exit(1);
  }
  s.fromSpawnMs = double(frame - spawned) / 1e6;
  s.fromMainMs = double(frame - entered) / 1e6;
  return s;
}

template <class F>
double Median(const std::vector<Sample>& samples, F field) {
  std::vector<double> v;
  for (const Sample& s : samples) v.push_back(double(field(s)));
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

int Compare(int repetitions) {
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  Spawn(self, "--bare");  // warms the file cache for both kinds
  Spawn(self, "--real");
  std::vector<Sample> bare, real;
  for (int i = 0; i < repetitions; ++i) {
    // Alternating, in swapped order every other round, so drift hits both alike.
    if (i % 2) {
      real.push_back(Spawn(self, "--real"));
      bare.push_back(Spawn(self, "--bare"));
    } else {
      bare.push_back(Spawn(self, "--bare"));
      real.push_back(Spawn(self, "--real"));
    }
  }
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  std::printf("Start-up to the first complete frame, median of %d fresh processes each (platform %s)\n",
              repetitions, platform ? platform : "default");
  std::printf("%-34s %10s %10s %8s\n", "", "bare", "MerinMain", "ratio");
  auto row = [&](const char* name, auto field, const char* unit) {
    const double b = Median(bare, field), r = Median(real, field);
    std::printf("%-34s %7.1f %-2s %7.1f %-2s %8.2f\n", name, b, unit, r, unit, r / b);
  };
  row("from process start (spawn)", [](const Sample& s) { return s.fromSpawnMs; }, "ms");
  row("from main's entry", [](const Sample& s) { return s.fromMainMs; }, "ms");
  row("peak memory (VmHWM)", [](const Sample& s) { return double(s.peakKb) / 1024; }, "MB");
  std::printf("%-34s %10lld %10lld\n", "widgets in the window", bare.front().widgets,
              real.front().widgets);
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) return StartOnce(false, argc, argv);
  if (argc > 1 && std::strcmp(argv[1], "--real") == 0) return StartOnce(true, argc, argv);
  const int repetitions = argc > 1 ? std::atoi(argv[1]) : 21;
  if (repetitions < 1) {
    std::fprintf(stderr, "usage: window_bench [REPETITIONS] | --bare | --real\n");
    return 2;
  }
  return Compare(repetitions);
}
