// SPDX-License-Identifier: MIT
#include "session/shown.h"

#include <stdexcept>

#include "core/coretexts.h"

namespace merin::session {

std::vector<const Text*> AllTexts() {
  std::vector<const Text*> rows;
  const auto add = [&rows](std::span<const Text> table) {
    for (const Text& row : table) {
      bool known = false;
      for (const Text* seen : rows) known = known || seen->id == row.id;
      if (!known) rows.push_back(&row);
    }
  };
  add(kCoreTexts);
  for (const formats::Format& format : formats::Formats()) add(format.texts);
  add(formats::MidiTexts());
  add(formats::InstrumentTexts());
  return rows;
}

const Text* TextOf(std::string_view id) {
  static const std::vector<const Text*> rows = AllTexts();
  for (const Text* row : rows) {
    if (row->id == id) return row;
  }
  return nullptr;
}

std::string Words(const Said& said, Language language) {
  const Text* row = TextOf(said.id);
  if (!row) throw std::invalid_argument("no word table has the row " + said.id);
  return merin::Words(*row, language, said.values);
}

const Text& InstrumentText(int program) {
  const auto rows = formats::InstrumentTexts();
  if (program < 0 || size_t(program) >= rows.size()) {
    throw std::invalid_argument("no General MIDI program " + std::to_string(program));
  }
  return rows[size_t(program)];
}

std::vector<std::string> ReportWords(const formats::Report& report, Language language) {
  return formats::Words(report, language);
}

bool Writable(std::string_view extension) { return !formats::CannotWriteAs(extension, ""); }

}  // namespace merin::session
