// A Qt table model over a GridModel: shows its cells (rows 1 to last; row 0 is the horizontal header)
// with their texts, text colours, backgrounds, bold and column alignments exactly as set, and follows
// the grid's changes through a GridListener.
#pragma once

#include <QAbstractTableModel>
#include <QPalette>
#include <functional>

#include "mirelda/workflow/grid_model.h"

namespace mirelda::ui {

class GridTableModel : public QAbstractTableModel, private workflow::GridListener {
 public:
  // The grid must outlive the model; the model installs itself as the grid's listener.
  GridTableModel(workflow::GridModel& grid, QObject* parent = nullptr);
  ~GridTableModel() override;

  workflow::GridModel& Grid() { return grid_; }
  // The palette that system colours are taken from (the view's).
  void SetPalette(const QPalette& palette) { palette_ = palette; }

  // Qt row r shows grid row r + 1.
  static int GridRow(int qtRow) { return qtRow + 1; }
  static int QtRow(int gridRow) { return gridRow - 1; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Called when sizes (column widths, row heights, control size) changed; the view resizes itself.
  std::function<void()> onSizesChanged;

 private:
  void GridAboutToReset() override;
  void GridReset() override;
  void CellChanged(int row, int col) override;
  void ColumnChanged(int col) override;
  void RowChanged(int row) override;
  void GridPropertiesChanged() override;

  workflow::GridModel& grid_;
  QPalette palette_;
  bool resetting_ = false;
};

}  // namespace mirelda::ui
