// How much CPU an idle program costs: the main thread waits in AwaitEvent while a timer
// ticks (4 Hz by default) for a number of seconds (10 by default), on the headless
// driver and the thread timer backend. Prints the main thread's and the whole process's
// CPU time as a share of one core. Usage: tempra_idle_cpu [seconds] [hertz]
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "events/queue.h"
#include "system/platform.h"

namespace {

// The kernel's precise per-thread and per-process CPU clocks (they include system time).
double CpuSeconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void Report(const char* who, double cpu, double wall) {
  std::printf("%-13s %8.3f ms CPU over %.2f s = %.4f%% of one core (target < 0.1%%)\n", who,
              cpu * 1e3, wall, 100.0 * cpu / wall);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quardeln;
  double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
  float hertz = argc > 2 ? static_cast<float>(std::atof(argv[2])) : 4.0f;
  StartPlatformSystem();
  TimerRef timer = NewTimer(hertz);
  if (!timer) {
    std::fprintf(stderr, "no timer at %g Hz\n", static_cast<double>(hertz));
    return 1;
  }
  auto start = std::chrono::steady_clock::now();
  double threadStart = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
  double processStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
  double wall = 0;
  int32_t events = 0;
  while (wall < seconds) {
    AwaitEvent();
    ++events;
    wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  double threadCpu = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - threadStart;
  double processCpu = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart;
  std::printf("%d events, %d ticks at %g Hz\n", events, timer->Ticks(), static_cast<double>(hertz));
  Report("main thread:", threadCpu, wall);
  Report("process:", processCpu, wall);
  HaltTimer(timer);
  return 0;
}
