// SPDX-License-Identifier: MIT
#include "formats/fmf.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "core/ascii.h"
#include "core/coretexts.h"
#include "core/pitch.h"
#include "formats/fit.h"
#include "formats/slots.h"
#include "formats/textscan.h"
#include "formats/title.h"

namespace merin::formats {
namespace {

using textscan::IsSpace;
using textscan::LineStart;

// The Flipper Music Format unit's words: what its reader refuses.
constexpr Text kFmfTexts[] = {
    {"fmf.no-filetype", "Flipper 音楽ファイルではありません: 最初の行が「{0}」ではありません",
     "not a Flipper music file: the first line is not \"{0}\""},
    {"fmf.version", "Flipper 音楽ファイルの版 {0} は読み込めません（0 を読みます）",
     "Flipper music file version {0} is not read (0 is)"},
    {"fmf.key-line", "「キー: 値」の形の行が必要です",
     "a line of the form \"Key: value\" expected"},
    {"fmf.keys-skipped", "Flipper と同じく、知らないキーの行を読み飛ばしました: {0}",
     "skipped the lines of keys the Flipper does not read either: {0}"},
    {"fmf.key-twice", "{0} が二度あります", "{0} is given twice"},
    {"fmf.key-missing", "{0} の行がありません", "no {0} line"},
    {"fmf.number-expected", "数が必要です", "number expected"},
    {"fmf.tempo-zero", "テンポは 0 より大きくなければなりません", "tempo must be above 0"},
    {"fmf.bad-duration", "長さが 1..128 の外です", "duration outside 1..128"},
    {"fmf.bad-octave", "オクターブが 0..16 の外です", "octave outside 0..16"},
    {"fmf.empty-note", "音符が空です", "empty note"},
    {"fmf.not-a-note-letter", "音名（A..G）でも休符（P）でもありません",
     "not a note letter (A..G) or a pause (P)"},
    {"fmf.pause-sharp", "休符にシャープはありません", "a pause has no sharp"},
    {"fmf.too-many-dots", "付点は 16 個までです", "at most 16 dots"},
    {"fmf.separator",
     "音符の後にはコンマか空白が必要です（シャープ・オクターブ・付点はその前に書きます）",
     "a comma or a space expected after the note (sharp, octave and dots come before it)"},
};

consteval const Text& FmfText(std::string_view id) { return Row(kFmfTexts, id); }

// The first line of every file: the key Filetype and the format's name.
constexpr std::string_view kFiletypeLine =
    "Filetype: "
    "Flipper Music Format";
constexpr std::string_view kFiletypeKey = kFiletypeLine.substr(0, 8);
constexpr std::string_view kFiletype = kFiletypeLine.substr(10);
// The keys after the Filetype line, in the order the writer puts them; all but Title must be given.
enum Key : size_t { kVersion, kTitle, kBpm, kDuration, kOctave, kNotes, kKeyCount };
constexpr std::array<std::string_view, kKeyCount> kKeys = {"Version",  "Title",  "BPM",
                                                           "Duration", "Octave", "Notes"};
// The most keys skipped that the report names.
constexpr size_t kSkippedNamed = 8;

constexpr int kNoValue = -1;
// Numbers are read up to this value and stay there, so that no digit string overflows.
constexpr int kNumberCap = 1'000'000;
constexpr int kMostDuration = 128;
constexpr int kMostOctave = 16;
constexpr int kMostDots = 16;

bool StartsFmf(std::string_view bytes) {
  std::string_view text = textscan::WithoutByteOrderMark(bytes);
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  return text.starts_with(std::string(kFiletypeKey) + ":");
}

// The value of one key: its bytes [begin, end) without outer white space, and its line.
struct Value {
  size_t begin = 0, end = 0;
  LineStart line;
  bool given = false;
};

// Reads the lines of a Flipper Music Format text: the Filetype line, then one line a key.
class Reader {
 public:
  Reader(std::string_view text, std::string_view file) : text_(text), file_(file) {}

  // Finds every key's value, or why the lines are refused.
  std::optional<Refusal> Lines() {
    bool typed = false;
    for (LineStart start; start.offset < text_.size(); ++start.line) {
      const size_t end = textscan::LineEndFrom(text_, start.offset);
      const LineStart here = start;
      size_t begin = start.offset, last = end;
      while (begin < last && IsSpace(text_[begin])) ++begin;
      while (last > begin && IsSpace(text_[last - 1])) --last;
      start.offset = end + 1;
      if (begin == last || (typed && text_[begin] == '#')) continue;
      const std::string_view line = text_.substr(begin, last - begin);
      const size_t colon = line.find(':');
      const std::string_view key =
          colon == std::string_view::npos ? line : Trimmed(line.substr(0, colon));
      if (!typed) {
        if (colon == std::string_view::npos || key != kFiletypeKey ||
            Trimmed(line.substr(colon + 1)) != kFiletype) {
          return NoFiletype(Error(here, begin, line, FmfText("fmf.no-filetype")));
        }
        typed = true;
        continue;
      }
      if (colon == std::string_view::npos) return Error(here, begin, line, FmfText("fmf.key-line"));
      const auto known = std::find(kKeys.begin(), kKeys.end(), key);
      if (known == kKeys.end()) {
        // The player looks for the keys it reads and passes over the others.
        if (skipped_.size() < kSkippedNamed) skipped_.emplace_back(TitleOf(key));
        ++skippedCount_;
        continue;
      }
      Value& value = values_[static_cast<size_t>(known - kKeys.begin())];
      if (value.given) {
        Refusal refusal = Error(here, begin, line, FmfText("fmf.key-twice"));
        refusal.values = {std::string(key)};
        return refusal;
      }
      value = {begin + colon + 1, last, here, true};
      while (value.begin < value.end && IsSpace(text_[value.begin])) ++value.begin;
    }
    if (!typed) return NoFiletype(textscan::WholeFileError(file_, FmfText("fmf.no-filetype")));
    for (size_t key = 0; key < kKeyCount; ++key) {
      if (!values_[key].given && key != kTitle) {
        Refusal refusal = textscan::WholeFileError(file_, FmfText("fmf.key-missing"));
        refusal.values = {std::string(kKeys[key])};
        return refusal;
      }
    }
    return std::nullopt;
  }

  // Reads the settings: the version, the tempo and the defaults of the notes.
  std::optional<Refusal> Settings() {
    const Value& version = values_[kVersion];
    if (Whole(version) != 0) {
      Refusal refusal =
          Error(version.line, version.begin, ValueText(version), FmfText("fmf.version"));
      refusal.values = {std::string(ValueText(version))};
      return refusal;
    }
    const int bpm = Whole(values_[kBpm]);
    if (auto refusal = Check(values_[kBpm], bpm, 1, kNumberCap, FmfText("fmf.tempo-zero"))) {
      return refusal;
    }
    duration_ = Whole(values_[kDuration]);
    if (auto refusal =
            Check(values_[kDuration], duration_, 1, kMostDuration, FmfText("fmf.bad-duration"))) {
      return refusal;
    }
    octave_ = Whole(values_[kOctave]);
    return Check(values_[kOctave], octave_, 0, kMostOctave, FmfText("fmf.bad-octave"));
  }

  // Reads the notes into `pitches` (kRestPitch for a pause), noting whether those of slots
  // `first`..`first + 29` (0-based) differ in length.
  std::optional<Refusal> Notes(std::vector<int>& pitches, size_t first) {
    const Value& notes = values_[kNotes];
    line_ = notes.line;
    pos_ = notes.begin;
    end_ = notes.end;
    pitches.reserve((end_ - pos_) / 2 + 1);  // every note but the last takes two bytes or more
    std::pair<int, int> keptLength{};        // the duration and dots of the first kept note
    while (SkipSpace()) {
      const size_t start = pos_;
      int duration = Number();
      if (duration == kNoValue) {
        duration = duration_;
      } else if (duration < 1 || duration > kMostDuration) {
        return NoteError(start, start, FmfText("fmf.bad-duration"));
      }
      if (pos_ == end_ || text_[pos_] == ',' || IsSpace(text_[pos_])) {
        return NoteError(
            start, pos_,
            pos_ == start ? FmfText("fmf.empty-note") : FmfText("fmf.not-a-note-letter"));
      }
      const char letter = AsciiLower(text_[pos_]);
      const bool pause = letter == 'p';
      if (!pause && (letter < 'a' || letter > 'g')) {
        return NoteError(start, pos_, FmfText("fmf.not-a-note-letter"));
      }
      ++pos_;
      const bool sharp = pos_ < end_ && text_[pos_] == '#';
      if (sharp && pause) return NoteError(start, pos_, FmfText("fmf.pause-sharp"));
      if (sharp) ++pos_;
      const size_t octaveAt = pos_;
      int octave = Number();  // after a pause, read and ignored
      if (octave == kNoValue) {
        octave = octave_;
      } else if (!pause && octave > kMostOctave) {
        return NoteError(start, octaveAt, FmfText("fmf.bad-octave"));
      }
      const size_t dotsAt = pos_;
      while (pos_ < end_ && text_[pos_] == '.') ++pos_;
      if (pos_ - dotsAt > kMostDots) return NoteError(start, dotsAt, FmfText("fmf.too-many-dots"));
      if (pos_ < end_ && text_[pos_] != ',' && !IsSpace(text_[pos_])) {
        return NoteError(start, pos_, FmfText("fmf.separator"));
      }
      if (pause) {
        pitches.push_back(kRestPitch);
      } else {
        pitches.push_back(KeyOf(letter, octave, sharp ? 1 : 0));
      }
      if (const size_t slot = pitches.size() - 1; slot >= first && slot < first + kSlotCount) {
        const std::pair<int, int> length{duration, static_cast<int>(pos_ - dotsAt)};
        if (slot == first) keptLength = length;
        mixed_ = mixed_ || length != keptLength;
      }
      if (SkipSpace() && text_[pos_] == ',') ++pos_;  // a comma after the last note is let pass
    }
    return std::nullopt;
  }

  // Whether the kept notes differ in length.
  bool Mixed() const { return mixed_; }

  // The Title line's value; empty when there is none.
  std::string_view Title() const { return ValueText(values_[kTitle]); }

  // The report's line naming the keys skipped, if any.
  std::optional<ReportLine> Skipped() const {
    if (skippedCount_ == 0) return std::nullopt;
    std::string names;
    for (const std::string& name : skipped_) names += (names.empty() ? "" : ", ") + name;
    if (skippedCount_ > skipped_.size()) names += ", …";
    return ReportLine{&FmfText("fmf.keys-skipped"), {names}};
  }

 private:
  static std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    return text;
  }

  static Refusal NoFiletype(Refusal refusal) {
    refusal.values = {std::string(kFiletypeLine)};
    return refusal;
  }

  std::string_view ValueText(const Value& value) const {
    return text_.substr(value.begin, value.end - value.begin);
  }

  // The whole value as a number, or kNoValue when it is not one.
  int Whole(const Value& value) {
    line_ = value.line;
    pos_ = value.begin;
    end_ = value.end;
    const int number = Number();
    return pos_ == end_ ? number : kNoValue;
  }

  // Refuses `number`, the value of `value`, unless it is a number in [low, high].
  std::optional<Refusal> Check(const Value& value, int number, int low, int high,
                               const Text& fault) const {
    if (number == kNoValue) {
      return Error(value.line, value.begin, ValueText(value), FmfText("fmf.number-expected"));
    }
    if (number < low || number > high)
      return Error(value.line, value.begin, ValueText(value), fault);
    return std::nullopt;
  }

  // A run of digits at the reading position, or kNoValue when there is none.
  int Number() {
    if (pos_ == end_ || !IsDigit(text_[pos_])) return kNoValue;
    int value = 0;
    for (; pos_ < end_ && IsDigit(text_[pos_]); ++pos_) {
      value = std::min(kNumberCap, value * 10 + (text_[pos_] - '0'));
    }
    return value;
  }

  // Skips white space; whether a note is left.
  bool SkipSpace() {
    while (pos_ < end_ && IsSpace(text_[pos_])) ++pos_;
    return pos_ < end_;
  }

  // A refusal at `at` in the notes, showing the note that starts at `start`.
  Refusal NoteError(size_t start, size_t at, const Text& fault) const {
    size_t itemEnd = start;
    while (itemEnd < end_ && text_[itemEnd] != ',' && !IsSpace(text_[itemEnd])) ++itemEnd;
    return Error(line_, at, text_.substr(start, itemEnd - start), fault);
  }

  Refusal Error(LineStart line, size_t at, std::string_view token, const Text& fault) const {
    return textscan::ErrorAt(text_, at, file_, std::string(token), fault, line);
  }

  std::string_view text_;
  std::string_view file_;
  std::array<Value, kKeyCount> values_{};
  std::vector<std::string> skipped_;  // the first keys skipped
  size_t skippedCount_ = 0;
  LineStart line_;            // the line being read
  size_t pos_ = 0, end_ = 0;  // the reading position and the end of the value
  int duration_ = 4, octave_ = 5;
  bool mixed_ = false;
};

// The base name of `fileName` without its extension, or nothing when it has no extension.
std::string_view TitleOfFile(std::string_view fileName) {
  return ExtensionOf(fileName).empty() ? std::string_view() : BaseNameOf(fileName);
}

}  // namespace

std::variant<Imported, Refusal> ReadFmf(std::string_view bytes, std::string_view fileName,
                                        const ReadOptions& options) {
  const std::string_view text = textscan::WithoutByteOrderMark(bytes);
  if (auto refused = textscan::RefuseSizeOrBinary(bytes, text, fileName)) return *refused;
  Reader reader(text, fileName);
  if (auto refusal = reader.Lines()) return *refusal;
  if (auto refusal = reader.Settings()) return *refusal;
  const size_t first = options.from > 0 ? options.from - 1 : 0;
  std::vector<int> pitches;
  if (auto refusal = reader.Notes(pitches, first)) return *refusal;
  Imported imported;
  if (auto refusal = Fit(pitches, options.from, fileName, imported)) return *refusal;
  if (reader.Mixed()) imported.report.push_back({&CoreText("report.durations-dropped"), {}});
  if (auto skipped = reader.Skipped()) imported.report.push_back(std::move(*skipped));
  TakeTitle(imported, reader.Title().empty() ? TitleOfFile(fileName) : reader.Title());
  return imported;
}

std::string WriteFmf(const SlotCodes& codes, std::string_view title) {
  std::string text = std::string(kFiletypeLine) + "\nVersion: 0\n";
  if (const std::string name = TitleOf(title); !name.empty()) text += "Title: " + name + "\n";
  text += "BPM: 214\nDuration: 4\nOctave: 5\nNotes:";
  for (size_t slot = 0; slot < UsedSlots(codes); ++slot) {
    text += slot > 0 ? ", " : " ";
    const auto pitch = Pitch::FromCode(codes[slot]);
    text += pitch ? pitch->Name() : "P";  // "C#4": letter, sharp, octave
  }
  text += '\n';
  return text;
}

Format FmfFormat() {
  return Format{.name = "FMF",
                .extensions = {"fmf"},
                .mime = "audio/x-flipper-music",
                .magic = kFiletypeLine,
                .dialogName = {"fmf.name", "Flipper 音楽ファイル", "Flipper music file"},
                .texts = kFmfTexts,
                .recognise = StartsFmf,
                .read = ReadFmf,
                .write = WriteFmf};
}

}  // namespace merin::formats
