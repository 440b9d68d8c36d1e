// SPDX-License-Identifier: MIT
#include "sound/portaudiodevice.h"

#include <alsa/asoundlib.h>
#include <portaudio.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <mutex>
#include <new>
#include <set>
#include <thread>
#include <vector>

#include "core/coretexts.h"
#include "core/escape.h"
#include "sound/decodedwave.h"

#ifdef MERIN_HAVE_JACK
#include <jack/jack.h>
#endif

namespace merin {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPreferredChannels = 2;
constexpr double kFallbackRate = 44100;
// The least output latency asked for, in seconds.
constexpr double kLeastLatency = 0.1;
// How long after its own length the last sound is let sound before the device closes.
constexpr double kLastSoundMargin = 0.08;

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
#ifdef MERIN_HAVE_JACK
void IgnoreJackMessage(const char*) {}
#endif

// ALSA and JACK print their probing of every card and server on stderr; none of it helps a user.
void QuietBackends() {
  snd_lib_error_set_handler(IgnoreAlsaError);
#ifdef MERIN_HAVE_JACK
  jack_set_error_function(IgnoreJackMessage);
  jack_set_info_function(IgnoreJackMessage);
#endif
}

}  // namespace

struct PortAudioDevice::Impl {
  std::function<Language()> language;
  bool initialised = false;
  PaStream* stream = nullptr;
  int channels = 0;
  int rate = int(kFallbackRate);
  double latency = 0;
  Clock::time_point silentUntil{};
  std::set<std::string> reported;
  // Held while the stream is written or reset, so that a stop from another thread never meets a
  // write in the middle.
  std::mutex writing;
  // Counts the stops asked for: a sound ends when the count moves on from where it started.
  std::atomic<unsigned> stops{0};
  std::mutex waiting;
  std::condition_variable stopped;

  // Says on stderr that sound is off, and why: `reason`, with PortAudio's own words if any.
  void Off(const Text& reason, const char* detail = nullptr) {
    Refusal why(reason);
    if (detail) why.detail = detail;
    const Language in = language();
    Say(Words(CoreText("sound.off"), in, {Reason(why, in)}));
    Close();
    channels = 0;
  }

  // One line on stderr, in one write.
  static void Say(const std::string& line) {
    std::fputs(("merinkast98: " + line + "\n").c_str(), stderr);
  }

  bool Open() {
    QuietBackends();
    if (PaError e = Pa_Initialize(); e != paNoError) {
      Off(CoreText("sound.cannot-open-output"), Pa_GetErrorText(e));
      return false;
    }
    initialised = true;
    const PaDeviceIndex device = Pa_GetDefaultOutputDevice();
    const PaDeviceInfo* info = device == paNoDevice ? nullptr : Pa_GetDeviceInfo(device);
    if (!info || info->maxOutputChannels < 1) {
      Off(CoreText("sound.no-output-device"));
      return false;
    }
    channels = std::min(kPreferredChannels, info->maxOutputChannels);
    rate = info->defaultSampleRate > 0 ? int(info->defaultSampleRate) : int(kFallbackRate);
    // A tenth of a second at least: a busy machine with a sound server that asks in large blocks
    // otherwise lets the queue run dry between two writes, and a gap is heard.
    PaError e = OpenOutput(&stream, std::max(info->defaultHighOutputLatency, kLeastLatency));
    if (e != paNoError) stream = nullptr;
    if (e == paNoError) e = Pa_StartStream(stream);
    if (e != paNoError) {
      Off(CoreText("sound.cannot-open-output"), Pa_GetErrorText(e));
      return false;
    }
    latency = Pa_GetStreamInfo(stream)->outputLatency;
    return true;
  }

  // Opens `*opened` on the default output device with the device's channels and rate.
  PaError OpenOutput(PaStream** opened, double latency) const {
    PaStreamParameters out{};
    out.device = Pa_GetDefaultOutputDevice();
    out.channelCount = channels;
    out.sampleFormat = paFloat32;
    out.suggestedLatency = latency;
    return Pa_OpenStream(opened, nullptr, &out, rate, paFramesPerBufferUnspecified, paNoFlag,
                         nullptr, nullptr);
  }

  // `path` decoded for the stream; a sound too large to hold is refused as out of memory.
  DecodedWave Decode(const std::string& path) const {
    try {
      return DecodeWave(path, channels, rate);
    } catch (const std::bad_alloc&) {
      DecodedWave wave;
      wave.refusal = SystemRefusal(ENOMEM, path);
      return wave;
    }
  }

  // The last sound: see PortAudioDevice::PlayLastWave.
  void PlayLast(const std::string& path) {
    if (!stream) {
      Play(path);
      return;
    }
    const DecodedWave wave = Decode(path);
    if (!wave.ok()) Report(path, wave);
    const std::lock_guard lock(writing);
    Pa_AbortStream(stream);
    Pa_CloseStream(stream);
    stream = nullptr;
    if (!wave.ok()) return;
    if (wave.cutShort) Report(path, wave);
    PaStream* last = nullptr;
    if (OpenOutput(&last, wave.seconds() + 0.1) != paNoError) return;
    const auto start = Clock::now();
    const auto frames = static_cast<unsigned long>(wave.samples.size() / size_t(channels));
    if (Pa_StartStream(last) == paNoError) {
      Pa_WriteStream(last, wave.samples.data(), frames);
      std::this_thread::sleep_until(
          start + std::chrono::duration_cast<Clock::duration>(
                      std::chrono::duration<double>(wave.seconds() + kLastSoundMargin)));
    }
    Pa_AbortStream(last);
    Pa_CloseStream(last);
  }

  // Lets everything written be heard (silence pushes it out of the queue), then closes.
  void Close() {
    if (stream) {
      const auto frames = size_t((latency + 0.05) * rate);
      const std::vector<float> silence(frames * size_t(channels), 0.0f);
      if (Pa_IsStreamActive(stream) == 1) Pa_WriteStream(stream, silence.data(), frames);
      Pa_StopStream(stream);
      Pa_CloseStream(stream);
      stream = nullptr;
    }
    if (initialised) {
      Pa_Terminate();
      initialised = false;
    }
  }

  // Waits as long as the sound would be heard, unless a stop that `generation` did not see yet
  // comes first.
  void Wait(double seconds, unsigned generation) {
    const auto start = std::max(Clock::now(), silentUntil);
    silentUntil =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    std::unique_lock lock(waiting);
    if (stopped.wait_until(lock, silentUntil, [&] { return stops != generation; })) {
      silentUntil = Clock::now();
    }
  }

  void Stop() {
    {
      const std::lock_guard lock(waiting);
      ++stops;
    }
    stopped.notify_all();
    const std::lock_guard lock(writing);
    if (stream && Pa_IsStreamActive(stream) == 1) {
      // Aborting drops what is queued at once; the stream then starts again, empty.
      Pa_AbortStream(stream);
      Pa_StartStream(stream);
    }
  }

  // Says once for each file on stderr that it cannot be played, or that it is played cut short.
  void Report(const std::string& path, const DecodedWave& wave) {
    if (!reported.insert(path).second) return;
    const Language in = language();
    if (!wave.ok()) {
      Refusal unplayed = *wave.refusal;
      unplayed.doing = &CoreText("doing.play");
      Say(Words(unplayed, in));
    } else {
      Say(Words(CoreText("sound.played-cut"), in,
                {Escaped(path), Words(CoreText("sound.cut"), in)}));
    }
  }

  void Play(const std::string& path) {
    const unsigned generation = stops;
    const DecodedWave wave = Decode(path);
    if (!wave.ok()) {
      Report(path, wave);
      return;
    }
    if (wave.cutShort) Report(path, wave);
    if (!stream) {
      Wait(wave.seconds(), generation);
      return;
    }
    // Written a fiftieth of a second at a time, so that a stop is seen between two pieces.
    const size_t frames = wave.samples.size() / size_t(channels);
    const size_t piece = std::max(1, rate / 50);
    for (size_t at = 0; at < frames; at += piece) {
      const std::lock_guard lock(writing);
      if (stops != generation || !stream) return;
      const auto count = static_cast<unsigned long>(std::min(piece, frames - at));
      const PaError e = Pa_WriteStream(stream, wave.samples.data() + at * size_t(channels), count);
      if (e != paNoError && e != paOutputUnderflowed) {
        Off(CoreText("sound.output-failed"), Pa_GetErrorText(e));
        const double left = double(frames - at) / rate;
        Wait(left, generation);
        return;
      }
    }
  }
};

PortAudioDevice::PortAudioDevice(std::function<Language()> language)
    : impl_(std::make_unique<Impl>()) {
  impl_->language = language ? std::move(language) : [] { return Language::English; };
  impl_->Open();
}

PortAudioDevice::~PortAudioDevice() { impl_->Close(); }

void PortAudioDevice::PlayWave(const std::string& path) { impl_->Play(path); }

void PortAudioDevice::PlayLastWave(const std::string& path) { impl_->PlayLast(path); }

void PortAudioDevice::Stop() { impl_->Stop(); }

bool PortAudioDevice::enabled() const { return impl_->stream != nullptr; }

int PortAudioDevice::rate() const { return impl_->rate; }

double PortAudioDevice::latency() const { return impl_->latency; }

}  // namespace merin
