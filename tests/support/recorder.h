// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace merin::test {

// Records the null sink's monitor with parec into a wave file, from construction until stop().
class Recorder {
 public:
  // Starts parec and waits until audio reaches the file.
  explicit Recorder(std::string path);
  // Stops parec if stop() was not called.
  ~Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  // Ends the recording and returns it as mono samples in -1..1 at rate().
  std::vector<float> stop();
  // Frames per second of the recording.
  static constexpr int rate() { return 44100; }

 private:
  std::string path_;
  pid_t pid_ = -1;
};

}  // namespace merin::test
