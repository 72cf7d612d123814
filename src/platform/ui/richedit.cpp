#include "platform/ui/richedit.h"

#include "platform/ui/stdctrls.h"

#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>
#include <QtWidgets/QTextEdit>

#include <algorithm>
#include <cmath>
#include <memory>

// The text edit with its formatting rectangle as viewport margins.
class TRichTextWidget : public QTextEdit {
public:
    using QTextEdit::QTextEdit;
    void SetFormatRect(const TRect& R)
    {
        setViewportMargins(std::max(0, R.Left), std::max(0, R.Top), std::max(0, width() - R.Right),
                           std::max(0, height() - R.Bottom));
    }
    TRect FormatRect() const
    {
        const QMargins m = viewportMargins();
        return TRect(m.left(), m.top(), width() - m.right(), height() - m.bottom());
    }
};

namespace {

// The offset in twips rides on the character format beside the shown vertical alignment.
constexpr int kOffsetProperty = QTextFormat::UserProperty + 1;

int OffsetOf(const QTextCharFormat& f) { return f.intProperty(kOffsetProperty); }

void SetOffset(QTextCharFormat& f, int twips)
{
    f.setProperty(kOffsetProperty, twips);
    f.setVerticalAlignment(twips > 0   ? QTextCharFormat::AlignSuperScript
                           : twips < 0 ? QTextCharFormat::AlignSubScript
                                       : QTextCharFormat::AlignNormal);
}

QTextCharFormat FormatOf(const TRtfRun& r)
{
    QTextCharFormat f;
    f.setFontWeight(r.Bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(r.Italic);
    f.setFontUnderline(r.Underline);
    SetOffset(f, r.OffsetTwips);
    return f;
}

TRtfRun RunFormat(const QTextCharFormat& f)
{
    TRtfRun r;
    r.Bold = f.fontWeight() >= QFont::Bold;
    r.Italic = f.fontItalic();
    r.Underline = f.fontUnderline();
    r.OffsetTwips = OffsetOf(f);
    return r;
}

// The plain text of the document with paragraph ends as "\n".
QString DocumentText(const QTextDocument* d)
{
    QString t = d->toRawText();
    t.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    t.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    return t;
}

} // namespace

TRichEdit::TRichEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    FColor = clWindow;
    FEdit = new TRichTextWidget();
    FEdit->setAcceptRichText(false);
    FEdit->setFrameShape(QFrame::NoFrame);
    FEdit->document()->setDocumentMargin(0);
    SetInnerWidget(FEdit);
    FTabStop = true;
    // A sunken edge, as the classic rich edit has; the grid's in-place editors go without.
    FBorderStyle = bsSingle;
    SetBounds(0, 0, 185, 89);
    QObject::connect(FEdit->document(), &QTextDocument::contentsChanged, this,
                     [this] { Guard([this] { DocumentChanged(); }); });
    QObject::connect(FEdit, &QTextEdit::selectionChanged, this, [this] { Guard([this] { SelectionChange(); }); });
}

TRichEdit::~TRichEdit() = default;

QTextEdit* TRichEdit::Editor() const { return FEdit; }

const std::vector<uint8_t>& TRichEdit::RTF() const
{
    if (FDocChanged) {
        FRTF = Runs_To_RTF(Runs());
        FDocChanged = false;
    }
    return FRTF;
}

void TRichEdit::SetRTF(const std::vector<uint8_t>& Bytes)
{
    FRTF = Bytes;
    LoadDocument();
}

void TRichEdit::SetPlainText(const QString& Text)
{
    TRtfRun plain;
    plain.Text = Text;
    FRTF = Runs_To_RTF({plain});
    LoadDocument();
}

void TRichEdit::Clear()
{
    FRTF.clear();
    LoadDocument();
}

void TRichEdit::LoadDocument()
{
    FLoading = true;
    FEdit->clear();
    QTextCursor c(FEdit->document());
    for (const TRtfRun& r : RTF_To_Runs(FRTF)) {
        const QTextCharFormat f = FormatOf(r);
        const QStringList paragraphs = r.Text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < paragraphs.size(); ++i) {
            if (i > 0) c.insertBlock(QTextBlockFormat(), f);
            if (!paragraphs[i].isEmpty()) c.insertText(paragraphs[i], f);
        }
    }
    FEdit->moveCursor(QTextCursor::Start);
    FLoading = false;
    FDocChanged = false;
    FPlain = DocumentText(FEdit->document());
    SendRequestResize();
    Change();
}

std::vector<TRtfRun> TRichEdit::Runs() const
{
    std::vector<TRtfRun> runs;
    auto add = [&runs](const QString& text, const TRtfRun& format) {
        if (runs.empty() || !runs.back().SameFormat(format)) {
            runs.push_back(format);
            runs.back().Text.clear();
        }
        runs.back().Text += text;
    };
    const QTextDocument* d = FEdit->document();
    for (QTextBlock b = d->begin(); b.isValid(); b = b.next()) {
        if (b != d->begin()) add(QStringLiteral("\n"), RunFormat(b.charFormat()));
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (frag.isValid()) add(frag.text(), RunFormat(frag.charFormat()));
        }
    }
    return runs;
}

void TRichEdit::DocumentChanged()
{
    if (FLoading) return;
    FDocChanged = true;
    FPlain = DocumentText(FEdit->document());
    SendRequestResize();
    Change();
}

void TRichEdit::Change()
{
    if (OnChange) OnChange(this);
    NotifyParent(this, EN_CHANGE);
}

void TRichEdit::SelectionChange()
{
    if (OnSelectionChange) OnSelectionChange(this);
}

TSize TRichEdit::RequestedSize() const
{
    // Measured on a copy, so that a control of no width still gives the content's natural width.
    std::unique_ptr<QTextDocument> d(FEdit->document()->clone());
    d->setDocumentMargin(0);
    d->setDefaultFont(FEdit->font());
    const int width = FEdit->FormatRect().Width();
    d->setTextWidth(width > 0 ? width : -1);
    const QSizeF s = d->size();
    return TSize{width > 0 ? width : int(std::ceil(d->idealWidth())), int(std::ceil(s.height()))};
}

void TRichEdit::SendRequestResize()
{
    TReqResize rr;
    rr.nmhdr.hwndFrom = this;
    rr.nmhdr.code = EN_REQUESTRESIZE;
    const TSize s = RequestedSize();
    rr.rc = TRect(0, 0, s.cx, s.cy);
    if (Parent()) Parent()->Perform(WM_NOTIFY, 0, LPARAM(&rr));
    else Perform(CN_NOTIFY, 0, LPARAM(&rr));
}

void TRichEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    // The text keeps clear of the edge until the program sets a formatting rectangle.
    if (!FExplicitRect) {
        const int m = NonClientBorder() + 1;
        FEdit->SetFormatRect(TRect(m, m, Width() - m, Height() - m));
    }
}

// ---- selection

int TRichEdit::SelStart() const { return FEdit->textCursor().selectionStart(); }

void TRichEdit::SetSelStart(int Value)
{
    QTextCursor c = FEdit->textCursor();
    c.setPosition(std::clamp(Value, 0, int(FPlain.size())));
    FEdit->setTextCursor(c);
}

int TRichEdit::SelLength() const
{
    const QTextCursor c = FEdit->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TRichEdit::SetSelLength(int Value)
{
    QTextCursor c = FEdit->textCursor();
    const int s = c.selectionStart();
    c.setPosition(s);
    c.setPosition(std::clamp(s + Value, 0, int(FPlain.size())), QTextCursor::KeepAnchor);
    FEdit->setTextCursor(c);
}

void TRichEdit::SelectAll() { FEdit->selectAll(); }

int TRichEdit::SelOffset() const
{
    QTextCursor c = FEdit->textCursor();
    if (!c.hasSelection()) return OffsetOf(FEdit->currentCharFormat());
    // The format of the first selected character (a cursor reports the one before it).
    c.setPosition(c.selectionStart() + 1);
    return OffsetOf(c.charFormat());
}

void TRichEdit::SetSelOffset(int Twips)
{
    QTextCharFormat f;
    SetOffset(f, Twips);
    FEdit->mergeCurrentCharFormat(f);
}

void TRichEdit::SetHideSelection(bool Value) { FHideSelection = Value; }
bool TRichEdit::ReadOnly() const { return FEdit->isReadOnly(); }
void TRichEdit::SetReadOnly(bool Value) { FEdit->setReadOnly(Value); }

// ---- messages

void TRichEdit::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTALLKEYS;
        return;
    case EM_SETCHARFORMAT: {
        const auto* cf = reinterpret_cast<const TCharFormat2*>(m.LParam);
        if (!cf || !(m.WParam & SCF_SELECTION)) { m.Result = 0; return; }
        QTextCharFormat f;
        if (cf->dwMask & CFM_OFFSET) SetOffset(f, cf->yOffset);
        if (cf->dwMask & CFM_BOLD) f.setFontWeight(cf->dwEffects & CFE_BOLD ? QFont::Bold : QFont::Normal);
        if (cf->dwMask & CFM_ITALIC) f.setFontItalic(cf->dwEffects & CFE_ITALIC);
        if (cf->dwMask & CFM_UNDERLINE) f.setFontUnderline(cf->dwEffects & CFE_UNDERLINE);
        FEdit->mergeCurrentCharFormat(f);
        m.Result = 1;
        return;
    }
    case EM_GETCHARFORMAT: {
        auto* cf = reinterpret_cast<TCharFormat2*>(m.LParam);
        if (!cf) { m.Result = 0; return; }
        QTextCursor c = FEdit->textCursor();
        QTextCharFormat f = FEdit->currentCharFormat();
        if (c.hasSelection()) {
            c.setPosition(c.selectionStart() + 1);
            f = c.charFormat();
        }
        const TRtfRun r = RunFormat(f);
        cf->dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_OFFSET;
        cf->dwEffects = (r.Bold ? CFE_BOLD : 0u) | (r.Italic ? CFE_ITALIC : 0u) | (r.Underline ? CFE_UNDERLINE : 0u);
        cf->yOffset = r.OffsetTwips;
        m.Result = LRESULT(cf->dwMask);
        return;
    }
    case EM_SETRECT:
    case EM_SETRECTNP:
        FExplicitRect = m.LParam != 0;
        if (m.LParam) FEdit->SetFormatRect(*reinterpret_cast<const TRect*>(m.LParam));
        else FEdit->SetFormatRect(TRect(0, 0, Width(), Height()));
        return;
    case EM_GETRECT:
        if (m.LParam) *reinterpret_cast<TRect*>(m.LParam) = FEdit->FormatRect();
        return;
    case EM_SETSEL: {
        const int start = int(m.WParam), end = int(m.LParam);
        if (start == 0 && end == -1) { SelectAll(); return; }
        SetSelStart(start);
        SetSelLength(end - start);
        return;
    }
    case EM_GETSEL:
        m.Result = LRESULT(MAKELPARAM(unsigned(SelStart()), unsigned(SelStart() + SelLength())));
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

void TRichEdit::DefaultHandler(TMessage& m)
{
    TWinControl::DefaultHandler(m);
    // Keys sent or posted by the program (no key data) are typed here; real keys reach the document natively.
    if (m.LParam != 0 || FEdit->isReadOnly()) return;
    if (m.Msg == WM_CHAR) {
        const char16_t ch = char16_t(m.WParam);
        QTextCursor c = FEdit->textCursor();
        if (ch == 8) c.deletePreviousChar();
        else if (ch == 13) c.insertBlock();
        else if (ch >= 32 || ch == 9) c.insertText(QString(QChar(ch)));
        FEdit->setTextCursor(c);
        return;
    }
    if (m.Msg != WM_KEYDOWN) return;
    switch (WORD(m.WParam)) {
    case VK_LEFT: FEdit->moveCursor(QTextCursor::Left); break;
    case VK_RIGHT: FEdit->moveCursor(QTextCursor::Right); break;
    case VK_UP: FEdit->moveCursor(QTextCursor::Up); break;
    case VK_DOWN: FEdit->moveCursor(QTextCursor::Down); break;
    case VK_HOME: FEdit->moveCursor(QTextCursor::StartOfLine); break;
    case VK_END: FEdit->moveCursor(QTextCursor::EndOfLine); break;
    case VK_DELETE: FEdit->textCursor().deleteChar(); break;
    default: break;
    }
}
