// SPDX-License-Identifier: MIT
#include "cli/console.h"

#include <cstdio>
#include <cstdlib>

#include "cli/keyswords.h"
#include "core/da.h"
#include "core/escape.h"
#include "formats/fileio.h"
#include "formats/writeas.h"

namespace merin::cli {

using formats::Imported;
using formats::Intake;
using keys::KeysText;

Language Spoken() {
  static const Language language =
      LocaleLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  return language;
}

std::string Said(const Text& text, std::initializer_list<std::string> values) {
  return Words(text, Spoken(), values);
}

std::string Said(const Refusal& refusal) { return Words(refusal, Spoken()); }

void Say(const std::string& message) {
  const std::string line = "merinkast98-keys: " + message + '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
}

int Fail(int status, const std::string& message) {
  Say(message);
  return status;
}

std::string NameOf(const std::string& path) {
  return path == "-" ? Said(KeysText("keys.standard-input")) : path;
}

std::variant<Imported, Refusal> Told(std::variant<Imported, Refusal> read,
                                     const std::string& path) {
  if (auto* imported = std::get_if<Imported>(&read)) {
    for (const auto& line : imported->report) {
      Say(Escaped(NameOf(path)) + ": " + Escaped(formats::Words(line, Spoken())));
    }
  }
  return read;
}

std::variant<Intake, Refusal> IntakeOf(const std::string& path) {
  const bool standardInput = path == "-";
  auto bytes = formats::ReadInputFile(
      standardInput ? "/dev/stdin" : path,
      standardInput ? formats::Accept::Anything : formats::Accept::FilesAndPipes,
      formats::kMaxBinaryBytes);
  if (auto* error = std::get_if<Refusal>(&bytes)) {
    if (standardInput) error->file = NameOf(path);
    return std::move(*error);
  }
  return Intake::Of(std::move(std::get<std::string>(bytes)), NameOf(path));
}

std::optional<Refusal> WriteOut(const SlotCodes& codes, const std::string& extension,
                                const formats::RtttlProfile* player, const std::string& target,
                                std::string_view title, bool syncFolder) {
  if (!player) return formats::WriteAs(codes, extension, Da::AppFolder, target, title, syncFolder);
  if (auto refusal = formats::RefusedAsEmpty(codes, extension, target)) return refusal;
  const formats::RtttlExport made = formats::WriteRtttlFor(
      codes, title.empty() ? formats::RtttlNameOf(target) : std::string(title), *player);
  if (auto failure = formats::WriteFileAtomically(target, made.text, syncFolder)) return failure;
  for (const auto& line : made.changes) {
    Say(Escaped(target) + ": " + Escaped(formats::Words(line, Spoken())));
  }
  return std::nullopt;
}

std::variant<Imported, Refusal> Chosen(const Intake& intake, const std::string& path,
                                       const formats::ReadOptions& options) {
  return Told(intake.Take(intake.parts() ? options.part : options.tune, options.from), path);
}

}  // namespace merin::cli
