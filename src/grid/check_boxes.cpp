// Check boxes and radio buttons in cells: the five check-box kinds (plain,
// data-bound, the column grid's virtual one, the row selector, tri-state) and
// the single radio button; adding, state, toggling with group checking through
// tree nodes, and the hit test of a click.
#include "grid/kv_string_grid.h"

#include <QFontMetrics>

#include "grid/cell_properties.h"
#include "grid/grid_undo_redo.h"

namespace {
TCellVAlign VAlignOf(TVAlignment v)
{
    switch (v) {
    case vtaCenter: return vaCenter;
    case vtaBottom: return vaBottom;
    default: return vaTop;
    }
}

TCheckBoxState BoolToCheckBoxState(bool bChecked)
{
    return bChecked ? cbChecked : cbUnchecked;
}
} // namespace

// ============================================================ adding and removing

static void CheckCell(const TKvStringGrid* G, int ACol, int ARow)
{
    // Negative indexes are refused too: they would address no cell at all.
    if (ACol < 0 || ARow < 0 || ACol >= G->AllColCount() || ARow >= G->AllRowCount())
        throw Exception(QStringLiteral("Invalid cell"));
}

void TKvStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data)
{
    ::CheckCell(this, ACol, ARow);
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(Data ? ctDataCheckBox : ctCheckBox);
    g->SetCellBoolean(State);
    g->SetCellTransparent(true);
    g->SetCellHAlign(haBeforeText);
    g->SetCellVAlign(VAlignOf(VAlignment()));
    if (Data) {
        const QString t = Cells(ACol, ARow);
        if (t != FCheckTrue && t != FCheckFalse) SetCells(ACol, ARow, State ? FCheckTrue : FCheckFalse);
    }
}

void TKvStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState State)
{
    ::CheckCell(this, ACol, ARow);
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctTriStateCheckBox);
    g->SetCellCheckBoxState(State);
    g->SetCellBoolean(false);
    g->SetCellTransparent(true);
    g->SetCellHAlign(haBeforeText);
    g->SetCellVAlign(VAlignOf(VAlignment()));
}

void TKvStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox)
{
    const int first = FMouseActions->CheckAllCheck() ? 0 : TBaseGrid::FixedRows();
    for (int r = first; r < RowCount(); ++r) {
        if (IsSummary(r)) continue;
        if (IsNode(r)) AddCheckBox(ACol, r, cbUnchecked);
        else AddCheckBox(ACol, r, DefaultState, DataCheckBox);
    }
}

void TKvStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State)
{
    const int first = FMouseActions->CheckAllCheck() ? 0 : TBaseGrid::FixedRows();
    for (int r = first; r < RowCount(); ++r) AddCheckBox(ACol, r, State);
}

void TKvStringGrid::RemoveCheckBox(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    const TCellType t = g->CellType();
    if (t != ctCheckBox && t != ctDataCheckBox && t != ctTriStateCheckBox) return;
    if (g->CellAngle() == 1 && !std::holds_alternative<std::monostate>(g->FCellBitmap)) {
        FreeCellSlot(g->FCellBitmap);
        g->SetCellAngle(0);
    }
    RemoveCellGraphic(ACol, ARow);
    RepaintCell(ACol, ARow);
}

void TKvStringGrid::RemoveCheckBoxColumn(int ACol)
{
    const int first = FMouseActions->CheckAllCheck() ? 0 : TBaseGrid::FixedRows();
    for (int r = first; r < RowCount(); ++r)
        if (HasCheckBox(ACol, r)) RemoveCheckBox(ACol, r);
}

void TKvStringGrid::AddRadioButton(int ACol, int ARow, bool State)
{
    ::CheckCell(this, ACol, ARow);
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRadioButton);
    g->SetCellBoolean(State);
    g->SetCellTransparent(true);
    g->SetCellHAlign(haBeforeText);
    g->SetCellVAlign(VAlignOf(VAlignment()));
}

void TKvStringGrid::AddRadioButtonColumn(int ACol)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r) AddRadioButton(ACol, r, false);
}

void TKvStringGrid::RemoveRadioButton(int ACol, int ARow)
{
    if (GetCellType(ACol, ARow) != ctRadioButton) return;
    RemoveCellGraphic(ACol, ARow);
    RepaintCell(ACol, ARow);
}

void TKvStringGrid::RemoveRadioButtonColumn(int ACol)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
        if (HasRadioButton(ACol, r)) RemoveRadioButton(ACol, r);
}

// ============================================================ state

TCellGraphic* TKvStringGrid::CheckGraphicAt(int ACol, int ARow, bool& ByProps)
{
    ByProps = false;
    if (NumHiddenRows() == 0 || ACol < 0 || ARow < 0 || ARow >= AllRowCount()) return GetCellGraphic(ACol, ARow);
    TCellProperties* p = nullptr;
    const TStringList* hidden = GetHiddenRowCells(ARow);
    const int d = hidden ? ARow : DisplRowIndex(ARow);
    if (hidden) {
        if (ACol < hidden->Count()) p = dynamic_cast<TCellProperties*>(hidden->Objects(ACol));
    } else if (HasCellProperties(ACol, d)) {
        p = CellProperties(ACol, d);
    }
    TObject* o = p ? p->GraphicObject() : nullptr;
    if (o && o->ClassName() == QLatin1String("TCellGraphic")) {
        ByProps = true;
        return static_cast<TCellGraphic*>(o);
    }
    // No graphic of its own: a shown row answers what its display cell shows
    // (a column's shared box, the row check box).
    return GetCellGraphic(ACol, d);
}

bool TKvStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State)
{
    bool byProps = false;
    TCellGraphic* g = CheckGraphicAt(ACol, ARow, byProps);
    if (!g) return false;
    switch (g->CellType()) {
    case ctCheckBox:
        State = g->CellBoolean();
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString t;
        GetCheckTrue(ACol, ARow, t);
        State = (NumHiddenRows() > 0 ? AllCells(ACol, ARow) : Cells(ACol, ARow)) == t;
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0) return false;
        State = RowSelect(ARow);
        return true;
    default:
        return false;
    }
}

bool TKvStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State)
{
    bool byProps = false;
    TCellGraphic* g = CheckGraphicAt(ACol, ARow, byProps);
    if (g && g->CellType() == ctTriStateCheckBox) {
        State = g->CellCheckBoxState();
        return true;
    }
    bool b = false;
    if (!GetCheckBoxState(ACol, ARow, b)) return false;
    State = BoolToCheckBoxState(b);
    return true;
}

bool TKvStringGrid::IsChecked(int ACol, int ARow)
{
    bool b = false;
    return GetCheckBoxState(ACol, ARow, b) && b;
}

bool TKvStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    bool byProps = false;
    TCellGraphic* g = CheckGraphicAt(ACol, ARow, byProps);
    if (!g) return false;
    switch (g->CellType()) {
    case ctCheckBox:
        g->SetCellBoolean(State);
        RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString t;
        if (State) GetCheckTrue(ACol, ARow, t);
        else GetCheckFalse(ACol, ARow, t);
        if (NumHiddenRows() > 0) SetAllCells(ACol, ARow, t);
        else SetCells(ACol, ARow, t);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0) return false;
        SetRowSelect(ARow, State);
        return true;
    default:
        return false;
    }
}

bool TKvStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State)
{
    bool byProps = false;
    TCellGraphic* g = CheckGraphicAt(ACol, ARow, byProps);
    if (!g || g->CellType() != ctTriStateCheckBox) return false;
    g->SetCellCheckBoxState(State);
    RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
    return true;
}

bool TKvStringGrid::ChangeCheckBoxState(int ACol, int ARow, bool State)
{
    // ARow is shown, so its graphic and text are those of the display row;
    // the row check box keeps its selection by real row.
    const int r = NumHiddenRows() > 0 ? RealRowIndex(ARow) : ARow;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    switch (g->CellType()) {
    case ctCheckBox:
        if (g->CellBoolean() != State) {
            g->SetCellBoolean(State);
            RepaintCell(DisplColIndex(ACol), ARow);
            CheckBoxChange(ACol, ARow, State);
        }
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString t, f;
        GetCheckTrue(ACol, ARow, t);
        GetCheckFalse(ACol, ARow, f);
        const bool was = Cells(ACol, ARow) == t;
        SetCells(ACol, ARow, State ? t : f);
        if (was != State) CheckBoxChange(ACol, ARow, State);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0) return false;
        if (RowSelect(r) != State) {
            SetRowSelect(r, State);
            CheckBoxChange(ACol, ARow, State);
        }
        return true;
    default:
        return false;
    }
}

void TKvStringGrid::CheckAll(int ACol)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r) ChangeCheckBoxState(ACol, r, true);
    if (NumHiddenColumns() > 0) RepaintCol(DisplColIndex(ACol));
}

void TKvStringGrid::UnCheckAll(int ACol)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r) ChangeCheckBoxState(ACol, r, false);
}

void TKvStringGrid::CheckBoxChange(int ACol, int ARow, bool State)
{
    if (OnCheckBoxChange) OnCheckBoxChange(this, ACol, ARow, State);
}

// ============================================================ toggling

bool TKvStringGrid::ToggleCellCheck(int ACol, int ARow, bool UserAction)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    const bool group = FGrouping->AutoCheckGroup();
    const bool nodeRow = IsNode(ARow);
    int span = 0, parent = -1;
    bool contracted = false;
    if (group) {
        if (nodeRow) {
            span = GetNodeSpan(ARow);
            contracted = GetNodeState(ARow);
        } else {
            // The parent is the nearest node row above whose span covers this row.
            for (int r = ARow - 1; r >= 0; --r) {
                if (IsNode(r)) {
                    if (r + GetNodeSpan(r) > ARow) {
                        parent = r;
                        span = GetNodeSpan(r);
                    }
                    break;
                }
            }
        }
    }
    if (!IsCheckBoxKind(g->CellType())) return false;
    if (UserAction && !FControlLook->CheckAlwaysActive()) {
        bool can = true;
        CanEdit(ACol, ARow, can);
        if (!can) return false;
    }
    bool before = false;
    GetCheckBoxState(ACol, NumHiddenRows() > 0 ? RealRowIndex(ARow) : ARow, before);
    bool N = false;
    switch (g->CellType()) {
    case ctCheckBox:
        g->SetCellBoolean(!g->CellBoolean());
        N = g->CellBoolean();
        break;
    case ctTriStateCheckBox: {
        const TCheckBoxState s = g->CellCheckBoxState();
        before = s == cbChecked;
        if (group && nodeRow) {
            g->SetCellCheckBoxState(s == cbChecked ? cbUnchecked : cbChecked);
            N = g->CellCheckBoxState() == cbChecked;
        } else {
            g->SetCellCheckBoxState(s == cbUnchecked ? cbGrayed : s == cbChecked ? cbUnchecked : cbChecked);
        }
        break;
    }
    default: {
        QString t, f;
        GetCheckTrue(ACol, ARow, t);
        GetCheckFalse(ACol, ARow, f);
        if (Cells(ACol, ARow) != t) {
            SetCells(ACol, ARow, t);
            N = true;
        } else {
            SetCells(ACol, ARow, f);
        }
        break;
    }
    }
    RepaintCell(DisplColIndex(ACol), ARow);
    CheckBoxChange(ACol, ARow, N);

    if (group && nodeRow) {
        for (int e = 1; e < span; ++e)
            SetCheckBoxState(ACol, contracted ? RealRowIndex(ARow) + e : RealRowIndex(ARow + e), N);
    } else if (group && parent >= 0) {
        const int p = RealRowIndex(parent);
        bool first = false;
        GetCheckBoxState(ACol, p + 1, first);
        bool uniform = true;
        for (int e = 1; e < span; ++e) {
            bool s = false;
            GetCheckBoxState(ACol, p + e, s);
            if (s != first) uniform = false;
        }
        SetCheckBoxState(ACol, p, !uniform ? cbGrayed : first ? cbChecked : cbUnchecked);
    }

    // The undo entry records the state before and after, whatever kind of box
    // was toggled (the plain box's flag says nothing of the others).
    if (UndoRedo()) {
        QString t, f;
        GetCheckTrue(ACol, ARow, t);
        GetCheckFalse(ACol, ARow, f);
        UndoRedo()->RegisterChange(ACol, ARow, before ? t : f, N ? t : f);
    }
    return true;
}

bool TKvStringGrid::ToggleCellRadio(int ACol, int ARow, bool UserAction)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadioButton) return false;
    if (UserAction && !FControlLook->CheckAlwaysActive()) {
        bool can = true;
        CanEdit(ACol, ARow, can);
        if (!can) return false;
    }
    if (!g->CellBoolean()) {
        g->SetCellBoolean(true);
        RepaintCell(DisplColIndex(ACol), ARow);
        for (int r = 0; r < RowCount(); ++r) {
            if (r == ARow) continue;
            TCellGraphic* o = GetCellGraphic(ACol, r);
            if (o && o->CellType() == ctRadioButton && o->CellBoolean()) {
                o->SetCellBoolean(false);
                RepaintCell(DisplColIndex(ACol), r);
            }
        }
    }
    return true;
}

bool TKvStringGrid::SetRadioButtonState(int ACol, int ARow, bool State)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g || g->CellType() != ctRadioButton) return false;
    if (g->CellBoolean() != State) {
        g->SetCellBoolean(State);
        RepaintCell(DisplColIndex(ACol), ARow);
    }
    return true;
}

void TKvStringGrid::SetRadioButtonColumnIndex(int ACol, int Index)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r) SetRadioButtonState(ACol, r, r == Index);
}

int TKvStringGrid::GetRadioButtonColumnIndex(int ACol)
{
    for (int r = TBaseGrid::FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r)) return r;
    return -1;
}

// ============================================================ hit test

bool TKvStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    const TCellType t = g->CellType();
    if (!(IsCheckBoxKind(t) || t == ctRadioButton)) return false;
    if (!FMouseActions->PreciseCheckBoxCheck()) return true;
    const TRect R = CellRect(DisplColIndex(ACol), ARow);
    const int S = FControlLook->CheckSize();
    int top = R.Top + 2;
    if (g->CellVAlign() == vaBottom) top = R.Bottom - S - 2;
    else if (g->CellVAlign() == vaCenter) top = R.Top + (R.Bottom - R.Top - S) / 2;
    TAlignment ha = FDefaultAlignment;
    TVAlignment va = FVAlignment;
    GetAlignment(ACol, ARow, ha, va);
    int left = R.Left + 2;
    if (ha == taRightJustify) {
        left = R.Right - S - 2;
        const QString text = Cells(ACol, ARow);
        if (!text.isEmpty()) left -= QFontMetrics(Font()->ToQFont()).horizontalAdvance(text);
    } else if (ha == taCenter) {
        left = R.Left + (R.Right - R.Left - S) / 2;
    }
    return XPos >= left && XPos < left + S && YPos >= top && YPos < top + S;
}
