#pragma once

#include <string>

// The program's one module-level state: the folder it runs from.
namespace Da {

// The running program's folder, always ending in the platform's separator. Set once at start-up.
extern std::string AppFolder;

// Sets AppFolder from the running program's location.
void InitAppFolder();

// `folder` with `separator` appended unless it already ends in it (a root such as "C:\" or "/").
std::string WithTrailingSeparator(std::string folder, char separator);

// The folder of the running executable, symbolic links resolved, without a trailing separator
// (except at a root).
std::string RunningProgramFolder();

}  // namespace Da
