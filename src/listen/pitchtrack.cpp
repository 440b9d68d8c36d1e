// SPDX-License-Identifier: MIT
#include "listen/pitchtrack.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace merin::listen {
namespace {

constexpr double kWindowSeconds = 0.023, kHopSeconds = 0.0058, kLevelSeconds = 0.008;
constexpr double kLowestHz = 65, kHighestHz = 2100;
constexpr double kThreshold = 0.2;
constexpr size_t kLanes = 8;
// Taps of the low-pass filter on each side of its centre, per step of the decimation.
constexpr int kTapsPerStep = 8;

double MidiOf(double hz) { return 69 + 12 * std::log2(hz / 440); }

}  // namespace

std::vector<float> Downsampled(std::span<const float> samples, int rate, double& workingRate) {
  const int step = std::max(1, static_cast<int>(rate / kWorkingRate));
  workingRate = static_cast<double>(rate) / step;
  if (step == 1) return {samples.begin(), samples.end()};
  // A windowed sinc that cuts at 90 % of the new Nyquist frequency.
  const int half = kTapsPerStep * step;
  std::vector<float> taps(static_cast<size_t>(2 * half + 1));
  const double cut = 0.9 / (2.0 * step);  // cycles per input sample
  double sum = 0;
  for (int k = -half; k <= half; ++k) {
    const double x = 2 * std::numbers::pi * cut * k;
    const double sinc = k == 0 ? 1.0 : std::sin(x) / x;
    const double window = 0.54 + 0.46 * std::cos(std::numbers::pi * k / (half + 1));
    taps[static_cast<size_t>(k + half)] = static_cast<float>(sinc * window);
    sum += sinc * window;
  }
  for (float& tap : taps) tap = static_cast<float>(tap / sum);
  const auto size = static_cast<long>(samples.size());
  std::vector<float> out;
  out.reserve(samples.size() / static_cast<size_t>(step) + 1);
  for (long centre = 0; centre < size; centre += step) {
    float value = 0;
    const long first = std::max(0L, centre - half), last = std::min(size - 1, centre + half);
    for (long i = first; i <= last; ++i) {
      value += taps[static_cast<size_t>(i - centre + half)] * samples[static_cast<size_t>(i)];
    }
    out.push_back(value);
  }
  return out;
}

std::vector<Frame> TrackFrames(std::span<const float> x, double rate) {
  const auto window = static_cast<size_t>(std::lround(kWindowSeconds * rate));
  const auto hop = std::max<size_t>(1, static_cast<size_t>(std::lround(kHopSeconds * rate)));
  const auto levelHalf = static_cast<size_t>(std::lround(kLevelSeconds * rate / 2));
  const size_t shortest = std::max<size_t>(2, static_cast<size_t>(rate / kHighestHz));
  const auto longest = static_cast<size_t>(rate / kLowestHz);
  std::vector<Frame> frames;
  if (window < 2 || longest < shortest + 2 || x.size() < window + longest + 2) return frames;
  const size_t count = (x.size() - window - longest - 1) / hop + 1;
  frames.reserve(count);
  std::vector<float> difference(longest + 2), normalised(longest + 2);
  for (size_t f = 0; f < count; ++f) {
    const size_t start = f * hop;
    const float* frame = x.data() + start;
    for (size_t lag = 1; lag <= longest + 1; ++lag) {
      // Eight sums side by side, which the compiler keeps in one vector register.
      float sums[kLanes] = {};
      const float* later = frame + lag;
      size_t j = 0;
      for (; j + kLanes <= window; j += kLanes) {
        for (size_t k = 0; k < kLanes; ++k) {
          const float d = frame[j + k] - later[j + k];
          sums[k] += d * d;
        }
      }
      float sum = 0;
      for (; j < window; ++j) sum += (frame[j] - later[j]) * (frame[j] - later[j]);
      for (const float lane : sums) sum += lane;
      difference[lag] = sum;
    }
    // The cumulative mean normalised difference.
    double running = 0;
    normalised[0] = 1;
    for (size_t lag = 1; lag <= longest + 1; ++lag) {
      running += difference[lag];
      normalised[lag] = running > 0 ? static_cast<float>(difference[lag] * lag / running) : 1.0f;
    }
    size_t best = 0;
    for (size_t lag = shortest; lag <= longest; ++lag) {
      if (normalised[lag] < kThreshold) {
        while (lag + 1 <= longest && normalised[lag + 1] < normalised[lag]) ++lag;
        best = lag;
        break;
      }
    }
    if (best == 0) {
      best = shortest;
      for (size_t lag = shortest; lag <= longest; ++lag) {
        if (normalised[lag] < normalised[best]) best = lag;
      }
    }
    double period = static_cast<double>(best);
    // The minimum between lags, from the raw difference, which the normalisation bends: near
    // its minimum the difference of a tone of period P is a raised cosine of period P, which a
    // parabola fits badly when P is a few samples long.
    const double a = difference[best - 1], b = difference[best], c = difference[best + 1];
    if (const double curve = a - 2 * b + c; curve > 0) {
      const double omega = 2 * std::numbers::pi / period;
      period += std::atan((a - c) / curve * std::tan(omega / 2)) / omega;
    }

    Frame out;
    const size_t centre = start + window / 2;
    out.seconds = static_cast<double>(centre) / rate;
    out.aperiodicity = std::clamp(static_cast<double>(normalised[best]), 0.0, 1.0);
    out.midi = MidiOf(rate / period);
    const size_t from = centre > levelHalf ? centre - levelHalf : 0;
    const size_t to = std::min(x.size(), centre + levelHalf);
    double energy = 0;
    for (size_t i = from; i < to; ++i) energy += double(x[i]) * x[i];
    out.level = std::sqrt(energy / static_cast<double>(std::max<size_t>(1, to - from)));
    frames.push_back(out);
  }
  return frames;
}

}  // namespace merin::listen
