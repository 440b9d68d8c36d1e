// SPDX-License-Identifier: MIT
#include "session/midiinput.h"

namespace merin::session {
namespace {

constexpr int kDrumChannel = 9;  // channel 10, counted from 0
constexpr uint8_t kSustain = 64;

// How many data bytes a channel message of `status` has.
int DataBytes(uint8_t status) {
  const uint8_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

}  // namespace

std::vector<MidiEvent> MidiInput::Feed(std::span<const uint8_t> bytes) {
  events_.clear();
  for (const uint8_t byte : bytes) {
    if (byte >= 0xF8) continue;  // real-time messages may come between any two bytes
    if (byte >= 0x80) {
      have_ = 0;
      if (byte == 0xF0) {
        inSysEx_ = true;
        status_ = 0;
      } else if (byte >= 0xF0) {
        // The other system messages end running status; their data bytes are passed over.
        inSysEx_ = false;
        status_ = 0;
      } else {
        inSysEx_ = false;
        status_ = byte;
      }
      continue;
    }
    if (inSysEx_ || status_ == 0) continue;
    data_[have_++] = byte;
    if (have_ < DataBytes(status_)) continue;
    Message();
    have_ = 0;
  }
  return std::move(events_);
}

void MidiInput::Message() {
  const uint8_t kind = status_ & 0xF0;
  if ((status_ & 0x0F) == kDrumChannel) return;
  if (kind == 0xB0 && data_[0] == kSustain) {
    const bool down = data_[1] >= 64;
    if (down && !pedalDown_) events_.push_back({MidiEvent::Kind::PedalDown});
    pedalDown_ = down;
    return;
  }
  if (kind == 0x90 && data_[1] > 0) {
    events_.push_back({MidiEvent::Kind::NoteOn, data_[0]});
  } else if (kind == 0x80 || kind == 0x90) {
    events_.push_back({MidiEvent::Kind::NoteOff, data_[0]});
  }
}

}  // namespace merin::session
