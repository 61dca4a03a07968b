// The event queue's costs: one event made, emitted and taken, against the same work done
// with a std::deque; and a flood of mergeable events into a queue with 255 others pending.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "events/queue.h"
#include "system/headless/headless_driver.h"

namespace quardeln {
namespace {

void DrainQueue() {
  while (!EventQueue().Empty()) TakeEvent();
  ActiveEvent = EmptyEvent;
}

void BM_EventRoundTrip(benchmark::State& state) {
  DrainQueue();
  int32_t data = 0;
  for (auto _ : state) {
    SendEvent(MakeEvent(KeyDown, nullptr, ++data));
    benchmark::DoNotOptimize(TakeEvent());
  }
  DrainQueue();
}
BENCHMARK(BM_EventRoundTrip);

// The same event objects, made and passed through a plain std::deque.
void BM_DequeBaseline(benchmark::State& state) {
  std::deque<EventRef> queue;
  EventRef active;
  int32_t data = 0;
  for (auto _ : state) {
    queue.push_back(MakeEvent(KeyDown, nullptr, ++data));
    active = std::move(queue.front());
    queue.pop_front();
    benchmark::DoNotOptimize(active->id);
  }
}
BENCHMARK(BM_DequeBaseline);

// Every event merges into the pending twin behind 255 others: the longest merge scan.
void BM_MergeFloodBehind255(benchmark::State& state) {
  DrainQueue();
  auto source = NewText(u"timer");
  for (int i = 0; i < 255; ++i) SendEvent(MakeEvent(KeyDown, nullptr, i));
  SendEvent(MakeEvent(TimerTick, source, 0));
  int32_t data = 0;
  for (auto _ : state) SendEvent(MakeEvent(TimerTick, source, ++data));
  if (EventQueue().Pending() != 256) state.SkipWithError("the flood was queued, not merged");
  DrainQueue();
}
BENCHMARK(BM_MergeFloodBehind255);

// Keeps each benchmark's time (the median of its repetitions) for the ratio at the end.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  // The median of the repetitions when there are several, else the one run's time.
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !medians.count(run.run_name.function_name)) {
        times[run.run_name.function_name] = run.GetAdjustedCPUTime();
      }
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        times[run.run_name.function_name] = run.GetAdjustedCPUTime();
        medians.insert(run.run_name.function_name);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::set<std::string> medians;
  std::map<std::string, double> times;
};

}  // namespace
}  // namespace quardeln

int main(int argc, char** argv) {
  using namespace quardeln;
  StartSystemModule(std::make_shared<THeadlessSystemDriver>());
  // A shared machine's load moves single runs around: by default every benchmark runs
  // nine times, interleaved with the others, and the ratio is taken of the medians.
  // Flags given on the command line come later and win.
  std::vector<char*> args(argv, argv + argc);
  char repetitions[] = "--benchmark_repetitions=9";
  char interleaving[] = "--benchmark_enable_random_interleaving=true";
  char aggregates[] = "--benchmark_report_aggregates_only=true";
  args.insert(args.begin() + 1, {repetitions, interleaving, aggregates});
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  auto& times = reporter.times;
  if (times.count("BM_EventRoundTrip") && times.count("BM_DequeBaseline")) {
    double ratio = times["BM_EventRoundTrip"] / times["BM_DequeBaseline"];
    std::printf("event round trip / deque baseline = %.2f (target <= 1.3)\n", ratio);
  }
  return 0;
}
