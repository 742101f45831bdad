#pragma once
// CConnectorTwistShape: the link the generator and the connector tool make. It is a connector whose
// caption cannot be edited by a double click.
#include "mapmodel/ConnectorShape.h"

class CConnectorTwistShape : public CConnectorShape {
 public:
  CConnectorTwistShape() = default;
  CConnectorTwistShape(MapPoint point, CShape* startShape) : CConnectorShape(point, startShape) {}

  const char* GetClassName() const override { return "CConnectorTwistShape"; }
  void OnDoubleClick(MapPoint) override {}
};
