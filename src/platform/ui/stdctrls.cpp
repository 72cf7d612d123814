#include "platform/ui/stdctrls.h"
#include "platform/ui/drawing.h"

#include <QtCore/QDateTime>
#include <QtCore/QHash>
#include <QtCore/QPointer>
#include <QtGui/QClipboard>
#include <QtGui/QPainter>
#include <QtGui/QValidator>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtGui/QTextLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QToolTip>

#include <limits>

void NotifyParent(TWinControl* child, uint16_t code)
{
    if (!child) return;
    if (child->Parent()) child->Parent()->Perform(WM_COMMAND, MAKEWPARAM(0, code), LPARAM(child));
    else child->Perform(CN_COMMAND, MAKEWPARAM(0, code), LPARAM(child));
}

namespace {
// Measures text without a widget.
TCanvas* MeasureCanvas(const TFont& f)
{
    static TBitmap probe(1, 1);
    probe.Canvas()->SetFont(f);
    return probe.Canvas();
}

Qt::Alignment QtAlign(TAlignment a)
{
    switch (a) {
    case taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// Items list that tells its control when it changed.
class TNotifyingStrings : public TStringList {
public:
    explicit TNotifyingStrings(std::function<void()> onChange) : FNotify(std::move(onChange)) {}
protected:
    void Changed() override
    {
        TStringList::Changed();
        // A batch between BeginUpdate and EndUpdate notifies once, at its end: a list of
        // n items filled in one go must not rebuild its control n times.
        if (FNotify && UpdateCount() == 0) FNotify();
    }
private:
    std::function<void()> FNotify;
};
} // namespace

// ---------------------------------------------------------------- label
TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FParentColor = true;
    FControlStyle |= csOpaque;
    FWidth = 65;
    FHeight = 17;
    resize(FWidth, FHeight);
}

void TCustomLabel::SetAutoSize(bool v) { FAutoSize = v; AdjustBounds(); }
void TCustomLabel::SetWordWrap(bool v) { FWordWrap = v; AdjustBounds(); Invalidate(); }

void TCustomLabel::SetTransparent(bool v)
{
    if (v) FControlStyle &= ~unsigned(csOpaque);
    else FControlStyle |= csOpaque;
    setAttribute(Qt::WA_TranslucentBackground, v);
    Invalidate();
}

unsigned TCustomLabel::DrawTextFlags() const
{
    unsigned f = DT_EXPANDTABS;
    if (FWordWrap) f |= DT_WORDBREAK;
    if (!FShowAccelChar) f |= DT_NOPREFIX;
    if (FAlignment == taCenter) f |= DT_CENTER;
    else if (FAlignment == taRightJustify) f |= DT_RIGHT;
    return f;
}

// The size of a caption in a font on the probe canvas. A label is measured again after
// every change of font or text while its window is built, and short captions repeat
// across the windows, so the answers are kept; the probe measures alike every time.
namespace {
struct CaptionKey {
    QString name, text;
    int height, pitch, charset, orientation, width;
    unsigned style, flags;
    bool operator==(const CaptionKey&) const = default;
};
size_t qHash(const CaptionKey& k, size_t seed = 0)
{
    return qHashMulti(seed, k.name, k.text, k.height, k.pitch, k.charset, k.orientation, k.width, k.style, k.flags);
}

TRect MeasureCaption(const TFont& font, const QString& text, unsigned flags, int width)
{
    static QHash<CaptionKey, TRect> known;
    CaptionKey key{font.Name(), text, font.Height(), int(font.Pitch()), int(font.Charset()),
                   font.Orientation(), width, font.Style().Bits(), flags};
    const auto it = known.constFind(key);
    if (it != known.cend()) return *it;
    TRect r(0, 0, width, 0);
    QString t = text;
    DrawText(MeasureCanvas(font), t, r, flags | DT_CALCRECT);
    if (known.size() >= 4096) known.clear();
    known.insert(std::move(key), r);
    return r;
}
} // namespace

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize) return;
    const TRect r = MeasureCaption(FFont, FText.isEmpty() ? QStringLiteral(" ") : FText, DrawTextFlags(),
                                   FWordWrap ? FWidth : 0);
    int w = FWordWrap ? FWidth : r.Width();
    int left = FLeft;
    if (!FWordWrap && FAlignment == taRightJustify) left = FLeft + FWidth - w;
    else if (!FWordWrap && FAlignment == taCenter) left = FLeft + (FWidth - w) / 2;
    SetBounds(left, FTop, w, r.Height());
}

void TCustomLabel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->SetFont(FFont);
    if (!FEnabled) c->Font()->SetColor(clGrayText);
    c->Brush()->SetStyle(bsClear);
    unsigned f = DrawTextFlags();
    if (FLayout != tlTop) {
        TRect calc = r;
        DrawText(c, FText, calc, f | DT_CALCRECT);
        const int dy = FLayout == tlCenter ? (r.Height() - calc.Height()) / 2 : r.Height() - calc.Height();
        r.Top += dy;
    }
    DrawText(c, FText, r, f);
}

void TCustomLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TCustomLabel::TextChanged()
{
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::WndProc(TMessage& m)
{
    if (m.Msg == CM_DIALOGCHAR && FFocusControl && FShowAccelChar) {
        int u = -1;
        for (int i = 0; i + 1 < FText.size(); ++i)
            if (FText[i] == QLatin1Char('&') && FText[i + 1] != QLatin1Char('&')) { u = i + 1; break; }
        if (u > 0 && FText[u].toUpper() == QChar(char16_t(m.WParam)).toUpper() && FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            m.Result = 1;
            return;
        }
    }
    TGraphicControl::WndProc(m);
}

// ---------------------------------------------------------------- edit
// Holds typed and pasted text to a line edit's length limit, as the classic
// edit control does: a character that does not fit is refused, a paste keeps
// the part that fits. Text that `whole` lets through (set by the program), and
// edits that do not lengthen the text, pass whole.
class TEditTypingLimit : public QValidator {
public:
    TEditTypingLimit(QLineEdit* e, std::function<int()> limit, std::function<bool(const QString&)> whole)
        : QValidator(e), FEdit(e), FMax(std::move(limit)), FWhole(std::move(whole))
    {
        // The native limit would cut text the program sets.
        e->setMaxLength(std::numeric_limits<int>::max() / 2);
        e->setValidator(this);
        connect(e, &QLineEdit::textChanged, this, [this](const QString& t) { FLast = t; });
    }
    void Sync() { FLast = FEdit->text(); }
    State validate(QString& input, int& pos) const override
    {
        const int limit = FMax();
        const QString& old = FLast;
        if (limit <= 0 || input.size() <= limit || input.size() <= old.size() || !FEdit->inputMask().isEmpty() || FWhole(input))
            return Acceptable;
        const int n = int(std::min(old.size(), input.size()));
        int pre = 0;
        while (pre < n && old[pre] == input[pre]) ++pre;
        int suf = 0;
        while (suf < n - pre && old[old.size() - 1 - suf] == input[input.size() - 1 - suf]) ++suf;
        // What is left of the old text is its common prefix and suffix.
        const int room = limit - (pre + suf);
        if (room <= 0) return Invalid;
        input = input.left(pre) + input.mid(pre, room) + input.right(suf);
        pos = pre + room;
        return Acceptable;
    }
private:
    QLineEdit* FEdit;
    std::function<int()> FMax;
    std::function<bool(const QString&)> FWhole;
    QString FLast;
};

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    FColor = clWindow;
    FEdit = new QLineEdit();
    FLimit = new TEditTypingLimit(FEdit, [this] { return FMaxLength; }, [this](const QString&) { return FProgramText; });
    SetInnerWidget(FEdit);
    FTabStop = true;
    SetBounds(0, 0, 121, 21);
    QObject::connect(FEdit, &QLineEdit::textChanged, this, [this] {
        if (!FNoChange && !FMulti) Guard([this] { NotifyParent(this, EN_CHANGE); });
    });
}

// Sits on top of the line edit, passes the mouse through and paints what the
// edit's PaintOver draws.
class TEditOverlay : public QWidget {
public:
    explicit TEditOverlay(TCustomEdit* edit) : QWidget(edit), FOwner(edit)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_TranslucentBackground);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, edit->width(), edit->height());
        edit->installEventFilter(this);
        raise();
        show();
    }
protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == FOwner && (e->type() == QEvent::Resize || e->type() == QEvent::ChildAdded)) {
            setGeometry(0, 0, FOwner->width(), FOwner->height());
            if (e->type() == QEvent::Resize) raise();
        }
        return false;
    }
    void paintEvent(QPaintEvent*) override
    {
        QImage img(size(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            TCanvas c(&img);
            FOwner->Guard([&] { FOwner->PaintOver(&c); });
        }
        QPainter p(this);
        p.drawImage(0, 0, img);
    }
private:
    TCustomEdit* FOwner;
};

void TCustomEdit::DefaultHandler(TMessage& m)
{
    if (FMulti && m.Msg == WM_CHAR && (m.WParam == 13 || m.WParam == 10)) {
        // The line break is ours to type: the native editor would make it a
        // paragraph on Return and nothing on Ctrl+Return.
        if (!ReadOnly() && (m.WParam == 10 || FWantReturn)) InsertLineBreak();
        return;
    }
    TWinControl::DefaultHandler(m);
    if (m.LParam != 0 || (m.Msg != WM_CHAR && m.Msg != WM_KEYDOWN)) return;
    if (FMulti) {
        QTextCursor c = FMultiEdit->textCursor();
        if (m.Msg == WM_CHAR) {
            const char16_t ch = char16_t(m.WParam);
            if (ReadOnly()) return;
            if (ch == 8) c.deletePreviousChar();
            else if (ch >= 32) c.insertText(QString(QChar(ch)));
            FMultiEdit->setTextCursor(c);
            return;
        }
        switch (WORD(m.WParam)) {
        case VK_LEFT: c.movePosition(QTextCursor::Left); break;
        case VK_RIGHT: c.movePosition(QTextCursor::Right); break;
        case VK_UP: c.movePosition(QTextCursor::Up); break;
        case VK_DOWN: c.movePosition(QTextCursor::Down); break;
        case VK_HOME: c.movePosition(QTextCursor::StartOfLine); break;
        case VK_END: c.movePosition(QTextCursor::EndOfLine); break;
        case VK_DELETE: if (!ReadOnly()) c.deleteChar(); break;
        default: break;
        }
        FMultiEdit->setTextCursor(c);
        return;
    }
    if (m.Msg == WM_CHAR) {
        const char16_t ch = char16_t(m.WParam);
        if (FEdit->isReadOnly()) return;
        if (ch == 8) FEdit->backspace();
        else if (ch >= 32) FEdit->insert(QString(QChar(ch)));
        return;
    }
    switch (WORD(m.WParam)) {
    case VK_LEFT: FEdit->cursorBackward(false); break;
    case VK_RIGHT: FEdit->cursorForward(false); break;
    case VK_HOME: FEdit->home(false); break;
    case VK_END: FEdit->end(false); break;
    case VK_DELETE: if (!FEdit->isReadOnly()) FEdit->del(); break;
    default: break;
    }
}

void TCustomEdit::SetPaintOver(bool on)
{
    if (on == (FOverlay != nullptr)) return;
    if (on) FOverlay = new TEditOverlay(this);
    else { delete FOverlay; FOverlay = nullptr; }
}

void TCustomEdit::InvalidatePaintOver() { if (FOverlay) FOverlay->update(); }

namespace {
QString FromCrLf(QString t) { return t.replace(QLatin1String("\r\n"), QLatin1String("\n")); }

// A multi-line edit ends its lines as its content does: the first line break of a text set,
// or pasted into a window without one, decides between CR LF and a bare LF; a window that
// never held a break uses CR LF. The choice lives on the text window.
const char* const kLineEndProperty = "kvLineEnd";

QString LineEndOf(const QPlainTextEdit* w)
{
    const QVariant v = w->property(kLineEndProperty);
    return v.isValid() ? v.toString() : QStringLiteral("\r\n");
}

// Takes the line end of Text when it has a break; Always also resets to CR LF when it has none.
void AdoptLineEnd(QPlainTextEdit* w, const QString& Text, bool Always)
{
    const qsizetype nl = Text.indexOf(QLatin1Char('\n'));
    if (nl < 0) {
        if (Always) w->setProperty(kLineEndProperty, QVariant());
        return;
    }
    const bool crlf = nl > 0 && Text[nl - 1] == QLatin1Char('\r');
    w->setProperty(kLineEndProperty, crlf ? QStringLiteral("\r\n") : QStringLiteral("\n"));
}
} // namespace

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style |= ES_AUTOHSCROLL;
}

void TCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    const unsigned style = FParams.Style;
    // A multi-line window that scrolls sideways and takes no Return shows its one line: the
    // line edit serves it (it takes the formatting rectangle too).
    const bool lines = (style & ES_MULTILINE) && (!(style & ES_AUTOHSCROLL) || (style & ES_WANTRETURN));
    SetLineMode(lines, !(style & ES_AUTOHSCROLL), style & ES_WANTRETURN);
}

void TCustomEdit::SetLineMode(bool Multi, bool Wrap, bool WantReturn)
{
    FWantReturn = Multi && WantReturn;
    FWrap = Multi && Wrap;
    if (Multi && !FMultiEdit) {
        FMultiEdit = new QPlainTextEdit();
        FMultiEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        FMultiEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        FMultiEdit->setTabChangesFocus(true);
        FMultiEdit->document()->setDocumentMargin(0);
        FMultiEdit->hide();
        QObject::connect(FMultiEdit, &QPlainTextEdit::textChanged, this, [this] {
            if (FMulti && !FNoChange) Guard([this] { NotifyParent(this, EN_CHANGE); });
        });
    }
    if (FMultiEdit) FMultiEdit->setLineWrapMode(FWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    if (Multi == FMulti) return;
    // The new window takes over text, selection, state and focus of the old one.
    const QString text = Text();
    const int start = SelStart(), len = SelLength();
    const bool modified = Modified(), readOnly = ReadOnly();
    QWidget* old = InnerWidget();
    const bool focused = old && old->hasFocus();
    FMulti = Multi;
    QWidget* w = Multi ? static_cast<QWidget*>(FMultiEdit) : static_cast<QWidget*>(FEdit);
    if (old) old->removeEventFilter(this);
    SetInnerWidget(w);
    // The multi-line field takes the mouse on its viewport: a click or double click there
    // is the control's as much as one on the single-line field.
    if (Multi) FMultiEdit->viewport()->installEventFilter(this);
    else if (FMultiEdit) FMultiEdit->viewport()->removeEventFilter(this);
    FNoChange = true;
    SetTextBuf(text);
    FNoChange = false;
    SetReadOnly(readOnly);
    SetAlignment(FAlignment);
    SetEditBorderStyle(FFramed ? bsSingle : bsNone);
    SetSelRange(start, start + len);
    SetModified(modified);
    w->show();
    // The focus passes to the new window before the old one hides (hiding it would send the
    // focus elsewhere); the pop-up reason keeps the move from counting as a focus change.
    if (focused) w->setFocus(Qt::PopupFocusReason);
    if (old) old->hide();
    if (FOverlay) static_cast<QWidget*>(FOverlay)->raise();
}

int TCustomEdit::ToMultiPos(int Pos) const
{
    const QString t = FMultiEdit->toPlainText();
    const int breakSize = int(LineEndOf(FMultiEdit).size());
    int classic = 0, q = 0;
    while (q < t.size()) {
        const int step = t[q] == QLatin1Char('\n') ? breakSize : 1;
        if (classic + step > Pos) break;
        classic += step;
        ++q;
    }
    return q;
}

int TCustomEdit::FromMultiPos(int Pos) const
{
    const QString t = FMultiEdit->toPlainText();
    return Pos + int(t.left(Pos).count(QLatin1Char('\n'))) * int(LineEndOf(FMultiEdit).size() - 1);
}

void TCustomEdit::SetSelRange(int Start, int End)
{
    if (!FMulti) {
        FEdit->setSelection(Start, End - Start);
        return;
    }
    QTextCursor c = FMultiEdit->textCursor();
    c.setPosition(ToMultiPos(Start));
    c.setPosition(ToMultiPos(End), QTextCursor::KeepAnchor);
    FMultiEdit->setTextCursor(c);
}

void TCustomEdit::InsertLineBreak()
{
    QTextCursor c = FMultiEdit->textCursor();
    c.insertText(QStringLiteral("\n"));
    FMultiEdit->setTextCursor(c);
}

int TCustomEdit::VisualLineOf(int MultiPos) const
{
    // Wrapped lines count, as in the classic edit; a block not laid out yet counts as one line.
    const QTextDocument* doc = FMultiEdit->document();
    const QTextBlock target = doc->findBlock(MultiPos);
    int line = 0;
    for (QTextBlock b = doc->begin(); b.isValid() && b != target; b = b.next())
        line += b.layout() && b.layout()->lineCount() > 0 ? b.layout()->lineCount() : 1;
    if (target.isValid() && target.layout() && target.layout()->lineCount() > 0) {
        const QTextLine l = target.layout()->lineForTextPosition(MultiPos - target.position());
        if (l.isValid()) line += l.lineNumber();
    }
    return line;
}

QString TCustomEdit::GetText() const
{
    if (!FMulti) return FEdit->text();
    return FMultiEdit->toPlainText().replace(QLatin1Char('\n'), LineEndOf(FMultiEdit));
}

void TCustomEdit::SetTextBuf(const QString& s)
{
    FProgramText = true;
    if (FMulti) {
        AdoptLineEnd(FMultiEdit, s, true);
        FMultiEdit->setPlainText(FromCrLf(s));
        FMultiEdit->moveCursor(QTextCursor::Start);
    }
    FEdit->setText(FMulti ? QString() : s);
    FProgramText = false;
    FLimit->Sync();
    FEdit->setCursorPosition(0);
}

void TCustomEdit::SetTextNoChange(const QString& s)
{
    FNoChange = true;
    FProgramText = true;
    if (FMulti) FMultiEdit->setPlainText(FromCrLf(s));
    else FEdit->setText(s);
    FProgramText = false;
    FNoChange = false;
    FLimit->Sync();
}

void TCustomEdit::SetMaxLength(int v) { FMaxLength = std::max(0, v); }
bool TCustomEdit::ReadOnly() const { return FEdit->isReadOnly(); }
void TCustomEdit::SetReadOnly(bool v)
{
    FEdit->setReadOnly(v);
    if (FMultiEdit) FMultiEdit->setReadOnly(v);
}

void TCustomEdit::SetPasswordChar(QChar c)
{
    FPasswordChar = c;
    FEdit->setEchoMode(c.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

int TCustomEdit::SelStart() const
{
    if (FMulti) return FromMultiPos(FMultiEdit->textCursor().selectionStart());
    return FEdit->hasSelectedText() ? FEdit->selectionStart() : FEdit->cursorPosition();
}

void TCustomEdit::SetSelStart(int v)
{
    if (FMulti) {
        const int p = std::clamp(v, 0, int(Text().size()));
        SetSelRange(p, p);
        return;
    }
    FEdit->deselect();
    FEdit->setCursorPosition(std::clamp(v, 0, int(FEdit->text().size())));
}

int TCustomEdit::SelLength() const
{
    if (FMulti) {
        const QTextCursor c = FMultiEdit->textCursor();
        return FromMultiPos(c.selectionEnd()) - FromMultiPos(c.selectionStart());
    }
    return FEdit->hasSelectedText() ? FEdit->selectionLength() : 0;
}

void TCustomEdit::SetSelLength(int v)
{
    const int start = SelStart();
    if (FMulti) {
        SetSelRange(start, start + std::max(0, std::min(v, int(Text().size()) - start)));
        return;
    }
    FEdit->setSelection(start, std::max(0, std::min(v, int(FEdit->text().size()) - start)));
}

QString TCustomEdit::SelText() const { return FMulti ? Text().mid(SelStart(), SelLength()) : FEdit->selectedText(); }
void TCustomEdit::SetSelText(const QString& s)
{
    if (FMulti) {
        if (!FMultiEdit->toPlainText().contains(QLatin1Char('\n'))) AdoptLineEnd(FMultiEdit, s, false);
        FMultiEdit->insertPlainText(FromCrLf(s));
    } else FEdit->insert(s);
}
void TCustomEdit::SelectAll()
{
    if (FMulti) FMultiEdit->selectAll();
    else FEdit->selectAll();
}
void TCustomEdit::ClearSelection()
{
    if (FMulti) FMultiEdit->textCursor().removeSelectedText();
    else if (FEdit->hasSelectedText()) FEdit->del();
}
void TCustomEdit::Clear()
{
    if (FMulti) FMultiEdit->clear();
    else FEdit->clear();
}
bool TCustomEdit::Modified() const { return FMulti ? FMultiEdit->document()->isModified() : FEdit->isModified(); }
void TCustomEdit::SetModified(bool v)
{
    if (FMulti) FMultiEdit->document()->setModified(v);
    else FEdit->setModified(v);
}
void TCustomEdit::SetAlignment(TAlignment a)
{
    FAlignment = a;
    FEdit->setAlignment(QtAlign(a));
    if (FMultiEdit) {
        QTextOption o = FMultiEdit->document()->defaultTextOption();
        o.setAlignment(QtAlign(a));
        o.setWrapMode(FWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        FMultiEdit->document()->setDefaultTextOption(o);
    }
}
void TCustomEdit::SetEditBorderStyle(TBorderStyle b)
{
    FFramed = b != bsNone;
    FEdit->setFrame(FFramed);
    if (FMultiEdit) FMultiEdit->setFrameShape(FFramed ? QFrame::StyledPanel : QFrame::NoFrame);
}
void TCustomEdit::CopyToClipboard() { Perform(WM_COPY); }
void TCustomEdit::CutToClipboard() { Perform(WM_CUT); }
void TCustomEdit::PasteFromClipboard() { Perform(WM_PASTE); }
void TCustomEdit::Undo()
{
    if (FMulti) FMultiEdit->undo();
    else FEdit->undo();
}
bool TCustomEdit::CanUndo() const { return FMulti ? FMultiEdit->document()->isUndoAvailable() : FEdit->isUndoAvailable(); }

void TCustomEdit::SetCharCase(TEditCharCase c)
{
    FCharCase = c;
    if (c == ecUpperCase) SetText(Text().toUpper());
    else if (c == ecLowerCase) SetText(Text().toLower());
}

void TCustomEdit::Change() { if (OnChange) OnChange(this); }

void TCustomEdit::DoEnter()
{
    // Entering by keyboard selects the text; a click places the caret instead.
    // The text is selected at once, so that a key typed right after the focus moved here
    // replaces it whatever the speed of typing; should the field's own focus handling drop
    // the selection again, it is made once more after the focus change, but only while
    // text and caret are as they were: an owner that placed text or caret meanwhile (a
    // grid opening its editor with the typed character) keeps what it placed.
    if (FMulti && FAutoSelect && SelLength() == 0 && !(QApplication::mouseButtons() & Qt::LeftButton)) {
        QPointer<QPlainTextEdit> e = FMultiEdit;
        e->selectAll();
        const QString text = e->toPlainText();
        const int caret = e->textCursor().position();
        QMetaObject::invokeMethod(FMultiEdit, [e, text, caret] {
            if (e && e->toPlainText() == text && e->textCursor().position() == caret && !e->textCursor().hasSelection())
                e->selectAll();
        }, Qt::QueuedConnection);
    } else if (!FMulti && FAutoSelect && !FEdit->hasSelectedText() && !(QApplication::mouseButtons() & Qt::LeftButton)) {
        QPointer<QLineEdit> e = FEdit;
        e->selectAll();
        const QString text = e->text();
        const int caret = e->cursorPosition();
        QMetaObject::invokeMethod(FEdit, [e, text, caret] {
            if (e && e->text() == text && e->cursorPosition() == caret && !e->hasSelectedText()) e->selectAll();
        }, Qt::QueuedConnection);
    }
    TWinControl::DoEnter();
}

namespace {
// The balloon of an edit field: its title over its text, just below the field.
LRESULT ShowBalloonUnder(QWidget* Field, const TEditBalloonTip& Tip)
{
    QToolTip::showText(Field->mapToGlobal(QPoint(0, Field->height())),
                       Tip.Title.isEmpty() ? Tip.Text : Tip.Title + QLatin1Char('\n') + Tip.Text, Field);
    return 1;
}
} // namespace

void TCustomEdit::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
        return;
    case CN_COMMAND:
        if (m.WParamHi() == EN_CHANGE) Change();
        return;
    case WM_KEYDOWN: {
        if (DoKeyDown(m)) return;
        const WORD vk = WORD(m.WParam);
        const auto mods = QApplication::keyboardModifiers();
        if (vk == VK_INSERT && (mods & Qt::ShiftModifier)) { Perform(WM_PASTE); return; }
        if (vk == VK_INSERT && (mods & Qt::ControlModifier)) { Perform(WM_COPY); return; }
        if (vk == VK_DELETE && (mods & Qt::ShiftModifier)) { Perform(WM_CUT); return; }
        DefaultHandler(m);
        return;
    }
    case WM_CHAR: {
        if (DoKeyPress(m)) return;
        const char16_t ch = char16_t(m.WParam);
        // Clipboard keys become clipboard messages, so controls can filter them.
        if (ch == 0x16) { Perform(WM_PASTE); return; }
        if (ch == 0x18) { Perform(WM_CUT); return; }
        if (ch == 0x03) { Perform(WM_COPY); return; }
        if (ch == 0x1A) { Perform(WM_UNDO); return; }
        if (ch == 0x01) { SelectAll(); return; }
        // The line edit holds its limit itself; the multi-line one is held here.
        if (FMulti && FMaxLength > 0 && ch >= 32 && Text().size() - SelLength() >= FMaxLength) return;
        if (ch >= 32) {
            QChar c(ch);
            if (FNumbersOnly && !c.isDigit()) return;
            if (FCharCase == ecUpperCase) c = c.toUpper();
            else if (FCharCase == ecLowerCase) c = c.toLower();
            m.WParam = c.unicode();
        }
        DefaultHandler(m);
        return;
    }
    case WM_PASTE:
        if (ReadOnly()) return;
        if (FMulti) {
            if (!FMultiEdit->toPlainText().contains(QLatin1Char('\n')))
                AdoptLineEnd(FMultiEdit, QApplication::clipboard()->text(), false);
            FMultiEdit->paste();
        } else FEdit->paste();
        return;
    case WM_CUT:
        if (ReadOnly()) return;
        if (FMulti) FMultiEdit->cut();
        else FEdit->cut();
        return;
    case WM_COPY:
        if (FMulti) FMultiEdit->copy();
        else FEdit->copy();
        return;
    case WM_CLEAR: if (!ReadOnly()) ClearSelection(); return;
    case WM_UNDO: case EM_UNDO: Undo(); m.Result = 1; return;
    case EM_CANUNDO: m.Result = CanUndo(); return;
    case EM_GETSEL: {
        const int s = SelStart(), e = s + SelLength();
        if (m.WParam) *reinterpret_cast<int*>(m.WParam) = s;
        if (m.LParam) *reinterpret_cast<int*>(m.LParam) = e;
        m.Result = MAKELPARAM(unsigned(s), unsigned(e));
        return;
    }
    case EM_SETSEL: {
        int s = int(intptr_t(m.WParam)), e = int(m.LParam);
        const int n = int(Text().size());
        if (s < 0) { SetSelStart(SelStart()); return; }
        if (e < 0 || e > n) e = n;
        if (s > n) s = n;
        SetSelRange(s, e);
        return;
    }
    case EM_LIMITTEXT: SetMaxLength(int(m.WParam)); return;
    case EM_SETREADONLY: SetReadOnly(m.WParam != 0); m.Result = 1; return;
    case EM_SETPASSWORDCHAR: SetPasswordChar(QChar(char16_t(m.WParam))); return;
    case EM_GETMODIFY: m.Result = Modified(); return;
    case EM_SETMODIFY: SetModified(m.WParam != 0); return;
    case EM_GETLINECOUNT:
        m.Result = FMulti ? VisualLineOf(int(FMultiEdit->toPlainText().size())) + 1 : 1;
        return;
    // The line of a character (-1: the caret's, or the selection's start); a one-line edit has line 0 only.
    case EM_LINEFROMCHAR: {
        if (!FMulti) { m.Result = 0; return; }
        const int classic = int(intptr_t(m.WParam)) < 0 ? SelStart() : int(intptr_t(m.WParam));
        m.Result = VisualLineOf(ToMultiPos(classic));
        return;
    }
    case EM_CHARFROMPOS: {
        const QPoint p(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
        if (FMulti) {
            const QPoint v = FMultiEdit->viewport()->mapFrom(FMultiEdit, p);
            m.Result = FromMultiPos(FMultiEdit->cursorForPosition(v).position());
            return;
        }
        m.Result = FEdit->cursorPositionAt(p);
        return;
    }
    case EM_POSFROMCHAR: {
        if (FMulti) {
            QTextCursor c = FMultiEdit->textCursor();
            c.setPosition(ToMultiPos(int(m.WParam)));
            const QPoint p = FMultiEdit->viewport()->mapTo(FMultiEdit, FMultiEdit->cursorRect(c).topLeft());
            m.Result = MAKELPARAM(unsigned(p.x()), unsigned(p.y()));
            return;
        }
        const int save = FEdit->cursorPosition();
        const int selStart = FEdit->selectionStart();
        const int selLen = int(FEdit->selectedText().length());
        FEdit->setCursorPosition(int(m.WParam));
        const QRect r = FEdit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        // Asking for a position leaves the selection as it was, caret end included.
        if (selStart >= 0 && selLen > 0) {
            if (save == selStart) FEdit->setSelection(selStart + selLen, -selLen);
            else FEdit->setSelection(selStart, selLen);
        } else {
            FEdit->setCursorPosition(save);
        }
        m.Result = MAKELPARAM(unsigned(r.left()), unsigned(r.top()));
        return;
    }
    case EM_SCROLLCARET: return;
    case EM_SETRECT:
    case EM_SETRECTNP:
        if (m.LParam) {
            const TRect* r = reinterpret_cast<const TRect*>(m.LParam);
            FRectMargins = QMargins(r->Left, r->Top, std::max(0, FWidth - r->Right), std::max(0, FHeight - r->Bottom));
            FEdit->setTextMargins(FRectMargins);
            if (FMultiEdit) FMultiEdit->setContentsMargins(FRectMargins);
        }
        return;
    case EM_GETRECT:
        if (m.LParam) {
            const QMargins mg = FMulti ? FRectMargins : FEdit->textMargins();
            *reinterpret_cast<TRect*>(m.LParam) = TRect(mg.left(), mg.top(), FWidth - mg.right(), FHeight - mg.bottom());
        }
        return;
    case EM_SHOWBALLOONTIP:
        if (m.LParam) m.Result = ShowBalloonUnder(this, *reinterpret_cast<const TEditBalloonTip*>(m.LParam));
        return;
    case EM_HIDEBALLOONTIP: QToolTip::hideText(); m.Result = 1; return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

// ---------------------------------------------------------------- mask edit
QString ConvertEditMask(const QString& full, bool* saveLiterals, QChar* blank)
{
    QStringList parts;
    // The mask part may contain escaped ';'.
    QString cur;
    for (int i = 0; i < full.size(); ++i) {
        if (full[i] == QLatin1Char('\\') && i + 1 < full.size() && parts.isEmpty()) { cur += full[i]; cur += full[++i]; continue; }
        if (full[i] == QLatin1Char(';') && parts.size() < 2) { parts << cur; cur.clear(); continue; }
        cur += full[i];
    }
    parts << cur;
    const QString mask = parts.value(0);
    if (saveLiterals) *saveLiterals = parts.size() < 2 || parts[1] != QLatin1String("0");
    QChar bl = QLatin1Char('_');
    if (parts.size() >= 3 && !parts[2].isEmpty()) bl = parts[2][0];
    if (blank) *blank = bl;
    QString out;
    const QString qtSpecial = QStringLiteral("AaNnXx90Dd#HhBb><!{}[]");
    for (int i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        switch (c.unicode()) {
        case '0': out += QLatin1Char('9'); break;   // digit required
        case '9': out += QLatin1Char('0'); break;   // digit optional
        case '#': out += QLatin1Char('#'); break;
        case 'L': out += QLatin1Char('A'); break;   // letter required
        case 'l': out += QLatin1Char('a'); break;
        case 'A': out += QLatin1Char('N'); break;   // letter or digit required
        case 'a': out += QLatin1Char('n'); break;
        case 'C': out += QLatin1Char('X'); break;   // any character required
        case 'c': out += QLatin1Char('x'); break;
        case '>': out += QLatin1Char('>'); break;
        case '<':
            if (i + 1 < mask.size() && mask[i + 1] == QLatin1Char('>')) { out += QLatin1Char('!'); ++i; }
            else out += QLatin1Char('<');
            break;
        case '!': break;                             // leading blanks: no Qt equivalent
        case '\\':
            if (i + 1 < mask.size()) {
                const QChar n = mask[++i];
                if (qtSpecial.contains(n) || n == QLatin1Char('\\')) out += QLatin1Char('\\');
                out += n;
            }
            break;
        case '_': out += QLatin1Char(' '); break;
        default:
            if (qtSpecial.contains(c)) out += QLatin1Char('\\');
            out += c;
            break;
        }
    }
    if (out.isEmpty()) return QString();
    return out + QLatin1Char(';') + bl;
}

TMaskEdit::TMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TMaskEdit::SetEditMask(const QString& m)
{
    FMask = m;
    const QString q = ConvertEditMask(m, &FSaveLiterals, &FBlank);
    FEdit->setInputMask(q);
}

QString TMaskEdit::EditText() const { return MultiLine() ? TCustomEdit::GetText() : FEdit->displayText(); }

QString TMaskEdit::GetText() const
{
    // A multi-line window takes no mask.
    if (FMask.isEmpty() || MultiLine()) return TCustomEdit::GetText();
    if (FSaveLiterals) return FEdit->displayText();
    return FEdit->text().remove(QRegularExpression(QStringLiteral("[^\\w]")));
}

bool TMaskEdit::IsComplete() const { return FMask.isEmpty() || FEdit->hasAcceptableInput(); }

// ---------------------------------------------------------------- memo
TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner)
{
    FColor = clWindow;
    FMemo = new QPlainTextEdit();
    SetInnerWidget(FMemo);
    FTabStop = true;
    SetBounds(0, 0, 185, 89);
    FLines = std::make_unique<TNotifyingStrings>([this] {
        if (FSyncing) return;
        FSyncing = true;
        FMemo->setPlainText(FLines->Text().endsWith(QLatin1String("\r\n")) ? FLines->Text().chopped(2) : FLines->Text());
        FSyncing = false;
    });
    SetScrollBars(ssNone);
    // Changes made through Lines notify too, as the classic memo does.
    QObject::connect(FMemo, &QPlainTextEdit::textChanged, this, [this] {
        Guard([this] { NotifyParent(this, EN_CHANGE); });
    });
}

TMemo::~TMemo() = default;

void TMemo::SyncFromWidget()
{
    if (FSyncing) return;
    FSyncing = true;
    FLines->SetText(FMemo->toPlainText());
    FSyncing = false;
}

TStrings* TMemo::Lines()
{
    SyncFromWidget();
    return FLines.get();
}

QString TMemo::GetText() const
{
    QString t = FMemo->toPlainText();
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t;
}

void TMemo::SetTextBuf(const QString& s)
{
    QString t = s;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    FMemo->setPlainText(t);
}

bool TMemo::ReadOnly() const { return FMemo->isReadOnly(); }
void TMemo::SetReadOnly(bool v) { FMemo->setReadOnly(v); }

void TMemo::SetWordWrap(bool v)
{
    FWordWrap = v;
    FMemo->setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle s)
{
    FScrollBars = s;
    FMemo->setVerticalScrollBarPolicy(s == ssVertical || s == ssBoth ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FMemo->setHorizontalScrollBarPolicy(s == ssHorizontal || s == ssBoth ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

int TMemo::SelStart() const { return FMemo->textCursor().selectionStart(); }
void TMemo::SetSelStart(int v)
{
    QTextCursor c = FMemo->textCursor();
    c.setPosition(v);
    FMemo->setTextCursor(c);
}
int TMemo::SelLength() const { const QTextCursor c = FMemo->textCursor(); return c.selectionEnd() - c.selectionStart(); }
void TMemo::SetSelLength(int v)
{
    QTextCursor c = FMemo->textCursor();
    const int s = c.selectionStart();
    c.setPosition(s);
    c.setPosition(s + v, QTextCursor::KeepAnchor);
    FMemo->setTextCursor(c);
}
void TMemo::SelectAll() { FMemo->selectAll(); }
void TMemo::Clear() { FMemo->clear(); }
void TMemo::SetAlignment(TAlignment a)
{
    FAlignment = a;
    QTextOption o = FMemo->document()->defaultTextOption();
    o.setAlignment(QtAlign(a));
    FMemo->document()->setDefaultTextOption(o);
}
void TMemo::Change() { if (OnChange) OnChange(this); }

void TMemo::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
        if (FWantReturns) m.Result |= DLGC_WANTALLKEYS;
        if (FWantTabs) m.Result |= DLGC_WANTTAB;
        return;
    case CN_COMMAND:
        if (m.WParamHi() == EN_CHANGE) Change();
        return;
    case WM_CHAR: {
        if (DoKeyPress(m)) return;
        // Typing replaces the selection, so only the unselected text counts against the limit.
        const int kept = int(FMemo->toPlainText().size() - FMemo->textCursor().selectedText().size());
        if (FMaxLength > 0 && m.WParam >= 32 && kept >= FMaxLength) return;
        DefaultHandler(m);
        return;
    }
    case WM_PASTE:
        if (ReadOnly()) return;
        if (FMaxLength > 0) {
            // A paste keeps the part that fits.
            const int kept = int(FMemo->toPlainText().size() - FMemo->textCursor().selectedText().size());
            FMemo->insertPlainText(QApplication::clipboard()->text().left(std::max(0, FMaxLength - kept)));
        } else {
            FMemo->paste();
        }
        return;
    case WM_CUT: if (!ReadOnly()) FMemo->cut(); return;
    case WM_COPY: FMemo->copy(); return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

// ---------------------------------------------------------------- combo box
class KvComboWidget : public QComboBox {
public:
    explicit KvComboWidget(TCustomComboBox* owner) : FOwner(owner) {}
    void showPopup() override
    {
        TControl::Guard([this] { NotifyParent(FOwner, CBN_DROPDOWN); });
        if (FOwner->FDroppedWidth > 0) view()->setMinimumWidth(FOwner->FDroppedWidth);
        // The list may take the focus while it opens; the control keeps it, as
        // the classic list never holds it.
        FOwner->FOpeningList = true;
        QComboBox::showPopup();
        if (QApplication::focusWidget() && QApplication::focusWidget() != this && isAncestorOfPopup(QApplication::focusWidget()))
            setFocus(Qt::PopupFocusReason);
        FOwner->FOpeningList = false;
        FOwner->FDropped = true;
        // Keys keep going to the control: the list never holds the focus.
        view()->setFocusPolicy(Qt::NoFocus);
    }
    void hidePopup() override
    {
        const bool was = FOwner->FDropped;
        QComboBox::hidePopup();
        FOwner->FDropped = false;
        if (was) TControl::Guard([this] { NotifyParent(FOwner, CBN_CLOSEUP); });
    }
private:
    bool isAncestorOfPopup(QObject* o) const
    {
        for (; o; o = o->parent())
            if (o == this) return true;
        return false;
    }
    TCustomComboBox* FOwner;
};

TCustomComboBox::TCustomComboBox(TComponent* AOwner, TComboBoxStyle style) : TWinControl(AOwner)
{
    FStyle = style;
    FColor = clWindow;
    FCombo = new KvComboWidget(this);
    SetInnerWidget(FCombo);
    FCombo->view()->installEventFilter(this);
    FTabStop = true;
    FItems = std::make_unique<TNotifyingStrings>([this] { SyncItems(); });
    ApplyStyle();
    SetBounds(0, 0, 145, 21);
    SetDropDownCount(8);
    QObject::connect(FCombo, QOverload<int>::of(&QComboBox::activated), this, [this](int) {
        if (!FSyncing) Guard([this] { NotifyParent(this, CBN_SELCHANGE); });
    });
    // Keys that move the selection while the list is open move its highlight too,
    // so Return takes what the user sees.
    QObject::connect(FCombo, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (FDropped && i >= 0) FCombo->view()->setCurrentIndex(FCombo->model()->index(i, FCombo->modelColumn()));
    });
}

TCustomComboBox::~TCustomComboBox() = default;

bool TCustomComboBox::HandleQtEvent(QObject* target, QEvent* e)
{
    // Opening the list moves no focus as far as the program can see.
    if (FOpeningList && (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)) return false;
    return TWinControl::HandleQtEvent(target, e);
}

void TCustomComboBox::ApplyStyle()
{
    const QString t = GetText();
    const bool editable = FStyle == csDropDown || FStyle == csSimple;
    QLineEdit* dropped = editable ? nullptr : FCombo->lineEdit();
    FCombo->setEditable(editable);
    // The toolkit deletes the field it drops later, and a field still standing in for the
    // combo's focus would take that focus away with it when it goes: the first list
    // shown after an editable one would lose its keys and close at once.
    if (dropped) dropped->setFocusProxy(nullptr);
    if (editable && FCombo->lineEdit()) {
        QLineEdit* le = FCombo->lineEdit();
        le->installEventFilter(this);
        QObject::connect(le, &QLineEdit::textEdited, this, [this] {
            if (!FSyncing) Guard([this] { NotifyParent(this, CBN_EDITCHANGE); });
        });
        // The program's text and the list's items show whole; the limit is for typing.
        new TEditTypingLimit(le, [this] { return FMaxLength; }, [this](const QString& text) {
            return FSyncing || FCombo->findText(text, Qt::MatchExactly) >= 0;
        });
        FCombo->setInsertPolicy(QComboBox::NoInsert);
        FCombo->setCompleter(nullptr);
        FSyncing = true;
        le->setText(t);
        FSyncing = false;
    }
}

void TCustomComboBox::SetStyle(TComboBoxStyle s)
{
    if (s == FStyle) return;
    FStyle = s;
    ApplyStyle();
}

TStrings* TCustomComboBox::Items() { return FItems.get(); }

void TCustomComboBox::SyncItems()
{
    FSyncing = true;
    const QString text = GetText();
    const int idx = FCombo->currentIndex();
    FCombo->clear();
    for (int i = 0; i < FItems->Count(); ++i) FCombo->addItem(FItems->Strings(i));
    if (FStyle == csDropDownList) FCombo->setCurrentIndex(idx < FItems->Count() ? idx : -1);
    else {
        FCombo->setCurrentIndex(-1);
        if (FCombo->lineEdit()) FCombo->lineEdit()->setText(text);
    }
    FSyncing = false;
}

int TCustomComboBox::ItemIndex() const
{
    if (FStyle == csDropDownList) return FCombo->currentIndex();
    // An editable combo's index follows its text.
    const int i = FCombo->currentIndex();
    if (i >= 0 && FCombo->itemText(i) == GetText()) return i;
    for (int k = 0; k < FCombo->count(); ++k) if (FCombo->itemText(k) == GetText() && i >= 0) return k;
    return i >= 0 && FCombo->itemText(i) == GetText() ? i : -1;
}

void TCustomComboBox::SetItemIndex(int i)
{
    FSyncing = true;
    if (i < 0 || i >= FCombo->count()) {
        FCombo->setCurrentIndex(-1);
        if (FCombo->lineEdit()) FCombo->lineEdit()->clear();
    } else {
        FCombo->setCurrentIndex(i);
        if (FCombo->lineEdit()) FCombo->lineEdit()->setText(FCombo->itemText(i));
    }
    FSyncing = false;
}

QString TCustomComboBox::GetText() const
{
    if (FCombo->isEditable() && FCombo->lineEdit()) return FCombo->lineEdit()->text();
    return FCombo->currentIndex() >= 0 ? FCombo->currentText() : QString();
}

void TCustomComboBox::SetTextBuf(const QString& s)
{
    FSyncing = true;
    if (FStyle == csDropDownList) {
        FCombo->setCurrentIndex(FCombo->findText(s, Qt::MatchFixedString));
    } else {
        const int i = FCombo->findText(s, Qt::MatchExactly);
        FCombo->setCurrentIndex(i);
        FCombo->lineEdit()->setText(s);
    }
    FSyncing = false;
}

void TCustomComboBox::SetDropDownCount(int n)
{
    FDropDownCount = n;
    FCombo->setMaxVisibleItems(std::max(1, n));
}

bool TCustomComboBox::DroppedDown() const { return FDropped; }

void TCustomComboBox::SetDroppedDown(bool v)
{
    if (v == FDropped) return;
    if (v) FCombo->showPopup();
    else FCombo->hidePopup();
}

void TCustomComboBox::SetDroppedWidth(int w) { FDroppedWidth = w; }

void TCustomComboBox::SetMaxLength(int v) { FMaxLength = std::max(0, v); }

void TCustomComboBox::SetSorted(bool v)
{
    FSorted = v;
    FItems->SetSorted(v);
}

void TCustomComboBox::SetAutoComplete(bool v) { FAutoComplete = v; }

int TCustomComboBox::SelStart() const
{
    QLineEdit* le = FCombo->lineEdit();
    if (!le) return 0;
    return le->hasSelectedText() ? le->selectionStart() : le->cursorPosition();
}

void TCustomComboBox::SetSelStart(int v)
{
    if (QLineEdit* le = FCombo->lineEdit()) { le->deselect(); le->setCursorPosition(v); }
}

int TCustomComboBox::SelLength() const
{
    QLineEdit* le = FCombo->lineEdit();
    return le && le->hasSelectedText() ? le->selectionLength() : 0;
}

void TCustomComboBox::SetSelLength(int v)
{
    if (QLineEdit* le = FCombo->lineEdit()) le->setSelection(SelStart(), v);
}

QString TCustomComboBox::SelText() const
{
    QLineEdit* le = FCombo->lineEdit();
    return le ? le->selectedText() : QString();
}

void TCustomComboBox::SelectAll() { if (QLineEdit* le = FCombo->lineEdit()) le->selectAll(); }

void TCustomComboBox::Clear()
{
    FItems->Clear();
    SetItemIndex(-1);
}

void TCustomComboBox::Change() { if (OnChange) OnChange(this); }
void TCustomComboBox::Select()
{
    if (OnSelect) OnSelect(this);
    else Change();
}
void TCustomComboBox::KeyPress(QChar& Key)
{
    TWinControl::KeyPress(Key);
    // Letters typed in quick succession spell the start of an item ("1", "12"); a letter
    // typed alone, or the same letter again, goes on to the next item starting with it.
    // One combo takes the keys at a time: the search is kept for the last one typed into,
    // and ends with a control key (Return, Tab, Escape) or when the item was changed by
    // anything but the search (a grid's editor moved to another cell).
    static struct {
        QPointer<TCustomComboBox> Combo;
        QString Typed;
        qint64 At = 0;
        int Index = -1;
    } search;
    if (Key.unicode() < 32 && search.Combo == this) search.Typed.clear();
    if (FStyle != csDropDownList || Key.unicode() < 32) return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool goOn = search.Combo == this && !search.Typed.isEmpty() && FCombo->currentIndex() == search.Index
                      && now - search.At < QApplication::keyboardInputInterval();
    search.Combo = this;
    search.At = now;
    search.Typed = goOn ? search.Typed + Key : QString(Key);
    QString prefix = search.Typed;
    if (prefix.count(Key, Qt::CaseInsensitive) == prefix.size()) prefix = QString(Key);
    const int n = FCombo->count();
    const int from = FCombo->currentIndex();
    auto find = [&](const QString& start, int first) {
        for (int k = 0; k < n; ++k) {
            const int i = (from + first + k + 2 * n) % n;
            if (FCombo->itemText(i).startsWith(start, Qt::CaseInsensitive)) return i;
        }
        return -1;
    };
    int i = prefix.size() > 1 ? find(prefix, 0) : -1;
    if (i < 0) i = find(QString(Key), 1);
    if (i >= 0 && i != from) {
        SetItemIndex(i);
        Click();
        Select();
    }
    search.Index = FCombo->currentIndex();
    Key = QChar();
}

void TCustomComboBox::DropDown() { if (OnDropDown) OnDropDown(this); }
void TCustomComboBox::CloseUp() { if (OnCloseUp) OnCloseUp(this); }

void TCustomComboBox::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (FDropped) m.Result |= DLGC_WANTALLKEYS;
        return;
    case CN_COMMAND:
        switch (m.WParamHi()) {
        case CBN_SELCHANGE:
            Click();
            Select();
            break;
        case CBN_EDITCHANGE: Change(); break;
        case CBN_DROPDOWN: DropDown(); break;
        case CBN_CLOSEUP: CloseUp(); break;
        default: break;
        }
        return;
    case WM_SETFOCUS:
        TWinControl::WndProc(m);
        // An editable combo selects its whole text when it gains the focus, however
        // the focus came (a key, a click or the program), so that typing replaces it.
        SelectAll();
        return;
    case WM_CHAR: {
        if (DoKeyPress(m)) return;
        DefaultHandler(m);
        // A character sent or posted by code (no key behind it) is typed into the
        // editable field as a key stroke would; the field's edit signal gives its
        // one edit-change notification.
        QLineEdit* le = FCombo->lineEdit();
        if (m.LParam != 0 || !le || le->isReadOnly()) return;
        const char16_t ch = char16_t(m.WParam);
        if (ch == 8) le->backspace();
        else if (ch >= 32) le->insert(QString(QChar(ch)));
        return;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        // Return on the open list takes its highlighted item before anyone sees the key.
        if (FDropped && WORD(m.WParam) == VK_RETURN) {
            const int i = FCombo->view()->currentIndex().row();
            if (i >= 0 && i != FCombo->currentIndex()) {
                FSyncing = true;
                FCombo->setCurrentIndex(i);
                if (FCombo->lineEdit()) FCombo->lineEdit()->setText(FCombo->itemText(i));
                FSyncing = false;
                NotifyParent(this, CBN_SELCHANGE);
            }
        }
        if (DoKeyDown(m)) return;
        const WORD vk = WORD(m.WParam);
        const auto mods = QApplication::keyboardModifiers();
        // F4 and Alt+Down open or close the list.
        if (vk == VK_F4 || ((vk == VK_DOWN || vk == VK_UP) && (mods & Qt::AltModifier))) {
            SetDroppedDown(!FDropped);
            return;
        }
        if (FDropped && (vk == VK_RETURN || vk == VK_ESCAPE)) {
            SetDroppedDown(false);
            return;
        }
        DefaultHandler(m);
        return;
    }
    case CB_GETCOUNT: m.Result = FCombo->count(); return;
    case CB_GETCURSEL: m.Result = ItemIndex(); return;
    case CB_SETCURSEL: SetItemIndex(int(intptr_t(m.WParam))); m.Result = ItemIndex(); return;
    case CB_SHOWDROPDOWN: SetDroppedDown(m.WParam != 0); m.Result = 1; return;
    case CB_GETDROPPEDSTATE: m.Result = FDropped; return;
    case CB_SETDROPPEDWIDTH: SetDroppedWidth(int(m.WParam)); m.Result = FDroppedWidth; return;
    case CB_GETDROPPEDWIDTH: m.Result = FDroppedWidth > 0 ? FDroppedWidth : FWidth; return;
    case CB_LIMITTEXT: SetMaxLength(int(m.WParam)); m.Result = 1; return;
    case CB_GETEDITSEL: {
        const int s = SelStart(), e = s + SelLength();
        m.Result = MAKELPARAM(unsigned(s), unsigned(e));
        return;
    }
    case CB_SETEDITSEL: {
        const int s = int16_t(m.LParamLo()), e = int16_t(m.LParamHi());
        if (QLineEdit* le = FCombo->lineEdit()) {
            if (s < 0) le->deselect();
            else le->setSelection(s, (e < 0 ? int(le->text().size()) : e) - s);
        }
        m.Result = 1;
        return;
    }
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT: {
        const QString s = m.LParam ? *reinterpret_cast<const QString*>(m.LParam) : QString();
        const int start = int(intptr_t(m.WParam)) + 1;
        m.Result = -1;
        for (int k = 0; k < FCombo->count(); ++k) {
            const int i = (start + k) % FCombo->count();
            const QString t = FCombo->itemText(i);
            const bool hit = m.Msg == CB_FINDSTRINGEXACT ? t.compare(s, Qt::CaseInsensitive) == 0
                                                         : t.startsWith(s, Qt::CaseInsensitive);
            if (hit) { m.Result = i; break; }
        }
        return;
    }
    case CB_GETLBTEXT:
        if (m.LParam) *reinterpret_cast<QString*>(m.LParam) = FCombo->itemText(int(m.WParam));
        m.Result = FCombo->itemText(int(m.WParam)).size();
        return;
    case CB_GETLBTEXTLEN: m.Result = FCombo->itemText(int(m.WParam)).size(); return;
    case CB_GETITEMHEIGHT: m.Result = int(m.WParam) == -1 ? SelectionFieldHeight() : FItemHeight; return;
    case CB_SETITEMHEIGHT:
        if (int(m.WParam) == -1) SetSelectionFieldHeight(int(m.LParam));
        else FItemHeight = int(m.LParam);
        return;
    case EM_CHARFROMPOS: {
        // Asked of the combo's own edit: the point is in the combo's coordinates.
        QLineEdit* le = FCombo->lineEdit();
        if (!le) { m.Result = -1; return; }
        const QPoint p = le->mapFrom(this, QPoint(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)));
        m.Result = le->cursorPositionAt(p);
        return;
    }
    case EM_SHOWBALLOONTIP:
        // Asked of the combo's edit field; a pick list has none and shows nothing.
        if (QLineEdit* le = FCombo->lineEdit(); le && m.LParam)
            m.Result = ShowBalloonUnder(le, *reinterpret_cast<const TEditBalloonTip*>(m.LParam));
        return;
    case EM_HIDEBALLOONTIP:
        if (FCombo->lineEdit()) QToolTip::hideText();
        m.Result = FCombo->lineEdit() != nullptr;
        return;
    case WM_PASTE: if (QLineEdit* le = FCombo->lineEdit()) le->paste(); return;
    case WM_CUT: if (QLineEdit* le = FCombo->lineEdit()) le->cut(); return;
    case WM_COPY: if (QLineEdit* le = FCombo->lineEdit()) le->copy(); return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

// ---------------------------------------------------------------- button controls
TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle &= ~unsigned(csClickEvents);
    FTabStop = true;
}

bool TButtonControl::IsAccel(QChar ch) const
{
    const QString t = Caption();
    for (int i = 0; i + 1 < t.size(); ++i) {
        if (t[i] == QLatin1Char('&')) {
            if (t[i + 1] == QLatin1Char('&')) { ++i; continue; }
            return t[i + 1].toUpper() == ch.toUpper();
        }
    }
    return false;
}

namespace {
// The whole control reacts to the mouse, not only the glyph and the text.
class KvCheckWidget : public QCheckBox {
protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
class KvRadioWidget : public QRadioButton {
protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
} // namespace

// ---- check box
TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner)
{
    FBox = new KvCheckWidget();
    SetInnerWidget(FBox);
    FParentColor = true;
    SetBounds(0, 0, 97, 17);
    FBox->setAutoFillBackground(false);
    // The user toggles through our own state machine so that grayed is reachable
    // only when allowed and OnClick fires once.
    QObject::connect(FBox, &QCheckBox::clicked, this, [this] { Guard([this] { Toggle(); }); });
}

QString TCheckBox::GetText() const { return FBox->text(); }
void TCheckBox::SetTextBuf(const QString& s) { FBox->setText(s); }

void TCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCheckBox::SetState(TCheckBoxState s)
{
    const bool changed = s != FState;
    FState = s;
    FBox->setTristate(FAllowGrayed || s == cbGrayed);
    FBox->setCheckState(s == cbChecked ? Qt::Checked : s == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
    if (changed && !FClicksDisabled) Click();
}

void TCheckBox::SetCheckedNoClick(bool v)
{
    FClicksDisabled = true;
    SetChecked(v);
    FClicksDisabled = false;
}

void TCheckBox::SetAllowGrayed(bool v)
{
    FAllowGrayed = v;
    FBox->setTristate(v || FState == cbGrayed);
}

void TCheckBox::SetAlignment(TAlignment a)
{
    FAlignment = a;
    FBox->setLayoutDirection(a == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCheckBox::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE) { m.Result = DLGC_BUTTON; return; }
    if (m.Msg == CM_DIALOGCHAR) {
        if (IsAccel(QChar(char16_t(m.WParam))) && CanFocus()) {
            SetFocus();
            Toggle();
            m.Result = 1;
        }
        return;
    }
    TButtonControl::WndProc(m);
}

// ---- radio button
TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FRadio = new KvRadioWidget();
    FRadio->setAutoExclusive(false);
    SetInnerWidget(FRadio);
    FParentColor = true;
    SetBounds(0, 0, 113, 17);
    QObject::connect(FRadio, &QRadioButton::clicked, this, [this] {
        Guard([this] {
            if (!FChecked) SetChecked(true);
            else FRadio->setChecked(true);
        });
    });
}

QString TRadioButton::GetText() const { return FRadio->text(); }
void TRadioButton::SetTextBuf(const QString& s) { FRadio->setText(s); }

void TRadioButton::SetChecked(bool v)
{
    if (v == FChecked) { FRadio->setChecked(v); return; }
    FChecked = v;
    FRadio->setChecked(v);
    if (v) {
        if (FParent)
            for (int i = 0; i < FParent->ControlCount(); ++i)
                if (auto* r = dynamic_cast<TRadioButton*>(FParent->Controls(i)); r && r != this) r->SetChecked(false);
        if (!FClicksDisabled) Click();
    }
}

void TRadioButton::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE) { m.Result = DLGC_BUTTON | DLGC_RADIOBUTTON; return; }
    if (m.Msg == CM_DIALOGCHAR) {
        if (IsAccel(QChar(char16_t(m.WParam))) && CanFocus()) {
            SetFocus();
            SetChecked(true);
            m.Result = 1;
        }
        return;
    }
    TButtonControl::WndProc(m);
}

// ---- push button
TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FButton = new QPushButton();
    FButton->setAutoDefault(false);
    SetInnerWidget(FButton);
    SetBounds(0, 0, 75, 25);
    QObject::connect(FButton, &QPushButton::clicked, this, [this] { Guard([this] { Click(); }); });
}

QString TButton::GetText() const { return FButton->text(); }
void TButton::SetTextBuf(const QString& s) { FButton->setText(s); }

void TButton::SetDefault(bool v)
{
    FDefault = v;
    FButton->setDefault(v);
}

void TButton::Click()
{
    if (TCustomForm* f = GetParentForm(); f && FModalResult != mrNone) f->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_BUTTON | (FDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        return;
    case CM_DIALOGKEY: {
        const WORD vk = WORD(m.WParam);
        const TShiftState shift = TShiftState::FromBits(unsigned(m.LParam));
        // The focused button takes Return; otherwise the default button does,
        // unless another button has the focus.
        bool active = Focused();
        if (!active && FDefault) {
            TWinControl* f = Screen->ActiveControl();
            active = !dynamic_cast<TButton*>(f);
        }
        if (((vk == VK_RETURN && active) || (vk == VK_ESCAPE && FCancel)) && shift.KeysOnly().Empty() && CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        m.Result = 0;
        return;
    }
    case CM_DIALOGCHAR:
        if (IsAccel(QChar(char16_t(m.WParam))) && CanFocus()) {
            Click();
            m.Result = 1;
        }
        return;
    default:
        break;
    }
    TButtonControl::WndProc(m);
}

// ---------------------------------------------------------------- group box
TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FParentColor = true;
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::AlignControls(TControl* c, TRect& r)
{
    TCanvas* m = Canvas();
    m->SetFont(FFont);
    const int th = m->TextHeight(QStringLiteral("0"));
    r.Top += th;
    InflateRect(r, -2, -2);
    TCustomControl::AlignControls(c, r);
}

void TGroupBox::Paint()
{
    TCanvas* c = Canvas();
    c->SetFont(FFont);
    const int th = c->TextHeight(QStringLiteral("0"));
    TRect frame(0, th / 2, FWidth, FHeight);
    // A light rounded frame, as the styled group boxes of the platform look.
    c->Pen()->SetColor(RGB(0xD5, 0xDF, 0xE5));
    c->Brush()->SetStyle(bsClear);
    c->RoundRect(frame.Left, frame.Top, frame.Right, frame.Bottom, 6, 6);
    if (!FText.isEmpty()) {
        TRect tr(8, 0, FWidth - 8, th);
        TRect calc = tr;
        DrawText(c, FText, calc, DT_CALCRECT | DT_SINGLELINE);
        calc.Right += 2;
        c->Brush()->SetColor(FColor);
        c->FillRect(TRect(calc.Left - 1, 0, calc.Right + 1, th));
        c->Brush()->SetStyle(bsClear);
        if (!FEnabled) c->Font()->SetColor(clGrayText);
        DrawText(c, FText, tr, DT_SINGLELINE | DT_LEFT);
    }
}

// ---------------------------------------------------------------- list boxes
TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner)
{
    FColor = clWindow;
    FTabStop = true;
    FItems = std::make_unique<TNotifyingStrings>([this] { SyncItems(); });
    SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() = default;

QListWidget* TCustomListBox::List() const
{
    if (FList) return FList;
    auto* self = const_cast<TCustomListBox*>(this);
    self->FList = new QListWidget();
    self->SetInnerWidget(FList);
    // The list takes the focus, as it would have had it from the start.
    self->setFocusPolicy(Qt::NoFocus);
    FList->viewport()->installEventFilter(self);
    if (FMultiSelect) FList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QObject::connect(FList, &QListWidget::itemSelectionChanged, self, [self] {
        if (!self->FSyncing) Guard([self] { self->Click(); });
    });
    self->ListCreated();
    self->SyncItems();
    if (isVisible()) FList->show();
    return FList;
}

void TCustomListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    List();
}

void TCustomListBox::showEvent(QShowEvent* e)
{
    List();
    TWinControl::showEvent(e);
}

TStrings* TCustomListBox::Items() { return FItems.get(); }
int TCustomListBox::Count() const { return FItems->Count(); }

void TCustomListBox::SyncItems()
{
    if (!FList) return;  // made from the items when it is needed
    FSyncing = true;
    const int idx = FList->currentRow();
    FList->clear();
    for (int i = 0; i < FItems->Count(); ++i) FList->addItem(FItems->Strings(i));
    if (idx >= 0 && idx < FList->count()) FList->setCurrentRow(idx);
    ItemsChanged();
    FSyncing = false;
}

int TCustomListBox::ItemIndex() const { return List()->currentRow(); }

void TCustomListBox::SetItemIndex(int i)
{
    QListWidget* list = List();
    FSyncing = true;
    if (i < 0 || i >= list->count()) { list->setCurrentRow(-1); list->clearSelection(); }
    else list->setCurrentRow(i);
    FSyncing = false;
}

void TCustomListBox::SetMultiSelect(bool v)
{
    FMultiSelect = v;
    if (FList) FList->setSelectionMode(v ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TCustomListBox::Selected(int i) const
{
    const QListWidgetItem* it = List()->item(i);
    return it && it->isSelected();
}

void TCustomListBox::SetSelected(int i, bool v)
{
    if (QListWidgetItem* it = List()->item(i)) {
        FSyncing = true;
        it->setSelected(v);
        FSyncing = false;
    }
}

int TCustomListBox::SelCount() const { return int(List()->selectedItems().size()); }

void TCustomListBox::SetSorted(bool v)
{
    FSorted = v;
    FItems->SetSorted(v);
}

int TCustomListBox::TopIndex() const
{
    const QModelIndex i = List()->indexAt(QPoint(1, 1));
    return i.isValid() ? i.row() : 0;
}

void TCustomListBox::SetTopIndex(int i)
{
    if (QListWidgetItem* it = List()->item(i)) List()->scrollToItem(it, QAbstractItemView::PositionAtTop);
}

int TCustomListBox::ItemAtPos(const TPoint& p, bool existing) const
{
    const QModelIndex i = List()->indexAt(List()->viewport()->mapFrom(const_cast<TCustomListBox*>(this), p.ToQPoint()));
    if (i.isValid()) return i.row();
    return existing ? -1 : List()->count();
}

TRect TCustomListBox::ItemRect(int i) const
{
    QListWidgetItem* it = List()->item(i);
    if (!it) return TRect();
    QRect r = List()->visualItemRect(it);
    r.translate(List()->viewport()->pos());
    return TRect::From(r);
}

void TCustomListBox::Clear() { FItems->Clear(); }

void TCustomListBox::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE) { m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return; }
    TWinControl::WndProc(m);
}

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner)
{
}

void TCheckListBox::ListCreated()
{
    QObject::connect(FList, &QListWidget::itemChanged, this, [this](QListWidgetItem*) {
        if (!FSyncing && !FSettingCheck) Guard([this] { if (OnClickCheck) OnClickCheck(this); });
    });
}

void TCheckListBox::ItemsChanged()
{
    for (int i = 0; i < FList->count(); ++i) {
        QListWidgetItem* it = FList->item(i);
        it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
        if (FAllowGrayed) it->setFlags(it->flags() | Qt::ItemIsUserTristate);
        it->setCheckState(Qt::Unchecked);
    }
}

bool TCheckListBox::Checked(int i) const { return State(i) == cbChecked; }
void TCheckListBox::SetChecked(int i, bool v) { SetState(i, v ? cbChecked : cbUnchecked); }

TCheckBoxState TCheckListBox::State(int i) const
{
    const QListWidgetItem* it = List()->item(i);
    if (!it) return cbUnchecked;
    switch (it->checkState()) {
    case Qt::Checked: return cbChecked;
    case Qt::PartiallyChecked: return cbGrayed;
    default: return cbUnchecked;
    }
}

void TCheckListBox::SetState(int i, TCheckBoxState s)
{
    QListWidgetItem* it = List()->item(i);
    if (!it) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(i));
    FSettingCheck = true;
    it->setCheckState(s == cbChecked ? Qt::Checked : s == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
    FSettingCheck = false;
}

bool TCheckListBox::ItemEnabled(int i) const
{
    const QListWidgetItem* it = List()->item(i);
    return it && (it->flags() & Qt::ItemIsEnabled);
}

void TCheckListBox::SetItemEnabled(int i, bool v)
{
    if (QListWidgetItem* it = List()->item(i)) it->setFlags(v ? it->flags() | Qt::ItemIsEnabled : it->flags() & ~Qt::ItemIsEnabled);
}

// ---------------------------------------------------------------- scroll bar
namespace {
void SendScrollToParent(TScrollBar* Bar, int Code, int Pos)
{
    if (!Bar->Parent()) return;
    const unsigned msg = Bar->Kind() == sbVertical ? WM_VSCROLL : WM_HSCROLL;
    Bar->Parent()->Perform(msg, MAKEWPARAM(unsigned(Code) & 0xFFFF, unsigned(Pos) & 0xFFFF),
                           LPARAM(static_cast<TControl*>(Bar)));
}
} // namespace

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FBar = new QScrollBar(Qt::Horizontal);
    SetInnerWidget(FBar);
    FBar->setRange(0, 100);
    FBar->setSingleStep(1);
    FBar->setPageStep(1);
    SetBounds(0, 0, 121, 17);
    QObject::connect(FBar, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (FSetting) return;
        TScrollCode code = scEndScroll;
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: code = scLineDown; break;
        case QAbstractSlider::SliderSingleStepSub: code = scLineUp; break;
        case QAbstractSlider::SliderPageStepAdd: code = scPageDown; break;
        case QAbstractSlider::SliderPageStepSub: code = scPageUp; break;
        case QAbstractSlider::SliderToMinimum: code = scTop; break;
        case QAbstractSlider::SliderToMaximum: code = scBottom; break;
        case QAbstractSlider::SliderMove: code = scTrack; break;
        default: return;
        }
        int pos = FBar->sliderPosition();
        Guard([&] { if (OnScroll) OnScroll(this, code, pos); });
        FBar->setSliderPosition(pos);
        // Like the stock control, the parent hears of it as WM_HSCROLL or WM_VSCROLL
        // (the scroll codes match SB_*); a position it sets there is the one kept.
        Guard([&] { SendScrollToParent(this, int(code), pos); });
    });
    // A thumb drag ends with the final position and the end of scrolling.
    QObject::connect(FBar, &QAbstractSlider::sliderReleased, this, [this] {
        if (FSetting) return;
        Guard([this] {
            SendScrollToParent(this, SB_THUMBPOSITION, FBar->sliderPosition());
            SendScrollToParent(this, SB_ENDSCROLL, FBar->value());
        });
    });
    QObject::connect(FBar, &QAbstractSlider::valueChanged, this, [this] {
        if (!FSetting) Guard([this] { if (OnChange) OnChange(this); });
    });
}

void TScrollBar::SetKind(TScrollBarKind k)
{
    FKind = k;
    FBar->setOrientation(k == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
}

int TScrollBar::Min() const { return FBar->minimum(); }
int TScrollBar::Max() const { return FBar->maximum() + std::max(0, FPageSize - 1); }
int TScrollBar::Position() const { return FBar->value(); }

void TScrollBar::SetParams(int position, int min, int max)
{
    if (max < min) throw EInvalidOperation(QStringLiteral("Scroll bar property out of range"));
    const int old = FBar->value();
    FSetting = true;
    FBar->setRange(min, std::max(min, max - std::max(0, FPageSize - 1)));
    FBar->setValue(std::clamp(position, min, max));
    FSetting = false;
    if (FBar->value() != old) { if (OnChange) OnChange(this); }
}

int TScrollBar::SmallChange() const { return FBar->singleStep(); }
void TScrollBar::SetSmallChange(int v) { FBar->setSingleStep(v); }
int TScrollBar::LargeChange() const { return FBar->pageStep(); }
void TScrollBar::SetLargeChange(int v) { FBar->setPageStep(v); }

void TScrollBar::SetPageSize(int v)
{
    const int max = Max();
    FPageSize = v;
    SetParams(Position(), Min(), max);
}
