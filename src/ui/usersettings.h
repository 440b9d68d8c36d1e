// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QVariant>
#include <functional>

namespace merin::ui {

// The user's settings (merinkast98/merinkast98.conf in the configuration folder), shared by every
// window: the language and the recent files. A settings file that cannot be read or written is
// told once to whoever listens; nothing waits on it.
class UserSettings {
 public:
  // The value kept under `key`, or an invalid one when there is none or it cannot be read.
  static QVariant value(const QString& key);
  // Keeps `value` under `key` at once.
  static void setValue(const QString& key, const QVariant& value);
  // Where the settings file is.
  static QString fileName();
  // Calls `tell` with the words of the first failure from now on, or at once of one that came
  // before anyone listened; null stops listening.
  static void onFailure(std::function<void(const QString&)> tell);
};

}  // namespace merin::ui
