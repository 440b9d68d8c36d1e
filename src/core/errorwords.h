// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "core/language.h"

namespace merin {

// Reasons of our own that are no system error; negative so that they meet no errno value.
// A picture file that cannot be shown.
inline constexpr int kCannotRead = -9;    // the file could not be read
inline constexpr int kNotAPicture = -10;  // no picture format the program reads
inline constexpr int kPictureCut = -11;   // the file ends before its picture does
// A sound file or an audio target that cannot be used.
inline constexpr int kNotASoundFile = -12;  // missing, or no sound the audio library reads
inline constexpr int kSoundCut = -16;       // a sound file ends before its sound does
// The sound output.
inline constexpr int kNoOutputDevice = -17;    // no device to play to
inline constexpr int kCannotOpenOutput = -18;  // the device would not open
inline constexpr int kOutputFailed = -19;      // the device stopped taking sound
// Files that cannot be used as they are.
inline constexpr int kNameNotUtf8 = -22;  // a file name the file dialog could not pass on

// The reason `error` (an errno value or one of ours above) put into plain words in `language`;
// errno values without words of our own show their number.
std::string ErrorWords(int error, Language language);
// The same, followed by `detail` (a library's own words) in the language's parentheses when
// there is any.
std::string ErrorWords(int error, Language language, const std::string& detail);

}  // namespace merin
