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

QStringList RecentFiles::List() {
  QStringList list = Settings().value(kKey).toStringList();
  list.removeAll(QString());
  list.removeDuplicates();
  while (list.size() > kMaximum) list.removeLast();
  return list;
}

void RecentFiles::Add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList list = List();
  list.removeAll(absolute);
  list.prepend(absolute);
  while (list.size() > kMaximum) list.removeLast();
  Settings().setValue(kKey, list);
}

void RecentFiles::Clear() { Settings().remove(kKey); }

}  // namespace merin::ui
