// SPDX-License-Identifier: MIT
// Fuzzes the iMelody reader: a refusal names its place; an import holds only valid codes and a
// title that is clean, and its export imports back the same slots and title with no report.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/imelody.h"
#include "formats/title.h"
#include "melody_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Past 30 slots by the start, so that the repeats that fill the slots are fuzzed too.
  for (const size_t from : {size_t{1}, size_t{7}}) {
    auto read = merin::formats::ReadImelody(bytes, "fuzz", {.from = from});
    if (auto* error = std::get_if<merin::formats::Refusal>(&read)) {
      CheckError(*error, size);
      continue;
    }
    const auto& imported = std::get<merin::formats::Imported>(read);
    CheckCodes(imported.codes);
    if (merin::formats::TitleOf(imported.title) != imported.title) std::abort();
    const std::string text = merin::formats::WriteImelody(imported.codes, imported.title);
    auto again = merin::formats::ReadImelody(text, "fuzz");
    if (!std::holds_alternative<merin::formats::Imported>(again)) std::abort();
    const auto& back = std::get<merin::formats::Imported>(again);
    if (back.codes != imported.codes || back.title != imported.title || !back.report.empty()) {
      std::abort();
    }
  }
  return 0;
}
