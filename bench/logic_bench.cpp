// Speed of the hexagon logic without a window. Run with
//   build/dev/bench/logic_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
// and read the median lines.

#include <benchmark/benchmark.h>

#include <string>

#include "actions.h"
#include "conversions.h"
#include "memory_boxes.h"

namespace {

using hexagon::MemoryBoxes;

void enterWithStart(benchmark::State& state, const char* startText) {
  MemoryBoxes boxes;
  boxes.setText2(0, startText);
  for (auto _ : state) {
    try {
      hexagon::EnterAction(boxes);
    } catch (const hexagon::RuntimeError& error) {
      benchmark::DoNotOptimize(error.number());
    }
    benchmark::DoNotOptimize(boxes);
  }
}

void BM_EnterAction(benchmark::State& state) {
  enterWithStart(state, "5");
}
BENCHMARK(BM_EnterAction);

// The overflow path: the hexagon is filled, then the error leaves the action.
void BM_EnterActionSumOverflow(benchmark::State& state) {
  enterWithStart(state, "10920");
}
BENCHMARK(BM_EnterActionSumOverflow);

void BM_ClearAction(benchmark::State& state) {
  MemoryBoxes boxes;
  for (auto _ : state) {
    hexagon::ClearAction(boxes);
    benchmark::DoNotOptimize(boxes);
  }
}
BENCHMARK(BM_ClearAction);

void readText(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(hexagon::TextToNumber(text));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_TextToNumberShort(benchmark::State& state) {
  readText(state, "12345");
}
BENCHMARK(BM_TextToNumberShort);

void BM_TextToNumberWithBlanks(benchmark::State& state) {
  readText(state, " - 3 . 5 e 1 ");
}
BENCHMARK(BM_TextToNumberWithBlanks);

// A long pasted text: digits and blanks, then letters; every blank must go before reading.
void BM_TextToNumberLong(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < 1000; ++i) {
    text += "12 ";
  }
  text += "abc";
  readText(state, text);
}
BENCHMARK(BM_TextToNumberLong);

}  // namespace
