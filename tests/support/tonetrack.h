#pragma once

#include <vector>

namespace merin::test {

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
