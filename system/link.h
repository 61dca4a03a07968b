// Opening a web address or a document with the system's default handler. A text that
// already names its scheme goes out unchanged; otherwise an existing file or folder
// becomes a "file:" address with its full path, anything else an "http:" address.
#pragma once

#include <string>

namespace quardeln {

// The address OpenLink hands to the driver for `text`.
std::u16string LinkAddress(const std::u16string& text);

// Asks the active system driver to open LinkAddress(text); reports nothing.
void OpenLink(const std::u16string& text);

}  // namespace quardeln
