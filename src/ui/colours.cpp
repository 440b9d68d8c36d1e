// SPDX-License-Identifier: MIT
#include "ui/colours.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>
#include <utility>

namespace merin::ui {

namespace {

constexpr uint32_t kSystemFlag = 0x80000000u;

// System colour numbers and the palette roles that play their part on this platform.
constexpr std::array<std::pair<uint32_t, QPalette::ColorRole>, 9> kSystemColours = {{
    {4, QPalette::Window},           // menu background
    {5, QPalette::Base},             // window background
    {6, QPalette::Shadow},           // window frame
    {7, QPalette::WindowText},       // menu text
    {8, QPalette::Text},             // window text
    {9, QPalette::HighlightedText},  // caption text: white in the standard scheme
    {13, QPalette::Highlight},       // selection
    {15, QPalette::Button},          // button face
    {18, QPalette::ButtonText},      // button text
}};

}  // namespace

QColor ColourOf(uint32_t value) {
  if ((value & kSystemFlag) == 0) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
  }
  const uint32_t number = value & 0xFF;
  const QPalette palette = QGuiApplication::palette();
  for (const auto& [n, role] : kSystemColours) {
    if (n == number) return palette.color(QPalette::Active, role);
  }
  return palette.color(QPalette::Active, QPalette::Window);
}

}  // namespace merin::ui
