// SPDX-License-Identifier: MIT
#include "formats/melodyfile.h"

#include "core/melodyedit.h"
#include "core/notecode.h"
#include "core/pitch.h"
#include "formats/textscan.h"

namespace merin::formats {

using textscan::ErrorAt;
using textscan::IsSpace;

std::variant<Codes, ParseError> ReadMelodyFile(std::string_view bytes, std::string_view fileName) {
  const std::string_view text = textscan::WithoutByteOrderMark(bytes);
  if (auto refused = textscan::RefuseSizeOrBinary(bytes, text, fileName)) return *refused;
  if (auto bad = textscan::FirstInvalidUtf8(text)) {
    return ErrorAt(text, *bad, fileName, "", "not UTF-8 text (an invalid byte sequence)");
  }
  Codes codes = EmptyCodes();
  size_t count = 0;
  size_t i = 0;
  bool lineStart = true;  // nothing but white space since the last line end
  while (i < text.size()) {
    const char c = text[i];
    if (textscan::IsLineEnd(text, i)) {
      lineStart = true;
      ++i;
      continue;
    }
    if (IsSpace(c)) {
      ++i;
      continue;
    }
    if (c == '#' && lineStart) {
      while (i < text.size() && !textscan::IsLineEnd(text, i)) ++i;
      continue;
    }
    lineStart = false;
    const size_t start = i;
    while (i < text.size() && !IsSpace(text[i])) ++i;
    const std::string_view token = text.substr(start, i - start);
    if (count == codes.size()) {
      return ErrorAt(text, start, fileName, std::string(token),
                     "more than " + std::to_string(codes.size()) + " tokens");
    }
    std::string why;
    auto code = CodeOfToken(token, &why);
    if (!code) {
      return ErrorAt(text, start, fileName, std::string(token),
                     why.empty() ? "not a note, rest or empty slot" : why);
    }
    codes[count++] = std::move(*code);
  }
  return codes;
}

std::string WriteMelodyFile(const Codes& codes) {
  constexpr size_t kPerLine = 10;
  constexpr size_t kWidth = 3;  // the longest token, "C#4"
  std::string file(kMelodyFileHeader);
  file += '\n';
  for (size_t slot = 0; slot < codes.size(); ++slot) {
    const std::string token = TokenOfCode(codes[slot]);
    file += token;
    if (slot % kPerLine == kPerLine - 1 || slot + 1 == codes.size()) {
      file += '\n';
    } else {
      file.append(kWidth + 1 - token.size(), ' ');
    }
  }
  return file;
}

}  // namespace merin::formats
