// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>

namespace merin {

// One text of the web page that the window's translation does not hold: the page's own buttons,
// the names a screen reader gives the window's controls, and the buttons a Qt dialog names by
// itself. {0} and {1} stand for the values put in, the same in both languages.
struct PageWord {
  std::string_view id;
  std::string_view japanese;
  std::string_view english;
};

// Every text of the page, each id once.
std::span<const PageWord> PageWords();

}  // namespace merin
