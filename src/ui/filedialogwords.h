// SPDX-License-Identifier: MIT
#pragma once

class QFileDialog;

namespace merin::ui {

// Makes Qt's own file dialog `dialog` speak the window's language in its columns too: Qt writes
// sizes and dates in the language of the desktop and folders as "Folder" whatever the window
// speaks.
void SpeakTheWindowsLanguage(QFileDialog& dialog);

}  // namespace merin::ui
