// Every class stored layouts can create, read from a hand-written block naming each
// property the class publishes, then written back and read again. A misspelt property
// or value name fails the read; a property registered without its getter, or one
// whose getter reads something else, fails the comparison with the written block.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/Unt_main.h"
#include "framework/core/Exceptions.h"
#include "framework/graphics/ImageList.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "framework/layout/LayoutWriter.h"
#include "framework/windows/Forms.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinTrayIcon.h"

namespace {

class TTableRoot : public TForm {
 public:
  using TForm::TForm;
  std::string ClassName() const override { return "TTableRoot"; }
};

// Owner: the class whose own properties the lines set; Create: the class made for it
// (a creatable descendant when the owner is abstract, or a descendant whose class chain
// must reach the owner), inside Host if it needs one.
struct TClassCase {
  const char* Owner;
  const char* Create;
  const char* Lines;
  const char* Host = nullptr;
};

const char* HostOf(const std::string& cls) { return cls == "TMenuItem" ? "TPopupMenu" : nullptr; }

// A 1 x 1 BMP, red; the same file after its 32-bit length, as older layouts store it.
#define BMP_1X1_BYTES "424D3A0000000000000036000000280000000100000001000000010018000000000004000000000000000000000000000000000000000000FF00"
#define BMP_1X1 "{" BMP_1X1_BYTES "}"
#define BMP_1X1_SIZED "{3A000000" BMP_1X1_BYTES "}"

const TClassCase kCases[] = {
    {"TControl", "TTrackBar", R"(ClientWidth = 120
ClientHeight = 40
Left = 7
Top = 9
Width = 123
Height = 45
Text = 'Replaced'
Caption = 'Track'
Color = clTeal
Enabled = False
Visible = False
Font.Name = 'Serif'
Font.Height = -15
Font.Color = clMaroon
Font.Charset = GB2312_CHARSET
Font.Style = [fsBold, fsStrikeOut]
ParentFont = False
ParentColor = False
Hint = 'Tip'
ShowHint = True
ParentShowHint = False
Anchors = [akRight, akBottom]
Tag = 42
Cursor = crHandPoint
PopupMenu = Menu
OnClick = Handler
OnDblClick = Handler
OnMouseEnter = Handler
OnMouseLeave = Handler
OnResize = Handler
OnEnter = Handler
OnExit = Handler)"},
    {"TControl", "TBevel", "Align = alRight"},
    {"TControl", "TLabel", "Left = 5\nTop = 6"},
    {"TWinControl", "TTrackBar", "TabOrder = 1\nTabStop = False"},
    {"TWinControl", "TButton", "TabOrder = 2\nTabStop = False"},
    {"TWinControl", "TbsSkinButton", "TabOrder = 2"},
    {"TTrackBar", "TTrackBar", R"(Min = -5
Max = 50
Position = 17
Orientation = trVertical
Frequency = 5
TickStyle = tsManual
TickMarks = tmBoth
LineSize = 3
PageSize = 9
ThumbLength = 14
SliderVisible = False
OnChange = Handler)"},
    {"TLabel", "TLabel", R"(Caption = '&Name:'
AutoSize = False
Alignment = taCenter
Layout = tlBottom
Transparent = True
WordWrap = True
ShowAccelChar = False
FocusControl = Other)"},
    {"TLabel", "TbsSkinStdLabel", "Caption = 'File &name:'"},
    {"TButton", "TButton", R"(Caption = 'OK'
Default = True
Cancel = True
ModalResult = mrRetry
OnClick = Handler)"},
    {"TRadioGroup", "TRadioGroup", R"(Caption = 'Pick'
Items.Strings = (
  'One'
  'Two'
  'Three')
ItemIndex = 2
Columns = 3
OnClick = Handler)"},
    {"TBevel", "TBevel", "Shape = bsLeftLine\nStyle = bsRaised"},
    {"TBevel", "TbsSkinBevel", "Shape = bsTopLine"},
    {"TEdit", "TEdit", R"(Text = 'typed'
MaxLength = 12
ReadOnly = True
PasswordChar = '*'
OnChange = Handler)"},
    {"TOpenDialog", "TOpenDialog", R"(Title = 'Open video'
Filter = 'Video|*.avi'
FilterIndex = 2
FileName = 'a.avi'
InitialDir = '/tmp'
DefaultExt = 'avi'
Options = [ofHideReadOnly, ofNoChangeDir])"},
    {"TListView", "TListView", R"(ViewStyle = vsReport
ShowColumnHeaders = False
MultiSelect = True
HideSelection = False
ReadOnly = True
OwnerData = False
Columns.Strings = (
  'Name,120'
  'Size,40')
Items.Strings = (
  'first'
  'second')
SmallImages = Pics
LargeImages = Pics
OnChange = Handler
OnDblClick = Handler)"},
    {"TListView", "TbsSkinListView", "ViewStyle = vsReport\nMultiSelect = True"},
    {"TCustomForm", "TForm", R"(BorderStyle = bsToolWindow
BorderIcons = [biSystemMenu, biHelp]
Position = poScreenCenter
FormStyle = fsStayOnTop
WindowState = wsMinimized
KeyPreview = True
AutoScroll = False
Scaled = False
OldCreateOrder = False
PixelsPerInch = 96
TextHeight = 13
OnCreate = Handler
OnShow = Handler
OnHide = Handler
OnDestroy = Handler
OnActivate = Handler
OnDeactivate = Handler
OnClose = Handler)"},
    {"TTimer", "TTimer", "Interval = 250\nEnabled = False\nOnTimer = Handler"},
    {"TBasicAction", "TAction", "OnExecute = Handler\nOnUpdate = Handler"},
    {"TAction", "TAction", R"(Caption = '&Record'
Checked = True
Enabled = False
Hint = 'Record now'
ImageIndex = 4
ShortCut = 16466
Visible = False
GroupIndex = 3
AutoCheck = True)"},
    {"TMenuItem", "TMenuItem", R"(Caption = '&Close'
ShortCut = 32883
Checked = True
RadioItem = True
GroupIndex = 2
AutoCheck = True
Enabled = False
Visible = False
Default = True
ImageIndex = 3
Hint = 'Close it'
Tag = 9
Action = Act
OnClick = Handler)", "TPopupMenu"},
    {"TMenu", "TPopupMenu", "Images = Pics"},
    {"TPopupMenu", "TPopupMenu", "AutoPopup = False\nOnPopup = Handler"},
    {"TPopupMenu", "TbsSkinPopupMenu", "AutoPopup = False"},
    {"TbsSkinData", "TbsSkinData", "CompressedStoredSkin = Packed\nResourceStrData = Strs"},
    {"TbsCompressedStoredSkin", "TbsCompressedStoredSkin", R"(Description = 'Slate'
FileName = 'skin.ini'
CompressedFileName = 'skin.skn'
CompressedData = {})"},
    {"TbsResourceStrData", "TbsResourceStrData", R"(ResStrings = (
  'OK=Fine'
  'CANCEL=Stop')
CharSet = 134)"},
    {"TbsSkinControl", "TbsSkinButton", "SkinData = Data\nSkinDataName = 'resizebutton'"},
    {"TbsSkinCustomControl", "TbsSkinButton", R"(DefaultFont.Name = 'Sans'
DefaultFont.Height = -13
DefaultFont.Color = clNavy
DefaultFont.Charset = SYMBOL_CHARSET
DefaultFont.Style = [fsItalic]
DefaultWidth = 60
DefaultHeight = 22
UseSkinFont = False)"},
    {"TbsSkinButton", "TbsSkinButton", R"(Glyph.Data = )" BMP_1X1 R"(
NumGlyphs = 2
Layout = blGlyphBottom
Margin = 4
Spacing = 6
GroupIndex = 5
Down = True
AllowAllUp = True
RepeatMode = True
RepeatInterval = 150
CanFocused = False
Default = True
Cancel = True
ModalResult = mrYes
Action = Act
PopupMenu = Menu
OnMouseDown = Handler
OnMouseUp = Handler
OnMouseMove = Handler
OnKeyDown = Handler
OnKeyUp = Handler
OnKeyPress = Handler)"},
    {"TbsSkinCheckRadioBox", "TbsSkinCheckRadioBox", R"(Radio = True
GroupIndex = 4
Checked = True
Flat = False
CanFocused = False
Images = Pics
ImageIndex = 2
Action = Act
PopupMenu = Menu
OnMouseDown = Handler
OnMouseUp = Handler
OnMouseMove = Handler
OnKeyDown = Handler
OnKeyUp = Handler
OnKeyPress = Handler)"},
    {"TbsSkinPanel", "TbsSkinPanel", R"(CaptionMode = True
DefaultCaptionHeight = 24
DefaultAlignment = taRightJustify
BorderStyle = bvLowered
Glyph.Data = )" BMP_1X1 R"(
NumGlyphs = 2
Spacing = 7
CheckedMode = True
Checked = True
AutoEnabledControls = False
RollUpMode = True
RollUpState = False
RealHeight = -1
PopupMenu = Menu
OnChecked = Handler
OnMouseDown = Handler
OnMouseUp = Handler
OnMouseMove = Handler)"},
    {"TbsSkinRadioGroup", "TbsSkinRadioGroup", R"(Items.Strings = (
  'Mono'
  'Stereo')
ItemIndex = 1
Columns = 2
ButtonSkinDataName = 'radiobox'
ButtonDefaultFont.Name = 'Mono'
ButtonDefaultFont.Height = -11
ButtonDefaultFont.Color = clGray
ButtonDefaultFont.Charset = ANSI_CHARSET
ButtonDefaultFont.Style = [fsUnderline]
Images = Pics)"},
    {"TbsSkinScrollBar", "TbsSkinScrollBar", R"(Kind = sbVertical
Min = 2
Max = 90
PageSize = 10
Position = 33
SmallChange = 3
LargeChange = 15
Both = True
BothMarkerWidth = 21
BothSkinDataName = 'bothhscrollbar'
CanFocused = True
OnChange = Handler
OnLastChange = Handler
OnUpButtonClick = Handler
OnDownButtonClick = Handler
OnPageUp = Handler
OnPageDown = Handler
OnMouseDown = Handler
OnMouseUp = Handler
OnMouseMove = Handler
OnKeyDown = Handler
OnKeyUp = Handler
OnKeyPress = Handler)"},
    {"TbsGraphicSkinControl", "TbsSkinSpeedButton", "SkinData = Data\nSkinDataName = 'toolbutton'"},
    {"TbsGraphicSkinCustomControl", "TbsSkinSpeedButton", R"(DefaultFont.Name = 'Sans'
DefaultFont.Height = -10
DefaultFont.Color = clWhite
DefaultFont.Charset = GB2312_CHARSET
DefaultFont.Style = [fsBold]
DefaultWidth = 30
DefaultHeight = 28
UseSkinFont = False)"},
    {"TbsSkinSpeedButton", "TbsSkinSpeedButton", R"(ShowCaption = True
WidthWithCaption = 80
WidthWithoutCaption = 24
Glyph.Data = )" BMP_1X1 R"(
NumGlyphs = 4
Layout = blGlyphRight
Margin = 2
Spacing = 5
ImageIndex = 6
GroupIndex = 8
Down = True
AllowAllUp = True
RepeatMode = True
RepeatInterval = 90
Flat = False
Transparent = True
Action = Act
PopupMenu = Menu
OnMouseDown = Handler
OnMouseUp = Handler
OnMouseMove = Handler)"},
    {"TbsSkinMenuSpeedButton", "TbsSkinMenuSpeedButton",
     "SkinPopupMenu = SkinMenu\nTrackButtonMode = True\nOnShowTrackMenu = Handler\nOnHideTrackMenu = Handler"},
    {"TbsSkinToolBar", "TbsSkinToolBar", R"(Images = Pics
HotImages = Pics
DisabledImages = Pics
Flat = True
ShowCaptions = True
AutoShowHideCaptions = True
WidthWithCaptions = 300
WidthWithoutCaptions = 120
CanScroll = True
HotScroll = True
ScrollOffset = 11
ScrollTimerInterval = 70)"},
    {"TbsSkinBevel", "TbsSkinBevel", "SkinData = Data\nSkinDataName = 'bevel'\nDividerMode = True"},
    {"TbsSkinStdLabel", "TbsSkinStdLabel", R"(SkinData = Data
SkinDataName = 'stdlabel'
DefaultFont.Name = 'Sans'
DefaultFont.Height = -9
DefaultFont.Color = clBtnShadow
DefaultFont.Charset = ANSI_CHARSET
DefaultFont.Style = [fsItalic, fsUnderline]
UseSkinFont = False
PopupMenu = Menu
OnClick = Handler
OnDblClick = Handler
OnMouseDown = Handler
OnMouseUp = Handler
OnMouseMove = Handler)"},
    {"TbsSkinListView", "TbsSkinListView", R"(SkinData = Data
SkinDataName = 'listview'
HeaderSkinDataName = 'header'
HScrollBar = Bar
VScrollBar = Bar
DefaultFont.Name = 'Sans'
DefaultFont.Height = -14
DefaultFont.Color = clBtnText
DefaultFont.Charset = SYMBOL_CHARSET
DefaultFont.Style = [fsStrikeOut]
DefaultColor = clBtnFace
UseSkinFont = False
PopupMenu = Menu
OnMouseDown = Handler
OnMouseUp = Handler
OnMouseMove = Handler
OnKeyDown = Handler
OnKeyUp = Handler
OnKeyPress = Handler)"},
    {"TbsSkinComboBox", "TbsSkinComboBox", R"(Items.Strings = (
  'Low'
  'High')
ItemIndex = 1
Style = bscbEditStyle
DropDownCount = 12
AutoComplete = False
HideSelection = False
ListBoxWidth = 150
AlphaBlend = True
AlphaBlendValue = 180
AlphaBlendAnimation = True
Images = Pics
ImageIndex = 3
Text = 'High'
PopupMenu = Menu
OnClick = Handler
OnChange = Handler
OnDropDown = Handler
OnCloseUp = Handler
OnMouseDown = Handler
OnMouseUp = Handler
OnMouseMove = Handler
OnKeyDown = Handler
OnKeyUp = Handler
OnKeyPress = Handler)"},
    {"TbsSkinEdit", "TbsSkinEdit", R"(MaxLength = 8
ReadOnly = True
PasswordChar = '#'
Text = 'secret'
PopupMenu = Menu
OnChange = Handler
OnMouseDown = Handler
OnMouseUp = Handler
OnMouseMove = Handler
OnKeyDown = Handler
OnKeyUp = Handler
OnKeyPress = Handler)"},
    {"TbsSkinOpenDialog", "TbsSkinOpenDialog", R"(Title = 'Choose'
InitialDir = '/srv'
Filter = 'All|*.*'
FilterIndex = 3
FileName = 'x.mpg'
CheckFileExists = False
MultiSelection = True
SkinData = Data
CtrlSkinData = Data
DefaultFont.Name = 'Sans'
DefaultFont.Height = -16
DefaultFont.Color = clBlack
DefaultFont.Charset = GB2312_CHARSET
DefaultFont.Style = [fsBold, fsItalic]
LVHeaderSkinDataName = 'lvheader'
AlphaBlend = True
AlphaBlendValue = 120
AlphaBlendAnimation = True
CtrlAlphaBlend = True
CtrlAlphaBlendValue = 140
CtrlAlphaBlendAnimation = True
OnFolderChange = Handler)"},
    {"TbsSkinForm", "TbsSkinForm", R"(ClientWidth = 300
ClientHeight = 200
HideCaptionButtons = True
AlwaysShowInTray = True
LogoBitMap.Data = )" BMP_1X1 R"(
LogoBitMapTransparent = True
AlwaysMinimizeToTray = True
UseSkinFontInMenu = False
ShowIcon = False
MaximizeOnFullScreen = True
AlphaBlend = True
AlphaBlendAnimation = True
AlphaBlendValue = 100
SkinHint = Tips
ShowObjectHint = True
UseDefaultObjectHint = False
MenusAlphaBlend = True
MenusAlphaBlendAnimation = True
MenusAlphaBlendValue = 77
DefCaptionFont.Name = 'Caption'
DefCaptionFont.Height = -12
DefCaptionFont.Color = clBtnShadow
DefCaptionFont.Charset = GB2312_CHARSET
DefCaptionFont.Style = [fsBold]
DefInActiveCaptionFont.Name = 'Inactive'
DefInActiveCaptionFont.Height = -13
DefInActiveCaptionFont.Color = clWhite
DefInActiveCaptionFont.Charset = ANSI_CHARSET
DefInActiveCaptionFont.Style = [fsItalic]
DefMenuItemHeight = 22
DefMenuItemFont.Name = 'Item'
DefMenuItemFont.Height = -14
DefMenuItemFont.Color = clWindowText
DefMenuItemFont.Charset = SYMBOL_CHARSET
DefMenuItemFont.Style = [fsUnderline]
TrayIcon = Tray
UseDefaultSysMenu = False
SystemMenu = SkinMenu
SkinData = Data
MenusSkinData = Data
MinHeight = 50
MinWidth = 90
Magnetic = True
MagneticSize = 12
BorderIcons = [biSystemMenu, biRollUp, biMinimizeToTray]
OnChangeSkinData = Handler
OnMouseUpEvent = Handler
OnMouseDownEvent = Handler
OnMouseMoveEvent = Handler
OnMouseEnterEvent = Handler
OnMouseLeaveEvent = Handler
OnPaintEvent = Handler
OnActivate = Handler
OnDeActivate = Handler
OnSkinMenuOpen = Handler
OnSkinMenuClose = Handler
OnChangeRollUpState = Handler
OnMinimizeToTray = Handler
OnRestoreFromTray = Handler
OnMainMenuEnter = Handler
OnMainMenuExit = Handler
OnActivateCustomObject = Handler)"},
    {"TbsSkinPopupMenu", "TbsSkinPopupMenu", "SkinData = Data\nComponentForm = Root"},
    {"TMediaPlayer", "TMediaPlayer", R"(DeviceType = dtAVIVideo
FileName = 'clip.avi'
AutoOpen = False
Shareable = True
AutoEnable = False
AutoRewind = False
Display = Other
VisibleButtons = [btPlay, btStop, btRecord]
EnabledButtons = [btPause, btEject]
ColoredButtons = [btNext]
OnClick = Handler
OnNotify = Handler
OnPostClick = Handler)"},
    {"TOleControl", "TWindowsMediaPlayer", R"(ControlData = {
  43565053010091010D00000003640000D1010000B10100000000000000000000
  0000000000000000000000000000000000000000000000000000000000000000
  0000000000000000000000000000000000000000000000000000000000000000
  0000000000000000000000000000000000000000000000000000000000000000
  0000000000000000000000000000000000000000000000000000000000000000
  0000})"},
};

// Read by design and never written back: sizes the other size properties already
// carry, the form's design-time scaling, and bitmap blocks the program only loads.
const std::set<std::string> kNeverWritten = {
    "TControl.ClientWidth", "TControl.ClientHeight", "TControl.Text", "TControl.Cursor",
    "TCustomForm.AutoScroll", "TCustomForm.Scaled", "TCustomForm.OldCreateOrder", "TCustomForm.PixelsPerInch",
    "TCustomForm.TextHeight", "TbsSkinButton.Glyph.Data", "TbsSkinPanel.Glyph.Data",
    "TbsSkinSpeedButton.Glyph.Data", "TbsSkinForm.LogoBitMap.Data"};

// The components the cases refer to, named as the lines name them.
const char* const kNeighbours = R"(  object Data: TbsSkinData
  end
  object Act: TAction
  end
  object Menu: TPopupMenu
  end
  object SkinMenu: TbsSkinPopupMenu
  end
  object Pics: TImageList
  end
  object Other: TButton
  end
  object Bar: TbsSkinScrollBar
  end
  object Packed: TbsCompressedStoredSkin
  end
  object Strs: TbsResourceStrData
  end
  object Tray: TbsTrayIcon
  end
  object Tips: TbsSkinHint
  end
)";

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  return b == std::string::npos ? std::string() : s.substr(b);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// "Name = value" -> Name; continuation lines of lists and blocks -> "".
std::string PropertyName(const std::string& line) {
  const size_t eq = line.find(" = ");
  return eq == std::string::npos || line[0] == '\'' ? std::string() : line.substr(0, eq);
}

std::string LayoutOf(const std::string& cls, const std::string& lines, const char* host) {
  const std::string in = host ? "    " : "  ";
  std::string text = "object Root: TTableRoot\n" + std::string(kNeighbours);
  if (host) text += "  object Host: " + std::string(host) + "\n";
  text += in + "object Subject: " + cls + "\n";
  for (const std::string& l : SplitLines(lines)) text += in + "  " + l + "\n";
  text += in + "end\n";
  if (host) text += "  end\n";
  return text + "end\n";
}

// The trimmed lines of the subject's block in a written layout.
std::set<std::string> SubjectBlock(const std::string& written, const std::string& cls) {
  std::set<std::string> out;
  std::string end;
  for (const std::string& l : SplitLines(written)) {
    if (end.empty() && Trim(l) == "object Subject: " + cls) end = l.substr(0, l.size() - Trim(l).size()) + "end";
    else if (!end.empty() && l == end) break;
    else if (!end.empty()) out.insert(Trim(l));
  }
  return out;
}

class PublishedPropertyLayout : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterProgramClasses();
    TClassRegistry& r = ClassRegistry();
    r.RegisterRootClass<TTableRoot>("TTableRoot", "TForm");
    r.RegisterMethod("TTableRoot", "Handler", [](TComponent*) -> TNotifyEvent { return [](TObject*) {}; });
    // Reference targets a layout cannot otherwise create.
    r.RegisterClass<TImageList>("TImageList", "TComponent");
    r.RegisterClass<TbsTrayIcon>("TbsTrayIcon", "TComponent");
    r.RegisterClass<TbsSkinHint>("TbsSkinHint", "TComponent");
  }
};

// Events are not written back: reading one alone shows the name and kind are right.
// A handler of another type than the test's is still a found property.
void ExpectEventReads(const TClassCase& c, const std::string& line) {
  TTableRoot root(nullptr);
  try {
    ReadLayout(&root, LayoutOf(c.Create, line, c.Host));
  } catch (const ELayoutError& e) {
    EXPECT_NE(e.Message().find("does not have the type"), std::string::npos) << c.Owner << ": " << e.Message();
  }
}

TEST_F(PublishedPropertyLayout, EveryPropertyReadsAndWritesItsHandWrittenValue) {
  const TClassRegistry& r = ClassRegistry();
  std::map<std::string, std::set<std::string>> named;  // owner -> property names in the table
  for (const TClassCase& c : kCases) {
    SCOPED_TRACE(std::string(c.Owner) + " as " + c.Create);
    std::string values;
    std::vector<std::string> expected;
    for (const std::string& line : SplitLines(c.Lines)) {
      const std::string name = PropertyName(line);
      if (!name.empty()) named[c.Owner].insert(name);
      const TPropInfo* p = name.empty() ? nullptr : r.FindProperty(c.Create, name);
      if (p && p->Kind == TPropKind::pkEvent) {
        ExpectEventReads(c, line);
        continue;
      }
      values += line + "\n";
      if (!kNeverWritten.count(std::string(c.Owner) + "." + name)) expected.push_back(Trim(line));
    }
    TTableRoot root(nullptr);
    try {
      ReadLayout(&root, LayoutOf(c.Create, values, c.Host));
    } catch (const ELayoutError& e) {
      ADD_FAILURE() << e.Message();
      continue;
    }
    const std::string written = WriteLayout(&root);
    const std::set<std::string> block = SubjectBlock(written, c.Create);
    for (const std::string& line : expected)
      EXPECT_TRUE(block.count(line)) << "not written back: " << line;
  }
  // The table names every property each class registers itself.
  for (const std::string& cls : r.ClassNames())
    for (const TPropInfo* p : r.OwnProperties(cls))
      EXPECT_TRUE(named[cls].count(p->Name)) << cls << "." << p->Name << " is missing from the table";
}

TEST_F(PublishedPropertyLayout, EveryPropertyHasAGetterUnlessNeverWritten) {
  const TClassRegistry& r = ClassRegistry();
  for (const std::string& cls : r.ClassNames())
    for (const TPropInfo* p : r.OwnProperties(cls)) {
      if (p->Kind == TPropKind::pkEvent) continue;
      const bool never = kNeverWritten.count(cls + "." + p->Name) > 0;
      EXPECT_EQ(!never, p->HasGetter()) << cls << "." << p->Name << (never ? " is written back" : " is never written back");
    }
}

// Bitmap blocks are never written back, so the table cannot compare them: each one read,
// bare or after its length, lands in its bitmap; a cut-off block fails the read.
TEST_F(PublishedPropertyLayout, BitmapBlocksLandInTheirBitmapsAndBrokenOnesFailTheRead) {
  struct TBlockCase {
    const char* Create;
    const char* Name;
    const TBitmap* (*Bitmap)(TComponent*);
  };
  const TBlockCase cases[] = {
      {"TbsSkinButton", "Glyph.Data", [](TComponent* c) -> const TBitmap* { return static_cast<TbsSkinButton*>(c)->Glyph(); }},
      {"TbsSkinSpeedButton", "Glyph.Data",
       [](TComponent* c) -> const TBitmap* { return static_cast<TbsSkinSpeedButton*>(c)->Glyph(); }},
      {"TbsSkinPanel", "Glyph.Data", [](TComponent* c) -> const TBitmap* { return static_cast<TbsSkinPanel*>(c)->Glyph(); }},
      {"TbsSkinForm", "LogoBitMap.Data",
       [](TComponent* c) -> const TBitmap* { return static_cast<TbsSkinForm*>(c)->LogoBitMap(); }},
  };
  for (const TBlockCase& c : cases) {
    const std::string property = std::string(c.Create) + "." + c.Name;
    for (const char* block : {BMP_1X1, BMP_1X1_SIZED}) {
      TTableRoot root(nullptr);
      ReadLayout(&root, LayoutOf(c.Create, std::string(c.Name) + " = " + block, nullptr));
      const TBitmap* bmp = c.Bitmap(root.FindComponent("Subject"));
      ASSERT_TRUE(bmp->Width() == 1 && bmp->Height() == 1) << property << " = " << block;
      EXPECT_EQ(clRed, bmp->Pixel(0, 0)) << property << " = " << block;
    }
    TTableRoot broken(nullptr);
    EXPECT_THROW(ReadLayout(&broken, LayoutOf(c.Create, std::string(c.Name) + " = {3A000000424D3A00}", nullptr)),
                 Exception)
        << property;
    EXPECT_EQ(nullptr, broken.FindComponent("Subject")) << property;
  }
}

// What one read writes, the next read of it writes again unchanged: over the table's
// values and over every creatable class as it is made.
TEST_F(PublishedPropertyLayout, WrittenLayoutsReadBackToTheSameText) {
  std::vector<std::string> layouts;
  for (const TClassCase& c : kCases) {
    std::string values;
    for (const std::string& line : SplitLines(c.Lines)) {
      const std::string name = PropertyName(line);
      const TPropInfo* p = name.empty() ? nullptr : ClassRegistry().FindProperty(c.Create, name);
      if (!p || p->Kind != TPropKind::pkEvent) values += line + "\n";
    }
    layouts.push_back(LayoutOf(c.Create, values, c.Host));
  }
  // A new check box starts out focusable without a tab stop, which no layout can say
  // (reading CanFocused sets the tab stop): compared from its first read on.
  const std::set<std::string> kSettlesOnRead = {"TbsSkinCheckRadioBox"};
  std::set<std::string> settling;
  for (const std::string& cls : ClassRegistry().ClassNames())
    if (ClassRegistry().CanCreate(cls)) {
      layouts.push_back(LayoutOf(cls, "", HostOf(cls)));
      if (kSettlesOnRead.count(cls)) settling.insert(layouts.back());
    }
  for (std::string layout : layouts) {
    if (settling.count(layout)) {
      TTableRoot once(nullptr);
      ReadLayout(&once, layout);
      layout = WriteLayout(&once);
    }
    TTableRoot first(nullptr);
    try {
      ReadLayout(&first, layout);
    } catch (const ELayoutError& e) {
      ADD_FAILURE() << e.Message() << "\n" << layout;
      continue;
    }
    const std::string written = WriteLayout(&first);
    TTableRoot second(nullptr);
    try {
      ReadLayout(&second, written);
    } catch (const ELayoutError& e) {
      ADD_FAILURE() << e.Message() << "\n" << written;
      continue;
    }
    EXPECT_EQ(written, WriteLayout(&second)) << layout;
  }
}

}  // namespace
