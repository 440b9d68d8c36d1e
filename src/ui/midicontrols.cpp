// SPDX-License-Identifier: MIT
#include "ui/midicontrols.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenu>
#include <algorithm>

#include "session/shown.h"
#include "ui/languageswitch.h"
#include "ui/pianokeys.h"
#include "ui/usersettings.h"

namespace merin::ui {
namespace {

const QString kLeftOutKey = QStringLiteral("midi/leftOut");

QString Word(std::string_view id) {
  const Text* row = session::TextOf(id);
  return row ? QString::fromStdString(Words(*row, CurrentLanguage(), {})) : QString();
}

// Milliseconds of one steady clock, the same for every port.
qint64 Now() {
  static QElapsedTimer clock = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return clock.elapsed();
}

}  // namespace

MidiControls::MidiControls(QMainWindow* window, QMenu* menu, Act act, Note note)
    : QObject(window), window_(window), act_(std::move(act)), note_(std::move(note)) {
  // After the edits of the melody, before the clipboard's items.
  menu_ = new QMenu(menu);
  const QList<QAction*> items = menu->actions();
  const auto transpose = std::find_if(items.begin(), items.end(), [](QAction* a) {
    return a->menu() && a->menu()->objectName() == "TransposeMenu";
  });
  if (transpose != items.end() && transpose + 1 != items.end()) {
    menu->insertMenu(*(transpose + 1), menu_);
  } else {
    menu->addMenu(menu_);
  }
  menu_->setObjectName("MidiMenu");
  menu_->menuAction()->setObjectName("MidiMenuItem");
  Translate(window, [this] { menu_->setTitle(tr("MIDI 入力(&M)")); });
  connect(menu_, &QMenu::aboutToShow, this, &MidiControls::fillMenu);
  for (const QString& port : UserSettings::value(kLeftOutKey).toStringList()) {
    leftOut_.insert(port.toStdString());
  }
  keyboards_ = std::make_unique<midi::MidiKeyboards>(
      [this](const std::vector<uint8_t>& bytes, const std::string&) {
        // On the MIDI system's thread: the time now, the rest on the window's thread.
        const qint64 ms = Now();
        QMetaObject::invokeMethod(
            this, [this, bytes, ms] { take(bytes, ms); }, Qt::QueuedConnection);
      });
  if (auto why = keyboards_->Start()) {
    unavailable_ = QString::fromStdString(Words(*why, CurrentLanguage()));
    keyboards_.reset();
    return;
  }
  connect(&timer_, &QTimer::timeout, this, &MidiControls::scan);
  timer_.start(kScanMs);
  scan();
}

MidiControls::~MidiControls() {
  // The MIDI threads end before the window they call goes.
  keyboards_.reset();
}

void MidiControls::scan() {
  if (keyboards_) keyboards_->Scan(leftOut_);
}

void MidiControls::fillMenu() {
  menu_->clear();
  if (!keyboards_) {
    menu_->addAction(Word("midi-in.unavailable").replace("{0}", unavailable_))->setEnabled(false);
    return;
  }
  const std::vector<std::string> ports = keyboards_->Ports();
  if (ports.empty()) menu_->addAction(Word("midi-in.no-ports"))->setEnabled(false);
  for (const std::string& port : ports) {
    QAction* item = menu_->addAction(QString::fromStdString(port));
    item->setCheckable(true);
    item->setChecked(!leftOut_.contains(port));
    connect(item, &QAction::toggled, this, [this, port](bool on) {
      if (on) {
        leftOut_.erase(port);
      } else {
        leftOut_.insert(port);
      }
      QStringList kept;
      for (const std::string& name : leftOut_) kept << QString::fromStdString(name);
      UserSettings::setValue(kLeftOutKey, kept);
      scan();
    });
  }
}

void MidiControls::take(const std::vector<uint8_t>& bytes, qint64 ms) {
  show(act_([&](session::Session& s) { return s.Midi(bytes, ms); }));
}

void MidiControls::show(const session::Outcome& outcome) {
  for (PianoKey key : outcome.pressed) {
    if (auto* button = ButtonOfKey(window_, key)) button->setDown(true);
  }
  for (PianoKey key : outcome.released) {
    if (auto* button = ButtonOfKey(window_, key)) button->setDown(false);
  }
  if (outcome.shiftedIntoRange) note_(Word("midi-in.shifted"));
}

}  // namespace merin::ui
