#pragma once
// What the login and change-password dialogs decide, without the dialogs: the checks in their order, the
// texts the user is shown and where the focus goes.
#include <string>

namespace accounts {

inline constexpr std::size_t kMaxPasswordCharacters = 20;
// The login always asks for this account.
inline constexpr char kLoginAccount[] = "admin";

enum class Field { None, Password, OldPassword, NewPassword, ConfirmPassword };

struct Outcome {
  bool accepted = false;
  std::string message;  // "" when nothing is shown
  std::string caption;  // "" for the application's title
  Field focus = Field::None;
  bool clearField = false;  // the focused edit is emptied
};

// The login's OK: a password of more than 20 characters is refused before the database is asked.
Outcome CheckLogin(const std::string& account, const std::string& password);
// The change dialog's OK for the logged-in user. A new password the login would refuse (more than 20
// characters) is refused as the login refuses it, so a change never locks the account out.
Outcome ChangePassword(const std::string& user, const std::string& oldPassword, const std::string& newPassword,
                       const std::string& confirmPassword);
// Whether the account is marked for auto-login ("Save my password"); false when it cannot be read.
bool IsAutoLogin(const std::string& account);

}  // namespace accounts
