// SPDX-License-Identifier: MIT
#include "core/programfiles.h"

#include "core/notecode.h"
#include "core/pitch.h"

namespace merin {
namespace {

std::vector<std::string> Ending(std::string_view extension) {
  std::vector<std::string> names;
  for (const std::string& name : ProgramFiles()) {
    if (name.ends_with(extension)) names.push_back(name);
  }
  return names;
}

}  // namespace

const std::vector<std::string>& ProgramFiles() {
  static const std::vector<std::string> files = [] {
    std::vector<std::string> all;
    for (const std::string& code : NoteCodes()) all.push_back(PictureFileOf(code));
    all.push_back(PictureFileOf(kRestCode));
    all.emplace_back(kEmptyPicture);
    for (const std::string& code : NoteCodes()) all.push_back(WaveFileOf(code));
    all.push_back(WaveFileOf(kRestCode));
    all.emplace_back(kOpeningSound);
    all.emplace_back(kClosingSound);
    return all;
  }();
  return files;
}

std::vector<std::string> ProgramPictures() { return Ending(".bmp"); }

std::vector<std::string> ProgramSounds() { return Ending(".wav"); }

}  // namespace merin
