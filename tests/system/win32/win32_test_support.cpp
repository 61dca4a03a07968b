#include "win32_test_support.h"

#include <cstring>

#include "events/hooks.h"
#include "events/queue.h"
#include "runtime/text.h"
#include "system/platform.h"

namespace quardeln::win32test {
namespace {

constexpr const char* kWindowClass = "TempraDriverTestWindow";
constexpr int32_t kRecorderPriority = 100;  // ahead of the queue's hook

class TRecordBox final : public TObject {
 public:
  std::vector<EventRef> events;
};

ObjectRef RecordHook(int32_t, ObjectRef data, const ObjectRef& context) {
  if (auto event = std::dynamic_pointer_cast<TEvent>(data)) {
    static_cast<TRecordBox*>(context.get())->events.push_back(event);
  }
  return data;
}

void RegisterTestClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &DefWindowProcA;  // replaced per window at creation
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.lpszClassName = kWindowClass;
  registered = RegisterClassA(&windowClass) != 0;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  if (std::strcmp(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

EventRecorder::EventRecorder() : box_(std::make_shared<TRecordBox>()) {
  InsertHook(EventHookId, &RecordHook, box_, kRecorderPriority);
}

EventRecorder::~EventRecorder() {
  DeleteHook(EventHookId, &RecordHook, box_);
}

std::vector<EventRef> EventRecorder::Events(std::initializer_list<int32_t> ids) const {
  std::vector<EventRef> chosen;
  for (const auto& event : static_cast<TRecordBox*>(box_.get())->events) {
    bool wanted = ids.size() == 0;
    for (int32_t id : ids) wanted = wanted || event->id == id;
    if (wanted) chosen.push_back(event);
  }
  return chosen;
}

void EventRecorder::Clear() {
  static_cast<TRecordBox*>(box_.get())->events.clear();
}

TestWindow::TestWindow(const std::string& name, RECT where, HWND parent, DWORD style)
    : source_(NewText(FromUtf8(name))) {
  RegisterTestClass();
  if (style == 0) style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW;
  hwnd_ = CreateWindowExA(0, kWindowClass, name.c_str(), style, where.left, where.top,
                          where.right - where.left, where.bottom - where.top, parent, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
}

TestWindow::~TestWindow() {
  if (!hwnd_) return;
  ForgetPointerWindow(hwnd_);
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

int TestWindow::Received(UINT message) const {
  int count = 0;
  for (UINT seen : received_) count += seen == message ? 1 : 0;
  return count;
}

LRESULT CALLBACK TestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self) {
    self->received_.push_back(message);
    try {
      TranslateNativeEvent(window, message, wParam, lParam, self->source_);
    } catch (...) {
      DeferCallbackFailure(std::current_exception());
    }
    if (message == WM_CLOSE) return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void SetKeysDown(std::initializer_list<int> down) {
  BYTE keys[256] = {};
  for (int key : down) keys[key] = 0x80;
  SetKeyboardState(keys);
}

LPARAM KeyLParam(int scan, bool extended, bool repeat, bool release) {
  uint32_t bits = 1u | (static_cast<uint32_t>(scan & 0xFF) << 16);
  if (extended) bits |= 1u << 24;
  if (repeat) bits |= 1u << 30;
  if (release) bits |= 1u << 31;
  return static_cast<LPARAM>(bits);
}

void DrainEvents() {
  PumpSystemEvents();
  while (!EventQueue().Empty()) TakeEvent();
  ActiveEvent = EmptyEvent;
}

void Win32Test::SetUp() {
  StartPlatformSystem();
  SetCursorPos(1250, 1000);
  SetKeysDown({});
  // A modifier key message makes the pump rebuild the modifier bits from the clear state.
  PostThreadMessageA(MainThreadId(), WM_KEYUP, VK_SHIFT, KeyLParam(42, false, true, true));
  DrainEvents();
  ASSERT_EQ(ModifierState(), 0);
}

void Win32Test::TearDown() {
  SetKeysDown({});
  ShowPointer();
  ReleaseCapture();
  DrainEvents();
}

DialogAnswerer::DialogAnswerer(Answer answer, std::chrono::milliseconds deadline)
    : answer_(std::move(answer)),
      mainThread_(MainThreadId()),
      thread_([this, deadline] { Run(deadline); }) {}

DialogAnswerer::~DialogAnswerer() {
  quit_ = true;
  thread_.join();
}

void DialogAnswerer::Run(std::chrono::milliseconds deadline) {
  auto end = std::chrono::steady_clock::now() + deadline;
  while (!quit_ && std::chrono::steady_clock::now() < end) {
    HWND dialog = nullptr;
    EnumThreadWindows(mainThread_, &FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog) {
      answer_(dialog);
      answered_ = true;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void PressDialogButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace quardeln::win32test
