// SPDX-License-Identifier: MIT
#include "core/errorwords.h"

#include "core/coretexts.h"
#include "core/refusal.h"

namespace merin {
namespace {

struct OwnReason {
  int error;
  const Text& text;
};

constexpr OwnReason kReasons[] = {
    {kCannotRead, CoreText("picture.cannot-read")},
    {kNotAPicture, CoreText("picture.not-a-picture")},
    {kPictureCut, CoreText("picture.cut")},
    {kNotASoundFile, CoreText("sound.not-a-sound-file")},
    {kSoundCut, CoreText("sound.cut")},
    {kNoOutputDevice, CoreText("sound.no-output-device")},
    {kCannotOpenOutput, CoreText("sound.cannot-open-output")},
    {kOutputFailed, CoreText("sound.output-failed")},
    {kNameNotUtf8, CoreText("file.name-not-utf8")},
};

}  // namespace

std::string ErrorWords(int error, Language language) {
  for (const OwnReason& reason : kReasons) {
    if (reason.error == error) return Words(reason.text, language);
  }
  return Reason(SystemRefusal(error), language);
}

std::string ErrorWords(int error, Language language, const std::string& detail) {
  const std::string words = ErrorWords(error, language);
  return detail.empty() ? words : Words(CoreText("detail"), language, {words, detail});
}

}  // namespace merin
