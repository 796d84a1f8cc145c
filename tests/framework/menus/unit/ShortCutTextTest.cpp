// Shortcut texts and caption accelerators.
#include <gtest/gtest.h>

#include "framework/menus/Hotkeys.h"
#include "framework/messages/ShortCuts.h"

namespace {

TEST(ShortCutText, TheShortcutsMenusShowReadAndWriteTheSameWay) {
  struct Case {
    TShortCut sc;
    const char* text;
  } cases[] = {
      {TShortCut(VK_F4 | scAlt), "Alt+F4"},
      {TShortCut(VK_F4 | scCtrl), "Ctrl+F4"},
      {TShortCut('S' | scCtrl), "Ctrl+S"},
      {TShortCut(VK_DELETE | scShift), "Shift+Del"},
      {TShortCut('N' | scCtrl | scShift), "Shift+Ctrl+N"},
      {TShortCut('X' | scShift | scCtrl | scAlt), "Shift+Ctrl+Alt+X"},
      {TShortCut(VK_F5), "F5"},
      {TShortCut(0x87), "F24"},
      {TShortCut(VK_RETURN), "Enter"},
      {TShortCut(VK_ESCAPE), "Esc"},
      {TShortCut(VK_SPACE), "Space"},
      {TShortCut(VK_BACK | scAlt), "Alt+BkSp"},
      {TShortCut(VK_TAB | scCtrl), "Ctrl+Tab"},
      {TShortCut(VK_INSERT), "Ins"},
      {TShortCut(VK_DELETE), "Del"},
      {TShortCut(VK_HOME), "Home"},
      {TShortCut(VK_END), "End"},
      {TShortCut(VK_PRIOR), "PgUp"},
      {TShortCut(VK_NEXT | scCtrl), "Ctrl+PgDn"},
      {TShortCut(VK_LEFT), "Left"},
      {TShortCut(VK_RIGHT), "Right"},
      {TShortCut(VK_UP | scShift), "Shift+Up"},
      {TShortCut(VK_DOWN), "Down"},
      {TShortCut(0x6B | scCtrl), "Ctrl+Num +"},
      {TShortCut(0x6E), "Num Del"},
      {TShortCut('7' | scAlt), "Alt+7"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortCutToText(c.sc), c.text) << std::hex << c.sc;
    EXPECT_EQ(TextToShortCut(c.text), c.sc) << c.text;
  }
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    TShortCut sc = ShortCut(Word(letter), {ssCtrl});
    EXPECT_EQ(ShortCutToText(sc), std::string("Ctrl+") + letter);
    EXPECT_EQ(TextToShortCut(ShortCutToText(sc)), sc);
  }
  for (int f = 1; f <= 12; ++f) {
    TShortCut sc = ShortCut(Word(VK_F1 + f - 1), {ssShift});
    EXPECT_EQ(ShortCutToText(sc), "Shift+F" + std::to_string(f));
    EXPECT_EQ(TextToShortCut("shift+f" + std::to_string(f)), sc);
  }
}

TEST(ShortCutText, EveryNamedKeyReadsBackToOneKeyUnderEveryModifier) {
  // Names must not shadow one another ("Del" / "Num Del", "-" / "Num -"); keypad digits
  // share the digit keys' names and read back as the digit keys.
  for (int key = 0; key <= 0xFF; ++key) {
    for (TShortCut mods : {TShortCut(0), scShift, scCtrl, TShortCut(scCtrl | scAlt)}) {
      std::string text = ShortCutToText(TShortCut(key | mods));
      if (text.empty()) continue;
      int expectedKey = (key >= 0x60 && key <= 0x69) ? '0' + key - 0x60 : key;
      EXPECT_EQ(TextToShortCut(text), TShortCut(expectedKey | mods)) << text;
    }
  }
}

TEST(ShortCutText, ReadingIgnoresCaseAcceptsAnyModifierOrderAndRejectsTheUnknown) {
  EXPECT_EQ(TextToShortCut("alt+f4"), TShortCut(VK_F4 | scAlt));
  EXPECT_EQ(TextToShortCut("CTRL+SHIFT+n"), TShortCut('N' | scCtrl | scShift));
  EXPECT_EQ(TextToShortCut("^S"), TShortCut('S' | scCtrl));
  EXPECT_EQ(TextToShortCut("Ctrl+Num +"), TShortCut(0x6B | scCtrl));
  EXPECT_EQ(TextToShortCut(""), 0);
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(TextToShortCut("Ctrl+Foo"), 0);
  EXPECT_EQ(TextToShortCut("Ctrl + S"), 0);
  EXPECT_EQ(TextToShortCut("F25"), 0);
  EXPECT_EQ(TextToShortCut("Hyper+S"), 0);
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(ShortCutToText(scCtrl), "");  // modifiers without a key name nothing
  EXPECT_EQ(ShortCutToText(TShortCut(0xFF | scAlt)), "");
}

TEST(ShortCutText, ShortCutPacksAndUnpacksKeyAndModifiers) {
  EXPECT_EQ(ShortCut(VK_F4, {ssAlt}), TShortCut(0x8073));
  EXPECT_EQ(ShortCut('S', {ssCtrl, ssShift}), TShortCut(0x6053));
  EXPECT_EQ(ShortCut(0x100, {ssCtrl}), 0);  // no key above a byte
  Word key = 0;
  TShiftState shift;
  ShortCutToKey(TShortCut('N' | scCtrl | scShift), key, shift);
  EXPECT_EQ(key, 'N');
  EXPECT_TRUE(shift == (TShiftState{ssCtrl, ssShift}));
  ShortCutToKey(TShortCut(VK_F4 | scAlt), key, shift);
  EXPECT_EQ(key, VK_F4);
  EXPECT_TRUE(shift == TShiftState{ssAlt});
}

TEST(Hotkeys, AcceleratorIsTheLetterAfterASingleAmpersandInEitherCase) {
  EXPECT_TRUE(IsAccel('F', "&File"));
  EXPECT_TRUE(IsAccel('f', "&File"));
  EXPECT_FALSE(IsAccel('i', "&File"));
  EXPECT_TRUE(IsAccel('n', "Mi&nimize"));
  EXPECT_TRUE(IsAccel('L', "Ro&llUp"));
  EXPECT_TRUE(IsAccel('t', "Minimize to &Tray"));
  EXPECT_FALSE(IsAccel('M', "Minimize to &Tray"));
  // "&&" is a literal ampersand, not a prefix.
  EXPECT_FALSE(IsAccel('E', "Save && Exit"));
  EXPECT_EQ(GetHotkey("Save && Exit"), "");
  EXPECT_TRUE(IsAccel('A', "&&&A"));
  EXPECT_TRUE(IsAccel('x', "Save && E&xit"));
  // The last of several counts; a trailing '&' names nothing.
  EXPECT_TRUE(IsAccel('B', "&A &B"));
  EXPECT_FALSE(IsAccel('A', "&A &B"));
  EXPECT_EQ(GetHotkey("Tail&"), "");
  EXPECT_FALSE(IsAccel('-', "-"));
  EXPECT_FALSE(IsAccel(0, ""));
  // East Asian captions: a Latin accelerator in brackets, or a whole character.
  EXPECT_TRUE(IsAccel('f', "文件(&F)"));
  EXPECT_TRUE(IsAccel(U'文', "&文件"));
  EXPECT_EQ(GetHotkey("&文件"), "文");
  EXPECT_FALSE(IsAccel(U'件', "&文件"));
}

TEST(Hotkeys, StripHotkeyShowsTheCaptionWithoutPrefixes) {
  EXPECT_EQ(StripHotkey("&File"), "File");
  EXPECT_EQ(StripHotkey("Save && E&xit"), "Save & Exit");
  EXPECT_EQ(StripHotkey("&&&A"), "&A");
  EXPECT_EQ(StripHotkey("Tail&"), "Tail");
  EXPECT_EQ(StripHotkey("文件(&F)"), "文件");
  EXPECT_EQ(StripHotkey("(&F) first"), "(F) first");  // not closing the caption
  EXPECT_EQ(StripHotkey("&文件"), "文件");
  EXPECT_EQ(StripHotkey("-"), "-");
  EXPECT_EQ(StripHotkey(""), "");
  // A malformed byte after the prefix is kept as it is, never read past the end.
  EXPECT_EQ(StripHotkey(std::string("A&\xE6")), std::string("A\xE6"));
  EXPECT_EQ(GetHotkey(std::string("&\xE6")), std::string("\xE6"));
}

}  // namespace
