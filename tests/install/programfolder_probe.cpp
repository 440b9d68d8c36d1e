// SPDX-License-Identifier: MIT
// Prints the folder the running program is found in, for the installation test.
#include <cstdio>

#include "core/da.h"

int main() {
  std::puts(Da::RunningProgramFolder().c_str());
  return 0;
}
