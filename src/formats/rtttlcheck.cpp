// SPDX-License-Identifier: MIT
// The RTTTL players' readings, each as its source reads a tune (at the commit named):
//   ESPHome        esphome/esphome, esphome/components/rtttl/rtttl.cpp (3884073)
//   Flipper Zero   flipperdevices/flipperzero-firmware, lib/music_worker/music_worker.c (14c4d5f)
//   AnyRtttl       end2endzone/AnyRtttl, src/anyrtttl.cpp (891212c)
//   MicroPython    dhylands/upy-rtttl, rtttl.py (b396fcf)
//   CircuitPython  adafruit/Adafruit_CircuitPython_RTTTL, adafruit_rtttl.py (0f5df77)
// Every reading goes once through the tune, so a check costs the tune's length a player.
#include "formats/rtttlcheck.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/ascii.h"
#include "formats/fit.h"
#include "formats/rtttl.h"
#include "formats/rtttltune.h"
#include "formats/textscan.h"

namespace merin::formats {
namespace {

using rtttl::RtttlText;
using textscan::IsSpace;

// Numbers are read up to this value and stay there, so that no digit string overflows.
constexpr long kNumberCap = 1'000'000;
// The findings listed of a tune for a player; those after are counted in one more.
constexpr size_t kMostFindings = 100;

bool IsNoteLetter(char c) { return c >= 'a' && c <= 'g'; }
bool IsAlnum(char c) { return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The length of a note of duration `duration`, lengthened by half `dots` times.
double LengthOf(long duration, int dots) {
  double length = duration > 0 ? 1.0 / static_cast<double>(duration) : 0.0;
  for (int i = 0; i < dots; ++i) length *= 1.5;
  return length;
}

PlayedTune Refused(size_t at, const Text& why, std::vector<std::string> values = {}) {
  PlayedTune tune;
  tune.plays = false;
  tune.refusedAt = at;
  tune.why = &why;
  tune.values = std::move(values);
  return tune;
}

// A run of digits at `p`, the value kept as `Wrap` keeps it (an 8-bit player wraps), capped.
template <typename Wrap>
long Digits(std::string_view t, size_t& p, Wrap wrap) {
  long value = 0;
  while (p < t.size() && IsDigit(t[p])) {
    value = wrap(std::min(kNumberCap, value * 10 + (t[p] - '0')));
    ++p;
  }
  return value;
}
long Digits(std::string_view t, size_t& p) {
  return Digits(t, p, [](long v) { return v; });
}
long Digits8(std::string_view t, size_t& p) {
  return Digits(t, p, [](long v) { return v & 0xFF; });
}

// The pitch of a note letter (lower case, 'h' read as 'b' before), sharpened, in `octave`;
// kUnknownPitch outside [low, high].
int PitchOf(char letter, bool sharp, long octave, long low, long high) {
  if (octave < low || octave > high) return kUnknownPitch;
  return KeyOf(letter, static_cast<int>(octave), sharp ? 1 : 0);
}

// ESPHome: the name's ':' within 15 bytes; "d=", "o=", "b=" searched in this order; 8-bit numbers;
// lower-case letters only, 'h' a b; a dot before the octave; an octave outside 4..7 stops it.
PlayedTune Esphome(std::string_view t) {
  const size_t nameEnd = t.find(':');
  if (nameEnd > 15) {
    return Refused(0, RtttlText("rtttl.check-name"), {std::to_string(nameEnd), "15"});
  }
  long values[3] = {};
  size_t p = nameEnd;
  const char* keys[] = {"d=", "o=", "b="};
  for (int k = 0; k < 3; ++k) {
    p = t.find(keys[k], p);
    if (p == std::string_view::npos) return Refused(nameEnd + 1, RtttlText("rtttl.check-settings"));
    p += 2;
    values[k] = Digits8(t, p);
  }
  const long duration = values[0] == 0 ? 4 : values[0];
  const long octave = values[1] < 3 || values[1] > 7 ? 6 : values[1];
  const long tempo = values[2] == 0 ? 63 : values[2];
  p = t.find(':', p);
  if (p == std::string_view::npos) return Refused(nameEnd + 1, RtttlText("rtttl.check-settings"));
  ++p;
  PlayedTune tune;
  tune.wholeMs = static_cast<double>(static_cast<uint16_t>(240000 / tempo));
  for (;;) {
    while (p < t.size() && (t[p] == ',' || t[p] == ' ')) ++p;
    if (p >= t.size()) break;
    const size_t at = p;
    long d = Digits8(t, p);
    if (d == 0) d = duration;
    if (p >= t.size()) break;
    char letter = t[p++];
    if (letter == 'h') letter = 'b';
    const bool note = IsNoteLetter(letter);
    bool sharp = false, dotted = false;
    if (p < t.size() && t[p] == '#') sharp = (++p, true);
    if (p < t.size() && t[p] == '.') dotted = (++p, true);
    long o = octave;
    if (p < t.size() && IsDigit(t[p])) o = t[p++] - '0';
    if (note && (o < 4 || o > 7)) {
      tune.stops = true;
      tune.stopAt = at;
      break;
    }
    tune.notes.push_back(
        {note ? PitchOf(letter, sharp, o, 4, 7) : kRestPitch, LengthOf(d, dotted ? 1 : 0), at});
  }
  return tune;
}

// The Flipper Zero: the numbers after the next three '=' are d, o and b; letters of either case,
// 'p' a pause, any other letter refuses the tune; '#' or '_'; dots after the octave; the rest of
// a note up to its ',' skipped.
PlayedTune Flipper(std::string_view t) {
  const size_t nameEnd = t.find(':');
  long values[3] = {};
  size_t p = nameEnd + 1;
  for (long& value : values) {
    p = t.find('=', p);
    if (p == std::string_view::npos) return Refused(nameEnd + 1, RtttlText("rtttl.check-settings"));
    ++p;
    value = Digits(t, p);
  }
  p = t.find(':', p);
  if (p == std::string_view::npos || values[2] == 0) {
    return Refused(nameEnd + 1, RtttlText("rtttl.check-settings"));
  }
  ++p;
  PlayedTune tune;
  tune.wholeMs = 240000.0 / static_cast<double>(values[2]);
  while (p < t.size()) {
    while (p < t.size() && IsSpace(t[p])) ++p;
    if (p >= t.size()) break;
    const size_t at = p;
    long d = Digits(t, p);
    if (d == 0) d = values[0];
    const char letter = p < t.size() ? AsciiLower(t[p]) : '\0';
    if (!IsNoteLetter(letter) && letter != 'p') {
      return Refused(p, RtttlText("rtttl.check-letter"));
    }
    ++p;
    bool sharp = false;
    if (p < t.size() && (t[p] == '#' || t[p] == '_')) sharp = (++p, true);
    long o = values[1];
    if (p < t.size() && IsDigit(t[p])) o = Digits(t, p);
    int dots = 0;
    while (p < t.size() && t[p] == '.') ++dots, ++p;
    const size_t comma = t.find(',', p);
    p = comma == std::string_view::npos ? t.size() : comma + 1;
    tune.notes.push_back(
        {letter == 'p' ? kRestPitch : PitchOf(letter, sharp, o, 0, 16), LengthOf(d, dots), at});
  }
  return tune;
}

// AnyRtttl: exactly "d=N,o=N,b=N" after the name, each key read only in its place (two
// characters skipped for "k=", one after the value); lower-case letters only; a dot before the
// octave; one octave digit, 4..7 in its table; whatever else is read as a note of its own.
PlayedTune Arduino(std::string_view t) {
  size_t p = t.find(':') + 1;
  const auto at = [&](char c) { return p < t.size() && t[p] == c; };
  long duration = 4, octave = 6, tempo = 63;
  if (at('d')) {
    p += 2;
    if (const long n = Digits(t, p); n > 0) duration = n;
    ++p;
  }
  if (at('o')) {
    p += 2;
    const long n = p < t.size() ? t[p] - '0' : -1;
    ++p;
    if (n >= 3 && n <= 7) octave = n;
    ++p;
  }
  if (at('b')) {
    const size_t key = p;
    p += 2;
    tempo = Digits(t, p);
    if (tempo == 0) return Refused(key, RtttlText("rtttl.check-tempo-zero"));
    ++p;
  }
  PlayedTune tune;
  tune.wholeMs = static_cast<double>((60000 / tempo) * 4);
  while (p < t.size()) {
    const size_t noteAt = p;
    long d = Digits(t, p);
    if (d == 0) d = duration;
    const char letter = p < t.size() ? t[p] : '\0';
    ++p;
    bool sharp = false, dotted = false;
    if (at('#')) sharp = (++p, true);
    if (at('.')) dotted = (++p, true);
    long o = octave;
    if (p < t.size() && IsDigit(t[p])) o = t[p++] - '0';
    if (at(',')) ++p;
    tune.notes.push_back({IsNoteLetter(letter) ? PitchOf(letter, sharp, o, 4, 7) : kRestPitch,
                          LengthOf(d, dotted ? 1 : 0), noteAt});
  }
  return tune;
}

// MicroPython: d, o and b all given, any order and case; spaces and commas between notes skipped;
// letters of either case, 'h' a b; only a dot after the octave counts; octave digits 4..7.
PlayedTune Micropython(std::string_view t) {
  const size_t nameEnd = t.find(':');
  const size_t settingsEnd = t.find(':', nameEnd + 1);
  long values[3] = {-1, -1, -1};  // d, o, b; -1 until given
  char id = ' ';
  long value = 0;
  for (size_t i = nameEnd + 1; i < settingsEnd; ++i) {
    const char c = AsciiLower(t[i]);
    if (IsDigit(c)) {
      value = std::min(kNumberCap, value * 10 + (c - '0'));
      if (id == 'd' || id == 'o' || id == 'b') values[id == 'd' ? 0 : id == 'o' ? 1 : 2] = value;
    } else if (c >= 'a' && c <= 'z') {
      id = c;
      value = 0;
    }
  }
  if (values[0] < 1 || values[1] < 0 || values[2] < 1) {
    return Refused(nameEnd + 1, RtttlText("rtttl.check-settings"));
  }
  PlayedTune tune;
  tune.wholeMs = 240000.0 / static_cast<double>(values[2]);
  size_t p = settingsEnd + 1;
  while (p < t.size()) {
    while (p < t.size() && (t[p] == ' ' || t[p] == ',')) ++p;
    const size_t at = p;
    long d = Digits(t, p);
    if (d == 0) d = values[0];
    if (p >= t.size()) break;
    char letter = AsciiLower(t[p++]);
    if (letter == 'h') letter = 'b';
    bool sharp = false, dotted = false;
    if (p < t.size() && t[p] == '#') sharp = (++p, true);
    if (p < t.size() && t[p] == '.') ++p;  // forgotten
    long o = values[1];
    if (p < t.size() && t[p] >= '4' && t[p] <= '7') o = t[p++] - '0';
    if (p < t.size() && t[p] == '.') dotted = (++p, true);
    tune.notes.push_back({IsNoteLetter(letter) ? PitchOf(letter, sharp, o, 0, 99) : kRestPitch,
                          LengthOf(d, dotted ? 1 : 0), at});
  }
  return tune;
}

// Python's int() of a text: digits between white space; none when it is not one.
std::optional<long> PythonInt(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  if (s.empty() || s.size() > 9) return std::nullopt;
  long value = 0;
  for (const char c : s) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// CircuitPython: the text lower-cased; settings split at ',', each "k=…" by its first character;
// notes split at ',' and stripped; two duration digits at most; a dot anywhere; the last character
// the octave when a digit; only notes of its table from 4c to 7c# sound.
PlayedTune Circuitpython(std::string_view t) {
  const size_t nameEnd = t.find(':');
  const size_t settingsEnd = t.find(':', nameEnd + 1);
  long duration = 4, tempo = 63;
  std::string octave = "6";
  for (size_t i = nameEnd + 1;;) {
    const size_t comma = std::min(t.find(',', i), settingsEnd);
    const std::string_view part = t.substr(i, comma - i);
    if (part.empty()) return Refused(i, RtttlText("rtttl.check-settings"));
    const char key = AsciiLower(part[0]);
    const std::string_view value = part.size() > 2 ? part.substr(2) : std::string_view();
    if (key == 'd' || key == 'b') {
      const auto number = PythonInt(value);
      if (!number) return Refused(i, RtttlText("rtttl.check-settings"));
      (key == 'd' ? duration : tempo) = *number;
    } else if (key == 'o') {
      octave = AsciiLower(value);
    }
    if (comma == settingsEnd) break;
    i = comma + 1;
  }
  if (tempo == 0) return Refused(nameEnd + 1, RtttlText("rtttl.check-tempo-zero"));
  PlayedTune tune;
  tune.wholeMs = 240000.0 / static_cast<double>(tempo);
  for (size_t i = settingsEnd + 1;;) {
    const size_t comma = std::min(t.find(',', i), t.size());
    size_t begin = i, end = comma;
    while (begin < end && IsSpace(t[begin])) ++begin;
    while (end > begin && IsSpace(t[end - 1])) --end;
    const std::string_view note = t.substr(begin, end - begin);
    const bool last = comma == t.size();
    if (note.empty()) {
      // Python fails on the empty note: after the last one, nothing is lost.
      tune.stops = true;
      tune.stopAt = begin;
      break;
    }
    long d = duration;
    size_t letterAt = 0;
    if (IsDigit(note[0]) && note.size() > 1 && IsDigit(note[1])) {
      d = (note[0] - '0') * 10 + (note[1] - '0');
      letterAt = 2;
    } else if (IsDigit(note[0])) {
      d = note[0] - '0';
      letterAt = 1;
    }
    if (letterAt >= note.size() || d == 0) {
      tune.stops = true;
      tune.stopAt = begin;
      break;
    }
    const char letter = AsciiLower(note[letterAt]);
    const bool sharp = note.find('#') != std::string_view::npos;
    const bool dotted = note.find('.') != std::string_view::npos;
    const std::string noteOctave = IsDigit(note.back()) ? std::string(1, note.back()) : octave;
    int pitch = kRestPitch;
    const bool sharpable = letter != 'e' && letter != 'b';
    if (IsNoteLetter(letter) && (!sharp || sharpable) && noteOctave.size() == 1 &&
        noteOctave[0] >= '4' && noteOctave[0] <= '7') {
      const int o = noteOctave[0] - '0';
      if (o < 7 || (letter == 'c')) pitch = KeyOf(letter, o, sharp ? 1 : 0);
    }
    tune.notes.push_back({pitch, LengthOf(d, dotted ? 1 : 0), begin});
    if (last) break;
    i = comma + 1;
  }
  return tune;
}

// The token a finding shows: the part of the tune from `at` to the next ',' or ':' or line end,
// outer white space left out.
std::string TokenAt(std::string_view t, size_t at) {
  size_t end = at;
  while (end < t.size() && t[end] != ',' && t[end] != ':' && t[end] != '\n' && t[end] != '\r')
    ++end;
  while (end > at && IsSpace(t[end - 1])) --end;
  std::string token(t.substr(at, end - at));
  if (token.size() > 40) token = token.substr(0, 40) + "...";
  return token;
}

// A note's length as RTTTL writes it: "8." for 0.1875; else the part of a whole note.
std::string LengthName(double length) {
  for (long d = 1; d <= 256; d *= 2) {
    for (int dots = 0; dots <= 3; ++dots) {
      if (std::abs(LengthOf(d, dots) - length) < 1e-9)
        return std::to_string(d) + std::string(dots, '.');
    }
  }
  return std::to_string(length);
}

std::string PitchName(int pitch) {
  if (pitch < 0) return "p";
  constexpr const char* kNames[] = {"c",  "c#", "d",  "d#", "e",  "f",
                                    "f#", "g",  "g#", "a",  "a#", "b"};
  return kNames[pitch % 12] + std::to_string(pitch / 12 - 1);
}

long Tempo(double wholeMs) { return wholeMs > 0 ? std::lround(240000.0 / wholeMs) : 0; }

// Adds what `played` does otherwise than `intended` to `findings`, `id` naming the player, at
// offsets of the tune `t`, which starts at `tuneStart` of `text`.
void Compare(const PlayedTune& intended, const PlayedTune& played, std::string_view id,
             std::string_view text, textscan::LineStart tuneStart, std::string_view t,
             std::vector<RtttlFinding>& findings) {
  // Findings come in the order of the text: each place is counted on from the one before, so
  // that a tune of many findings costs its length once.
  textscan::LineStart from = tuneStart;
  size_t column = 1;
  size_t shown = 0, hidden = 0, hiddenAt = 0;
  const auto add = [&](size_t at, const Text& message, std::vector<std::string> values = {}) {
    if (shown == kMostFindings) {
      if (hidden++ == 0) hiddenAt = at;
      return;
    }
    ++shown;
    const size_t offset = tuneStart.offset + at;
    if (offset < from.offset) from = tuneStart, column = 1;
    const Refusal where = textscan::ErrorAt(text, offset, "", "", message, from);
    const size_t line = where.line;
    const size_t col = where.line == from.line ? where.column + column - 1 : where.column;
    from = {offset, line};
    column = col;
    values.insert(values.begin(), std::string(id));
    findings.push_back({line, col, TokenAt(t, at), &message, std::move(values)});
  };
  const size_t settingsAt = t.find(':') + 1;
  [&] {
    if (!played.plays) {
      add(played.refusedAt, *played.why, played.values);
      return;
    }
    if (std::abs(played.wholeMs - intended.wholeMs) >= 4.0) {
      add(settingsAt, RtttlText("rtttl.check-tempo"),
          {std::to_string(Tempo(played.wholeMs)), std::to_string(Tempo(intended.wholeMs))});
    }
    const auto& want = intended.notes;
    // The played notes of each intended one: those read from where it starts to where the next
    // does.
    size_t n = 0;
    size_t before = 0;
    while (n < played.notes.size() && (want.empty() || played.notes[n].at < want.front().at)) {
      ++before, ++n;
    }
    if (before == 1) add(played.notes.front().at, RtttlText("rtttl.check-before"));
    if (before > 1) {
      add(played.notes.front().at, RtttlText("rtttl.check-before-many"), {std::to_string(before)});
    }
    for (size_t k = 0; k < want.size(); ++k) {
      const size_t next = k + 1 < want.size() ? want[k + 1].at : t.size() + 1;
      const size_t first = n;
      while (n < played.notes.size() && played.notes[n].at < next) ++n;
      const bool stopsHere = played.stops && played.stopAt < next;
      if (first == n) {
        add(want[k].at,
            stopsHere ? RtttlText("rtttl.check-stops") : RtttlText("rtttl.check-nothing"));
        if (stopsHere) return;
        continue;
      }
      const PlayedNote& got = played.notes[first];
      if (got.pitch != want[k].pitch) {
        if (got.pitch == kRestPitch) {
          add(want[k].at, RtttlText("rtttl.check-rest"));
        } else if (got.pitch == kUnknownPitch) {
          add(want[k].at, RtttlText("rtttl.check-unknown"));
        } else {
          add(want[k].at, RtttlText("rtttl.check-pitch"),
              {PitchName(got.pitch), PitchName(want[k].pitch)});
        }
      }
      if (std::abs(got.length - want[k].length) > 1e-9) {
        add(want[k].at, RtttlText("rtttl.check-length"),
            {LengthName(got.length), LengthName(want[k].length)});
      }
      const size_t extra = n - first - 1;
      if (extra > 0) {
        const bool rests = std::all_of(played.notes.begin() + static_cast<long>(first) + 1,
                                       played.notes.begin() + static_cast<long>(n),
                                       [](const PlayedNote& p) { return p.pitch == kRestPitch; });
        if (rests && extra == 1) {
          add(want[k].at, RtttlText("rtttl.check-rest-after"));
        } else {
          add(want[k].at,
              rests ? RtttlText("rtttl.check-rests-after") : RtttlText("rtttl.check-notes-after"),
              {std::to_string(extra)});
        }
      }
      if (stopsHere && k + 1 < want.size()) {
        add(played.stopAt, RtttlText("rtttl.check-stops"));
        return;
      }
    }
  }();
  if (hidden > 0) {
    shown = 0;
    add(hiddenAt, RtttlText("rtttl.check-more"), {std::to_string(hidden)});
  }
}

}  // namespace

PlayedTune IntendedRtttl(std::string_view t) {
  const size_t nameEnd = t.find(':');
  const size_t settingsEnd = t.find(':', nameEnd + 1);
  // The next character that is not white space before `end`, '\0' at `end`.
  const auto next = [t](size_t& i, size_t end) {
    while (i < end && IsSpace(t[i])) ++i;
    return i < end ? t[i] : '\0';
  };
  const auto number = [&](size_t& i, size_t end, long fallback) {
    if (!IsDigit(next(i, end))) return fallback;
    long value = 0;
    while (IsDigit(next(i, end))) value = std::min(kNumberCap, value * 10 + (t[i++] - '0'));
    return value;
  };
  long duration = 4, octave = 6, tempo = 63;
  for (size_t i = nameEnd + 1; next(i, settingsEnd) != '\0';) {
    const char key = AsciiLower(t[i++]);
    next(i, settingsEnd);
    ++i;  // '='
    if (key == 'v' || key == 's') {
      while (IsAlnum(next(i, settingsEnd))) ++i;
    } else {
      const long value = number(i, settingsEnd, 0);
      (key == 'd' ? duration : key == 'o' ? octave : tempo) = value;
    }
    if (next(i, settingsEnd) == ',') ++i;
  }
  PlayedTune tune;
  tune.wholeMs = 240000.0 / static_cast<double>(tempo);
  for (size_t i = settingsEnd + 1; next(i, t.size()) != '\0';) {
    const size_t at = i;
    const long d = number(i, t.size(), duration);
    char letter = AsciiLower(t[i++]);
    if (letter == 'h') letter = 'b';
    bool sharp = false, dotted = false;
    if (next(i, t.size()) == '#') sharp = (++i, true);
    if (next(i, t.size()) == '.') dotted = (++i, true);
    const long o = number(i, t.size(), octave);
    if (letter != 'p' && !sharp && next(i, t.size()) == '#') sharp = (++i, true);
    if (!dotted && next(i, t.size()) == '.') dotted = (++i, true);
    if (next(i, t.size()) == ',') ++i;
    tune.notes.push_back({letter == 'p' ? kRestPitch : KeyOf(letter, static_cast<int>(o), sharp),
                          LengthOf(d, dotted ? 1 : 0), at});
  }
  return tune;
}

PlayedTune PlayedRtttl(std::string_view tune, RtttlPlayer player) {
  switch (player) {
    case RtttlPlayer::kEsphome:
      return Esphome(tune);
    case RtttlPlayer::kFlipper:
      return Flipper(tune);
    case RtttlPlayer::kArduino:
      return Arduino(tune);
    case RtttlPlayer::kMicropython:
      return Micropython(tune);
    case RtttlPlayer::kCircuitpython:
      return Circuitpython(tune);
    case RtttlPlayer::kPortable:
    case RtttlPlayer::kStandard:
      break;
  }
  return IntendedRtttl(tune);
}

bool SamePlaying(const PlayedTune& intended, const PlayedTune& played) {
  if (!played.plays || std::abs(played.wholeMs - intended.wholeMs) >= 4.0 ||
      played.notes.size() != intended.notes.size()) {
    return false;
  }
  for (size_t i = 0; i < played.notes.size(); ++i) {
    if (played.notes[i].pitch != intended.notes[i].pitch ||
        std::abs(played.notes[i].length - intended.notes[i].length) > 1e-9) {
      return false;
    }
  }
  return true;
}

std::variant<std::vector<RtttlTuneCheck>, Refusal> CheckRtttl(std::string_view bytes,
                                                              std::string_view fileName,
                                                              RtttlPlayer player) {
  const std::vector<RtttlTune> tunes = ListRtttlTunes(bytes, fileName);
  const std::string_view text = textscan::WithoutByteOrderMark(bytes);
  if (tunes.size() == 1 && tunes.front().refused) {
    return std::get<Refusal>(ReadRtttl(bytes, fileName));
  }
  std::vector<RtttlPlayer> players;
  if (player == RtttlPlayer::kPortable || player == RtttlPlayer::kStandard) {
    for (const RtttlProfile& profile : RtttlProfiles()) {
      if (profile.checked && profile.player != RtttlPlayer::kPortable) {
        players.push_back(profile.player);
      }
    }
  } else {
    players.push_back(player);
  }
  std::vector<RtttlTuneCheck> checks;
  for (size_t number = 1; number <= tunes.size(); ++number) {
    const RtttlTune& tune = tunes[number - 1];
    RtttlTuneCheck& check = checks.emplace_back();
    check.title = tune.title;
    check.line = tune.line;
    if (tune.refused) {
      check.refused = std::get<Refusal>(ReadListedTune(bytes, fileName, tunes, number));
      continue;
    }
    size_t end = tune.end;
    while (end > tune.begin && IsSpace(text[end - 1])) --end;
    const std::string_view t = text.substr(tune.begin, end - tune.begin);
    const PlayedTune intended = IntendedRtttl(t);
    for (const RtttlPlayer one : players) {
      const RtttlProfile& profile =
          *std::find_if(RtttlProfiles().begin(), RtttlProfiles().end(),
                        [one](const RtttlProfile& p) { return p.player == one; });
      Compare(intended, PlayedRtttl(t, one), profile.id, text, {tune.begin, tune.line}, t,
              check.findings);
    }
    std::stable_sort(check.findings.begin(), check.findings.end(),
                     [](const RtttlFinding& a, const RtttlFinding& b) {
                       return std::pair(a.line, a.column) < std::pair(b.line, b.column);
                     });
  }
  return checks;
}

std::string Words(const RtttlFinding& finding, Language language) {
  const std::string what = Words(*finding.message, language, finding.values);
  if (finding.token.empty()) {
    return Words(RtttlText("rtttl.check-finding-here"), language,
                 {std::to_string(finding.line), std::to_string(finding.column), what});
  }
  return Words(RtttlText("rtttl.check-finding"), language,
               {std::to_string(finding.line), std::to_string(finding.column), finding.token, what});
}

}  // namespace merin::formats
