// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "formats/melody.h"

namespace merin::formats {

// The bytes of the file at `path`; refused (with the path as the error's file) when it is missing,
// unreadable, a directory, or larger than `limit` bytes.
std::variant<std::string, Refusal> ReadInputFile(const std::string& path,
                                                 size_t limit = kMaxInputBytes);

// Writes `bytes` to `path` atomically: into a temporary file beside it, flushed, then renamed over
// it. On failure the old file is as it was, no temporary is left, and the reason is returned.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

// As above, for writers that need a path of their own (libsndfile): `write` fills the temporary
// path it is given and returns an error text or nothing.
std::optional<std::string> WriteFileAtomically(
    const std::string& path,
    const std::function<std::optional<std::string>(const std::string& temporary)>& write);

}  // namespace merin::formats
