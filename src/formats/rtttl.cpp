// SPDX-License-Identifier: MIT
#include "formats/rtttl.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <vector>

#include "core/melodyedit.h"
#include "core/notecode.h"
#include "core/pitch.h"
#include "formats/fit.h"
#include "formats/slots.h"
#include "formats/textscan.h"

namespace merin::formats {
namespace {

using textscan::IsSpace;

constexpr int kNoValue = -1;
// Numbers are read up to this value and stay there, so that no digit string overflows.
constexpr int kNumberCap = 1'000'000;
constexpr int kPause = kRestPitch;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlnum(char c) { return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsDuration(int d) { return d == 1 || d == 2 || d == 4 || d == 8 || d == 16 || d == 32; }

// One note or pause as read: its MIDI number (kPause for a pause), its duration and dot.
struct Note {
  int midi = kPause;
  int duration = 0;
  bool dotted = false;
};

// Reads one part of the tune ("settings" or "notes"), skipping white space everywhere.
class Scanner {
 public:
  Scanner(std::string_view text, size_t begin, size_t end) : text_(text), pos_(begin), end_(end) {
    SkipSpace();
  }

  // The next character that is not white space, or '\0' at the end of the part.
  char Peek() const { return pos_ < end_ ? text_[pos_] : '\0'; }
  void Skip() {
    ++pos_;
    SkipSpace();
  }
  size_t Position() const { return pos_; }
  // A run of digits (white space between them ignored), or kNoValue when there is none.
  int Number() {
    if (!IsDigit(Peek())) return kNoValue;
    int value = 0;
    while (IsDigit(Peek())) {
      value = std::min(kNumberCap, value * 10 + (Peek() - '0'));
      Skip();
    }
    return value;
  }
  // The item around `start` up to the next comma or the end of the part, without its outer
  // white space: the token an error shows.
  std::string ItemAt(size_t start) const {
    size_t end = start;
    while (end < end_ && text_[end] != ',') ++end;
    while (end > start && IsSpace(text_[end - 1])) --end;
    return std::string(text_.substr(start, end - start));
  }

 private:
  void SkipSpace() {
    while (pos_ < end_ && IsSpace(text_[pos_])) ++pos_;
  }

  std::string_view text_;
  size_t pos_, end_;
};

class Reader {
 public:
  Reader(std::string_view text, std::string_view fileName) : text_(text), file_(fileName) {}

  std::optional<Refusal> Settings(size_t begin, size_t end) {
    Scanner s(text_, begin, end);
    if (s.Peek() == '\0') return std::nullopt;
    for (;;) {
      const size_t start = s.Position();
      const char key = Lower(s.Peek());
      if (key == ',' || key == '\0') return Error(s, start, start, Fault::EmptySetting);
      if (key != 'd' && key != 'o' && key != 'b' && key != 'v' && key != 's') {
        return Error(s, start, start, Fault::UnknownSetting);
      }
      s.Skip();
      if (s.Peek() != '=') return Error(s, start, s.Position(), Fault::EqualsExpected);
      s.Skip();
      const size_t valueAt = s.Position();
      if (key == 'v' || key == 's') {
        // Volume and style of the later revision: read and ignored.
        if (!IsAlnum(s.Peek())) {
          return Error(s, start, valueAt, Fault::ValueExpected);
        }
        while (IsAlnum(s.Peek())) s.Skip();
      } else {
        const int value = s.Number();
        if (value == kNoValue) return Error(s, start, valueAt, Fault::NumberExpected);
        if (key == 'd' && !IsDuration(value)) {
          return Error(s, start, valueAt, Fault::BadDuration);
        }
        if (key == 'o' && (value < 1 || value > 8)) {
          return Error(s, start, valueAt, Fault::BadOctave);
        }
        if (key == 'b' && value < 1) return Error(s, start, valueAt, Fault::TempoZero);
        // The tempo is checked and dropped: every slot has the same length.
        if (key == 'd') duration_ = value;
        if (key == 'o') octave_ = value;
      }
      const char next = s.Peek();
      if (next == '\0') return std::nullopt;
      if (next != ',') return Error(s, start, s.Position(), Fault::CommaBetweenSettings);
      s.Skip();
    }
  }

  std::optional<Refusal> Notes(size_t begin, size_t end, std::vector<Note>& notes) {
    Scanner s(text_, begin, end);
    if (s.Peek() == '\0') return std::nullopt;
    for (;;) {
      const size_t start = s.Position();
      Note note;
      const size_t durationAt = s.Position();
      note.duration = s.Number();
      if (note.duration == kNoValue) {
        note.duration = duration_;
      } else if (!IsDuration(note.duration)) {
        return Error(s, start, durationAt, Fault::BadDuration);
      }
      const size_t letterAt = s.Position();
      char letter = Lower(s.Peek());
      if (letter == ',' || letter == '\0') {
        return Error(s, start, letterAt,
                     letterAt == durationAt ? Fault::EmptyNote : Fault::LetterExpected);
      }
      if (letter == 'h') letter = 'b';
      const bool pause = letter == 'p';
      if (!pause && (letter < 'a' || letter > 'g')) {
        return Error(s, start, letterAt, Fault::NotANoteLetter);
      }
      s.Skip();
      bool sharp = false;
      if (s.Peek() == '#') {
        if (pause) return Error(s, start, s.Position(), Fault::PauseSharp);
        sharp = true;
        s.Skip();
      }
      if (s.Peek() == '.') {
        note.dotted = true;
        s.Skip();
      }
      const size_t octaveAt = s.Position();
      int octave = s.Number();
      if (octave != kNoValue) {
        if (pause) return Error(s, start, octaveAt, Fault::PauseOctave);
        if (octave < 1 || octave > 8) return Error(s, start, octaveAt, Fault::BadOctave);
      } else {
        octave = octave_;
      }
      if (!note.dotted && s.Peek() == '.') {
        note.dotted = true;
        s.Skip();
      }
      const char next = s.Peek();
      if (next != ',' && next != '\0') {
        return Error(s, start, s.Position(), Fault::CommaAfterNote);
      }
      if (!pause) {
        static constexpr int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // a..g above C
        note.midi = 12 * (octave + 1) + kSemitone[letter - 'a'] + (sharp ? 1 : 0);
      }
      notes.push_back(note);
      if (next == '\0') return std::nullopt;
      s.Skip();
    }
  }

 private:
  Refusal Error(const Scanner& s, size_t itemStart, size_t at, Fault fault) const {
    return textscan::ErrorAt(text_, at, file_, s.ItemAt(itemStart), fault);
  }

  std::string_view text_;
  std::string_view file_;
  int duration_ = 4, octave_ = 6;
};

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
  if (auto refused = textscan::RefuseSizeOrBinary(bytes, text, fileName)) return *refused;
  const size_t nameEnd = text.find(':');
  if (nameEnd == std::string_view::npos) {
    return textscan::WholeFileError(fileName, Fault::NoNameColon);
  }
  const size_t settingsEnd = text.find(':', nameEnd + 1);
  if (settingsEnd == std::string_view::npos) {
    return textscan::ErrorAt(text, nameEnd, fileName, "", Fault::NoSettingsColon);
  }
  Reader reader(text, fileName);
  if (auto error = reader.Settings(nameEnd + 1, settingsEnd)) return *error;
  std::vector<Note> notes;
  if (auto error = reader.Notes(settingsEnd + 1, text.size(), notes)) return *error;

  std::vector<int> pitches(notes.size());
  std::transform(notes.begin(), notes.end(), pitches.begin(),
                 [](const Note& note) { return note.midi; });
  auto fit = Fit(pitches, options.from, fileName);
  if (auto* refusal = std::get_if<Refusal>(&fit)) return std::move(*refusal);
  Fitted& fitted = std::get<Fitted>(fit);
  const auto first =
      notes.begin() + static_cast<ptrdiff_t>(std::min(options.from - 1, notes.size()));
  const auto last = first + std::min<ptrdiff_t>(kSlotCount, notes.end() - first);
  const bool mixed = std::any_of(first, last, [&](const Note& note) {
    return note.duration != first->duration || note.dotted != first->dotted;
  });
  if (mixed) fitted.report.push_back({Change::DurationsDropped, {}, {}});
  return Imported{std::move(fitted.codes), std::move(fitted.report), true};
}

std::string WriteRtttl(const Codes& codes, std::string_view name) {
  std::string tune = NameRule(name);
  if (tune.empty()) tune = "melody";
  tune += ":d=4,o=5,b=214:";
  for (size_t slot = 0; slot < UsedSlots(codes); ++slot) {
    if (slot > 0) tune += ',';
    if (auto pitch = Pitch::FromCode(codes[slot])) {
      for (const char c : pitch->Name()) tune += Lower(c);
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
                .japanese = "RTTTL 着信メロディ",
                .english = "RTTTL ringtone",
                .recognise = [](std::string_view) { return true; },
                .read = ReadRtttl,
                .write = WriteRtttl};
}

}  // namespace merin::formats
