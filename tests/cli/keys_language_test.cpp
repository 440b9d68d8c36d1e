// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <stdlib.h>

#include "support/runprogram.h"

namespace merin {
namespace {

TEST(KeysProgram, SpeaksJapaneseOnlyWhenTheFirstLocaleVariableSetIsJapanese) {
  struct Case {
    const char *lcAll, *lcMessages, *lang;
    bool japanese;
  } cases[] = {
      {"", "", "ja_JP.UTF-8", true},   {"", "", "en_US.UTF-8", false},     {"", "", "C", false},
      {"C", "", "ja_JP.UTF-8", false}, {"", "ja_JP.eucJP", "en_GB", true},
  };
  std::string listing;
  for (const Case& c : cases) {
    setenv("LC_ALL", c.lcAll, 1);
    setenv("LC_MESSAGES", c.lcMessages, 1);
    setenv("LANG", c.lang, 1);
    const auto run = [](std::vector<std::string> args, const std::string& input = "") {
      return test::RunProgram(MERIN_KEYS_PROGRAM, args, input);
    };
    const std::string where = std::string(c.lcAll) + "/" + c.lcMessages + "/" + c.lang;
    EXPECT_EQ(run({"--help"}).out.rfind(c.japanese ? "使用法: " : "Usage: ", 0), 0u) << where;
    EXPECT_EQ(run({"-x"}).err,
              c.japanese
                  ? "merinkast98-keys: 引数 1 \"-x\": 知らないオプションです（--help を参照）\n"
                  : "merinkast98-keys: argument 1 \"-x\": unknown option (try --help)\n")
        << where;
    EXPECT_EQ(run({"C4", "E#4"}).err,
              c.japanese
                  ? "merinkast98-keys: 2 番目のトークン \"E#4\": E と B にシャープはありません\n"
                  : "merinkast98-keys: token 2 \"E#4\": E and B have no sharp\n")
        << where;
    const auto bad = run({}, "C4 H4\n");
    EXPECT_EQ(bad.err.find(c.japanese ? "標準入力:1:4" : "standard input:1:4"), 18u) << bad.err;
    // The key presses, [確定] included, are the same in every language.
    if (listing.empty()) listing = run({"C4", "C4"}).out;
    EXPECT_EQ(run({"C4", "C4"}).out, listing) << where;
  }
  // The other tests of this program expect English.
  setenv("LC_MESSAGES", "", 1);
  setenv("LANG", "C.UTF-8", 1);
}

}  // namespace
}  // namespace merin
