// A tiny in-memory GUI driver for the core's tests: gadgets keep a native item list,
// state bits and a client size in plain fields, and the driver follows the creation order
// every driver keeps (text, parent, shape). Also an event recorder on the emission chain.
#pragma once

#include <string>
#include <vector>

#include "events/event.h"
#include "events/hooks.h"
#include "gui/api.h"
#include "gui/gui_driver.h"
#include "gui/proxy.h"

namespace quardeln::testing {

struct NativeItem {
  std::u16string text;
  std::u16string tip;
  int32_t icon = 0;
  ObjectRef extra;
  int32_t state = 0;
};

class FakeGadget : public TGadget {
 public:
  int32_t class_ = -1;
  int32_t client_width = 0;
  int32_t client_height = 0;
  int32_t state = 0;
  std::u16string text;
  std::vector<NativeItem> native;
  int32_t native_inserts = 0;
  int32_t native_removes = 0;
  int32_t rethinks = 0;
  int32_t hotkey = 0;
  int32_t attached_flags = -1;
  std::vector<int32_t> actions;
  IconStripRef strip;

  int32_t ClientWidth() override { return client_width; }
  int32_t ClientHeight() override { return client_height; }
  int32_t State() override { return state; }
  int32_t SetText(const std::u16string& value) override {
    text = value;
    return 0;
  }
  std::u16string GetText() override { return text; }
  int32_t Rethink() override { return ++rethinks, 0; }
  int32_t Activate(int32_t action) override { return actions.push_back(action), 0; }
  int32_t SetHotKey(int32_t key, int32_t) override { return hotkey = key, 0; }
  int32_t SetIconStrip(const IconStripRef& value) override { return strip = value, 0; }
  ObjectRef AttachGraphics(int32_t flags) override { return attached_flags = flags, nullptr; }
  int32_t Free() override { return _setparent(nullptr, -1); }

  int32_t ClearListItems() override { return native.clear(), 0; }
  int32_t InsertListItem(int32_t index, const std::u16string& item_text, const std::u16string& tip,
                         int32_t icon, ObjectRef extra) override {
    ++native_inserts;
    native.insert(native.begin() + index, NativeItem{item_text, tip, icon, std::move(extra), 0});
    return 0;
  }
  int32_t SetListItem(int32_t index, const std::u16string& item_text, const std::u16string& tip,
                      int32_t icon, ObjectRef extra) override {
    auto& item = native.at(static_cast<size_t>(index));
    item.text = item_text, item.tip = tip, item.icon = icon, item.extra = std::move(extra);
    return 0;
  }
  int32_t RemoveListItem(int32_t index) override {
    ++native_removes;
    native.erase(native.begin() + index);
    return 0;
  }
  int32_t SetListItemState(int32_t index, int32_t value) override {
    return native.at(static_cast<size_t>(index)).state = value, 0;
  }
  int32_t ListItemState(int32_t index) override {
    return native.at(static_cast<size_t>(index)).state;
  }

  std::vector<std::u16string> NativeTexts() const {
    std::vector<std::u16string> texts;
    for (const auto& item : native) texts.push_back(item.text);
    return texts;
  }
};

using FakeRef = std::shared_ptr<FakeGadget>;

inline FakeRef NewFake(int32_t client_width = 0, int32_t client_height = 0) {
  auto gadget = std::make_shared<FakeGadget>();
  gadget->client_width = client_width;
  gadget->client_height = client_height;
  return gadget;
}

class FakeDriver : public TOrvaneDriver {
 public:
  FakeRef desktop = NewFake(1024, 768);
  GadgetRef focused;
  int32_t colour_answer = 0;
  int32_t last_pointer = -1;
  int32_t last_font_style = -1;
  bool make_nothing = false;
  struct Call {
    int32_t class_, x, y, w, h, style;
    std::u16string text;
    GadgetRef group;
  };
  std::vector<Call> calls;

  FakeDriver() { desktop->SetRect(0, 0, 1024, 768); }

  FontRef LoadFont(const std::u16string& name, int32_t size, int32_t style) override {
    auto font = std::make_shared<TGuiFont>();
    font->name = name, font->size = size, font->style = style;
    last_font_style = style;
    return font;
  }

  GadgetRef CreateGadget(int32_t class_, const std::u16string& text, int32_t x, int32_t y,
                         int32_t w, int32_t h, const GadgetRef& group, int32_t style) override {
    calls.push_back(Call{class_, x, y, w, h, style, text, group});
    if (class_ == GADGETCLASS_DESKTOP) return desktop;
    if (make_nothing) return nullptr;
    GadgetRef into = (class_ == GADGETCLASS_WINDOW && !group) ? GadgetRef(desktop) : group;
    auto gadget = NewFake(w, h);
    gadget->class_ = class_;
    gadget->SetText(text);
    if (into) gadget->_setparent(into, -1);
    if (class_ != GADGETCLASS_TOOLBAR) gadget->SetShape(x, y, w, h);
    return gadget;
  }

  GadgetRef ActiveGadget() override { return focused; }
  int32_t RequestColor(int32_t, int32_t, int32_t) override { return colour_answer; }
  FontRef RequestFont(const FontRef& font) override { return font; }
  int32_t SetPointer(int32_t shape) override { return last_pointer = shape, 0; }

  IconStripRef LoadIconStrip(const ObjectRef& source) override {
    PixmapRef pixmap = LoadPixmap(source);
    if (!pixmap || IconCountOf(*pixmap) == 0) return nullptr;
    auto strip = std::make_shared<TIconStrip>();
    strip->pixmap = pixmap;
    strip->count = IconCountOf(*pixmap);
    return strip;
  }
};

// Installs a fresh FakeDriver for one test and removes it afterwards.
class DriverScope {
 public:
  DriverScope() : driver(std::make_shared<FakeDriver>()) { StartGuiModule(driver); }
  ~DriverScope() { ActiveGuiDriver = nullptr; }
  DriverScope(const DriverScope&) = delete;
  DriverScope& operator=(const DriverScope&) = delete;
  std::shared_ptr<FakeDriver> driver;
};

// Records every event emitted while it lives.
class EventRecorder {
 public:
  EventRecorder() {
    StartEventsModule();
    Events().clear();
    InsertHook(EventHookId, &Record, nullptr, 0);
  }
  ~EventRecorder() {
    DeleteHook(EventHookId, &Record, nullptr);
    Events().clear();
  }
  EventRecorder(const EventRecorder&) = delete;
  EventRecorder& operator=(const EventRecorder&) = delete;

  static std::vector<EventRef>& Events() {
    static std::vector<EventRef> events;
    return events;
  }

 private:
  static ObjectRef Record(int32_t, ObjectRef data, const ObjectRef&) {
    if (auto event = std::dynamic_pointer_cast<TEvent>(data)) Events().push_back(event);
    return data;
  }
};

}  // namespace quardeln::testing
