#include "app/help_windows.h"

#include <initializer_list>
#include <string>

#include "events/queue.h"
#include "gui/api.h"
#include "system/link.h"

namespace tempra {
namespace {

using namespace quardeln;

// Lines end in a lone carriage return; the last has none.
constexpr std::initializer_list<const char16_t*> kHelpLines = {
    u"Questo piccolo programma svolge la funzione di\r",
    u"un promemoria digitale molto semplice.\r",
    u"Una volta impostata l'ora voluta, riporta la finestra\r",
    u"del medesimo in primo piano su qualsiasi applicazione.\r",
    u"\r",
    u"Attenzione, Il processo una volta avviato pu\u00F2 essere interrotto\r",
    u"solo utilizzando il Task Manager di Windows (CTRL+ALT+CANC).",
};

constexpr std::initializer_list<const char16_t*> kDonationLines = {
    u"Volendo contribuire a sostenere lo sviluppo\r",
    u"dei nostri programmi Freeware puoi fare una\r",
    u"piccola donazione libera.\r",
    u"\r",
    u"Grazie\r",
};

struct InfoWindow {
  GadgetRef window;
  GadgetRef button;
};

InfoWindow OpenInfoWindow(const std::u16string& title, std::initializer_list<const char16_t*> lines,
                          const std::u16string& buttonText) {
  InfoWindow info;
  info.window = NewWindow(title, 298, 248, 390, 310, nullptr, WINDOW_TITLEBAR);
  GadgetRef area = NewTextArea(5, 9, 373, 219, info.window, 0);
  for (const char16_t* line : lines) TextAreaAddText(area, line);
  info.button = NewButton(buttonText, 150, 241, 75, 23, info.window, BUTTON_PUSH);
  return info;
}

enum class Closing { CloseBox, Button };

// Takes every event until a window is closed or the window's button is pressed; the
// rest (the text area's edits, the main window's buttons) is dropped.
Closing RunUntilClosed(const InfoWindow& info) {
  for (;;) {
    int32_t id = AwaitEvent();
    if (id == WindowClose) return Closing::CloseBox;
    if (id == GadgetAction && ActiveEventSource() == info.button) return Closing::Button;
  }
}

}  // namespace

void RunHelpWindow() {
  InfoWindow helpWindow = OpenInfoWindow(u"Tempra Help", kHelpLines, u"OK");
  RunUntilClosed(helpWindow);
  GadgetFree(helpWindow.window);
}

void RunDonationWindow() {
  InfoWindow donationWindow = OpenInfoWindow(u"Tempra Donazioni", kDonationLines, u"Dona");
  if (RunUntilClosed(donationWindow) == Closing::Button) OpenLink(kDonationAddress);
  GadgetFree(donationWindow.window);
}

}  // namespace tempra
