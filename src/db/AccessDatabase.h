#pragma once
// Statements in, rows and tables of texts out: the general operations that the table-specific
// operations and every database manager are built on. No state; create one on the stack where needed.
// Every operation takes the statement as text and, in its bound form, the values for its '?'
// placeholders; values from users and devices always go in bound.
#include <functional>
#include <memory>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "db/ApListColumn.h"
#include "db/ApProperties.h"
#include "db/DbError.h"
#include "db/DeviceListRow.h"
#include "db/Recordset.h"
#include "db/SqlValue.h"

class ApInfoRecord;
class CStringMatrix;
class LoadBalanceGroupRecord;
class QuickLaunchEntry;
struct TrapEntry;
class CConnectionRecord;
class CDeviceRecord;
class CTopologyData;
namespace db {
class CConnection;
}

class CAccessDatabase {
 public:
  using TextRow = std::vector<std::string>;
  using TextRows = std::vector<TextRow>;

  CAccessDatabase() = default;
  virtual ~CAccessDatabase() = default;

  // ---- General operations ----

  // The pool's lending; "ConnectPoolMutex" stays held until ReleaseConnection.
  bool GetConnection(db::CConnection*& connection);
  bool ReleaseConnection(db::CConnection* connection);

  // Runs a statement (or reads a whole table given by its bare name) under the pool lock only.
  // An error shows the exception text and gives no recordset. The recordset holds no lock.
  std::unique_ptr<db::CRecordset> QueryRecordset(const std::string& statement, const db::SqlParams& params = {});
  std::unique_ptr<db::CRecordset> GetRecordset(const std::string& statementOrTable);
  // No state test: a closed recordset throws db::CDbError.
  static bool IsBofAndEof(const db::CRecordset& recordset);
  // True when the recordset is closed (a failed open included) or has no row.
  static bool IsRecordsetEmpty(const db::CRecordset& recordset);

  // Inserts one row, values as texts in the table's column order; missing ones keep their defaults.
  bool InsertRecord(const std::string& table, const std::vector<std::string>& values);

  // CDB_Maintain::Execute into recordset, then its number of fields (-1 when it cannot be read). The
  // recordset keeps "DatabaseTransaction" held until CDB_Maintain::ReleaseRecordset.
  int ExecuteSql(const std::string& statement, db::CRecordset& recordset);
  int ExecuteSql(const std::string& statement, const db::SqlParams& params, db::CRecordset& recordset);
  int QueryFieldCount(const std::string& statement, const db::SqlParams& params = {});

  // Runs one statement with its bound values through the pool; false for an empty statement or on a
  // database error (the pool logs it).
  bool ExecuteCommand(const std::string& statement, const db::SqlParams& params = {});

  // Deletes every row of the table; false on a database error (after the message box).
  bool DeleteAllRecords(const std::string& table);

  // Rows as texts in the statement's column order, NULL as "". On an error the message box is shown
  // and the rows read so far are returned. QueryRows needs only the pool lock; QueryValues goes
  // through "DatabaseTransaction".
  TextRows QueryRows(const std::string& statement, const db::SqlParams& params = {});
  TextRows QueryValues(const std::string& statement, const db::SqlParams& params = {});
  // The rows as a matrix owned by the caller; none when there is no row or on an error (no message).
  std::unique_ptr<CStringMatrix> QueryMatrix(const std::string& statement, const db::SqlParams& params = {});
  // Inserts the matrix's rows in one transaction (cells in row order); an error rolls back all of them.
  bool InsertMatrix(const std::string& table, const CStringMatrix& matrix);

  // Empties every table but the configuration and reference tables (and "~TMP" tables) in one
  // transaction; after the commit sets g_bDatabaseCleared and writes the action-log line "Clear database".
  // False, with the exception text shown and every table as it was, on a database error.
  bool ClearDatabase();

  // Writes an action-log line; the event log installs it, as this layer cannot call up into it. Without
  // one the line is dropped. Returns the writer installed before.
  using ActionLogWriter = std::function<void(const std::string& text)>;
  static ActionLogWriter SetActionLogWriter(ActionLogWriter writer);
  static void WriteActionLog(const std::string& text);

  // ---- General operations that nothing in the program calls ----

  // Appends rows of texts (fields 0, 1, 2 ... in column order) in one transaction.
  bool table_append_records(const std::string& table, const TextRows& rows);
  // Deletes or rewrites the row at position (0 = first) of the statement's result. The fields of the
  // result must come from one table.
  bool DeleteRecordAt(const std::string& statement, long position);
  bool DeleteRecordAt(const std::string& statement, const db::SqlParams& params, long position);
  bool UpdateRecordAt(const std::string& statement, long position, const std::vector<std::string>& values);
  bool UpdateRecordAt(const std::string& statement, const db::SqlParams& params, long position,
                      const std::vector<std::string>& values);
  static std::string VariantToText(const db::SqlValue& value);
  static char* GetTextBuffer(std::string& text);

  // ---- Device and link tables (AccessDatabaseDeviceTables.cpp) ----
  // Readers that select all columns take them by position (the order of res/schema.sql).

  // The display status of a device for the views: TopologyDBManager::GetDeviceStatus by MAC unless a
  // lookup is installed (tests install their own). Returns the lookup installed before.
  using DeviceStatusLookup = std::function<int(const std::string& mac)>;
  static DeviceStatusLookup SetDeviceStatusLookup(DeviceStatusLookup lookup);

  // Appends every managed device, every found device that is not managed, every link of the current
  // pass and the links of the previous pass that vanished or changed ports. What topology held stays.
  void GetTopologyDifferences(CTopologyData& topology);
  int LoadTopologyDevices(std::vector<CDeviceRecord>& devices);  // 0
  int LoadTopologyLinks(std::vector<CConnectionRecord>& links);  // 0

  // Device and link operations that nothing in the program calls.
  // Readers append and give -1 when the statement has no row, else 0.
  int ReadDeviceList(std::vector<CDeviceRecord>& devices);
  int ReadDeviceListAtLocation(std::vector<CDeviceRecord>& devices, const std::string& location);
  int ReadManagedDeviceList(std::vector<CDeviceRecord>& devices);
  int ReadManagedDeviceListAtLocation(std::vector<CDeviceRecord>& devices, const std::string& location);
  int ReadDeviceMap(std::vector<CConnectionRecord>& links);
  int ReadManagedDeviceMap(std::vector<CConnectionRecord>& links);
  void LoadDiscoveredTopology(CTopologyData& topology);
  void LoadDiscoveredTopologyAtLocation(CTopologyData& topology, const std::string& location);
  void LoadManagedTopology(CTopologyData& topology);
  void LoadManagedTopologyAtLocation(CTopologyData& topology, const std::string& location);
  // Writes location and the older placement pair of each device; -1 at the first device that cannot be
  // written (no row of its MAC, database error), the devices before it stay written.
  int SaveDevicePositions(const std::vector<CDeviceRecord>& devices);
  int SaveManagedDevicePositions(const std::vector<CDeviceRecord>& devices);
  void SaveTopologyDevicePositions(const CTopologyData& topology);
  void SaveManagedTopologyDevicePositions(const CTopologyData& topology);
  // The MACs of device_list that belong to none of the devices.
  void GetStaleDeviceMacs(std::vector<std::string>& macs, const std::vector<CDeviceRecord>& devices);
  int DeleteStaleDevices(const std::vector<CDeviceRecord>& devices);  // 1
  // The (last) row of the MAC; none when it has no row.
  std::optional<DeviceListRow> GetDeviceRowByMac(const std::string& mac);
  std::optional<DeviceListRow> GetManagedDeviceRowByMac(const std::string& mac);
  // Every row; none when the table is empty.
  std::optional<std::vector<DeviceListRow>> LoadDeviceRows();
  std::optional<std::vector<DeviceListRow>> LoadManagedDeviceRows();
  // Inserts the first row of each MAC; rows already in the table are not looked at. 0.
  int AppendDeviceRows(const std::vector<DeviceListRow>& rows);
  int AppendManagedDeviceRows(const std::vector<DeviceListRow>& rows);
  void DeleteDevices(const std::vector<CDeviceRecord>& devices);
  void DeleteManagedDevices(const std::vector<CDeviceRecord>& devices);
  void DeleteMapLinks(const std::vector<CConnectionRecord>& links);
  void DeleteManagedMapLinks(const std::vector<CConnectionRecord>& links);
  void DeleteTopology(const CTopologyData& topology);
  void DeleteManagedTopology(const CTopologyData& topology);
  // Replaces the whole table with the links (each once), in one transaction.
  void ReplaceDeviceMap(const std::vector<CConnectionRecord>& links);
  void ReplaceManagedDeviceMap(const std::vector<CConnectionRecord>& links);
  void DeleteAllDeviceRows();
  void DeleteAllManagedDeviceRows();
  void DeleteAllLinkRows();
  void DeleteAllPreviousLinkRows();
  // Replace device_list_prev with device_list, device_map_prev with device_map; all or nothing.
  void CopyDevicesToManaged();
  void CopyLinksToPrevious();
  // ---- End of device and link tables ----

  // ---- Trap, quick-launch, settings-row and location tables (AccessDatabaseSettingTables.cpp) ----
  // Operations that nothing in the program calls. Values go in bound; a database error shows the
  // exception text (the trap operations their own) and changes nothing.

  // A connection of its own to file, outside the pool; user and password are not used by the engine.
  // False for an empty name or when it cannot be opened ("Connecting DB failed !" box).
  bool OpenJetConnection(const std::string& file, const std::string& user, const std::string& password,
                         db::CConnection& connection);
  // The field's value in the recordset's last row plus 1; 0 without rows.
  static int GetNextTrapIndex(db::CRecordset& recordset, const std::string& field);
  // Adds the trap as the next row of the open recordset of trap read on connection.
  bool AddTrapRecord(db::CConnection& connection, db::CRecordset& recordset, const TrapEntry& trap);
  // Writes the trap through a connection of its own to the database file.
  bool AddTrap(const TrapEntry& trap);
  // Appends every entry with its members; -1 when there is none.
  int GetQuickLaunchList(std::vector<QuickLaunchEntry>& entries);
  // Each in one transaction: 0, or -1 on a database error (and for AddQuickLaunch when the name exists).
  // Modify replaces the member rows only when the entry has members.
  int AddQuickLaunch(const QuickLaunchEntry& entry);
  int ModifyQuickLaunch(const QuickLaunchEntry& entry);
  int DeleteQuickLaunch(const std::string& name);
  // The first three columns of the settings row; -1, outputs unchanged, when there is no row.
  int ReadGlobalSetting(std::string& community, int& interval, int& timeout);
  // Writes community, interval and timeout into the first settings row, adding one when there is none.
  int WriteGlobalSetting(const std::string& community, int interval, int timeout);
  // The picture of a location; -1 when it has no row or no picture.
  int LoadBmpData(const std::string& location, std::vector<std::uint8_t>& bytes);
  // Stores the picture (none: NULL) in the location's row, adding the row when there is none.
  int SaveBmpData(const std::string& location, std::span<const std::uint8_t> bytes);

  // ---- Load-balance group and AP-configuration tables (AccessDatabaseLoadBalance.cpp) ----
  // Operations that nothing in the program calls. A NULL cell reads as "".

  // Every group with its APs replaces the list; false, list unchanged, when there is no group.
  bool GetLoadBalanceGroups(std::vector<LoadBalanceGroupRecord>& groups);
  // Adds every group (numbered from the largest stored index on) and its APs in one transaction, and
  // writes the new indexes into the records. False for an empty list or a database error (nothing
  // stored, records unchanged).
  bool SaveLoadBalanceGroups(std::vector<LoadBalanceGroupRecord>& groups);
  // The largest group index; -1 when there is no group or on a database error.
  int GetMaxLoadBalanceGroupIndex();
  // Every ap_config row (MAC, IP, name) replaces the list; -1, list unchanged, when there is none.
  int GetApConfigList(std::vector<ApInfoRecord>& aps);
  // Every group's name and index replace the lists; -1 when there is none (the name list is emptied).
  int GetLoadBalanceGroupNames(std::vector<std::string>& names, std::vector<int>& indexes);
  // ---- AP property rows and the AP list columns (AccessDatabaseApTables.cpp) ----
  // A database error shows the exception text and gives -1 (false for the lists); byAddress, a lookup
  // by the AP's IP address that no caller asks for, is not offered: a non-zero value gives -1.

  // Fills the record from the AP's ap_property row, every field replaced; or, when it has none, only
  // ip, mac and name from its AP row in device_list_prev, else device_list. 0; -1 when the MAC is in
  // none of them (the record untouched).
  int GetApProperty(CApProperties& properties, const std::string& mac, int byAddress = 0);
  // 1 when the stored LoadBalanceStatus (crvAPWaterLevelBalancing) is not 0; 0 when it is 0 or NULL,
  // or when the AP is known only from the device tables; -1 for an unknown MAC.
  int GetApLoadBalanceStatus(const std::string& mac, int byAddress = 0);
  int GetApWaterLevelBalancing(const std::string& mac, int byAddress = 0);
  // The hardware ids of the managed APs, each once; the firmware versions of the managed APs of one
  // hardware id, once per AP. The list is replaced; false (list untouched) when there is none.
  bool GetApHardwareIds(std::vector<std::string>& hardwareIds);
  bool GetApFirmwareVersions(std::vector<std::string>& versions, const std::string& hardwareId);
  // Replaces the list by the rows of ap_usr in table order (NULL read as ""): 0; -1 when the table is
  // empty (list untouched).
  int GetApListColumns(std::vector<ApListColumn>& columns);

 private:
  void ShowException(const db::CDbError& error, int line);
  // Runs work in one transaction on the pool's connection; a database error rolls it back, shows the
  // exception text and gives false.
  bool RunInTransaction(const std::function<void(db::CConnection&)>& work, int line);
  // Inserts rows (each filling the first columns of table) in one transaction; logText, when given,
  // goes to the error log once the transaction has begun.
  bool AppendTextRows(const std::string& table, const TextRows& rows, const char* logText);
  void InsertRows(db::CConnection& connection, const std::string& table, const TextRows& rows);
  bool ChangeRecordAt(const std::string& statement, const db::SqlParams& params, long position,
                      const std::vector<std::string>* values);
  // Replaces the rows of table to with those of table from, in one transaction.
  void CopyTable(const std::string& from, const std::string& to);
  // The balancing column of the AP's property row read as a flag; see GetApLoadBalanceStatus.
  int GetApBalancingColumn(const char* column, const std::string& mac, int byAddress);
  // The first AP row (type 2) of the MAC in device_list_prev, else in device_list; none when neither
  // has one. A query that fails has shown its message box and throws.
  std::unique_ptr<db::CRecordset> FindApDeviceRow(const std::string& mac);
  // The device's ip in device_list_prev, else device_list, whatever its kind; "" when neither has it.
  std::string DeviceIpByMac(const std::string& mac);
};
