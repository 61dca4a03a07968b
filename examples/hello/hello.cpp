// Hello: a window with one button, and the main loop. The program ends when the window is
// closed or the button pressed; started with a number of milliseconds (`hello 500`) it also
// ends by itself after that long, through a timer. On the windowless drivers nobody can
// press the button, so the program presses it itself.
#include <cstdio>
#include <cstdlib>

#include "gui/quardeln.h"
#ifdef HELLO_HEADLESS
#include "gui/headless/user_actions.h"
#endif

using namespace quardeln;

namespace {

// The timer that ends the program after the milliseconds given on the command line; null
// without them.
TimerRef EndTimer(int argc, char** argv) {
  const long ms = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;
  if (ms <= 0) return nullptr;
  return NewTimer(1000.0f / static_cast<float>(ms));
}

}  // namespace

int main(int argc, char** argv) {
  StartQuardeln();
  GadgetRef window = NewWindow(u"Hello", 0, 0, 260, 120, nullptr,
                               WINDOW_TITLEBAR | WINDOW_CLIENTCOORDS | WINDOW_CENTER);
  GadgetRef button = NewButton(u"Goodbye", 80, 46, 100, 28, window);
  TimerRef timer = EndTimer(argc, argv);
#ifdef HELLO_HEADLESS
  UserPressButton(button);
#endif

  const char* reason = nullptr;
  while (!reason) {
    const int32_t id = AwaitEvent();
    const ObjectRef source = ActiveEventSource();
    if (id == WindowClose) reason = "the window was closed";
    if (id == GadgetAction && source == button) reason = "the button was pressed";
    if (id == TimerTick && source == timer) reason = "its time was up";
  }
  std::printf("hello: ended because %s\n", reason);

  HaltTimer(timer);    // a running timer keeps itself alive until stopped
  GadgetFree(window);  // the button goes with its window
  PumpSystemEvents();  // lets the platform finish what the removal set off
  return 0;
}
