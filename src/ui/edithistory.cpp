// SPDX-License-Identifier: MIT
#include "ui/edithistory.h"

#include <QScopedValueRollback>
#include <QUndoCommand>
#include <QUndoStack>

namespace merin::ui {

// One change of the melody, as the undo stack holds it: redone the first time by the change
// itself, afterwards by the history's next step.
class EditHistory::Step : public QUndoCommand {
 public:
  explicit Step(EditHistory& history) : history_(history) {}

  void undo() override { history_.put(history_.history_.Undo()); }
  void redo() override {
    if (done_) history_.put(history_.history_.Redo());
    done_ = true;
  }

 private:
  EditHistory& history_;
  bool done_ = false;
};

EditHistory::EditHistory(Restore restore, QObject* parent)
    : QObject(parent), restore_(std::move(restore)), stack_(new QUndoStack(this)) {
  stack_->setObjectName("EditHistory");
}

void EditHistory::push(const MelodySnapshot& before, const MelodySnapshot& after) {
  if (history_.Push(before, after)) stack_->push(new Step(*this));
}

void EditHistory::put(const std::optional<MelodySnapshot>& snapshot) {
  if (!snapshot) return;
  const QScopedValueRollback restoring(restoring_, true);
  restore_(*snapshot);
}

void EditHistory::forget() {
  stack_->clear();
  history_.Forget();
}

}  // namespace merin::ui
