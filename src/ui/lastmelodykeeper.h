// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "formats/melody.h"

namespace merin::ui {

// Keeps the melody in last.mk98 in the user's data folder, so that nothing is lost however the
// program ends: within a second of every change, and at once when asked. An all-empty melody
// never overwrites the kept one.
class LastMelodyKeeper : public QObject {
  Q_OBJECT

 public:
  // How long after a change the melody is written at the latest, in milliseconds. Later changes
  // do not push the write back.
  static constexpr int kDelayMs = 750;

  // `melody` gives the melody to keep whenever it is written.
  explicit LastMelodyKeeper(std::function<formats::Codes()> melody, QObject* parent = nullptr);

  // $XDG_DATA_HOME/merinkast98/last.mk98 (~/.local/share/merinkast98/last.mk98 by default).
  static QString path();

  // The melody changed: it is written within kDelayMs.
  void changed();
  // Writes a pending change now.
  void flush();
  // Whether a change waits to be written.
  bool pending() const { return timer_.isActive(); }

 private:
  void write();

  std::function<formats::Codes()> melody_;
  QTimer timer_;
  formats::Codes written_;
  QString lastError_;
};

}  // namespace merin::ui
