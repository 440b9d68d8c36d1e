// SPDX-License-Identifier: MIT
// merinkast98-keys: converts a melody given as note codes or pitch names, a melody file or a tune
// of another format into the handset key presses that type it in, one line per slot, exactly as
// the program's convert button lists them; or writes it in another format (see cli/).
#include <csignal>
#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/console.h"
#include "cli/converter.h"
#include "cli/keyswords.h"

int main(int argc, char** argv) {
  // Past a file-size limit a write fails with "file too large" instead of killing the program.
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const int status = merin::cli::RunConverter(args);
  // Whatever went to standard output, the help and listings included, must have reached it.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    merin::cli::Say(merin::cli::Said(merin::keys::KeysText("keys.cannot-write-output")));
    return status == 0 ? merin::cli::kCannotWrite : status;
  }
  return status;
}
