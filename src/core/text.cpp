// SPDX-License-Identifier: MIT
#include "core/text.h"

#include "core/coretexts.h"

namespace merin {

std::string Words(const Text& text, Language language, std::span<const std::string> values) {
  const std::string_view pattern = language == Language::English ? text.english : text.japanese;
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const bool value = i + 2 < pattern.size() && pattern[i] == '{' && pattern[i + 2] == '}' &&
                       pattern[i + 1] >= '0' && size_t(pattern[i + 1] - '0') < values.size();
    if (value) {
      out += values[size_t(pattern[i + 1] - '0')];
      i += 2;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::string Words(const Text& text, Language language, std::initializer_list<std::string> values) {
  return Words(text, language, std::span<const std::string>(values.begin(), values.size()));
}

std::string Choices(std::span<const std::string> items, Language language) {
  std::string list = items.empty() ? std::string() : items.front();
  for (size_t i = 1; i < items.size(); ++i) {
    const Text& join = i + 1 == items.size() ? CoreText("list.or") : CoreText("list.and-then");
    list = Words(join, language, {list, items[i]});
  }
  return list;
}

}  // namespace merin
