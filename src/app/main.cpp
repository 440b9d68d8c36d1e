// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/coretexts.h"
#include "core/terminalanswer.h"
#include "sound/portaudiodevice.h"
#include "ui/languageswitch.h"
#include "ui/melodyfiles.h"
#include "ui/merinmain.h"
#include "ui/terminationwatcher.h"

// merinkast98 [--lang ja|en] [FILE]: the main window, in the language of --lang for this run or
// else the one kept in the settings; FILE (a melody file or an RTTTL tune) is opened once
// start-up, with its opening sound, is done. --help and --version answer on the terminal, with
// no window and no display needed.
int main(int argc, char* argv[]) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const auto answer = merin::TerminalAnswer(
      args, merin::LocaleLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                  std::getenv("LANG")));
  if (answer) {
    std::fputs(answer->c_str(), stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
  }
  // Past a file-size limit a save fails with "file too large" instead of killing the window.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  merin::Language language = merin::ui::SavedLanguage();
  if (const qsizetype at = arguments.indexOf(QStringLiteral("--lang")); at > 0) {
    const auto named = merin::ui::LanguageNamed(arguments.value(at + 1));
    if (named) {
      language = *named;
    } else {
      const std::string line =
          "merinkast98: " + merin::Words(merin::CoreText("program.lang-values"), language) + "\n";
      std::fputs(line.c_str(), stderr);
    }
  }
  merin::ui::UseLanguage(language);
  merin::ui::TerminationWatcher termination;
  merin::PortAudioDevice sound(merin::ui::CurrentLanguage);
  merin::ui::MerinMain window(sound);
  // SIGTERM and the like end the program as 終了 does, the melody kept first.
  QObject::connect(&termination, &merin::ui::TerminationWatcher::terminationRequested, &window,
                   [&window] {
                     window.files().keepMelodyNow();
                     QCoreApplication::exit(0);
                   });
  window.load();
  window.show();
  // The file is named by argv's own bytes: decoded into text, a name that is not UTF-8 would
  // name no file.
  std::string file;
  for (int i = 1; i < argc && file.empty(); ++i) {
    if (std::string_view(argv[i]) == "--lang") {
      ++i;
    } else {
      file = argv[i];
    }
  }
  if (!file.empty()) {
    QTimer::singleShot(0, &window, [&window, file] { window.files().openLocal(file); });
  }
  return app.exec();
}
