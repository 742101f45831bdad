// CAccessDatabase on the device tables (device_list, device_list_prev) and the link tables
// (device_map_polling, device_map_prev, device_map). Every value goes in bound.
#include <sqlite3.h>
#include <strings.h>

#include <cctype>
#include <cstdlib>
#include <mutex>
#include <set>
#include <utility>

#include "db/AccessDatabase.h"
#include "db/ConnectionRecord.h"
#include "db/DbError.h"
#include "db/DeviceRecord.h"
#include "db/Statement.h"
#include "db/StringMatrix.h"
#include "db/Transaction.h"
#include "db/db_maintain.h"
#include "db/TopologyDBManager.h"
#include "topology/TopologyData.h"

namespace {

// Positions of the device tables' columns (res/schema.sql).
enum DevicePosition {
  kName = 0, kIp, kMac, kType, kPortNum, kOnline, kStatus, kIsNew, kLastChangeTime, kLocation,
  kAuto, kXP, kYP, kAutoPosition, kXPosition, kYPosition,
  kAutoPosAll = 17, kXPosAll, kYPosAll, kAutoPosAllLocation, kXPosAllLocation, kYPosAllLocation
};

std::mutex g_lookupMutex;
CAccessDatabase::DeviceStatusLookup g_statusLookup;

int DeviceStatus(const std::string& mac) {
  CAccessDatabase::DeviceStatusLookup lookup;
  {
    std::lock_guard lock(g_lookupMutex);
    lookup = g_statusLookup;
  }
  return lookup ? lookup(mac) : TopologyDBManager().GetDeviceStatus(mac, false);
}

// A row shorter than a position read is a database of another layout: its missing cells read as empty.
const std::string& Cell(const CAccessDatabase::TextRow& row, size_t position) {
  static const std::string empty;
  return position < row.size() ? row[position] : empty;
}

// Leading white space, an optional sign and the decimal digits up to the first other character; 0 when
// there are none.
int Number(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }
int Flag(const std::string& text) { return Number(text) == 1 ? 1 : 0; }
// A placement never written (NULL, as discovery leaves it) is automatic: nobody has placed the device yet.
int AutoFlag(const std::string& text) { return text.empty() ? 1 : Flag(text); }

// MACs are keys that the tables compare without case.
struct MacLess {
  bool operator()(const std::string& a, const std::string& b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};

CDeviceRecord TopologyDevice(const CAccessDatabase::TextRow& row) {
  CDeviceRecord device;
  device.ip = Cell(row, kIp);
  device.mac = Cell(row, kMac);
  device.name = Cell(row, kName);
  device.kind = Number(Cell(row, kType));
  device.portCount = Number(Cell(row, kPortNum));
  device.online = Flag(Cell(row, kOnline));
  device.displayStatus = DeviceStatus(device.mac);
  device.newDevice = Number(Cell(row, kIsNew));
  device.location = Cell(row, kLocation);
  device.autoPosition = AutoFlag(Cell(row, kAutoPosAll));
  device.xPosition = Number(Cell(row, kXPosAll));
  device.yPosition = Number(Cell(row, kYPosAll));
  device.autoP = AutoFlag(Cell(row, kAutoPosAllLocation));
  device.xP = Number(Cell(row, kXPosAllLocation));
  device.yP = Number(Cell(row, kYPosAllLocation));
  return device;
}

// The older placement pair, online and status 0, as the uncalled readers take a row.
CDeviceRecord ListedDevice(const CAccessDatabase::TextRow& row) {
  CDeviceRecord device;
  device.name = Cell(row, kName);
  device.ip = Cell(row, kIp);
  device.mac = Cell(row, kMac);
  device.kind = Number(Cell(row, kType));
  device.portCount = Number(Cell(row, kPortNum));
  device.online = 1;
  device.displayStatus = 0;
  device.location = Cell(row, kLocation);
  device.autoP = Flag(Cell(row, kAuto));
  device.xP = Number(Cell(row, kXP));
  device.yP = Number(Cell(row, kYP));
  device.autoPosition = Flag(Cell(row, kAutoPosition));
  device.xPosition = Number(Cell(row, kXPosition));
  device.yPosition = Number(Cell(row, kYPosition));
  return device;
}

// A link from a result whose first four columns are source MAC, destination MAC and the two ports.
CConnectionRecord Link(const CAccessDatabase::TextRow& row) {
  CConnectionRecord link;
  link.srcMac = Cell(row, 0);
  link.destMac = Cell(row, 1);
  link.srcPort = Number(Cell(row, 2));
  link.destPort = Number(Cell(row, 3));
  link.linkType = 0;
  return link;
}

DeviceListRow ListRow(const CAccessDatabase::TextRow& row) {
  DeviceListRow device;
  device.ip = Cell(row, kIp);
  device.mac = Cell(row, kMac);
  device.name = Cell(row, kName);
  device.port_num = Cell(row, kPortNum);
  device.type = Cell(row, kType);
  device.online = Cell(row, kOnline);
  device.status = Cell(row, kStatus);
  device.lastchangetime = Cell(row, kLastChangeTime);
  device.isnew = Cell(row, kIsNew);
  return device;
}

// A link as the unordered pair of its ends (MAC without case, port): a link stored from both ends, A to B
// and B to A with the ports exchanged, is one link.
using LinkEnd = std::pair<std::string, int>;
std::pair<LinkEnd, LinkEnd> LinkKey(const CConnectionRecord& link) {
  const auto end = [](std::string mac, int port) {
    for (char& c : mac) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return LinkEnd{std::move(mac), port};
  };
  LinkEnd first = end(link.srcMac, link.srcPort);
  LinkEnd second = end(link.destMac, link.destPort);
  if (second < first) std::swap(first, second);
  return {std::move(first), std::move(second)};
}

// A previous-pass link and the current links that join the same two devices, in either direction.
constexpr char kSamePair[] =
    "SELECT 1 FROM device_map_polling c WHERE (c.src_mac=p.src_mac AND c.dest_mac=p.dest_mac)"
    " OR (c.src_mac=p.dest_mac AND c.dest_mac=p.src_mac)";
// ... and those that also join them through the same ports.
constexpr char kSameLink[] =
    "SELECT 1 FROM device_map_polling c"
    " WHERE (c.src_mac=p.src_mac AND c.dest_mac=p.dest_mac AND c.src_port=p.src_port AND c.dest_port=p.dest_port)"
    " OR (c.src_mac=p.dest_mac AND c.dest_mac=p.src_mac AND c.src_port=p.dest_port AND c.dest_port=p.src_port)";
constexpr char kPreviousLinks[] = "SELECT src_mac, dest_mac, src_port, dest_port FROM device_map_prev p WHERE ";

void LogError(const db::CDbError& error, int line) {
  GetDBMaintain()->WriteExceptionLog(db::FormatExceptionText(error, "AccessDatabase", line));
}

}  // namespace

CAccessDatabase::DeviceStatusLookup CAccessDatabase::SetDeviceStatusLookup(DeviceStatusLookup lookup) {
  std::lock_guard lock(g_lookupMutex);
  return std::exchange(g_statusLookup, std::move(lookup));
}

// The readers append, so they fill the topology directly.
void CAccessDatabase::GetTopologyDifferences(CTopologyData& topology) {
  LoadTopologyDevices(topology.m_Devices);
  LoadTopologyLinks(topology.m_Connections);
}

int CAccessDatabase::LoadTopologyDevices(std::vector<CDeviceRecord>& devices) {
  for (const auto& row : QueryValues("SELECT * FROM device_list_prev")) devices.push_back(TopologyDevice(row));
  // A managed row without a MAC must not hide every found device (NOT IN over a NULL is never true).
  for (const auto& row : QueryValues("SELECT * FROM device_list WHERE mac NOT IN "
                                     "(SELECT mac FROM device_list_prev WHERE mac IS NOT NULL)"))
    devices.push_back(TopologyDevice(row));
  return 0;
}

// The links of the current pass, then those of the previous pass whose two devices no current link joins
// any more (vanished), then those whose devices are still joined, but not through the same ports (port
// changed). A link of the previous pass is judged by its own pair of devices; a link met again, stored
// twice or from its other end, is left out, so each is reported once.
int CAccessDatabase::LoadTopologyLinks(std::vector<CConnectionRecord>& links) {
  const std::string current = "SELECT src_mac, dest_mac, src_port, dest_port FROM device_map_polling";
  const std::string vanished = std::string(kPreviousLinks) + "NOT EXISTS (" + kSamePair + ")";
  const std::string portChanged =
      std::string(kPreviousLinks) + "EXISTS (" + kSamePair + ") AND NOT EXISTS (" + kSameLink + ")";
  std::set<std::pair<LinkEnd, LinkEnd>> reported;
  for (const std::string& statement : {current, vanished, portChanged}) {
    for (const auto& row : QueryValues(statement)) {
      CConnectionRecord link = Link(row);
      if (reported.insert(LinkKey(link)).second) links.push_back(std::move(link));
    }
  }
  return 0;
}

namespace {

// Appends the statement's rows as records; 0, -1 when there is none.
template <typename Record>
int ReadRecords(CAccessDatabase& database, const std::string& statement, const db::SqlParams& params,
                std::vector<Record>& records, Record (*toRecord)(const CAccessDatabase::TextRow&)) {
  const auto rows = database.QueryValues(statement, params);
  for (const auto& row : rows) records.push_back(toRecord(row));
  return rows.empty() ? -1 : 0;
}

}  // namespace

int CAccessDatabase::ReadDeviceList(std::vector<CDeviceRecord>& devices) {
  return ReadRecords(*this, "SELECT * FROM device_list", {}, devices, ListedDevice);
}

int CAccessDatabase::ReadDeviceListAtLocation(std::vector<CDeviceRecord>& devices, const std::string& location) {
  return ReadRecords(*this, "SELECT * FROM device_list WHERE location=?", {location}, devices, ListedDevice);
}

int CAccessDatabase::ReadManagedDeviceList(std::vector<CDeviceRecord>& devices) {
  return ReadRecords(*this, "SELECT * FROM device_list_prev", {}, devices, ListedDevice);
}

int CAccessDatabase::ReadManagedDeviceListAtLocation(std::vector<CDeviceRecord>& devices,
                                                     const std::string& location) {
  return ReadRecords(*this, "SELECT * FROM device_list_prev WHERE location=?", {location}, devices, ListedDevice);
}

int CAccessDatabase::ReadDeviceMap(std::vector<CConnectionRecord>& links) {
  return ReadRecords(*this, "SELECT src_mac,dest_mac,src_port,dest_port FROM device_map", {}, links, Link);
}

int CAccessDatabase::ReadManagedDeviceMap(std::vector<CConnectionRecord>& links) {
  return ReadRecords(*this, "SELECT src_mac,dest_mac,src_port,dest_port FROM device_map_prev", {}, links, Link);
}

void CAccessDatabase::LoadDiscoveredTopology(CTopologyData& topology) {
  ReadDeviceList(topology.m_Devices);
  ReadDeviceMap(topology.m_Connections);
}

void CAccessDatabase::LoadDiscoveredTopologyAtLocation(CTopologyData& topology, const std::string& location) {
  ReadDeviceListAtLocation(topology.m_Devices, location);
  ReadDeviceMap(topology.m_Connections);
}

void CAccessDatabase::LoadManagedTopology(CTopologyData& topology) {
  ReadManagedDeviceList(topology.m_Devices);
  ReadManagedDeviceMap(topology.m_Connections);
}

// The stored links, not those of the previous pass.
void CAccessDatabase::LoadManagedTopologyAtLocation(CTopologyData& topology, const std::string& location) {
  ReadManagedDeviceListAtLocation(topology.m_Devices, location);
  ReadDeviceMap(topology.m_Connections);
}

namespace {

// One transaction per device; a device without a row is a failure, as writing its fields would be.
int SavePositions(const std::string& table, const std::vector<CDeviceRecord>& devices) {
  const std::string statement = "UPDATE " + table +
                                " SET location=?, auto=?, x_p=?, y_p=?, auto_position=?, x_position=?, y_position=?"
                                " WHERE mac=?";
  for (const auto& device : devices) {
    try {
      db::CTransaction transaction(*GetDBMaintain());
      db::CStatement update(transaction.Connection(), statement);
      const db::SqlParams values = {device.location, device.autoP ? "1" : "0", std::to_string(device.xP),
                                    std::to_string(device.yP), device.autoPosition ? "1" : "0",
                                    std::to_string(device.xPosition), std::to_string(device.yPosition), device.mac};
      update.Bind(values);
      update.Run();
      if (sqlite3_changes(transaction.Connection().Handle()) == 0)
        throw db::CDbError("No row of " + table + " has the MAC " + device.mac, "not found", SQLITE_NOTFOUND);
      transaction.Commit();
    } catch (const db::CDbError& error) {
      LogError(error, __LINE__);
      return -1;
    }
  }
  return 0;
}

}  // namespace

int CAccessDatabase::SaveDevicePositions(const std::vector<CDeviceRecord>& devices) {
  return SavePositions("device_list", devices);
}

int CAccessDatabase::SaveManagedDevicePositions(const std::vector<CDeviceRecord>& devices) {
  return SavePositions("device_list_prev", devices);
}

void CAccessDatabase::SaveTopologyDevicePositions(const CTopologyData& topology) {
  SaveDevicePositions(topology.m_Devices);
}

void CAccessDatabase::SaveManagedTopologyDevicePositions(const CTopologyData& topology) {
  SaveManagedDevicePositions(topology.m_Devices);
}

// Every MAC of device_list that no device has, in table order. Compared without case, as the table does,
// so a device is never taken for stale because of the case of its MAC text.
void CAccessDatabase::GetStaleDeviceMacs(std::vector<std::string>& macs, const std::vector<CDeviceRecord>& devices) {
  macs.clear();
  const auto table = QueryMatrix("SELECT mac FROM device_list");
  if (!table) return;
  std::set<std::string, MacLess> known;
  for (const auto& device : devices) known.insert(device.mac);
  for (const auto& mac : table->GetCells()) {
    if (!known.count(mac)) macs.push_back(mac);
  }
}

int CAccessDatabase::DeleteStaleDevices(const std::vector<CDeviceRecord>& devices) {
  std::vector<std::string> stale;
  GetStaleDeviceMacs(stale, devices);
  for (const auto& mac : stale) QueryRecordset("DELETE FROM device_list WHERE mac=?", {mac});
  return 1;
}

namespace {

std::optional<DeviceListRow> LastRowOfMac(CAccessDatabase& database, const std::string& table, const std::string& mac) {
  const auto rows = database.QueryRows("SELECT * FROM " + table + " WHERE mac=?", {mac});
  if (rows.empty()) return std::nullopt;
  return ListRow(rows.back());
}

std::optional<std::vector<DeviceListRow>> AllRows(CAccessDatabase& database, const std::string& table) {
  const auto rows = database.QueryRows("SELECT * FROM " + table);
  if (rows.empty()) return std::nullopt;
  std::vector<DeviceListRow> devices;
  for (const auto& row : rows) devices.push_back(ListRow(row));
  return devices;
}

// Positions 0-8 of the first row of each MAC, in one transaction.
int AppendFirstRowPerMac(CAccessDatabase& database, const std::string& table, const std::vector<DeviceListRow>& rows) {
  std::set<std::string, MacLess> seen;
  std::vector<std::string> cells;
  int count = 0;
  for (const auto& row : rows) {
    if (!seen.insert(row.mac).second) continue;
    cells.insert(cells.end(), {row.name, row.ip, row.mac, row.type, row.port_num, row.online, row.status, row.isnew,
                               row.lastchangetime});
    ++count;
  }
  if (count == 0) return 0;
  CStringMatrix matrix;
  matrix.SetColumnCount(9);
  matrix.SetRowCount(count);
  matrix.SetCells(cells);
  database.InsertMatrix(table, matrix);
  return 0;
}

}  // namespace

std::optional<DeviceListRow> CAccessDatabase::GetDeviceRowByMac(const std::string& mac) {
  return LastRowOfMac(*this, "device_list", mac);
}

std::optional<DeviceListRow> CAccessDatabase::GetManagedDeviceRowByMac(const std::string& mac) {
  return LastRowOfMac(*this, "device_list_prev", mac);
}

std::optional<std::vector<DeviceListRow>> CAccessDatabase::LoadDeviceRows() { return AllRows(*this, "device_list"); }

std::optional<std::vector<DeviceListRow>> CAccessDatabase::LoadManagedDeviceRows() {
  return AllRows(*this, "device_list_prev");
}

int CAccessDatabase::AppendDeviceRows(const std::vector<DeviceListRow>& rows) {
  return AppendFirstRowPerMac(*this, "device_list", rows);
}

int CAccessDatabase::AppendManagedDeviceRows(const std::vector<DeviceListRow>& rows) {
  return AppendFirstRowPerMac(*this, "device_list_prev", rows);
}

namespace {

void DeleteByMac(const std::string& table, const std::vector<CDeviceRecord>& devices) {
  for (const auto& device : devices) GetDBMaintain()->ExecuteCommand("DELETE FROM " + table + " WHERE mac=?", {device.mac});
}

// The link's MACs go to the MAC columns; the IP columns are not the link's key.
void DeleteLinks(const std::string& table, const std::vector<CConnectionRecord>& links) {
  for (const auto& link : links) {
    GetDBMaintain()->ExecuteCommand(
        "DELETE FROM " + table + " WHERE src_mac=? AND dest_mac=? AND src_port=? AND dest_port=?",
        {link.srcMac, link.destMac, link.srcPort, link.destPort});
  }
}

void ReplaceLinks(const std::string& table, const std::vector<CConnectionRecord>& links) {
  const std::string insert = "INSERT INTO " + table +
                             " (src_mac, dest_mac, src_port, dest_port) SELECT ?1, ?2, ?3, ?4 WHERE NOT EXISTS"
                             " (SELECT 1 FROM " + table +
                             " WHERE src_mac=?1 AND dest_mac=?2 AND src_port=?3 AND dest_port=?4)";
  try {
    db::CTransaction transaction(*GetDBMaintain());
    bool written = GetDBMaintain()->ExecuteCommand("DELETE FROM " + table);
    for (const auto& link : links) {
      written = written &&
                GetDBMaintain()->ExecuteCommand(insert, {link.srcMac, link.destMac, link.srcPort, link.destPort});
    }
    if (written) transaction.Commit();
  } catch (const db::CDbError& error) {
    LogError(error, __LINE__);
  }
}

}  // namespace

// The old rows stay when the copy fails. A failed delete shows its box as DeleteAllRecords does, but only
// once the transaction has given both locks back.
void CAccessDatabase::CopyTable(const std::string& from, const std::string& to) {
  std::optional<db::CDbError> deleteError;
  try {
    db::CTransaction transaction(*GetDBMaintain());
    try {
      db::CStatement erase(transaction.Connection(), "DELETE FROM " + db::QuoteName(to));
      erase.Run();
    } catch (const db::CDbError& error) {
      deleteError = error;
    }
    if (!deleteError &&
        GetDBMaintain()->ExecuteCommand("INSERT INTO " + to + " SELECT " + from + ".* FROM " + from))
      transaction.Commit();
  } catch (const db::CDbError& error) {
    LogError(error, __LINE__);
  }
  if (deleteError) ShowException(*deleteError, __LINE__);
}

void CAccessDatabase::DeleteDevices(const std::vector<CDeviceRecord>& devices) { DeleteByMac("device_list", devices); }

void CAccessDatabase::DeleteManagedDevices(const std::vector<CDeviceRecord>& devices) {
  DeleteByMac("device_list_prev", devices);
}

void CAccessDatabase::DeleteMapLinks(const std::vector<CConnectionRecord>& links) { DeleteLinks("device_map", links); }

void CAccessDatabase::DeleteManagedMapLinks(const std::vector<CConnectionRecord>& links) {
  DeleteLinks("device_map_prev", links);
}

void CAccessDatabase::DeleteTopology(const CTopologyData& topology) {
  DeleteDevices(topology.m_Devices);
  DeleteMapLinks(topology.m_Connections);
}

void CAccessDatabase::DeleteManagedTopology(const CTopologyData& topology) {
  DeleteManagedDevices(topology.m_Devices);
  DeleteManagedMapLinks(topology.m_Connections);
}

void CAccessDatabase::ReplaceDeviceMap(const std::vector<CConnectionRecord>& links) { ReplaceLinks("device_map", links); }

void CAccessDatabase::ReplaceManagedDeviceMap(const std::vector<CConnectionRecord>& links) {
  ReplaceLinks("device_map_prev", links);
}

void CAccessDatabase::DeleteAllDeviceRows() { DeleteAllRecords("device_list"); }
void CAccessDatabase::DeleteAllManagedDeviceRows() { DeleteAllRecords("device_list_prev"); }
void CAccessDatabase::DeleteAllLinkRows() { DeleteAllRecords("device_map"); }
void CAccessDatabase::DeleteAllPreviousLinkRows() { DeleteAllRecords("device_map_prev"); }

void CAccessDatabase::CopyDevicesToManaged() { CopyTable("device_list", "device_list_prev"); }
void CAccessDatabase::CopyLinksToPrevious() { CopyTable("device_map", "device_map_prev"); }
