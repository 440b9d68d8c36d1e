// SPDX-License-Identifier: MIT
// The RTTTL export for each player and the check for each, against oracles: for every player a
// small reader of our own, written from how its source reads a tune (step by step, at the commit
// named above each), giving the notes it plays. They share nothing with the readings of the check.
#include <cctype>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <set>

#include <gtest/gtest.h>

#include "core/notecode.h"
#include "core/pitch.h"
#include "formats/fit.h"
#include "formats/rtttl.h"
#include "formats/rtttlcheck.h"
#include "formats/rtttlplayer.h"
#include "formats/slots.h"
#include "support/melodies.h"

namespace merin::formats {
namespace {

using test::MelodyOf;

// What a player plays of a tune: nothing, or a whole note's length and the notes (pitch as MIDI
// numbers it, -1 a rest, -2 a pitch outside its table; length as a part of a whole note).
struct Heard {
  bool plays = true;
  double wholeMs = 0;
  std::vector<std::pair<int, double>> notes;
};

Heard Nothing() { return {false, 0, {}}; }

int Midi(char letter, int sharp, long octave) {
  static const int kFromC[] = {9, 11, 0, 2, 4, 5, 7};
  return static_cast<int>(12 * (octave + 1)) + kFromC[letter - 'a'] + sharp;
}

bool Digit(char c) { return c >= '0' && c <= '9'; }

std::vector<std::string> Split(const std::string& s, char by) {
  std::vector<std::string> parts(1);
  for (const char c : s) {
    if (c == by) {
      parts.emplace_back();
    } else {
      parts.back().push_back(c);
    }
  }
  return parts;
}

std::string Strip(std::string s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.erase(0, 1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
  return s;
}

// esphome/esphome, esphome/components/rtttl/rtttl.cpp, commit 3884073.
Heard Esphome(const std::string& s) {
  const size_t colon = s.find(':');
  if (colon == std::string::npos || colon > 15) return Nothing();
  size_t i = colon;
  const auto number = [&] {
    uint8_t v = 0;
    while (i < s.size() && Digit(s[i])) v = static_cast<uint8_t>(v * 10 + (s[i++] - '0'));
    return v;
  };
  uint8_t settings[3];
  for (int k = 0; k < 3; ++k) {
    i = s.find(std::string(1, "dob"[k]) + "=", i);
    if (i == std::string::npos) return Nothing();
    i += 2;
    settings[k] = number();
  }
  const int duration = settings[0] ? settings[0] : 4;
  const int octave = settings[1] >= 3 && settings[1] <= 7 ? settings[1] : 6;
  const int bpm = settings[2] ? settings[2] : 63;
  i = s.find(':', i);
  if (i == std::string::npos) return Nothing();
  ++i;
  Heard heard;
  heard.wholeMs = static_cast<uint16_t>(240000 / bpm);
  for (;;) {
    while (i < s.size() && (s[i] == ',' || s[i] == ' ')) ++i;
    if (i == s.size()) break;
    int d = number();
    if (d == 0) d = duration;
    if (i == s.size()) break;
    char c = s[i++];
    if (c == 'h') c = 'b';
    const bool note = std::string("cdefgab").find(c) != std::string::npos;
    int sharp = 0;
    double length = 1.0 / d;
    if (i < s.size() && s[i] == '#') sharp = 1, ++i;
    if (i < s.size() && s[i] == '.') length *= 1.5, ++i;
    int o = octave;
    if (i < s.size() && Digit(s[i])) o = s[i++] - '0';
    if (note && (o < 4 || o > 7)) break;  // stops playing
    heard.notes.emplace_back(note ? Midi(c, sharp, o) : -1, length);
  }
  return heard;
}

// flipperdevices/flipperzero-firmware, lib/music_worker/music_worker.c, commit 14c4d5f.
Heard Flipper(const std::string& s) {
  size_t i = s.find(':') + 1;
  long settings[3];
  for (long& value : settings) {
    i = s.find('=', i);
    if (i == std::string::npos) return Nothing();
    value = 0;
    for (++i; i < s.size() && Digit(s[i]); ++i)
      value = std::min(10'000'000L, value * 10 + s[i] - '0');
  }
  i = s.find(':', i);
  if (i == std::string::npos || settings[2] == 0) return Nothing();
  Heard heard;
  heard.wholeMs = 60000.0 * 4 / static_cast<double>(settings[2]);
  const std::vector<std::string> notes = Split(s.substr(i + 1), ',');
  for (size_t n = 0; n < notes.size(); ++n) {
    const std::string note = Strip(notes[n]);
    if (note.empty() && n + 1 == notes.size()) break;
    size_t k = 0;
    long d = 0, o = 0;
    while (k < note.size() && Digit(note[k])) d = d * 10 + note[k++] - '0';
    if (d == 0) d = settings[0];
    const char letter = k < note.size() ? static_cast<char>(std::tolower(note[k++])) : '?';
    if (letter != 'p' && (letter < 'a' || letter > 'g')) return Nothing();
    const int sharp = k < note.size() && (note[k] == '#' || note[k] == '_') ? (++k, 1) : 0;
    if (k < note.size() && Digit(note[k])) {
      while (k < note.size() && Digit(note[k])) o = std::min(1000L, o * 10 + note[k++] - '0');
    } else {
      o = settings[1];
    }
    double length = 1.0 / static_cast<double>(d);
    while (k < note.size() && note[k] == '.') length *= 1.5, ++k;
    heard.notes.emplace_back(letter == 'p' ? -1 : o > 16 ? -2 : Midi(letter, sharp, o), length);
  }
  return heard;
}

// end2endzone/AnyRtttl, src/anyrtttl.cpp, commit 891212c (the "arduino" player).
Heard Arduino(const std::string& s) {
  const auto at = [&](size_t k) { return k < s.size() ? s[k] : '\0'; };
  size_t p = s.find(':') + 1;
  int duration = 4, octave = 6;
  long bpm = 63, num;
  const auto digits = [&] {
    num = 0;
    while (Digit(at(p))) num = std::min(10'000'000L, num * 10 + at(p++) - '0');
  };
  if (at(p) == 'd') {
    p += 2;
    digits();
    if (num > 0) duration = static_cast<int>(num);
    p++;
  }
  if (at(p) == 'o') {
    p += 2;
    num = at(p++) - '0';
    if (num >= 3 && num <= 7) octave = static_cast<int>(num);
    p++;
  }
  if (at(p) == 'b') {
    p += 2;
    digits();
    bpm = num;
    p++;
  }
  if (bpm == 0) return Nothing();  // divides by zero
  Heard heard;
  heard.wholeMs = static_cast<double>((60000 / bpm) * 4);
  while (at(p)) {
    digits();
    const double length = 1.0 / static_cast<double>(num ? num : duration);
    const char c = at(p++);
    const bool note = std::string("cdefgab").find(c) != std::string::npos && c != '\0';
    int sharp = 0, scale = octave;
    bool dotted = false;
    if (at(p) == '#') sharp = 1, p++;
    if (at(p) == '.') dotted = true, p++;
    if (Digit(at(p))) scale = at(p++) - '0';
    if (at(p) == ',') p++;
    heard.notes.emplace_back(!note                    ? -1
                             : scale < 4 || scale > 7 ? -2
                                                      : Midi(c, sharp, scale),
                             dotted ? length * 1.5 : length);
  }
  return heard;
}

// dhylands/upy-rtttl, rtttl.py, commit b396fcf.
Heard Micropython(const std::string& s) {
  const std::vector<std::string> parts = Split(s, ':');
  if (parts.size() != 3) return Nothing();
  std::map<char, double> given;
  char id = ' ';
  double value = 0;
  for (const char raw : parts[1]) {
    const char c = static_cast<char>(std::tolower(raw));
    if (Digit(c)) {
      value = value * 10 + (c - '0');
      given[id] = value;
    } else if (std::isalpha(static_cast<unsigned char>(c))) {
      id = c;
      value = 0;
    }
  }
  if (!given.count('d') || !given.count('o') || !given.count('b') || given['b'] == 0 ||
      given['d'] == 0) {
    return Nothing();
  }
  Heard heard;
  heard.wholeMs = 240000.0 / std::min(given['b'], 1e6);
  const std::string& t = parts[2];
  size_t i = 0;
  const auto next = [&] { return i < t.size() ? t[i++] : '\0'; };
  char c = next();
  for (;;) {
    while (c == ' ' || c == ',') c = next();
    double d = 0;
    while (Digit(c)) d = std::min(1e6, d * 10 + (c - '0')), c = next();
    if (d == 0) d = given['d'];
    if (c == '\0') break;
    char letter = static_cast<char>(std::tolower(c));
    if (letter == 'h') letter = 'b';
    c = next();
    int sharp = 0;
    if (c == '#') sharp = 1, c = next();
    if (c == '.') c = next();
    double octave = given['o'];
    if (c >= '4' && c <= '7') octave = c - '0', c = next();
    double length = 1.0 / d;
    if (c == '.') length *= 1.5, c = next();
    const bool note = letter >= 'a' && letter <= 'g';
    heard.notes.emplace_back(note ? Midi(letter, sharp, std::lround(std::min(octave, 1e6))) : -1,
                             length);
  }
  return heard;
}

// adafruit/Adafruit_CircuitPython_RTTTL, adafruit_rtttl.py, commit 0f5df77.
Heard Circuitpython(const std::string& text) {
  std::string s = text;
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::vector<std::string> parts = Split(s, ':');
  if (parts.size() != 3) return Nothing();
  long duration = 4, tempo = 63;
  std::string octave = "6";
  const auto integer = [](const std::string& v, long& into) {
    const std::string digits = Strip(v);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return false;
    into = std::stol(digits.substr(0, 9));
    return true;
  };
  for (const std::string& setting : Split(parts[1], ',')) {
    if (setting.empty()) return Nothing();
    const std::string value = setting.size() > 2 ? setting.substr(2) : "";
    if ((setting[0] == 'd' && !integer(value, duration)) ||
        (setting[0] == 'b' && !integer(value, tempo))) {
      return Nothing();
    }
    if (setting[0] == 'o') octave = value;
  }
  if (tempo == 0) return Nothing();
  std::set<std::string> piano;
  const char* names[] = {"c", "c#", "d", "d#", "e", "f", "f#", "g", "g#", "a", "a#", "b"};
  for (int o = 4; o <= 7; ++o) {
    for (int n = 0; n < 12 && (o < 7 || n < 2); ++n) piano.insert(std::to_string(o) + names[n]);
  }
  Heard heard;
  heard.wholeMs = 240000.0 / static_cast<double>(tempo);
  for (const std::string& raw : Split(parts[2], ',')) {
    const std::string note = Strip(raw);
    if (note.empty()) break;  // Python fails here
    long d = duration;
    size_t k = 0;
    if (Digit(note[0]) && note.size() > 1 && Digit(note[1])) {
      d = std::stol(note.substr(0, 2)), k = 2;
    } else if (Digit(note[0])) {
      d = note[0] - '0', k = 1;
    }
    if (k >= note.size() || d == 0) break;
    std::string key = std::string(1, note[k]);
    if (note.find('#') != std::string::npos) key += '#';
    key = (Digit(note.back()) ? std::string(1, note.back()) : octave) + key;
    const bool sounds = piano.count(key) > 0;
    heard.notes.emplace_back(sounds ? Midi(key[1], key.size() > 2 ? 1 : 0, key[0] - '0') : -1,
                             (note.find('.') != std::string::npos ? 1.5 : 1.0) / d);
  }
  return heard;
}

const std::map<RtttlPlayer, std::function<Heard(const std::string&)>> kOracles = {
    {RtttlPlayer::kEsphome, Esphome},
    {RtttlPlayer::kFlipper, Flipper},
    {RtttlPlayer::kArduino, Arduino},
    {RtttlPlayer::kMicropython, Micropython},
    {RtttlPlayer::kCircuitpython, Circuitpython},
};

// Whether `heard` is what the text means: its notes, at a tempo within 4 ms a whole note.
bool SameAsMeant(const Heard& heard, const PlayedTune& meant) {
  if (!heard.plays || std::abs(heard.wholeMs - meant.wholeMs) >= 4.0 ||
      heard.notes.size() != meant.notes.size()) {
    return false;
  }
  for (size_t i = 0; i < heard.notes.size(); ++i) {
    if (heard.notes[i].first != meant.notes[i].pitch ||
        std::abs(heard.notes[i].second - meant.notes[i].length) > 1e-9) {
      return false;
    }
  }
  return true;
}

const RtttlProfile& Profile(std::string_view id) { return *RtttlProfileOf(id); }

// The players a writing is for: itself, or every player for "portable" and "standard".
std::vector<RtttlPlayer> PlayersOf(const RtttlProfile& profile) {
  if (profile.player != RtttlPlayer::kPortable && profile.player != RtttlPlayer::kStandard) {
    return {profile.player};
  }
  std::vector<RtttlPlayer> all;
  for (const auto& [player, oracle] : kOracles) all.push_back(player);
  return all;
}

TEST(RtttlProfiles, NameEveryPlayerOnceAndPortableIsTheStrictest) {
  std::set<std::string_view> ids;
  const RtttlProfile& portable = Profile("portable");
  for (const RtttlProfile& profile : RtttlProfiles()) {
    EXPECT_TRUE(ids.insert(profile.id).second) << profile.id;
    EXPECT_EQ(RtttlProfileOf(profile.id), &profile);
    if (!profile.checked || profile.player == RtttlPlayer::kPortable) continue;
    if (profile.nameBytes) {
      EXPECT_LE(portable.nameBytes, profile.nameBytes) << profile.id;
    }
    EXPECT_GE(portable.lowestTempo, profile.lowestTempo) << profile.id;
    EXPECT_LE(portable.highestTempo, profile.highestTempo) << profile.id;
    EXPECT_GE(portable.lowestOctave, profile.lowestOctave) << profile.id;
    EXPECT_LE(portable.highestOctave, profile.highestOctave) << profile.id;
  }
  EXPECT_EQ(RtttlProfileOf("nokia"), nullptr);
  EXPECT_EQ(StandardRtttlTempos().size(), 32u);
}

// Every export for every player plays on its oracle exactly as meant: each slot's pitch (rests
// for rests and the empty slots between), every slot as long, the slot as near 280 ms as the
// player's tempos let it be, and the name taken.
TEST(WriteRtttlFor, EveryExportPlaysOnItsPlayerAsMeant) {
  std::vector<std::string> all24 = NoteCodes();
  all24.insert(all24.begin() + 5, std::string(kRestCode));
  all24.insert(all24.begin() + 9, std::string(kEmptyCode));
  const std::string kanji = "\xE6\x9B\xB2";  // 3 bytes a character
  const struct {
    SlotCodes codes;
    std::string title;
  } melodies[] = {
      {MelodyOf(all24), "A very long title of a tune, twenty-seven and more"},
      {MelodyOf({"11", "72", "01", "64"}), "Ode"},
      {MelodyOf({"13", "99", "99", "41"}), kanji + kanji + kanji + kanji + kanji + kanji},
      {MelodyOf({"01", "22"}), ""},
  };
  const double slot = 60000.0 / 214;
  for (const RtttlProfile& profile : RtttlProfiles()) {
    for (const auto& melody : melodies) {
      const RtttlExport made = WriteRtttlFor(melody.codes, melody.title, profile);
      const size_t nameBytes = made.text.find(':');
      if (profile.nameBytes) {
        EXPECT_LE(nameBytes, profile.nameBytes) << made.text;
      }
      EXPECT_EQ(made.changes.empty(), made.text == WriteRtttl(melody.codes, melody.title))
          << made.text;
      std::vector<int> meant;
      for (size_t i = 0; i < UsedSlots(melody.codes); ++i) {
        const auto pitch = Pitch::FromCode(melody.codes[i]);
        meant.push_back(pitch ? pitch->Midi() : -1);
      }
      for (const RtttlPlayer player : PlayersOf(profile)) {
        const Heard heard = kOracles.at(player)(made.text);
        ASSERT_TRUE(heard.plays) << profile.id << ": " << made.text;
        std::vector<int> pitches;
        for (const auto& [pitch, length] : heard.notes) {
          pitches.push_back(pitch);
          EXPECT_NEAR(length, heard.notes.front().second, 1e-12) << made.text;
          EXPECT_NEAR(heard.wholeMs * length, slot, profile.standardTempos ? 15.0 : 4.0)
              << profile.id << ": " << made.text;
        }
        EXPECT_EQ(pitches, meant) << profile.id << ": " << made.text;
      }
    }
  }
  // The default export of a long title is what ESPHome refuses, so the name cut is needed.
  EXPECT_FALSE(Esphome(WriteRtttl(MelodyOf({"11"}), melodies[0].title)).plays);
}

// The tune of a one-tune text as the check reads it: what follows its last note left out.
std::string Trimmed(const std::string& text) { return Strip(text); }

// Whether the check for `player` reports nothing about `text`.
bool CheckSaysNothing(const std::string& text, RtttlPlayer player) {
  auto checked = CheckRtttl(text, "t.rtttl", player);
  const auto& tunes = std::get<std::vector<RtttlTuneCheck>>(checked);
  return tunes.size() == 1 && !tunes[0].refused && tunes[0].findings.empty();
}

// The known differences, and tunes every player plays as meant.
const char* const kProbes[] = {
    "Plain:d=4,o=5,b=100:c,d,e,f,g,a,b,c6",
    "Sharp:d=8,o=5,b=140:c#,d#6,f#4,g#,a#",
    "Rests:d=4,o=5,b=90:p,8p,c,2p",
    "DotAfter:d=4,o=5,b=100:c5.,e",
    "DotBefore:d=4,o=5,b=100:c.5,e",
    "Upper:d=4,o=5,b=100:C,D,e",
    "Aitch:d=4,o=5,b=100:h,c",
    "Spaces:d=4,o=5,b=100:c, d, e",
    "Defaults::c,d,e",
    "Order:b=100,o=5,d=8:c,d",
    "OnlyB:b=120:c,d",
    "LongNameOfTwentyThree:d=4,o=5,b=100:c",
    "Fifteen15Bytes!:d=4,o=5,b=100:c",
    "Tempo300:d=4,o=5,b=300:c,e",
    "Tempo2:d=4,o=5,b=2:c",
    "Low:d=4,o=3,b=100:c,d",
    "High:d=4,o=8,b=100:c",
    "LowNote:d=4,o=5,b=100:c,c3,d",
    "SharpAfter:d=4,o=5,b=100:a5#,c",
    "TrailingComma:d=4,o=5,b=100:c,d,",
    "SevenD:d=4,o=5,b=100:d7,c7",
    "ESharp:d=4,o=5,b=100:e#,b#4",
    "SpacedSettings:d = 8, o = 5, b = 100:c",
    "Volume:d=4,o=5,b=100,v=10:c",
    "Sixty4:d=4,o=5,b=100:64c,32d,c",
    "Empty:d=4,o=5,b=100:",
};

// The check reports nothing exactly when the oracle plays the tune as meant, for the probes and
// for tunes made of them by seeded mutations; both outcomes are seen for every player.
TEST(CheckRtttl, SaysNothingExactlyWhenThePlayerPlaysAsMeant) {
  std::vector<std::string> tunes(std::begin(kProbes), std::end(kProbes));
  std::mt19937 random(98);
  const std::string pieces[] = {".", "#", "h", "H",  "C", " ", ",",  "8", "5", "3",
                                "_", "p", "b", "\t", "0", "9", "16", "4", "A", "7"};
  for (int n = 0; n < 4000; ++n) {
    std::string tune = kProbes[random() % std::size(kProbes)];
    for (int edits = 1 + static_cast<int>(random() % 3); edits > 0; --edits) {
      const size_t at = random() % (tune.size() + 1);
      switch (random() % 3) {
        case 0:
          tune.insert(at, pieces[random() % std::size(pieces)]);
          break;
        case 1:
          if (at < tune.size()) tune.erase(at, 1);
          break;
        default:
          if (at < tune.size()) tune.replace(at, 1, pieces[random() % std::size(pieces)]);
      }
    }
    tune = Trimmed(tune);
    if (!std::holds_alternative<Imported>(ReadRtttl(tune, "t.rtttl"))) continue;
    if (ListRtttlTunes(tune, "t.rtttl").size() != 1) continue;
    tunes.push_back(tune);
  }
  ASSERT_GT(tunes.size(), 1000u);
  for (const auto& [player, oracle] : kOracles) {
    size_t same = 0, differ = 0;
    for (const std::string& tune : tunes) {
      const bool meant = SameAsMeant(oracle(tune), IntendedRtttl(tune));
      ASSERT_EQ(CheckSaysNothing(tune, player), meant) << static_cast<int>(player) << ": " << tune;
      ++(meant ? same : differ);
    }
    EXPECT_GT(same, 20u) << static_cast<int>(player);
    EXPECT_GT(differ, 20u) << static_cast<int>(player);
  }
}

// What the text means is what the importer takes: the same pitches, slot by slot.
TEST(IntendedRtttl, GivesThePitchesTheImporterTakes) {
  for (const char* probe : kProbes) {
    auto read = ReadRtttl(probe, "t.rtttl");
    ASSERT_TRUE(std::holds_alternative<Imported>(read)) << probe;
    const PlayedTune meant = IntendedRtttl(probe);
    std::vector<int> pitches;
    for (const PlayedNote& note : meant.notes) pitches.push_back(note.pitch);
    Imported fitted;
    ASSERT_FALSE(Fit(pitches, 1, "t", fitted)) << probe;
    EXPECT_EQ(fitted.codes, std::get<Imported>(read).codes) << probe;
  }
}

// The check's words: where, the note, and what the player does, as a row of the RTTTL unit.
TEST(CheckRtttl, SaysWhereAndWhatWithTheRowsValues) {
  const struct {
    const char* text;
    RtttlPlayer player;
    std::vector<std::string> lines;
  } cases[] = {
      {"LongNameOfTwentyThree!!:d=4,o=5,b=100:c5.",
       RtttlPlayer::kEsphome,
       {"1:1: LongNameOfTwentyThree!! -- esphome refuses a name of 23 bytes (at most 15)"}},
      {"Dot:d=4,o=5,b=100:c5.,e",
       RtttlPlayer::kEsphome,
       {"1:19: c5. -- esphome plays it with length 4, not 4.",
        "1:19: c5. -- esphome plays a rest after this note"}},
      {"T:d=4,o=5,b=300:c",
       RtttlPlayer::kEsphome,
       {"1:3: d=4 -- esphome plays at tempo 44, not 300"}},
      {"T:d=4,o=5,b=100:\n c,c3,d",
       RtttlPlayer::kEsphome,
       {"1:17: here esphome plays a note or rest before the first note",
        "2:4: c3 -- esphome stops playing here"}},
      {"T:d=4,o=5,b=100:c,h",
       RtttlPlayer::kFlipper,
       {"1:19: h -- flipper refuses the whole tune because of this letter"}},
      {"T:d=4,o=5,b=100:c,H",
       RtttlPlayer::kArduino,
       {"1:19: H -- arduino plays a rest instead of this note"}},
      {"T:d=4,o=5,b=100:a5#",
       RtttlPlayer::kMicropython,
       {"1:17: a5# -- micropython plays a5 instead of a#5",
        "1:17: a5# -- micropython plays a rest after this note"}},
      {"T:d=4,o=5,b=100:d7",
       RtttlPlayer::kCircuitpython,
       {"1:17: d7 -- circuitpython plays a rest instead of this note"}},
      {"T::c",
       RtttlPlayer::kCircuitpython,
       {"1:3: here circuitpython cannot read these settings and plays nothing"}},
      {"T:d=4,o=5,b=100:c", RtttlPlayer::kPortable, {}},
      {"T:d=4,o=5,b=100:c,h",
       RtttlPlayer::kPortable,
       {"1:19: h -- flipper refuses the whole tune because of this letter",
        "1:19: h -- arduino plays a rest instead of this note",
        "1:19: h -- circuitpython plays a rest instead of this note"}},
  };
  for (const auto& c : cases) {
    auto checked = CheckRtttl(c.text, "t.rtttl", c.player);
    ASSERT_TRUE(std::holds_alternative<std::vector<RtttlTuneCheck>>(checked)) << c.text;
    std::vector<std::string> lines;
    for (const auto& tune : std::get<std::vector<RtttlTuneCheck>>(checked)) {
      for (const RtttlFinding& finding : tune.findings)
        lines.push_back(Words(finding, Language::English));
    }
    EXPECT_EQ(lines, c.lines) << c.text;
  }
}

// A collection is checked tune by tune, each at its own lines; a tune this program does not read
// is its refusal, and a text refused as a whole is that refusal.
TEST(CheckRtttl, ChecksEveryTuneOfACollection) {
  auto checked = CheckRtttl("A:d=4,o=5,b=100:c\n# note\nB:d=4,o=5,b=100:c5.\nC:d=4:x\n", "t.rtttl",
                            RtttlPlayer::kEsphome);
  const auto& tunes = std::get<std::vector<RtttlTuneCheck>>(checked);
  ASSERT_EQ(tunes.size(), 3u);
  EXPECT_EQ(tunes[0].title, "A");
  EXPECT_TRUE(tunes[0].findings.empty());
  EXPECT_EQ(tunes[1].line, 3u);
  ASSERT_EQ(tunes[1].findings.size(), 2u);
  EXPECT_EQ(tunes[1].findings[0].line, 3u);
  EXPECT_EQ(tunes[1].findings[0].column, 17u);
  ASSERT_TRUE(tunes[2].refused);
  EXPECT_EQ(Words(*tunes[2].refused, Language::English),
            "t.rtttl:4:7: \"x\": not a note letter (a..g, h) or a pause (p)");
  // A tune played otherwise at every note: the first 100 places listed, one more counts the rest.
  std::string upper = "Up:d=4,o=5,b=100:C";
  for (int i = 1; i < 150; ++i) upper += ",C";
  auto many = CheckRtttl(upper, "t.rtttl", RtttlPlayer::kEsphome);
  const auto& findings = std::get<std::vector<RtttlTuneCheck>>(many).front().findings;
  ASSERT_EQ(findings.size(), 101u);
  EXPECT_EQ(Words(findings.back(), Language::English),
            "1:218: C -- esphome plays 50 more places otherwise from here on (not listed)");
  auto whole = CheckRtttl("no tune here", "t.rtttl", RtttlPlayer::kFlipper);
  ASSERT_TRUE(std::holds_alternative<Refusal>(whole));
  EXPECT_EQ(Words(std::get<Refusal>(whole), Language::English),
            "t.rtttl: not RTTTL: no ':' after the name");
}

}  // namespace
}  // namespace merin::formats
