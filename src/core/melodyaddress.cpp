// SPDX-License-Identifier: MIT
#include "core/melodyaddress.h"

#include "core/coretexts.h"
#include "core/escape.h"
#include "core/pitch.h"

namespace merin {
namespace {

constexpr std::string_view kPrefix = "m1.";
constexpr std::string_view kBase64Url =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr char kRest = 'r';
constexpr char kEmpty = '-';

char CharOfCode(std::string_view code) {
  if (code == kRestCode) return kRest;
  if (const auto pitch = Pitch::FromCode(code))
    return char('A' + pitch->Midi() - Pitch::kLowestMidi);
  return kEmpty;
}

Refusal At(const Text& why, std::string_view fragment, size_t column) {
  Refusal refusal(why, "#" + std::string(fragment.substr(0, 64)));
  refusal.line = 1;
  refusal.column = column + 2;  // counted from the '#', which is column 1
  return refusal;
}

}  // namespace

std::string FragmentOf(const SlotCodes& codes, std::string_view title) {
  std::string fragment(kPrefix);
  for (const std::string& code : codes) fragment += CharOfCode(code);
  while (fragment.size() > kPrefix.size() && fragment.back() == kEmpty) fragment.pop_back();
  if (title.empty()) return fragment;
  fragment += '.';
  uint32_t bits = 0;
  int held = 0;
  for (const char byte : title) {
    bits = (bits << 8) | uint8_t(byte);
    for (held += 8; held >= 6; held -= 6) fragment += kBase64Url[(bits >> (held - 6)) & 63];
  }
  if (held > 0) fragment += kBase64Url[(bits << (6 - held)) & 63];
  return fragment;
}

std::variant<AddressedMelody, Refusal> MelodyOfFragment(std::string_view fragment) {
  if (fragment.size() > kMaxFragment) {
    return At(CoreText("page.address.too-long"), fragment, kMaxFragment);
  }
  if (!fragment.starts_with(kPrefix)) return At(CoreText("page.address.prefix"), fragment, 0);
  AddressedMelody melody{EmptyCodes(), {}};
  size_t at = kPrefix.size();
  for (size_t slot = 0; at < fragment.size() && fragment[at] != '.'; ++at, ++slot) {
    const char c = fragment[at];
    if (slot == size_t(kSlotCount)) return At(CoreText("page.address.too-many"), fragment, at);
    if (c >= 'A' && c <= 'X') {
      melody.codes[slot] = Pitch::FromMidi(Pitch::kLowestMidi + (c - 'A'))->Code();
    } else if (c == kRest) {
      melody.codes[slot] = std::string(kRestCode);
    } else if (c != kEmpty) {
      return At(CoreText("page.address.slot"), fragment, at);
    }
  }
  if (at == fragment.size()) return melody;
  uint32_t bits = 0;
  int held = 0;
  for (++at; at < fragment.size(); ++at) {
    const size_t value = kBase64Url.find(fragment[at]);
    if (value == std::string_view::npos) return At(CoreText("page.address.title"), fragment, at);
    bits = (bits << 6) | uint32_t(value);
    held += 6;
    if (held >= 8) {
      held -= 8;
      melody.title += char((bits >> held) & 0xff);
    }
  }
  // Unpadded base64url ends with 0, 2 or 3 characters of a group, whose spare bits are zero.
  if (held >= 6 || (bits & ((1u << held) - 1)) != 0) {
    return At(CoreText("page.address.title"), fragment, fragment.size() - 1);
  }
  for (size_t i = 0; i < melody.title.size();) {
    const size_t length = Utf8CharLength(melody.title, i);
    if (length == 0 || IsControlCharacter(melody.title, i, length)) {
      return At(CoreText("page.address.title-text"), fragment, fragment.find('.', kPrefix.size()));
    }
    i += length;
  }
  if (melody.title.empty())
    return At(CoreText("page.address.title"), fragment, fragment.size() - 1);
  return melody;
}

}  // namespace merin
