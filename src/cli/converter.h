// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>

namespace merin::cli {

// merinkast98-keys with `args` (without the program's name): converts, lists or writes as they
// ask; returns the exit status. What goes to standard output is left for the caller to flush.
int RunConverter(std::span<const std::string_view> args);

}  // namespace merin::cli
