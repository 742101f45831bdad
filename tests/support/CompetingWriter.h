#pragma once
// Another holder of the database file's write lock, as a second program would be: a connection of its own
// that has begun a write transaction. The pool's connection that meets it next gives up at its first wait,
// as it would after its busy time-out, so tests need not wait out the real one. With LetGoOnGiveUp the
// holder then ends its transaction at that moment, so statements that come after the refused one find
// the file free, which shows whether an operation went on after its failure. Header-only, for test
// programs that link the database layer.
#include <sqlite3.h>

#include <stdexcept>
#include <string>

#include "db/db_maintain.h"
#include "platform/AppContext.h"

namespace testing_support {

class CompetingWriter {
 public:
  enum class OnGiveUp { Hold, LetGo };

  explicit CompetingWriter(OnGiveUp onGiveUp = OnGiveUp::Hold) : letGo_(onGiveUp == OnGiveUp::LetGo) {
    if (sqlite3_open(platform::DatabaseFilePath().c_str(), &handle_) != SQLITE_OK ||
        sqlite3_exec(handle_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
      throw std::runtime_error("cannot take the database's write lock");
    WithPoolConnection([this](sqlite3* pooled) { sqlite3_busy_handler(pooled, &CompetingWriter::GiveUp, this); });
  }
  ~CompetingWriter() {
    LetGo();
    // The pooled connection waits as the pool set it up again.
    WithPoolConnection(
        [](sqlite3* pooled) { sqlite3_busy_timeout(pooled, CDB_Maintain::kConnectionTimeout * 1000); });
    sqlite3_close(handle_);
  }
  CompetingWriter(const CompetingWriter&) = delete;
  CompetingWriter& operator=(const CompetingWriter&) = delete;

  void LetGo() {
    if (sqlite3_get_autocommit(handle_) == 0) sqlite3_exec(handle_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  int GiveUps() const { return giveUps_; }

 private:
  // The pool lends the connection used last again, so the one set up here serves the next operation.
  template <typename Setup>
  static void WithPoolConnection(Setup setup) {
    db::CConnection* connection = nullptr;
    if (!GetDBMaintain()->GetConnection(connection)) throw std::runtime_error("the pool lends no connection");
    setup(connection->Handle());
    GetDBMaintain()->ReleaseConnection(connection);
  }
  static int GiveUp(void* self, int) {
    auto* writer = static_cast<CompetingWriter*>(self);
    ++writer->giveUps_;
    if (writer->letGo_) writer->LetGo();
    return 0;
  }

  sqlite3* handle_ = nullptr;
  const bool letGo_;
  int giveUps_ = 0;
};

}  // namespace testing_support
