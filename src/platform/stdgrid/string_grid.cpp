// TDrawGrid (owner-draw and edit events) and TStringGrid (a text and an
// object per cell, Cols/Rows string lists).
#include "platform/stdgrid/grids.h"

#include <algorithm>

// ============================================================ TDrawGrid

TDrawGrid::TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

void TDrawGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(int ACol, int ARow)
{
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

void TDrawGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

QString TDrawGrid::GetEditMask(int ACol, int ARow)
{
    QString v;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, v);
    return v;
}

QString TDrawGrid::GetEditText(int ACol, int ARow)
{
    QString v;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, v);
    return v;
}

void TDrawGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

void TDrawGrid::TopLeftChanged()
{
    TCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

// ============================================================ TStringGrid

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

// Objects are references only: the grid never owns them.
TStringGrid::~TStringGrid() = default;

QString TStringGrid::Cells(int ACol, int ARow) const
{
    return FData.Text(ACol, ARow);
}

void TStringGrid::SetCells(int ACol, int ARow, const QString& Value)
{
    if (ACol < 0 || ARow < 0) throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    FData.SetText(ACol, ARow, Value);
    InvalidateCell(ACol, ARow);
    if (EditorMode() && ACol == Col() && ARow == Row() && !FUpdating) InvalidateEditor();
}

TObject* TStringGrid::Objects(int ACol, int ARow) const
{
    return FData.Object(ACol, ARow);
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value)
{
    if (ACol < 0 || ARow < 0) throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    FData.SetObject(ACol, ARow, Value);
}

void TStringGrid::ExchangeCells(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (ACol1 < 0 || ARow1 < 0 || ACol2 < 0 || ARow2 < 0)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    FData.Swap(ACol1, ARow1, ACol2, ARow2);
    InvalidateCell(ACol1, ARow1);
    InvalidateCell(ACol2, ARow2);
    if (EditorMode() && !FUpdating &&
        ((ACol1 == Col() && ARow1 == Row()) || (ACol2 == Col() && ARow2 == Row())))
        InvalidateEditor();
}

TStrings* TStringGrid::Cols(int Index)
{
    auto& p = FColLists[Index];
    if (!p) p = std::make_unique<TStringGridStrings>(this, Index, true);
    return p.get();
}

void TStringGrid::SetCols(int Index, const TStrings* Value)
{
    Cols(Index)->Assign(Value);
}

TStrings* TStringGrid::Rows(int Index)
{
    auto& p = FRowLists[Index];
    if (!p) p = std::make_unique<TStringGridStrings>(this, Index, false);
    return p.get();
}

void TStringGrid::SetRows(int Index, const TStrings* Value)
{
    Rows(Index)->Assign(Value);
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (DefaultDrawing()) {
        TCanvas* cv = Canvas();
        cv->Font()->Assign(*Font());
        if (AState.Contains(gdSelected) && !AState.Contains(gdFixed) &&
            (!AState.Contains(gdFocused) || Options().Contains(goDrawFocusSelected) ||
             Options().Contains(goRowSelect)))
            cv->Font()->SetColor(clHighlightText);
        cv->Brush()->SetStyle(bsClear);
        cv->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
        cv->Brush()->SetStyle(bsSolid);
    }
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    FData.MoveColumn(FromIndex, ToIndex);
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
    InvalidateGrid();
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    FData.MoveRow(FromIndex, ToIndex);
    TDrawGrid::RowMoved(FromIndex, ToIndex);
    InvalidateGrid();
}

QString TStringGrid::GetEditText(int ACol, int ARow)
{
    QString v = Cells(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, v);
    return v;
}

void TStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    FUpdating = true;
    try {
        SetCells(ACol, ARow, Value);
    } catch (...) {
        FUpdating = false;
        throw;
    }
    FUpdating = false;
    TDrawGrid::SetEditText(ACol, ARow, Value);
}

// ============================================================ Cols / Rows

TStringGridStrings::TStringGridStrings(TStringGrid* AGrid, int AIndex, bool AIsColumn)
    : FGrid(AGrid), FIndex(AIndex), FIsColumn(AIsColumn)
{
}

int TStringGridStrings::Count() const
{
    return FIsColumn ? FGrid->RowCount() : FGrid->ColCount();
}

QString TStringGridStrings::Get(int Index) const
{
    return FIsColumn ? FGrid->Cells(FIndex, Index) : FGrid->Cells(Index, FIndex);
}

void TStringGridStrings::Put(int Index, const QString& S)
{
    if (FIsColumn) FGrid->SetCells(FIndex, Index, S);
    else FGrid->SetCells(Index, FIndex, S);
}

TObject* TStringGridStrings::GetObject(int Index) const
{
    return FIsColumn ? FGrid->Objects(FIndex, Index) : FGrid->Objects(Index, FIndex);
}

void TStringGridStrings::PutObject(int Index, TObject* AObject)
{
    if (FIsColumn) FGrid->SetObjects(FIndex, Index, AObject);
    else FGrid->SetObjects(Index, FIndex, AObject);
}

int TStringGridStrings::Add(const QString& S)
{
    for (int i = 0; i < Count(); ++i) {
        if (Get(i).isEmpty()) {
            Put(i, S);
            return i;
        }
    }
    return -1;
}

void TStringGridStrings::Insert(int, const QString&)
{
    throw EInvalidGridOperation(QStringLiteral("Grid strings cannot insert"));
}

void TStringGridStrings::Delete(int)
{
    throw EInvalidGridOperation(QStringLiteral("Grid strings cannot delete"));
}

void TStringGridStrings::Clear()
{
    for (int i = 0; i < Count(); ++i) {
        Put(i, QString());
        PutObject(i, nullptr);
    }
}

void TStringGridStrings::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TStrings*>(Source);
    if (!src) {
        TStrings::Assign(Source);
        return;
    }
    const int n = Count();
    for (int i = 0; i < n; ++i) {
        if (i < src->Count()) {
            Put(i, src->Get(i));
            PutObject(i, src->GetObject(i));
        } else {
            Put(i, QString());
            PutObject(i, nullptr);
        }
    }
}
