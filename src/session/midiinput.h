// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace merin::session {

// One thing a MIDI keyboard did that the melody cares for.
struct MidiEvent {
  enum class Kind { NoteOn, NoteOff, PedalDown };
  Kind kind;
  int note = 0;  // the MIDI key of a note, 0..127
  friend bool operator==(const MidiEvent&, const MidiEvent&) = default;
};

// Reads the bytes a MIDI input sends, in pieces of any size, into the events the melody takes:
// note-on (0x9n with a velocity above 0), note-off (0x8n, or 0x9n with velocity 0), and the
// sustain pedal pressed (controller 64 going from below 64 to 64 or more). Running status is
// understood; channel 10 (drums), system messages and everything else are passed over. Each byte
// is looked at once.
class MidiInput {
 public:
  std::vector<MidiEvent> Feed(std::span<const uint8_t> bytes);

 private:
  void Message();

  uint8_t status_ = 0;  // the running status; 0 when none
  uint8_t data_[2] = {};
  int have_ = 0;            // data bytes of the message so far
  bool inSysEx_ = false;    // inside a system exclusive message
  bool pedalDown_ = false;  // the sustain pedal, as last heard
  std::vector<MidiEvent> events_;
};

}  // namespace merin::session
