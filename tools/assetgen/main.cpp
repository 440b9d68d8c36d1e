// SPDX-License-Identifier: MIT
// Writes the picture and sound files of the program's folder, the icon in the hicolor sizes and
// the list of the files written; on request an enlarged contact sheet of all pictures.
#include <sndfile.h>

#include <QImage>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "art/pictures.h"
#include "art/tone.h"
#include "core/notecode.h"
#include "core/pitch.h"
#include "core/programfiles.h"

namespace {

namespace fs = std::filesystem;
using merin::kHicolorIconSizes;
using merin::NoteCodes;

void SavePicture(const QImage& image, const fs::path& path, const char* format) {
  if (!image.save(QString::fromStdString(path.string()), format)) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

void SaveSound(const std::vector<int16_t>& samples, const fs::path& path) {
  SF_INFO info{};
  info.samplerate = merin::art::kSampleRate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file)
    throw std::runtime_error("cannot write " + path.string() + ": " + sf_strerror(nullptr));
  const sf_count_t written =
      sf_write_short(file, samples.data(), static_cast<sf_count_t>(samples.size()));
  const int closed = sf_close(file);
  if (written != static_cast<sf_count_t>(samples.size()) || closed != 0) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

// The drawing of one picture file of the program's folder.
QImage PictureNamed(const std::string& name) {
  if (name == merin::kEmptyPicture) return merin::art::StaffPicture();
  if (name == merin::PictureFileOf(merin::kRestCode)) return merin::art::RestPicture();
  for (const std::string& code : NoteCodes()) {
    if (name == merin::PictureFileOf(code)) return merin::art::NotePicture(code);
  }
  throw std::runtime_error("nothing draws " + name);
}

// The samples of one sound file of the program's folder.
std::vector<int16_t> SoundNamed(const std::string& name) {
  if (name == merin::kOpeningSound) return merin::art::OpeningJingle();
  if (name == merin::kClosingSound) return merin::art::ClosingJingle();
  if (name == merin::WaveFileOf(merin::kRestCode)) return merin::art::RestSound();
  for (const std::string& code : NoteCodes()) {
    if (name == merin::WaveFileOf(code)) return merin::art::NoteSound(code);
  }
  throw std::runtime_error("nothing sounds as " + name);
}

// Every file of merin::ProgramFiles(), then `list` naming them one a line; the list is written
// last, through a temporary beside it, so that it exists only when every file does.
void WriteProgramFiles(const fs::path& folder, const fs::path& list) {
  fs::create_directories(folder);
  for (const std::string& name : merin::ProgramPictures()) {
    SavePicture(PictureNamed(name), folder / name, "BMP");
  }
  for (const std::string& name : merin::ProgramSounds()) SaveSound(SoundNamed(name), folder / name);
  const fs::path temporary = list.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::trunc);
    for (const std::string& name : merin::ProgramFiles()) out << name << '\n';
    if (!out.flush()) throw std::runtime_error("cannot write " + temporary.string());
  }
  fs::rename(temporary, list);
}

void WriteIcons(const fs::path& hicolor) {
  for (int size : kHicolorIconSizes) {
    const std::string dimension = std::to_string(size) + "x" + std::to_string(size);
    const fs::path folder = hicolor / dimension / "apps";
    fs::create_directories(folder);
    SavePicture(merin::art::WindowIcon(size), folder / "merinkast98.png", "PNG");
  }
}

// The 26 pictures side by side as on the staff, then the icon at every size, all enlarged.
void WriteSheet(const fs::path& path) {
  constexpr int kZoom = 3, kGap = 8;
  std::vector<QImage> cells;
  cells.push_back(merin::art::StaffPicture());
  cells.push_back(merin::art::RestPicture());
  for (std::string_view code : NoteCodes()) cells.push_back(merin::art::NotePicture(code));
  const int stripWidth = static_cast<int>(cells.size()) * (merin::art::kStaffWidth - 1) + 1;
  int iconsWidth = 0;
  for (int size : kHicolorIconSizes) iconsWidth += size * 2 + kGap;
  QImage sheet(std::max(stripWidth * kZoom, iconsWidth) + 2 * kGap,
               merin::art::kStaffHeight * kZoom + 512 + 3 * kGap, QImage::Format_RGB32);
  sheet.fill(QColor(224, 224, 224));
  QPainter p(&sheet);
  for (size_t i = 0; i < cells.size(); ++i) {
    const QImage& cell = cells[i];
    const int x = kGap + static_cast<int>(i) * (merin::art::kStaffWidth - 1) * kZoom;
    p.drawImage(QRect(x, kGap, cell.width() * kZoom, cell.height() * kZoom), cell);
  }
  int x = kGap;
  const int y = 2 * kGap + merin::art::kStaffHeight * kZoom;
  for (int size : kHicolorIconSizes) {
    p.drawImage(QRect(x, y, size * 2, size * 2), merin::art::WindowIcon(size));
    x += size * 2 + kGap;
  }
  p.end();
  SavePicture(sheet, path, "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string usage =
      "usage: merinkast98-assetgen PROGRAM-FOLDER HICOLOR-FOLDER LIST-FILE\n"
      "       merinkast98-assetgen --sheet FILE.png\n";
  try {
    if (argc == 3 && std::string(argv[1]) == "--sheet") {
      WriteSheet(argv[2]);
    } else if (argc == 4) {
      WriteIcons(argv[2]);
      WriteProgramFiles(argv[1], argv[3]);
    } else {
      std::fputs(usage.c_str(), stderr);
      return 2;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "merinkast98-assetgen: %s\n", e.what());
    return 1;
  }
  return 0;
}
