// SPDX-License-Identifier: MIT
#pragma once

#include <QTableView>
#include <functional>

namespace merin::ui {

// A list of rows in columns for a dialog to choose from, however many: a cell is put in words
// only when it is drawn, so the list keeps nothing of its own a row. It moves as a list does:
// the arrows, Home and End go from row to row, passing over rows that cannot be chosen (greyed),
// and Tab leaves it.
class RowList : public QTableView {
 public:
  // `rows` rows under `headers` (shown when there are two or more), cell (row, column) being
  // `cell(row, column)`; rows not `choosable` are greyed.
  RowList(int rows, const QStringList& headers, std::function<QVariant(int, int)> cell,
          std::function<bool(int)> choosable, QWidget* parent);
  // The row chosen, or -1.
  int currentRow() const;
  void setCurrentRow(int row);
  // As wide as its columns, measured over the first rows, and a vertical scroll bar.
  QSize sizeHint() const override;

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};

}  // namespace merin::ui
