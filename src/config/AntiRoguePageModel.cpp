#include "config/AntiRoguePageModel.h"

#include "db/pollingdb.h"
#include "groups/GroupStore.h"
#include "log/LogDBModule.h"
#include "platform/MessageBox.h"
#include "snmp/y_snmp.h"

namespace {

constexpr int kLevelCritical = 1;
constexpr char kPortControl[] = ".24.2.0";
constexpr int kLldpOff = 2;
// The set's code when the switch did not answer or refused the get or the set.
constexpr int kSetFailed = -5;

void ShowError(const std::string& text) {
  platform::MessageBox(text, "Error", platform::MB_OK | platform::MB_ICONWARNING);
}

}  // namespace

CAntiRoguePageModel::CAntiRoguePageModel(std::string mac) : mac_(std::move(mac)) {}

void CAntiRoguePageModel::InitControls() {
  portCount_ = GetGroupStore()->GetDevPortNum(mac_, KeyKind::Mac);
  RefreshList();
}

const std::vector<CAntiRoguePageModel::Row>& CAntiRoguePageModel::RefreshList() {
  rows_.clear();
  const std::string text = GetGroupStore()->GetSwitchAntiRogue(mac_, KeyKind::Mac);
  int shown = 0;
  const CAntiRogueBitmap::LoadResult result = bitmap_.Load(text, portCount_, shown);
  if (result == CAntiRogueBitmap::LoadResult::kUnusable) return rows_;
  for (int port = 1; port <= shown; ++port) rows_.push_back({port, bitmap_.IsSet(port)});
  if (result == CAntiRogueBitmap::LoadResult::kBadCharacter)
    ShowError("anti-rogue value error\r\nanti-rogue value : " + text);
  return rows_;
}

bool CAntiRoguePageModel::CanChange() const {
  return CPollingDb().GetCompareInfo(mac_, CPollingDb::SwitchCode::Lldp) != kLldpOff;
}

bool CAntiRoguePageModel::Apply(int fromIndex, int toIndex, int controlIndex) {
  if (fromIndex < 0 || toIndex < 0 || toIndex < fromIndex) {
    ShowError("Port range error!");
    return false;
  }
  if (controlIndex < 0) {
    ShowError("Port control error!");
    return false;
  }
  const bool enable = controlIndex == 0;
  if (enable && platform::MessageBox("Enable anti-rogue port control may cause network disconnection.\nAre you "
                                     "sure to proceed?",
                                     "info", platform::MB_YESNO | platform::MB_ICONINFORMATION) != platform::IDYES)
    return false;
  if (portCount_ == -1) {
    ShowError("Can't get switch port number!");
    return false;
  }
  const int from = fromIndex + 1, to = toIndex + 1;
  bitmap_.SetRange(from, to, enable, portCount_);
  CGroupStore* store = GetGroupStore();
  const std::string ip = store->GetDevIpByMac(mac_);
  const std::string community = store->GetDevPassword(mac_, KeyKind::Mac);
  if (community.empty()) {
    GetLogDBModule()->WriteSystemLog(kLevelCritical, "device " + ip + "[" + mac_ + "] empty password");
    return false;
  }
  CYSnmp snmp;
  snmp.SetIp(ip);
  snmp.SetWriteCommunity(community);
  const std::vector<unsigned char> bytes = bitmap_.Bytes(portCount_);
  const int result = snmp.SetOctets(0, store->GetDevSysObjectID(mac_, KeyKind::Mac) + kPortControl, bytes.data(),
                                    static_cast<int>(bytes.size()));
  const std::string line = std::string(enable ? "enable" : "disable") + " switch " + ip + "[" + mac_ +
                           "] anti-rogue from port " + std::to_string(from) + " to port " + std::to_string(to);
  if (result != 0) {
    GetLogDBModule()->WriteActionLog(line + " fail");
    platform::MessageBox(result == kSetFailed ? "network is bolcked by anti-rogue function or set fail"
                                                                     : "fail to set anti-rogue function");
    return false;
  }
  store->SetSwitchAntiRogue(mac_, CAntiRogueBitmap::FormatText(bytes));
  RefreshList();
  GetLogDBModule()->WriteActionLog(line + " success");
  platform::MessageBox("success");
  return true;
}
