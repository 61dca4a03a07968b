// The Windows entry point of tempra.exe: starts the toolkit's modules, runs the reminder
// on the Windows platform seam and ends the process with the exit sequence's code (0).
// An error that escapes the program is shown in a message box captioned with the
// application's title, and the process then ends with a non-zero code.
#include <exception>
#include <string>

#include "app/program.h"
#include "app/win32/windows_platform.h"
#include "runtime/error.h"
#include "runtime/text.h"
#include "system/win32/windows_api.h"

namespace {

constexpr int kFailureExitCode = 1;

const wchar_t* AsWide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

int ShowFailure(const char* message) {
  const std::u16string text = quardeln::FromUtf8(message);
  MessageBoxW(nullptr, AsWide(text), AsWide(quardeln::ApplicationTitle()),
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
  return kFailureExitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    tempra::WindowsAppPlatform platform;
    // Returning runs the exit handlers, among them the one that restores the system's
    // timer resolution.
    return tempra::RunTempra(platform);
  } catch (const std::exception& error) {
    return ShowFailure(error.what());
  } catch (...) {
    return ShowFailure("Unknown error");
  }
}
