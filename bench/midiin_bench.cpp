// SPDX-License-Identifier: MIT
// MIDI keyboard latency: notes sent from a JACK MIDI port of this process to the real main
// window, which listens to every port; each timed from the send until the staff cell it wrote has
// been painted. Needs a JACK server (bench/run starts one on the dummy driver) and a display.
// Usage: midiin_bench [NOTES]   (default 300)
#include <rtmidi/RtMidi.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "nullsound.h"
#include "ui/merinmain.h"
#include "ui/staffcell.h"

namespace {

using Clock = std::chrono::steady_clock;

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

// Writes down when each staff cell was last painted.
class PaintWatch : public QObject {
 public:
  std::vector<Clock::time_point> painted = std::vector<Clock::time_point>(30);
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      const int slot = watched->objectName().mid(5).toInt();
      painted[size_t(slot)] = Clock::now();
    }
    return false;
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  const int notes = argc > 1 ? std::atoi(argv[1]) : 300;
  if (notes < 1) {
    std::fprintf(stderr, "usage: midiin_bench [NOTES]\n");
    return 2;
  }
  QApplication app(argc, argv);
  QTemporaryDir home;
  qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
  merin::bench::NullSound sound;
  merin::ui::MerinMain window(sound);
  window.load();
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    std::fprintf(stderr, "midiin_bench: the window was never shown\n");
    return 1;
  }
  PaintWatch watch;
  for (int slot = 0; slot < 30; ++slot) {
    window.findChild<QWidget*>("Gosen" + QString::number(slot))->installEventFilter(&watch);
  }
  try {
    RtMidiOut out(RtMidi::UNIX_JACK, "midiin-bench");
    out.openVirtualPort("keys");
    // The window looks for new ports once a second.
    QTest::qWait(2500);
    std::vector<double> latency;
    for (int n = 0; n < notes; ++n) {
      const int32_t slot = window.melody().Cursor;
      const unsigned char note = static_cast<unsigned char>(60 + (n * 7) % 24);
      const auto sent = Clock::now();
      std::vector<unsigned char> on = {0x90, note, 90};
      out.sendMessage(&on);
      QElapsedTimer waited;
      waited.start();
      while (watch.painted[size_t(slot)] < sent && waited.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
      }
      if (watch.painted[size_t(slot)] < sent) {
        std::fprintf(
            stderr,
            "midiin_bench: note %d was never painted (slot %d holds %s, the cursor is on %d)\n",
            n + 1, slot + 1, window.melody().Notes[size_t(slot)].c_str(),
            window.melody().Cursor + 1);
        return 1;
      }
      latency.push_back(
          std::chrono::duration<double, std::milli>(watch.painted[size_t(slot)] - sent).count());
      std::vector<unsigned char> off = {0x80, note, 0};
      out.sendMessage(&off);
      QTest::qWait(100);  // no chord: well over 30 ms apart, however JACK bunches its periods
    }
    std::printf(
        "midiin_bench: %d notes, note-on sent to its staff cell painted: median %.2f ms, "
        "p99 %.2f ms, max %.2f ms\n",
        notes, Percentile(latency, 0.5), Percentile(latency, 0.99),
        *std::max_element(latency.begin(), latency.end()));
  } catch (const RtMidiError& error) {
    std::fprintf(stderr, "midiin_bench: %s\n", error.getMessage().c_str());
    return 1;
  }
  return 0;
}
