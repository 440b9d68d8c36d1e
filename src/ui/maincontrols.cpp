// SPDX-License-Identifier: MIT
#include "ui/maincontrols.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <vector>

#include "art/pictures.h"
#include "core/notecode.h"
#include "entry/mainlayout.h"
#include "ui/colours.h"
#include "ui/keybutton.h"
#include "ui/positionmarker.h"
#include "ui/staffcell.h"

namespace merin::ui {

namespace {

constexpr uint32_t kWindowBackground = 0x80000005, kWindowText = 0x80000008;

}  // namespace

MainControls BuildControls(QWidget* client) {
  MainControls c;
  const QImage staff = art::StaffPicture();
  const QImage white = art::WhiteKeyPicture(), black = art::BlackKeyPicture();
  std::vector<QWidget*> laidOut;
  for (const ControlPlacement& p : kMainLayout) {
    const auto i = size_t(p.index);
    QWidget* w = nullptr;
    switch (p.kind) {
      case ControlKind::kStaffCell: {
        auto* cell = new StaffCell(client);
        cell->setColours(ColourOf(kWindowBackground), ColourOf(kWindowText));
        cell->setPicture(staff);
        w = c.gosen.at(i) = cell;
        break;
      }
      case ControlKind::kMarker: {
        auto* marker = new PositionMarker(client);
        marker->setColour(ColourOf(i == 0 ? kCurrentMarkerColour : kMarkerColour));
        w = c.np.at(i) = marker;
        break;
      }
      case ControlKind::kWhiteKey:
        w = c.ken.at(i) = new KeyButton(white, client);
        break;
      case ControlKind::kBlackKey:
        w = c.bkey.at(i) = new KeyButton(black, client);
        break;
      case ControlKind::kRestPedal:
        w = c.pedalSW = new QPushButton(client);
        break;
      case ControlKind::kConvertButton:
        w = c.command1 = new QPushButton(client);
        break;
      case ControlKind::kTestPlayButton:
        w = c.command2 = new QPushButton(client);
        break;
      case ControlKind::kStatusBar:
        c.statusBar1 = new QStatusBar(client);
        c.statusBar1->setSizeGripEnabled(false);
        c.statusText = new QLabel(c.statusBar1);
        c.statusText->setObjectName("StatusText");
        c.statusBar1->addWidget(c.statusText, 1);
        w = c.statusBar1;
        break;
      case ControlKind::kMultimedia:
        w = c.mmControl1 = new QWidget(client);
        w->hide();
        break;
    }
    w->setObjectName(QString::fromLatin1(p.name.data(), qsizetype(p.name.size())));
    w->setGeometry(p.x, p.y, p.width, p.height);
    laidOut.push_back(w);
  }
  for (size_t k = 1; k < laidOut.size(); ++k) QWidget::setTabOrder(laidOut[k - 1], laidOut[k]);
  TranslateControls(c);
  return c;
}

void TranslateControls(const MainControls& c) {
  c.pedalSW->setText(QCoreApplication::translate("MainControls", "休符ペダル"));
  c.command1->setText(QCoreApplication::translate("MainControls", "変  換"));
  c.command2->setText(QCoreApplication::translate("MainControls", "テスト演奏"));
}

}  // namespace merin::ui
