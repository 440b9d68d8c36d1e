// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

#include "session/outcome.h"

namespace merin::session {

class Session;

// What a key of the computer keyboard or a button asks of a session: a key of the on-screen
// keyboard, a cursor key, or an edit.
enum class Command {
  White,      // a white key, `value` its index
  Black,      // a black key, `value` its index
  Rest,       // the rest pedal
  Previous,   // the slot before, 30 after 1
  Next,       // the slot after, 1 after 30
  First,      // slot 1
  End,        // the slot after the last one written
  Clear,      // the current slot emptied
  Insert,     // an empty slot put in at the cursor
  Remove,     // the current slot taken out
  Transpose,  // every note moved by `value` semitones
  Undo,
  Redo,
};

// A command by the name a face gives it ("white", "previous", "transpose" ...), and back.
std::optional<Command> CommandNamed(std::string_view name);
std::string_view NameOf(Command command);

// A key of the window's commands: the key by its name ("ArrowLeft", "Delete", "Z"), whether Ctrl
// and Shift are held, and the command with its value. The piano keys are PianoKeyAt's.
struct Shortcut {
  std::string_view key;
  bool ctrl = false, shift = false;
  Command command;
  int value = 0;
};

inline constexpr Shortcut kShortcuts[] = {
    {"ArrowLeft", false, false, Command::Previous},
    {"ArrowRight", false, false, Command::Next},
    {"Home", false, false, Command::First},
    {"End", false, false, Command::End},
    {"Delete", false, false, Command::Clear},
    {"Insert", false, false, Command::Insert},
    {"Delete", true, false, Command::Remove},
    {"ArrowUp", true, false, Command::Transpose, 1},
    {"ArrowDown", true, false, Command::Transpose, -1},
    {"ArrowUp", true, true, Command::Transpose, 12},
    {"ArrowDown", true, true, Command::Transpose, -12},
    {"Z", true, false, Command::Undo},
    {"Y", true, false, Command::Redo},
    {"Z", true, true, Command::Redo},
};

// How many kept melodies a face lists, newest first, and how many the store holds.
inline constexpr int kKeptListed = 20;
inline constexpr int kKeptMost = 100;

// Runs `command` with `value` on `session`.
Outcome Perform(Session& session, Command command, int value = 0);

}  // namespace merin::session
