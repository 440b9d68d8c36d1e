// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "formats/imported.h"

namespace merin::formats {

// What may be read as an input file besides a regular file.
enum class Accept {
  Files,          // regular files only: a pipe or device is refused and never waited on
  FilesAndPipes,  // also FIFOs and pipes, read to their end (waiting for a FIFO's writer)
  Anything,       // whatever the path opens, as standard input may be a terminal or socket
};

// The bytes of the file at `path`; refused (with the path as the error's file) when it is missing,
// unreadable, a folder, not what `accept` allows, or larger than `limit` bytes.
std::variant<std::string, Refusal> ReadInputFile(const std::string& path,
                                                 Accept accept = Accept::FilesAndPipes,
                                                 size_t limit = kMaxInputBytes);

// `why` as the refusal of a write of `path`: "cannot write PATH: REASON".
Refusal Unwritten(std::string path, Refusal why);

// Writes `bytes` to `path` atomically: into a temporary file in the same folder, synced, then
// renamed over it. A symbolic link stays and the file it leads to is replaced (a loop of links is
// refused); an existing file keeps its mode, owner, group and extended attributes, and is refused
// when this user may not write it or its owner and group cannot be kept. On failure (refused as
// Unwritten refuses) the old file is as it was and no temporary is left. The folder is synced
// after the rename unless `syncFolder` is false (call SyncFolder once after many writes). The
// first write into a folder removes the temporaries that ended runs of ours left there.
std::optional<Refusal> WriteFileAtomically(const std::string& path, std::string_view bytes,
                                           bool syncFolder = true);

// Makes the renames done in `folder` reach the disk.
void SyncFolder(const std::string& folder);

// The folder of `path`: "." when it has none.
std::string FolderOf(const std::string& path);

}  // namespace merin::formats
