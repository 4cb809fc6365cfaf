// What the benchmarks that compare an operation with its baselines share: timing in processor
// seconds beside the wall clock, and the ratios to baselines measured earlier in the same run.
#pragma once

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <time.h>

#include <chrono>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

// Seconds of processor time used by the process so far. On a shared machine it shows the work
// done better than the wall clock, which also counts waiting for a processor.
inline double ProcessSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Mean wall and processor seconds per iteration.
struct BenchMean {
  double wall = 0;
  double cpu = 0;
};

// Mean times of each benchmark so far, by name.
inline std::map<std::string, BenchMean>& BenchMeans() {
  static std::map<std::string, BenchMean> means;
  return means;
}

// Runs body once per iteration, records its mean times under name, and reports them as the
// counters wall_vs_<baseline> and cpu_vs_<baseline> for each baseline that ran before it.
template <typename Body>
void Measure(benchmark::State& state, const std::string& name,
             const std::vector<std::string>& baselines, Body body) {
  BenchMean total;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ProcessSeconds();
    body();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    total.cpu += ProcessSeconds() - cpuStart;
    total.wall += took.count();
    state.SetIterationTime(took.count());
  }
  const auto iterations = static_cast<double>(state.iterations());
  BenchMean& mean = BenchMeans()[name];
  mean = {total.wall / iterations, total.cpu / iterations};
  for (const std::string& baseline : baselines) {
    const auto found = BenchMeans().find(baseline);
    if (found == BenchMeans().end()) continue;
    state.counters["wall_vs_" + baseline] = mean.wall / found->second.wall;
    state.counters["cpu_vs_" + baseline] = mean.cpu / found->second.cpu;
  }
}

// Raises the database's message when an SQLite call failed.
inline void CheckSqlite(int rc, sqlite3* db) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
    throw std::runtime_error(sqlite3_errmsg(db));
  }
}
