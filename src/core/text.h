// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "core/language.h"

namespace merin {

// One text a user reads outside the window's menus and captions: a row of a word table, with the
// id that names it, its Japanese and its English. {0}, {1}, … stand for the values put in, the
// same in both languages.
struct Text {
  std::string_view id;
  std::string_view japanese;
  std::string_view english;
};

// The row of `table` with `id`, found as the program is compiled: an id that no row has does not
// compile.
template <size_t N>
consteval const Text& Row(const Text (&table)[N], std::string_view id) {
  for (const Text& row : table) {
    if (row.id == id) return row;
  }
  throw "no row of the table has this id";
}

// `text` in `language`, each {n} replaced by the n-th of `values`.
std::string Words(const Text& text, Language language, std::span<const std::string> values);
std::string Words(const Text& text, Language language,
                  std::initializer_list<std::string> values = {});

// `one` for a count of 1, else `many`: counts agree in number ("1 note", "2 notes").
inline const Text& Counted(size_t count, const Text& one, const Text& many) {
  return count == 1 ? one : many;
}

// `items` offered as the language offers a choice: "a, b or c", 「a、b または c」.
std::string Choices(std::span<const std::string> items, Language language);

}  // namespace merin
