// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

#include "core/notecode.h"
#include "core/pitch.h"
#include "formats/imported.h"

namespace merin::formats {

// How many slots an export holds: up to the last note or rest, so trailing empty slots are left
// out and empty slots between notes sound as rests (as the RTTTL writer counts them).
inline size_t UsedSlots(const SlotCodes& codes) {
  size_t used = codes.size();
  while (used > 0 && codes[used - 1] != kRestCode && !Pitch::FromCode(codes[used - 1])) --used;
  return used;
}

// How many notes and rests a kept melody is listed by.
inline constexpr size_t kNotesShown = 8;

// The first notes and rests of a melody by their names ("C4 D4 r"), " …" after them when more
// follow: how a kept melody is listed.
inline std::string FirstNotes(const SlotCodes& codes) {
  const size_t used = UsedSlots(codes);
  std::string notes;
  for (size_t slot = 0; slot < std::min(used, kNotesShown); ++slot) {
    notes += (slot ? " " : "") + TokenOfCode(codes[slot]);
  }
  return used > kNotesShown ? notes + " …" : notes;
}

}  // namespace merin::formats
