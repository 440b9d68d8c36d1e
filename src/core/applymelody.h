// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/melody.h"
#include "core/melodyedit.h"
#include "core/melodyview.h"
#include "core/notecode.h"

namespace merin {

// Replaces the whole melody: every slot 0..29 in turn becomes current and gets its code from
// `codes` ("11".."72", "01" rest, "99" empty) with its picture, then `cursor` becomes current and
// its number is shown, through the same procedures the handlers use, so cells, markers and status
// bar follow. Throws std::invalid_argument, changing nothing, for a code or cursor out of range;
// a picture that cannot be loaded stops it there with PictureLoadError, the slots before it
// replaced and the cursor on the failing slot.
void ApplyMelody(Melody& melody, MelodyView& view, const SlotCodes& codes, int32_t cursor);

}  // namespace merin
