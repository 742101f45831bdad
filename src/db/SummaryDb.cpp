#include "db/SummaryDb.h"

#include <cstdlib>

#include "db/StringMatrix.h"

// The matrix query shows no message: the summary shows 0 for a figure it cannot read.
int CSummaryDb::Count(const std::string& statement) {
  const auto rows = QueryMatrix(statement);
  return rows && rows->GetCellCount() > 0 ? std::atoi(rows->GetCell(0, 0).c_str()) : 0;
}

int CSummaryDb::CountManagedAps() { return Count("SELECT COUNT(*) FROM device_list_prev WHERE type = '2'"); }

int CSummaryDb::CountNewAps() { return Count("SELECT COUNT(*) FROM device_list WHERE type = '2' AND isnew = '1'"); }

int CSummaryDb::CountAllAps() {
  return Count("SELECT COUNT(*) FROM (SELECT mac FROM device_list_prev WHERE type = '2' "
               "UNION SELECT mac FROM device_list WHERE type = '2' AND isnew = '1')");
}

int CSummaryDb::CountLoadBalanceAps() {
  return Count("SELECT COUNT(*) FROM ap_property WHERE LoadBalanceStatus = '1'");
}

int CSummaryDb::CountClients() {
  return Count("SELECT COUNT(*) FROM client_connect_ap INNER JOIN device_list_prev "
               "ON client_connect_ap.mac_ap = device_list_prev.mac "
               "WHERE device_list_prev.online = '1' AND client_connect_ap.index_polling = "
               "(SELECT MAX(index_polling) FROM recorder_polling)");
}
