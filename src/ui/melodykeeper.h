// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/melodyhistory.h"
#include "formats/imported.h"

namespace merin::ui {

// Keeps the window's melody and title in a file of its own in the kept-melody store, so that
// nothing is lost however the program ends: within a second of every change, and at once when
// asked. A melody that is replaced stays kept as it was, and the next one gets a file of its own.
// An all-empty melody is never kept, nor one the store holds already. A file the window lets go
// of (a melody replaced, the window ended as it should) is marked closed; one that is not, whose
// window no longer runs, is work that an ended run left.
class MelodyKeeper : public QObject {
  Q_OBJECT

 public:
  // How long after a change the melody is written at the latest, in milliseconds. Later changes
  // do not push the write back.
  static constexpr int kDelayMs = 750;
  // The store keeps the newest this many, and any whose window still runs.
  static constexpr int kKeptMost = 100;

  // The melody's own file as the window had it: its path, and a digest of its bytes when the
  // window last read or wrote it, which tells whether it changed on disk since.
  struct OwnFile {
    QString path;
    QByteArray digest;
  };

  // A kept melody: its file in the store, when it was last written, its slots and title, its own
  // file if it had one, and whether its window let go of it.
  struct Kept {
    QString path;
    QDateTime written;
    SlotCodes codes;
    std::string title;
    bool closed = false;
    OwnFile file;
  };

  // `melody` gives the melody to keep whenever it is written; `file`, when given, the melody's
  // own file, kept with it.
  explicit MelodyKeeper(std::function<MelodySnapshot()> melody, QObject* parent = nullptr,
                        std::function<OwnFile()> file = {});

  // $XDG_DATA_HOME/merinkast98/kept (~/.local/share/merinkast98/kept by default); its files are
  // named YYYYMMDD-HHMMSS-PID-N.mk98 after the time the melody was first kept.
  static QString folder();
  // The newest `most` kept melodies, newest first; files that cannot be read are left out.
  static std::vector<Kept> newest(int most);
  // The newest kept melody that a run which has ended left without closing it; none when there
  // is none.
  static std::optional<Kept> leftByEndedRun();
  // Marks the kept file at `path` closed, so that it is offered no more.
  static void markClosed(const QString& path);

  // The melody changed: it is written within kDelayMs.
  void changed();
  // Writes a pending change now.
  void flush();
  // The window ends as it should: a pending change is written and the file marked closed.
  void close();
  // Whether a change waits to be written.
  bool pending() const { return timer_.isActive(); }
  // The melody was replaced, and `melody`, what it was, is to be kept: it is written now and its
  // file left as it is; the next melody gets a new file.
  void replaced(const MelodySnapshot& melody);

 signals:
  // Keeping failed; said once until a write succeeds again.
  void failed(const QString& message);

 private:
  // Writes `melody`, else the window's, marked closed when `closed`.
  void write(bool closed, const std::optional<MelodySnapshot>& melody = std::nullopt);

  std::function<MelodySnapshot()> melody_;
  std::function<OwnFile()> file_;
  QTimer timer_;
  QString kept_;         // this melody's file in the store, once it is written
  std::string written_;  // what it holds
  bool failing_ = false;
};

}  // namespace merin::ui
