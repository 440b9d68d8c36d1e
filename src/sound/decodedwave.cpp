// SPDX-License-Identifier: MIT
#include "sound/decodedwave.h"

#include <sndfile.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <memory>
#include <string_view>

#include "core/coretexts.h"

namespace merin {
namespace {

struct SndfileCloser {
  void operator()(SNDFILE* f) const { sf_close(f); }
};

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

// libsndfile opens a file cut short and shortens the sound to what is left; only its log says
// that the data chunk was meant to be longer ("data : 24696 (should be 11956)").
bool CutShort(SNDFILE* file) {
  std::string log(4096, '\0');
  log.resize(size_t(sf_command(file, SFC_GET_LOG_INFO, log.data(), int(log.size()))));
  size_t line = 0;
  while (line < log.size()) {
    const size_t end = std::min(log.find('\n', line), log.size());
    const std::string_view text(log.data() + line, end - line);
    if (text.starts_with("data") && text.find("(should be") != std::string_view::npos) return true;
    line = end + 1;
  }
  return false;
}

}  // namespace

DecodedWave DecodeWave(const std::string& path, int channels, int rate) {
  DecodedWave wave;
  struct stat st {};
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    wave.refusal = SystemRefusal(EISDIR, path);
    return wave;
  }
  // No sound the audio library reads, in its own words when it gives any.
  const auto refuse = [&](const char* words) {
    wave.refusal = Refusal(CoreText("sound.not-a-sound-file"), path);
    if (words) wave.refusal->detail = words;
    return wave;
  };
  SF_INFO info{};
  std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
  if (!file) return refuse(sf_strerror(nullptr));
  wave.cutShort = CutShort(file.get());
  if (info.samplerate <= 0 || info.channels <= 0) return refuse(nullptr);
  wave.sourceRate = info.samplerate;
  if (channels <= 0) {
    wave.sourceFrames = info.frames;
    return wave;
  }

  std::vector<float> raw(size_t(info.frames) * size_t(info.channels));
  const sf_count_t got = sf_readf_float(file.get(), raw.data(), info.frames);
  if (got < 0 || sf_error(file.get()) != SF_ERR_NO_ERROR) return refuse(sf_strerror(file.get()));
  wave.sourceFrames = got;
  if (got == 0) return wave;

  std::vector<float> mapped(size_t(got) * size_t(channels));
  for (sf_count_t i = 0; i < got; ++i) {
    MapChannels(&raw[size_t(i) * size_t(info.channels)], info.channels,
                &mapped[size_t(i) * size_t(channels)], channels);
  }
  if (info.samplerate == rate) {
    wave.samples = std::move(mapped);
    return wave;
  }

  const double step = double(info.samplerate) / rate;
  const auto outFrames = int64_t(std::llround(double(got) * rate / info.samplerate));
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
