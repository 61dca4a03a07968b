// The gadget gallery: one resizable window that shows every gadget class of the toolkit,
// with a menu bar, a toolbar, a tabber of four pages ("Lists", "Text", "Controls",
// "Web") and a status bar that shows the last event in the event record's own text form,
// prefixed with the name of its source. The program keeps every gadget it makes for the
// whole run; everything runs on the GUI thread.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "gui/api.h"
#include "system/timer.h"

namespace gallery {

using quardeln::GadgetRef;
using quardeln::IconStripRef;

// The title the window has; the end-to-end test looks for it.
inline constexpr char16_t kTitle[] = u"Quardeln Gallery";
inline constexpr int32_t kExitCode = 0;

// What menus and toolbar buttons ask for: the tags of the menu items.
enum Command : int32_t {
  kNoCommand = 0,
  kNew,
  kOpen,
  kSave,
  kRecentFile,
  kExit,
  kCut,
  kCopy,
  kPaste,
  kShowLists,  // the four pages, in tab order
  kShowText,
  kShowControls,
  kShowWeb,
  kShowMouseMoves,
  kAbout,
  kCanvasBlue,  // the canvas's pop-up menu: its colour
  kCanvasGreen,
  kCanvasOrange,
};

// Names of the gadgets for the status bar. Gadgets live for the whole run, so their
// addresses are stable keys.
class GadgetNames {
 public:
  // Records `name` for `gadget` and returns the gadget.
  const GadgetRef& Add(const GadgetRef& gadget, const std::u16string& name);
  // The name of `source`, empty when it has none.
  std::u16string Of(const quardeln::ObjectRef& source) const;

 private:
  std::map<const quardeln::TObject*, std::u16string> names_;
};

struct ListsPage {
  GadgetRef panel;
  GadgetRef listBox;
  GadgetRef dropDown;  // a drop-down list: choose only
  GadgetRef editable;  // an editable combo box: choose or type
  GadgetRef treeView;
};

struct TextPage {
  GadgetRef panel;
  GadgetRef nameField;
  GadgetRef passwordField;
  GadgetRef notesArea;
};

struct ControlsPage {
  GadgetRef panel;
  GadgetRef pushButton;
  GadgetRef checkBox;
  GadgetRef mixedBox;  // a check box shown in its third state
  std::array<GadgetRef, 2> radios;
  GadgetRef okButton;
  GadgetRef cancelButton;
  GadgetRef scrollBar;
  GadgetRef trackBar;
  GadgetRef stepper;
  GadgetRef stepperLabel;  // shows the stepper's value
  GadgetRef progressBar;
  GadgetRef colourPanel;
  GadgetRef picturePanel;
  GadgetRef canvas;
};

struct WebPage {
  GadgetRef panel;
  GadgetRef addressField;
  GadgetRef goButton;
  GadgetRef htmlView;
};

// The pages, each a panel filling the tabber's client area. `icons` may be null (the
// picture file is missing): the lists then show no icons.
ListsPage BuildListsPage(const GadgetRef& tabber, const IconStripRef& icons, GadgetNames& names);
TextPage BuildTextPage(const GadgetRef& tabber, GadgetNames& names);
ControlsPage BuildControlsPage(const GadgetRef& tabber, GadgetNames& names);
WebPage BuildWebPage(const GadgetRef& tabber, GadgetNames& names);

class Gallery {
 public:
  Gallery() = default;
  Gallery(const Gallery&) = delete;
  Gallery& operator=(const Gallery&) = delete;

  void Build();  // the toolkit's modules must have started
  // Runs until the close box or "Exit", then ends the program's gadgets and timer;
  // returns the exit code.
  int32_t Run();

 private:
  void BuildMenus();
  void BuildToolbar();
  void BuildTabber();
  void ShowPage(int32_t page);
  void ShowEvent();
  // Handles the active event; false when the program is to end.
  bool Dispatch(int32_t id, const quardeln::ObjectRef& source);
  bool Carry(int32_t command);  // a menu item or toolbar button; false for "Exit"
  void ToggleMouseMoves();
  void OpenFile();
  void AdvanceProgress();
  void PaintCanvas();
  int32_t Exit();

  GadgetNames names_;
  IconStripRef icons_;
  GadgetRef window_;
  GadgetRef toolbar_;
  GadgetRef tabber_;
  GadgetRef mouseMovesItem_;  // View > "Show mouse moves", a check item
  GadgetRef canvasMenu_;      // the canvas's pop-up menu
  ListsPage lists_;
  TextPage text_;
  ControlsPage controls_;
  WebPage web_;
  std::array<GadgetRef, 4> pages_;
  quardeln::TimerRef progressTimer_;
  float progress_ = 0.0f;
  uint32_t canvasColour_ = 0x3A6EA5;  // 0xRRGGBB
};

}  // namespace gallery
