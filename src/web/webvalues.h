// SPDX-License-Identifier: MIT
#pragma once

#include <emscripten/val.h>

#include <string>
#include <vector>

#include "core/language.h"
#include "core/refusal.h"

// The shapes values take between the page and the core: file bytes as Uint8Array, lists as
// arrays, words as {ja, en}.
namespace merin::web {

// Throws a JavaScript error of `type` ("TypeError", "RangeError") saying `message`.
[[noreturn]] void Throw(const char* type, const char* message);

// The bytes of a Uint8Array; a JavaScript error for anything else.
std::string BytesOf(const emscripten::val& array);

// A Uint8Array of its own holding `bytes`.
emscripten::val ArrayOf(const std::string& bytes);

// An array of `items`.
template <typename T>
emscripten::val ArrayOf(const std::vector<T>& items) {
  emscripten::val array = emscripten::val::array();
  for (const T& item : items) array.call<void>("push", item);
  return array;
}

// {ja, en}: what `words` says in each language.
template <typename F>
emscripten::val InBothLanguages(F words) {
  emscripten::val both = emscripten::val::object();
  both.set("ja", words(Language::Japanese));
  both.set("en", words(Language::English));
  return both;
}

// {ja, en} of a refusal in words.
emscripten::val RefusalOf(const Refusal& refusal);

}  // namespace merin::web
