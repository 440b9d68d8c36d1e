// SPDX-License-Identifier: MIT
#include "ui/usersettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace merin::ui {

namespace {

QSettings Open() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, "merinkast98", "merinkast98");
}

std::function<void(const QString&)> listener;
QString unheard;    // a failure that came before anyone listened
bool told = false;  // once a listener

// Tells what `settings` met, if anything, the first time in the run.
void Check(const QSettings& settings) {
  if (settings.status() == QSettings::NoError || told) return;
  const QString file = QDir::toNativeSeparators(settings.fileName());
  const QString words =
      settings.status() == QSettings::FormatError
          ? QCoreApplication::translate("UserSettings", "%1 は設定ファイルとして読めません")
                .arg(file)
          : QCoreApplication::translate("UserSettings", "%1 を読み書きできません").arg(file);
  told = true;
  if (listener) {
    listener(words);
  } else {
    unheard = words;
  }
}

}  // namespace

QVariant UserSettings::value(const QString& key) {
  QSettings settings = Open();
  QVariant value = settings.value(key);
  Check(settings);
  return value;
}

void UserSettings::setValue(const QString& key, const QVariant& value) {
  QSettings settings = Open();
  settings.setValue(key, value);
  settings.sync();
  Check(settings);
}

QString UserSettings::fileName() { return Open().fileName(); }

void UserSettings::onFailure(std::function<void(const QString&)> tell) {
  listener = std::move(tell);
  if (!listener) return;
  // A new listener is told once too: of what came before it, or else of the next failure.
  told = !unheard.isEmpty();
  if (told) listener(std::exchange(unheard, QString()));
}

}  // namespace merin::ui
