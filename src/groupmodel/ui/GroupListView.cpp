#include "groupmodel/ui/GroupListView.h"

#include <wx/dcmemory.h>
#include <wx/imaglist.h>
#include <wx/menu.h>
#include <wx/time.h>

#include "groupmodel/DragScroll.h"
#include "groupmodel/TextFormat.h"
#include "groupmodel/ui/GroupCommands.h"
#include "groupmodel/ui/GroupIcons.h"
#include "groupmodel/ui/GroupTreeView.h"
#include "platform/MessageBox.h"

using namespace group_cmd;

namespace {
wxBitmap RowIcon(const wxColour& colour) {
  wxBitmap bitmap(16, 16, 24);
  wxMemoryDC dc(bitmap);
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  dc.SetBrush(wxBrush(colour));
  dc.SetPen(wxPen(colour));
  dc.DrawRectangle(3, 3, 10, 10);
  dc.SelectObject(wxNullBitmap);
  bitmap.SetMask(new wxMask(bitmap, *wxWHITE));
  return bitmap;
}
}  // namespace

CGroupListView::CGroupListView(wxWindow* parent, GroupViewServices services)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_HRULES | wxLC_VRULES),
      services_(std::move(services)),
      hoverTimer_(this, kHoverTimer),
      scrollTimer_(this, kScrollTimer) {
  images_ = std::make_unique<wxImageList>(16, 16, true, 2);
  images_->Add(RowIcon(CGroupIcons::kMatchColour));  // managed AP
  images_->Add(RowIcon(CGroupIcons::kDiffersColour));  // new AP
  SetImageList(images_.get(), wxIMAGE_LIST_SMALL);
  for (const char* column : {"SSID", "IP", "MAC", "Group information"}) AppendColumn(column);
  Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    event.Skip();
    if (!firstLayout_) LayoutColumns();
  });
  Bind(wxEVT_CONTEXT_MENU, [this](wxContextMenuEvent& event) {
    std::unique_ptr<wxMenu> menu(MakeGroupPopup(GroupPopup::kGroupList));
    PopupMenu(menu.get(), ScreenToClient(event.GetPosition()));
  });
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { ApConfiguration(false); }, kApConfiguration);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { ApConfiguration(true); }, kApPreviousConfiguration);
  Bind(wxEVT_MENU, [](wxCommandEvent&) {}, kListNoAction);
  Bind(wxEVT_LIST_BEGIN_DRAG, &CGroupListView::OnBeginDrag, this);
  // The rows' inner window hands its mouse events to the view first.
  Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
    downTick_ = wxGetLocalTimeMillis();
    event.Skip();
  });
  Bind(wxEVT_MOTION, &CGroupListView::OnMouseMove, this);
  Bind(wxEVT_LEFT_UP, &CGroupListView::OnLeftUp, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { EndDrag(); });
  Bind(wxEVT_TIMER, &CGroupListView::OnTimer, this);
  LayoutColumns();
  FillList();
  firstLayout_ = false;
}

CGroupListView::~CGroupListView() {
  if (HasCapture()) ReleaseMouse();
  SetImageList(nullptr, wxIMAGE_LIST_SMALL);
}

CGroupListView* CGroupListView::SetPeerTreeView(CGroupTreeView* peer) {
  peer_ = peer;
  return this;
}

void CGroupListView::LayoutColumns() {
  const int width = GetClientSize().x;
  const int widths[] = {width / 6, width / 5, width / 4, width / 3};
  for (int column = 0; column < 4; ++column) SetColumnWidth(column, widths[column]);
}

void CGroupListView::FillList() {
  DeleteAllItems();
  rows_.Load();
  for (const GroupListRow& row : rows_.Rows()) {
    const long item = InsertItem(GetItemCount(), wxString::FromUTF8(row.ssid), row.managed ? 0 : 1);
    SetItem(item, kIp, wxString::FromUTF8(row.ip));
    SetItem(item, kMac, wxString::FromUTF8(row.mac));
    SetItem(item, kGroups, wxString::FromUTF8(row.groups));
    if (!row.managed) SetItemData(item, CGroupListRows::kNewApData);
  }
}

void CGroupListView::ApConfiguration(bool previous) {
  const long row = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
  if (row == -1) {
    platform::MessageBox("Please select an AP first", "", platform::MB_ICONINFORMATION);
    return;
  }
  const std::string ssid = GetItemText(row, kSsid).utf8_string();
  const std::string ip = GetItemText(row, kIp).utf8_string();
  const std::string mac = GetItemText(row, kMac).utf8_string();
  const ApConfigurationOpener& open = previous ? services_.showApPreviousConfiguration : services_.showApConfiguration;
  const char* format = previous ? "AP '%s:%s' previous configuration" : "AP '%s:%s' configuration";
  if (open) open(ip, mac, FormatText(format, {ssid, ip}), -1);
}

// Through the screen, as the events come from the view or from its inner window.
wxPoint CGroupListView::CursorInPeer() const {
  const wxPoint screen = wxGetMousePosition();
  return peer_ ? peer_->ScreenToClient(screen) : ScreenToClient(screen);
}

void CGroupListView::OnBeginDrag(wxListEvent& event) {
  if (wxGetLocalTimeMillis() - downTick_ < kDragDelayMs) return;
  dragRow_ = static_cast<int>(event.GetIndex());
  dropItem_ = wxTreeItemId();
  dragging_ = true;
  CaptureMouse();
  scrollTimer_.Start(40);
  SetCursor(wxCursor(wxCURSOR_CROSS));
}

void CGroupListView::OnMouseMove(wxMouseEvent& event) {
  cursor_ = CursorInPeer();
  hoverTimer_.Start(80, wxTIMER_ONE_SHOT);
  if (dragging_ && peer_) {
    const wxTreeItemId group = peer_->GroupNodeAt(cursor_);
    if (group.IsOk()) {  // the last group passed stays the target over empty space
      peer_->SetItemDropHighlight(group);
      if (dropItem_.IsOk() && dropItem_ != group) peer_->SetItemDropHighlight(dropItem_, false);
      dropItem_ = group;
    }
  }
  event.Skip();
}

void CGroupListView::OnLeftUp(wxMouseEvent& event) {
  event.Skip();
  if (!dragging_) return;
  if (dropItem_.IsOk()) DropRowOnGroup(dragRow_, dropItem_);
  EndDrag();
}

void CGroupListView::EndDrag() {
  if (!dragging_) return;
  dragging_ = false;
  if (HasCapture()) ReleaseMouse();
  if (peer_ && dropItem_.IsOk()) peer_->SetItemDropHighlight(dropItem_, false);
  scrollTimer_.Stop();
  SetCursor(wxNullCursor);
}

void CGroupListView::DropRowOnGroup(int row, const wxTreeItemId& group) {
  if (!peer_ || row < 0 || row >= GetItemCount()) return;
  const std::string ssid = GetItemText(row, kSsid).utf8_string();
  const std::string ip = GetItemText(row, kIp).utf8_string();
  const std::string mac = GetItemText(row, kMac).utf8_string();
  const std::string name = peer_->GetNodeText(group);
  const bool managed = GetItemData(row) != CGroupListRows::kNewApData;
  if (CGroupListRows::DropApOnGroup(mac, ip, managed, name) != DropVerdict::kAdded) return;
  peer_->AppendApNode(group, ssid + ":" + ip, mac);
  SetItem(row, kGroups, wxString::FromUTF8(CGroupListRows::WithGroup(GetItemText(row, kGroups).utf8_string(), name)));
}

void CGroupListView::OnTimer(wxTimerEvent& event) {
  if (!dragging_ || !peer_) return;
  if (event.GetId() == kHoverTimer) {
    const wxTreeItemId group = peer_->GroupNodeAt(cursor_);
    if (group.IsOk()) {
      peer_->SelectItem(group);
      peer_->Expand(group);
    }
    return;
  }
  ++scrollCount_;
  const wxRect view = GetScreenRect();
  const DragScrollStep step = DragAutoScroll(wxGetMousePosition().y, view.GetTop(), view.GetBottom());
  if (step.direction != 0 && scrollCount_ % step.everyTicks == 0) ScrollLines(step.direction);
}
