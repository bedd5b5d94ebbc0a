#include "TStringGrid.h"

#include <stdexcept>

TStringGrid::TStringGrid(int ColCount, int RowCount)
    : FColCount(ColCount), FCells(static_cast<size_t>(RowCount), std::vector<std::string>(size_t(ColCount)))
{
}

void TStringGrid::SetRowCount(int Count)
{
  if (Count < 1)
    Count = 1;
  if (Count == RowCount())
    return;
  FCells.resize(static_cast<size_t>(Count), std::vector<std::string>(size_t(FColCount)));
  ++FRevision;
}

const std::string& TStringGrid::Cell(int Col, int Row) const
{
  static const std::string Empty;
  if (Col < 0 || Col >= FColCount || Row < 0 || Row >= RowCount())
    return Empty;
  return FCells[size_t(Row)][size_t(Col)];
}

void TStringGrid::SetCell(int Col, int Row, const std::string& Text)
{
  if (Col < 0 || Col >= FColCount || Row < 0 || Row >= RowCount())
    throw std::out_of_range("grid cell outside the grid");
  std::string& Cell = FCells[size_t(Row)][size_t(Col)];
  if (Cell != Text) {
    Cell = Text;
    ++FRevision;
  }
}
