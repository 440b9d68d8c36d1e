// SPDX-License-Identifier: MIT
#pragma once

#include <emscripten/val.h>

#include <cstddef>
#include <string>

// What the page's files bring in and what it writes: the formats' list, readers and writers.
namespace merin::web {

// [{name, extensions, mime, ja, en, binary, ownFile, readable, writable}] of every format.
emscripten::val Formats();

// What a file brings in, as the session examines it: {format, choices, offered, parts} or
// {refusal} (a file of nothing but blank lines that is no melody file is refused as empty).
// `choices` are the tunes or parts to choose from ({title, notes, refused}; none for a file of one
// melody), and for a MIDI file `parts` are its parts with their slots, for a preview, and their
// instrument's name {ja, en}.
emscripten::val Examine(const emscripten::val& array, const std::string& file);

// {format, melody} or {refusal}: choice `number` of what the file brings in (0: what it gives
// unasked), from slot `from` of the tune on.
emscripten::val Take(const emscripten::val& array, const std::string& file, size_t number,
                     size_t from);

// {bytes} or {refusal}: the melody as the format of `extension` writes it, audio from the waves
// of the program folder; `name` is the file's, as the refusals and an untitled tune name it.
emscripten::val ExportAs(const emscripten::val& codes, const std::string& extension,
                         const std::string& name, const std::string& title);

}  // namespace merin::web
