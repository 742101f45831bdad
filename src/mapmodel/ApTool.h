#pragma once
// CApTool: the AP placement tool. Access points come onto the map only from discovery, so a press places
// nothing and there is never a shape in creation to forget.
#include "mapmodel/Tool.h"

class CApTool : public CTool {
 public:
  using CTool::CTool;
};
