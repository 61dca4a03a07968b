// The gadget: one platform-independent node of the GUI tree with its rectangle, layout
// locks, items, data source, sensitivity and key filter. Every operation a gadget can be
// asked for is a virtual here; the base does the portable part (tree, layout, items) and
// answers 0, empty or null for the rest, which a GUI driver's gadget classes override.
// A gadget owns its kids and items; `parent` and a proxy's `source` are weak back links.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "events/event.h"
#include "gui/gadget_classes.h"
#include "runtime/object.h"

// <windows.h> turns these names into their ...W forms; the gadget operations keep theirs.
// A file that needs both includes <windows.h> first.
#ifdef SetProp
#undef SetProp
#endif
#ifdef GetProp
#undef GetProp
#endif
#ifdef ReplaceText
#undef ReplaceText
#endif

namespace quardeln {

class TGadget;
class TGadgetItem;
class TGuiFont;
class TIconStrip;
class TPixmap;
class TObjectList;
class TObjectArray;

using GadgetRef = std::shared_ptr<TGadget>;
using GadgetItemRef = std::shared_ptr<TGadgetItem>;
using FontRef = std::shared_ptr<TGuiFont>;
using IconStripRef = std::shared_ptr<TIconStrip>;
using PixmapRef = std::shared_ptr<TPixmap>;
// Kids and items: programs add at the end and take from the front (a log, a queue of
// jobs), which a deque does without moving the rest.
using GadgetKids = std::deque<GadgetRef>;
using GadgetItems = std::deque<GadgetItemRef>;

// A native window, font or other handle: pointer-sized, 0 for none.
using NativeHandle = std::intptr_t;

// A key-event filter: the keystroke goes through unless the filter answers 0.
// Whatever the filter captures is kept alive by the gadget: capture the gadget weakly.
using EventFilter = std::function<int32_t(const EventRef& event, const ObjectRef& context)>;

// One item of a list-style gadget.
class TGadgetItem final : public TObject {
 public:
  std::u16string text;
  std::u16string tip;
  int32_t icon = 0;   // index into the gadget's icon strip; -1 or less for none
  int32_t flags = 0;  // ITEMFLAG_*
  ObjectRef extra;    // user data

  // Note the order: extra before flags.
  int32_t Set(const std::u16string& new_text, const std::u16string& new_tip, int32_t new_icon,
              ObjectRef new_extra, int32_t new_flags);
};

class TGadget : public TObject {
 public:
  TGadget();
  ~TGadget() override;

  // The gadget events of this gadget name as their source; expired or unset means itself.
  std::weak_ptr<TGadget> source;
  // The group gadget whose `kids` hold this one.
  std::weak_ptr<TGadget> parent;
  GadgetKids kids;
  int32_t xpos = 0;
  int32_t ypos = 0;
  int32_t width = 0;
  int32_t height = 0;
  std::u16string name;  // free for the driver
  int32_t style = 0;
  int32_t gadgetclass = -1;  // the GADGETCLASS_* its driver made it as; -1 when unknown
  int32_t sensitivity = 0;   // SENSE_MOUSE | SENSE_KEYS
  int32_t visible = 0;       // kept, never read
  int32_t total = 1;         // kept, never read
  int32_t lockl = 0;         // edge rules: LOCK_CENTRE, LOCK_EDGE, LOCK_SCALE
  int32_t lockr = 0;
  int32_t lockt = 0;
  int32_t lockb = 0;
  int32_t lockx = 0;  // the rectangle and parent client size of the last LockLayout
  int32_t locky = 0;
  int32_t lockw = 0;
  int32_t lockh = 0;
  int32_t lockcw = 0;  // 0 until LockLayout, then at least 1
  int32_t lockch = 0;
  EventFilter eventfilter;  // empty means unset
  ObjectRef context;        // second argument of eventfilter
  GadgetItems items;
  ObjectRef datasource;
  std::vector<std::u16string> datakeys;

  GadgetRef Parent() const { return parent.lock(); }
  GadgetRef Self();  // this gadget as a shared reference
  // Whether a filter has been set, and calling it; calling an unset filter raises
  // "Attempt to call uninitialized function pointer".
  bool HasFilter() const { return static_cast<bool>(eventfilter); }
  int32_t CallFilter(const EventRef& event) const;
  // Its class and the first line of its text, for debugging: Button "Add", ListBox.
  std::u16string Describe() const override;

  // The operations, in slot order.
  virtual int32_t SetFilter(EventFilter filter, ObjectRef filter_context);  // 0
  virtual int32_t _setparent(const GadgetRef& group, int32_t index);
  virtual GadgetRef Handle();
  virtual int32_t SetShape(int32_t x, int32_t y, int32_t w, int32_t h);
  // SetRect, Rethink, LayoutKids; a driver whose native layer reports resizes may leave the
  // kid layout to its resize notification.
  virtual int32_t SetArea(int32_t x, int32_t y, int32_t w, int32_t h);
  virtual int32_t SetRect(int32_t x, int32_t y, int32_t w, int32_t h);  // 5
  virtual int32_t LockLayout();
  virtual int32_t SetLayout(int32_t left, int32_t right, int32_t top, int32_t bottom);
  virtual int32_t LayoutKids();
  virtual int32_t DoLayout();
  virtual int32_t SetDataSource(ObjectRef data_source);  // 10
  static std::vector<std::u16string> KeysFromList(const TObjectList& list);
  static std::vector<std::u16string> KeysFromObjectArray(const TObjectArray& objects);
  virtual int32_t SyncDataSource();
  virtual int32_t SyncData(const std::vector<std::u16string>& keys);
  virtual int32_t InsertItemFromKey(int32_t index, const std::u16string& key);  // 15
  virtual int32_t Clear();
  virtual int32_t InsertItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                             int32_t icon, ObjectRef extra, int32_t flags);
  virtual int32_t SetItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                          int32_t icon, ObjectRef extra, int32_t flags);
  virtual int32_t RemoveItem(int32_t index);
  virtual int32_t ItemCount();  // 20
  virtual std::u16string ItemText(int32_t index);
  virtual std::u16string ItemTip(int32_t index);
  virtual int32_t ItemFlags(int32_t index);
  virtual int32_t ItemIcon(int32_t index);
  virtual ObjectRef ItemExtra(int32_t index);  // 25
  virtual int32_t SetItemState(int32_t index, int32_t state);
  virtual int32_t ItemState(int32_t index);
  virtual int32_t SelectItem(int32_t index, int32_t op);  // op: SELECT_OFF, _ON, _TOGGLE
  virtual int32_t SelectedItem();
  virtual std::vector<int32_t> SelectedItems();  // 30
  virtual int32_t Insert(const GadgetRef& gadget, int32_t index);
  virtual NativeHandle Query(int32_t which);
  // A driver's Free releases the native resources and detaches with _setparent(nullptr, -1);
  // the kids are not freed with it. The base does nothing.
  virtual int32_t Free();
  virtual int32_t Rethink();
  virtual int32_t ClientWidth();  // 35
  virtual int32_t ClientHeight();
  virtual int32_t Activate(int32_t action);
  virtual int32_t State();
  virtual int32_t SetText(const std::u16string& text);
  virtual std::u16string GetText();  // 40
  virtual int32_t SetFont(const FontRef& font);
  virtual int32_t SetColor(int32_t r, int32_t g, int32_t b);
  virtual int32_t SetAlpha(float alpha);
  virtual int32_t SetTextColor(int32_t r, int32_t g, int32_t b);
  virtual int32_t SetTooltip(const std::u16string& text);  // 45
  virtual std::u16string GetTooltip();
  virtual int32_t SetPixmap(const PixmapRef& pixmap, int32_t flags);
  virtual int32_t SetIconStrip(const IconStripRef& strip);
  virtual int32_t SetShow(int32_t flag);
  virtual int32_t SetEnabled(int32_t flag);  // 50
  virtual int32_t SetSelected(int32_t flag);
  virtual int32_t SetHotKey(int32_t key, int32_t mods);
  virtual int32_t SetSensitivity(int32_t flags);
  virtual int32_t GetSensitivity();
  virtual int32_t SetStatus(const std::u16string& text);  // 55
  virtual GadgetRef GetMenu();
  virtual int32_t PopupMenu(const GadgetRef& menu, ObjectRef extra);
  virtual int32_t UpdateMenu();
  virtual int32_t SetMinimumSize(int32_t w, int32_t h);
  virtual int32_t SetMaximumSize(int32_t w, int32_t h);  // 60
  // The native side of the item list; the portable item operations end in these.
  virtual int32_t ClearListItems();
  virtual int32_t InsertListItem(int32_t index, const std::u16string& text,
                                 const std::u16string& tip, int32_t icon, ObjectRef extra);
  virtual int32_t SetListItem(int32_t index, const std::u16string& text, const std::u16string& tip,
                              int32_t icon, ObjectRef extra);
  virtual int32_t RemoveListItem(int32_t index);
  virtual int32_t SetListItemState(int32_t index, int32_t state);  // 65
  virtual int32_t ListItemState(int32_t index);
  virtual GadgetRef RootNode();
  virtual GadgetRef InsertNode(int32_t index, const std::u16string& text, int32_t icon);
  virtual int32_t ModifyNode(const std::u16string& text, int32_t icon);
  virtual GadgetRef SelectedNode();  // 70
  virtual int32_t CountKids();
  virtual int32_t ReplaceText(int32_t pos, int32_t length, const std::u16string& text,
                              int32_t units);
  virtual int32_t AddText(const std::u16string& text);
  virtual std::u16string AreaText(int32_t pos, int32_t length, int32_t units);
  virtual int32_t AreaLen(int32_t units);  // 75
  virtual int32_t LockText();
  virtual int32_t UnlockText();
  virtual int32_t SetTabs(int32_t tabs);
  virtual int32_t GetCursorPos(int32_t units);
  virtual int32_t GetSelectionLength(int32_t units);  // 80
  virtual int32_t SetStyle(int32_t r, int32_t g, int32_t b, int32_t flags, int32_t pos,
                           int32_t length, int32_t units);
  virtual int32_t SetSelection(int32_t pos, int32_t length, int32_t units);
  virtual int32_t CharAt(int32_t line);
  virtual int32_t LineAt(int32_t index);
  virtual int32_t SetValue(float value);  // 85
  virtual int32_t SetRange(int32_t a, int32_t b);
  virtual int32_t SetProp(int32_t value);
  virtual int32_t GetProp();
  virtual ObjectRef AttachGraphics(int32_t flags);
  virtual ObjectRef CanvasGraphics();  // 90
  virtual std::u16string Run(const std::u16string& script);

 private:
  bool ValidItem(int32_t index) const;
  bool IsSelfOrAncestorOf(const TGadget* gadget) const;
};

// The one way gadget events are emitted: the event's source is gadget->source when that
// is set and alive, else the gadget (null for application events). Returns 0.
int32_t EmitGadgetEvent(int32_t id, const GadgetRef& gadget, int32_t data, int32_t mods, int32_t x,
                        int32_t y, ObjectRef extra);

}  // namespace quardeln
