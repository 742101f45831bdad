#include "mapmodel/SelectTool.h"

#include "mapmodel/MapDocument.h"
#include "mapmodel/MapView.h"
#include "mapmodel/Shape.h"

void CSelectTool::OnLButtonDown(MapPoint point, unsigned flags) {
  const CShapeList& selection = m_View.GetSelection();
  // A handle of the one selected shape wins over any shape lying on top of it.
  if (selection.GetCount() == 1) {
    CShape* only = selection.GetHead();
    const int handle = only->HitTestHandle(point);
    if (handle != CShape::kNoHandle) {
      m_ResizedShape = only;
      only->BeginTrack(point, handle);
      m_Mode = kResize;
      m_PressPoint = m_LastPoint = point;
      return;
    }
  }
  const bool control = (flags & kKeyControl) != 0;
  CShape* shape = GetDocument().ShapeAt(point);
  if (shape && control) {
    if (m_View.IsSelected(shape)) {
      m_View.Deselect(shape);
    } else {
      m_View.Select(shape, true);
    }
  } else if (shape) {
    if (!m_View.IsSelected(shape)) m_View.Select(shape, false);
    const MapPoint snapped = m_View.SnapPoint(point);
    for (CShape* selected : m_View.GetSelection()) selected->BeginTrack(snapped, CShape::kNoHandle);
    m_Mode = kMove;
  } else {
    if (!control) m_View.ClearSelection();
    m_Mode = kBand;
  }
  m_PressPoint = m_LastPoint = point;
}

void CSelectTool::OnMouseMove(MapPoint point, unsigned) {
  if (m_Mode == kResize && !m_Locked) {
    m_ResizedShape->TrackTo(m_View.SnapPoint(point));
  } else if (m_Mode == kMove && !m_Locked) {
    const MapPoint snapped = m_View.SnapPoint(point);
    // Tracking redraws and may change the selection's shapes, never the selection itself.
    const CShapeList moving = m_View.GetSelection();
    for (CShape* selected : moving) selected->TrackTo(snapped);
  } else if (m_Mode == kBand) {
    m_View.ShowBand({m_PressPoint.x, m_PressPoint.y, point.x, point.y});
  }
  m_LastPoint = point;
}

void CSelectTool::OnLButtonUp(MapPoint point, unsigned) {
  if (m_Mode == kResize) {
    m_ResizedShape->EndTrack();
  } else if (m_Mode == kMove) {
    const CShapeList moving = m_View.GetSelection();
    for (CShape* selected : moving) selected->EndTrack();
  } else if (m_Mode == kBand) {
    m_View.HideBand();
    m_View.SelectWithinRect(MapRect{m_PressPoint.x, m_PressPoint.y, point.x, point.y}.Normalized(), true);
  }
  m_Mode = kNone;
}

void CSelectTool::OnLButtonDblClk(MapPoint point, unsigned) {
  if (CShape* shape = GetDocument().ShapeAt(point)) shape->OnDoubleClick(point);
}

void CSelectTool::EndDrag() {
  if (m_Mode == kResize && m_ResizedShape && m_ResizedShape->IsTracking()) m_ResizedShape->EndTrack();
  if (m_Mode != kMove) return;
  for (CShape* selected : m_View.GetSelection())
    if (selected->IsTracking()) selected->EndTrack();
}

void CSelectTool::Cancel() {
  EndDrag();
  if (m_Mode == kBand) m_View.HideBand();
  m_Mode = kNone;
}
