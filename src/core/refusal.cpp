// SPDX-License-Identifier: MIT
#include "core/refusal.h"

#include <cerrno>

#include "core/coretexts.h"
#include "core/escape.h"

namespace merin {
namespace {

// Tokens longer than this are shown cut, so that a message stays one readable line.
constexpr size_t kShownTokenBytes = 40;

// The token as it can be shown: quotes and backslashes escaped, then as Escaped, cut after
// kShownTokenBytes at a character boundary.
std::string Shown(const std::string& token) {
  std::string shown;
  size_t end = token.size();
  bool cut = false;
  if (end > kShownTokenBytes) {
    end = kShownTokenBytes;
    while (end > 0 && (static_cast<unsigned char>(token[end]) & 0xC0) == 0x80) --end;
    cut = true;
  }
  for (size_t i = 0; i < end; ++i) {
    const auto c = static_cast<unsigned char>(token[i]);
    if (c == '"' || c == '\\') shown += '\\';
    shown += static_cast<char>(c);
  }
  shown = Escaped(shown);
  if (cut) shown += "...";
  return shown;
}

struct SystemError {
  int error;
  const Text& words;
};

constexpr SystemError kSystemErrors[] = {
    {ENOENT, CoreText("system.no-such-file")}, {EACCES, CoreText("system.permission-denied")},
    {EPERM, CoreText("system.not-permitted")}, {ENOSPC, CoreText("system.no-space")},
    {EDQUOT, CoreText("system.quota")},        {EFBIG, CoreText("system.too-large")},
    {EISDIR, CoreText("system.is-folder")},    {ENOTDIR, CoreText("system.not-a-folder")},
    {EROFS, CoreText("system.read-only")},     {ENAMETOOLONG, CoreText("system.name-too-long")},
    {ELOOP, CoreText("system.link-loop")},     {EIO, CoreText("system.input-output")},
    {ENOMEM, CoreText("system.no-memory")},
};

}  // namespace

std::string Reason(const Refusal& r, Language language) {
  // Values that came from the input are shown escaped, as tokens are.
  std::vector<std::string> values;
  for (const std::string& value : r.values) values.push_back(Escaped(value));
  if (!r.choices.empty()) values.push_back(Escaped(Choices(r.choices, language)));
  const std::string reason = Words(*r.fault, language, values);
  if (r.detail.empty()) return reason;
  return Words(CoreText("detail"), language, {reason, Escaped(r.detail)});
}

std::string Words(const Refusal& r, Language language) {
  if (r.doing) return Words(*r.doing, language, {Escaped(r.file), Reason(r, language)});
  if (r.tokenNumber > 0) {
    return Words(CoreText("place.token"), language,
                 {std::to_string(r.tokenNumber), Escaped(r.token), Reason(r, language)});
  }
  std::string message;
  if (!r.file.empty()) message += Escaped(r.file) + ":";
  if (r.offset) {
    message += " " + Words(CoreText("place.byte"), language, {std::to_string(*r.offset)}) + ":";
  } else if (r.line > 0) {
    message += std::to_string(r.line) + ":";
    if (r.column > 0) message += std::to_string(r.column) + ":";
  }
  if (!message.empty()) message += " ";
  if (!r.token.empty()) message += "\"" + Shown(r.token) + "\": ";
  return message + Reason(r, language);
}

Refusal SystemRefusal(int error, std::string file) {
  for (const SystemError& known : kSystemErrors) {
    if (known.error == error) return Refusal(known.words, std::move(file));
  }
  return Refusal(CoreText("system.error"), std::move(file), {std::to_string(error)});
}

}  // namespace merin
