#pragma once
// A database failure, standing where the original engine raised its error object: the engine's
// description, the source that raised it and the text of its result code.
#include <stdexcept>
#include <string>

struct sqlite3;

namespace db {

class CDbError : public std::runtime_error {
 public:
  CDbError(std::string description, std::string errorMessage, int code = 0);
  // The error the connection reports for a failed call that returned code.
  static CDbError FromConnection(sqlite3* handle, int code);

  const std::string& Description() const { return description_; }
  const std::string& Source() const { return source_; }
  const std::string& ErrorMessage() const { return errorMessage_; }
  int Code() const { return code_; }
  // True when another connection held the database past the busy wait (the engine's busy or locked).
  bool IsBusy() const;

 private:
  std::string description_;
  std::string source_;
  std::string errorMessage_;
  int code_;
};

// "Exception__Desc: %s; Source: %s; ErrMsg: %s; FileName: %s; LineNum: %d"
std::string FormatExceptionText(const CDbError& error, const char* fileName, int line);
// The same behind the local time, process id and thread id: "DBM- %s ;%d--%d ;..." ending in " \r\n".
std::string FormatDbmText(const CDbError& error, const char* fileName, int line);

}  // namespace db
