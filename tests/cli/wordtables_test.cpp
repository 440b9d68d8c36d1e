// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <span>
#include <string>

#include "app/keyswords.h"
#include "core/coretexts.h"

namespace merin {
namespace {

bool Ascii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x80; });
}

const std::regex kValue("\\{[0-9]\\}");

// The values a text names: "{0}", "{1}" ….
std::set<std::string> Named(std::string_view text) {
  std::set<std::string> named;
  const std::string s(text);
  for (std::sregex_iterator i(s.begin(), s.end(), kValue), end; i != end; ++i) named.insert(i->str());
  return named;
}

// Every word table outside the window.
std::vector<std::span<const Text>> Tables() { return {kCoreTexts, keys::kKeysTexts}; }

TEST(WordTables, EveryRowHasItsOwnIdBothLanguagesAndTheSameValuesInBoth) {
  std::set<std::string_view> ids;
  for (const std::span<const Text> table : Tables()) {
    for (const Text& row : table) {
      EXPECT_TRUE(ids.insert(row.id).second) << row.id << " is the id of two rows";
      EXPECT_FALSE(row.japanese.empty() || row.english.empty()) << row.id;
      EXPECT_FALSE(Ascii(row.japanese)) << row.id << ": " << row.japanese;
      EXPECT_TRUE(Ascii(row.english)) << row.id << ": " << row.english;
      EXPECT_EQ(Named(row.japanese), Named(row.english)) << row.id;
      // Only {0}..{9} stand for values; any other brace is a slip.
      for (const std::string_view words : {row.japanese, row.english}) {
        const std::string rest = std::regex_replace(std::string(words), kValue, "");
        EXPECT_EQ(rest.find_first_of("{}"), std::string::npos) << row.id << ": " << words;
      }
    }
  }
}

}  // namespace
}  // namespace merin
