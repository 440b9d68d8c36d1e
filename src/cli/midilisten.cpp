// SPDX-License-Identifier: MIT
#include "cli/midilisten.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <deque>
#include <mutex>
#include <optional>
#include <set>

#include "cli/console.h"
#include "core/coretexts.h"
#include "core/escape.h"
#include "midi/midikeyboards.h"
#include "output/convert.h"
#include "session/noface.h"
#include "session/session.h"

namespace merin::cli {
namespace {

std::atomic<bool> interrupted{false};

// What a MIDI thread received and when, in milliseconds of the steady clock.
struct Received {
  std::vector<uint8_t> bytes;
  int64_t ms;
};

// The bytes the MIDI threads receive, handed to the main thread in order.
class Mailbox {
 public:
  void Put(std::vector<uint8_t> bytes) {
    const int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now().time_since_epoch())
                           .count();
    {
      const std::lock_guard lock(mutex_);
      waiting_.push_back({std::move(bytes), ms});
    }
    ready_.notify_one();
  }
  // What was received, waiting up to `most` for some.
  std::deque<Received> Take(std::chrono::milliseconds most) {
    std::unique_lock lock(mutex_);
    ready_.wait_for(lock, most, [this] { return !waiting_.empty(); });
    return std::exchange(waiting_, {});
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Received> waiting_;
};

// Line `index` of `listing`, without its CR LF.
std::string LineOf(const std::string& listing, size_t index) {
  size_t from = 0;
  for (size_t i = 0; i < index; ++i) from = listing.find("\r\n", from) + 2;
  return listing.substr(from, listing.find("\r\n", from) - from);
}

}  // namespace

int ListenToMidi(const Plan& plan) {
  Mailbox mailbox;
  midi::MidiKeyboards keyboards(
      [&mailbox](const std::vector<uint8_t>& bytes, const std::string&) { mailbox.Put(bytes); });
  if (auto why = keyboards.Start()) {
    return Fail(kBadInput,
                Said(Refusal(CoreText("midi-in.unavailable"), {}, {Words(*why, Spoken())})));
  }
  // Every port but those PORT does not name, when it is given.
  const auto leftOut = [&] {
    std::set<std::string> out;
    for (const std::string& port : keyboards.Ports()) {
      if (!plan.midiPort.empty() && port.find(plan.midiPort) == std::string::npos) out.insert(port);
    }
    return out;
  };
  const std::vector<std::string> open = keyboards.Scan(leftOut());
  if (!plan.midiPort.empty() && open.empty()) {
    return Fail(kBadInput, Said(CoreText("midi-in.no-port"), {Escaped(plan.midiPort)}));
  }
  Say(Said(CoreText("midi-in.listening"),
           {plan.midiPort.empty() ? std::string("*") : Escaped(plan.midiPort)}));

  interrupted = false;
  const auto previous = std::signal(SIGINT, [](int) { interrupted = true; });
  session::NoFace view;
  session::Session session(view);
  session.Load(view);  // thirty empty slots, as the window starts
  auto lastScan = std::chrono::steady_clock::now();
  // Once slot 30 is played, a chord's top note may still come: the end waits for it.
  std::optional<std::chrono::steady_clock::time_point> lastSlot;
  const auto chord = std::chrono::milliseconds(session::Session::kChordMs);
  while (!interrupted && !(lastSlot && std::chrono::steady_clock::now() - *lastSlot > chord)) {
    for (const Received& received : mailbox.Take(std::chrono::milliseconds(10))) {
      const auto now = std::chrono::steady_clock::now();
      // Timed as they arrived, however many are read at once.
      const session::Outcome outcome = session.Midi(received.bytes, received.ms);
      const std::string listing = ConvertMelody(CodesOf(session.melody()));
      for (const int32_t slot : outcome.changed) {
        Say(std::to_string(slot + 1) + ": " + LineOf(listing, size_t(slot)));
        if (slot == kSlotCount - 1 && !lastSlot) lastSlot = now;
      }
    }
    if (plan.midiPort.empty() &&
        std::chrono::steady_clock::now() - lastScan > std::chrono::seconds(1)) {
      keyboards.Scan(leftOut());
      lastScan = std::chrono::steady_clock::now();
    }
  }
  std::signal(SIGINT, previous);
  const std::string listing = ConvertMelody(CodesOf(session.melody()));
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  return 0;
}

}  // namespace merin::cli
