// What the owners of borrowed resources give back: the object a DC held before, and the
// one reference a COM out-parameter hands over.
#include "runtime/win32/native_owner.h"

#include <gtest/gtest.h>

namespace quardeln {
namespace {

// A COM object that counts its references. COM objects are never deleted through the
// interface, which therefore has no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class TCounted final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  ULONG references = 0;
};
#pragma GCC diagnostic pop

// What a COM call does with its out-parameter: writes a reference it took for the caller.
HRESULT HandOut(TCounted& object, IUnknown** out) {
  object.AddRef();
  *out = &object;
  return S_OK;
}

TEST(NativeOwner, PutAdoptsWhatTheCallWroteAndReleasesWhatWasHeld) {
  TCounted first;
  TCounted second;
  const int64_t live = LiveNativeCount(NativeKind::kComInterface);
  TComRef<IUnknown> ref;
  // Seen at once, even in the expression of the call itself.
  EXPECT_TRUE(SUCCEEDED(HandOut(first, ref.Put())) && ref);
  EXPECT_EQ(ref.get(), &first);
  EXPECT_EQ(first.references, 1u);
  EXPECT_EQ(LiveNativeCount(NativeKind::kComInterface), live + 1);
  HandOut(second, ref.Put());
  EXPECT_EQ(first.references, 0u) << "the earlier reference goes";
  EXPECT_EQ(second.references, 1u);
  ref.reset();
  EXPECT_EQ(second.references, 0u);
  EXPECT_EQ(LiveNativeCount(NativeKind::kComInterface), live);
}

TEST(NativeOwner, ASelectedObjectLeavesItsDcWithTheScope) {
  const TWindowDc screen;
  ASSERT_TRUE(screen);
  const UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 4, 4));
  const UniqueDc dc(CreateCompatibleDC(screen.get()));
  HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_BITMAP);
  {
    const TSelectedObject selected(dc.get(), bitmap.get());
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), before);
  {
    const TMemoryDc memory(screen.get(), bitmap.get());
    EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_BITMAP), bitmap.get());
  }
  // Free again: a bitmap still selected into a DC could not be selected elsewhere.
  const TSelectedObject again(dc.get(), bitmap.get());
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
}

}  // namespace
}  // namespace quardeln
