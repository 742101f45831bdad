#include "quillon/ui/ConsoleUpgradeDlg.h"

#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/MessageBox.h"
#include "quillon/ConsoleConfigSet.h"
#include "quillon/ConsoleLog.h"
#include "quillon/ConsoleSession.h"
#include "quillon/DefineEcf.h"
#include "quillon/ui/SocketWatch.h"

namespace quillon::ui {
namespace {

constexpr std::chrono::milliseconds kTriggerWait{2000};
// A switch with none of these flags restarts by itself after it refused a transfer.
constexpr std::uint32_t kKeepsRunningFlags = 0xE0000000u;

// Kept for the next upgrade, also after the console closed.
std::string& RememberedFirmwarePath() {
  static std::string path;
  return path;
}

void ShowError(const std::string& text) { platform::MessageBox(text, "Error", platform::MB_ICONERROR); }

}  // namespace

// The transfer's socket, watched for datagrams while it is open.
class CConsoleUpgradeDlg::WatchedSocket : public CUdpTftpSocket {
 public:
  explicit WatchedSocket(std::function<void()> onReadable) : onReadable_(std::move(onReadable)) {}
  ~WatchedSocket() override { watch_.reset(); }

  OpenResult Open(std::uint16_t localPort) override {
    const OpenResult result = CUdpTftpSocket::Open(localPort);
    if (result == OpenResult::Ok) watch_ = std::make_unique<CSocketWatch>(Handle(), onReadable_);
    return result;
  }
  void Close() override {
    watch_.reset();
    CUdpTftpSocket::Close();
  }

 private:
  std::function<void()> onReadable_;
  std::unique_ptr<CSocketWatch> watch_;
};

CConsoleUpgradeDlg::CConsoleUpgradeDlg(wxWindow* parent, UpgradeContext context)
    : wxDialog(parent, wxID_ANY, "Firmware Upgrade"),
      context_(std::move(context)),
      dataTimer_([this] { client_->OnDataTimer(); }),
      requestTimer_([this] { client_->OnRequestTimer(); }),
      finishTimer_([this] { client_->OnFinishTimer(); }),
      triggerTimer_([this] { OnTriggerWaited(); }) {
  const auto field = [this](wxSizer* grid, int id, const char* label, long style) {
    grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
    auto* text = new wxTextCtrl(this, id, wxString(), wxDefaultPosition, wxSize(220, -1), style);
    grid->Add(text, 1, wxEXPAND);
    return text;
  };
  auto* device = new wxStaticBoxSizer(wxVERTICAL, this, "Device Information");
  auto* deviceGrid = new wxFlexGridSizer(2, wxSize(8, 6));
  wxTextCtrl* address = field(deviceGrid, upgrade_id::kDeviceIp, "      Device IP", wxTE_READONLY);
  wxTextCtrl* mac = field(deviceGrid, upgrade_id::kDeviceMac, "     Device Mac", wxTE_READONLY);
  device->Add(deviceGrid, 1, wxEXPAND | wxALL, 4);

  auto* setting = new wxStaticBoxSizer(wxVERTICAL, this, "Upgrade Setting");
  auto* settingGrid = new wxFlexGridSizer(3, wxSize(8, 6));
  path_ = field(settingGrid, upgrade_id::kFirmwarePath, "      Firmware Path", 0);
  settingGrid->Add(new wxButton(this, upgrade_id::kBrowse, "Browse"));
  password_ = field(settingGrid, upgrade_id::kPassword, "      Password", wxTE_PASSWORD);
  settingGrid->AddSpacer(0);
  state_ = field(settingGrid, upgrade_id::kState, "      Upgrade State", wxTE_READONLY);
  settingGrid->AddSpacer(0);
  setting->Add(settingGrid, 1, wxEXPAND | wxALL, 4);

  start_ = new wxButton(this, upgrade_id::kStart, "Start");
  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(start_, 0, wxALL, 4);
  buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALL, 4);
  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(device, 0, wxEXPAND | wxALL, 6);
  layout->Add(setting, 0, wxEXPAND | wxALL, 6);
  layout->Add(buttons, 0, wxALIGN_RIGHT);
  SetSizerAndFit(layout);

  address->ChangeValue(wxString::FromUTF8(AddressText(context_.device.ipAddress)));
  mac->ChangeValue(wxString::FromUTF8(context_.device.macText));
  path_->ChangeValue(wxString::FromUTF8(RememberedFirmwarePath()));
  password_->SetMaxLength(field::kPassword);

  socket_ = std::make_unique<WatchedSocket>([this] { client_->OnReadable(); });
  TftpEvents events;
  events.stateText = [this](const std::string& text) { state_->ChangeValue(wxString::FromUTF8(text)); };
  events.logFailure = [this](const std::string& text) {
    CConsoleLog(GetConsoleCfgDir()).LogUpgradeFailure(AddressText(context_.device.ipAddress), text);
  };
  events.finished = [this] {
    if (context_.onFinished) context_.onFinished();
    End();
  };
  events.refused = [this] { End(); };
  client_ = std::make_unique<CTftpWriteClient>(*socket_, TftpTimers{dataTimer_, requestTimer_, finishTimer_},
                                               std::move(events), context_.timings);
  client_->Reset();

  Bind(wxEVT_BUTTON, &CConsoleUpgradeDlg::OnStart, this, upgrade_id::kStart);
  Bind(wxEVT_BUTTON, &CConsoleUpgradeDlg::OnBrowse, this, upgrade_id::kBrowse);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { End(); }, wxID_CANCEL);
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { End(); });
  Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key != WXK_ESCAPE && key != WXK_RETURN && key != WXK_NUMPAD_ENTER) event.Skip();
  });
}

CConsoleUpgradeDlg::~CConsoleUpgradeDlg() {
  triggerTimer_.Stop();
  client_->Cancel();
}

wxString CConsoleUpgradeDlg::StateText() const { return state_->GetValue(); }

void CConsoleUpgradeDlg::Abandon() {
  context_.onFinished = nullptr;
  context_.onClosed = nullptr;
  triggerTimer_.Stop();
  client_->Cancel();
}

void CConsoleUpgradeDlg::End() {
  triggerTimer_.Stop();
  client_->Cancel();
  if (context_.onClosed) context_.onClosed();
  context_.onClosed = nullptr;
  Hide();
  Destroy();
}

void CConsoleUpgradeDlg::OnBrowse(wxCommandEvent&) {
  wxFileDialog dialog(this, wxString(), wxString(), "*.hex", "hex File (*.hex)|*.hex",
                      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  const std::string chosen = dialog.ShowModal() == wxID_OK ? dialog.GetPath().utf8_string() : std::string();
  RememberedFirmwarePath() = chosen;
  path_->ChangeValue(wxString::FromUTF8(chosen));
}

void CConsoleUpgradeDlg::OnStart(wxCommandEvent&) {
  if (triggerTimer_.Running() || client_->Running()) return;  // one trigger and one transfer at a time
  context_.transport.RejoinMulticastGroup();
  const std::string password = password_->GetValue().utf8_string();
  if (!IsPasswordLengthAllowed(password)) {
    ShowError("Password lengths between 1-20");
    return;
  }
  const std::string path = path_->GetValue().utf8_string();
  const std::string refusal = CTftpWriteClient::CheckFirmwareFile(path);
  if (!refusal.empty()) {
    ShowError(refusal);
    return;
  }
  firmwarePath_ = path;
  RememberedFirmwarePath() = path;
  if (context_.session.SendUpgradeTrigger(context_.device.macText, password, context_.transport) != 0) return;
  // The acknowledgement comes in through the console's sockets meanwhile.
  start_->Disable();
  triggerTimer_.Start(kTriggerWait, true);
}

void CConsoleUpgradeDlg::OnTriggerWaited() {
  start_->Enable();
  if (!context_.session.TriggerAcknowledged()) {
    state_->ChangeValue("Trigger fail");
    return;
  }
  TftpTarget target;
  target.address = context_.device.ipAddress;
  target.addressText = AddressText(context_.device.ipAddress);
  target.port = context_.endpoints.tftpPort;
  target.localPort = context_.endpoints.tftpLocalPort;
  target.rebootsAfterError = (context_.device.capabilities[3] & kKeepsRunningFlags) == 0;
  if (client_->Start(target, firmwarePath_) != 0) return;
  context_.session.ClearUpgradeFlags();
  state_->ChangeValue("Wait....");
}

}  // namespace quillon::ui
