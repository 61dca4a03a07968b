// The "Aiuto" and "Dona" windows: each made anew on every press, a text area filled line
// by line and one button, with a nested event loop that takes every event of the program
// until the window is closed (by any window's close box) or its button is pressed. The
// window is freed before the handler returns; nothing of it survives.
#pragma once

namespace tempra {

// The maker's web page, opened by the donation window's button. The scheme is written
// with a capital letter; the link opener passes it on unchanged.
inline constexpr char16_t kDonationAddress[] = u"Http://www.vornelt.example/dona";

void RunHelpWindow();
void RunDonationWindow();

}  // namespace tempra
