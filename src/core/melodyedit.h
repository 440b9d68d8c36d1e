// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/melody.h"
#include "core/notecode.h"
#include "core/refusal.h"

namespace merin {

// The 30 slot codes of a melody, slot 0 first.
using SlotCodes = std::array<std::string, kSlotCount>;

// The outcome of an edit of the whole melody: the codes it gives, or why it is refused (then
// `codes` are the ones it was given): a slot index that is no slot, an insertion that would push
// the note of the last slot off the end, or a note that would leave the range C4..B5, the slot
// and the note named.
struct MelodyEdit {
  SlotCodes codes;
  std::optional<Refusal> refusal{};
  bool refused() const { return refusal.has_value(); }
};

// The slot codes of `melody`.
SlotCodes CodesOf(const Melody& melody);

// Thirty empty slots.
SlotCodes EmptyCodes();

// A slot is empty when it holds the empty code; rests and notes are not.
bool IsEmptySlot(std::string_view code);

// A melody is empty when every slot is: one rest makes it a melody.
bool IsEmptyMelody(const SlotCodes& codes);

// Where the cursor goes after a melody whose slot 29 is taken: End stays there, a melody brought
// in wraps to slot 0 as typing does.
enum class AfterFull { StayOnLast, WrapToFirst };

// The slot that typing goes on at after the melody: the one after the last slot that is not
// empty, slot 0 for an empty melody; when slot 29 is taken, as `full` says.
int32_t SlotAfterLast(const SlotCodes& codes, AfterFull full = AfterFull::StayOnLast);

// An empty slot put in at `slot`, which with every slot after it moves one to the right. Slot
// 29 falls off the end only when it is empty; otherwise the edit is refused.
MelodyEdit InsertEmptySlot(const SlotCodes& codes, int32_t slot);

// Slot `slot` taken out, every slot after it moving one to the left and slot 29 left empty.
MelodyEdit RemoveSlot(const SlotCodes& codes, int32_t slot);

// Every note moved by `semitones`; rests and empty slots stay. Refused, naming the first note
// that would leave C4..B5, when one would.
MelodyEdit Transpose(const SlotCodes& codes, int semitones);

}  // namespace merin
