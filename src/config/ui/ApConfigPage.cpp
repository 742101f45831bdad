#include "config/ui/ApConfigPage.h"

#include "controls/TreePropSheet.h"
#include "platform/MessageBox.h"

namespace {
constexpr int kMaxTipWidth = 300;
}

CApConfigPage::CApConfigPage(wxWindow* sheet, const std::string& caption, CApConfigSheetModel& model,
                             CApConfigSheetModel::Page page)
    : CTreePropPage(sheet, caption), model_(model), page_(page) {
  Bind(wxEVT_SHOW, &CApConfigPage::OnShown, this);
}

void CApConfigPage::OnShown(wxShowEvent& event) {
  event.Skip();
  if (event.IsShown()) model_.visited[page_] = true;
}

bool CApConfigPage::OnKillActive() {
  Save();
  const PageCheck failure = CheckOnLeave();
  if (failure) ShowFailure(*failure);
  return !failure;
}

void CApConfigPage::ShowFailure(const PageCheckFailure& failure) {
  if (failure.activatePage)
    if (auto* sheet = dynamic_cast<CTreePropSheet*>(GetParent()))
      for (int i = 0; i < sheet->GetPageCount(); ++i)
        if (sheet->GetPage(i) == this) sheet->SetActivePage(i);
  if (wxWindow* control = FindWindow(failure.control)) control->SetFocus();
  if (!failure.text.empty()) platform::MessageBox(failure.text, {}, platform::MB_ICONWARNING);
}

wxWindow* CApConfigPage::AddMark(int id) {
  auto* mark = new wxStaticText(this, id, "*");
  mark->SetForegroundColour(*wxRED);
  mark->Hide();
  marks_[id] = mark;
  return mark;
}

void CApConfigPage::ApplyMarks(const std::vector<SyncMark>& marks) {
  if (marks.empty()) return;
  if (!tips_) {
    tips_ = new CRichToolTipCtrl();
    tips_->Create(this);
    tips_->SetMaxTipWidth(kMaxTipWidth);
  }
  for (const SyncMark& mark : marks) {
    const auto found = marks_.find(mark.control);
    if (found == marks_.end()) continue;
    found->second->Show();
    tips_->AddTool(found->second, mark.tip);
  }
  Layout();
}

wxFlexGridSizer* CApConfigPage::NewGrid() {
  auto* grid = new wxFlexGridSizer(3, wxSize(8, 4));
  grid->AddGrowableCol(1);
  return grid;
}

void CApConfigPage::AddRow(wxFlexGridSizer* grid, const wxString& label, wxWindow* control, int markId) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(control, 1, wxEXPAND);
  AddRow(grid, label, row, markId);
}

void CApConfigPage::AddRow(wxFlexGridSizer* grid, const wxString& label, wxSizer* controls, int markId) {
  grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(controls, 1, wxEXPAND);
  if (markId)
    grid->Add(AddMark(markId), 0, wxALIGN_CENTER_VERTICAL);
  else
    grid->AddSpacer(0);
}

void CApConfigPage::DisableControls(const std::vector<int>& ids) {
  for (int id : ids)
    if (wxWindow* control = FindWindow(id)) control->Disable();
}
