// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <string>

namespace merin::art {

// Reads the picture file at `path` as it is, to be shown in a staff cell. Throws
// merin::PictureLoadError naming the file when it is missing, unreadable, not a picture, or ends
// before its picture does (Qt would read a bitmap cut short as a whole picture with rows of
// garbage).
QImage LoadPicture(const std::string& path);

}  // namespace merin::art
