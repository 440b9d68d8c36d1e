#pragma once

#include <memory>
#include <string>

#include "core/sounddevice.h"

namespace merin {

// The sound device on PortAudio (output) and libsndfile (decoding). One output stream stays open
// for the device's life, so consecutive sounds follow one another without a gap.
class PortAudioDevice : public SoundDevice {
 public:
  // Opens the default output device. With none, sound is off: PlayWave then only waits for each
  // sound's own duration.
  PortAudioDevice();
  // Waits until the last sound has been heard, then closes the device.
  ~PortAudioDevice() override;

  void PlayWave(const std::string& path) override;
  // Whether a real output device is in use.
  bool enabled() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace merin
