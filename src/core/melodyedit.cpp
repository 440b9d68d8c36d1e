// SPDX-License-Identifier: MIT
#include "core/melodyedit.h"

#include <algorithm>
#include <optional>

#include "core/pitch.h"

namespace merin {
namespace {

bool IsSlotIndex(int32_t slot) { return slot >= 0 && slot < kSlotCount; }

MelodyEdit Refuse(const SlotCodes& codes, std::string why) { return {codes, std::move(why)}; }

std::string SlotName(int32_t slot) { return "NOTE:" + std::to_string(slot + 1); }

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

int32_t SlotAfterLast(const SlotCodes& codes) {
  for (int32_t slot = kSlotCount - 1; slot >= 0; --slot) {
    if (!IsEmptySlot(codes[size_t(slot)])) return std::min(slot + 1, kSlotCount - 1);
  }
  return 0;
}

MelodyEdit InsertEmptySlot(const SlotCodes& codes, int32_t slot) {
  if (!IsSlotIndex(slot))
    return Refuse(codes, "スロット番号 " + std::to_string(slot) + " はありません");
  if (!IsEmptySlot(codes.back())) {
    return Refuse(codes, "最後の " + SlotName(kSlotCount - 1) +
                             " が空いていないので挿入できません。先に最後の音を消してください。");
  }
  MelodyEdit edit{codes, {}};
  std::move_backward(edit.codes.begin() + slot, edit.codes.end() - 1, edit.codes.end());
  edit.codes[size_t(slot)] = kEmptyCode;
  return edit;
}

MelodyEdit RemoveSlot(const SlotCodes& codes, int32_t slot) {
  if (!IsSlotIndex(slot))
    return Refuse(codes, "スロット番号 " + std::to_string(slot) + " はありません");
  MelodyEdit edit{codes, {}};
  std::move(edit.codes.begin() + slot + 1, edit.codes.end(), edit.codes.begin() + slot);
  edit.codes.back() = kEmptyCode;
  return edit;
}

MelodyEdit Transpose(const SlotCodes& codes, int semitones) {
  MelodyEdit edit{codes, {}};
  for (int32_t slot = 0; slot < kSlotCount; ++slot) {
    const std::optional<Pitch> pitch = Pitch::FromCode(codes[size_t(slot)]);
    if (!pitch) continue;
    const std::optional<Pitch> moved = Pitch::FromMidi(pitch->Midi() + semitones);
    if (!moved) {
      return Refuse(codes, SlotName(slot) + " の " + pitch->Name() +
                               " が音域 C4〜B5 を外れるので移調できません。");
    }
    edit.codes[size_t(slot)] = moved->Code();
  }
  return edit;
}

}  // namespace merin
