// SPDX-License-Identifier: MIT
// Entry latency: key clicks through the real main window, each loading its note picture from disk
// through the window's view, in a copy of the program's folder; then as many presses of the
// computer keyboard's piano keys, delivered to the window as the platform delivers them.
// Usage: entry_bench [CLICKS]   (default 10000)
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/da.h"
#include "core/pitch.h"
#include "entry/keyboard.h"
#include "entry/pianolayout.h"
#include "nullsound.h"
#include "support/programfolder.h"
#include "ui/merinmain.h"

namespace {

using Clock = std::chrono::steady_clock;

// The processor time of this process, all its threads (Qt's thread pool included), in µs: on a
// shared machine it leaves out the time other jobs hold the processor.
double ProcessorMicros() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e6 + double(t.tv_nsec) * 1e-3;
}

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

// Copies every picture a key can ask for from `from` into `to`; false when one is missing.
bool CopyPictures(const QString& from, const QString& to) {
  bool ok = true;
  auto copy = [&](std::string_view name) {
    const QString file = QString::fromUtf8(name.data(), qsizetype(name.size()));
    if (!QFile::copy(from + file, to + "/" + file)) {
      std::fprintf(stderr, "entry_bench: cannot copy %s%s\n", qPrintable(from), qPrintable(file));
      ok = false;
    }
  };
  for (std::string_view code : merin::kWhiteKeyCodes) copy(merin::PictureFileOf(code));
  for (std::string_view code : merin::kBlackKeyCodes) copy(merin::PictureFileOf(code));
  copy(merin::PictureFileOf(merin::kRestCode));
  return ok;
}

// The entries must have reached the handlers: the last 30 entered are the melody.
bool Entered(const merin::Melody& melody, const std::vector<std::string>& entered,
             const char* how) {
  for (size_t i = entered.size() - std::min<size_t>(entered.size(), 30); i < entered.size(); ++i) {
    if (melody.Notes[int(i % 30)] != entered[i]) {
      std::fprintf(stderr, "entry_bench: slot %zu holds %s, the %s entered %s\n", i % 30 + 1,
                   melody.Notes[int(i % 30)].c_str(), how, entered[i].c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  const int clicks = argc > 1 ? std::atoi(argv[1]) : 10000;
  if (clicks < 1) {
    std::fprintf(stderr, "usage: entry_bench [CLICKS]\n");
    return 2;
  }
  QApplication app(argc, argv);
  // The clicks change the melody, which the window keeps in the data folder: a private one here.
  QTemporaryDir home;
  qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
  merin::bench::NullSound sound;
  QTemporaryDir copy;
  if (!copy.isValid() ||
      !CopyPictures(QString::fromStdString(Da::RunningProgramFolder() + "/"), copy.path()))
    return 1;
  const merin::test::ScopedProgramFolder folder(QDir(copy.path()).absolutePath().toStdString());
  merin::ui::MerinMain window(sound);
  window.load();
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    std::fprintf(stderr, "entry_bench: the window was never shown\n");
    return 1;
  }

  struct Key {
    QAbstractButton* button;
    std::string code;
  };
  std::vector<Key> keys;
  for (int i = 0; i < 14; ++i)
    keys.push_back({window.findChild<QAbstractButton*>("ken" + QString::number(i)),
                    std::string(merin::kWhiteKeyCodes[size_t(i)])});
  for (int i = 0; i < 10; ++i)
    keys.push_back({window.findChild<QAbstractButton*>("bkey" + QString::number(i)),
                    std::string(merin::kBlackKeyCodes[size_t(i)])});

  std::mt19937 random(98);
  std::uniform_int_distribution<size_t> pick(0, keys.size() - 1);
  std::vector<double> handler, withPaint;
  std::vector<std::string> entered;
  for (int n = 0; n < clicks; ++n) {
    const Key& key = keys[pick(random)];
    const auto start = Clock::now();
    QTest::mouseClick(key.button, Qt::LeftButton);
    const auto clicked = Clock::now();
    // What the event loop does on its next update: paints the regions the click made dirty.
    QEvent update(QEvent::UpdateRequest);
    QApplication::sendEvent(&window, &update);
    const auto painted = Clock::now();
    handler.push_back(std::chrono::duration<double, std::micro>(clicked - start).count());
    withPaint.push_back(std::chrono::duration<double, std::micro>(painted - start).count());
    entered.push_back(key.code);
  }

  // The clicks must have reached the handlers: the last 30 keys are the melody.
  if (!Entered(window.melody(), entered, "click")) return 1;

  // The computer keyboard: the same through the window's platform window, so that shortcuts,
  // the focus widget and the key filter all take their part. The cursor starts again at slot 1.
  window.activateWindow();
  if (!QTest::qWaitForWindowActive(&window)) {
    std::fprintf(stderr, "entry_bench: the window never became active\n");
    return 1;
  }
  QWindow* platformWindow = window.windowHandle();
  struct Typed {
    Qt::Key key;
    QString text;
    std::string code;
  };
  std::vector<Typed> typed;
  for (char c : std::string_view("ZSXDCVGBHNJMQ2W3ER5T6Y7U0")) {
    const merin::PianoKey k = *merin::PianoKeyAt(c);
    const std::string_view code =
        k.kind == merin::PianoKey::Kind::White   ? merin::kWhiteKeyCodes[size_t(k.index)]
        : k.kind == merin::PianoKey::Kind::Black ? merin::kBlackKeyCodes[size_t(k.index)]
                                                 : merin::kRestCode;
    typed.push_back({Qt::Key(c), QString(QChar(c)).toLower(), std::string(code)});
  }
  QTest::mouseClick(window.findChild<QWidget*>("np0"), Qt::LeftButton);
  std::uniform_int_distribution<size_t> pickTyped(0, typed.size() - 1);
  std::vector<double> press, pressWithPaint, pressWithPaintProcessor;
  entered.clear();
  for (int n = 0; n < clicks; ++n) {
    const Typed& key = typed[pickTyped(random)];
    const double startProcessor = ProcessorMicros();
    const auto start = Clock::now();
    // As the platform plugin hands a key to Qt: shortcuts first, then the focus widget.
    qt_handleKeyEvent(platformWindow, QEvent::KeyPress, key.key, Qt::NoModifier, key.text);
    const auto pressed = Clock::now();
    QEvent update(QEvent::UpdateRequest);
    QApplication::sendEvent(&window, &update);
    const auto painted = Clock::now();
    pressWithPaintProcessor.push_back(ProcessorMicros() - startProcessor);
    qt_handleKeyEvent(platformWindow, QEvent::KeyRelease, key.key, Qt::NoModifier, key.text);
    QApplication::sendEvent(&window, &update);
    press.push_back(std::chrono::duration<double, std::micro>(pressed - start).count());
    pressWithPaint.push_back(std::chrono::duration<double, std::micro>(painted - start).count());
    entered.push_back(key.code);
  }
  if (!Entered(window.melody(), entered, "key press")) return 1;

  const char* platform = std::getenv("QT_QPA_PLATFORM");
  std::printf(
      "Entry latency: %d key clicks and %d key presses through the main window, platform %s\n",
      clicks, clicks, platform ? platform : "default");
  std::printf("%-44s %10s %10s %10s\n", "per entry", "median", "p99", "max");
  auto row = [](const char* name, const std::vector<double>& v) {
    std::printf("%-44s %7.0f us %7.0f us %7.0f us\n", name, Percentile(v, 0.5), Percentile(v, 0.99),
                Percentile(v, 1.0));
  };
  row("click (handler, picture read from disk)", handler);
  row("click and the paint it causes", withPaint);
  row("key press (handler, picture read from disk)", press);
  row("key press and the paint it causes", pressWithPaint);
  row("the same, processor time", pressWithPaintProcessor);
  return 0;
}
