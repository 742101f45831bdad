// The link tables of the polling database: the links of the latest pass (device_map_polling), the
// memory of links (device_map_prev) and the saved links of the managed topology (device_map).
#include "db/LinkMemory.h"
#include "db/MethodBox.h"
#include "db/db_maintain.h"
#include "db/pollingdb.h"
#include "platform/MessageBox.h"

int CPollingDb::ReadLinks(db::CRecordset& rs, std::vector<LinkRow>& links) {
  int count = 0;
  for (; !rs.IsEOF(); rs.MoveNext()) {
    if (IsNull(rs, "src_mac") || IsNull(rs, "dest_mac") || IsNull(rs, "src_port") || IsNull(rs, "dest_port")) continue;
    links.push_back({rs.GetText("src_mac"), rs.GetText("dest_mac"), rs.GetText("src_port"), rs.GetText("dest_port")});
    ++count;
  }
  return count;
}

void CPollingDb::InsertLinks(const char* table, const std::vector<LinkRow>& links) {
  const std::string insert =
      std::string("insert into ") + table + " (src_mac, dest_mac, src_port, dest_port) values (?, ?, ?, ?)";
  for (const LinkRow& link : links) Run(insert, {link.src_mac, link.dest_mac, link.src_port, link.dest_port});
}

// ---- Link tables and their rotation ----

int CPollingDb::getConnection(std::vector<LinkRow>& links) {
  return ReadQuery("getConnection", "select * FROM device_map_polling", {}, 0,
                   [&](db::CRecordset& rs) { return ReadLinks(rs, links); });
}

int CPollingDb::updateConnection(const std::vector<LinkRow>& links) {
  // The old links go in the same transaction as the new ones, so a failed write keeps them.
  return ChangeRows(
      "updateConnection", "select * from device_map_polling", {}, true,
      [&](db::CRecordset&) {
        Run("delete from device_map_polling");
        InsertLinks("device_map_polling", links);
        return 0;
      },
      db::ShowMethodBox("updateConnection", -1));
}

int CPollingDb::backupConnectTable() {
  std::vector<LinkRow> current;
  const int found = ReadSelection(
      "select * from device_map_polling", {}, 0,
      [&](db::CRecordset& rs) {
        ReadLinks(rs, current);
        return 1;
      },
      db::ShowTextBox("backupConnectTable()1", -1));
  if (found <= 0) return found;

  // The memory is rewritten in one transaction, its delete included, so a failure keeps every link
  // remembered so far.
  enum class Step { Fill, Read, Rewrite } step = Step::Fill;
  return ChangeSelection(
      "select * from device_map_prev", {}, std::nullopt,
      [&](db::CRecordset& rs) {
        if (CDB_Maintain::IsRecordsetEmpty(rs)) {
          InsertLinks("device_map_prev", current);
          return current.empty() ? -1 : 1;
        }
        step = Step::Read;
        std::vector<LinkRow> remembered;
        ReadLinks(rs, remembered);
        if (!FoldLinks(remembered, current)) return -1;
        step = Step::Rewrite;
        Run("delete from device_map_prev");
        InsertLinks("device_map_prev", remembered);
        return 1;
      },
      "",
      [this, &step](const db::CDbError&) {
        if (step == Step::Fill) WriteExceptionLog("pollingdb backupConnectTable RollBackTransact");
        platform::MessageBox(step == Step::Fill   ? "backupConnectTable()2"
                             : step == Step::Read ? "backupConnectTable()3"
                                                  : "backupConnectTable()4");
        return -1;
      });
}

// ---- Link lookups and edits of the saved links ----

std::string CPollingDb::GetPrevPeerMacByPort(int port, const std::string& switchMac) {
  return FirstText("GetPrevPeerMacByPort", "SELECT * FROM device_map_prev WHERE src_port=? AND src_mac=?",
                   {port, switchMac}, "dest_mac");
}

std::string CPollingDb::GetSavedPeerMacByPort(int port, const std::string& switchMac) {
  return FirstText("GetSavedPeerMacByPort", "SELECT * FROM device_map WHERE src_port=? AND src_mac=?",
                   {port, switchMac}, "dest_mac");
}

std::string CPollingDb::GetSrcMacByDestMac(const std::string& deviceMac, bool latestPass) {
  const std::string table = latestPass ? "device_map_polling" : "device_map_prev";
  return FirstText("GetSrcMacByDestMac", "SELECT * FROM " + table + " WHERE dest_mac=?", {deviceMac}, "src_mac");
}

std::string CPollingDb::GetSavedSrcMacByDestMac(const std::string& deviceMac) {
  return FirstText("GetSavedSrcMacByDestMac", "SELECT * FROM device_map WHERE dest_mac=?", {deviceMac}, "src_mac");
}

std::string CPollingDb::GetPollingSrcPortByDestMac(const std::string& deviceMac) {
  return FirstText("GetPollingSrcPortByDestMac", "SELECT * FROM device_map_polling WHERE dest_mac=?", {deviceMac},
                   "src_port");
}

int CPollingDb::DeleteDeviceMapLink(const std::string& switchMac, const std::string& port) {
  return ExecuteCommand("DELETE FROM device_map WHERE src_port=? AND src_mac=?", {port, switchMac}) ? 1 : 0;
}

int CPollingDb::KeepReplacedDeviceLinks(const std::string& previousMac, const std::string& switchMac) {
  std::vector<LinkRow> links;
  const int found = ReadSelection(
      "select * from device_map_prev WHERE dest_mac=?", {previousMac}, 0,
      [&](db::CRecordset& rs) {
        ReadLinks(rs, links);
        return 1;
      },
      db::ShowTextBox("backupConnectTable()1", -1));
  if (found <= 0) return found;
  return ChangeSelection(
      "select * from device_map WHERE dest_mac=? AND src_mac=?", {previousMac, switchMac}, std::nullopt,
      [&](db::CRecordset& rs) {
        // The saved links already hold the device on that switch.
        if (!CDB_Maintain::IsRecordsetEmpty(rs)) return 0;
        InsertLinks("device_map", links);
        return 0;
      },
      "", db::ShowTextBox("backupConnectTable()2", -1));
}
