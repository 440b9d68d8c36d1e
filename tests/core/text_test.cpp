// SPDX-License-Identifier: MIT
#include "core/text.h"

#include <gtest/gtest.h>

#include <vector>

namespace merin {
namespace {

TEST(Words, PutsEachValueWhereItsNumberStandsAndKeepsTheRest) {
  constexpr Text kRow{"test.row", "{1} の {0}{2}", "{0} of {1}{2}"};
  struct Case {
    Language language;
    std::vector<std::string> values;
    std::string words;
  } cases[] = {
      {Language::English, {"a", "b"}, "a of b{2}"},
      {Language::Japanese, {"a", "b", "!"}, "b の a!"},
      {Language::English, {"{1}", "x", ""}, "{1} of x"},
  };
  for (const Case& c : cases) EXPECT_EQ(Words(kRow, c.language, c.values), c.words);
}

TEST(Choices, AreListedWithTheLanguagesOwnWords) {
  struct Case {
    std::vector<std::string> items;
    std::string english, japanese;
  } cases[] = {
      {{}, "", ""},
      {{"a"}, "a", "a"},
      {{"a", "b"}, "a or b", "a または b"},
      {{"mk98", "rtttl", "mid"}, "mk98, rtttl or mid", "mk98、rtttl または mid"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Choices(c.items, Language::English), c.english);
    EXPECT_EQ(Choices(c.items, Language::Japanese), c.japanese);
  }
}

}  // namespace
}  // namespace merin
