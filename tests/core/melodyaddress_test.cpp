// SPDX-License-Identifier: MIT
#include "core/melodyaddress.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/pitch.h"

namespace merin {
namespace {

// A melody written as space-separated codes, the slots after them empty.
SlotCodes Codes(const std::string& text) {
  SlotCodes codes = EmptyCodes();
  std::istringstream in(text);
  std::string code;
  for (size_t slot = 0; in >> code; ++slot) codes.at(slot) = code;
  return codes;
}

TEST(MelodyAddress, WritesAndReadsTheFragment) {
  struct Case {
    std::string codes, title, fragment;
  } cases[] = {
      {"", "", "m1."},
      {"11 12 21", "", "m1.ABC"},
      {"72 01 99 42", "", "m1.Xr-G"},
      {"11 99 99", "", "m1.A"},
      {"11", "f", "m1.A.Zg"},
      {"11", "fo", "m1.A.Zm8"},
      {"11", "foo", "m1.A.Zm9v"},
      {"", "かえる", "m1..44GL44GI44KL"},
      {"11", "a?>", "m1.A.YT8-"},
      {"11", "\xff\xfe", "m1.A.__4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fragment);
    EXPECT_EQ(FragmentOf(Codes(c.codes), c.title), c.fragment);
    if (c.title.starts_with('\xff')) continue;  // not UTF-8: written, but refused when read
    const auto read = MelodyOfFragment(c.fragment);
    ASSERT_TRUE(std::holds_alternative<AddressedMelody>(read));
    EXPECT_EQ(std::get<AddressedMelody>(read).codes, Codes(c.codes));
    EXPECT_EQ(std::get<AddressedMelody>(read).title, c.title);
  }
}

TEST(MelodyAddress, EveryPitchHasItsLetterInRisingOrder) {
  SlotCodes codes = EmptyCodes();
  for (int i = 0; i < 24; ++i) codes[i] = Pitch::FromMidi(Pitch::kLowestMidi + i)->Code();
  codes[24] = "01";
  EXPECT_EQ(FragmentOf(codes, ""), "m1.ABCDEFGHIJKLMNOPQRSTUVWXr");
  const auto read = MelodyOfFragment("m1.ABCDEFGHIJKLMNOPQRSTUVWXr-----");
  ASSERT_TRUE(std::holds_alternative<AddressedMelody>(read));
  EXPECT_EQ(std::get<AddressedMelody>(read).codes, codes);
}

TEST(MelodyAddress, RefusesWhatIsNoMelodyNamingTheColumn) {
  struct Case {
    std::string fragment;
    std::string_view why;
    size_t column;  // counted from the '#'
  } cases[] = {
      {"", "page.address.prefix", 2},
      {"m2.ABC", "page.address.prefix", 2},
      {"M1.A", "page.address.prefix", 2},
      {"m1.ABY", "page.address.slot", 7},
      {"m1.AaB", "page.address.slot", 6},
      {"m1.A B", "page.address.slot", 6},
      {"m1." + std::string(31, 'A'), "page.address.too-many", 35},
      {"m1.A.", "page.address.title", 6},
      {"m1.A.Z", "page.address.title", 7},
      {"m1.A.Zh", "page.address.title", 8},
      {"m1.A.Zm9v=", "page.address.title", 11},
      {"m1.A.Zm+v", "page.address.title", 9},
      {"m1.A.__4", "page.address.title-text", 6},
      {"m1.A.Cg", "page.address.title-text", 6},
      {"m1." + std::string(kMaxFragment, '-'), "page.address.too-long", kMaxFragment + 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fragment);
    const auto read = MelodyOfFragment(c.fragment);
    ASSERT_TRUE(std::holds_alternative<Refusal>(read));
    const Refusal& refusal = std::get<Refusal>(read);
    EXPECT_EQ(refusal.fault->id, c.why);
    EXPECT_EQ(refusal.column, c.column);
    EXPECT_EQ(refusal.file, "#" + c.fragment.substr(0, 64));
  }
}

}  // namespace
}  // namespace merin
