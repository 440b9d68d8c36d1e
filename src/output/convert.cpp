// SPDX-License-Identifier: MIT
#include "output/convert.h"

#include <algorithm>

#include "core/notecode.h"
#include "core/pitch.h"
#include "output/keypresses.h"

namespace merin {
namespace {

constexpr std::string_view kConfirm = "[確定]";

// The presses of a note: its last character, which for a note code is the digit of its presses
// and for any other code that counts as a note ('1'..'7' and anything after it) is taken the
// same way; none when it is no digit.
int Presses(std::string_view code) {
  const char last = code.back();
  return last >= '0' && last <= '9' ? last - '0' : 0;
}

// Up to nine presses of each key '0'..'7'; a line takes the first 3 characters of each press.
constexpr size_t kMostPresses = 9;
constexpr char kPressRows[8][3 * kMostPresses + 1] = {
    "[0][0][0][0][0][0][0][0][0]", "[1][1][1][1][1][1][1][1][1]", "[2][2][2][2][2][2][2][2][2]",
    "[3][3][3][3][3][3][3][3][3]", "[4][4][4][4][4][4][4][4][4]", "[5][5][5][5][5][5][5][5][5]",
    "[6][6][6][6][6][6][6][6][6]", "[7][7][7][7][7][7][7][7][7]"};
constexpr size_t kLongestLine = kConfirm.size() + 3 * kMostPresses + 2;

}  // namespace

// The key and presses of every slot, without names: what the listing needs.
template <typename Slot>
void EachSlotPresses(std::span<const std::string, kSlotCount> codes, Slot&& slot) {
  char previousKey = '0';
  for (const std::string& code : codes) {
    const bool note = IsNote(code);
    const char key = note ? code[0] : '0';
    const bool confirm = note && key == previousKey;
    if (note) previousKey = key;
    slot(code, confirm, key, note ? Presses(code) : 1);
  }
}

std::array<SlotPresses, kSlotCount> KeyPressesOf(std::span<const std::string, kSlotCount> codes) {
  std::array<SlotPresses, kSlotCount> slots;
  int index = 0;
  EachSlotPresses(codes, [&](const std::string& code, bool confirm, char key, int presses) {
    const auto pitch = Pitch::FromCode(code);
    slots[index] = {
        index + 1, pitch ? pitch->Name() : std::string(), code == kRestCode, confirm, key, presses};
    ++index;
  });
  return slots;
}

std::vector<std::string> KeysOf(const SlotPresses& slot) {
  std::vector<std::string> keys;
  if (slot.confirm) keys.emplace_back(kConfirmKey);
  keys.insert(keys.end(), size_t(slot.presses), std::string(1, slot.key));
  return keys;
}

// Each line is copied whole from fixed rows and then cut to its length, so that a line costs the
// same whatever its slot holds.
std::string ConvertMelody(std::span<const std::string, kSlotCount> codes) {
  char listing[kSlotCount * kLongestLine];
  char* end = listing;
  EachSlotPresses(codes, [&](const std::string&, bool confirm, char key, int presses) {
    std::copy_n(kConfirm.data(), kConfirm.size(), end);
    end += confirm ? kConfirm.size() : 0;
    std::copy_n(kPressRows[key - '0'], 3 * kMostPresses, end);
    end += 3 * presses;
    *end++ = '\r';
    *end++ = '\n';
  });
  return std::string(listing, end);
}

void Command1_Click(const Melody& melody, ResultWindowProvider& windows) {
  ResultView& window = windows.ObtainResultWindow();
  window.SetText("");
  window.SetText(
      ConvertMelody(std::span<const std::string, kSlotCount>(melody.Notes.data(), kSlotCount)));
  window.ShowModal();
}

}  // namespace merin
