// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

// Takes of sound made from known melodies, for the tracker's tests and its benchmark: a handset
// recording, a hum, a whistle, a plain tone; and the scores of what was heard against what was
// played.
namespace merin::test {

// A rest in a melody (the tracker's kRest).
inline constexpr int kRestKey = -1;

// How a melody is performed.
struct Performance {
  enum class Voice { Sine, Square, Handset, Hum, Whistle };
  Voice voice = Voice::Sine;
  int rate = 22050;
  double slotSeconds = 0.3;
  double sounding = 0.85;  // share of its slot a note sounds
  int transpose = 0;       // semitones the voice sits from the melody
  double snrDb = std::numeric_limits<double>::infinity();  // white noise below the notes' RMS
  double scoopCents = 0;          // each note starts this far off and glides in over ~40 ms
  double vibratoCents = 0;        // ± at 5.5 Hz, growing in over 150 ms
  double jitterCents = 0;         // a slow wander of the pitch
  double onsetJitterSeconds = 0;  // each onset moved by up to this, either way
  double leadSeconds = 0.4;       // silence before the first note and after the last
  double amplitude = 0.3;
};

// One note as played: its onset (seconds) and key.
struct PlayedNote {
  double onset;
  int key;
};

// A performed melody.
struct Performed {
  std::vector<float> samples;
  int rate = 0;
  std::vector<PlayedNote> notes;
};

// A melody of `slots` keys in C4..B5 (MIDI 60..83), about one slot in ten a rest (never the first
// or the last), moving by steps of up to a fifth, repeated notes among them.
std::vector<int> RandomMelody(std::mt19937& random, size_t slots);

// `melody` (keys and kRestKey) performed `how`, the random parts drawn from `seed`.
Performed Perform(std::span<const int> melody, const Performance& how, uint32_t seed);

// The bytes of a 16-bit mono WAV file of `samples` (clamped to -1..1) at `rate`.
std::string WavOf(std::span<const float> samples, int rate);

// A note heard: onset (seconds) and pitch (a MIDI key with cents).
struct HeardNote {
  double onset;
  double pitch;
};

// The F-measure of `heard` against `played`: a note is found when its onset is within 50 ms and
// its pitch within 50 cents of a played note's key moved by the whole octaves that match most.
double NoteFMeasure(std::span<const HeardNote> heard, std::span<const PlayedNote> played);

// The edits (insert, delete, change) that turn `heard` into `melody` (both keys and kRestKey,
// leading rests left out), with `heard` moved by the whole octaves that need fewest.
size_t SlotEdits(std::span<const int> heard, std::span<const int> melody);

}  // namespace merin::test
