#pragma once
// CSwitchTool: places a switch shape where the user presses.
#include "mapmodel/SwitchShape.h"
#include "mapmodel/ShapePlacementTool.h"

class CSwitchTool : public CShapePlacementTool {
 public:
  using CShapePlacementTool::CShapePlacementTool;

 protected:
  std::unique_ptr<CDeviceShape> CreateShape(MapPoint position) const override {
    return std::make_unique<CSwitchShape>(position);
  }
};
