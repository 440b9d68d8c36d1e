// SPDX-License-Identifier: MIT
// Fuzzes the exports with arbitrary melodies, codes the program never stores included: the MIDI
// file is well formed with one note a sounding slot, the RTTTL imports back to the same slots, and
// the melody file reads back to the same slots and writes the same bytes again, and the MIDI file
// of a melody that begins and ends with a note reads back to the same slots.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/pitch.h"
#include "formats/formatlist.h"
#include "formats/melodyfile.h"
#include "formats/midi.h"
#include "formats/rtttl.h"

namespace {

using merin::Pitch;
using merin::SlotCodes;

constexpr std::array<std::string_view, 26> kCodes = {
    "11", "12", "13", "14", "21", "22", "23", "24", "31", "32", "41", "42", "43",
    "44", "51", "52", "53", "54", "61", "62", "63", "64", "71", "72", "01", "99"};

void Check(bool ok) {
  if (!ok) std::abort();
}

// The melody of the input: a byte below 208 picks one of the 26 codes the program stores; any
// other starts a code of 0..3 raw bytes that follow. The rest of the input is the tune name.
SlotCodes MelodyOf(std::string_view& data) {
  SlotCodes codes;
  codes.fill("99");
  for (std::string& code : codes) {
    if (data.empty()) break;
    const auto b = static_cast<unsigned char>(data[0]);
    data.remove_prefix(1);
    if (b < 208) {
      code = kCodes[b % kCodes.size()];
    } else {
      const size_t n = std::min<size_t>((b - 208) % 4, data.size());
      code = std::string(data.substr(0, n));
      data.remove_prefix(n);
    }
  }
  return codes;
}

bool Sounds(const std::string& code) { return code == "01" || Pitch::FromCode(code); }

uint32_t ReadVariableLength(std::string_view& track) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    Check(!track.empty());
    const auto b = static_cast<unsigned char>(track[0]);
    track.remove_prefix(1);
    value = (value << 7) | (b & 0x7F);
    if (!(b & 0x80)) return value;
  }
  std::abort();
}

uint32_t BigEndian(std::string_view bytes) {
  uint32_t value = 0;
  for (char c : bytes) value = (value << 8) | static_cast<unsigned char>(c);
  return value;
}

// Walks the MIDI file: one track holding the tempo, the program, a note-on and its note-off for
// every note up to the last sounding slot, and the end of the track after that slot.
void CheckMidi(const std::string& file, const SlotCodes& codes, size_t used) {
  Check(file.size() >= 22 && file.compare(0, 4, "MThd") == 0);
  Check(BigEndian(std::string_view(file).substr(4, 4)) == 6);
  Check(BigEndian(std::string_view(file).substr(8, 2)) == 0);
  Check(BigEndian(std::string_view(file).substr(10, 2)) == 1);
  const uint32_t division = BigEndian(std::string_view(file).substr(12, 2));
  Check(division > 0 && division < 0x8000);
  Check(file.compare(14, 4, "MTrk") == 0);
  Check(BigEndian(std::string_view(file).substr(18, 4)) == file.size() - 22);
  std::string_view track = std::string_view(file).substr(22);
  uint64_t now = 0;
  size_t slot = 0;
  int sounding = -1;
  bool ended = false;
  while (!track.empty()) {
    Check(!ended);
    now += ReadVariableLength(track);
    Check(track.size() >= 3);
    const auto status = static_cast<unsigned char>(track[0]);
    const auto a = static_cast<unsigned char>(track[1]);
    const auto b = static_cast<unsigned char>(track[2]);
    if (status == 0xFF) {
      Check(track.size() >= 3u + b);
      if (a == 0x2F) {
        Check(b == 0 && now == used * division);
        ended = true;
      } else {
        Check(a == 0x51 && b == 3 && now == 0);
      }
      track.remove_prefix(3 + b);
    } else if (status == 0xC0) {
      Check(now == 0 && a == 80);
      track.remove_prefix(2);
    } else if (status == 0x90) {
      Check(sounding < 0 && b == 100);
      while (slot < used && !Pitch::FromCode(codes[slot])) ++slot;
      Check(slot < used && now == slot * division && a == Pitch::FromCode(codes[slot])->Midi());
      sounding = a;
      ++slot;
      track.remove_prefix(3);
    } else {
      Check(status == 0x80 && a == sounding && now < slot * division);
      sounding = -1;
      track.remove_prefix(3);
    }
  }
  Check(ended && sounding < 0);
  while (slot < used) Check(!Pitch::FromCode(codes[slot++]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  const SlotCodes codes = MelodyOf(input);
  const std::string_view name = input;
  size_t used = codes.size();
  while (used > 0 && !Sounds(codes[used - 1])) --used;

  CheckMidi(merin::formats::WriteMidi(codes), codes, used);

  // What an import gives back: the notes, a rest for every other slot up to the last sounding
  // one, empty slots after it.
  SlotCodes expected;
  for (size_t i = 0; i < codes.size(); ++i) {
    expected[i] = i >= used ? "99" : Pitch::FromCode(codes[i]) ? codes[i] : "01";
  }
  const std::string rtttl = merin::formats::WriteRtttl(codes, name);
  auto imported = merin::formats::ReadRtttl(rtttl, "fuzz");
  Check(std::holds_alternative<merin::formats::Imported>(imported));
  Check(std::get<merin::formats::Imported>(imported).codes == expected);
  Check(std::get<merin::formats::Imported>(imported).report.empty());

  // MIDI gives the same back when the melody begins and ends with a note and holds no more than
  // 4 rests or empty slots in a row.
  size_t run = 0, longest = 0;
  for (size_t i = 0; i < used; ++i) {
    run = Pitch::FromCode(codes[i]) ? 0 : run + 1;
    longest = std::max(longest, run);
  }
  if (used > 0 && Pitch::FromCode(codes[0]) && Pitch::FromCode(codes[used - 1]) && longest <= 4) {
    auto midi = merin::formats::ReadAny(merin::formats::WriteMidi(codes), "fuzz.mid");
    Check(std::holds_alternative<merin::formats::Imported>(midi));
    Check(std::get<merin::formats::Imported>(midi).codes == expected);
  }

  // The melody file keeps every slot: notes and rests as they are, anything else empty.
  for (size_t i = 0; i < codes.size(); ++i) {
    expected[i] = Sounds(codes[i]) ? codes[i] : "99";
  }
  const std::string file = merin::formats::WriteMelodyFile(codes);
  auto read = merin::formats::ReadMelodyFile(file, "fuzz");
  Check(std::holds_alternative<SlotCodes>(read));
  Check(std::get<SlotCodes>(read) == expected);
  Check(merin::formats::WriteMelodyFile(std::get<SlotCodes>(read)) == file);
  return 0;
}
