// SPDX-License-Identifier: MIT
#include "art/tone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <stdexcept>
#include <string>

#include "core/pitch.h"

namespace merin::art {
namespace {

constexpr double kHarmonics[] = {1.0, 0.22, 0.30, 0.08, 0.12, 0.03, 0.05};
constexpr double kAttackMillis = 4, kReleaseMillis = 20;
constexpr double kPeak = 0.45;

double MidiFrequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

void Append(std::vector<int16_t>& to, const std::vector<int16_t>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

// Quick notes of the handset voice, the last one held.
std::vector<int16_t> Jingle(std::initializer_list<int> midis) {
  std::vector<int16_t> out;
  int left = static_cast<int>(midis.size());
  for (int midi : midis) {
    const bool last = --left == 0;
    Append(out, last ? Tone(MidiFrequency(midi), 330, 300) : Tone(MidiFrequency(midi), 105, 95));
  }
  return out;
}

}  // namespace

double NoteFrequency(std::string_view code) {
  const std::optional<Pitch> pitch = Pitch::FromCode(code);
  if (!pitch) throw std::invalid_argument("\"" + std::string(code) + "\" is not a note code");
  return MidiFrequency(pitch->Midi());
}

std::vector<int16_t> Tone(double frequency, int totalMillis, int soundingMillis) {
  const int total = kSampleRate * totalMillis / 1000;
  const int sounding = std::min(total, kSampleRate * soundingMillis / 1000);
  const double attack = kSampleRate * kAttackMillis / 1000;
  const double release = kSampleRate * kReleaseMillis / 1000;
  double norm = 0;
  for (double a : kHarmonics) norm += a;
  std::vector<int16_t> samples(total, 0);
  for (int i = 0; i < sounding; ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    double envelope = 0.6 + 0.4 * std::exp(-t / 0.08);
    if (i < attack) envelope *= 0.5 - 0.5 * std::cos(std::numbers::pi * i / attack);
    const double fromEnd = sounding - i;
    if (fromEnd < release) envelope *= 0.5 - 0.5 * std::cos(std::numbers::pi * fromEnd / release);
    double value = 0;
    for (size_t k = 0; k < std::size(kHarmonics); ++k) {
      const double n = static_cast<double>(k + 1);
      if (n * frequency >= kSampleRate / 2.0) break;
      const double brightness = k == 0 ? 1.0 : std::exp(-t * n / 0.6);
      value += kHarmonics[k] * brightness * std::sin(2 * std::numbers::pi * n * frequency * t);
    }
    samples[i] = static_cast<int16_t>(std::lround(32767 * kPeak * envelope * value / norm));
  }
  return samples;
}

std::vector<int16_t> NoteSound(std::string_view code) {
  return Tone(NoteFrequency(code), kNoteMillis, kToneMillis);
}

std::vector<int16_t> RestSound() { return std::vector<int16_t>(kNoteSamples, 0); }

std::vector<int16_t> OpeningJingle() { return Jingle({72, 76, 79, 84}); }

std::vector<int16_t> ClosingJingle() { return Jingle({84, 79, 76, 72}); }

}  // namespace merin::art
