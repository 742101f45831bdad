#pragma once
// A rectangular table of texts kept as one sequence, row after row. The getters return the last
// row and column indexes, not counts; a fresh matrix is empty (both -1).
#include <string>
#include <vector>

class CStringMatrix {
 public:
  CStringMatrix() = default;
  virtual ~CStringMatrix() = default;
  CStringMatrix(const CStringMatrix&) = default;
  CStringMatrix& operator=(const CStringMatrix&) = default;

  // Both return count - 1, the new last index.
  int SetColumnCount(int count) { return lastColumn_ = count - 1; }
  int SetRowCount(int count) { return lastRow_ = count - 1; }
  void SetCells(const std::vector<std::string>& cells) { cells_ = cells; }
  int GetLastColumn() const { return lastColumn_; }
  int GetLastRow() const { return lastRow_; }
  const std::vector<std::string>& GetCells() const { return cells_; }
  int GetCellCount() const { return static_cast<int>(cells_.size()); }
  // Throws std::out_of_range outside the cells.
  std::string GetCell(int row, int column) const;

 private:
  int lastRow_ = -1;
  int lastColumn_ = -1;
  std::vector<std::string> cells_;
};
