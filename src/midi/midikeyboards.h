// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/refusal.h"

namespace merin::midi {

// The MIDI keyboards of the desktop, through RtMidi: ALSA's sequencer, else JACK. One input is
// kept open for each port, so that every keyboard plays at once; ports that come later are found
// by Scan. A failure of the MIDI system never throws: it is said, and there is no MIDI.
class MidiKeyboards {
 public:
  // Gets the bytes of each message and the port's name, on a thread of the MIDI system's own.
  using Receive = std::function<void(const std::vector<uint8_t>& bytes, const std::string& port)>;

  explicit MidiKeyboards(Receive receive);
  ~MidiKeyboards();
  MidiKeyboards(const MidiKeyboards&) = delete;
  MidiKeyboards& operator=(const MidiKeyboards&) = delete;

  // Opens the MIDI system: nothing when it runs, else why not.
  std::optional<Refusal> Start();
  // The names of the input ports there are now; none before Start.
  std::vector<std::string> Ports();
  // Opens every port there is and `leftOut` does not name, closes those gone or left out; the
  // names of the ports open.
  std::vector<std::string> Scan(const std::set<std::string>& leftOut = {});

 private:
  struct Input;

  Receive receive_;
  int api_ = 0;  // RtMidi::Api of the system that started
  std::unique_ptr<Input> probe_;
  std::map<std::string, std::unique_ptr<Input>> inputs_;
};

}  // namespace merin::midi
