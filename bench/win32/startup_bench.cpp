// Start-up time of programs started the same way, interleaved, measured from
// CreateProcess to two moments: the program's first top-level window is shown (visible),
// and that window answers a message sent to it (the program's main loop runs, so the
// window is complete). Prints every run, the medians and the ratios of the first
// program's medians to each other's.
// Usage: startup_bench RUNS PROGRAM FLOOR [FLOOR...]
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

// The file name of a path, for short labels.
std::wstring NameOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: startup_bench RUNS PROGRAM FLOOR [FLOOR...]\n");
    return 2;
  }
  const int runs = std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10)));
  const std::vector<std::wstring> programs(argv + 2, argv + argc);
  const size_t count = programs.size();
  std::vector<std::vector<double>> shown(count);
  std::vector<std::vector<double>> ready(count);
  for (const std::wstring& program : programs) TimeOneStart(program);  // warm-up, not counted
  for (int run = 0; run < runs; ++run) {
    std::printf("run %2d: shown", run + 1);
    for (size_t which = 0; which < count; ++which) {
      const StartTimes times = TimeOneStart(programs[which]);
      if (times.shown < 0) {
        std::fwprintf(stderr, L"%ls did not show a window\n", programs[which].c_str());
        return 1;
      }
      shown[which].push_back(times.shown);
      ready[which].push_back(times.ready);
      std::printf(" %6.1f", times.shown);
    }
    std::printf(" ms, ready");
    for (size_t which = 0; which < count; ++which) std::printf(" %6.1f", ready[which].back());
    std::printf(" ms\n");
  }
  for (size_t which = 0; which < count; ++which) {
    std::wprintf(L"median %ls: shown %.1f ms, ready %.1f ms\n", NameOf(programs[which]).c_str(),
                 Median(shown[which]), Median(ready[which]));
  }
  for (size_t which = 1; which < count; ++which) {
    const std::wstring floor = NameOf(programs[which]);
    std::wprintf(L"start-up ratio against %ls: shown %.2f, ready %.2f\n", floor.c_str(),
                 Median(shown[0]) / Median(shown[which]), Median(ready[0]) / Median(ready[which]));
  }
  return 0;
}
