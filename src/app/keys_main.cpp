// SPDX-License-Identifier: MIT
// merinkast98-keys: converts a melody given as note codes or pitch names, a melody file or an
// RTTTL tune into the handset key presses that type it in, one line per slot, exactly as the
// program's convert button lists them; or writes it as a melody file, RTTTL, MIDI or audio.
#include <algorithm>
#include <atomic>
#include <cctype>
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
#include "core/da.h"
#include "formats/anymelody.h"
#include "formats/fileio.h"
#include "formats/writeas.h"
#include "output/convert.h"
#include "output/melodytext.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

using merin::formats::Codes;
using merin::formats::Imported;
using merin::formats::ParseError;

using merin::keys::Text;

// The converter's language, from the locale variables.
const merin::Language kLanguage =
    merin::keys::LanguageOf(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));

std::string Words(Text text, std::initializer_list<std::string> values = {}) {
  return merin::keys::Words(text, kLanguage, values);
}

constexpr int kBadInput = 2;
constexpr int kCannotWrite = 1;

void Say(const std::string& message) { std::cerr << "merinkast98-keys: " << message << '\n'; }

int Fail(int status, const std::string& message) {
  Say(message);
  return status;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Standard input, read as any input file is (size limit included), named as such.
std::variant<std::string, ParseError> ReadStandardInput() {
  auto bytes = merin::formats::ReadInputFile("/dev/stdin");
  if (auto* error = std::get_if<ParseError>(&bytes)) error->file = Words(Text::StandardInput);
  return bytes;
}

// Reads the melody of `path` ("-" for standard input) and tells what the import changed.
std::variant<Codes, ParseError> ReadMelody(const std::string& path) {
  const bool standardInput = path == "-";
  auto bytes = standardInput ? ReadStandardInput() : merin::formats::ReadInputFile(path);
  if (auto* error = std::get_if<ParseError>(&bytes)) return std::move(*error);
  const std::string name = standardInput ? Words(Text::StandardInput) : path;
  auto read = merin::formats::ReadAnyMelody(std::get<std::string>(bytes), name);
  if (auto* error = std::get_if<ParseError>(&read)) return std::move(*error);
  auto& imported = std::get<Imported>(read);
  for (const std::string& line : imported.report) Say(name + ": " + line);
  return std::move(imported.codes);
}

struct Options {
  std::vector<std::string> tokens;
  std::vector<std::string> inputs;
  std::optional<std::string> output;
  std::optional<std::string> format;
};

// -o DIR/: a name ending in a separator, or a folder that exists.
bool IsFolderTarget(const std::string& output) {
  return output.ends_with('/') || std::filesystem::is_directory(output);
}

// Files written at the same time by -o DIR/: each write waits for the disk to keep the file
// (fsync), not for the processor, and the disk takes several at once.
constexpr size_t kWriters = 8;

// Converts each input into `folder`; returns the exit status. All inputs are read first, in
// turn; then the files are written by kWriters threads, and failures named in input order.
int ConvertInto(const std::string& folder, const std::string& format,
                const std::vector<std::string>& inputs) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return Fail(kCannotWrite, Words(Text::CannotMakeFolder, {folder, error.message()}));
  struct Job {
    std::string target;
    Codes codes;
    std::optional<std::string> failure;
  };
  std::vector<Job> jobs;
  bool badInput = false;
  std::map<std::string, std::string> written;  // target, from which input
  for (const std::string& input : inputs) {
    const std::string target =
        (std::filesystem::path(folder) / std::filesystem::path(input).stem()).string() + "." +
        format;
    if (auto [it, fresh] = written.emplace(target, input); !fresh) {
      Say(Words(Text::AlreadyWritten, {input, target, it->second}));
      badInput = true;
      continue;
    }
    auto read = ReadMelody(input);
    if (auto* e = std::get_if<ParseError>(&read)) {
      Say(e->Message());
      badInput = true;
    } else {
      jobs.push_back({target, std::move(std::get<Codes>(read)), std::nullopt});
    }
  }

  std::atomic<size_t> next{0};
  const auto write = [&] {
    for (size_t i; (i = next++) < jobs.size();) {
      jobs[i].failure =
          merin::formats::WriteMelodyAs(jobs[i].codes, format, Da::AppFolder, jobs[i].target);
    }
  };
  std::vector<std::thread> writers;
  for (size_t n = 1; n < std::min(jobs.size(), kWriters); ++n) writers.emplace_back(write);
  write();
  for (std::thread& t : writers) t.join();

  bool cannotWrite = false;
  for (const Job& job : jobs) {
    if (job.failure) {
      Say(*job.failure);
      cannotWrite = true;
    }
  }
  return badInput ? kBadInput : cannotWrite ? kCannotWrite : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  Options options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const std::string where = Words(Text::Argument, {std::to_string(i + 1), arg});
    if (arg == "--help") {
      std::cout << Words(Text::Usage);
      return 0;
    }
    if (arg == "--version") {
      std::cout << "merinkast98-keys " MERIN_VERSION "\n";
      return 0;
    }
    if (arg == "-i" || arg == "-o" || arg == "-f") {
      if (i + 1 == args.size()) return Fail(kBadInput, where + Words(Text::NeedsValue));
      const std::string& value = args[++i];
      if (arg == "-i") options.inputs.push_back(value);
      if ((arg == "-o" && options.output) || (arg == "-f" && options.format)) {
        return Fail(kBadInput, where + Words(Text::GivenTwice));
      }
      if (arg == "-o") options.output = value;
      if (arg == "-f") options.format = Lower(value);
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      return Fail(kBadInput, where + Words(Text::UnknownOption));
    }
    options.tokens.push_back(arg);
  }
  const bool toFolder = options.output && IsFolderTarget(*options.output);
  if (toFolder) {
    // Many files at once: the arguments name files too, so that a shell pattern can give them.
    options.inputs.insert(options.inputs.end(), options.tokens.begin(), options.tokens.end());
    options.tokens.clear();
  }
  if (!options.tokens.empty() && !options.inputs.empty()) {
    return Fail(kBadInput, Words(Text::TokensWithInputs));
  }

  if (toFolder != options.format.has_value()) {
    return Fail(kBadInput, toFolder ? Words(Text::FolderNeedsFormat, {*options.output})
                                    : Words(Text::FormatNeedsFolder));
  }
  std::string format;
  if (options.output) {
    format = options.format.value_or(merin::formats::ExtensionOf(*options.output));
    if (format.empty()) {
      return Fail(kCannotWrite, Words(Text::NoExtension, {*options.output}));
    }
    if (auto why = merin::formats::CannotWriteAs(format))
      return Fail(kCannotWrite, *options.output + ": " + *why);
    // Audio is made of the wave files in the program's own folder.
    if (merin::formats::IsAudioFormat(format)) Da::InitAppFolder();
  }
  if (toFolder) {
    if (options.inputs.empty()) return Fail(kBadInput, Words(Text::FolderNeedsInputs));
    if (std::find(options.inputs.begin(), options.inputs.end(), "-") != options.inputs.end()) {
      return Fail(kBadInput, Words(Text::FolderNeedsNamedFiles));
    }
    return ConvertInto(*options.output, format, options.inputs);
  }
  if (options.inputs.size() > 1) {
    return Fail(kBadInput, Words(Text::SeveralInputs));
  }

  Codes codes;
  if (!options.tokens.empty()) {
    auto parsed = merin::ParseMelodyText(options.tokens);
    if (auto* error = std::get_if<merin::MelodyTextError>(&parsed)) {
      return Fail(kBadInput, error->Message());
    }
    codes = std::get<0>(parsed);
  } else {
    auto read = ReadMelody(options.inputs.empty() ? "-" : options.inputs.front());
    if (auto* error = std::get_if<ParseError>(&read)) return Fail(kBadInput, error->Message());
    codes = std::get<Codes>(read);
  }

  if (options.output) {
    if (auto failure =
            merin::formats::WriteMelodyAs(codes, format, Da::AppFolder, *options.output)) {
      return Fail(kCannotWrite, *failure);
    }
    return 0;
  }
  const std::string listing = merin::ConvertMelody(codes);
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : Fail(kCannotWrite, Words(Text::CannotWriteOutput));
}
