// The edit over the native text field: text and change notices, typing and editing keys
// through the framework's key messages, limits, read-only and password fields,
// selection, clipboard and undo.
#include "framework/controls/CustomEdit.h"
#include "framework/controls/StandardControls.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/layout/LayoutReader.h"
#include "tests/framework/controls/gui/ControlsFixture.h"

using namespace controlstest;

namespace {

class CustomEditTest : public ControlsFixture {
 protected:
  void SetUp() override {
    ControlsFixture::SetUp();
    Ed = new TEdit(Form);
    Ed->SetParent(Form);
    Ed->SetBounds(10, 10, 150, 22);
    Ed->OnChange = [this](TObject* s) {
      EXPECT_EQ(s, Ed);
      ++Changes;
    };
    Ed->SetFocus();
    testsupport::Pump(5);
  }
  void Type(const std::u32string& text) {
    for (char32_t c : text) SimulateChar(Ed, c);
  }
  TEdit* Ed = nullptr;
  int Changes = 0;
};

TEST_F(CustomEditTest, TextSetByTheProgram) {
  auto* fresh = new TEdit(Form);  // no window yet
  EXPECT_EQ("", fresh->Text());
  EXPECT_TRUE(fresh->TabStop());
  fresh->SetText("录制 take");
  fresh->SetParent(Form);
  fresh->HandleNeeded();
  EXPECT_EQ("录制 take", fresh->Text());

  Ed->SetText("abc");
  EXPECT_EQ("abc", Ed->Text());
  EXPECT_EQ(1, Changes);
  EXPECT_FALSE(Ed->Modified());
  EXPECT_FALSE(Ed->CanUndo());
  Ed->SetText("abc");  // the same text: no notice
  EXPECT_EQ(1, Changes);
}

TEST_F(CustomEditTest, TypingAndEditingKeysGoThroughTheControl) {
  Type(U"hello");
  EXPECT_EQ("hello", Ed->Text());
  EXPECT_EQ(5, Changes);
  EXPECT_TRUE(Ed->Modified());
  EXPECT_EQ(5, Ed->SelStart());
  SimulateKey(Ed, WM_KEYDOWN, VK_BACK);
  EXPECT_EQ("hell", Ed->Text());
  SimulateKey(Ed, WM_KEYDOWN, VK_HOME);
  SimulateKey(Ed, WM_KEYDOWN, VK_DELETE);
  EXPECT_EQ("ell", Ed->Text());
  SimulateKey(Ed, WM_KEYDOWN, VK_END);
  SimulateKey(Ed, WM_KEYDOWN, VK_LEFT, MK_SHIFT);
  SimulateKey(Ed, WM_KEYDOWN, VK_LEFT, MK_SHIFT);
  EXPECT_EQ(1, Ed->SelStart());
  EXPECT_EQ(2, Ed->SelLength());
  Type(U"X");
  EXPECT_EQ("eX", Ed->Text());
  // A key press handler that eats the character keeps it from the field.
  Ed->OnKeyPress = [](TObject*, char32_t& k) {
    if (k == U'!') k = 0;
  };
  Type(U"!?");
  EXPECT_EQ("eX?", Ed->Text());
  EXPECT_EQ(DLGC_WANTCHARS | DLGC_WANTARROWS, Ed->Perform(WM_GETDLGCODE, 0, 0) & (DLGC_WANTCHARS | DLGC_WANTARROWS));
}

TEST_F(CustomEditTest, MaxLengthAndReadOnly) {
  Ed->SetMaxLength(4);
  Type(U"abcdef");
  EXPECT_EQ("abcd", Ed->Text());
  Ed->SetSelStart(4);
  Ed->SetSelText("zz");
  EXPECT_EQ("abcd", Ed->Text());
  Ed->SetMaxLength(2);  // shorter than the text: cut
  EXPECT_EQ("ab", Ed->Text());
  Ed->SetMaxLength(0);
  Type(U"cdefgh");
  EXPECT_EQ("abcdefgh", Ed->Text());

  Ed->SetReadOnly(true);
  const int before = Changes;
  Type(U"x");
  SimulateKey(Ed, WM_KEYDOWN, VK_BACK);
  Ed->SelectAll();
  Ed->CutToClipboard();
  Ed->ClearSelection();
  Ed->Undo();
  EXPECT_EQ("abcdefgh", Ed->Text());
  EXPECT_EQ(before, Changes);
  EXPECT_FALSE(Ed->CanUndo());
  Ed->SetReadOnly(false);
  Ed->ClearSelection();
  EXPECT_EQ("", Ed->Text());
}

TEST_F(CustomEditTest, PasswordCharacterHidesTheText) {
  Ed->SetText("secret");
  EXPECT_EQ("secret", Ed->DisplayText());
  Ed->SetPasswordChar(U'*');
  EXPECT_EQ("******", Ed->DisplayText());
  EXPECT_EQ("secret", Ed->Text());
  Ed->SetPasswordChar(U'●');
  EXPECT_EQ("●●●●●●", Ed->DisplayText());
  Type(U"!");
  EXPECT_EQ("●●●●●●●", Ed->DisplayText());
  Ed->SetPasswordChar(0);
  EXPECT_EQ("secret!", Ed->DisplayText());
}

TEST_F(CustomEditTest, SelectionClipboardAndUndo) {
  Ed->SetText("one two three");
  Ed->SetSelStart(4);
  Ed->SetSelLength(3);
  EXPECT_EQ("two", Ed->SelText());
  EXPECT_EQ(4, Ed->SelStart());
  Ed->SetSelLength(100);  // clamped to the text
  EXPECT_EQ("two three", Ed->SelText());
  Ed->SetSelLength(3);
  Ed->CopyToClipboard();
  Ed->SetSelStart(0);
  EXPECT_EQ(0, Ed->SelLength());
  Ed->PasteFromClipboard();
  EXPECT_EQ("twoone two three", Ed->Text());
  EXPECT_TRUE(Ed->CanUndo());
  Ed->Undo();
  EXPECT_EQ("one two three", Ed->Text());

  Ed->SetSelStart(8);
  Ed->SetSelLength(5);
  Ed->CutToClipboard();
  EXPECT_EQ("one two ", Ed->Text());
  Ed->SetSelStart(0);
  Ed->PasteFromClipboard();
  EXPECT_EQ("threeone two ", Ed->Text());

  Ed->SelectAll();
  EXPECT_EQ("threeone two ", Ed->SelText());
  Ed->SetSelText("new");
  EXPECT_EQ("new", Ed->Text());
  EXPECT_EQ(0, Ed->SelLength());
  EXPECT_EQ(3, Ed->SelStart());

  // A password field gives nothing to the clipboard: it still holds the cut text.
  Ed->SetText("pw");
  Ed->SetPasswordChar(U'*');
  Ed->SelectAll();
  Ed->CopyToClipboard();
  Ed->SetPasswordChar(0);
  Ed->SetSelStart(2);
  Ed->PasteFromClipboard();
  EXPECT_EQ("pwthree", Ed->Text());
}

}  // namespace

namespace {
TEST_F(CustomEditTest, TheWindowImageShowsTheTextOrItsMask) {
  Ed->SetText("WWWW");
  TBitmap plain;
  PaintTo(Ed, &plain);
  SaveArtifact(plain, "edit_text");
  const TRect inside = Rect(2, 2, Ed->Width() - 2, Ed->Height() - 2);
  const int ink = DarkPixels(plain, inside);
  EXPECT_GT(ink, 20);
  Ed->SetPasswordChar(U'*');
  TBitmap masked;
  PaintTo(Ed, &masked);
  SaveArtifact(masked, "edit_password");
  EXPECT_GT(DarkPixels(masked, inside), 4);
  EXPECT_LT(DarkPixels(masked, inside), ink);  // asterisks carry less ink than W's
  Ed->SetText("");
  TBitmap empty;
  PaintTo(Ed, &empty);
  EXPECT_LE(DarkPixels(empty, inside), inside.Height());  // at most the caret, one pixel wide
}
}  // namespace

namespace {
TEST_F(CustomEditTest, ReadFromAStoredLayout) {
  int changes = 0;
  ReadControls(R"(  object Edit1: TEdit
    MaxLength = 6
    Text = 'Temp'
    ReadOnly = False
    OnChange = NameChange
  end
)", {{"NameChange", [&changes] { ++changes; }}});
  auto* e = dynamic_cast<TEdit*>(Form->FindComponent("Edit1"));
  ASSERT_NE(nullptr, e);
  EXPECT_EQ("Temp", e->Text());
  EXPECT_EQ(6, e->MaxLength());
  e->SetSelStart(4);
  e->SetSelText("1234");
  EXPECT_EQ("Temp12", e->Text());
  EXPECT_EQ(1, changes);
}
}  // namespace

// The field holds the keyboard focus while the edit is focused: keys the window system
// sends it, composed text and presses still become the edit's messages first.
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "framework/menus/PopupMenu.h"
#include "framework/windows/Windows.h"

namespace {
// A key as the window system delivers it: to whatever widget holds the focus.
void RealKey(int qtKey, const QString& text = QString(), Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWidget* w = QApplication::focusWidget();
  ASSERT_NE(nullptr, w);
  QKeyEvent down(QEvent::KeyPress, qtKey, mods, text);
  QApplication::sendEvent(w, &down);
  QKeyEvent up(QEvent::KeyRelease, qtKey, mods, text);
  if (QWidget* now = QApplication::focusWidget()) QApplication::sendEvent(now, &up);
}

TEST_F(CustomEditTest, TheFieldHoldsTheFocusForCaretAndInputMethods) {
  EXPECT_TRUE(Ed->Focused());
  EXPECT_EQ(Ed->Handle(), GetFocus());
  auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(nullptr, field);
  EXPECT_TRUE(field->hasFocus());
  EXPECT_TRUE(field->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_EQ(field, QGuiApplication::focusObject());

  // Moving the focus to another edit tells both, through the framework's notices.
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 40, 150, 22);
  int enters = 0, exits = 0;
  Ed->OnExit = [&](TObject*) { ++exits; };
  other->OnEnter = [&](TObject*) { ++enters; };
  other->SetFocus();
  EXPECT_EQ(1, exits);
  EXPECT_EQ(1, enters);
  EXPECT_EQ(other->Handle(), GetFocus());
  EXPECT_FALSE(Ed->Focused());
  EXPECT_EQ(other, Form->ActiveControl());
}

TEST_F(CustomEditTest, KeysAtTheFocusedFieldBecomeTheEditsMessages) {
  std::vector<Word> downs;
  std::u32string presses;
  Ed->OnKeyDown = [&](TObject*, Word& k, TShiftState) {
    downs.push_back(k);
    if (k == VK_BACK) k = 0;  // eaten: the field never sees it
  };
  Ed->OnKeyPress = [&](TObject*, char32_t& k) { presses += k; };
  RealKey(Qt::Key_A, "a");
  RealKey(Qt::Key_B, "b");
  RealKey(Qt::Key_Backspace);
  EXPECT_EQ("ab", Ed->Text());
  EXPECT_EQ(U"ab", presses);
  ASSERT_EQ(3u, downs.size());
  EXPECT_EQ(Word('A'), downs[0]);
  EXPECT_EQ(Word(VK_BACK), downs[2]);
  Ed->OnKeyDown = nullptr;
  RealKey(Qt::Key_Left, QString(), Qt::ShiftModifier);
  EXPECT_EQ("b", Ed->SelText());

  // Tab is the form's: the focus moves on to the next edit, once.
  auto* next = new TEdit(Form);
  next->SetParent(Form);
  next->SetBounds(10, 40, 150, 22);
  RealKey(Qt::Key_Tab, "\t");
  EXPECT_TRUE(next->Focused());
  EXPECT_EQ("ab", Ed->Text());
  EXPECT_EQ("", next->Text());
}

TEST_F(CustomEditTest, ComposedTextArrivesAsTypedCharacters) {
  auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(nullptr, field);
  std::u32string presses;
  Ed->OnKeyPress = [&](TObject*, char32_t& k) {
    presses += k;
    if (k == U'x') k = 0;
  };
  QInputMethodEvent composing(QStringLiteral("lu"), {});
  QApplication::sendEvent(field, &composing);
  EXPECT_EQ("", Ed->Text());  // still being composed
  EXPECT_EQ(U"", presses);
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("录x音"));
  QApplication::sendEvent(field, &commit);
  EXPECT_EQ(U"录x音", presses);
  EXPECT_EQ("录音", Ed->Text());
  EXPECT_TRUE(Ed->Modified());
  // The limit holds for composed text as for typing.
  Ed->SetMaxLength(3);
  QInputMethodEvent more;
  more.setCommitString(QString::fromUtf8("机器"));
  QApplication::sendEvent(field, &more);
  EXPECT_EQ("录音机", Ed->Text());
}

TEST_F(CustomEditTest, PressesPlaceTheCaretSelectAndFocus) {
  Ed->SetText("WWWWWWWW");
  auto* other = new TEdit(Form);
  other->SetParent(Form);
  other->SetBounds(10, 40, 150, 22);
  other->SetFocus();
  int downs = 0;
  Ed->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  Press(Ed, 4, 10);
  Release(Ed, 4, 10);
  EXPECT_EQ(1, downs);
  EXPECT_TRUE(Ed->Focused());
  EXPECT_EQ(0, Ed->SelStart());
  // A drag from the start to the end selects everything between.
  Press(Ed, 3, 10);
  Move(Ed, 60, 10);
  Move(Ed, Ed->Width() + 30, 10);  // past the edge, under the press's capture
  Release(Ed, Ed->Width() + 30, 10);
  EXPECT_EQ("WWWWWWWW", Ed->SelText());
  // A press in the middle puts the caret between characters there.
  Press(Ed, 30, 10);
  Release(Ed, 30, 10);
  EXPECT_EQ(0, Ed->SelLength());
  EXPECT_GT(Ed->SelStart(), 0);
  EXPECT_LT(Ed->SelStart(), 8);
  // The right button asks for the context menu; the menu set on the edit opens there.
  TPopupMenu menu(Form);
  TPoint shownAt{-1, -1};
  menu.OnPopupShow = [&](TPopupMenu*, const TRect& a) {
    shownAt = a.TopLeft();
    return true;
  };
  Ed->SetPopupMenu(&menu);
  SimulateMouse(Ed, WM_RBUTTONDOWN, 20, 5, MK_RBUTTON);
  SimulateMouse(Ed, WM_RBUTTONUP, 20, 5, 0);
  EXPECT_EQ(Ed->ClientToScreen(Point(20, 5)), shownAt);
  Ed->SetPopupMenu(nullptr);
}

TEST_F(CustomEditTest, PasswordCharacterFromAStoredLayout) {
  EXPECT_EQ(U'*', PasswordCharFromText("*"));
  EXPECT_EQ(U'●', PasswordCharFromText("●"));
  EXPECT_EQ(0u, PasswordCharFromText(""));
  EXPECT_EQ("●", PasswordCharToText(U'●'));
  EXPECT_EQ("", PasswordCharToText(0));
  EXPECT_THROW(PasswordCharFromText("**"), EConvertError);
  EXPECT_THROW(PasswordCharFromText("\xE2\x97"), EConvertError);  // a cut character

  ReadControls(R"(  object Pin: TEdit
    PasswordChar = '#'
    Text = '1234'
  end
)");
  auto* e = dynamic_cast<TEdit*>(Form->FindComponent("Pin"));
  ASSERT_NE(nullptr, e);
  EXPECT_EQ(U'#', e->PasswordChar());
  EXPECT_EQ("####", e->DisplayText());
  try {
    ReadControls(R"(  object Bad: TEdit
    PasswordChar = 'ab'
  end
)");
    FAIL() << "two password characters were accepted";
  } catch (const ELayoutError& err) {
    EXPECT_NE(std::string::npos, err.Message().find("line 3")) << err.Message();
    EXPECT_NE(std::string::npos, err.Message().find("PasswordChar")) << err.Message();
  }
}
}  // namespace
