#include "log/AccountService.h"

#include "db/TopologyDBManager.h"
#include "platform/Utf8Text.h"

namespace accounts {
namespace {

bool TooLong(const std::string& password) { return platform::CharacterCount(password) > kMaxPasswordCharacters; }

Outcome TooLongOutcome(Field field, bool clearField) {
  return {false, "password max length is 20 characters", "error", field, clearField};
}

}  // namespace

Outcome CheckLogin(const std::string& account, const std::string& password) {
  if (TooLong(password)) return TooLongOutcome(Field::Password, true);
  TopologyDBManager db;
  if (!db.CheckUserPassword(account, password)) return {false, "Password error!", "", Field::Password, true};
  return {true, "", "", Field::None, false};
}

Outcome ChangePassword(const std::string& user, const std::string& oldPassword, const std::string& newPassword,
                       const std::string& confirmPassword) {
  TopologyDBManager db;
  if (!db.CheckUserPassword(user, oldPassword)) return {false, "Old password error!", "", Field::OldPassword, false};
  if (newPassword != confirmPassword)
    return {false, "Confirm password error!", "", Field::ConfirmPassword, false};
  if (TooLong(newPassword)) return TooLongOutcome(Field::NewPassword, false);
  if (!db.SetUserPassword(user, confirmPassword)) return {false, "Modify password failed!", "", Field::None, false};
  return {true, "Modify password successful!", "", Field::None, false};
}

bool IsAutoLogin(const std::string& account) {
  std::string autologin;
  return TopologyDBManager().GetUserLogin(account, autologin) && autologin == "1";
}

}  // namespace accounts
