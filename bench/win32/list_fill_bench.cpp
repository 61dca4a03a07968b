// Filling list-style gadgets: GadgetAddItem of 1,000 and of 10,000 items into a new gadget
// inside a shown window, timed until the gadget has painted what it got. One small
// function per gadget kind, listed in one table. Runs alternate between the two sizes;
// the medians are printed with their ratio, which is 10 where filling takes linear time
// (the goal is at most 15).
#include "gui/win32/win32_api.h"
//
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "events/event.h"
#include "gui/api.h"
#include "gui/gui_driver.h"
#include "gui/platform.h"
#include "runtime/text.h"
#include "system/platform.h"

namespace {

using namespace quardeln;

constexpr int kSmall = 1000;
constexpr int kLarge = 10000;
constexpr int kRuns = 5;
constexpr int kWarmUp = 100;

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs the messages waiting for the program's windows, painting included.
void Settle() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Seconds for `count` items added to `gadget` and painted. A list box draws the program's
// changes together once the message loop runs, so the time runs until the loop has run.
double FillAndPaint(const GadgetRef& gadget, int count) {
  const double start = Now();
  for (int i = 0; i < count; ++i) GadgetAddItem(gadget, u"Voce " + IntText(i));
  Settle();
  UpdateWindow(reinterpret_cast<HWND>(GadgetQuery(gadget, QUERY_NATIVE)));
  return Now() - start;
}

// Each kind: a new gadget in `window`, filled with `count` items, then freed.
double FillListBox(const GadgetRef& window, int count) {
  GadgetRef list = NewListBox(10, 10, 360, 300, window);
  const double seconds = FillAndPaint(list, count);
  GadgetFree(list);
  Settle();
  return seconds;
}

double FillComboBox(const GadgetRef& window, int count) {
  GadgetRef combo = NewComboBox(10, 10, 360, 24, window);
  const double seconds = FillAndPaint(combo, count);
  GadgetFree(combo);
  Settle();
  return seconds;
}

// Nodes go under the tree's root. The tree draws the program's changes together once
// the message loop runs, so the time runs until the loop has run and the tree painted.
double FillTreeView(const GadgetRef& window, int count) {
  GadgetRef tree = NewTreeView(10, 10, 360, 300, window);
  GadgetRef root = TreeViewRoot(tree);
  const double start = Now();
  for (int i = 0; i < count; ++i) TreeViewAddNode(u"Nodo " + IntText(i), root);
  Settle();
  UpdateWindow(reinterpret_cast<HWND>(GadgetQuery(tree, QUERY_NATIVE)));
  const double seconds = Now() - start;
  GadgetFree(tree);
  Settle();
  return seconds;
}

struct TGadgetKind {
  const char* name;
  double (*fill)(const GadgetRef& window, int count);
};

const TGadgetKind kKinds[] = {
    {"list box", &FillListBox},
    {"combo box", &FillComboBox},
    {"tree view", &FillTreeView},
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Measure(const TGadgetKind& kind, const GadgetRef& window) {
  kind.fill(window, kWarmUp);
  std::vector<double> small, large;
  for (int run = 0; run < kRuns; ++run) {
    small.push_back(kind.fill(window, kSmall));
    large.push_back(kind.fill(window, kLarge));
  }
  const double a = Median(small);
  const double b = Median(large);
  std::printf("%-10s %6d items: %8.1f ms   %6d items: %8.1f ms   ratio %.1f\n", kind.name, kSmall,
              a * 1e3, kLarge, b * 1e3, b / a);
  std::fflush(stdout);
}

}  // namespace

int main() {
  StartEventsModule();
  StartPlatformSystem();
  StartGuiModule(CreatePlatformGuiDriver());
  GadgetRef window = NewWindow(u"list fill", 40, 40, 400, 360);
  Settle();
  std::printf("median of %d runs each, filling until painted\n", kRuns);
  for (const TGadgetKind& kind : kKinds) Measure(kind, window);
  GadgetFree(window);
  Settle();
  return 0;
}
