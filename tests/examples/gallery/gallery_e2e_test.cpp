// quardeln-gallery.exe driven from outside as a user would, with real mouse and keyboard
// input, in one walk through one program start: a list item, a branch of the tree, typing
// into the editable combo box, a tab, a menu shortcut, each checked through the status
// bar's text; then the close box ends the program with exit code 0.
#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "tempra_driver.h"
#include "tests/gui/win32/real_input.h"

namespace gallery::e2e {
namespace {

using quardeln::test::KeyInput;
using quardeln::test::RealMouse;
using tempra::e2e::Ask;
using tempra::e2e::ClassName;
using tempra::e2e::Descendants;
using tempra::e2e::Environment;
using tempra::e2e::kActionDeadlineMs;
using tempra::e2e::kStartDeadlineMs;
using tempra::e2e::WaitUntil;
using tempra::e2e::WindowsPath;
using tempra::e2e::WindowText;

constexpr wchar_t kTitle[] = L"Quardeln Gallery";

// The gallery's process, killed when the test leaves it running.
class GalleryProcess {
 public:
  GalleryProcess() {
    const std::wstring exe = WindowsPath(Environment(L"GALLERY_EXE"));
    if (exe.empty()) {
      ADD_FAILURE() << "GALLERY_EXE is not set";
      return;
    }
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_)) {
      ADD_FAILURE() << "cannot start the gallery, error " << GetLastError();
      return;
    }
    WaitUntil([&] { return (main_ = FindMain()) != nullptr || !Running(); }, kStartDeadlineMs);
    if (!main_) ADD_FAILURE() << "the gallery's window did not appear";
  }
  ~GalleryProcess() {
    if (!info_.hProcess) return;
    if (Running()) {
      TerminateProcess(info_.hProcess, 99);
      WaitForSingleObject(info_.hProcess, 10000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  GalleryProcess(const GalleryProcess&) = delete;
  GalleryProcess& operator=(const GalleryProcess&) = delete;

  HWND Main() const { return main_; }
  HANDLE Handle() const { return info_.hProcess; }
  bool Running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
  }
  // The exit code once the process has ended within the deadline; STILL_ACTIVE if not.
  DWORD WaitForExit() const {
    if (WaitForSingleObject(info_.hProcess, kActionDeadlineMs) != WAIT_OBJECT_0)
      return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }

 private:
  struct Search {
    DWORD process;
    HWND found;
  };
  static BOOL CALLBACK Match(HWND window, LPARAM search) {
    auto& s = *reinterpret_cast<Search*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != s.process || !IsWindowVisible(window) || WindowText(window) != kTitle) return TRUE;
    s.found = window;
    return FALSE;
  }
  HWND FindMain() const {
    Search search{info_.dwProcessId, nullptr};
    EnumWindows(&Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
};

std::vector<HWND> OfClass(HWND parent, const wchar_t* className) {
  std::vector<HWND> found;
  for (HWND child : Descendants(parent)) {
    if (_wcsicmp(ClassName(child).c_str(), className) == 0) found.push_back(child);
  }
  return found;
}

HWND FirstOfClass(HWND parent, const wchar_t* className) {
  const std::vector<HWND> found = OfClass(parent, className);
  return found.empty() ? nullptr : found.front();
}

// The item-rectangle messages of the common controls write through a pointer, which
// another process can only give as an address of the program's own memory: the
// rectangle travels through a block allocated there.
RECT AskRect(HANDLE process, HWND control, UINT message, WPARAM wParam, const RECT& given) {
  RECT rect = given;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  if (!remote) return RECT{};
  WriteProcessMemory(process, remote, &rect, sizeof(rect), nullptr);
  Ask(control, message, wParam, reinterpret_cast<LPARAM>(remote));
  ReadProcessMemory(process, remote, &rect, sizeof(rect), nullptr);
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return rect;
}

POINT Centre(const RECT& rect) {
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT CentreOfWindow(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return Centre(rect);
}

// Real key strokes: the modifiers held while each key is pressed and released in turn.
void Keys(std::initializer_list<WORD> keys, std::initializer_list<WORD> held = {}) {
  std::vector<INPUT> inputs;
  for (WORD modifier : held) inputs.push_back(KeyInput(modifier, false));
  for (WORD key : keys) {
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
  }
  for (WORD modifier : held) inputs.push_back(KeyInput(modifier, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

class GalleryWalk : public ::testing::Test {
 protected:
  // Waits until the status bar shows `text` somewhere in it; false, with the status in
  // the failure message, when it does not in time.
  ::testing::AssertionResult StatusShows(const std::wstring& text) {
    if (WaitUntil([&] { return WindowText(status_).find(text) != std::wstring::npos; })) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "the status bar shows " << ::testing::PrintToString(WindowText(status_)) << ", not "
           << ::testing::PrintToString(text);
  }

  HWND status_ = nullptr;
};

TEST_F(GalleryWalk, EachUserActionShowsAsItsEventAndTheCloseBoxEndsTheProgram) {
  GalleryProcess gallery;
  HWND main = gallery.Main();
  ASSERT_TRUE(main);
  status_ = FirstOfClass(main, STATUSCLASSNAMEW);
  HWND list = FirstOfClass(main, WC_LISTVIEWW);
  HWND tree = FirstOfClass(main, WC_TREEVIEWW);
  HWND tabs = FirstOfClass(main, WC_TABCONTROLW);
  HWND comboEdit = nullptr;
  for (HWND combo : OfClass(main, WC_COMBOBOXEXW)) {
    if (HWND edit = FirstOfClass(combo, WC_EDITW)) comboEdit = edit;
  }
  HWND notes = FirstOfClass(main, L"RichEdit20W");
  ASSERT_TRUE(status_ && list && tree && tabs && comboEdit && notes)
      << "status bar, list box, tree view, tabber, editable combo box and text area";
  // In front, so that the keys reach it.
  SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetForegroundWindow(main);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; })) << "not in front";

  // The third item of the list box, "Letter.txt".
  RECT item{};
  item.left = LVIR_LABEL;
  RealMouse(list, Centre(AskRect(gallery.Handle(), list, LVM_GETITEMRECT, 2, item)));
  EXPECT_TRUE(
      StatusShows(L"list box: GadgetSelect: data=2, mods=0, x=0, y=0, extra=\"Letter.txt\""));

  // The first branch of the tree, chosen with the mouse and opened with the arrow key.
  const auto root = static_cast<LPARAM>(Ask(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  RECT branch{};  // the control reads the item from the rectangle's first bytes
  std::memcpy(&branch, &root, sizeof(root));
  RealMouse(tree, Centre(AskRect(gallery.Handle(), tree, TVM_GETITEMRECT, TRUE, branch)));
  EXPECT_TRUE(StatusShows(L"tree view (Containers): GadgetSelect"));
  Keys({VK_RIGHT});
  EXPECT_TRUE(StatusShows(L"tree view (Containers): GadgetOpen: data=0"));

  // Typing into the editable combo box: every change is an action without a chosen item.
  RealMouse(comboEdit, CentreOfWindow(comboEdit));
  Keys({'H', 'I'});
  EXPECT_TRUE(WaitUntil([&] { return WindowText(comboEdit) == L"hi"; }))
      << "the combo box shows " << ::testing::PrintToString(WindowText(comboEdit));
  EXPECT_TRUE(StatusShows(L"editable combo box: GadgetAction: data=-1"));

  // The second tab shows its page and hides the first.
  RealMouse(tabs, Centre(AskRect(gallery.Handle(), tabs, TCM_GETITEMRECT, 1, RECT{})));
  EXPECT_TRUE(StatusShows(L"tabber: GadgetAction: data=1, mods=0, x=0, y=0, extra=\"Text\""));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(notes) && !IsWindowVisible(list); }))
      << "the Text page is not the one shown";

  // Ctrl+N, the shortcut of File > New, which empties the Text page's form.
  HWND nameField = nullptr;
  for (HWND edit : OfClass(main, WC_EDITW)) {
    if (WindowText(edit) == L"Ada") nameField = edit;
  }
  ASSERT_TRUE(nameField) << "the user name field";
  Keys({'N'}, {VK_CONTROL});
  EXPECT_TRUE(StatusShows(L"File > New: MenuAction: data=1, mods=0"));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(nameField).empty(); }))
      << "the user name field still shows " << ::testing::PrintToString(WindowText(nameField));

  PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(gallery.WaitForExit(), 0u);
}

}  // namespace
}  // namespace gallery::e2e
