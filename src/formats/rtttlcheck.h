// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "formats/imported.h"
#include "formats/rtttlplayer.h"

// What an RTTTL player plays of a tune, beside what the text means as this program reads it.
namespace merin::formats {

// A pitch outside the table a player looks its notes up in: what sounds is not known.
inline constexpr int kUnknownPitch = -2;

// One note or pause as a reading plays it.
struct PlayedNote {
  int pitch = 0;      // the key, numbered as MIDI's (c4 is 60); kRestPitch, kUnknownPitch
  double length = 0;  // as a part of a whole note: 0.375 for "8."
  size_t at = 0;      // the offset in the tune's text where the player began reading it
};

// A tune as a reading plays it.
struct PlayedTune {
  bool plays = true;                // false: it refuses the tune and plays nothing
  size_t refusedAt = 0;             // where it found what it refuses
  const Text* why = nullptr;        // the row saying why it plays nothing, naming the player as {0}
  std::vector<std::string> values;  // the row's values after the player
  double wholeMs = 0;               // how long a whole note lasts, in milliseconds
  std::vector<PlayedNote> notes;
  bool stops = false;  // it stops before the end of the tune (after `notes`)
  size_t stopAt = 0;   // where
};

// What `tune` (one tune, "name:settings:notes", which ReadRtttl reads without a refusal) means:
// defaults d=4, o=6, b=63, white space skipped anywhere, a dot before or after the octave, octaves
// scientific, 'h' a b.
PlayedTune IntendedRtttl(std::string_view tune);

// What `player` (a row that is checked, but "portable") plays of `tune`.
PlayedTune PlayedRtttl(std::string_view tune, RtttlPlayer player);

// Whether the two play the same: both play, the same notes of the same lengths, at tempos whose
// whole notes differ by less than 4 ms (the players' integer divisions). A stop after the last
// note loses nothing.
bool SamePlaying(const PlayedTune& intended, const PlayedTune& played);

// One thing a player plays otherwise than the text means.
struct RtttlFinding {
  size_t line = 1, column = 1;      // where in the text (1-based; the column in characters)
  std::string token;                // the note or part of the tune it is about
  const Text* message = nullptr;    // a row of the RTTTL unit's words, the player's id as {0}
  std::vector<std::string> values;  // the row's values, the player's id first
};

// One tune of a text, checked.
struct RtttlTuneCheck {
  std::string title;
  size_t line = 1;                 // the line it starts on
  std::optional<Refusal> refused;  // why this program does not read it; then nothing is checked
  std::vector<RtttlFinding> findings;
};

// Every tune of the RTTTL text `bytes` (a collection or one tune), checked for `player`
// ("portable": for every player, each finding naming its own): what it plays otherwise than the
// text means, in the order of the text; after 100 of a tune for one player, one more counts the
// rest. A text refused as a whole is that refusal, naming `fileName`.
std::variant<std::vector<RtttlTuneCheck>, Refusal> CheckRtttl(std::string_view bytes,
                                                              std::string_view fileName,
                                                              RtttlPlayer player);

// "LINE:COLUMN: TOKEN — MESSAGE" in `language`.
std::string Words(const RtttlFinding& finding, Language language);

}  // namespace merin::formats
