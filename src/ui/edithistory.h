// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>

class QUndoStack;

namespace merin::ui {

// The session's undo steps shown to Qt as an undo stack, for the menu's items and the clean
// state: each step the session adds is one command, whose undo and redo ask the session to undo
// or redo through `restore` (false to undo, true to redo).
class EditHistory : public QObject {
  Q_OBJECT

 public:
  using Restore = std::function<void(bool redo)>;

  EditHistory(Restore restore, QObject* parent);

  // The steps, for the menu's undo and redo.
  QUndoStack* stack() const { return stack_; }

  // The session added a step.
  void push();
  // Whether a step is being undone or redone now.
  bool restoring() const { return restoring_; }
  // Forgets every step, as the session did.
  void forget();

 private:
  class Step;

  Restore restore_;
  QUndoStack* stack_;
  bool restoring_ = false;
};

}  // namespace merin::ui
