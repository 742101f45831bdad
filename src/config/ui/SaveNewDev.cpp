#include "config/ui/SaveNewDev.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <utility>

#include "config/DefaultParamsStore.h"
#include "controls/ColumnFit.h"

namespace {

constexpr int kListFrame = 24;  // the list's border and vertical scroll bar
constexpr int kCheckBoxWidth = 24;

// firstExtra: room in the first column for what stands before its text (a check box).
wxListCtrl* NewDeviceList(wxWindow* parent, int id, const char* firstHeading, int firstExtra = 0) {
  auto* list = new wxListCtrl(parent, id, wxDefaultPosition, wxSize(270, 150), wxLC_REPORT | wxLC_SINGLE_SEL);
  const std::pair<const char*, int> columns[] = {{firstHeading, 90}, {"Device Name", 90}, {"Device Type", 80}};
  int total = 0;
  for (int column = 0; column < 3; ++column) {
    const auto& [heading, width] = columns[column];
    const int whole = ColumnWidthForTexts(*list, heading, {}, column == 0 ? firstExtra : 0);
    list->InsertColumn(column, heading, wxLIST_FORMAT_LEFT, std::max(width, whole));
    total += list->GetColumnWidth(column);
  }
  list->SetMinSize(wxSize(std::max(270, total + kListFrame), 150));
  return list;
}

void AppendDevice(wxListCtrl* list, const NewDeviceEntry& device, const char* typeText) {
  const long row = list->InsertItem(list->GetItemCount(), "");
  list->SetItem(row, 1, wxString::FromUTF8(device.name));
  list->SetItem(row, 2, typeText);
}

}  // namespace

CSaveNewDevDlg::CSaveNewDevDlg(wxWindow* parent) : wxDialog(parent, IDD, "Save New Device") {
  apList_ = NewDeviceList(this, IDC_AP_LIST, "Apply default", kCheckBoxWidth);
  apList_->EnableCheckBoxes();
  switchList_ = NewDeviceList(this, IDC_SWITCH_LIST, "");
  progress_ = new wxGauge(this, IDC_PROGRESS, 100, wxDefaultPosition, wxSize(-1, 16));

  auto* lists = new wxBoxSizer(wxHORIZONTAL);
  lists->Add(apList_, wxSizerFlags(1).Expand().Border(wxRIGHT, 8));
  lists->Add(switchList_, wxSizerFlags(1).Expand());
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_OK, "Save"), wxSizerFlags().Border(wxRIGHT, 8));
  buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"));
  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(new wxStaticText(this, wxID_ANY, "Discoverd New Device :"), wxSizerFlags().Border(wxALL, 10));
  layout->Add(lists, wxSizerFlags(1).Expand().Border(wxLEFT | wxRIGHT, 10));
  layout->Add(progress_, wxSizerFlags().Expand().Border(wxALL, 10));
  layout->Add(buttons, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxBOTTOM, 10));
  SetSizerAndFit(layout);
  CentreOnParent();

  Bind(wxEVT_BUTTON, &CSaveNewDevDlg::OnSave, this, wxID_OK);
  Bind(wxEVT_CLOSE_WINDOW, &CSaveNewDevDlg::OnClose, this);
  FillLists();
}

CSaveNewDevDlg::~CSaveNewDevDlg() { worker_.reset(); }

void CSaveNewDevDlg::FillLists() {
  if (saving_) return;  // polling is paused while saving, so no refill is due; the worker reads the list
  newDevices_.clear();
  CDefaultParams defaults;
  CDefaultParamsStore().GetDefaultParams(defaults);
  CDiscoveryDb().getNewDevice(newDevices_);
  // Both lists are rebuilt, so a second notification shows each device once.
  apList_->DeleteAllItems();
  switchList_->DeleteAllItems();
  for (const NewDeviceEntry& device : newDevices_) {
    if (device.type == "1") {
      AppendDevice(switchList_, device, "switch");
    } else {
      AppendDevice(apList_, device, "AP");
      apList_->CheckItem(apList_->GetItemCount() - 1, defaults.b_apply_defparam != 0);
    }
  }
}

void CSaveNewDevDlg::OnSave(wxCommandEvent&) {
  if (newDevices_.empty()) {  // nothing to save: end at once rather than leave no button to close with
    EndModal(wxID_OK);
    return;
  }
  EnableButtons(false);
  saving_ = true;
  // The ticks are read here, on the UI thread; the worker only gets their copy.
  SaveNewDevTask task{newDevices_, {}};
  for (long row = 0; row < apList_->GetItemCount(); ++row) task.apTicked.push_back(apList_->IsItemChecked(row));
  worker_ = std::make_unique<CSaveNewDevWorker>(
      SaveNewDevSteps::Database([this](int percent) { CallAfter([this, percent] { progress_->SetValue(percent); }); }),
      [this] { CallAfter(&CSaveNewDevDlg::DestroyDlg); });
  worker_->StartSave(std::move(task));
}

void CSaveNewDevDlg::OnClose(wxCloseEvent& event) {
  if (saving_ && event.CanVeto()) {
    event.Veto();
    return;
  }
  event.Skip();
}

void CSaveNewDevDlg::DestroyDlg() {
  worker_->Stop(false);
  saving_ = false;
  EnableButtons(true);
  EndModal(wxID_OK);
}

void CSaveNewDevDlg::EnableButtons(bool enable) {
  for (int id : {wxID_OK, wxID_CANCEL})
    if (wxWindow* button = FindWindow(id)) button->Enable(enable);
}
