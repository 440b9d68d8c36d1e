// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>

#include "app/keyswords.h"
#include "support/runprogram.h"

namespace merin {
namespace {

using keys::Text;

bool Ascii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x80; });
}

TEST(KeysWords, EveryTextIsInBothLanguagesWithTheSameValues) {
  for (int t = int(Text::Usage); t <= int(Text::StandardInput); ++t) {
    const auto text = Text(t);
    const std::string ja = keys::Words(text, Language::Japanese, {"<1>", "<2>", "<3>"});
    const std::string en = keys::Words(text, Language::English, {"<1>", "<2>", "<3>"});
    EXPECT_FALSE(Ascii(ja)) << t << ": " << ja;
    EXPECT_TRUE(Ascii(en)) << t << ": " << en;
    for (const char* value : {"<1>", "<2>", "<3>"}) {
      EXPECT_EQ(ja.find(value) == std::string::npos, en.find(value) == std::string::npos)
          << t << " " << value;
    }
    EXPECT_EQ((ja + en).find('{'), std::string::npos) << t;
  }
}

TEST(KeysWords, TheFirstLocaleVariableSetDecides) {
  struct Case {
    const char *lcAll, *lcMessages, *lang;
    Language language;
  } cases[] = {
      {nullptr, nullptr, "ja_JP.UTF-8", Language::Japanese},
      {nullptr, nullptr, nullptr, Language::English},
      {"", "", "ja", Language::Japanese},
      {"C", nullptr, "ja_JP.UTF-8", Language::English},
      {"", "ja_JP.eucJP", "en_GB", Language::Japanese},
      {"ja_JP.UTF-8", "C", "C", Language::Japanese},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(keys::LanguageOf(c.lcAll, c.lcMessages, c.lang), c.language)
        << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
        << (c.lang ? c.lang : "-");
  }
}

// The converter run under LANG=`lang`, the other locale variables unset.
test::ProgramResult RunUnder(const char* lang, const std::vector<std::string>& args,
                             const std::string& input = "") {
  const std::string kept = getenv("LANG") ? getenv("LANG") : "";
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  setenv("LANG", lang, 1);
  auto result = test::RunProgram(MERIN_KEYS_PROGRAM, args, input);
  setenv("LANG", kept.c_str(), 1);
  return result;
}

TEST(KeysProgram, SpeaksJapaneseOnlyUnderAJapaneseLocale) {
  struct Case {
    const char* lang;
    const char* usage;
    const char* unknownOption;
    const char* standardInput;
  } cases[] = {
      {"ja_JP.UTF-8", "使い方: merinkast98-keys",
       "merinkast98-keys: 引数 1 \"-x\": 知らないオプションです（--help を参照）\n", "標準入力"},
      {"en_US.UTF-8", "Usage: merinkast98-keys",
       "merinkast98-keys: argument 1 \"-x\": unknown option (try --help)\n", "standard input"},
      {"C", "Usage: merinkast98-keys",
       "merinkast98-keys: argument 1 \"-x\": unknown option (try --help)\n", "standard input"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RunUnder(c.lang, {"--help"}).out.rfind(c.usage, 0), 0u) << c.lang;
    EXPECT_EQ(RunUnder(c.lang, {"-x"}).err, c.unknownOption) << c.lang;
    const auto bad = RunUnder(c.lang, {}, "C4 H4\n");
    EXPECT_EQ(bad.exitCode, 2) << c.lang;
    EXPECT_EQ(bad.err.find(c.standardInput), 18u) << c.lang << ": " << bad.err;
    // The key presses, [確定] included, are the same in every language.
    EXPECT_EQ(RunUnder(c.lang, {"C4", "C4"}).out, RunUnder("C", {"C4", "C4"}).out) << c.lang;
  }
}

}  // namespace
}  // namespace merin
