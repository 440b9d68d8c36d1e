// SPDX-License-Identifier: MIT
#pragma once

namespace merin {

// The language a message is put into words in. The window speaks Japanese unless the user
// chooses English; the converter speaks English unless the locale asks for Japanese.
enum class Language { Japanese, English };

}  // namespace merin
