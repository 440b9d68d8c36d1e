// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "core/melody.h"
#include "session/outcome.h"
#include "ui/maincontrols.h"

class QLabel;
class QWidget;

namespace merin::ui {

// What a screen reader hears of the main window, in the words of the core's word table that the
// page uses: each key by its pitch, each staff cell by its slot and what it holds, each marker,
// the pedal and the buttons. What an action changed is said once, written at the right of the
// status bar in a label ("Said") whose change of name a screen reader hears (Qt 6.4 has no
// announcement of its own).
class AccessibleNames : public QObject {
  Q_OBJECT

 public:
  // Names the controls of `window` after `melody`, in the window's language, and again whenever
  // the language changes.
  AccessibleNames(QWidget* window, const MainControls& controls, const Melody& melody);

  // An action ended: the cells named after the melody, and `said` said, if anything.
  void follow(const std::optional<session::Said>& said);
  // What was said last.
  QString said() const;

  // The words of `said`, a row of the core's word table and its values, in the window's
  // language; a sharp is written ♯, which a screen reader reads as such.
  static QString words(const session::Said& said);

 private:
  void nameControls();
  void nameCells();

  const MainControls& controls_;
  const Melody& melody_;
  QLabel* said_;
};

}  // namespace merin::ui
