#pragma once
// A unit of work the SNMP dispatcher hands to one of its workers. Execute runs on the worker's thread;
// returning reports the task finished, throwing reports it failed.
class CSnmpTask {
 public:
  virtual ~CSnmpTask() = default;
  virtual void Execute() = 0;
};
