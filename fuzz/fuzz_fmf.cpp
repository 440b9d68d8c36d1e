// SPDX-License-Identifier: MIT
// Fuzzes the Flipper Music Format reader: a refusal names its place; an import holds only valid
// codes, a run of notes and rests followed by empty slots, and its export imports back the same
// slots with no report, as it does from the RTTTL export of the same slots.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/fmf.h"
#include "formats/formatlist.h"
#include "formats/rtttl.h"
#include "melody_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto read = merin::formats::ReadFmf(bytes, "fuzz");
  if (auto* error = std::get_if<merin::formats::Refusal>(&read)) {
    CheckError(*error, size);
  } else {
    const auto& imported = std::get<merin::formats::Imported>(read);
    CheckCodes(imported.codes);
    // Slots dropped, the shift, the folding, the durations, the keys skipped, the title cleaned.
    if (imported.report.size() > 6) std::abort();
    CheckEmptySlotsLast(imported.codes);
    // The title of a Title line is written back and read as it was.
    auto again =
        merin::formats::ReadFmf(merin::formats::WriteFmf(imported.codes, imported.title), "fuzz");
    auto rtttl = merin::formats::ReadRtttl(merin::formats::WriteRtttl(imported.codes, ""), "fuzz");
    if (!std::holds_alternative<merin::formats::Imported>(again) ||
        !std::holds_alternative<merin::formats::Imported>(rtttl)) {
      std::abort();
    }
    const auto& back = std::get<merin::formats::Imported>(again);
    if (back.codes != imported.codes || !back.report.empty() || back.title != imported.title ||
        back.codes != std::get<merin::formats::Imported>(rtttl).codes) {
      std::abort();
    }
  }
  auto any = merin::formats::ReadAny(bytes, "fuzz");
  if (auto* error = std::get_if<merin::formats::Refusal>(&any)) CheckError(*error, size);
  return 0;
}
