// SPDX-License-Identifier: MIT
#include "formats/rtttl.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/coretexts.h"
#include "core/melodyedit.h"
#include "core/notecode.h"
#include "core/pitch.h"
#include "formats/fit.h"
#include "formats/slots.h"
#include "formats/textscan.h"
#include "formats/title.h"

namespace merin::formats {
namespace {

using textscan::IsSpace;

// The RTTTL unit's words: what its reader refuses and tells.
constexpr Text kRtttlTexts[] = {
    {"rtttl.no-name-colon", "RTTTL ではありません: 名前の後に ':' がありません",
     "not RTTTL: no ':' after the name"},
    {"rtttl.no-settings-colon",
     "RTTTL ではありません: 設定の後に ':' がありません（名前:設定:音符）",
     "not RTTTL: no ':' after the settings (name:settings:notes)"},
    {"rtttl.empty-setting", "設定が空です", "empty setting"},
    {"rtttl.unknown-setting", "知らない設定です（d, o, b, v, s のどれか）",
     "unknown setting (d, o, b, v or s)"},
    {"rtttl.equals-expected", "設定の後に '=' が必要です", "'=' expected after the setting"},
    {"rtttl.value-expected", "値が必要です", "value expected"},
    {"rtttl.number-expected", "数が必要です", "number expected"},
    {"rtttl.bad-duration", "長さが 1, 2, 4, 8, 16, 32, 64 のどれでもありません",
     "duration is not one of 1, 2, 4, 8, 16, 32, 64"},
    {"rtttl.bad-octave", "オクターブが 1..8 の外です", "octave outside 1..8"},
    {"rtttl.tempo-zero", "テンポは 0 より大きくなければなりません", "tempo must be above 0"},
    {"rtttl.comma-between-settings", "設定の間に ',' が必要です", "',' expected between settings"},
    {"rtttl.empty-note", "音符が空です", "empty note"},
    {"rtttl.letter-expected", "長さの後に音名が必要です",
     "a note letter expected after the duration"},
    {"rtttl.not-a-note-letter", "音名（a..g, h）でも休符（p）でもありません",
     "not a note letter (a..g, h) or a pause (p)"},
    {"rtttl.pause-sharp", "休符にシャープはありません", "a pause has no sharp"},
    {"rtttl.comma-after-note",
     "音符の後にはコンマが必要です（シャープ・付点・オクターブはその前に書きます）",
     "a comma expected after the note (sharp, dot and octave come before it)"},
    {"rtttl.no-such-tune", "{0} 曲目はありません（{1} 曲です）", "no tune {0} (the text has {1})"},
    {"rtttl.tune-taken", "{1} 曲のうち {0} 曲目を取り込みました: {2}", "took tune {0} of {1}: {2}"},
};

consteval const Text& RtttlText(std::string_view id) { return Row(kRtttlTexts, id); }

constexpr int kNoValue = -1;
// Numbers are read up to this value and stay there, so that no digit string overflows.
constexpr int kNumberCap = 1'000'000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlnum(char c) { return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDuration(int d) { return d >= 1 && d <= 64 && (d & (d - 1)) == 0; }

// A part of a tune ("settings" or "notes"), read with white space skipped everywhere.
class Scanner {
 public:
  Scanner(std::string_view text, size_t begin, size_t end) : text_(text), pos_(begin), end_(end) {
    SkipSpace();
  }

  // The next character that is not white space, or '\0' at the end of the part.
  char Peek() const { return next_; }
  void Skip() {
    ++pos_;
    SkipSpace();
  }
  size_t Position() const { return pos_; }
  // A run of digits (white space between them ignored), or kNoValue when there is none.
  int Number() {
    if (!IsDigit(next_)) return kNoValue;
    int value = 0;
    while (IsDigit(next_)) {
      value = std::min(kNumberCap, value * 10 + (next_ - '0'));
      Skip();
    }
    return value;
  }

 private:
  void SkipSpace() {
    while (pos_ < end_ && IsSpace(text_[pos_])) ++pos_;
    next_ = pos_ < end_ ? text_[pos_] : '\0';
  }

  std::string_view text_;
  size_t pos_, end_;
  char next_ = '\0';
};

// Reads the tune in [start.offset, end) of the text, which starts line start.line: its settings,
// then its notes as MIDI numbers (kRestPitch for a pause).
class Reader {
 public:
  Reader(std::string_view text, textscan::LineStart start, size_t end, std::string_view fileName)
      : text_(text), start_(start), end_(end), file_(fileName) {}

  std::optional<Refusal> Settings(size_t begin, size_t end) {
    partEnd_ = end;
    Scanner s(text_, begin, end);
    if (s.Peek() == '\0') return std::nullopt;
    for (;;) {
      const size_t start = s.Position();
      const char key = AsciiLower(s.Peek());
      if (key == ',' || key == '\0') return Error(start, start, RtttlText("rtttl.empty-setting"));
      if (key != 'd' && key != 'o' && key != 'b' && key != 'v' && key != 's') {
        return Error(start, start, RtttlText("rtttl.unknown-setting"));
      }
      s.Skip();
      if (s.Peek() != '=') return Error(start, s.Position(), RtttlText("rtttl.equals-expected"));
      s.Skip();
      const size_t valueAt = s.Position();
      if (key == 'v' || key == 's') {
        // Volume and style of the later revision: read and ignored.
        if (!IsAlnum(s.Peek())) return Error(start, valueAt, RtttlText("rtttl.value-expected"));
        while (IsAlnum(s.Peek())) s.Skip();
      } else {
        const int value = s.Number();
        if (value == kNoValue) return Error(start, valueAt, RtttlText("rtttl.number-expected"));
        if (key == 'd' && !IsDuration(value))
          return Error(start, valueAt, RtttlText("rtttl.bad-duration"));
        if (key == 'o' && (value < 1 || value > 8)) {
          return Error(start, valueAt, RtttlText("rtttl.bad-octave"));
        }
        if (key == 'b' && value < 1) return Error(start, valueAt, RtttlText("rtttl.tempo-zero"));
        // The tempo is checked and dropped: every slot has the same length.
        if (key == 'd') duration_ = value;
        if (key == 'o') octave_ = value;
      }
      const char next = s.Peek();
      if (next == '\0') return std::nullopt;
      if (next != ',') return Error(start, s.Position(), RtttlText("rtttl.comma-between-settings"));
      s.Skip();
    }
  }

  // Reads the notes into `pitches`, noting whether those of slots `first`..`first + 29` (0-based)
  // differ in length.
  std::optional<Refusal> Notes(size_t begin, std::vector<int>& pitches, size_t first) {
    partEnd_ = end_;
    Scanner s(text_, begin, end_);
    pitches.reserve((end_ - begin) / 2 + 1);  // every note but the last takes two bytes or more
    int keptLength = 0;  // the duration of the first kept note, negative when dotted
    while (s.Peek() != '\0') {
      const size_t start = s.Position();
      int duration = s.Number();
      if (duration == kNoValue) {
        duration = duration_;
      } else if (!IsDuration(duration)) {
        return Error(start, start, RtttlText("rtttl.bad-duration"));
      }
      const size_t letterAt = s.Position();
      char letter = AsciiLower(s.Peek());
      if (letter == ',' || letter == '\0') {
        return Error(
            start, letterAt,
            letterAt == start ? RtttlText("rtttl.empty-note") : RtttlText("rtttl.letter-expected"));
      }
      if (letter == 'h') letter = 'b';
      const bool pause = letter == 'p';
      if (!pause && (letter < 'a' || letter > 'g')) {
        return Error(start, letterAt, RtttlText("rtttl.not-a-note-letter"));
      }
      s.Skip();
      bool sharp = false, dotted = false;
      if (s.Peek() == '#') {
        if (pause) return Error(start, s.Position(), RtttlText("rtttl.pause-sharp"));
        sharp = true;
        s.Skip();
      }
      if (s.Peek() == '.') {
        dotted = true;
        s.Skip();
      }
      const size_t octaveAt = s.Position();
      int octave = s.Number();  // after a pause, read and ignored
      if (octave == kNoValue) {
        octave = octave_;
      } else if (!pause && (octave < 1 || octave > 8)) {
        return Error(start, octaveAt, RtttlText("rtttl.bad-octave"));
      }
      if (!sharp && !pause && s.Peek() == '#') {
        sharp = true;
        s.Skip();
      }
      if (!dotted && s.Peek() == '.') {
        dotted = true;
        s.Skip();
      }
      const char next = s.Peek();
      if (next != ',' && next != '\0')
        return Error(start, s.Position(), RtttlText("rtttl.comma-after-note"));
      if (pause) {
        pitches.push_back(kRestPitch);
      } else {
        static constexpr int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // a..g above C
        pitches.push_back(12 * (octave + 1) + kSemitone[letter - 'a'] + (sharp ? 1 : 0));
      }
      if (const size_t slot = pitches.size() - 1; slot >= first && slot < first + kSlotCount) {
        const int length = dotted ? -duration : duration;
        if (slot == first) keptLength = length;
        mixed_ = mixed_ || length != keptLength;
      }
      if (next == ',') s.Skip();  // a comma after the last note is let pass
    }
    return std::nullopt;
  }

  // Whether the kept notes differ in length.
  bool Mixed() const { return mixed_; }

  // A refusal at `at`, showing the item that starts at `itemStart` up to the end of its line. At
  // the end of the tune it names the tune's last character, never a line after it.
  Refusal Error(size_t itemStart, size_t at, const Text& fault) const {
    const size_t begin = start_.offset;
    if (at >= end_) {
      at = end_;
      while (at > begin && IsSpace(text_[at - 1])) --at;
      at = at > begin ? at - 1 : begin;
    }
    size_t itemEnd = itemStart;
    while (itemEnd < partEnd_ && text_[itemEnd] != ',' && text_[itemEnd] != '\n' &&
           text_[itemEnd] != '\r') {
      ++itemEnd;
    }
    while (itemEnd > itemStart && IsSpace(text_[itemEnd - 1])) --itemEnd;
    return textscan::ErrorAt(
        text_, at, file_, std::string(text_.substr(itemStart, itemEnd - itemStart)), fault, start_);
  }

 private:
  std::string_view text_;
  textscan::LineStart start_;
  size_t end_;
  size_t partEnd_ = 0;  // the end of the settings or the notes, being read
  std::string_view file_;
  int duration_ = 4, octave_ = 6;
  bool mixed_ = false;
};

// Whether `line` is left out between tunes: blank, or a comment starting with '#'.
bool Ignorable(std::string_view line) {
  for (const char c : line) {
    if (!IsSpace(c)) return c == '#';
  }
  return true;
}

// Whether `line` starts a tune: a second ':' and no ',' before its first (a name, then
// settings), and no comment.
bool StartsTune(std::string_view line) {
  if (Ignorable(line)) return false;
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  if (line.substr(0, colon).find(',') != std::string_view::npos) return false;
  return line.find(':', colon + 1) != std::string_view::npos;
}

// Calls visit(start, end) for each tune of `text` in turn, the start of its first line and its
// end, until it returns false; returns how many tunes the text holds. A text with fewer than two
// lines that start a tune is one tune; in a collection, each such line starts one that runs to the
// next, ignorable lines around them left out.
template <typename Visit>
size_t ForEachTune(std::string_view text, Visit visit) {
  // Calls onLine(start, end) for each line, its start and its end, until it returns false.
  const auto forEachLine = [text](auto onLine) {
    for (textscan::LineStart start; start.offset < text.size(); ++start.line) {
      const size_t end = textscan::LineEndFrom(text, start.offset);
      if (!onLine(start, end)) return;
      start.offset = end + 1;
    }
  };
  size_t starts = 0;
  forEachLine([&](textscan::LineStart start, size_t end) {
    if (StartsTune(text.substr(start.offset, end - start.offset))) ++starts;
    return starts < 2;
  });
  if (starts < 2) {
    visit(textscan::LineStart{}, text.size());
    return 1;
  }
  size_t count = 0;
  bool visiting = true;
  std::optional<textscan::LineStart> begin;
  size_t end = 0;
  const auto finish = [&] {
    ++count;
    if (visiting) visiting = visit(*begin, end);
  };
  forEachLine([&](textscan::LineStart start, size_t lineEnd) {
    const std::string_view line = text.substr(start.offset, lineEnd - start.offset);
    if (StartsTune(line)) {
      if (begin) finish();
      begin = start;
    } else if (Ignorable(line)) {
      return true;
    } else if (!begin) {
      begin = start;  // text before the first tune is a tune of its own, and refused as one
    }
    end = lineEnd;
    return true;
  });
  finish();
  return count;
}

// The name of the tune in [begin, end) of `text`: what comes before its first ':'.
std::string_view NameOf(std::string_view text, size_t begin, size_t end) {
  const std::string_view tune = text.substr(begin, end - begin);
  return tune.substr(0, tune.find(':'));
}

// Reads the tune in [start.offset, end) of `text` into `melody`: its title, and its melody from
// slot `options.from` on; or why it is refused. `notes` is set to the number of its notes and
// pauses. Only the tune's own bytes are read.
std::optional<Refusal> ReadTuneInto(Imported& melody, std::string_view text,
                                    textscan::LineStart start, size_t end,
                                    std::string_view fileName, const ReadOptions& options,
                                    size_t* notes) {
  const size_t begin = start.offset;
  const std::string_view tune = text.substr(begin, end - begin);
  const size_t nameEnd = tune.find(':');
  if (nameEnd == std::string_view::npos) {
    if (begin == 0 && end == text.size()) {
      return textscan::WholeFileError(fileName, RtttlText("rtttl.no-name-colon"));
    }
    return textscan::ErrorAt(text, begin, fileName, "", RtttlText("rtttl.no-name-colon"), start);
  }
  const size_t settingsEnd = tune.find(':', nameEnd + 1);
  if (settingsEnd == std::string_view::npos) {
    return textscan::ErrorAt(text, begin + nameEnd, fileName, "",
                             RtttlText("rtttl.no-settings-colon"), start);
  }
  Reader reader(text, start, end, fileName);
  if (auto error = reader.Settings(begin + nameEnd + 1, begin + settingsEnd)) return error;
  std::vector<int> pitches;
  const size_t first = options.from > 0 ? options.from - 1 : 0;
  if (auto error = reader.Notes(begin + settingsEnd + 1, pitches, first)) return error;
  if (notes) *notes = pitches.size();

  if (auto refusal = Fit(pitches, options.from, fileName, melody)) return refusal;
  if (reader.Mixed()) melody.report.push_back({&CoreText("report.durations-dropped"), {}});
  TakeTitle(melody, tune.substr(0, nameEnd));
  return std::nullopt;
}

// Tells first in the report of `melody` that it is tune `number` of a collection of `count`.
void SayTaken(Imported& melody, size_t number, size_t count) {
  melody.report.insert(melody.report.begin(),
                       {&RtttlText("rtttl.tune-taken"),
                        {std::to_string(number), std::to_string(count), melody.title}});
}

// Tune `number` of the `count` of `text`, in [start.offset, end), as ReadTuneInto reads it; in a
// collection the report says first which tune it is. The melody is read where it is returned: 30
// strings moved would cost as much as reading its notes.
std::variant<Imported, Refusal> ReadTune(std::string_view text, textscan::LineStart start,
                                         size_t end, size_t number, size_t count,
                                         std::string_view fileName, const ReadOptions& options) {
  std::variant<Imported, Refusal> read;
  auto& melody = std::get<Imported>(read);
  if (auto refusal = ReadTuneInto(melody, text, start, end, fileName, options, nullptr)) {
    read = std::move(*refusal);
  } else if (count > 1) {
    SayTaken(melody, number, count);
  }
  return read;
}

// The characters of `name` an RTTTL name may hold, at most ten.
std::string NameRule(std::string_view name) {
  std::string kept;
  for (const char c : name) {
    if (kept.size() == 10) break;
    if (IsAlnum(c)) kept += c;
  }
  return kept;
}

}  // namespace

std::variant<Imported, Refusal> ReadRtttl(std::string_view bytes, std::string_view fileName,
                                          const ReadOptions& options) {
  const std::string_view text = textscan::WithoutByteOrderMark(bytes);
  if (auto refused = textscan::RefuseSizeOrBinary(bytes, text, fileName, kMaxCollectionBytes)) {
    return *refused;
  }
  const size_t wanted = std::max<size_t>(options.tune, 1);
  textscan::LineStart start;
  size_t end = 0, index = 0;
  const size_t count = ForEachTune(text, [&](textscan::LineStart tuneStart, size_t tuneEnd) {
    start = tuneStart;
    end = tuneEnd;
    return ++index < wanted;
  });
  if (wanted > count) {
    return Refusal(RtttlText("rtttl.no-such-tune"), std::string(fileName),
                   {std::to_string(wanted), std::to_string(count)});
  }
  return ReadTune(text, start, end, wanted, count, fileName, options);
}

std::vector<RtttlTune> ListRtttlTunes(std::string_view bytes, std::string_view fileName,
                                      const ReadOptions& options) {
  const std::string_view text = textscan::WithoutByteOrderMark(bytes);
  std::vector<RtttlTune> tunes;
  if (textscan::RefuseSizeOrBinary(bytes, text, fileName, kMaxCollectionBytes)) {
    tunes.emplace_back().refused = true;
    return tunes;
  }
  Imported melody;  // each tune is read into it in turn, and only what the list shows is kept
  ForEachTune(text, [&](textscan::LineStart start, size_t end) {
    RtttlTune& tune = tunes.emplace_back();
    melody.report.clear();
    tune.refused =
        ReadTuneInto(melody, text, start, end, fileName, options, &tune.notes).has_value();
    tune.title = tune.refused ? TitleOf(NameOf(text, start.offset, end)) : std::move(melody.title);
    tune.begin = start.offset;
    tune.end = end;
    tune.line = start.line;
    return true;
  });
  return tunes;
}

std::variant<Imported, Refusal> ReadListedTune(std::string_view bytes, std::string_view fileName,
                                               const std::vector<RtttlTune>& tunes, size_t number,
                                               const ReadOptions& options) {
  if (tunes.size() < 2 || number == 0 || number > tunes.size()) {
    ReadOptions one = options;
    one.tune = number;
    return ReadRtttl(bytes, fileName, one);
  }
  const RtttlTune& tune = tunes[number - 1];
  return ReadTune(textscan::WithoutByteOrderMark(bytes), {tune.begin, tune.line}, tune.end, number,
                  tunes.size(), fileName, options);
}

std::string WriteRtttl(const Codes& codes, std::string_view name) {
  std::string tune = NameRule(name);
  if (tune.empty()) tune = "melody";
  tune += ":d=4,o=5,b=214:";
  for (size_t slot = 0; slot < UsedSlots(codes); ++slot) {
    if (slot > 0) tune += ',';
    if (auto pitch = Pitch::FromCode(codes[slot])) {
      for (const char c : pitch->Name()) tune += AsciiLower(c);
    } else {
      tune += 'p';
    }
  }
  return tune;
}

std::string RtttlNameOf(std::string_view filePath) {
  const size_t slash = filePath.find_last_of("/\\");
  std::string_view base = slash == std::string_view::npos ? filePath : filePath.substr(slash + 1);
  if (const size_t dot = base.rfind('.'); dot != std::string_view::npos) base = base.substr(0, dot);
  return NameRule(base);
}

Format RtttlFormat() {
  return Format{.name = "RTTTL",
                .extensions = {"rtttl", "rtx", "txt"},
                .mime = "audio/x-rtttl",
                .dialogName = {"rtttl.name", "RTTTL 着信メロディ", "RTTTL ringtone"},
                .texts = kRtttlTexts,
                .recognise = [](std::string_view) { return true; },
                .read = ReadRtttl,
                .write = WriteRtttl};
}

}  // namespace merin::formats
