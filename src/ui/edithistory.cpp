// SPDX-License-Identifier: MIT
#include "ui/edithistory.h"

#include <QScopedValueRollback>
#include <QUndoCommand>
#include <QUndoStack>

namespace merin::ui {

MelodySnapshot SnapshotOf(const Melody& melody) {
  return {CodesOf(melody), melody.Cursor, melody.Title};
}

namespace {

// A snapshot in a quarter of the memory: the codes joined by spaces. A long history holds
// thousands of them.
struct PackedSnapshot {
  std::string codes;
  int32_t cursor;
  std::string title;
};

PackedSnapshot Pack(const MelodySnapshot& snapshot) {
  PackedSnapshot packed{{}, snapshot.cursor, snapshot.title};
  for (const std::string& code : snapshot.codes) packed.codes += code + ' ';
  return packed;
}

MelodySnapshot Unpack(const PackedSnapshot& packed) {
  MelodySnapshot snapshot{{}, packed.cursor, packed.title};
  size_t from = 0;
  for (std::string& code : snapshot.codes) {
    const size_t space = packed.codes.find(' ', from);
    code = packed.codes.substr(from, space - from);
    from = space + 1;
  }
  return snapshot;
}

}  // namespace

// One change of the melody: redone the first time by the change itself, afterwards by putting
// back the melody it left.
class EditHistory::Step : public QUndoCommand {
 public:
  Step(EditHistory& history, const MelodySnapshot& before, const MelodySnapshot& after)
      : history_(history), before_(Pack(before)), after_(Pack(after)) {}

  void undo() override { put(before_); }
  void redo() override {
    if (done_) put(after_);
    done_ = true;
  }

 private:
  void put(const PackedSnapshot& snapshot) {
    const QScopedValueRollback restoring(history_.restoring_, true);
    history_.restore_(Unpack(snapshot));
  }

  EditHistory& history_;
  PackedSnapshot before_, after_;
  bool done_ = false;
};

EditHistory::EditHistory(Restore restore, QObject* parent)
    : QObject(parent), restore_(std::move(restore)), stack_(new QUndoStack(this)) {
  stack_->setObjectName("EditHistory");
}

void EditHistory::push(const MelodySnapshot& before, const MelodySnapshot& after) {
  if (after.codes == before.codes && after.title == before.title) return;
  stack_->push(new Step(*this, before, after));
}

void EditHistory::forget() { stack_->clear(); }

}  // namespace merin::ui
