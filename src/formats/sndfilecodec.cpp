// SPDX-License-Identifier: MIT
#include <sndfile.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <string_view>

#include "core/coretexts.h"
#include "formats/audiocodec.h"

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

// The libsndfile format of `extension`, or 0.
int FormatOf(std::string_view extension) {
  for (const AudioFormat& f : kAudioFormats) {
    if (f.extension == extension) return f.format;
  }
  return 0;
}

struct SndfileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};
using SndfilePtr = std::unique_ptr<SNDFILE, SndfileCloser>;

// libsndfile tells why an open failed only through one error shared by the whole process.
std::mutex openMutex;

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

// A file's bytes in memory for libsndfile to read, never to write.
struct MemoryView {
  std::string_view bytes;
  sf_count_t position = 0;
};

sf_count_t ViewLength(void* data) {
  return sf_count_t(static_cast<MemoryView*>(data)->bytes.size());
}

sf_count_t ViewSeek(sf_count_t offset, int whence, void* data) {
  auto* view = static_cast<MemoryView*>(data);
  const sf_count_t base = whence == SEEK_SET   ? 0
                          : whence == SEEK_CUR ? view->position
                                               : static_cast<sf_count_t>(view->bytes.size());
  if (offset > 0 && base > std::numeric_limits<sf_count_t>::max() - offset) return -1;
  if (base + offset < 0) return -1;
  view->position = base + offset;
  return view->position;
}

sf_count_t ViewRead(void* out, sf_count_t count, void* data) {
  auto* view = static_cast<MemoryView*>(data);
  const auto size = static_cast<sf_count_t>(view->bytes.size());
  if (count <= 0 || view->position >= size) return 0;
  const sf_count_t got = std::min(size - view->position, count);
  std::memcpy(out, view->bytes.data() + view->position, static_cast<size_t>(got));
  view->position += got;
  return got;
}

sf_count_t ViewWrite(const void*, sf_count_t, void*) { return 0; }

sf_count_t ViewTell(void* data) { return static_cast<MemoryView*>(data)->position; }

// libsndfile opens a file cut short and shortens the sound to what is left; only its log says
// that the data chunk was meant to be longer ("data : 24696 (should be 11956)").
bool CutShort(SNDFILE* file) {
  std::string log(4096, '\0');
  log.resize(size_t(sf_command(file, SFC_GET_LOG_INFO, log.data(), int(log.size()))));
  size_t line = 0;
  while (line < log.size()) {
    const size_t end = std::min(log.find('\n', line), log.size());
    const std::string_view text(log.data() + line, end - line);
    if (text.starts_with("data") && text.find("(should be") != std::string_view::npos) return true;
    line = end + 1;
  }
  return false;
}

}  // namespace

std::variant<FileSound, Refusal> ReadSoundOf(const std::string& path, bool lengthOnly) {
  struct stat st {};
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return SystemRefusal(EISDIR, path);
  // No sound the audio library reads, in its own words when it gives any.
  const auto notASound = [&](const char* words) {
    Refusal refusal(CoreText("sound.not-a-sound-file"), path);
    if (words) refusal.detail = words;
    return refusal;
  };
  SF_INFO info{};
  SndfilePtr file;
  {
    const std::lock_guard lock(openMutex);
    file.reset(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) return notASound(sf_strerror(nullptr));
  }
  if (info.samplerate <= 0 || info.channels <= 0 || info.frames < 0) return notASound(nullptr);
  FileSound sound{info.samplerate, info.channels, info.frames, CutShort(file.get()), false, {}};
  if (lengthOnly) return sound;
  sound.samples.resize(static_cast<size_t>(info.frames) * static_cast<size_t>(info.channels));
  const sf_count_t got = sf_readf_float(file.get(), sound.samples.data(), info.frames);
  if (got < 0 || sf_error(file.get()) != SF_ERR_NO_ERROR) {
    return notASound(sf_strerror(file.get()));
  }
  sound.frames = got;
  sound.samples.resize(static_cast<size_t>(got) * static_cast<size_t>(info.channels));
  return sound;
}

std::variant<FileSound, Refusal> DecodeSound(std::string_view bytes, int mostSeconds) {
  SF_VIRTUAL_IO io{ViewLength, ViewSeek, ViewRead, ViewWrite, ViewTell};
  MemoryView view{bytes};
  SF_INFO info{};
  SndfilePtr file;
  const auto notASound = [](const char* words) {
    Refusal refusal(CoreText("sound.not-a-sound-file"));
    if (words) refusal.detail = words;
    return refusal;
  };
  {
    const std::lock_guard lock(openMutex);
    file.reset(sf_open_virtual(&io, SFM_READ, &info, &view));
    if (!file) return notASound(sf_strerror(nullptr));
  }
  if (info.samplerate <= 0 || info.channels <= 0 || info.frames < 0) return notASound(nullptr);
  FileSound sound{info.samplerate, info.channels, 0, CutShort(file.get()), false, {}};
  const sf_count_t mostFrames = sf_count_t{mostSeconds} * info.samplerate;
  // Read in blocks: a header may claim more frames than the bytes can hold.
  constexpr sf_count_t kBlockFrames = 4096;
  std::vector<float> block(static_cast<size_t>(kBlockFrames) * static_cast<size_t>(info.channels));
  for (;;) {
    const sf_count_t got = sf_readf_float(file.get(), block.data(), kBlockFrames);
    if (got <= 0) break;
    if (sound.frames + got > mostFrames) {
      sound.tooLong = true;
      break;
    }
    sound.samples.insert(sound.samples.end(), block.begin(),
                         block.begin() + static_cast<long>(got * info.channels));
    sound.frames += got;
  }
  if (sf_error(file.get()) != SF_ERR_NO_ERROR) return notASound(sf_strerror(file.get()));
  return sound;
}

bool CanEncode(std::string_view extension, int rate, int channels) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = FormatOf(extension);
  return info.format != 0 && sf_format_check(&info) != 0;
}

std::optional<std::string> Encode(std::span<const PcmSound* const> parts, int rate, int channels,
                                  std::string_view extension) {
  SF_VIRTUAL_IO io{MemoryLength, MemorySeek, MemoryRead, MemoryWrite, MemoryTell};
  MemoryFile memory;
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = FormatOf(extension);
  SndfilePtr file;
  {
    const std::lock_guard lock(openMutex);
    file.reset(sf_open_virtual(&io, SFM_WRITE, &info, &memory));
  }
  if (!file) return std::nullopt;
  for (const PcmSound* part : parts) {
    const auto frames = static_cast<sf_count_t>(part->samples.size()) / channels;
    if (sf_writef_short(file.get(), part->samples.data(), frames) != frames) return std::nullopt;
  }
  if (sf_close(file.release()) != 0) return std::nullopt;
  return std::move(memory.bytes);
}

}  // namespace merin::formats
