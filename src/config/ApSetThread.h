#pragma once
// The AP-set job: sends one AP's change list over SNMP in list order, commits it (a restart, an apply or
// nothing, as the objects set ask; no commit when the AP refused every set), stores what the AP accepted
// and writes the result lines. A failed set is logged at once; success lines are held until the commit and
// logged as failures when it fails, or as "changed on device, not saved" when the AP applied them but the
// database could not store them.
// Progress, status texts and the end go to the owner window as posted messages. One object serves one job
// at a time; a new job waits for the end of the one before.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "config/ApSetEntry.h"
#include "db/ApPropertyUpdate.h"
#include "platform/Window.h"
#include "platform/WorkerThread.h"

class CYSnmp;

struct CApSetTask {
  std::string ip;
  std::string mac;
  ApSetEntryList entries;
  bool replacement = false;  // the AP takes the place of another one
  // The configuration moves the AP back to an older address: the job reaches it at the address the
  // device tables hold for it now.
  bool addressChanged = false;
};

class CApSetThread : public platform::CWorkerThread {
 public:
  static constexpr std::uint32_t kRebootWaitMs = 10000;

  explicit CApSetThread(platform::WindowId owner = platform::kNoWindow, std::uint32_t rebootWaitMs = kRebootWaitMs);
  ~CApSetThread() override;

  // On the user-interface thread, before the job starts.
  void SetTask(const CApSetTask& task);
  // Starts the task set last; an earlier job of this object is waited for first (ended at once when it
  // was cancelled). False when the thread could not start.
  bool StartJob();
  // Cancel: the entry being sent finishes, nothing after it is sent, committed, stored or logged.
  void Abort() { m_abort = true; }
  // Whether the last job's configuration was applied by the AP (its commit went through) and stored:
  // only then may the job's end settle the database (replacement, sync results).
  bool AppliedAndStored() const { return m_appliedAndStored; }

  void PostProgress(int total);
  void PostStatusText(const std::string& text);
  // Turns one set result into its action-log line (held when ok, written at once when not), its status
  // text and, when ok, its database update.
  void RecordSetResult(const std::string& key, const std::string& value, bool ok);

  std::string GetMac() const;
  bool GetReplaceFlag() const;

 protected:
  std::uint32_t Run(void* param) override;

 private:
  enum class CommitOutcome { kRefused, kStored, kNotStored };
  // Sends one entry; 0 when the AP took it. key receives the identifier its result is recorded under.
  int SendEntry(CYSnmp& snmp, const CApSetEntry& entry, std::string& key);
  CommitOutcome Commit(CYSnmp& snmp, int commitFlags);
  // Stores what the AP accepted, once it applied it.
  CommitOutcome Store();
  // True when the AP belongs to a group whose template balances load.
  bool InBalancingGroup() const;
  void Post(std::uint32_t id, std::uintptr_t wParam = 0, std::intptr_t lParam = 0, std::string text = {});

  const platform::WindowId m_owner;
  const std::uint32_t m_rebootWaitMs;
  std::atomic<bool> m_abort{false};
  std::atomic<bool> m_appliedAndStored{false};
  mutable std::mutex m_taskMutex;  // the task is set on the UI thread and read by the job
  CApSetTask m_task;
  // The job's own state, touched only by the running job.
  std::string m_ip, m_mac, m_root, m_lastChannel;
  std::vector<std::string> m_results;  // accepted sets' lines without their outcome word
  std::vector<ApPropertyUpdate> m_updates;
};
