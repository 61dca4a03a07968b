// The toolkit's sides: list box, combo box, tree view and tool bar gadgets driven only
// through the public GUI interface. A batch ends once the message loop has run (the
// toolkit draws a batch of item changes then) and the control has painted.
#include "runtime/win32/windows_api.h"
//
#include <optional>

#include "bench/win32/gadget_sides.h"
#include "events/event.h"
#include "gui/api.h"
#include "gui/gui_driver.h"
#include "gui/platform.h"
#include "pixmap/pixmap.h"
#include "system/platform.h"

namespace bench {

using namespace quardeln;

class TToolkitWindow {
 public:
  explicit TToolkitWindow(GadgetRef window) : window_(std::move(window)) {}
  ~TToolkitWindow() { GadgetFree(window_); }
  TToolkitWindow(const TToolkitWindow&) = delete;
  TToolkitWindow& operator=(const TToolkitWindow&) = delete;
  const GadgetRef& gadget() const { return window_; }

 private:
  GadgetRef window_;
};

namespace {

HWND NativeOf(const GadgetRef& gadget) {
  return reinterpret_cast<HWND>(GadgetQuery(gadget, QUERY_NATIVE));
}

void Paint(const GadgetRef& gadget) {
  Settle();
  UpdateWindow(NativeOf(gadget));
}

// List box and combo box: items of the gadget itself.
class TToolkitItems final : public TListSide {
 public:
  TToolkitItems(TGadgetKind kind, std::shared_ptr<TToolkitWindow> window)
      : kind_(kind), window_(std::move(window)) {}
  void Make() override {
    const GadgetRef& group = window_->gadget();
    gadget_ = kind_ == TGadgetKind::ComboBox
                  ? NewComboBox(kGadgetX, kGadgetY, kGadgetW, kComboH, group)
                  : NewListBox(kGadgetX, kGadgetY, kGadgetW, kGadgetH, group);
    Paint(gadget_);
  }
  void Free() override {
    GadgetFree(gadget_);
    gadget_.reset();
    Settle();
  }
  void Finish() override { Paint(gadget_); }
  void Add(const std::u16string& text) override { GadgetAddItem(gadget_, text); }
  void SelectLast() override { GadgetSelectItem(gadget_, GadgetItemCount(gadget_) - 1); }
  void Clear() override { GadgetClearItems(gadget_); }
  void RemoveFirst() override { GadgetRemoveItem(gadget_, 0); }
  void Change(int index, const std::u16string& text) override {
    GadgetModifyItem(gadget_, index, text);
  }
  HWND Native() const override { return NativeOf(gadget_); }

 private:
  TGadgetKind kind_;
  std::shared_ptr<TToolkitWindow> window_;
  GadgetRef gadget_;
};

// Tree view: nodes under the root, kept in order as a program keeps what it made.
class TToolkitTree final : public TListSide {
 public:
  explicit TToolkitTree(std::shared_ptr<TToolkitWindow> window) : window_(std::move(window)) {}
  void Make() override {
    tree_ = NewTreeView(kGadgetX, kGadgetY, kGadgetW, kGadgetH, window_->gadget());
    root_ = TreeViewRoot(tree_);
    nodes_.clear();
    first_ = 0;
    Paint(tree_);
  }
  void Free() override {
    GadgetFree(tree_);
    tree_.reset();
    root_.reset();
    nodes_.clear();
    Settle();
  }
  void Finish() override { Paint(tree_); }
  void Add(const std::u16string& text) override { nodes_.push_back(TreeViewAddNode(text, root_)); }
  void SelectLast() override { TreeViewSelectNode(nodes_.back()); }
  void Clear() override {
    TreeViewClear(tree_);
    nodes_.clear();
    first_ = 0;
  }
  void RemoveFirst() override { TreeViewFreeNode(nodes_[first_++]); }
  void Change(int index, const std::u16string& text) override {
    TreeViewModifyNode(nodes_[first_ + static_cast<size_t>(index)], text);
  }
  HWND Native() const override { return NativeOf(tree_); }

 private:
  std::shared_ptr<TToolkitWindow> window_;
  GadgetRef tree_;
  GadgetRef root_;
  std::vector<GadgetRef> nodes_;
  size_t first_ = 0;  // nodes before it are freed
};

PixmapRef PixmapOf(const TIconStripPixels& strip) {
  PixmapRef pixmap = TPixmap::Create(strip.Width(), strip.size, PF_BGRA8888);
  for (int y = 0; y < strip.size; ++y) {
    for (int x = 0; x < strip.Width(); ++x) {
      pixmap->WritePixel(x, y, strip.argb[static_cast<size_t>(y * strip.Width() + x)]);
    }
  }
  return pixmap;
}

class TToolkitToolBar final : public TToolBarSide {
 public:
  TToolkitToolBar(std::shared_ptr<TToolkitWindow> window, const TIconStripPixels& strip)
      : window_(std::move(window)), pixmap_(PixmapOf(strip)) {}
  void Make() override {
    toolbar_ = NewToolbar(pixmap_, 0, 0, 0, 0, window_->gadget());
    Paint(toolbar_);
  }
  void SetTips(const std::vector<std::u16string>& tips) override {
    std::vector<std::optional<std::u16string>> given(tips.begin(), tips.end());
    ToolbarSetTips(toolbar_, given);
    Paint(toolbar_);
  }
  void Free() override {
    GadgetFree(toolbar_);
    toolbar_.reset();
    Settle();
  }
  HWND Native() const override { return NativeOf(toolbar_); }

 private:
  std::shared_ptr<TToolkitWindow> window_;
  PixmapRef pixmap_;
  GadgetRef toolbar_;
};

}  // namespace

void StartToolkit() {
  StartEventsModule();
  StartPlatformSystem();
  StartGuiModule(CreatePlatformGuiDriver());
}

std::shared_ptr<TToolkitWindow> MakeToolkitWindow(int x, int y, int w, int h) {
  auto window = std::make_shared<TToolkitWindow>(NewWindow(u"toolkit", x, y, w, h));
  Paint(window->gadget());
  return window;
}

std::unique_ptr<TListSide> MakeToolkitList(TGadgetKind kind,
                                           const std::shared_ptr<TToolkitWindow>& window) {
  if (kind == TGadgetKind::TreeView) return std::make_unique<TToolkitTree>(window);
  return std::make_unique<TToolkitItems>(kind, window);
}

std::unique_ptr<TToolBarSide> MakeToolkitToolBar(const std::shared_ptr<TToolkitWindow>& window,
                                                 const TIconStripPixels& strip) {
  return std::make_unique<TToolkitToolBar>(window, strip);
}

}  // namespace bench
