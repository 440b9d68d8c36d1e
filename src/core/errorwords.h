// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "core/language.h"

namespace merin {

// Reasons of our own that are no system error; negative so that they meet no errno value.
inline constexpr int kReadOnlyFile = -1;   // the file has no write permission bit
inline constexpr int kNotAFile = -2;       // a device, socket or pipe where a file was wanted
inline constexpr int kEmptyMelody = -3;    // nothing to export: every slot is empty
inline constexpr int kEncoderFailed = -4;  // the audio library could not encode the melody

// The reason `error` (an errno value or one of ours above) put into plain words in `language`;
// errno values without words of our own show their number.
std::string ErrorWords(int error, Language language);

}  // namespace merin
