// SPDX-License-Identifier: MIT
#include "output/convert.h"

#include "core/notecode.h"
#include "core/pitch.h"

namespace merin {
namespace {

constexpr std::string_view kConfirm = "[確定]";
constexpr std::string_view kLineEnd = "\r\n";

// The presses of a note: a code of the scheme as its pitch has them; any other code that counts as
// a note ('1'..'7' and anything after it) takes its last digit, none when the last is no digit.
int Presses(std::string_view code) {
  if (const std::optional<Pitch> pitch = Pitch::FromCode(code)) return pitch->Presses();
  const char last = code.back();
  return last >= '0' && last <= '9' ? last - '0' : 0;
}

}  // namespace

std::string ConvertMelody(std::span<const std::string, 30> codes) {
  std::string listing;
  listing.reserve(30 * 16);
  char previousKey = '0';
  for (const std::string& code : codes) {
    if (IsNote(code)) {
      const char key = code[0];
      if (key == previousKey) listing += kConfirm;
      previousKey = key;
      for (int n = Presses(code); n > 0; --n) {
        listing += '[';
        listing += key;
        listing += ']';
      }
    } else {
      listing += "[0]";
    }
    listing += kLineEnd;
  }
  return listing;
}

void Command1_Click(const Melody& melody, ResultWindowProvider& windows) {
  ResultView& window = windows.ObtainResultWindow();
  window.SetText("");
  window.SetText(ConvertMelody(std::span<const std::string, 30>(melody.Notes.data(), 30)));
  window.ShowModal();
}

}  // namespace merin
