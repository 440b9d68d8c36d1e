// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/language.h"
#include "core/sounddevice.h"

namespace merin {

// The sound device on PortAudio (output) and libsndfile (decoding). One output stream stays open
// for the device's life, so consecutive sounds follow one another without a gap. Every file is
// converted to the stream's rate and channels (linear resampling), so the stream is never
// reopened.
class PortAudioDevice : public SoundDevice {
 public:
  // Opens the default output device. With none, sound is off: PlayWave then only waits for each
  // sound's own duration. Its notes on stderr are worded in the language `language` gives at the
  // time (English when none is given).
  explicit PortAudioDevice(std::function<Language()> language = {});
  // Waits until the last sound has been heard, then closes the device.
  ~PortAudioDevice() override;
  PortAudioDevice(const PortAudioDevice&) = delete;
  PortAudioDevice& operator=(const PortAudioDevice&) = delete;

  // Queues the whole sound and returns once at most one output latency of it is left to hear.
  // A file that cannot be read is reported on stderr once and plays nothing.
  void PlayWave(const std::string& path) override;
  // Drops what is queued, then writes the whole sound at once into a stream of its own that
  // holds it, waits by the clock until it has been heard and closes the device: a sound server
  // that takes its data in large blocks (PulseAudio's stock null sink asks for two seconds at a
  // time) makes blocking writes wait for far longer than the sound lasts.
  void PlayLastWave(const std::string& path) override;
  // Ends the sound being played within a fiftieth of a second and drops what is queued.
  void Stop() override;
  // Whether a real output device is in use.
  bool enabled() const;
  // The stream's frames per second (the rate files are resampled to).
  int rate() const;
  // How long a written frame waits before it is heard, in seconds.
  double latency() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace merin
