// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/language.h"
#include "core/text.h"
#include "entry/keyboard.h"
#include "formats/formatlist.h"
#include "formats/midiread.h"
#include "formats/refusal.h"
#include "formats/slots.h"
#include "formats/writeas.h"
#include "output/convert.h"
#include "output/keypresses.h"
#include "session/outcome.h"

// What a face shows of the program beside a session's actions: the on-screen keys' codes, the
// listing, the key presses, a kept melody's first notes, the formats, and every row of the
// libraries' word tables by its id. A face that includes this and session.h needs no other
// library's header.
namespace merin::session {

using formats::BytesAs;
using formats::FirstNotes;
using formats::Formats;
using formats::KeyName;

// The row with `id` of any of the libraries' word tables (the core's, a format's, MIDI's and its
// instruments'), or null when no table has one.
const Text* TextOf(std::string_view id);

// Every row of those tables, each id once.
std::vector<const Text*> AllTexts();

// What `said` says in `language`, its values filled in.
std::string Words(const Said& said, Language language);

// The row that names General MIDI instrument `program` (0..127).
const Text& InstrumentText(int program);

// The lines of a report of a melody brought in, in `language`.
std::vector<std::string> ReportWords(const formats::Report& report, Language language);

// Whether the melody can be written as the format of `extension` in this build.
bool Writable(std::string_view extension);

}  // namespace merin::session
