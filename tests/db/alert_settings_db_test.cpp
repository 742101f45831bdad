// The alert senders' settings in the settings row: reading with NULL columns, writing with one action-log
// line per changed field, the last send times, and the failures.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "db/AccessDatabase.h"
#include "db/DbDateTime.h"
#include "db/MailAlertDb.h"
#include "db/SyslogParamDb.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::TempDatabase;

DbDateTime At(const char* text) { return *ParseDbDateTime(text); }

MailAlertSettings SampleMail() {
  MailAlertSettings settings;
  settings.destAddress = "admin@example.org";
  settings.smtpServerAddress = "mail.example.org";
  settings.authMethod = "1";
  settings.smtpPort = "25";
  settings.senderAddress = "pellion@example.org";
  settings.userName = "o'brien";
  settings.password = "pa'ss wö;--";
  settings.schedule = {"2", "1", At("2024-03-05 08:30:00"), {}, 5};
  return settings;
}

class AlertSettingsDbTest : public ::testing::Test {
 protected:
  AlertSettingsDbTest() {
    previousWriter_ = CAccessDatabase::SetActionLogWriter([this](const std::string& line) { lines.push_back(line); });
  }
  ~AlertSettingsDbTest() override { CAccessDatabase::SetActionLogWriter(previousWriter_); }

  TempDatabase database;
  testing_support::MessageBoxRecorder boxes;
  std::vector<std::string> lines;
  CMailAlertDb mail;
  CSyslogParamDb syslog;

 private:
  CAccessDatabase::ActionLogWriter previousWriter_;
};

}  // namespace

TEST(DbDateTimeTest, ReadsStoredTextsAndRefusesTimesThatDoNotExist) {
  const struct {
    const char* text;
    std::optional<DbDateTime> value;
  } cases[] = {
      {"2024-03-05 14:07:09", DbDateTime{2024, 3, 5, 14, 7, 9}},
      {"2024-03-05 14:07", DbDateTime{2024, 3, 5, 14, 7, 0}},
      {"2024-03-05", DbDateTime{2024, 3, 5, 0, 0, 0}},
      {"2024-03-05 14:07:09.123", DbDateTime{2024, 3, 5, 14, 7, 9}},
      {"2024-02-29 00:00:00", DbDateTime{2024, 2, 29, 0, 0, 0}},
      {"2023-02-29 00:00:00", std::nullopt},
      {"2024-04-31 00:00:00", std::nullopt},
      {"2024-03-05 24:00:00", std::nullopt},
      {"2024-13-01", std::nullopt},
      {"2024-3-5", std::nullopt},
      {"2024-03-05T14:07:09", std::nullopt},
      {"2024-03-05 14:07:09 ", std::nullopt},
      {"", std::nullopt},
      {"yesterday", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseDbDateTime(c.text), c.value) << c.text;
  EXPECT_EQ(FormatDbDateTime(DbDateTime{}), "1899-12-30 00:00:00");
}

TEST(DbDateTimeTest, RandomTextsAreReadOnlyAsDateTimesThatExist) {
  // Stored texts come from files of other versions and hand edits: whatever is accepted must be a real
  // moment that reads back the same from its stored form.
  std::mt19937 random(20240305);
  const std::string alphabet = "0123456789-: .T\xff";
  for (int round = 0; round < 20000; ++round) {
    std::string text = round % 2 ? "2024-02-29 23:59:59" : "";
    for (char& c : text)
      if (random() % 4 == 0) c = alphabet[random() % alphabet.size()];
    for (int extra = random() % 4; extra > 0; --extra)
      text.insert(random() % (text.size() + 1), 1, alphabet[random() % alphabet.size()]);
    const std::optional<DbDateTime> value = ParseDbDateTime(text);
    if (!value) continue;
    EXPECT_TRUE(value->month >= 1 && value->month <= 12 && value->day >= 1 && value->day <= 31 && value->hour <= 23 &&
                value->minute <= 59 && value->second <= 59)
        << text;
    EXPECT_EQ(ParseDbDateTime(FormatDbDateTime(*value)), value) << text;
  }
}

TEST_F(AlertSettingsDbTest, NullColumnsReadAsTheInitialValues) {
  // A new database names no schedule ("0"); files of other versions may hold none at all.
  ASSERT_TRUE(database.Exec("UPDATE global_setting SET send_date_type = NULL, syslog_send_date_type = NULL"));
  MailAlertSettings read;
  read.destAddress = "kept";
  EXPECT_EQ(mail.GetMailAlertParam(read), 0);
  MailAlertSettings expected;
  expected.destAddress = "kept";
  EXPECT_EQ(read, expected);
  EXPECT_EQ(read.schedule.lastSendTime, At("1899-12-30 00:00:00"));
  EXPECT_EQ(read.schedule.levelMask, 15);
  CScheduleParams params;
  EXPECT_EQ(syslog.GetSyslogParam(params), 0);
  EXPECT_EQ(params, CScheduleParams{});
}

// A database file from before the secure-connection setting has no column for it: the start adds the
// column, and the setting reads as not required until it is saved.
TEST_F(AlertSettingsDbTest, TheSecureConnectionSettingIsAddedToAnOlderFileAtStart) {
  ASSERT_TRUE(database.Exec("ALTER TABLE global_setting DROP COLUMN smtp_require_tls"));
  DeleteDBMaintain();  // the next use opens the file as a start does
  EXPECT_EQ(database.Rows("SELECT smtp_require_tls FROM global_setting"), (CAccessDatabase::TextRows{{""}}));
  MailAlertSettings settings = SampleMail();
  MailAlertSettings read;
  ASSERT_EQ(mail.GetMailAlertParam(read), 0);
  EXPECT_EQ(read.requireTls, "");
  ASSERT_EQ(mail.SetMailAlertParam(settings), 0);
  lines.clear();
  settings.requireTls = "1";
  ASSERT_EQ(mail.SetMailAlertParam(settings), 0);
  EXPECT_EQ(lines, (std::vector<std::string>{"modify global SMTP secure connection to required"}));
  ASSERT_EQ(mail.GetMailAlertParam(read), 0);
  EXPECT_EQ(read, settings);
  EXPECT_EQ(database.Rows("SELECT smtp_require_tls FROM global_setting"), (CAccessDatabase::TextRows{{"1"}}));
}

TEST_F(AlertSettingsDbTest, MailSettingsAreSavedWithALinePerChangeAndThePasswordMasked) {
  const MailAlertSettings settings = SampleMail();
  ASSERT_EQ(mail.SetMailAlertParam(settings), 0);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "modify global destination mail address to admin@example.org",
                       "modify global SMTP server address to mail.example.org",
                       "modify global SMTP server port to 25",
                       "modify global smtp server auth method to auth login",
                       "modify global SMTP auth user name to o'brien",
                       "modify global SMTP auth password to xxxxxx",
                       "modify global mail sender address to pellion@example.org",
                       "modify global mail send date type to week",
                       "modify global mail send date to every week Sun",
                       "modify global mail send time to 2024-03-05 08:30:00",
                   }));
  MailAlertSettings read;
  ASSERT_EQ(mail.GetMailAlertParam(read), 0);
  EXPECT_EQ(read, settings);
  EXPECT_EQ(database.Rows("SELECT smtp_pwd, send_time, last_send_time, typeof(send_log_level) FROM global_setting"),
            (CAccessDatabase::TextRows{{"pa'ss wö;--", "2024-03-05 08:30:00", "", "integer"}}));

  // Saving the same again writes nothing, even with another last send time; only the password: one line;
  // the mask is part of no line, and the save never writes the last send time.
  const struct {
    const char* password;
    const char* type;
    const char* day;
    std::int32_t mask;
    const char* method;
    std::vector<std::string> lines;
  } cases[] = {
      {"pa'ss wö;--", "2", "1", 5, "1", {}},
      {"new", "2", "1", 5, "1", {"modify global SMTP auth password to xxxxxx"}},
      {"new", "2", "1", 8, "1", {}},
      {"new",
       "3",
       "15",
       8,
       "1",
       {"modify global mail send date type to month", "modify global mail send date to every month 15TH"}},
      {"new", "4", "0", 8, "1", {}},
      {"new",
       "2",
       "7",
       8,
       "1",
       {"modify global mail send date type to week", "modify global mail send date to every week Sat"}},
      {"new", "2", "7", 8, "0", {"modify global smtp server auth method to none"}},
  };
  MailAlertSettings current = settings;
  current.schedule.lastSendTime = At("2030-01-01");
  for (const auto& c : cases) {
    lines.clear();
    current.password = c.password;
    current.schedule.dateType = c.type;
    current.schedule.dateSubValue = c.day;
    current.schedule.levelMask = c.mask;
    current.authMethod = c.method;
    ASSERT_EQ(mail.SetMailAlertParam(current), 0);
    EXPECT_EQ(lines, c.lines) << c.password << " " << c.type << " " << c.day << " " << c.mask << " " << c.method;
  }
  EXPECT_EQ(database.Value("SELECT last_send_time FROM global_setting"), "");
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(AlertSettingsDbTest, SyslogSettingsAreSavedWithALinePerChange) {
  MailAlertSettings mailBefore;
  ASSERT_EQ(mail.GetMailAlertParam(mailBefore), 0);
  CScheduleParams params;
  params.serverAddress = "10.0.0.9";
  params.schedule = {"3", "30", At("2024-03-05 23:59:00"), {}, 8};
  ASSERT_EQ(syslog.SetSyslogParam(params), 0);
  EXPECT_EQ(lines, (std::vector<std::string>{"modify global syslog server IP to 10.0.0.9",
                                             "modify global syslog send date type to month",
                                             "modify global syslog send date to every month 30TH",
                                             "modify global syslog send time to 2024-03-05 23:59:00"}));
  CScheduleParams read;
  ASSERT_EQ(syslog.GetSyslogParam(read), 0);
  EXPECT_EQ(read, params);
  // The e-mail columns are another record's.
  MailAlertSettings untouched;
  ASSERT_EQ(mail.GetMailAlertParam(untouched), 0);
  EXPECT_EQ(untouched, mailBefore);

  lines.clear();
  params.schedule.dateType = "2";
  params.schedule.dateSubValue = "2";
  ASSERT_EQ(syslog.SetSyslogParam(params), 0);
  EXPECT_EQ(lines, (std::vector<std::string>{"modify global syslog send date type to week",
                                             "modify global syslog send date to every week Mon"}));
}

TEST_F(AlertSettingsDbTest, LastSendTimesAreStoredEachInItsColumn) {
  EXPECT_EQ(mail.UpdateLastSendTime("2024-03-05 14:07:09"), 1);
  EXPECT_EQ(syslog.UpdateLastSendTime("2024-03-06 01:02:03"), 1);
  EXPECT_EQ(database.Rows("SELECT last_send_time, syslog_last_send_time FROM global_setting"),
            (CAccessDatabase::TextRows{{"2024-03-05 14:07:09", "2024-03-06 01:02:03"}}));
  MailAlertSettings read;
  ASSERT_EQ(mail.GetMailAlertParam(read), 0);
  EXPECT_EQ(read.schedule.lastSendTime, At("2024-03-05 14:07:09"));

  // A text that is no date-time is refused like a database error.
  EXPECT_EQ(mail.UpdateLastSendTime("soon"), 0);
  EXPECT_NE(database.ExceptionLog().find("MailAlterPage UpdateLastSendTime RollBackTransact"), std::string::npos);
  EXPECT_EQ(database.Value("SELECT last_send_time FROM global_setting"), "2024-03-05 14:07:09");
  EXPECT_TRUE(lines.empty());
}

TEST_F(AlertSettingsDbTest, FailuresChangeNothingAndWriteNoActionLine) {
  // A stored date-time that cannot be read: the fields before it are read, the operation fails.
  ASSERT_TRUE(database.Exec("UPDATE global_setting SET dest_mail_address='a@b', send_time='noon'"));
  MailAlertSettings read;
  EXPECT_EQ(mail.GetMailAlertParam(read), -1);
  EXPECT_EQ(read.destAddress, "a@b");
  EXPECT_EQ(read.schedule.sendTime, DbDateTime{});

  ASSERT_TRUE(database.BreakWrites("global_setting", "UPDATE"));
  EXPECT_EQ(mail.SetMailAlertParam(SampleMail()), -1);
  EXPECT_EQ(syslog.SetSyslogParam(CScheduleParams{"10.0.0.9", {}}), -1);
  EXPECT_EQ(mail.UpdateLastSendTime("2024-03-05 14:07:09"), 0);
  EXPECT_EQ(syslog.UpdateLastSendTime("2024-03-05 14:07:09"), 0);
  const std::string log = database.ExceptionLog();
  for (const char* text :
       {"MailAlterPage SetMailAlertParam RollBackTransact", "TopologyDBManager SetSyslogParam RollBackTransact",
        "MailAlterPage UpdateLastSendTime RollBackTransact", "TopologyDBManager UpdateLastSendTime RollBackTransact"})
    EXPECT_NE(log.find(text), std::string::npos) << text;
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(database.Rows("SELECT syslog_server_ip, smtp_server_address FROM global_setting"),
            (CAccessDatabase::TextRows{{"", ""}}));

  // Without the settings row every operation fails.
  ASSERT_TRUE(database.Exec("DROP TRIGGER break_global_setting_UPDATE"));
  ASSERT_TRUE(database.Exec("DELETE FROM global_setting"));
  CScheduleParams params;
  EXPECT_EQ(mail.GetMailAlertParam(read), -1);
  EXPECT_EQ(syslog.GetSyslogParam(params), -1);
  EXPECT_EQ(mail.SetMailAlertParam(SampleMail()), -1);
  EXPECT_EQ(syslog.SetSyslogParam(params), -1);
  EXPECT_EQ(mail.UpdateLastSendTime("2024-03-05 14:07:09"), 0);
  EXPECT_EQ(syslog.UpdateLastSendTime("2024-03-05 14:07:09"), 0);
  EXPECT_TRUE(lines.empty());
  EXPECT_TRUE(boxes.Texts().empty());
}
