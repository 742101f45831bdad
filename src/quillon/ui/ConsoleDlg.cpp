#include "quillon/ui/ConsoleDlg.h"

#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/utils.h>
#include <wx/wupdlock.h>

#include <algorithm>

#include "platform/MessageBox.h"
#include "quillon/ConsoleLog.h"
#include "quillon/DefineEcf.h"
#include "quillon/UpgradePreparation.h"
#include "quillon/ui/ConsoleConfigDlg.h"
#include "quillon/ui/ConsoleDhcpDlg.h"
#include "quillon/ui/ConsoleUpgradeDlg.h"
#include "quillon/ui/SocketWatch.h"

namespace quillon::ui {
namespace {

constexpr int kColumnWidth = 100;

void ShowError(const std::string& text) { platform::MessageBox(text, "Error", platform::MB_ICONERROR); }

}  // namespace

CConsoleDlg::CConsoleDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxBORDER_RAISED | wxDIALOG_NO_PARENT),
      rediscoveryTimer_([this] {
        rediscovery_->OnTimer();
        ShowList();
      }) {
  BuildControls();
  Bind(wxEVT_BUTTON, &CConsoleDlg::OnDiscovery, this, console_id::kDiscovery);
  Bind(wxEVT_BUTTON, &CConsoleDlg::OnConfiguration, this, console_id::kConfiguration);
  Bind(wxEVT_BUTTON, &CConsoleDlg::OnFirmwareUpgrade, this, console_id::kFirmwareUpgrade);
  Bind(wxEVT_BUTTON, &CConsoleDlg::OnDhcpRefresh, this, console_id::kDhcpRefresh);
  Bind(wxEVT_BUTTON, &CConsoleDlg::OnExit, this, console_id::kExit);
  Bind(wxEVT_CLOSE_WINDOW, &CConsoleDlg::OnClose, this);
  Bind(wxEVT_CHAR_HOOK, &CConsoleDlg::OnCharHook, this);
  list_->Bind(wxEVT_LIST_COL_CLICK, &CConsoleDlg::OnColumnClick, this);
  list_->Bind(wxEVT_LIST_ITEM_SELECTED, &CConsoleDlg::OnSelectionChanged, this);
  list_->Bind(wxEVT_LIST_ITEM_DESELECTED, &CConsoleDlg::OnSelectionChanged, this);
  list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, &CConsoleDlg::OnActivated, this);
}

CConsoleDlg::~CConsoleDlg() { CloseConsole(); }

void CConsoleDlg::BuildControls() {
  list_ = new wxListCtrl(this, console_id::kList, wxDefaultPosition, wxDefaultSize,
                         wxLC_REPORT | wxBORDER_SIMPLE | wxLC_EDIT_LABELS);
  const auto& headers = CConsoleList::Headers();
  for (int column = 0; column < kConsoleColumnCount; ++column) {
    list_->InsertColumn(column, headers[static_cast<std::size_t>(column)],
                        column == 0 ? wxLIST_FORMAT_CENTRE : wxLIST_FORMAT_LEFT, kColumnWidth);
    // Wider where the header needs it to show whole.
    list_->SetColumnWidth(column, wxLIST_AUTOSIZE_USEHEADER);
    list_->SetColumnWidth(column, std::max(kColumnWidth, list_->GetColumnWidth(column)));
  }

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  const std::pair<int, const char*> captions[] = {{console_id::kDiscovery, "Discovery"},
                                                  {console_id::kConfiguration, "Configuration setting"},
                                                  {console_id::kFirmwareUpgrade, "Firmware upgrade"},
                                                  {console_id::kExit, "Exit"},
                                                  {console_id::kDhcpRefresh, "DHCP Refresh"}};
  for (const auto& [id, caption] : captions) {
    auto* button = new wxButton(this, id, caption);
    buttons->Add(button, 0, wxALL, 4);
    if (id == console_id::kDhcpRefresh) {
      dhcpRefresh_ = button;
      button->Hide();  // created hidden; nothing shows it
    }
  }
  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(buttons, 0, wxALIGN_RIGHT);
  layout->Add(list_, 1, wxEXPAND | wxALL, 4);
  SetSizer(layout);
  SetClientSize(ConvertDialogToPixels(wxSize(428, 139)));
}

void CConsoleDlg::SetTimings(RediscoveryTimings rediscovery, TftpTimings tftp) {
  rediscoveryTimings_ = rediscovery;
  tftpTimings_ = tftp;
}

bool CConsoleDlg::Initialise() {
  ConsoleSettings settings;
  if (ReadDefineEcf(settings) != 0) ShowError("It will cause the application fail\n ");
  session_ = std::make_unique<CConsoleSession>(settings);
  actions_ = std::make_unique<CConsoleActions>(*session_);
  transport_ = std::make_unique<CUdpConsoleTransport>(ConsoleEndpoints::FromSettings(settings.multicastGroup, settings.basePort));
  rediscovery_ = std::make_unique<CRediscovery>(*session_, *transport_, rediscoveryTimer_, rediscoveryTimings_);

  transport_->CreateBroadcastSocket();
  const bool ready = transport_->CreateMulticastSocket();
  for (int fd : {transport_->BroadcastSocket(), transport_->MulticastSocket()})
    if (fd >= 0) watches_.push_back(std::make_unique<CSocketWatch>(fd, [this] { HandleReadable(); }));
  session_->ClearUpgradeFlags();

  keepAlive_ = std::make_unique<CIgmpKeepAlive>(settings.multicastGroup, settings.keepAliveFlag, settings.keepAliveSeconds);
  // The keep-alive is optional: a console that cannot run it notes so in its log and works on; only a
  // note the log cannot take is shown.
  keepAlive_->Start(
      [](const std::string& text) {
        if (CConsoleLog(GetConsoleCfgDir()).LogNote(text) != 0) ShowError(text);
      },
      transport_->Endpoints().multicastInterface);

  session_->Discovery(*transport_);
  ShowList();
  return ready;
}

int CConsoleDlg::RunModal() {
  if (!Initialise()) {
    CloseConsole();
    return wxID_CANCEL;
  }
  // Modal to the windows that exist now (the host's); the upgrade dialog opened later stays usable.
  wxWindowDisabler disabler(this);
  Show();
  wxGUIEventLoop loop;
  loop_ = &loop;
  showing_ = true;
  loop.Run();
  loop_ = nullptr;
  Hide();
  return result_;
}

void CConsoleDlg::CloseConsole() {
  rediscoveryTimer_.Stop();
  if (rediscovery_) rediscovery_->Stop();
  if (upgrade_) {
    upgrade_->Abandon();
    upgrade_ = nullptr;
  }
  watches_.clear();
  if (transport_) transport_->CloseSockets();
  if (keepAlive_) keepAlive_->Stop();
}

void CConsoleDlg::OnClose(wxCloseEvent&) {
  CloseConsole();
  Hide();
  result_ = wxID_CANCEL;
  if (loop_ && showing_) {
    showing_ = false;
    loop_->Exit();
  }
}

void CConsoleDlg::OnExit(wxCommandEvent&) { Close(); }

void CConsoleDlg::OnCharHook(wxKeyEvent& event) {
  // Neither key ends the console.
  const int key = event.GetKeyCode();
  if (key == WXK_ESCAPE || key == WXK_RETURN || key == WXK_NUMPAD_ENTER) return;
  event.Skip();
}

void CConsoleDlg::HandleReadable() {
  for (int fd : {transport_->BroadcastSocket(), transport_->MulticastSocket()})
    while (auto datagram = CUdpConsoleTransport::Receive(fd)) session_->HandleConsoleDatagram(datagram->bytes, datagram->source);
  ShowList();
}

void CConsoleDlg::ShowList() {
  const CConsoleList& model = session_->List();
  wxWindowUpdateLocker noFlicker(list_);
  while (list_->GetItemCount() > model.Count()) list_->DeleteItem(list_->GetItemCount() - 1);
  while (list_->GetItemCount() < model.Count()) list_->InsertItem(list_->GetItemCount(), wxString());
  for (int row = 0; row < model.Count(); ++row) {
    const ConsoleListRow& shown = model.Row(row);
    for (int column = 0; column < kConsoleColumnCount; ++column) {
      const wxString text = wxString::FromUTF8(shown.texts[static_cast<std::size_t>(column)]);
      if (list_->GetItemText(row, column) != text) list_->SetItem(row, column, text);
    }
    list_->SetItemData(row, shown.itemData);
    const bool selected = (list_->GetItemState(row, wxLIST_STATE_SELECTED) & wxLIST_STATE_SELECTED) != 0;
    if (selected != shown.selected)
      list_->SetItemState(row, shown.selected ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
  }
}

void CConsoleDlg::TakeSelection() {
  CConsoleList& model = session_->List();
  for (int row = 0; row < model.Count() && row < list_->GetItemCount(); ++row)
    model.Select(row, (list_->GetItemState(row, wxLIST_STATE_SELECTED) & wxLIST_STATE_SELECTED) != 0);
}

void CConsoleDlg::OnSelectionChanged(wxListEvent&) {
  TakeSelection();
  if (const auto enabled = actions_->DhcpRefreshEnabled()) dhcpRefresh_->Enable(*enabled);
}

void CConsoleDlg::OnColumnClick(wxListEvent& event) {
  TakeSelection();
  actions_->Sort(event.GetColumn());
  ShowList();
}

void CConsoleDlg::OnDiscovery(wxCommandEvent&) {
  session_->Discovery(*transport_);
  ShowList();
}

void CConsoleDlg::OnActivated(wxListEvent&) { Configure(); }
void CConsoleDlg::OnConfiguration(wxCommandEvent&) { Configure(); }

void CConsoleDlg::Configure() {
  TakeSelection();
  if (actions_->Configuration() != ConsoleAction::OpenConfiguration) return;
  CConsoleConfigDlg dialog(this, *session_, *transport_, actions_->SelectedDevice());
  dialog.ShowModal();
}

void CConsoleDlg::OnDhcpRefresh(wxCommandEvent&) {
  TakeSelection();
  if (actions_->DhcpRefresh() != ConsoleAction::OpenDhcpRefresh) return;
  CConsoleDhcpDlg dialog(this, *session_, *transport_, actions_->SelectedDevice());
  dialog.ShowModal();
}

void CConsoleDlg::OnFirmwareUpgrade(wxCommandEvent&) {
  TakeSelection();
  if (actions_->FirmwareUpgrade() != ConsoleAction::PrepareUpgrade) return;
  PrepareUpgradeDialog();
}

void CConsoleDlg::PrepareUpgradeDialog() {
  // The transfer's state belongs to one switch at a time.
  if (upgrade_ || rediscovery_->Running()) {
    ShowError("A firmware upgrade is already running");
    return;
  }
  std::string error;
  const auto local = ReadLocalAddresses(error);
  if (!local) {
    platform::MessageBox(error);
    return;
  }
  if (PrepareUpgrade(*session_, actions_->SelectedDevice(), *local) != 1) return;
  UpgradeContext context{*session_,
                         *transport_,
                         transport_->Endpoints(),
                         session_->Device(actions_->SelectedDevice()),
                         tftpTimings_,
                         [this] { rediscovery_->Start(); },
                         [this] { upgrade_ = nullptr; }};
  upgrade_ = new CConsoleUpgradeDlg(this, std::move(context));
  upgrade_->Show();
}

}  // namespace quillon::ui
