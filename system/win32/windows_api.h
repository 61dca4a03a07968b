// The system driver's way to <windows.h>: the one lean include of the runtime.
#pragma once

#include "runtime/win32/windows_api.h"
