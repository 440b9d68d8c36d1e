// merinkast98-keys: converts a melody given as note codes or pitch names into the handset key
// presses that type it in, one line per slot, exactly as the program's convert button lists them.
#include <cstdio>
#include <iostream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "output/convert.h"
#include "output/melodytext.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr const char* kUsage =
    "Usage: merinkast98-keys [TOKEN]...\n"
    "Prints the handset key presses that type a melody of up to 30 slots, one line per slot\n"
    "(lines end in CR LF). Without arguments the tokens are read from standard input.\n"
    "\n"
    "A token is a note code (11..72, 01 for a rest, 99 for an empty slot) or a pitch name:\n"
    "C4..B5, with # for a sharp (C#4), r for a rest, - for an empty slot. Missing slots are empty.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "Exit status: 0 on success, 2 on bad input.\n";

int Fail(const std::string& message) {
  std::cerr << "merinkast98-keys: " << message << '\n';
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> tokens(argv + 1, argv + argc);
  for (size_t i = 0; i < tokens.size(); ++i) {
    const std::string& arg = tokens[i];
    if (arg == "--help") {
      std::cout << kUsage;
      return 0;
    }
    if (arg == "--version") {
      std::cout << "merinkast98-keys " MERIN_VERSION "\n";
      return 0;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      return Fail("argument " + std::to_string(i + 1) + " \"" + arg +
                  "\": unknown option (try --help)");
    }
  }
  if (tokens.empty()) {
    const std::string input{std::istreambuf_iterator<char>(std::cin), {}};
    if (std::cin.bad()) return Fail("cannot read standard input");
    tokens = merin::SplitTokens(input);
  }

  auto parsed = merin::ParseMelodyText(tokens);
  if (auto* error = std::get_if<merin::MelodyTextError>(&parsed)) return Fail(error->Message());
  const std::string listing = merin::ConvertMelody(std::get<0>(parsed));

#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : Fail("cannot write standard output");
}
