// SPDX-License-Identifier: MIT
#include "ui/terminationwatcher.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <array>
#include <cerrno>

namespace merin::ui {

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};
int writeEnd = -1;
std::array<struct sigaction, kSignals.size()> former{};

void OnSignal(int signal) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(signal);
  // A full pipe already holds a request; the byte may then be dropped.
  [[maybe_unused]] const ssize_t written = write(writeEnd, &byte, 1);
  errno = saved;
}

}  // namespace

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {
  if (writeEnd != -1 || pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  writeEnd = pipe_[1];
  notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationWatcher::drain);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &action, &former[i]);
}

TerminationWatcher::~TerminationWatcher() {
  if (!notifier_) return;
  for (size_t i = 0; i < kSignals.size(); ++i) sigaction(kSignals[i], &former[i], nullptr);
  writeEnd = -1;
  delete notifier_;
  close(pipe_[0]);
  close(pipe_[1]);
}

void TerminationWatcher::drain() {
  unsigned char bytes[16];
  ssize_t n;
  while ((n = read(pipe_[0], bytes, sizeof bytes)) > 0) {
    for (ssize_t i = 0; i < n; ++i) emit terminationRequested(bytes[i]);
  }
}

}  // namespace merin::ui
