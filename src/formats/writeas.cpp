// SPDX-License-Identifier: MIT
#include "formats/writeas.h"

#include <algorithm>

#include "core/coretexts.h"
#include "core/melodyedit.h"
#include "formats/audioexport.h"
#include "formats/fileio.h"

namespace merin::formats {
namespace {

std::string_view StemOf(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
  if (const size_t dot = base.rfind('.'); dot != std::string_view::npos) base = base.substr(0, dot);
  return base;
}

}  // namespace

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

std::vector<const Format*> ExportedFormats() {
  std::vector<const Format*> formats;
  for (const Format& format : Formats()) {
    if (!format.ownFile && !CannotWriteAs(format.extensions.front(), ""))
      formats.push_back(&format);
  }
  return formats;
}

std::vector<const Format*> OpenedFormats() {
  std::vector<const Format*> formats;
  for (const Format& format : Formats()) {
    if (format.read) formats.push_back(&format);
  }
  return formats;
}

std::optional<Refusal> RefusedAsEmpty(const SlotCodes& codes, std::string_view extension,
                                      std::string_view target) {
  const Format* format = FormatOfExtension(extension);
  if (!format || format->ownFile || !IsEmptyMelody(codes)) return std::nullopt;
  return Refusal(CoreText("export.empty-melody"), std::string(target));
}

bool SoundsFromWaves(std::string_view extension) {
  const Format* format = FormatOfExtension(extension);
  return format && format->audio;
}

std::variant<std::string, Refusal> BytesAs(const SlotCodes& codes, std::string_view extension,
                                           const std::string& programFolder,
                                           const std::string& target, std::string_view title) {
  if (auto refusal = CannotWriteAs(extension, target)) return std::move(*refusal);
  if (auto refusal = RefusedAsEmpty(codes, extension, target)) return std::move(*refusal);
  const Format& format = *FormatOfExtension(extension);
  if (!format.audio) {
    // A tune is named by the melody's title, else by the file; the melody file keeps only a title.
    return format.write(codes, title.empty() && !format.ownFile ? StemOf(target) : title);
  }
  return AudioBytes(codes, programFolder, target);
}

std::optional<ReportLine> NameChangeAs(std::string_view extension, std::string_view target,
                                       std::string_view title) {
  const Format* format = FormatOfExtension(extension);
  if (!format || !format->nameChange) return std::nullopt;
  return format->nameChange(title.empty() ? StemOf(target) : title);
}

std::optional<Refusal> WriteAs(const SlotCodes& codes, std::string_view extension,
                               const std::string& programFolder, const std::string& target,
                               std::string_view title, bool syncFolder) {
  auto bytes = BytesAs(codes, extension, programFolder, target, title);
  if (auto* refusal = std::get_if<Refusal>(&bytes)) return std::move(*refusal);
  return WriteFileAtomically(target, std::get<std::string>(bytes), syncFolder);
}

}  // namespace merin::formats
