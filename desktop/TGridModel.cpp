#include "TGridModel.h"

#include "WindowHelpers.h"

TGridModel::TGridModel(const TStringGrid& Grid, QObject* Parent)
    : QAbstractTableModel(Parent), FGrid(Grid), FRevision(Grid.Revision()), FRows(Grid.RowCount())
{
}

int TGridModel::rowCount(const QModelIndex& Parent) const
{
  return Parent.isValid() || FRows < 1 ? 0 : FRows - 1;
}

int TGridModel::columnCount(const QModelIndex& Parent) const
{
  return Parent.isValid() ? 0 : FGrid.ColCount();
}

QVariant TGridModel::data(const QModelIndex& Index, int Role) const
{
  if (Role != Qt::DisplayRole || !Index.isValid())
    return {};
  return ToQString(FGrid.Cell(Index.column(), Index.row() + 1));
}

QVariant TGridModel::headerData(int Section, Qt::Orientation Orientation, int Role) const
{
  if (Role != Qt::DisplayRole || Orientation != Qt::Horizontal)
    return {};
  return ToQString(FGrid.Cell(Section, 0));
}

bool TGridModel::Refresh()
{
  if (FGrid.Revision() == FRevision)
    return false;
  FRevision = FGrid.Revision();
  if (FGrid.RowCount() != FRows) {
    beginResetModel();
    FRows = FGrid.RowCount();
    endResetModel();
  } else {
    if (FRows > 1)
      emit dataChanged(index(0, 0), index(FRows - 2, FGrid.ColCount() - 1), {Qt::DisplayRole});
    emit headerDataChanged(Qt::Horizontal, 0, FGrid.ColCount() - 1);
  }
  return true;
}
