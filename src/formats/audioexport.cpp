// SPDX-License-Identifier: MIT
#include "formats/audioexport.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

#include "core/coretexts.h"
#include "core/escape.h"
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
  return std::to_string(rate) + " Hz " + std::to_string(channels) + "ch";
}

// libsndfile tells why an open failed only through one error shared by the whole process.
std::mutex openMutex;

// `why` as the refusal of a read of the sound file `path`: "cannot read PATH: REASON".
Refusal Unread(const std::string& path, Refusal why) {
  why.file = path;
  why.doing = &CoreText("doing.read");
  return why;
}

// Reads a whole sound file as 16-bit samples, or returns why it cannot be read.
std::optional<Refusal> ReadWave(const std::string& path, Wave& wave) {
  const auto fail = [&] { return Unread(path, Refusal(CoreText("sound.not-a-sound-file"))); };
  SF_INFO info{};
  SndfilePtr file;
  {
    const std::lock_guard lock(openMutex);
    file.reset(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) return fail();
  }
  if (info.samplerate <= 0 || info.channels <= 0 || info.frames < 0) {
    return fail();
  }
  wave.rate = info.samplerate;
  wave.channels = info.channels;
  wave.samples.resize(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
  const sf_count_t got = sf_readf_short(file.get(), wave.samples.data(), info.frames);
  if (got < 0 || sf_error(file.get()) != SF_ERR_NO_ERROR) return fail();
  wave.samples.resize(static_cast<size_t>(got) * static_cast<size_t>(info.channels));
  return std::nullopt;
}

// A file in memory for libsndfile to write into.
struct MemoryFile {
  std::string bytes;
  sf_count_t position = 0;
};

sf_count_t MemoryLength(void* data) { return static_cast<MemoryFile*>(data)->bytes.size(); }

sf_count_t MemorySeek(sf_count_t offset, int whence, void* data) {
  auto* file = static_cast<MemoryFile*>(data);
  const sf_count_t base = whence == SEEK_SET   ? 0
                          : whence == SEEK_CUR ? file->position
                                               : static_cast<sf_count_t>(file->bytes.size());
  if (base + offset < 0) return -1;
  file->position = base + offset;
  return file->position;
}

sf_count_t MemoryRead(void* out, sf_count_t count, void* data) {
  auto* file = static_cast<MemoryFile*>(data);
  const auto size = static_cast<sf_count_t>(file->bytes.size());
  const sf_count_t got = std::clamp<sf_count_t>(size - file->position, 0, count);
  std::memcpy(out, file->bytes.data() + file->position, static_cast<size_t>(got));
  file->position += got;
  return got;
}

sf_count_t MemoryWrite(const void* in, sf_count_t count, void* data) {
  auto* file = static_cast<MemoryFile*>(data);
  const auto end = static_cast<size_t>(file->position + count);
  if (end > file->bytes.size()) file->bytes.resize(end);
  std::memcpy(file->bytes.data() + file->position, in, static_cast<size_t>(count));
  file->position += count;
  return count;
}

sf_count_t MemoryTell(void* data) { return static_cast<MemoryFile*>(data)->position; }

// The waves one after another, encoded in `format`; or nothing when the library fails.
std::optional<std::string> Encode(const std::vector<const Wave*>& sequence, int rate, int channels,
                                  int format) {
  SF_VIRTUAL_IO io{MemoryLength, MemorySeek, MemoryRead, MemoryWrite, MemoryTell};
  MemoryFile memory;
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = format;
  SndfilePtr file;
  {
    const std::lock_guard lock(openMutex);
    file.reset(sf_open_virtual(&io, SFM_WRITE, &info, &memory));
  }
  if (!file) return std::nullopt;
  for (const Wave* wave : sequence) {
    const auto frames = static_cast<sf_count_t>(wave->samples.size()) / channels;
    if (sf_writef_short(file.get(), wave->samples.data(), frames) != frames) return std::nullopt;
  }
  if (sf_close(file.release()) != 0) return std::nullopt;
  return std::move(memory.bytes);
}

}  // namespace

std::vector<std::string> WritableAudioExtensions() {
  std::vector<std::string> extensions;
  for (const AudioFormat& f : kAudioFormats) {
    if (Writable(f.format, kCheckRate, kCheckChannels)) extensions.emplace_back(f.extension);
  }
  return extensions;
}

std::optional<Refusal> ExportAudio(const Codes& codes, const std::string& programFolder,
                                   const std::string& target, bool syncFolder) {
  const std::string extension = ExtensionOf(target);
  const auto format = std::find_if(std::begin(kAudioFormats), std::end(kAudioFormats),
                                   [&](const AudioFormat& f) { return f.extension == extension; });
  if (format == std::end(kAudioFormats)) {
    Refusal refusal(CoreText("export.not-audio-name"));
    for (const std::string& e : WritableAudioExtensions()) refusal.choices.push_back("." + e);
    return Unwritten(target, std::move(refusal));
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
  if (!Writable(format->format, rate, channels)) {
    Refusal refusal(CoreText("export.cannot-encode"));
    refusal.detail = "." + extension + ", " + Describe(rate, channels);
    return Unwritten(target, std::move(refusal));
  }

  auto encoded = Encode(sequence, rate, channels, format->format);
  if (!encoded || encoded->empty()) {
    return Unwritten(target, Refusal(CoreText("export.encoder-failed")));
  }
  return WriteFileAtomically(target, *encoded, syncFolder);
}

}  // namespace merin::formats
