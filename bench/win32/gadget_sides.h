// The two sides of every gadget benchmark: the toolkit's gadget, driven through the public
// GUI interface, and its floor, a plain Win32 control given the same native calls (the
// same classes, styles and item masks) without the toolkit in between. Both sides draw
// the program's changes only once a batch is done, the way the toolkit does, and each
// batch ends when the control has painted.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace bench {

// The item texts, made once so that neither side pays for formatting them.
struct TItemTexts {
  std::vector<std::u16string> items;    // "Voce 0", "Voce 1", ...
  std::vector<std::u16string> changes;  // "Cambiata 0", ...: what a change writes
};

// One list-like control: a list box, a combo box or a tree view's top level.
class TListSide {
 public:
  virtual ~TListSide() = default;
  virtual void Make() = 0;  // a new, empty control, shown
  virtual void Free() = 0;
  virtual void Begin() {}                            // before a batch of changes
  virtual void Finish() = 0;                         // after it: the control shows the changes
  virtual void Add(const std::u16string& text) = 0;  // appended
  virtual void SelectLast() = 0;
  virtual void Clear() = 0;
  virtual void RemoveFirst() = 0;
  virtual void Change(int index, const std::u16string& text) = 0;
  // The native control, for comparing the two sides' styles.
  virtual HWND Native() const = 0;
};

// A tool bar with one button per icon of a strip, and the buttons' tips.
class TToolBarSide {
 public:
  virtual ~TToolBarSide() = default;
  virtual void Make() = 0;  // the bar with its buttons, until painted
  virtual void SetTips(const std::vector<std::u16string>& tips) = 0;  // until painted
  virtual void Free() = 0;
  virtual HWND Native() const = 0;
};

enum class TGadgetKind { ListBox, ComboBox, TreeView };

// The strip the tool bars are made from: `count` square icons of `size` pixels side by
// side, each framed in a colour of its own; pixels as 0xAARRGGBB, row after row.
struct TIconStripPixels {
  int count = 0;
  int size = 0;
  std::vector<uint32_t> argb;
  int Width() const { return count * size; }
};
TIconStripPixels MakeIconStripPixels(int count, int size);

// Pumps the thread's messages, painting included.
void Settle();

// Empty when the control of a side shows its last item selected and in view, as adding
// and selecting each item must leave it, else what it shows: read from the native
// control alone, so the same check holds for both sides.
std::string LastSelectedShown(TGadgetKind kind, HWND control);

// The floor sides, inside a plain window of the floor's own.
std::unique_ptr<TListSide> MakeFloorList(TGadgetKind kind, HWND window);
std::unique_ptr<TToolBarSide> MakeFloorToolBar(HWND window, const TIconStripPixels& strip);
HWND MakeFloorWindow(int x, int y, int w, int h);

// The toolkit's sides, inside a toolkit window. StartToolkit starts its modules once.
void StartToolkit();
class TToolkitWindow;
std::shared_ptr<TToolkitWindow> MakeToolkitWindow(int x, int y, int w, int h);
std::unique_ptr<TListSide> MakeToolkitList(TGadgetKind kind,
                                           const std::shared_ptr<TToolkitWindow>& window);
std::unique_ptr<TToolBarSide> MakeToolkitToolBar(const std::shared_ptr<TToolkitWindow>& window,
                                                 const TIconStripPixels& strip);

// Where the gadgets go inside either window.
inline constexpr int kGadgetX = 10;
inline constexpr int kGadgetY = 10;
inline constexpr int kGadgetW = 360;
inline constexpr int kGadgetH = 300;
inline constexpr int kComboH = 24;

}  // namespace bench
