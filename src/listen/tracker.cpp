// SPDX-License-Identifier: MIT
#include "listen/tracker.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <optional>

namespace merin::listen {
namespace {

// A take whose loudest sample is below this (-40 dBFS) is too quiet to be heard.
constexpr float kQuietPeak = 0.01f;
// Samples at or above this magnitude, in runs of kClipRun or more, are clipped.
constexpr float kFullScale = 0.999f;
constexpr size_t kClipRun = 3;
constexpr double kMostClipped = 0.01;

// A frame is voiced when its aperiodicity is below this and its level above a quarter (-12 dB)
// of the take's loud level (the 95th percentile of the frames' levels), and above -50 dBFS.
constexpr double kVoicedAperiodicity = 0.4;
constexpr double kLevelShare = 0.25, kLevelFloor = 0.003, kLoudPercentile = 0.95;
// Aperiodic but loud frames inside a note, up to this many in a row, stay in it.
constexpr size_t kBridgedFrames = 3;
// A pitch this far (semitones) from the note's recent median, for kJumpFrames frames, starts a
// new note.
constexpr double kJump = 0.6;
constexpr size_t kJumpFrames = 5, kReferenceFrames = 8, kSmoothFrames = 5;
// Segments shorter than this belong to a neighbour.
constexpr double kFragmentSeconds = 0.04;
// The settled part of a note: after the first 30 % of it, and at least 30 ms.
constexpr double kScoopShare = 0.3, kScoopSeconds = 0.03;
// The slot length's search.
constexpr double kShortestSlot = 0.1, kLongestSlot = 0.6, kSlotStep = 0.001;
// Notes shorter than this share of the median note do not count for the first slot length.
constexpr double kUsualShare = 0.4;
// An interval fits a grid within a share of its slot, so that a short grid, which any interval
// fits somehow, gains nothing from its shortness.
constexpr double kOnsetSpread = 0.08, kLongestInterval = 4.0, kNearBest = 0.85;

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  const auto middle = values.begin() + static_cast<long>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

bool Pitched(const Frame& frame) { return frame.aperiodicity < kVoicedAperiodicity; }

// A note's frames [begin, end).
struct Span {
  size_t begin, end;
};

// The pitch of frames [begin, end): the median of their settled part.
std::optional<double> SettledPitch(std::span<const Frame> frames, Span span) {
  const double hop = frames.size() > 1 ? frames[1].seconds - frames[0].seconds : 1;
  const size_t length = span.end - span.begin;
  const auto skip = std::max(static_cast<size_t>(kScoopShare * static_cast<double>(length)),
                             static_cast<size_t>(std::ceil(kScoopSeconds / hop)));
  for (const size_t first : {span.begin + std::min(skip, length - 1), span.begin}) {
    std::vector<double> pitches;
    for (size_t i = first; i < span.end; ++i) {
      if (Pitched(frames[i])) pitches.push_back(frames[i].midi);
    }
    if (!pitches.empty()) return Median(std::move(pitches));
  }
  return std::nullopt;
}

// Splits the voiced run [begin, end) where its pitch jumps and stays.
std::vector<Span> SplitAtJumps(std::span<const Frame> frames, Span run) {
  // The pitch smoothed by a median of kSmoothFrames pitched frames.
  std::vector<double> smooth(run.end - run.begin, 0);
  std::vector<size_t> pitched;
  for (size_t i = run.begin; i < run.end; ++i) {
    if (Pitched(frames[i])) pitched.push_back(i);
  }
  for (size_t p = 0; p < pitched.size(); ++p) {
    const size_t from = p >= kSmoothFrames / 2 ? p - kSmoothFrames / 2 : 0;
    const size_t to = std::min(pitched.size(), p + kSmoothFrames / 2 + 1);
    std::vector<double> around;
    for (size_t q = from; q < to; ++q) around.push_back(frames[pitched[q]].midi);
    smooth[pitched[p] - run.begin] = Median(std::move(around));
  }
  std::vector<Span> spans{{run.begin, run.end}};
  std::vector<double> recent;
  size_t pending = 0, pendingStart = 0;
  for (const size_t i : pitched) {
    const double pitch = smooth[i - run.begin];
    if (!recent.empty()) {
      const size_t from = recent.size() > kReferenceFrames ? recent.size() - kReferenceFrames : 0;
      const double reference = Median({recent.begin() + static_cast<long>(from), recent.end()});
      if (std::abs(pitch - reference) > kJump) {
        if (pending++ == 0) pendingStart = i;
        if (pending == kJumpFrames) {
          spans.back().end = pendingStart;
          spans.push_back({pendingStart, run.end});
          recent.assign(recent.end() - static_cast<long>(kJumpFrames - 1), recent.end());
          pending = 0;
        }
      } else {
        pending = 0;
      }
    }
    recent.push_back(pitch);
  }
  return spans;
}

}  // namespace

std::vector<Note> Segment(std::span<const Frame> frames) {
  std::vector<Note> notes;
  if (frames.size() < 2) return notes;
  const double hop = frames[1].seconds - frames[0].seconds;
  std::vector<double> levels;
  levels.reserve(frames.size());
  for (const Frame& frame : frames) levels.push_back(frame.level);
  const auto loudAt =
      levels.begin() + static_cast<long>(kLoudPercentile * double(levels.size() - 1));
  std::nth_element(levels.begin(), loudAt, levels.end());
  const double threshold = std::max(kLevelFloor, kLevelShare * *loudAt);

  // Voiced runs: loud frames, pitched at both ends, with short aperiodic holes bridged.
  std::vector<Span> runs;
  size_t i = 0;
  while (i < frames.size()) {
    if (frames[i].level < threshold || !Pitched(frames[i])) {
      ++i;
      continue;
    }
    size_t end = i + 1, lastPitched = i;
    while (end < frames.size() && frames[end].level >= threshold &&
           (Pitched(frames[end]) || end - lastPitched <= kBridgedFrames)) {
      if (Pitched(frames[end])) lastPitched = end;
      ++end;
    }
    runs.push_back({i, lastPitched + 1});
    i = end;
  }

  const auto shortest = static_cast<size_t>(std::ceil(kFragmentSeconds / hop));
  for (const Span& run : runs) {
    std::vector<Span> spans = SplitAtJumps(frames, run);
    // Fragments join the next segment of the run, or the one before at its end.
    for (size_t s = 0; s < spans.size();) {
      if (spans.size() > 1 && spans[s].end - spans[s].begin < shortest) {
        if (s + 1 < spans.size()) {
          spans[s + 1].begin = spans[s].begin;
        } else {
          spans[s - 1].end = spans[s].end;
        }
        spans.erase(spans.begin() + static_cast<long>(s));
        continue;
      }
      ++s;
    }
    for (const Span& span : spans) {
      if (span.end - span.begin < shortest) continue;
      const auto pitch = SettledPitch(frames, span);
      if (!pitch) continue;
      notes.push_back({frames[span.begin].seconds, frames[span.end - 1].seconds + hop, *pitch,
                       static_cast<int>(std::lround(*pitch))});
    }
  }
  return notes;
}

double SlotLength(std::span<const double> onsets) {
  if (onsets.size() < 2) return 0;
  std::vector<double> intervals;
  for (size_t i = 1; i < onsets.size(); ++i) {
    const double interval = onsets[i] - onsets[i - 1];
    if (interval > 0 && interval <= kLongestInterval) intervals.push_back(interval);
  }
  if (intervals.empty()) return 0;
  const auto steps = static_cast<size_t>(std::lround((kLongestSlot - kShortestSlot) / kSlotStep));
  std::vector<double> scores(steps + 1, 0);
  for (size_t s = 0; s <= steps; ++s) {
    const double slot = kShortestSlot + kSlotStep * static_cast<double>(s);
    for (const double interval : intervals) {
      const double slots = std::max(1.0, std::round(interval / slot));
      const double off = (interval - slots * slot) / (kOnsetSpread * slot);
      scores[s] += std::exp(-0.5 * off * off);
    }
  }
  const double best = *std::max_element(scores.begin(), scores.end());
  // The longest peak nearly as good as the best: half and a third of it fit as well.
  size_t chosen = 0;
  for (size_t s = 0; s <= steps; ++s) {
    const bool peak =
        (s == 0 || scores[s] >= scores[s - 1]) && (s == steps || scores[s] >= scores[s + 1]);
    if (peak && scores[s] >= kNearBest * best) chosen = s;
  }
  double slot = kShortestSlot + kSlotStep * static_cast<double>(chosen);
  // Least squares of the onsets on their slot numbers, twice.
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<double> numbers{0};
    for (size_t i = 1; i < onsets.size(); ++i) {
      const double interval = onsets[i] - onsets[i - 1];
      numbers.push_back(numbers.back() + std::max(1.0, std::round(interval / slot)));
    }
    const auto n = static_cast<double>(onsets.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (size_t i = 0; i < onsets.size(); ++i) {
      sx += numbers[i];
      sy += onsets[i];
      sxx += numbers[i] * numbers[i];
      sxy += numbers[i] * onsets[i];
    }
    const double spread = n * sxx - sx * sx;
    if (spread <= 0) break;
    slot = std::clamp((n * sxy - sx * sy) / spread, kShortestSlot * 0.9, kLongestSlot * 1.1);
  }
  return slot;
}

std::vector<float> Mono(std::span<const float> interleaved, int channels) {
  if (channels <= 1) return {interleaved.begin(), interleaved.end()};
  const auto width = static_cast<size_t>(channels);
  std::vector<float> mono(interleaved.size() / width);
  for (size_t i = 0; i < mono.size(); ++i) {
    float sum = 0;
    for (size_t c = 0; c < width; ++c) sum += interleaved[i * width + c];
    mono[i] = sum / static_cast<float>(channels);
  }
  return mono;
}

Take Listen(std::span<const float> samples, int rate) {
  Take take;
  if (rate < kLowestRate || rate > kHighestRate) {
    take.problem = Problem::Rate;
    return take;
  }
  float peak = 0;
  size_t heard = 0, clipped = 0, run = 0;
  for (const float sample : samples) {
    const float magnitude = std::abs(sample);
    peak = std::max(peak, magnitude);
    heard += magnitude >= kQuietPeak;
    run = magnitude >= kFullScale ? run + 1 : 0;
    clipped += run == kClipRun ? kClipRun : run > kClipRun;
  }
  if (peak < kQuietPeak) {
    take.problem = Problem::Quiet;
    return take;
  }
  if (static_cast<double>(clipped) > kMostClipped * static_cast<double>(heard)) {
    take.problem = Problem::Clipped;
    return take;
  }
  double working = 0;
  std::vector<float> x = Downsampled(samples, rate, working);
  // Silence after the end, so that the last frames reach it.
  x.resize(x.size() + static_cast<size_t>(working / 20), 0.0f);
  const std::vector<Frame> frames = TrackFrames(x, working);
  std::vector<Note> notes = Segment(frames);
  if (notes.empty()) {
    take.problem = Problem::NoNote;
    return take;
  }

  // One tuning for the take: the circular mean of the notes' offsets from their keys.
  double sine = 0, cosine = 0;
  for (const Note& note : notes) {
    const double angle = 2 * std::numbers::pi * (note.pitch - std::round(note.pitch));
    sine += (note.offset - note.onset) * std::sin(angle);
    cosine += (note.offset - note.onset) * std::cos(angle);
  }
  const double tuning = std::atan2(sine, cosine) / (2 * std::numbers::pi);
  take.tuningCents = 100 * tuning;
  for (Note& note : notes) {
    note.pitch -= tuning;
    note.key = static_cast<int>(std::lround(note.pitch));
  }

  const auto onsetsOf = [](const std::vector<Note>& of) {
    std::vector<double> onsets;
    for (const Note& note : of) onsets.push_back(note.onset);
    return onsets;
  };
  const auto slotOf = [&onsetsOf](const std::vector<Note>& of) {
    const double slot = SlotLength(onsetsOf(of));
    if (slot > 0) return slot;
    return std::clamp(of.front().offset - of.front().onset, kShortestSlot, kLongestSlot);
  };
  // The first slot length from the notes of a usual length, which blips would cut into pieces.
  std::vector<double> lengths;
  for (const Note& note : notes) lengths.push_back(note.offset - note.onset);
  const double usual = kUsualShare * Median(lengths);
  std::vector<Note> longer;
  std::copy_if(notes.begin(), notes.end(), std::back_inserter(longer),
               [usual](const Note& note) { return note.offset - note.onset >= usual; });
  const double first = slotOf(longer);
  // Short fragments of a neighbour's key join it; other notes under a third of a slot go.
  const double least = first / 3;
  for (size_t n = 0; n < notes.size();) {
    const bool brief = notes[n].offset - notes[n].onset < least;
    const bool joinsNext = n + 1 < notes.size() && notes[n + 1].key == notes[n].key &&
                           notes[n + 1].onset - notes[n].offset < least;
    const bool joinsLast =
        n > 0 && notes[n - 1].key == notes[n].key && notes[n].onset - notes[n - 1].offset < least;
    if (brief && joinsNext) {
      notes[n + 1].onset = notes[n].onset;
    } else if (brief && joinsLast) {
      notes[n - 1].offset = notes[n].offset;
    } else if (brief) {
      ++take.dropped;
    } else {
      ++n;
      continue;
    }
    notes.erase(notes.begin() + static_cast<long>(n));
  }
  if (notes.empty()) {
    take.problem = Problem::NoNote;
    return take;
  }
  take.slotSeconds = slotOf(notes);

  take.sequence.push_back(notes.front().key);
  for (size_t n = 1; n < notes.size(); ++n) {
    const double slots = std::round((notes[n].onset - notes[n - 1].onset) / take.slotSeconds);
    for (double rest = 1; rest < slots; ++rest) take.sequence.push_back(kRest);
    take.sequence.push_back(notes[n].key);
  }
  take.notes = std::move(notes);
  return take;
}

}  // namespace merin::listen
