// SPDX-License-Identifier: MIT
#include "entry/mainlayout.h"

#include <algorithm>

namespace merin {

using K = ControlKind;

// name, kind, index, x, y, width, height
const std::array<ControlPlacement, kControlCount> kMainLayout = {{
    {"ken0", K::kWhiteKey, 0, 70, 170, 31, 131},
    {"ken1", K::kWhiteKey, 1, 100, 170, 31, 131},
    {"ken2", K::kWhiteKey, 2, 130, 170, 31, 131},
    {"ken3", K::kWhiteKey, 3, 160, 170, 31, 131},
    {"ken4", K::kWhiteKey, 4, 190, 170, 31, 131},
    {"ken5", K::kWhiteKey, 5, 220, 170, 31, 131},
    {"ken6", K::kWhiteKey, 6, 250, 170, 31, 131},
    {"ken7", K::kWhiteKey, 7, 280, 170, 31, 131},
    {"ken8", K::kWhiteKey, 8, 310, 170, 31, 131},
    {"ken9", K::kWhiteKey, 9, 340, 170, 31, 131},
    {"ken10", K::kWhiteKey, 10, 370, 170, 31, 131},
    {"ken11", K::kWhiteKey, 11, 400, 170, 31, 131},
    {"ken12", K::kWhiteKey, 12, 430, 170, 31, 131},
    {"ken13", K::kWhiteKey, 13, 460, 170, 31, 131},
    {"bkey0", K::kBlackKey, 0, 90, 170, 21, 91},
    {"bkey1", K::kBlackKey, 1, 120, 170, 21, 91},
    {"bkey2", K::kBlackKey, 2, 180, 170, 21, 91},
    {"bkey3", K::kBlackKey, 3, 210, 170, 21, 91},
    {"bkey4", K::kBlackKey, 4, 240, 170, 21, 91},
    {"bkey5", K::kBlackKey, 5, 300, 170, 21, 91},
    {"bkey6", K::kBlackKey, 6, 330, 170, 21, 91},
    {"bkey7", K::kBlackKey, 7, 390, 170, 21, 91},
    {"bkey8", K::kBlackKey, 8, 420, 170, 21, 91},
    {"bkey9", K::kBlackKey, 9, 450, 170, 21, 91},
    {"Gosen0", K::kStaffCell, 0, 10, 10, 21, 111},
    {"PedalSW", K::kRestPedal, 0, 220, 310, 121, 21},
    {"Gosen1", K::kStaffCell, 1, 30, 10, 21, 111},
    {"Gosen2", K::kStaffCell, 2, 50, 10, 21, 111},
    {"Gosen3", K::kStaffCell, 3, 70, 10, 21, 111},
    {"Gosen4", K::kStaffCell, 4, 90, 10, 21, 111},
    {"Gosen5", K::kStaffCell, 5, 110, 10, 21, 111},
    {"Gosen6", K::kStaffCell, 6, 130, 10, 21, 111},
    {"Gosen7", K::kStaffCell, 7, 150, 10, 21, 111},
    {"Gosen8", K::kStaffCell, 8, 170, 10, 21, 111},
    {"Gosen9", K::kStaffCell, 9, 190, 10, 21, 111},
    {"Gosen10", K::kStaffCell, 10, 210, 10, 21, 111},
    {"Gosen11", K::kStaffCell, 11, 230, 10, 21, 111},
    {"Gosen12", K::kStaffCell, 12, 250, 10, 21, 111},
    {"Gosen13", K::kStaffCell, 13, 270, 10, 21, 111},
    {"Gosen14", K::kStaffCell, 14, 290, 10, 21, 111},
    {"Gosen15", K::kStaffCell, 15, 310, 10, 21, 111},
    {"Gosen16", K::kStaffCell, 16, 330, 10, 21, 111},
    {"Gosen17", K::kStaffCell, 17, 350, 10, 21, 111},
    {"Gosen18", K::kStaffCell, 18, 370, 10, 21, 111},
    {"Gosen19", K::kStaffCell, 19, 390, 10, 21, 111},
    {"Gosen20", K::kStaffCell, 20, 410, 10, 21, 111},
    {"Gosen21", K::kStaffCell, 21, 430, 10, 21, 111},
    {"Gosen22", K::kStaffCell, 22, 450, 10, 21, 111},
    {"Gosen23", K::kStaffCell, 23, 470, 10, 21, 111},
    {"Gosen24", K::kStaffCell, 24, 490, 10, 21, 111},
    {"Gosen25", K::kStaffCell, 25, 510, 10, 21, 111},
    {"Gosen26", K::kStaffCell, 26, 530, 10, 21, 111},
    {"Gosen27", K::kStaffCell, 27, 550, 10, 21, 111},
    {"Gosen28", K::kStaffCell, 28, 570, 10, 21, 111},
    {"Gosen29", K::kStaffCell, 29, 590, 10, 21, 111},
    {"Command1", K::kConvertButton, 0, 500, 270, 111, 31},
    {"StatusBar1", K::kStatusBar, 0, 0, 355, 627, 21},
    {"np0", K::kMarker, 0, 10, 120, 21, 11},
    {"np1", K::kMarker, 1, 30, 120, 21, 11},
    {"np2", K::kMarker, 2, 50, 120, 21, 11},
    {"np3", K::kMarker, 3, 70, 120, 21, 11},
    {"np4", K::kMarker, 4, 90, 120, 21, 11},
    {"np5", K::kMarker, 5, 110, 120, 21, 11},
    {"np6", K::kMarker, 6, 130, 120, 21, 11},
    {"np7", K::kMarker, 7, 150, 120, 21, 11},
    {"np8", K::kMarker, 8, 170, 120, 21, 11},
    {"np9", K::kMarker, 9, 190, 120, 21, 11},
    {"np10", K::kMarker, 10, 210, 120, 21, 11},
    {"np11", K::kMarker, 11, 230, 120, 21, 11},
    {"np12", K::kMarker, 12, 250, 120, 21, 11},
    {"np13", K::kMarker, 13, 270, 120, 21, 11},
    {"np14", K::kMarker, 14, 290, 120, 21, 11},
    {"np15", K::kMarker, 15, 310, 120, 21, 11},
    {"np16", K::kMarker, 16, 330, 120, 21, 11},
    {"np17", K::kMarker, 17, 350, 120, 21, 11},
    {"np18", K::kMarker, 18, 370, 120, 21, 11},
    {"np19", K::kMarker, 19, 390, 120, 21, 11},
    {"np20", K::kMarker, 20, 410, 120, 21, 11},
    {"np21", K::kMarker, 21, 430, 120, 21, 11},
    {"np22", K::kMarker, 22, 450, 120, 21, 11},
    {"np23", K::kMarker, 23, 470, 120, 21, 11},
    {"np24", K::kMarker, 24, 490, 120, 21, 11},
    {"np25", K::kMarker, 25, 510, 120, 21, 11},
    {"np26", K::kMarker, 26, 530, 120, 21, 11},
    {"np27", K::kMarker, 27, 550, 120, 21, 11},
    {"np28", K::kMarker, 28, 570, 120, 21, 11},
    {"np29", K::kMarker, 29, 590, 120, 21, 11},
    {"MMControl1", K::kMultimedia, 0, 370, 310, 236, 31},
    {"Command2", K::kTestPlayButton, 0, 500, 170, 111, 31},
}};

FreeRows FreeRowsBelowStaff() {
  FreeRows rows{0, kClientHeight};
  for (const ControlPlacement& c : kMainLayout) {
    if (c.kind == ControlKind::kStaffCell || c.kind == ControlKind::kMarker) {
      rows.top = std::max(rows.top, c.y + c.height);
    } else if (c.kind != ControlKind::kMultimedia) {
      rows.bottom = std::min(rows.bottom, c.y);
    }
  }
  return rows;
}

}  // namespace merin
