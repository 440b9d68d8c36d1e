// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

namespace merin::test {

// Power of `frequency` in the `n` samples from `x` at `rate` by the Goertzel recurrence; with
// `hann` the samples are Hann-windowed first.
template <class Sample>
double GoertzelPower(const Sample* x, size_t n, double frequency, int rate, bool hann = false) {
  const double k = 2 * std::cos(2 * std::numbers::pi * frequency / rate);
  double s1 = 0, s2 = 0;
  for (size_t i = 0; i < n; ++i) {
    const double window = hann
                              ? 0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) /
                                                     static_cast<double>(n))
                              : 1.0;
    const double s = static_cast<double>(x[i]) * window + k * s1 - s2;
    s2 = s1;
    s1 = s;
  }
  return s1 * s1 + s2 * s2 - k * s1 * s2;
}

// One stretch of a recording in which a single tone sounds.
struct ToneSpan {
  double freq;   // the candidate frequency heard
  double start;  // seconds from the recording's start
  double end;
};

// Splits a mono recording into the tones it holds: every 1 ms a 5 ms window is either silence or
// the candidate frequency with the most energy (Goertzel); tone-to-tone boundaries are where the
// winner changes, edges next to silence are the first and last loud samples.
std::vector<ToneSpan> TrackTones(const std::vector<float>& samples, int rate,
                                 const std::vector<double>& candidates);

// The longest run of near-silent samples between `from` and `to` seconds, in seconds.
double LongestQuiet(const std::vector<float>& samples, int rate, double from, double to);

}  // namespace merin::test
