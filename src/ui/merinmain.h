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
#include "ui/maincontrols.h"
#include "ui/mainview.h"
#include "ui/resultwindowholder.h"

class QAction;
class QMenu;
class QUndoStack;

namespace merin::ui {

class TestPlaySound;

class EditHistory;
class MelodyFiles;

// The main window: staff row, markers, keyboard, buttons and status bar at their laid-out pixels,
// and the File menu. It owns the melody, shows it through its MainView, and runs every handler
// so that a picture that cannot be loaded is reported and the program goes on.
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
  const Melody& melody() const { return melody_; }
  // The sound device the window plays through.
  SoundDevice& sound() const { return sound_; }
  // The display seam over this window's controls.
  MelodyView& view() { return view_; }

  // Runs `handler` on the melody and the view. A picture that cannot be loaded stops it there:
  // the error is shown, the status bar shows the cursor's slot again if the handler moved it,
  // and false is returned.
  bool runHandler(const std::function<void(Melody&, MelodyView&)>& handler);
  // Replaces all 30 slots and the cursor through the handlers' procedures (ApplyMelody), under
  // runHandler. Codes or a cursor out of range throw std::invalid_argument and change nothing.
  // It is one undo step, as every handler that changes a slot is. A `title` given replaces the
  // melody's title in the same step.
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
  // A handler or replaceMelody changed the melody's slots or title.
  void melodyChanged();
  // The program is about to end by the close box (before the closing sound) or by 終了.
  void ending();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMenus();
  // Connects the controls' and menus' signals to the handlers, converting Qt's arguments.
  void wire();
  void reportPictureError(const PictureLoadError& error);

  SoundDevice& sound_;
  TestPlaySound* testSound_;
  Melody melody_;
  QWidget* client_;
  MainControls controls_;
  MainView view_;
  ResultWindowHolder results_;
  QMenu* fileMenu_ = nullptr;
  QAction* endMenu_ = nullptr;
  EditHistory* history_ = nullptr;
  MelodyFiles* files_ = nullptr;
};

}  // namespace merin::ui
