// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace merin::test {

// The 30 slot codes: `first`, then empty slots.
inline std::array<std::string, 30> MelodyOf(const std::vector<std::string>& first) {
  if (first.size() > 30) throw std::length_error("a melody has 30 slots");
  std::array<std::string, 30> codes;
  codes.fill("99");
  std::copy(first.begin(), first.end(), codes.begin());
  return codes;
}

}  // namespace merin::test
