#include "db/DatabaseFile.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "db/DatabaseScripts.h"

namespace db {
namespace {

// Tables whose presence marks a database of this program.
constexpr std::string_view kMarkerTables[] = {"global_setting", "device_list", "device_list_prev",
                                              "system_password"};

constexpr std::size_t kTemporaryNameLength = kTemporaryPrefix.size() + 6;
// Files SQLite keeps beside a database while it is open.
constexpr std::string_view kCompanionSuffixes[] = {"-journal", "-wal", "-shm"};

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

std::string Damaged(const std::string& path, const std::string& detail) {
  return "The database file " + path + " is damaged (" + detail + "). It has been left as it is: "
         "restore a backup over it, or move it away to start with a new database.";
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Every change goes to the file and to a journal beside it, so both the file and its folder must be
// writable; a file opened read-only instead would fail every write later, far from the cause.
bool CheckWritable(const std::string& path, std::string& error) {
  const std::string folder = FolderOf(path);
  if (access(path.c_str(), R_OK | W_OK) != 0) {
    error = "The database file " + path + " cannot be written: " + std::strerror(errno) +
            ". Give this user the right to write it, or start the program in another folder.";
    return false;
  }
  if (access(folder.c_str(), W_OK | X_OK) != 0) {
    error = "The folder " + folder + " of the database file cannot be written: " + std::strerror(errno) +
            ". The database keeps its journal beside the file there; give this user the right to write the "
            "folder, or start the program in another folder.";
    return false;
  }
  return true;
}

// The first row of a statement as text; false with the engine's code when the statement fails.
bool FirstText(sqlite3* db, const char* sql, std::string& text, int& code) {
  sqlite3_stmt* statement = nullptr;
  code = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
  if (code == SQLITE_OK) {
    code = sqlite3_step(statement);
    if (code == SQLITE_ROW) {
      const auto* value = sqlite3_column_text(statement, 0);
      text = value ? reinterpret_cast<const char*>(value) : "";
      code = SQLITE_OK;
    } else if (code == SQLITE_DONE) {
      code = SQLITE_OK;
    }
  }
  sqlite3_finalize(statement);
  return code == SQLITE_OK;
}

bool IsDamage(int code) { return (code & 0xFF) == SQLITE_CORRUPT || (code & 0xFF) == SQLITE_IOERR; }

// The existing file is opened read-only so the check itself can never change it.
bool CheckContent(const std::string& path, std::string& error) {
  Handle db;
  if (!db.Open(path, SQLITE_OPEN_READONLY)) {
    error = "Cannot open the database file " + path + ": " + db.Message() + ".";
    return false;
  }
  for (std::string_view table : kMarkerTables) {
    const std::string sql = "SELECT 1 FROM sqlite_master WHERE type='table' AND name='" + std::string(table) + "'";
    std::string found;
    int code = SQLITE_OK;
    if (!FirstText(db.get(), sql.c_str(), found, code)) {
      error = IsDamage(code) ? Damaged(path, db.Message()) : NotOurs(path);  // SQLITE_NOTADB surfaces here
      return false;
    }
    if (found.empty()) {
      error = NotOurs(path);
      return false;
    }
  }
  // A file cut short still holds its first pages with the table list; the check reads every page.
  std::string verdict;
  int code = SQLITE_OK;
  if (!FirstText(db.get(), "PRAGMA quick_check(1)", verdict, code) || verdict != "ok") {
    error = Damaged(path, code == SQLITE_OK ? verdict : db.Message());
    return false;
  }
  return true;
}

// Opening a refused file may have made SQLite's companion files beside it; those are not left behind.
// Companions that were there before belong to whoever made them and stay.
class CompanionFiles {
 public:
  explicit CompanionFiles(const std::string& path) : path_(path) {
    for (std::size_t i = 0; i < std::size(kCompanionSuffixes); ++i)
      existed_[i] = std::filesystem::exists(path_ + std::string(kCompanionSuffixes[i]));
  }
  void RemoveNew() const {
    for (std::size_t i = 0; i < std::size(kCompanionSuffixes); ++i)
      if (!existed_[i]) unlink((path_ + std::string(kCompanionSuffixes[i])).c_str());
  }

 private:
  std::string path_;
  bool existed_[std::size(kCompanionSuffixes)] = {};
};

bool CheckExisting(const std::string& path, std::string& error) {
  if (!CheckWritable(path, error)) return false;
  const CompanionFiles companions(path);
  if (CheckContent(path, error)) return true;
  companions.RemoveNew();
  return false;
}

bool IsTemporaryName(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix)) return false;
  if (name.size() == kTemporaryNameLength) return true;
  for (std::string_view suffix : kCompanionSuffixes)
    if (name.size() == kTemporaryNameLength + suffix.size() && name.ends_with(suffix)) return true;
  return false;
}

// Builds the database in a private temporary file beside the target and moves it into place only when it
// is complete, so an interrupted start never leaves a half-made database behind.
bool CreateNew(const std::string& path, std::string& error) {
  std::string temp = FolderOf(path) + "/" + std::string(kTemporaryPrefix) + "XXXXXX";
  const int fd = mkstemp(temp.data());  // mode 0600: readable by its owner only
  if (fd < 0) {
    error = "Cannot create the database file " + path + ": " + std::strerror(errno) + ".";
    return false;
  }
  // Held until the file is in place, so another start does not take it for abandoned.
  flock(fd, LOCK_EX);

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
      close(fd);
      return CheckExisting(path, error);
    }
    built = rename(temp.c_str(), path.c_str()) == 0;
    if (!built) error = "Cannot create the database file " + path + ": " + std::strerror(errno) + ".";
  }
  unlink(temp.c_str());
  close(fd);
  return built;
}

// The file beside the database that names the folder of the backup begun last.
std::string BackupFolderRecord(const std::string& databasePath) { return databasePath + ".backup-folder"; }

void RemoveBackupLeftovers(const std::string& databasePath) {
  std::ifstream record(BackupFolderRecord(databasePath));
  std::string folder;
  if (std::getline(record, folder) && !folder.empty()) RemoveAbandonedTemporaries(folder);
}

}  // namespace

bool IsProgramDatabase(const std::string& path, std::string& error) {
  error.clear();
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    error = NotOurs(path);
    return false;
  }
  const CompanionFiles companions(path);
  const bool ours = CheckContent(path, error);
  companions.RemoveNew();
  return ours;
}

// A creation or copy holds a lock on its temporary file until it is done; a file nobody holds was left by a
// process that was killed, and goes with its companions. A companion without its file goes too.
void RemoveAbandonedTemporaries(const std::string& folder) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::directory_entry& entry = *it;
    const std::string name = entry.path().filename().string();
    if (!IsTemporaryName(name)) continue;
    const std::string main = (entry.path().parent_path() / name.substr(0, kTemporaryNameLength)).string();
    const int fd = open(main.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
      if (errno == ENOENT) unlink(entry.path().c_str());
      continue;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) unlink(entry.path().c_str());
    close(fd);
  }
}

void RememberBackupFolder(const std::string& databasePath, const std::string& folder) {
  std::ofstream(BackupFolderRecord(databasePath), std::ios::trunc) << folder << '\n';
}

bool PrepareDatabaseFile(const std::string& path, std::string& error) {
  error.clear();
  RemoveAbandonedTemporaries(FolderOf(path));
  RemoveBackupLeftovers(path);
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
