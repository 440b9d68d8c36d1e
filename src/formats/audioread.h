// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>
#include <variant>

#include "formats/format.h"

namespace merin::formats {

// `audio` (one of AudioFormats) made readable: its files are told by content (RIFF/WAVE, fLaC,
// OggS, an ID3 tag or an MPEG audio frame), decoded by the audio library (WAV alone in the
// WebAssembly build) and listened to as a sung, hummed, whistled or played tune.
Format Listened(Format audio);

// The melody heard in mono `samples` (-1..1) at `rate` Hz, taken from slot `options.from` on and
// fitted as every format's sequence is. The report tells the slot length found, the notes too
// short to keep, and what the fit changed. A take too quiet, clipped or without a note is refused
// as such, naming `file`.
std::variant<Imported, Refusal> ImportSound(std::span<const float> samples, int rate,
                                            std::string_view file, const ReadOptions& options);

}  // namespace merin::formats
