// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <variant>

#include "core/language.h"
#include "core/refusal.h"
#include "core/text.h"
#include "formats/intake.h"
#include "formats/rtttlplayer.h"

namespace merin::cli {

// The exit statuses: bad or unreadable input or options, and output that cannot be written.
inline constexpr int kBadInput = 2;
inline constexpr int kCannotWrite = 1;

// The converter's language, from the locale variables.
Language Spoken();

// `text` in the converter's language.
std::string Said(const Text& text, std::initializer_list<std::string> values = {});
std::string Said(const Refusal& refusal);

// One line on stderr after the program's name, in one write, so that the lines of parallel runs
// never mix.
void Say(const std::string& message);

// Says `message` and returns `status`.
int Fail(int status, const std::string& message);

// The name messages give `path` ("-" is standard input).
std::string NameOf(const std::string& path);

// Tells on stderr what the import of `read` from `path` changed, and passes it on.
std::variant<formats::Imported, Refusal> Told(std::variant<formats::Imported, Refusal> read,
                                              const std::string& path);

// What the input at `path` ("-" for standard input) brings in: its bytes, and what there is to
// choose. FIFOs and pipes are read to their end; the size limit is that of binary files.
std::variant<formats::Intake, Refusal> IntakeOf(const std::string& path);

// Writes `codes` named `title` to `target` in the format of `extension`, as WriteAs does; as the
// RTTTL for `player` when one is given, what it wrote otherwise than the default export told on
// stderr once written. Returns why not, the old target left as it was.
std::optional<Refusal> WriteOut(const SlotCodes& codes, const std::string& extension,
                                const formats::RtttlProfile* player, const std::string& target,
                                std::string_view title, bool syncFolder = true);

// The melody `options` choose of `intake` (a part by --part, a tune by --tune, from --from), and
// what its import changed told.
std::variant<formats::Imported, Refusal> Chosen(const formats::Intake& intake,
                                                const std::string& path,
                                                const formats::ReadOptions& options);

}  // namespace merin::cli
