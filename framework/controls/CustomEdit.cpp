#include "framework/controls/CustomEdit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QProxyStyle>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/QtBridge.h"
#include "framework/windows/WindowImpl.h"

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

// Takes the keys the control passes on straight into the field's own handling: a key the
// field ignores must not travel up to the control's window again.
class FieldEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;
  void Feed(QKeyEvent* e) { keyPressEvent(e); }
};
}  // namespace

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
}

TCustomEdit::~TCustomEdit() {
  // The window outlives this part of the control: the field goes now, with its style.
  if (QLineEdit* e = FField->Edit) {
    QObject::disconnect(e, nullptr, nullptr, nullptr);
    e->setStyle(nullptr);
    delete e;
  }
}

// ---- window -----------------------------------------------------------------------------
void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  QWidget* client = WindowImpl()->Client;
  auto* e = new FieldEdit(client);
  FField->Edit = e;
  // The control's window keeps the focus and the keys; the field only shows the text and
  // takes what the control passes on.
  e->setFocusPolicy(Qt::NoFocus);
  e->setContextMenuPolicy(Qt::NoContextMenu);
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
  if (QLineEdit* e = FField->Edit) {
    FText = S(e->text());
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

void TCustomEdit::Change() {
  if (OnChange) {
    TNotifyEvent handler = OnChange;
    handler(this);
  }
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

// ---- keys -------------------------------------------------------------------------------
void TCustomEdit::WndProc(TMessage& m) {
  if (m.Msg == WM_GETDLGCODE) {
    m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return;
  }
  TWinControl::WndProc(m);
}

void TCustomEdit::DefaultHandler(TMessage& m) {
  FieldEdit* e = FField->Edit;
  if (e && (m.Msg == WM_KEYDOWN || m.Msg == WM_CHAR)) {
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
    m.Result = 0;
    return;
  }
  TWinControl::DefaultHandler(m);
}
