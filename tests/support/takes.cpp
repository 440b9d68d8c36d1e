// SPDX-License-Identifier: MIT
#include "support/takes.h"

#include "core/wavefile.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace merin::test {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

double Hz(double midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12); }

// The response of a telephone band-pass (400-3400 Hz, second order each side) at `f`.
double Telephone(double f) {
  return 1 / std::sqrt((1 + std::pow(400 / f, 4)) * (1 + std::pow(f / 3400, 4)));
}

// A vowel's formants (/a/ near 700 and 1200 Hz) over a floor, at `f`.
double Formants(double f) {
  const auto peak = [f](double centre, double width) {
    const double x = (f - centre) / width;
    return std::exp(-0.5 * x * x);
  };
  return 0.2 + peak(700, 180) + 0.6 * peak(1200, 250);
}

// The amplitude of harmonic `k` of a note at `f0` sung by `voice`.
double Harmonic(Performance::Voice voice, int k, double f0) {
  switch (voice) {
    case Performance::Voice::Sine:
      return k == 1 ? 1 : 0;
    case Performance::Voice::Whistle:
      return k == 1 ? 1 : k == 2 ? 0.05 : 0;
    case Performance::Voice::Square:
      return k % 2 ? 1.0 / k : 0;
    case Performance::Voice::Handset:
      return k % 2 ? Telephone(k * f0) / k : 0;
    case Performance::Voice::Hum:
      return std::pow(k, -1.2) * Formants(k * f0);
  }
  return 0;
}

}  // namespace

std::vector<int> RandomMelody(std::mt19937& random, size_t slots) {
  std::uniform_int_distribution<int> step(-5, 5), restChance(0, 9);
  std::vector<int> melody;
  int key = std::uniform_int_distribution<int>(64, 79)(random);
  for (size_t slot = 0; slot < slots; ++slot) {
    const bool inside = slot > 0 && slot + 1 < slots && melody.back() != kRestKey;
    if (inside && restChance(random) == 0) {
      melody.push_back(kRestKey);
      continue;
    }
    key = std::clamp(key + step(random), 60, 83);
    melody.push_back(key);
  }
  return melody;
}

Performed Perform(std::span<const int> melody, const Performance& how, uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  Performed out;
  out.rate = how.rate;
  const double total = 2 * how.leadSeconds + how.slotSeconds * static_cast<double>(melody.size());
  std::vector<double> signal(static_cast<size_t>(total * how.rate), 0);
  double active = 0;
  size_t activeCount = 0;
  for (size_t slot = 0; slot < melody.size(); ++slot) {
    if (melody[slot] == kRestKey) continue;
    const double onset = how.leadSeconds + how.slotSeconds * static_cast<double>(slot) +
                         how.onsetJitterSeconds * (2 * unit(random) - 1);
    out.notes.push_back({onset, melody[slot]});
    const double base = melody[slot] + how.transpose;
    const double length = how.sounding * how.slotSeconds;
    // The wander: three slow sines of random phase.
    double wanderPhase[3], wanderRate[3];
    for (int w = 0; w < 3; ++w) {
      wanderPhase[w] = kTwoPi * unit(random);
      wanderRate[w] = 2 + 5 * unit(random);
    }
    double phase = kTwoPi * unit(random);
    const auto first = static_cast<size_t>(onset * how.rate);
    const auto count = static_cast<size_t>(length * how.rate);
    for (size_t i = 0; i < count && first + i < signal.size(); ++i) {
      const double t = static_cast<double>(i) / how.rate;
      double cents = how.scoopCents * std::exp(-t / 0.04) +
                     how.vibratoCents * std::min(1.0, t / 0.15) * std::sin(kTwoPi * 5.5 * t);
      for (int w = 0; w < 3; ++w) {
        cents += how.jitterCents / 2 * std::sin(kTwoPi * wanderRate[w] * t + wanderPhase[w]);
      }
      const double f0 = Hz(base + cents / 100);
      phase += kTwoPi * f0 / how.rate;
      const double attack = std::min(1.0, t / 0.015), release = std::min(1.0, (length - t) / 0.025);
      double value = 0;
      for (int k = 1; k * f0 < 0.45 * how.rate && k <= 40; ++k) {
        value += Harmonic(how.voice, k, f0) * std::sin(k * phase);
      }
      signal[first + i] += how.amplitude * attack * release * value;
      active += signal[first + i] * signal[first + i];
      ++activeCount;
    }
  }
  // Peak to the amplitude asked for, then the noise below the notes' RMS.
  double peak = 0;
  for (const double s : signal) peak = std::max(peak, std::abs(s));
  const double gain = peak > 0 ? how.amplitude / peak : 1;
  const double rms = activeCount ? std::sqrt(active / static_cast<double>(activeCount)) * gain : 0;
  std::normal_distribution<double> noise(
      0, std::isfinite(how.snrDb) ? rms * std::pow(10.0, -how.snrDb / 20) : 0.0);
  out.samples.reserve(signal.size());
  for (const double s : signal) {
    out.samples.push_back(
        static_cast<float>(s * gain + (std::isfinite(how.snrDb) ? noise(random) : 0)));
  }
  return out;
}

std::string WavOf(std::span<const float> samples, int rate) {
  PcmSound pcm{rate, 1, {}};
  for (const float s : samples) {
    pcm.samples.push_back(static_cast<int16_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767)));
  }
  return WaveBytes(pcm);
}

double NoteFMeasure(std::span<const HeardNote> heard, std::span<const PlayedNote> played) {
  if (heard.empty() || played.empty()) return 0;
  size_t best = 0;
  for (int octaves = -3; octaves <= 3; ++octaves) {
    std::vector<bool> used(played.size(), false);
    size_t found = 0;
    for (const HeardNote& note : heard) {
      for (size_t p = 0; p < played.size(); ++p) {
        if (used[p] || std::abs(note.onset - played[p].onset) > 0.05 ||
            std::abs(note.pitch + 12 * octaves - played[p].key) > 0.5) {
          continue;
        }
        used[p] = true;
        ++found;
        break;
      }
    }
    best = std::max(best, found);
  }
  const double precision = static_cast<double>(best) / static_cast<double>(heard.size());
  const double recall = static_cast<double>(best) / static_cast<double>(played.size());
  return best ? 2 * precision * recall / (precision + recall) : 0;
}

size_t SlotEdits(std::span<const int> heard, std::span<const int> melody) {
  const auto withoutLead = [](std::span<const int> keys) {
    while (!keys.empty() && keys.front() == kRestKey) keys = keys.subspan(1);
    return keys;
  };
  heard = withoutLead(heard);
  melody = withoutLead(melody);
  size_t best = std::numeric_limits<size_t>::max();
  for (int octaves = -3; octaves <= 3; ++octaves) {
    std::vector<size_t> row(melody.size() + 1), next(melody.size() + 1);
    for (size_t j = 0; j <= melody.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= heard.size(); ++i) {
      next[0] = i;
      const int key = heard[i - 1] == kRestKey ? kRestKey : heard[i - 1] + 12 * octaves;
      for (size_t j = 1; j <= melody.size(); ++j) {
        next[j] = std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + (key != melody[j - 1])});
      }
      std::swap(row, next);
    }
    best = std::min(best, row[melody.size()]);
  }
  return best;
}

}  // namespace merin::test
