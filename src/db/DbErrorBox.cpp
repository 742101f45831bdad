#include "db/DbErrorBox.h"

#include "db/db_maintain.h"
#include "platform/MessageBox.h"

namespace db {

std::string DbErrorBoxText(const CDbError& error, const std::string& exceptionText) {
  return error.IsBusy() ? std::string(kDatabaseInUse) : exceptionText;
}

void ShowDbErrorBox(const CDbError& error, const std::string& exceptionText) {
  if (error.IsBusy()) CDB_Maintain::WriteExceptionLog(exceptionText);
  platform::MessageBox(DbErrorBoxText(error, exceptionText), {}, platform::MB_OK);
}

}  // namespace db
