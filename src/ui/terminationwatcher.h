// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

namespace merin::ui {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal in the event loop, so the program can keep
// its melody and end normally. The signal handler only writes one byte into a pipe (the one thing
// a signal handler may safely do); the event loop reads it. One watcher at a time.
class TerminationWatcher : public QObject {
  Q_OBJECT

 public:
  // Installs the handlers; the signals keep their former handlers when the pipe cannot be made.
  explicit TerminationWatcher(QObject* parent = nullptr);
  // Puts the former handlers back.
  ~TerminationWatcher() override;

  // Whether the handlers are installed.
  bool watching() const { return notifier_ != nullptr; }

 signals:
  // One of the signals arrived; emitted in the event loop, once per arrival.
  void terminationRequested(int signal);

 private:
  void drain();

  int pipe_[2] = {-1, -1};
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace merin::ui
