#pragma once
// The topology's database manager: stateless, created on the stack where it is used.
#include <string>
#include <vector>

#include "db/DbAccessBase.h"
#include "db/LocationRecord.h"

class TopologyDBManager : public CDbAccessBase {
 public:
  // Program accounts (TopologyDBManagerAccounts.cpp). Passwords are kept only in their stored form.
  // True when the account exists and the typed password is its own. A missing account, or a query that
  // cannot run, shows "Without get password, user name compared error" and gives false.
  bool CheckUserPassword(const std::string& user, const std::string& password);
  // Stores the new password for an existing account; false when the statement fails or no such account.
  bool SetUserPassword(const std::string& user, const std::string& password);
  // Reads whether the account's login is filled in for the user ("1", else "0"; NULL reads "0"). The stored
  // password cannot be read back, so unlike the auto-login flag it is not an output.
  bool GetUserLogin(const std::string& user, std::string& autologin);
  bool GetUserNames(std::vector<std::string>& names);
  bool SetAutoLogin(const std::string& user, int on);

  // Background-map locations.
  // False, with the array unchanged, when the table is empty or cannot be read.
  bool LoadLocations(std::vector<CLocationRecord>& locations);
  // Writes every record, also after one failed; false when any statement failed or there was none.
  bool SaveLocation(const std::vector<CLocationRecord>& locations);
};
