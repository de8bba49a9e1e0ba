// A table of calculated rows: read-only, whole rows selectable, and Ctrl+C
// or the context menu copies the selected rows (all rows when none is
// selected) as tab-separated text with the header line, which pastes into a
// spreadsheet cell by cell.
#pragma once

#include <QTableWidget>
#include <string>
#include <vector>

#include "shell/layout.h"

namespace hc::qt {

class ResultTable final : public QTableWidget {
  Q_OBJECT

 public:
  ResultTable(const ControlSpec& entry, QWidget* parent);

  // Shows the rows. A cell's colour is its row's where rows have colours,
  // else its column's where the table gives columns colours, else `color`.
  void SetRows(const std::vector<std::vector<std::string>>& rows, const std::vector<Rgb>& rowColors, Rgb color);
  // The text Ctrl+C puts on the clipboard.
  QString SelectedText() const;
  void CopySelection() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  std::vector<Rgb> columnColors_;
  std::vector<std::vector<std::string>> shown_;
  std::vector<Rgb> colors_;
  Rgb color_;
};

}  // namespace hc::qt
