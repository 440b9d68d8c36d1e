// SPDX-License-Identifier: MIT
#include "formats/melodyfile.h"

#include "core/coretexts.h"
#include "core/melodyedit.h"
#include "core/notecode.h"
#include "core/pitch.h"
#include "formats/textscan.h"
#include "formats/title.h"

namespace merin::formats {

using textscan::ErrorAt;
using textscan::IsSpace;

namespace {

bool IsMelodyFile(std::string_view bytes) {
  const std::string_view text = textscan::WithoutByteOrderMark(bytes);
  if (text.starts_with(kMelodyFileHeader)) return true;
  size_t i = 0;
  while (i < text.size()) {
    const size_t end = textscan::LineEndFrom(text, i);
    const std::string_view line = text.substr(i, end - i);
    size_t first = 0;
    while (first < line.size() && IsSpace(line[first])) ++first;
    const bool comment = first < line.size() && line[first] == '#';
    if (!comment && line.find(':') != std::string_view::npos) return false;
    i = end + 1;
  }
  return true;
}

// The title of a melody file as it stands: its second line, when that is "# title: NAME".
std::string_view TitleBytesOf(std::string_view bytes) {
  std::string_view text = textscan::WithoutByteOrderMark(bytes);
  const size_t lineEnd = textscan::LineEndFrom(text, 0);
  if (lineEnd == text.size()) return {};
  text.remove_prefix(lineEnd + 1);
  if (!text.starts_with(kTitlePrefix)) return {};
  text.remove_prefix(kTitlePrefix.size());
  return text.substr(0, textscan::LineEndFrom(text, 0));
}

std::variant<Imported, Refusal> Read(std::string_view bytes, std::string_view file,
                                     const ReadOptions& /*options*/) {
  auto read = ReadMelodyFile(bytes, file);
  if (auto* refusal = std::get_if<Refusal>(&read)) return std::move(*refusal);
  Imported imported{std::move(std::get<SlotCodes>(read)), {}, false, {}};
  TakeTitle(imported, TitleBytesOf(bytes));
  return imported;
}

}  // namespace

std::variant<SlotCodes, Refusal> ReadMelodyFile(std::string_view bytes, std::string_view fileName) {
  const std::string_view text = textscan::WithoutByteOrderMark(bytes);
  if (auto refused = textscan::RefuseSizeOrBinary(bytes, text, fileName)) return *refused;
  if (auto bad = textscan::FirstInvalidUtf8(text)) {
    return ErrorAt(text, *bad, fileName, "", CoreText("file.not-utf8"));
  }
  SlotCodes codes = EmptyCodes();
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
      Refusal refusal =
          ErrorAt(text, start, fileName, std::string(token), CoreText("melody.too-many-tokens"));
      refusal.values = {std::to_string(kSlotCount)};
      return refusal;
    }
    auto code = CodeOfToken(token);
    if (!code) return ErrorAt(text, start, fileName, std::string(token), TokenFault(token));
    codes[count++] = std::move(*code);
  }
  return codes;
}

std::string WriteMelodyFile(const SlotCodes& codes, std::string_view title) {
  constexpr size_t kPerLine = 10;
  constexpr size_t kWidth = 3;  // the longest token, "C#4"
  std::string file(kMelodyFileHeader);
  file += '\n';
  if (const std::string cleaned = TitleOf(title); !cleaned.empty()) {
    file += kTitlePrefix;
    file += cleaned;
    file += '\n';
  }
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

Format MelodyFileFormat() {
  return Format{.name = "Merinkast98",
                .extensions = {"mk98"},
                .mime = "application/x-merinkast98-melody",
                .magic = kMelodyFileHeader,
                .dialogName = {"melodyfile.name", "Merinkast98 メロディ", "Merinkast98 melody"},
                .ownFile = true,
                .recognise = IsMelodyFile,
                .read = Read,
                .write = WriteMelodyFile};
}

}  // namespace merin::formats
