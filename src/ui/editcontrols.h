// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "entry/pianolayout.h"
#include "session/session.h"

class QAction;
class QDialog;
class QMainWindow;
class QMenu;

namespace merin::ui {

class EditHistory;
using session::Outcome;
using session::Session;

// One row of the key table: the keys and what they do.
struct KeyTableRow {
  const char* keys;
  const char* does;
};

// The keys of the main window, for the help window and the README.
extern const std::vector<KeyTableRow> kKeyTable;

// Editing in the main window: the 編集 menu (undo, redo, clear, insert, remove, transpose), the
// cursor keys, the computer keyboard as a piano and ヘルプ › キー操作. Every one is an action of
// the window's session, run through `act`, which shows what it did.
class EditControls : public QObject {
  Q_OBJECT

 public:
  // Runs an action of the window's session and shows its outcome.
  using Act = std::function<void(const std::function<session::Outcome(session::Session&)>&)>;

  // Adds the menus and keys to `window`, whose keys are the buttons named ken0..ken13,
  // bkey0..bkey9 and PedalSW.
  EditControls(QMainWindow* window, EditHistory& history, Act act);

 private:
  // `caption` is the source text of the action's translated caption.
  QAction* add(QMenu* menu, const QString& objectName, const char* caption,
               const QList<QKeySequence>& keys, std::function<void()> act);
  // ヘルプ › キー操作: a small window of its own with the key table, one for the window.
  void showKeyTable();
  // ヘルプ › Merinkast98 について: the version, the licence and where melodies are kept.
  void showAbout();

  QMainWindow* window_;
  Act act_;
  QDialog* keyTable_ = nullptr;
};

}  // namespace merin::ui
