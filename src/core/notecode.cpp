// SPDX-License-Identifier: MIT
#include "core/notecode.h"

namespace merin {

bool IsNote(std::string_view code) { return !code.empty() && code[0] >= '1' && code[0] <= '7'; }

}  // namespace merin
