#pragma once
// One AP in one client-monitor round: a row of recorder_polling with the AP's clients (rows of
// client_connect_ap). Storing a round sets the index and both times itself; the queries fill the six
// scalar fields and leave the clients empty.
#include <cstdint>
#include <string>
#include <vector>

#include "db/ClientConnectRecord.h"

struct RecorderPollingRecord {
  std::string Mac_ap;
  int nIndex_polling = -1;
  int nCurrentTime = 0;  // minute stamp of the round
  int count_conn_client = 0;
  std::int64_t traffic_ap = 0;  // the sum of two 32-bit counters
  std::string strCurrent;  // "%Y%m%d_%H:%M:%S"
  std::vector<ClientConnectRecord> clients;
};
