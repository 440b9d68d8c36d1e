// SPDX-License-Identifier: MIT
#pragma once

namespace merin {

// The language a message is put into words in. The window speaks Japanese unless the user
// chooses English; the converter speaks English unless the locale asks for Japanese.
enum class Language { Japanese, English };

// The language of a terminal: Japanese when the first non-empty of LC_ALL, LC_MESSAGES and LANG
// (null when unset) begins with "ja", else English. Only the text counts, not whether such a
// locale is installed.
Language LocaleLanguage(const char* lcAll, const char* lcMessages, const char* lang);

}  // namespace merin
