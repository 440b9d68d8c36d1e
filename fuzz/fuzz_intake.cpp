// SPDX-License-Identifier: MIT
// Fuzzes bringing a file in: the first byte picks the name the bytes come under (so that the
// binary formats are reached by extension too), the rest are the file. A refusal names its
// place; every choice, and what comes unasked, is taken as a melody of valid codes or refused in
// words, from slot 1 and from a later slot alike; a number past the choices is refused.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/intake.h"
#include "melody_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const char* const kNames[] = {"fuzz", "fuzz.mid", "fuzz.rtttl", "fuzz.imy", "fuzz.mk98"};
  const std::string name = kNames[data[0] % std::size(kNames)];
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  auto intake = merin::formats::Intake::Of(bytes, name);
  if (auto* error = std::get_if<merin::formats::Refusal>(&intake)) {
    if (error->file != name) std::abort();
    return 0;
  }
  const auto& in = std::get<merin::formats::Intake>(intake);
  if ((in.choices() == 0) != (in.offered() == 0) || in.offered() > in.choices()) std::abort();
  for (size_t number = 0; number <= in.choices() + 1; ++number) {
    for (const size_t from : {size_t{1}, size_t{7}}) {
      auto taken = in.Take(number, from);
      const auto* refusal = std::get_if<merin::formats::Refusal>(&taken);
      if (refusal && merin::formats::Reason(*refusal, merin::Language::English).empty()) {
        std::abort();
      }
      if (!refusal) CheckCodes(std::get<merin::formats::Imported>(taken).codes);
      const bool past = in.choices() > 0 && number > in.choices();
      if (past && !refusal) std::abort();
      if (from == 1 && number > 0 && !past && in.choices() > 0 &&
          in.choice(number).refused != (refusal != nullptr)) {
        std::abort();
      }
    }
  }
  return 0;
}
