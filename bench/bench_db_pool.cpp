// The cost of the connection pool over SQLite itself: the same single-row inserts and the same
// 10,000-row transaction, once through CDB_Maintain and once straight through sqlite3, in one run.
// Both sides open their own file, made the same way, in one temporary folder with the same settings
// (WAL, busy time-out, no per-connection mutex). The raw side prepares its statement once and only binds, steps and resets it per
// row, as any careful caller of SQLite would; the pool keeps its compiled statements too, so the ratios
// show what the pool itself adds: its locks, the lending of a connection and the statement cache.
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

// The raw side's one compiled insert, prepared in main and reused for every row.
sqlite3_stmt* g_rawInsert = nullptr;

void RawInsert(int id) {
  sqlite3_bind_int64(g_rawInsert, 1, id);
  sqlite3_bind_text(g_rawInsert, 2, "AP_12", -1, SQLITE_STATIC);
  sqlite3_bind_int64(g_rawInsert, 3, id % 48);
  const int code = sqlite3_step(g_rawInsert);
  sqlite3_reset(g_rawInsert);
  if (code != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(g_raw));
}

void PoolInsertOnce(CDB_Maintain& pool, int id) {
  // The pool takes its text as a std::string; a caller with a fixed statement keeps it as one.
  static const std::string insert = kInsert;
  if (!pool.ExecuteCommand(insert, {id, "AP_12", id % 48})) throw std::runtime_error("pool insert failed");
}

void BM_SingleInsert_Raw(benchmark::State& state) {
  int id = 0;
  for (auto _ : state) RawInsert(++id);
}

void BM_SingleInsert_Pool(benchmark::State& state) {
  CDB_Maintain& pool = *GetDBMaintain();
  int id = 0;
  for (auto _ : state) PoolInsertOnce(pool, ++id);
}

void BM_Batch_Raw(benchmark::State& state) {
  for (auto _ : state) {
    RawExec("BEGIN IMMEDIATE");
    for (int id = 0; id < kBatchRows; ++id) RawInsert(id);
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

// Each is measured several times and compared by its median, so a busy machine moves the ratios less.
constexpr int kRepetitions = 5;
BENCHMARK(BM_SingleInsert_Raw)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_SingleInsert_Pool)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_Batch_Raw)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_Batch_Pool)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

// Prints the usual table and keeps each benchmark's time per iteration (the median when repeated) for
// the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      times_[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
  }
  void PrintRatio(const char* label, const std::string& pool, const std::string& raw) const {
    const auto p = times_.find(pool);
    const auto r = times_.find(raw);
    if (p == times_.end() || r == times_.end()) return;
    std::printf("%-24s %.3fx real, %.3fx CPU\n", label, p->second.first / r->second.first,
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
  if (!db::PrepareDatabaseFile(rawFile, error) ||
      sqlite3_open_v2(rawFile.c_str(), &g_raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
    return 1;
  sqlite3_busy_timeout(g_raw, CDB_Maintain::kConnectionTimeout * 1000);
  RawExec("PRAGMA journal_mode=WAL");
  RawExec(kCreate);
  if (sqlite3_prepare_v3(g_raw, kInsert, -1, SQLITE_PREPARE_PERSISTENT, &g_rawInsert, nullptr) != SQLITE_OK) return 1;

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\npool / raw SQLite (goal: single <= 1.5x, batch <= 1.1x)\n");
  reporter.PrintRatio("single-row insert", "BM_SingleInsert_Pool", "BM_SingleInsert_Raw");
  reporter.PrintRatio("10,000-row transaction", "BM_Batch_Pool", "BM_Batch_Raw");
  benchmark::Shutdown();

  sqlite3_finalize(g_rawInsert);
  sqlite3_close(g_raw);
  DeleteDBMaintain();
  return 0;
}
