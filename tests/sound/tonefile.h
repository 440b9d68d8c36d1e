#pragma once

#include <string>

namespace merin::testing {

// Writes a sine tone of `seconds` to `path` with libsndfile (`format` is an SF_FORMAT_* subtype
// for a WAV container). In a stereo file the right channel is the left one negated.
void WriteTone(const std::string& path, double freq, double seconds, int rate = 44100,
               int channels = 1, int format = 0x0002 /* SF_FORMAT_PCM_16 */, double amp = 0.5);

// The tone sample WriteTone puts at `frame` of channel `channel`.
double ToneSample(double freq, double frame, int rate, int channel, double amp = 0.5);

}  // namespace merin::testing
