// SPDX-License-Identifier: MIT
#include "formats/slots.h"

#include <gtest/gtest.h>

#include "support/melodies.h"

namespace merin::formats {
namespace {

// A kept melody is listed by its first eight slots up to its last note or rest, by their names.
TEST(FirstNotes, NamesTheFirstEightAndMarksMore) {
  const struct {
    std::vector<std::string> codes;
    std::string listed;
  } cases[] = {
      {{"11", "99", "01", "72"}, "C4 - r B5"},
      {{"11", "21", "31", "41", "51", "61", "71", "13"}, "C4 D4 E4 F4 G4 A4 B4 C5"},
      {{"11", "21", "31", "41", "51", "61", "71", "13", "23"}, "C4 D4 E4 F4 G4 A4 B4 C5 …"},
      {{"99", "99", "12"}, "- - C#4"},
  };
  for (const auto& c : cases) EXPECT_EQ(FirstNotes(test::MelodyOf(c.codes)), c.listed);
}

}  // namespace
}  // namespace merin::formats
