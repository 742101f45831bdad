#pragma once
// CRouterTool: places a router shape where the user presses.
#include "mapmodel/RouterShape.h"
#include "mapmodel/ShapePlacementTool.h"

class CRouterTool : public CShapePlacementTool {
 public:
  using CShapePlacementTool::CShapePlacementTool;

 protected:
  std::unique_ptr<CDeviceShape> CreateShape(MapPoint position) const override {
    return std::make_unique<CRouterShape>(position);
  }
};
