// SPDX-License-Identifier: MIT
#include "core/pitch.h"

#include <variant>

#include "core/ascii.h"
#include "core/coretexts.h"
#include "core/notecode.h"

namespace merin {
namespace {

constexpr std::string_view kLetters = "CDEFGAB";
// Semitone above C of each letter.
constexpr int kSemitone[] = {0, 2, 4, 5, 7, 9, 11};
// Letter index of each semitone above C, and whether it is the sharp of that letter.
constexpr int kLetterOf[] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
constexpr bool kSharpOf[] = {false, true,  false, true,  false, false,
                             true,  false, true,  false, true,  false};

bool HasSharp(int letterIndex) { return letterIndex != 2 && letterIndex != 6; }

// Index in kLetters of a letter of either case; -1 for any other character.
int LetterIndex(char c) {
  constexpr int kIndexOf[] = {5, 6, 0, 1, 2, 3, 4};  // A..G
  const char lower = AsciiLower(c);
  return lower >= 'a' && lower <= 'g' ? kIndexOf[lower - 'a'] : -1;
}

// One of the 24 note codes "11".."72": a key, then 1..4 presses, or 1..2 for E and B.
bool IsNoteCode(std::string_view code) {
  return code.size() == 2 && code[0] >= '1' && code[0] <= '7' && code[1] >= '1' &&
         code[1] <= (HasSharp(code[0] - '1') ? '4' : '2');
}

// The note code of a pitch name "C4".."B5", "C#4", either case; or the row that says why there
// is none.
std::variant<CodeChars, const Text*> CodeOfName(std::string_view name) {
  const bool sharp = name.size() == 3 && name[1] == '#';
  const int letter = name.empty() ? -1 : LetterIndex(name[0]);
  if (letter < 0 || name.size() != (sharp ? 3u : 2u) || name.back() < '0' || name.back() > '9') {
    return &CoreText("token.not-a-token");
  }
  if (sharp && !HasSharp(letter)) return &CoreText("token.no-such-sharp");
  const int upper = name.back() - '4';
  if (upper != 0 && upper != 1) return &CoreText("token.outside-range");
  const int presses = HasSharp(letter) ? 1 + (sharp ? 1 : 0) + 2 * upper : 1 + upper;
  return CodeChars{static_cast<char>('1' + letter), static_cast<char>('0' + presses)};
}

}  // namespace

std::optional<Pitch> Pitch::FromMidi(int midi) {
  if (midi < kLowestMidi || midi > kHighestMidi) return std::nullopt;
  return Pitch(midi);
}

std::optional<Pitch> Pitch::FromCode(std::string_view code) {
  if (!IsNoteCode(code)) return std::nullopt;
  const int letter = code[0] - '1';
  const int presses = code[1] - '1';
  const bool sharp = HasSharp(letter) && presses % 2 == 1;
  const int upper = HasSharp(letter) ? presses / 2 : presses;
  return Pitch(kLowestMidi + 12 * upper + kSemitone[letter] + (sharp ? 1 : 0));
}

std::optional<Pitch> Pitch::FromName(std::string_view name) {
  const auto code = CodeOfName(name);
  const auto* chars = std::get_if<CodeChars>(&code);
  if (!chars) return std::nullopt;
  return FromCode({chars->data(), chars->size()});
}

char Pitch::Letter() const { return kLetters[size_t(kLetterOf[midi_ % 12])]; }

bool Pitch::Sharp() const { return kSharpOf[midi_ % 12]; }

int Pitch::Step() const { return kLetterOf[midi_ % 12] + 7 * (Octave() - 4); }

int Pitch::Presses() const {
  const int upper = Octave() - 4;
  if (!HasSharp(kLetterOf[midi_ % 12])) return 1 + upper;
  return 1 + (Sharp() ? 1 : 0) + 2 * upper;
}

std::string Pitch::Code() const { return std::string{Key(), static_cast<char>('0' + Presses())}; }

std::string Pitch::Name() const {
  std::string name(1, Letter());
  if (Sharp()) name += '#';
  name += static_cast<char>('0' + Octave());
  return name;
}

const std::vector<std::string>& NoteCodes() {
  static const std::vector<std::string> codes = [] {
    std::vector<std::string> all;
    for (bool sharp : {false, true}) {
      for (int midi = Pitch::kLowestMidi; midi <= Pitch::kHighestMidi; ++midi) {
        const Pitch pitch = *Pitch::FromMidi(midi);
        if (pitch.Sharp() == sharp) all.push_back(pitch.Code());
      }
    }
    return all;
  }();
  return codes;
}

std::string PictureFileOf(std::string_view code) { return std::string(code) + ".bmp"; }

std::string WaveFileOf(std::string_view code) {
  return IsNote(code) ? std::string(code) + ".wav" : std::string(kRestCode) + ".wav";
}

std::optional<CodeChars> CodeCharsOfToken(std::string_view token) {
  if (token == kRestCode || token == kEmptyCode || IsNoteCode(token))
    return CodeChars{token[0], token[1]};
  if (token == "r" || token == "R") return CodeChars{kRestCode[0], kRestCode[1]};
  if (token == "-") return CodeChars{kEmptyCode[0], kEmptyCode[1]};
  const auto code = CodeOfName(token);
  const auto* chars = std::get_if<CodeChars>(&code);
  if (!chars) return std::nullopt;
  return *chars;
}

std::optional<std::string> CodeOfToken(std::string_view token) {
  const std::optional<CodeChars> code = CodeCharsOfToken(token);
  if (!code) return std::nullopt;
  return std::string(code->data(), code->size());
}

const Text& TokenFault(std::string_view token) {
  const auto code = CodeOfName(token);
  const Text* const* why = std::get_if<const Text*>(&code);
  return why ? **why : CoreText("token.not-a-token");
}

std::string TokenOfCode(std::string_view code) {
  if (auto pitch = Pitch::FromCode(code)) return pitch->Name();
  return code == kRestCode ? "r" : "-";
}

}  // namespace merin
