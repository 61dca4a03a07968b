// A call handed to the main thread (RunOnMainThread) and run there by the system
// driver's pump, against the bare round trip it is built on: PostThreadMessage and a
// PeekMessage that removes it. Batches of each, interleaved; prints the median cost per
// call of each and their ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "system/platform.h"
#include "system/system_driver.h"

namespace {

constexpr int kCallsPerBatch = 2000;
constexpr int kBatches = 15;

int Ran = 0;

void Count(const quardeln::ObjectRef&, intptr_t) {
  ++Ran;
}

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Nanoseconds per call through the toolkit.
double PostedCalls() {
  Ran = 0;
  const double start = Now();
  for (int i = 0; i < kCallsPerBatch; ++i) {
    quardeln::RunOnMainThread(&Count, nullptr, 0);
    quardeln::PumpSystemEvents();
  }
  const double seconds = Now() - start;
  if (Ran != kCallsPerBatch) std::fprintf(stderr, "only %d of the calls ran\n", Ran);
  return seconds * 1e9 / kCallsPerBatch;
}

// Nanoseconds per bare post and removal.
double BareRoundTrips() {
  const DWORD self = GetCurrentThreadId();
  MSG message;
  const double start = Now();
  for (int i = 0; i < kCallsPerBatch; ++i) {
    PostThreadMessageW(self, WM_APP + 7, 0, 0);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_APP + 7) ++Ran;
    }
  }
  return (Now() - start) * 1e9 / kCallsPerBatch;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main() {
  quardeln::StartPlatformSystem();
  std::vector<double> toolkit, bare;
  PostedCalls();  // warm up both paths, not counted
  BareRoundTrips();
  for (int batch = 0; batch < kBatches; ++batch) {
    toolkit.push_back(PostedCalls());
    bare.push_back(BareRoundTrips());
  }
  const double a = Median(toolkit);
  const double b = Median(bare);
  std::printf("posted call: %.0f ns, bare PostThreadMessage + PeekMessage: %.0f ns\n", a, b);
  std::printf("posted-call ratio: %.2f\n", a / b);
  return 0;
}
