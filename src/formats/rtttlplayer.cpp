// SPDX-License-Identifier: MIT
#include "formats/rtttlplayer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "core/escape.h"
#include "formats/rtttl.h"
#include "formats/rtttltune.h"

namespace merin::formats {
namespace {

using rtttl::RtttlText;

constexpr std::array<int, 32> kStandardTempos = {
    25,  28,  31,  35,  40,  45,  50,  56,  63,  70,  80,  90,  100, 112, 125, 140,
    160, 180, 200, 225, 250, 285, 320, 355, 400, 450, 500, 565, 635, 715, 800, 900};

// The default export: a quarter note a slot at this tempo.
constexpr int kDefaultTempo = 214;
constexpr int kDefaultDuration = 4;

// The players as each reads a tune (the readings: docs of the RTTTL check), and the two writings.
// ESPHome keeps a whole note's milliseconds (240000 / b) in 16 bits and b in 8: tempos 4..255.
constexpr std::array<RtttlProfile, 7> kProfiles = {{
    {RtttlPlayer::kEsphome, "esphome", "ESPHome", 15, 4, 7, DotPlace::kBeforeOctave, true,
     HLetter::kB, HeaderKeys::kSearchedInOrder, 4, 255, false, 64, false, true},
    {RtttlPlayer::kFlipper, "flipper", "Flipper", 0, 0, 16, DotPlace::kAfterOctave, false,
     HLetter::kRefused, HeaderKeys::kByPosition, 1, 1'000'000, false, 128, false, true},
    {RtttlPlayer::kArduino, "arduino", "AnyRtttl", 0, 4, 7, DotPlace::kBeforeOctave, true,
     HLetter::kPause, HeaderKeys::kFixedInOrder, 1, 60'000, false, 64, true, true},
    {RtttlPlayer::kMicropython, "micropython", "MicroPython", 0, 4, 7, DotPlace::kAfterOctave,
     false, HLetter::kB, HeaderKeys::kAnyOrderAllGiven, 1, 1'000'000, false, 64, false, true},
    {RtttlPlayer::kCircuitpython, "circuitpython", "CircuitPython", 0, 4, 7, DotPlace::kAnywhere,
     false, HLetter::kPause, HeaderKeys::kAnyOrder, 1, 1'000'000, false, 64, false, true},
    // The strictest of the players in every trait.
    {RtttlPlayer::kPortable, "portable", "portable", 15, 4, 7, DotPlace::kBeforeOctave, true,
     HLetter::kRefused, HeaderKeys::kFixedInOrder, 4, 255, false, 64, true, true},
    {RtttlPlayer::kStandard, "standard", "standard", 10, 4, 7, DotPlace::kAfterOctave, false,
     HLetter::kRefused, HeaderKeys::kFixedInOrder, 25, 900, true, 32, false, false},
}};

// The first `bytes` bytes of `name` at most, cut at a character's start, outer spaces trimmed.
std::string CutName(std::string_view name, size_t bytes) {
  size_t kept = 0;
  while (kept < name.size()) {
    const size_t length = std::max<size_t>(1, Utf8CharLength(name, kept));
    if (kept + length > bytes) break;
    kept += length;
  }
  std::string cut(name.substr(0, kept));
  while (!cut.empty() && cut.back() == ' ') cut.pop_back();
  return cut.empty() ? std::string("melody").substr(0, bytes) : cut;
}

std::string Milliseconds(double ms) { return std::to_string(std::lround(ms)); }

}  // namespace

std::span<const RtttlProfile> RtttlProfiles() { return kProfiles; }

const RtttlProfile* RtttlProfileOf(std::string_view id) {
  for (const RtttlProfile& profile : kProfiles) {
    if (profile.id == id) return &profile;
  }
  return nullptr;
}

std::vector<std::string> RtttlPlayerIds(bool checkedOnly) {
  std::vector<std::string> ids;
  for (const RtttlProfile& profile : kProfiles) {
    if (profile.checked || !checkedOnly) ids.emplace_back(profile.id);
  }
  return ids;
}

std::span<const int> StandardRtttlTempos() { return kStandardTempos; }

RtttlExport WriteRtttlFor(const SlotCodes& codes, std::string_view name,
                          const RtttlProfile& player) {
  RtttlExport made{WriteRtttl(codes, name), {}};
  const size_t nameEnd = made.text.find(':');
  const size_t notesAt = made.text.find(':', nameEnd + 1) + 1;
  std::string tuneName = made.text.substr(0, nameEnd);
  if (player.nameBytes != 0 && tuneName.size() > player.nameBytes) {
    tuneName = CutName(tuneName, player.nameBytes);
    made.changes.push_back(
        {&RtttlText("rtttl.for-name-cut"),
         {std::string(player.name), std::to_string(player.nameBytes), tuneName}});
  }
  const auto plays = [&](int tempo) {
    if (player.standardTempos) {
      return std::find(kStandardTempos.begin(), kStandardTempos.end(), tempo) !=
             kStandardTempos.end();
    }
    return tempo >= player.lowestTempo && tempo <= player.highestTempo;
  };
  int tempo = kDefaultTempo, duration = kDefaultDuration;
  if (!plays(kDefaultTempo)) {
    // The slot: the milliseconds of a quarter note at the default tempo, a whole note's quarter.
    const double slot = 240000.0 / (kDefaultTempo * kDefaultDuration);
    // The tempo it plays nearest the default (the first of two as near), then the default
    // duration whose slot at that tempo is nearest the default export's.
    if (player.standardTempos) {
      tempo = *std::min_element(kStandardTempos.begin(), kStandardTempos.end(), [](int a, int b) {
        return std::abs(a - kDefaultTempo) < std::abs(b - kDefaultTempo);
      });
    } else {
      tempo = std::clamp(kDefaultTempo, player.lowestTempo, player.highestTempo);
    }
    double best = -1;
    for (int d = 1; d <= player.shortestDuration; d *= 2) {
      const double miss = std::abs(240000.0 / (tempo * d) - slot);
      if (best < 0 || miss < best) best = miss, duration = d;
    }
    made.changes.push_back({&RtttlText("rtttl.for-tempo"),
                            {std::string(player.name), std::to_string(kDefaultTempo),
                             std::to_string(tempo), std::to_string(duration),
                             Milliseconds(240000.0 / (tempo * duration)), Milliseconds(slot)}});
  }
  made.text = tuneName + ":d=" + std::to_string(duration) + ",o=5,b=" + std::to_string(tempo) +
              ":" + made.text.substr(notesAt);
  return made;
}

}  // namespace merin::formats
