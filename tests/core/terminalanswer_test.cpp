// SPDX-License-Identifier: MIT
#include "core/terminalanswer.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/coretexts.h"

namespace {

using merin::Language;

TEST(LocaleLanguage, IsJapaneseOnlyWhenTheFirstVariableSetBeginsWithJa) {
  struct Case {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    Language expected;
  } cases[] = {
      {nullptr, nullptr, nullptr, Language::English},
      {nullptr, nullptr, "ja_JP.UTF-8", Language::Japanese},
      {nullptr, "ja_JP.UTF-8", "en_US.UTF-8", Language::Japanese},
      {"C", "ja_JP.UTF-8", "ja_JP.UTF-8", Language::English},
      {"", "", "ja", Language::Japanese},
      {"", "en_GB.UTF-8", "ja_JP.UTF-8", Language::English},
      {nullptr, nullptr, "jp_JP", Language::English},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(merin::LocaleLanguage(c.lcAll, c.lcMessages, c.lang), c.expected)
        << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
        << (c.lang ? c.lang : "-");
  }
}

TEST(TerminalAnswer, HelpAndVersionAnswerInTheLanguageAskedAndAnythingElseOpensTheWindow) {
  const std::string japanese = merin::Words(merin::CoreText("program.usage"), Language::Japanese);
  const std::string english = merin::Words(merin::CoreText("program.usage"), Language::English);
  const std::string version = "merinkast98 " MERIN_VERSION "\n";
  struct Case {
    std::vector<std::string_view> args;
    Language terminal;
    const std::string* expected;  // null: the window opens
  } cases[] = {
      {{}, Language::English, nullptr},
      {{"tune.mk98"}, Language::English, nullptr},
      {{"--lang", "en"}, Language::Japanese, nullptr},
      {{"--help"}, Language::English, &english},
      {{"--help"}, Language::Japanese, &japanese},
      {{"--lang", "en", "--help"}, Language::Japanese, &english},
      {{"--help", "--lang", "ja"}, Language::English, &japanese},
      {{"--lang", "xx", "--help"}, Language::Japanese, &japanese},
      {{"--lang", "--help"}, Language::English, nullptr},
      {{"tune.mk98", "--version"}, Language::Japanese, &version},
      {{"--version", "--help"}, Language::English, &version},
      {{"--lang"}, Language::English, nullptr},
  };
  for (const Case& c : cases) {
    std::string where;
    for (const std::string_view arg : c.args) where += std::string(arg) + " ";
    const auto answer = merin::TerminalAnswer(c.args, c.terminal);
    if (c.expected) {
      EXPECT_EQ(answer, *c.expected) << where;
    } else {
      EXPECT_FALSE(answer) << where;
    }
  }
}

TEST(TerminalAnswer, HelpNamesEveryOptionTheWindowProgramTakesInBothLanguages) {
  for (const Language language : {Language::Japanese, Language::English}) {
    const std::string help =
        *merin::TerminalAnswer(std::vector<std::string_view>{"--help"}, language);
    EXPECT_EQ(
        help.rfind(language == Language::Japanese ? "使用法: merinkast98 " : "Usage: merinkast98 ",
                   0),
        0u);
    for (const char* option : {"\n  --lang ja|en ", "\n  --help ", "\n  --version "}) {
      EXPECT_NE(help.find(option), std::string::npos) << option;
    }
  }
}

}  // namespace
