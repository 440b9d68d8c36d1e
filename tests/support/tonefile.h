// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace merin::test {

// Writes a sine tone of `seconds` to `path` with libsndfile (`format` is an SF_FORMAT_* subtype
// for a WAV container). With `negateRight` the right channel of a stereo file is the left one
// negated, so that a mix to mono cancels out.
void WriteTone(const std::string& path, double freq, double seconds, int rate = 44100,
               int channels = 1, int format = 0x0002 /* SF_FORMAT_PCM_16 */,
               bool negateRight = true);

// The tone sample WriteTone puts at `frame` of channel `channel`.
double ToneSample(double freq, double frame, int rate, int channel, bool negateRight = true);

}  // namespace merin::test
