// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "formats/formatlist.h"
#include "formats/midi.h"
#include "formats/rtttl.h"

namespace merin::formats {

// One of the melodies a file offers to choose from: a tune of a collection or a part of a
// MIDI file.
struct Choice {
  std::string title;     // its name, empty when it has none
  size_t notes = 0;      // a tune's notes and pauses, a part's onsets
  bool refused = false;  // it cannot be taken (Take says why)
};

// Bringing a melody in, the same for the window, the converter and the web page: the bytes and
// their name give the format and what there is to choose; one choice, taken from a start slot,
// gives the slots, the title and the report, or one refusal.
class Intake {
 public:
  // Reads `bytes` named `name` (a path, or what names a text in messages) in the format its
  // extension or content tells: a collection is listed, a MIDI file's parts are read, any other
  // melody is read at once. A file refused as a whole is that refusal.
  static std::variant<Intake, Refusal> Of(std::string bytes, std::string name);

  // The format's name, as a message names it: "RTTTL".
  std::string_view formatName() const { return format_->name; }
  // How many melodies there are to choose from: 0 when the file holds one only.
  size_t choices() const;
  // Choice `number` (1..choices()).
  Choice choice(size_t number) const;
  // The choice offered first (1-based), or 0 when there is nothing to choose.
  size_t offered() const;
  // Whether 上書き保存 may write the melody back into what was read: a file named as a melody
  // file, or one whose first line says it is one.
  bool ownFile() const;
  // The refusal of a file with nothing but white space in it that is not named as a melody file:
  // it gives no melody to take. None for any other input.
  std::optional<Refusal> refusedAsEmpty() const;

  // The parts of a MIDI file, with their notes for a preview; none for other files.
  const MidiTune* parts() const { return midi_ ? &*midi_ : nullptr; }
  // Whether it is RTTTL text, which holds one tune or a collection of them to choose from.
  bool holdsTunes() const { return format_->offers == Format::Offers::Tunes; }

  // The melody of choice `number` from slot `from` (1-based) of the tune on; with 0, what the file
  // gives unasked (a collection's first tune, the part offered); a number past the choices is
  // refused as no such tune or part.
  std::variant<Imported, Refusal> Take(size_t number = 0, size_t from = 1) const;

 private:
  Intake() = default;

  std::string bytes_, name_;
  const Format* format_ = nullptr;
  std::vector<RtttlTune> tunes_;  // a collection's tunes, when there are two or more
  std::optional<MidiTune> midi_;
  std::optional<Imported> read_;  // any other melody, read from slot 1 on
};

}  // namespace merin::formats
