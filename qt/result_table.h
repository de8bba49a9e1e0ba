// A table of calculated rows: read-only, whole rows selectable, and Ctrl+C
// or the context menu copies the selected rows (all rows when none is
// selected) as tab-separated text with the header line, which pastes into a
// spreadsheet cell by cell.
//
// A view over a TableModel: no widget or item per cell, so a ladder of
// 10 000 orders a side shows as fast as a short one. Every column is as wide
// as its widest text in any row (and its header); room to spare is shared out
// among the columns, and where there is none the table scrolls sideways. A
// cell that still cannot be shown whole (a column the user narrowed) ends in
// "…", and its whole text is its tooltip.
#pragma once

#include <QString>
#include <QTableView>
#include <string>
#include <vector>

#include "qt/table_model.h"
#include "shell/layout.h"

namespace hc::qt {

class ResultTable final : public QTableView {
  Q_OBJECT

 public:
  ResultTable(const ControlSpec& entry, QWidget* parent);

  // Shows the rows (see TableModel::Set); the columns are fitted anew when
  // they change.
  void SetRows(const TableModel::Rows& rows, const std::vector<Rgb>& rowColors, Rgb color);
  const TableModel& Model() const { return *model_; }
  // The width a column needs to show its widest text and its header whole.
  int NeededWidth(int column) const { return needed_[static_cast<std::size_t>(column)]; }
  // Whether a cell's text shows whole in its column as it is now.
  bool ShowsWhole(int row, int column) const;
  // The text Ctrl+C puts on the clipboard.
  QString SelectedText() const;
  void CopySelection() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  // Measures every column's widest text and header, then shares the room.
  void FitColumns();
  // Gives each column its needed width and an equal share of the room the
  // viewport has to spare.
  void ShareRoom();

  TableModel* model_;
  std::vector<int> needed_;
};

}  // namespace hc::qt
