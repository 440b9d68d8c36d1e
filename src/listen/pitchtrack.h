// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <vector>

namespace merin::listen {

// The rate the tracker works at: high enough for the top of a whistle an octave above the
// handset's range, low enough to track 30 s in a few tens of milliseconds.
inline constexpr double kWorkingRate = 11025;

// What one analysis frame (23 ms, every 5.8 ms) holds.
struct Frame {
  double seconds = 0;       // the frame's centre
  double midi = 0;          // its pitch as a MIDI key with cents (69 = 440 Hz); 0 when none
  double aperiodicity = 1;  // YIN's cumulative mean normalised difference at the period: 0 periodic
  double level = 0;         // the RMS of the 8 ms around its centre
};

// Mono `samples` at `rate` brought to about kWorkingRate (low-passed, then every n-th sample);
// `workingRate` is set to the rate they are at.
std::vector<float> Downsampled(std::span<const float> samples, int rate, double& workingRate);

// The frames of `samples` at `rate`: YIN (de Cheveigné & Kawahara 2002) on 23 ms windows every
// 5.8 ms, periods of 65..2100 Hz, threshold 0.2, the period refined by parabolic interpolation.
std::vector<Frame> TrackFrames(std::span<const float> samples, double rate);

}  // namespace merin::listen
