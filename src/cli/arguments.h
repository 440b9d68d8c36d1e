// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/refusal.h"
#include "formats/intake.h"
#include "formats/rtttlplayer.h"

namespace merin::cli {

// What merinkast98-keys is asked to do.
enum class Action { kConvert, kHelp, kVersion, kListParts, kListTunes, kCheck, kMidiIn };

// The arguments understood: what to do, with what and where to.
struct Plan {
  Action action = Action::kConvert;
  formats::ReadOptions read;             // --part, --from, --tune (0: not given)
  std::vector<std::string_view> tokens;  // notes and rests given as arguments
  std::vector<std::string_view> inputs;  // files to read, "-" standard input; none: standard input
  std::optional<std::string> output;     // -o FILE or -o DIR/
  std::string format;                    // the extension written: -f, else that of -o
  bool toFolder = false;                 // -o DIR/: every input into the folder
  std::string midiPort;                  // --midi-in PORT: the input listened to; empty: all
  // --for PLAYER: the RTTTL written for it; --check PLAYER: the player checked for. None: neither.
  const formats::RtttlProfile* player = nullptr;
};

// Arguments refused: why, and which argument (1-based; 0 when no one argument is at fault).
struct BadArguments {
  size_t argument = 0;
  Refusal refusal;
};

// Whether the output named is a folder (ends in '/' or is one): -o DIR/.
using IsFolder = bool (*)(std::string_view output);

// The plan the arguments (without the program's name) give, or why they are refused. --part,
// --from and --tune take a number from 1, as the next argument or after '='; -o and -f must
// name a format written here; --for names a player and goes with RTTTL output only; --check names
// a player checked and takes the inputs, without -o.
std::variant<Plan, BadArguments> ParseArguments(std::span<const std::string_view> args,
                                                IsFolder isFolder);

// The refusal in `language`, naming the argument at fault, escaped.
std::string Words(const BadArguments& bad, std::span<const std::string_view> args,
                  Language language);

// Why the options of `plan` do not fit the input `intake` named `name`: --tune and --tunes take
// RTTTL text, --part and --parts a MIDI file; none when they fit.
std::optional<Refusal> RefuseUnfitOptions(const Plan& plan, const formats::Intake& intake,
                                          std::string_view name);

}  // namespace merin::cli
