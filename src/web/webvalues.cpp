// SPDX-License-Identifier: MIT
#include "web/webvalues.h"

namespace merin::web {

using emscripten::val;

void Throw(const char* type, const char* message) {
  val::global(type).new_(std::string(message)).throw_();
  __builtin_unreachable();
}

std::string BytesOf(const val& array) {
  if (!array.instanceof (val::global("Uint8Array"))) Throw("TypeError", "bytes are a Uint8Array");
  std::string bytes(array["length"].as<size_t>(), '\0');
  val(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<uint8_t*>(bytes.data())))
      .call<void>("set", array);
  return bytes;
}

val ArrayOf(const std::string& bytes) {
  return val(emscripten::typed_memory_view(bytes.size(),
                                           reinterpret_cast<const uint8_t*>(bytes.data())))
      .call<val>("slice");
}

val RefusalOf(const Refusal& refusal) {
  return InBothLanguages([&](Language l) { return Words(refusal, l); });
}

}  // namespace merin::web
