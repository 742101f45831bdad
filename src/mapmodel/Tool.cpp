#include "mapmodel/Tool.h"

#include "mapmodel/MapGeometry.h"
#include "mapmodel/MapView.h"

void CTool::OnLButtonDown(MapPoint, unsigned) {}
void CTool::OnLButtonUp(MapPoint, unsigned) {}
void CTool::OnMouseMove(MapPoint, unsigned) {}
void CTool::OnLButtonDblClk(MapPoint, unsigned) {}
CMapDocument& CTool::GetDocument() { return m_View.GetDocument(); }
