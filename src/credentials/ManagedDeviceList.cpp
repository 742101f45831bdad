#include "credentials/ManagedDeviceList.h"

#include "db/AccessDatabase.h"

bool LoadPasswordManagerRows(std::vector<PasswordManagerRow>& rows) {
  const CAccessDatabase::TextRows found = CAccessDatabase().QueryRows(
      "SELECT name, CASE WHEN type IS NULL THEN 'Unkonwn' WHEN type = 1 THEN 'Switch' ELSE 'AP' END, ip, mac, "
      "write_community FROM device_list_prev");
  if (found.empty()) return false;
  rows.clear();
  for (const auto& row : found) rows.push_back(PasswordManagerRow{row[0], row[1], row[2], row[3], row[4]});
  return true;
}
