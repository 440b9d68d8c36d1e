#pragma once

#include <string>
#include <vector>

#include "core/pitch.h"

namespace merin::testing {

// The 24 note codes of the product.
inline const std::vector<std::string>& kNoteCodes = NoteCodes();

// The 26 picture files of the program's folder.
inline std::vector<std::string> PictureNames() {
  std::vector<std::string> names;
  for (const std::string& code : kNoteCodes) names.push_back(code + ".bmp");
  names.push_back("01.bmp");
  names.push_back("gosen.bmp");
  return names;
}

// The 27 sound files of the program's folder.
inline std::vector<std::string> SoundNames() {
  std::vector<std::string> names;
  for (const std::string& code : kNoteCodes) names.push_back(code + ".wav");
  names.push_back("01.wav");
  names.push_back("open.wav");
  names.push_back("close.wav");
  return names;
}

}  // namespace merin::testing
