// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace merin::ui {

// The files opened or saved lately, newest first, kept in the user's settings
// (merinkast98/merinkast98.conf in the configuration folder).
class RecentFiles {
 public:
  // At most this many are kept.
  static constexpr int kMaximum = 8;
  // How long an addition waits for another window to finish with the list, in milliseconds.
  static constexpr int kLockWaitMs = 200;

  // The list as kept, newest first.
  static QStringList list();
  // Puts `path` (made absolute) at the top; an older entry of the same file goes. While another
  // window holds the list, the entry waits for the next addition.
  static void add(const QString& path);
  // Empties the list.
  static void clear();
};

}  // namespace merin::ui
