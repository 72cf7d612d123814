// Tree nodes: a node is a ctNode graphic in column 0 heading a span of rows.
// Every row has a node level (the spans that cover it) kept in the cell
// properties of its column 0; contracting a node hides the rows of its span
// through the grid's row hiding, expanding shows them again.
#include "grid/kv_string_grid.h"

#include <algorithm>
#include <limits>

#include "grid/cell_properties.h"

namespace {
TCellGraphic* NodeOf(TKvStringGrid* G, int ARow)
{
    if (ARow < 0 || !G->IsNode(ARow)) return nullptr;
    return G->GetCellGraphic(0, ARow);
}

// A row was put in before the hidden rows from real index From on: they move down.
void ShiftHiddenRowsFrom(TKvStringGrid* G, int From)
{
    TCollection* list = G->HiddenRowList();
    for (int i = 0; i < list->Count(); ++i)
        if (auto* item = static_cast<TGridItem*>(list->Items(i)); item->Idx >= From) ++item->Idx;
}

// The real index a row inserted at display row D takes: the hidden rows from it
// on lie behind the new row. Past the last displayed row nothing lies behind.
int RealIndexOfInsert(TKvStringGrid* G, int D)
{
    return D < G->RowCount() ? G->RealRowIndex(D) : std::numeric_limits<int>::max();
}

// The cell properties of column 0 that carry the row's level; made when missing.
void AddLevel(TKvStringGrid* G, int ARow, int Delta)
{
    if (ARow < 0 || ARow >= G->RowCount()) return;
    TCellProperties* p = G->CellProperties(0, ARow);
    p->SetNodeLevel(std::max(0, p->NodeLevel() + Delta));
}
} // namespace

// ============================================================ queries

bool TKvStringGrid::GetNodeState(int ARow)
{
    TCellGraphic* n = NodeOf(this, ARow);
    return n && n->CellBoolean();
}

void TKvStringGrid::SetNodeState(int ARow, bool Value)
{
    TCellGraphic* n = NodeOf(this, ARow);
    if (!n || n->CellBoolean() == Value) return;
    if (Value) ContractNode(RealRowIndex(ARow));
    else ExpandNode(RealRowIndex(ARow));
}

int TKvStringGrid::GetNodeLevel(int ARow)
{
    if (!NodeOf(this, ARow) || !HasCellProperties(0, ARow)) return -1;
    return GridObjects(0, ARow)->NodeLevel();
}

int TKvStringGrid::GetNodeSpan(int ARow)
{
    TCellGraphic* n = NodeOf(this, ARow);
    return n ? n->CellIndex() : -1;
}

void TKvStringGrid::SetNodeSpan(int ARow, int Span)
{
    if (TCellGraphic* n = NodeOf(this, ARow)) n->SetCellIndex(Span);
}

void TKvStringGrid::UpdateNodeSpan(int ARow, int Delta)
{
    if (TCellGraphic* n = NodeOf(this, ARow)) n->SetCellIndex(n->CellIndex() + Delta);
}

int TKvStringGrid::GetSubNodeCount(int ARow)
{
    TCellGraphic* n = NodeOf(this, ARow);
    return n ? n->CellErrFrom() : 0;
}

void TKvStringGrid::UpdateSubNodeCount(int ARow, int Delta)
{
    if (TCellGraphic* n = NodeOf(this, ARow)) n->SetCellErrFrom(n->CellErrFrom() + Delta);
}

int TKvStringGrid::GetNodeSpanType(int ARow)
{
    if (IsNode(ARow)) return 0;
    if (ARow >= RowCount() - FFixedFooters - 1 || !HasCellProperties(0, ARow + 1)) return 1;
    const int here = HasCellProperties(0, ARow) ? GridObjects(0, ARow)->NodeLevel() : 0;
    return GridObjects(0, ARow + 1)->NodeLevel() < here ? 1 : 2;
}

int TKvStringGrid::GetParentRow(int ARow)
{
    if (FNumNodes <= 0) return -1;
    int result = -1;
    int L = 0xFFFF;
    if (IsNode(ARow)) {
        L = GetNodeLevel(ARow);
        result = ARow;
    }
    int H = 0;
    for (int r = ARow; r >= TBaseGrid::FixedRows(); --r) {
        if (IsNode(r) && GetNodeLevel(r) < L) {
            const int span = GetNodeSpan(r);
            if (GetNodeState(r)) H += span - 1;
            if (ARow < r + span - H) return r;
        }
    }
    return result;
}

int TKvStringGrid::GetRowIndent(int ARow)
{
    if (FNumNodes <= 0 || ARow < 0 || !HasCellProperties(0, ARow)) return 0;
    return GridObjects(0, ARow)->NodeLevel() * FCellNode->NodeIndent();
}

// ============================================================ making and removing nodes

void TKvStringGrid::AddNode(int ARow, int Span)
{
    const int d = DisplRowIndex(ARow);
    TCellGraphic* n = CreateCellGraphic(0, d);
    n->SetCellType(ctNode);
    n->SetCellBoolean(false);
    n->SetCellIndex(Span);
    n->SetCellErrFrom(0);
    n->SetCellAngle(d);
    n->SetCellHAlign(haBeforeText);
    n->SetCellVAlign(vaCenter);
    for (int r = d; r < d + Span; ++r) AddLevel(this, r, 1);
    if (FNumNodes == 0) RepaintCol(0);
    ++FNumNodes;
    if (Col() == 0 && ColCount() > 1) SetCol(1);
}

void TKvStringGrid::MarkSummaryRow(int ARow)
{
    CreateCellGraphic(0, DisplRowIndex(ARow))->SetCellType(ctSummary);
}

namespace {
// The expand step alone: the node's flag and its hidden rows.
void ExpandStep(TKvStringGrid* G, int ARow);
} // namespace

void TKvStringGrid::RemoveNode(int ARow)
{
    const int d = DisplRowIndex(ARow);
    if (!IsNode(d)) return;
    ExpandStep(this, ARow);
    const int span = GetNodeSpan(d);
    for (int r = d; r < d + span; ++r) AddLevel(this, r, -1);
    RemoveCellGraphic(0, d);
    FNumNodes = std::max(0, FNumNodes - 1);
}

void TKvStringGrid::RemoveAllNodes()
{
    for (int r = 0; r < RowCount(); ++r) {
        if (!IsNode(r)) continue;
        ExpandNode(RealRowIndex(r));
        const int span = GetNodeSpan(r);
        for (int e = r; e < r + span; ++e) AddLevel(this, e, -1);
        RemoveCellGraphic(0, r);
        FNumNodes = std::max(0, FNumNodes - 1);
    }
    Invalidate();
}

// ============================================================ expanding and contracting

namespace {
// The row after the node's rows: its span, or the next node row for a span of 0 or less.
int SpanEnd(TKvStringGrid* G, int d)
{
    const int span = G->GetNodeSpan(d);
    if (span > 0) return d + span;
    int e = d + 1;
    while (e < G->RowCount() && !G->IsNode(e)) ++e;
    return e;
}

void ExpandStep(TKvStringGrid* G, int ARow)
{
    const int d = G->DisplRowIndex(ARow);
    TCellGraphic* n = G->IsNode(d) ? G->GetCellGraphic(0, d) : nullptr;
    if (!n || !n->CellBoolean()) return;
    n->SetCellBoolean(false);
    const int span = n->CellIndex();
    // A contracted node's rows are hidden, so in display rows the end of a
    // positive span is the next row; a zero span ends at the next node row.
    const int e = span > 0 ? d + 1 : SpanEnd(G, d);
    const int realEnd = e < G->RowCount() ? G->RealRowIndex(e) : G->AllRowCount();
    const int top = G->TopRow(), row = G->Row();
    const bool disjunct = G->MouseActions()->DisjunctRowSelect();
    G->MouseActions()->SetDisjunctRowSelectDirect(false);
    const bool rowSelect = G->Options().Contains(goRowSelect);
    if (rowSelect) G->SetOptions(G->Options() - TGridOptions(goRowSelect));
    G->LockRedraw();
    try {
        const int from = G->RealRowIndex(d) + 1;
        const int to = realEnd - 1;
        if (to >= from) G->UnHideRows(from, to);
        if (rowSelect) {
            G->SetOptions(G->Options() | goRowSelect);
            G->SetRow(std::min(row, G->RowCount() - 1));
            G->SetTopRow(std::min(top, G->RowCount() - 1));
        }
    } catch (...) {
        G->MouseActions()->SetDisjunctRowSelectDirect(disjunct);
        G->UnlockRedraw();
        throw;
    }
    G->MouseActions()->SetDisjunctRowSelectDirect(disjunct);
    G->UnlockRedraw();
    G->CalcFooter(-1);
}
} // namespace

void TKvStringGrid::ExpandNode(int ARow)
{
    if (FCellNode->ExpandOne()) {
        const int rc = RowCount();
        for (int r = TBaseGrid::FixedRows(); r < rc && r < RowCount(); ++r)
            if (IsNode(r) && !GetNodeState(r) && r != DisplRowIndex(ARow)) ContractNode(RealRowIndex(r));
    }
    ExpandStep(this, ARow);
}

void TKvStringGrid::ContractNode(int ARow)
{
    HideInplaceEdit();
    const int d = DisplRowIndex(ARow);
    TCellGraphic* n = IsNode(d) ? GetCellGraphic(0, d) : nullptr;
    if (!n || n->CellBoolean()) return;
    n->SetCellBoolean(true);
    int E = SpanEnd(this, d);
    const int First = d + 1;
    int r = First;
    while (r < E && r < RowCount()) {
        if (IsNode(r) && GetNodeState(r)) {
            // A nested node already closed: flag it open with its rows still
            // hidden, so opening the outer node later shows the whole subtree.
            GetCellGraphic(0, r)->SetCellBoolean(false);
            HideRows(RealRowIndex(First), RealRowIndex(r));
            E = E - GetNodeSpan(r) - (r - First);
            r = First;
            if (NumHiddenRows() == 0) break;   // nothing was hidden: stop rather than loop
        } else {
            ++r;
        }
    }
    if (r - 1 >= First) HideRows(RealRowIndex(First), RealRowIndex(r - 1));
    CalcFooter(-1);
}

void TKvStringGrid::ExpandAll()
{
    LockRedraw();
    const int all = AllRowCount();
    for (int r = TBaseGrid::FixedRows(); r < all && r < AllRowCount(); ++r) {
        if (r < RowCount() && IsNode(r)) {
            ExpandNode(RealRowIndex(r));
            GetCellGraphic(0, r)->SetCellBoolean(false);
        }
    }
    UnlockRedraw();
    CalcFooter(-1);
}

void TKvStringGrid::ContractAll()
{
    LockRedraw();
    try {
        ExpandAll();
        TIntList rows(0, 0);
        int r = TBaseGrid::FixedRows();
        while (r < RowCount()) {
            if (IsNode(r)) {
                GetCellGraphic(0, r)->SetCellBoolean(true);
                // A span of 0 or less reaches the next node row, as for one node;
                // the walk always moves on by at least one row.
                const int end = SpanEnd(this, r);
                for (int e = r + 1; e < end; ++e) rows.Add(e);
                r = std::max(end, r + 1);
            } else {
                ++r;
            }
        }
        if (rows.Count() > 0) HideRowList(&rows);
    } catch (...) {
        UnlockRedraw();
        throw;
    }
    UnlockRedraw();
    CalcFooter(-1);
}

// ============================================================ child rows

void TKvStringGrid::InsertChildRow(int ARow, int InsertAt)
{
    const int d = DisplRowIndex(ARow);
    const int P = GetParentRow(d);
    int level = 1;
    if (P >= 0) {
        UpdateNodeSpan(P, 1);
        UpdateSubNodeCount(P, 1);
        ExpandNode(RealRowIndex(P));
        level = GetNodeLevel(P);
    }
    int held = level;
    int S = P;
    while (held > 1 && S != -1 && S >= TBaseGrid::FixedRows()) {
        const int up = GetParentRow(S);
        if (up == S || up < 0) break;
        S = up;
        if (GetNodeLevel(S) < held) {
            held = GetNodeLevel(S);
            UpdateNodeSpan(S, 1);
            UpdateSubNodeCount(S, 1);
            ExpandNode(RealRowIndex(S));
        }
    }
    // The hidden rows behind the new row are those of nodes further down; a
    // contracted node between the parent and the new row keeps its rows.
    const bool moveNodeContent = IsNode(d) && InsertAt == 0;
    if (moveNodeContent) InsertAt = 1;
    const int behind = RealIndexOfInsert(this, d + InsertAt);
    InsertRows(d + InsertAt, 1);
    if (moveNodeContent) {
        // The node graphic stays on its row; the texts and the other cells' objects move down.
        for (int c = 0; c < AllColCount(); ++c) {
            SetCells(c, d + 1, Cells(c, d));
            SetCells(c, d, QString());
            if (c >= 1) {
                TCellProperties* p = GridObjects(c, d);
                SetGridObjects(c, d + 1, p);
                SetGridObjects(c, d, nullptr);
                if (p) p->SetOwnerRow(d + 1);
            }
        }
    }
    if (P >= 0) CellProperties(0, d + InsertAt)->SetNodeLevel(level);
    ShiftHiddenRowsFrom(this, behind);
}

void TKvStringGrid::RemoveChildRow(int ARow)
{
    const int d = DisplRowIndex(ARow);
    const int real = RealRowIndex(d);
    int P = GetParentRow(d);
    if (P >= 0) {
        const int L = GetNodeLevel(P);
        if (GetNodeSpan(P) > 1) {
            UpdateNodeSpan(P, -1);
            UpdateSubNodeCount(P, -1);
        }
        ExpandNode(RealRowIndex(P));
        while (GetNodeLevel(P) > 1) {
            const int up = GetParentRow(P);
            if (up == -1 || up == P || GetNodeLevel(up) >= L) break;
            P = up;
            if (GetNodeSpan(P) > 1) {
                UpdateNodeSpan(P, -1);
                UpdateSubNodeCount(P, -1);
            }
            ExpandNode(RealRowIndex(P));
        }
    }
    RemoveRowRange(d, 1);
    FMaxRowCount = std::max(0, FMaxRowCount - 1);
    // The controls of the rows below follow their rows up.
    if (FCellControls->Count() > 0) {
        for (int i = 0; i < FCellControls->Count(); ++i)
            if (TControlItem* item = FCellControls->Control(i); item->Y > real) --item->Y;
        CellControlsUpdate();
    }
}

void TKvStringGrid::InsertNormalRow(int ARow)
{
    const int d = DisplRowIndex(ARow);
    const int behind = RealIndexOfInsert(this, d);
    InsertRows(d, 1);
    ShiftHiddenRowsFrom(this, behind);
}

void TKvStringGrid::RemoveNormalRow(int ARow)
{
    RemoveRowRange(ARow, 1);
    FMaxRowCount = std::max(0, FMaxRowCount - 1);
}

// ============================================================ node button

bool TKvStringGrid::IsInNodeButton(int ARow, int X)
{
    if (!FMouseActions->PreciseNodeClick()) return true;
    const int L = GetNodeLevel(ARow);
    const int I = FCellNode->NodeIndent();
    int W = 0, O = 0;
    switch (FCellNode->NodeType()) {
    case cnFlat: W = 4; O = 4; break;
    case cn3D: W = 6; O = 0; break;
    case cnGlyph:
        if (!FCellNode->ExpandGlyph()->Empty()) {
            W = FCellNode->ExpandGlyph()->Width() / 2;
            O = 2;
        }
        break;
    case cnLeaf: W = 8; O = 2; break;
    case cnXP: W = 4; O = 4; break;
    }
    // A right-to-left grid shows the button mirrored: X is taken back to the unmirrored layout.
    X = LayoutX(X);
    return O + (L - 1) * I < X && X < W + L * I;
}
