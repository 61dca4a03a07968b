// The gallery's window, menus, toolbar and tabber, and its main loop: every event is
// shown in the status bar (timer ticks and paint requests excepted, and mouse moves
// unless View > "Show mouse moves" is checked), then handled.
#include "examples/gallery/gallery.h"

#include <optional>
#include <vector>

#include "events/queue.h"
#include "examples/gallery/gallery_native.h"
#include "runtime/text.h"
#include "system/system_driver.h"

namespace gallery {
namespace {

using namespace quardeln;

constexpr int32_t kClientWidth = 640;
constexpr int32_t kClientHeight = 480;
constexpr int32_t kMinWidth = 560;
constexpr int32_t kMinHeight = 420;
constexpr int32_t kMargin = 8;
// Built hidden and shown when complete, so the user never sees it being put together.
constexpr int32_t kWindowStyle = WINDOW_TITLEBAR | WINDOW_RESIZABLE | WINDOW_MENU | WINDOW_STATUS |
                                 WINDOW_CLIENTCOORDS | WINDOW_HIDDEN | WINDOW_CENTER;

constexpr float kProgressHertz = 10.0f;
constexpr float kProgressStep = 0.02f;  // a full bar every five seconds

constexpr char16_t kToolbarPicture[] = u"toolbar.png";
constexpr char16_t kWelcome[] = u"Every event the program receives is shown here.";
constexpr char16_t kCanvasCaption[] = u"Right-click me";

// What each toolbar button asks for, one per icon of the strip; the blank icons are
// separators and never report.
constexpr Command kToolbarCommands[] = {kNew,      kOpen,         kSave,    kNoCommand, kShowLists,
                                        kShowText, kShowControls, kShowWeb, kNoCommand, kAbout};
constexpr int32_t kSaveButton = 2;

constexpr int32_t kKeyF1 = 0x70;

// Items of the canvas's pop-up menu and the colours they give it.
struct CanvasColour {
  const char16_t* text;
  Command command;
  uint32_t rgb;
};
constexpr CanvasColour kCanvasColours[] = {
    {u"Blue", kCanvasBlue, 0x3A6EA5},
    {u"Green", kCanvasGreen, 0x3C8C3C},
    {u"Orange", kCanvasOrange, 0xD2691E},
};

std::u16string WithoutMnemonics(const std::u16string& text) {
  std::u16string plain;
  for (char16_t c : text) {
    if (c != u'&') plain += c;
  }
  return plain;
}

// A menu of the menu bar, named by its text.
GadgetRef BarMenu(GadgetNames& names, const std::u16string& text, const GadgetRef& window) {
  return names.Add(NewMenu(text, kNoCommand, window), WithoutMnemonics(text));
}

// An item of the menu `parent`, named after both: "File > New".
GadgetRef Item(GadgetNames& names, const std::u16string& text, Command command,
               const GadgetRef& parent, int32_t key = 0, int32_t mods = 0) {
  const std::u16string name = names.Of(parent) + u" > " + WithoutMnemonics(text);
  return names.Add(NewMenu(text, command, parent, key, mods), name);
}

void Separator(const GadgetRef& parent) {
  NewMenu(u"", 0, parent);  // a menu without text is a separator
}

bool ShownInStatus(int32_t id, bool mouseMoves) {
  if (id == TimerTick || id == GadgetPaint) return false;
  return id != MouseMove || mouseMoves;
}

}  // namespace

const GadgetRef& GadgetNames::Add(const GadgetRef& gadget, const std::u16string& name) {
  names_[gadget.get()] = name;
  return gadget;
}

std::u16string GadgetNames::Of(const ObjectRef& source) const {
  const auto found = names_.find(source.get());
  return found == names_.end() ? std::u16string() : found->second;
}

void Gallery::Build() {
  window_ = names_.Add(NewWindow(kTitle, 0, 0, kClientWidth, kClientHeight, nullptr, kWindowStyle),
                       u"window");
  WindowSetMinSize(window_, kMinWidth, kMinHeight);
  BuildMenus();
  BuildToolbar();
  BuildTabber();
  progressTimer_ = NewTimer(kProgressHertz);
  WindowSetStatus(window_, kWelcome);
  GadgetShow(window_);
  ActivateWindow(window_);
}

void Gallery::BuildMenus() {
  const GadgetRef file = BarMenu(names_, u"&File", window_);
  Item(names_, u"&New", kNew, file, 'N', ModControl);
  Item(names_, u"&Open...", kOpen, file, 'O', ModControl);
  MenuDisable(Item(names_, u"&Save", kSave, file, 'S', ModControl));
  Separator(file);
  const GadgetRef recent = Item(names_, u"&Recent files", kNoCommand, file);
  for (const char16_t* name : {u"Letter.txt", u"Notes.txt", u"Story.txt"}) {
    Item(names_, name, kRecentFile, recent);
  }
  Separator(file);
  Item(names_, u"E&xit", kExit, file, 'Q', ModControl);

  const GadgetRef edit = BarMenu(names_, u"&Edit", window_);
  Item(names_, u"Cu&t", kCut, edit);
  Item(names_, u"&Copy", kCopy, edit);
  Item(names_, u"&Paste", kPaste, edit);

  const GadgetRef view = BarMenu(names_, u"&View", window_);
  Item(names_, u"&Lists", kShowLists, view, '1', ModControl);
  Item(names_, u"&Text", kShowText, view, '2', ModControl);
  Item(names_, u"&Controls", kShowControls, view, '3', ModControl);
  Item(names_, u"&Web", kShowWeb, view, '4', ModControl);
  Separator(view);
  mouseMovesItem_ = Item(names_, u"Show &mouse moves", kShowMouseMoves, view);

  const GadgetRef help = BarMenu(names_, u"&Help", window_);
  Item(names_, u"&About Quardeln Gallery", kAbout, help, kKeyF1);
  WindowUpdateMenu(window_);

  // A root menu of its own, shown where the canvas is right-clicked.
  canvasMenu_ = names_.Add(NewMenu(u"", kNoCommand, nullptr), u"canvas menu");
  for (const CanvasColour& colour : kCanvasColours) {
    Item(names_, colour.text, colour.command, canvasMenu_);
  }
}

// The buttons' pictures come from a file beside the executable; without it the toolbar
// has no buttons and the lists show no icons.
void Gallery::BuildToolbar() {
  icons_ = IconStripLoad(NewText(ExecutableFolder() + kToolbarPicture));
  const ObjectRef picture = icons_ ? icons_->pixmap : nullptr;
  toolbar_ = names_.Add(NewToolbar(picture, 0, 0, 0, 0, window_), u"toolbar");
  ToolbarSetTips(toolbar_, {u"New", u"Open", u"Save", u"", u"Lists", u"Text", u"Controls", u"Web",
                            u"", u"About"});
  if (GadgetItemCount(toolbar_) > kSaveButton) GadgetDisableItem(toolbar_, kSaveButton);
}

void Gallery::BuildTabber() {
  const int32_t top = GadgetGetHeight(toolbar_) + kMargin / 2;
  tabber_ = names_.Add(NewTabber(kMargin, top, GadgetClientWidth(window_) - 2 * kMargin,
                                 GadgetClientHeight(window_) - top - kMargin, window_),
                       u"tabber");
  GadgetSetLayout(tabber_, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE, LOCK_EDGE);
  // The tabs first: the pages take the client area that is left below them.
  for (const char16_t* tab : {u"Lists", u"Text", u"Controls", u"Web"}) {
    GadgetAddItem(tabber_, tab, 0, -1, u"", NewText(tab));
  }
  GadgetSelectItem(tabber_, 0);
  lists_ = BuildListsPage(tabber_, icons_, names_);
  text_ = BuildTextPage(tabber_, names_);
  controls_ = BuildControlsPage(tabber_, names_);
  web_ = BuildWebPage(tabber_, names_);
  pages_ = {lists_.panel, text_.panel, controls_.panel, web_.panel};
  ShowPage(0);
}

void Gallery::ShowPage(int32_t page) {
  for (int32_t i = 0; i < static_cast<int32_t>(pages_.size()); ++i) {
    if (i == page) {
      GadgetShow(pages_[i]);
    } else {
      GadgetHide(pages_[i]);
    }
  }
}

int32_t Gallery::Run() {
  for (;;) {
    const int32_t id = AwaitEvent();
    if (ShownInStatus(id, MenuIsChecked(mouseMovesItem_) != 0)) ShowEvent();
    if (!Dispatch(id, ActiveEventSource())) return Exit();
  }
}

// The event's own text, after the name of its source; a tree node carried as the
// event's extra is named too.
void Gallery::ShowEvent() {
  const EventRef event = ActiveEvent;
  if (!event) return;
  std::u16string name = names_.Of(event->source);
  if (const auto node = std::dynamic_pointer_cast<TGadget>(event->extra)) {
    name += u" (" + GadgetGetText(node) + u")";
  }
  WindowSetStatus(window_, name.empty() ? event->ToString() : name + u": " + event->ToString());
}

bool Gallery::Dispatch(int32_t id, const ObjectRef& source) {
  const int32_t data = ActiveEventData();
  switch (id) {
    case WindowClose:
      return false;
    case MenuAction:
      return Carry(data);
    case TimerTick:
      if (source == progressTimer_) AdvanceProgress();
      return true;
    case GadgetPaint:
      if (source == controls_.canvas) PaintCanvas();
      return true;
    case MouseDown:
      if (source == controls_.canvas && data == 2) {
        WindowPopupMenu(window_, canvasMenu_, NewText(u"canvas"));
      }
      return true;
    case GadgetAction:
      break;
    default:
      return true;
  }
  if (source == toolbar_ && data >= 0 && data < static_cast<int32_t>(std::size(kToolbarCommands))) {
    return Carry(kToolbarCommands[data]);
  }
  if (source == tabber_) ShowPage(data);
  if (source == controls_.stepper) {
    GadgetSetText(controls_.stepperLabel, u"Stepper value: " + IntText(data));
  }
  if (source == web_.goButton) HtmlViewNavigate(web_.htmlView, GadgetGetText(web_.addressField));
  return true;
}

bool Gallery::Carry(int32_t command) {
  const GadgetRef focused = FocusedGadget();
  switch (command) {
    case kNew:  // a fresh form
      GadgetSetText(text_.nameField, u"");
      GadgetSetText(text_.passwordField, u"");
      GadgetSetText(text_.notesArea, u"");
      break;
    case kOpen:
      OpenFile();
      break;
    case kExit:
      return false;
    case kCut:
    case kCopy:
    case kPaste:
      // The text gadgets act on their selection; other gadgets ignore these.
      if (focused) {
        if (command == kCut) GadgetCut(focused);
        if (command == kCopy) GadgetCopy(focused);
        if (command == kPaste) GadgetPaste(focused);
      }
      break;
    case kShowLists:
    case kShowText:
    case kShowControls:
    case kShowWeb:
      GadgetSelectItem(tabber_, command - kShowLists);
      ShowPage(command - kShowLists);
      break;
    case kShowMouseMoves:
      ToggleMouseMoves();
      break;
    case kAbout:
      Notify(
          u"Quardeln Gallery shows every gadget of the Quardeln toolkit.\n\n"
          u"Use them: each event the program receives appears in the status bar.");
      break;
    case kCanvasBlue:
    case kCanvasGreen:
    case kCanvasOrange:
      for (const CanvasColour& colour : kCanvasColours) {
        if (colour.command == command) canvasColour_ = colour.rgb;
      }
      PaintCanvas();
      break;
    default:  // shown in the status bar, nothing more
      break;
  }
  return true;
}

void Gallery::ToggleMouseMoves() {
  if (MenuIsChecked(mouseMovesItem_)) {
    MenuUncheck(mouseMovesItem_);
  } else {
    MenuCheck(mouseMovesItem_);
  }
}

void Gallery::OpenFile() {
  const std::u16string path =
      RequestFile(u"Open a file", u"Text files:txt;Pictures:png,bmp,ico;All files:*", 0, u"");
  if (!path.empty()) WindowSetStatus(window_, u"Chosen: " + path);
}

void Gallery::AdvanceProgress() {
  progress_ += kProgressStep;
  if (progress_ > 1.0f) progress_ = 0.0f;
  ProgressBarSetValue(controls_.progressBar, progress_);
}

// The canvas in its colour with a lighter disc, a frame and its caption in the middle,
// drawn into its graphics whenever it asks to be painted or its colour changes.
void Gallery::PaintCanvas() {
  const GraphicsRef g = AsGraphics(CanvasGetGraphics(controls_.canvas));
  if (!g) return;
  const auto red = static_cast<int32_t>((canvasColour_ >> 16) & 0xFF);
  const auto green = static_cast<int32_t>((canvasColour_ >> 8) & 0xFF);
  const auto blue = static_cast<int32_t>(canvasColour_ & 0xFF);
  const int32_t w = g->Width();
  const int32_t h = g->Height();
  g->Clear(red, green, blue);
  g->SetColor(255, 255, 255);
  g->SetAlpha(0.25f);
  g->FillOval(w / 6, h / 6, w - w / 3, h - h / 3);
  g->SetAlpha(1.0f);
  g->DrawRect(2, 2, w - 4, h - 4);
  const std::u16string caption = kCanvasCaption;
  g->DrawString(caption, (w - g->TextWidth(caption)) / 2, (h - g->TextHeight(caption)) / 2);
  g->Present();
}

// A running timer keeps itself alive until halted; the window takes its gadgets with it,
// and one pump lets the platform finish what the removal set off.
int32_t Gallery::Exit() {
  HaltTimer(progressTimer_);
  MenuFree(canvasMenu_);
  GadgetFree(window_);
  PumpSystemEvents();
  return kExitCode;
}

}  // namespace gallery
