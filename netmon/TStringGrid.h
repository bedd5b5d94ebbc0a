#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A grid of text cells addressed by column and row, row 0 being the header.
class TStringGrid {
public:
  // Build a grid of ColCount columns and RowCount empty rows.
  TStringGrid(int ColCount, int RowCount);
  // Answer the number of columns.
  int ColCount() const { return FColCount; }
  // Answer the number of rows, header included.
  int RowCount() const { return static_cast<int>(FCells.size()); }
  // Resize to Count rows; kept rows keep their texts, new rows are empty.
  void SetRowCount(int Count);
  // Answer the text of a cell; a cell outside the grid reads as empty.
  const std::string& Cell(int Col, int Row) const;
  // Write the text of a cell inside the grid.
  void SetCell(int Col, int Row, const std::string& Text);
  // Answer a number that changes whenever a cell or the row count changes.
  uint64_t Revision() const { return FRevision; }

private:
  int FColCount;
  std::vector<std::vector<std::string>> FCells;
  uint64_t FRevision = 0;
};
