// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/melody.h"
#include "core/melodyedit.h"

namespace merin {

// The melody as one undo step finds or leaves it: the 30 slot codes, the cursor and the title.
struct MelodySnapshot {
  SlotCodes codes;
  int32_t cursor = 0;
  std::string title;
  friend bool operator==(const MelodySnapshot&, const MelodySnapshot&) = default;
};

// The snapshot of `melody`.
MelodySnapshot SnapshotOf(const Melody& melody);

// Undo and redo of a melody: each step holds the melody before and after it. Undo and redo hand
// back the snapshot to put in place, which the caller puts back through the same procedures as
// the handlers, so that every effect of a change follows.
class MelodyHistory {
 public:
  // Adds the step from `before` to `after` after the current one (the steps undone are gone),
  // unless neither a slot nor the title changed; whether it was added.
  bool Push(const MelodySnapshot& before, const MelodySnapshot& after);
  // The last step, when it is the current one, now leads to `after`; whether there was one.
  bool AmendLast(const MelodySnapshot& after);
  // The melody before the current step, which becomes the next to redo; none at the start.
  std::optional<MelodySnapshot> Undo();
  // The melody after the next step, which becomes the current one; none at the end.
  std::optional<MelodySnapshot> Redo();
  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  // Forgets every step: the melody as it is now is where undoing ends.
  void Forget();

 private:
  // A snapshot in a quarter of the memory: the codes joined by spaces. A long history holds
  // thousands of them.
  struct Packed {
    std::string codes;
    int32_t cursor = 0;
    std::string title;
  };
  static Packed Pack(const MelodySnapshot& snapshot);
  static MelodySnapshot Unpack(const Packed& packed);

  std::vector<std::pair<Packed, Packed>> steps_;  // before and after
  size_t done_ = 0;                               // steps done, not undone
};

}  // namespace merin
