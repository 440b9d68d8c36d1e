// SPDX-License-Identifier: MIT
#include "formats/refusal.h"

namespace merin::formats {

std::string Words(const ReportLine& line, Language language) {
  std::vector<std::string> values = line.values;
  for (const Text* name : line.named) values.push_back(Words(*name, language));
  return Words(*line.change, language, values);
}

std::vector<std::string> Words(const Report& report, Language language) {
  std::vector<std::string> lines;
  for (const ReportLine& line : report) lines.push_back(Words(line, language));
  return lines;
}

}  // namespace merin::formats
