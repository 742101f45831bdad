#include "db/DatabaseFile.h"

namespace db {

bool PrepareDatabaseFile(const std::string&, std::string&) { return true; }

}  // namespace db
