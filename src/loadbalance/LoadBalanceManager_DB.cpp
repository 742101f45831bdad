#include "loadbalance/LoadBalanceManager_DB.h"

#include <algorithm>
#include <atomic>
#include <list>
#include <mutex>

#include "log/LogDBModule.h"
#include "platform/MessageBox.h"
#include "platform/Shutdown.h"

namespace {

std::atomic<LoadBalanceManager_DB*> g_pLoadBalanceManager{nullptr};
std::mutex g_creation;

}  // namespace

LoadBalanceManager_DB::LoadBalanceManager_DB() { index_polling = StartIndexPolling(); }

LoadBalanceManager_DB::~LoadBalanceManager_DB() { SaveIndexPolling(GetIndexPolling()); }

bool LoadBalanceManager_DB::IsLocalAddress(const std::string& address) {
  std::list<std::string> addresses;
  host_info.GetLocalIpList(addresses);
  return std::find(addresses.begin(), addresses.end(), address) != addresses.end();
}

void LoadBalanceManager_DB::LogAction(const std::string& text) { GetLogDBModule()->WriteActionLog(text); }

void LoadBalanceManager_DB::ReportFailure(const std::string& text) {
  LogAction(text);
  platform::MessageBox(text, {}, platform::MB_OK);
}

LoadBalanceManager_DB* GetLoadBalanceManager() {
  if (LoadBalanceManager_DB* manager = g_pLoadBalanceManager.load(std::memory_order_acquire)) return manager;
  std::lock_guard lock(g_creation);
  LoadBalanceManager_DB* manager = g_pLoadBalanceManager.load(std::memory_order_acquire);
  if (!manager) {
    manager = new LoadBalanceManager_DB;
    g_pLoadBalanceManager.store(manager, std::memory_order_release);
    platform::RegisterShutdown(platform::ShutdownStage::LoadBalanceManager,
                               [] { delete g_pLoadBalanceManager.exchange(nullptr, std::memory_order_acq_rel); });
  }
  return manager;
}
