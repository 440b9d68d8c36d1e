// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>
#include <string>

#include "core/escape.h"
#include "core/pitch.h"
#include "formats/melody.h"

// Aborts unless every slot holds a note code, the rest code or the empty code.
inline void CheckCodes(const merin::formats::Codes& codes) {
  for (const std::string& code : codes) {
    if (code != "01" && code != "99" && !merin::Pitch::FromCode(code)) std::abort();
  }
}

// Aborts unless a refusal says why and, when it has a line, has a column too.
inline void CheckError(const merin::formats::ParseError& error, size_t size) {
  if (error.reason.empty() || error.file != "fuzz") std::abort();
  if ((error.line == 0) != (error.column == 0)) std::abort();
  if (error.line > size + 1 || error.column > size + 1) std::abort();
  if (error.Message().find(error.reason) == std::string::npos) std::abort();
  // Nothing the input holds reaches a terminal raw.
  if (merin::Escaped(error.Message()) != error.Message()) std::abort();
}
