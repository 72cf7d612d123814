// The sizes cell graphics claim: beside the text on screen (painting and row
// auto-sizing) and in print, and the automatic range of cell scroll bars.
#include "grid/kv_string_grid.h"

#include <QFontMetrics>
#include <QtMath>

#include "platform/core/sysutils.h"

namespace {
int GraphicWidth(const TCellSlot& s)
{
    if (auto* g = std::get_if<TGraphic*>(&s)) return *g ? (*g)->Width() : 0;
    return 0;
}

int GraphicHeight(const TCellSlot& s)
{
    if (auto* g = std::get_if<TGraphic*>(&s)) return *g ? (*g)->Height() : 0;
    return 0;
}

TStrings* RadioItems(const TCellGraphic* g)
{
    if (auto* o = std::get_if<TObject*>(&g->FCellBitmap)) return dynamic_cast<TStrings*>(*o);
    return nullptr;
}

int ImageCount(const TCellGraphic* g)
{
    if (auto* o = std::get_if<TObject*>(&g->FCellBitmap))
        if (auto* l = dynamic_cast<TIntList*>(*o)) return l->Count();
    return 0;
}

TPoint PictureSizeOf(const TCellGraphic* g, int cw, int rh)
{
    return g->GetPictureSize(cw, rh, false);
}
} // namespace

TPoint TKvStringGrid::CalcCellGraphicSize(int ACol, int ARow, int HeightReserve)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return TPoint(0, 0);
    const QFontMetrics fm(Font()->ToQFont());
    const bool text = !Cells(ACol, ARow).isEmpty();
    const bool beside = g->CellHAlign() == haBeforeText || g->CellHAlign() == haAfterText;
    const bool stacked = g->CellVAlign() == vaUnderText || g->CellVAlign() == vaAboveText;
    int X = 0, Y = 0;
    bool keepX = false;
    switch (g->CellType()) {
    case ctBitmap:
        if (beside || !text) X = GraphicWidth(g->FCellBitmap);
        if (stacked || !text) Y = GraphicHeight(g->FCellBitmap);
        break;
    case ctIcon:
        if (beside || !text) X = GraphicWidth(g->FCellIcon);
        Y = GraphicHeight(g->FCellIcon);
        break;
    case ctRadioButton:
        X = Y = FControlLook->RadioSize();
        break;
    case ctImageList:
    case ctDataImage:
        if (TImageList* il = GetCellImageList()) {
            if (beside || !text) X = il->Width();
            if (stacked || !text) Y = il->Height();
        }
        break;
    case ctImages:
        X = Y = 0;
        if (TImageList* il = GetCellImageList()) {
            const int n = ImageCount(g);
            X = g->CellBoolean() ? n * il->Width() : il->Width();
            Y = g->CellBoolean() ? il->Height() : n * il->Height();
        }
        break;
    case ctRadio: {
        TStrings* items = RadioItems(g);
        const int n = items ? items->Count() : 0;
        const int gh = fm.height();
        if (!g->CellBoolean()) {
            int widest = 0;
            for (int i = 0; i < n; ++i) widest = std::max(widest, fm.horizontalAdvance(items->Strings(i)));
            X = std::max(12, 12 + widest);
            Y = std::max(16, gh) * n;
        } else {
            for (int i = 0; i < n; ++i) X += fm.horizontalAdvance(items->Strings(i)) + 12;
            Y = gh;
        }
        break;
    }
    case ctPicture:
    case ctFilePicture: {
        const TPoint cs = CellSize(ACol, ARow);
        const int xo = 2 * XYOffset().X, yo = 2 * XYOffset().Y;
        const TPoint p = PictureSizeOf(g, cs.X - xo - 1, cs.Y - yo - HeightReserve - 1);
        X = p.X;
        Y = p.Y;
        break;
    }
    case ctButton:
    case ctBitButton: {
        const int bw = g->CellIndex() & 0xFFFF, bh = (unsigned(g->CellIndex()) >> 16) & 0xFFFF;
        if (text) {
            X = bw;
            if (g->CellHAlign() == haCenter) X = 0;
            if (g->CellHAlign() == haFull) X = fm.horizontalAdvance(g->CellText()) + 4;
            if (stacked) X = 0;
            Y = stacked ? bh : 0;
        } else {
            X = bw;
            if (g->CellHAlign() == haFull) {
                X = fm.horizontalAdvance(g->CellText()) + 4;
                keepX = !g->CellText().isEmpty();
            }
            Y = bh;
        }
        break;
    }
    case ctProgressPie:
        X = Y = 20;
        break;
    case ctRating:
        X = g->CellAngle() * 18;
        Y = 16;
        keepX = true;
        break;
    case ctInterface:
        if (auto* o = std::get_if<TObject*>(&g->FCellBitmap)) {
            if (auto* ic = dynamic_cast<IInterfacedCell*>(*o)) {
                X = ic->GetWidth();
                Y = ic->GetHeight();
                if (X == 0 || Y == 0) {
                    const TPoint cs = CellSize(ACol, ARow);
                    X = cs.X;
                    Y = cs.Y;
                }
            }
        }
        break;
    default:
        if (IsCheckBoxKind(g->CellType())) X = Y = FControlLook->CheckSize();
        break;
    }
    const TRect R = CellRect(ACol, ARow);
    if (g->CellVAlign() == vaFull) Y = R.Bottom - R.Top;
    if (g->CellHAlign() == haFull && !keepX) X = R.Right - R.Left;
    return TPoint(X, Y);
}

TPoint TKvStringGrid::GetRawGraphicSize(int ACol, int ARow, int W, int H, double Scale)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return TPoint(0, 0);
    const QFontMetrics fm(Font()->ToQFont());
    switch (g->CellType()) {
    case ctBitmap:
        return TPoint(GraphicWidth(g->FCellBitmap), GraphicHeight(g->FCellBitmap));
    case ctIcon:
        return TPoint(GraphicWidth(g->FCellIcon), GraphicHeight(g->FCellIcon));
    case ctRadioButton:
        return TPoint(FControlLook->RadioSize(), FControlLook->RadioSize());
    case ctImageList:
    case ctDataImage: {
        TImageList* il = GetCellImageList();
        if (!il) return TPoint(0, 0);
        const bool beside = g->CellHAlign() == haBeforeText || g->CellHAlign() == haAfterText;
        const bool wide = g->CellType() == ctDataImage || beside || Cells(ACol, ARow).isEmpty();
        return TPoint(wide ? il->Width() : 0, il->Height());
    }
    case ctImages:
        return CalcCellGraphicSize(ACol, ARow, 0);
    case ctNode:
    case ctProgressPie:
        return TPoint(20, 20);
    case ctRadio: {
        const TPoint screen = CalcCellGraphicSize(ACol, ARow, 0);
        TStrings* items = RadioItems(g);
        const int n = items ? items->Count() : 0;
        return TPoint(screen.X, g->CellBoolean() ? fm.height() : fm.height() * n);
    }
    case ctPicture:
    case ctFilePicture: {
        const TPoint p = PictureSizeOf(g, W, H);
        const double s = Scale > 0 ? Scale : 1.0;
        return TPoint(int(RoundHalfEven(p.X / s)), int(RoundHalfEven(p.Y / s)));
    }
    case ctProgress:
    case ctXPProgress:
        return TPoint(ColWidths(DisplColIndex(ACol)), RowHeights(ARow));
    case ctButton:
    case ctBitButton:
        return TPoint(g->CellIndex() & 0xFFFF, (unsigned(g->CellIndex()) >> 16) & 0xFFFF);
    case ctInterface:
        if (auto* o = std::get_if<TObject*>(&g->FCellBitmap)) {
            if (auto* ic = dynamic_cast<IInterfacedCell*>(*o)) {
                const TRect R = CellRect(ACol, ARow);
                const int w = ic->GetWidth(), h = ic->GetHeight();
                return TPoint(w ? w : R.Right - R.Left, h ? h : R.Bottom - R.Top);
            }
        }
        return TPoint(0, 0);
    case ctShape: {
        const int s = RowHeights(ARow) - 2 * XYOffset().Y;
        return TPoint(s, s);
    }
    default:
        if (IsCheckBoxKind(g->CellType())) return TPoint(FControlLook->CheckSize(), FControlLook->CheckSize());
        return TPoint(0, 0);
    }
}

void TKvStringGrid::CellTextChanged(int ACol, int ARow)
{
    TBaseGrid::CellTextChanged(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctScrollbar || !g->CellBoolean()) return;
    const int w = std::max(1, ColWidths(DisplColIndex(ACol)) - 2 * XYOffset().X);
    const QFontMetrics fm(Font()->ToQFont());
    const QRect r = fm.boundingRect(QRect(0, 0, w, 1 << 20), Qt::TextWordWrap, Cells(ACol, ARow));
    g->SetCellAngle(RowHeights(ARow));
    g->SetCellErrFrom(r.height());
}
