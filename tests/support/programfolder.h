// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <utility>

#include "core/da.h"

namespace merin::test {

// The program's folder for the lifetime of this object: set on construction, put back as it was
// on destruction. Set before the window's load handler runs, the folder stays, since the handler
// sets the folder only when none is set. An empty `folder` unsets it.
class ScopedProgramFolder {
 public:
  explicit ScopedProgramFolder(const std::string& folder)
      : previous_(std::exchange(
            Da::AppFolder, folder.empty() ? folder : Da::WithTrailingSeparator(folder, '/'))) {}
  ~ScopedProgramFolder() { Da::AppFolder = previous_; }
  ScopedProgramFolder(const ScopedProgramFolder&) = delete;
  ScopedProgramFolder& operator=(const ScopedProgramFolder&) = delete;

 private:
  std::string previous_;
};

}  // namespace merin::test
