// SPDX-License-Identifier: MIT
#include "formats/audioexport.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "core/pitch.h"
#include "formats/fileio.h"
#include "formats/format.h"
#include "formats/slots.h"

namespace merin::formats {
namespace {

struct AudioFormat {
  std::string_view extension;
  int format;
};

// What each extension is written as.
constexpr AudioFormat kAudioFormats[] = {
    {"wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
    {"flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
    {"ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
    // SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, spelt out: headers before libsndfile 1.1 lack
    // the names, and the libraries behind them refuse the format in sf_format_check.
    {"mp3", 0x230000 | 0x0082},
};

// The sample rate and channels every exported file is checked with.
constexpr int kCheckRate = 44100;
constexpr int kCheckChannels = 1;

bool Writable(int format, int rate, int channels) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = format;
  return sf_format_check(&info) != 0;
}

struct SndfileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfilePtr = std::unique_ptr<SNDFILE, SndfileCloser>;

struct Wave {
  int rate = 0;
  int channels = 0;
  std::vector<short> samples;
};

std::string Describe(int rate, int channels) {
  return std::to_string(rate) + " Hz " +
         (channels == 1 ? "mono" : std::to_string(channels) + " channels");
}

// Reads a whole sound file as 16-bit samples, or returns why it cannot be read.
std::optional<std::string> ReadWave(const std::string& path, Wave& wave) {
  SF_INFO info{};
  SndfilePtr file(sf_open(path.c_str(), SFM_READ, &info));
  if (!file) return path + ": cannot read the sound file (" + sf_strerror(nullptr) + ")";
  if (info.samplerate <= 0 || info.channels <= 0 || info.frames < 0) {
    return path + ": cannot read the sound file (no sample rate or no channels)";
  }
  wave.rate = info.samplerate;
  wave.channels = info.channels;
  wave.samples.resize(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
  const sf_count_t got = sf_readf_short(file.get(), wave.samples.data(), info.frames);
  if (got < 0 || sf_error(file.get()) != SF_ERR_NO_ERROR) {
    return path + ": cannot read the sound file (" + sf_strerror(file.get()) + ")";
  }
  wave.samples.resize(static_cast<size_t>(got) * static_cast<size_t>(info.channels));
  return std::nullopt;
}

// libsndfile's text for a failed system call, without its decoration.
std::string Reason(const char* text) {
  std::string_view reason(text);
  if (reason.starts_with("System error : ")) reason.remove_prefix(15);
  if (reason.ends_with('.')) reason.remove_suffix(1);
  return std::string(reason);
}

// Writes the waves one after another into `path` in `format`.
std::optional<std::string> WriteSound(const std::string& path,
                                      const std::vector<const Wave*>& sequence, int rate,
                                      int channels, int format, const std::string& target) {
  const auto fail = [&](const char* reason) {
    return "cannot write " + target + ": " + Reason(reason);
  };
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = format;
  SNDFILE* raw = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!raw) return fail(sf_strerror(nullptr));
  SndfilePtr file(raw);
  for (const Wave* wave : sequence) {
    const auto frames = static_cast<sf_count_t>(wave->samples.size()) / channels;
    if (sf_writef_short(file.get(), wave->samples.data(), frames) != frames) {
      return fail(sf_strerror(file.get()));
    }
  }
  const int closed = sf_close(file.release());
  if (closed != 0) return fail(sf_error_number(closed));
  return std::nullopt;
}

}  // namespace

std::vector<std::string> WritableAudioExtensions() {
  std::vector<std::string> extensions;
  for (const AudioFormat& f : kAudioFormats) {
    if (Writable(f.format, kCheckRate, kCheckChannels)) extensions.emplace_back(f.extension);
  }
  return extensions;
}

std::optional<std::string> ExportAudio(const Codes& codes, const std::string& programFolder,
                                       const std::string& target) {
  const std::string extension = ExtensionOf(target);
  const auto format = std::find_if(std::begin(kAudioFormats), std::end(kAudioFormats),
                                   [&](const AudioFormat& f) { return f.extension == extension; });
  if (format == std::end(kAudioFormats)) {
    std::string known;
    for (const std::string& e : WritableAudioExtensions())
      known += (known.empty() ? "." : ", .") + e;
    return target + ": not an audio file name this program writes (" + known + ")";
  }

  // Each distinct wave is read once; the slots then follow one another.
  std::map<std::string, Wave> waves;
  std::vector<const Wave*> sequence;
  const Wave* first = nullptr;
  std::string firstPath;
  for (size_t slot = 0; slot < UsedSlots(codes); ++slot) {
    const std::string path = programFolder + WaveFileOf(codes[slot]);
    auto [it, fresh] = waves.try_emplace(path);
    if (fresh) {
      if (auto error = ReadWave(path, it->second)) return error;
      if (!first) {
        first = &it->second;
        firstPath = path;
      } else if (it->second.rate != first->rate || it->second.channels != first->channels) {
        return path + ": " + Describe(it->second.rate, it->second.channels) + ", but " + firstPath +
               " is " + Describe(first->rate, first->channels) +
               "; the sound files must all be alike";
      }
    }
    sequence.push_back(&it->second);
  }
  const int rate = first ? first->rate : kCheckRate;
  const int channels = first ? first->channels : kCheckChannels;
  if (!Writable(format->format, rate, channels)) {
    return target + ": the installed libsndfile cannot write ." + extension + " at " +
           Describe(rate, channels);
  }

  return WriteFileAtomically(target, [&](const std::string& temporary) {
    return WriteSound(temporary, sequence, rate, channels, format->format, target);
  });
}

}  // namespace merin::formats
