// SPDX-License-Identifier: MIT
#include "core/da.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace Da {

std::string AppFolder;

std::string WithTrailingSeparator(std::string folder, char separator) {
  if (folder.empty() || folder.back() != separator) folder.push_back(separator);
  return folder;
}

std::string RunningProgramFolder() {
#ifdef _WIN32
  wchar_t buffer[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
  std::filesystem::path exe(std::wstring(buffer, n));
#else
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
#endif
  return exe.parent_path().string();
}

void InitAppFolder() {
  if (!AppFolder.empty()) return;
  AppFolder = WithTrailingSeparator(RunningProgramFolder(),
                                    static_cast<char>(std::filesystem::path::preferred_separator));
}

std::string PathOf(std::string_view name) { return AppFolder + std::string(name); }

}  // namespace Da
