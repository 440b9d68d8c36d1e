// SPDX-License-Identifier: MIT
#include "core/refusal.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "core/coretexts.h"

namespace merin {
namespace {

constexpr Text kEmptySetting{"test.empty-setting", "設定が空です", "empty setting"};

TEST(Refusal, MessageLeavesOutWhatIsUnknown) {
  const auto at = [](std::string file, size_t line, size_t column, std::string token,
                     std::optional<size_t> offset = std::nullopt) {
    Refusal refusal(kEmptySetting, std::move(file));
    refusal.line = line;
    refusal.column = column;
    refusal.token = std::move(token);
    refusal.offset = offset;
    return refusal;
  };
  const struct {
    Refusal error;
    Language language;
    std::string message;
  } cases[] = {
      {at("f.mk98", 3, 7, "H4"), Language::English, "f.mk98:3:7: \"H4\": empty setting"},
      {at("f.mk98", 3, 7, "H4"), Language::Japanese, "f.mk98:3:7: \"H4\": 設定が空です"},
      {at("f.mk98", 3, 0, ""), Language::English, "f.mk98:3: empty setting"},
      {at("f.mk98", 0, 0, ""), Language::English, "f.mk98: empty setting"},
      {at("f.mid", 0, 0, "", 12), Language::English, "f.mid: byte 12: empty setting"},
      {at("f.mid", 0, 0, "", 12), Language::Japanese, "f.mid: 12 バイト目: 設定が空です"},
      {at("", 2, 1, "x"), Language::English, "2:1: \"x\": empty setting"},
      {at("", 0, 0, ""), Language::English, "empty setting"},
      {at("f", 1, 1, "a\"b\\c\x01"), Language::English,
       "f:1:1: \"a\\\"b\\\\c\\x01\": empty setting"},
      {at("f", 1, 1, std::string(38, 'a') + "\xE9\x9F\xB3\xE9\x9F\xB3"), Language::English,
       "f:1:1: \"" + std::string(38, 'a') + "...\": empty setting"},
      {at("f\x1b[2J\xC2\x9B\x7F\xFF\xE9\x9F\xB3", 0, 0, ""), Language::English,
       "f\\x1b[2J\\xc2\\x9b\\x7f\\xff\xE9\x9F\xB3: empty setting"},
      // Bidirectional controls would turn what follows around: U+202E, U+2067, U+200F, U+061C.
      {at("a\u202Etxt.exe\u2067\u200F\u061C\u2010", 0, 0, ""), Language::English,
       "a\\xe2\\x80\\xaetxt.exe\\xe2\\x81\\xa7\\xe2\\x80\\x8f\\xd8\\x9c\u2010: empty setting"},
  };
  for (const auto& c : cases) EXPECT_EQ(Words(c.error, c.language), c.message);
}

TEST(Refusal, WordsWhatFailedAroundTheFileTheValuesTheChoicesAndTheLibrarysWords) {
  constexpr Text kNoFormat{"test.no-format", "{0} という形式はありません（{1} から）",
                           "no format {0} (choose {1})"};
  Refusal unknown(kNoFormat, "out.x", {"x\x01"});
  unknown.choices = {"mk98", "mid", "wav"};
  Refusal written(CoreText("export.cannot-encode"), "a\x1b.mp3");
  written.detail = "44100 Hz";
  written.doing = &CoreText("doing.write");
  const struct {
    Refusal refusal;
    Language language;
    std::string message;
  } cases[] = {
      {unknown, Language::English, "out.x: no format x\\x01 (choose mk98, mid or wav)"},
      {unknown, Language::Japanese,
       "out.x: x\\x01 という形式はありません（mk98、mid または wav から）"},
      {written, Language::English,
       "cannot write a\\x1b.mp3: the installed libsndfile cannot write this format at this rate "
       "(44100 Hz)"},
      {written, Language::Japanese,
       "a\\x1b.mp3 を書き込めません: インストールされている libsndfile はこの形式をこの周波数で"
       "書き出せません（44100 Hz）"},
      {SystemRefusal(ENOENT, "gone"), Language::English, "gone: no such file or folder"},
      {SystemRefusal(4095, "odd"), Language::Japanese, "odd: システムエラー 4095"},
  };
  for (const auto& c : cases) EXPECT_EQ(Words(c.refusal, c.language), c.message);
}

}  // namespace
}  // namespace merin
