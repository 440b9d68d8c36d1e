// SPDX-License-Identifier: MIT
#include "support/tonefile.h"

#include <sndfile.h>

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace merin::test {

double ToneSample(double freq, double frame, int rate, int channel, bool negateRight) {
  const double v = 0.5 * std::sin(2 * std::numbers::pi * freq * frame / rate);
  return negateRight && channel % 2 ? -v : v;
}

void WriteTone(const std::string& path, double freq, double seconds, int rate, int channels,
               int format, bool negateRight) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | format;
  SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!f) throw std::runtime_error("cannot write " + path + ": " + sf_strerror(nullptr));
  const auto frames = size_t(std::lround(seconds * rate));
  std::vector<double> data(frames * size_t(channels));
  for (size_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      data[i * size_t(channels) + size_t(c)] = ToneSample(freq, double(i), rate, c, negateRight);
  sf_writef_double(f, data.data(), sf_count_t(frames));
  sf_close(f);
}

}  // namespace merin::test
