#pragma once
// A group of navigation-bar items inside a folder; an unnamed group draws no strip of its own.
#include <memory>
#include <string>
#include <vector>

#include "controlmodel/NavItem.h"

struct CNavGroup {
  std::string name;
  long value = 0;  // given by whoever adds the group; kept for it
  ControlRect rect;
  std::vector<std::unique_ptr<CNavItem>> items;
};
