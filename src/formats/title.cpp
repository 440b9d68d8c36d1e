// SPDX-License-Identifier: MIT
#include "formats/title.h"

#include <optional>

#include "core/coretexts.h"
#include "core/escape.h"
#include "formats/textscan.h"

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#elif __has_include(<iconv.h>)
#include <iconv.h>
#define MERIN_HAS_ICONV 1
#endif

#ifdef __EMSCRIPTEN__
// In WebAssembly the host's decoder reads Shift-JIS: the C library's iconv would bring the tables
// of every legacy character set into the module, more than all the rest of it. Writes the UTF-8 of
// the `size` bytes at `bytes` into the `room` bytes at `out`; how many it wrote, or -1 when they
// are no Shift-JIS text or do not fit.
EM_JS(int, merin_shift_jis_to_utf8, (const char* bytes, int size, char* out, int room), {
  let text;
  try {
    text =
        new TextDecoder('shift_jis', {fatal : true}).decode(HEAPU8.subarray(bytes, bytes + size));
  } catch (error) {
    return -1;
  }
  const length = lengthBytesUTF8(text);
  if (length >= room) return -1;
  stringToUTF8(text, out, room);
  return length;
});
#endif

namespace merin::formats {
namespace {

// `bytes` as UTF-8 when they decode as Shift-JIS, else none.
std::optional<std::string> FromShiftJis([[maybe_unused]] std::string_view bytes) {
#ifdef __EMSCRIPTEN__
  std::string out(bytes.size() * 3 + 1, '\0');  // a Shift-JIS character takes at most 3 in UTF-8
  const int written =
      merin_shift_jis_to_utf8(bytes.data(), int(bytes.size()), out.data(), int(out.size()));
  if (written < 0) return std::nullopt;
  out.resize(size_t(written));
  return out;
#elif defined(MERIN_HAS_ICONV)
  iconv_t convert = iconv_open("UTF-8", "SHIFT_JIS");
  if (convert == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in(bytes);
  std::string out(bytes.size() * 3, '\0');  // a Shift-JIS character takes at most 3 in UTF-8
  char* from = in.data();
  char* to = out.data();
  size_t left = in.size(), room = out.size();
  const bool whole = iconv(convert, &from, &left, &to, &room) != static_cast<size_t>(-1);
  iconv_close(convert);
  if (!whole || left != 0) return std::nullopt;
  out.resize(out.size() - room);
  return out;
#else
  return std::nullopt;
#endif
}

std::string FromLatin1(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

}  // namespace

std::string TitleOf(std::string_view bytes, size_t* dropped) {
  std::string utf8;
  if (!textscan::FirstInvalidUtf8(bytes)) {
    utf8 = bytes;
  } else if (auto decoded = FromShiftJis(bytes)) {
    utf8 = std::move(*decoded);
  } else {
    utf8 = FromLatin1(bytes);
  }
  std::string title;
  size_t characters = 0, controls = 0;
  for (size_t i = 0; i < utf8.size() && characters < kMaxTitleCharacters;) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const std::string_view character(utf8.data() + i, length);
    if (IsControlCharacter(utf8, i, length)) {
      // Line breaks and tabs go without a word: a name may well span lines.
      if (!textscan::IsSpace(character[0])) ++controls;
    } else if (!title.empty() || character != " ") {
      title += character;
      ++characters;
    }
    i += length;
  }
  if (dropped) *dropped = controls;
  while (!title.empty() && title.back() == ' ') title.pop_back();
  return title;
}

void TakeTitle(Imported& melody, std::string_view bytes) {
  size_t dropped = 0;
  melody.title = TitleOf(bytes, &dropped);
  SayTitleCleaned(melody, dropped);
}

void SayTitleCleaned(Imported& melody, size_t dropped) {
  if (dropped > 0) {
    melody.report.push_back(
        {&Counted(dropped, CoreText("report.title-cleaned-one"), CoreText("report.title-cleaned")),
         {std::to_string(dropped)}});
  }
}

}  // namespace merin::formats
