// SPDX-License-Identifier: MIT
// Fuzzes the melody in a page's address: any text read as a fragment is either refused, naming a
// column inside it, or a melody whose own fragment reads back as the same melody.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/melodyaddress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view fragment(reinterpret_cast<const char*>(data), size);
  const auto read = merin::MelodyOfFragment(fragment);
  if (const auto* refusal = std::get_if<merin::Refusal>(&read)) {
    if (refusal->column < 2 || refusal->column > fragment.size() + 2) std::abort();
    return 0;
  }
  const auto& melody = std::get<merin::AddressedMelody>(read);
  const auto again = merin::MelodyOfFragment(merin::FragmentOf(melody.codes, melody.title));
  const auto* same = std::get_if<merin::AddressedMelody>(&again);
  if (!same || same->codes != melody.codes || same->title != melody.title) std::abort();
  return 0;
}
