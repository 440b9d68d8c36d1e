// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

#include "core/melody.h"
#include "core/melodyedit.h"

class QUndoStack;

namespace merin::ui {

// The melody as one undo step finds or leaves it: the 30 slot codes, the cursor and the title.
struct MelodySnapshot {
  SlotCodes codes;
  int32_t cursor = 0;
  std::string title;
  friend bool operator==(const MelodySnapshot&, const MelodySnapshot&) = default;
};

// Undo and redo of the window's melody. Every change that writes a slot is pushed as one step
// holding the melody before and after it; undo and redo put a snapshot back
// through `restore`, which goes through the same procedures as the handlers, so pictures, markers
// and the slot number follow. A change that only moves the cursor is not a step.
class EditHistory : public QObject {
  Q_OBJECT

 public:
  using Restore = std::function<void(const MelodySnapshot&)>;

  // `restore` must put a snapshot into the melody and the window.
  EditHistory(Restore restore, QObject* parent);

  // The steps, for the menu's undo and redo and for the clean state that saving marks.
  QUndoStack* stack() const { return stack_; }

  // One step from `before` to `after`, unless no slot and not the title changed.
  void push(const MelodySnapshot& before, const MelodySnapshot& after);
  // Whether a step is being undone or redone now: the changes that makes are part of that step,
  // not steps of their own.
  bool restoring() const { return restoring_; }

  // Forgets every step: the melody as it is now is where undoing ends.
  void forget();

 private:
  class Step;

  Restore restore_;
  QUndoStack* stack_;
  bool restoring_ = false;
};

// The snapshot of `melody`.
MelodySnapshot SnapshotOf(const Melody& melody);

}  // namespace merin::ui
