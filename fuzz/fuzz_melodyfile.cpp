// SPDX-License-Identifier: MIT
// Fuzzes the melody-file reader: a refusal names its place, and whatever is read writes back into
// a file that reads the same and writes byte for byte the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/formatlist.h"
#include "formats/melodyfile.h"
#include "melody_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto read = merin::formats::ReadMelodyFile(bytes, "fuzz");
  if (auto* error = std::get_if<merin::formats::Refusal>(&read)) {
    CheckError(*error, size);
  } else {
    const auto& codes = std::get<merin::SlotCodes>(read);
    CheckCodes(codes);
    const std::string file = merin::formats::WriteMelodyFile(codes);
    auto again = merin::formats::ReadMelodyFile(file, "fuzz");
    if (!std::holds_alternative<merin::SlotCodes>(again)) std::abort();
    if (std::get<merin::SlotCodes>(again) != codes) std::abort();
    if (merin::formats::WriteMelodyFile(std::get<merin::SlotCodes>(again)) != file) {
      std::abort();
    }
  }
  auto any = merin::formats::ReadAny(bytes, "fuzz");
  if (auto* error = std::get_if<merin::formats::Refusal>(&any)) CheckError(*error, size);
  return 0;
}
