#include "db/DbError.h"

#include <sqlite3.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>

#include "platform/Clock.h"

namespace db {

CDbError::CDbError(std::string description, std::string errorMessage, int code)
    : std::runtime_error(description),
      description_(std::move(description)),
      source_("SQLite"),
      errorMessage_(std::move(errorMessage)),
      code_(code) {}

CDbError CDbError::FromConnection(sqlite3* handle, int code) {
  const int extended = handle ? sqlite3_extended_errcode(handle) : code;
  return CDbError(handle ? sqlite3_errmsg(handle) : sqlite3_errstr(code), sqlite3_errstr(extended), code);
}

bool CDbError::IsBusy() const {
  const int primary = code_ & 0xff;
  return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

std::string FormatExceptionText(const CDbError& error, const char* fileName, int line) {
  return "Exception__Desc: " + error.Description() + "; Source: " + error.Source() +
         "; ErrMsg: " + error.ErrorMessage() + "; FileName: " + fileName + "; LineNum: " + std::to_string(line);
}

std::string FormatDbmText(const CDbError& error, const char* fileName, int line) {
  char prefix[128];
  std::snprintf(prefix, sizeof prefix, "DBM- %s ;%d--%d ;",
                platform::FormatLocalTime(platform::Now(), "%Y%m%d%H%M%S").c_str(), static_cast<int>(getpid()),
                static_cast<int>(syscall(SYS_gettid)));
  return prefix + FormatExceptionText(error, fileName, line) + " \r\n";
}

}  // namespace db
