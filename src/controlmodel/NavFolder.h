#pragma once
// A folder of the navigation bar: a header that opens the folder's groups below it.
#include <memory>
#include <string>
#include <vector>

#include "controlmodel/NavGroup.h"

struct CNavFolder {
  std::string name;
  int iconId = 0;
  ControlRect headerRect;
  std::vector<std::unique_ptr<CNavGroup>> groups;
  int commandId = 0;  // 0 for the folder pinned to the bottom
  std::string tip;
};
