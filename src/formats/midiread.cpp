// SPDX-License-Identifier: MIT
// The Standard MIDI File reader of the MIDI unit: our own, since the readers about were
// not safe on damaged files, and it needs no more than note events, program changes and names.
#include "formats/midiread.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/coretexts.h"
#include "formats/fit.h"
#include "formats/textscan.h"
#include "formats/title.h"

namespace merin::formats {
namespace {

// The MIDI unit's words: what its reader refuses and tells.
constexpr Text kMidiTexts[] = {
    {"midi.no-header", "標準 MIDI ファイルではありません（\"MThd\" ヘッダがありません）",
     "not a Standard MIDI File (no \"MThd\" header)"},
    {"midi.short-header", "ヘッダの長さが 6 ではなく {0} バイトです",
     "the header is {0} bytes long, not 6"},
    {"midi.format", "フォーマット {0} は読み込めません（0 と 1 だけです）",
     "format {0} is not read (only formats 0 and 1)"},
    {"midi.division", "時間単位が四分音符あたりのティック数ではありません",
     "the time division is not in ticks per quarter note"},
    {"midi.past-file", "ファイルの終わりを越えています", "runs past the end of the file"},
    {"midi.past-track", "トラックの終わりを越えています", "runs past the end of the track"},
    {"midi.no-status", "バイト値 {0} はイベントの始まりではありません",
     "byte {0} does not start an event"},
    {"midi.bad-number", "可変長の数が 4 バイトを超えています",
     "a variable-length number longer than 4 bytes"},
    {"midi.no-notes", "チャンネル 10 以外に音符がありません", "no note outside channel 10"},
    {"midi.no-such-part", "パート {0} はありません（パートは {1} 個です）",
     "no part {0} (the file has {1})"},
    {"midi.part-taken", "パート {0} を取り込みました: {1}、チャンネル {2}、{3}",
     "took part {0}: {1}, channel {2}, {3}"},
    {"midi.part-taken-unnamed", "パート {0} を取り込みました: （名前なし）、チャンネル {2}、{3}",
     "took part {0}: (no name), channel {2}, {3}"},
    {"midi.chords", "{0} 個の和音から一番高い音を取りました",
     "kept the highest note of {0} chords"},
};

consteval const Text& MidiText(std::string_view id) { return Row(kMidiTexts, id); }

constexpr int kPercussion = 9;             // channel 10, counted from 0
constexpr uint8_t kUnknownProgram = 0xFF;  // of a part, until the whole file is read

// A part's counts fit MidiPart's 32 bits: a note takes 3 bytes or more and gives 5 slots at most.
static_assert(uint64_t{kMaxBinaryBytes} / 3 * 5 * 127 <= UINT32_MAX);

// One channel of the track being read, made into its part as its notes come: the notes that start
// at one tick are an onset, which gives the highest of them, and an onset after a silence of a
// beat or more is preceded by rests (one a beat, at most 4). A note ends at a note-off of its key
// while one is sounding, else with the track.
class Voice {
 public:
  // A note of `key` starts at `tick`.
  void Start(uint64_t tick, int key, uint64_t beat) {
    if (part_.notes == 0 || tick != onset_) {
      if (part_.notes == 0) {
        firstTick_ = tick;
        part_.lowest = part_.highest = uint8_t(key);
      } else {
        EndOnset();
        // A note still sounding ends at this onset or later: there is no silence before it.
        if (sounding_ == 0 && tick >= latestEnd_ + beat) {
          sequence_.insert(sequence_.end(), std::min<uint64_t>(4, (tick - latestEnd_) / beat),
                           kRestPitch);
        }
      }
      onset_ = tick;
      onsetHighest_ = key;
      onsetNotes_ = 0;
    }
    ++onsetNotes_;
    onsetHighest_ = std::max(onsetHighest_, key);
    part_.lowest = std::min(part_.lowest, uint8_t(key));
    part_.highest = std::max(part_.highest, uint8_t(key));
    part_.keySum += uint32_t(key);
    ++part_.notes;
    ++sounding_;
    ++open_[size_t(key)];
  }

  // A note of `key` ends at `tick`, when one is sounding.
  void End(uint64_t tick, int key) {
    if (open_[size_t(key)] == 0) return;
    --open_[size_t(key)];
    --sounding_;
    latestEnd_ = std::max(latestEnd_, tick);
  }

  bool Empty() const { return part_.notes == 0; }
  // The tick of its first note.
  uint64_t FirstTick() const { return firstTick_; }

  // Its part, at the end of the track: its sequence appended to `sequences`. The voice is empty
  // again.
  MidiPart Finish(std::vector<int>& sequences) {
    EndOnset();
    MidiPart part = std::exchange(part_, MidiPart{});
    part.sequenceStart = uint32_t(sequences.size());
    part.sequenceLength = uint32_t(sequence_.size());
    sequences.insert(sequences.end(), sequence_.begin(), sequence_.end());
    sequence_.clear();
    if (sounding_ > 0) open_.fill(0);
    sounding_ = 0;
    latestEnd_ = 0;
    return part;
  }

 private:
  void EndOnset() {
    ++part_.onsets;
    if (onsetNotes_ > 1) ++part_.chords;
    sequence_.push_back(onsetHighest_);
  }

  MidiPart part_;
  std::vector<int> sequence_;
  uint64_t firstTick_ = 0, onset_ = 0, latestEnd_ = 0;
  int onsetHighest_ = 0;
  uint32_t onsetNotes_ = 0, sounding_ = 0;
  std::array<uint32_t, 128> open_{};  // notes sounding, by key
};

// A program change and when it came.
struct ProgramChange {
  uint64_t tick;
  uint8_t program;
};

class Reader {
 public:
  Reader(std::string_view bytes, std::string_view file) : bytes_(bytes), file_(file) {}

  std::optional<Refusal> Read(MidiTune& tune) {
    if (bytes_.size() > kMaxBinaryBytes) {
      return Refusal(CoreText("file.too-large"), std::string(file_),
                     {std::to_string(kMaxBinaryBytes / 1024)});
    }
    if (!bytes_.starts_with("MThd")) return At(0, MidiText("midi.no-header"));
    if (bytes_.size() < 14) return At(bytes_.size(), MidiText("midi.past-file"));
    const uint32_t length = Big(4, 4);
    if (length < 6) return At(4, MidiText("midi.short-header"), length);
    if (const uint32_t format = Big(8, 2); format > 1)
      return At(8, MidiText("midi.format"), format);
    const uint32_t division = Big(12, 2);
    if (division == 0 || division >= 0x8000) return At(12, MidiText("midi.division"));
    beat_ = division;
    size_t at = 8 + static_cast<size_t>(length);
    if (at > bytes_.size()) return At(8, MidiText("midi.past-file"));
    // Room for the most parts there can be, made at once: 15 a track, each of 4 bytes or more.
    const size_t tracks = TrackCount(at);
    tune.names.reserve(tracks);
    tune.parts.reserve(std::min(15 * tracks, bytes_.size() / 4));
    while (at < bytes_.size()) {
      if (bytes_.size() - at < 8) return At(at, MidiText("midi.past-file"));
      const size_t size = Big(at + 4, 4);
      if (size > bytes_.size() - at - 8) return At(at + 4, MidiText("midi.past-file"));
      if (bytes_.substr(at, 4) == "MTrk") {
        if (auto refusal = ReadTrack(at + 8, at + 8 + size, tune)) return refusal;
      }
      at += 8 + size;
    }
    // Parts without a program change in their track take the first for their channel anywhere,
    // when it comes no later than their first note.
    auto firstTick = unprogrammed_.begin();
    for (MidiPart& part : tune.parts) {
      if (part.program != kUnknownProgram) continue;
      const auto& change = earliest_[part.channel - 1];
      part.program = change && change->tick <= *firstTick++ ? change->program : 0;
    }
    return std::nullopt;
  }

 private:
  uint32_t Big(size_t at, int count) const {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | Byte(at + static_cast<size_t>(i));
    return value;
  }
  uint8_t Byte(size_t at) const { return static_cast<uint8_t>(bytes_[at]); }

  // How many tracks the chunks from `at` on hold, as far as their lengths can be followed.
  size_t TrackCount(size_t at) const {
    size_t tracks = 0;
    while (bytes_.size() - at >= 8) {
      const size_t size = Big(at + 4, 4);
      if (size > bytes_.size() - at - 8) break;
      tracks += bytes_.substr(at, 4) == "MTrk";
      at += 8 + size;
    }
    return tracks;
  }

  Refusal At(size_t offset, const Text& fault, std::optional<uint32_t> value = {}) const {
    Refusal refusal(fault, std::string(file_));
    refusal.offset = offset;
    if (value) refusal.values = {std::to_string(*value)};
    return refusal;
  }

  // A variable-length number at `at`, before `end`; `at` moves past it.
  std::variant<uint32_t, Refusal> Number(size_t& at, size_t end) const {
    uint32_t value = 0;
    const size_t start = at;
    for (int i = 0; i < 4; ++i) {
      if (at >= end) return At(start, MidiText("midi.past-track"));
      const uint8_t b = Byte(at++);
      value = (value << 7) | (b & 0x7F);
      if (!(b & 0x80)) return value;
    }
    return At(start, MidiText("midi.bad-number"));
  }

  // Reads the track in [at, end): its name, and a part for each channel that has notes.
  std::optional<Refusal> ReadTrack(size_t at, size_t end, MidiTune& tune) {
    std::string& name = tune.names.emplace_back();
    tune.nameControls.push_back(0);
    bool named = false;
    uint64_t tick = 0;
    uint8_t running = 0;
    while (at < end) {
      auto delta = Number(at, end);
      if (auto* refusal = std::get_if<Refusal>(&delta)) return std::move(*refusal);
      tick += std::get<uint32_t>(delta);
      if (at >= end) return At(at, MidiText("midi.past-track"));
      const size_t eventAt = at;
      uint8_t status = Byte(at);
      if (status >= 0x80) {
        ++at;
      } else if (running) {
        status = running;
      } else {
        return At(eventAt, MidiText("midi.no-status"), status);
      }
      if (status == 0xFF || status == 0xF0 || status == 0xF7) {
        running = 0;
        uint8_t type = 0;
        if (status == 0xFF) {
          if (at >= end) return At(eventAt, MidiText("midi.past-track"));
          type = Byte(at++);
        }
        auto length = Number(at, end);
        if (auto* refusal = std::get_if<Refusal>(&length)) return std::move(*refusal);
        if (std::get<uint32_t>(length) > end - at) return At(eventAt, MidiText("midi.past-track"));
        const std::string_view data = bytes_.substr(at, std::get<uint32_t>(length));
        at += data.size();
        if (status == 0xFF && type == 0x03 && !named) {
          size_t dropped = 0;
          name = TitleOf(data, &dropped);
          tune.nameControls.back() = uint32_t(dropped);
          named = true;
        }
        if (status == 0xFF && type == 0x2F) break;  // the end of the track
        continue;
      }
      if (status >= 0xF0) return At(eventAt, MidiText("midi.no-status"), status);
      running = status;
      const int kind = status >> 4;
      const int channel = status & 0x0F;
      const size_t size = kind == 0xC || kind == 0xD ? 1 : 2;
      if (size > end - at) return At(eventAt, MidiText("midi.past-track"));
      const int first = Byte(at) & 0x7F;
      const int second = size == 2 ? Byte(at + 1) & 0x7F : 0;
      at += size;
      if (kind == 0xC) {
        if (!programs_[size_t(channel)]) programs_[size_t(channel)] = uint8_t(first);
        auto& earliest = earliest_[size_t(channel)];
        if (!earliest || tick < earliest->tick) earliest = ProgramChange{tick, uint8_t(first)};
      } else if (channel == kPercussion) {
        continue;
      } else if (kind == 0x9 && second > 0) {
        voices_[size_t(channel)].Start(tick, first, beat_);
      } else if (kind == 0x8 || kind == 0x9) {
        voices_[size_t(channel)].End(tick, first);
      }
    }
    for (size_t channel = 0; channel < voices_.size(); ++channel) {
      Voice& voice = voices_[channel];
      const std::optional<uint8_t> program = std::exchange(programs_[channel], std::nullopt);
      if (voice.Empty()) continue;
      if (!program) unprogrammed_.push_back(voice.FirstTick());
      MidiPart& part = tune.parts.emplace_back(voice.Finish(tune.sequences));
      part.track = uint32_t(tune.names.size());
      part.channel = uint8_t(channel + 1);
      part.program = program.value_or(kUnknownProgram);
    }
    return std::nullopt;
  }

  std::string_view bytes_;
  std::string_view file_;
  uint64_t beat_ = 0;
  std::array<Voice, 16> voices_;
  std::array<std::optional<uint8_t>, 16> programs_;        // each channel's first in the track
  std::array<std::optional<ProgramChange>, 16> earliest_;  // and its earliest in the file
  // The tick of the first note of each part whose track has no program change, in order.
  std::vector<uint64_t> unprogrammed_;
};

bool NamedAsMelody(std::string_view name) {
  const std::string lower = AsciiLower(name);
  for (const char* word : {"melody", "melodie", "lead", "vocal", "voice", "solo"}) {
    if (lower.find(word) != std::string::npos) return true;
  }
  return false;
}

// The default part: among those with 30 onsets or more (all when none has), those named as a
// melody (all when none is), the highest mean key; a tie to the earlier part.
size_t ChosenPart(const MidiTune& tune) {
  const std::vector<MidiPart>& parts = tune.parts;
  std::vector<bool> melodyTrack;
  for (const std::string& name : tune.names) melodyTrack.push_back(NamedAsMelody(name));
  const auto named = [&](const MidiPart& p) { return melodyTrack[p.track - 1]; };
  const bool anyLong = std::any_of(parts.begin(), parts.end(),
                                   [](const MidiPart& p) { return p.onsets >= kSlotCount; });
  const auto candidate = [&](const MidiPart& p) { return !anyLong || p.onsets >= kSlotCount; };
  const bool anyNamed = std::any_of(parts.begin(), parts.end(),
                                    [&](const MidiPart& p) { return candidate(p) && named(p); });
  size_t best = 0;
  for (size_t i = 0; i < parts.size(); ++i) {
    const MidiPart& p = parts[i];
    if (!candidate(p) || (anyNamed && !named(p))) continue;
    if (best == 0) {
      best = i + 1;
      continue;
    }
    const MidiPart& b = parts[best - 1];
    // p's mean above b's: sums compared over each other's counts.
    if (uint64_t{p.keySum} * b.notes > uint64_t{b.keySum} * p.notes) best = i + 1;
  }
  return best;
}

}  // namespace

std::string KeyName(int key) {
  static constexpr const char* kNames[] = {"C",  "C#", "D",  "D#", "E",  "F",
                                           "F#", "G",  "G#", "A",  "A#", "B"};
  return kNames[key % 12] + std::to_string(key / 12 - 1);
}

std::span<const Text> MidiTexts() { return kMidiTexts; }

std::variant<MidiTune, Refusal> ReadMidiTune(std::string_view bytes, std::string_view file) {
  std::variant<MidiTune, Refusal> read;
  MidiTune& tune = std::get<MidiTune>(read);
  if (auto refusal = Reader(bytes, file).Read(tune)) return std::move(*refusal);
  if (tune.parts.empty()) return Refusal(MidiText("midi.no-notes"), std::string(file));
  tune.chosen = ChosenPart(tune);
  return read;
}

std::variant<Imported, Refusal> TakePart(const MidiTune& tune, size_t part, size_t from,
                                         std::string_view file) {
  if (part > tune.parts.size()) {
    return Refusal(MidiText("midi.no-such-part"), std::string(file),
                   {std::to_string(part), std::to_string(tune.parts.size())});
  }
  const size_t number = part == 0 ? tune.chosen : part;
  const MidiPart& taken = tune.parts[number - 1];
  const std::string& name = tune.Name(taken);
  Imported imported{{}, {}, false, name};
  imported.report.push_back(
      {name.empty() ? &MidiText("midi.part-taken-unnamed") : &MidiText("midi.part-taken"),
       {std::to_string(number), name, std::to_string(taken.channel)},
       {&InstrumentTexts()[taken.program & 0x7f]}});
  if (taken.chords > 0) {
    imported.report.push_back({&MidiText("midi.chords"), {std::to_string(taken.chords)}});
  }
  if (auto refusal = Fit(tune.Sequence(taken), from, file, imported)) return *refusal;
  SayTitleCleaned(imported, tune.nameControls[taken.track - 1]);
  return imported;
}

}  // namespace merin::formats
