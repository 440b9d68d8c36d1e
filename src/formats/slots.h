// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

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

}  // namespace merin::formats
