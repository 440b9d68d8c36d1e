// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"

namespace merin {

// One of the 24 pitches the handset plays, C4..B5: the single place where a pitch turns into a
// note code, a picture or wave file name, a MIDI note number or a pitch name, and back.
//
// A note code is the handset key of the letter ('1' = C .. '7' = B) followed by the number of
// presses that pick octave and sharp: 1 natural C4..B4, 2 its sharp, 3 natural C5..B5, 4 its
// sharp; E and B, which have no sharp, take 1 for the lower and 2 for the upper octave.
class Pitch {
 public:
  static constexpr int kLowestMidi = 60;   // C4
  static constexpr int kHighestMidi = 83;  // B5

  // The pitch of a MIDI note number 60..83.
  static std::optional<Pitch> FromMidi(int midi);
  // The pitch of one of the 24 note codes "11".."72".
  static std::optional<Pitch> FromCode(std::string_view code);
  // The pitch of a name "C4".."B5" with an optional '#' after the letter, either case.
  static std::optional<Pitch> FromName(std::string_view name);

  int Midi() const { return midi_; }
  // 'C'..'B', upper case.
  char Letter() const;
  bool Sharp() const;
  int Octave() const { return midi_ / 12 - 1; }
  // The staff step of the natural note: 0 = C4 .. 13 = B5.
  int Step() const;
  // The handset key of the letter, '1'..'7'.
  char Key() const { return "1122344556677"[midi_ % 12]; }
  // The number of presses of that key, 1..4.
  int Presses() const;

  std::string Code() const;
  // "C4", "C#4" ...
  std::string Name() const;

  friend bool operator==(Pitch, Pitch) = default;

 private:
  explicit Pitch(int midi) : midi_(midi) {}
  int midi_;
};

// The 24 note codes: the naturals C4..B5, then the sharps C#4..A#5, which is the order of the
// white keys and then the black keys, left to right.
const std::vector<std::string>& NoteCodes();

// Picture file of a slot code as the staff shows it ("11.bmp", "01.bmp").
std::string PictureFileOf(std::string_view code);
// The picture of an empty staff cell.
inline constexpr std::string_view kEmptyPicture = "gosen.bmp";
// The wave file a slot sounds as: a note's own "NN.wav", the rest wave for everything else.
std::string WaveFileOf(std::string_view code);

// The slot code a melody token stands for: a code ("11".."72", "01", "99") as it is, a pitch name
// ("C4".."B5", "C#4"), "r" for a rest or "-" for an empty slot, letters in either case; none for
// anything else (TokenFault says why).
std::optional<std::string> CodeOfToken(std::string_view token);
// A slot code as its two characters, for reading many tokens without making a string of each.
using CodeChars = std::array<char, 2>;
// CodeOfToken, as two characters.
std::optional<CodeChars> CodeCharsOfToken(std::string_view token);
// Why CodeOfToken gives no code for `token`: the row that says a pitch name has a sharp E and B
// do not have, or lies outside C4..B5, or that the token is none of the above.
const Text& TokenFault(std::string_view token);
// The token a slot code is written as: its pitch name, "r" for a rest, "-" for anything else.
std::string TokenOfCode(std::string_view code);

}  // namespace merin
