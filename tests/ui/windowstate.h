// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <array>
#include <map>
#include <ostream>
#include <string>

#include "art/pictures.h"
#include "support/testwindow.h"
#include "ui/colours.h"
#include "ui/positionmarker.h"
#include "ui/staffcell.h"

namespace merin::test {

// Everything the main window shows and holds of the melody: the slot codes, the cursor, the
// picture each cell shows (as the code whose picture it is), each marker's colour and the status
// text.
struct WindowState {
  std::array<std::string, 30> codes;
  int32_t cursor = 0;
  std::array<std::string, 30> shown;
  std::array<uint32_t, 30> markers{};  // as layout colours: 255 red, 0x80000009 the others
  std::string status;
  friend bool operator==(const WindowState&, const WindowState&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const WindowState& s) {
  out << "cursor " << s.cursor << ", status \"" << s.status << "\"\n  codes";
  for (const std::string& c : s.codes) out << ' ' << c;
  out << "\n  shown";
  for (const std::string& c : s.shown) out << ' ' << c;
  out << "\n  red markers";
  for (int i = 0; i < 30; ++i) {
    if (s.markers[size_t(i)] == 255u) out << ' ' << i;
  }
  return out;
}

// Reads a TestWindow's state. A cell's picture is recognised by one pixel: each picture file has
// a colour of its own, and the staff a cell starts with counts as the empty slot's picture.
class StateReader {
 public:
  explicit StateReader(const TestWindow& t) : window_(*t.window) {
    for (int i = 0; i < 30; ++i) {
      cells_[size_t(i)] = t.find<ui::StaffCell>("Gosen" + QString::number(i));
      markers_[size_t(i)] = t.find<ui::PositionMarker>("np" + QString::number(i));
    }
    status_ = t.find<QStatusBar>("StatusBar1")->findChild<QLabel*>();
    for (const std::string& name : ProgramPictures()) {
      const std::string code = name == "gosen.bmp" ? "99" : name.substr(0, 2);
      codeOf_[PictureColour(QString::fromStdString(name)).rgb()] = code;
    }
    codeOf_[art::StaffPicture().pixelColor(10, 40).rgb()] = "99";
  }

  WindowState Read() const {
    WindowState s;
    const Melody& melody = window_.melody();
    for (size_t i = 0; i < 30; ++i) {
      s.codes[i] = melody.Notes[i];
      const auto code = codeOf_.find(cells_[i]->picture().pixelColor(10, 40).rgb());
      s.shown[i] = code == codeOf_.end() ? "?" : code->second;
      const QColor marker = markers_[i]->colour();
      s.markers[i] = marker == ui::ColourOf(255)          ? 255u
                     : marker == ui::ColourOf(0x80000009) ? 0x80000009u
                                                          : 0u;
    }
    s.cursor = melody.Cursor;
    s.status = status_->text().toStdString();
    return s;
  }

  // The state is one consistent melody: each cell shows its slot's picture, only the current
  // slot's marker is red, the status names the current slot. Empty when it is, else what is not.
  std::string Inconsistency(const WindowState& s) const {
    if (s.cursor < 0 || s.cursor >= 30) return "cursor " + std::to_string(s.cursor);
    for (int i = 0; i < 30; ++i) {
      if (s.shown[size_t(i)] != s.codes[size_t(i)]) {
        return "cell " + std::to_string(i) + " shows " + s.shown[size_t(i)] + " for " +
               s.codes[size_t(i)];
      }
      if (s.markers[size_t(i)] != (i == s.cursor ? 255u : 0x80000009u)) {
        return "marker " + std::to_string(i);
      }
    }
    if (window_.melody().Notes[30] != "") return "entry 30 is not empty";
    if (s.status != "NOTE:" + std::to_string(s.cursor + 1)) return "status " + s.status;
    return {};
  }

 private:
  const ui::MerinMain& window_;
  std::array<ui::StaffCell*, 30> cells_{};
  std::array<ui::PositionMarker*, 30> markers_{};
  QLabel* status_ = nullptr;
  std::map<QRgb, std::string> codeOf_;
};

}  // namespace merin::test
