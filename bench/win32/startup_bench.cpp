// Start-up time of two programs started the same way, interleaved, measured from
// CreateProcess to two moments: the program's first top-level window is shown (visible),
// and that window answers a message sent to it (the program's main loop runs, so the
// window is complete). Prints every run, the medians and the ratios of the first
// program's medians to the second's.
// Usage: startup_bench RUNS PROGRAM PROGRAM
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD process = 0;
  HWND found = nullptr;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->process || !IsWindowVisible(hwnd) || GetParent(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct StartTimes {
  double shown = -1;  // milliseconds to a visible top-level window; negative on failure
  double ready = -1;  // milliseconds until that window answered a sent message
};

StartTimes TimeOneStart(const std::wstring& program) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return {};
  }
  Search search{info.dwProcessId, nullptr};
  StartTimes times;
  for (int polls = 0; polls < 60000; ++polls) {
    EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      LARGE_INTEGER shown;
      QueryPerformanceCounter(&shown);
      times.shown = Seconds(start, shown) * 1000.0;
      DWORD_PTR answer = 0;
      SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
      LARGE_INTEGER ready;
      QueryPerformanceCounter(&ready);
      times.ready = Seconds(start, ready) * 1000.0;
      break;
    }
    Sleep(1);
  }
  TerminateProcess(info.hProcess, 0);
  WaitForSingleObject(info.hProcess, 10000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  Sleep(300);  // let the system settle before the next start
  return times;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  if (n == 0) return 0;
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: startup_bench RUNS PROGRAM PROGRAM\n");
    return 2;
  }
  const int runs = std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10)));
  const std::wstring programs[2] = {argv[2], argv[3]};
  std::vector<double> shown[2];
  std::vector<double> ready[2];
  TimeOneStart(programs[0]);  // warm the file cache and the prefix, not counted
  TimeOneStart(programs[1]);
  for (int run = 0; run < runs; ++run) {
    for (int which = 0; which < 2; ++which) {
      const StartTimes times = TimeOneStart(programs[which]);
      if (times.shown < 0) {
        std::fwprintf(stderr, L"%ls did not show a window\n", programs[which].c_str());
        return 1;
      }
      shown[which].push_back(times.shown);
      ready[which].push_back(times.ready);
    }
    std::printf("run %2d: shown %6.1f / %6.1f ms, ready %6.1f / %6.1f ms\n", run + 1,
                shown[0].back(), shown[1].back(), ready[0].back(), ready[1].back());
  }
  for (int which = 0; which < 2; ++which) {
    std::wprintf(L"median %ls: shown %.1f ms, ready %.1f ms\n", programs[which].c_str(),
                 Median(shown[which]), Median(ready[which]));
  }
  std::printf("start-up ratio (shown): %.2f\n", Median(shown[0]) / Median(shown[1]));
  std::printf("start-up ratio (ready): %.2f\n", Median(ready[0]) / Median(ready[1]));
  return 0;
}
