// SPDX-License-Identifier: MIT
#include "formats/midi.h"

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "core/pitch.h"
#include "formats/slots.h"
#include "formats/title.h"

// Written by hand rather than with libsmf: a format 0 file of one track is a fixed header and three
// kinds of event; libsmf saves only to a file name (this returns bytes, for the window, the
// converter and the fuzz target alike), brings GLib along, and its header does not compile in C++
// unless glib.h comes first. For the same events libsmf 1.3 writes these very bytes, in twice the
// time.
namespace merin::formats {
namespace {

// One quarter note is one slot; with 280 ticks a quarter and 280,000 µs a quarter, a tick is 1 ms.
constexpr uint16_t kTicksPerSlot = 280;
constexpr uint32_t kMicrosecondsPerSlot = 280'000;
constexpr uint32_t kNoteTicks = 250;
constexpr uint8_t kVelocity = 100;
constexpr uint8_t kReleaseVelocity = 64;
constexpr uint8_t kSquareLead = 80;  // General MIDI program 81, counted from 0 on the wire
constexpr uint8_t kChannel = 0;      // channel 1

void PutBigEndian(std::string& out, uint32_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
    out += static_cast<char>((value >> shift) & 0xFF);
  }
}

void PutVariableLength(std::string& out, uint32_t value) {
  uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = value & 0x7F;
    value >>= 7;
  } while (value != 0);
  while (n > 1) out += static_cast<char>(groups[--n] | 0x80);
  out += static_cast<char>(groups[0]);
}

class Track {
 public:
  // Appends an event at absolute time `tick` (never earlier than the one before).
  void At(uint32_t tick, std::initializer_list<uint8_t> event) {
    PutVariableLength(bytes_, tick - last_);
    last_ = tick;
    for (uint8_t b : event) bytes_ += static_cast<char>(b);
  }
  // Appends a meta event of `type` holding `text` at the time of the last event.
  void Meta(uint8_t type, std::string_view text) {
    At(last_, {0xFF, type});
    PutVariableLength(bytes_, static_cast<uint32_t>(text.size()));
    bytes_ += text;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  uint32_t last_ = 0;
};

}  // namespace

std::string WriteMidi(const SlotCodes& codes, std::string_view title) {
  Track track;
  if (const std::string name = TitleOf(title); !name.empty()) track.Meta(0x03, name);  // track name
  track.At(0, {0xFF, 0x51, 0x03, (kMicrosecondsPerSlot >> 16) & 0xFF,
               (kMicrosecondsPerSlot >> 8) & 0xFF, kMicrosecondsPerSlot & 0xFF});
  track.At(0, {static_cast<uint8_t>(0xC0 | kChannel), kSquareLead});
  const size_t used = UsedSlots(codes);
  for (size_t slot = 0; slot < used; ++slot) {
    const std::optional<Pitch> pitch = Pitch::FromCode(codes[slot]);
    if (!pitch) continue;  // a rest, or an empty slot between notes
    const auto note = static_cast<uint8_t>(pitch->Midi());
    const auto start = static_cast<uint32_t>(slot * kTicksPerSlot);
    track.At(start, {static_cast<uint8_t>(0x90 | kChannel), note, kVelocity});
    track.At(start + kNoteTicks, {static_cast<uint8_t>(0x80 | kChannel), note, kReleaseVelocity});
  }
  track.At(static_cast<uint32_t>(used * kTicksPerSlot), {0xFF, 0x2F, 0x00});

  std::string file = "MThd";
  PutBigEndian(file, 6, 4);
  PutBigEndian(file, 0, 2);  // format 0
  PutBigEndian(file, 1, 2);  // one track
  PutBigEndian(file, kTicksPerSlot, 2);
  file += "MTrk";
  PutBigEndian(file, static_cast<uint32_t>(track.Bytes().size()), 4);
  file += track.Bytes();
  return file;
}

std::variant<Imported, Refusal> ReadMidi(std::string_view bytes, std::string_view file,
                                         const ReadOptions& options) {
  auto tune = ReadMidiTune(bytes, file);
  if (auto* refusal = std::get_if<Refusal>(&tune)) return std::move(*refusal);
  return TakePart(std::get<MidiTune>(tune), options.part, options.from, file);
}

Format MidiFormat() {
  return Format{.name = "MIDI",
                .extensions = {"mid", "midi", "smf"},
                .mime = "audio/midi",
                .dialogName = {"midi.name", "MIDI ファイル", "MIDI file"},
                .texts = MidiTexts(),
                .binary = true,
                .offers = Format::Offers::Parts,
                .recognise = [](std::string_view bytes) { return bytes.starts_with("MThd"); },
                .read = ReadMidi,
                .write = WriteMidi};
}

}  // namespace merin::formats
