// The background picture or gradient behind the cells and in the empty area
// right of and below them, and the balloon tooltips of cells.
#include <QRegion>
#include <algorithm>
#include <cmath>

#include "grid/cell_paint.h"
#include "grid/draw_utils.h"
#include "grid/html_markup.h"
#include "grid/grid_text.h"
#include "grid/kv_string_grid.h"
#include "platform/core/datetime.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"

namespace {

// Colour at p of a gradient running over Length pixels.
TColor RunningColor(TColor From, TColor To, int p, int Length)
{
    if (To == clNone || Length <= 0) return From;
    const TColor a = ColorToRGB(From), b = ColorToRGB(To);
    auto ch = [&](int shift) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        return int(std::nearbyint(ca + double(cb - ca) * p / Length));
    };
    return RGB(ch(0), ch(8), ch(16));
}

void TileBitmap(TCanvas* C, TBitmap* B, const TRect& R, int OffX, int OffY)
{
    const int w = B->Width(), h = B->Height();
    if (w <= 0 || h <= 0) return;
    C->SaveState();
    C->IntersectClipRect(R);
    for (int y = R.Top - OffY; y < R.Bottom; y += h)
        for (int x = R.Left - OffX; x < R.Right; x += w) C->Draw(x, y, B);
    C->RestoreState();
}

} // namespace

// ============================================================ empty area

void TKvStringGrid::PaintEmptyArea(TCanvas* ACanvas)
{
    TBackGround* bg = FBackGround.get();
    const bool gradient = bg->IsGradient();
    if (TopRow() + VisibleRowCount() < RowCount() && LeftCol() + VisibleColCount() < ColCount()) return;
    if (gradient && bg->ColorTo() == clNone) return;
    QRegion region;
    const int g = GridLineWidth();
    const TRect lastCol = TBaseGrid::CellRect(ColCount() - 1, std::max(TopRow(), TBaseGrid::FixedRows()));
    if (LeftCol() + VisibleColCount() >= ColCount() - 1 && lastCol.Right + g < ClientWidth() && lastCol.Right > 0)
        region += QRect(lastCol.Right + g, 0, ClientWidth() - lastCol.Right - g, ClientHeight());
    const TRect lastRow = TBaseGrid::CellRect(std::max(LeftCol(), TBaseGrid::FixedCols()), RowCount() - 1);
    if (TopRow() + VisibleRowCount() >= RowCount() - 1 && lastRow.Bottom + g < ClientHeight() && lastRow.Bottom > 0)
        region += QRect(0, lastRow.Bottom + g, ClientWidth(), ClientHeight() - lastRow.Bottom - g);
    if (region.isEmpty()) return;
    TRect R(0, 0, ClientWidth(), ClientHeight());
    if (FSearchFooter->Visible()) R.Bottom += 32;
    if (FFloatingFooter->Visible()) R.Bottom += FFloatingFooter->Height();
    ACanvas->SaveState();
    ACanvas->SelectClipRegion(region);
    TBitmap* bmp = bg->Bitmap();
    if (bmp->Empty()) {
        if (gradient) FillGradient(ACanvas, bg->Color(), bg->ColorTo(), 128, R, bg->Display() == bdGradientHorz);
    } else if (bg->Display() == bdTile) {
        if (bg->Cells() != bcFixed) {
            int x = R.Left, y = R.Top;
            if (bg->Cells() == bcNormal) {
                const TRect first = TBaseGrid::CellRect(TBaseGrid::FixedCols(), TBaseGrid::FixedRows());
                x = first.Left + FXYOffset.X;
                y = first.Top + FXYOffset.Y;
            }
            TileBitmap(ACanvas, bmp, R, (R.Left - (x - 1)) % bmp->Width() < 0 ? 0 : (R.Left - (x - 1)) % bmp->Width(),
                       (R.Top - (y - 1)) % bmp->Height() < 0 ? 0 : (R.Top - (y - 1)) % bmp->Height());
        }
    } else {
        ACanvas->Draw(bg->Left(), bg->Top(), bmp);
    }
    ACanvas->RestoreState();
}

// ============================================================ in-cell background

void TKvStringGrid::PaintCellBackground(TCanvas* ACanvas, int ACol, int ARow, const TRect& T, TGridDrawState AState)
{
    TBackGround* bg = FBackGround.get();
    const bool fixed = AState.Contains(gdFixed);
    const bool shows = (fixed && (bg->Cells() == bcFixed || bg->Cells() == bcAll)) ||
                       (!fixed && (bg->Cells() == bcNormal || bg->Cells() == bcAll));
    if (!shows) return;
    const int RC = RealColIndex(ACol);
    const int g = GridLineWidth();
    const TColor own = HasCellProperties(RC, ARow) ? GridObjects(RC, ARow)->BrushColor() : clNone;
    const bool selected = AState.Contains(gdSelected);
    TBitmap* bmp = bg->Bitmap();
    if (!bmp->Empty() && own == clNone && !(selected && FShowSelection)) {
        const TRect P(T.Left - g + 1, T.Top - g + 1, T.Right, T.Bottom);
        if (bg->Display() == bdTile) {
            const int c0 = bg->Cells() == bcNormal ? TBaseGrid::FixedCols() : 0;
            const int r0 = bg->Cells() == bcNormal ? TBaseGrid::FixedRows() : 0;
            int ox = 0, oy = 0;
            for (int c = c0; c < ACol; ++c) ox += ColWidths(c);
            for (int r = r0; r < ARow; ++r) oy += RowHeights(r);
            TileBitmap(ACanvas, bmp, P, ox % bmp->Width(), oy % bmp->Height());
        } else {
            ACanvas->SaveState();
            ACanvas->IntersectClipRect(P);
            ACanvas->Draw(bg->Left(), bg->Top(), bmp);
            ACanvas->RestoreState();
        }
    }
    if (bg->IsGradient() && bg->ColorTo() != clNone) {
        const TCellType t = GetCellType(RC, ARow);
        const bool control = t == ctCheckBox || t == ctDataCheckBox || t == ctRadio || t == ctButton ||
                             t == ctRadioButton;
        const bool focused = AState.Contains(gdFocused);
        const bool selOk = !FShowSelection || !selected || focused;
        const bool focusOk = !focused || !Options().Contains(goDrawFocusSelected);
        if ((own == clNone || control) && selOk && focusOk) {
            const TRect P(T.Left - 1, T.Top - g, T.Right, T.Bottom + g - 1);
            const bool horz = bg->Display() == bdGradientHorz;
            const int len = horz ? Width() : Height();
            const TColor a = RunningColor(bg->Color(), bg->ColorTo(), horz ? P.Left : P.Top, len);
            const TColor b = RunningColor(bg->Color(), bg->ColorTo(), horz ? P.Right : P.Bottom, len);
            FillGradient(ACanvas, a, b, 128, P, horz);
        }
    }
}

// ============================================================ balloons

void TKvStringGrid::BalloonInit()
{
    if (FBalloonInit) return;
    FBalloonInit = true;
    if (!FBalloonHint) FBalloonHint = new TBalloonHint(this);
    // The balloon asks the grid for its text when the mouse rests on a cell (WMNotify).
    FBalloonHint->SetTool(this);
    AddBalloonTool(3, QStringLiteral("ToolTipText"));
    if (FBalloon->InitialDelay() != -1) FBalloonHint->InitialDelay = FBalloon->InitialDelay();
    if (FBalloon->ReshowDelay() != -1) FBalloonHint->ReshowDelay = FBalloon->ReshowDelay();
    if (FBalloon->AutoHideDelay() != -1) FBalloonHint->HideAfter = FBalloon->AutoHideDelay();
    if (FBalloon->Transparency() > 0) FBalloonHint->Opacity = 255 - FBalloon->Transparency();
}

void TKvStringGrid::BalloonDone()
{
    if (FBalloonHint) {
        FBalloonHint->HideHint();
        delete FBalloonHint;
        FBalloonHint = nullptr;
    }
    FBalloonInit = false;
}

void TKvStringGrid::GetBalloonContent(int ACol, int ARow, QString& Title, QString& Text, int& Icon)
{
    int c = ACol, r = ARow;
    if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount()) {
        const TPoint b = BaseCell(c, r);
        c = b.X;
        r = b.Y;
    }
    QString t = c >= 0 && r >= 0 && c < ColCount() && r < RowCount() ? Cells(c, r) : QString();
    switch (GetCellTextKind(t, true)) {
    case ctkHTML: t = HTMLToPlainText(t); break;
    case ctkRichText: t = RichCellPlainText(t); break;
    case ctkWideText: t = DecodeWideCellText(t); break;
    default: break;
    }
    t.replace(QLatin1Char('\t'), QLatin1Char(' '));
    int k = 0;
    while (k < t.size() && (t[k] == QLatin1Char('\r') || t[k] == QLatin1Char('\n'))) ++k;
    t = t.mid(k);
    if (t.size() > 2048) t = t.left(2045) + QStringLiteral("...");
    Icon = 1;
    Title = QStringLiteral(" ");
    Text = t;
    const int RC = RealColIndex(c);
    if (TCellGraphic* gr = c >= 0 && r >= 0 ? GetCellGraphic(RC, r) : nullptr) {
        const bool carries = gr->CellType() == ctBalloon ||
                             ((gr->CellType() == ctCheckBox || gr->CellType() == ctDataCheckBox ||
                               gr->CellType() == ctRadioButton) && gr->CellAngle() == 1);
        if (carries) {
            if (TObject* const* p = std::get_if<TObject*>(&gr->FCellBitmap)) {
                if (auto* l = dynamic_cast<TStrings*>(*p); l && l->Count() >= 2) {
                    Title = l->Strings(0);
                    Text = l->Strings(1);
                }
            }
            Icon = gr->CellIndex();
        }
    }
    if (OnCellBalloon) OnCellBalloon(this, RC, r, Title, Text, Icon);
    FLastBalloonCell = TPoint(c, r);
    if (Title.size() > 100) Title = Title.left(97) + QStringLiteral("...");
}

void TKvStringGrid::ShowCellBalloon(int ACol, int ARow)
{
    if (!FBalloon->Enable()) return;
    BalloonInit();
    QString title, text;
    int icon = 1;
    GetBalloonContent(ACol, ARow, title, text, icon);
    FBalloonHint->Title = title;
    FBalloonHint->Description = text;
    const TRect R = TBaseGrid::CellRect(ACol, ARow);
    FBalloonHint->ShowHint(ClientToScreen(TPoint(R.Left + R.Width() / 2, R.Bottom)));
}

// ============================================================ child notifications

void TKvStringGrid::WMNotify(TMessage& Message)
{
    auto* hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    if (!hdr) {
        TBaseGrid::WndProc(Message);
        return;
    }
    switch (hdr->code) {
    case TTN_GETDISPINFOW: {
        if (!FBalloon->Enable()) break;
        auto* req = reinterpret_cast<TToolTipTextRequest*>(hdr);
        const TPoint m = ScreenToClient(Mouse ? Mouse->CursorPos() : TPoint(-1, -1));
        int c = -1, r = -1;
        MouseToCell(m.X, m.Y, c, r);
        int icon = 1;
        GetBalloonContent(c, r, req->Title, req->Text, icon);
        req->Icon = icon;
        req->MaxWidth = 300;
        if (FBalloon->TextColor() != clNone) req->TextColor = uint32_t(FBalloon->TextColor());
        if (FBalloon->BackgroundColor() != clNone) req->BkColor = uint32_t(FBalloon->BackgroundColor());
        Message.Result = 0;
        return;
    }
    case TTN_SHOW:
    case TTN_POP:
        Message.Result = 0;
        return;
    case DTN_DATETIMECHANGE: {
        const SYSTEMTIME& st = reinterpret_cast<NMDATETIMECHANGE*>(hdr)->st;
        double v = 0;
        TDateTime d = 0, t = 0;
        if (st.wYear != 0 && st.wMonth != 0 && st.wDay != 0 && TryEncodeDate(st.wYear, st.wMonth, st.wDay, d)) {
            TryEncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds, t);
            v = d + t;
        }
        DateTimeEditorChange(v);
        break;
    }
    default:
        break;
    }
    TBaseGrid::WndProc(Message);
}
