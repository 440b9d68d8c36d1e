// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace merin::test {

// The lines a piece of code writes to the process's stderr (file descriptor 2, so C libraries'
// output is caught too).
template <typename F>
std::vector<std::string> StderrLinesOf(F&& f) {
  ::testing::internal::CaptureStderr();
  f();
  std::istringstream text(::testing::internal::GetCapturedStderr());
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

}  // namespace merin::test
