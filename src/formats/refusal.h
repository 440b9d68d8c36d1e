// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "core/refusal.h"

namespace merin::formats {

// Every reader and writer refuses with the one refusal of core, put into words there.
using merin::Reason;
using merin::Refusal;
using merin::Words;

// One thing a reader changed on the way in, or which part or tune it took: the row of a word
// table that says it and the values it names; values that are words of a table themselves (an
// instrument's name) follow, put in the line's language.
struct ReportLine {
  const Text* change;
  std::vector<std::string> values;
  std::vector<const Text*> named = {};
};
using Report = std::vector<ReportLine>;

// One report line in `language`.
std::string Words(const ReportLine& line, Language language);

// Every line of `report` in `language`.
std::vector<std::string> Words(const Report& report, Language language);

}  // namespace merin::formats
