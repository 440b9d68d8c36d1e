// SPDX-License-Identifier: MIT
#include "cli/keyswords.h"

namespace merin::keys {

namespace {

bool BeginsWithJa(const char* value) { return std::string_view(value).starts_with("ja"); }

}  // namespace

Language LanguageOf(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value && *value) return BeginsWithJa(value) ? Language::Japanese : Language::English;
  }
  return Language::English;
}

}  // namespace merin::keys
