// SPDX-License-Identifier: MIT
#include "formats/imelody.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/coretexts.h"
#include "core/pitch.h"
#include "formats/fit.h"
#include "formats/slots.h"
#include "formats/textscan.h"
#include "formats/title.h"

namespace merin::formats {
namespace {

using textscan::IsSpace;

// The iMelody unit's words: what its reader refuses.
constexpr Text kImelodyTexts[] = {
    {"imelody.no-begin", "iMelody ではありません: BEGIN:IMELODY で始まっていません",
     "not iMelody: it does not start with BEGIN:IMELODY"},
    {"imelody.header-line", "「キー:値」の形の行が必要です",
     "a line of the form KEY:value expected"},
    {"imelody.version", "iMelody のバージョン {0} は読み込めません（1.0 と 1.2 を読みます）",
     "iMelody version {0} is not read (1.0 and 1.2 are)"},
    {"imelody.no-melody", "MELODY 行がありません", "no MELODY line"},
    {"imelody.no-end", "END:IMELODY 行がありません", "no END:IMELODY line"},
    {"imelody.not-a-token", "iMelody の音符・休符（r）・繰り返し・効果のどれでもありません",
     "not a note, a rest (r), a repeat or an effect of iMelody"},
    {"imelody.bad-octave", "オクターブが *0..*8 の外です", "octave outside *0..*8"},
    {"imelody.nested-repeat", "繰り返しの中に繰り返しがあります",
     "a repeat block inside a repeat block"},
    {"imelody.unclosed-repeat", "繰り返しの終わり（@n）がありません",
     "a repeat block without its end (@n)"},
    {"imelody.stray-repeat-end", "'(' で始まっていない繰り返しの終わりです",
     "the end of a repeat block that was not begun with '('"},
};

consteval const Text& ImelodyText(std::string_view id) { return Row(kImelodyTexts, id); }

constexpr std::string_view kBegin = "BEGIN:IMELODY";
// Repeats are expanded up to this many slots; a text of 64 KiB holds fewer notes without them.
constexpr size_t kMostSlots = 64 * 1024;

bool StartsImelody(std::string_view bytes) {
  std::string_view text = textscan::WithoutByteOrderMark(bytes);
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  return text.starts_with(kBegin);
}

// Reads the notes of a MELODY value at [begin, end) of the text.
class MelodyReader {
 public:
  MelodyReader(std::string_view text, size_t begin, size_t end, std::string_view file,
               size_t wanted)
      : text_(text), pos_(begin), end_(end), file_(file), wanted_(wanted) {}

  std::optional<Refusal> Read(std::vector<int>& pitches) {
    constexpr size_t kNoBlock = SIZE_MAX;
    size_t blockStart = kNoBlock;  // where in `pitches` the open repeat block starts
    size_t blockAt = 0;            // and where in the text
    while (Next()) {
      const size_t at = pos_;
      const char c = text_[pos_];
      if (c == '(') {
        if (blockStart != kNoBlock) return Error(at, 1, ImelodyText("imelody.nested-repeat"));
        blockStart = pitches.size();
        blockAt = at;
        ++pos_;
      } else if (c == '@') {
        if (blockStart == kNoBlock) return Error(at, 1, ImelodyText("imelody.stray-repeat-end"));
        ++pos_;
        const size_t digitsAt = pos_;
        size_t count = 0;
        while (pos_ < end_ && text_[pos_] >= '0' && text_[pos_] <= '9') {
          count = std::min<size_t>(count * 10 + static_cast<size_t>(text_[pos_] - '0'), kMostSlots);
          ++pos_;
        }
        if (pos_ == digitsAt) return Error(at, 1, ImelodyText("imelody.not-a-token"));
        if (Next() && text_[pos_] == 'V') SkipVolume();
        if (!Next() || text_[pos_] != ')')
          return Error(blockAt, 1, ImelodyText("imelody.unclosed-repeat"));
        ++pos_;
        Repeat(pitches, blockStart, count);
        blockStart = kNoBlock;
      } else if (c == ')') {
        return Error(at, 1, ImelodyText("imelody.stray-repeat-end"));
      } else if (c == 'V') {
        SkipVolume();
      } else if (SkipWord("ledon") || SkipWord("ledoff") || SkipWord("vibeon") ||
                 SkipWord("vibeoff") || SkipWord("backon") || SkipWord("backoff")) {
      } else if (auto refusal = Note(pitches)) {
        return refusal;
      }
    }
    if (blockStart != kNoBlock) return Error(blockAt, 1, ImelodyText("imelody.unclosed-repeat"));
    return std::nullopt;
  }

 private:
  // Skips white space (a folded line goes on after its line break); whether anything is left.
  bool Next() {
    while (pos_ < end_ && IsSpace(text_[pos_])) ++pos_;
    return pos_ < end_;
  }

  bool SkipWord(std::string_view word) {
    if (text_.substr(pos_, std::min(word.size(), end_ - pos_)) != word) return false;
    pos_ += word.size();
    return true;
  }

  // "V0".."V15", "V+" or "V-".
  void SkipVolume() {
    ++pos_;
    if (pos_ < end_ && (text_[pos_] == '+' || text_[pos_] == '-')) {
      ++pos_;
      return;
    }
    while (pos_ < end_ && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
  }

  // A note or rest with its octave prefix, duration and specifier.
  std::optional<Refusal> Note(std::vector<int>& pitches) {
    const size_t at = pos_;
    if (text_[pos_] == '*') {
      ++pos_;
      if (pos_ == end_ || text_[pos_] < '0' || text_[pos_] > '9') {
        return Error(at, 1, ImelodyText("imelody.not-a-token"));
      }
      if (text_[pos_] == '9') return Error(at, 2, ImelodyText("imelody.bad-octave"));
      octave_ = text_[pos_++] - '0';
      if (pos_ == end_) return Error(at, 2, ImelodyText("imelody.not-a-token"));
    }
    int accidental = 0;
    if (text_[pos_] == '&' || text_[pos_] == '#') accidental = text_[pos_++] == '&' ? -1 : 1;
    if (pos_ == end_) return Error(at, pos_ - at, ImelodyText("imelody.not-a-token"));
    const char letter = text_[pos_];
    const bool rest = letter == 'r' && accidental == 0;
    if (!rest && (letter < 'a' || letter > 'g'))
      return Error(at, pos_ + 1 - at, ImelodyText("imelody.not-a-token"));
    ++pos_;
    int length = 2;  // a quarter when none is given
    if (pos_ < end_ && text_[pos_] >= '0' && text_[pos_] <= '5') length = text_[pos_++] - '0';
    if (pos_ < end_ && (text_[pos_] == '.' || text_[pos_] == ':' || text_[pos_] == ';')) {
      length += 10 * (text_[pos_++] - '.' + 1);  // a value of its own for each specifier
    }
    if (pitches.size() < kMostSlots) {
      // *n holds the A of 55·2^n Hz, the A of scientific octave n + 1.
      pitches.push_back(rest ? kRestPitch : KeyOf(letter, octave_ + 1, accidental));
      lengths_.push_back(length);
    }
    return std::nullopt;
  }

  // Plays the block from `start` of `pitches` `count` times in all; for 0, until wanted_ slots
  // are there.
  void Repeat(std::vector<int>& pitches, size_t start, size_t count) {
    const size_t size = pitches.size() - start;
    if (size == 0) return;
    const size_t until =
        count == 0 ? std::max(wanted_, pitches.size()) : start + std::min(count * size, kMostSlots);
    while (pitches.size() < std::min(until, kMostSlots)) {
      const size_t i = start + (pitches.size() - start) % size;
      pitches.push_back(pitches[i]);
      lengths_.push_back(lengths_[i]);
    }
  }

  Refusal Error(size_t at, size_t length, const Text& fault) const {
    return textscan::ErrorAt(text_, at, file_,
                             std::string(text_.substr(at, std::min(length, end_ - at))), fault);
  }

 public:
  // Whether the slots from `first` on, 30 of them, differ in length.
  bool Mixed(size_t first) const {
    if (first >= lengths_.size()) return false;
    const auto begin = lengths_.begin() + static_cast<ptrdiff_t>(first);
    const auto end = begin + std::min<ptrdiff_t>(kSlotCount, lengths_.end() - begin);
    return std::any_of(begin, end, [&](int length) { return length != *begin; });
  }

 private:
  std::string_view text_;
  size_t pos_, end_;
  std::string_view file_;
  size_t wanted_;
  int octave_ = 4;
  std::vector<int> lengths_;
};

std::variant<Imported, Refusal> Read(std::string_view bytes, std::string_view file,
                                     const ReadOptions& options) {
  return ReadImelody(bytes, file, options);
}

}  // namespace

std::variant<Imported, Refusal> ReadImelody(std::string_view bytes, std::string_view fileName,
                                            const ReadOptions& options) {
  const std::string_view text = textscan::WithoutByteOrderMark(bytes);
  if (auto refused = textscan::RefuseSizeOrBinary(bytes, text, fileName)) return *refused;
  if (!StartsImelody(bytes))
    return textscan::ErrorAt(text, 0, fileName, "", ImelodyText("imelody.no-begin"));
  std::string_view title;
  std::optional<std::pair<size_t, size_t>> melody;  // where its value is
  bool ended = false;
  for (size_t at = 0; at < text.size() && !ended;) {
    const size_t end = textscan::LineEndFrom(text, at);
    size_t lineEnd = end;
    while (lineEnd > at && IsSpace(text[lineEnd - 1])) --lineEnd;
    const std::string_view line = text.substr(at, lineEnd - at);
    const size_t colon = line.find(':');
    const bool folded = at > 0 && !line.empty() && IsSpace(line.front());
    if (folded && melody && melody->second == at - 1) {
      melody->second = lineEnd;  // the melody goes on on this line
    } else if (line.find_first_not_of(" \t") == std::string_view::npos) {
      // blank
    } else if (colon == std::string_view::npos) {
      return textscan::ErrorAt(text, at, fileName, std::string(line),
                               ImelodyText("imelody.header-line"));
    } else {
      const std::string_view key = line.substr(0, colon);
      const std::string_view value = line.substr(colon + 1);
      if (key == "VERSION" && value != "1.0" && value != "1.2") {
        Refusal refusal = textscan::ErrorAt(text, at + colon + 1, fileName, std::string(line),
                                            ImelodyText("imelody.version"));
        refusal.values = {std::string(value)};
        return refusal;
      }
      if (key == "NAME") title = value;
      if (key == "MELODY") melody = {at + colon + 1, lineEnd};
      if (key == "END" && value == "IMELODY") ended = true;
    }
    // A folded line continues the melody only when it follows it directly.
    if (melody && melody->second == lineEnd) melody->second = end;
    at = end + 1;
  }
  if (!melody) return textscan::WholeFileError(fileName, ImelodyText("imelody.no-melody"));
  if (!ended) return textscan::WholeFileError(fileName, ImelodyText("imelody.no-end"));

  const size_t first = options.from > 0 ? options.from - 1 : 0;
  MelodyReader reader(text, melody->first, melody->second, fileName, first + kSlotCount);
  std::vector<int> pitches;
  if (auto refusal = reader.Read(pitches)) return *refusal;
  Imported imported;
  if (auto refusal = Fit(pitches, options.from, fileName, imported)) return *refusal;
  if (reader.Mixed(first)) imported.report.push_back({&CoreText("report.durations-dropped"), {}});
  TakeTitle(imported, title);
  return imported;
}

std::string WriteImelody(const SlotCodes& codes, std::string_view title) {
  std::string text = "BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nNAME:";
  text += TitleOf(title);
  text += "\r\nBEAT:214\r\nMELODY:";
  for (size_t slot = 0; slot < UsedSlots(codes); ++slot) {
    if (auto pitch = Pitch::FromCode(codes[slot])) {
      text += '*';
      text += static_cast<char>('0' + pitch->Octave() - 1);
      const std::string name = pitch->Name();  // "C#4"
      if (name[1] == '#') text += '#';
      text += AsciiLower(name[0]);
    } else {
      text += 'r';
    }
    text += '2';
  }
  text += "\r\nEND:IMELODY\r\n";
  return text;
}

Format ImelodyFormat() {
  return Format{.name = "iMelody",
                .extensions = {"imy"},
                .mime = "text/x-iMelody",
                .magic = kBegin,
                .dialogName = {"imelody.name", "iMelody 着信メロディ", "iMelody ringtone"},
                .texts = kImelodyTexts,
                .recognise = StartsImelody,
                .read = Read,
                .write = WriteImelody};
}

}  // namespace merin::formats
