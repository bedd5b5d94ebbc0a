#pragma once
#include <QAbstractTableModel>
#include <cstdint>

#include "TStringGrid.h"

// A table model over the connection-state grid: row 0 gives the header,
// rows 1 and after the table's rows.
class TGridModel : public QAbstractTableModel {
  Q_OBJECT
public:
  // Show Grid, which must outlive the model.
  explicit TGridModel(const TStringGrid& Grid, QObject* Parent = nullptr);

  // Answer the grid's rows below the header.
  int rowCount(const QModelIndex& Parent = QModelIndex()) const override;
  // Answer the grid's columns.
  int columnCount(const QModelIndex& Parent = QModelIndex()) const override;
  // Answer the text of a cell.
  QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;
  // Answer the header text of a column from row 0.
  QVariant headerData(int Section, Qt::Orientation Orientation, int Role = Qt::DisplayRole) const override;

  // Tell the views about changes when the grid's revision moved; answer whether it did.
  bool Refresh();

private:
  const TStringGrid& FGrid;
  uint64_t FRevision;
  int FRows;
};
