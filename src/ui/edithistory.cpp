// SPDX-License-Identifier: MIT
#include "ui/edithistory.h"

#include <QScopedValueRollback>
#include <QUndoCommand>
#include <QUndoStack>

namespace merin::ui {

// One step of the session, as the undo stack holds it: done the first time by the change itself.
class EditHistory::Step : public QUndoCommand {
 public:
  explicit Step(EditHistory& history) : history_(history) {}

  void undo() override { put(false); }
  void redo() override {
    if (done_) put(true);
    done_ = true;
  }

 private:
  void put(bool redo) {
    const QScopedValueRollback restoring(history_.restoring_, true);
    history_.restore_(redo);
  }

  EditHistory& history_;
  bool done_ = false;
};

EditHistory::EditHistory(Restore restore, QObject* parent)
    : QObject(parent), restore_(std::move(restore)), stack_(new QUndoStack(this)) {
  stack_->setObjectName("EditHistory");
}

void EditHistory::push() { stack_->push(new Step(*this)); }

void EditHistory::forget() { stack_->clear(); }

}  // namespace merin::ui
