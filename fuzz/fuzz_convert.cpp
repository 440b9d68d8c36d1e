// SPDX-License-Identifier: MIT
// Fuzzes the key-press conversion with arbitrary codes: the input's lines become slot codes
// (missing slots empty), including codes the program itself never stores.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "listing_check.h"
#include "output/convert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::array<std::string, 30> codes;
  codes.fill("99");
  for (std::string& code : codes) {
    if (text.empty()) break;
    const size_t end = text.find('\n');
    code = std::string(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  CheckListing(codes, merin::ConvertMelody(codes));
  return 0;
}
