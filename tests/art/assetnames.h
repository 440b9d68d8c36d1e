#pragma once

#include <string>
#include <vector>

namespace merin::testing {

// The 24 note codes, by key and number of presses.
inline const std::vector<std::string> kNoteCodes = {
    "11", "12", "13", "14", "21", "22", "23", "24", "31", "32", "41", "42",
    "43", "44", "51", "52", "53", "54", "61", "62", "63", "64", "71", "72"};

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
