// SPDX-License-Identifier: MIT
// merinkast98-keys: converts a melody given as note codes or pitch names, a melody file or an
// RTTTL or iMelody tune into the handset key presses that type it in, one line per slot, exactly as
// the program's convert button lists them; or writes it as a melody file, RTTTL, MIDI or audio.
#include <algorithm>
#include <atomic>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "app/keyswords.h"
#include "core/coretexts.h"
#include "core/da.h"
#include "core/escape.h"
#include "formats/fileio.h"
#include "formats/intake.h"
#include "formats/slots.h"
#include "formats/writeas.h"
#include "output/convert.h"
#include "output/melodytext.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using merin::Escaped;
using merin::formats::Accept;
using merin::formats::Codes;
using merin::formats::Imported;
using merin::formats::Intake;
using merin::formats::ReadOptions;
using merin::formats::Refusal;

// The converter's language, from the locale variables.
const merin::Language kLanguage =
    merin::keys::LanguageOf(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));

std::string Words(const Refusal& refusal) { return merin::formats::Words(refusal, kLanguage); }

using merin::keys::KeysText;

std::string Words(const merin::Text& text, std::initializer_list<std::string> values = {}) {
  return merin::Words(text, kLanguage, values);
}

// The help, with the formats of the registry, one line each.
std::string Usage() {
  std::string usage = Words(KeysText("keys.usage"));
  for (const merin::formats::Format& format : merin::formats::Formats()) {
    std::string line = "  ";
    for (const std::string_view extension : format.extensions) {
      if (line.size() > 2) line += ' ';
      line += '.';
      line += extension;
    }
    line.resize(std::max<size_t>(line.size() + 1, 24), ' ');
    line += Words(format.dialogName);
    line += Words(format.read && format.write ? KeysText("keys.read-and-written")
                  : format.read               ? KeysText("keys.read")
                                              : KeysText("keys.written"));
    usage += line + "\n";
  }
  return usage;
}

constexpr int kBadInput = 2;
constexpr int kCannotWrite = 1;

// One line on stderr in one write, so that the lines of parallel runs never mix.
void Say(const std::string& message) {
  const std::string line = "merinkast98-keys: " + message + '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
}

int Fail(int status, const std::string& message) {
  Say(message);
  return status;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The name messages give `path` ("-" is standard input).
std::string NameOf(const std::string& path) {
  return path == "-" ? Words(KeysText("keys.standard-input")) : path;
}

// The bytes of `path` ("-" for standard input, read as any input file is, size limit included).
// FIFOs and pipes are read to their end.
std::variant<std::string, Refusal> BytesOf(const std::string& path) {
  const bool standardInput = path == "-";
  auto bytes = merin::formats::ReadInputFile(
      standardInput ? "/dev/stdin" : path, standardInput ? Accept::Anything : Accept::FilesAndPipes,
      merin::formats::kMaxBinaryBytes);
  if (auto* error = std::get_if<Refusal>(&bytes); error && standardInput) {
    error->file = NameOf(path);
  }
  return bytes;
}

// Tells what the import of `read` from `path` changed, and passes it on.
std::variant<Imported, Refusal> Told(std::variant<Imported, Refusal> read,
                                     const std::string& path) {
  if (auto* imported = std::get_if<Imported>(&read)) {
    for (const auto& line : imported->report) {
      Say(Escaped(NameOf(path)) + ": " + Escaped(merin::formats::Words(line, kLanguage)));
    }
  }
  return read;
}

// What the input at `path` brings in: its bytes, and what there is to choose.
std::variant<Intake, Refusal> IntakeOf(const std::string& path) {
  auto bytes = BytesOf(path);
  if (auto* error = std::get_if<Refusal>(&bytes)) return std::move(*error);
  return Intake::Of(std::move(std::get<std::string>(bytes)), NameOf(path));
}

// The melody `options` choose of `intake` (a part by --part, a tune by --tune, from --from), and
// what its import changed told.
std::variant<Imported, Refusal> Chosen(const Intake& intake, const std::string& path,
                                       const ReadOptions& options) {
  return Told(intake.Take(intake.parts() ? options.part : options.tune, options.from), path);
}

std::variant<Imported, Refusal> ReadMelody(const std::string& path, const ReadOptions& options) {
  auto intake = IntakeOf(path);
  if (auto* error = std::get_if<Refusal>(&intake)) return std::move(*error);
  return Chosen(std::get<Intake>(intake), path, options);
}

// --tunes: one line a tune or part to choose from, "N: TITLE (K notes)" or "N: TITLE: why it
// cannot be taken"; "1: TITLE" for a file of one melody.
int ListTunes(const std::string& path) {
  auto read = IntakeOf(path);
  if (auto* error = std::get_if<Refusal>(&read)) return Fail(kBadInput, Words(*error));
  const Intake& intake = std::get<Intake>(read);
  if (intake.choices() == 0) {
    auto melody = intake.Take();
    if (auto* error = std::get_if<Refusal>(&melody)) return Fail(kBadInput, Words(*error));
    std::cout << "1: " << Escaped(std::get<Imported>(melody).title) << "\n";
    return 0;
  }
  for (size_t number = 1; number <= intake.choices(); ++number) {
    const merin::formats::Choice choice = intake.choice(number);
    std::cout << number << ": " << Escaped(choice.title)
              << (choice.refused
                      ? ": " + Words(std::get<Refusal>(intake.Take(number)))
                      : Words(KeysText("keys.tune-notes"), {std::to_string(choice.notes)}))
              << "\n";
  }
  return 0;
}

// A file name made of a tune's title: the characters that file systems refuse made "_".
std::string FileNameOf(const std::string& title) {
  std::string name = title;
  for (char& c : name) {
    if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) c = '_';
  }
  if (name.empty() || name.front() == '.') name = "_" + name;
  return name;
}

// --parts: one line a part of the MIDI file at `path`; returns the exit status.
int ListParts(const std::string& path) {
  auto read = IntakeOf(path);
  if (auto* error = std::get_if<Refusal>(&read)) return Fail(kBadInput, Words(*error));
  const merin::formats::MidiTune* midi = std::get<Intake>(read).parts();
  if (!midi)
    return Fail(kBadInput, Words(Refusal(merin::CoreText("melody.no-parts"), NameOf(path))));
  for (size_t i = 0; i < midi->parts.size(); ++i) {
    const auto& p = midi->parts[i];
    std::cout << Words(
        KeysText("keys.part-line"),
        {std::to_string(i + 1), std::to_string(p.track), Escaped(midi->Name(p)),
         std::to_string(p.channel), std::string(merin::formats::InstrumentName(p.program)),
         std::to_string(p.onsets), merin::formats::KeyName(p.lowest),
         merin::formats::KeyName(p.highest)});
  }
  return 0;
}

struct Options {
  merin::formats::ReadOptions read;
  bool listParts = false;
  // Views of the arguments, which last as long as the program: a batch of many files keeps no
  // copy of their names.
  std::vector<std::string_view> tokens;
  std::vector<std::string_view> inputs;
  std::optional<std::string> output;
  std::optional<std::string> format;
  bool tunes = false;
};

// -o DIR/: a name ending in a separator, or a folder that exists.
bool IsFolderTarget(const std::string& output) {
  std::error_code error;
  return output.ends_with('/') || std::filesystem::is_directory(output, error);
}

// Files written at the same time by -o DIR/: each write waits for the disk to keep the file
// (fsync), not for the processor, and the disk takes several at once.
constexpr size_t kWriters = 8;
// Melodies read, then written, together: a batch holds those of one round at a time, of up to
// so many inputs or so many tunes of a collection.
constexpr size_t kRound = 256;

// Converts each input into `folder`; returns the exit status. Round by round, the inputs are
// read in turn, then written by kWriters threads, and the failures named in input order. The
// folder is synced once, after the last file is in it.
int ConvertInto(const std::string& folder, const std::string& format,
                const std::vector<std::string_view>& inputs, const ReadOptions& options) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    Refusal failure = merin::SystemRefusal(error.value(), folder);
    failure.doing = &merin::CoreText("doing.make-folder");
    return Fail(kCannotWrite, Words(failure));
  }
  const auto targetOf = [&](std::string_view input) {
    return (std::filesystem::path(folder) / std::filesystem::path(input).stem()).string() + "." +
           format;
  };
  // The first input of each target, found by the hash of the target's name: the hashes of all
  // inputs, sorted, take 16 bytes an input where the names would take a hundred; names that hash
  // alike are made again to tell a true repeat.
  std::vector<std::pair<size_t, size_t>> hashes;  // hash, input
  hashes.reserve(inputs.size());
  for (size_t i = 0; i < inputs.size(); ++i)
    hashes.emplace_back(std::hash<std::string>{}(targetOf(inputs[i])), i);
  std::sort(hashes.begin(), hashes.end());
  struct Job {
    std::string target;
    Imported melody;
    std::optional<Refusal> failure;
  };
  std::vector<Job> jobs;
  bool badInput = false, cannotWrite = false;
  // Targets named by a tune's title (collections), with the input they came from.
  std::map<std::string, size_t> tuneTargets;
  // The first input whose own target is `target`, if any.
  const auto inputWithTarget = [&](const std::string& target) -> std::optional<size_t> {
    const size_t hash = std::hash<std::string>{}(target);
    for (auto it =
             std::lower_bound(hashes.begin(), hashes.end(), std::pair<size_t, size_t>{hash, 0});
         it != hashes.end() && it->first == hash; ++it) {
      if (targetOf(inputs[it->second]) == target) return it->second;
    }
    return std::nullopt;
  };
  const auto add = [&](size_t i, std::string target, bool fromTitle,
                       std::variant<Imported, Refusal> read) {
    std::optional<size_t> earlier;
    if (auto it = tuneTargets.find(target); it != tuneTargets.end()) earlier = it->second;
    if (auto other = inputWithTarget(target); !earlier && other && *other < i) earlier = other;
    if (earlier) {
      Say(Words(KeysText("keys.already-written"),
                {Escaped(inputs[i]), Escaped(target), Escaped(inputs[*earlier])}));
      badInput = true;
    } else if (auto* e = std::get_if<Refusal>(&read)) {
      Say(Words(*e));
      badInput = true;
    } else if (auto empty =
                   merin::formats::RefusedAsEmpty(std::get<Imported>(read).codes, format, target)) {
      Say(Words(*empty));
      badInput = true;
    } else {
      if (fromTitle) tuneTargets.emplace(target, i);
      jobs.push_back({std::move(target), std::move(std::get<Imported>(read)), std::nullopt});
    }
  };
  // Writes the melodies read so far and names the failures.
  const auto writeJobs = [&] {
    std::atomic<size_t> next{0};
    const auto write = [&] {
      for (size_t i; (i = next++) < jobs.size();) {
        jobs[i].failure = merin::formats::WriteAs(jobs[i].melody.codes, format, Da::AppFolder,
                                                  jobs[i].target, jobs[i].melody.title, false);
      }
    };
    std::vector<std::thread> writers;
    for (size_t n = 1; n < std::min(jobs.size(), kWriters); ++n) writers.emplace_back(write);
    write();
    for (std::thread& t : writers) t.join();
    for (const Job& job : jobs) {
      if (job.failure) {
        Say(Words(*job.failure));
        cannotWrite = true;
      }
    }
    jobs.clear();
  };
  for (size_t first = 0; first < inputs.size(); first += kRound) {
    for (size_t i = first; i < std::min(first + kRound, inputs.size()); ++i) {
      const std::string input(inputs[i]);
      auto read = IntakeOf(input);
      if (auto* e = std::get_if<Refusal>(&read)) {
        add(i, targetOf(input), false, std::move(*e));
        continue;
      }
      const Intake& intake = std::get<Intake>(read);
      // A collection without --tune gives one file a tune.
      if (intake.parts() || intake.choices() == 0 || options.tune != 0) {
        add(i, targetOf(input), false, Chosen(intake, input, options));
        continue;
      }
      for (size_t number = 1; number <= intake.choices(); ++number) {
        const std::string target =
            (std::filesystem::path(folder) / FileNameOf(intake.choice(number).title)).string() +
            "." + format;
        add(i, target, true, Told(intake.Take(number, options.from), input));
        if (jobs.size() == kRound) writeJobs();
      }
    }
    writeJobs();
  }
  merin::formats::SyncFolder(folder);
  return badInput ? kBadInput : cannotWrite ? kCannotWrite : 0;
}

// Converts, lists or writes as the arguments ask; returns the exit status.
int Run(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  Options options;
  options.tokens.reserve(args.size());
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string arg(args[i]);
    const std::string where =
        Words(KeysText("keys.argument"), {std::to_string(i + 1), Escaped(arg)});
    if (optionsEnded) {
      options.tokens.push_back(args[i]);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help") {
      std::cout << Usage();
      return 0;
    }
    if (arg == "--version") {
      std::cout << "merinkast98-keys " MERIN_VERSION "\n";
      return 0;
    }
    if (arg == "--parts") {
      options.listParts = true;
      continue;
    }
    // --part N, --from N, --part=N, --from=N: a number from 1.
    const std::string option = arg.substr(0, arg.find('='));
    if (option == "--part" || option == "--from") {
      std::string value;
      if (option.size() < arg.size()) {
        value = arg.substr(option.size() + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      }
      size_t number = 0;
      bool ok = !value.empty() && value.size() < 10;
      for (const char c : value) ok = ok && c >= '0' && c <= '9';
      if (ok) number = std::stoul(value);
      if (number == 0) return Fail(kBadInput, where + Words(KeysText("keys.needs-number")));
      (option == "--part" ? options.read.part : options.read.from) = number;
      continue;
    }
    if (arg == "--tunes") {
      options.tunes = true;
      continue;
    }
    if (arg == "--tune" || arg.starts_with("--tune=")) {
      std::string value;
      if (arg == "--tune") {
        if (i + 1 == args.size())
          return Fail(kBadInput, where + Words(KeysText("keys.needs-value")));
        value = args[++i];
      } else {
        value = arg.substr(7);
      }
      if (value.empty() || value.size() > 9 ||
          value.find_first_not_of("0123456789") != std::string::npos || std::stoul(value) == 0) {
        return Fail(kBadInput, where + Words(KeysText("keys.needs-number")));
      }
      options.read.tune = std::stoul(value);
      continue;
    }
    if (arg == "-i" || arg == "-o" || arg == "-f") {
      if (i + 1 == args.size()) return Fail(kBadInput, where + Words(KeysText("keys.needs-value")));
      const std::string value(args[++i]);
      if (arg == "-i") options.inputs.push_back(args[i]);
      if ((arg == "-o" && options.output) || (arg == "-f" && options.format)) {
        return Fail(kBadInput, where + Words(KeysText("keys.given-twice")));
      }
      if (arg == "-o") options.output = value;
      if (arg == "-f") options.format = Lower(value);
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      return Fail(kBadInput, where + Words(KeysText("keys.unknown-option")));
    }
    options.tokens.push_back(args[i]);
  }
  if (options.listParts) {
    if (options.inputs.size() + options.tokens.size() > 1 || options.output) {
      return Fail(kBadInput, Words(KeysText("keys.parts-needs-one-file")));
    }
    return ListParts(std::string(options.inputs.empty()
                                     ? options.tokens.empty() ? "-" : options.tokens.front()
                                     : options.inputs.front()));
  }
  const bool toFolder = options.output && IsFolderTarget(*options.output);
  if (toFolder) {
    // Many files at once: the arguments name files too, so that a shell pattern can give them.
    options.tokens.insert(options.tokens.begin(), std::make_move_iterator(options.inputs.begin()),
                          std::make_move_iterator(options.inputs.end()));
    options.inputs = std::move(options.tokens);
    options.tokens.clear();
  }
  if (!options.tokens.empty() && !options.inputs.empty()) {
    return Fail(kBadInput, Words(KeysText("keys.tokens-with-inputs")));
  }

  if (options.tunes) {
    if (!options.tokens.empty() || options.inputs.size() > 1 || options.output) {
      return Fail(kBadInput, Words(KeysText("keys.tunes-need-one-input")));
    }
    return ListTunes(std::string(options.inputs.empty() ? "-" : options.inputs.front()));
  }
  if (toFolder != options.format.has_value()) {
    return Fail(kBadInput,
                toFolder ? Words(KeysText("keys.folder-needs-format"), {Escaped(*options.output)})
                         : Words(KeysText("keys.format-needs-folder")));
  }
  std::string format;
  if (options.output) {
    format = options.format.value_or(merin::formats::ExtensionOf(*options.output));
    if (format.empty()) {
      Refusal refusal(merin::CoreText("write.no-extension"), *options.output);
      refusal.choices = merin::formats::WritableExtensions();
      return Fail(kCannotWrite, Words(refusal));
    }
    if (auto refusal = merin::formats::CannotWriteAs(format, *options.output))
      return Fail(kCannotWrite, Words(*refusal));
    // Audio is made of the wave files in the program's own folder.
    if (merin::formats::SoundsFromWaves(format)) Da::InitAppFolder();
  }
  if (toFolder) {
    if (options.inputs.empty()) return Fail(kBadInput, Words(KeysText("keys.folder-needs-inputs")));
    if (std::find(options.inputs.begin(), options.inputs.end(), "-") != options.inputs.end()) {
      return Fail(kBadInput, Words(KeysText("keys.folder-needs-named-files")));
    }
    return ConvertInto(*options.output, format, options.inputs, options.read);
  }
  if (options.inputs.size() > 1) {
    return Fail(kBadInput, Words(KeysText("keys.several-inputs")));
  }

  Codes codes;
  std::string title;
  if (!options.tokens.empty()) {
    auto parsed = merin::ParseMelodyText(options.tokens);
    if (auto* error = std::get_if<Refusal>(&parsed)) return Fail(kBadInput, Words(*error));
    codes = std::get<0>(parsed);
  } else {
    auto read = ReadMelody(std::string(options.inputs.empty() ? "-" : options.inputs.front()),
                           options.read);
    if (auto* error = std::get_if<Refusal>(&read)) return Fail(kBadInput, Words(*error));
    codes = std::get<Imported>(read).codes;
    title = std::get<Imported>(read).title;
  }

  if (options.output) {
    if (auto empty = merin::formats::RefusedAsEmpty(codes, format, *options.output)) {
      return Fail(kBadInput, Words(*empty));
    }
    if (auto failure =
            merin::formats::WriteAs(codes, format, Da::AppFolder, *options.output, title)) {
      return Fail(kCannotWrite, Words(*failure));
    }
    return 0;
  }
  const std::string listing = merin::ConvertMelody(codes);
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Past a file-size limit a write fails with "file too large" instead of killing the program.
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  const int status = Run(argc, argv);
  // Whatever went to standard output, the help and listings included, must have reached it.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    Say(Words(KeysText("keys.cannot-write-output")));
    return status == 0 ? kCannotWrite : status;
  }
  return status;
}
