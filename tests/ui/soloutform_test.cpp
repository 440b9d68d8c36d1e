// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include "ui/soloutform.h"

namespace merin::test {
namespace {

TEST(ResultWindow, HasItsCaptionSizeAndOneScrollingTextBox) {
  ui::SoloutForm form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(form.windowTitle().toStdString(), "変換結果");
  EXPECT_EQ(form.size(), QSize(464, 293));
  QPlainTextEdit* text = form.findChild<QPlainTextEdit*>("Text1");
  ASSERT_EQ(text, form.Text1());
  EXPECT_EQ(text->geometry(), QRect(0, 0, 461, 291));
  EXPECT_FALSE(text->isReadOnly());
  EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_TRUE(text->verticalScrollBar()->isVisible());
  EXPECT_TRUE(text->toPlainText().isEmpty());
}

TEST(ResultWindow, CrLfLinesShowAsLinesAndComeBackAsCrLf) {
  ui::SoloutForm form;
  std::string listing;
  for (int i = 0; i < 30; ++i) listing += i % 2 ? "[確定][1][1]\r\n" : "[0]\r\n";
  form.SetText(listing);
  const QTextDocument* doc = form.Text1()->document();
  ASSERT_EQ(doc->blockCount(), 31);
  EXPECT_EQ(doc->findBlockByNumber(1).text().toStdString(), "[確定][1][1]");
  EXPECT_FALSE(form.Text1()->toPlainText().contains(QChar('\r')));
  EXPECT_EQ(form.Text(), listing);

  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QScrollBar* bar = form.Text1()->verticalScrollBar();
  EXPECT_GT(bar->maximum(), 0) << "30 lines are taller than the box";
  bar->setValue(bar->maximum());
  EXPECT_TRUE(form.Text1()
                  ->cursorForPosition(QPoint(5, form.Text1()->viewport()->height() - 25))
                  .block()
                  .blockNumber() >= 28);
}

}  // namespace
}  // namespace merin::test
