// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "core/da.h"
#include "core/programfiles.h"
#include "support/programfolder.h"
#include "support/recorders.h"
#include "ui/merinmain.h"

namespace merin::test {

// The colour of the test's picture file `name`: each a different colour, so a cell shows which
// picture it loaded.
inline QColor PictureColour(const QString& name) {
  const uint h = qHash(name);
  return QColor(int(h & 0xFF), int((h >> 8) & 0xFF), int((h >> 16) & 0xFF));
}

// A main window after its load handler, whose program folder is a fresh folder holding every
// picture of the program's folder, each in its own colour.
class TestWindow {
 public:
  explicit TestWindow(SoundDevice* sound = nullptr) : sound_(sound ? *sound : recorder) {
    for (const std::string& name : ProgramPictures()) {
      const QString file = QString::fromStdString(name);
      QImage picture(21, 111, QImage::Format_RGB32);
      picture.fill(PictureColour(file));
      picture.save(folder.filePath(file), "BMP");
    }
    window = std::make_unique<ui::MerinMain>(sound_);
    window->load();
    window->show();
    exposed = QTest::qWaitForWindowExposed(window.get());
  }

  template <class W = QWidget>
  W* find(const QString& name) const {
    return window->findChild<W*>(name);
  }
  std::string path(const char* name) const { return Da::PathOf(name); }

  RecordingSound recorder;
  QTemporaryDir folder;
  ScopedProgramFolder programFolder{QDir(folder.path()).absolutePath().toStdString()};
  std::unique_ptr<ui::MerinMain> window;
  bool exposed = false;

 private:
  SoundDevice& sound_;
};

// Polls until `act` reports it has dealt with the window it waits for (a modal window that the
// action under test opens), for at most five seconds.
inline void WhenShown(std::function<bool()> act) {
  auto* timer = new QTimer(qApp);
  auto deadline = std::make_shared<int>(250);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act, deadline] {
    if (act() || --*deadline == 0) timer->deleteLater();
  });
  timer->start(20);
}

}  // namespace merin::test
