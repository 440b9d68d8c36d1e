// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/imported.h"

// The RTTTL players in the field, each as it reads a tune, and the export written for one.
namespace merin::formats {

// The players, and two writings that are no one player's: the strictest of them all and the
// format's own text.
enum class RtttlPlayer : unsigned char {
  kEsphome,
  kFlipper,
  kArduino,  // AnyRtttl, the Arduino library most sketches take
  kMicropython,
  kCircuitpython,
  kPortable,
  kStandard,
};

// Where a dot that lengthens a note by half counts.
enum class DotPlace : unsigned char {
  kBeforeOctave,  // "c.5"; a dot after the octave is read as a pause of its own
  kAfterOctave,   // "c5." (any number of them, each adding half, on the Flipper)
  kAnywhere,      // anywhere in the note
};

// How the settings "d=…,o=…,b=…" are read.
enum class HeaderKeys : unsigned char {
  kSearchedInOrder,   // d=, then o= after it, then b= after that; a key missing refuses the tune
  kByPosition,        // the numbers after the next three '=' are d, o and b, whatever the keys
  kFixedInOrder,      // exactly "d=N,o=N,b=N" right after the name; a key missing keeps its default
  kAnyOrderAllGiven,  // any order and case; a key missing refuses the tune
  kAnyOrder,          // any order, no space after a comma; a key missing keeps its default
};

// What the letter 'h' plays.
enum class HLetter : unsigned char { kB, kPause, kRefused };

// One row of the table of players: how it reads a tune.
struct RtttlProfile {
  RtttlPlayer player;
  std::string_view id;              // as --for and --check name it: "esphome"
  std::string_view name;            // as a message names it: "ESPHome"
  size_t nameBytes;                 // the longest name it takes, in bytes; 0 for any
  int lowestOctave, highestOctave;  // the octaves its notes may have
  DotPlace dot;
  bool lowerCaseOnly;  // an upper-case letter is a pause
  HLetter h;
  HeaderKeys header;
  int lowestTempo, highestTempo;  // the tempos it plays as written (b=)
  bool standardTempos;            // only the 32 tempos of the format's text
  int shortestDuration;           // the longest duration number (1 is a whole note)
  bool spacesPlayed;              // a space between notes is a pause of its own
  bool checked;                   // whether --check reads as it does (a player, not a writing)
};

// Every row, the players first, then "portable" and "standard".
std::span<const RtttlProfile> RtttlProfiles();

// The row `id` names ("esphome"), or none.
const RtttlProfile* RtttlProfileOf(std::string_view id);

// The ids of the rows, in order, for a message listing them; only those checked when asked.
std::vector<std::string> RtttlPlayerIds(bool checkedOnly = false);

// The 32 tempos the format's text allows, from 25 to 900.
std::span<const int> StandardRtttlTempos();

// An RTTTL export for one player: the text, and what was written otherwise than the default
// export writes it (a name cut, the tempo), as lines for the user.
struct RtttlExport {
  std::string text;
  Report changes;
};

// WriteRtttl for `player`: the name cut to what it takes (whole characters), and a tempo it cannot
// play replaced by the nearest it plays, with the default duration whose slot is nearest the
// default export's. The default export as it is when the player plays it.
RtttlExport WriteRtttlFor(const SlotCodes& codes, std::string_view name,
                          const RtttlProfile& player);

}  // namespace merin::formats
