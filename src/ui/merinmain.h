#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

#include "core/melody.h"
#include "core/melodyedit.h"
#include "core/melodyview.h"
#include "core/sounddevice.h"
#include "output/resultview.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QUndoStack;

namespace merin::ui {

class EditHistory;
class KeyButton;
class PositionMarker;
class SoloutForm;
class StaffCell;

// The main window: staff row, markers, keyboard, buttons and status bar at their laid-out pixels.
// It owns the melody, shows it through MelodyView and hands out the one result window.
class MerinMain : public QMainWindow, public MelodyView, public ResultWindowProvider {
  Q_OBJECT

 public:
  // Builds the window from its layout; sounds go to `sound`, which must outlive the window.
  explicit MerinMain(SoundDevice& sound);
  ~MerinMain() override;

  // Runs the window's load handler: program folder, empty melody, markers, opening sound.
  void Load();
  // The melody the window holds.
  const Melody& melody() const { return melody_; }
  // Puts in a whole new melody (open, import, paste, new) as one undo step.
  void replaceMelody(const SlotCodes& codes, int32_t cursor);
  // The undo steps; saving marks their clean state.
  QUndoStack* undoStack() const;

  // The display seam, carried out on the widgets; EndProgram leaves the event loop at once.
  void ShowPicture(int32_t slot, const std::string& path) override;
  void SetMarkerColour(int32_t slot, uint32_t colour) override;
  void SetStatusText(const std::string& text) override;
  int32_t CellTop(int32_t slot) const override;
  int32_t CellHeight(int32_t slot) const override;
  void SetMarkerTop(int32_t slot, int32_t top) override;
  void SetCellBorder(int32_t slot, int32_t style) override;
  void RepaintCell(int32_t slot) override;
  void SetTestPlayEnabled(bool enabled) override;
  void EndProgram() override;

  // The result window: created on first use, the same one afterwards.
  ResultView& ObtainResultWindow() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Runs one handler; a picture that cannot be loaded is reported and the program goes on.
  void Guard(const std::function<void()>& handler);
  void BuildControls();
  void Wire();

  SoundDevice& sound_;
  Melody melody_;
  QWidget* client_;
  std::array<StaffCell*, 30> Gosen_{};
  std::array<PositionMarker*, 30> np_{};
  std::array<KeyButton*, 14> ken_{};
  std::array<KeyButton*, 10> bkey_{};
  QPushButton* PedalSW_ = nullptr;
  QPushButton* Command1_ = nullptr;
  QPushButton* Command2_ = nullptr;
  QWidget* MMControl1_ = nullptr;
  QStatusBar* StatusBar1_ = nullptr;
  QLabel* statusText_ = nullptr;
  QMenu* Filemenu_ = nullptr;
  QAction* EndMenu_ = nullptr;
  std::unique_ptr<SoloutForm> SoloutForm_;
  EditHistory* history_ = nullptr;
};

}  // namespace merin::ui
