#include "db/StringMatrix.h"

#include <stdexcept>

std::string CStringMatrix::GetCell(int row, int column) const {
  const long index = static_cast<long>(column) + static_cast<long>(row) * (lastColumn_ + 1);
  if (row < 0 || column < 0 || index < 0) throw std::out_of_range("CStringMatrix::GetCell");
  return cells_.at(static_cast<size_t>(index));
}
