// SPDX-License-Identifier: MIT
#include "formats/audioread.h"

#include <cmath>
#include <string>
#include <utility>

#include "core/coretexts.h"
#include "formats/audiocodec.h"
#include "formats/fit.h"
#include "formats/title.h"
#include "listen/tracker.h"

namespace merin::formats {
namespace {

// The audio formats' words: what listening to a file found, and why it found no tune.
constexpr Text kAudioTexts[] = {
    {"audio.slot", "1 スロットの長さを {0} ミリ秒と聞き取りました",
     "heard a slot length of {0} ms"},
    {"audio.short", "スロットの 3 分の 1 より短い {0} 個の音を省きました",
     "left out {0} notes shorter than a third of a slot"},
    {"audio.short-one", "スロットの 3 分の 1 より短い 1 個の音を省きました",
     "left out 1 note shorter than a third of a slot"},
    {"audio.rate", "標本化周波数 {0} ヘルツは読み込めません（{1}〜{2} ヘルツを読みます）",
     "a sample rate of {0} Hz is not read ({1} to {2} Hz are)"},
    {"audio.quiet", "音が小さすぎます（いちばん大きいところでも最大音量の 1 % 未満）",
     "the sound is too quiet (below 1 % of full scale even at its loudest)"},
    {"audio.clipped", "音が割れています（1 % を超える部分が最大音量に張り付いています）",
     "the sound is clipped (more than 1 % of it is held at full scale)"},
    {"audio.too-long", "音が {0} 分より長く続いています",
     "the sound goes on for more than {0} minutes"},
    {"audio.no-note", "音符が聞き取れません（音程のある音がありません）",
     "no note is heard in it (nothing has a pitch)"},
};

static_assert(listen::kRest == kRestPitch);

consteval const Text& AudioText(std::string_view id) { return Row(kAudioTexts, id); }

bool StartsWith(std::string_view bytes, std::string_view magic) { return bytes.starts_with(magic); }

bool IsWav(std::string_view bytes) {
  return bytes.size() >= 12 && bytes.starts_with("RIFF") && bytes.substr(8, 4) == "WAVE";
}
bool IsFlac(std::string_view bytes) { return StartsWith(bytes, "fLaC"); }
bool IsOgg(std::string_view bytes) { return StartsWith(bytes, "OggS"); }
// An ID3v2 tag, or an MPEG audio frame header: the sync bits, a known version and layer, a
// bit rate and a sample rate that are not reserved.
bool IsMp3(std::string_view bytes) {
  if (StartsWith(bytes, "ID3")) return true;
  if (bytes.size() < 4) return false;
  const auto byte = [&bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  return byte(0) == 0xff && (byte(1) & 0xe0) == 0xe0 && (byte(1) & 0x18) != 0x08 &&
         (byte(1) & 0x06) != 0 && (byte(2) & 0xf0) != 0xf0 && (byte(2) & 0x0c) != 0x0c;
}

// Sound is listened to up to this long: a file's bytes may hold hours of silence.
constexpr int kMostMinutes = 5;

// Each audio format's test of content, by its extension.
struct Recogniser {
  std::string_view extension;
  bool (*recognise)(std::string_view bytes);
};
constexpr Recogniser kRecognisers[] = {
    {"wav", IsWav}, {"flac", IsFlac}, {"ogg", IsOgg}, {"mp3", IsMp3}};

// The base name of `file` without its extension, or nothing when it has no extension (standard
// input).
std::string_view TitleOfFile(std::string_view file) {
  return ExtensionOf(file).empty() ? std::string_view() : BaseNameOf(file);
}

std::variant<Imported, Refusal> ReadSound(std::string_view bytes, std::string_view file,
                                          const ReadOptions& options) {
  if (bytes.size() > kMaxBinaryBytes) {
    return Refusal(CoreText("file.too-large"), std::string(file),
                   {std::to_string(kMaxBinaryBytes / 1024)});
  }
  auto decoded = DecodeSound(bytes, kMostMinutes * 60);
  if (auto* refusal = std::get_if<Refusal>(&decoded)) {
    refusal->file = std::string(file);
    return std::move(*refusal);
  }
  const FileSound& sound = std::get<FileSound>(decoded);
  if (sound.tooLong) {
    return Refusal(AudioText("audio.too-long"), std::string(file), {std::to_string(kMostMinutes)});
  }
  const std::vector<float> mono = listen::Mono(sound.samples, sound.channels);
  auto imported = ImportSound(mono, sound.rate, file, options);
  if (auto* melody = std::get_if<Imported>(&imported)) TakeTitle(*melody, TitleOfFile(file));
  return imported;
}

}  // namespace

Format Listened(Format audio) {
  for (const Recogniser& r : kRecognisers) {
    if (audio.extensions.front() == r.extension) audio.recognise = r.recognise;
  }
  audio.binary = true;
  audio.texts = kAudioTexts;
  audio.read = ReadSound;
  return audio;
}

std::variant<Imported, Refusal> ImportSound(std::span<const float> samples, int rate,
                                            std::string_view file, const ReadOptions& options) {
  const listen::Take take = listen::Listen(samples, rate);
  switch (take.problem) {
    case listen::Problem::Rate:
      return Refusal(AudioText("audio.rate"), std::string(file),
                     {std::to_string(rate), std::to_string(listen::kLowestRate),
                      std::to_string(listen::kHighestRate)});
    case listen::Problem::Quiet:
      return Refusal(AudioText("audio.quiet"), std::string(file));
    case listen::Problem::Clipped:
      return Refusal(AudioText("audio.clipped"), std::string(file));
    case listen::Problem::NoNote:
      return Refusal(AudioText("audio.no-note"), std::string(file));
    case listen::Problem::None:
      break;
  }
  Imported melody;
  melody.report.push_back(
      {&AudioText("audio.slot"), {std::to_string(std::lround(1000 * take.slotSeconds))}});
  if (auto refusal = Fit(take.sequence, options.from, file, melody)) return std::move(*refusal);
  if (take.dropped > 0) {
    melody.report.push_back(
        {&Counted(take.dropped, AudioText("audio.short-one"), AudioText("audio.short")),
         {std::to_string(take.dropped)}});
  }
  return melody;
}

}  // namespace merin::formats
