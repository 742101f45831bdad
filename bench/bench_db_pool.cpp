// The cost of the connection pool over SQLite itself: the same single-row inserts and the same
// 10,000-row transaction, once through CDB_Maintain and once straight through sqlite3, in one run.
// Both sides open their own file, made the same way, in one temporary folder with the same settings
// (WAL, busy time-out),
// and both prepare, bind, step and finalize each statement, as the pool does.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>

#include "db/DatabaseFile.h"
#include "db/Transaction.h"
#include "db/db_maintain.h"
#include "platform/AppContext.h"
#include "support/TempDir.h"

namespace {

constexpr int kBatchRows = 10000;
const char kCreate[] = "CREATE TABLE IF NOT EXISTS t_bench (id INTEGER, name TEXT, port INTEGER)";
const char kInsert[] = "INSERT INTO t_bench VALUES (?, ?, ?)";

sqlite3* g_raw = nullptr;

void RawExec(const char* sql) {
  if (sqlite3_exec(g_raw, sql, nullptr, nullptr, nullptr) != SQLITE_OK) throw std::runtime_error(sqlite3_errmsg(g_raw));
}

void RawInsert(sqlite3_stmt* statement, int id) {
  sqlite3_bind_int64(statement, 1, id);
  sqlite3_bind_text(statement, 2, "AP_12", -1, SQLITE_STATIC);
  sqlite3_bind_int64(statement, 3, id % 48);
  if (sqlite3_step(statement) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(g_raw));
}

void RawInsertOnce(int id) {
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(g_raw, kInsert, -1, &statement, nullptr);
  RawInsert(statement, id);
  sqlite3_finalize(statement);
}

void PoolInsertOnce(CDB_Maintain& pool, int id) {
  if (!pool.ExecuteCommand(kInsert, {id, "AP_12", id % 48})) throw std::runtime_error("pool insert failed");
}

void BM_SingleInsert_Raw(benchmark::State& state) {
  int id = 0;
  for (auto _ : state) RawInsertOnce(++id);
}

void BM_SingleInsert_Pool(benchmark::State& state) {
  CDB_Maintain& pool = *GetDBMaintain();
  int id = 0;
  for (auto _ : state) PoolInsertOnce(pool, ++id);
}

void BM_Batch_Raw(benchmark::State& state) {
  for (auto _ : state) {
    RawExec("BEGIN IMMEDIATE");
    for (int id = 0; id < kBatchRows; ++id) RawInsertOnce(id);
    RawExec("COMMIT");
  }
}

// The same batch reusing one prepared statement: the lower bound for any caller of SQLite.
void BM_Batch_RawReused(benchmark::State& state) {
  for (auto _ : state) {
    RawExec("BEGIN IMMEDIATE");
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(g_raw, kInsert, -1, &statement, nullptr);
    for (int id = 0; id < kBatchRows; ++id) {
      RawInsert(statement, id);
      sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
    RawExec("COMMIT");
  }
}

void BM_Batch_Pool(benchmark::State& state) {
  CDB_Maintain& pool = *GetDBMaintain();
  for (auto _ : state) {
    db::CTransaction transaction(pool);
    for (int id = 0; id < kBatchRows; ++id) PoolInsertOnce(pool, id);
    transaction.Commit();
  }
}

BENCHMARK(BM_SingleInsert_Raw);
BENCHMARK(BM_SingleInsert_Pool);
BENCHMARK(BM_Batch_Raw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Batch_RawReused)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Batch_Pool)->Unit(benchmark::kMillisecond);

// Prints the usual table and keeps each benchmark's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      times_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
  }
  void PrintRatio(const char* label, const std::string& pool, const std::string& raw) const {
    const auto p = times_.find(pool);
    const auto r = times_.find(raw);
    if (p == times_.end() || r == times_.end()) return;
    std::printf("%-44s %.3fx real, %.3fx CPU\n", label, p->second.first / r->second.first,
                p->second.second / r->second.second);
  }

 private:
  std::map<std::string, std::pair<double, double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
  testing_support::TempDir dir;
  platform::SetStartDirectory(dir.Path().string());
  CDB_Maintain& pool = *GetDBMaintain();
  pool.ExecuteCommand(kCreate);

  // The raw side gets a file made the same way as the pool's.
  std::string error;
  const std::string rawFile = dir.File("raw.mdb");
  if (!db::PrepareDatabaseFile(rawFile, error) || sqlite3_open(rawFile.c_str(), &g_raw) != SQLITE_OK) return 1;
  sqlite3_busy_timeout(g_raw, CDB_Maintain::kConnectionTimeout * 1000);
  RawExec("PRAGMA journal_mode=WAL");
  RawExec(kCreate);

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\npool / raw SQLite (goal: single <= 1.5x, batch <= 1.1x)\n");
  reporter.PrintRatio("single-row insert", "BM_SingleInsert_Pool", "BM_SingleInsert_Raw");
  reporter.PrintRatio("10,000-row transaction", "BM_Batch_Pool", "BM_Batch_Raw");
  reporter.PrintRatio("10,000-row transaction, raw statement reused", "BM_Batch_Pool", "BM_Batch_RawReused");
  benchmark::Shutdown();

  sqlite3_close(g_raw);
  DeleteDBMaintain();
  return 0;
}
