#include "controls/SizingControlBar.h"

#include <wx/dcbuffer.h>
#include <wx/minifram.h>
#include <wx/settings.h>

#include <algorithm>
#include <functional>

#include "platform/IniStore.h"

using sizingbar::BarSize;
using sizingbar::Dock;

namespace {

wxRect ToWx(const ControlRect& rect) { return {rect.left, rect.top, rect.Width(), rect.Height()}; }

int EdgeIndexOf(int hit) {
  switch (hit) {
    case sizingbar::HTLEFT: return 0;
    case sizingbar::HTTOP: return 1;
    case sizingbar::HTRIGHT: return 2;
    case sizingbar::HTBOTTOM: return 3;
    default: return -1;
  }
}

void DrawRaised(wxDC& dc, const wxRect& rect) {
  dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT)));
  dc.DrawLine(rect.GetLeft(), rect.GetBottom(), rect.GetLeft(), rect.GetTop());
  dc.DrawLine(rect.GetLeft(), rect.GetTop(), rect.GetRight(), rect.GetTop());
  dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
  dc.DrawLine(rect.GetRight(), rect.GetTop(), rect.GetRight(), rect.GetBottom());
  dc.DrawLine(rect.GetRight(), rect.GetBottom(), rect.GetLeft() - 1, rect.GetBottom());
}

void ForEachBar(wxWindow* window, const std::function<void(CSizingControlBar&)>& visit) {
  if (auto* bar = dynamic_cast<CSizingControlBar*>(window)) visit(*bar);
  for (wxWindow* child : window->GetChildren()) ForEachBar(child, visit);
}

}  // namespace

// ---- CSizingControlBar ----

CSizingControlBar::CSizingControlBar() : CSizingControlBar(false) {}

CSizingControlBar::CSizingControlBar(bool gripper) : m_model(gripper) {}

CSizingControlBar::~CSizingControlBar() {
  if (HasCapture()) ReleaseMouse();
}

bool CSizingControlBar::CreateBar(const std::string& name, wxWindow* parent, wxWindowID id, unsigned style) {
  if (!Create(parent, id, wxDefaultPosition, wxDefaultSize, wxCLIP_CHILDREN | wxFULL_REPAINT_ON_RESIZE,
              wxString::FromUTF8(name)))
    return false;
  SetLabel(wxString::FromUTF8(name));
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  m_model.SetStyle(style & (sizingbar::kPaintEdges | sizingbar::kSizeChild));
  m_home = dynamic_cast<CSizingDockBar*>(parent);
  m_model.SetDock(m_home ? m_home->Side() : Dock::Floating);
  Bind(wxEVT_PAINT, &CSizingControlBar::OnPaint, this);
  Bind(wxEVT_SIZE, &CSizingControlBar::OnSize, this);
  Bind(wxEVT_LEFT_DOWN, &CSizingControlBar::OnLeftDown, this);
  Bind(wxEVT_LEFT_UP, &CSizingControlBar::OnLeftUp, this);
  Bind(wxEVT_RIGHT_DOWN, &CSizingControlBar::OnLeftUp, this);  // a right click ends a drag too
  Bind(wxEVT_MOTION, &CSizingControlBar::OnMotion, this);
  Bind(wxEVT_LEFT_DCLICK, &CSizingControlBar::OnDoubleClick, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &CSizingControlBar::OnCaptureLost, this);
  if (m_home) m_home->LayoutRow();
  return true;
}

bool CSizingControlBar::CreateBar(const std::string& name, wxWindow* parent, const wxSize& defaultSize, bool,
                                  wxWindowID id, unsigned style) {
  m_model.SetDefaultSize({defaultSize.x, defaultSize.y});
  return CreateBar(name, parent, id, style);
}

void CSizingControlBar::LoadSizes(const platform::CIniStore& store, const std::string& profile) {
  m_model.LoadSizes(store, profile, GetId());
}

void CSizingControlBar::SaveSizes(platform::CIniStore& store, const std::string& profile) const {
  m_model.SaveSizes(store, profile, GetId());
}

void CSizingControlBar::LoadSizes(const std::string& profile) { LoadSizes(platform::CIniStore(), profile); }

void CSizingControlBar::SaveSizes(const std::string& profile) {
  platform::CIniStore store;
  SaveSizes(store, profile);
  store.Save();
}

void CSizingControlBar::LoadAllSizes(wxWindow* frame, const std::string& profile) {
  const platform::CIniStore store;
  ForEachBar(frame, [&](CSizingControlBar& bar) { bar.LoadSizes(store, profile); });
}

void CSizingControlBar::SaveAllSizes(wxWindow* frame, const std::string& profile) {
  platform::CIniStore store;
  ForEachBar(frame, [&](CSizingControlBar& bar) { bar.SaveSizes(store, profile); });
  store.Save();
}

void CSizingControlBar::SetLabel(const wxString& label) {
  wxWindow::SetLabel(label);
  if (m_floatFrame) m_floatFrame->SetTitle(label);
}

CSizingDockBar* CSizingControlBar::Dock() const { return IsFloating() ? nullptr : m_home; }

ControlRect CSizingControlBar::WindowRect() const {
  const wxSize size = GetSize();
  return {0, 0, size.x, size.y};
}

wxRect CSizingControlBar::ClientArea() const {
  sizingbar::CSizingBarModel model = m_model;  // the area only; the edges are the layout's business
  return ToWx(model.CalcClientArea(WindowRect()));
}

void CSizingControlBar::OnSize(wxSizeEvent& event) {
  event.Skip();
  if (!(m_model.Style() & sizingbar::kSizeChild)) return;
  const wxWindowList& children = GetChildren();
  wxASSERT_MSG(children.size() <= 1, "a sizing bar keeps one child at its client size");
  if (!children.empty()) children.front()->SetSize(ClientArea());
}

void CSizingControlBar::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
  dc.Clear();
  const wxRect client = ToWx(m_model.CalcClientArea(WindowRect()));
  if (m_model.Style() & sizingbar::kPaintEdges)
    for (int edge = 0; edge < 4; ++edge) {
      const ControlRect rect = m_model.EdgeRect(WindowRect(), edge);
      if (!rect.IsEmpty()) DrawRaised(dc, ToWx(rect));
    }
  PaintGripper(dc, client);
}

void CSizingControlBar::PaintGripper(wxDC&, const wxRect&) {}

void CSizingControlBar::OnLeftDown(wxMouseEvent& event) {
  CSizingDockBar* dock = Dock();
  const int hit = m_model.HitTest(WindowRect(), {event.GetX(), event.GetY()});
  m_closePressed = hit == sizingbar::HTCLOSE;
  const int edge = EdgeIndexOf(hit);
  if (m_drag || !dock || edge < 0) {
    event.Skip();
    return;
  }
  const std::vector<CSizingControlBar*> bars = dock->RowBars();
  const int self = static_cast<int>(std::find(bars.begin(), bars.end(), this) - bars.begin());
  const wxPoint screen = ClientToScreen(event.GetPosition());
  const bool alongX = edge == 0 || edge == 2;
  const wxSize frame = dock->GetParent()->GetClientSize();
  const int room = std::max(0, (dock->IsHorizontal() ? frame.y - dock->GetSize().y : frame.x - dock->GetSize().x) - 2);
  m_drag = std::make_unique<sizingbar::CEdgeDrag>(dock->Row(), self, edge, dock->IsHorizontal(),
                                                  alongX ? screen.x : screen.y, room);
  m_dragAlongX = alongX;
  CaptureMouse();
}

void CSizingControlBar::OnMotion(wxMouseEvent& event) {
  event.Skip();
  CSizingDockBar* dock = Dock();
  if (!m_drag || !dock) return;
  const wxPoint screen = ClientToScreen(event.GetPosition());
  std::vector<sizingbar::RowBar> row = dock->Row();
  if (m_drag->Update(row, m_dragAlongX ? screen.x : screen.y)) {
    dock->TakeRow(row);
    dock->LayoutRow();  // live resize: the row follows the pointer
  }
}

void CSizingControlBar::OnLeftUp(wxMouseEvent& event) {
  event.Skip();
  if (m_drag) StopResize();
  const bool onClose = m_model.HitTest(WindowRect(), {event.GetX(), event.GetY()}) == sizingbar::HTCLOSE;
  if (event.LeftUp() && m_closePressed && onClose) {
    Hide();
    if (CSizingDockBar* dock = Dock()) dock->LayoutRow();
  }
  m_closePressed = false;
}

void CSizingControlBar::OnCaptureLost(wxMouseCaptureLostEvent&) { m_drag.reset(); }

void CSizingControlBar::StopResize() {
  m_drag.reset();
  if (HasCapture()) ReleaseMouse();
  if (CSizingDockBar* dock = Dock()) dock->LayoutRow();
}

void CSizingControlBar::OnDoubleClick(wxMouseEvent& event) {
  if (EdgeIndexOf(m_model.HitTest(WindowRect(), {event.GetX(), event.GetY()})) >= 0) return;
  ToggleDocking();
}

void CSizingControlBar::ToggleDocking() {
  if (IsFloating()) {
    wxMiniFrame* frame = m_floatFrame;
    m_floatFrame = nullptr;
    Reparent(m_home);
    m_model.SetDock(m_home->Side());
    frame->Destroy();
    m_home->LayoutRow();
    return;
  }
  if (!m_home) return;
  const wxPoint at = GetScreenPosition();
  const BarSize size = m_model.FloatSize();
  m_floatFrame = new wxMiniFrame(wxGetTopLevelParent(m_home), wxID_ANY, GetLabel(), at, wxDefaultSize,
                                 wxCAPTION | wxRESIZE_BORDER | wxCLOSE_BOX | wxFRAME_FLOAT_ON_PARENT);
  Reparent(m_floatFrame);
  m_model.SetDock(Dock::Floating);
  m_floatFrame->SetMinClientSize(wxSize(sizingbar::CSizingBarModel::kMinFloat.cx,
                                        sizingbar::CSizingBarModel::kMinFloat.cy));
  m_floatFrame->SetClientSize(size.cx, size.cy);
  SetSize(m_floatFrame->GetClientSize());
  m_floatFrame->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    event.Skip();
    const wxSize client = m_floatFrame->GetClientSize();
    m_model.FloatSize().cx = client.x;
    m_model.ResizeFloatingLength(client.y, true);  // raised to its minimum
    SetSize(client);
  });
  m_floatFrame->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { ToggleDocking(); });
  m_floatFrame->Show();
  m_home->LayoutRow();
}

// ---- CSizingControlBarG ----

CSizingControlBarG::CSizingControlBarG() : CSizingControlBar(true) {}

void CSizingControlBarG::PaintGripper(wxDC& dc, const wxRect& client) {
  if (!Model().ShowsGripper()) return;
  const ControlRect button = Model().CloseButton();
  wxRect inner = client;
  inner.Deflate(1);
  const bool horizontal = !Model().IsDockedLeftOrRight();
  for (int line = 0; line < 2; ++line) {
    const int offset = 3 * line;
    const wxRect strip = horizontal ? wxRect(inner.x - sizingbar::kGripperRoom + offset, button.bottom + 3, 3,
                                             inner.GetBottom() - button.bottom - 3)
                                    : wxRect(inner.x, inner.y - sizingbar::kGripperRoom + offset,
                                             button.left - 3 - inner.x, 3);
    DrawRaised(dc, strip);
  }
  const wxRect close = ToWx(button);
  DrawRaised(dc, close);
  dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT)));
  dc.DrawLine(close.x + 3, close.y + 3, close.GetRight() - 2, close.GetBottom() - 2);
  dc.DrawLine(close.GetRight() - 3, close.y + 3, close.x + 2, close.GetBottom() - 2);
}

// ---- CSizingDockBar ----

CSizingDockBar::CSizingDockBar(wxWindow* parent, Dock side) : wxWindow(parent, wxID_ANY), m_side(side) {
  Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    event.Skip();
    LayoutRow();
  });
}

std::vector<CSizingControlBar*> CSizingDockBar::RowBars() const {
  std::vector<CSizingControlBar*> bars;
  for (wxWindow* child : GetChildren())
    if (auto* bar = dynamic_cast<CSizingControlBar*>(child); bar && bar->IsShown()) bars.push_back(bar);
  return bars;
}

std::vector<sizingbar::RowBar> CSizingDockBar::Row() const {
  std::vector<sizingbar::RowBar> row;
  for (CSizingControlBar* bar : RowBars()) row.push_back(bar->Model().AsRowBar(IsHorizontal()));
  return row;
}

void CSizingDockBar::TakeRow(const std::vector<sizingbar::RowBar>& row) {
  const std::vector<CSizingControlBar*> bars = RowBars();
  for (size_t i = 0; i < bars.size() && i < row.size(); ++i) bars[i]->Model().TakeRowBar(row[i], IsHorizontal());
}

void CSizingDockBar::LayoutRow() {
  const std::vector<CSizingControlBar*> bars = RowBars();
  const bool horizontal = IsHorizontal();
  std::vector<sizingbar::RowBar> row = Row();
  const wxSize size = GetClientSize();
  if (!row.empty() && (horizontal ? size.x : size.y) > 0) {
    sizingbar::NegotiateRowSpace(row, 0, horizontal ? size.x + 2 : size.y - 2);
    TakeRow(row);
  }
  const std::vector<int> positions = sizingbar::AlignRow(row, horizontal);
  int thickness = 0;
  for (size_t i = 0; i < bars.size(); ++i) {
    bars[i]->Model().UpdateEdges(i == 0, i + 1 == bars.size());
    // A horizontal row starts at -2: the outer ends hang 2 pixels past the row, neighbours overlap by 2.
    const int start = positions[i];
    thickness = std::max(thickness, row[i].thickness);
    if (horizontal)
      bars[i]->SetSize(start, 0, row[i].length, row[i].thickness);
    else
      bars[i]->SetSize(0, start, row[i].thickness, row[i].length);
    bars[i]->Refresh();
  }
  const wxSize wanted = horizontal ? wxSize(-1, thickness) : wxSize(thickness, -1);
  if (wanted != GetMinSize()) {
    SetMinSize(wanted);
    GetParent()->Layout();
  }
}
