// The alert settings pages' decisions without windows: the checks in their order with message and
// control, loading and saving the forms, and the schedule controls of each send type.
#include <gtest/gtest.h>

#include "alerts/AlertPageRules.h"

namespace {

using namespace alert_pages;

MailForm ValidMail() {
  MailForm form;
  form.destAddress = "admin@example.org";
  form.smtpServer = "mail.example.org";
  form.senderAddress = "console@example.org";
  form.authPosition = 0;
  form.schedule.sendType = "1";
  return form;
}

TEST(AlertPageRulesTest, MailChecksInTheirOrder) {
  const std::string fifty = "a@" + std::string(44, 'b') + ".org";
  ASSERT_EQ(fifty.size(), 50u);
  struct Case {
    const char* name;
    void (*change)(MailForm&, const std::string&);
    std::optional<Failure> expected;
  };
  const Case cases[] = {
      {"valid", [](MailForm&, const std::string&) {}, std::nullopt},
      {"destination of 50", [](MailForm& f, const std::string& s) { f.destAddress = s; }, std::nullopt},
      {"destination of 51", [](MailForm& f, const std::string& s) { f.destAddress = s + "x"; },
       Failure{"Destination mail address's max length is 50", IDC_DEST_ADDRESS}},
      {"destination without at", [](MailForm& f, const std::string&) { f.destAddress = "admin.example.org"; },
       Failure{"Destination mail address is invalid!", IDC_DEST_ADDRESS}},
      {"real time, no server",
       [](MailForm& f, const std::string&) {
         f.schedule.sendType = "4";
         f.smtpServer.clear();
       },
       Failure{"SMTP server address is invalid!", IDC_SMTP_SERVER}},
      {"server without dot", [](MailForm& f, const std::string&) { f.smtpServer = "mailhost"; },
       Failure{"SMTP server address is invalid!", IDC_SMTP_SERVER}},
      {"sender of 51", [](MailForm& f, const std::string& s) { f.senderAddress = s + "x"; },
       Failure{"Sender mail address's max length is 50", IDC_SENDER_ADDRESS}},
      {"sender without dot", [](MailForm& f, const std::string&) { f.senderAddress = "me@host"; },
       Failure{"sender mail address is invalid!", IDC_SENDER_ADDRESS}},
      {"user of 51", [](MailForm& f, const std::string&) { f.userName = std::string(51, 'u'); },
       Failure{"user name's max length is 50", IDC_USER_NAME}},
      {"password of 51 characters, not bytes",
       [](MailForm& f, const std::string&) {
         f.password.clear();
         for (int i = 0; i < 51; ++i) f.password += "\xc3\xa9";
       },
       Failure{"password's max length is 50", IDC_PASSWORD}},
      {"password of 50 two-byte characters",
       [](MailForm& f, const std::string&) {
         f.password.clear();
         for (int i = 0; i < 50; ++i) f.password += "\xc3\xa9";
       },
       std::nullopt},
      {"auth login, no password",
       [](MailForm& f, const std::string&) {
         f.authPosition = 1;
         f.userName = "bob";
       },
       Failure{"password is empty", IDC_PASSWORD}},
      {"auth unchosen needs a user", [](MailForm& f, const std::string&) { f.authPosition = -1; },
       Failure{"user name is empty", IDC_USER_NAME}},
      {"week without a day", [](MailForm& f, const std::string&) { f.schedule.sendType = "2"; },
       Failure{"please select send mail date", IDC_DAY}},
      {"none with everything empty",
       [](MailForm& f, const std::string&) {
         f = MailForm{};
         f.authPosition = 0;
         f.schedule.sendType = "0";
       },
       std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MailForm form = ValidMail();
    c.change(form, fifty);
    EXPECT_EQ(ValidateMailForm(form), c.expected);
  }
}

TEST(AlertPageRulesTest, SyslogChecks) {
  const std::tuple<std::string, std::string, int, std::optional<Failure>> cases[] = {
      {"0", "", -1, std::nullopt},
      {"0", "anything", -1, std::nullopt},
      {"4", "syslog.example", -1, std::nullopt},
      {"1", "localhost", -1, Failure{"Syslog server IP address is invalid", IDC_SYSLOG_SERVER}},
      {"3", "10.0.0.1", -1, Failure{"please select send syslog date", IDC_DAY}},
      {"3", "10.0.0.1", 29, std::nullopt}};
  for (const auto& [type, server, day, expected] : cases) {
    SCOPED_TRACE(type + " " + server);
    SyslogForm form;
    form.serverAddress = server;
    form.schedule.sendType = type;
    form.schedule.dayPosition = day;
    EXPECT_EQ(ValidateSyslogForm(form), expected);
  }
}

TEST(AlertPageRulesTest, FormsLoadAndSaveTheStoredSettings) {
  MailAlertSettings stored;
  stored.authMethod = "";
  stored.schedule.dateType = "2";
  stored.schedule.dateSubValue = "4";
  stored.schedule.levelMask = 5;
  stored.schedule.lastSendTime = DbDateTime{2026, 1, 2, 3, 4, 5};
  MailForm form = MailFormFrom(stored);
  EXPECT_EQ(form.authPosition, 0) << "an empty stored method is None";
  EXPECT_EQ(form.schedule.dayPosition, 3) << "Wednesday";
  EXPECT_EQ(form.schedule.levelMask, 5);

  form.schedule.sendType = "1";
  form.schedule.dayPosition = -1;  // "Day" empties the list
  form.authPosition = 1;
  const MailAlertSettings saved = MailSettingsFrom(form, stored);
  EXPECT_EQ(saved.schedule.dateSubValue, "0");
  EXPECT_EQ(saved.authMethod, "1");
  EXPECT_EQ(saved.schedule.lastSendTime, stored.schedule.lastSendTime);

  CScheduleParams params;
  params.schedule.dateType = "2";
  params.schedule.dateSubValue = "2";
  SyslogForm syslog = SyslogFormFrom(params);
  syslog.schedule.sendType = "4";  // real time after Week and Monday keeps the list's position
  EXPECT_EQ(SyslogParamsFrom(syslog, params).schedule.dateSubValue, "2");
}

TEST(AlertPageRulesTest, ScheduleControlsOfEachType) {
  EXPECT_EQ(ScheduleControlsFor("7"), std::nullopt);
  for (const char* kept : {"0", "4"}) {
    const auto controls = ScheduleControlsFor(kept);
    ASSERT_TRUE(controls);
    EXPECT_FALSE(controls->dayEnabled);
    EXPECT_FALSE(controls->timeEnabled);
    EXPECT_FALSE(controls->days) << "the list keeps its content";
  }
  const auto day = ScheduleControlsFor("1");
  EXPECT_TRUE(day->timeEnabled);
  EXPECT_FALSE(day->dayEnabled);
  EXPECT_EQ(day->days, std::vector<std::string>{});
  EXPECT_EQ(ScheduleControlsFor("2")->days->at(3), "Wednesday");
  const auto month = ScheduleControlsFor("3");
  ASSERT_EQ(month->days->size(), 30u);
  EXPECT_EQ(month->days->front(), "1th");
  EXPECT_EQ(month->days->back(), "30th");
}

}  // namespace
