#include "gui/proxy.h"

namespace quardeln {

GadgetRef DefaultProxyTarget;

namespace {

// Before the toolkit has started there is no shared default target; a private one
// keeps forwarding harmless.
GadgetRef DefaultTarget() {
  return DefaultProxyTarget ? DefaultProxyTarget : std::make_shared<TGadget>();
}

}  // namespace

TProxyGadget::TProxyGadget() : proxy(DefaultTarget()) {}

int32_t TProxyGadget::SetProxy(const GadgetRef& gadget) {
  if (!gadget) {
    proxy = DefaultTarget();
    return 0;
  }
  if (gadget.get() == this) return 0;  // forwarding to itself would never end
  proxy = gadget;
  // The proxied gadget names this proxy weakly: the proxy owns it, not the reverse.
  gadget->source = std::static_pointer_cast<TGadget>(shared_from_this());
  return 0;
}

int32_t TProxyGadget::SetLayout(int32_t left, int32_t right, int32_t top, int32_t bottom) {
  return proxy->SetLayout(left, right, top, bottom);
}
NativeHandle TProxyGadget::Query(int32_t which) {
  return proxy->Query(which);
}
int32_t TProxyGadget::Free() {
  return proxy->Free();
}
int32_t TProxyGadget::Rethink() {
  return proxy->Rethink();
}
int32_t TProxyGadget::ClientWidth() {
  return proxy->ClientWidth();
}
int32_t TProxyGadget::ClientHeight() {
  return proxy->ClientHeight();
}
int32_t TProxyGadget::Activate(int32_t action) {
  return proxy->Activate(action);
}
int32_t TProxyGadget::State() {
  return proxy->State();
}
int32_t TProxyGadget::SetText(const std::u16string& text) {
  return proxy->SetText(text);
}
std::u16string TProxyGadget::GetText() {
  return proxy->GetText();
}
int32_t TProxyGadget::SetFont(const FontRef& font) {
  return proxy->SetFont(font);
}
int32_t TProxyGadget::SetColor(int32_t r, int32_t g, int32_t b) {
  return proxy->SetColor(r, g, b);
}
int32_t TProxyGadget::SetAlpha(float alpha) {
  return proxy->SetAlpha(alpha);
}
int32_t TProxyGadget::SetTextColor(int32_t r, int32_t g, int32_t b) {
  return proxy->SetTextColor(r, g, b);
}
int32_t TProxyGadget::SetPixmap(const PixmapRef& pixmap, int32_t flags) {
  return proxy->SetPixmap(pixmap, flags);
}
int32_t TProxyGadget::SetIconStrip(const IconStripRef& strip) {
  return proxy->SetIconStrip(strip);
}
int32_t TProxyGadget::SetShow(int32_t flag) {
  return proxy->SetShow(flag);
}
int32_t TProxyGadget::SetEnabled(int32_t flag) {
  return proxy->SetEnabled(flag);
}
int32_t TProxyGadget::SetSelected(int32_t flag) {
  return proxy->SetSelected(flag);
}
int32_t TProxyGadget::SetHotKey(int32_t key, int32_t mods) {
  return proxy->SetHotKey(key, mods);
}
int32_t TProxyGadget::SetSensitivity(int32_t flags) {
  return proxy->SetSensitivity(flags);
}
int32_t TProxyGadget::GetSensitivity() {
  return proxy->GetSensitivity();
}
int32_t TProxyGadget::SetStatus(const std::u16string& text) {
  return proxy->SetStatus(text);
}
GadgetRef TProxyGadget::GetMenu() {
  return proxy->GetMenu();
}
int32_t TProxyGadget::PopupMenu(const GadgetRef& menu, ObjectRef extra) {
  return proxy->PopupMenu(menu, std::move(extra));
}
int32_t TProxyGadget::UpdateMenu() {
  return proxy->UpdateMenu();
}
int32_t TProxyGadget::SetMinimumSize(int32_t w, int32_t h) {
  return proxy->SetMinimumSize(w, h);
}
int32_t TProxyGadget::SetMaximumSize(int32_t w, int32_t h) {
  return proxy->SetMaximumSize(w, h);
}
int32_t TProxyGadget::ClearListItems() {
  return proxy->ClearListItems();
}
int32_t TProxyGadget::InsertListItem(int32_t index, const std::u16string& text,
                                     const std::u16string& tip, int32_t icon, ObjectRef extra) {
  return proxy->InsertListItem(index, text, tip, icon, std::move(extra));
}
int32_t TProxyGadget::SetListItem(int32_t index, const std::u16string& text,
                                  const std::u16string& tip, int32_t icon, ObjectRef extra) {
  return proxy->SetListItem(index, text, tip, icon, std::move(extra));
}
int32_t TProxyGadget::RemoveListItem(int32_t index) {
  return proxy->RemoveListItem(index);
}
int32_t TProxyGadget::SetListItemState(int32_t index, int32_t state) {
  return proxy->SetListItemState(index, state);
}
int32_t TProxyGadget::ListItemState(int32_t index) {
  return proxy->ListItemState(index);
}
GadgetRef TProxyGadget::RootNode() {
  return proxy->RootNode();
}
GadgetRef TProxyGadget::InsertNode(int32_t index, const std::u16string& text, int32_t icon) {
  return proxy->InsertNode(index, text, icon);
}
int32_t TProxyGadget::ModifyNode(const std::u16string& text, int32_t icon) {
  return proxy->ModifyNode(text, icon);
}
GadgetRef TProxyGadget::SelectedNode() {
  return proxy->SelectedNode();
}
int32_t TProxyGadget::CountKids() {
  return proxy->CountKids();
}
int32_t TProxyGadget::ReplaceText(int32_t pos, int32_t length, const std::u16string& text,
                                  int32_t units) {
  return proxy->ReplaceText(pos, length, text, units);
}
int32_t TProxyGadget::AddText(const std::u16string& text) {
  return proxy->AddText(text);
}
std::u16string TProxyGadget::AreaText(int32_t pos, int32_t length, int32_t units) {
  return proxy->AreaText(pos, length, units);
}
int32_t TProxyGadget::AreaLen(int32_t units) {
  return proxy->AreaLen(units);
}
int32_t TProxyGadget::LockText() {
  return proxy->LockText();
}
int32_t TProxyGadget::UnlockText() {
  return proxy->UnlockText();
}
int32_t TProxyGadget::SetTabs(int32_t tabs) {
  return proxy->SetTabs(tabs);
}
int32_t TProxyGadget::GetCursorPos(int32_t units) {
  return proxy->GetCursorPos(units);
}
int32_t TProxyGadget::GetSelectionLength(int32_t units) {
  return proxy->GetSelectionLength(units);
}
int32_t TProxyGadget::SetStyle(int32_t r, int32_t g, int32_t b, int32_t flags, int32_t pos,
                               int32_t length, int32_t units) {
  return proxy->SetStyle(r, g, b, flags, pos, length, units);
}
int32_t TProxyGadget::SetSelection(int32_t pos, int32_t length, int32_t units) {
  return proxy->SetSelection(pos, length, units);
}
int32_t TProxyGadget::CharAt(int32_t line) {
  return proxy->CharAt(line);
}
int32_t TProxyGadget::LineAt(int32_t index) {
  return proxy->LineAt(index);
}
int32_t TProxyGadget::SetValue(float value) {
  return proxy->SetValue(value);
}
int32_t TProxyGadget::SetRange(int32_t a, int32_t b) {
  return proxy->SetRange(a, b);
}
int32_t TProxyGadget::SetProp(int32_t value) {
  return proxy->SetProp(value);
}
int32_t TProxyGadget::GetProp() {
  return proxy->GetProp();
}
ObjectRef TProxyGadget::AttachGraphics(int32_t flags) {
  return proxy->AttachGraphics(flags);
}
ObjectRef TProxyGadget::CanvasGraphics() {
  return proxy->CanvasGraphics();
}
std::u16string TProxyGadget::Run(const std::u16string& script) {
  return proxy->Run(script);
}

}  // namespace quardeln
