// SPDX-License-Identifier: MIT
#include "support/tonetrack.h"

#include <cmath>
#include <numbers>

namespace merin::test {
namespace {

constexpr float kLoud = 0.05f;

}  // namespace

std::vector<ToneSpan> TrackTones(const std::vector<float>& samples, int rate,
                                 const std::vector<double>& candidates) {
  const int window = rate / 200, hop = rate / 1000;
  std::vector<ToneSpan> spans;  // tones and silences (freq 0) in turn
  for (size_t at = 0; at + size_t(window) <= samples.size(); at += size_t(hop)) {
    const float* x = &samples[at];
    double energy = 0;
    for (int i = 0; i < window; ++i) energy += double(x[i]) * x[i];
    const double centre = (double(at) + window / 2.0) / rate;
    double heard = 0, bestPower = -1;
    if (std::sqrt(energy / window) >= kLoud) {
      for (double f : candidates) {
        const double p = GoertzelPower(x, size_t(window), f, rate);
        if (p > bestPower) bestPower = p, heard = f;
      }
    }
    if (spans.empty() || spans.back().freq != heard) spans.push_back({heard, centre, centre});
    spans.back().end = centre;
  }
  // A few windows straddling a tone's edge can favour a neighbouring candidate: they belong to
  // the span before them.
  std::vector<ToneSpan> merged;
  for (const ToneSpan& s : spans) {
    if (!merged.empty() && (s.end - s.start < 0.003 || s.freq == merged.back().freq)) {
      merged.back().end = s.end;
      continue;
    }
    merged.push_back(s);
  }
  spans.swap(merged);
  // Edges next to silence (or the recording's ends) move to the loud samples themselves.
  std::vector<ToneSpan> tones;
  for (size_t i = 0; i < spans.size(); ++i) {
    if (spans[i].freq == 0) continue;
    ToneSpan t = spans[i];
    if (i == 0 || spans[i - 1].freq == 0) {
      auto s = size_t(i == 0 ? 0.0 : spans[i - 1].end * rate);
      while (s < samples.size() && std::abs(samples[s]) < kLoud) ++s;
      t.start = double(s) / rate;
    }
    if (i + 1 < spans.size() && spans[i + 1].freq != 0) {
      t.end = spans[i + 1].start;
    } else {
      auto e = i + 1 == spans.size() ? samples.size() : size_t(spans[i + 1].start * rate);
      while (e > 0 && std::abs(samples[e - 1]) < kLoud) --e;
      t.end = double(e) / rate;
    }
    tones.push_back(t);
  }
  return tones;
}

double LongestQuiet(const std::vector<float>& samples, int rate, double from, double to) {
  size_t longest = 0, run = 0;
  const auto end = std::min(samples.size(), size_t(to * rate));
  for (auto i = size_t(std::max(0.0, from * rate)); i < end; ++i) {
    run = std::abs(samples[i]) < kLoud ? run + 1 : 0;
    longest = std::max(longest, run);
  }
  return double(longest) / rate;
}

}  // namespace merin::test
