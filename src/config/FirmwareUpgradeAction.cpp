#include "config/FirmwareUpgradeAction.h"

#include <algorithm>
#include <filesystem>

#include "groups/GroupStore.h"
#include "log/LogDBModule.h"
#include "platform/DebugTrace.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "snmp/y_snmp.h"

namespace {

constexpr int kLevelCritical = 1;
constexpr char kSwitchTftpOpen[] = ".11.42.0";
constexpr char kApTftpOpen[] = ".1.8.0";
constexpr std::uintptr_t kProgressFull = 1000;

void ActionLog(const std::string& text) { GetLogDBModule()->WriteActionLog(text); }

}  // namespace

CFirmwareUpgradeAction::CFirmwareUpgradeAction(int tftpPort) : engine_(tftpPort) {
  engine_.SetTaskStartEvent([this](int task) {
    ActionLog("target IP: " + GetIpByIndex(task) + " firmware upgrade is processing.");
    std::lock_guard lock(paramsMutex_);
    status_.SetStarted(task);
  });
  engine_.SetTaskFinishedEvent([this](int task) {
    const std::string line = "target IP: " + GetIpByIndex(task) + " firmware upgrade successful.";
    ActionLog(line);
    std::lock_guard lock(paramsMutex_);
    status_.SetEnded(task, line, false);
  });
  engine_.SetTaskErrorEvent([this](int task, unsigned long) {
    const std::string line = "target IP: " + GetIpByIndex(task) + " firmware upgrade failed or something wrong";
    ActionLog(line);
    std::lock_guard lock(paramsMutex_);
    failures_.push_back(line);
    status_.SetEnded(task, line, true);
  });
  engine_.SetWorkEndEvent([this] { OnWorkEnd(); });
  SetThreadProc([this](CWorkerThread&) { UpgradeProc(); });
}

// The run uses this object's members: it ends here, before they go.
CFirmwareUpgradeAction::~CFirmwareUpgradeAction() {
  workEnd_ = true;
  Stop(true);
}

void CFirmwareUpgradeAction::SetParams(int deviceKind, const std::vector<std::string>& ips,
                                       const std::string& firmwareFile) {
  std::lock_guard lock(paramsMutex_);
  deviceKind_ = deviceKind;
  ips_ = ips;
  firmwareFile_ = firmwareFile;
}

std::string CFirmwareUpgradeAction::GetIpByIndex(int index) const {
  std::lock_guard lock(paramsMutex_);
  return index >= 0 && index < static_cast<int>(ips_.size()) ? ips_[index] : std::string();
}

int CFirmwareUpgradeAction::OnWorkEnd(int) {
  workEnd_ = true;
  return 0;
}

bool CFirmwareUpgradeAction::StartRun() {
  Stop(true);
  return StartNoParam();
}

void CFirmwareUpgradeAction::Post(std::uint32_t id, std::uintptr_t wParam, std::string text) {
  const platform::WindowId owner = owner_;
  if (owner != platform::kNoWindow) platform::PostMessage(owner, id, wParam, 0, std::move(text));
}

void CFirmwareUpgradeAction::PostProgress(std::uint64_t total, std::uint64_t fileSize) {
  std::uint64_t processed = 0;
  std::vector<int> percents;
  for (int task = 0; task < engine_.GetTaskCount(); ++task) {
    const std::uint64_t sent = engine_.GetTaskProcessedFileSize(task);
    processed += sent;
    percents.push_back(static_cast<int>(std::min<std::uint64_t>(sent * 100 / fileSize, 100)));
  }
  {
    std::lock_guard lock(paramsMutex_);  // not held while asking the engine, whose events take it
    for (int task = 0; task < static_cast<int>(percents.size()); ++task) status_.SetPercent(task, percents[task]);
  }
  PostStatus();
  Post(msg::WM_NMS_FIRMWARE_PROGRESS, static_cast<std::uintptr_t>(std::min<std::uint64_t>(processed * 1000 / total, kProgressFull)));
}

void CFirmwareUpgradeAction::PostStatus() {
  std::string text;
  {
    std::lock_guard lock(paramsMutex_);
    text = status_.Text();
    if (text == postedStatus_) return;
    postedStatus_ = text;
  }
  Post(msg::WM_NMS_FIRMWARE_TEXT, 0, std::move(text));
}

void CFirmwareUpgradeAction::EndRun(bool closeThreads, const std::string& failure, unsigned boxStyle) {
  if (closeThreads) engine_.CloseAllThreads();
  if (!engine_.RemoveAllTasks()) DebugTrace("remove all thread fail\r\n");
  Post(msg::WM_NMS_POLLING_RESTART);
  // The progress window stays open behind the box, so the failure is read beside the devices' lines.
  if (!failure.empty()) platform::MessageBox(failure, {}, boxStyle);
  Post(msg::WM_NMS_FIRMWARE_END);
}

bool CFirmwareUpgradeAction::OpenDevice(int device, const std::string& ip, int kind, const std::string& file) {
  CGroupStore* store = GetGroupStore();
  const std::string community = store->GetDevPassword(ip, KeyKind::Ip);
  std::string mac;
  if (!store->GetDevMacByIp(ip, mac)) GetLogDBModule()->WriteSystemLog(kLevelCritical, "get device " + ip + " MAC error");
  if (community.empty()) {
    GetLogDBModule()->WriteSystemLog(kLevelCritical, "device " + ip + " empty password");
    EndRun(true);
    return false;
  }
  if (kind != kSwitches && kind != kAps) return true;
  CYSnmp snmp;
  snmp.SetIp(ip);
  snmp.SetWriteCommunity(community);
  const std::string root = store->GetDevSysObjectID(mac, KeyKind::Mac);
  if (snmp.Set(root + (kind == kSwitches ? kSwitchTftpOpen : kApTftpOpen), "1") != 0) {
    const std::string text = "target IP : " + ip + " firmware upgrade failed [can not open tftp switch]";
    ActionLog(text);
    {
      std::lock_guard lock(paramsMutex_);
      status_.SetEnded(device, text, true);
    }
    PostStatus();
    EndRun(true, text);
    return false;
  }
  engine_.AddTask(ip, file, 1);
  return true;
}

std::uint32_t CFirmwareUpgradeAction::UpgradeProc() {
  workEnd_ = false;
  Post(msg::WM_NMS_POLLING_LOCK);
  std::vector<std::string> ips;
  std::string file;
  int kind = 0;
  {
    std::lock_guard lock(paramsMutex_);
    ips = ips_;
    file = firmwareFile_;
    kind = deviceKind_;
    failures_.clear();
    status_.Reset(ips);
    postedStatus_.clear();
  }
  PostStatus();
  if (file.empty()) {
    EndRun(false, "invalid file path");
    return 0;
  }
  if (!engine_.RemoveAllTasks()) {
    DebugTrace("tag false\r\n");
    EndRun(false);
    return static_cast<std::uint32_t>(-1);
  }
  if (!engine_.CreateThreads(kThreads)) {
    EndRun(false, "create mtftp fail");
    return 0;
  }
  for (int device = 0; device < static_cast<int>(ips.size()); ++device) {
    if (workEnd_ || StopRequested()) {
      EndRun(true);
      return static_cast<std::uint32_t>(-1);
    }
    if (!OpenDevice(device, ips[device], kind, file)) return static_cast<std::uint32_t>(-1);
  }
  std::error_code error;
  const std::uint64_t size = std::filesystem::file_size(file, error);
  if (error) {
    EndRun(true, "can not get file");
    return 0;
  }
  const std::uint64_t total = size * static_cast<std::uint64_t>(engine_.GetTaskCount());
  if (total == 0) {
    // Nothing to send (an empty file, or no device opened) counts as all of it sent.
    Post(msg::WM_NMS_FIRMWARE_PROGRESS, kProgressFull);
    EndRun(true);
    return 0;
  }
  if (!workEnd_) engine_.Start();
  while (!workEnd_ && !StopRequested()) {
    PostProgress(total, size);
    WaitMs(kProgressMs);
  }
  // Once more at the end, so a run that ended between two samples shows where it got.
  PostProgress(total, size);
  std::string failed;
  {
    std::lock_guard lock(paramsMutex_);
    for (const std::string& line : failures_) failed += (failed.empty() ? "" : "\n") + line;
  }
  // The user sees what went wrong without looking for it in the Action Log.
  EndRun(true, failed, platform::MB_ICONERROR);
  return 0;
}
