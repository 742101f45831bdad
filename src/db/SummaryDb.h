#pragma once
// The figures of the summary: APs managed, new and balancing load, and the wireless clients of the latest
// polling pass. A failed query counts as 0.
#include "db/DbAccessBase.h"

class CSummaryDb : public CDbAccessBase {
 public:
  int CountManagedAps();
  int CountNewAps();
  // APs in either list, each once (an AP both managed and found new is one AP).
  int CountAllAps();
  int CountLoadBalanceAps();
  // The clients of the online managed APs at the latest polling record.
  int CountClients();

 private:
  int Count(const std::string& statement);
};
