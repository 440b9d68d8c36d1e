// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// The program's one module-level state: the folder it runs from.
namespace Da {

// The running program's folder, always ending in the platform's separator. Set once at start-up.
// Read it through PathOf.
extern std::string AppFolder;

// Sets AppFolder from the running program's location, unless a folder is set already (by the
// code that embeds the window, such as a test): the folder is set once.
void InitAppFolder();

// The path of the file `name` in the program's folder.
std::string PathOf(std::string_view name);

// `folder` with `separator` appended unless it already ends in it (a root such as "C:\" or "/").
std::string WithTrailingSeparator(std::string folder, char separator);

// The folder of the running executable, symbolic links resolved, without a trailing separator
// (except at a root).
std::string RunningProgramFolder();

}  // namespace Da
