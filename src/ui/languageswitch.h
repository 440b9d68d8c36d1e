// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "core/language.h"

class QMenu;
class QWidget;

// Switching the window between Japanese and English, and keeping the choice.
namespace merin::ui {

// The language a settings value or a --lang value names ("ja", "en"), if any.
std::optional<Language> LanguageNamed(const QString& name);

// The language kept in the settings: Japanese unless the user chose English.
Language SavedLanguage();

// Puts the window into `language` at once: the English translation, or Qt's own Japanese one for
// its dialogs and buttons. Every text set through Translate follows.
void UseLanguage(Language language);

// The language the window speaks now.
Language CurrentLanguage();

// Runs `apply` now and again whenever the application's language changes, for as long as
// `window` lives. `apply` sets texts of `window` or of what it owns.
void Translate(QWidget* window, std::function<void()> apply);

// ヘルプ › 言語 / Language: 日本語 and English, the choice used at once and kept in the settings.
void AddLanguageMenu(QMenu* help);

}  // namespace merin::ui
