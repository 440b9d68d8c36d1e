// SPDX-License-Identifier: MIT
#include "formats/format.h"

#include "core/ascii.h"

namespace merin::formats {

std::string ExtensionOf(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot == std::string_view::npos || dot == 0) return {};
  return AsciiLower(name.substr(dot + 1));
}

std::string_view BaseNameOf(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  return name.substr(0, name.rfind('.'));
}

}  // namespace merin::formats
