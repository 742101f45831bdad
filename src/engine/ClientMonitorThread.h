#pragma once
// The client monitor: at its own interval it reads every managed AP's traffic counters, client count and
// client table, stores the round through the load-balance manager, and writes a client event for every
// association ("connect") and disassociation ("disconnect") since the previous round. It also reports
// new devices that carry a managed device's address. Destroying it writes every client still associated
// as disconnected.
#include <atomic>
#include <map>
#include <string>
#include <thread>

#include "db/RecorderPollingRecord.h"
#include "db/pollingdb.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "platform/Sync.h"

class CClientMonitorThread {
 public:
  CClientMonitorThread() = default;
  // Stop, then FlushDisconnects.
  ~CClientMonitorThread();
  CClientMonitorThread(const CClientMonitorThread&) = delete;
  CClientMonitorThread& operator=(const CClientMonitorThread&) = delete;

  // Starts the thread; the first round begins at once. False when it was started before.
  bool Start();
  // The thread body: rounds one monitor interval apart until Stop. 0.
  int Run();
  // True while no thread runs, and once a stop was asked for.
  bool IsIdle();
  // Asks the thread to end, wakes it and waits for it; a round in progress is abandoned within one request
  // (event writes already begun are finished first).
  void Stop();

  // One round of reads. A round abandoned by a stop request stores nothing, posts nothing and leaves the
  // previous round as the current one; false then.
  bool MonitorAps();
  // Writes a client event per change between the previous and the current round, then makes the current
  // round the previous one. After the database was cleared it forgets both rounds instead. After a stop
  // request it writes nothing and makes the previous round the current one again, so the clients the
  // flush disconnects are those whose connection was written; writes once begun are finished.
  void RecordChanges();
  // Writes every client of the current round as disconnected, under the latest round's number.
  void FlushDisconnects();

 private:
  using Round = std::map<std::string, RecorderPollingRecord>;  // by AP MAC

  // Reads one AP into record; false when the AP did not answer, gave a client count that is no count (or
  // one past CWalkLimit's rows), or a stop was asked for. The two traffic counters are unsigned 32-bit.
  bool ReadAp(const ManagedDeviceRow& ap, RecorderPollingRecord& record);
  // Appends the AP's client table to record, one get-next per column per client, at most as many rows as
  // the AP's client count (and CWalkLimit); a client MAC met again is passed over. False on a stop request.
  bool WalkClients(const ManagedDeviceRow& ap, RecorderPollingRecord& record);
  void ReportDuplicateAddresses(const std::vector<ManagedDeviceRow>& managed);
  void StoreRound(const Round& round);
  // Writes the clients of every AP of from that are not under the same AP in other, in the given state,
  // one write per AP.
  void WriteMissing(const Round& from, const Round& other, const char* state, int index);

  Round current_;
  Round previous_;
  // Constructed and destroyed with the monitor, for the poll-round number it loads and saves; every write
  // goes through the process-wide manager.
  LoadBalanceManager_DB ownManager_;
  platform::CCritSec idleLock_;
  bool idle_ = true;
  // Set by Stop; every read of a round tests it, so a stop ends a round within one request.
  std::atomic<bool> stopRequested_{false};
  bool started_ = false;
  platform::Event wake_{platform::Event::Reset::Manual, false};
  std::thread thread_;
};
