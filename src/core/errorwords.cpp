// SPDX-License-Identifier: MIT
#include "core/errorwords.h"

#include <cerrno>

#include "core/coretexts.h"

namespace merin {
namespace {

struct Reason {
  int error;
  const Text& text;
};

constexpr Reason kReasons[] = {
    {ENOENT, CoreText("system.no-such-file")},
    {EACCES, CoreText("system.permission-denied")},
    {EPERM, CoreText("system.not-permitted")},
    {ENOSPC, CoreText("system.no-space")},
    {EDQUOT, CoreText("system.quota")},
    {EFBIG, CoreText("system.too-large")},
    {EISDIR, CoreText("system.is-folder")},
    {ENOTDIR, CoreText("system.not-a-folder")},
    {EROFS, CoreText("system.read-only")},
    {ENAMETOOLONG, CoreText("system.name-too-long")},
    {ELOOP, CoreText("system.link-loop")},
    {EIO, CoreText("system.input-output")},
    {ENOMEM, CoreText("system.no-memory")},
    {kReadOnlyFile, CoreText("file.read-only")},
    {kNotAFile, CoreText("file.not-a-file")},
    {kEmptyMelody, CoreText("export.empty-melody")},
    {kEncoderFailed, CoreText("export.encoder-failed")},
    {kNotAToken, CoreText("token.not-a-token")},
    {kNoSuchSharp, CoreText("token.no-such-sharp")},
    {kOutsideRange, CoreText("token.outside-range")},
    {kTooManySlots, CoreText("token.too-many")},
    {kCannotRead, CoreText("picture.cannot-read")},
    {kNotAPicture, CoreText("picture.not-a-picture")},
    {kPictureCut, CoreText("picture.cut")},
    {kNotASoundFile, CoreText("sound.not-a-sound-file")},
    {kUnlikeSounds, CoreText("sound.unlike")},
    {kNotAudioName, CoreText("export.not-audio-name")},
    {kCannotEncode, CoreText("export.cannot-encode")},
    {kSoundCut, CoreText("sound.cut")},
    {kNoOutputDevice, CoreText("sound.no-output-device")},
    {kCannotOpenOutput, CoreText("sound.cannot-open-output")},
    {kOutputFailed, CoreText("sound.output-failed")},
    {kSocket, CoreText("file.socket")},
    {kOwnerNotKept, CoreText("file.owner-not-kept")},
    {kNameNotUtf8, CoreText("file.name-not-utf8")},
};

}  // namespace

std::string ErrorWords(int error, Language language) {
  for (const Reason& reason : kReasons) {
    if (reason.error == error) return Words(reason.text, language);
  }
  return Words(CoreText("system.error"), language, {std::to_string(error)});
}

std::string ErrorWords(int error, Language language, const std::string& detail) {
  const std::string words = ErrorWords(error, language);
  return detail.empty() ? words : Words(CoreText("detail"), language, {words, detail});
}

}  // namespace merin
