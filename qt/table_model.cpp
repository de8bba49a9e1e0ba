#include "qt/table_model.h"

#include <QBrush>
#include <QFontMetricsF>
#include <algorithm>
#include <array>
#include <unordered_map>

#include "qt/convert.h"

namespace hc::qt {

namespace {

// The rows measured exactly per column at most: texts whose character
// advances add up to within a pixel of the widest differ by kerning alone.
constexpr std::size_t kExactMeasures = 16;
constexpr double kNear = 1.0;

// A text's width as the sum of its characters' advances in a font, each
// character measured once: a ladder's column of 10 000 figures is measured
// in well under a millisecond.
class Advances {
 public:
  explicit Advances(const QFont& font) : metrics_(font) {
    for (char32_t c = 0; c < ascii_.size(); ++c) ascii_[c] = metrics_.horizontalAdvance(QChar(c));
  }

  double Of(const std::string& text) {
    double width = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
      if (*p < 0x80) {
        width += ascii_[*p++];
        continue;
      }
      // One UTF-8 sequence; a malformed byte counts as a character of its own.
      int length = *p >= 0xF0 ? 4 : *p >= 0xE0 ? 3 : *p >= 0xC0 ? 2 : 1;
      if (end - p < length) length = 1;
      char32_t c = length == 1 ? *p : *p & (0x7F >> length);
      for (int i = 1; i < length; ++i) c = (c << 6) | (p[i] & 0x3F);
      p += length;
      width += Other(c);
    }
    return width;
  }

 private:
  double Other(char32_t c) {
    auto it = other_.find(c);
    if (it != other_.end()) return it->second;
    const double w = metrics_.horizontalAdvance(QString::fromUcs4(&c, 1));
    other_.emplace(c, w);
    return w;
  }

  QFontMetricsF metrics_;
  std::array<double, 128> ascii_{};
  std::unordered_map<char32_t, double> other_;
};

}  // namespace

TableModel::TableModel(const ControlSpec& entry, QObject* parent)
    : QAbstractTableModel(parent), columnColors_(entry.columnColors.begin(), entry.columnColors.end()) {
  for (std::string_view c : entry.columns) headers_.push_back(Q(c));
}

bool TableModel::Set(const Rows& rows, const std::vector<Rgb>& rowColors, Rgb color) {
  if (rows == rows_ && rowColors == rowColors_ && color == color_) return false;
  beginResetModel();
  rows_ = rows;
  rowColors_ = rowColors;
  color_ = color;
  endResetModel();
  return true;
}

const std::string* TableModel::Cell(int row, int column) const {
  if (row < 0 || column < 0 || static_cast<std::size_t>(row) >= rows_.size()) return nullptr;
  const auto& cells = rows_[static_cast<std::size_t>(row)];
  if (static_cast<std::size_t>(column) >= cells.size() || static_cast<std::size_t>(column) >= headers_.size()) {
    return nullptr;
  }
  return &cells[static_cast<std::size_t>(column)];
}

QString TableModel::Text(int row, int column) const {
  const std::string* cell = Cell(row, column);
  return cell != nullptr ? QString::fromStdString(*cell) : QString();
}

Rgb TableModel::ColorOf(std::size_t row, std::size_t column) const {
  if (row < rowColors_.size()) return rowColors_[row];
  if (column < columnColors_.size()) return columnColors_[column];
  return color_;
}

int TableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
      const std::string* cell = Cell(index.row(), index.column());
      if (cell == nullptr || (role == Qt::ToolTipRole && cell->empty())) return {};
      return QString::fromStdString(*cell);
    }
    case Qt::ForegroundRole:
      return QBrush(ToColor(ColorOf(static_cast<std::size_t>(index.row()), static_cast<std::size_t>(index.column()))));
    default: return {};
  }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || static_cast<std::size_t>(section) >= headers_.size()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  if (role == Qt::DisplayRole) return headers_[static_cast<std::size_t>(section)];
  return {};
}

std::vector<std::vector<int>> TableModel::WidestRows(const QFont& font) const {
  Advances advances(font);
  std::vector<std::vector<int>> widest(headers_.size());
  struct Candidate {
    double width;
    int row;
  };
  std::vector<Candidate> near;
  for (std::size_t k = 0; k < headers_.size(); ++k) {
    near.clear();
    double best = -1;
    auto prune = [&] {
      std::erase_if(near, [&](const Candidate& c) { return c.width < best - kNear; });
      if (near.size() <= kExactMeasures) return;
      // The widest of texts that come this close, in no particular order.
      std::nth_element(near.begin(), near.begin() + kExactMeasures - 1, near.end(),
                       [](const Candidate& a, const Candidate& b) { return a.width > b.width; });
      near.resize(kExactMeasures);
    };
    for (std::size_t r = 0; r < rows_.size(); ++r) {
      if (k >= rows_[r].size()) continue;
      const double w = advances.Of(rows_[r][k]);
      if (w < best - kNear) continue;
      best = std::max(best, w);
      near.push_back({w, static_cast<int>(r)});
      if (near.size() > 2 * kExactMeasures) prune();
    }
    prune();
    for (const Candidate& c : near) widest[k].push_back(c.row);
  }
  return widest;
}

}  // namespace hc::qt
