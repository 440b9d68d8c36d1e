// SPDX-License-Identifier: MIT
#include "formats/audioexport.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "core/errorwords.h"
#include "core/escape.h"
#include "core/pitch.h"
#include "formats/audiocodec.h"
#include "formats/format.h"
#include "formats/slots.h"

namespace merin::formats {
namespace {

// The audio extensions of the registry's formats, which the library may write.
constexpr std::string_view kAudioExtensions[] = {"wav", "flac", "ogg", "mp3"};

// The sample rate and channels every exported file is checked with.
constexpr int kCheckRate = 44100;
constexpr int kCheckChannels = 1;

std::string Describe(int rate, int channels) {
  return std::to_string(rate) + " Hz " + std::to_string(channels) + "ch";
}

}  // namespace

std::vector<std::string> WritableAudioExtensions() {
  std::vector<std::string> extensions;
  for (const std::string_view e : kAudioExtensions) {
    if (CanEncode(e, kCheckRate, kCheckChannels)) extensions.emplace_back(e);
  }
  return extensions;
}

std::variant<std::string, WriteFailure> AudioBytes(const Codes& codes,
                                                   const std::string& programFolder,
                                                   const std::string& target) {
  const std::string extension = ExtensionOf(target);
  if (std::find(std::begin(kAudioExtensions), std::end(kAudioExtensions), extension) ==
      std::end(kAudioExtensions)) {
    std::string known;
    for (const std::string& e : WritableAudioExtensions())
      known += (known.empty() ? "." : ", .") + e;
    return WriteFailure{target, WriteFailure::Doing::Writing, kNotAudioName, known};
  }

  // Each distinct wave is read once; the slots then follow one another.
  std::map<std::string, PcmSound> waves;
  std::vector<const PcmSound*> sequence;
  const PcmSound* first = nullptr;
  std::string firstPath;
  for (size_t slot = 0; slot < UsedSlots(codes); ++slot) {
    const std::string path = programFolder + WaveFileOf(codes[slot]);
    auto [it, fresh] = waves.try_emplace(path);
    if (fresh) {
      auto wave = ReadSoundFile(path);
      if (auto* error = std::get_if<int>(&wave)) {
        return WriteFailure{path, WriteFailure::Doing::Reading, *error, {}};
      }
      it->second = std::move(std::get<PcmSound>(wave));
      if (!first) {
        first = &it->second;
        firstPath = path;
      } else if (it->second.rate != first->rate || it->second.channels != first->channels) {
        return WriteFailure{path, WriteFailure::Doing::Reading, kUnlikeSounds,
                            Describe(it->second.rate, it->second.channels) + "; " +
                                Escaped(firstPath) + ": " + Describe(first->rate, first->channels)};
      }
    }
    sequence.push_back(&it->second);
  }
  const int rate = first ? first->rate : kCheckRate;
  const int channels = first ? first->channels : kCheckChannels;
  if (!CanEncode(extension, rate, channels)) {
    return WriteFailure{target, WriteFailure::Doing::Writing, kCannotEncode,
                        "." + extension + ", " + Describe(rate, channels)};
  }

  auto encoded = Encode(sequence, rate, channels, extension);
  if (!encoded || encoded->empty()) {
    return WriteFailure{target, WriteFailure::Doing::Writing, kEncoderFailed, {}};
  }
  return std::move(*encoded);
}

std::optional<WriteFailure> ExportAudio(const Codes& codes, const std::string& programFolder,
                                        const std::string& target, bool syncFolder) {
  auto bytes = AudioBytes(codes, programFolder, target);
  if (auto* failure = std::get_if<WriteFailure>(&bytes)) return std::move(*failure);
  return WriteFileAtomically(target, std::get<std::string>(bytes), syncFolder);
}

}  // namespace merin::formats
