// SPDX-License-Identifier: MIT
#include "formats/anymelody.h"

#include "formats/melodyfile.h"
#include "formats/rtttl.h"
#include "formats/textscan.h"

namespace merin::formats {
namespace {

// A melody file starts with its header line, or holds no ':' outside its comment lines (no token
// has one); everything else is read as RTTTL, which cannot do without its "name:settings:notes".
bool IsMelodyFile(std::string_view bytes) {
  const std::string_view text = textscan::WithoutByteOrderMark(bytes);
  if (text.starts_with(kMelodyFileHeader)) return true;
  size_t i = 0;
  while (i < text.size()) {
    size_t end = i;
    while (end < text.size() && !textscan::IsLineEnd(text, end)) ++end;
    const std::string_view line = text.substr(i, end - i);
    size_t first = 0;
    while (first < line.size() && textscan::IsSpace(line[first])) ++first;
    const bool comment = first < line.size() && line[first] == '#';
    if (!comment && line.find(':') != std::string_view::npos) return false;
    i = end + 1;
  }
  return true;
}

}  // namespace

std::variant<Imported, ParseError> ReadAnyMelody(std::string_view bytes,
                                                 std::string_view fileName) {
  if (!IsMelodyFile(bytes)) return ReadRtttl(bytes, fileName);
  auto read = ReadMelodyFile(bytes, fileName);
  if (auto* error = std::get_if<ParseError>(&read)) return std::move(*error);
  return Imported{std::move(std::get<Codes>(read)), {}};
}

}  // namespace merin::formats
