#include "db/DatabaseFile.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "db/DatabaseScripts.h"

namespace db {
namespace {

// Tables whose presence marks a database of this program.
constexpr std::string_view kMarkerTables[] = {"global_setting", "device_list", "device_list_prev",
                                              "system_password"};

// Owns one sqlite3 handle for the checks and the creation below.
class Handle {
 public:
  ~Handle() { sqlite3_close(m_db); }
  bool Open(const std::string& path, int flags) {
    return sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) == SQLITE_OK;
  }
  sqlite3* get() const { return m_db; }
  std::string Message() const { return m_db ? sqlite3_errmsg(m_db) : "out of memory"; }

 private:
  sqlite3* m_db = nullptr;
};

std::string NotOurs(const std::string& path) {
  return "The file " + path + " is not a database of this program. It has been left as it is: "
         "move it away or start the program in another folder.";
}

// The existing file is opened read-only so the check itself can never change it.
bool CheckExisting(const std::string& path, std::string& error) {
  Handle db;
  if (!db.Open(path, SQLITE_OPEN_READONLY)) {
    error = "Cannot open the database file " + path + ": " + db.Message() + ".";
    return false;
  }
  for (std::string_view table : kMarkerTables) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db.get(), "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1", -1,
                           &statement, nullptr) != SQLITE_OK) {
      error = NotOurs(path);  // SQLITE_NOTADB and friends surface here
      return false;
    }
    sqlite3_bind_text(statement, 1, table.data(), static_cast<int>(table.size()), SQLITE_STATIC);
    const int step = sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (step != SQLITE_ROW) {
      error = NotOurs(path);
      return false;
    }
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Builds the database in a private temporary file beside the target and moves it into place only when it
// is complete, so an interrupted start never leaves a half-made database behind.
bool CreateNew(const std::string& path, std::string& error) {
  std::string temp = FolderOf(path) + "/.Database-XXXXXX";
  const int fd = mkstemp(temp.data());  // mode 0600: readable by its owner only
  if (fd < 0) {
    error = "Cannot create the database file " + path + ": " + std::strerror(errno) + ".";
    return false;
  }
  close(fd);

  bool built = false;
  {
    Handle db;
    char* message = nullptr;
    const std::string script =
        "BEGIN;\n" + std::string(SchemaScript()) + "\n" + std::string(SeedScript()) + "\nCOMMIT;";
    built = db.Open(temp, SQLITE_OPEN_READWRITE) &&
            sqlite3_exec(db.get(), script.c_str(), nullptr, nullptr, &message) == SQLITE_OK &&
            sqlite3_exec(db.get(), "PRAGMA journal_mode=WAL", nullptr, nullptr, &message) == SQLITE_OK;
    if (!built) {
      error = "Cannot create the database file " + path + ": " + (message ? message : db.Message()) + ".";
    }
    sqlite3_free(message);
  }
  // link() refuses to replace a file that appeared meanwhile; rename() serves file systems without links.
  if (built && link(temp.c_str(), path.c_str()) != 0) {
    if (errno == EEXIST) {
      unlink(temp.c_str());
      return CheckExisting(path, error);
    }
    built = rename(temp.c_str(), path.c_str()) == 0;
    if (!built) error = "Cannot create the database file " + path + ": " + std::strerror(errno) + ".";
  }
  unlink(temp.c_str());
  return built;
}

}  // namespace

bool PrepareDatabaseFile(const std::string& path, std::string& error) {
  error.clear();
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode)) {
      error = NotOurs(path);
      return false;
    }
    return CheckExisting(path, error);
  }
  if (errno != ENOENT) {
    error = "Cannot open the database file " + path + ": " + std::strerror(errno) + ".";
    return false;
  }
  return CreateNew(path, error);
}

}  // namespace db
