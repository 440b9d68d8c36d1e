// SPDX-License-Identifier: MIT
#include "formats/rtttl.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

#include "core/melodyedit.h"
#include "core/notecode.h"
#include "core/pitch.h"
#include "formats/slots.h"
#include "formats/textscan.h"

namespace merin::formats {
namespace {

using textscan::IsSpace;

constexpr int kNoValue = -1;
// Numbers are read up to this value and stay there, so that no digit string overflows.
constexpr int kNumberCap = 1'000'000;
constexpr int kPause = -1;

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

// The first 30 notes and pauses.
struct Kept {
  std::array<Note, kSlotCount> notes;
  size_t count = 0;
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

  std::optional<ParseError> Settings(size_t begin, size_t end) {
    Scanner s(text_, begin, end);
    if (s.Peek() == '\0') return std::nullopt;
    for (;;) {
      const size_t start = s.Position();
      const char key = Lower(s.Peek());
      if (key == ',' || key == '\0') return Error(s, start, start, "empty setting");
      if (key != 'd' && key != 'o' && key != 'b' && key != 'v' && key != 's') {
        return Error(s, start, start, "unknown setting (d, o, b, v or s)");
      }
      s.Skip();
      if (s.Peek() != '=') return Error(s, start, s.Position(), "'=' expected after the setting");
      s.Skip();
      const size_t valueAt = s.Position();
      if (key == 'v' || key == 's') {
        // Volume and style of the later revision: read and ignored.
        if (!IsAlnum(s.Peek())) {
          return Error(s, start, valueAt, "value expected");
        }
        while (IsAlnum(s.Peek())) s.Skip();
      } else {
        const int value = s.Number();
        if (value == kNoValue) return Error(s, start, valueAt, "number expected");
        if (key == 'd' && !IsDuration(value)) {
          return Error(s, start, valueAt, "duration is not one of 1, 2, 4, 8, 16, 32");
        }
        if (key == 'o' && (value < 1 || value > 8)) {
          return Error(s, start, valueAt, "octave outside 1..8");
        }
        if (key == 'b' && value < 1) return Error(s, start, valueAt, "tempo must be above 0");
        // The tempo is checked and dropped: every slot has the same length.
        if (key == 'd') duration_ = value;
        if (key == 'o') octave_ = value;
      }
      const char next = s.Peek();
      if (next == '\0') return std::nullopt;
      if (next != ',') return Error(s, start, s.Position(), "',' expected between settings");
      s.Skip();
    }
  }

  std::optional<ParseError> Notes(size_t begin, size_t end, Kept& kept, size_t& dropped) {
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
        return Error(s, start, durationAt, "duration is not one of 1, 2, 4, 8, 16, 32");
      }
      const size_t letterAt = s.Position();
      char letter = Lower(s.Peek());
      if (letter == ',' || letter == '\0') {
        return Error(
            s, start, letterAt,
            letterAt == durationAt ? "empty note" : "a note letter expected after the duration");
      }
      if (letter == 'h') letter = 'b';
      const bool pause = letter == 'p';
      if (!pause && (letter < 'a' || letter > 'g')) {
        return Error(s, start, letterAt, "not a note letter (a..g, h) or a pause (p)");
      }
      s.Skip();
      bool sharp = false;
      if (s.Peek() == '#') {
        if (pause) return Error(s, start, s.Position(), "a pause has no sharp");
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
        if (pause) return Error(s, start, octaveAt, "a pause has no octave");
        if (octave < 1 || octave > 8) return Error(s, start, octaveAt, "octave outside 1..8");
      } else {
        octave = octave_;
      }
      if (!note.dotted && s.Peek() == '.') {
        note.dotted = true;
        s.Skip();
      }
      const char next = s.Peek();
      if (next != ',' && next != '\0') {
        return Error(s, start, s.Position(), "',' expected after a note");
      }
      if (!pause) {
        static constexpr int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // a..g above C
        note.midi = 12 * (octave + 1) + kSemitone[letter - 'a'] + (sharp ? 1 : 0);
      }
      if (kept.count < kept.notes.size()) {
        kept.notes[kept.count++] = note;
      } else {
        ++dropped;
      }
      if (next == '\0') return std::nullopt;
      s.Skip();
    }
  }

 private:
  ParseError Error(const Scanner& s, size_t itemStart, size_t at, std::string reason) const {
    return textscan::ErrorAt(text_, at, file_, s.ItemAt(itemStart), std::move(reason));
  }

  std::string_view text_;
  std::string_view file_;
  int duration_ = 4, octave_ = 6;
};

// The whole-octave shift that puts the most notes inside the range; on a tie the smallest, and
// of two equally small the downward one.
int BestShift(const Kept& kept) {
  // The range is two octaves wide: each note fits at exactly two neighbouring shifts.
  constexpr int kMostShift = 10;
  std::array<int, 2 * kMostShift + 2> inside{};
  for (size_t i = 0; i < kept.count; ++i) {
    const int midi = kept.notes[i].midi;
    if (midi == kPause) continue;
    // The lowest k with midi + 12k >= the lowest pitch; octaves 1..8 keep |k| well within reach.
    const int low = (Pitch::kLowestMidi - midi + 11 + 12 * kMostShift) / 12 - kMostShift;
    ++inside[static_cast<size_t>(low + kMostShift)];
    if (midi + 12 * (low + 1) <= Pitch::kHighestMidi)
      ++inside[static_cast<size_t>(low + 1 + kMostShift)];
  }
  int best = 0;
  for (int k = 1; k <= kMostShift; ++k) {
    for (const int shift : {-k, k}) {
      if (inside[static_cast<size_t>(shift + kMostShift)] >
          inside[static_cast<size_t>(best + kMostShift)]) {
        best = shift;
      }
    }
  }
  return best;
}

// The code of a MIDI number inside the range, from a table the note model fills once.
const std::string& CodeOfMidi(int midi) {
  static const auto codes = [] {
    std::array<std::string, Pitch::kHighestMidi - Pitch::kLowestMidi + 1> table;
    for (size_t i = 0; i < table.size(); ++i) {
      table[i] = Pitch::FromMidi(Pitch::kLowestMidi + static_cast<int>(i))->Code();
    }
    return table;
  }();
  return codes[static_cast<size_t>(midi - Pitch::kLowestMidi)];
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

std::variant<Imported, ParseError> ReadRtttl(std::string_view bytes, std::string_view fileName) {
  const std::string_view text = textscan::WithoutByteOrderMark(bytes);
  if (auto refused = textscan::RefuseSizeOrBinary(bytes, text, fileName)) return *refused;
  const size_t nameEnd = text.find(':');
  if (nameEnd == std::string_view::npos) {
    return textscan::WholeFileError(fileName, "not RTTTL: no ':' after the name");
  }
  const size_t settingsEnd = text.find(':', nameEnd + 1);
  if (settingsEnd == std::string_view::npos) {
    return textscan::ErrorAt(text, nameEnd, fileName, "",
                             "not RTTTL: no ':' after the settings (name:settings:notes)");
  }
  Reader reader(text, fileName);
  if (auto error = reader.Settings(nameEnd + 1, settingsEnd)) return *error;
  Kept kept;
  size_t dropped = 0;
  if (auto error = reader.Notes(settingsEnd + 1, text.size(), kept, dropped)) return *error;

  Imported imported{EmptyCodes(), {}, true};
  const int shift = BestShift(kept);
  int folded = 0;
  for (size_t i = 0; i < kept.count; ++i) {
    const Note& note = kept.notes[i];
    if (note.midi == kPause) {
      imported.codes[i] = kRestCode;
      continue;
    }
    int midi = note.midi + 12 * shift;
    if (midi < Pitch::kLowestMidi || midi > Pitch::kHighestMidi) ++folded;
    while (midi < Pitch::kLowestMidi) midi += 12;
    while (midi > Pitch::kHighestMidi) midi -= 12;
    imported.codes[i] = CodeOfMidi(midi);
  }

  auto& report = imported.report;
  if (dropped > 0) {
    report.push_back("31 番目以降の " + std::to_string(dropped) + " 個の音符・休符を省きました");
  }
  if (shift != 0) {
    report.push_back("全体を " + std::to_string(std::abs(shift)) + " オクターブ" +
                     (shift > 0 ? "上げました" : "下げました"));
  }
  if (folded > 0) {
    report.push_back("音域外の " + std::to_string(folded) + " 音をオクターブ移して収めました");
  }
  const auto* first = kept.notes.begin();
  const bool mixed = std::any_of(first, first + kept.count, [&](const Note& note) {
    return note.duration != first->duration || note.dotted != first->dotted;
  });
  if (mixed) report.push_back("音の長さは使いません（すべて同じ長さになります）");
  return imported;
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

}  // namespace merin::formats
