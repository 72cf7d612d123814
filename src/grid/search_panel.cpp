// The grid's search bar: the edit that hands Return on, the find, highlight
// and close buttons with their pictures, the match-case box, and the footer
// preview template.
#include "grid/grid_chrome.h"

#include "dropdown/dropdown_draw.h"
#include "grid/kv_flat_controls.h"
#include "grid/kv_string_grid.h"

#include <QtGui/QPainter>

// ---- TRetEdit ----

void TRetEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_RETURN) {
        Key = 0;
        if (Shift.Contains(ssCtrl)) {
            if (OnCtrlReturn) OnCtrlReturn(this);
        } else if (OnReturn) {
            OnReturn(this);
        }
        return;
    }
    TEdit::KeyDown(Key, Shift);
}

void TRetEdit::KeyPress(QChar& Key)
{
    if (Key == QChar(13) || Key == QChar(10)) {
        // The key-press event still sees it; the edit never does.
        if (OnKeyPress) OnKeyPress(this, Key);
        Key = QChar(0);
        return;
    }
    TEdit::KeyPress(Key);
}

// ---- pictures ----

namespace {
QImage NewPicture(int Size)
{
    QImage img(Size, Size, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255)); // the bottom-left key colour: transparent
    return img;
}

// An arrow pointing down (or up) in the given colour.
QImage ArrowPicture(bool Down, QColor Ink)
{
    QImage img = NewPicture(16);
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawRect(6, Down ? 2 : 7, 4, 7);
    const QPoint down[] = {QPoint(2, 8), QPoint(14, 8), QPoint(8, 14)};
    const QPoint up[] = {QPoint(2, 8), QPoint(14, 8), QPoint(8, 2)};
    p.drawPolygon(Down ? down : up, 3);
    return img;
}

// A marker pen stroke.
QImage HighlightPicture(QColor Ink, QColor Tip)
{
    QImage img = NewPicture(16);
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(Tip);
    p.drawRect(2, 11, 12, 3);
    p.setBrush(Ink);
    const QPoint pen[] = {QPoint(6, 10), QPoint(12, 2), QPoint(14, 4), QPoint(8, 12)};
    p.drawPolygon(pen, 4);
    return img;
}

QImage ClosePicture(QColor Ink, QColor Back)
{
    QImage img = NewPicture(14);
    QPainter p(&img);
    if (Back.isValid()) {
        p.setPen(Qt::NoPen);
        p.setBrush(Back);
        p.drawRect(0, 0, 13, 13);
    }
    p.setPen(QPen(Ink, 2));
    p.drawLine(3, 3, 10, 10);
    p.drawLine(10, 3, 3, 10);
    return img;
}

TBitmap* LoadPicture(TBitmap& Target, const char* Name)
{
    Target.SetImage(ResourceImage(QString::fromLatin1(Name)));
    return &Target;
}
} // namespace

void RegisterSearchBarImages()
{
    if (HasResourceImage(QStringLiteral("KSGARDOWN"))) return;
    const QColor ink(0x1F, 0x4E, 0x9A), grey(0xA0, 0xA0, 0xA0);
    RegisterResourceImage(QStringLiteral("KSGARDOWN"), ArrowPicture(true, ink));
    RegisterResourceImage(QStringLiteral("KSGARDOWND"), ArrowPicture(true, grey));
    RegisterResourceImage(QStringLiteral("KSGARUP"), ArrowPicture(false, ink));
    RegisterResourceImage(QStringLiteral("KSGARUPD"), ArrowPicture(false, grey));
    RegisterResourceImage(QStringLiteral("KSGHI"), HighlightPicture(QColor(0x30, 0x30, 0x30), QColor(0xFF, 0xE0, 0x00)));
    RegisterResourceImage(QStringLiteral("KSGHID"), HighlightPicture(grey, QColor(0xD0, 0xD0, 0xD0)));
    RegisterResourceImage(QStringLiteral("KSGCLOSE"), ClosePicture(QColor(0x40, 0x40, 0x40), QColor()));
    RegisterResourceImage(QStringLiteral("KSGCLOSEH"), ClosePicture(Qt::white, QColor(0xD0, 0x40, 0x30)));
    RegisterResourceImage(QStringLiteral("KSGCLOSED"), ClosePicture(Qt::white, QColor(0x90, 0x20, 0x18)));
}

// ---- TSearchPanel ----

TSearchPanel::TSearchPanel(TKvStringGrid* AGrid) : TCustomPanel(AGrid), FGrid(AGrid)
{
    SetAlign(alBottom);
    SetHeight(0);
    SetVisible(false);
    RegisterSearchBarImages();
    FEdit = new TRetEdit(this);
    FEdit->SetParent(this);
    FEdit->OnChange = [this](TObject*) { EditChanged(); };
    FEdit->OnReturn = [this](TObject*) {
        if (OnForwardClick) OnForwardClick(FForwardButton);
    };
    FEdit->OnCtrlReturn = [this](TObject*) {
        if (OnBackwardClick) OnBackwardClick(FBackwardButton);
    };
    FEdit->OnKeyDown = [](TObject*, WORD&, TShiftState) {};
    TBitmap pic;
    auto makeButton = [&](const char* glyph, const char* disabled) {
        auto* b = new TKvGridButton(this);
        b->SetParent(this);
        b->SetGlyph(LoadPicture(pic, glyph));
        if (disabled) b->SetGlyphDisabled(LoadPicture(pic, disabled));
        b->SetEnabled(false);
        return b;
    };
    FForwardButton = makeButton("KSGARDOWN", "KSGARDOWND");
    FForwardButton->OnClick = [this](TObject* s) { if (OnForwardClick) OnForwardClick(s); };
    FBackwardButton = makeButton("KSGARUP", "KSGARUPD");
    FBackwardButton->OnClick = [this](TObject* s) { if (OnBackwardClick) OnBackwardClick(s); };
    FExitButton = new TKvGridButton(this);
    FExitButton->SetParent(this);
    FExitButton->SetGlyph(LoadPicture(pic, "KSGCLOSE"));
    FExitButton->SetGlyphHot(LoadPicture(pic, "KSGCLOSEH"));
    FExitButton->SetGlyphDown(LoadPicture(pic, "KSGCLOSED"));
    FExitButton->OnClick = [this](TObject* s) { if (OnExitClick) OnExitClick(s); };
    FHiliteButton = makeButton("KSGHI", "KSGHID");
    FHiliteButton->SetStyle(tasCheck);
    FHiliteButton->OnClick = [this](TObject* s) { if (OnHighlightClick) OnHighlightClick(s); };
    FMatchCase = new TKvCheckBox(this);
    FMatchCase->SetParent(this);
    LayoutControls();
}

void TSearchPanel::LayoutControls()
{
    FEdit->SetBounds(25, 6, 110, FEdit->Height());
    auto place = [](TKvGridButton* b, int left, int top, int w, int h, const QString& caption, const QString& hint) {
        b->SetBounds(left, top, w, h);
        b->SetCaption(caption);
        b->SetHint(hint);
        b->SetShowHint(!hint.isEmpty());
    };
    place(FForwardButton, 140, 5, 90, 23, FindNextCaption, HintFindNext);
    place(FBackwardButton, 235, 5, 90, 23, FindPrevCaption, HintFindPrev);
    place(FExitButton, 5, 7, 14, 14, QString(), HintClose);
    place(FHiliteButton, 330, 5, 90, 23, HighLightCaption, HintHighlight);
    FHiliteButton->Font()->SetStyle(TFontStyles());
    FMatchCase->SetBounds(FHiliteButton->Visible() ? 425 : 330, 8, FMatchCase->Width(), FMatchCase->Height());
    FMatchCase->SetCaption(MatchCaseCaption);
}

void TSearchPanel::CreateWnd()
{
    TCustomPanel::CreateWnd();
    LayoutControls();
    if (FGrid && FGrid->OnCreatedSearchFooter) FGrid->OnCreatedSearchFooter(FGrid, this);
}

void TSearchPanel::EditChanged()
{
    const bool any = !FEdit->Text().isEmpty();
    FForwardButton->SetEnabled(any);
    FBackwardButton->SetEnabled(any);
    FHiliteButton->SetEnabled(any);
    if (OnEditChange) OnEditChange(FEdit);
}

void TSearchPanel::SetColorTo(TColor Value)
{
    FColorTo = Value;
    Invalidate();
}

void TSearchPanel::Paint()
{
    TCustomPanel::Paint();
    TCanvas* c = Canvas();
    const TRect r = ClientRect();
    if (FColorTo == clNone) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color());
        c->Pen()->SetColor(Color());
        c->Rectangle(r);
    } else {
        DrawGradient(c, Color(), FColorTo, 32, r, false);
    }
    c->Pen()->SetColor(FGrid ? FGrid->GridLineColor() : clSilver);
    c->MoveTo(0, 0);
    c->LineTo(Width(), 0);
}

// ---- footer template ----

QString ExpandFooterTemplate(const TKvStringGrid* Grid, const QString& Template)
{
    QString out, rest = Template;
    for (int at = rest.indexOf(QLatin1String("<#")); at >= 0; at = rest.indexOf(QLatin1String("<#"))) {
        const int close = rest.indexOf(QLatin1Char('>'), at + 2);
        // Without a closing ">" the rest is plain text.
        if (close < 0) break;
        out += rest.left(at);
        bool ok = false;
        const int n = rest.mid(at + 2, close - at - 2).toInt(&ok);
        // Only columns the grid stores give text.
        if (ok && Grid && n >= 0 && n < Grid->AllColCount()) out += Grid->Cells(n, Grid->Row());
        rest = rest.mid(close + 1);
    }
    return out + rest;
}
