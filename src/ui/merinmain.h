// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/melody.h"
#include "core/melodyedit.h"
#include "core/melodyview.h"
#include "core/notecode.h"
#include "core/sounddevice.h"
#include "session/session.h"
#include "ui/maincontrols.h"
#include "ui/mainview.h"
#include "ui/resultwindowholder.h"

class QAction;
class QMenu;
class QUndoStack;

namespace merin::ui {

class AccessibleNames;
class TestPlaySound;

class EditHistory;
class MelodyFiles;

// The main window: staff row, markers, keyboard, buttons and status bar at their laid-out pixels,
// and the File menu. It is the face of a session, which owns the melody and runs every action on
// the window's MainView; the window shows what each action did, so that a picture that cannot be
// loaded is reported and the program goes on.
class MerinMain : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the window from its layout; sounds go to `sound`, which must outlive the window.
  explicit MerinMain(SoundDevice& sound);
  ~MerinMain() override;

  // The window's caption when it shows no file.
  static QString caption();

  // Runs the window's load handler: program folder, empty melody, markers, opening sound.
  void load();

  // The melody the window holds.
  const Melody& melody() const { return session_.melody(); }
  // The window's session.
  session::Session& session() { return session_; }
  // The sound device the window plays through.
  SoundDevice& sound() const { return sound_; }
  // The display seam over this window's controls.
  MelodyView& view() { return view_; }
  // What a screen reader hears of the window.
  const AccessibleNames& accessibleNames() const { return *names_; }

  // Runs `action` on the session and shows what it did: a step of undo joins the undo stack, a
  // refused edit and a picture that cannot be loaded are said in a message. False when the
  // action was refused or stopped.
  bool act(const std::function<session::Outcome(session::Session&)>& action);
  // As act, giving the outcome.
  session::Outcome perform(const std::function<session::Outcome(session::Session&)>& action);
  // Replaces all 30 slots and the cursor through the handlers' procedures (ApplyMelody), as one
  // undo step. Codes or a cursor out of range throw std::invalid_argument and change nothing. A
  // `title` given replaces the melody's title in the same step. The melody replaced is kept
  // when it is neither empty nor saved.
  bool replaceMelody(const SlotCodes& codes, int32_t cursor,
                     const std::optional<std::string>& title = std::nullopt);
  // The undo steps; saving marks their clean state.
  QUndoStack* undoStack() const;

  // The File menu; new items go above endMenuAction().
  QMenu* fileMenu() const { return fileMenu_; }
  // 終了, the last item of the File menu.
  QAction* endMenuAction() const { return endMenu_; }
  // The melody files of the File menu, the RTTTL items of the Edit menu, and drops.
  MelodyFiles& files() const { return *files_; }

 signals:
  // An action changed the melody's slots or title.
  void melodyChanged();
  // An action replaced `melody`, which was neither empty nor saved: it is to be kept.
  void melodyReplaced(const MelodySnapshot& melody);
  // The program is about to end by the close box (before the closing sound) or by 終了.
  void ending();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenus();
  // Connects the controls' and menus' signals to the handlers, converting Qt's arguments.
  void wire();
  void reportPictureError(const Refusal& error);

  SoundDevice& sound_;
  TestPlaySound* testSound_;
  QWidget* client_;
  MainControls controls_;
  MainView view_;
  session::Session session_;
  ResultWindowHolder results_;
  QMenu* fileMenu_ = nullptr;
  QAction* endMenu_ = nullptr;
  EditHistory* history_ = nullptr;
  MelodyFiles* files_ = nullptr;
  AccessibleNames* names_ = nullptr;
};

}  // namespace merin::ui
