// SPDX-License-Identifier: MIT
// Fuzzes the RTTTL check: for every player, a text is its refusal or its tunes, each refused as
// ReadRtttl refuses it or checked; a tune of one text says nothing exactly when the player plays
// it as meant; findings name a place inside the text, in the order of the text, a few a byte.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/rtttl.h"
#include "formats/rtttlcheck.h"
#include "melody_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace merin::formats;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const RtttlProfile& profile : RtttlProfiles()) {
    if (!profile.checked) continue;
    auto checked = CheckRtttl(bytes, "fuzz", profile.player);
    if (auto* error = std::get_if<Refusal>(&checked)) {
      CheckError(*error, size);
      continue;
    }
    const auto& tunes = std::get<std::vector<RtttlTuneCheck>>(checked);
    size_t findings = 0;
    for (const RtttlTuneCheck& tune : tunes) {
      if (tune.refused) {
        CheckError(*tune.refused, size);
        if (!tune.findings.empty()) std::abort();
        continue;
      }
      for (size_t i = 0; i < tune.findings.size(); ++i) {
        const RtttlFinding& finding = tune.findings[i];
        if (finding.line < tune.line || finding.column == 0 || finding.column > size + 1 ||
            finding.values.empty() || finding.values.front().empty() ||
            Words(finding, merin::Language::English).empty()) {
          std::abort();
        }
        if (i > 0 && std::pair(finding.line, finding.column) <
                         std::pair(tune.findings[i - 1].line, tune.findings[i - 1].column)) {
          std::abort();
        }
      }
      findings += tune.findings.size();
    }
    // Up to four findings a note of each player, and a note takes a byte or more.
    if (findings > 4 * 5 * (size + 1)) std::abort();
    if (tunes.size() == 1 && !tunes[0].refused && profile.player != RtttlPlayer::kPortable) {
      const std::string_view text = bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
      size_t end = text.size();
      while (end > 0 && (text[end - 1] == ' ' || (text[end - 1] >= '\t' && text[end - 1] <= '\r')))
        --end;
      const std::string_view tune = text.substr(0, end);
      if (tunes[0].findings.empty() !=
          SamePlaying(IntendedRtttl(tune), PlayedRtttl(tune, profile.player))) {
        std::abort();
      }
    }
  }
  return 0;
}
