// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/melodyhistory.h"
#include "core/melodyview.h"
#include "core/refusal.h"
#include "entry/pianolayout.h"

namespace merin::session {

// A row of the core's word table and the values it is filled in with.
struct Said {
  std::string id;
  std::vector<std::string> values;
  friend bool operator==(const Said&, const Said&) = default;
};

// What one action of a session did, for the face that asked to show: the calls on the view were
// made while it ran; this says the rest.
struct Outcome {
  std::vector<int32_t> changed;           // the slots whose code changed, in order
  bool step = false;                      // a step of undo was added, undone or redone
  bool titled = false;                    // the title changed
  bool moved = false;                     // the cursor moved
  bool queued = false;                    // test play sounds: the action waits for its end
  bool canUndo = false, canRedo = false;  // the history as the action left it
  std::optional<Said> said;               // what a screen reader says of the change
  // The melodies the action replaced, neither empty nor saved: to be kept.
  std::vector<MelodySnapshot> replaced;
  std::optional<Refusal> refusal;  // why nothing changed: an edit out of range, an empty file
  // The picture that could not be loaded: the action stopped at that step.
  std::optional<Refusal> pictureFailure;

  // The on-screen keys a MIDI keyboard pressed and let go of.
  std::vector<PianoKey> pressed, released;
  // A note from a MIDI keyboard was moved by octaves into C4..B5; said the first time only.
  bool shiftedIntoRange = false;

  // Whether the melody (a slot or the title) changed: the keeper writes it.
  bool Changed() const { return !changed.empty() || titled; }
  // This outcome followed by `next`, as one.
  void Then(const Outcome& next);
};

}  // namespace merin::session
