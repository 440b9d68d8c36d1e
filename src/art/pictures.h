#pragma once

#include <QImage>

namespace merin::art {

// Pixel rows of the five staff lines in a staff picture.
inline constexpr int kStaffLineRows[5] = {38, 49, 60, 71, 82};
inline constexpr int kStaffWidth = 21, kStaffHeight = 111;

// The empty staff: 21 x 111, 8 bits per pixel with a palette, white with five black lines.
QImage StaffPicture();

// The faces of the keys: 40 x 150, 8 bits per pixel, all white / all black.
QImage WhiteKeyPicture();
QImage BlackKeyPicture();

// The window icon drawn at `size` x `size` pixels (32 is the classic 16-colour icon).
QImage WindowIcon(int size = 32);

}  // namespace merin::art
