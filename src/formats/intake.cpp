// SPDX-License-Identifier: MIT
#include "formats/intake.h"

#include <utility>

#include "core/coretexts.h"
#include "formats/melodyfile.h"
#include "formats/textscan.h"

namespace merin::formats {

std::variant<Intake, Refusal> Intake::Of(std::string bytes, std::string name) {
  Intake intake;
  intake.bytes_ = std::move(bytes);
  intake.name_ = std::move(name);
  intake.format_ = &FormatToRead(intake.bytes_, intake.name_);
  if (intake.format_->offers == Format::Offers::Parts) {
    auto tune = ReadMidiTune(intake.bytes_, intake.name_);
    if (auto* refusal = std::get_if<Refusal>(&tune)) return std::move(*refusal);
    intake.midi_ = std::move(std::get<MidiTune>(tune));
    return intake;
  }
  if (intake.format_->offers == Format::Offers::Tunes) {
    std::vector<RtttlTune> tunes = ListRtttlTunes(intake.bytes_, intake.name_);
    if (tunes.size() > 1) {
      intake.tunes_ = std::move(tunes);
      return intake;
    }
  }
  auto read = intake.format_->read(intake.bytes_, intake.name_, {});
  if (auto* refusal = std::get_if<Refusal>(&read)) return std::move(*refusal);
  intake.read_ = std::move(std::get<Imported>(read));
  return intake;
}

bool Intake::ownFile() const {
  const Format* named = FormatOfExtension(ExtensionOf(name_));
  return (named && named->ownFile) ||
         textscan::WithoutByteOrderMark(bytes_).starts_with(kMelodyFileHeader);
}

std::optional<Refusal> Intake::refusedAsEmpty() const {
  const std::string_view text = textscan::WithoutByteOrderMark(bytes_);
  const bool blank = text.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos;
  if (!blank || ownFile()) return std::nullopt;
  return Refusal(CoreText("file.empty"), name_);
}

size_t Intake::choices() const {
  if (midi_) return midi_->parts.size() > 1 ? midi_->parts.size() : 0;
  return tunes_.size();
}

Choice Intake::choice(size_t number) const {
  if (midi_) {
    const MidiPart& part = midi_->parts.at(number - 1);
    return {midi_->Name(part), part.onsets, false};
  }
  const RtttlTune& tune = tunes_.at(number - 1);
  return {tune.title, tune.notes, tune.refused};
}

size_t Intake::offered() const {
  if (choices() == 0) return 0;
  if (midi_) return midi_->chosen;
  for (size_t i = 0; i < tunes_.size(); ++i) {
    if (!tunes_[i].refused) return i + 1;
  }
  return 1;
}

std::variant<Imported, Refusal> Intake::Take(size_t number, size_t from) const {
  if (midi_) return TakePart(*midi_, number, from, name_);
  if (!tunes_.empty()) {
    return ReadListedTune(bytes_, name_, tunes_, number, {.from = from});
  }
  if (from == 1 && number <= 1) return *read_;
  return format_->read(bytes_, name_, {.from = from, .tune = number});
}

}  // namespace merin::formats
