// SPDX-License-Identifier: MIT
#include "ui/recentfiles.h"

#include <QFileInfo>
#include <QSettings>

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
  QStringList files = list();
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > kMaximum) files.removeLast();
  Settings().setValue(kKey, files);
}

void RecentFiles::clear() { Settings().remove(kKey); }

}  // namespace merin::ui
