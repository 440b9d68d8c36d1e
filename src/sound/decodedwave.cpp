// SPDX-License-Identifier: MIT
#include "sound/decodedwave.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "formats/audiocodec.h"

namespace merin {
namespace {

// One frame of `in` channels mapped onto `out` channels.
void MapChannels(const float* src, int in, float* dst, int out) {
  if (in == out) {
    std::copy(src, src + in, dst);
  } else if (in == 1) {
    std::fill(dst, dst + out, src[0]);
  } else if (out == 1) {
    float sum = 0;
    for (int c = 0; c < in; ++c) sum += src[c];
    dst[0] = sum / float(in);
  } else {
    for (int c = 0; c < out; ++c) dst[c] = c < in ? src[c] : 0.0f;
  }
}

}  // namespace

DecodedWave DecodeWave(const std::string& path, int channels, int rate) {
  DecodedWave wave;
  auto read = formats::ReadSoundOf(path, channels <= 0);
  if (auto* refusal = std::get_if<Refusal>(&read)) {
    wave.refusal = std::move(*refusal);
    return wave;
  }
  const formats::FileSound& file = std::get<formats::FileSound>(read);
  wave.cutShort = file.cutShort;
  wave.sourceRate = file.rate;
  wave.sourceFrames = file.frames;
  const int64_t got = file.frames;
  if (channels <= 0 || got == 0) return wave;

  std::vector<float> mapped(size_t(got) * size_t(channels));
  for (int64_t i = 0; i < got; ++i) {
    MapChannels(&file.samples[size_t(i) * size_t(file.channels)], file.channels,
                &mapped[size_t(i) * size_t(channels)], channels);
  }
  if (file.rate == rate) {
    wave.samples = std::move(mapped);
    return wave;
  }

  const double step = double(file.rate) / rate;
  const auto outFrames = int64_t(std::llround(double(got) * rate / file.rate));
  wave.samples.resize(size_t(outFrames) * size_t(channels));
  for (int64_t j = 0; j < outFrames; ++j) {
    const double pos = double(j) * step;
    const auto i = std::min<int64_t>(int64_t(pos), got - 1);
    const int64_t next = std::min<int64_t>(i + 1, got - 1);
    const auto frac = float(pos - double(i));
    for (int c = 0; c < channels; ++c) {
      const float a = mapped[size_t(i) * size_t(channels) + size_t(c)];
      const float b = mapped[size_t(next) * size_t(channels) + size_t(c)];
      wave.samples[size_t(j) * size_t(channels) + size_t(c)] = a + (b - a) * frac;
    }
  }
  return wave;
}

}  // namespace merin
