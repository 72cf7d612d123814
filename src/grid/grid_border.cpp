// Drawing of the grid outside its cells: the coloured border of the modern
// looks, the sizing lines, the glowing frame around the editor and the
// quick-configuration box shown while the grid is designed.

#include <algorithm>

#include "grid/draw_utils.h"
#include "grid/kv_string_grid.h"

// ============================================================ border

void TKvStringGrid::PaintNonClient(TCanvas* ACanvas)
{
    TBaseGrid::PaintNonClient(ACanvas);
    if (FUpdateCount <= 0) PaintBorder(ACanvas);
}

void TKvStringGrid::PaintBorder(TCanvas* ACanvas)
{
    if (!ACanvas) return;
    switch (FLook) {
    case glSoft: case glQRV: case glXP: case glListView: case glVista: case glWin7: case glOffice2007: break;
    default: return;
    }
    if (BorderStyle() == bsNone || FBorderColor == clNone || FFlat) return;
    const int W = Width(), H = Height();
    auto outline = [ACanvas](std::initializer_list<TPoint> pts) {
        auto it = pts.begin();
        ACanvas->MoveTo(it->X, it->Y);
        for (++it; it != pts.end(); ++it) ACanvas->LineTo(it->X, it->Y);
    };
    ACanvas->Pen()->SetStyle(psSolid);
    ACanvas->Pen()->SetWidth(1);
    ACanvas->Pen()->SetMode(pmCopy);
    ACanvas->Pen()->SetColor(FBorderColor);
    if (FFitCellsInGrid) {
        outline({TPoint(1, H), TPoint(1, 1), TPoint(W - 2, 1), TPoint(W - 2, H - 2), TPoint(1, H - 2)});
        if (Parent()) {
            ACanvas->Pen()->SetColor(Parent()->Color());
            outline({TPoint(0, H), TPoint(0, 0), TPoint(W - 1, 0), TPoint(W - 1, H - 1), TPoint(0, H - 1)});
        }
    } else if (FIsThemed) {
        outline({TPoint(0, H - 1), TPoint(0, 0), TPoint(W - 1, 0), TPoint(W - 1, H - 1), TPoint(0, H - 1)});
    }
}

void TKvStringGrid::PaintBorder()
{
    // The frame is drawn with the window's next paint; a pending edit-change
    // mark (which swallows one invalidation of the cells) does not hold it back.
    TBaseGrid::Invalidate();
}

// ============================================================ sizing lines

void TKvStringGrid::DrawSizingLine(int X1, int Y1, int X2, int Y2)
{
    TCanvas* c = Canvas();
    TPen saved;
    saved.Assign(*c->Pen());
    c->Pen()->SetStyle(psDot);
    c->Pen()->SetWidth(1);
    // Inverting (exclusive or with white): black would change no pixel, and a
    // second line at the same place restores the picture.
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetMode(pmXor);
    c->MoveTo(X1, Y1);
    c->LineTo(X2, Y2);
    c->Pen()->Assign(saved);
}

void TKvStringGrid::DrawColSizingLine(int X)
{
    const int bottom = RowCount() > 0 ? std::max(Height(), CellRect(0, RowCount() - 1).Bottom) : Height();
    DrawSizingLine(X, 0, X, bottom);
}

void TKvStringGrid::DrawRowSizingLine(int Y)
{
    const int right = ColCount() > 0 ? std::max(Width(), CellRect(ColCount() - 1, 0).Right) : Width();
    DrawSizingLine(0, Y, right, Y);
}

// ============================================================ focus glow

TGridFocusWindow* TKvStringGrid::FocusWindow() const
{
    EnsureEditorControls();
    for (TComponent* c : FEditorControls)
        if (auto* w = dynamic_cast<TGridFocusWindow*>(c)) return w;
    return nullptr;
}

void TKvStringGrid::ShowFocusWindow(const TRect& R)
{
    TGridFocusWindow* fw = FocusWindow();
    if (!fw) return;
    const int w = R.Width() + 9, h = R.Height() + 9;
    fw->SetVisible(false);
    fw->SetBounds(fw->Left(), fw->Top(), w, h);

    TBitmap mask;
    MakeFocusMask(&mask, w, h, 4, 5, 3.0);
    TBitmap colour;
    colour.SetPixelFormat(pf24bit);
    colour.SetSize(w, h);
    colour.Canvas()->Brush()->SetColor(0xFDD397);
    colour.Canvas()->Pen()->SetColor(0xFDD397);
    colour.Canvas()->Rectangle(0, 0, w, h);
    if (!FFocusMask) FFocusMask = std::make_unique<TGridAlphaMask>();
    FFocusMask->MergeMask(&mask, &colour);
    FFocusMask->Opacity = 230;

    const QImage picture = FFocusMask->ToPremultiplied();
    const TPoint at(fw->Left(), fw->Top()), origin(0, 0);
    const TSize size{w, h};
    TBlendFunction blend;
    blend.SourceConstantAlpha = FFocusMask->Opacity;
    blend.AlphaFormat = 1;
    CallUpdateLayeredWindow(fw, nullptr, &at, &size, const_cast<QImage*>(&picture), &origin, 0, &blend, 2);
    // The editor shows through the hole in the middle.
    SetWindowRgn(fw, CreateRectRgn(0, 0, w, h).subtracted(CreateRectRgn(4, 4, 4 + R.Width(), 4 + R.Height())));
    const TPoint p = ClientToScreen(TPoint(R.Left, R.Top));
    fw->SetBounds(p.X - 4, p.Y - 4, w, h);
    fw->SetVisible(true);
    KvGridUnit::FocusGrid = this;
}

void TKvStringGrid::MoveFocusWindow()
{
    TGridFocusWindow* fw = FocusWindow();
    if (!fw || Col() < 0 || Row() < 0) return;
    const TRect r = CellRect(Col(), Row());
    const TPoint p = ClientToScreen(TPoint(r.Left, r.Top));
    fw->SetBounds(p.X - 4, p.Y - 4, r.Width() + 9, r.Height() + 9);
}

void TKvStringGrid::HideFocusWindow()
{
    KvGridUnit::FocusGrid = nullptr;
    if (TGridFocusWindow* fw = FocusWindow()) fw->SetVisible(false);
}

// ============================================================ design box

namespace {

struct TDesignLook {
    const char* Caption;
    TGridLook Look;
};
constexpr TDesignLook kDesignLooks[] = {
    {"Standard", glStandard}, {"Soft", glSoft}, {"Classic", glClassic},
    {"QRV", glQRV}, {"ListView", glListView}, {"Office 2007", glOffice2007},
    {"Windows XP", glXP}, {"Windows Vista", glVista}, {"Windows 7", glWin7},
};

QString DesignLookName(TGridLook Look)
{
    for (const TDesignLook& l : kDesignLooks)
        if (l.Look == Look) return QString::fromLatin1(l.Caption);
    return QStringLiteral("Custom");
}

} // namespace

void TKvStringGrid::DesignFont(TCanvas* ACanvas)
{
    ACanvas->Font()->SetName(QStringLiteral("Tahoma"));
    ACanvas->Font()->SetSize(8);
    ACanvas->Font()->SetStyle(TFontStyles());
}

TRect TKvStringGrid::DesignHelperRect()
{
    TCanvas* c = Canvas();
    DesignFont(c);
    const int h = c->TextHeight(QStringLiteral("gh"));
    const TRect cr = ClientRect();
    return TRect(cr.Right - 150, cr.Bottom - (4 * h + 18), cr.Right, cr.Bottom);
}

void TKvStringGrid::PaintDesignHelper(TCanvas* ACanvas)
{
    if (!FDesigning || !FShowDesignHelper || !ACanvas) return;
    const TRect r = DesignHelperRect();
    DesignFont(ACanvas);
    const int h = ACanvas->TextHeight(QStringLiteral("gh"));
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Brush()->SetColor(clInfoBk);
    ACanvas->Pen()->SetColor(0x808080);
    ACanvas->Rectangle(r);
    ACanvas->Font()->SetColor(0x800000);
    ACanvas->Brush()->SetStyle(bsClear);
    auto text = [&](int Item, int X, int Y, const QString& S) {
        TFontStyles st;
        if (Item != 0 && Item == FDesignHot) st << fsUnderline;
        ACanvas->Font()->SetStyle(st);
        ACanvas->TextOut(X, Y, S);
    };
    text(0, r.Left + 4, r.Top + 4, QStringLiteral("Quick config [v") + GetVersionString() + QLatin1Char(']'));
    RegisterSearchBarImages();
    if (HasResourceImage(QStringLiteral("KSGCLOSE"))) {
        TBitmap close;
        close.SetImage(ResourceImage(QStringLiteral("KSGCLOSE")));
        ACanvas->Draw(r.Right - 16, r.Top + 2, &close);
    }
    ACanvas->Brush()->SetStyle(bsSolid);
    DrawCheck(ACanvas, TRect(r.Left + 4, r.Top + h + 4, r.Left + 20, r.Top + h + 20), Options().Contains(goEditing),
              true, false, csWinXP, false, cbUnchecked);
    DrawCheck(ACanvas, TRect(r.Left + 4, r.Top + 2 * h + 6, r.Left + 20, r.Top + 2 * h + 22), DesignColumnNumbers,
              true, false, csWinXP, false, cbUnchecked);
    ACanvas->Brush()->SetStyle(bsClear);
    text(1, r.Left + 22, r.Top + h + 6, QStringLiteral("Allow edit"));
    text(2, r.Left + 22, r.Top + 2 * h + 8, QStringLiteral("Column numbers"));
    text(3, r.Left + 4, r.Top + 3 * h + 10, QStringLiteral("Set look: ") + DesignLookName(FLook));
    ACanvas->Font()->SetStyle(TFontStyles());
    ACanvas->Brush()->SetStyle(bsSolid);
}

int TKvStringGrid::DesignHitTest(int X, int Y)
{
    const TRect r = DesignHelperRect();
    if (X < r.Left || X >= r.Right || Y < r.Top || Y >= r.Bottom) return 0;
    if (X > r.Right - 16 && Y < r.Top + 16) return 4;
    TCanvas* c = Canvas();
    DesignFont(c);
    const int h = c->TextHeight(QStringLiteral("gh"));
    struct Line { int Item, Top, TextLeft; QString Text; };
    const Line lines[] = {
        {1, r.Top + h + 6, r.Left + 22, QStringLiteral("Allow edit")},
        {2, r.Top + 2 * h + 8, r.Left + 22, QStringLiteral("Column numbers")},
        {3, r.Top + 3 * h + 10, r.Left + 4, QStringLiteral("Set look: ") + DesignLookName(FLook)},
    };
    for (const Line& l : lines)
        if (Y >= l.Top && Y < l.Top + h && X <= l.TextLeft + c->TextWidth(l.Text)) return l.Item;
    return 0;
}

bool TKvStringGrid::DesignMouseTest(int X, int Y)
{
    const int item = DesignHitTest(X, Y);
    if (item != FDesignHot) {
        FDesignHot = item;
        Invalidate();
    }
    return item >= 1 && item <= 4;
}

void TKvStringGrid::DesignHelperClick(int X, int Y)
{
    const int item = DesignHitTest(X, Y);
    switch (item) {
    case 1:
        if (Options().Contains(goEditing)) SetOptions(Options() - TGridOptions(goEditing));
        else SetOptions(Options() | goEditing);
        break;
    case 2:
        DesignColumnNumbers = !DesignColumnNumbers;
        Invalidate();
        break;
    case 3: {
        FDesignLookMenu = std::make_unique<TPopupMenu>();
        for (const TDesignLook& l : kDesignLooks) {
            const TGridLook look = l.Look;
            TMenuItem* mi = FDesignLookMenu->CreateItem(QString::fromLatin1(l.Caption), [this, look](TObject*) {
                SetLook(look);
            });
            mi->SetChecked(look == FLook);
        }
        const TPoint p = ClientToScreen(TPoint(X, Y));
        FDesignLookMenu->Popup(p.X, p.Y);
        break;
    }
    case 4:
        SetShowDesignHelper(false);
        break;
    default:
        return;
    }
    // The form designer records a change only when the form itself changes.
    if (item <= 3)
        if (TCustomForm* f = GetParentForm()) {
            f->SetWidth(f->Width() - 1);
            f->SetWidth(f->Width() + 1);
        }
}
