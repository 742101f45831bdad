#include <gtest/gtest.h>

#include "log/AccountService.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

using namespace accounts;

TEST(AccountService, LoginChecksTheLengthInCharactersBeforeThePassword) {
  testing_support::TempDatabase db;
  testing_support::MessageBoxRecorder boxes;
  struct Case {
    std::string password;
    bool accepted;
    const char* message;
  };
  const Case cases[] = {
      {"admin", true, ""},
      {"Admin", false, "Password error!"},
      {std::string(20, 'x'), false, "Password error!"},
      {std::string(21, 'x'), false, "password max length is 20 characters"},
      {"ééééééééééééééééééé", false, "Password error!"},  // 19 characters in 38 bytes
  };
  for (const Case& c : cases) {
    const Outcome outcome = CheckLogin(kLoginAccount, c.password);
    EXPECT_EQ(outcome.accepted, c.accepted) << c.password;
    EXPECT_EQ(outcome.message, c.message) << c.password;
    if (!c.accepted) {
      EXPECT_EQ(outcome.focus, Field::Password);
      EXPECT_TRUE(outcome.clearField);
    }
  }
  EXPECT_EQ(CheckLogin(kLoginAccount, std::string(21, 'x')).caption, "error");
  EXPECT_TRUE(boxes.Boxes().empty()) << "the dialog shows the outcome; the service shows nothing for a known account";
}

TEST(AccountService, ChangingThePasswordInTheDialogsOrder) {
  testing_support::TempDatabase db;
  testing_support::MessageBoxRecorder boxes;
  Outcome outcome = ChangePassword("admin", "wrong", "a", "a");
  EXPECT_EQ(outcome.message, "Old password error!");
  EXPECT_EQ(outcome.focus, Field::OldPassword);
  outcome = ChangePassword("admin", "admin", "new one", "new 0ne");
  EXPECT_EQ(outcome.message, "Confirm password error!");
  EXPECT_EQ(outcome.focus, Field::ConfirmPassword);
  outcome = ChangePassword("admin", "admin", "", "");
  EXPECT_TRUE(outcome.accepted);
  EXPECT_EQ(outcome.message, "Modify password successful!");
  EXPECT_TRUE(CheckLogin(kLoginAccount, "").accepted) << "both empty: the password is now the empty text";

  ASSERT_TRUE(db.BreakWrites("system_password", "UPDATE"));
  outcome = ChangePassword("admin", "", "x", "x");
  EXPECT_FALSE(outcome.accepted);
  EXPECT_EQ(outcome.message, "Modify password failed!");
  EXPECT_TRUE(CheckLogin(kLoginAccount, "").accepted);
}

TEST(AccountService, ANewPasswordTheLoginWouldRefuseIsNotStored) {
  testing_support::TempDatabase db;
  testing_support::MessageBoxRecorder boxes;
  struct Case {
    std::string password;
    bool accepted;
  };
  const Case cases[] = {
      {std::string(21, 'x'), false},
      {std::string(10000, 'x'), false},
      {std::string(20, 'y'), true},
      {"éééééééééééééééééééé", true},  // 20 characters in 40 bytes
  };
  std::string current = "admin";
  for (const Case& c : cases) {
    const Outcome outcome = ChangePassword("admin", current, c.password, c.password);
    EXPECT_EQ(outcome.accepted, c.accepted) << c.password.size();
    if (c.accepted) {
      current = c.password;
    } else {
      EXPECT_EQ(outcome.message, "password max length is 20 characters");
      EXPECT_EQ(outcome.caption, "error");
      EXPECT_EQ(outcome.focus, Field::NewPassword);
    }
    EXPECT_TRUE(CheckLogin(kLoginAccount, current).accepted) << "the account still logs in after " << c.password.size();
  }
}
