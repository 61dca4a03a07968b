// Countdown: a list of tasks and a countdown for the chosen one. Type a task and press
// Enter (or "Add"), choose one and press "Start": the bar empties over the countdown's
// seconds, and when it is empty the task leaves the list and a message box says so. The
// menu does the same with shortcuts. `countdown 5` counts 5 seconds instead of 10;
// `countdown 1 --demo` plays a short script of a user's actions, prints what happened
// and ends, which is how the example runs unattended.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gui/quardeln.h"

using namespace quardeln;

namespace {

enum MenuTag : int32_t { kNewTask = 1, kRemove, kStart, kQuit, kAbout };

constexpr float kTicksPerSecond = 10.0f;  // the bar moves ten times a second
constexpr int32_t kWidth = 360;           // the client area, grown by the user at will
constexpr int32_t kHeight = 250;

struct Program {
  GadgetRef window, field, add, list, remove, start, bar;
  GadgetRef removeItem, startItem;  // menu items, enabled with their buttons
  TimerRef timer;                   // while a countdown runs
  std::u16string running;           // the task counted down
  int32_t seconds = 10;
  bool demo = false;
  int32_t demoStep = 0;  // the user event that plays the demo's next step
  const char* ended = nullptr;
};

void Say(const Program& program, const std::u16string& text) {
  if (program.demo) std::printf("countdown: %s\n", ToUtf8(text).c_str());
}

void BuildMenu(Program& p) {
  GadgetRef root = WindowGetMenu(p.window);
  GadgetRef file = NewMenu(u"&File", 0, root);
  NewMenu(u"&New task", kNewTask, file, 'N', ModControl);
  p.removeItem = NewMenu(u"&Remove", kRemove, file, 'D', ModControl);
  p.startItem = NewMenu(u"&Start", kStart, file, KEY_F5);
  NewMenu(u"&Quit", kQuit, file, 'Q', ModControl);
  GadgetRef help = NewMenu(u"&Help", 0, root);
  NewMenu(u"&About", kAbout, help, KEY_F1);
  WindowUpdateMenu(p.window);
}

void Build(Program& p) {
  p.window = NewWindow(u"Countdown", 0, 0, kWidth, kHeight, nullptr,
                       WINDOW_TITLEBAR | WINDOW_RESIZABLE | WINDOW_MENU | WINDOW_STATUS |
                           WINDOW_CLIENTCOORDS | WINDOW_CENTER);
  NewLabel(u"Task:", 10, 14, 40, 20, p.window);
  p.field = NewTextField(54, 10, 198, 24, p.window);
  // BUTTON_OK: Enter in the field presses it.
  p.add = NewButton(u"Add", 262, 10, 88, 26, p.window, BUTTON_OK | BUTTON_DEFAULT);
  p.list = NewListBox(10, 44, 242, 160, p.window);
  p.remove = NewButton(u"Remove", 262, 44, 88, 26, p.window);
  p.start = NewButton(u"Start", 262, 76, 88, 26, p.window);
  p.bar = NewProgressBar(10, 214, 340, 20, p.window);

  // The list grows with the window; the buttons keep to its right edge, the bar to its
  // bottom.
  GadgetSetLayout(p.field, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_CENTRE);
  GadgetSetLayout(p.list, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
  for (const GadgetRef& button : {p.add, p.remove, p.start}) {
    GadgetSetLayout(button, LOCK_CENTRE, LOCK_EDGE, LOCK_EDGE, LOCK_CENTRE);
  }
  GadgetSetLayout(p.bar, LOCK_EDGE, LOCK_EDGE, LOCK_CENTRE, LOCK_EDGE);
  WindowSetMinSize(p.window, kWidth, kHeight);  // the client area: the window has it
  GadgetSetTip(p.start, u"Count the chosen task down (F5)");
  BuildMenu(p);
}

// What can be done now: remove and start need a chosen task and no countdown running.
void UpdateCommands(const Program& p) {
  const bool chosen = GadgetSelectedItem(p.list) >= 0 && !p.timer;
  for (const GadgetRef& g : {p.remove, p.start}) chosen ? GadgetEnable(g) : GadgetDisable(g);
  // Enabling shows at once; WindowUpdateMenu is for items added or removed.
  for (const GadgetRef& m : {p.removeItem, p.startItem}) chosen ? MenuEnable(m) : MenuDisable(m);
  if (!p.timer) WindowSetStatus(p.window, IntText(GadgetItemCount(p.list)) + u" tasks");
}

void AddTask(Program& p) {
  const std::u16string task = GadgetGetText(p.field);
  if (task.empty()) return;
  GadgetAddItem(p.list, task, ITEMFLAG_PRESELECT);
  GadgetSetText(p.field, u"");
  GadgetFocus(p.field);
  Say(p, u"added " + task);
}

void RemoveTask(Program& p) {
  const int32_t chosen = GadgetSelectedItem(p.list);
  if (chosen < 0 || p.timer) return;
  Say(p, u"removed " + GadgetGetItemText(p.list, chosen));
  GadgetRemoveItem(p.list, chosen);
}

void StartCountdown(Program& p) {
  const int32_t chosen = GadgetSelectedItem(p.list);
  if (chosen < 0 || p.timer) return;
  p.timer = NewTimer(kTicksPerSecond);
  if (!p.timer) {
    NotifyTitled(u"Countdown", u"No timer is free; try again later.", 1);
    return;
  }
  p.running = GadgetGetItemText(p.list, chosen);
  ProgressBarSetValue(p.bar, 1.0f);
  Say(p, u"counting down " + p.running);
}

// The countdown is done: the task leaves the list, the user hears of it.
void FinishCountdown(Program& p) {
  HaltTimer(p.timer);  // a running timer keeps itself alive until stopped
  p.timer = nullptr;
  for (int32_t i = GadgetItemCount(p.list) - 1; i >= 0; --i) {
    if (GadgetGetItemText(p.list, i) == p.running) GadgetRemoveItem(p.list, i);
  }
  ProgressBarSetValue(p.bar, 0.0f);
  if (p.demo) {
    Say(p, p.running + u" is done");
    p.ended = "the demo was over";
  } else {
    // Modal: while it is open this loop stands still, and so does the bar.
    NotifyTitled(u"Countdown", p.running + u": time is up.");
  }
}

// A tick carries the timer's tick count, the latest one when ticks were merged.
void OnTick(Program& p, int32_t ticks) {
  const float total = kTicksPerSecond * static_cast<float>(p.seconds);
  const float left = 1.0f - static_cast<float>(ticks) / total;
  ProgressBarSetValue(p.bar, left);
  const auto secondsLeft = static_cast<int64_t>(std::ceil(left * static_cast<float>(p.seconds)));
  WindowSetStatus(p.window, p.running + u": " + IntText(secondsLeft) + u" s left");
  if (left <= 0.0f) FinishCountdown(p);
}

void OnCommand(Program& p, int32_t command) {
  switch (command) {
    case kNewTask:
      GadgetFocus(p.field);
      break;
    case kRemove:
      RemoveTask(p);
      break;
    case kStart:
      StartCountdown(p);
      break;
    case kQuit:
      p.ended = "Quit was chosen";
      break;
    case kAbout:
      NotifyTitled(u"About Countdown", u"A list of tasks, each counted down in turn.");
      break;
    default:
      break;
  }
}

// One step of the demo, as a user would take it; the next step is queued after the
// events of this one, so each is handled before the next begins.
void PlayDemoStep(Program& p, int32_t step) {
  switch (step) {
    case 0:
      GadgetSetText(p.field, u"Tea");
      SendEvent(MakeEvent(GadgetAction, p.add));  // a click on Add
      break;
    case 1:
      GadgetSetText(p.field, u"Walk the dog");
      SendEvent(MakeEvent(GadgetAction, p.add));
      break;
    case 2:
      SendEvent(MakeEvent(MenuAction, p.removeItem, kRemove));  // Ctrl+D
      break;
    case 3:
      GadgetSelectItem(p.list, 0);
      SendEvent(MakeEvent(MenuAction, p.startItem, kStart));  // F5
      return;                                                 // the countdown ends the demo
    default:
      return;
  }
  SendEvent(MakeEvent(p.demoStep, nullptr, step + 1));
}

// Takes one event and acts on it.
void Handle(Program& p) {
  const int32_t id = AwaitEvent();
  const ObjectRef source = ActiveEventSource();
  if (p.demo && id != p.demoStep) Say(p, ActiveEvent->Describe());
  if (id == p.demoStep) {
    PlayDemoStep(p, ActiveEventData());
  } else if (id == WindowClose) {
    p.ended = "the window was closed";
  } else if (id == MenuAction) {
    OnCommand(p, ActiveEventData());
  } else if (id == TimerTick && source == p.timer) {
    OnTick(p, ActiveEventData());
  } else if (id == GadgetAction && source == p.add) {
    AddTask(p);
  } else if (id == GadgetAction && source == p.remove) {
    RemoveTask(p);
  } else if ((id == GadgetAction && source == p.start) ||
             (id == GadgetAction && source == p.list)) {  // a double click starts too
    StartCountdown(p);
  }
  UpdateCommands(p);
}

void ReadArguments(Program& p, int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--demo") == 0) {
      p.demo = true;
    } else if (const long seconds = std::strtol(argv[i], nullptr, 10); seconds > 0) {
      p.seconds = static_cast<int32_t>(seconds);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  StartQuardeln();
  Program p;
  ReadArguments(p, argc, argv);
  Build(p);
  UpdateCommands(p);
  GadgetFocus(p.field);
  if (p.demo) {
    p.demoStep = NewUserEventId();
    SendEvent(MakeEvent(p.demoStep, nullptr, 0));
  }

  while (!p.ended) Handle(p);
  std::printf("countdown: ended because %s\n", p.ended);

  HaltTimer(p.timer);    // still running when the program was quit mid-countdown
  GadgetFree(p.window);  // its gadgets and menus go with it
  PumpSystemEvents();
  return 0;
}
