// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "entry/staff.h"
#include "ui/handlerarguments.h"
#include "ui/positionmarker.h"
#include "ui/staffcell.h"

namespace merin::test {
namespace {

TEST(HandlerArguments, QtButtonsBecomeTheStaffHandlersButtonCodes) {
  EXPECT_EQ(ui::ButtonArgument(Qt::LeftButton), std::optional<int16_t>(kLeftButton));
  EXPECT_EQ(ui::ButtonArgument(Qt::RightButton), std::optional<int16_t>(kRightButton));
  EXPECT_EQ(ui::ButtonArgument(Qt::MiddleButton), std::optional<int16_t>(kMiddleButton));
  for (Qt::MouseButton other : {Qt::NoButton, Qt::BackButton, Qt::ForwardButton, Qt::TaskButton}) {
    EXPECT_EQ(ui::ButtonArgument(other), std::nullopt) << int(other);
  }
}

TEST(HandlerArguments, QtModifiersAddUpToTheShiftBits) {
  struct Case {
    Qt::KeyboardModifiers modifiers;
    int16_t shift;
  } cases[] = {
      {Qt::NoModifier, 0},
      {Qt::ShiftModifier, 1},
      {Qt::ControlModifier, 2},
      {Qt::AltModifier, 4},
      {Qt::ShiftModifier | Qt::ControlModifier, 3},
      {Qt::ShiftModifier | Qt::AltModifier, 5},
      {Qt::ControlModifier | Qt::AltModifier, 6},
      {Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, 7},
      {Qt::MetaModifier, 0},
      {Qt::KeypadModifier | Qt::ShiftModifier, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ui::ShiftArgument(c.modifiers), c.shift) << int(c.modifiers);
  }
}

TEST(StaffCellWidget, AMousePressCarriesQtsButtonModifiersAndCellPosition) {
  QWidget parent;
  auto* cell = new ui::StaffCell(&parent);
  cell->setGeometry(30, 10, 21, 111);
  QSignalSpy spy(cell, &ui::StaffCell::mouseDown);
  QTest::mousePress(cell, Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier, QPoint(7, 93));
  QTest::mousePress(cell, Qt::BackButton, Qt::NoModifier, QPoint(20, 0));
  ASSERT_EQ(spy.count(), 2);
  EXPECT_EQ(spy[0][0].value<Qt::MouseButton>(), Qt::RightButton);
  EXPECT_EQ(spy[0][1].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier | Qt::AltModifier);
  EXPECT_EQ(spy[0][2].toPointF(), QPointF(7, 93));
  EXPECT_EQ(spy[1][0].value<Qt::MouseButton>(), Qt::BackButton);
  EXPECT_EQ(spy[1][2].toPointF(), QPointF(20, 0));
}

TEST(StaffCellWidget, ABorderIsAFrameInTheForegroundColour) {
  ui::StaffCell cell(nullptr);
  cell.resize(21, 111);
  cell.setColours(QColor(Qt::yellow), QColor(Qt::blue));
  EXPECT_FALSE(cell.isBordered());
  EXPECT_EQ(cell.grab().toImage().pixelColor(0, 50), QColor(Qt::yellow));
  cell.setBordered(true);
  const QImage framed = cell.grab().toImage();
  for (QPoint p : {QPoint(0, 50), QPoint(20, 50), QPoint(10, 0), QPoint(10, 110)}) {
    EXPECT_EQ(framed.pixelColor(p), QColor(Qt::blue)) << p.x() << "," << p.y();
  }
  EXPECT_EQ(framed.pixelColor(1, 50), QColor(Qt::yellow));
}

TEST(PositionMarkerWidget, OnlyALeftClickReleasedOverTheMarkerIsAClick) {
  QWidget parent;
  auto* marker = new ui::PositionMarker(&parent);
  marker->setGeometry(10, 121, 21, 11);
  QSignalSpy spy(marker, &ui::PositionMarker::clicked);
  QTest::mouseClick(marker, Qt::RightButton);
  QTest::mouseClick(marker, Qt::MiddleButton);
  EXPECT_EQ(spy.count(), 0);
  QTest::mousePress(marker, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseRelease(marker, Qt::LeftButton, Qt::NoModifier, QPoint(40, 5));
  EXPECT_EQ(spy.count(), 0) << "released beside the marker";
  QTest::mouseClick(marker, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(spy.count(), 1);
}

TEST(PositionMarkerWidget, IsFilledWithItsColour) {
  ui::PositionMarker marker(nullptr);
  marker.resize(21, 11);
  marker.setColour(QColor(12, 34, 56));
  EXPECT_EQ(marker.colour(), QColor(12, 34, 56));
  EXPECT_EQ(marker.grab().toImage().pixelColor(10, 5), QColor(12, 34, 56));
}

}  // namespace
}  // namespace merin::test
