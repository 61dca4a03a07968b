// Start-up time of two programs started the same way, interleaved: from CreateProcess to
// the moment the program's first visible top-level window answers a message sent to it
// (its main loop runs, so the window is built and shown). Prints every run, the medians
// and the ratio of the first program's median to the second's.
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

// Milliseconds from start to a responsive visible window; negative on failure.
double TimeOneStart(const std::wstring& program) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    return -1;
  }
  Search search{info.dwProcessId, nullptr};
  double ms = -1;
  for (int polls = 0; polls < 60000; ++polls) {
    EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      DWORD_PTR answer = 0;
      SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
      LARGE_INTEGER end;
      QueryPerformanceCounter(&end);
      ms = Seconds(start, end) * 1000.0;
      break;
    }
    Sleep(1);
  }
  TerminateProcess(info.hProcess, 0);
  WaitForSingleObject(info.hProcess, 10000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  Sleep(300);  // let the system settle before the next start
  return ms;
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
  std::vector<double> times[2];
  TimeOneStart(programs[0]);  // warm the file cache and the prefix, not counted
  TimeOneStart(programs[1]);
  for (int run = 0; run < runs; ++run) {
    for (int which = 0; which < 2; ++which) {
      const double ms = TimeOneStart(programs[which]);
      if (ms < 0) {
        std::fwprintf(stderr, L"%ls did not show a window\n", programs[which].c_str());
        return 1;
      }
      times[which].push_back(ms);
    }
    std::printf("run %2d: %8.1f ms  %8.1f ms\n", run + 1, times[0].back(), times[1].back());
  }
  const double a = Median(times[0]);
  const double b = Median(times[1]);
  std::wprintf(L"median %ls: %.1f ms\nmedian %ls: %.1f ms\n", programs[0].c_str(), a,
               programs[1].c_str(), b);
  std::printf("start-up ratio: %.2f\n", b > 0 ? a / b : 0.0);
  return 0;
}
