// The edit control's text field: a QLineEdit inside the control's window, fed the
// control's key and mouse messages, painted into the window's image.
#include "framework/controls/CustomEdit.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QProxyStyle>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/qt/QtBridge.h"
#include "framework/messages/MessageViews.h"
#include "framework/windows/qt/WindowWidgets.h"

namespace {
constexpr int FieldLimit = 32767;

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
std::string S(const QString& s) { return s.toUtf8().toStdString(); }

// Shows the edit's own password character: the field asks its style for it.
class PasswordStyle : public QProxyStyle {
 public:
  PasswordStyle() : QProxyStyle(nullptr) {}
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* ret) const override {
    if (hint == SH_LineEdit_PasswordCharacter && Char) return int(Char);
    return QProxyStyle::styleHint(hint, option, widget, ret);
  }
  char32_t Char = 0;
};

// The field is the focus proxy of the control's window: it holds the keyboard focus, so it
// blinks its caret and is what input methods talk to. Its keys travel through the window
// (and so become the control's key messages) before any reaches the field's own handling;
// its focus changes are the control's. The mouse passes through it to the window.
class FieldEdit : public QLineEdit {
 public:
  FieldEdit(TCustomEdit* control, QWidget* parent) : QLineEdit(parent), Control(control) {}
  TCustomEdit* Control;  // cleared when the control lets go of the field
  void Feed(QKeyEvent* e) { QLineEdit::keyPressEvent(e); }
  void FeedMouse(QMouseEvent* e) {
    switch (e->type()) {
      case QEvent::MouseButtonPress: QLineEdit::mousePressEvent(e); break;
      case QEvent::MouseButtonRelease: QLineEdit::mouseReleaseEvent(e); break;
      case QEvent::MouseButtonDblClick: QLineEdit::mouseDoubleClickEvent(e); break;
      default: QLineEdit::mouseMoveEvent(e); break;
    }
  }

 protected:
  bool event(QEvent* e) override {
    if ((e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) && Control && parentWidget()) {
      // Through the window, which makes the messages; the field sees what no handler took.
      // The key's own modifiers are the keyboard's state meanwhile (GetKeyState, Shift+arrows).
      const Qt::KeyboardModifiers saved = winimpl::KeyboardModifiersHeld();
      winimpl::NoteModifiers(static_cast<QKeyEvent*>(e)->modifiers());
      QCoreApplication::sendEvent(parentWidget(), e);
      winimpl::NoteModifiers(saved);
      e->accept();
      return true;
    }
    return QLineEdit::event(e);
  }
  void focusInEvent(QFocusEvent* e) override {
    QLineEdit::focusInEvent(e);
    if (Control) winimpl::GuardedSend(Control, WM_SETFOCUS, 0, 0);
  }
  void focusOutEvent(QFocusEvent* e) override {
    QLineEdit::focusOutEvent(e);
    if (Control) winimpl::GuardedSend(Control, WM_KILLFOCUS, 0, 0);
  }
  // Composed text arrives as typed characters (WM_CHAR each), so OnKeyPress, MaxLength
  // and read-only see it as they see typing; the text being composed shows in the field.
  void inputMethodEvent(QInputMethodEvent* e) override {
    if (!Control || e->commitString().isEmpty() || e->replacementLength() != 0) {
      QLineEdit::inputMethodEvent(e);
      return;
    }
    const QString commit = e->commitString();
    QInputMethodEvent rest(e->preeditString(), e->attributes());
    QLineEdit::inputMethodEvent(&rest);
    const HWND h = Control->HandleValue();
    for (char32_t ch : commit.toUcs4()) {
      TWinControl* c = winimpl::Lookup(h);
      if (!c) return;
      winimpl::DeliverKey(c, WM_CHAR, WPARAM(ch), 1);
    }
    e->accept();
  }
};
}  // namespace

char32_t PasswordCharFromText(const std::string& Text) {
  if (Text.empty()) return 0;
  if (!IsValidUtf8(Text) || Utf8Length(Text) != 1)
    throw EConvertError("'" + Text + "' is not a single password character");
  const QList<uint> code = Q(Text).toUcs4();
  return code.isEmpty() ? 0 : char32_t(code.front());
}

std::string PasswordCharToText(char32_t Value) {
  if (!Value) return "";
  return S(QString::fromUcs4(&Value, 1));
}

struct TCustomEdit::Field {
  QPointer<FieldEdit> Edit;
  std::unique_ptr<PasswordStyle> Style;
  // An undo history survives no window: set while the text is being set by the program.
  bool Setting = false;
};

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner), FField(std::make_unique<Field>()) {
  FWidth = 121;
  FHeight = 21;
  FTabStop = true;
  FCursor = crIBeam;
}

TCustomEdit::~TCustomEdit() {
  // The window outlives this part of the control: the field goes now, with its style.
  if (FieldEdit* e = FField->Edit) {
    e->Control = nullptr;
    QObject::disconnect(e, nullptr, nullptr, nullptr);
    e->setStyle(nullptr);
    delete e;
  }
}

// ---- window -----------------------------------------------------------------------------
void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  QWidget* client = WindowImpl()->W->Client;
  auto* e = new FieldEdit(this, client);
  FField->Edit = e;
  // Focus comes only through the control (SetFocus, Tab, a press), never by Qt's own
  // choice; the pointer's messages are the window's.
  e->setFocusPolicy(Qt::NoFocus);
  e->setAttribute(Qt::WA_TransparentForMouseEvents);
  e->setContextMenuPolicy(Qt::NoContextMenu);
  e->setFrame(FBorderVisible);
  client->setFocusProxy(e);
  SetCursor(FCursor);
  if (!FField->Style) FField->Style = std::make_unique<PasswordStyle>();
  FField->Style->Char = FPasswordChar;
  e->setStyle(FField->Style.get());
  e->setFont(ToQFont(FFont));
  e->setMaxLength(FMaxLength > 0 ? FMaxLength : FieldLimit);
  e->setReadOnly(FReadOnly);
  e->setEchoMode(FPasswordChar ? QLineEdit::Password : QLineEdit::Normal);
  FField->Setting = true;
  e->setText(Q(FText));
  FField->Setting = false;
  e->setGeometry(0, 0, std::max(0, FWidth), std::max(0, FHeight));
  e->show();
  QObject::connect(e, &QLineEdit::textChanged, [this](const QString&) {
    Invalidate();
    if (!FField->Setting) Change();
  });
  QObject::connect(e, &QLineEdit::textEdited, [this](const QString&) { FModified = true; });
  QObject::connect(e, &QLineEdit::selectionChanged, [this] { Invalidate(); });
  QObject::connect(e, &QLineEdit::cursorPositionChanged, [this](int, int) { Invalidate(); });
}

void TCustomEdit::PaintWindow(TCanvas* canvas) {
  QLineEdit* e = FField->Edit;
  if (!e || FWidth <= 0 || FHeight <= 0) return;
  QImage image(FWidth, FHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  e->render(&image);
  TBitmap b;
  AssignFromQImage(b, image);
  canvas->Draw(0, 0, &b);
}

void TCustomEdit::DestroyWnd() {
  if (FieldEdit* e = FField->Edit) {
    FText = S(e->text());
    e->Control = nullptr;
    QObject::disconnect(e, nullptr, nullptr, nullptr);
    e->setStyle(nullptr);
    delete e;
  }
  FField->Edit = nullptr;
  TWinControl::DestroyWnd();
}

void TCustomEdit::BoundsChanged(bool moved, bool sized) {
  TWinControl::BoundsChanged(moved, sized);
  if (sized && FField->Edit) FField->Edit->setGeometry(0, 0, std::max(0, FWidth), std::max(0, FHeight));
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
  TWinControl::CMFontChanged(Message);
  if (FField->Edit) FField->Edit->setFont(ToQFont(FFont));
}

// ---- text -------------------------------------------------------------------------------
std::string TCustomEdit::Text() const { return FField->Edit ? S(FField->Edit->text()) : FText; }

void TCustomEdit::SetText(const std::string& Value) {
  const bool changed = Value != Text();
  if (QLineEdit* e = FField->Edit) {
    // setText also forgets the undo history, as a program-set text should.
    FField->Setting = true;
    e->setText(Q(Value));
    FField->Setting = false;
  } else {
    FText = Value;
  }
  FModified = false;
  if (changed) Change();
}

void TCustomEdit::SetMaxLength(int Value) {
  FMaxLength = std::max(0, Value);
  if (QLineEdit* e = FField->Edit) {
    e->setMaxLength(FMaxLength > 0 ? FMaxLength : FieldLimit);
  } else if (FMaxLength > 0) {
    const QString t = Q(FText);
    if (t.size() > FMaxLength) FText = S(t.left(FMaxLength));
  }
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (FField->Edit) FField->Edit->setReadOnly(Value);
  Invalidate();
}

void TCustomEdit::SetPasswordChar(char32_t Value) {
  FPasswordChar = Value;
  if (QLineEdit* e = FField->Edit) {
    FField->Style->Char = Value;
    // The field reads the character from its style when told that the style changed.
    QEvent styleChange(QEvent::StyleChange);
    QCoreApplication::sendEvent(e, &styleChange);
    e->setEchoMode(Value ? QLineEdit::Password : QLineEdit::Normal);
    Invalidate();
  }
}

void TCustomEdit::SetBorderVisible(bool Value) {
  FBorderVisible = Value;
  if (FField->Edit) FField->Edit->setFrame(Value);
  Invalidate();
}

std::string TCustomEdit::DisplayText() const {
  if (FField->Edit) return S(FField->Edit->displayText());
  if (!FPasswordChar) return FText;
  const char32_t c[2] = {FPasswordChar, 0};
  return S(QString::fromUcs4(c).repeated(Q(FText).size()));
}

// ---- selection and clipboard ------------------------------------------------------------
int TCustomEdit::SelStart() const {
  QLineEdit* e = FField->Edit;
  if (!e) return 0;
  return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TCustomEdit::SetSelStart(int Value) {
  HandleNeeded();
  FField->Edit->setCursorPosition(std::max(0, Value));
}

int TCustomEdit::SelLength() const {
  QLineEdit* e = FField->Edit;
  return e && e->hasSelectedText() ? int(e->selectionLength()) : 0;
}

void TCustomEdit::SetSelLength(int Value) {
  HandleNeeded();
  QLineEdit* e = FField->Edit;
  const int start = SelStart();
  e->setSelection(start, std::max(0, std::min(Value, int(e->text().size()) - start)));
}

std::string TCustomEdit::SelText() const { return FField->Edit ? S(FField->Edit->selectedText()) : std::string(); }

void TCustomEdit::SetSelText(const std::string& Value) {
  HandleNeeded();
  // Inserted as typed: it respects MaxLength and can be undone, but not as the user's edit.
  FField->Edit->insert(Q(Value));
}

void TCustomEdit::SelectAll() {
  HandleNeeded();
  FField->Edit->selectAll();
}

void TCustomEdit::ClearSelection() {
  HandleNeeded();
  if (FField->Edit->hasSelectedText() && !FReadOnly) FField->Edit->del();
}

void TCustomEdit::CopyToClipboard() {
  HandleNeeded();
  FField->Edit->copy();  // nothing for a password field
}

void TCustomEdit::CutToClipboard() {
  HandleNeeded();
  if (!FReadOnly) FField->Edit->cut();
}

void TCustomEdit::PasteFromClipboard() {
  HandleNeeded();
  FField->Edit->paste();  // refused by a read-only field
}

void TCustomEdit::Undo() {
  HandleNeeded();
  if (!FReadOnly) FField->Edit->undo();
}

bool TCustomEdit::CanUndo() const { return FField->Edit && !FReadOnly && FField->Edit->isUndoAvailable(); }

bool TCustomEdit::CanPaste() const {
  const QClipboard* clip = QGuiApplication::clipboard();
  return !FReadOnly && clip && !clip->text().isEmpty();
}

// ---- keys -------------------------------------------------------------------------------
void TCustomEdit::FeedMouse(const TMessage& m) {
  QEvent::Type type;
  switch (m.Msg) {
    case WM_MOUSEMOVE: type = QEvent::MouseMove; break;
    case WM_LBUTTONDOWN: type = QEvent::MouseButtonPress; break;
    case WM_LBUTTONUP: type = QEvent::MouseButtonRelease; break;
    case WM_LBUTTONDBLCLK: type = QEvent::MouseButtonDblClick; break;
    default: return;
  }
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
    // A press focuses the edit, as the platform's own field does.
    std::weak_ptr<const bool> alive = Lifetime();
    if (!Focused() && CanFocus()) SetFocus();
    if (alive.expired()) return;
  }
  FieldEdit* e = FField->Edit;
  if (!e) return;
  const TMouseMessage mouse(m);
  Qt::MouseButtons held;
  if (mouse.Keys & MK_LBUTTON) held |= Qt::LeftButton;
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) held |= Qt::LeftButton;
  if (type == QEvent::MouseButtonRelease) held &= ~Qt::LeftButton;
  Qt::KeyboardModifiers mods;
  if (mouse.Keys & MK_SHIFT) mods |= Qt::ShiftModifier;
  if (mouse.Keys & MK_CONTROL) mods |= Qt::ControlModifier;
  const QPointF local(mouse.Pos.X - e->x(), mouse.Pos.Y - e->y());
  const QPointF global = e->mapToGlobal(local);
  QMouseEvent ev(type, local, local, global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, mods);
  e->FeedMouse(&ev);
}

bool TCustomEdit::FeedKey(const TMessage& m) {
  FieldEdit* e = FField->Edit;
  if (!e) return false;
  const Qt::KeyboardModifiers mods = winimpl::KeyboardModifiersHeld();
  if (m.Msg == WM_KEYDOWN) {
    // Editing and movement keys; characters come with WM_CHAR.
    const int key = winimpl::VirtualKeyToQtKey(int(m.WParam));
    if (key) {
      QKeyEvent ev(QEvent::KeyPress, key, mods);
      e->Feed(&ev);
    }
  } else if (m.WParam >= 0x20 && m.WParam != 0x7F) {
    const char32_t c[2] = {char32_t(m.WParam), 0};
    QKeyEvent ev(QEvent::KeyPress, 0, mods & ~Qt::ControlModifier, QString::fromUcs4(c));
    e->Feed(&ev);
  }
  return true;
}
