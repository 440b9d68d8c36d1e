// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/language.h"

namespace merin {

// What `merinkast98 ARGS` (ARGS without the program's name) prints on the terminal and ends
// with, before any window opens: the help for --help, the version for --version; in the
// language of --lang (ja or en) when given, else `terminal`. The argument after --lang is its
// value, never an option. None when ARGS ask for the window.
std::optional<std::string> TerminalAnswer(std::span<const std::string_view> args,
                                          Language terminal);

}  // namespace merin
