#include "qt/result_table.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStringList>
#include <algorithm>

namespace hc::qt {

ResultTable::ResultTable(const ControlSpec& entry, QWidget* parent)
    : QTableView(parent), model_(new TableModel(entry, this)) {
  setModel(model_);
  needed_.assign(static_cast<std::size_t>(model_->columnCount()), 0);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setWordWrap(false);
  setTextElideMode(Qt::ElideRight);
  verticalHeader()->setVisible(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setTextElideMode(Qt::ElideRight);
  FitColumns();
}

void ResultTable::SetRows(const TableModel::Rows& rows, const std::vector<Rgb>& rowColors, Rgb color) {
  if (model_->Set(rows, rowColors, color)) FitColumns();
}

void ResultTable::FitColumns() {
  const int grid = showGrid() ? 1 : 0;
  const std::vector<std::vector<int>> widest = model_->WidestRows(font());
  for (int k = 0; k < model_->columnCount(); ++k) {
    int width = horizontalHeader()->sectionSizeHint(k);
    for (int row : widest[static_cast<std::size_t>(k)]) {
      width = std::max(width, sizeHintForIndex(model_->index(row, k)).width() + grid);
    }
    needed_[static_cast<std::size_t>(k)] = width;
  }
  ShareRoom();
}

void ResultTable::ShareRoom() {
  const int columns = model_->columnCount();
  if (columns == 0) return;
  int sum = 0;
  for (int w : needed_) sum += w;
  const int share = std::max(0, viewport()->width() - sum) / columns;
  for (int k = 0; k < columns; ++k) {
    const int width = needed_[static_cast<std::size_t>(k)] + share;
    if (columnWidth(k) != width) setColumnWidth(k, width);
  }
}

bool ResultTable::ShowsWhole(int row, int column) const {
  const int grid = showGrid() ? 1 : 0;
  return sizeHintForIndex(model_->index(row, column)).width() + grid <= columnWidth(column);
}

QString ResultTable::SelectedText() const {
  QStringList lines;
  QStringList head;
  for (int k = 0; k < model_->columnCount(); ++k) head << model_->Header(k);
  lines << head.join('\t');
  std::vector<int> rowsToCopy;
  for (const QModelIndex& i : selectionModel()->selectedRows()) rowsToCopy.push_back(i.row());
  std::sort(rowsToCopy.begin(), rowsToCopy.end());
  if (rowsToCopy.empty()) {
    for (int r = 0; r < model_->rowCount(); ++r) rowsToCopy.push_back(r);
  }
  for (int r : rowsToCopy) {
    QStringList cells;
    for (int k = 0; k < model_->columnCount(); ++k) cells << model_->Text(r, k);
    lines << cells.join('\t');
  }
  return lines.join('\n') + '\n';
}

void ResultTable::CopySelection() const { QApplication::clipboard()->setText(SelectedText()); }

void ResultTable::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    CopySelection();
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

void ResultTable::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* copy = menu.addAction(QStringLiteral("复制(&C)"));
  copy->setShortcut(QKeySequence::Copy);
  QAction* all = menu.addAction(QStringLiteral("全选(&A)"));
  QAction* chosen = menu.exec(event->globalPos());
  if (chosen == copy) CopySelection();
  if (chosen == all) selectAll();
}

void ResultTable::changeEvent(QEvent* event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    FitColumns();
  }
}

bool ResultTable::viewportEvent(QEvent* event) {
  const bool handled = QTableView::viewportEvent(event);
  // The viewport narrows when a scroll bar appears and widens with the window.
  if (event->type() == QEvent::Resize) ShareRoom();
  return handled;
}

}  // namespace hc::qt
