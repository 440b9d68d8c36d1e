// SPDX-License-Identifier: MIT
// The Standard MIDI File reader of the MIDI unit (midi.h): our own, since the readers about were
// not safe on damaged files, and it needs no more than note events, program changes and names.
#include <algorithm>
#include <array>
#include <deque>
#include <map>

#include "formats/fit.h"
#include "formats/midi.h"
#include "formats/textscan.h"
#include "formats/title.h"

namespace merin::formats {
namespace {

constexpr int kPercussion = 9;  // channel 10, counted from 0

struct Note {
  uint64_t start = 0, end = 0;
  int key = 0;
};

// What one track holds, channel by channel.
struct Track {
  std::string name;
  bool named = false;
  std::array<std::vector<Note>, 16> notes;
  std::array<int, 16> program;  // its first program change, or -1
  Track() { program.fill(-1); }
};

// A program change and when it came, for parts whose own track has none.
struct ProgramChange {
  uint64_t tick;
  int channel, program;
};

class Reader {
 public:
  Reader(std::string_view bytes, std::string_view file) : bytes_(bytes), file_(file) {}

  std::optional<Refusal> Read(std::vector<Track>& tracks, std::vector<ProgramChange>& changes,
                              int& beat) {
    if (bytes_.size() > kMaxBinaryBytes) {
      return Refusal(Fault::TooLarge, std::string(file_), {kMaxBinaryBytes / 1024});
    }
    if (!bytes_.starts_with("MThd")) return At(0, Fault::MidiNoHeader);
    if (bytes_.size() < 14) return At(bytes_.size(), Fault::MidiRunsPast, 0);
    const uint32_t length = Big(4, 4);
    if (length < 6) return At(4, Fault::MidiShortHeader, length);
    if (const uint32_t format = Big(8, 2); format > 1) return At(8, Fault::MidiFormat, format);
    const uint32_t division = Big(12, 2);
    if (division == 0 || division >= 0x8000) return At(12, Fault::MidiDivision);
    beat = static_cast<int>(division);
    size_t at = 8 + static_cast<size_t>(length);
    if (at > bytes_.size()) return At(8, Fault::MidiRunsPast, 0);
    while (at < bytes_.size()) {
      if (bytes_.size() - at < 8) return At(at, Fault::MidiRunsPast, 0);
      const size_t size = Big(at + 4, 4);
      if (size > bytes_.size() - at - 8) return At(at + 4, Fault::MidiRunsPast, 0);
      if (bytes_.substr(at, 4) == "MTrk") {
        tracks.emplace_back();
        if (auto refusal = ReadTrack(at + 8, at + 8 + size, tracks.back(), changes)) {
          return refusal;
        }
      }
      at += 8 + size;
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

  Refusal At(size_t offset, Fault fault, std::optional<int64_t> value = std::nullopt) const {
    Refusal refusal(fault, std::string(file_));
    refusal.offset = offset;
    if (value) refusal.values = {*value};
    return refusal;
  }

  // A variable-length number at `at`, before `end`; `at` moves past it.
  std::variant<uint32_t, Refusal> Number(size_t& at, size_t end) const {
    uint32_t value = 0;
    const size_t start = at;
    for (int i = 0; i < 4; ++i) {
      if (at >= end) return At(start, Fault::MidiRunsPast, 1);
      const uint8_t b = Byte(at++);
      value = (value << 7) | (b & 0x7F);
      if (!(b & 0x80)) return value;
    }
    return At(start, Fault::MidiBadNumber);
  }

  std::optional<Refusal> ReadTrack(size_t at, size_t end, Track& track,
                                   std::vector<ProgramChange>& changes) {
    std::array<std::map<int, std::deque<size_t>>, 16> open;  // notes sounding, by key
    uint64_t tick = 0;
    uint8_t running = 0;
    while (at < end) {
      auto delta = Number(at, end);
      if (auto* refusal = std::get_if<Refusal>(&delta)) return std::move(*refusal);
      tick += std::get<uint32_t>(delta);
      if (at >= end) return At(at, Fault::MidiRunsPast, 1);
      const size_t eventAt = at;
      uint8_t status = Byte(at);
      if (status >= 0x80) {
        ++at;
      } else if (running) {
        status = running;
      } else {
        return At(eventAt, Fault::MidiNoStatus, status);
      }
      if (status == 0xFF || status == 0xF0 || status == 0xF7) {
        running = 0;
        uint8_t type = 0;
        if (status == 0xFF) {
          if (at >= end) return At(eventAt, Fault::MidiRunsPast, 1);
          type = Byte(at++);
        }
        auto length = Number(at, end);
        if (auto* refusal = std::get_if<Refusal>(&length)) return std::move(*refusal);
        if (std::get<uint32_t>(length) > end - at) return At(eventAt, Fault::MidiRunsPast, 1);
        const std::string_view data = bytes_.substr(at, std::get<uint32_t>(length));
        at += data.size();
        if (status == 0xFF && type == 0x03 && !track.named) {
          track.name = TitleOf(data);
          track.named = true;
        }
        if (status == 0xFF && type == 0x2F) break;  // the end of the track
        continue;
      }
      if (status >= 0xF0) return At(eventAt, Fault::MidiNoStatus, status);
      running = status;
      const int kind = status >> 4;
      const int channel = status & 0x0F;
      const size_t size = kind == 0xC || kind == 0xD ? 1 : 2;
      if (size > end - at) return At(eventAt, Fault::MidiRunsPast, 1);
      const int first = Byte(at) & 0x7F;
      const int second = size == 2 ? Byte(at + 1) & 0x7F : 0;
      at += size;
      if (kind == 0xC) {
        if (track.program[channel] < 0) track.program[channel] = first;
        changes.push_back({tick, channel, first});
      } else if (kind == 0x9 && second > 0) {
        open[channel][first].push_back(track.notes[channel].size());
        track.notes[channel].push_back({tick, tick, first});
      } else if (kind == 0x8 || kind == 0x9) {
        auto found = open[channel].find(first);
        if (found != open[channel].end() && !found->second.empty()) {
          track.notes[channel][found->second.front()].end = tick;
          found->second.pop_front();
        }
      }
    }
    // Notes never ended end with the track.
    for (int channel = 0; channel < 16; ++channel) {
      for (auto& [key, queue] : open[channel]) {
        for (const size_t note : queue) track.notes[channel][note].end = tick;
      }
    }
    return std::nullopt;
  }

  std::string_view bytes_;
  std::string_view file_;
};

// The part of `notes` (one channel of one track): onsets, chords, range and slots.
MidiPart PartOf(std::vector<Note> notes, int beat) {
  MidiPart part;
  std::stable_sort(notes.begin(), notes.end(),
                   [](const Note& a, const Note& b) { return a.start < b.start; });
  part.lowest = part.highest = notes.front().key;
  part.notes = notes.size();
  uint64_t latestEnd = 0;  // of the notes that started before the current onset
  for (size_t i = 0; i < notes.size();) {
    const uint64_t onset = notes[i].start;
    if (part.onsets > 0 && onset >= latestEnd + static_cast<uint64_t>(beat)) {
      const uint64_t rests =
          std::min<uint64_t>(4, (onset - latestEnd) / static_cast<uint64_t>(beat));
      part.sequence.insert(part.sequence.end(), rests, kRestPitch);
    }
    int highest = notes[i].key;
    size_t count = 0;
    for (; i < notes.size() && notes[i].start == onset; ++i, ++count) {
      const Note& note = notes[i];
      highest = std::max(highest, note.key);
      part.lowest = std::min(part.lowest, note.key);
      part.highest = std::max(part.highest, note.key);
      part.keySum += note.key;
      latestEnd = std::max(latestEnd, note.end);
    }
    ++part.onsets;
    if (count > 1) ++part.chords;
    part.sequence.push_back(highest);
  }
  return part;
}

bool NamedAsMelody(const std::string& name) {
  std::string lower = name;
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  for (const char* word : {"melody", "melodie", "lead", "vocal", "voice", "solo"}) {
    if (lower.find(word) != std::string::npos) return true;
  }
  return false;
}

// The default part: among those with 30 onsets or more (all when none has), those named as a
// melody (all when none is), the highest mean key; a tie to the earlier part.
size_t ChosenPart(const std::vector<MidiPart>& parts) {
  const bool anyLong = std::any_of(parts.begin(), parts.end(),
                                   [](const MidiPart& p) { return p.onsets >= kSlotCount; });
  const auto candidate = [&](const MidiPart& p) { return !anyLong || p.onsets >= kSlotCount; };
  const bool anyNamed = std::any_of(parts.begin(), parts.end(), [&](const MidiPart& p) {
    return candidate(p) && NamedAsMelody(p.name);
  });
  size_t best = 0;
  for (size_t i = 0; i < parts.size(); ++i) {
    const MidiPart& p = parts[i];
    if (!candidate(p) || (anyNamed && !NamedAsMelody(p.name))) continue;
    if (best == 0) {
      best = i + 1;
      continue;
    }
    const MidiPart& b = parts[best - 1];
    // p's mean above b's: sums compared over each other's counts.
    if (p.keySum * static_cast<int64_t>(b.notes) > b.keySum * static_cast<int64_t>(p.notes)) {
      best = i + 1;
    }
  }
  return best;
}

}  // namespace

std::string KeyName(int key) {
  static constexpr const char* kNames[] = {"C",  "C#", "D",  "D#", "E",  "F",
                                           "F#", "G",  "G#", "A",  "A#", "B"};
  return kNames[key % 12] + std::to_string(key / 12 - 1);
}

std::variant<MidiTune, Refusal> ReadMidiTune(std::string_view bytes, std::string_view file) {
  std::vector<Track> tracks;
  std::vector<ProgramChange> changes;
  int beat = 0;
  Reader reader(bytes, file);
  if (auto refusal = reader.Read(tracks, changes, beat)) return std::move(*refusal);
  MidiTune tune;
  for (size_t t = 0; t < tracks.size(); ++t) {
    for (int channel = 0; channel < 16; ++channel) {
      const std::vector<Note>& notes = tracks[t].notes[channel];
      if (channel == kPercussion || notes.empty()) continue;
      MidiPart part = PartOf(notes, beat);
      part.track = t + 1;
      part.channel = channel + 1;
      part.name = tracks[t].name;
      part.program = tracks[t].program[channel];
      if (part.program < 0) {
        // The first change for the channel anywhere up to the part's first note.
        const uint64_t first =
            std::min_element(notes.begin(), notes.end(), [](const Note& a, const Note& b) {
              return a.start < b.start;
            })->start;
        const ProgramChange* earliest = nullptr;
        for (const ProgramChange& change : changes) {
          if (change.channel == channel && change.tick <= first &&
              (!earliest || change.tick < earliest->tick)) {
            earliest = &change;
          }
        }
        part.program = earliest ? earliest->program : 0;
      }
      tune.parts.push_back(std::move(part));
    }
  }
  if (tune.parts.empty()) return Refusal(Fault::MidiNoNotes, std::string(file));
  tune.chosen = ChosenPart(tune.parts);
  return tune;
}

std::variant<Imported, Refusal> TakePart(const MidiTune& tune, size_t part, size_t from,
                                         std::string_view file) {
  if (part > tune.parts.size()) {
    return Refusal(Fault::NoSuchPart, std::string(file),
                   {static_cast<int64_t>(part), static_cast<int64_t>(tune.parts.size())});
  }
  const size_t number = part == 0 ? tune.chosen : part;
  const MidiPart& taken = tune.parts[number - 1];
  Imported imported{{}, {}, false, taken.name};
  imported.report.push_back({Change::PartTaken,
                             {static_cast<int64_t>(number), taken.channel, taken.program},
                             taken.name});
  if (taken.chords > 0) {
    imported.report.push_back({Change::Chords, {static_cast<int64_t>(taken.chords)}, {}});
  }
  if (auto refusal = Fit(taken.sequence, from, file, imported)) return *refusal;
  return imported;
}

}  // namespace merin::formats
