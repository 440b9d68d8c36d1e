// SPDX-License-Identifier: MIT
#include "cli/converter.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <variant>

#include "cli/arguments.h"
#include "cli/batch.h"
#include "cli/console.h"
#include "cli/keyswords.h"
#include "cli/midilisten.h"
#include "core/da.h"
#include "core/escape.h"
#include "core/melodyedit.h"
#include "formats/fileio.h"
#include "formats/melodytext.h"
#include "formats/rtttlcheck.h"
#include "formats/writeas.h"
#include "output/convert.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace merin::cli {
namespace {

using formats::Imported;
using formats::Intake;
using keys::KeysText;

// The help, with the formats of the list, one line each.
std::string Usage() {
  std::string usage = Said(KeysText("keys.usage"));
  for (const formats::Format& format : formats::Formats()) {
    std::string line = "  ";
    for (const std::string_view extension : format.extensions) {
      if (line.size() > 2) line += ' ';
      line += '.';
      line += extension;
    }
    line.resize(std::max<size_t>(line.size() + 1, 24), ' ');
    line += Said(format.dialogName);
    const bool written = format.write || format.audio;
    line += Said(format.read && written ? KeysText("keys.read-and-written")
                 : format.read          ? KeysText("keys.read")
                                        : KeysText("keys.written"));
    usage += line + "\n";
  }
  return usage;
}

bool IsFolderTarget(std::string_view output) {
  std::error_code error;
  return output.ends_with('/') || std::filesystem::is_directory(output, error);
}

// The input of `plan`, read, with the options checked against it.
std::variant<Intake, Refusal> InputOf(const Plan& plan) {
  const std::string path(plan.inputs.empty() ? "-" : plan.inputs.front());
  auto read = IntakeOf(path);
  if (auto* intake = std::get_if<Intake>(&read)) {
    if (auto unfit = RefuseUnfitOptions(plan, *intake, NameOf(path))) return std::move(*unfit);
  }
  return read;
}

// --tunes: one line a tune to choose from, "N: TITLE (K notes)" or "N: TITLE: why it cannot be
// taken"; "1: TITLE (K notes)" for a text of one tune.
int ListTunes(const Plan& plan) {
  auto read = InputOf(plan);
  if (auto* error = std::get_if<Refusal>(&read)) return Fail(kBadInput, Said(*error));
  const Intake& intake = std::get<Intake>(read);
  if (intake.choices() == 0) {
    auto melody = intake.Take();
    if (auto* error = std::get_if<Refusal>(&melody)) return Fail(kBadInput, Said(*error));
    const Imported& imported = std::get<Imported>(melody);
    std::cout << "1: " << Escaped(imported.title) << "\n";
    return 0;
  }
  for (size_t number = 1; number <= intake.choices(); ++number) {
    const formats::Choice choice = intake.choice(number);
    std::cout << number << ": " << Escaped(choice.title)
              << (choice.refused ? ": " + Said(std::get<Refusal>(intake.Take(number)))
                  : choice.notes == 1
                      ? Said(KeysText("keys.tune-notes-one"))
                      : Said(KeysText("keys.tune-notes"), {std::to_string(choice.notes)}))
              << "\n";
  }
  return 0;
}

// --parts: one line a part of the MIDI file.
int ListParts(const Plan& plan) {
  auto read = InputOf(plan);
  if (auto* error = std::get_if<Refusal>(&read)) return Fail(kBadInput, Said(*error));
  const formats::MidiTune& midi = *std::get<Intake>(read).parts();
  for (size_t i = 0; i < midi.parts.size(); ++i) {
    const auto& p = midi.parts[i];
    const std::string onsets = p.onsets == 1
                                   ? Said(KeysText("keys.onsets-one"))
                                   : Said(KeysText("keys.onsets"), {std::to_string(p.onsets)});
    std::cout << Said(KeysText("keys.part-line"),
                      {std::to_string(i + 1), std::to_string(p.track), Escaped(midi.Name(p)),
                       std::to_string(p.channel), std::string(formats::InstrumentName(p.program)),
                       onsets, formats::KeyName(p.lowest), formats::KeyName(p.highest)});
  }
  return 0;
}

// The exit status of --check when a player plays something otherwise than the text means.
constexpr int kPlaysOtherwise = 3;

// --check PLAYER FILE...: per file and tune, what the player plays otherwise, one line each;
// a heading line a tune in a collection.
int Check(const Plan& plan) {
  bool unreadable = false, otherwise = false;
  for (const std::string_view input : plan.inputs) {
    const std::string path(input);
    const bool standardInput = path == "-";
    auto bytes = formats::ReadInputFile(
        standardInput ? "/dev/stdin" : path,
        standardInput ? formats::Accept::Anything : formats::Accept::FilesAndPipes,
        formats::kMaxCollectionBytes);
    if (auto* error = std::get_if<Refusal>(&bytes)) {
      error->file = NameOf(path);
      Say(Said(*error));
      unreadable = true;
      continue;
    }
    auto checked =
        formats::CheckRtttl(std::get<std::string>(bytes), NameOf(path), plan.player->player);
    if (auto* error = std::get_if<Refusal>(&checked)) {
      Say(Said(*error));
      unreadable = true;
      continue;
    }
    const auto& tunes = std::get<std::vector<formats::RtttlTuneCheck>>(checked);
    for (size_t number = 1; number <= tunes.size(); ++number) {
      const formats::RtttlTuneCheck& tune = tunes[number - 1];
      if (tune.refused) {
        Say(Said(*tune.refused));
        unreadable = true;
        continue;
      }
      if (tune.findings.empty()) continue;
      otherwise = true;
      if (tunes.size() > 1) {
        std::cout << Said(KeysText("keys.check-tune"),
                          {Escaped(NameOf(path)), std::to_string(number), Escaped(tune.title),
                           std::to_string(tune.line)})
                  << "\n";
      }
      for (const formats::RtttlFinding& finding : tune.findings) {
        std::cout << Escaped(NameOf(path)) << ":" << Escaped(formats::Words(finding, Spoken()))
                  << "\n";
      }
    }
  }
  return unreadable ? kBadInput : otherwise ? kPlaysOtherwise : 0;
}

// Converts the one melody of `plan`: prints its key presses, or writes it to -o FILE.
int ConvertOne(const Plan& plan) {
  SlotCodes codes;
  std::string title;
  if (!plan.tokens.empty()) {
    auto parsed = ParseMelodyText(plan.tokens);
    if (auto* error = std::get_if<Refusal>(&parsed)) return Fail(kBadInput, Said(*error));
    codes = std::get<0>(parsed);
  } else {
    auto read = InputOf(plan);
    if (auto* error = std::get_if<Refusal>(&read)) return Fail(kBadInput, Said(*error));
    const std::string path(plan.inputs.empty() ? "-" : plan.inputs.front());
    auto melody = Chosen(std::get<Intake>(read), path, plan.read);
    if (auto* error = std::get_if<Refusal>(&melody)) return Fail(kBadInput, Said(*error));
    codes = std::get<Imported>(melody).codes;
    title = std::get<Imported>(melody).title;
    if (!plan.output && IsEmptyMelody(codes)) {
      Say(Said(KeysText("keys.empty-melody"), {Escaped(NameOf(path))}));
    }
  }
  if (plan.output) {
    if (auto empty = formats::RefusedAsEmpty(codes, plan.format, *plan.output)) {
      return Fail(kBadInput, Said(*empty));
    }
    if (auto failure = WriteOut(codes, plan.format, plan.player, *plan.output, title)) {
      return Fail(kCannotWrite, Said(*failure));
    }
    return 0;
  }
  const std::string listing = ConvertMelody(codes);
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  return 0;
}

}  // namespace

int RunConverter(std::span<const std::string_view> args) {
  auto parsed = ParseArguments(args, IsFolderTarget);
  if (auto* bad = std::get_if<BadArguments>(&parsed)) {
    return Fail(kBadInput, Words(*bad, args, Spoken()));
  }
  const Plan& plan = std::get<Plan>(parsed);
  switch (plan.action) {
    case Action::kHelp:
      std::cout << Usage();
      return 0;
    case Action::kVersion:
      std::cout << "merinkast98-keys " MERIN_VERSION "\n";
      return 0;
    case Action::kListParts:
      return ListParts(plan);
    case Action::kListTunes:
      return ListTunes(plan);
    case Action::kCheck:
      return Check(plan);
    case Action::kMidiIn:
      return ListenToMidi(plan);
    case Action::kConvert:
      break;
  }
  // Audio is made of the wave files in the program's own folder.
  if (plan.output && formats::SoundsFromWaves(plan.format)) Da::InitAppFolder();
  return plan.toFolder ? Batch(plan).Run() : ConvertOne(plan);
}

}  // namespace merin::cli
