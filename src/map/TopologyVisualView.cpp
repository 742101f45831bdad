#include "map/TopologyVisualView.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/textctrl.h>
#include <wx/app.h>
#include <wx/utils.h>

#include <cassert>
#include <cmath>

#include "db/ApListDBManager.h"
#include "map/MapTipWindow.h"
#include "map/WxMapCanvas.h"
#include "mapmodel/ApShape.h"
#include "mapmodel/ApTool.h"
#include "mapmodel/ConnectorTwistTool.h"
#include "mapmodel/HostGroupShape.h"
#include "mapmodel/PellionDoc.h"
#include "mapmodel/RouterShape.h"
#include "mapmodel/SelectTool.h"
#include "mapmodel/SwitchShape.h"
#include "mapmodel/SwitchTool.h"
#include "platform/MessageIds.h"
#include "uibase/GuiMessageReceiver.h"

namespace {

// The editor's own id among the view's children.
constexpr int kLabelEditorId = 1;

wxString TipLines(const std::string& text) {
  wxString lines = wxString::FromUTF8(text);
  lines.Replace("\\n", "\n");
  return lines;
}

}  // namespace

CTopologyVisualView::CTopologyVisualView(wxWindow* parent, CPellionDoc& document)
    : wxScrolledCanvas(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxHSCROLL | wxVSCROLL | wxWANTS_CHARS),
      m_Document(document),
      m_SelectTool(std::make_unique<CSelectTool>(*this)),
      m_SwitchTool(std::make_unique<CSwitchTool>(*this)),
      m_ConnectorTool(std::make_unique<CConnectorTwistTool>(*this)),
      m_ApTool(std::make_unique<CApTool>(*this)),
      m_CurrentTool(m_SelectTool.get()) {
  // Painting covers every pixel, so the background is never erased first.
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetScrollRate(10, 10);
  m_TipText = [this](const CShape& shape) { return DefaultTipText(shape); };
  Bind(wxEVT_PAINT, &CTopologyVisualView::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &CTopologyVisualView::OnLeftDown, this);
  Bind(wxEVT_LEFT_UP, &CTopologyVisualView::OnLeftUp, this);
  Bind(wxEVT_MOTION, &CTopologyVisualView::OnMotion, this);
  Bind(wxEVT_LEFT_DCLICK, &CTopologyVisualView::OnLeftDClick, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &CTopologyVisualView::OnCaptureLost, this);
  Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    Refresh(false);
    event.Skip();
  });

  m_Receiver = std::make_shared<CGuiMessageReceiver>(this, [this](const platform::Message& message) -> std::intptr_t {
    if (message.id == msg::WM_TOPOLOGY_RELOAD) OnMapRefresh();
    return 0;
  });
  m_WindowId = platform::RegisterWindow(m_Receiver);

  m_Document.AddView(this);
  SetActiveMapView(this);
  // What the first showing does: the grid of the theme, the map's size, the unplaced devices within the
  // window, and the device the other views have as current.
  m_GridStepX = m_Document.GetTheme().GetGridStepX();
  m_GridStepY = m_Document.GetTheme().GetGridStepY();
  m_Tip = new CMapTipWindow(this);
  SetZoom(m_Zoom);
  if (auto visible = GetVisibleMapRect()) m_Document.ArrangeUnplacedShapes(*visible);
  if (CShape* shape = m_Document.FindShapeByMac(m_Document.GetSelectedDeviceMac())) Select(shape, true);
}

CTopologyVisualView::~CTopologyVisualView() {
  auto* first = m_Selection.IsEmpty() ? nullptr : dynamic_cast<CDeviceShape*>(m_Selection.GetHead());
  m_Document.SetSelectedDeviceMac(first ? first->GetMacAddress() : std::string());
  SaveChangedPositions();
  m_CurrentTool->Cancel();
  m_Receiver->Detach();
  platform::UnregisterWindow(m_WindowId);
  m_Document.RemoveView(this);
  if (GetActiveMapView() == this) SetActiveMapView(nullptr);
}

void CTopologyVisualView::SaveChangedPositions() {
  if (!m_Document.IsPositionsChanged()) return;
  wxBusyCursor wait;
  m_Document.SaveTopologyPositions();
  m_Document.SetPositionsChanged(0);
}

CMapDocument& CTopologyVisualView::GetDocument() { return m_Document; }

void CTopologyVisualView::Select(CShape* shape, bool add) {
  assert(shape);
  if (!add) m_Selection.RemoveAll();
  if (!m_Selection.Find(shape)) m_Selection.AddTail(shape);
  Redraw();
}

void CTopologyVisualView::Deselect(CShape* shape) {
  assert(shape);
  if (m_Selection.Remove(shape)) Redraw();
}

void CTopologyVisualView::ClearSelection() {
  m_Selection.RemoveAll();
  Redraw();
}

bool CTopologyVisualView::IsSelected(const CShape* shape) const {
  assert(shape);
  return m_Selection.Find(shape);
}

void CTopologyVisualView::SelectWithinRect(const MapRect& rect, bool add) {
  if (!add) m_Selection.RemoveAll();
  m_Document.CollectShapesInRect(rect, m_Selection);
  Redraw();
}

void CTopologyVisualView::ShowBand(const MapRect& rect) {
  m_Band = rect;
  Redraw();
}

void CTopologyVisualView::HideBand() {
  m_Band.reset();
  Redraw();
}

void CTopologyVisualView::Redraw() {
  Refresh(false);
  Update();
}

std::optional<MapRect> CTopologyVisualView::GetVisibleMapRect() const {
  return ClientToDocRect(wxRect(wxPoint(0, 0), GetClientSize()));
}

void CTopologyVisualView::RefreshView(bool fullReload) {
  if (fullReload) {
    platform::SendMessage(m_WindowId, msg::WM_TOPOLOGY_RELOAD);
  } else {
    m_Document.RefreshDeviceStates();
  }
}

void CTopologyVisualView::OnMapRefresh() {
  // The caption being edited belongs to a link the refresh deletes.
  EndLabelEdit();
  m_CurrentTool->Cancel();
  MakeSelectToolCurrent();
  wxBusyCursor wait;
  m_Document.RefreshFromDatabase();
}

void CTopologyVisualView::MakeSelectToolCurrent() { m_CurrentTool = m_SelectTool.get(); }

// Map units to pixels as the map's extent over the zoomed extent, each truncated to whole pixels.
MapPoint CTopologyVisualView::ClientToDocPoint(const wxPoint& point) const {
  const wxPoint unscrolled = CalcUnscrolledPosition(point);
  const int mapWidth = m_Document.GetMapWidth();
  const int mapHeight = m_Document.GetMapHeight();
  const int zoomedWidth = std::max(1, static_cast<int>(mapWidth * m_Zoom));
  const int zoomedHeight = std::max(1, static_cast<int>(mapHeight * m_Zoom));
  return {static_cast<int>(std::floor(static_cast<double>(unscrolled.x) * mapWidth / zoomedWidth)),
          static_cast<int>(std::floor(static_cast<double>(unscrolled.y) * mapHeight / zoomedHeight))};
}

wxPoint CTopologyVisualView::DocToClientPoint(MapPoint point) const {
  const int mapWidth = m_Document.GetMapWidth();
  const int mapHeight = m_Document.GetMapHeight();
  const int zoomedWidth = static_cast<int>(mapWidth * m_Zoom);
  const int zoomedHeight = static_cast<int>(mapHeight * m_Zoom);
  const wxPoint device(static_cast<int>(std::floor(static_cast<double>(point.x) * zoomedWidth / mapWidth)),
                       static_cast<int>(std::floor(static_cast<double>(point.y) * zoomedHeight / mapHeight)));
  return CalcScrolledPosition(device);
}

MapRect CTopologyVisualView::ClientToDocRect(const wxRect& rect) const {
  const MapPoint a = ClientToDocPoint(rect.GetTopLeft());
  const MapPoint b = ClientToDocPoint(rect.GetTopLeft() + rect.GetSize());
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

wxRect CTopologyVisualView::DocToClientRect(const MapRect& rect) const {
  const wxPoint a = DocToClientPoint({rect.left, rect.top});
  const wxPoint b = DocToClientPoint({rect.right, rect.bottom});
  return wxRect(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y));
}

void CTopologyVisualView::SetZoom(double zoom) {
  assert(zoom > 0);
  m_Zoom = zoom;
  SetVirtualSize(static_cast<int>(m_Document.GetMapWidth() * zoom), static_cast<int>(m_Document.GetMapHeight() * zoom));
  Redraw();
}

void CTopologyVisualView::ZoomIn() { SetZoom(m_Zoom + 0.1); }

void CTopologyVisualView::ZoomOut() { SetZoom(m_Zoom - 0.1 > 0.1 ? m_Zoom - 0.1 : 0.1); }

void CTopologyVisualView::ShowGrid(bool shown) {
  m_GridShown = shown;
  Redraw();
}

int CTopologyVisualView::GetSelectedShapeType() const {
  if (m_Selection.IsEmpty()) return 0;
  const CShape* first = m_Selection.GetHead();
  if (dynamic_cast<const CApShape*>(first)) return 2;
  if (dynamic_cast<const CSwitchShape*>(first)) return 1;
  if (dynamic_cast<const CRouterShape*>(first)) return 3;
  if (dynamic_cast<const CHostGroupShape*>(first)) return 4;
  return 0;
}

void CTopologyVisualView::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  // The whole damaged area goes off screen first and onto the window in one copy: no flicker.
  wxRect area = GetUpdateRegion().GetBox();
  if (area.IsEmpty()) return;
  wxBitmap buffer(area.GetSize());
  wxMemoryDC memory(buffer);
  DrawMapArea(memory, area);
  memory.SelectObject(wxNullBitmap);
  dc.DrawBitmap(buffer, area.GetTopLeft());
}

void CTopologyVisualView::DrawMapArea(wxDC& dc, const wxRect& client) {
  const wxPoint origin = CalcUnscrolledPosition(client.GetTopLeft());
  dc.SetBackground(wxBrush(MapColour(m_Document.GetTheme().GetBackgroundColor())));
  dc.Clear();
  MapRect area = ClientToDocRect(client);
  area = {area.left - 1, area.top - 1, area.right + 1, area.bottom + 1};
  if (m_GridShown) DrawGrid(dc, area, origin);
  CWxMapCanvas canvas(dc, m_Zoom, origin);
  m_Document.DrawMap(canvas);
  for (const CShape* shape : m_Selection) shape->DrawHandles(canvas);
  if (m_Band) {
    canvas.SetPen({kMapPenDot, 0, Rgb(0, 0, 0)});
    canvas.SetBrush(std::nullopt);
    canvas.Rectangle(*m_Band);
  }
}

void CTopologyVisualView::DrawGrid(wxDC& dc, const MapRect& area, wxPoint origin) {
  if (m_GridStepX <= 0 || m_GridStepY <= 0) return;
  dc.SetPen(wxPen(MapColour(m_Document.GetTheme().GetGridColor())));
  const int right = area.right + m_GridStepX;
  const int bottom = area.bottom + m_GridStepY;
  const int x0 = (area.left - m_GridStepX) / m_GridStepX * m_GridStepX;
  const int y0 = (area.top - m_GridStepY) / m_GridStepY * m_GridStepY;
  for (int y = y0; y < bottom; y += m_GridStepY)
    for (int x = x0; x < right; x += m_GridStepX)
      dc.DrawPoint(static_cast<int>(x * m_Zoom) - origin.x, static_cast<int>(y * m_Zoom) - origin.y);
}

unsigned CTopologyVisualView::KeyFlags(const wxMouseEvent& event) { return event.ControlDown() ? kKeyControl : 0; }

void CTopologyVisualView::OnLeftDown(wxMouseEvent& event) {
  SetFocus();
  m_ButtonDown = true;
  m_CurrentTool->OnLButtonDown(ClientToDocPoint(event.GetPosition()), KeyFlags(event));
  if (!HasCapture()) CaptureMouse();
}

void CTopologyVisualView::OnLeftUp(wxMouseEvent& event) {
  m_ButtonDown = false;
  if (HasCapture()) ReleaseMouse();
  const MapPoint point = ClientToDocPoint(event.GetPosition());
  m_CurrentTool->OnLButtonUp(m_GridShown ? SnapPoint(point) : point, KeyFlags(event));
  MakeSelectToolCurrent();
}

void CTopologyVisualView::OnMotion(wxMouseEvent& event) {
  const MapPoint point = ClientToDocPoint(event.GetPosition());
  if (!IsMoveOutsideMap(point)) m_CurrentTool->OnMouseMove(m_GridShown ? SnapPoint(point) : point, KeyFlags(event));
  if (!m_ButtonDown) UpdateTip(m_Document.ShapeAt(point));
}

void CTopologyVisualView::OnLeftDClick(wxMouseEvent& event) {
  m_CurrentTool->OnLButtonDblClk(ClientToDocPoint(event.GetPosition()), KeyFlags(event));
}

void CTopologyVisualView::OnCaptureLost(wxMouseCaptureLostEvent&) {
  m_ButtonDown = false;
  m_CurrentTool->Cancel();
  MakeSelectToolCurrent();
}

bool CTopologyVisualView::IsMoveOutsideMap(MapPoint point) const {
  const int width = m_Document.GetMapWidth();
  const int height = m_Document.GetMapHeight();
  for (auto it = m_Selection.rbegin(); it != m_Selection.rend(); ++it) {
    const MapPoint moved = (*it)->GetPosition() + (point - (*it)->GetTrackPoint());
    if (moved.x < 0 || moved.x >= width - 40 || moved.y < 0 || moved.y > height - 30) return true;
  }
  return false;
}

std::string CTopologyVisualView::DefaultTipText(const CShape& shape) const {
  if (auto* ap = dynamic_cast<const CApShape*>(&shape)) return ApListDBManager().GetApTooltipText(ap->GetMacAddress());
  if (auto* sw = dynamic_cast<const CSwitchShape*>(&shape)) {
    std::string ip;
    m_Document.GetDeviceIpByMac(sw->GetMacAddress(), ip);
    return sw->GetName() + "\\n" + ip + "\\n" + sw->GetMacAddress();
  }
  return {};
}

void CTopologyVisualView::UpdateTip(CShape* shape) {
  if (shape == m_LastHovered) return;
  m_LastHovered = shape;
  const std::string text = shape ? m_TipText(*shape) : std::string();
  if (text.empty()) return;
  m_Tip->Hide();
  const wxRect area = DocToClientRect(shape->GetRect());
  m_Tip->ShowText(TipLines(text), ClientToScreen(area.GetBottomRight()));
}

void CTopologyVisualView::EditLabel(std::string& target, const MapRect& rect, const MapFont& font, int style) {
  assert(!m_LabelEditor);
  const long align = style == 1 ? wxTE_CENTRE : 0;
  const wxRect area = DocToClientRect(rect);
  m_LabelEditor = new wxTextCtrl(this, kLabelEditorId, wxString::FromUTF8(target), area.GetTopLeft(),
                                 area.GetSize(), align | wxTE_PROCESS_ENTER);
  const MapFont scaled = m_Document.GetTheme().ScaleFont(font, m_Zoom);
  m_LabelEditor->SetFont(wxFont(wxFontInfo(wxSize(0, std::max(1, std::abs(scaled.height)))).FaceName(scaled.face)));
  m_LabelTarget = &target;
  // The edit ends with Enter or when another window of the program takes the focus (a click on the map
  // too), and its text is written back. Focus leaving the program keeps the editor open.
  m_LabelEditor->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { EndLabelEdit(); });
  m_LabelEditor->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
    event.Skip();
    if (event.GetWindow()) CallAfter([this] { EndLabelEdit(); });
  });
  m_LabelEditor->SetFocus();
}

void CTopologyVisualView::EndLabelEdit() {
  if (!m_LabelEditor) return;
  *m_LabelTarget = m_LabelEditor->GetValue().utf8_string();
  wxTextCtrl* editor = std::exchange(m_LabelEditor, nullptr);
  m_LabelTarget = nullptr;
  // The edit may end inside one of the editor's own handlers: it goes once they have returned.
  editor->Hide();
  wxTheApp->ScheduleForDestruction(editor);
  m_Document.OnShapeChanged(nullptr);
}
