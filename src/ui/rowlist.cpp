// SPDX-License-Identifier: MIT
#include "ui/rowlist.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <algorithm>

namespace merin::ui {
namespace {

// The rows of a RowList, asked for cell by cell.
class RowModel : public QAbstractTableModel {
 public:
  RowModel(int rows, const QStringList& headers, std::function<QVariant(int, int)> cell,
           std::function<bool(int)> choosable, QObject* parent)
      : QAbstractTableModel(parent),
        rows_(rows),
        headers_(headers),
        cell_(std::move(cell)),
        choosable_(std::move(choosable)) {}

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : int(headers_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    return role == Qt::DisplayRole ? cell_(index.row(), index.column()) : QVariant();
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return choosable_(index.row()) ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return headers_.value(section);
  }

 private:
  int rows_;
  QStringList headers_;
  std::function<QVariant(int, int)> cell_;
  std::function<bool(int)> choosable_;
};

}  // namespace

RowList::RowList(int rows, const QStringList& headers, std::function<QVariant(int, int)> cell,
                 std::function<bool(int)> choosable, QWidget* parent)
    : QTableView(parent) {
  setModel(new RowModel(rows, headers, std::move(cell), std::move(choosable), this));
  verticalHeader()->hide();
  horizontalHeader()->setVisible(headers.size() > 1);
  // Widths from the rows about those shown (QHeaderView::resizeContentsPrecision), not all.
  horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  horizontalHeader()->setStretchLastSection(true);
  setShowGrid(false);
  setWordWrap(false);
  setTabKeyNavigation(false);
  setSelectionBehavior(SelectRows);
  setSelectionMode(SingleSelection);
}

QSize RowList::sizeHint() const {
  // The first rows stand for the rest: put into words, however many rows there are, they cost
  // the same.
  constexpr int kMeasuredRows = 200;
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width() + 4;
  for (int column = 0; column < model()->columnCount(); ++column) {
    int widest = horizontalHeader()->sectionSizeHint(column);
    for (int row = 0; row < std::min(model()->rowCount(), kMeasuredRows); ++row) {
      const QModelIndex index = model()->index(row, column);
      widest = std::max(widest, itemDelegateForIndex(index)->sizeHint(option, index).width());
    }
    width += widest;
  }
  return {width, QTableView::sizeHint().height()};
}

int RowList::currentRow() const { return currentIndex().row(); }

void RowList::setCurrentRow(int row) { setCurrentIndex(model()->index(row, 0)); }

QModelIndex RowList::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
  return QTableView::moveCursor(action, modifiers);
}

}  // namespace merin::ui
