// SPDX-License-Identifier: MIT
#include "cli/arguments.h"

#include <algorithm>

#include "cli/keyswords.h"
#include "core/ascii.h"
#include "core/coretexts.h"
#include "core/escape.h"
#include "formats/writeas.h"

namespace merin::cli {
namespace {

using keys::KeysText;

// The number an option takes: digits only, from 1, at most nine of them.
std::optional<size_t> NumberOf(std::string_view value) {
  if (value.empty() || value.size() > 9 || value.find_first_not_of("0123456789") != value.npos) {
    return std::nullopt;
  }
  size_t number = 0;
  for (const char c : value) number = number * 10 + static_cast<size_t>(c - '0');
  if (number == 0) return std::nullopt;
  return number;
}

BadArguments Bad(size_t argument, const Text& why, std::vector<std::string> values = {}) {
  return {argument, Refusal(why, {}, std::move(values))};
}

// The options as given, before they are checked against each other.
struct Given {
  Plan plan;
  std::optional<std::string> format;
  bool parts = false, tunes = false;
  std::optional<std::string_view> forPlayer, checkPlayer;
  size_t forArgument = 0, checkArgument = 0;
};

// The player `value` names (only one checked for --check), or why not.
std::variant<const formats::RtttlProfile*, BadArguments> PlayerOf(std::string_view value,
                                                                  size_t argument, bool check) {
  const formats::RtttlProfile* profile = formats::RtttlProfileOf(AsciiLower(value));
  if (profile && (profile->checked || !check)) return profile;
  BadArguments bad = Bad(argument, KeysText("keys.unknown-player"), {std::string(value)});
  bad.refusal.choices = formats::RtttlPlayerIds(check);
  return bad;
}

// The value of option `option` at args[i]: after its '=', else the next argument (which `i` then
// moves to); none when there is neither.
std::optional<std::string_view> ValueOf(std::span<const std::string_view> args, size_t& i,
                                        std::string_view option) {
  if (option.size() < args[i].size()) return args[i].substr(option.size() + 1);
  if (i + 1 < args.size()) return args[++i];
  return std::nullopt;
}

// Reads the options and tokens into `given`; stops at --help and --version.
std::optional<BadArguments> ReadOptions(std::span<const std::string_view> args, Given& given) {
  Plan& plan = given.plan;
  bool ended = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const size_t argument = i + 1;
    const std::string_view option = arg.substr(0, arg.find('='));
    if (ended) {
      plan.tokens.push_back(arg);
    } else if (arg == "--") {
      ended = true;
    } else if (arg == "--help" || arg == "--version") {
      plan.action = arg == "--help" ? Action::kHelp : Action::kVersion;
      return std::nullopt;
    } else if (option == "--midi-in") {
      plan.action = Action::kMidiIn;
      if (option.size() < arg.size()) {
        plan.midiPort = arg.substr(option.size() + 1);
      } else if (i + 1 < args.size() && !args[i + 1].starts_with('-')) {
        plan.midiPort = args[++i];
      }
    } else if (arg == "--parts" || arg == "--tunes") {
      (arg == "--parts" ? given.parts : given.tunes) = true;
    } else if (option == "--for" || option == "--check") {
      const std::optional<std::string_view> value = ValueOf(args, i, option);
      if (!value) return Bad(argument, KeysText("keys.needs-value"));
      auto& kept = option == "--for" ? given.forPlayer : given.checkPlayer;
      if (kept) return Bad(argument, KeysText("keys.given-twice"));
      kept = *value;
      (option == "--for" ? given.forArgument : given.checkArgument) = argument;
    } else if (option == "--part" || option == "--from" || option == "--tune") {
      const std::optional<std::string_view> value = ValueOf(args, i, option);
      if (!value) return Bad(argument, KeysText("keys.needs-value"));
      const std::optional<size_t> number = NumberOf(*value);
      if (!number) return Bad(argument, KeysText("keys.needs-number"));
      (option == "--part"   ? plan.read.part
       : option == "--from" ? plan.read.from
                            : plan.read.tune) = *number;
    } else if (arg == "-i" || arg == "-o" || arg == "-f") {
      if (i + 1 == args.size()) return Bad(argument, KeysText("keys.needs-value"));
      const std::string_view value = args[++i];
      if (arg == "-i") {
        plan.inputs.push_back(value);
        continue;
      }
      std::optional<std::string>& kept = arg == "-o" ? plan.output : given.format;
      if (kept) return Bad(argument, KeysText("keys.given-twice"));
      kept = std::string(value);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Bad(argument, KeysText("keys.unknown-option"));
    } else {
      plan.tokens.push_back(arg);
    }
  }
  return std::nullopt;
}

// Takes the one input of --parts or --tunes, given as -i or as an argument.
std::optional<BadArguments> TakeOneInput(Plan& plan, Action action, const Text& otherwise) {
  if (plan.inputs.size() + plan.tokens.size() > 1 || plan.output) return Bad(0, otherwise);
  if (plan.inputs.empty())
    plan.inputs = plan.tokens.empty() ? std::vector<std::string_view>{"-"} : plan.tokens;
  plan.tokens.clear();
  plan.action = action;
  return std::nullopt;
}

// Checks what -o and -f ask for: a format written here, and where to.
std::optional<BadArguments> CheckOutput(Plan& plan, const std::optional<std::string>& format) {
  if (plan.toFolder != format.has_value()) {
    return plan.toFolder ? Bad(0, KeysText("keys.folder-needs-format"), {Escaped(*plan.output)})
                         : Bad(0, KeysText("keys.format-needs-folder"));
  }
  if (!plan.output) return std::nullopt;
  plan.format = format ? AsciiLower(*format) : formats::ExtensionOf(*plan.output);
  if (plan.format.empty()) {
    Refusal refusal(CoreText("write.no-extension"), *plan.output);
    refusal.choices = formats::WritableExtensions();
    return BadArguments{0, std::move(refusal)};
  }
  if (auto refusal = formats::CannotWriteAs(plan.format, *plan.output)) {
    return BadArguments{0, std::move(*refusal)};
  }
  return std::nullopt;
}

}  // namespace

std::variant<Plan, BadArguments> ParseArguments(std::span<const std::string_view> args,
                                                IsFolder isFolder) {
  Given given;
  Plan& plan = given.plan;
  plan.tokens.reserve(args.size());
  if (auto bad = ReadOptions(args, given)) return *bad;
  if (plan.action == Action::kMidiIn &&
      (!plan.tokens.empty() || !plan.inputs.empty() || plan.output || given.format ||
       given.forPlayer || given.checkPlayer)) {
    return Bad(0, KeysText("keys.midi-in-alone"));
  }
  if (plan.action != Action::kConvert) return plan;
  if (given.checkPlayer) {
    auto player = PlayerOf(*given.checkPlayer, given.checkArgument, true);
    if (auto* bad = std::get_if<BadArguments>(&player)) return *bad;
    plan.player = std::get<const formats::RtttlProfile*>(player);
    if (plan.output || given.format || given.forPlayer || given.parts || given.tunes ||
        plan.read.part || plan.read.tune || plan.read.from != 1) {
      return Bad(given.checkArgument, KeysText("keys.check-alone"));
    }
    plan.inputs.insert(plan.inputs.end(), plan.tokens.begin(), plan.tokens.end());
    plan.tokens.clear();
    if (plan.inputs.empty()) plan.inputs.push_back("-");
    plan.action = Action::kCheck;
    return plan;
  }
  if (given.forPlayer) {
    auto player = PlayerOf(*given.forPlayer, given.forArgument, false);
    if (auto* bad = std::get_if<BadArguments>(&player)) return *bad;
    plan.player = std::get<const formats::RtttlProfile*>(player);
    if (given.parts || given.tunes) return Bad(given.forArgument, KeysText("keys.for-needs-rtttl"));
  }
  if (given.parts) {
    if (auto bad = TakeOneInput(plan, Action::kListParts, KeysText("keys.parts-needs-one-file")))
      return *bad;
    return plan;
  }
  plan.toFolder = plan.output && isFolder(*plan.output);
  if (plan.toFolder) {
    // Many files at once: the arguments name files too, so that a shell pattern can give them.
    plan.inputs.insert(plan.inputs.end(), plan.tokens.begin(), plan.tokens.end());
    plan.tokens.clear();
  }
  if (!plan.tokens.empty() && !plan.inputs.empty()) {
    return Bad(0, KeysText("keys.tokens-with-inputs"));
  }
  if (given.tunes) {
    if (auto bad = TakeOneInput(plan, Action::kListTunes, KeysText("keys.tunes-need-one-input")))
      return *bad;
    return plan;
  }
  if (auto bad = CheckOutput(plan, given.format)) return *bad;
  if (plan.player && plan.format != "rtttl") {
    return Bad(given.forArgument, KeysText("keys.for-needs-rtttl"));
  }
  if (plan.toFolder) {
    if (plan.inputs.empty()) return Bad(0, KeysText("keys.folder-needs-inputs"));
    if (std::find(plan.inputs.begin(), plan.inputs.end(), "-") != plan.inputs.end()) {
      return Bad(0, KeysText("keys.folder-needs-named-files"));
    }
  } else if (plan.inputs.size() > 1) {
    return Bad(0, KeysText("keys.several-inputs"));
  }
  return plan;
}

std::string Words(const BadArguments& bad, std::span<const std::string_view> args,
                  Language language) {
  std::string words;
  if (bad.argument > 0 && bad.argument <= args.size()) {
    words = merin::Words(KeysText("keys.argument"), language,
                         {std::to_string(bad.argument), Escaped(args[bad.argument - 1])});
  }
  return words + merin::Words(bad.refusal, language);
}

std::optional<Refusal> RefuseUnfitOptions(const Plan& plan, const formats::Intake& intake,
                                          std::string_view name) {
  if ((plan.read.part != 0 || plan.action == Action::kListParts) && !intake.parts()) {
    return Refusal(CoreText("melody.no-parts"), std::string(name));
  }
  if ((plan.read.tune != 0 || plan.action == Action::kListTunes) && !intake.holdsTunes()) {
    return Refusal(KeysText("keys.no-tunes"), std::string(name));
  }
  return std::nullopt;
}

}  // namespace merin::cli
