// SPDX-License-Identifier: MIT
#include "ui/mainview.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "art/pictureloader.h"
#include "ui/colours.h"
#include "ui/positionmarker.h"
#include "ui/staffcell.h"

namespace merin::ui {

void MainView::ShowPicture(int32_t slot, const std::string& path) {
  StaffCell* cell = controls_.gosen.at(size_t(slot));
  cell->setPicture(art::LoadPicture(path));
}

void MainView::SetMarkerColour(int32_t slot, uint32_t colour) {
  controls_.np.at(size_t(slot))->setColour(ColourOf(colour));
}

void MainView::SetStatusText(const std::string& text) {
  controls_.statusText->setText(QString::fromStdString(text));
}

int32_t MainView::CellTop(int32_t slot) const { return controls_.gosen.at(size_t(slot))->y(); }

int32_t MainView::CellHeight(int32_t slot) const {
  return controls_.gosen.at(size_t(slot))->height();
}

void MainView::SetMarkerTop(int32_t slot, int32_t top) {
  PositionMarker* marker = controls_.np.at(size_t(slot));
  marker->move(marker->x(), top);
}

void MainView::SetCellBorder(int32_t slot, int32_t style) {
  controls_.gosen.at(size_t(slot))->setBordered(style == 1);
}

void MainView::RepaintCell(int32_t slot) { controls_.gosen.at(size_t(slot))->repaint(); }

void MainView::SetTestPlayEnabled(bool enabled) {
  controls_.command2->setEnabled(enabled);
  // What a click would write is beside the point while the melody plays.
  for (StaffCell* cell : controls_.gosen) cell->setGhostAllowed(enabled);
}

void MainView::EndProgram() { QCoreApplication::exit(0); }

}  // namespace merin::ui
