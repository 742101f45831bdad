#include "controls/Outlook2Ctrl.h"

#include <wx/app.h>
#include <wx/control.h>
#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/fontenum.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include <algorithm>

#include "controls/WxGeometry.h"
#include "platform/DebugTrace.h"
#include "platform/IniStore.h"
#include "uibase/CommandIds.h"

namespace {

const wxColour kHeaderFrame(0, 126, 174);
const wxColour kHeaderTop(225, 225, 225);
const wxColour kHeaderBottom(227, 230, 235);
const wxColour kButtonBottom(121, 158, 195);
const wxColour kCurrentText(0, 82, 136);
constexpr char kFontFace[] = "Arial Unicode MS";
constexpr int kIconSize = 20;
constexpr int kTextIndent = 26;
constexpr int kCaptionEndMargin = 8;  // between a caption's end and the header's right edge
constexpr int kEntryIndent = 28;
constexpr int kSlideDelayMs = 30;

void DrawEllipsized(wxDC& dc, const std::string& text, const wxRect& area) {
  const wxString label = wxControl::Ellipsize(wxString::FromUTF8(text), dc, wxELLIPSIZE_END, area.width);
  dc.DrawLabel(label, area, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
}

// A one-pixel frame in the colour, then the rectangle inside it shaded from top to bottom.
void FramedGradient(wxDC& dc, wxRect area, const wxColour& top, const wxColour& bottom) {
  dc.SetPen(wxPen(kHeaderFrame));
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.DrawRectangle(area);
  area.Deflate(1);
  dc.GradientFillLinear(area, top, bottom, wxSOUTH);
}

}  // namespace

COutlook2Ctrl::COutlook2Ctrl()
    : model_(platform::CIniStore().GetInt(kSettingsSection, kWidthKey, CNavBarModel::kDefaultWidth)) {
  wxFont base = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  base.SetWeight(wxFONTWEIGHT_BOLD);
  if (wxFontEnumerator::IsValidFacename(kFontFace)) base.SetFaceName(kFontFace);
  folderFont_ = base;
  itemFont_ = base;
  hoverFont_ = base;
  hoverFont_.SetUnderlined(true);
  InitColours();
  model_.SetCommandUpdate([this](CNavCmdUI& update) { RunCommandUpdate(update); });
}

COutlook2Ctrl::~COutlook2Ctrl() {
  platform::CIniStore store;
  store.SetInt(kSettingsSection, kWidthKey, model_.Width());
  store.Save();
}

void COutlook2Ctrl::InitColours() {
  linkColour_ = wxSystemSettings::GetColour(wxSYS_COLOUR_CAPTIONTEXT);
  textColour_ = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT);
  backgroundColour_ = wxColour(203, 217, 226);
}

bool COutlook2Ctrl::CreateNavigationBar(wxWindow* parent, int id) {
  if (!Create(parent, id, wxDefaultPosition, wxSize(model_.Width(), -1), wxFULL_REPAINT_ON_RESIZE)) return false;
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetMinSize(wxSize(model_.Width(), -1));
  Bind(wxEVT_PAINT, &COutlook2Ctrl::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &COutlook2Ctrl::OnLeftDown, this);
  Bind(wxEVT_LEFT_UP, &COutlook2Ctrl::OnLeftUp, this);
  Bind(wxEVT_MOTION, &COutlook2Ctrl::OnMotion, this);
  Bind(wxEVT_LEAVE_WINDOW, &COutlook2Ctrl::OnLeave, this);
  Bind(wxEVT_SET_CURSOR, &COutlook2Ctrl::OnSetCursor, this);
  Bind(wxEVT_SIZE, &COutlook2Ctrl::OnSize, this);
  Bind(wxEVT_IDLE, &COutlook2Ctrl::OnIdle, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, &COutlook2Ctrl::OnCaptureLost, this);
  const wxSize client = GetClientSize();
  model_.SetClientSize(client.x, client.y);
  return true;
}

void COutlook2Ctrl::AppendFolder(const std::string& name, int iconId, int commandId, const std::string& tip) {
  model_.AppendFolder(name, iconId, commandId, tip);
}

void COutlook2Ctrl::AppendGroup(const std::string& name, long value, int folder) {
  model_.AppendGroup(name, value, folder);
}

void COutlook2Ctrl::AppendItem(const std::string& name, int iconId, NavItemKind kind, int commandId, int folder,
                               int group, const std::string& tip) {
  model_.AppendItem(name, iconId, kind, commandId, folder, group, tip);
}

void COutlook2Ctrl::AppendWindowItem(wxWindow* window, bool fill, int folder, int group, const std::string& tip) {
  wxASSERT(window);
  model_.AppendWindowItem(window, fill ? kNavFillHeight : window->GetSize().y, folder, group, tip);
}

void COutlook2Ctrl::PinBottomFolder(const std::string& name, int iconId, wxWindow* window, bool fill) {
  wxASSERT(window);
  model_.PinBottomFolder(name, iconId, window, fill ? kNavFillHeight : window->GetSize().y);
  // Until a paint gives it its place the window has only its default width, too narrow for its own
  // scroll bars: it stays hidden until then (PlaceWindow shows it).
  window->Hide();
}

// The next paint shows the windows of the folder that is open now.
void COutlook2Ctrl::HideFolderWindows() {
  for (void* window : model_.FolderWindows()) static_cast<wxWindow*>(window)->Hide();
}

void COutlook2Ctrl::SetIcon(int iconId, const wxBitmap& bitmap) { icons_[iconId] = bitmap; }

void COutlook2Ctrl::SwitchToFolder(int folder, bool animate) {
  if (!model_.SwitchToFolder(folder)) return;
  HideFolderWindows();
  if (animate && !model_.IsCollapsed()) Slide();
  Refresh();
}

// The new folder's picture slides up from the bottom in about eight steps.
void COutlook2Ctrl::Slide() {
  const wxSize client = GetClientSize();
  if (client.x <= 0 || client.y <= 0) return;
  wxBitmap picture(client);
  {
    wxMemoryDC memory(picture);
    PaintBar(memory);
  }
  wxMemoryDC source(picture);
  wxClientDC window(this);
  const int bottom = client.y;
  const int step = std::max(1, bottom / 8);
  for (int d = bottom - 10; d > 0; d -= step) {
    window.Blit(0, d, client.x, bottom - d, &source, 0, 0);
    wxMilliSleep(kSlideDelayMs);
  }
}

void COutlook2Ctrl::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  PaintBar(dc);
}

void COutlook2Ctrl::PaintBar(wxDC& dc) {
  const wxSize client = GetClientSize();
  const wxPoint cursor = ScreenToClient(wxGetMousePosition());
  NavLayout layout = model_.Layout({0, 0, client.x, client.y}, cursor.x, cursor.y);
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(backgroundColour_));
  dc.DrawRectangle(0, 0, client.x, client.y);
  if (layout.collapsed) return;
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  for (const NavPaintStep& step : layout.steps) {
    const wxRect rect = ToWxRect(step.rect);
    switch (step.kind) {
      case NavPaintStep::kFrame: {
        const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT);
        dc.SetPen(wxPen(backgroundColour_));
        dc.DrawLine(rect.GetLeft(), rect.GetTop(), rect.GetRight(), rect.GetTop());
        dc.DrawLine(rect.GetLeft(), rect.GetTop(), rect.GetLeft(), rect.GetBottom());
        dc.SetPen(wxPen(highlight));
        dc.DrawLine(rect.GetLeft(), rect.GetBottom(), rect.GetRight() + 1, rect.GetBottom());
        dc.DrawLine(rect.GetRight(), rect.GetTop(), rect.GetRight(), rect.GetBottom());
        break;
      }
      case NavPaintStep::kHeader:
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(backgroundColour_));
        dc.DrawRectangle(rect.x, rect.y, rect.width, rect.height + 1);
        PaintFolderHeader(dc, *step.folder, step.current, step.hovered);
        break;
      case NavPaintStep::kEntry:
        PaintEntry(dc, *step.folder, *step.group, *step.item, step.hovered);
        break;
      case NavPaintStep::kWindow:
        PlaceWindow(step);
        break;
    }
  }
}

void COutlook2Ctrl::PlaceWindow(const NavPaintStep& step) {
  auto* window = static_cast<wxWindow*>(step.item->window);
  if (!window) return;
  window->SetSize(ToWxRect(step.rect));
  if (!window->IsShown()) window->Show();
}

void COutlook2Ctrl::PaintIcon(wxDC& dc, int iconId, int x, int y) {
  auto found = icons_.find(iconId);
  if (found == icons_.end() || !found->second.IsOk()) return;
  wxBitmap icon = found->second;
  if (icon.GetWidth() != kIconSize || icon.GetHeight() != kIconSize)
    icon = wxBitmap(icon.ConvertToImage().Scale(kIconSize, kIconSize, wxIMAGE_QUALITY_HIGH));
  dc.DrawBitmap(icon, x, y, true);
}

void COutlook2Ctrl::PaintFolderHeader(wxDC& dc, const CNavFolder& folder, bool current, bool) {
  dc.SetFont(folderFont_);
  wxRect area = ToWxRect(folder.headerRect);
  area.y += 2;
  area.height -= 2;
  FramedGradient(dc, area, kHeaderTop, kHeaderBottom);
  PaintIcon(dc, folder.iconId, area.x + 4, area.y + 1);
  wxRect text = area;
  text.x += kTextIndent;
  text.width -= kTextIndent;
  dc.SetTextForeground(current ? kCurrentText : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
  DrawEllipsized(dc, folder.name, text);
}

void COutlook2Ctrl::PaintGroupStrip(wxDC& dc, const CNavFolder&, const CNavGroup& group) {
  const wxRect area = ToWxRect(group.rect);
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_ACTIVECAPTION)));
  dc.DrawRectangle(area);
  if (group.name.empty()) return;
  dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_CAPTIONTEXT));
  DrawEllipsized(dc, group.name, wxRect(area.x + 4, area.y, area.width - 4, area.height));
}

void COutlook2Ctrl::PaintEntry(wxDC& dc, const CNavFolder&, const CNavGroup&, CNavItem& item, bool hovered) {
  const wxFont previous = dc.GetFont();
  dc.SetFont(itemFont_);
  wxRect area = ToWxRect(item.rect);
  const wxRect nameArea(area.x + kEntryIndent, area.y, area.width - kEntryIndent, area.height);
  const bool hasCommand = item.commandOrHeight != 0;
  switch (item.kind) {
    case NAV_ITEM_BUTTON: {
      area.x += kEntryIndent;
      area.width -= kEntryIndent;
      area.y += 2;
      area.height -= 2;
      FramedGradient(dc, area, kHeaderTop, kButtonBottom);
      PaintIcon(dc, item.iconId, area.x + 4, area.y + 1);
      area.x += kEntryIndent;
      area.width -= kEntryIndent;
      if (hasCommand && (model_.RefreshItemFlags(item) & kNavChecked)) {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
        dc.DrawRectangle(area);
      }
      dc.SetTextForeground(&item == model_.SelectedItem() ? kCurrentText : textColour_);
      DrawEllipsized(dc, item.name, area);
      break;
    }
    case NAV_ITEM_RADIO:
    case NAV_ITEM_CHECK: {
      const bool checked = hasCommand && (model_.RefreshItemFlags(item) & kNavChecked);
      const wxRect box(area.x + 8, area.y + 2, 12, 12);
      const int flags = checked ? int{wxCONTROL_CHECKED} : 0;
      if (item.kind == NAV_ITEM_RADIO)
        wxRendererNative::Get().DrawRadioBitmap(this, dc, box, flags);
      else
        wxRendererNative::Get().DrawCheckBox(this, dc, box, flags);
      dc.SetFont(hovered ? hoverFont_ : itemFont_);
      dc.SetTextForeground(textColour_);
      DrawEllipsized(dc, item.name, nameArea);
      break;
    }
    case NAV_ITEM_LINK:
      if (hasCommand) model_.RefreshItemFlags(item);
      dc.SetFont(hovered ? hoverFont_ : itemFont_);
      dc.SetTextForeground(linkColour_);
      DrawEllipsized(dc, item.name, nameArea);
      break;
    default:
      break;
  }
  dc.SetFont(previous);
}

// The main window handles the command as if it came from its menu.
void COutlook2Ctrl::SendCommand(int commandId) {
  wxWindow* main = wxTheApp->GetTopWindow();
  if (!main) return;
  wxCommandEvent command(wxEVT_MENU, cmd::WxId(commandId));
  command.SetEventObject(this);
  main->GetEventHandler()->ProcessEvent(command);
}

void COutlook2Ctrl::RunCommandUpdate(CNavCmdUI& update) {
  wxWindow* owner = GetParent();
  if (!owner) return;
  wxUpdateUIEvent request(cmd::WxId(update.CommandId()));
  request.SetEventObject(this);
  owner->GetEventHandler()->ProcessEvent(request);
  if (request.GetSetEnabled()) update.Enable(request.GetEnabled());
  if (request.GetSetChecked()) update.SetCheck(request.GetChecked());
  if (request.GetSetText()) update.SetText(request.GetText().utf8_string());
}

void COutlook2Ctrl::FitFolderCaptions() {
  if (model_.IsCollapsed()) return;
  wxClientDC dc(this);
  dc.SetFont(folderFont_);
  int widest = 0;
  for (int folder = 0; folder < model_.FolderCount(); ++folder)
    widest = std::max(widest, dc.GetTextExtent(wxString::FromUTF8(model_.FolderAt(folder)->name)).x);
  if (const CNavFolder* bottom = model_.BottomFolder())
    widest = std::max(widest, dc.GetTextExtent(wxString::FromUTF8(bottom->name)).x);
  const int needed = widest + kTextIndent + kCaptionEndMargin + CNavBarModel::kSizingStripWidth;
  if (model_.Width() < needed) ApplyWidth(needed);
}

void COutlook2Ctrl::ApplyWidth(int width) {
  model_.SetWidth(width);
  SetMinSize(wxSize(width, -1));
  SetSize(wxSize(width, GetSize().y));
  if (GetParent()) GetParent()->Layout();
}

void COutlook2Ctrl::OnLeftDown(wxMouseEvent& event) {
  DebugTrace(" COutlook2Ctrl::OnLeftDown");
  const CNavFolder* before = model_.CurrentFolder();
  const NavClick click = model_.LeftButtonDown(event.GetX(), event.GetY());
  if (click.startDrag) {
    SetCursor(wxCursor(wxCURSOR_SIZEWE));
    CaptureMouse();
    SetFocus();
    return;
  }
  if (model_.CurrentFolder() != before) HideFolderWindows();
  if (click.repaint) Refresh();
  if (click.command) SendCommand(*click.command);
  event.Skip(click.passOn);
}

void COutlook2Ctrl::OnLeftUp(wxMouseEvent& event) {
  if (model_.EndDrag(event.GetX())) {
    if (HasCapture()) ReleaseMouse();
    SetCursor(wxNullCursor);
    ApplyWidth(model_.Width());
    Refresh();
  }
  event.Skip();
}

void COutlook2Ctrl::OnCaptureLost(wxMouseCaptureLostEvent&) {
  model_.EndDrag(ScreenToClient(wxGetMousePosition()).x);
  ApplyWidth(model_.Width());
}

void COutlook2Ctrl::OnMotion(wxMouseEvent& event) {
  if (model_.IsDragging()) {
    // The width follows the mouse while dragging; the drag's end fixes it.
    if (model_.DragTo(event.GetX())) ApplyWidth(std::max(CNavBarModel::kCollapsedWidth, model_.DragStrip().right));
    return;
  }
  const NavHover hover = model_.MouseMove(event.GetX(), event.GetY());
  if (hover.tip) {
    SetToolTip(wxString::FromUTF8(*hover.tip));
  } else if (model_.HoveredFolder() < 0) {
    UnsetToolTip();
  }
  event.Skip();
}

void COutlook2Ctrl::OnLeave(wxMouseEvent& event) {
  if (!model_.IsDragging()) model_.MouseLeft();
  event.Skip();
}

void COutlook2Ctrl::OnSetCursor(wxSetCursorEvent& event) {
  const int x = event.GetX();
  const int y = event.GetY();
  if (model_.IsDragging() || model_.SizingStrip().Contains(x, y)) {
    event.SetCursor(wxCursor(wxCURSOR_SIZEWE));
    return;
  }
  const NavHit hit = model_.HitTestBar(x, y);
  if (hit.code == NAV_HIT_FOLDER ||
      (hit.code == NAV_HIT_ITEM && model_.ItemAt(hit.folder, hit.group, hit.item)->kind == NAV_ITEM_LINK)) {
    event.SetCursor(*wxSTANDARD_CURSOR);
    return;
  }
  event.Skip();
}

void COutlook2Ctrl::OnSize(wxSizeEvent& event) {
  const wxSize client = GetClientSize();
  model_.SetClientSize(client.x, client.y);
  event.Skip();
}

// The frame's idle update: repaint the items whose command state changed since they were painted.
void COutlook2Ctrl::OnIdle(wxIdleEvent& event) {
  for (CNavItem* item : model_.ItemsWithChangedState()) RefreshRect(ToWxRect(item->rect));
  event.Skip();
}
