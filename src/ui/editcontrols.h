// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "core/melody.h"
#include "core/melodyedit.h"
#include "core/melodyview.h"
#include "entry/pianolayout.h"

class QAction;
class QDialog;
class QMainWindow;
class QMenu;

namespace merin::ui {

class EditHistory;

// One row of the key table: the keys and what they do.
struct KeyTableRow {
  const char* keys;
  const char* does;
};

// The keys of the main window, for the help window and the README.
extern const std::vector<KeyTableRow> kKeyTable;

// Editing in the main window: the 編集 menu (undo, redo, clear, insert, remove, transpose), the
// cursor keys, the computer keyboard as a piano and ヘルプ › キー操作. Every change goes through
// the window's `run`, which runs it on the melody and the window's view and makes it one step.
class EditControls : public QObject {
  Q_OBJECT

 public:
  // Runs a change of the melody the way the window runs a handler.
  using Run = std::function<void(const std::function<void(Melody&, MelodyView&)>&)>;

  // Adds the menus and keys to `window`, whose melody is `melody` and whose keys are the
  // buttons named ken0..ken13, bkey0..bkey9 and PedalSW.
  EditControls(QMainWindow* window, const Melody& melody, EditHistory& history, Run run);

 private:
  // `caption` is the source text of the action's translated caption.
  QAction* add(QMenu* menu, const QString& objectName, const char* caption,
               const QList<QKeySequence>& keys, std::function<void()> act);
  // Replaces the melody by `change` of its codes unless it is refused, which a message says.
  void edit(const std::function<MelodyEdit(const SlotCodes&, int32_t cursor)>& change);
  // Makes the slot `target` gives current, as a click on its marker does.
  void select(const std::function<int32_t(const SlotCodes&, int32_t cursor)>& target);
  // A piano key of the computer keyboard: the handler of its on-screen key.
  void play(PianoKey key);
  // ヘルプ › キー操作: a small window of its own with the key table, one for the window.
  void showKeyTable();
  // ヘルプ › Merinkast98 について: the version, the licence and where melodies are kept.
  void showAbout();

  QMainWindow* window_;
  const Melody& melody_;
  Run run_;
  QDialog* keyTable_ = nullptr;
};

}  // namespace merin::ui
