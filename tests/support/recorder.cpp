// SPDX-License-Identifier: MIT
#include "support/recorder.h"

#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <stdexcept>
#include <thread>

namespace merin::test {

Recorder::Recorder(std::string path) : path_(std::move(path)) {
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    execlp("parec", "parec", "-d", "out.monitor", "--latency-msec=20", "--format=s16le",
           "--rate=44100", "--channels=1", "--file-format=wav", path_.c_str(), nullptr);
    _exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  std::error_code ec;
  while (std::filesystem::file_size(path_, ec) < 44 + 2 * 4410 || ec) {
    if (std::chrono::steady_clock::now() > deadline) {
      stop();
      throw std::runtime_error("parec recorded nothing into " + path_);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

Recorder::~Recorder() {
  if (pid_ > 0) stop();
}

std::vector<float> Recorder::stop() {
  if (pid_ > 0) {
    kill(pid_, SIGINT);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  SF_INFO info{};
  SNDFILE* f = sf_open(path_.c_str(), SFM_READ, &info);
  if (!f) return {};
  std::vector<float> samples(size_t(info.frames) * size_t(info.channels));
  samples.resize(size_t(sf_readf_float(f, samples.data(), info.frames)));
  sf_close(f);
  return samples;
}

}  // namespace merin::test
