// SPDX-License-Identifier: MIT
// Start-up to the first complete frame and peak memory of the main window against a bare
// QMainWindow with plain child widgets, each start-up in a fresh process of this binary.
// Usage: window_bench [REPETITIONS]   runs both kinds alternately and prints medians and ratios
//        window_bench --bare|--text|--real   one start-up; prints the line the above reads
// The main window runs its load handler with a sound device that returns at once.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
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

// The processor time of this process since it started, all threads: on a shared machine it
// leaves out the time other jobs hold the processor.
long long ProcessorNs() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1'000'000'000LL + t.tv_nsec;
}

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

// Plain child widgets; with `text`, a menu, three of them buttons with the program's captions and
// one a status bar, so the window loads and draws fonts as the program's does.
void BuildBare(QMainWindow& window, bool text) {
  auto* client = new QWidget(&window);
  window.setCentralWidget(client);
  int plain = kPlainChildren;
  if (text) {
    window.menuBar()->addMenu(QStringLiteral("File(&F)"))->addAction(QStringLiteral("終了"));
    int top = 170;
    for (const QString& caption :
         {QStringLiteral("休符ペダル"), QStringLiteral("変  換"), QStringLiteral("テスト演奏")}) {
      (new QPushButton(caption, client))->setGeometry(500, top, 111, 31);
      top += 50;
    }
    auto* status = new QStatusBar(client);
    status->addWidget(new QLabel(QStringLiteral("NOTE:1"), status), 1);
    status->setGeometry(0, kHeight - 21, kWidth, 21);
    plain -= 5;
  }
  for (int i = 0; i < plain; ++i) {
    auto* child = new QWidget(client);
    child->setAutoFillBackground(true);
    child->setGeometry(10 + 20 * (i % 30), 10 + 60 * (i / 30), 21, 51);
  }
  window.setWindowTitle("bare");
  window.resize(kWidth, kHeight);
}

// One start-up: shows the window, and at its first frame prints "<main ns> <frame ns> <peak kB>
// <widgets> <processor ns>" (clock times of this machine's monotonic clock) and leaves.
int StartOnce(const std::string& kind, int argc, char** argv) {
  const long long entered = NowNs();
  QApplication app(argc, argv);
  merin::bench::NullSound sound;
  QMainWindow* shown = nullptr;
  auto report = [&] {
    const long long frame = NowNs();
    std::printf("%lld %lld %ld %lld %lld\n", entered, frame, PeakRssKb(),
                static_cast<long long>(shown->findChildren<QWidget*>().size()), ProcessorNs());
    std::fflush(stdout);
    QCoreApplication::exit(0);
  };
  if (kind == "real") {
    merin::bench::FirstFrame<merin::ui::MerinMain> window(report, sound);
    shown = &window;
    window.load();
    window.show();
    return app.exec();
  }
  merin::bench::FirstFrame<QMainWindow> window(report);
  shown = &window;
  BuildBare(window, kind == "text");
  window.show();
  return app.exec();
}

struct Sample {
  double fromSpawnMs = 0, fromMainMs = 0, processorMs = 0;
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
  long long entered = 0, frame = 0, processor = 0;
  Sample s;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
      std::sscanf(text.c_str(), "%lld %lld %ld %lld %lld", &entered, &frame, &s.peakKb, &s.widgets,
                  &processor) != 5) {
    std::fprintf(stderr, "window_bench: the %s start-up failed (output: %s)\n", mode, text.c_str());
    std::exit(1);
  }
  s.fromSpawnMs = double(frame - spawned) / 1e6;
  s.fromMainMs = double(frame - entered) / 1e6;
  s.processorMs = double(processor) / 1e6;
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
  const std::vector<std::string> modes = {"--bare", "--text", "--real"};
  for (const std::string& mode : modes) Spawn(self, mode.c_str());  // warms the file cache
  std::vector<std::vector<Sample>> samples(modes.size());
  for (int i = 0; i < repetitions; ++i)
    // Round robin, starting one further each round, so drift hits every kind alike.
    for (size_t k = 0; k < modes.size(); ++k) {
      const size_t m = (k + size_t(i)) % modes.size();
      samples[m].push_back(Spawn(self, modes[m].c_str()));
    }
  const std::vector<Sample>&bare = samples[0], &text = samples[1], &real = samples[2];
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  std::printf(
      "Start-up to the first complete frame: median of %d fresh processes each, platform %s\n",
      repetitions, platform ? platform : "default");
  std::printf("%-28s %10s %10s %10s %9s %9s\n", "", "bare", "bare+text", "MerinMain", "/bare",
              "/b+text");
  auto row = [&](const char* name, auto field, const char* unit) {
    const double b = Median(bare, field), t = Median(text, field), r = Median(real, field);
    std::printf("%-28s %7.1f %-2s %7.1f %-2s %7.1f %-2s %9.2f %9.2f\n", name, b, unit, t, unit, r,
                unit, r / b, r / t);
  };
  row(
      "from process start (spawn)", [](const Sample& s) { return s.fromSpawnMs; }, "ms");
  row(
      "from main's entry", [](const Sample& s) { return s.fromMainMs; }, "ms");
  row(
      "processor time to it", [](const Sample& s) { return s.processorMs; }, "ms");
  row(
      "peak memory (VmHWM)", [](const Sample& s) { return double(s.peakKb) / 1024; }, "MB");
  std::printf("%-28s %10lld %10lld %10lld\n", "widgets in the window", bare.front().widgets,
              text.front().widgets, real.front().widgets);
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  for (const char* kind : {"bare", "text", "real"})
    if (argc > 1 && argv[1] == "--" + std::string(kind)) return StartOnce(kind, argc, argv);
  const int repetitions = argc > 1 ? std::atoi(argv[1]) : 21;
  if (repetitions < 1) {
    std::fprintf(stderr, "usage: window_bench [REPETITIONS] | --bare | --text | --real\n");
    return 2;
  }
  return Compare(repetitions);
}
