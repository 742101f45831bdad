#include "db/RecordsetFields.h"
#include "db/StoredPassword.h"
#include "db/TopologyDBManager.h"
#include "platform/MessageBox.h"

namespace {

using db::FieldNumber;
using db::FieldText;

int NoReport(const db::CDbError&) { return 0; }

}  // namespace

bool TopologyDBManager::CheckUserPassword(const std::string& user, const std::string& password) {
  std::string stored;
  const int found = ReadSelection("SELECT password FROM system_password WHERE username = ?", {user}, 0,
                                  [&](db::CRecordset& rs) {
                                    stored = FieldText(rs, "password");
                                    return 1;
                                  },
                                  NoReport);
  if (!found) {
    platform::MessageBox("Without get password, user name compared error");
    return false;
  }
  return db::StoredPasswordMatches(stored, password);
}

bool TopologyDBManager::SetUserPassword(const std::string& user, const std::string& password) {
  // Only the stored form is written; the typed text goes nowhere, not even to the trace.
  const int changed = ChangeSelection(
      "SELECT username FROM system_password WHERE username = ?", {user}, 0,
      [&](db::CRecordset&) {
        Run("UPDATE system_password SET password = ? WHERE username = ?", {db::ToStoredPassword(password), user});
        return 1;
      },
      "", NoReport);
  return changed == 1;
}

bool TopologyDBManager::GetUserLogin(const std::string& user, std::string& autologin) {
  return ReadSelection("SELECT autologin FROM system_password WHERE username = ?", {user}, 0,
                       [&](db::CRecordset& rs) {
                         const std::string flag = FieldText(rs, "autologin");
                         autologin = flag.empty() ? "0" : flag;
                         return 1;
                       },
                       NoReport) == 1;
}

bool TopologyDBManager::GetUserNames(std::vector<std::string>& names) {
  return ReadSelection("SELECT username FROM system_password", {}, 0,
                       [&](db::CRecordset& rs) {
                         for (; !rs.IsEOF(); rs.MoveNext())
                           if (std::string name = FieldText(rs, "username"); !name.empty()) names.push_back(name);
                         return 1;
                       },
                       NoReport) == 1;
}

bool TopologyDBManager::SetAutoLogin(const std::string& user, int on) {
  const std::string value = on ? "1" : "0";
  // IS NOT, so an account whose flag was never set (NULL) is changed too.
  return ExecuteCommand("UPDATE system_password SET autologin = ? WHERE username = ? AND autologin IS NOT ?",
                        {value, user, value});
}

bool TopologyDBManager::LoadLocations(std::vector<CLocationRecord>& locations) {
  std::vector<CLocationRecord> read;
  const int found = ReadSelection("SELECT * FROM location", {}, 0,
                                  [&](db::CRecordset& rs) {
                                    for (; !rs.IsEOF(); rs.MoveNext()) {
                                      CLocationRecord record;
                                      record.location = FieldText(rs, "location");
                                      record.filename = FieldText(rs, "filename");
                                      record.width = FieldNumber(rs, "width");
                                      record.height = FieldNumber(rs, "height");
                                      record.rotateangle = FieldNumber(rs, "rotateangle");
                                      read.push_back(std::move(record));
                                    }
                                    return 1;
                                  },
                                  NoReport);
  if (!found) return false;
  locations.insert(locations.end(), read.begin(), read.end());
  return true;
}

bool TopologyDBManager::SaveLocation(const std::vector<CLocationRecord>& locations) {
  bool allWritten = !locations.empty();
  for (const CLocationRecord& record : locations) {
    const bool written = ExecuteCommand(
        "UPDATE location SET filename = ?, width = ?, height = ?, rotateangle = ? WHERE location = ?",
        {record.filename, record.width, record.height, record.rotateangle, record.location});
    allWritten = allWritten && written;
  }
  return allWritten;
}
