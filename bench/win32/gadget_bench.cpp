// List box, combo box and tree view at 1,000, 10,000 and 100,000 items, and a tool bar of
// 40 buttons with tips: each operation done by the toolkit's gadget and by its floor, a
// plain Win32 control given the same native calls (gadget_sides.h), in the same process,
// runs interleaved, medians compared. Prints for every operation and size both medians
// and their ratio (goal: at most 1.3), and for ten times the items the growth of each
// side's time (goal for the toolkit: at most 12).
//
// Each gadget kind and size runs in a process of its own, this program started again
// with --case, so a case that takes far too long is stopped at its time limit without
// stopping the rest. One run of a side is a chain on one control: adding and selecting
// each item, the changes, removing every item from the front, filling and clearing. An
// operation whose time at the next size would exceed a minute a run, judged from its
// growth so far, is not run there by that side; where that is the floor, the size is
// dropped for that operation, as it is for the few where a run measured the floor alone
// far beyond its growth (kCaps).
//   gadget_bench                      every case, then the table
//   gadget_bench --case KIND ITEMS RUNS FLOOR_OPS TOOLKIT_OPS FILE
//     (OPS: operation keys joined by commas, or "-"; FILE receives the timings)
#include "runtime/win32/windows_api.h"
//
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench/win32/gadget_sides.h"

namespace bench {
namespace {

constexpr int kSizes[] = {1000, 10000, 100000};
constexpr int kChanges = 1000;        // items changed at random places
constexpr unsigned kChangeSeed = 16;  // the same places for both sides and every run
constexpr int kToolBarButtons = 40;
constexpr int kToolBarRuns = 7;
constexpr int kIconSize = 16;
constexpr int kWarmUpItems = 100;
// Seconds of both sides' runs of one operation after which it is not repeated.
constexpr double kOperationBudget = 12.0;
constexpr double kRunLimit = 60.0;  // an operation projected beyond this a run is not run
constexpr DWORD kCaseTimeoutMs = 400000;
constexpr double kRatioGoal = 1.3;
constexpr double kGrowthGoal = 12;

double Ticks() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart);
}

double Seconds(double ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return ticks / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

struct TKindName {
  const char* key;
  const char* title;
  TGadgetKind kind;
};
constexpr TKindName kKinds[] = {
    {"list", "list box", TGadgetKind::ListBox},
    {"combo", "combo box", TGadgetKind::ComboBox},
    {"tree", "tree view", TGadgetKind::TreeView},
};

// The operations a case times.
enum TOperation { kFill, kChange, kRemoveFront, kClear, kAddSelect, kOperationCount };
constexpr const char* kOperationKeys[kOperationCount] = {"fill", "change", "remove", "clear",
                                                         "select"};
constexpr const char* kOperationTitles[kOperationCount] = {
    "fill", "1,000 changes", "remove from front", "clear", "add and select each"};
// The order of the table.
constexpr TOperation kTableOrder[] = {kFill, kAddSelect, kClear, kRemoveFront, kChange};

using TOperationSet = std::array<bool, kOperationCount>;

TOperationSet ParseOperations(const std::string& text) {
  TOperationSet set{};
  std::istringstream parts(text);
  std::string key;
  while (std::getline(parts, key, ',')) {
    for (int op = 0; op < kOperationCount; ++op) {
      if (key == kOperationKeys[op]) set[static_cast<size_t>(op)] = true;
    }
  }
  return set;
}

std::string OperationList(const TOperationSet& set) {
  std::string text;
  for (int op = 0; op < kOperationCount; ++op) {
    if (!set[static_cast<size_t>(op)]) continue;
    if (!text.empty()) text += ",";
    text += kOperationKeys[op];
  }
  return text.empty() ? "-" : text;
}

// ---- one case, in its own process ----

struct TCaseInput {
  TItemTexts texts;
  std::vector<int> places;  // where the changes go
};

TCaseInput MakeInput(int items) {
  TCaseInput input;
  input.texts.items.reserve(static_cast<size_t>(items));
  for (int i = 0; i < items; ++i) {
    const std::string text = "Voce " + std::to_string(i);
    input.texts.items.emplace_back(text.begin(), text.end());
  }
  std::mt19937 random(kChangeSeed);
  std::uniform_int_distribution<int> place(0, items - 1);
  for (int k = 0; k < kChanges; ++k) {
    const std::string text = "Cambiata " + std::to_string(k);
    input.texts.changes.emplace_back(text.begin(), text.end());
    input.places.push_back(place(random));
  }
  return input;
}

class TCaseLog {
 public:
  explicit TCaseLog(const wchar_t* path) : file_(_wfopen(path, L"w")) {}
  ~TCaseLog() {
    if (file_) std::fclose(file_);
  }
  TCaseLog(const TCaseLog&) = delete;
  TCaseLog& operator=(const TCaseLog&) = delete;
  void Begin(const char* side, const char* what) {
    Write(std::string("begin ") + side + " " + what + " " + Number(Ticks()));
  }
  void Result(const char* side, const char* what, double seconds) {
    Write(std::string(side) + " " + what + " " + Number(seconds));
  }
  void Note(const std::string& text) { Write("note " + text); }

 private:
  static std::string Number(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
  }
  void Write(const std::string& line) {
    if (!file_) return;
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);  // the case may be stopped at any moment
  }
  FILE* file_;
};

// Class and styles of the two sides' controls, which should be the same.
void CompareControls(HWND floor, HWND toolkit, TCaseLog& log) {
  wchar_t floorClass[64] = {};
  wchar_t toolkitClass[64] = {};
  GetClassNameW(floor, floorClass, 64);
  GetClassNameW(toolkit, toolkitClass, 64);
  const auto style = [](HWND hwnd, int which) {
    return static_cast<unsigned long>(GetWindowLongW(hwnd, which));
  };
  if (std::wcscmp(floorClass, toolkitClass) == 0 &&
      style(floor, GWL_STYLE) == style(toolkit, GWL_STYLE) &&
      style(floor, GWL_EXSTYLE) == style(toolkit, GWL_EXSTYLE)) {
    return;
  }
  char text[200];
  std::snprintf(text, sizeof text,
                "controls differ: floor %ls %08lx/%08lx, toolkit %ls %08lx/%08lx", floorClass,
                style(floor, GWL_STYLE), style(floor, GWL_EXSTYLE), toolkitClass,
                style(toolkit, GWL_STYLE), style(toolkit, GWL_EXSTYLE));
  log.Note(text);
}

// One run of one side: the chain of the operations in `timed` on one control, each timed
// until painted and logged: adding and selecting each item, the changes, removing from
// the front, filling and clearing. A fill that later operations need is done even where
// it is not timed.
class TChain {
 public:
  TChain(TGadgetKind kind, TListSide& side, const char* name, int items, const TCaseInput& input,
         TCaseLog* log)
      : kind_(kind), side_(side), name_(name), items_(items), input_(input), log_(log) {}

  // Runs the chain; returns the seconds of each timed operation.
  std::array<double, kOperationCount> Run(const TOperationSet& timed) {
    side_.Make();
    bool filled = false;   // the control holds the items
    bool cleared = false;  // the clear is timed already
    bool used = false;     // the control has held the items
    if (timed[kAddSelect]) {
      Step(kAddSelect, true, [this] { AddSelect(); });
      used = true;
      const std::string shown = log_ ? LastSelectedShown(kind_, side_.Native()) : std::string();
      if (!shown.empty()) log_->Note(std::string(name_) + " after adding and selecting: " + shown);
      filled = true;
    }
    // Without adding and selecting, the items come from an untimed fill: the timed fill
    // always fills an emptied control, whichever operations a side runs.
    if ((timed[kChange] || timed[kRemoveFront]) && !filled) {
      Step(kFill, false, [this] { Fill(); });
      filled = true;
      used = true;
    }
    if (timed[kChange]) Step(kChange, true, [this] { Change(); });
    if (timed[kRemoveFront]) {
      Step(kRemoveFront, true, [this] { RemoveFront(); });
      filled = false;
    }
    if (timed[kClear] && filled) {
      Step(kClear, true, [this] { side_.Clear(); });
      filled = false;
      cleared = true;
    }
    if (timed[kFill]) {
      // The same emptied control for every run: filled once before, if not yet.
      if (!filled && !used) Step(kFill, false, [this] { Fill(); });
      if (filled || !used) Step(kClear, false, [this] { side_.Clear(); });
      Step(kFill, true, [this] { Fill(); });
      filled = true;
    }
    if (timed[kClear] && !cleared) {
      if (!filled) Step(kFill, false, [this] { Fill(); });
      Step(kClear, true, [this] { side_.Clear(); });
    }
    side_.Free();
    return seconds_;
  }

 private:
  template <typename Work>
  void Step(TOperation op, bool timed, Work work) {
    if (timed && log_) log_->Begin(name_, kOperationKeys[op]);
    const double start = Ticks();
    side_.Begin();
    work();
    side_.Finish();
    const double seconds = Seconds(Ticks() - start);
    if (!timed) return;
    seconds_[op] += seconds;
    if (log_) log_->Result(name_, kOperationKeys[op], seconds);
  }
  void Fill() {
    for (int i = 0; i < items_; ++i) side_.Add(input_.texts.items[static_cast<size_t>(i)]);
  }
  void Change() {
    for (size_t k = 0; k < input_.places.size(); ++k) {
      side_.Change(input_.places[k] % items_, input_.texts.changes[k]);
    }
  }
  void RemoveFront() {
    for (int i = 0; i < items_; ++i) side_.RemoveFirst();
  }
  void AddSelect() {
    for (int i = 0; i < items_; ++i) {
      side_.Add(input_.texts.items[static_cast<size_t>(i)]);
      side_.SelectLast();
    }
  }

  TGadgetKind kind_;
  TListSide& side_;
  const char* name_;
  int items_;
  const TCaseInput& input_;
  TCaseLog* log_;
  std::array<double, kOperationCount> seconds_{};
};

constexpr int kWindowW = 400;
constexpr int kWindowH = 360;

TOperationSet Both(const TOperationSet& a, const TOperationSet& b) {
  TOperationSet both{};
  for (size_t op = 0; op < both.size(); ++op) both[op] = a[op] && b[op];
  return both;
}

void RunListCase(TGadgetKind kind, int items, int runs, const TOperationSet& floorOps,
                 const TOperationSet& toolkitOps, TCaseLog& log) {
  const TCaseInput input = MakeInput(items);
  HWND floorWindow = MakeFloorWindow(40 + kWindowW + 20, 40, kWindowW, kWindowH);
  auto toolkitWindow = MakeToolkitWindow(40, 40, kWindowW, kWindowH);
  auto floor = MakeFloorList(kind, floorWindow);
  auto toolkit = MakeToolkitList(kind, toolkitWindow);
  floor->Make();
  toolkit->Make();
  CompareControls(floor->Native(), toolkit->Native(), log);
  floor->Free();
  toolkit->Free();
  // Warm-up: code paths and caches of both sides, not counted.
  const int warmUp = std::min(items, kWarmUpItems);
  TChain(kind, *floor, "floor", warmUp, input, nullptr).Run(floorOps);
  TChain(kind, *toolkit, "toolkit", warmUp, input, nullptr).Run(toolkitOps);
  std::array<double, kOperationCount> spent{};  // both sides' seconds per operation
  for (int run = 0; run < runs; ++run) {
    // An operation is repeated while one more run keeps it within its budget.
    TOperationSet active{};
    for (size_t op = 0; op < active.size(); ++op) {
      active[op] = run == 0 || spent[op] / run * (run + 1) <= kOperationBudget;
    }
    if (!std::any_of(active.begin(), active.end(), [](bool on) { return on; })) break;
    // Alternate which side goes first, so that neither always follows the other.
    for (int turn = 0; turn < 2; ++turn) {
      const bool floorTurn = (run + turn) % 2 == 0;
      const TOperationSet ops = Both(active, floorTurn ? floorOps : toolkitOps);
      TChain chain(kind, floorTurn ? *floor : *toolkit, floorTurn ? "floor" : "toolkit", items,
                   input, &log);
      const std::array<double, kOperationCount> seconds = chain.Run(ops);
      for (size_t op = 0; op < ops.size(); ++op) spent[op] += seconds[op];
    }
  }
  DestroyWindow(floorWindow);
}

void RunToolBarCase(int runs, TCaseLog& log) {
  const TIconStripPixels strip = MakeIconStripPixels(kToolBarButtons, kIconSize);
  std::vector<std::u16string> tips;
  for (int i = 0; i < kToolBarButtons; ++i) {
    const std::string tip = "Pulsante " + std::to_string(i + 1);
    tips.emplace_back(tip.begin(), tip.end());
  }
  HWND floorWindow = MakeFloorWindow(40 + kWindowW + 20, 40, kWindowW, kWindowH);
  auto toolkitWindow = MakeToolkitWindow(40, 40, kWindowW, kWindowH);
  auto floor = MakeFloorToolBar(floorWindow, strip);
  auto toolkit = MakeToolkitToolBar(toolkitWindow, strip);
  floor->Make();
  toolkit->Make();
  CompareControls(floor->Native(), toolkit->Native(), log);
  floor->Free();
  toolkit->Free();
  for (int run = -1; run < runs; ++run) {  // run -1 warms up
    for (int turn = 0; turn < 2; ++turn) {
      const bool floorTurn = (run + 1 + turn) % 2 == 0;
      const char* name = floorTurn ? "floor" : "toolkit";
      TToolBarSide& side = floorTurn ? *floor : *toolkit;
      double start = Ticks();
      side.Make();
      const double made = Seconds(Ticks() - start);
      start = Ticks();
      side.SetTips(tips);
      const double tipped = Seconds(Ticks() - start);
      side.Free();
      if (run < 0) continue;
      log.Result(name, "make", made);
      log.Result(name, "tips", tipped);
    }
  }
  DestroyWindow(floorWindow);
}

int RunCase(int argc, wchar_t** argv) {
  if (argc < 8) return 2;
  const std::wstring kindKey = argv[2];
  const int items = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
  const int runs = static_cast<int>(std::wcstol(argv[4], nullptr, 10));
  const std::wstring floorOps = argv[5];
  const std::wstring toolkitOps = argv[6];
  TCaseLog log(argv[7]);
  StartToolkit();
  if (kindKey == L"toolbar") {
    RunToolBarCase(runs, log);
    return 0;
  }
  for (const TKindName& kind : kKinds) {
    if (kindKey != Widen(kind.key)) continue;
    RunListCase(kind.kind, items, runs, ParseOperations({floorOps.begin(), floorOps.end()}),
                ParseOperations({toolkitOps.begin(), toolkitOps.end()}), log);
    return 0;
  }
  return 2;
}

// ---- the whole run: every case in a child process ----

struct TSideResult {
  std::vector<double> seconds;
  double stoppedAfter = 0;  // seconds a run had taken when its case was stopped; 0 none
  std::string skipped;      // why the side was not run, or empty
  double Median() const { return bench::Median(seconds); }
  bool Measured() const { return !seconds.empty(); }
};

struct TResult {
  TSideResult floor;
  TSideResult toolkit;
};

// One case's results: by operation key ("fill", ..., "make", "tips"), and its notes.
struct TCaseResult {
  std::map<std::string, TResult> operations;
  std::vector<std::string> notes;
};

std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::wstring LogPath() {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"gadget_bench_case.txt";
}

TSideResult& SideOf(TResult& result, const std::string& side) {
  return side == "floor" ? result.floor : result.toolkit;
}

// Reads the child's log; a run begun but not finished by `stoppedAt` counts as stopped.
void ReadLog(const std::wstring& path, double stoppedAt, TCaseResult& result) {
  FILE* file = _wfopen(path.c_str(), L"r");
  if (!file) return;
  char buffer[256];
  std::string openSide, openOperation;
  double openedAt = 0;
  while (std::fgets(buffer, sizeof buffer, file)) {
    std::string line(buffer);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    std::istringstream words(line);
    std::string first, second;
    words >> first;
    if (first == "note") {
      const std::string note = line.substr(5);
      if (std::find(result.notes.begin(), result.notes.end(), note) == result.notes.end()) {
        result.notes.push_back(note);
      }
      continue;
    }
    words >> second;
    if (first == "begin") {
      openSide = second;
      words >> openOperation >> openedAt;
      continue;
    }
    double seconds = 0;
    words >> seconds;
    SideOf(result.operations[second], first).seconds.push_back(seconds);
    openSide.clear();
  }
  std::fclose(file);
  if (!openSide.empty() && stoppedAt > 0) {
    SideOf(result.operations[openOperation], openSide).stoppedAfter = Seconds(stoppedAt - openedAt);
    result.notes.push_back("stopped at the case's time limit");
  }
}

// Runs one case in a child process and reads what it measured into `result`.
void RunChild(const std::string& kind, int items, int runs, const std::string& floorOps,
              const std::string& toolkitOps, TCaseResult& result) {
  const std::wstring log = LogPath();
  DeleteFileW(log.c_str());
  std::wstring command = L"\"" + OwnPath() + L"\" --case " + Widen(kind) + L" " +
                         std::to_wstring(items) + L" " + std::to_wstring(runs) + L" " +
                         Widen(floorOps) + L" " + Widen(toolkitOps) + L" \"" + log + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info)) {
    result.notes.push_back("could not start the case");
    return;
  }
  double stoppedAt = 0;
  if (WaitForSingleObject(info.hProcess, kCaseTimeoutMs) == WAIT_TIMEOUT) {
    stoppedAt = Ticks();
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, 10000);
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  ReadLog(log, stoppedAt, result);
  DeleteFileW(log.c_str());
}

int RunsFor(int items) {
  return items <= 1000 ? 7 : items <= 10000 ? 5 : 3;
}

// One run of a side at ten times `previous`'s items, judged from its growth so far
// (taken as at least linear).
double Projected(const TSideResult& previous, const TSideResult* beforeThat) {
  const double last = previous.Measured() ? previous.Median() : previous.stoppedAfter;
  double growth = 10;
  if (beforeThat && beforeThat->Measured() && previous.Measured() && beforeThat->Median() > 0) {
    growth = std::max(growth, previous.Median() / beforeThat->Median());
  }
  return last * growth;
}

// Why a side is not run at this size, judged from the two smaller ones; empty to run it.
std::string ReasonToSkip(const TSideResult* previous, const TSideResult* beforeThat) {
  if (!previous) return {};
  if (!previous->skipped.empty()) return "not run at fewer items";
  if (!previous->Measured() && previous->stoppedAfter == 0) return "no result at fewer items";
  const double projected = Projected(*previous, beforeThat);
  if (projected <= kRunLimit && previous->Measured()) return {};
  char text[80];
  std::snprintf(text, sizeof text, "projected %.0f s a run", projected);
  return text;
}

std::string Milliseconds(const TSideResult& side) {
  char text[64];
  if (side.Measured()) {
    std::snprintf(text, sizeof text, "%10.1f", side.Median() * 1e3);
  } else if (side.stoppedAfter > 0) {
    std::snprintf(text, sizeof text, ">%7.0f s", side.stoppedAfter);
  } else {
    std::snprintf(text, sizeof text, "%10s", "-");
  }
  return text;
}

struct TTally {
  int met = 0;
  int missed = 0;
  int floorBound = 0;  // growth goals missed where the floor grows beyond the goal too
};

// The growth of a side from `before` to `now`, marked where it exceeds the goal.
std::string Growth(const TSideResult& now, const TSideResult* before, const char* mark) {
  char text[32];
  if (!before || !now.Measured() || !before->Measured() || before->Median() <= 0) {
    std::snprintf(text, sizeof text, "%7s", "");
    return text;
  }
  const double growth = now.Median() / before->Median();
  std::snprintf(text, sizeof text, "%6.1f%s", growth, growth > kGrowthGoal ? mark : " ");
  return text;
}

void PrintHeader() {
  std::printf("%-32s %7s %10s %10s %6s %7s %7s\n", "operation", "items", "floor ms", "toolkit ms",
              "ratio", "floor", "toolkit");
  std::printf("%-32s %7s %10s %10s %6s %15s\n", "", "", "", "", "", "growth from 1/10");
}

void PrintRow(const std::string& title, int items, const TResult& result, const TResult* before,
              TTally& tally) {
  std::string ratio = "     -";
  if (result.floor.Measured() && result.toolkit.Measured() && result.floor.Median() > 0) {
    const double value = result.toolkit.Median() / result.floor.Median();
    char text[32];
    std::snprintf(text, sizeof text, "%5.2f%s", value, value > kRatioGoal ? "!" : " ");
    ratio = text;
    value <= kRatioGoal ? ++tally.met : ++tally.missed;
  }
  const TSideResult* floorBefore = before ? &before->floor : nullptr;
  const TSideResult* toolkitBefore = before ? &before->toolkit : nullptr;
  if (toolkitBefore && result.toolkit.Measured() && toolkitBefore->Measured()) {
    const bool met = result.toolkit.Median() / toolkitBefore->Median() <= kGrowthGoal;
    met ? ++tally.met : ++tally.missed;
    const bool floorToo = result.floor.Measured() && floorBefore->Measured() &&
                          result.floor.Median() / floorBefore->Median() > kGrowthGoal;
    if (!met && floorToo) ++tally.floorBound;
  }
  std::printf("%-32s %7d %s %s %s %s %s", title.c_str(), items, Milliseconds(result.floor).c_str(),
              Milliseconds(result.toolkit).c_str(), ratio.c_str(),
              Growth(result.floor, floorBefore, "*").c_str(),
              Growth(result.toolkit, toolkitBefore, "!").c_str());
  for (const TSideResult* side : {&result.floor, &result.toolkit}) {
    if (side->skipped.empty()) continue;
    std::printf("  [%s: %s]", side == &result.floor ? "floor" : "toolkit", side->skipped.c_str());
  }
  std::printf("\n");
}

// Sizes dropped for an operation because Wine's control alone is that slow there, as
// measured: they would take minutes of the run and show only the floor.
struct TCap {
  TGadgetKind kind;
  TOperation op;
  int items;
  const char* why;
};
constexpr TCap kCaps[] = {
    {TGadgetKind::ComboBox, kRemoveFront, 100000,
     "the floor alone took 74 s (38 times its time at 10,000 items)"},
    {TGadgetKind::TreeView, kRemoveFront, 100000,
     "the floor alone took 14 s, 72 times its time at 10,000 items"},
    {TGadgetKind::TreeView, kAddSelect, 100000,
     "the floor alone took 25 s, 30 times its time at 10,000 items"},
};

const TCap* CapOf(TGadgetKind kind, int op, int items) {
  for (const TCap& cap : kCaps) {
    if (cap.kind == kind && cap.op == op && cap.items == items) return &cap;
  }
  return nullptr;
}

// Which operations each side runs at this size, from the results at the smaller ones.
void ChooseOperations(TGadgetKind kind, int items, const std::vector<TCaseResult>& smaller,
                      TCaseResult& next, TOperationSet& floorOps, TOperationSet& toolkitOps) {
  for (int op = 0; op < kOperationCount; ++op) {
    const std::string key = kOperationKeys[op];
    TResult& result = next.operations[key];
    if (const TCap* cap = CapOf(kind, op, items)) {
      result.floor.skipped = "size dropped";
      result.toolkit.skipped = "size dropped";
      next.notes.push_back(std::string(kOperationTitles[op]) + " not run: " + cap->why);
      continue;
    }
    const TResult* previous = nullptr;
    const TResult* beforeThat = nullptr;
    if (!smaller.empty()) previous = &smaller.back().operations.at(key);
    if (smaller.size() >= 2) beforeThat = &smaller[smaller.size() - 2].operations.at(key);
    result.floor.skipped = ReasonToSkip(previous ? &previous->floor : nullptr,
                                        beforeThat ? &beforeThat->floor : nullptr);
    result.toolkit.skipped = ReasonToSkip(previous ? &previous->toolkit : nullptr,
                                          beforeThat ? &beforeThat->toolkit : nullptr);
    if (!result.floor.skipped.empty()) result.toolkit.skipped = "size dropped: floor too slow";
    floorOps[static_cast<size_t>(op)] = result.floor.skipped.empty();
    toolkitOps[static_cast<size_t>(op)] = result.toolkit.skipped.empty();
  }
}

void RunKind(const TKindName& kind, TTally& tally) {
  std::vector<TCaseResult> results;
  for (int items : kSizes) {
    TCaseResult result;
    TOperationSet floorOps{};
    TOperationSet toolkitOps{};
    ChooseOperations(kind.kind, items, results, result, floorOps, toolkitOps);
    if (std::any_of(floorOps.begin(), floorOps.end(), [](bool on) { return on; })) {
      RunChild(kind.key, items, RunsFor(items), OperationList(floorOps), OperationList(toolkitOps),
               result);
    }
    results.push_back(std::move(result));
  }
  for (TOperation op : kTableOrder) {
    const std::string title = std::string(kind.title) + ", " + kOperationTitles[op];
    for (size_t size = 0; size < results.size(); ++size) {
      const TResult* before = size ? &results[size - 1].operations.at(kOperationKeys[op]) : nullptr;
      PrintRow(title, kSizes[size], results[size].operations.at(kOperationKeys[op]), before, tally);
    }
  }
  for (size_t size = 0; size < results.size(); ++size) {
    for (const std::string& note : results[size].notes) {
      std::printf("    note (%d items): %s\n", kSizes[size], note.c_str());
    }
  }
  std::fflush(stdout);
}

void RunToolBar(TTally& tally) {
  TCaseResult result;
  RunChild("toolbar", kToolBarButtons, kToolBarRuns, "-", "-", result);
  PrintRow("tool bar, 40 buttons from a strip", kToolBarButtons, result.operations["make"], nullptr,
           tally);
  PrintRow("tool bar, their 40 tips", kToolBarButtons, result.operations["tips"], nullptr, tally);
  for (const std::string& note : result.notes) std::printf("    note: %s\n", note.c_str());
}

int RunAll() {
  std::printf(
      "medians of interleaved runs, each until painted; ratio = toolkit / floor (goal <= %.1f);\n"
      "growth = time over the time at a tenth of the items (toolkit goal <= %.0f);\n"
      "! marks a goal missed, * a floor that grows beyond the goal itself\n",
      kRatioGoal, kGrowthGoal);
  PrintHeader();
  TTally tally;
  for (const TKindName& kind : kKinds) RunKind(kind, tally);
  RunToolBar(tally);
  std::printf("goals met: %d, missed: %d (of these, %d growths where the floor grows as much)\n",
              tally.met, tally.missed, tally.floorBound);
  return 0;
}

}  // namespace
}  // namespace bench

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wstring(argv[1]) == L"--case") return bench::RunCase(argc, argv);
  return bench::RunAll();
}
