// The rows of a screen's table as a Qt item model: the view asks only for
// the cells it draws, their colours and, as their tooltip, their whole text.
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QString>
#include <string>
#include <vector>

#include "shell/layout.h"

namespace hc::qt {

class TableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  using Rows = std::vector<std::vector<std::string>>;

  TableModel(const ControlSpec& entry, QObject* parent);

  // Shows the rows. A cell's colour is its row's where rows have colours,
  // else its column's where the table gives columns colours, else `color`.
  // The model keeps its own copy, so that the view reads the rows it was
  // told of until the next call. False, and nothing reset, when they are
  // the rows shown already.
  bool Set(const Rows& rows, const std::vector<Rgb>& rowColors, Rgb color);

  // A cell's whole text; empty outside the rows.
  QString Text(int row, int column) const;
  QString Header(int column) const { return headers_[static_cast<std::size_t>(column)]; }

  // For each column, the rows whose text is the widest in the font: every
  // row's text is measured by the advances of its characters, and the few
  // that come within a pixel of the widest are given for an exact measure.
  std::vector<std::vector<int>> WidestRows(const QFont& font) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const std::string* Cell(int row, int column) const;
  Rgb ColorOf(std::size_t row, std::size_t column) const;

  std::vector<QString> headers_;
  std::vector<Rgb> columnColors_;
  Rows rows_;
  std::vector<Rgb> rowColors_;
  Rgb color_;
};

}  // namespace hc::qt
