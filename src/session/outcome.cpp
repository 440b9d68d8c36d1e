// SPDX-License-Identifier: MIT
#include "session/outcome.h"

#include <algorithm>

namespace merin::session {

void Outcome::Then(const Outcome& next) {
  for (int32_t slot : next.changed) {
    if (std::find(changed.begin(), changed.end(), slot) == changed.end()) changed.push_back(slot);
  }
  step = step || next.step;
  titled = titled || next.titled;
  moved = moved || next.moved;
  queued = next.queued;
  canUndo = next.canUndo;
  canRedo = next.canRedo;
  if (next.said) said = next.said;
  pressed.insert(pressed.end(), next.pressed.begin(), next.pressed.end());
  released.insert(released.end(), next.released.begin(), next.released.end());
  shiftedIntoRange = shiftedIntoRange || next.shiftedIntoRange;
  replaced.insert(replaced.end(), next.replaced.begin(), next.replaced.end());
  if (next.refusal) refusal = next.refusal;
  if (next.pictureFailure) pictureFailure = next.pictureFailure;
}

}  // namespace merin::session
