// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "core/notecode.h"

// Aborts unless `listing` is a well-formed key-press listing of `codes`: 30 lines ending in CR LF,
// "[0]" for each pause, and for each note an optional "[確定]" (exactly when the nearest earlier
// note had the same key) followed only by that key's tokens.
inline void CheckListing(std::span<const std::string, 30> codes, std::string_view listing) {
  constexpr std::string_view kConfirm = "[確定]";
  char previous = '0';
  size_t at = 0;
  for (const std::string& code : codes) {
    const size_t end = listing.find("\r\n", at);
    if (end == std::string_view::npos) std::abort();
    std::string_view line = listing.substr(at, end - at);
    at = end + 2;
    if (!merin::IsNote(code)) {
      if (line != "[0]") std::abort();
      continue;
    }
    const bool confirm = line.starts_with(kConfirm);
    if (confirm != (code[0] == previous)) std::abort();
    if (confirm) line.remove_prefix(kConfirm.size());
    if (line.size() % 3 != 0 || line.size() / 3 > 9) std::abort();
    for (size_t i = 0; i < line.size(); i += 3) {
      if (line[i] != '[' || line[i + 1] != code[0] || line[i + 2] != ']') std::abort();
    }
    previous = code[0];
  }
  if (at != listing.size()) std::abort();
}
