// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "listen/pitchtrack.h"

namespace merin::listen {

// The key of a rest in a take's sequence (as the formats' readers number it).
inline constexpr int kRest = -1;

// One note heard.
struct Note {
  double onset = 0, offset = 0;  // seconds from the start of the take
  double pitch = 0;              // a MIDI key with cents, the take's tuning taken out
  int key = 0;                   // the nearest key
};

// The sample rates a take may have.
inline constexpr int kLowestRate = 4000, kHighestRate = 384000;

// Why a take gives no tune.
enum class Problem {
  None,
  Rate,     // its sample rate is outside kLowestRate..kHighestRate
  Quiet,    // its loudest part is below -40 dBFS
  Clipped,  // more than 1 % of it is held at full scale
  NoNote,   // nothing in it is a note
};

// What a take of sound gives.
struct Take {
  Problem problem = Problem::None;
  std::vector<Note> notes;  // the notes kept, in order
  double slotSeconds = 0;   // the slot length found from the onsets
  double tuningCents = 0;   // how far the whole take sits from equal temperament
  size_t dropped = 0;       // notes shorter than a third of a slot, left out
  // One key a slot from the first note to the last, kRest for a silent slot.
  std::vector<int> sequence;
};

// The tune in mono `samples` (-1..1) at `rate` Hz: frames by YIN, voiced by periodicity and level;
// a note ends at a silence, a dip of level or a pitch jump that lasts; its pitch is the median of
// its settled part (its first 30 %, at least 30 ms, left out for the scoop); one tuning offset
// for the take; the slot length searched between 0.1 and 0.6 s from the inter-onset intervals and
// refined by least squares; short fragments of a note's pitch merged into it and notes under a
// third of a slot dropped; silent slots between notes as rests. Time grows linearly with the
// samples.
Take Listen(std::span<const float> samples, int rate);

// The notes of `frames` (see Listen), before the slot length is known: fragments under 40 ms
// belong to their neighbour, and the pitch is not yet retuned.
std::vector<Note> Segment(std::span<const Frame> frames);

// The slot length that best explains `onsets` (seconds, rising): the longest between 0.1 and
// 0.6 s whose grid of whole slots fits the inter-onset intervals (each within about 8 % of a
// slot) nearly as well as any, refined by least squares over the onsets; 0 for fewer than two
// onsets.
double SlotLength(std::span<const double> onsets);

// Mono samples of `channels` interleaved channels: their mean.
std::vector<float> Mono(std::span<const float> interleaved, int channels);

}  // namespace merin::listen
