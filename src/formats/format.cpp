// SPDX-License-Identifier: MIT
#include "formats/format.h"

#include <algorithm>
#include <cctype>

#include "formats/fmf.h"
#include "formats/imelody.h"
#include "formats/melodyfile.h"
#include "formats/midi.h"
#include "formats/rtttl.h"

namespace merin::formats {
namespace {

// Sound, written by audioexport from the program's wave files.
Format Audio(std::string_view extension, std::string_view mime, Text dialogName) {
  return Format{.name = dialogName.english,
                .extensions = {extension},
                .mime = mime,
                .dialogName = dialogName,
                .audio = true};
}

}  // namespace

std::span<const Format> Formats() {
  static const std::vector<Format> formats = {
      MelodyFileFormat(),
      ImelodyFormat(),
      FmfFormat(),
      RtttlFormat(),  // takes any text: the last text format
      MidiFormat(),
      Audio("wav", "audio/x-wav", {"wav.name", "WAV 音声", "WAV audio"}),
      Audio("flac", "audio/flac", {"flac.name", "FLAC 音声", "FLAC audio"}),
      Audio("ogg", "audio/ogg", {"ogg.name", "Ogg Vorbis 音声", "Ogg Vorbis audio"}),
      Audio("mp3", "audio/mpeg", {"mp3.name", "MP3 音声", "MP3 audio"}),
  };
  return formats;
}

std::string ExtensionOf(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot == std::string_view::npos || dot == 0) return {};
  std::string extension(name.substr(dot + 1));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

const Format* FormatOfExtension(std::string_view extension) {
  std::string lower(extension);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const Format& format : Formats()) {
    if (std::find(format.extensions.begin(), format.extensions.end(), lower) !=
        format.extensions.end()) {
      return &format;
    }
  }
  return nullptr;
}

const Format& FormatToRead(std::string_view bytes, std::string_view file) {
  const Format* named = FormatOfExtension(ExtensionOf(file));
  if (named && named->binary && named->read) return *named;
  const Format* last = nullptr;
  for (const bool binary : {true, false}) {
    for (const Format& format : Formats()) {
      if (format.binary != binary || !format.read || !format.recognise) continue;
      if (format.recognise(bytes)) return format;
      last = &format;
    }
  }
  return *last;  // the last text format takes any text
}

std::variant<Imported, Refusal> ReadAny(std::string_view bytes, std::string_view file,
                                        const ReadOptions& options) {
  return FormatToRead(bytes, file).read(bytes, file, options);
}

std::vector<std::string> WritableExtensions() {
  std::vector<std::string> extensions;
  for (const Format& format : Formats()) {
    if (format.write || format.audio) extensions.emplace_back(format.extensions.front());
  }
  return extensions;
}

}  // namespace merin::formats
