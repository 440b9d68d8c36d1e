// SPDX-License-Identifier: MIT
#include "midi/midikeyboards.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <rtmidi/RtMidi.h>

#include <iostream>
#include <sstream>

#include "core/coretexts.h"

namespace merin::midi {
namespace {

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
void IgnoreJackMessage(const char*) {}

}  // namespace

// One RtMidi input, its warnings kept rather than printed.
struct MidiKeyboards::Input {
  Input(RtMidi::Api api, const Receive* receive, std::string name)
      : in(api, "Merinkast98"), receive(receive), port(std::move(name)) {
    in.setErrorCallback([](RtMidiError::Type, const std::string& text,
                           void* self) { static_cast<Input*>(self)->warning = text; },
                        this);
  }

  RtMidiIn in;
  const Receive* receive;
  std::string port;
  std::string warning;
};

MidiKeyboards::MidiKeyboards(Receive receive) : receive_(std::move(receive)) {}

MidiKeyboards::~MidiKeyboards() = default;

std::optional<Refusal> MidiKeyboards::Start() {
  // ALSA and JACK print their probing on stderr; the reason comes back as a refusal instead.
  snd_lib_error_set_handler(IgnoreAlsaError);
  jack_set_error_function(IgnoreJackMessage);
  jack_set_info_function(IgnoreJackMessage);
  // RtMidi prints an error before it throws it, and the error says it again.
  std::ostringstream printed;
  std::streambuf* const cerr = std::cerr.rdbuf(printed.rdbuf());
  struct Restore {
    std::streambuf* buffer;
    ~Restore() { std::cerr.rdbuf(buffer); }
  } restore{cerr};
  std::string why;
  for (const RtMidi::Api api : {RtMidi::LINUX_ALSA, RtMidi::UNIX_JACK}) {
    try {
      auto probe = std::make_unique<Input>(api, &receive_, std::string());
      // JACK opens its client when asked for ports, and only warns when no server runs.
      probe->in.getPortCount();
      if (!probe->warning.empty()) {
        why = probe->warning;
        continue;
      }
      probe_ = std::move(probe);
      api_ = int(api);
      return std::nullopt;
    } catch (const RtMidiError& error) {
      why = error.getMessage();
    }
  }
  Refusal refusal(CoreText("midi-in.no-system"));
  refusal.detail = why;
  return refusal;
}

std::vector<std::string> MidiKeyboards::Ports() {
  std::vector<std::string> ports;
  if (!probe_) return ports;
  try {
    const unsigned count = probe_->in.getPortCount();
    for (unsigned i = 0; i < count; ++i) ports.push_back(probe_->in.getPortName(i));
  } catch (const RtMidiError&) {
    ports.clear();
  }
  return ports;
}

std::vector<std::string> MidiKeyboards::Scan(const std::set<std::string>& leftOut) {
  const std::vector<std::string> ports = Ports();
  const std::set<std::string> there(ports.begin(), ports.end());
  std::erase_if(inputs_, [&](const auto& open) {
    return !there.contains(open.first) || leftOut.contains(open.first);
  });
  for (unsigned i = 0; i < ports.size(); ++i) {
    const std::string& name = ports[i];
    if (inputs_.contains(name) || leftOut.contains(name)) continue;
    try {
      auto input = std::make_unique<Input>(RtMidi::Api(api_), &receive_, name);
      input->in.setCallback(
          [](double, std::vector<unsigned char>* message, void* self) {
            const auto* input = static_cast<Input*>(self);
            (*input->receive)(std::vector<uint8_t>(message->begin(), message->end()), input->port);
          },
          input.get());
      input->in.ignoreTypes(true, true, true);
      input->in.openPort(i, "Merinkast98 in");
      if (input->in.isPortOpen()) inputs_.emplace(name, std::move(input));
    } catch (const RtMidiError&) {
      // A port that went away between the listing and the opening: the next scan tries again.
    }
  }
  std::vector<std::string> open;
  for (const auto& [name, input] : inputs_) open.push_back(name);
  return open;
}

}  // namespace merin::midi
