// SPDX-License-Identifier: MIT
#include "formats/writeas.h"

#include <algorithm>

#include "core/coretexts.h"
#include "formats/audioexport.h"
#include "formats/fileio.h"
#include "formats/slots.h"

namespace merin::formats {
namespace {

std::string_view StemOf(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
  if (const size_t dot = base.rfind('.'); dot != std::string_view::npos) base = base.substr(0, dot);
  return base;
}

}  // namespace

std::variant<Imported, Refusal> ReadFile(const std::string& path, const ReadOptions& options,
                                         Accept accept) {
  auto bytes = ReadInputFile(path, accept, kMaxBinaryBytes);
  if (auto* refusal = std::get_if<Refusal>(&bytes)) return std::move(*refusal);
  return ReadAny(std::get<std::string>(bytes), path, options);
}

std::optional<Refusal> CannotWriteAs(std::string_view extension, std::string_view target) {
  const Format* format = FormatOfExtension(extension);
  if (!format || !(format->write || format->audio)) {
    Refusal refusal(CoreText("write.unknown-format"), std::string(target),
                    {std::string(extension)});
    refusal.choices = WritableExtensions();
    return refusal;
  }
  if (!format->audio) return std::nullopt;
  const auto writable = WritableAudioExtensions();
  if (std::find(writable.begin(), writable.end(), extension) != writable.end()) return std::nullopt;
  return Refusal(CoreText("write.no-audio"), std::string(target), {std::string(extension)});
}

std::optional<Refusal> WriteAs(const Codes& codes, std::string_view extension,
                               const std::string& programFolder, const std::string& target,
                               std::string_view title, bool syncFolder) {
  if (auto refusal = CannotWriteAs(extension, target)) return refusal;
  const Format& format = *FormatOfExtension(extension);
  if (!format.ownFile && UsedSlots(codes) == 0) {
    return Refusal(CoreText("export.empty-melody"), target);
  }
  // A tune is named by the melody's title, else by the file; the melody file keeps only a title.
  const std::string_view name = title.empty() && !format.ownFile ? StemOf(target) : title;
  return format.audio ? ExportAudio(codes, programFolder, target, syncFolder)
                      : WriteFileAtomically(target, format.write(codes, name), syncFolder);
}

}  // namespace merin::formats
