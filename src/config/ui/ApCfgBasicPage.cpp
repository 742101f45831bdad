#include "config/ui/ApCfgBasicPage.h"

#include <cstdlib>

namespace {
using M = CApBasicPageModel;
}

CApCfgBasicPage::CApCfgBasicPage(wxWindow* sheet, CApConfigSheetModel& model)
    : CApConfigPage(sheet, "Basic", model, CApConfigSheetModel::kBasic), page_(model.basic) {
  auto* grid = NewGrid();
  dynamic_ = new wxRadioButton(this, M::kDynamic, "Dynamic IP Address", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
  static_ = new wxRadioButton(this, M::kStatic, "Static IP Address ");
  auto* mode = new wxBoxSizer(wxHORIZONTAL);
  mode->Add(dynamic_);
  mode->AddSpacer(12);
  mode->Add(static_);
  AddRow(grid, "IP mode", mode);
  ip_ = new wxTextCtrl(this, M::kIp);
  AddRow(grid, "IP Address", ip_, 1140);
  mask_ = new wxTextCtrl(this, M::kSubnetMask);
  AddRow(grid, "Subnet Mask", mask_, 1142);
  gateway_ = new wxTextCtrl(this, M::kGateway);
  AddRow(grid, "Gateway", gateway_, 1144);
  name_ = new wxTextCtrl(this, M::kName);
  name_->SetMaxLength(M::kMaxName);
  AddRow(grid, "Name", name_, 1147);
  location_ = new wxTextCtrl(this, M::kLocation);
  location_->SetMaxLength(M::kMaxLocation);
  AddRow(grid, "Location", location_, 1154);
  host_ = new wxTextCtrl(this, M::kManagementHost);
  AddRow(grid, "Management Host", host_, 1162);
  limit_ = new wxTextCtrl(this, M::kConnectionLimit);
  AddRow(grid, "Connection Limit", limit_, 1150);
  clients_ = new wxStaticText(this, M::kClients, "");
  AddRow(grid, "No of online", clients_, 1157);
  country_ = new wxChoice(this, M::kCountry);
  for (const std::string& name : page_.Countries().Names()) country_->Append(wxString::FromUTF8(name));
  AddRow(grid, "Country Code", country_);
  auto* outer = new wxBoxSizer(wxVERTICAL);
  outer->Add(grid, 1, wxEXPAND | wxALL, 8);
  SetSizerAndFit(outer);
  dynamic_->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateAddressControls(); });
  static_->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateAddressControls(); });
}

void CApCfgBasicPage::UpdateAddressControls() {
  const bool fixed = static_->GetValue() && model_.context.reachable;
  for (wxWindow* control : {static_cast<wxWindow*>(ip_), static_cast<wxWindow*>(mask_), static_cast<wxWindow*>(gateway_)})
    control->Enable(fixed);
}

void CApCfgBasicPage::Load() {
  ApplyMarks(CApBasicPageModel::Marks(model_.context.markers));
  ip_->ChangeValue(wxString::FromUTF8(page_.ip));
  mask_->ChangeValue(wxString::FromUTF8(page_.subnetMask));
  gateway_->ChangeValue(wxString::FromUTF8(page_.gateway));
  (page_.dhcp ? dynamic_ : static_)->SetValue(true);
  host_->ChangeValue(wxString::FromUTF8(page_.managementHost));
  name_->ChangeValue(wxString::FromUTF8(page_.name));
  location_->ChangeValue(wxString::FromUTF8(page_.location));
  limit_->ChangeValue(std::to_string(page_.connectionLimit));
  clients_->SetLabel(wxString::FromUTF8(page_.clientsText));
  country_->SetStringSelection(wxString::FromUTF8(page_.countryName));
  UpdateAddressControls();
  if (!model_.context.reachable)
    DisableControls({M::kDynamic, M::kStatic, M::kIp, M::kSubnetMask, M::kGateway, M::kName, M::kConnectionLimit,
                     M::kManagementHost, M::kLocation});
}

void CApCfgBasicPage::Save() {
  page_.dhcp = dynamic_->GetValue();
  page_.ip = ip_->GetValue().utf8_string();
  page_.subnetMask = mask_->GetValue().utf8_string();
  page_.gateway = gateway_->GetValue().utf8_string();
  page_.managementHost = host_->GetValue().utf8_string();
  page_.name = name_->GetValue().utf8_string();
  page_.location = location_->GetValue().utf8_string();
  page_.connectionLimit = std::atoi(limit_->GetValue().utf8_string().c_str());
  page_.countryName = country_->GetSelection() == wxNOT_FOUND ? "" : country_->GetStringSelection().utf8_string();
}

PageCheck CApCfgBasicPage::CheckOnLeave() { return page_.Check(model_.context); }
