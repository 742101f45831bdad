#include "mapmodel/ShapePlacementTool.h"

#include <cassert>

#include "mapmodel/DeviceShape.h"
#include "mapmodel/MapDocument.h"
#include "mapmodel/MapView.h"

void CShapePlacementTool::OnLButtonDown(MapPoint point, unsigned) {
  assert(!m_CreatedShape);
  std::unique_ptr<CDeviceShape> shape = CreateShape(m_View.SnapPoint(point));
  m_CreatedShape = shape.get();
  GetDocument().AddShape(std::move(shape));
  m_View.Select(m_CreatedShape, false);
}
