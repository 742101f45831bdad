#pragma once
// CTopologyVisualView: the pane that shows the topology map. It scrolls and zooms the map document,
// paints it double-buffered (background colour, dot grid, background picture, shapes, selection handles,
// the rubber band), hands the mouse to its current tool in map units, refuses moves that would take the
// selection off the map, shows a tip for the AP or switch under the pointer, edits a link's caption in
// place, reloads the map on the refresh message and stores moved positions when it goes.
#include <wx/scrolwin.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "mapmodel/MapView.h"
#include "mapmodel/ShapeList.h"
#include "platform/Window.h"
#include "uibase/FrameView.h"

class CApTool;
class CConnectorTwistTool;
class CGuiMessageReceiver;
class CMapTipWindow;
class CPellionDoc;
class CSelectTool;
class CSwitchTool;
class CTool;
class wxTextCtrl;

class CTopologyVisualView : public wxScrolledCanvas, public IMapView, public IFrameView {
 public:
  // The text of the tip for a shape; empty shows none.
  using TipTextSource = std::function<std::string(const CShape& shape)>;

  CTopologyVisualView(wxWindow* parent, CPellionDoc& document);
  ~CTopologyVisualView() override;

  // IMapView.
  CMapDocument& GetDocument() override;
  void Select(CShape* shape, bool add) override;
  void Deselect(CShape* shape) override;
  void ClearSelection() override;
  bool IsSelected(const CShape* shape) const override;
  const CShapeList& GetSelection() const override { return m_Selection; }
  void SelectWithinRect(const MapRect& rect, bool add) override;
  MapPoint SnapPoint(MapPoint point) const override { return point; }
  MapRect SnapRect(const MapRect& rect) const { return rect; }
  void ShowBand(const MapRect& rect) override;
  void HideBand() override;
  void Redraw() override;
  void EditLabel(std::string& target, const MapRect& rect, const MapFont& font, int style) override;
  std::optional<MapRect> GetVisibleMapRect() const override;

  // IFrameView: a full reload goes through the refresh message, else the devices' states are reread.
  void RefreshView(bool fullReload) override;

  CPellionDoc& GetPellionDoc() { return m_Document; }
  platform::WindowId GetWindowId() const { return m_WindowId; }

  // Coordinates: client pixels and map units.
  MapPoint ClientToDocPoint(const wxPoint& point) const;
  MapRect ClientToDocRect(const wxRect& rect) const;
  wxPoint DocToClientPoint(MapPoint point) const;
  wxRect DocToClientRect(const MapRect& rect) const;

  void SetZoom(double zoom);
  double GetZoom() const { return m_Zoom; }
  void ZoomIn();
  void ZoomOut();
  void ShowGrid(bool shown);
  bool IsGridShown() const { return m_GridShown; }
  // 0 none or another kind, 1 switch, 2 AP, 3 router, 4 host group: the first selected shape's kind.
  int GetSelectedShapeType() const;

  void EndLabelEdit();
  bool IsEditingLabel() const { return m_LabelEditor != nullptr; }
  wxTextCtrl* GetLabelEditor() const { return m_LabelEditor; }

  // True when moving the selection by the pointer's step to the map point would put a shape off the map.
  bool IsMoveOutsideMap(MapPoint point) const;
  // Shows the tip of the shape when the pointer came onto another shape than last time.
  void UpdateTip(CShape* shape);
  void SetTipTextSource(TipTextSource source) { m_TipText = std::move(source); }
  CMapTipWindow* GetTipWindow() const { return m_Tip; }

  // Reloads the map from the database, as the refresh message asks.
  void OnMapRefresh();
  // Draws the map part that the rectangle of client pixels shows onto the context, whose origin is the
  // rectangle's top-left corner.
  void DrawMapArea(wxDC& dc, const wxRect& client);

 private:
  void OnPaint(wxPaintEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnLeftUp(wxMouseEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnLeftDClick(wxMouseEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);
  void DrawGrid(wxDC& dc, const MapRect& area, wxPoint origin);
  void MakeSelectToolCurrent();
  std::string DefaultTipText(const CShape& shape) const;
  static unsigned KeyFlags(const wxMouseEvent& event);
  void SaveChangedPositions();

  CPellionDoc& m_Document;
  double m_Zoom = 1.0;
  bool m_GridShown = false;
  int m_GridStepX = 10;
  int m_GridStepY = 10;
  std::unique_ptr<CSelectTool> m_SelectTool;
  std::unique_ptr<CSwitchTool> m_SwitchTool;
  std::unique_ptr<CConnectorTwistTool> m_ConnectorTool;
  std::unique_ptr<CApTool> m_ApTool;
  CTool* m_CurrentTool = nullptr;
  CShapeList m_Selection;
  wxTextCtrl* m_LabelEditor = nullptr;
  std::string* m_LabelTarget = nullptr;
  CMapTipWindow* m_Tip = nullptr;
  TipTextSource m_TipText;
  // Only compared with: the shape the tip was last considered for.
  const CShape* m_LastHovered = nullptr;
  bool m_ButtonDown = false;
  std::optional<MapRect> m_Band;
  std::shared_ptr<CGuiMessageReceiver> m_Receiver;
  platform::WindowId m_WindowId = platform::kNoWindow;
};
