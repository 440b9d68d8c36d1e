// SPDX-License-Identifier: MIT
// Fuzzes the RTTTL reader: a refusal names its place; an import holds only valid codes, a run of
// notes and rests followed by empty slots, and its export imports back the same slots with no
// report. The list of a collection and a tune read from it are what ReadRtttl gives, refusals and
// their places included.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/formatlist.h"
#include "formats/rtttl.h"
#include "melody_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto read = merin::formats::ReadRtttl(bytes, "fuzz");
  if (auto* error = std::get_if<merin::formats::Refusal>(&read)) {
    CheckError(*error, size);
  } else {
    const auto& imported = std::get<merin::formats::Imported>(read);
    CheckCodes(imported.codes);
    // The tune taken from a collection, slots dropped, the shift, the folding, the durations.
    if (imported.report.size() > 5) std::abort();
    CheckEmptySlotsLast(imported.codes);
    const std::string text = merin::formats::WriteRtttl(imported.codes, "fuzz");
    auto again = merin::formats::ReadRtttl(text, "fuzz");
    if (!std::holds_alternative<merin::formats::Imported>(again)) std::abort();
    const auto& back = std::get<merin::formats::Imported>(again);
    if (back.codes != imported.codes || !back.report.empty()) std::abort();
  }
  const auto tunes = merin::formats::ListRtttlTunes(bytes, "fuzz");
  if (tunes.size() <= 8) {  // each ReadRtttl reads the whole text again
    for (size_t i = 0; i < tunes.size(); ++i) {
      auto whole = merin::formats::ReadRtttl(bytes, "fuzz", {.tune = i + 1});
      auto listed = merin::formats::ReadListedTune(bytes, "fuzz", tunes, i + 1);
      if (std::holds_alternative<merin::formats::Refusal>(listed) != tunes[i].refused ||
          whole.index() != listed.index()) {
        std::abort();
      }
      if (const auto* taken = std::get_if<merin::formats::Imported>(&whole)) {
        const auto& one = std::get<merin::formats::Imported>(listed);
        if (taken->codes != one.codes || taken->title != one.title ||
            taken->title != tunes[i].title || taken->report.size() != one.report.size()) {
          std::abort();
        }
      } else {
        const auto& why = std::get<merin::formats::Refusal>(whole);
        if (merin::formats::Words(why, merin::Language::English) !=
            merin::formats::Words(std::get<merin::formats::Refusal>(listed),
                                  merin::Language::English)) {
          std::abort();
        }
      }
    }
  }
  auto any = merin::formats::ReadAny(bytes, "fuzz");
  if (auto* error = std::get_if<merin::formats::Refusal>(&any)) CheckError(*error, size);
  return 0;
}
