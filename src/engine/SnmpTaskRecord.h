#pragma once
// One queued task of the SNMP dispatcher: the caller's task object, its id (its place in the queue) and
// a text of at most kMaxText characters.
#include <string>

class CSnmpTask;

struct SnmpTaskRecord {
  static constexpr size_t kMaxText = 255;
  CSnmpTask* value = nullptr;
  int id = 0;
  std::string text;
};
