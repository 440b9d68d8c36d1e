// SPDX-License-Identifier: MIT
// Test play of 30 slots through the default output device, timed two ways: the sound device
// (one stream for everything) and the naive way (open, write, stop and close a stream per sound).
// Prints wall time divided by the summed lengths of the sounds: 1.00 is perfect rhythm.
#include <portaudio.h>
#include <sndfile.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "sound/decodedwave.h"
#include "sound/portaudiodevice.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSlots = 30;
constexpr int kRate = 44100;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// 30 tones of `seconds` each, a scale going round, as "NN.wav" in `folder`.
std::vector<std::string> WriteTones(const std::filesystem::path& folder, double seconds) {
  std::vector<std::string> paths;
  for (int i = 0; i < kSlots; ++i) {
    const double freq = 440 * std::pow(2.0, (i % 12) / 12.0);
    std::vector<short> data(size_t(seconds * kRate));
    for (size_t n = 0; n < data.size(); ++n)
      data[n] = short(12000 * std::sin(2 * std::numbers::pi * freq * double(n) / kRate));
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    paths.push_back((folder / (std::to_string(10 + i) + ".wav")).string());
    SNDFILE* f = sf_open(paths.back().c_str(), SFM_WRITE, &info);
    if (!f) {
      std::fprintf(stderr, "cannot write %s\n", paths.back().c_str());
      std::exit(1);
    }
    sf_write_short(f, data.data(), sf_count_t(data.size()));
    sf_close(f);
  }
  return paths;
}

// The naive device: every sound gets its own stream, stopped when written.
void PlayNaively(const std::string& path) {
  const merin::DecodedWave wave = merin::DecodeWave(path, 2, kRate);
  PaStream* stream = nullptr;
  if (Pa_OpenDefaultStream(&stream, 0, 2, paFloat32, kRate, paFramesPerBufferUnspecified, nullptr,
                           nullptr) != paNoError)
    return;
  Pa_StartStream(stream);
  Pa_WriteStream(stream, wave.samples.data(), wave.samples.size() / 2);
  Pa_StopStream(stream);
  Pa_CloseStream(stream);
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 0.25;
  std::string pattern = (std::filesystem::temp_directory_path() / "merin-bench-XXXXXX").string();
  const std::filesystem::path folder = mkdtemp(pattern.data());
  const std::vector<std::string> paths = WriteTones(folder, seconds);
  const double total = kSlots * seconds;

  auto start = Clock::now();
  double calls = 0;
  {
    merin::PortAudioDevice device;
    if (!device.enabled()) return 1;
    const double opened = Since(start);
    start = Clock::now();
    for (const std::string& p : paths) device.PlayWave(p);
    calls = Since(start);
    std::printf("device: open %.3f s, output latency %.3f s\n", opened, device.latency());
  }
  const double withClose = Since(start);

  Pa_Initialize();
  start = Clock::now();
  for (const std::string& p : paths) PlayNaively(p);
  const double naive = Since(start);
  Pa_Terminate();
  std::filesystem::remove_all(folder);

  std::printf("test play of %d sounds of %.0f ms (%.2f s of sound)\n", kSlots, seconds * 1000,
              total);
  std::printf("  one stream (PortAudioDevice): %.3f s  ratio %.3f  (with the final drain %.3f)\n",
              calls, calls / total, withClose / total);
  std::printf("  naive (stream per sound):     %.3f s  ratio %.3f\n", naive, naive / total);
  return 0;
}
