// The little the gallery asks of Windows itself: the folder of its own executable, where
// its toolbar picture lies.
#pragma once

#include <string>

namespace gallery {

// The folder of the running executable with a trailing backslash; empty when unknown.
std::u16string ExecutableFolder();

}  // namespace gallery
