// SPDX-License-Identifier: MIT
#include "core/terminalanswer.h"

#include "core/coretexts.h"

namespace merin {

std::optional<std::string> TerminalAnswer(std::span<const std::string_view> args,
                                          Language terminal) {
  Language language = terminal;
  std::optional<std::string_view> asked;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--lang") {
      if (++i == args.size()) break;
      if (args[i] == "ja") language = Language::Japanese;
      if (args[i] == "en") language = Language::English;
    } else if ((args[i] == "--help" || args[i] == "--version") && !asked) {
      asked = args[i];
    }
  }
  if (!asked) return std::nullopt;
  if (*asked == "--version") return "merinkast98 " MERIN_VERSION "\n";
  return Words(CoreText("program.usage"), language);
}

}  // namespace merin
