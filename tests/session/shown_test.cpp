// SPDX-License-Identifier: MIT
#include "session/shown.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "session/session.h"

namespace merin::session {
namespace {

TEST(Shown, EveryRowOfTheLibrariesIsFoundByItsIdOnce) {
  struct Case {
    const char* id;
    const char* japanese;  // empty: no table has the row
  } cases[] = {
      {"page.ok", "OK"},
      {"page.part.from", "曲の何番目の音から:"},
      {"file.empty", "空のファイルです（メロディがありません）"},
      {"midi.gm-40", "バイオリン"},
      {"midi.gm-127", "ガンショット"},
      {"page.no-such-row", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    const Text* row = TextOf(c.id);
    EXPECT_EQ(row != nullptr, *c.japanese != '\0') << c.id;
    if (row) {
      EXPECT_EQ(row->japanese, c.japanese) << c.id;
    }
  }
  std::set<std::string_view> ids;
  for (const Text* row : AllTexts()) EXPECT_TRUE(ids.insert(row->id).second) << row->id;
  // A format's own rows are among them.
  for (const formats::Format& format : Formats()) {
    for (const Text& row : format.texts) EXPECT_EQ(TextOf(row.id), &row) << row.id;
  }
}

TEST(Shown, WhatIsSaidIsFilledInInEitherLanguage) {
  const Said said = SlotSaid(SlotCodes{"11", "01"}, 1);
  EXPECT_EQ(Words(said, Language::Japanese), "スロット 2: 休符");
  EXPECT_EQ(Words(said, Language::English), "Slot 2: rest");
  EXPECT_EQ(Words(SlotSaid(SlotCodes{"12"}, 0), Language::English), "Slot 1: C#4");
  EXPECT_THROW(Words(Said{"page.no-such-row", {}}, Language::English), std::invalid_argument);
}

TEST(Shown, AnInstrumentIsNamedByItsRowInKatakanaOrEnglish) {
  EXPECT_EQ(Words(InstrumentText(0), Language::Japanese), "アコースティック・グランド・ピアノ");
  EXPECT_EQ(Words(InstrumentText(0), Language::English), "Acoustic Grand Piano");
  EXPECT_EQ(&InstrumentText(40), TextOf("midi.gm-40"));
  EXPECT_THROW(InstrumentText(128), std::invalid_argument);
  EXPECT_THROW(InstrumentText(-1), std::invalid_argument);
}

}  // namespace
}  // namespace merin::session
