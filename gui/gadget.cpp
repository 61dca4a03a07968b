#include "gui/gadget.h"

#include <algorithm>
#include <iterator>

#include "runtime/error.h"

namespace quardeln {

int32_t TGadgetItem::Set(const std::u16string& new_text, const std::u16string& new_tip,
                         int32_t new_icon, ObjectRef new_extra, int32_t new_flags) {
  text = new_text;
  tip = new_tip;
  icon = new_icon;
  extra = std::move(new_extra);
  flags = new_flags;
  return 0;
}

namespace {

constexpr const char16_t* kClassNames[] = {
    u"Desktop",  u"Window",  u"Button",      u"Panel",  u"TextField", u"TextArea",
    u"ComboBox", u"ListBox", u"Toolbar",     u"Tabber", u"TreeView",  u"HtmlView",
    u"Label",    u"Slider",  u"ProgressBar", u"Menu",   u"TreeNode",  u"Canvas"};
constexpr int32_t kClassCount = static_cast<int32_t>(std::size(kClassNames));
static_assert(kClassCount == GADGETCLASS_CANVAS + 1, "one name per gadget class");
constexpr size_t kDescribedTextLength = 40;

// The first line of a gadget's text, cut short: a text area may hold a whole document.
std::u16string FirstLine(const std::u16string& text) {
  std::u16string line = text.substr(0, text.find_first_of(u"\r\n"));
  if (line.size() > kDescribedTextLength) line = line.substr(0, kDescribedTextLength) + u"...";
  return line;
}

}  // namespace

TGadget::TGadget() = default;
TGadget::~TGadget() = default;

GadgetRef TGadget::Self() {
  return std::static_pointer_cast<TGadget>(shared_from_this());
}

int32_t TGadget::CallFilter(const EventRef& event) const {
  if (!eventfilter) RaiseError(kUninitializedFunctionMessage);
  return eventfilter(event, context);
}

std::u16string TGadget::Describe() const {
  const bool known = gadgetclass >= 0 && gadgetclass < kClassCount;
  std::u16string text = known ? kClassNames[gadgetclass] : u"Gadget";
  // GetText only reads, but is not const in the operation table the drivers override.
  const std::u16string shown = FirstLine(const_cast<TGadget*>(this)->GetText());
  if (!shown.empty()) text += u" \"" + shown + u"\"";
  return text;
}

int32_t TGadget::SetFilter(EventFilter filter, ObjectRef filter_context) {
  eventfilter = std::move(filter);
  context = std::move(filter_context);
  return 0;
}

bool TGadget::IsSelfOrAncestorOf(const TGadget* gadget) const {
  GadgetRef hold;
  while (gadget) {
    if (gadget == this) return true;
    hold = gadget->Parent();
    gadget = hold.get();
  }
  return false;
}

int32_t TGadget::_setparent(const GadgetRef& group, int32_t index) {
  // A gadget placed under itself or one of its descendants would own itself: refuse.
  if (IsSelfOrAncestorOf(group.get())) return 0;
  GadgetRef self = Self();  // keeps this gadget alive while it leaves its old group
  if (GadgetRef old = Parent()) {
    auto& siblings = old->kids;
    auto at = std::find(siblings.begin(), siblings.end(), self);
    if (at != siblings.end()) siblings.erase(at);
  }
  parent = group;
  if (!group) return 0;
  auto& kids_of_group = group->kids;
  if (index < 0 || static_cast<size_t>(index) >= kids_of_group.size()) {
    kids_of_group.push_back(std::move(self));
  } else {
    kids_of_group.insert(kids_of_group.begin() + index, std::move(self));
  }
  return 0;
}

GadgetRef TGadget::Handle() {
  return Self();
}

int32_t TGadget::SetSensitivity(int32_t flags) {
  sensitivity = flags;
  return 0;
}

int32_t TGadget::GetSensitivity() {
  return sensitivity;
}

// The operations the driver realises; the base answers 0, empty or null.
int32_t TGadget::Insert(const GadgetRef&, int32_t) {
  return 0;
}
NativeHandle TGadget::Query(int32_t) {
  return 0;
}
int32_t TGadget::Free() {
  return 0;
}
int32_t TGadget::Rethink() {
  return 0;
}
int32_t TGadget::ClientWidth() {
  return 0;
}
int32_t TGadget::ClientHeight() {
  return 0;
}
int32_t TGadget::Activate(int32_t) {
  return 0;
}
int32_t TGadget::State() {
  return 0;
}
int32_t TGadget::SetText(const std::u16string&) {
  return 0;
}
std::u16string TGadget::GetText() {
  return {};
}
int32_t TGadget::SetFont(const FontRef&) {
  return 0;
}
int32_t TGadget::SetColor(int32_t, int32_t, int32_t) {
  return 0;
}
int32_t TGadget::SetAlpha(float) {
  return 0;
}
int32_t TGadget::SetTextColor(int32_t, int32_t, int32_t) {
  return 0;
}
int32_t TGadget::SetTooltip(const std::u16string&) {
  return 0;
}
std::u16string TGadget::GetTooltip() {
  return {};
}
int32_t TGadget::SetPixmap(const PixmapRef&, int32_t) {
  return 0;
}
int32_t TGadget::SetIconStrip(const IconStripRef&) {
  return 0;
}
int32_t TGadget::SetShow(int32_t) {
  return 0;
}
int32_t TGadget::SetEnabled(int32_t) {
  return 0;
}
int32_t TGadget::SetSelected(int32_t) {
  return 0;
}
int32_t TGadget::SetHotKey(int32_t, int32_t) {
  return 0;
}
int32_t TGadget::SetStatus(const std::u16string&) {
  return 0;
}
GadgetRef TGadget::GetMenu() {
  return nullptr;
}
int32_t TGadget::PopupMenu(const GadgetRef&, ObjectRef) {
  return 0;
}
int32_t TGadget::UpdateMenu() {
  return 0;
}
int32_t TGadget::SetMinimumSize(int32_t, int32_t) {
  return 0;
}
int32_t TGadget::SetMaximumSize(int32_t, int32_t) {
  return 0;
}
int32_t TGadget::ClearListItems() {
  return 0;
}
int32_t TGadget::InsertListItem(int32_t, const std::u16string&, const std::u16string&, int32_t,
                                ObjectRef) {
  return 0;
}
int32_t TGadget::SetListItem(int32_t, const std::u16string&, const std::u16string&, int32_t,
                             ObjectRef) {
  return 0;
}
int32_t TGadget::RemoveListItem(int32_t) {
  return 0;
}
int32_t TGadget::SetListItemState(int32_t, int32_t) {
  return 0;
}
int32_t TGadget::ListItemState(int32_t) {
  return 0;
}
GadgetRef TGadget::RootNode() {
  return nullptr;
}
GadgetRef TGadget::InsertNode(int32_t, const std::u16string&, int32_t) {
  return nullptr;
}
int32_t TGadget::ModifyNode(const std::u16string&, int32_t) {
  return 0;
}
GadgetRef TGadget::SelectedNode() {
  return nullptr;
}
int32_t TGadget::CountKids() {
  return 0;
}
int32_t TGadget::ReplaceText(int32_t, int32_t, const std::u16string&, int32_t) {
  return 0;
}
int32_t TGadget::AddText(const std::u16string&) {
  return 0;
}
std::u16string TGadget::AreaText(int32_t, int32_t, int32_t) {
  return {};
}
int32_t TGadget::AreaLen(int32_t) {
  return 0;
}
int32_t TGadget::LockText() {
  return 0;
}
int32_t TGadget::UnlockText() {
  return 0;
}
int32_t TGadget::SetTabs(int32_t) {
  return 0;
}
int32_t TGadget::GetCursorPos(int32_t) {
  return 0;
}
int32_t TGadget::GetSelectionLength(int32_t) {
  return 0;
}
int32_t TGadget::SetStyle(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {
  return 0;
}
int32_t TGadget::SetSelection(int32_t, int32_t, int32_t) {
  return 0;
}
int32_t TGadget::CharAt(int32_t) {
  return 0;
}
int32_t TGadget::LineAt(int32_t) {
  return 0;
}
int32_t TGadget::SetValue(float) {
  return 0;
}
int32_t TGadget::SetRange(int32_t, int32_t) {
  return 0;
}
int32_t TGadget::SetProp(int32_t) {
  return 0;
}
int32_t TGadget::GetProp() {
  return 0;
}
ObjectRef TGadget::AttachGraphics(int32_t) {
  return nullptr;
}
ObjectRef TGadget::CanvasGraphics() {
  return nullptr;
}
std::u16string TGadget::Run(const std::u16string&) {
  return {};
}

int32_t EmitGadgetEvent(int32_t id, const GadgetRef& gadget, int32_t data, int32_t mods, int32_t x,
                        int32_t y, ObjectRef extra) {
  GadgetRef source = gadget ? gadget->source.lock() : nullptr;
  if (!source) source = gadget;
  TEvent::Create(id, std::move(source), data, mods, x, y, std::move(extra))->Emit();
  return 0;
}

}  // namespace quardeln
