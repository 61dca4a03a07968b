#include "system/driver_logic.h"

#include "runtime/text.h"

namespace quardeln {
namespace {

struct SideKey {
  int32_t scan;
  int32_t code;
};

// Left and right shift, control and alt (VK_LSHIFT 160 ... VK_RMENU 165).
constexpr SideKey kSideKeys[] = {{42, 160},  {54, 161}, {29, 162},
                                 {157, 163}, {56, 164}, {184, 165}};

constexpr int32_t kModifierKeys[] = {16, 17, 18, 91, 92};  // shift, control, alt, Windows keys

constexpr uint32_t kIconInformation = 0x40, kIconWarning = 0x30, kTopmost = 0x40000;
constexpr uint32_t kOk = 0x0, kOkCancel = 0x1, kYesNoCancel = 0x3;
constexpr int32_t kIdOk = 1, kIdYes = 6, kIdNo = 7;

constexpr uintptr_t kButtonLeft = 0x1, kButtonRight = 0x2, kButtonMiddle = 0x10;

std::u16string LowerAscii(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

std::u16string TrimBlanks(const std::u16string& text) {
  size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string::npos) return {};
  return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// The lower-cased extension of the file name, after its last dot; empty when none.
std::u16string FileExtension(const std::u16string& path) {
  std::u16string name = SplitRequestPath(path).name;
  size_t dot = name.rfind(u'.');
  if (dot == std::u16string::npos) return {};
  return LowerAscii(TrimBlanks(name.substr(dot + 1)));
}

bool GroupListsExtension(const std::u16string& group, const std::u16string& extension) {
  size_t colon = group.find(u':');
  std::u16string list = colon == std::u16string::npos ? group : group.substr(colon + 1);
  size_t start = 0;
  for (;;) {
    size_t comma = list.find(u',', start);
    if (TrimBlanks(list.substr(start, comma - start)) == extension) return true;
    if (comma == std::u16string::npos) return false;
    start = comma + 1;
  }
}

}  // namespace

int32_t SideKeyCode(int32_t virtualKey, intptr_t lParam) {
  auto bits = static_cast<uint64_t>(lParam);
  auto scan = static_cast<int32_t>(((bits >> 16) & 0x7F) | (((bits >> 24) & 1) << 7));
  for (const auto& key : kSideKeys) {
    if (key.scan == scan) return key.code;
  }
  return virtualKey;
}

bool IsModifierKeyMessage(uint32_t message, uintptr_t wParam) {
  if (message != kNativeKeyDown && message != kNativeKeyUp && message != kNativeSysKeyDown &&
      message != kNativeSysKeyUp) {
    return false;
  }
  for (int32_t key : kModifierKeys) {
    if (wParam == static_cast<uintptr_t>(key)) return true;
  }
  return false;
}

int32_t ModifierStateFromKeys(const KeyDownQuery& isDown) {
  int32_t mods = 0;
  if (isDown(16)) mods |= 1;
  if (isDown(17)) mods |= 2;
  if (isDown(18)) mods |= 4;
  if (isDown(91) || isDown(92)) mods |= 8;
  return mods;
}

bool IsKeyRepeat(intptr_t lParam) {
  return (static_cast<uint64_t>(lParam) >> 30) & 1;
}

int32_t SignedLowWord(intptr_t value) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint64_t>(value) & 0xFFFF));
}

int32_t SignedHighWord(intptr_t value) {
  return static_cast<int16_t>(static_cast<uint16_t>((static_cast<uint64_t>(value) >> 16) & 0xFFFF));
}

int32_t WheelSteps(uintptr_t wParam) {
  return SignedHighWord(static_cast<intptr_t>(wParam)) / 120;
}

int32_t MouseMoveButton(uintptr_t wParam) {
  int32_t button = 0;
  if (wParam & kButtonLeft) button = 1;
  if (wParam & kButtonMiddle) button = 4;
  if (wParam & kButtonRight) button = 2;
  return button;
}

uint32_t MessageBoxStyle(MessageKind kind, int32_t serious) {
  uint32_t buttons = kind == MessageKind::Notify    ? kOk
                     : kind == MessageKind::Confirm ? kOkCancel
                                                    : kYesNoCancel;
  return kTopmost | (serious ? kIconWarning : kIconInformation) | buttons;
}

int32_t ConfirmAnswer(int32_t button) {
  return button == kIdOk ? 1 : 0;
}

int32_t ProceedAnswer(int32_t button) {
  if (button == kIdYes) return 1;
  if (button == kIdNo) return 0;
  return -1;
}

bool CursorWanted(int32_t mouseShown, bool pointerInWindow) {
  return mouseShown != 0 || !pointerInWindow;
}

bool CursorCountSettled(int32_t count) {
  return count == 0 || count == -1;
}

std::u16string BackslashPath(const std::u16string& path) {
  std::u16string result = path;
  for (char16_t& c : result) {
    if (c == u'/') c = u'\\';
  }
  return result;
}

RequestPath SplitRequestPath(const std::u16string& path) {
  std::u16string native = BackslashPath(path);
  size_t slash = native.rfind(u'\\');
  if (slash == std::u16string::npos) return {u"", native};
  return {native.substr(0, slash), native.substr(slash + 1)};
}

int32_t InitialFilterIndex(const std::u16string& filter, const std::u16string& path) {
  std::u16string extension = FileExtension(path);
  if (extension.empty() || filter.empty()) return 0;
  std::u16string lower = LowerAscii(filter);
  int32_t group = 1;
  size_t start = 0;
  for (;;) {
    size_t semicolon = lower.find(u';', start);
    if (GroupListsExtension(lower.substr(start, semicolon - start), extension)) return group;
    if (semicolon == std::u16string::npos) return 0;
    start = semicolon + 1;
    ++group;
  }
}

std::string NativeFilterString(const std::u16string& filter) {
  if (filter.empty()) return {};
  bool described = filter.find(u':') != std::u16string::npos;
  std::u16string native = described ? u"" : std::u16string(u"Files\0*.", 8);
  for (char16_t c : filter) {
    if (c == u':') {
      native += std::u16string(u"\0*.", 3);
    } else if (c == u';') {
      native += u'\0';
    } else if (c == u',') {
      native += u";*.";
    } else {
      native += c;
    }
  }
  native += u'\0';
  return ToAnsi(native);
}

}  // namespace quardeln
