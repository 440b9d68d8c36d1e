// SPDX-License-Identifier: MIT
#include "core/melodyedit.h"

#include <algorithm>
#include <optional>

#include "core/coretexts.h"
#include "core/pitch.h"

namespace merin {
namespace {

bool IsSlotIndex(int32_t slot) { return slot >= 0 && slot < kSlotCount; }

MelodyEdit Refuse(const SlotCodes& codes, const Text& why, std::vector<std::string> values) {
  return {codes, Refusal(why, {}, std::move(values))};
}

// A slot's number as the user knows it, 1..30.
std::string SlotNumber(int32_t slot) { return std::to_string(slot + 1); }

}  // namespace

SlotCodes CodesOf(const Melody& melody) {
  SlotCodes codes;
  std::copy_n(melody.Notes.begin(), kSlotCount, codes.begin());
  return codes;
}

SlotCodes EmptyCodes() {
  static const SlotCodes empty = [] {
    SlotCodes codes;
    codes.fill(std::string(kEmptyCode));
    return codes;
  }();
  return empty;
}

bool IsEmptySlot(std::string_view code) { return code == kEmptyCode; }

bool IsEmptyMelody(const SlotCodes& codes) {
  return std::all_of(codes.begin(), codes.end(),
                     [](const std::string& c) { return IsEmptySlot(c); });
}

int32_t SlotAfterLast(const SlotCodes& codes, AfterFull full) {
  for (int32_t slot = kSlotCount - 1; slot >= 0; --slot) {
    if (IsEmptySlot(codes[size_t(slot)])) continue;
    if (slot + 1 < kSlotCount) return slot + 1;
    return full == AfterFull::WrapToFirst ? 0 : slot;
  }
  return 0;
}

MelodyEdit InsertEmptySlot(const SlotCodes& codes, int32_t slot) {
  if (!IsSlotIndex(slot)) {
    return Refuse(codes, CoreText("edit.no-such-slot"), {std::to_string(slot)});
  }
  if (!IsEmptySlot(codes.back())) {
    return Refuse(codes, CoreText("edit.last-slot-taken"), {SlotNumber(kSlotCount - 1)});
  }
  MelodyEdit edit{codes};
  std::move_backward(edit.codes.begin() + slot, edit.codes.end() - 1, edit.codes.end());
  edit.codes[size_t(slot)] = kEmptyCode;
  return edit;
}

MelodyEdit RemoveSlot(const SlotCodes& codes, int32_t slot) {
  if (!IsSlotIndex(slot)) {
    return Refuse(codes, CoreText("edit.no-such-slot"), {std::to_string(slot)});
  }
  MelodyEdit edit{codes};
  std::move(edit.codes.begin() + slot + 1, edit.codes.end(), edit.codes.begin() + slot);
  edit.codes.back() = kEmptyCode;
  return edit;
}

MelodyEdit Transpose(const SlotCodes& codes, int semitones) {
  MelodyEdit edit{codes};
  for (int32_t slot = 0; slot < kSlotCount; ++slot) {
    const std::optional<Pitch> pitch = Pitch::FromCode(codes[size_t(slot)]);
    if (!pitch) continue;
    const std::optional<Pitch> moved = Pitch::FromMidi(pitch->Midi() + semitones);
    if (!moved) {
      return Refuse(codes, CoreText("edit.out-of-range"), {SlotNumber(slot), pitch->Name()});
    }
    edit.codes[size_t(slot)] = moved->Code();
  }
  return edit;
}

}  // namespace merin
