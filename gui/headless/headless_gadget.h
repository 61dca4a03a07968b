// The gadget of the windowless GUI driver: what a native control would show is kept in
// plain fields that tests read. Program-made changes run desensitized and post nothing;
// only the user actions of user_actions.h post events. Freeing a gadget destroys its
// "native" side and that of everything inside it, and leaves its group.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/headless/recording_graphics.h"
#include "gui/gadget.h"

namespace quardeln {

class THeadlessGadget : public TGadget {
 public:
  THeadlessGadget(int32_t gadgetClass, int32_t creationStyle);
  ~THeadlessGadget() override;
  THeadlessGadget(const THeadlessGadget&) = delete;
  THeadlessGadget& operator=(const THeadlessGadget&) = delete;

  const int32_t gadgetClass;  // GADGETCLASS_*
  const NativeHandle handle;  // unique in the process; Query answers 0 once destroyed
  std::u16string text;        // title, caption or contents
  std::u16string tooltip;
  FontRef font;
  bool enabled = true;
  bool shown = true;
  bool minimised = false;
  bool maximised = false;
  bool topmost = false;     // set by platform code that places windows above all others
  bool foreground = false;  // likewise, asked to come to the foreground
  bool destroyed = false;   // its native side is gone (Free, or its window's Free)
  int32_t checked = 0;      // buttons: 1 checked, -1 third state, 0 clear
  int32_t rangeLow = 0;     // sliders: the limits of SetRange as the control keeps them
  int32_t rangeHigh = 0;
  int32_t rangeVisible = 0;  // sliders: the two arguments of the last SetRange
  int32_t rangeTotal = 0;
  int32_t position = 0;
  std::vector<int32_t> activations;  // every Activate code, in order
  std::vector<int32_t> itemStates;   // the native list's item states

  bool IsSlider(int32_t kind) const;
  bool TakesInput() const;  // alive, enabled and inside no disabled or destroyed group

  // A change of the native contents, by the program or the user: text fields and text
  // areas report it as GadgetAction, unless desensitized.
  void NativeTextChanged(std::u16string newText);
  // Emits through EmitGadgetEvent while sensitive; drops the event otherwise.
  void PostGuiEvent(int32_t id, int32_t data);
  // The end of creation: from now on the gadget reports what the user does.
  void Sensitize() { sensitive_ = true; }

  NativeHandle Query(int32_t which) override;
  int32_t Free() override;
  int32_t ClientWidth() override;
  int32_t ClientHeight() override;
  int32_t Activate(int32_t action) override;
  int32_t State() override;
  int32_t SetText(const std::u16string& newText) override;
  std::u16string GetText() override;
  int32_t SetFont(const FontRef& newFont) override;
  int32_t SetTooltip(const std::u16string& tip) override;
  std::u16string GetTooltip() override;
  int32_t SetShow(int32_t flag) override;
  int32_t SetEnabled(int32_t flag) override;
  int32_t SetSelected(int32_t flag) override;
  int32_t ClearListItems() override;
  int32_t InsertListItem(int32_t index, const std::u16string& itemText, const std::u16string& tip,
                         int32_t icon, ObjectRef extra) override;
  int32_t RemoveListItem(int32_t index) override;
  int32_t SetListItemState(int32_t index, int32_t state) override;
  int32_t ListItemState(int32_t index) override;
  int32_t AddText(const std::u16string& more) override;
  int32_t SetRange(int32_t first, int32_t second) override;
  int32_t SetProp(int32_t value) override;
  int32_t GetProp() override;
  int32_t SetRect(int32_t x, int32_t y, int32_t w, int32_t h) override;
  // Canvases: a recorder of the gadget's size, whose drawings tests read.
  ObjectRef AttachGraphics(int32_t flags) override;
  ObjectRef CanvasGraphics() override;
  const std::shared_ptr<TRecordingGraphics>& Recorder() const { return recorder_; }

 private:
  // Program-made changes run inside one: their native notifications post nothing.
  class Desensitized {
   public:
    explicit Desensitized(THeadlessGadget& gadget) : gadget_(gadget) { ++gadget_.quiet_; }
    ~Desensitized() { --gadget_.quiet_; }
    Desensitized(const Desensitized&) = delete;
    Desensitized& operator=(const Desensitized&) = delete;

   private:
    THeadlessGadget& gadget_;
  };

  void Destroy();  // this gadget's and its kids' native side
  int32_t Clamped(int32_t value) const;

  std::shared_ptr<TRecordingGraphics> recorder_;  // canvases, once attached
  bool sensitive_ = false;                        // off until creation has finished
  int32_t quiet_ = 0;                             // depth of program-made changes under way
};

using HeadlessGadgetRef = std::shared_ptr<THeadlessGadget>;

// The live gadget with that native handle, or null.
HeadlessGadgetRef HeadlessGadgetFromHandle(NativeHandle handle);
// Enters a new gadget in the handle table (the driver does, once it is made).
void RegisterHeadlessHandle(const HeadlessGadgetRef& gadget);
// The gadget the program last gave the focus (Activate with ACTION_FOCUS), while alive.
GadgetRef HeadlessFocus();
// The gadget as a headless one, or null.
HeadlessGadgetRef AsHeadless(const GadgetRef& gadget);

}  // namespace quardeln
