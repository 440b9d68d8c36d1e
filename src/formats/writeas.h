// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "formats/fileio.h"
#include "formats/formatlist.h"

// Reading and writing files in the registry's formats.
namespace merin::formats {

// Why a melody cannot be written as `extension` here (no such format, or audio that the
// installed libsndfile does not write), naming `target`; nothing when it can.
std::optional<Refusal> CannotWriteAs(std::string_view extension, std::string_view target);

// The formats a melody may be exported to here, in the order a window offers them: those written
// but the melody file (which is saved, not exported), audio only where this build writes it.
std::vector<const Format*> ExportedFormats();

// The formats a file may be opened from, in the registry's order.
std::vector<const Format*> OpenedFormats();

// Why `codes` are not written as `extension`, naming `target`, when every slot is empty: only a
// melody file takes an empty melody. Nothing otherwise.
std::optional<Refusal> RefusedAsEmpty(const SlotCodes& codes, std::string_view extension,
                                      std::string_view target);

// Whether `extension` is written from the wave files of the program's folder.
bool SoundsFromWaves(std::string_view extension);

// The bytes of `codes` in the format of `extension`: the format's bytes named `title` (else
// after `target`, in the formats that name a tune), or what test play sounds from the wave files
// of `programFolder`; an empty melody only as a melody file. Returns why not, naming `target`.
std::variant<std::string, Refusal> BytesAs(const SlotCodes& codes, std::string_view extension,
                                           const std::string& programFolder,
                                           const std::string& target, std::string_view title = {});

// What BytesAs makes of the tune's name (`title`, else after `target`) in the format of
// `extension`, as a line for the user; none when the name is written as it is.
std::optional<ReportLine> NameChangeAs(std::string_view extension, std::string_view target,
                                       std::string_view title);

// Writes the BytesAs of `codes` to `target` atomically. Returns why not, the old target left as
// it was. `syncFolder` as for WriteFileAtomically.
std::optional<Refusal> WriteAs(const SlotCodes& codes, std::string_view extension,
                               const std::string& programFolder, const std::string& target,
                               std::string_view title = {}, bool syncFolder = true);

}  // namespace merin::formats
