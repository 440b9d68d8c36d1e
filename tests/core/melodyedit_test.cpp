// SPDX-License-Identifier: MIT
#include "core/melodyedit.h"
#include "core/melodyhistory.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace merin {
namespace {

// A melody written as space-separated codes, the slots after them empty.
SlotCodes Codes(const std::string& text) {
  SlotCodes codes;
  codes.fill("99");
  std::istringstream in(text);
  std::string code;
  for (size_t slot = 0; in >> code; ++slot) codes.at(slot) = code;
  return codes;
}

// Every slot holding `code`.
SlotCodes Full(const std::string& code) {
  SlotCodes codes;
  codes.fill(code);
  return codes;
}

// Where typing goes on after the melody, and whether there is any melody at all.
TEST(SlotAfterLast, IsWhereTypingGoesOnAfterTheMelody) {
  SlotCodes onlyLast = Codes("");
  onlyLast[29] = "01";
  SlotCodes upTo28 = Full("11");
  upTo28[29] = "99";
  struct Case {
    SlotCodes codes;
    int32_t staying, wrapping;  // after a full melody: End stays on the last, an import wraps
    bool empty = false;
  } cases[] = {
      {Codes(""), 0, 0, true},
      {Codes("11"), 1, 1},
      {Codes("99 99 01"), 3, 3},  // a rest counts as written
      {Codes("11 99 99 21 99"), 4, 4},
      {Full("72"), 29, 0},
      {onlyLast, 29, 0},
      {upTo28, 29, 29},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsEmptyMelody(c.codes), c.empty) << c.codes[0] << c.codes[29];
    EXPECT_EQ(SlotAfterLast(c.codes), c.staying) << c.codes[0] << c.codes[29];
    EXPECT_EQ(SlotAfterLast(c.codes, AfterFull::WrapToFirst), c.wrapping)
        << c.codes[0] << c.codes[29];
  }
}

// Undo and redo walk the steps back and forth; a new step drops those undone; a step that
// changes neither a slot nor the title is none.
TEST(MelodyHistory, WalksTheStepsAndANewStepDropsThoseUndone) {
  const auto at = [](const char* codes, int32_t cursor, const char* title = "") {
    return MelodySnapshot{Codes(codes), cursor, title};
  };
  const MelodySnapshot a = at("", 0), b = at("11", 1), c = at("11 21", 2), d = at("72", 1),
                       t = at("72", 1, "Tune");
  MelodyHistory history;
  EXPECT_TRUE(history.Push(a, b));
  EXPECT_FALSE(history.Push(b, at("11", 7))) << "only the cursor moved";
  EXPECT_TRUE(history.Push(b, c));
  enum Op { kUndo, kRedo };
  struct Step {
    Op op;
    std::optional<MelodySnapshot> put;
  } steps[] = {{kRedo, {}}, {kUndo, b}, {kUndo, a}, {kUndo, {}},
               {kRedo, b},  {kRedo, c}, {kUndo, b}};
  for (const Step& step : steps) {
    EXPECT_EQ(step.op == kUndo ? history.Undo() : history.Redo(), step.put);
  }
  EXPECT_TRUE(history.Push(b, d));
  EXPECT_FALSE(history.CanRedo()) << "the step undone is gone";
  EXPECT_TRUE(history.Push(d, t)) << "a new title is a step";
  EXPECT_EQ(history.Undo(), d);
  EXPECT_EQ(history.Undo(), b);
  history.Forget();
  EXPECT_FALSE(history.CanUndo() || history.CanRedo());
}

TEST(InsertEmptySlot, ShiftsTheSlotAndThoseAfterItRight) {
  struct Case {
    const char* before;
    int32_t slot;
    const char* after;
  } cases[] = {
      {"11 21 31", 0, "99 11 21 31"},
      {"11 21 31", 1, "11 99 21 31"},
      {"11 21 31", 3, "11 21 31"},
      {"11 01 31", 1, "11 99 01 31"},
      {"", 0, ""},
  };
  for (const Case& c : cases) {
    const MelodyEdit edit = InsertEmptySlot(Codes(c.before), c.slot);
    EXPECT_FALSE(edit.refused()) << c.before << " at " << c.slot;
    EXPECT_EQ(edit.codes, Codes(c.after)) << c.before << " at " << c.slot;
  }
}

TEST(InsertEmptySlot, TheLastSlotFallsOffOnlyWhenEmpty) {
  SlotCodes lastEmpty = Full("21");
  lastEmpty[29] = "99";
  const MelodyEdit atEnd = InsertEmptySlot(lastEmpty, 29);
  EXPECT_FALSE(atEnd.refused());
  EXPECT_EQ(atEnd.codes, lastEmpty);
  const MelodyEdit atStart = InsertEmptySlot(lastEmpty, 0);
  EXPECT_FALSE(atStart.refused());
  EXPECT_EQ(atStart.codes[0], "99");
  EXPECT_EQ(atStart.codes[29], "21");

  for (const char* last : {"11", "01"}) {
    SlotCodes codes = Codes("11 21 31");
    codes[29] = last;
    for (int32_t slot : {0, 15, 29}) {
      const MelodyEdit edit = InsertEmptySlot(codes, slot);
      EXPECT_TRUE(edit.refused()) << last << " at " << slot;
      EXPECT_EQ(edit.refusal->fault->id, "edit.last-slot-taken");
      EXPECT_EQ(edit.refusal->values, std::vector<std::string>{"30"}) << "NOTE:30 is named";
      EXPECT_EQ(edit.codes, codes);
    }
  }
  EXPECT_TRUE(InsertEmptySlot(Full("11"), 3).refused());
}

TEST(RemoveSlot, ShiftsTheRestLeftAndLeavesTheLastSlotEmpty) {
  struct Case {
    const char* before;
    int32_t slot;
    const char* after;
  } cases[] = {
      {"11 21 31", 0, "21 31"},    {"11 21 31", 1, "11 31"},       {"11 21 31", 2, "11 21"},
      {"11 21 31", 3, "11 21 31"}, {"11 99 01 31", 1, "11 01 31"}, {"", 7, ""},
  };
  for (const Case& c : cases) {
    const MelodyEdit edit = RemoveSlot(Codes(c.before), c.slot);
    EXPECT_FALSE(edit.refused());
    EXPECT_EQ(edit.codes, Codes(c.after)) << c.before << " at " << c.slot;
  }
  SlotCodes full = Full("11");
  full[29] = "72";
  const MelodyEdit last = RemoveSlot(full, 29);
  SlotCodes lastEmptied = Full("11");
  lastEmptied[29] = "99";
  EXPECT_EQ(last.codes, lastEmptied);
  const MelodyEdit first = RemoveSlot(full, 0);
  EXPECT_EQ(first.codes[28], "72");
  EXPECT_EQ(first.codes[29], "99");
}

TEST(SlotEdits, ASlotOutsideTheMelodyIsRefusedAndChangesNothing) {
  const SlotCodes codes = Codes("11 21");
  for (int32_t slot : {-1, 30, 31}) {
    EXPECT_TRUE(InsertEmptySlot(codes, slot).refused()) << slot;
    EXPECT_EQ(InsertEmptySlot(codes, slot).codes, codes);
    EXPECT_TRUE(RemoveSlot(codes, slot).refused()) << slot;
    EXPECT_EQ(RemoveSlot(codes, slot).codes, codes);
  }
}

TEST(Transpose, MovesEveryNoteAndLeavesRestsAndEmptySlots) {
  struct Case {
    const char* before;
    int semitones;
    const char* after;
  } cases[] = {
      // C4 D4 E4 F4 G4 A4 B4 up a semitone: C#4 D#4 F4 F#4 G#4 A#4 C5
      {"11 21 31 41 51 61 71", 1, "12 22 41 42 52 62 13"},
      // C#4 D#4 F#4 G#4 A#4 down a semitone: C4 D4 F4 G4 A4
      {"12 22 42 52 62", -1, "11 21 41 51 61"},
      // across the octave: B4 up to C5, C5 down to B4, E5 up to F5
      {"71 13 32", 1, "13 14 43"},
      {"13 01 99 23", -1, "71 01 99 14"},
      // octaves: C4 to C5, A#4 to A#5, B5 to B4
      {"11 62 01", 12, "13 64 01"},
      {"72 53 14", -12, "71 51 12"},
      {"11 72", 0, "11 72"},
      {"01 99 01", 12, "01 99 01"},
  };
  for (const Case& c : cases) {
    const MelodyEdit edit = Transpose(Codes(c.before), c.semitones);
    EXPECT_FALSE(edit.refused()) << c.before << " by " << c.semitones;
    EXPECT_EQ(edit.codes, Codes(c.after)) << c.before << " by " << c.semitones;
  }
}

TEST(Transpose, RefusedWhenANoteWouldLeaveTheRangeNamingIt) {
  struct Case {
    const char* before;
    int semitones;
    int32_t slot;
    const char* pitch;
  } cases[] = {
      {"11 21 72", 1, 2, "B5"},                             // B5 is the highest
      {"21 11 72", -1, 1, "C4"},                            // C4 is the lowest
      {"01 13 14", 12, 1, "C5"},                            // C5 + 12 = C6
      {"01 12", -12, 1, "C#4"},  {"63 72 72", 1, 1, "B5"},  // the first note out is named
  };
  for (const Case& c : cases) {
    const SlotCodes codes = Codes(c.before);
    const MelodyEdit edit = Transpose(codes, c.semitones);
    EXPECT_TRUE(edit.refused()) << c.before << " by " << c.semitones;
    EXPECT_EQ(edit.refusal->fault->id, "edit.out-of-range");
    EXPECT_EQ(edit.refusal->values,
              (std::vector<std::string>{std::to_string(c.slot + 1), c.pitch}));
    EXPECT_EQ(edit.codes, codes) << c.before;
  }
  SlotCodes last = Codes("11");
  last[29] = "72";
  EXPECT_EQ(Transpose(last, 1).refusal->values.front(), "30");
}

TEST(CodesOf, TakesTheThirtySlotsInOrder) {
  Melody melody;
  for (int i = 0; i < 31; ++i) melody.Notes[size_t(i)] = std::to_string(i);
  const SlotCodes codes = CodesOf(melody);
  for (int i = 0; i < 30; ++i) EXPECT_EQ(codes[size_t(i)], std::to_string(i));
}

}  // namespace
}  // namespace merin
