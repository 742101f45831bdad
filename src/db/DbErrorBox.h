#pragma once
// The message box for a database error. Another program holding the database past the busy wait is a state
// the user can act on, so the box says so in words; the engine's text means nothing to the user then and
// goes to the exception log instead. Any other error shows the engine's text.
#include <string>

#include "db/DbError.h"

namespace db {

inline constexpr char kDatabaseInUse[] = "The database is in use by another program; try again";

// The text a box shows for the error: kDatabaseInUse for a busy database, else exceptionText.
std::string DbErrorBoxText(const CDbError& error, const std::string& exceptionText);
// Shows the error's box; for a busy database exceptionText is written to the exception log first.
void ShowDbErrorBox(const CDbError& error, const std::string& exceptionText);

}  // namespace db
