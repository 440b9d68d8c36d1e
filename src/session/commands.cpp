// SPDX-License-Identifier: MIT
#include "session/commands.h"

#include <utility>

#include "session/session.h"

namespace merin::session {
namespace {

constexpr std::pair<Command, std::string_view> kNames[] = {
    {Command::White, "white"},       {Command::Black, "black"},         {Command::Rest, "rest"},
    {Command::Previous, "previous"}, {Command::Next, "next"},           {Command::First, "first"},
    {Command::End, "end"},           {Command::Clear, "clear"},         {Command::Insert, "insert"},
    {Command::Remove, "remove"},     {Command::Transpose, "transpose"}, {Command::Undo, "undo"},
    {Command::Redo, "redo"},
};

}  // namespace

std::optional<Command> CommandNamed(std::string_view name) {
  for (const auto& [command, named] : kNames) {
    if (named == name) return command;
  }
  return std::nullopt;
}

std::string_view NameOf(Command command) {
  for (const auto& [c, name] : kNames) {
    if (c == command) return name;
  }
  return {};
}

Outcome Perform(Session& session, Command command, int value) {
  switch (command) {
    case Command::White:
      return session.Key({PianoKey::Kind::White, int16_t(value)});
    case Command::Black:
      return session.Key({PianoKey::Kind::Black, int16_t(value)});
    case Command::Rest:
      return session.Key({PianoKey::Kind::Rest, 0});
    case Command::Previous:
      return session.Select(Where::Previous);
    case Command::Next:
      return session.Select(Where::Next);
    case Command::First:
      return session.Select(Where::First);
    case Command::End:
      return session.Select(Where::End);
    case Command::Clear:
      return session.Clear();
    case Command::Insert:
      return session.Insert();
    case Command::Remove:
      return session.Remove();
    case Command::Transpose:
      return session.Transpose(value);
    case Command::Undo:
      return session.Undo();
    case Command::Redo:
      return session.Redo();
  }
  return {};
}

}  // namespace merin::session
