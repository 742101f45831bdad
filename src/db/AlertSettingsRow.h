#pragma once
// The alert senders' columns of the one settings row (global_setting): what the e-mail and the syslog
// settings have in common in reading, writing and stamping it. Values always go in bound.
#include <string>
#include <vector>

#include "db/AlertSchedule.h"
#include "db/DbAccessBase.h"

class CAlertSettingsRow : public CDbAccessBase {
 protected:
  // Runs read on the first row: read's result; -1 without a row or on a database error (nothing logged,
  // the fields read before the error keep their new values).
  int ReadRow(const RecordsetWork& read);
  // Sets the columns (the "a=?,b=?" list) of the first row in one transaction: 0, or -1 without a row or on
  // a database error, which rolls back and writes rollbackText to the exception log.
  int WriteRow(const std::string& assignments, const db::SqlParams& values, const std::string& rollbackText);
  // Stores the last send time, a date-time text, in column: 1, or 0 without a row or on a database error
  // (a text that is no date-time is one), which rolls back and writes rollbackText to the exception log.
  int StoreLastSendTime(const char* column, const std::string& time, const std::string& rollbackText);

  // A column that is not NULL replaces the field; one that cannot be read as its kind throws db::CDbError.
  static void ReadText(const db::CRecordset& row, const char* column, std::string& field);
  static void ReadDateTime(const db::CRecordset& row, const char* column, DbDateTime& field);
  static void ReadMask(const db::CRecordset& row, const char* column, std::int32_t& field);
  // The schedule's columns, named by their prefix ("" for e-mail, "syslog_").
  static void ReadSchedule(const db::CRecordset& row, const std::string& prefix, AlertSchedule& schedule);

  // Each line goes to the action log; a line that cannot be written does not undo the saved change.
  static void WriteActionLines(const std::vector<std::string>& lines);
};
