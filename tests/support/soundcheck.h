// SPDX-License-Identifier: MIT
#pragma once

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "support/tonetrack.h"

namespace merin::test {

// A sound file as libsndfile decodes it.
struct DecodedSound {
  bool ok = false;
  int format = 0;
  int rate = 0;
  int channels = 0;
  std::vector<short> samples;
  std::vector<float> floats;
};

inline DecodedSound Decode(const std::string& path) {
  DecodedSound sound;
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return sound;
  sound.format = info.format;
  sound.rate = info.samplerate;
  sound.channels = info.channels;
  sound.samples.resize(size_t(info.frames) * size_t(info.channels));
  sound.samples.resize(size_t(sf_readf_short(file, sound.samples.data(), info.frames)) *
                       size_t(info.channels));
  sf_seek(file, 0, SEEK_SET);
  sound.floats.resize(sound.samples.size());
  sf_readf_float(file, sound.floats.data(), info.frames);
  sound.ok = sf_error(file) == SF_ERR_NO_ERROR;
  sf_close(file);
  return sound;
}

// Equal-tempered frequency of a MIDI note number.
inline double Frequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// The power of `freq` in samples [from, to) (Goertzel).
inline double Power(const std::vector<float>& samples, size_t from, size_t to, double freq,
                    int rate) {
  to = std::min(to, samples.size());
  return from < to ? GoertzelPower(samples.data() + from, to - from, freq, rate) : 0;
}

inline double Rms(const std::vector<float>& samples, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from; i < to && i < samples.size(); ++i) sum += double(samples[i]) * samples[i];
  return to > from ? std::sqrt(sum / double(to - from)) : 0;
}

// Which of the handset's 24 pitches (MIDI 60..83) is strongest in samples [from, to).
inline int StrongestPitch(const std::vector<float>& samples, size_t from, size_t to, int rate) {
  int loudest = 0;
  double best = -1;
  for (int midi = 60; midi <= 83; ++midi) {
    const double p = Power(samples, from, to, Frequency(midi), rate);
    if (p > best) best = p, loudest = midi;
  }
  return loudest;
}

}  // namespace merin::test
