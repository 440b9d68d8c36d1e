// SPDX-License-Identifier: MIT
#include "formats/formatlist.h"

#include <algorithm>

#include "core/ascii.h"

#include "formats/audioexport.h"
#include "formats/audioread.h"
#include "formats/fmf.h"
#include "formats/imelody.h"
#include "formats/melodyfile.h"
#include "formats/midi.h"
#include "formats/rtttl.h"

namespace merin::formats {

std::span<const Format> Formats() {
  static const std::vector<Format> formats = [] {
    std::vector<Format> list = {
        MelodyFileFormat(), ImelodyFormat(), FmfFormat(),
        RtttlFormat(),  // takes any text: the last text format
        MidiFormat(),
    };
    for (Format& audio : AudioFormats()) list.push_back(Listened(std::move(audio)));
    return list;
  }();
  return formats;
}

const Format* FormatOfExtension(std::string_view extension) {
  const std::string lower = AsciiLower(extension);
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
