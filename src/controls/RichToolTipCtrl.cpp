#include "controls/RichToolTipCtrl.h"

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/settings.h>

#include "controls/RichTipPainter.h"
#include "listmodel/TipLayout.h"

namespace {

constexpr int kHoverDelayMs = 500;
constexpr int kFrame = 2;    // the border and a pixel of air, around the text
constexpr int kPadding = 5;  // added to the measured size, once more in width for aligned paragraphs

listmodel::TipRect ToTipRect(const wxRect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

}  // namespace

CRichToolTipCtrl::~CRichToolTipCtrl() {
  for (auto& [tool, text] : m_tools) ForgetTool(tool);
}

bool CRichToolTipCtrl::Create(wxWindow* parent) {
  if (!wxPopupWindow::Create(parent, wxBORDER_SIMPLE)) return false;
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  m_maxTipWidth = wxDisplay(0u).GetGeometry().width / 2;
  m_hoverTimer.SetOwner(this);
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
    if (m_hoveredTool) ShowTip(m_hoveredTool);
  });
  Bind(wxEVT_PAINT, &CRichToolTipCtrl::OnPaint, this);
  return true;
}

void CRichToolTipCtrl::AddTool(wxWindow* tool, const std::string& text) {
  if (!m_tools.contains(tool)) {
    tool->Bind(wxEVT_ENTER_WINDOW, &CRichToolTipCtrl::OnToolEnter, this);
    tool->Bind(wxEVT_LEAVE_WINDOW, &CRichToolTipCtrl::OnToolLeave, this);
    tool->Bind(wxEVT_DESTROY, &CRichToolTipCtrl::OnToolDestroyed, this);
  }
  m_tools[tool] = text;
}

void CRichToolTipCtrl::UpdateTipText(const std::string& text, wxWindow* tool) {
  const auto found = m_tools.find(tool);
  if (found != m_tools.end()) found->second = text;
}

void CRichToolTipCtrl::DelTool(wxWindow* tool) {
  if (!m_tools.contains(tool)) return;
  ForgetTool(tool);
  m_tools.erase(tool);
  if (m_hoveredTool == tool) m_hoveredTool = nullptr;
}

void CRichToolTipCtrl::ForgetTool(wxWindow* tool) {
  tool->Unbind(wxEVT_ENTER_WINDOW, &CRichToolTipCtrl::OnToolEnter, this);
  tool->Unbind(wxEVT_LEAVE_WINDOW, &CRichToolTipCtrl::OnToolLeave, this);
  tool->Unbind(wxEVT_DESTROY, &CRichToolTipCtrl::OnToolDestroyed, this);
}

// A tool window going away takes its tip along (the event also arrives for the tool's children).
void CRichToolTipCtrl::OnToolDestroyed(wxWindowDestroyEvent& event) {
  event.Skip();
  if (auto* tool = dynamic_cast<wxWindow*>(event.GetEventObject()); tool && m_tools.contains(tool)) DelTool(tool);
}

void CRichToolTipCtrl::OnToolEnter(wxMouseEvent& event) {
  m_hoveredTool = dynamic_cast<wxWindow*>(event.GetEventObject());
  m_hoverTimer.StartOnce(kHoverDelayMs);
  event.Skip();
}

void CRichToolTipCtrl::OnToolLeave(wxMouseEvent& event) {
  m_hoverTimer.Stop();
  m_hoveredTool = nullptr;
  Hide();
  event.Skip();
}

void CRichToolTipCtrl::ShowTip(wxWindow* tool) {
  const auto found = m_tools.find(tool);
  if (found == m_tools.end()) return;
  m_shown = listmodel::RichTipText::Load(found->second);

  wxBitmap scratch(1, 1);
  wxMemoryDC measure(scratch);
  RichTipPainter painter(*m_shown, GetFont());
  const listmodel::TipSize text =
      listmodel::NarrowestTipSize(m_maxTipWidth, [&](int width) { return painter.HeightAt(measure, width); });
  m_textWidth = text.width - kFrame;
  listmodel::TipSize size{text.width + kPadding, text.height + kPadding};
  if (listmodel::HasAlignedParagraphs(found->second)) size.width += kPadding;

  // The primary screen, or the one nearest the cursor when the cursor is elsewhere.
  const wxPoint cursor = wxGetMousePosition();
  wxRect limit = wxDisplay(0u).GetGeometry();
  if (!limit.Contains(cursor)) {
    const int nearest = wxDisplay::GetFromPoint(cursor);
    limit = wxDisplay(nearest >= 0 ? static_cast<unsigned>(nearest) : 0u).GetGeometry();
  }
  const listmodel::TipRect place = listmodel::PlaceTip(cursor.x, cursor.y, size, ToTipRect(limit));
  SetSize(place.x, place.y, place.width, place.height);
  Show();
  Refresh();
}

void CRichToolTipCtrl::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOBK)));
  dc.Clear();
  if (!m_shown) return;
  RichTipPainter(*m_shown, GetFont())
      .Draw(dc, wxPoint(kFrame, kFrame), m_textWidth, wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT));
}
