#include "qt/result_table.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStringList>
#include <algorithm>

#include "qt/convert.h"

namespace hc::qt {

ResultTable::ResultTable(const ControlSpec& entry, QWidget* parent)
    : QTableWidget(parent), columnColors_(entry.columnColors.begin(), entry.columnColors.end()) {
  setColumnCount(static_cast<int>(entry.columns.size()));
  QStringList headers;
  for (std::string_view c : entry.columns) headers << Q(c);
  setHorizontalHeaderLabels(headers);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  horizontalHeader()->setResizeContentsPrecision(200);
  verticalHeader()->setVisible(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
}

void ResultTable::SetRows(const std::vector<std::vector<std::string>>& rows, const std::vector<Rgb>& rowColors,
                          Rgb color) {
  if (rows == shown_ && rowColors == colors_ && color == color_) return;
  shown_ = rows;
  colors_ = rowColors;
  color_ = color;
  setUpdatesEnabled(false);
  clearContents();
  setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const auto row = static_cast<std::size_t>(r);
    const auto& cells = rows[row];
    for (int k = 0; k < std::min(columnCount(), static_cast<int>(cells.size())); ++k) {
      const auto column = static_cast<std::size_t>(k);
      Rgb c = color;
      if (row < rowColors.size()) {
        c = rowColors[row];
      } else if (column < columnColors_.size()) {
        c = columnColors_[column];
      }
      auto* item = new QTableWidgetItem(QString::fromStdString(cells[column]));
      item->setForeground(ToColor(c));
      item->setToolTip(item->text());
      setItem(r, k, item);
    }
  }
  // Columns as wide as their figures and headers (measured over the first
  // rows, as a ladder's figures grow steadily); room to spare is shared out
  // among them, and where there is none the table scrolls sideways.
  resizeColumnsToContents();
  int needed = 0;
  for (int k = 0; k < columnCount(); ++k) needed += columnWidth(k);
  const int spare = viewport()->width() - needed;
  if (spare > 0 && columnCount() > 0) {
    for (int k = 0; k < columnCount(); ++k) setColumnWidth(k, columnWidth(k) + spare / columnCount());
  }
  setUpdatesEnabled(true);
}

QString ResultTable::SelectedText() const {
  QStringList lines;
  QStringList head;
  for (int k = 0; k < columnCount(); ++k) head << horizontalHeaderItem(k)->text();
  lines << head.join('\t');
  const QModelIndexList selected = selectionModel()->selectedRows();
  std::vector<int> rowsToCopy;
  for (const QModelIndex& i : selected) rowsToCopy.push_back(i.row());
  std::sort(rowsToCopy.begin(), rowsToCopy.end());
  if (rowsToCopy.empty()) {
    for (int r = 0; r < rowCount(); ++r) rowsToCopy.push_back(r);
  }
  for (int r : rowsToCopy) {
    QStringList cells;
    for (int k = 0; k < columnCount(); ++k) {
      const QTableWidgetItem* it = item(r, k);
      cells << (it != nullptr ? it->text() : QString());
    }
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
  QTableWidget::keyPressEvent(event);
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

}  // namespace hc::qt
