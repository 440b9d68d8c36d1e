#pragma once

#include <cstddef>

#include "core/notecode.h"
#include "formats/melody.h"

namespace merin::formats {

// How many slots an export holds: up to the last slot that is not empty, so trailing empty slots
// are left out and empty slots between notes sound as rests.
inline size_t UsedSlots(const Codes& codes) {
  size_t used = codes.size();
  while (used > 0 && codes[used - 1] == kEmptyCode) --used;
  return used;
}

}  // namespace merin::formats
