// SPDX-License-Identifier: MIT
#include "ui/recentfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include "ui/usersettings.h"

namespace merin::ui {

namespace {

const QString kKey = QStringLiteral("recentFiles");

// Files added while another window held the list, newest first, to be written with the next.
QStringList& Waiting() {
  static QStringList waiting;
  return waiting;
}

// `files` newest first, without blanks or doubles, at most kMaximum.
QStringList Tidied(QStringList files) {
  files.removeAll(QString());
  files.removeDuplicates();
  while (files.size() > RecentFiles::kMaximum) files.removeLast();
  return files;
}

}  // namespace

QStringList RecentFiles::list() {
  return Tidied(Waiting() + UserSettings::value(kKey).toStringList());
}

void RecentFiles::add(const QString& path) {
  Waiting().removeAll(QFileInfo(path).absoluteFilePath());
  Waiting().prepend(QFileInfo(path).absoluteFilePath());
  // Two windows adding at once would each write the list it read; the second would drop the
  // first's entry. The lock is a file of our own, beside the settings; a window waits for it a
  // moment at most, and otherwise writes what waits with its next change.
  const QString folder =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/merinkast98";
  QDir().mkpath(folder);
  QLockFile lock(folder + "/recent-files.lock");
  if (!lock.tryLock(kLockWaitMs)) return;
  UserSettings::setValue(kKey, Tidied(Waiting() + UserSettings::value(kKey).toStringList()));
  Waiting().clear();
}

void RecentFiles::clear() {
  Waiting().clear();
  UserSettings::setValue(kKey, QStringList());
}

}  // namespace merin::ui
