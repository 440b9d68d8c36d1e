// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <string_view>

#include "core/pitch.h"

namespace merin::art {

// Pixel rows of the five staff lines in a staff picture.
inline constexpr int kStaffLineRows[5] = {38, 49, 60, 71, 82};
inline constexpr int kStaffWidth = 21, kStaffHeight = 111;

// The empty staff: 21 x 111, 8 bits per pixel with a palette, white with five black lines.
QImage StaffPicture();

// The staff with the note of `code` (one of NoteCodes()) on it, in the staff picture's format.
// Throws std::invalid_argument for any other code.
QImage NotePicture(std::string_view code);

// The staff with a quarter rest on it, in the staff picture's format.
QImage RestPicture();

// The faces of the keys: 40 x 150, 8 bits per pixel, all white / all black.
QImage WhiteKeyPicture();
QImage BlackKeyPicture();

// The window icon drawn at `size` x `size` pixels in the 16 colours of the classic icon; other
// sizes are drawn afresh from the same shapes, not scaled.
QImage WindowIcon(int size = 32);

}  // namespace merin::art
