// SPDX-License-Identifier: MIT
#include "formats/rtttl.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/ascii.h"
#include "core/coretexts.h"
#include "core/melodyedit.h"
#include "core/notecode.h"
#include "core/pitch.h"
#include "formats/fit.h"
#include "formats/rtttltune.h"
#include "formats/slots.h"
#include "formats/textscan.h"
#include "formats/title.h"

namespace merin::formats {
namespace {

using rtttl::RtttlText;
using textscan::IsSpace;

constexpr int kNoValue = -1;
// Numbers are read up to this value and stay there, so that no digit string overflows.
constexpr int kNumberCap = 1'000'000;

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
    // Most characters of a tune are above the space: one test for them.
    if (pos_ < end_) {
      const auto c = static_cast<unsigned char>(text_[pos_]);
      if (c > ' ') {
        next_ = static_cast<char>(c);
        return;
      }
    }
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
        pitches.push_back(KeyOf(letter, octave, sharp ? 1 : 0));
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

// `name` as an RTTTL name: a title (UTF-8, no control characters, at most kRtttlNameLength
// characters) without ':' and ',', which would end the name or the settings.
std::string NameRule(std::string_view name) {
  std::string kept = TitleOf(name);
  std::erase_if(kept, [](char c) { return c == ':' || c == ','; });
  const size_t first = kept.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return kept.substr(first, kept.find_last_not_of(' ') + 1 - first);
}

}  // namespace

namespace rtttl {

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

}  // namespace rtttl

std::string WriteRtttl(const SlotCodes& codes, std::string_view name) {
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

std::optional<ReportLine> RtttlNameChange(std::string_view name) {
  std::string kept = NameRule(name);
  if (kept.empty()) kept = "melody";
  if (kept == name) return std::nullopt;
  return ReportLine{&rtttl::RtttlText("rtttl.name-changed"),
                    {std::to_string(kRtttlNameLength), kept}};
}

std::string RtttlNameOf(std::string_view filePath) { return NameRule(BaseNameOf(filePath)); }

Format RtttlFormat() {
  return Format{.name = "RTTTL",
                .extensions = {"rtttl", "rtx", "txt"},
                .mime = "audio/x-rtttl",
                .dialogName = {"rtttl.name", "RTTTL 着信メロディ", "RTTTL ringtone"},
                .texts = rtttl::kRtttlTexts,
                .offers = Format::Offers::Tunes,
                .recognise = [](std::string_view) { return true; },
                .read = ReadRtttl,
                .write = WriteRtttl,
                .nameChange = RtttlNameChange};
}

}  // namespace merin::formats
