// SPDX-License-Identifier: MIT
#include "formats/audioexport.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>

#include "core/coretexts.h"
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

// `why` as the refusal of a read of the sound file `path`: "cannot read PATH: REASON".
Refusal Unread(const std::string& path, Refusal why) {
  why.file = path;
  why.doing = &CoreText("doing.read");
  return why;
}

}  // namespace

std::variant<PcmSound, Refusal> ReadSoundFile(const std::string& path) {
  auto read = ReadSoundOf(path);
  if (auto* refusal = std::get_if<Refusal>(&read)) return std::move(*refusal);
  const FileSound& sound = std::get<FileSound>(read);
  if (sound.cutShort) return Refusal(CoreText("sound.cut"), path);
  PcmSound pcm{sound.rate, sound.channels, {}};
  pcm.samples.reserve(sound.samples.size());
  for (const float sample : sound.samples) {
    pcm.samples.push_back(int16_t(std::lrint(std::clamp(sample * 32768.0f, -32768.0f, 32767.0f))));
  }
  return pcm;
}

std::vector<Format> AudioFormats() {
  const auto audio = [](std::string_view extension, std::string_view mime, Text dialogName) {
    return Format{.name = dialogName.english,
                  .extensions = {extension},
                  .mime = mime,
                  .dialogName = dialogName,
                  .audio = true};
  };
  return {audio("wav", "audio/x-wav", {"wav.name", "WAV 音声", "WAV audio"}),
          audio("flac", "audio/flac", {"flac.name", "FLAC 音声", "FLAC audio"}),
          audio("ogg", "audio/ogg", {"ogg.name", "Ogg Vorbis 音声", "Ogg Vorbis audio"}),
          audio("mp3", "audio/mpeg", {"mp3.name", "MP3 音声", "MP3 audio"})};
}

std::vector<std::string> WritableAudioExtensions() {
  std::vector<std::string> extensions;
  for (const std::string_view e : kAudioExtensions) {
    if (CanEncode(e, kCheckRate, kCheckChannels)) extensions.emplace_back(e);
  }
  return extensions;
}

std::variant<std::string, Refusal> AudioBytes(const SlotCodes& codes,
                                              const std::string& programFolder,
                                              const std::string& target) {
  const std::string extension = ExtensionOf(target);
  if (std::find(std::begin(kAudioExtensions), std::end(kAudioExtensions), extension) ==
      std::end(kAudioExtensions)) {
    Refusal refusal(CoreText("export.not-audio-name"));
    for (const std::string& e : WritableAudioExtensions()) refusal.choices.push_back("." + e);
    return Unwritten(target, std::move(refusal));
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
      if (auto* refusal = std::get_if<Refusal>(&wave)) return Unread(path, std::move(*refusal));
      it->second = std::move(std::get<PcmSound>(wave));
      if (!first) {
        first = &it->second;
        firstPath = path;
      } else if (it->second.rate != first->rate || it->second.channels != first->channels) {
        Refusal unlike(CoreText("sound.unlike"));
        unlike.detail = Describe(it->second.rate, it->second.channels) + "; " + Escaped(firstPath) +
                        ": " + Describe(first->rate, first->channels);
        return Unread(path, std::move(unlike));
      }
    }
    sequence.push_back(&it->second);
  }
  const int rate = first ? first->rate : kCheckRate;
  const int channels = first ? first->channels : kCheckChannels;
  if (!CanEncode(extension, rate, channels)) {
    Refusal refusal(CoreText("export.cannot-encode"));
    refusal.detail = "." + extension + ", " + Describe(rate, channels);
    return Unwritten(target, std::move(refusal));
  }

  auto encoded = Encode(sequence, rate, channels, extension);
  if (!encoded || encoded->empty()) {
    return Unwritten(target, Refusal(CoreText("export.encoder-failed")));
  }
  return std::move(*encoded);
}

std::optional<Refusal> ExportAudio(const SlotCodes& codes, const std::string& programFolder,
                                   const std::string& target, bool syncFolder) {
  auto bytes = AudioBytes(codes, programFolder, target);
  if (auto* refusal = std::get_if<Refusal>(&bytes)) return std::move(*refusal);
  return WriteFileAtomically(target, std::get<std::string>(bytes), syncFolder);
}

}  // namespace merin::formats
