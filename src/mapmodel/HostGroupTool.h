#pragma once
// CHostGroupTool: places a host-group shape where the user presses.
#include "mapmodel/HostGroupShape.h"
#include "mapmodel/ShapePlacementTool.h"

class CHostGroupTool : public CShapePlacementTool {
 public:
  using CShapePlacementTool::CShapePlacementTool;

 protected:
  std::unique_ptr<CDeviceShape> CreateShape(MapPoint position) const override {
    return std::make_unique<CHostGroupShape>(position);
  }
};
