// SPDX-License-Identifier: MIT
#include "formats/writeas.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "core/errorwords.h"
#include "core/escape.h"
#include "formats/audioexport.h"
#include "formats/fileio.h"
#include "formats/melodyfile.h"
#include "formats/midi.h"
#include "formats/rtttl.h"
#include "formats/slots.h"

namespace merin::formats {
namespace {

constexpr std::string_view kFormats[] = {"mk98", "rtttl", "mid", "wav", "flac", "ogg", "mp3"};

}  // namespace

std::string ExtensionOf(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot == std::string_view::npos || dot == 0) return {};
  std::string extension(name.substr(dot + 1));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension;
}

bool IsAudioFormat(std::string_view format) {
  return format == "wav" || format == "flac" || format == "ogg" || format == "mp3";
}

std::optional<std::string> CannotWriteAs(std::string_view format) {
  if (std::find(std::begin(kFormats), std::end(kFormats), format) == std::end(kFormats)) {
    return "no such format \"" + Escaped(format) +
           "\" (choose mk98, rtttl, mid, wav, flac, ogg or mp3)";
  }
  if (!IsAudioFormat(format)) return std::nullopt;
  const auto writable = WritableAudioExtensions();
  if (std::find(writable.begin(), writable.end(), format) != writable.end()) return std::nullopt;
  return "the installed libsndfile cannot write ." + std::string(format) + " files";
}

std::optional<WriteFailure> WriteMelodyAs(const Codes& codes, std::string_view format,
                                          const std::string& programFolder,
                                          const std::string& target, bool syncFolder) {
  if (format == "mk98") return WriteFileAtomically(target, WriteMelodyFile(codes), syncFolder);
  if (UsedSlots(codes) == 0) {
    return WriteFailure{target, WriteFailure::Doing::Writing, kEmptyMelody, {}};
  }
  if (format == "rtttl") {
    return WriteFileAtomically(target, WriteRtttl(codes, RtttlNameOf(target)), syncFolder);
  }
  if (format == "mid") return WriteFileAtomically(target, WriteMidi(codes), syncFolder);
  return ExportAudio(codes, programFolder, target, syncFolder);
}

}  // namespace merin::formats
