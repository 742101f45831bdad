#pragma once
// CSelectTool: selects shapes by click or by band, moves the selected shapes together, and resizes the one
// selected shape by a handle. Ctrl toggles a shape or adds a band to the selection.
#include "mapmodel/MapGeometry.h"
#include "mapmodel/Tool.h"

class CShape;

class CSelectTool : public CTool {
 public:
  enum Mode : int { kNone = 0, kMove = 1, kResize = 2, kBand = 3 };

  explicit CSelectTool(IMapView& view) : CTool(view) {}

  void OnLButtonDown(MapPoint point, unsigned flags) override;
  void OnLButtonUp(MapPoint point, unsigned flags) override;
  void OnMouseMove(MapPoint point, unsigned flags) override;
  void OnLButtonDblClk(MapPoint point, unsigned flags) override;
  // Ends a move or resize where it got to, so no shape stays in a drag, and takes the band away.
  void Cancel() override;

  void Lock() { m_Locked = true; }
  void Unlock() { m_Locked = false; }
  bool IsLocked() const { return m_Locked; }
  Mode GetMode() const { return m_Mode; }

 private:
  // EndTrack on every shape of the drag that is still tracking.
  void EndDrag();

  Mode m_Mode = kNone;
  CShape* m_ResizedShape = nullptr;
  MapPoint m_PressPoint;
  MapPoint m_LastPoint;
  bool m_Locked = false;
};
