// The driver's modal dialogs (message boxes, file and folder requesters) and the shell's
// open operation. Each dialog gives the keyboard focus back to where it was.
// <windows.h> before the headers that build on it.
#include "system/win32/windows_api.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/error.h"
#include "runtime/text.h"
#include "system/driver_logic.h"
#include "system/win32/win32_system_driver.h"

namespace quardeln {
namespace {

constexpr DWORD kPathBufferSize = 4096;

class FocusKeeper {
 public:
  FocusKeeper() : saved_(GetFocus()) {}
  ~FocusKeeper() { SetFocus(saved_); }
  FocusKeeper(const FocusKeeper&) = delete;
  FocusKeeper& operator=(const FocusKeeper&) = delete;

 private:
  HWND saved_;
};

int ShowMessageBox(const std::u16string& title, const std::u16string& text, MessageKind kind,
                   int32_t serious) {
  std::string body = ToAnsi(text);
  std::string caption = ToAnsi(title);
  FocusKeeper focus;
  return MessageBoxA(GetActiveWindow(), body.c_str(), caption.c_str(),
                     MessageBoxStyle(kind, serious));
}

// An absent text for an empty one, so the system uses its own default (titles excepted:
// they are passed as given, an empty title being an empty caption).
const char* OrNull(const std::string& text) {
  return text.empty() ? nullptr : text.c_str();
}

// The initial file name in a zeroed buffer of the size the dialog may fill; a name too
// long for it is cut rather than overrun.
std::vector<char> FileBuffer(const std::u16string& name) {
  std::vector<char> buffer(kPathBufferSize, '\0');
  std::string native = ToAnsi(name);
  std::copy_n(native.begin(), std::min<size_t>(native.size(), kPathBufferSize - 1), buffer.begin());
  return buffer;
}

std::string FullPath(const std::u16string& path) {
  std::string native = ToAnsi(BackslashPath(path));
  std::vector<char> buffer(kPathBufferSize, '\0');
  DWORD length = GetFullPathNameA(native.c_str(), kPathBufferSize, buffer.data(), nullptr);
  if (length == 0 || length >= kPathBufferSize) return {};
  return std::string(buffer.data(), length);
}

// Selects the initial folder once the dialog is up and shows each chosen folder's path.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data) {
  if (message == BFFM_INITIALIZED) {
    const auto* initial = reinterpret_cast<const char*>(data);
    if (initial && *initial) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
  } else if (message == BFFM_SELCHANGED) {
    char path[kPathBufferSize] = {};
    if (SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path)) {
      SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    }
  }
  return 0;
}

}  // namespace

int32_t TWin32SystemDriver::Notify(const std::u16string& text, int32_t serious) {
  return ShowMessage(MessageKind::Notify, ApplicationTitle(), text, serious);
}

int32_t TWin32SystemDriver::Confirm(const std::u16string& text, int32_t serious) {
  return ShowMessage(MessageKind::Confirm, ApplicationTitle(), text, serious);
}

int32_t TWin32SystemDriver::Proceed(const std::u16string& text, int32_t serious) {
  return ShowMessage(MessageKind::Proceed, ApplicationTitle(), text, serious);
}

int32_t TWin32SystemDriver::ShowMessage(MessageKind kind, const std::u16string& title,
                                        const std::u16string& text, int32_t serious) {
  const int button = ShowMessageBox(title, text, kind, serious);
  if (kind == MessageKind::Confirm) return ConfirmAnswer(button);
  if (kind == MessageKind::Proceed) return ProceedAnswer(button);
  return 0;
}

std::u16string TWin32SystemDriver::RequestFile(const std::u16string& title,
                                               const std::u16string& filter, int32_t save,
                                               const std::u16string& path) {
  RequestPath start = SplitRequestPath(path);
  std::string nativeTitle = ToAnsi(title);
  std::string nativeFilter = NativeFilterString(filter);
  std::string directory = ToAnsi(start.directory);
  std::vector<char> buffer = FileBuffer(start.name);

  OPENFILENAMEA dialog{};
  // The classic structure without the later fields, as the 32-bit size 76 was.
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  dialog.hwndOwner = nullptr;
  dialog.lpstrFilter = OrNull(nativeFilter);
  dialog.nFilterIndex = static_cast<DWORD>(InitialFilterIndex(filter, path));
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = kPathBufferSize;
  dialog.lpstrInitialDir = OrNull(directory);
  dialog.lpstrTitle = nativeTitle.c_str();
  dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (save) {
    dialog.Flags |= OFN_OVERWRITEPROMPT;
    dialog.lpstrDefExt = "";  // empty, not absent: the chosen filter's extension is added
  } else {
    dialog.Flags |= OFN_FILEMUSTEXIST;
  }
  FocusKeeper focus;
  BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
  if (!chosen) return {};
  buffer.back() = '\0';
  return FromAnsi(buffer.data());
}

std::u16string TWin32SystemDriver::RequestDir(const std::u16string& title,
                                              const std::u16string& path) {
  std::string initial = FullPath(path);
  std::string nativeTitle = ToAnsi(title);
  BROWSEINFOA browse{};
  browse.hwndOwner = nullptr;
  browse.lpszTitle = nativeTitle.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  browse.lpfn = &BrowseCallback;
  browse.lParam = reinterpret_cast<LPARAM>(initial.c_str());

  PIDLIST_ABSOLUTE chosen = nullptr;
  {
    FocusKeeper focus;
    chosen = SHBrowseForFolderA(&browse);
  }
  if (!chosen) return {};
  std::vector<char> buffer(kPathBufferSize, '\0');
  BOOL found = SHGetPathFromIDListA(chosen, buffer.data());
  CoTaskMemFree(chosen);
  if (!found) return {};
  return FromAnsi(buffer.data());
}

// The shell's answer is not reported: a link it cannot open is dropped.
int32_t TWin32SystemDriver::OpenURL(const std::u16string& url) {
  std::string target = ToAnsi(url);
  ShellExecuteA(nullptr, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
  return 0;
}

}  // namespace quardeln
