#include "gui/headless/headless_gadget.h"

#include <algorithm>
#include <atomic>
#include <unordered_map>

#include "gui/font.h"

namespace quardeln {
namespace {

// Handle to gadget, as a native window table would be; entries leave on destruction.
// Deliberately never freed: gadgets held by globals may outlive static destruction.
std::unordered_map<NativeHandle, std::weak_ptr<THeadlessGadget>>& HandleTable() {
  static auto* table = new std::unordered_map<NativeHandle, std::weak_ptr<THeadlessGadget>>;
  return *table;
}

std::weak_ptr<TGadget>& Focus() {
  static std::weak_ptr<TGadget> focus;
  return focus;
}

NativeHandle NewHandle() {
  static std::atomic<NativeHandle> last{0x1000};
  return last += 4;
}

// What a group box takes from its client area for its frame and caption.
constexpr int32_t kGroupFrameWidth = 8;
constexpr int32_t kGroupFrameHeight = 20;

bool ShowsText(int32_t gadgetClass) {
  return gadgetClass == GADGETCLASS_TEXTFIELD || gadgetClass == GADGETCLASS_TEXTAREA;
}

}  // namespace

THeadlessGadget::THeadlessGadget(int32_t gadgetClass_, int32_t creationStyle)
    : gadgetClass(gadgetClass_), handle(NewHandle()) {
  style = creationStyle;
  gadgetclass = gadgetClass_;
}

THeadlessGadget::~THeadlessGadget() {
  HandleTable().erase(handle);
}

HeadlessGadgetRef HeadlessGadgetFromHandle(NativeHandle handle) {
  auto found = HandleTable().find(handle);
  if (found == HandleTable().end()) return nullptr;
  HeadlessGadgetRef gadget = found->second.lock();
  return gadget && !gadget->destroyed ? gadget : nullptr;
}

GadgetRef HeadlessFocus() {
  GadgetRef focus = Focus().lock();
  auto headless = AsHeadless(focus);
  return headless && !headless->destroyed ? focus : nullptr;
}

HeadlessGadgetRef AsHeadless(const GadgetRef& gadget) {
  return std::dynamic_pointer_cast<THeadlessGadget>(gadget);
}

void RegisterHeadlessHandle(const HeadlessGadgetRef& gadget) {
  HandleTable()[gadget->handle] = gadget;
}

bool THeadlessGadget::IsSlider(int32_t kind) const {
  return gadgetClass == GADGETCLASS_SLIDER && SliderKind(style) == kind;
}

bool THeadlessGadget::TakesInput() const {
  for (const TGadget* at = this; at != nullptr;) {
    auto* gadget = dynamic_cast<const THeadlessGadget*>(at);
    if (gadget && (gadget->destroyed || !gadget->enabled)) return false;
    GadgetRef up = at->Parent();
    at = up.get();
  }
  return true;
}

void THeadlessGadget::NativeTextChanged(std::u16string newText) {
  text = std::move(newText);
  if (ShowsText(gadgetClass)) PostGuiEvent(GadgetAction, 0);
}

void THeadlessGadget::PostGuiEvent(int32_t id, int32_t data) {
  if (sensitive_ && quiet_ == 0) EmitGadgetEvent(id, Self(), data, 0, 0, 0, nullptr);
}

NativeHandle THeadlessGadget::Query(int32_t which) {
  if (which != QUERY_NATIVE && which != QUERY_NATIVE_CLIENT) return 0;
  return destroyed ? 0 : handle;
}

void THeadlessGadget::Destroy() {
  destroyed = true;
  if (recorder_) recorder_->Release();
  HandleTable().erase(handle);
  for (const GadgetRef& kid : kids) {
    if (auto headless = AsHeadless(kid)) headless->Destroy();
  }
}

int32_t THeadlessGadget::Free() {
  if (gadgetClass == GADGETCLASS_DESKTOP) return 0;
  Destroy();
  _setparent(nullptr, -1);
  return 0;
}

int32_t THeadlessGadget::SetRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  TGadget::SetRect(x, y, w, h);
  if (recorder_ && !destroyed) recorder_->Resize(width, height);
  return 0;
}

ObjectRef THeadlessGadget::AttachGraphics(int32_t) {
  if (gadgetClass != GADGETCLASS_CANVAS || destroyed) return nullptr;
  if (recorder_) recorder_->Release();
  recorder_ = std::make_shared<TRecordingGraphics>(width, height);
  return nullptr;
}

ObjectRef THeadlessGadget::CanvasGraphics() {
  return recorder_;
}

int32_t THeadlessGadget::ClientWidth() {
  bool group = gadgetClass == GADGETCLASS_PANEL && (style & PANEL_GROUP);
  return group ? width - kGroupFrameWidth : width;
}

int32_t THeadlessGadget::ClientHeight() {
  bool group = gadgetClass == GADGETCLASS_PANEL && (style & PANEL_GROUP);
  return group ? height - kGroupFrameHeight : height;
}

int32_t THeadlessGadget::Activate(int32_t action) {
  activations.push_back(action);
  if (action == ACTION_FOCUS) Focus() = Self();
  if (gadgetClass != GADGETCLASS_WINDOW) return 0;
  if (action == ACTION_MINIMISE || action == ACTION_MAXIMISE || action == ACTION_RESTORE) {
    minimised = action == ACTION_MINIMISE;
    maximised = action == ACTION_MAXIMISE;
  }
  return 0;
}

int32_t THeadlessGadget::State() {
  int32_t state = 0;
  if (!shown) state |= GADGETSTATE_HIDDEN;
  if (!enabled) state |= GADGETSTATE_DISABLED;
  if (minimised) state |= GADGETSTATE_MINIMISED;
  if (maximised) state |= GADGETSTATE_MAXIMISED;
  if (checked != 0) state |= GADGETSTATE_CHECKED;
  if (checked < 0) state |= GADGETSTATE_MIXED;
  return state;
}

int32_t THeadlessGadget::SetText(const std::u16string& newText) {
  Desensitized quiet(*this);
  NativeTextChanged(newText);
  return 0;
}

std::u16string THeadlessGadget::GetText() {
  return text;
}

int32_t THeadlessGadget::SetFont(const FontRef& newFont) {
  font = newFont;
  return 0;
}

int32_t THeadlessGadget::SetTooltip(const std::u16string& tip) {
  tooltip = tip;
  return 0;
}

std::u16string THeadlessGadget::GetTooltip() {
  return tooltip;
}

int32_t THeadlessGadget::SetShow(int32_t flag) {
  shown = flag != 0;
  return 0;
}

int32_t THeadlessGadget::SetEnabled(int32_t flag) {
  enabled = flag != 0;
  return 0;
}

int32_t THeadlessGadget::SetSelected(int32_t flag) {
  checked = flag == 0 ? 0 : (flag == -1 && (style & BUTTON_KIND_MASK) == BUTTON_CHECKBOX ? -1 : 1);
  return 0;
}

int32_t THeadlessGadget::ClearListItems() {
  itemStates.clear();
  return 0;
}

int32_t THeadlessGadget::InsertListItem(int32_t index, const std::u16string&, const std::u16string&,
                                        int32_t, ObjectRef) {
  index = std::clamp<int32_t>(index, 0, static_cast<int32_t>(itemStates.size()));
  itemStates.insert(itemStates.begin() + index, 0);
  return 0;
}

int32_t THeadlessGadget::RemoveListItem(int32_t index) {
  if (index >= 0 && static_cast<size_t>(index) < itemStates.size()) {
    itemStates.erase(itemStates.begin() + index);
  }
  return 0;
}

int32_t THeadlessGadget::SetListItemState(int32_t index, int32_t state) {
  if (index < 0 || static_cast<size_t>(index) >= itemStates.size()) return 0;
  // List boxes, combo boxes and tabbers hold one selection, as their native controls do;
  // a toolbar's toggle buttons are selected one by one.
  const bool selectsOne = gadgetClass == GADGETCLASS_LISTBOX ||
                          gadgetClass == GADGETCLASS_COMBOBOX || gadgetClass == GADGETCLASS_TABBER;
  if (selectsOne && (state & ITEMSTATE_SELECTED)) {
    for (int32_t& other : itemStates) other &= ~ITEMSTATE_SELECTED;
  }
  itemStates[index] = state;
  return 0;
}

int32_t THeadlessGadget::ListItemState(int32_t index) {
  bool inside = index >= 0 && static_cast<size_t>(index) < itemStates.size();
  return inside ? itemStates[index] : 0;
}

int32_t THeadlessGadget::AddText(const std::u16string& more) {
  if (gadgetClass != GADGETCLASS_TEXTAREA) return 0;
  Desensitized quiet(*this);
  NativeTextChanged(text + more);
  return 0;
}

// The value model of the three kinds: a scroll bar runs from 0 to total - 1, a track
// bar and a stepper from visible to total. Like the native controls, a new range pulls
// the position inside it.
int32_t THeadlessGadget::SetRange(int32_t first, int32_t second) {
  if (gadgetClass != GADGETCLASS_SLIDER) return 0;
  Desensitized quiet(*this);
  rangeVisible = first;
  rangeTotal = second;
  bool scrollBar = IsSlider(SLIDER_SCROLLBAR);
  rangeLow = scrollBar ? 0 : first;
  rangeHigh = scrollBar ? second - 1 : second;
  position = Clamped(position);
  return 0;
}

int32_t THeadlessGadget::SetProp(int32_t value) {
  if (gadgetClass != GADGETCLASS_SLIDER) return 0;
  Desensitized quiet(*this);
  position = Clamped(value);
  return 0;
}

int32_t THeadlessGadget::GetProp() {
  return position;
}

int32_t THeadlessGadget::Clamped(int32_t value) const {
  // An up-down control may have its limits the other way round.
  return std::clamp(value, std::min(rangeLow, rangeHigh), std::max(rangeLow, rangeHigh));
}

}  // namespace quardeln
