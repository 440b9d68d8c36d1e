// SPDX-License-Identifier: MIT
#include "ui/recentfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

namespace merin::ui {

namespace {

constexpr auto kKey = "recentFiles";

QSettings Settings() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, "merinkast98", "merinkast98");
}

}  // namespace

QStringList RecentFiles::list() {
  QStringList files = Settings().value(kKey).toStringList();
  files.removeAll(QString());
  files.removeDuplicates();
  while (files.size() > kMaximum) files.removeLast();
  return files;
}

void RecentFiles::add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  // Two windows adding at once would each write the list it read; the second would drop the
  // first's entry. The lock is a file of our own, beside the settings.
  const QString folder =
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/merinkast98";
  QDir().mkpath(folder);
  QLockFile lock(folder + "/recent-files.lock");
  lock.lock();
  QSettings settings = Settings();
  settings.sync();  // what another window wrote since this one last read
  QStringList files = settings.value(kKey).toStringList();
  files.removeAll(QString());
  files.removeAll(absolute);
  files.prepend(absolute);
  files.removeDuplicates();
  while (files.size() > kMaximum) files.removeLast();
  settings.setValue(kKey, files);
  settings.sync();
}

void RecentFiles::clear() { Settings().remove(kKey); }

}  // namespace merin::ui
