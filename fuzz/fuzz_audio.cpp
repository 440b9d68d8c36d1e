// SPDX-License-Identifier: MIT
// Fuzzes hearing a tune in sound: the first byte chooses whether the rest is a sound file (read
// as the WAV format by its name and by content alone) or 16-bit samples at a rate the next two
// bytes give, heard from slot 1 and from a later slot. A melody heard holds valid codes with its
// empty slots last; a refusal names the file and says why in both languages.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "formats/audioread.h"
#include "formats/formatlist.h"
#include "melody_check.h"

namespace {

void Check(const std::variant<merin::formats::Imported, merin::formats::Refusal>& read,
           const std::string& file, bool heard) {
  if (const auto* refusal = std::get_if<merin::formats::Refusal>(&read)) {
    if (refusal->file != file) std::abort();
    for (const auto language : {merin::Language::English, merin::Language::Japanese}) {
      if (merin::formats::Reason(*refusal, language).empty()) std::abort();
    }
    return;
  }
  const auto& melody = std::get<merin::formats::Imported>(read);
  CheckCodes(melody.codes);
  CheckEmptySlotsLast(melody.codes);
  if (heard && !melody.import) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 3, size - 3);
  if (data[0] % 2 == 0) {
    for (const char* file : {"take.wav", "take"}) {
      for (const size_t from : {size_t{1}, size_t{4}}) {
        // Bytes that are no sound file fall to the text formats.
        const bool sound = merin::formats::FormatToRead(bytes, file).audio;
        Check(merin::formats::ReadAny(bytes, file, {.from = from}), file, sound);
      }
    }
    return 0;
  }
  const int rate = 1 + (data[1] | data[2] << 8);
  std::vector<float> samples(bytes.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i) {
    int16_t sample;
    std::memcpy(&sample, bytes.data() + 2 * i, 2);
    samples[i] = static_cast<float>(sample) / 32768.0f;
  }
  for (const size_t from : {size_t{1}, size_t{4}}) {
    Check(merin::formats::ImportSound(samples, rate, "take", {.from = from}), "take", true);
  }
  return 0;
}
