// Text areas, tree views, HTML views, sliders, progress bars and canvases.
#include "gui/api.h"
#include "gui/api_detail.h"

namespace quardeln {

using detail::Use;

int32_t TextAreaSetText(const GadgetRef& g, const std::u16string& text, int32_t pos, int32_t length,
                        int32_t units) {
  return Use(g).ReplaceText(pos, length, text, units);
}
int32_t TextAreaAddText(const GadgetRef& g, const std::u16string& text) {
  return Use(g).AddText(text);
}
std::u16string TextAreaGetText(const GadgetRef& g, int32_t pos, int32_t length, int32_t units) {
  return Use(g).AreaText(pos, length, units);
}
int32_t TextAreaGetLength(const GadgetRef& g, int32_t units) {
  return Use(g).AreaLen(units);
}
int32_t TextAreaLock(const GadgetRef& g) {
  return Use(g).LockText();
}
int32_t TextAreaUnlock(const GadgetRef& g) {
  return Use(g).UnlockText();
}
int32_t TextAreaSetTabs(const GadgetRef& g, int32_t tabs) {
  return Use(g).SetTabs(tabs);
}
int32_t TextAreaSetFont(const GadgetRef& g, const FontRef& font) {
  return Use(g).SetFont(font);
}
int32_t TextAreaSetColour(const GadgetRef& g, int32_t r, int32_t g2, int32_t b,
                          int32_t background) {
  return GadgetSetColour(g, r, g2, b, background);
}
int32_t TextAreaGetCursor(const GadgetRef& g, int32_t units) {
  return Use(g).GetCursorPos(units);
}
int32_t TextAreaGetSelectionLength(const GadgetRef& g, int32_t units) {
  return Use(g).GetSelectionLength(units);
}
int32_t TextAreaFormat(const GadgetRef& g, int32_t r, int32_t g2, int32_t b, int32_t flags,
                       int32_t pos, int32_t length, int32_t units) {
  return Use(g).SetStyle(r, g2, b, flags, pos, length, units);
}
int32_t TextAreaSelect(const GadgetRef& g, int32_t pos, int32_t length, int32_t units) {
  return Use(g).SetSelection(pos, length, units);
}
int32_t TextAreaCharOfLine(const GadgetRef& g, int32_t line) {
  return Use(g).CharAt(line);
}
int32_t TextAreaLineOfChar(const GadgetRef& g, int32_t index) {
  return Use(g).LineAt(index);
}

GadgetRef TreeViewAddNode(const std::u16string& text, const GadgetRef& node, int32_t icon) {
  return Use(node).InsertNode(-1, text, icon);
}
GadgetRef TreeViewInsertNode(int32_t index, const std::u16string& text, const GadgetRef& node,
                             int32_t icon) {
  return Use(node).InsertNode(index, text, icon);
}
int32_t TreeViewModifyNode(const GadgetRef& node, const std::u16string& text, int32_t icon) {
  return Use(node).ModifyNode(text, icon);
}

int32_t TreeViewClear(const GadgetRef& tree) {
  GadgetRef root = Use(tree).RootNode();
  if (!root) return 0;
  // A driver may free them all at once. Otherwise they are taken out of the root
  // together, so that freeing one does not look for it among the others.
  root->ClearListItems();
  GadgetKids nodes;
  nodes.swap(root->kids);
  for (const GadgetRef& node : nodes) {
    if (node) node->Free();
  }
  return 0;
}

GadgetRef TreeViewRoot(const GadgetRef& tree) {
  return Use(tree).RootNode();
}
GadgetRef TreeViewGetSelected(const GadgetRef& tree) {
  return Use(tree).SelectedNode();
}
int32_t TreeViewCountKids(const GadgetRef& node) {
  return Use(node).CountKids();
}
int32_t TreeViewSelectNode(const GadgetRef& node) {
  return Use(node).Activate(ACTION_SELECT);
}
int32_t TreeViewExpandNode(const GadgetRef& node) {
  return Use(node).Activate(ACTION_EXPAND);
}
int32_t TreeViewCollapseNode(const GadgetRef& node) {
  return Use(node).Activate(ACTION_COLLAPSE);
}
int32_t TreeViewFreeNode(const GadgetRef& node) {
  return Use(node).Free();
}

int32_t HtmlViewNavigate(const GadgetRef& g, const std::u16string& url) {
  return Use(g).SetText(url);
}
int32_t HtmlViewGoBack(const GadgetRef& g) {
  return Use(g).Activate(ACTION_BACK);
}
int32_t HtmlViewGoForward(const GadgetRef& g) {
  return Use(g).Activate(ACTION_FORWARD);
}
int32_t HtmlViewGetStatus(const GadgetRef& g) {
  return Use(g).State();
}
std::u16string HtmlViewGetURL(const GadgetRef& g) {
  return Use(g).GetText();
}
std::u16string HtmlViewRunScript(const GadgetRef& g, const std::u16string& script) {
  return Use(g).Run(script);
}

int32_t SliderSetRange(const GadgetRef& g, int32_t a, int32_t b) {
  return Use(g).SetRange(a, b);
}
int32_t SliderSetValue(const GadgetRef& g, int32_t value) {
  return Use(g).SetProp(value);
}
int32_t SliderGetValue(const GadgetRef& g) {
  return Use(g).GetProp();
}
int32_t ProgressBarSetValue(const GadgetRef& g, float value) {
  return Use(g).SetValue(value);
}
ObjectRef CanvasGetGraphics(const GadgetRef& g) {
  return Use(g).CanvasGraphics();
}

}  // namespace quardeln
