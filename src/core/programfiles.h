// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace merin {

// The inventory of the files the program reads besides its binaries, the one list that drawing
// them, installing them and the tests go by.

// The sounds played at start-up and on closing.
inline constexpr std::string_view kOpeningSound = "open.wav";
inline constexpr std::string_view kClosingSound = "close.wav";

// Every picture and sound file of the program's folder: the note pictures in NoteCodes() order,
// the rest and the empty staff; then the note sounds in the same order, the rest, the opening and
// the closing sound.
const std::vector<std::string>& ProgramFiles();
// The pictures (".bmp") of ProgramFiles(), in its order.
std::vector<std::string> ProgramPictures();
// The sounds (".wav") of ProgramFiles(), in its order.
std::vector<std::string> ProgramSounds();

// The sizes of the icon files installed in the hicolor theme.
inline constexpr std::array<int, 5> kHicolorIconSizes = {32, 48, 64, 128, 256};
// The sizes the main window draws its icon in.
inline constexpr std::array<int, 5> kWindowIconSizes = {16, 24, 32, 48, 64};

}  // namespace merin
