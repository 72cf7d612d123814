#include "grid/base_grid.h"

#include <algorithm>

#include "grid/cell_graphic.h"
#include "grid/draw_utils.h"
#include "grid/grid_text.h"
#include "grid/grid_undo_redo.h"

TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner)
{
    // The grid draws its own lines and cell frames.
    TCustomGrid::SetGridLineWidth(0);
    TCustomGrid::SetDefaultDrawing(false);
}

TBaseGrid::~TBaseGrid()
{
    FComponentState |= csDestroying;
    if (FUndoRedo) {
        FUndoRedo->SetGrid(nullptr);
        FUndoRedo->RemoveFreeNotification(this);
        FUndoRedo = nullptr;
    }
    FreeAllCellProperties();
    // Whatever no slot holds any more (dropped references, cells beyond the
    // counts) still belongs to this grid.
    auto rest = std::move(FOwnedProps);
    FOwnedProps.clear();
    for (TCellProperties* p : rest) {
        p->FOwnerGrid = nullptr;
        delete p;
    }
}

// ============================================================ settings

void TBaseGrid::SetGridLineWidth(int Value)
{
    FGridLineWidth = Value;
    TCustomGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value)
{
    FGridLineColor = Value;
    Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value)
{
    FGridFixedLineColor = Value;
    Invalidate();
}

void TBaseGrid::SetDefaultDrawing(bool Value)
{
    FDefaultDrawing = Value;
    TCustomGrid::SetDefaultDrawing(false);
}

#define KV_SET_AND_INVALIDATE(Field)                                                                         \
    if (Field == Value) return;                                                                              \
    Field = Value;                                                                                           \
    Invalidate();

void TBaseGrid::SetActiveRowShow(bool Value) { KV_SET_AND_INVALIDATE(FActiveRowShow) }
void TBaseGrid::SetActiveRowColor(TColor Value) { KV_SET_AND_INVALIDATE(FActiveRowColor) }
void TBaseGrid::SetActiveRowColorTo(TColor Value) { KV_SET_AND_INVALIDATE(FActiveRowColorTo) }
void TBaseGrid::SetActiveRowMirrorColor(TColor Value) { KV_SET_AND_INVALIDATE(FActiveRowMirrorColor) }
void TBaseGrid::SetActiveRowMirrorColorTo(TColor Value) { KV_SET_AND_INVALIDATE(FActiveRowMirrorColorTo) }
void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value) { KV_SET_AND_INVALIDATE(FSelectionStyle) }
#undef KV_SET_AND_INVALIDATE

void TBaseGrid::SetUndoRedo(TKvGridUndoRedo* Value)
{
    if (FUndoRedo == Value) return;
    if (FUndoRedo) FUndoRedo->RemoveFreeNotification(this);
    FUndoRedo = Value;
    if (FUndoRedo) {
        FUndoRedo->SetGrid(this);
        FUndoRedo->FreeNotification(this);
    }
}

void TBaseGrid::WndProc(TMessage& Message)
{
    if (DispatchMessageHandlers(Message)) return;
    TObjStringGrid::WndProc(Message);
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent && AComponent == FUndoRedo) FUndoRedo = nullptr;
    TObjStringGrid::Notification(AComponent, Operation);
}

// ============================================================ cell storage

TCellProperties* TBaseGrid::SlotProps(int c, int r) const
{
    // The stock row and column lists can put any object into a slot; only
    // properties count as properties.
    return dynamic_cast<TCellProperties*>(TStringGrid::Objects(c, r));
}

void TBaseGrid::StoreSlot(int c, int r, TCellProperties* Props)
{
    TStringGrid::SetObjects(c, r, Props);
}

void TBaseGrid::Adopt(TCellProperties* Props)
{
    if (!Props || Props->FOwnerGrid == this) return;
    if (Props->FOwnerGrid) Props->FOwnerGrid->FOwnedProps.erase(Props);
    Props->FOwnerGrid = this;
    FOwnedProps.insert(Props);
    FHasCellProps = true;
}

TCellProperties* TBaseGrid::PropsInGrid(int c, int r) const
{
    return c >= 0 && c < TotalColCount() && r >= 0 && r < RowCount() ? SlotProps(c, r) : nullptr;
}

bool TBaseGrid::HasCellProperties(int ACol, int ARow) const
{
    return PropsInGrid(ACol, ARow) != nullptr;
}

TCellProperties* TBaseGrid::NewCellProperties(int c, int r, bool WithCalcType)
{
    auto* p = new TCellProperties(this, c, r);
    StoreSlot(c, r, p);
    TFont font;
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = FWordWrap;
    TCellGradientDirection gd = GradientVertical;
    GetDefaultCellProperties(c, r, &font, &brush, colorTo, mirror, mirrorTo, ha, va, ww, gd);
    if (WithCalcType) p->FCalcType = acNONE;
    p->FAlignment = ha;
    p->FVAlignment = va;
    p->FWordWrap = ww;
    p->FFontName = font.Name();
    p->FFontSize = font.Size();
    p->FFontStyle = font.Style();
    p->FFontColor = font.Color();
    p->FBrushColor = brush.Color();
    p->FBrushColorTo = colorTo;
    p->FGradientDirection = gd;
    return p;
}

TCellProperties* TBaseGrid::GetCellProperties(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    if (TCellProperties* p = SlotProps(ACol, ARow)) return p;
    return NewCellProperties(ACol, ARow, true);
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, TCellProperties* Value)
{
    if (ACol < 0 || ARow < 0) return;
    TCellProperties* old = SlotProps(ACol, ARow);
    if (old == Value) return;
    Adopt(Value);
    StoreSlot(ACol, ARow, Value);
    delete old;
}

TObject* TBaseGrid::GetPropertiesGraphic(const TCellProperties* Props)
{
    return Props ? Props->GraphicObject() : nullptr;
}

QString TBaseGrid::GetCellEx(int ACol, int ARow) const
{
    TPoint b = BaseCell(ACol, ARow);
    QString v = TStringGrid::Cells(b.X, b.Y);
    if (b.Y < FNormalRowCount) {
        auto* self = const_cast<TBaseGrid*>(this);
        self->GetDisplText(b.X, b.Y, v);
        if (OnGetDisplWideText) {
            QString w = DecodeWideCellText(v);
            self->GetDisplWideText(b.X, b.Y, w);
            v = EncodeWideCellText(w);
        }
    }
    return v;
}

void TBaseGrid::SetCellEx(int ACol, int ARow, const QString& Value)
{
    if (HasCellProperties(ACol, ARow)) {
        TPoint b = BaseCell(ACol, ARow);
        TStringGrid::SetCells(b.X, b.Y, Value);
        CellTextChanged(b.X, b.Y);
        if (Parent()) BaseRepaintCell(ACol, ARow);
    } else {
        TStringGrid::SetCells(ACol, ARow, Value);
    }
    if (FHideLastRow && ARow == RowCount() - 1) LastRowChanged();
}

QString TBaseGrid::GetGridCell(int ACol, int ARow) const
{
    return TStringGrid::Cells(ACol, ARow);
}

void TBaseGrid::SetGridCell(int ACol, int ARow, const QString& Value)
{
    TStringGrid::SetCells(ACol, ARow, Value);
}

TObject* TBaseGrid::GetObjectEx(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return nullptr;
    return reinterpret_cast<TObject*>(SlotProps(ACol, ARow)->CellObject());
}

void TBaseGrid::SetObjectEx(int ACol, int ARow, TObject* Value)
{
    // A cell without text gets a blank for the time of the write, so that
    // the write path that makes the properties sees a cell with content.
    const bool wasEmpty = GetCellEx(ACol, ARow).isEmpty();
    if (wasEmpty) SetCellEx(ACol, ARow, QStringLiteral(" "));
    GetCellProperties(ACol, ARow)->SetCellObject(reinterpret_cast<uintptr_t>(Value));
    if (wasEmpty) SetCellEx(ACol, ARow, QString());
}

TCellProperties* TBaseGrid::GetGridObject(int ACol, int ARow) const
{
    return SlotProps(ACol, ARow);
}

void TBaseGrid::SetGridObject(int ACol, int ARow, TCellProperties* Value)
{
    Adopt(Value);
    StoreSlot(ACol, ARow, Value);
}

TObject* TBaseGrid::GetGraphicObjectEx(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return nullptr;
    return SlotProps(ACol, ARow)->GraphicObject();
}

void TBaseGrid::SetGraphicObjectEx(int ACol, int ARow, TObject* Value)
{
    if (IsDestroying()) return;
    const bool wasEmpty = GetCellEx(ACol, ARow).isEmpty();
    if (wasEmpty) SetCellEx(ACol, ARow, QStringLiteral(" "));
    TCellProperties* p = SlotProps(ACol, ARow);
    if (!p) {
        if (ACol < 0 || ARow < 0) throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
        p = NewCellProperties(ACol, ARow, false);
    }
    p->SetGraphicObject(Value);
    if (wasEmpty) SetCellEx(ACol, ARow, QString());
}

// ============================================================ merged cells

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const
{
    // One look at the slot: every read of a cell's text asks this.
    const TCellProperties* p = PropsInGrid(ACol, ARow);
    return p ? p->BaseCell(ACol, ARow) : TPoint(ACol, ARow);
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return true;
    return SlotProps(ACol, ARow)->IsBaseCell();
}

bool TBaseGrid::ResolveBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const
{
    BaseCol = ACol;
    BaseRow = ARow;
    if (!HasCellProperties(ACol, ARow)) return true;
    TCellProperties* p = SlotProps(ACol, ARow);
    if (!p->IsBaseCell()) {
        TPoint b = p->BaseCell(ACol, ARow);
        BaseCol = b.X;
        BaseRow = b.Y;
    }
    return p->IsBaseCell();
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return false;
    TCellProperties* p = SlotProps(ACol, ARow);
    return p->CellSpanX() > 0 || p->CellSpanY() > 0;
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const
{
    return IsMergedCell(ACol, ARow) && !SlotProps(ACol, ARow)->IsBaseCell();
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return false;
    TPoint b = BaseCell(ACol, ARow);
    TCellProperties* p = HasCellProperties(b.X, b.Y) ? SlotProps(b.X, b.Y) : nullptr;
    return p && p->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return false;
    TPoint b = BaseCell(ACol, ARow);
    TCellProperties* p = HasCellProperties(b.X, b.Y) ? SlotProps(b.X, b.Y) : nullptr;
    return p && p->CellSpanY() > 0;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return TPoint(0, 0);
    TCellProperties* p = SlotProps(ACol, ARow);
    if (p->CellSpanX() == -1 || p->CellSpanY() == -1) return TPoint(0, 0);
    TPoint b = p->BaseCell(ACol, ARow);
    TCellProperties* bp = HasCellProperties(b.X, b.Y) ? SlotProps(b.X, b.Y) : nullptr;
    if (!bp || bp->CellSpanX() == -1 || bp->CellSpanY() == -1) return TPoint(0, 0);
    return TPoint(bp->CellSpanX(), bp->CellSpanY());
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const
{
    TPoint s = CellSpan(ACol, ARow);
    if (s.X == 0 && s.Y == 0) return s;
    TPoint b = BaseCell(ACol, ARow);
    return TPoint(b.X + s.X - ACol, b.Y + s.Y - ARow);
}

TCellRect TBaseGrid::FullCell(int ACol, int ARow) const
{
    TPoint b = BaseCell(ACol, ARow);
    TPoint s = CellSpan(ACol, ARow);
    return TCellRect(b.X, b.Y, b.X + s.X, b.Y + s.Y);
}

int TBaseGrid::MinRowSpan(int ARow) const
{
    int m = RowCount();
    bool found = false;
    for (int c = 0; c < ColCount(); ++c) {
        int y = CellSpan(c, ARow).Y;
        if (y > 0 && (!found || y < m)) {
            m = y;
            found = true;
        }
    }
    return found ? m : RowCount();
}

int TBaseGrid::MaxRowSpan(int ARow) const
{
    int m = 0;
    for (int c = 0; c < ColCount(); ++c) m = std::max(m, CellSpan(c, ARow).Y);
    return m;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const
{
    bool found = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
            found = true;
            if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y) return false;
        }
    }
    return found;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const
{
    bool found = false;
    for (int r = 0; r < RowCount(); ++r) {
        TPoint s1 = CellSpan(ACol1, r), s2 = CellSpan(ACol2, r);
        if (s1.X > 0 && s2.X > 0) {
            found = true;
            if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X) return false;
        } else if (s1.X != s2.X) {
            return false;
        }
    }
    return found;
}

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany)
{
    ++FMergeCount;
    if (c < 0 || r < 0) return;
    // The base keeps the spans asked for; cells beyond the grid get no
    // properties, so an oversized area costs no more than the grid itself.
    const int lastCol = std::min<qint64>(qint64(c) + spanx, std::max(TotalColCount(), c + 1)) - 1;
    const int lastRow = std::min<qint64>(qint64(r) + spany, std::max(RowCount(), r + 1)) - 1;
    for (int i = c; i <= lastCol; ++i)
        for (int j = r; j <= lastRow; ++j) {
            TCellProperties* p = GetCellProperties(i, j);
            const bool base = i == c && j == r;
            p->SetIsBaseCell(base);
            p->SetCellSpanX(base ? spanx - 1 : i - c);
            p->SetCellSpanY(base ? spany - 1 : j - r);
        }
    for (int i = c; i <= lastCol; ++i)
        for (int j = r; j <= lastRow; ++j) BaseRepaintCell(i, j);
}

void TBaseGrid::SplitCells(int c, int r)
{
    if (c >= 0 && r >= 0) {
        TCellProperties* p = GetCellProperties(c, r);
        TPoint b = p->BaseCell(c, r);
        TCellProperties* bp = GetCellProperties(b.X, b.Y);
        const int lastCol = int(std::min<qint64>(qint64(b.X) + bp->CellSpanX(), std::max(TotalColCount() - 1, b.X)));
        const int lastRow = int(std::min<qint64>(qint64(b.Y) + bp->CellSpanY(), std::max(RowCount() - 1, b.Y)));
        for (int i = b.X; i <= lastCol; ++i)
            for (int j = b.Y; j <= lastRow; ++j) {
                TCellProperties* q = GetCellProperties(i, j);
                q->SetIsBaseCell(true);
                q->SetCellSpanX(-1);
                q->SetCellSpanY(-1);
            }
        for (int i = b.X; i <= lastCol; ++i)
            for (int j = b.Y; j <= lastRow; ++j) BaseRepaintCell(i, j);
    }
    --FMergeCount;
}

bool TBaseGrid::CheckConsistency() const
{
    for (int c = 0; c < TotalColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r) {
            if (!HasCellProperties(c, r)) continue;
            TCellProperties* p = SlotProps(c, r);
            if (p->IsBaseCell()) {
                if ((p->CellSpanX() == -1) != (p->CellSpanY() == -1)) return false;
                continue;
            }
            TPoint b = p->BaseCell(c, r);
            if (!HasCellProperties(b.X, b.Y)) return false;
            TCellProperties* bp = SlotProps(b.X, b.Y);
            if (!bp->IsBaseCell() || p->CellSpanX() > bp->CellSpanX() || p->CellSpanY() > bp->CellSpanY())
                return false;
        }
    return true;
}

// ============================================================ freeing

void TBaseGrid::FreeCellPropertiesRect(int Col1, int Row1, int Col2, int Row2)
{
    if (!FHasCellProps) return;
    for (int c = std::max(Col1, 0); c <= Col2; ++c)
        for (int r = std::max(Row1, 0); r <= Row2; ++r) {
            TCellProperties* p = SlotProps(c, r);
            if (!p) continue;
            StoreSlot(c, r, nullptr);
            delete p; // takes its own graphic along
        }
}

void TBaseGrid::FreeCellProperties(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0) return;
    TCellProperties* p = SlotProps(ACol, ARow);
    if (!p) return;
    StoreSlot(ACol, ARow, nullptr);
    delete p;
}

void TBaseGrid::FreeAllCellProperties()
{
    FreeCellPropertiesRect(0, 0, ColCount() - 1, RowCount() - 1);
}

void TBaseGrid::WipeRow(int ARow)
{
    for (int c = 0; c < ColCount(); ++c) {
        StoreSlot(c, ARow, nullptr);
        SetCellEx(c, ARow, QString());
    }
}

void TBaseGrid::WipeColumn(int ACol)
{
    for (int r = 0; r < RowCount(); ++r) {
        StoreSlot(ACol, r, nullptr);
        SetCellEx(ACol, r, QString());
    }
}

void TBaseGrid::ClearCellSlot(int ACol, int ARow)
{
    SetCellEx(ACol, ARow, QString());
    StoreSlot(ACol, ARow, nullptr);
}

// ============================================================ hooks

bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::GetRowIndent(int) { return 0; }
bool TBaseGrid::HasNodes() { return false; }
void TBaseGrid::LastRowChanged() {}
void TBaseGrid::CellTextChanged(int, int) {}
bool TBaseGrid::HasCellBorderEvent() { return false; }
bool TBaseGrid::UsesPlatformStyles() { return false; }
int TBaseGrid::DisplColIndex(int ACol) { return ACol; }
int TBaseGrid::TotalColCount() const { return ColCount(); }

void TBaseGrid::GetVisualProperties(int, int, TGridDrawState&, bool, bool, bool, TBrush*, TColor&, TColor&,
                                    TColor&, TFont*, TAlignment&, TVAlignment&, bool&, TCellGradientDirection&)
{
}

void TBaseGrid::GetDisplText(int ACol, int ARow, QString& Value)
{
    if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDisplWideText(int ACol, int ARow, QString& Value)
{
    if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDefaultCellProperties(int, int, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                         TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA,
                                         TVAlignment& VA, bool& WW, TCellGradientDirection& GD)
{
    AFont->Assign(*Font());
    ABrush->SetColor(Color());
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;
    HA = taLeftJustify;
    VA = vtaTop;
    WW = FWordWrap;
    GD = GradientVertical;
}

void TBaseGrid::DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState)
{
    ACanvas->Brush()->SetStyle(bsClear);
    QString s = Cells(ACol, ARow);
    ACanvas->TextRect(ARect, s, tfCenter | tfVerticalCenter | tfSingleLine);
}

QString TBaseGrid::GetEditText(int ACol, int ARow) { return TObjStringGrid::GetEditText(ACol, ARow); }

void TBaseGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    TObjStringGrid::SetEditText(ACol, ARow, Value);
}
