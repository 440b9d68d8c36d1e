#include <QApplication>

#include "sound/portaudiodevice.h"
#include "ui/merinmain.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  merin::PortAudioDevice sound;
  merin::ui::MerinMain window(sound);
  window.load();
  window.show();
  return app.exec();
}
