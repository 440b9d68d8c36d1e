// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>
#include <string>

#include "core/escape.h"
#include "core/pitch.h"
#include "formats/imported.h"

// Aborts unless every slot holds a note code, the rest code or the empty code.
inline void CheckCodes(const merin::SlotCodes& codes) {
  for (const std::string& code : codes) {
    if (code != "01" && code != "99" && !merin::Pitch::FromCode(code)) std::abort();
  }
}

// Aborts unless the notes and rests come first and the empty slots, if any, after them all.
inline void CheckEmptySlotsLast(const merin::SlotCodes& codes) {
  bool ended = false;
  for (const std::string& code : codes) {
    if (code == "99")
      ended = true;
    else if (ended)
      std::abort();
  }
}

// Aborts unless a refusal says why in both languages and, when it has a line, has a column too.
inline void CheckError(const merin::formats::Refusal& error, size_t size) {
  if (error.file != "fuzz") std::abort();
  if ((error.line == 0) != (error.column == 0)) std::abort();
  if (error.line > size + 1 || error.column > size + 1) std::abort();
  for (const auto language : {merin::Language::English, merin::Language::Japanese}) {
    const std::string reason = merin::formats::Reason(error, language);
    const std::string words = merin::formats::Words(error, language);
    if (reason.empty() || words.find(reason) == std::string::npos) std::abort();
    // Nothing the input holds reaches a terminal raw.
    if (merin::Escaped(words) != words) std::abort();
  }
}
