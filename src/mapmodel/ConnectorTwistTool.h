#pragma once
// CConnectorTwistTool: draws a link from device to device. The press on a device starts the link, the
// pointer drags its free end, and the release over a device attaches it at the port under the pointer;
// a release anywhere else, or a cancel, deletes the unfinished link.
#include "mapmodel/Tool.h"

class CConnectorShape;

class CConnectorTwistTool : public CTool {
 public:
  using CTool::CTool;

  void OnLButtonDown(MapPoint point, unsigned flags) override;
  void OnLButtonUp(MapPoint point, unsigned flags) override;
  void OnMouseMove(MapPoint point, unsigned flags) override;
  void Cancel() override;

 private:
  CConnectorShape* m_CreatedLink = nullptr;
};
