// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>

#include "core/melodyedit.h"
#include "formats/refusal.h"

namespace merin::formats {

// Text files and texts we read are refused above this size.
inline constexpr size_t kMaxInputBytes = 64 * 1024;

// Texts that may hold a collection of tunes (RTTTL) are read up to this size.
inline constexpr size_t kMaxCollectionBytes = 1024 * 1024;

// What a reader is asked for: the first slot to take (1-based); in a file of several parts,
// which one (1-based; 0 for the one the file's reader chooses); in a collection of tunes, which
// one (1-based; 0 for the first, said in the report).
struct ReadOptions {
  size_t from = 1;
  size_t part = 0;
  size_t tune = 0;
};

// A melody read from a file or text, with what was changed on the way in (empty for a melody
// file, which alone becomes the melody's own file; any other format is an import).
struct Imported {
  SlotCodes codes;
  Report report;
  bool import = false;
  std::string title;  // the tune's own name (see TitleOf), empty when it has none
};

}  // namespace merin::formats
