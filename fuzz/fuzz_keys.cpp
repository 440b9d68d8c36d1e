// SPDX-License-Identifier: MIT
// Fuzzes the command-line converter's input: arbitrary text split into tokens, parsed as a
// melody and, when it parses, converted.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/pitch.h"
#include "formats/melodytext.h"
#include "listing_check.h"
#include "output/convert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto tokens = merin::SplitTokens(text);
  auto parsed = merin::ParseMelodyText(tokens);
  if (auto* error = std::get_if<merin::Refusal>(&parsed)) {
    if (error->tokenNumber < 1 || error->tokenNumber > tokens.size()) std::abort();
    if (tokens.size() <= 30 && merin::CodeOfToken(tokens[error->tokenNumber - 1])) std::abort();
    return 0;
  }
  if (tokens.size() > 30) std::abort();
  const auto& codes = std::get<0>(parsed);
  CheckListing(codes, merin::ConvertMelody(codes));
  return 0;
}
