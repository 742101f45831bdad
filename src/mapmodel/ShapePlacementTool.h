#pragma once
// CShapePlacementTool: places a new device shape of the tool's kind where the user presses, hands it to the
// document and selects it alone. The release only forgets it; the shape stays where it was placed.
#include <memory>

#include "mapmodel/MapGeometry.h"
#include "mapmodel/Tool.h"

class CDeviceShape;

class CShapePlacementTool : public CTool {
 public:
  using CTool::CTool;

  void OnLButtonDown(MapPoint point, unsigned flags) override;
  void OnLButtonUp(MapPoint, unsigned) override { m_CreatedShape = nullptr; }
  void Cancel() override { m_CreatedShape = nullptr; }

 protected:
  // A new shape of the tool's kind at the position.
  virtual std::unique_ptr<CDeviceShape> CreateShape(MapPoint position) const = 0;

 private:
  CDeviceShape* m_CreatedShape = nullptr;
};
