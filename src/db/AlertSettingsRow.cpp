#include "db/AlertSettingsRow.h"

#include <cstdlib>

namespace {

constexpr char kSelectRow[] = "SELECT * FROM global_setting";
constexpr char kFirstRow[] = " WHERE rowid = (SELECT rowid FROM global_setting LIMIT 1)";

int Failed(const db::CDbError&) { return -1; }

db::CDbError NotADateTime(const char* column, const std::string& text) {
  const std::string description = std::string("Not a date-time in ") + column + ": " + text;
  return db::CDbError(description, description);
}

}  // namespace

int CAlertSettingsRow::ReadRow(const RecordsetWork& read) { return ReadSelection(kSelectRow, {}, -1, read, Failed); }

int CAlertSettingsRow::WriteRow(const std::string& assignments, const db::SqlParams& values,
                                const std::string& rollbackText) {
  return ChangeSelection(
      kSelectRow, {}, -1,
      [&](db::CRecordset&) {
        Run("UPDATE global_setting SET " + assignments + kFirstRow, values);
        return 0;
      },
      rollbackText, Failed);
}

int CAlertSettingsRow::StoreLastSendTime(const char* column, const std::string& time, const std::string& rollbackText) {
  return ChangeSelection(
      kSelectRow, {}, 0,
      [&](db::CRecordset&) {
        const std::optional<DbDateTime> value = ParseDbDateTime(time);
        if (!value) throw NotADateTime(column, time);
        Run(std::string("UPDATE global_setting SET ") + column + "=?" + kFirstRow, {FormatDbDateTime(*value)});
        return 1;
      },
      rollbackText, [](const db::CDbError&) { return 0; });
}

void CAlertSettingsRow::ReadText(const db::CRecordset& row, const char* column, std::string& field) {
  const db::SqlValue& value = row.GetValue(column);
  if (!value.IsNull()) field = db::ValueToText(value);
}

void CAlertSettingsRow::ReadDateTime(const db::CRecordset& row, const char* column, DbDateTime& field) {
  const db::SqlValue& value = row.GetValue(column);
  if (value.IsNull()) return;
  const std::string text = db::ValueToText(value);
  const std::optional<DbDateTime> read = ParseDbDateTime(text);
  if (!read) throw NotADateTime(column, text);
  field = *read;
}

void CAlertSettingsRow::ReadMask(const db::CRecordset& row, const char* column, std::int32_t& field) {
  const db::SqlValue& value = row.GetValue(column);
  if (value.IsNull()) return;
  field = value.GetKind() == db::SqlValue::Kind::Integer
              ? static_cast<std::int32_t>(value.AsInteger())
              : static_cast<std::int32_t>(std::strtol(db::ValueToText(value).c_str(), nullptr, 10));
}

void CAlertSettingsRow::ReadSchedule(const db::CRecordset& row, const std::string& prefix, AlertSchedule& schedule) {
  ReadText(row, (prefix + "send_date_type").c_str(), schedule.dateType);
  ReadText(row, (prefix + "send_date_sub_value").c_str(), schedule.dateSubValue);
  ReadDateTime(row, (prefix + "send_time").c_str(), schedule.sendTime);
  ReadDateTime(row, (prefix + "last_send_time").c_str(), schedule.lastSendTime);
  ReadMask(row, (prefix + "send_log_level").c_str(), schedule.levelMask);
}

void CAlertSettingsRow::WriteActionLines(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) WriteActionLog(line);
}
