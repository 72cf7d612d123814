// The grid's event hooks, its cursor choice with the selection cursors it
// draws itself, the component notifications it reacts to (dialog characters,
// cursor changes, leaving the grid, application styles) and the sizing-zone
// test with its size permissions.
#include "grid/kv_string_grid.h"

#include "grid/grid_chrome.h"
#include "grid/kv_flat_controls.h"
#include "grid_input/grid_style_services.h"
#include "platform/ui/forms.h"

#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QPolygon>

// ============================================================ style services

namespace {
class TNoStyles : public IGridStyleServices {
public:
    bool Enabled() const override { return false; }
    QString Name() const override { return QStringLiteral("Windows"); }
    bool FillColor(TGridStyleElement, TColor&) const override { return false; }
    bool BorderColor(TGridStyleElement, TColor&) const override { return false; }
    bool TextColor(TGridStyleElement, TColor&) const override { return false; }
};
TNoStyles gNoStyles;
IGridStyleServices* gStyles = nullptr;
} // namespace

IGridStyleServices& GridStyleServices() { return gStyles ? *gStyles : gNoStyles; }
void SetGridStyleServices(IGridStyleServices* Services) { gStyles = Services; }

// ============================================================ hooks

void TKvStringGrid::CheckBoxClick(int ACol, int ARow, bool State)
{
    if (OnCheckBoxClick) OnCheckBoxClick(this, ACol, ARow, State);
}

void TKvStringGrid::PrintGetPageNum(int PageNum, int PageColNum, QString& PageNumString)
{
    if (OnPrintGetPageNum) OnPrintGetPageNum(this, PageNum, PageColNum, PageNumString);
}

void TKvStringGrid::StartBlockFocus()
{
    if (OnStartBlockFocus) OnStartBlockFocus(this);
}

void TKvStringGrid::EndBlockFocus()
{
    if (OnEndBlockFocus) OnEndBlockFocus(this);
}

void TKvStringGrid::ResetFixedCellHighlight()
{
    FSizeFixed = FSizeFixedR = FNoMouseLeave = false;
    if (FHoverFixedCells != hfNone && (FHoverFixedCell.X != -1 || FHoverFixedCell.Y != -1)) {
        const int c = FHoverFixedCell.X, r = FHoverFixedCell.Y;
        FHoverFixedCell = TPoint(-1, -1);
        RepaintCell(c, r);
    }
}

void TKvStringGrid::ApplyVCLStyle()
{
    FUseVCLStyles = false;
    const IGridStyleServices& s = GridStyleServices();
    if (!s.Enabled() || s.Name() == QStringLiteral("Windows")) return;
    FUseVCLStyles = true;
    TColor c = clNone;
    if (s.FillColor(tgCellNormal, c)) SetColor(c);
    if (s.BorderColor(tgCellNormal, c)) SetGridLineColor(c);
    if (s.BorderColor(tgFixedCellNormal, c)) SetGridFixedLineColor(c);
    SetOptions(Options() - (goFixedVertLine | goFixedHorzLine));
    if (s.TextColor(tgCellNormal, c) && c != clNone) Font()->SetColor(c);
    if (s.TextColor(tgCellSelected, c) && c != clNone) SetSelectionTextColor(c);
    if (s.TextColor(tgFixedCellNormal, c) && c != clNone) FixedFont()->SetColor(c);
}

// ============================================================ cursors

namespace {
// Black shapes with a white outline (or the reverse), 32 x 32, two colours.
QImage CursorImage(const QPolygon& Shape, bool WhiteFill)
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(QPen(WhiteFill ? Qt::black : Qt::white, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(WhiteFill ? Qt::white : Qt::black);
    p.drawPolygon(Shape);
    p.setPen(Qt::NoPen);
    p.drawPolygon(Shape);
    return img;
}

QPolygon Cross()
{
    return QPolygon({{13, 6}, {19, 6}, {19, 13}, {26, 13}, {26, 19}, {19, 19}, {19, 26}, {13, 26}, {13, 19},
                     {6, 19}, {6, 13}, {13, 13}});
}

void RegisterGridCursors()
{
    static bool done = false;
    if (done) return;
    done = true;
    // Row selection: an arrow pointing right, its tip the hot spot.
    const QPolygon right({{6, 13}, {16, 13}, {16, 7}, {26, 16}, {16, 25}, {16, 19}, {6, 19}});
    // Column selection: the same arrow pointing down.
    const QPolygon down({{10, 6}, {16, 6}, {16, 16}, {22, 16}, {13, 26}, {4, 16}, {10, 16}});
    RegisterResourceCursor(QStringLiteral("8010"), CursorImage(right, false), QPoint(26, 16));
    RegisterResourceCursor(QStringLiteral("8011"), CursorImage(down, false), QPoint(13, 26));
    RegisterResourceCursor(QStringLiteral("8012"), CursorImage(Cross(), false), QPoint(16, 16));
    RegisterResourceCursor(QStringLiteral("8014"), CursorImage(Cross(), true), QPoint(16, 16));
    for (int id : {8010, 8011, 8012, 8014}) Screen->SetCursors(id, ResourceCursor(QString::number(id)));
}
} // namespace

TCursor TKvStringGrid::CursorChoice(int X, int Y)
{
    (void)X;
    (void)Y;
    TCursor c = 0;
    const bool sizing = GridState() == gsRowSizing || GridState() == gsColSizing;
    if (FMouseSelectMode != msNormal && !sizing) {
        switch (FMouseSelectMode) {
        case msColumn: c = 8011; break;
        case msRow: c = 8010; break;
        case msAll:
        case msResize: c = 8012; break;
        default: break;
        }
    } else if (CellSelectorMode) {
        c = 8014;
    }
    if (FSizeFixed || FSizingFixed) c = crHSplit;
    if (FSizeFixedR || FSizingFixedR) c = crVSplit;
    return c;
}

void TKvStringGrid::WMSetCursor(TMessage& Message)
{
    RegisterGridCursors();
    const TPoint p = ScreenToClient(TPoint::From(QCursor::pos()));
    const bool own = (FMouseSelectMode != msNormal && FMouseSelectMode != msURL &&
                      GridState() != gsRowSizing && GridState() != gsColSizing) ||
                     (FMouseSelectMode == msNormal && CellSelectorMode);
    if (!own && !(FMouseSelectMode == msURL && GridState() != gsRowSizing && GridState() != gsColSizing)) {
        InheritedMessage(Message);
        int c = -1, r = -1;
        MouseToCell(p.X, p.Y, c, r);
        if (c != -1 && r != -1) GetCellCursor(c, r, p.X, p.Y);
    }
    const TCursor chosen = CursorChoice(p.X, p.Y);
    if (chosen != 0) {
        SetCurrentCursor(chosen);
        Message.Result = 1;
    }
}

// ============================================================ notifications

void TKvStringGrid::CMDialogChar(TMessage& Message)
{
    Message.Result = 0;
    if (!FSearchFooter->Visible() || !FSearchPanel) return;
    const QChar ch = QChar(char16_t(Message.WParam)).toUpper();
    auto accel = [&](TKvGridButton* B) {
        if (!B || !B->Visible() || !B->Enabled()) return false;
        const QString cap = B->Caption();
        const int amp = cap.indexOf(QLatin1Char('&'));
        return amp >= 0 && amp + 1 < cap.size() && cap.at(amp + 1).toUpper() == ch;
    };
    if (accel(FSearchPanel->ForwardButton())) SearchFooterFindNext();
    else if (accel(FSearchPanel->BackwardButton())) SearchFooterFindPrevious();
    else if (accel(FSearchPanel->HiliteButton())) SearchFooterHighlight();
    else return;
    Message.Result = 1;
}

void TKvStringGrid::CMCursorChanged(TMessage& Message)
{
    InheritedMessage(Message);
    if (!Invokedchange) FMouseSelectMode = msNormal;
    Invokedchange = false;
}

void TKvStringGrid::CMMouseLeave(TMessage& Message)
{
    InheritedMessage(Message);
    FMouseSelectMode = msNormal;
    FSizeFixed = FSizeFixedR = false;
    if (FHoverFixedCells != hfNone && !FNoMouseLeave && (FHoverFixedCell.X != -1 || FHoverFixedCell.Y != -1)) {
        const int c = FHoverFixedCell.X, r = FHoverFixedCell.Y;
        FHoverFixedCell = TPoint(-1, -1);
        RepaintCell(c, r);
    }
    if (FHotFixedCell.X != -1 || FHotFixedCell.Y != -1) {
        const TPoint h = FHotFixedCell;
        FHotFixedCell = TPoint(-1, -1);
        if (h.X >= 0 && h.Y >= 0 && h.X < ColCount() && h.Y < RowCount()) RepaintCell(h.X, h.Y);
    }
}

void TKvStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                                    TGridDrawInfo& FixedInfo)
{
    TBaseGrid::CalcSizingState(X, Y, State, Index, SizingPos, SizingOfs, FixedInfo);
    int c = -1, r = -1;
    MouseToCell(X - 6, Y, c, r);
    if (r >= 0 && r < FixedRows() && c >= 0 && OnColumnSize) {
        bool allow = true;
        OnColumnSize(this, c, allow);
        if (!allow) {
            State = gsNormal;
            FSizeFixed = false;
        }
    }
    MouseToCell(X, Y - 6, c, r);
    if (c >= 0 && c < FixedCols() && r >= 0 && OnRowSize) {
        bool allow = true;
        OnRowSize(this, r, allow);
        if (!allow) State = gsNormal;
    }
}
