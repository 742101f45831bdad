#include "controls/MultiTree.h"

#include <wx/dcbuffer.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include <algorithm>
#include <cstdlib>

wxDEFINE_EVENT(EVT_MULTITREE_SEL_CHANGING, wxNotifyEvent);
wxDEFINE_EVENT(EVT_MULTITREE_SEL_CHANGED, wxCommandEvent);
wxDEFINE_EVENT(EVT_MULTITREE_CLICK, wxCommandEvent);
wxDEFINE_EVENT(EVT_MULTITREE_RCLICK, wxCommandEvent);
wxDEFINE_EVENT(EVT_MULTITREE_BEGIN_DRAG, wxCommandEvent);
wxDEFINE_EVENT(EVT_MULTITREE_BEGIN_RDRAG, wxCommandEvent);

using multitree::Button;
using multitree::ItemId;
using multitree::kNoItem;

namespace {
constexpr int kButtonSize = 9;
constexpr int kLabelGap = 4;
}  // namespace

CMultiTree::CMultiTree(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size,
                       bool dragDisabled)
    : wxScrolledCanvas(parent, id, position, size, wxBORDER_SUNKEN | wxWANTS_CHARS | wxVSCROLL | wxHSCROLL),
      m_dragDisabled(dragDisabled) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetScrollRate(1, kRowHeight);
  m_model.SetObserver(this);
  Bind(wxEVT_PAINT, &CMultiTree::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &CMultiTree::OnButtonDown, this);
  Bind(wxEVT_RIGHT_DOWN, &CMultiTree::OnButtonDown, this);
  Bind(wxEVT_LEFT_UP, &CMultiTree::OnButtonUp, this);
  Bind(wxEVT_RIGHT_UP, &CMultiTree::OnButtonUp, this);
  Bind(wxEVT_MOTION, &CMultiTree::OnMotion, this);
  Bind(wxEVT_KEY_DOWN, &CMultiTree::OnKeyDown, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &CMultiTree::OnCaptureLost, this);
  Bind(wxEVT_SET_FOCUS, &CMultiTree::OnFocusChange, this);
  Bind(wxEVT_KILL_FOCUS, &CMultiTree::OnFocusChange, this);
}

CMultiTree::~CMultiTree() {
  m_model.SetObserver(nullptr);
  if (HasCapture()) ReleaseMouse();
}

ItemId CMultiTree::InsertItem(const std::string& text, ItemId parent) {
  const ItemId item = m_model.InsertItem(text, parent);
  UpdateScrollRange();
  Refresh();
  return item;
}

void CMultiTree::Expand(ItemId item, bool expand) {
  m_model.Expand(item, expand);
  UpdateScrollRange();
  Refresh();
}

void CMultiTree::UpdateScrollRange() {
  const int rows = static_cast<int>(m_model.VisibleItems().size());
  SetVirtualSize(wxSize(GetClientSize().x, rows * kRowHeight));
}

int CMultiTree::ContentY(int clientY) const {
  int x = 0, y = 0;
  CalcUnscrolledPosition(0, clientY, &x, &y);
  return y;
}

wxRect CMultiTree::GetItemRect(ItemId item, bool labelOnly) const {
  const std::vector<ItemId> visible = m_model.VisibleItems();
  auto at = std::find(visible.begin(), visible.end(), item);
  if (at == visible.end()) return {};
  int x = 0, y = 0;
  CalcScrolledPosition(0, static_cast<int>(at - visible.begin()) * kRowHeight, &x, &y);
  const wxRect row(x, y, std::max(GetClientSize().x, GetVirtualSize().x), kRowHeight);
  if (!labelOnly) return row;
  const int left = x + (m_model.Depth(item) + 1) * kIndent + kLabelGap;
  const int width = GetTextExtent(wxString::FromUTF8(m_model.GetItemText(item))).x + 2 * kLabelGap;
  return {left, y, width, kRowHeight};
}

ItemId CMultiTree::HitTest(const wxPoint& point, bool* onButton, bool* onLabel) const {
  if (onButton) *onButton = false;
  if (onLabel) *onLabel = false;
  const int row = ContentY(point.y) / kRowHeight;
  const std::vector<ItemId> visible = m_model.VisibleItems();
  if (point.y < 0 || row < 0 || row >= static_cast<int>(visible.size())) return kNoItem;
  const ItemId item = visible[row];
  const wxRect label = GetItemRect(item, true);
  const int buttonLeft = label.x - kLabelGap - kIndent;
  if (onButton) *onButton = !m_model.GetChildren(item).empty() && point.x >= buttonLeft && point.x < label.x;
  if (onLabel) *onLabel = point.x >= label.x && point.x < label.GetRight();
  return item;
}

bool CMultiTree::SelChanging(ItemId item, bool selecting) {
  wxNotifyEvent event(EVT_MULTITREE_SEL_CHANGING, GetId());
  event.SetEventObject(this);
  event.SetInt(item);
  event.SetExtraLong(selecting ? 1 : 0);
  GetEventHandler()->ProcessEvent(event);
  return !event.IsAllowed();
}

void CMultiTree::SelChanged(ItemId item, bool selected) {
  wxCommandEvent event(EVT_MULTITREE_SEL_CHANGED, GetId());
  event.SetEventObject(this);
  event.SetInt(item);
  event.SetExtraLong(selected ? 1 : 0);
  GetEventHandler()->ProcessEvent(event);
  Refresh();
}

void CMultiTree::Clicked(Button button) {
  wxCommandEvent event(button == Button::Left ? EVT_MULTITREE_CLICK : EVT_MULTITREE_RCLICK, GetId());
  event.SetEventObject(this);
  GetEventHandler()->ProcessEvent(event);
}

void CMultiTree::BeginDrag(ItemId item, Button button) {
  wxCommandEvent event(button == Button::Left ? EVT_MULTITREE_BEGIN_DRAG : EVT_MULTITREE_BEGIN_RDRAG, GetId());
  event.SetEventObject(this);
  event.SetInt(item);
  GetEventHandler()->ProcessEvent(event);
}

void CMultiTree::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  DoPrepareDC(dc);
  dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
  dc.Clear();
  dc.SetFont(GetFont());
  const std::vector<ItemId> visible = m_model.VisibleItems();
  const bool focused = HasFocus();
  for (size_t row = 0; row < visible.size(); ++row) {
    const ItemId item = visible[row];
    const int y = static_cast<int>(row) * kRowHeight;
    const int indent = m_model.Depth(item) * kIndent;
    if (!m_model.GetChildren(item).empty()) {
      const wxRect button(indent + (kIndent - kButtonSize) / 2, y + (kRowHeight - kButtonSize) / 2, kButtonSize,
                          kButtonSize);
      wxRendererNative::Get().DrawTreeItemButton(this, dc, button,
                                                 m_model.IsExpanded(item) ? int{wxCONTROL_EXPANDED} : 0);
    }
    const wxString text = wxString::FromUTF8(m_model.GetItemText(item));
    const wxRect label(indent + kIndent + kLabelGap, y, dc.GetTextExtent(text).x + 2 * kLabelGap, kRowHeight);
    const bool selected = m_model.IsItemSelected(item);
    if (selected) {
      const wxColour back = wxSystemSettings::GetColour(focused ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_BTNFACE);
      dc.SetBrush(wxBrush(back));
      dc.SetPen(wxPen(back));
      dc.DrawRectangle(label);
    }
    dc.SetTextForeground(wxSystemSettings::GetColour(selected && focused ? wxSYS_COLOUR_HIGHLIGHTTEXT
                                                                          : wxSYS_COLOUR_WINDOWTEXT));
    dc.DrawText(text, label.x + kLabelGap, y + (kRowHeight - dc.GetCharHeight()) / 2);
    if (item == m_model.GetFocus() && focused) wxRendererNative::Get().DrawFocusRect(this, dc, label);
  }
  if (!m_band.IsEmpty()) {
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT), 1, wxPENSTYLE_DOT));
    dc.DrawRectangle(m_band);
  }
}

void CMultiTree::OnFocusChange(wxFocusEvent& event) {
  event.Skip();
  Refresh();  // selected items change colour with the focus
}

void CMultiTree::OnButtonDown(wxMouseEvent& event) {
  if (m_tracking != Tracking::None) return;
  const Button button = event.LeftDown() ? Button::Left : Button::Right;
  const multitree::Modifiers modifiers{event.ControlDown(), event.ShiftDown()};
  bool onButton = false, onLabel = false;
  const ItemId item = HitTest(event.GetPosition(), &onButton, &onLabel);
  SetFocus();
  if (onButton) {
    Expand(item, !m_model.IsExpanded(item));
    return;
  }
  m_button = button;
  m_modifiers = modifiers;
  m_pressContent = CalcUnscrolledPosition(event.GetPosition());
  m_band = wxRect();
  if (item != kNoItem && onLabel) {
    m_pressed = item;
    m_model.PreSelect(item, button, modifiers);
    m_tracking = Tracking::ClickOrDrag;
  } else {
    m_pressed = kNoItem;
    m_model.BeginBand(button, modifiers);
    m_tracking = Tracking::Band;
  }
  CaptureMouse();
  Refresh();
}

void CMultiTree::OnMotion(wxMouseEvent& event) {
  if (m_tracking == Tracking::None) return;
  const wxPoint press = CalcScrolledPosition(m_pressContent);
  const bool far = std::abs(event.GetPosition().x - press.x) > wxSystemSettings::GetMetric(wxSYS_DRAG_X, this) ||
                   std::abs(event.GetPosition().y - press.y) > wxSystemSettings::GetMetric(wxSYS_DRAG_Y, this);
  if (m_tracking == Tracking::ClickOrDrag) {
    if (!far) return;
    const ItemId item = m_pressed;
    EndTracking();
    m_model.Drag(item, m_button, m_dragDisabled);
    Refresh();
    return;
  }
  if (m_band.IsEmpty() && !far) return;
  UpdateBand(event.GetPosition());
}

void CMultiTree::UpdateBand(const wxPoint& client) {
  m_model.BandShown();
  // Beyond the window the list scrolls one line towards the pointer.
  const wxSize size = GetClientSize();
  int x = 0, y = 0;
  GetViewStart(&x, &y);
  if (client.y < 0) Scroll(x, y - 1);
  else if (client.y > size.y) Scroll(x, y + 1);
  const wxPoint pointer = CalcUnscrolledPosition(client);
  m_band = wxRect(wxPoint(std::min(pointer.x, m_pressContent.x), std::min(pointer.y, m_pressContent.y)),
                  wxPoint(std::max(pointer.x, m_pressContent.x), std::max(pointer.y, m_pressContent.y)));
  const wxRect band(CalcScrolledPosition(m_band.GetPosition()), m_band.GetSize());
  m_model.UpdateBand([&](ItemId item) { return GetItemRect(item, m_bandLabel).Intersects(band); });
  Refresh();
}

void CMultiTree::OnButtonUp(wxMouseEvent& event) {
  const Tracking tracking = m_tracking;
  const ItemId item = m_pressed;
  EndTracking();
  if (tracking == Tracking::ClickOrDrag)
    m_model.Click(item, m_button, m_modifiers);
  else if (tracking == Tracking::Band)
    m_model.EndBand(false);
  else
    event.Skip();
  Refresh();
}

void CMultiTree::OnKeyDown(wxKeyEvent& event) {
  if (m_tracking == Tracking::Band && event.GetKeyCode() == WXK_ESCAPE) {
    EndTracking();
    m_model.EndBand(true);
    Refresh();
    return;
  }
  const bool up = event.GetKeyCode() == WXK_UP, down = event.GetKeyCode() == WXK_DOWN;
  if (!up && !down) {
    event.Skip();
    return;
  }
  m_model.MoveKey(down, {event.ControlDown(), event.ShiftDown()});
  Refresh();
}

void CMultiTree::OnCaptureLost(wxMouseCaptureLostEvent&) {
  const bool band = m_tracking == Tracking::Band;
  m_tracking = Tracking::None;  // the capture is gone already
  m_band = wxRect();
  if (band) m_model.EndBand(false);
  Refresh();
}

void CMultiTree::EndTracking() {
  m_tracking = Tracking::None;
  m_band = wxRect();
  if (HasCapture()) ReleaseMouse();
}
