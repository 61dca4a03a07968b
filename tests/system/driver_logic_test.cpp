#include "system/driver_logic.h"

#include <gtest/gtest.h>

#include <set>

namespace quardeln {
namespace {

// A key message's lParam: repeat count 1, the scan code, the extended-key bit, and the
// previous-state bit 30 for auto-repeat.
intptr_t KeyParam(int32_t scan, bool extended = false, bool repeat = false) {
  uint32_t bits = 1u | (static_cast<uint32_t>(scan) << 16) | (extended ? 1u << 24 : 0u) |
                  (repeat ? 1u << 30 : 0u);
  return static_cast<intptr_t>(bits);
}

uintptr_t WheelParam(int16_t delta, uint16_t keys = 0) {
  return (static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16) | keys;
}

TEST(SideKeyCode, TellsShiftControlAndAltApartBySide) {
  EXPECT_EQ(SideKeyCode(16, KeyParam(42)), 160);
  EXPECT_EQ(SideKeyCode(16, KeyParam(54)), 161);
  EXPECT_EQ(SideKeyCode(17, KeyParam(29)), 162);
  EXPECT_EQ(SideKeyCode(17, KeyParam(29, true)), 163);
  EXPECT_EQ(SideKeyCode(18, KeyParam(56)), 164);
  EXPECT_EQ(SideKeyCode(18, KeyParam(56, true)), 165);
}

TEST(SideKeyCode, LeavesOtherKeysAndIgnoresTheRepeatAndTransitionBits) {
  EXPECT_EQ(SideKeyCode(65, KeyParam(30)), 65);
  EXPECT_EQ(SideKeyCode(13, KeyParam(28, true)), 13);  // keypad enter: scan 156 is no side key
  EXPECT_EQ(SideKeyCode(16, KeyParam(42, false, true)), 160);
  // A key-up lParam has bits 30 and 31 set; as a 32-bit LPARAM it is negative.
  auto keyUp = static_cast<intptr_t>(static_cast<int32_t>(0xC02A0001u));
  EXPECT_EQ(SideKeyCode(16, keyUp), 160);
}

TEST(ModifierState, RebuiltFromTheKeysThatAreDown) {
  auto state = [](std::set<int32_t> down) {
    return ModifierStateFromKeys([&](int32_t key) { return down.count(key) > 0; });
  };
  EXPECT_EQ(state({}), 0);
  EXPECT_EQ(state({16}), 1);
  EXPECT_EQ(state({17, 18}), 6);
  EXPECT_EQ(state({92}), 8);
  EXPECT_EQ(state({16, 17, 18, 91, 92}), 15);
  EXPECT_EQ(state({160, 65}), 0);  // side codes and other keys are not asked for
}

TEST(ModifierState, OnlyKeyMessagesAboutModifiersRebuildIt) {
  EXPECT_TRUE(IsModifierKeyMessage(kNativeKeyDown, 16));
  EXPECT_TRUE(IsModifierKeyMessage(kNativeKeyUp, 17));
  EXPECT_TRUE(IsModifierKeyMessage(kNativeSysKeyDown, 18));
  EXPECT_TRUE(IsModifierKeyMessage(kNativeSysKeyUp, 92));
  EXPECT_FALSE(IsModifierKeyMessage(0x102, 16));  // WM_CHAR
  EXPECT_FALSE(IsModifierKeyMessage(kNativeKeyDown, 65));
  EXPECT_FALSE(IsModifierKeyMessage(kNativeKeyDown, 160));
}

TEST(MouseRules, WheelStepsTruncateTowardZero) {
  EXPECT_EQ(WheelSteps(WheelParam(120)), 1);
  EXPECT_EQ(WheelSteps(WheelParam(-120)), -1);
  EXPECT_EQ(WheelSteps(WheelParam(60)), 0);
  EXPECT_EQ(WheelSteps(WheelParam(-60)), 0);
  EXPECT_EQ(WheelSteps(WheelParam(360, 0x8)), 3);  // held keys in the low word do not count
}

TEST(MouseRules, HeldButtonOfAMoveRightBeatsMiddleBeatsLeft) {
  EXPECT_EQ(MouseMoveButton(0), 0);
  EXPECT_EQ(MouseMoveButton(0x1), 1);
  EXPECT_EQ(MouseMoveButton(0x10), 4);
  EXPECT_EQ(MouseMoveButton(0x2), 2);
  EXPECT_EQ(MouseMoveButton(0x11), 4);
  EXPECT_EQ(MouseMoveButton(0x13), 2);
  EXPECT_EQ(MouseMoveButton(0x4 | 0x8), 0);  // shift and control alone
}

TEST(MouseRules, CoordinatesAreSignedWords) {
  auto lParam = static_cast<intptr_t>(0xFFFE0005u);
  EXPECT_EQ(SignedLowWord(lParam), 5);
  EXPECT_EQ(SignedHighWord(lParam), -2);
  EXPECT_TRUE(IsKeyRepeat(KeyParam(42, false, true)));
  EXPECT_FALSE(IsKeyRepeat(KeyParam(42)));
}

TEST(MessageBoxes, StylesAndAnswers) {
  EXPECT_EQ(MessageBoxStyle(MessageKind::Notify, 0), 0x40040u);
  EXPECT_EQ(MessageBoxStyle(MessageKind::Notify, 1), 0x40030u);
  EXPECT_EQ(MessageBoxStyle(MessageKind::Confirm, 0), 0x40041u);
  EXPECT_EQ(MessageBoxStyle(MessageKind::Confirm, 7), 0x40031u);
  EXPECT_EQ(MessageBoxStyle(MessageKind::Proceed, 0), 0x40043u);
  EXPECT_EQ(MessageBoxStyle(MessageKind::Proceed, -1), 0x40033u);
  EXPECT_EQ(ConfirmAnswer(1), 1);
  EXPECT_EQ(ConfirmAnswer(2), 0);
  EXPECT_EQ(ProceedAnswer(6), 1);
  EXPECT_EQ(ProceedAnswer(7), 0);
  EXPECT_EQ(ProceedAnswer(2), -1);  // closed with the close box: IDCANCEL
}

TEST(Cursor, HiddenOnlyWhileHiddenAndOverATrackedWindow) {
  EXPECT_TRUE(CursorWanted(1, true));
  EXPECT_FALSE(CursorWanted(0, true));
  EXPECT_TRUE(CursorWanted(0, false));
  EXPECT_TRUE(CursorCountSettled(0));
  EXPECT_TRUE(CursorCountSettled(-1));
  EXPECT_FALSE(CursorCountSettled(1));
  EXPECT_FALSE(CursorCountSettled(-2));
}

TEST(RequestPath, SplitsAtTheLastBackslashAfterTurningSlashes) {
  RequestPath split = SplitRequestPath(u"c:/docs/readme.txt");
  EXPECT_EQ(split.directory, u"c:\\docs");
  EXPECT_EQ(split.name, u"readme.txt");
  split = SplitRequestPath(u"readme.txt");
  EXPECT_EQ(split.directory, u"");
  EXPECT_EQ(split.name, u"readme.txt");
  split = SplitRequestPath(u"c:\\docs/");
  EXPECT_EQ(split.directory, u"c:\\docs");
  EXPECT_EQ(split.name, u"");
  EXPECT_EQ(BackslashPath(u"a/b\\c/"), u"a\\b\\c\\");
}

TEST(FilterIndex, IsTheGroupListingTheFilesExtension) {
  // One group is group 1 (the dialog takes 0 and 1 alike here).
  EXPECT_EQ(InitialFilterIndex(u"Text Files:txt,log", u"c:/docs/readme.txt"), 1);
  EXPECT_EQ(InitialFilterIndex(u"Text:txt,log;All:*", u"c:/docs/readme.txt"), 1);
  EXPECT_EQ(InitialFilterIndex(u"A:txt;B:txt", u"readme.txt"), 1);  // the first wins
  // The last of several groups and the last extension of a group are found too.
  EXPECT_EQ(InitialFilterIndex(u"Docs:doc;Pictures:png;Text:txt", u"readme.txt"), 3);
  EXPECT_EQ(InitialFilterIndex(u"Text Files:txt,log", u"c:/docs/readme.log"), 1);
  // Case, blanks and a filter without descriptions.
  EXPECT_EQ(InitialFilterIndex(u"Text:TXT, Log", u"README.LOG"), 1);
  EXPECT_EQ(InitialFilterIndex(u"txt,log", u"readme.log"), 1);
}

TEST(FilterIndex, TakesTheExtensionOfTheFileNameOnly) {
  EXPECT_EQ(InitialFilterIndex(u"Text:txt;Logs:log", u"c:/v1.2/notes.log"), 2);
  EXPECT_EQ(InitialFilterIndex(u"Archives:gz;Tar:tar", u"backup.tar.gz"), 1);
  EXPECT_EQ(InitialFilterIndex(u"Text:txt", u"c:/v1.txt/readme"), 0);
}

TEST(FilterIndex, IsZeroWhenNothingMatches) {
  EXPECT_EQ(InitialFilterIndex(u"Text:txt", u"picture.png"), 0);
  EXPECT_EQ(InitialFilterIndex(u"Text:txt", u"readme"), 0);
  EXPECT_EQ(InitialFilterIndex(u"Text:txt", u""), 0);
  EXPECT_EQ(InitialFilterIndex(u"", u"readme.txt"), 0);
  EXPECT_EQ(InitialFilterIndex(u"Text:txt;All:*", u"readme."), 0);
  EXPECT_EQ(InitialFilterIndex(u"Mixed:txtx,xtxt", u"readme.txt"), 0);
}

TEST(NativeFilter, PairsDescriptionsWithPatterns) {
  using namespace std::string_literals;
  EXPECT_EQ(NativeFilterString(u"Text Files:txt,log"), "Text Files\0*.txt;*.log\0"s);
  EXPECT_EQ(NativeFilterString(u"Text:txt;All:*"), "Text\0*.txt\0All\0*.*\0"s);
  EXPECT_EQ(NativeFilterString(u"txt,log"), "Files\0*.txt;*.log\0"s);
  EXPECT_EQ(NativeFilterString(u""), "");
  EXPECT_EQ(NativeFilterString(u"Caf\u00e9:txt"), "Caf\xe9\0*.txt\0"s);  // an 8-bit string
}

}  // namespace
}  // namespace quardeln
