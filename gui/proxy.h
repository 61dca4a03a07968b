// Proxy gadgets: a gadget standing in front of another (its `proxy`) so that an
// application-level gadget can wrap a driver gadget. Most operations are forwarded to the
// proxied gadget; tree, layout, item bookkeeping, filter and tooltip stay with the proxy,
// which keeps its own items while the proxied gadget shows them. The proxy owns its
// target; the target's `source` names the proxy weakly, so events report the proxy.
#pragma once

#include <memory>

#include "gui/gadget.h"

namespace quardeln {

// One plain gadget that does nothing, the target of every proxy not yet given one.
// Made by StartGuiModule.
extern GadgetRef DefaultProxyTarget;

class TProxyGadget : public TGadget {
 public:
  TProxyGadget();  // proxy = DefaultProxyTarget (a private do-nothing gadget before start-up)

  GadgetRef proxy;

  // Forwarded operations, in slot order.
  int32_t SetLayout(int32_t left, int32_t right, int32_t top, int32_t bottom) override;
  NativeHandle Query(int32_t which) override;
  int32_t Free() override;
  int32_t Rethink() override;
  int32_t ClientWidth() override;
  int32_t ClientHeight() override;
  int32_t Activate(int32_t action) override;
  int32_t State() override;
  int32_t SetText(const std::u16string& text) override;
  std::u16string GetText() override;
  int32_t SetFont(const FontRef& font) override;
  int32_t SetColor(int32_t r, int32_t g, int32_t b) override;
  int32_t SetAlpha(float alpha) override;
  int32_t SetTextColor(int32_t r, int32_t g, int32_t b) override;
  int32_t SetPixmap(const PixmapRef& pixmap, int32_t flags) override;
  int32_t SetIconStrip(const IconStripRef& strip) override;
  int32_t SetShow(int32_t flag) override;
  int32_t SetEnabled(int32_t flag) override;
  int32_t SetSelected(int32_t flag) override;
  int32_t SetHotKey(int32_t key, int32_t mods) override;
  int32_t SetSensitivity(int32_t flags) override;
  int32_t GetSensitivity() override;
  int32_t SetStatus(const std::u16string& text) override;
  GadgetRef GetMenu() override;
  int32_t PopupMenu(const GadgetRef& menu, ObjectRef extra) override;
  int32_t UpdateMenu() override;
  int32_t SetMinimumSize(int32_t w, int32_t h) override;
  int32_t SetMaximumSize(int32_t w, int32_t h) override;
  int32_t ClearListItems() override;
  int32_t InsertListItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                         int32_t icon, ObjectRef extra) override;
  int32_t SetListItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                      int32_t icon, ObjectRef extra) override;
  int32_t RemoveListItem(int32_t index) override;
  int32_t SetListItemState(int32_t index, int32_t state) override;
  int32_t ListItemState(int32_t index) override;
  GadgetRef RootNode() override;
  GadgetRef InsertNode(int32_t index, const std::u16string& text, int32_t icon) override;
  int32_t ModifyNode(const std::u16string& text, int32_t icon) override;
  GadgetRef SelectedNode() override;
  int32_t CountKids() override;
  int32_t ReplaceText(int32_t pos, int32_t length, const std::u16string& text,
                      int32_t units) override;
  int32_t AddText(const std::u16string& text) override;
  std::u16string AreaText(int32_t pos, int32_t length, int32_t units) override;
  int32_t AreaLen(int32_t units) override;
  int32_t LockText() override;
  int32_t UnlockText() override;
  int32_t SetTabs(int32_t tabs) override;
  int32_t GetCursorPos(int32_t units) override;
  int32_t GetSelectionLength(int32_t units) override;
  int32_t SetStyle(int32_t r, int32_t g, int32_t b, int32_t flags, int32_t pos, int32_t length,
                   int32_t units) override;
  int32_t SetSelection(int32_t pos, int32_t length, int32_t units) override;
  int32_t CharAt(int32_t line) override;
  int32_t LineAt(int32_t index) override;
  int32_t SetValue(float value) override;
  int32_t SetRange(int32_t a, int32_t b) override;
  int32_t SetProp(int32_t value) override;
  int32_t GetProp() override;
  ObjectRef AttachGraphics(int32_t flags) override;
  ObjectRef CanvasGraphics() override;
  std::u16string Run(const std::u16string& script) override;

  // The slot after Run: forward to `gadget` from now on and make it report this proxy as
  // its events' source. A null gadget returns the proxy to DefaultProxyTarget.
  virtual int32_t SetProxy(const GadgetRef& gadget);
};

}  // namespace quardeln
