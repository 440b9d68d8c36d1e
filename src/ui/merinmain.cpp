// SPDX-License-Identifier: MIT
#include "ui/merinmain.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <optional>

#include "art/pictures.h"
#include "core/programfiles.h"
#include "entry/mainlayout.h"
#include "ui/accessiblenames.h"
#include "ui/editcontrols.h"
#include "ui/edithistory.h"
#include "ui/handlerarguments.h"
#include "ui/keybutton.h"
#include "ui/languageswitch.h"
#include "ui/melodyfiles.h"
#include "ui/midicontrols.h"
#include "ui/positionmarker.h"
#include "ui/staffcell.h"
#include "ui/testplaysound.h"
#include "ui/typingguide.h"

namespace merin::ui {

MerinMain::MerinMain(SoundDevice& sound)
    : sound_(sound),
      testSound_(new TestPlaySound(sound, this)),
      client_(new QWidget(this)),
      view_(controls_),
      session_(view_) {
  setObjectName("MerinMain");
  setWindowTitle(caption());
  QIcon icon;
  for (int size : kWindowIconSizes) icon.addPixmap(QPixmap::fromImage(art::WindowIcon(size)));
  setWindowIcon(icon);

  buildMenus();
  files_ = new MelodyFiles({*this, session_, [this](const auto& action) { return act(action); },
                            &MerinMain::caption, &sound_},
                           fileMenu_, endMenu_);
  connect(this, &MerinMain::melodyChanged, files_, &MelodyFiles::followChange);
  connect(this, &MerinMain::melodyReplaced, files_, &MelodyFiles::keepReplaced);
  connect(this, &MerinMain::ending, files_, &MelodyFiles::ending);
  client_->setObjectName("client");
  setCentralWidget(client_);
  controls_ = BuildControls(client_);
  Translate(this, [this] { TranslateControls(controls_); });
  names_ = new AccessibleNames(this, controls_, session_.melody());
  wire();
  client_->installEventFilter(this);
  history_ = new EditHistory(
      [this](bool redo) { act(redo ? &session::Session::Redo : &session::Session::Undo); }, this);
  new EditControls(this, *history_, [this](const auto& action) { act(action); });
  new MidiControls(
      this, menuBar()->findChild<QMenu*>("Editmenu"),
      [this](const auto& action) { return perform(action); },
      [this](const QString& text) {
        files_->showNote("MidiNote", text, MelodyFiles::kWrittenShownMs);
      });
  TypingGuide::addMenuItem(menuBar()->findChild<QMenu*>("Helpmenu"), this, session_.melody(),
                           sound_);
  AddLanguageMenu(menuBar()->findChild<QMenu*>("Helpmenu"));
  menuBar()->findChild<QMenu*>("Helpmenu")->addSeparator();
  menuBar()->findChild<QMenu*>("Helpmenu")->addAction(findChild<QAction*>("AboutMenu"));
  // The controls keep their laid-out pixels: the window keeps its size and offers no maximise.
  client_->setFixedSize(kClientWidth, kClientHeight);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
}

MerinMain::~MerinMain() = default;

QString MerinMain::caption() { return tr("Merinkast98   - DoCoMo携帯 作曲支援 -"); }

void MerinMain::buildMenus() {
  fileMenu_ = menuBar()->addMenu(QStringLiteral("File(&F)"));
  fileMenu_->setObjectName("Filemenu");
  endMenu_ = fileMenu_->addAction(QString());
  endMenu_->setObjectName("EndMenu");
  Translate(this, [this] { endMenu_->setText(tr("終了")); });
}

void MerinMain::wire() {
  using session::Session;
  const MainControls& c = controls_;
  for (int16_t i = 0; i < int16_t(c.ken.size()); ++i) {
    connect(c.ken[size_t(i)], &QAbstractButton::clicked, this, [this, i] {
      act([i](Session& s) { return s.Key({PianoKey::Kind::White, i}); });
    });
  }
  for (int16_t i = 0; i < int16_t(c.bkey.size()); ++i) {
    connect(c.bkey[size_t(i)], &QAbstractButton::clicked, this, [this, i] {
      act([i](Session& s) { return s.Key({PianoKey::Kind::Black, i}); });
    });
  }
  for (int16_t i = 0; i < int16_t(c.gosen.size()); ++i) {
    connect(c.gosen[size_t(i)], &StaffCell::mouseDown, this,
            [this, i](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF at) {
              const std::optional<int16_t> Button = ButtonArgument(button);
              if (!Button) return;
              const int16_t Shift = ShiftArgument(modifiers);
              act([&](Session& s) {
                return s.StaffDown(i, *Button, Shift, float(at.x()), float(at.y()));
              });
            });
  }
  for (int16_t i = 0; i < int16_t(c.np.size()); ++i) {
    connect(c.np[size_t(i)], &PositionMarker::clicked, this,
            [this, i] { act([i](Session& s) { return s.Marker(i); }); });
  }
  connect(c.pedalSW, &QPushButton::clicked, this, [this] {
    act([](Session& s) { return s.Key({PianoKey::Kind::Rest, 0}); });
  });
  connect(c.command1, &QPushButton::clicked, this, [this] { session_.Convert(results_); });
  connect(c.command2, &QPushButton::clicked, this, [this] {
    // Test play lets the window's events go on, so that Escape can stop it; no other input
    // reaches the window meanwhile.
    testSound_->run([this](SoundDevice& sound, const std::function<bool()>& stopRequested) {
      act([&](Session& s) { return s.TestPlay(sound, stopRequested); });
    });
    // The button was disabled while it played, which moved the focus on: it comes back here.
    controls_.command2->setFocus(Qt::OtherFocusReason);
  });
  connect(endMenu_, &QAction::triggered, this, [this] {
    emit ending();
    session_.End();
  });
}

void MerinMain::load() {
  act([this](session::Session& s) { return s.Load(sound_); });
  history_->forget();
}

bool MerinMain::act(const std::function<session::Outcome(session::Session&)>& action) {
  const session::Outcome outcome = perform(action);
  return !outcome.pictureFailure && !outcome.refusal;
}

session::Outcome MerinMain::perform(
    const std::function<session::Outcome(session::Session&)>& action) {
  const session::Outcome outcome = action(session_);
  // A change made while a step is undone or redone belongs to that step.
  if (outcome.step && !history_->restoring()) history_->push();
  for (const MelodySnapshot& replaced : outcome.replaced) emit melodyReplaced(replaced);
  if (outcome.Changed()) emit melodyChanged();
  names_->follow(outcome.said);
  if (outcome.pictureFailure) reportPictureError(*outcome.pictureFailure);
  if (outcome.refusal) {
    QMessageBox::information(this, windowTitle(),
                             QString::fromStdString(Words(*outcome.refusal, CurrentLanguage())));
  }
  return outcome;
}

bool MerinMain::replaceMelody(const SlotCodes& codes, int32_t cursor,
                              const std::optional<std::string>& title) {
  return act([&](session::Session& s) {
    return s.Bring(codes, title.value_or(s.melody().Title), cursor);
  });
}

QUndoStack* MerinMain::undoStack() const { return history_->stack(); }

void MerinMain::reportPictureError(const Refusal& error) {
  QMessageBox box(QMessageBox::Critical, windowTitle(),
                  tr("画像ファイルを読み込めません:\n%1\n\n%2")
                      .arg(QString::fromStdString(error.file),
                           QString::fromStdString(Reason(error, CurrentLanguage()))),
                  QMessageBox::Ok, this);
  // Only on Windows does a message box copy its text on Ctrl+C; elsewhere the path can be
  // selected and copied like any text.
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box.exec();
}

void MerinMain::closeEvent(QCloseEvent* event) {
  emit ending();
  session_.Unload(sound_);
  event->accept();
}

bool MerinMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::Resize) {
    controls_.statusBar1->setGeometry(0, client_->height() - kStatusHeight, client_->width(),
                                      kStatusHeight);
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace merin::ui
