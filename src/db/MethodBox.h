#pragma once
// How the database managers report most database errors: a message box naming the method.
#include <functional>
#include <string>

#include "db/DbError.h"

namespace db {

// A report that shows text and gives result.
std::function<int(const CDbError&)> ShowTextBox(std::string text, int result);
// A report that shows "<method>()" and gives result.
std::function<int(const CDbError&)> ShowMethodBox(const char* method, int result);

}  // namespace db
