// SPDX-License-Identifier: MIT
#include "core/terminalanswer.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/coretexts.h"

namespace {

using merin::Language;

TEST(TerminalAnswer, HelpAndVersionAnswerInTheLanguageAskedAndAnythingElseOpensTheWindow) {
  const std::string japanese = merin::Words(merin::CoreText("program.usage"), Language::Japanese);
  const std::string english = merin::Words(merin::CoreText("program.usage"), Language::English);
  const std::string version = "merinkast98 " MERIN_VERSION "\n";
  struct Case {
    std::vector<std::string_view> args;
    Language terminal;
    const std::string* expected;  // null: the window opens
  } cases[] = {
      {{"tune.mk98"}, Language::English, nullptr},
      {{"--lang", "en"}, Language::Japanese, nullptr},
      {{"--help"}, Language::Japanese, &japanese},
      {{"--lang", "en", "--help"}, Language::Japanese, &english},
      {{"--help", "--lang", "ja"}, Language::English, &japanese},
      {{"--lang", "xx", "--help"}, Language::Japanese, &japanese},
      {{"--lang", "--help"}, Language::English, nullptr},
      {{"tune.mk98", "--version", "--help"}, Language::Japanese, &version},
  };
  for (const Case& c : cases) {
    std::string where;
    for (const std::string_view arg : c.args) where += std::string(arg) + " ";
    const auto answer = merin::TerminalAnswer(c.args, c.terminal);
    EXPECT_EQ(answer.has_value(), c.expected != nullptr) << where;
    if (answer && c.expected) {
      EXPECT_EQ(*answer, *c.expected) << where;
    }
  }
}

}  // namespace
