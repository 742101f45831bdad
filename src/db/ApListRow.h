#pragma once
// One AP of the AP list: its key and the texts of its cells, one per shown column.
#include <string>
#include <vector>

struct ApListRow {
  std::string mac;
  std::vector<std::string> cells;
};
