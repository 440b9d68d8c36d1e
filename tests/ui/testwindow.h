#pragma once

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "core/da.h"
#include "support/recorders.h"
#include "ui/merinmain.h"

namespace merin::testing {

// Every picture file a handler can ask for, each a different colour so a cell shows which it
// loaded.
inline const char* const kPictureNames[] = {
    "11.bmp", "12.bmp", "13.bmp", "14.bmp", "21.bmp", "22.bmp", "23.bmp", "24.bmp",   "31.bmp",
    "32.bmp", "41.bmp", "42.bmp", "43.bmp", "44.bmp", "51.bmp", "52.bmp", "53.bmp",   "54.bmp",
    "61.bmp", "62.bmp", "63.bmp", "64.bmp", "71.bmp", "72.bmp", "01.bmp", "gosen.bmp"};

inline QColor PictureColour(const QString& name) {
  const uint h = qHash(name);
  return QColor(int(h & 0xFF), int((h >> 8) & 0xFF), int((h >> 16) & 0xFF));
}

// A main window after its load handler, whose program folder is a fresh folder of pictures.
class TestWindow {
 public:
  explicit TestWindow(SoundDevice* sound = nullptr) : sound_(sound ? *sound : recorder) {
    for (const char* name : kPictureNames) {
      QImage picture(21, 111, QImage::Format_RGB32);
      picture.fill(PictureColour(name));
      picture.save(folder.filePath(name), "BMP");
    }
    window = std::make_unique<ui::MerinMain>(sound_);
    window->load();
    Da::AppFolder = QDir(folder.path()).absolutePath().toStdString() + "/";
    window->show();
    exposed = QTest::qWaitForWindowExposed(window.get());
  }

  template <class W = QWidget>
  W* find(const QString& name) const {
    return window->findChild<W*>(name);
  }
  std::string path(const char* name) const { return Da::AppFolder + name; }

  RecordingSound recorder;
  QTemporaryDir folder;
  std::unique_ptr<ui::MerinMain> window;
  bool exposed = false;

 private:
  SoundDevice& sound_;
};

}  // namespace merin::testing
