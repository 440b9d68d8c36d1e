// SPDX-License-Identifier: MIT
// merinkast98-keys: converts a melody given as note codes or pitch names, a melody file or an
// RTTTL or iMelody tune into the handset key presses that type it in, one line per slot, exactly as
// the program's convert button lists them; or writes it as a melody file, RTTTL, MIDI or audio.
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "core/da.h"
#include "formats/fileio.h"
#include "formats/rtttl.h"
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
using merin::formats::ReadOptions;
using merin::formats::Refusal;

constexpr merin::Language kLanguage = merin::Language::English;

std::string Words(const Refusal& refusal) { return merin::formats::Words(refusal, kLanguage); }

constexpr const char* kUsage =
    "Usage: merinkast98-keys [TOKEN]...\n"
    "       merinkast98-keys [-i FILE]... [-o FILE]\n"
    "       merinkast98-keys -o DIR/ -f FORMAT [-i] FILE...\n"
    "Prints the handset key presses that type a melody of up to 30 slots, one line per slot\n"
    "(lines end in CR LF), or with -o writes the melody in another format.\n"
    "\n"
    "The melody comes from the TOKENs, or from the file of -i, or else from standard input.\n"
    "A token is a note code (11..72, 01 for a rest, 99 for an empty slot) or a pitch name:\n"
    "C4..B5, with # for a sharp (C#4), r for a rest, - for an empty slot. Missing slots are "
    "empty.\n"
    "A file or standard input holds a melody file or a tune of a format below, told apart by\n"
    "content (a binary format by its extension too):\n"
    "  - a melody file (.mk98) is UTF-8 text: lines starting with # are comments, then up to 30\n"
    "    tokens as above separated by any white space, letters in either case, e.g.\n"
    "      # Merinkast98 melody\n"
    "      C4 C4 D4 - r  C#5 B5\n"
    "  - a tune (\"name:d=4,o=5,b=225:8e6,8d6,f#\" in RTTTL) takes one slot per note or pause,\n"
    "    the first 30 of them, moved by whole octaves into C4..B5; what changed is told on\n"
    "    stderr. A text of several RTTTL tunes, one starting on each line, is a collection:\n"
    "    the first tune is taken unless --tune says which.\n"
    "\n"
    "  -i FILE        read the melody from FILE (- for standard input); may be given again\n"
    "                 with -o DIR/ to convert many files\n"
    "  -o FILE        write the melody to FILE instead of printing the key presses, in the\n"
    "                 format of its extension (see below; audio only where the installed\n"
    "                 libsndfile writes it); all but the melody file stop at the last note\n"
    "                 or rest\n"
    "  -o DIR/        write each input FILE (named by -i or as an argument) into the folder\n"
    "                 DIR (made if missing) under its base name with the extension of -f:\n"
    "                 -o out/ -f mid a/song.rtttl writes out/song.mid; a file that fails is\n"
    "                 named and the others are done\n"
    "                 with a collection and no --tune, one file for each tune, named by its\n"
    "                 title\n"
    "  -f FORMAT      the format for -o DIR/, by its extension\n"
    "  --tune N       take tune N (from 1) of a collection (also --tune=N)\n"
    "  --tunes        list the tunes of the input, one a line starting with its number and\n"
    "                 a colon, and convert nothing\n"
    "  --help         show this help and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Exit status: 0 done; 2 bad or unreadable input or options (the message names the file,\n"
    "line and column), also when only some files of -o DIR/ failed; 1 output that cannot be\n"
    "written (a file of the same name is left as it was).\n"
    "\n"
    "Formats (extensions, what is done with them):\n";

// The formats of the registry, one line each.
std::string Usage() {
  std::string usage = kUsage;
  for (const merin::formats::Format& format : merin::formats::Formats()) {
    std::string line = "  ";
    for (const std::string_view extension : format.extensions) {
      if (line.size() > 2) line += ' ';
      line += '.';
      line += extension;
    }
    line.resize(std::max<size_t>(line.size() + 1, 24), ' ');
    line += format.english;
    line += format.read && format.write ? ", read and written"
            : format.read               ? ", read"
                                        : ", written";
    usage += line + "\n";
  }
  return usage;
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

// The bytes of `path` ("-" for standard input, read as any input file is, size limit included),
// with the name that messages give it.
std::variant<std::string, Refusal> BytesOf(const std::string& path) {
  const bool standardInput = path == "-";
  auto bytes = merin::formats::ReadInputFile(standardInput ? "/dev/stdin" : path,
                                             merin::formats::kMaxBinaryBytes);
  if (auto* error = std::get_if<Refusal>(&bytes); error && standardInput) {
    if (error->file == "/dev/stdin") error->file = "standard input";
  }
  return bytes;
}

std::string NameOf(const std::string& path) { return path == "-" ? "standard input" : path; }

// Reads the melody of `bytes` from `path` and tells what the import changed.
std::variant<Imported, Refusal> ReadMelody(std::string_view bytes, const std::string& path,
                                           const ReadOptions& options) {
  auto read = merin::formats::ReadAny(bytes, NameOf(path), options);
  if (auto* imported = std::get_if<Imported>(&read)) {
    for (const auto& line : imported->report) {
      Say(NameOf(path) + ": " + merin::formats::Words(line, kLanguage));
    }
  }
  return read;
}

std::variant<Imported, Refusal> ReadMelody(const std::string& path, const ReadOptions& options) {
  auto bytes = BytesOf(path);
  if (auto* error = std::get_if<Refusal>(&bytes)) return std::move(*error);
  return ReadMelody(std::get<std::string>(bytes), path, options);
}

// The tunes of an RTTTL collection in `bytes`, or none when they hold one melody.
std::vector<merin::formats::RtttlTune> TunesOf(std::string_view bytes, const std::string& path) {
  if (merin::formats::FormatToRead(bytes, path).read != merin::formats::ReadRtttl) return {};
  auto tunes = merin::formats::ListRtttlTunes(bytes, NameOf(path));
  if (tunes.size() < 2) tunes.clear();
  return tunes;
}

// --tunes: one line a tune, "N: TITLE (K notes)" or "N: TITLE: why it cannot be taken".
int ListTunes(const std::string& path) {
  auto bytes = BytesOf(path);
  if (auto* error = std::get_if<Refusal>(&bytes)) return Fail(kBadInput, Words(*error));
  auto tunes = TunesOf(std::get<std::string>(bytes), path);
  if (tunes.empty()) {
    auto read = merin::formats::ReadAny(std::get<std::string>(bytes), NameOf(path));
    if (auto* error = std::get_if<Refusal>(&read)) return Fail(kBadInput, Words(*error));
    std::cout << "1: " << std::get<Imported>(read).title << "\n";
    return 0;
  }
  for (size_t i = 0; i < tunes.size(); ++i) {
    const auto& tune = tunes[i];
    std::cout << i + 1 << ": " << tune.title
              << (tune.refusal ? ": " + Words(*tune.refusal)
                               : " (" + std::to_string(tune.notes) + " notes)")
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
  if (name.empty() || name.front() == '.') name.insert(0, "_");
  return name;
}

struct Options {
  std::vector<std::string> tokens;
  std::vector<std::string> inputs;
  std::optional<std::string> output;
  std::optional<std::string> format;
  ReadOptions read;
  bool tunes = false;
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
                const std::vector<std::string>& inputs, const ReadOptions& options) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return Fail(kCannotWrite, "cannot make the folder " + folder + ": " + error.message());
  struct Job {
    std::string target;
    Imported melody;
    std::optional<Refusal> failure;
  };
  std::vector<Job> jobs;
  bool badInput = false;
  std::map<std::string, std::string> written;  // target, from which input
  const auto add = [&](const std::string& input, const std::string& name,
                       std::variant<Imported, Refusal> read) {
    const std::string target = (std::filesystem::path(folder) / name).string() + "." + format;
    if (auto [it, fresh] = written.emplace(target, input); !fresh) {
      Say(input + ": not converted, " + target + " is already written from " + it->second);
      badInput = true;
    } else if (auto* e = std::get_if<Refusal>(&read)) {
      Say(Words(*e));
      badInput = true;
    } else {
      jobs.push_back({target, std::move(std::get<Imported>(read)), std::nullopt});
    }
  };
  for (const std::string& input : inputs) {
    const std::string stem = std::filesystem::path(input).stem().string();
    auto bytes = BytesOf(input);
    if (auto* e = std::get_if<Refusal>(&bytes)) {
      add(input, stem, std::move(*e));
      continue;
    }
    const std::string& text = std::get<std::string>(bytes);
    // A collection without --tune gives one file a tune.
    const auto tunes = options.tune == 0 ? TunesOf(text, input) : decltype(TunesOf(text, input)){};
    for (size_t i = 0; i < tunes.size(); ++i) {
      ReadOptions one = options;
      one.tune = i + 1;
      add(input, FileNameOf(tunes[i].title), ReadMelody(text, input, one));
    }
    if (tunes.empty()) add(input, stem, ReadMelody(text, input, options));
  }

  std::atomic<size_t> next{0};
  const auto write = [&] {
    for (size_t i; (i = next++) < jobs.size();) {
      jobs[i].failure = merin::formats::WriteAs(jobs[i].melody.codes, format, Da::AppFolder,
                                                jobs[i].target, jobs[i].melody.title);
    }
  };
  std::vector<std::thread> writers;
  for (size_t n = 1; n < std::min(jobs.size(), kWriters); ++n) writers.emplace_back(write);
  write();
  for (std::thread& t : writers) t.join();

  bool cannotWrite = false;
  for (const Job& job : jobs) {
    if (job.failure) {
      Say(Words(*job.failure));
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
    const std::string where = "argument " + std::to_string(i + 1) + " \"" + arg + "\": ";
    if (arg == "--help") {
      std::cout << Usage();
      return 0;
    }
    if (arg == "--version") {
      std::cout << "merinkast98-keys " MERIN_VERSION "\n";
      return 0;
    }
    if (arg == "--tunes") {
      options.tunes = true;
      continue;
    }
    if (arg == "--tune" || arg.starts_with("--tune=")) {
      std::string value;
      if (arg == "--tune") {
        if (i + 1 == args.size()) return Fail(kBadInput, where + "needs a value (try --help)");
        value = args[++i];
      } else {
        value = arg.substr(7);
      }
      if (value.empty() || value.size() > 9 ||
          value.find_first_not_of("0123456789") != std::string::npos || std::stoul(value) == 0) {
        return Fail(kBadInput, where + "the tune is a number from 1 (try --help)");
      }
      options.read.tune = std::stoul(value);
      continue;
    }
    if (arg == "-i" || arg == "-o" || arg == "-f") {
      if (i + 1 == args.size()) return Fail(kBadInput, where + "needs a value (try --help)");
      const std::string& value = args[++i];
      if (arg == "-i") options.inputs.push_back(value);
      if ((arg == "-o" && options.output) || (arg == "-f" && options.format)) {
        return Fail(kBadInput, where + "given twice");
      }
      if (arg == "-o") options.output = value;
      if (arg == "-f") options.format = Lower(value);
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      return Fail(kBadInput, where + "unknown option (try --help)");
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
    return Fail(kBadInput, "tokens and -i cannot be given together (try --help)");
  }

  if (options.tunes) {
    if (!options.tokens.empty() || options.inputs.size() > 1 || options.output) {
      return Fail(kBadInput, "--tunes lists the tunes of one input (try --help)");
    }
    return ListTunes(options.inputs.empty() ? "-" : options.inputs.front());
  }
  if (toFolder != options.format.has_value()) {
    return Fail(kBadInput, toFolder ? "-o " + *options.output + " needs -f FORMAT (try --help)"
                                    : "-f goes with -o DIR/ (try --help)");
  }
  std::string format;
  if (options.output) {
    format = options.format.value_or(merin::formats::ExtensionOf(*options.output));
    if (format.empty()) {
      Refusal refusal{merin::formats::Fault::NoExtension, *options.output};
      refusal.text = merin::formats::WritableList();
      return Fail(kCannotWrite, Words(refusal));
    }
    if (auto refusal = merin::formats::CannotWriteAs(format, *options.output))
      return Fail(kCannotWrite, Words(*refusal));
    // Audio is made of the wave files in the program's own folder.
    if (merin::formats::FormatOfExtension(format)->audio) Da::InitAppFolder();
  }
  if (toFolder) {
    if (options.inputs.empty()) return Fail(kBadInput, "-o DIR/ needs input files (try --help)");
    if (std::find(options.inputs.begin(), options.inputs.end(), "-") != options.inputs.end()) {
      return Fail(kBadInput, "-o DIR/ needs files named by -i; standard input has no name");
    }
    return ConvertInto(*options.output, format, options.inputs, options.read);
  }
  if (options.inputs.size() > 1) {
    return Fail(kBadInput, "several -i need -o DIR/ -f FORMAT (try --help)");
  }

  Codes codes;
  std::string title;
  if (!options.tokens.empty()) {
    auto parsed = merin::ParseMelodyText(options.tokens);
    if (auto* error = std::get_if<merin::MelodyTextError>(&parsed)) {
      return Fail(kBadInput, error->Message());
    }
    codes = std::get<0>(parsed);
  } else {
    auto read = ReadMelody(options.inputs.empty() ? "-" : options.inputs.front(), options.read);
    if (auto* error = std::get_if<Refusal>(&read)) return Fail(kBadInput, Words(*error));
    codes = std::get<Imported>(read).codes;
    title = std::get<Imported>(read).title;
  }

  if (options.output) {
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
  return std::fflush(stdout) == 0 ? 0 : Fail(kCannotWrite, "cannot write standard output");
}
