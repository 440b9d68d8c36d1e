// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/language.h"
#include "core/text.h"

namespace merin {

// Why something could not be done, kept as data until it is put into words in either language:
// why (the row of a word table that says it, with the values it names), what (a file or a text's
// name) and where in it, and the offending token. Every library outside the window refuses with
// it, and Words alone puts it into words.
struct Refusal {
  Refusal(const Text& fault_, std::string file_ = {}, std::vector<std::string> values_ = {})
      : fault(&fault_), file(std::move(file_)), values(std::move(values_)) {}

  const Text* fault;  // why: its words name the values as {0} …, then the choices
  std::string file;   // what: a file, or the name of a text
  // Where in a text: a 1-based line and column; 0 when the fault is the file as a whole.
  size_t line = 0;
  size_t column = 0;
  std::optional<size_t> offset;      // where in a binary file, in place of line and column
  size_t tokenNumber = 0;            // where among tokens typed (1-based), in place of all above
  std::string token;                 // the offending token
  std::vector<std::string> values;   // the values its words name, shown escaped
  std::vector<std::string> choices;  // what could have been given, listed as the language lists
  std::string detail;                // a library's own words, said after the reason in parentheses
  // What failed, for a file that could not be written, read as a whole, made or played: words that
  // take the file ({0}) and the reason ({1}). None for what a reader refuses at a place in it.
  const Text* doing = nullptr;
};

// The reason alone, in `language`.
std::string Reason(const Refusal& refusal, Language language);

// One line for the user: "FILE:LINE:COLUMN: \"TOKEN\": REASON" (or the byte offset in place of
// the line and column), parts left out when unknown, the token escaped and cut; "token N
// \"TOKEN\": REASON" for a token typed; or the words of what failed around the file and the
// reason.
std::string Words(const Refusal& refusal, Language language);

// The refusal of `file` for the system's error `error`, an errno value; one without words of its
// own shows its number.
Refusal SystemRefusal(int error, std::string file = {});

}  // namespace merin
