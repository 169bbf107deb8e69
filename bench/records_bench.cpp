// Throughput of the record processing on one core, block by block as the
// copy loops hand it on.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "records/code_table.h"
#include "records/record_transform.h"

namespace {

using namespace peltrix::records;

constexpr size_t kBlock = 1048576;

// 64 blocks of 80-byte lines ending in newline.
std::vector<uint8_t> lines(const std::string& newline) {
  std::string line(80 - newline.size(), 'x');
  line += newline;
  std::vector<uint8_t> data;
  while (data.size() < 64 * kBlock) data.insert(data.end(), line.begin(), line.end());
  data.resize(64 * kBlock + 16, 0);
  return data;
}

void run_blocks(benchmark::State& state, const std::vector<uint8_t>& data, Newlines newlines, bool count,
                RecordCounters start) {
  std::vector<uint8_t> conversion(conversion_capacity_for(kBlock));
  TransformSettings settings;
  settings.newlines = newlines;
  settings.count_records = count;
  settings.units = select_active_units(kCodeNone, 0);
  settings.conversion = conversion.data();
  settings.conversion_capacity = conversion.size();
  uint64_t records = 0;
  for (auto _ : state) {
    RecordCounters counters = start;
    TransformState transform;
    for (size_t at = 0; at + kBlock <= data.size() - 16; at += kBlock) {
      transform.begin_block(false, kBlock);
      record_transform(data.data() + at, kBlock, counters, transform, settings);
      records += transform.block_record_count;
    }
    benchmark::DoNotOptimize(records);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 64 * static_cast<int64_t>(kBlock));
}

void BM_Count(benchmark::State& state) { run_blocks(state, lines("\n"), Newlines::kUnchanged, true, {}); }
void BM_SkipAll(benchmark::State& state) { run_blocks(state, lines("\n"), Newlines::kUnchanged, false, {1 << 30, 0}); }
void BM_LimitNone(benchmark::State& state) { run_blocks(state, lines("\n"), Newlines::kUnchanged, false, {0, 1 << 30}); }
void BM_ToLf(benchmark::State& state) { run_blocks(state, lines("\r\n"), Newlines::kToLf, false, {}); }
void BM_ToCrLf(benchmark::State& state) { run_blocks(state, lines("\n"), Newlines::kToCrLf, false, {}); }

BENCHMARK(BM_Count)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SkipAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LimitNone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToLf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToCrLf)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
