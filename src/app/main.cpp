// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QTimer>

#include "sound/portaudiodevice.h"
#include "ui/melodyfiles.h"
#include "ui/merinmain.h"
#include "ui/terminationwatcher.h"

// merinkast98 [FILE]: the main window; FILE (a melody file or an RTTTL tune) is opened once
// start-up, with its opening sound, is done.
int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  merin::ui::TerminationWatcher termination;
  merin::PortAudioDevice sound;
  merin::ui::MerinMain window(sound);
  // SIGTERM and the like end the program as 終了 does, the melody kept first.
  QObject::connect(&termination, &merin::ui::TerminationWatcher::terminationRequested, &window,
                   [&window] {
                     window.files().keepMelodyNow();
                     QCoreApplication::exit(0);
                   });
  window.load();
  window.show();
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() > 1) {
    const QString file = arguments.at(1);
    QTimer::singleShot(0, &window, [&window, file] { window.files().open(file); });
  }
  return app.exec();
}
