#include "usage/ui/UsageToolbar.h"

#include <wx/artprov.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

#include <algorithm>

namespace {

constexpr int kGapBelow = 3;

wxRect Pixels(wxWindow* parent, const wxRect& dialogUnits) {
  return wxRect(parent->ConvertDialogToPixels(dialogUnits.GetPosition()),
                parent->ConvertDialogToPixels(dialogUnits.GetSize()));
}

}  // namespace

CUsageToolbar::CUsageToolbar(wxWindow* parent, const UsageToolbarLayout& layout) : layout_(layout) {
  const ToolbarControl* radios[3] = {&layout.hour, &layout.day, &layout.week};
  const char* captions[3] = {"Hour", "Day", "Week"};
  for (int i = 0; i < 3; ++i) {
    const wxRect at = Pixels(parent, radios[i]->dialogUnits);
    radios_[i] =
        new wxRadioButton(parent, radios[i]->id, captions[i], at.GetPosition(), wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
  }
  const ToolbarControl* buttons[4] = {&layout.first, &layout.prev, &layout.next, &layout.last};
  const wxArtID icons[4] = {wxART_GOTO_FIRST, wxART_GO_BACK, wxART_GO_FORWARD, wxART_GOTO_LAST};
  const char* tips[4] = {"First", "Prev", "Next", "Last"};
  for (int i = 0; i < 4; ++i) {
    const wxRect at = Pixels(parent, buttons[i]->dialogUnits);
    navigation_[i] =
        new wxBitmapButton(parent, buttons[i]->id, wxArtProvider::GetBitmap(icons[i], wxART_BUTTON, wxSize(20, 20)),
                           at.GetPosition(), wxSize(std::max(at.width, 30), std::max(at.height, 28)));
    navigation_[i]->SetToolTip(tips[i]);
  }
  const wxRect exportAt = Pixels(parent, layout.exportButton.dialogUnits);
  export_ = new wxButton(parent, layout.exportButton.id, "Export", exportAt.GetPosition(),
                         wxSize(exportAt.width, std::max(exportAt.height, 28)));
  const wxRect labelAt = Pixels(parent, layout.rangeLabel.dialogUnits);
  range_ = new wxStaticText(parent, layout.rangeLabel.id, "", labelAt.GetPosition(), labelAt.GetSize(),
                            (layout.centredLabel ? wxALIGN_CENTRE_HORIZONTAL : 0) | wxST_NO_AUTORESIZE);
}

std::optional<int> CUsageToolbar::CheckedFilter() const {
  for (int filter = kFilterHour; filter <= kFilterWeek; ++filter)
    if (radios_[filter]->GetValue()) return filter;
  return std::nullopt;
}

int CUsageToolbar::FilterOf(int radioId) const {
  if (radioId == layout_.hour.id) return kFilterHour;
  if (radioId == layout_.day.id) return kFilterDay;
  if (radioId == layout_.week.id) return kFilterWeek;
  if (radioId == layout_.monthId) return kFilterMonth;
  return kFilterNone;
}

void CUsageToolbar::CheckRadio(int radioId) {
  for (wxRadioButton* radio : radios_)
    if (radio->GetId() == radioId) radio->SetValue(true);  // the group unchecks the others
}

NavButtonStates CUsageToolbar::Buttons() const {
  return {navigation_[kPageFirst]->IsEnabled(), navigation_[kPagePrev]->IsEnabled(),
          navigation_[kPageNext]->IsEnabled(), navigation_[kPageLast]->IsEnabled()};
}

void CUsageToolbar::SetButtons(const NavButtonStates& states) {
  navigation_[kPageFirst]->Enable(states.first);
  navigation_[kPagePrev]->Enable(states.prev);
  navigation_[kPageNext]->Enable(states.next);
  navigation_[kPageLast]->Enable(states.last);
}

int CUsageToolbar::PageOf(int buttonId) const {
  for (int page = kPageFirst; page <= kPageLast; ++page)
    if (navigation_[page]->GetId() == buttonId) return page;
  return -1;
}

void CUsageToolbar::SetRange(const std::string& label) { range_->SetLabel(wxString::FromUTF8(label)); }

std::string CUsageToolbar::Range() const { return range_->GetLabel().utf8_string(); }

int CUsageToolbar::Bottom() const {
  int bottom = 0;
  const auto below = [&](const wxWindow* control) { bottom = std::max(bottom, control->GetRect().GetBottom() + 1); };
  for (const wxRadioButton* radio : radios_) below(radio);
  for (const wxBitmapButton* button : navigation_) below(button);
  below(export_);
  below(range_);
  return bottom + kGapBelow;
}
