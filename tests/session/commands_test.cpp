// SPDX-License-Identifier: MIT
#include "session/commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "session/session.h"
#include "support/melodies.h"
#include "support/programfolder.h"
#include "support/recorders.h"

namespace merin::session {
namespace {

TEST(Commands, EachKeyOfTheTableRunsItsCommandOnTheSession) {
  struct Case {
    std::string_view key;
    bool ctrl, shift;
    std::vector<std::string> codes;  // the melody after it, from C4 D4 E4 with the cursor on D4
    int32_t cursor;
    bool step;
  } cases[] = {
      {"ArrowLeft", false, false, {"11", "21", "31"}, 0, false},
      {"ArrowRight", false, false, {"11", "21", "31"}, 2, false},
      {"Home", false, false, {"11", "21", "31"}, 0, false},
      {"End", false, false, {"11", "21", "31"}, 3, false},
      {"Delete", false, false, {"11", "99", "31"}, 1, true},
      {"Insert", false, false, {"11", "99", "21", "31"}, 1, true},
      {"Delete", true, false, {"11", "31"}, 1, true},
      {"ArrowUp", true, false, {"12", "22", "41"}, 1, true},
      {"ArrowDown", true, true, {"11", "21", "31"}, 1, false},  // C3 is out of range: refused
      {"ArrowUp", true, true, {"13", "23", "32"}, 1, true},
      {"Z", true, false, {"11", "21"}, 2, true},  // undoes the E4 typed last
  };
  std::set<std::tuple<std::string_view, bool, bool>> keys;
  for (const Shortcut& s : kShortcuts) {
    EXPECT_TRUE(keys.insert({s.key, s.ctrl, s.shift}).second) << s.key << " does two things";
  }
  for (const Case& c : cases) {
    test::ScopedProgramFolder folder{"/app/"};
    test::RecordingView view;
    test::RecordingSound sound;
    Session session{view};
    session.Load(sound);
    for (const int16_t white : {0, 1, 2}) Perform(session, Command::White, white);
    session.Marker(1);
    const Shortcut* shortcut = nullptr;
    for (const Shortcut& s : kShortcuts) {
      if (s.key == c.key && s.ctrl == c.ctrl && s.shift == c.shift) shortcut = &s;
    }
    ASSERT_NE(shortcut, nullptr) << c.key;
    const Outcome outcome = Perform(session, shortcut->command, shortcut->value);
    EXPECT_EQ(CodesOf(session.melody()), test::MelodyOf(c.codes)) << c.key << c.ctrl << c.shift;
    EXPECT_EQ(session.melody().Cursor, c.cursor) << c.key << c.ctrl << c.shift;
    EXPECT_EQ(outcome.step, c.step) << c.key << c.ctrl << c.shift;
    // A command that changes nothing of the melody is a move or a refusal.
    EXPECT_EQ(outcome.refusal.has_value(), !c.step && !outcome.moved && !outcome.Changed())
        << c.key << c.ctrl << c.shift;
  }
}

TEST(Commands, EveryCommandHasOneNameThatNamesItBack) {
  std::set<std::string_view> names;
  for (int i = 0; i <= int(Command::Redo); ++i) {
    const auto command = Command(i);
    const std::string_view name = NameOf(command);
    EXPECT_FALSE(name.empty()) << i;
    EXPECT_TRUE(names.insert(name).second) << name;
    EXPECT_EQ(CommandNamed(name), command) << name;
  }
  EXPECT_EQ(CommandNamed("whistle"), std::nullopt);
  EXPECT_EQ(NameOf(Command::White), "white");
}

TEST(Commands, TheKeysOfThePianoWriteTheirNotesAndThePedalARest) {
  struct Case {
    Command command;
    int value;
    const char* code;
  } cases[] = {{Command::White, 0, "11"},
               {Command::White, 13, "72"},
               {Command::Black, 0, "12"},
               {Command::Rest, 0, "01"}};
  for (const Case& c : cases) {
    test::ScopedProgramFolder folder{"/app/"};
    test::RecordingView view;
    test::RecordingSound sound;
    Session session{view};
    session.Load(sound);
    EXPECT_EQ(Perform(session, c.command, c.value).changed, std::vector<int32_t>{0});
    EXPECT_EQ(session.melody().Notes[0], c.code) << NameOf(c.command) << c.value;
  }
}

}  // namespace
}  // namespace merin::session
