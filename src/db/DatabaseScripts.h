#pragma once
// The scripts a new database file is made from, res/schema.sql and res/seed.sql, built into the library
// (cmake/EmbedText.cmake), so a moved or installed program can still create its database.
#include <string_view>

namespace db {

std::string_view SchemaScript();
std::string_view SeedScript();

}  // namespace db
