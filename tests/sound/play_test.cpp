// SPDX-License-Identifier: MIT
// The real device on a PulseAudio null sink, recorded from the sink's monitor.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "sound/portaudiodevice.h"
#include "support/recorder.h"
#include "support/tempfolder.h"
#include "support/tonefile.h"
#include "support/tonetrack.h"

#include <sndfile.h>

namespace merin {
namespace {

using Clock = std::chrono::steady_clock;
using test::Recorder;
using test::TempFolder;
using test::ToneSpan;
using test::TrackTones;
using test::WriteTone;

constexpr double kTolerance = 0.005;

struct Tone {
  const char* name;
  double freq;
  double seconds;
  int rate;
  int channels;
  int format;
};

std::string Describe(const std::vector<ToneSpan>& spans) {
  std::string s;
  for (const ToneSpan& t : spans)
    s += std::to_string(int(t.freq)) + "Hz " + std::to_string(t.start) + ".." +
         std::to_string(t.end) + "; ";
  return s;
}

// Consecutive sounds in several formats are heard in order, each whole and at its own length,
// back to back; the last one is heard to its end although the device closes right after it.
TEST(PlayWave, ConsecutiveSoundsAreHeardWholeAndBackToBack) {
  TempFolder dir;
  const Tone tones[] = {
      {"a.wav", 500, 0.080, 44100, 1, SF_FORMAT_PCM_16},
      {"b.wav", 1000, 0.120, 22050, 2, SF_FORMAT_PCM_16},
      {"c.wav", 1500, 0.100, 48000, 1, SF_FORMAT_FLOAT},
      {"d.wav", 2000, 0.150, 44100, 2, SF_FORMAT_PCM_24},
      {"e.wav", 750, 0.060, 8000, 1, SF_FORMAT_PCM_U8},
  };
  std::vector<double> candidates;
  for (const Tone& t : tones) {
    WriteTone(dir / t.name, t.freq, t.seconds, t.rate, t.channels, t.format, false);
    candidates.push_back(t.freq);
  }

  Recorder recorder(dir / "heard.wav");
  double total = 0, played = 0;
  {
    PortAudioDevice device;
    ASSERT_TRUE(device.enabled());
    const auto start = Clock::now();
    for (const Tone& t : tones) {
      device.PlayWave(dir / t.name);
      device.PlayWave(dir / "missing.wav");  // plays nothing and must leave no gap
      total += t.seconds;
    }
    played = std::chrono::duration<double>(Clock::now() - start).count();
    // Synchronous: the calls return once the sounds are all but heard.
    EXPECT_GT(played, total - 2 * device.latency() - 0.01);
    EXPECT_LT(played, total + device.latency() + 0.05);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const std::vector<float> heard = recorder.stop();

  const auto spans = TrackTones(heard, Recorder::rate(), candidates);
  ASSERT_EQ(spans.size(), std::size(tones)) << Describe(spans);
  for (size_t i = 0; i < spans.size(); ++i) {
    EXPECT_EQ(spans[i].freq, tones[i].freq) << i << ": " << Describe(spans);
    EXPECT_NEAR(spans[i].end - spans[i].start, tones[i].seconds, kTolerance)
        << tones[i].name << ": " << Describe(spans);
    if (i > 0) {
      EXPECT_LT(spans[i].start - spans[i - 1].end, kTolerance) << Describe(spans);
    }
  }
  EXPECT_LT(test::LongestQuiet(heard, Recorder::rate(), spans.front().start, spans.back().end),
            kTolerance);
}

// After a pause in which the stream ran dry, a sound is heard whole again, and so is the
// closing sound played just before the device goes.
TEST(PlayWave, SoundsAfterAPauseAreWhole) {
  TempFolder dir;
  WriteTone(dir / "open.wav", 600, 0.2);
  WriteTone(dir / "note.wav", 1200, 0.05);
  WriteTone(dir / "close.wav", 1800, 0.25);

  Recorder recorder(dir / "heard.wav");
  double latency = 0;
  {
    PortAudioDevice device;
    latency = device.latency();
    device.PlayWave(dir / "open.wav");
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    device.PlayWave(dir / "note.wav");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    device.PlayWave(dir / "close.wav");
  }
  const std::vector<float> heard = recorder.stop();

  const auto spans = TrackTones(heard, Recorder::rate(), {600, 1200, 1800});
  ASSERT_EQ(spans.size(), 3u) << Describe(spans);
  const double lengths[] = {0.2, 0.05, 0.25}, freqs[] = {600, 1200, 1800};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(spans[i].freq, freqs[i]) << Describe(spans);
    EXPECT_NEAR(spans[i].end - spans[i].start, lengths[i], kTolerance) << Describe(spans);
  }
  // PlayWave returns with at most one output latency of the sound left to hear.
  EXPECT_GE(spans[1].start - spans[0].end, 0.4 - latency - 0.05) << Describe(spans);
  EXPECT_LE(spans[1].start - spans[0].end, 0.4 + 0.05) << Describe(spans);
}

// A stop from another thread ends the sound and drops what was queued of it within a tenth of a
// second; the next sound is heard whole.
TEST(PlayWave, AStopEndsTheSoundAndWhatIsQueuedOfItAtOnce) {
  TempFolder dir;
  WriteTone(dir / "long.wav", 800, 1.0);
  WriteTone(dir / "next.wav", 1600, 0.2);
  Recorder recorder(dir / "heard.wav");
  {
    PortAudioDevice device;
    ASSERT_TRUE(device.enabled());
    Clock::time_point returned;
    std::thread player([&] {
      device.PlayWave(dir / "long.wav");
      returned = Clock::now();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    const auto stopped = Clock::now();
    device.Stop();
    player.join();
    EXPECT_LT(std::chrono::duration<double>(returned - stopped).count(), 0.1);
    device.PlayWave(dir / "next.wav");
  }
  const auto spans = TrackTones(recorder.stop(), Recorder::rate(), {800, 1600});
  ASSERT_EQ(spans.size(), 2u) << Describe(spans);
  EXPECT_LT(spans[0].end - spans[0].start, 0.4 + 0.1) << Describe(spans);
  EXPECT_NEAR(spans[1].end - spans[1].start, 0.2, kTolerance) << Describe(spans);
}

}  // namespace
}  // namespace merin
