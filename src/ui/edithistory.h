// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>

#include "core/melodyhistory.h"

class QUndoStack;

namespace merin::ui {

// Undo and redo of the window's melody: the steps of a MelodyHistory, shown to Qt as an undo
// stack for the menu's items and the clean state that saving marks. Undo and redo put a snapshot
// back through `restore`, which goes through the same procedures as the handlers, so pictures,
// markers and the slot number follow. A change that only moves the cursor is not a step.
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
  void put(const std::optional<MelodySnapshot>& snapshot);

  Restore restore_;
  MelodyHistory history_;
  QUndoStack* stack_;
  bool restoring_ = false;
};

}  // namespace merin::ui
