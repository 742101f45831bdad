#include "mainmodel/ui/ManageSegmentDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "device/RecentStringList.h"
#include "platform/MessageBox.h"

namespace {

void FillRecent(wxComboBox* box, const RecentStringList& recent) {
  for (const std::string& text : recent.items) box->Append(wxString::FromUTF8(text));
}

}  // namespace

CManageSegmentDlg::CManageSegmentDlg(wxWindow* parent) : wxDialog(parent, IDD, "Discovery Wizard") {
  from_ = new wxComboBox(this, IDC_FROM_IP, "", wxDefaultPosition, wxSize(150, -1));
  to_ = new wxComboBox(this, IDC_TO_IP, "", wxDefaultPosition, wxSize(150, -1));
  segments_ = new wxListCtrl(this, IDC_SEGMENTS, wxDefaultPosition, wxSize(240, 160), wxLC_REPORT);
  password_ = new wxTextCtrl(this, IDC_PASSWORD, "", wxDefaultPosition, wxSize(150, -1), wxTE_PASSWORD);
  password_->SetMaxLength(kMaxPasswordCharacters);

  auto* fields = new wxFlexGridSizer(2, wxSize(8, 8));
  fields->Add(new wxStaticText(this, wxID_ANY, "From IP"), wxSizerFlags().CentreVertical());
  fields->Add(from_);
  fields->Add(new wxStaticText(this, wxID_ANY, "To IP:"), wxSizerFlags().CentreVertical());
  fields->Add(to_);
  auto* buttons = new wxBoxSizer(wxVERTICAL);
  buttons->Add(new wxButton(this, IDC_ADD, "Add>>"), wxSizerFlags().Border(wxBOTTOM, 6));
  buttons->Add(new wxButton(this, IDC_DELETE, "Delete"));
  auto* segmentRow = new wxBoxSizer(wxHORIZONTAL);
  segmentRow->Add(fields, wxSizerFlags().Border(wxRIGHT, 10));
  segmentRow->Add(buttons, wxSizerFlags().Border(wxRIGHT, 10));
  segmentRow->Add(segments_, wxSizerFlags(1).Expand());
  auto* passwordRow = new wxBoxSizer(wxHORIZONTAL);
  passwordRow->Add(new wxStaticText(this, wxID_ANY, "Discovery Password:"), wxSizerFlags().CentreVertical().Border(wxRIGHT, 8));
  passwordRow->Add(password_);

  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(new wxStaticText(this, wxID_ANY, "Please input the IP addresses of the switches to discover:"),
              wxSizerFlags().Border(wxALL, 10));
  layout->Add(segmentRow, wxSizerFlags(1).Expand().Border(wxLEFT | wxRIGHT, 10));
  layout->Add(passwordRow, wxSizerFlags().Border(wxALL, 10));
  layout->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), wxSizerFlags().Expand().Border(wxALL, 10));
  SetSizerAndFit(layout);
  CentreOnParent();

  segments_->InsertColumn(0, " From IP", wxLIST_FORMAT_LEFT, 110);
  segments_->InsertColumn(1, " End IP", wxLIST_FORMAT_LEFT, 110);
  FillRecent(from_, g_RecentFromIps);
  FillRecent(to_, g_RecentEndIps);
  model_.Load();
  FillSegments();
  password_->ChangeValue(wxString::FromUTF8(model_.StoredPassword()));
  loading_ = false;

  Bind(wxEVT_BUTTON, &CManageSegmentDlg::OnAdd, this, IDC_ADD);
  Bind(wxEVT_BUTTON, &CManageSegmentDlg::OnDelete, this, IDC_DELETE);
  Bind(wxEVT_BUTTON, &CManageSegmentDlg::OnOK, this, wxID_OK);
  Bind(wxEVT_TEXT, &CManageSegmentDlg::OnPasswordChange, this, IDC_PASSWORD);
}

void CManageSegmentDlg::FillSegments() {
  segments_->DeleteAllItems();
  long row = 0;
  for (const CManagementSegment& segment : model_.Segments()) {
    segments_->InsertItem(row, wxString::FromUTF8(segment.from_ip));
    segments_->SetItem(row++, 1, wxString::FromUTF8(segment.to_ip));
  }
  if (wxWindow* ok = FindWindow(wxID_OK)) ok->Enable(model_.OkEnabled());
}

void CManageSegmentDlg::Focus(CManageSegmentModel::Field field) {
  switch (field) {
    case CManageSegmentModel::Field::FromIp:
      from_->SetFocus();
      break;
    case CManageSegmentModel::Field::ToIp:
      to_->SetFocus();
      break;
    case CManageSegmentModel::Field::Password:
      password_->SetFocus();
      break;
    case CManageSegmentModel::Field::None:
      break;
  }
}

void CManageSegmentDlg::OnAdd(wxCommandEvent&) {
  const std::string from = from_->GetValue().Trim().Trim(false).utf8_string();
  const std::string to = to_->GetValue().Trim().Trim(false).utf8_string();
  const CManageSegmentModel::Verdict verdict = model_.Add(from, to);
  if (!verdict.accepted) {
    platform::MessageBox(verdict.message);
    Focus(verdict.focus);
    return;
  }
  // The boxes offer the recent entries the next time the wizard opens; this run shows them at once too.
  if (from_->FindString(wxString::FromUTF8(from), true) == wxNOT_FOUND) from_->Insert(wxString::FromUTF8(from), 0);
  if (!to.empty() && to_->FindString(wxString::FromUTF8(to), true) == wxNOT_FOUND) to_->Insert(wxString::FromUTF8(to), 0);
  FillSegments();
}

void CManageSegmentDlg::OnDelete(wxCommandEvent&) {
  std::vector<int> selected;
  for (long row = segments_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row != -1;
       row = segments_->GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
    selected.push_back(static_cast<int>(row));
  if (selected.empty()) return;
  model_.Delete(selected);
  FillSegments();
}

void CManageSegmentDlg::OnPasswordChange(wxCommandEvent&) {
  if (!loading_) model_.PasswordChanged();
}

void CManageSegmentDlg::OnOK(wxCommandEvent&) {
  const CManageSegmentModel::Verdict verdict = model_.Ok(password_->GetValue().utf8_string());
  if (!verdict.accepted) {
    platform::MessageBox(verdict.message);
    Focus(verdict.focus);
    return;
  }
  EndModal(wxID_OK);
}
