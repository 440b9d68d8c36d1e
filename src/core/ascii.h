// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// The ASCII rules every reader of text shares, whatever the locale.
namespace merin {

// ASCII white space: space, tab, LF, CR, vertical tab, form feed.
inline bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// An ASCII digit, 0 to 9.
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// `c` in lower case when it is an ASCII capital; any other byte as it is.
inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `text` with its ASCII capitals in lower case.
inline std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = AsciiLower(c);
  return lower;
}

}  // namespace merin
