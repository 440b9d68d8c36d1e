// SPDX-License-Identifier: MIT
#include "core/language.h"

#include <string_view>

namespace merin {

Language LocaleLanguage(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value && *value) {
      return std::string_view(value).starts_with("ja") ? Language::Japanese : Language::English;
    }
  }
  return Language::English;
}

}  // namespace merin
