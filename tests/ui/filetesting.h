// SPDX-License-Identifier: MIT
#pragma once

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <array>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "formats/imported.h"
#include "support/testwindow.h"
#include "ui/melodyfiles.h"
#include "ui/melodykeeper.h"
#include "ui/recentfiles.h"
#include "ui/staffcell.h"

// Strings of Qt in GoogleTest's messages.
inline std::ostream& operator<<(std::ostream& os, const QString& s) {
  return os << s.toStdString();
}

namespace merin::test {

inline const QString kCaption = QStringLiteral("Merinkast98   - DoCoMo携帯 作曲支援 -");

// Message boxes that a step opens, read and closed with a click on their OK button.
class MessageBoxes {
 public:
  struct Seen {
    QString name, title, text;
  };

  MessageBoxes() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      seen.push_back({box->objectName(), box->windowTitle(), box->text()});
      QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    timer_.start(20);
  }
  // The names of the boxes seen, in order.
  std::vector<QString> Names() const {
    std::vector<QString> names;
    for (const Seen& s : seen) names.push_back(s.name);
    return names;
  }

  std::vector<Seen> seen;

 private:
  QTimer timer_;
};

// A window ready for melody files: its own settings and data folders, an empty recent list,
// the dialogs answered by the test.
class FilesWindow : public TestWindow {
 public:
  FilesWindow() {
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    ui::RecentFiles::clear();
    files().openDialog = [this](QWidget*, const QString& caption, const QString& start,
                                const QString& filters) {
      asked.push_back({caption, start, filters, {}});
      return openAnswer;
    };
    files().saveDialog = [this](QWidget*, const QString& caption, const QString& start,
                                const QString& filters, QString* chosen) {
      asked.push_back({caption, start, filters, chosen ? *chosen : QString()});
      if (chosen && !chosenAnswer.isEmpty()) *chosen = chosenAnswer;
      return saveAnswer;
    };
    window->activateWindow();
    active = QTest::qWaitForWindowActive(window.get());
  }

  struct Asked {
    QString caption, start, filters, offered;
  };

  ui::MelodyFiles& files() const { return window->files(); }
  // A file in the test's own folder.
  QString File(const QString& name) const { return work.filePath(name); }
  QString Write(const QString& name, const QByteArray& bytes) const {
    QFile file(File(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
      ADD_FAILURE() << "cannot write " << name.toStdString();
    }
    return File(name);
  }
  static QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
  }
  // A key press as the user makes it on the window (active again after a message box).
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) const {
    if (!window->isActiveWindow()) {
      window->activateWindow();
      if (!QTest::qWaitForWindowActive(window.get())) ADD_FAILURE() << "the window is not active";
    }
    QTest::keyClick(window.get(), key, modifiers);
  }

  SlotCodes Codes() const {
    SlotCodes codes;
    std::copy_n(window->melody().Notes.begin(), codes.size(), codes.begin());
    return codes;
  }
  // The caption as the window system shows it (the modified mark resolved).
  QString Shown() const { return window->windowHandle()->title(); }
  std::string Status() const {
    return find<QStatusBar>("StatusBar1")->findChild<QLabel*>()->text().toStdString();
  }
  QColor Cell(int slot) const {
    return find<ui::StaffCell>("Gosen" + QString::number(slot))->picture().pixelColor(10, 40);
  }

  // Opens `menu` on the menu bar with a click, then clicks its item `item` (an object name); a
  // submenu item is reached through `submenu`.
  bool ClickMenu(const char* menu, const char* item, const char* submenu = nullptr) const {
    auto* bar = window->menuBar();
    auto* popup = bar->findChild<QMenu*>(menu);
    if (!popup) return false;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(popup->menuAction()).center());
    if (!QTest::qWaitFor([&] { return popup->isVisible(); }, 2000)) return false;
    if (submenu) {
      auto* sub = popup->findChild<QMenu*>(submenu);
      if (!sub) return false;
      QTest::mouseClick(popup, Qt::LeftButton, {},
                        popup->actionGeometry(sub->menuAction()).center());
      if (!QTest::qWaitFor([&] { return sub->isVisible(); }, 2000)) return false;
      popup = sub;
    }
    QAction* action = popup->findChild<QAction*>(item);
    if (!action || !action->isEnabled()) {
      if (popup->isVisible()) QTest::keyClick(popup, Qt::Key_Escape);
      bar->findChild<QMenu*>(menu)->close();
      return false;
    }
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(action).center());
    return true;
  }

  QTemporaryDir data, work;
  QString openAnswer, saveAnswer, chosenAnswer;
  std::vector<Asked> asked;
  bool active = false;
};

inline SlotCodes MakeCodes(std::vector<std::string> first) {
  SlotCodes codes;
  codes.fill("99");
  for (size_t i = 0; i < first.size(); ++i) codes[i] = first[i];
  return codes;
}

}  // namespace merin::test
