// The column grid: column items, their collection, and the grid that keeps
// them in step with its columns and answers the cell hooks from them.
#include "grid/column_grid.h"

#include "grid_input/edit_link.h"

#include <QSet>
#include <algorithm>

#include "grid/cell_properties.h"
#include "grid/grid_text.h"
#include "platform/core/component_stream.h"
#include "platform/core/inifiles.h"
#include "platform/core/sysutils.h"
#include "platform/ui/menus.h"

// ============================================================ TGridColumnItem

TGridColumnItem::TGridColumnItem(TCollection* ACollection) : TCollectionItem(ACollection)
{
    FBorderPen.SetColor(0xC0C0C0);
    FBorderPen.SetWidth(1);
    FPrintBorderPen.SetColor(clBlack);
    FPrintBorderPen.SetWidth(1);
    if (TKvColumnGrid* g = Grid()) {
        FColor = g->Color();
        FFont.Assign(*g->Font());
        FHeaderFont.Assign(*g->Font());
        FPrintFont.Assign(*g->Font());
    }
    // A change inside an owned pen or font is a change of the column.
    FBorderPen.OnChange = [this] { Changed(false); };
    FFont.OnChange = [this] { Changed(false); };
    FHeaderFont.OnChange = [this] { Changed(false); };
    FFilter.OnChange = [this](TObject*) { Repaint(); };
}

TGridColumnItem::~TGridColumnItem()
{
    FBorderPen.OnChange = nullptr;
    FFont.OnChange = nullptr;
    FHeaderFont.OnChange = nullptr;
    FFilter.OnChange = nullptr;
}

TKvColumnGrid* TGridColumnItem::Grid() const
{
    auto* c = dynamic_cast<TGridColumnCollection*>(Collection());
    return c ? c->Owner() : nullptr;
}

void TGridColumnItem::Repaint()
{
    if (TKvColumnGrid* g = Grid()) g->Invalidate();
}

void TGridColumnItem::CopyFrom(const TGridColumnItem& s, bool Visuals)
{
    FAutoMinSize = s.FAutoMinSize;
    FAutoMaxSize = s.FAutoMaxSize;
    FAlignment = s.FAlignment;
    FBorders = s.FBorders;
    FBorderPen.Assign(s.FBorderPen);
    FCheckFalse = s.FCheckFalse;
    FCheckTrue = s.FCheckTrue;
    FColumnPopup = s.FColumnPopup;
    FEditLength = s.FEditLength;
    FEditLink = s.FEditLink;
    FEditMask = s.FEditMask;
    FEditor = s.FEditor;
    FFilter.Assign(&s.FFilter);
    FFilterCaseSensitive = s.FFilterCaseSensitive;
    FFixed = s.FFixed;
    FFloatFormat = s.FFloatFormat;
    FHeaderAlignment = s.FHeaderAlignment;
    FMinSize = s.FMinSize;
    FMaxSize = s.FMaxSize;
    FPassword = s.FPassword;
    FPrintBorders = s.FPrintBorders;
    FPrintBorderPen.Assign(s.FPrintBorderPen);
    FPrintColor = s.FPrintColor;
    FPrintFont.Assign(s.FPrintFont);
    FReadOnly = s.FReadOnly;
    FShowBands = s.FShowBands;
    FSortStyle = s.FSortStyle;
    FSortPrefix = s.FSortPrefix;
    FSortSuffix = s.FSortSuffix;
    FSpinMax = s.FSpinMax;
    FSpinMin = s.FSpinMin;
    FSpinStep = s.FSpinStep;
    FWidth = s.Grid() ? s.Width() : s.FWidth;
    DefIdx = s.DefIdx;
    TKvColumnGrid* g = Grid();
    if (Visuals && g) {
        FColor = g->Color();
        FFont.Assign(*g->Font());
    } else {
        FColor = s.FColor;
        FFont.Assign(s.FFont);
    }
    if (!Visuals) {
        FHeader = s.FHeader;
        FName = s.FName;
        FComboItems.Assign(&s.FComboItems);
        FDropDownCount = s.FDropDownCount;
        FHeaderFont.Assign(s.FHeaderFont);
        FTag = s.FTag;
    }
}

void TGridColumnItem::Assign(const TPersistent* Source)
{
    if (auto* s = dynamic_cast<const TGridColumnItem*>(Source)) CopyFrom(*s, false);
}

void TGridColumnItem::AssignVisuals(const TPersistent* Source)
{
    if (auto* s = dynamic_cast<const TGridColumnItem*>(Source)) CopyFrom(*s, true);
}

QString TGridColumnItem::DisplayName() const
{
    if (!FName.isEmpty()) return QStringLiteral("Col %1: %2").arg(Index()).arg(FName);
    return QStringLiteral("Column %1").arg(Index());
}

void TGridColumnItem::SetEditor(TEditorType v)
{
    const bool repaint = v == edDataCheckBox || FEditor == edDataCheckBox;
    FEditor = v;
    if (repaint) Repaint();
}

void TGridColumnItem::SetHeader(const QString& v)
{
    FHeader = v;
    TKvColumnGrid* g = Grid();
    if (!g) return;
    if (g->FixedRows() > 0 && !g->FColMoving) {
        if (Index() < g->ColCount()) g->SetCells(Index(), 0, v);
        g->Columns()->RunUpdate(this);
    }
    TStringList* h = g->ColumnHeaders();
    h->BeginUpdate();
    h->Clear();
    for (int i = 0; i < g->Columns()->Count(); ++i) h->Add(g->Columns()->Items(i)->Header());
    h->EndUpdate();
}

int TGridColumnItem::Width() const
{
    TKvColumnGrid* g = Grid();
    if (!g) return 0;
    return Index() < g->ColCount() ? g->ColWidths(Index()) : FWidth;
}

void TGridColumnItem::SetWidth(int v)
{
    FWidth = v;
    TKvColumnGrid* g = Grid();
    if (g && Index() < g->ColCount()) g->SetColWidths(Index(), v);
}

QString TGridColumnItem::Rows(int r) const
{
    TKvColumnGrid* g = Grid();
    return g ? g->Cells(Index(), r) : QString();
}

void TGridColumnItem::SetRows(int r, const QString& v)
{
    if (TKvColumnGrid* g = Grid()) g->SetCells(Index(), r, v);
}

int TGridColumnItem::Ints(int r) const
{
    return Rows(r).trimmed().toInt();
}

double TGridColumnItem::Floats(int r) const
{
    QString s = Rows(r).trimmed();
    s.replace(GetDecimalSeparator(), QLatin1Char('.'));
    return s.toDouble();
}

// ============================================================ TGridColumnCollection

TGridColumnCollection::TGridColumnCollection(TKvColumnGrid* AOwner)
    : TCollection([](TCollection* c) { return new TGridColumnItem(c); }), FOwner(AOwner)
{
}

TGridColumnItem* TGridColumnCollection::Add()
{
    auto* item = static_cast<TGridColumnItem*>(TCollection::Add());
    if (Count() > 1) item->AssignVisuals(Items(Count() - 2));
    return item;
}

TGridColumnItem* TGridColumnCollection::Insert(int Index)
{
    return static_cast<TGridColumnItem*>(TCollection::Insert(Index));
}

void TGridColumnCollection::Update(TCollectionItem* Item)
{
    TCollection::Update(Item);
    if (UpdateCount() > 0 || FNoRecursiveUpdate || !FOwner || FOwner->IsLoading()) return;
    const int n = Count() - FOwner->NumHiddenColumns();
    if (n != FOwner->ColCount() && n > FOwner->FixedCols()) FOwner->TKvStringGrid::SetColCount(n);
    FOwner->SynchHeaders();
    FOwner->Invalidate();
}

void TGridColumnCollection::SetOrganization()
{
    FNoRecursiveUpdate = true;
    if (FOwner) FOwner->SynchColumns();
    FNoRecursiveUpdate = false;
    for (int i = 0; i < Count(); ++i) Items(i)->DefIdx = i;
}

void TGridColumnCollection::ResetOrganization()
{
    if (!FOwner) return;
    // Bounded: each pass places at least one column, so n passes are enough
    // for any set of distinct targets.
    for (int pass = 0; pass <= Count(); ++pass) {
        bool moved = false;
        for (int i = 0; i < Count(); ++i) {
            const int d = Items(i)->DefIdx;
            if (d >= 0 && d < i) {
                FOwner->MoveColumnItem(i, d);
                moved = true;
            }
        }
        if (!moved) break;
    }
}

// ============================================================ TKvColumnGridIO

TKvColumnGridIO::TKvColumnGridIO(TComponent* AOwner, TKvColumnGrid* AGrid)
    : TComponent(AOwner), FItems(std::make_unique<TGridColumnCollection>(AGrid))
{
    FItems->FNoRecursiveUpdate = true;
}

TKvColumnGridIO::~TKvColumnGridIO() = default;

// ============================================================ TKvColumnGrid

TKvColumnGrid::TKvColumnGrid(TComponent* AOwner) : TKvStringGrid(AOwner)
{
    FColumnCollection.reset(CreateColumns());
    FColumnCollection->FNoRecursiveUpdate = true;
    SynchColumns();
    FColumnCollection->FNoRecursiveUpdate = false;
    FColCellGraphic = std::make_unique<TCellGraphic>();
    FColCellGraphic->SetCellType(ctVirtCheckBox);
    FSaveCol = std::make_unique<TGridColumnItem>(nullptr);
}

TKvColumnGrid::~TKvColumnGrid()
{
    // The base grid's destruction asks the cell hooks; they must find no items.
    FComponentState |= csDestroying;
    FColumnCollection->FNoRecursiveUpdate = true;
    FColumnCollection.reset();
}

TGridColumnCollection* TKvColumnGrid::CreateColumns()
{
    return new TGridColumnCollection(this);
}

void TKvColumnGrid::SetColumns(const TGridColumnCollection* Value)
{
    FColumnCollection->Assign(Value);
}

void TKvColumnGrid::SetColCount(int Value)
{
    TKvStringGrid::SetColCount(Value);
    SynchColumns();
}

bool TKvColumnGrid::InRange(int ACol) const
{
    return FColumnCollection && ACol >= 0 && ACol < FColumnCollection->Count();
}

bool TKvColumnGrid::IsBodyCell(int ACol, int ARow) const
{
    return ACol >= TBaseGrid::FixedCols() && ACol < AllColCount() - FixedRightCols() &&
           ARow >= TBaseGrid::FixedRows() && ARow < RowCount() - FixedFooters();
}

void TKvColumnGrid::SynchColumns()
{
    if (!FColumnCollection) return;
    const bool old = FColumnCollection->FNoRecursiveUpdate;
    FColumnCollection->FNoRecursiveUpdate = true;
    const int n = AllColCount();
    while (FColumnCollection->Count() < n) FColumnCollection->Add();
    while (FColumnCollection->Count() > n) FColumnCollection->Delete(FColumnCollection->Count() - 1);
    FColumnCollection->FNoRecursiveUpdate = old;
}

void TKvColumnGrid::SynchHeaders()
{
    if (FixedRows() <= 0) return;
    TStringList* h = ColumnHeaders();
    h->BeginUpdate();
    h->Clear();
    for (int i = 0; i < FColumnCollection->Count(); ++i) {
        TGridColumnItem* item = FColumnCollection->Items(i);
        if (item->Header().isEmpty() && i < ColCount() && !Cells(i, 0).isEmpty()) item->StoreHeader(Cells(i, 0));
        h->Add(item->Header());
    }
    h->EndUpdate();
}

void TKvColumnGrid::SyncColumnHeaders()
{
    TStringList* h = ColumnHeaders();
    for (int i = 0; i < FColumnCollection->Count() && i < h->Count(); ++i)
        FColumnCollection->Items(i)->StoreHeader(h->Strings(i));
}

TGridColumnItem* TKvColumnGrid::GetColumnByName(const QString& AName) const
{
    for (int i = 0; i < FColumnCollection->Count(); ++i)
        if (FColumnCollection->Items(i)->Name() == AName) return FColumnCollection->Items(i);
    return nullptr;
}

QString TKvColumnGrid::GetVersionString() const
{
    const unsigned v = unsigned(GetVersionNr());
    return QStringLiteral("%1.%2.%3.%4 Aug, 2012").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

void TKvColumnGrid::Loaded()
{
    TKvStringGrid::Loaded();
    SynchColumns();
    FColumnCollection->SetOrganization();
}

void TKvColumnGrid::CellsLoaded()
{
    TKvStringGrid::CellsLoaded();
    SynchColumns();
}

void TKvColumnGrid::InsertCols(int ColIndex, int CCount)
{
    FStructureChange = true;
    TKvStringGrid::InsertCols(ColIndex, CCount);
    FStructureChange = false;
    FColumnCollection->FNoRecursiveUpdate = true;
    for (int i = 0; i < CCount; ++i) FColumnCollection->Insert(std::clamp(ColIndex, 0, FColumnCollection->Count()));
    SynchColumns();
    FColumnCollection->FNoRecursiveUpdate = false;
}

void TKvColumnGrid::RemoveCols(int ColIndex, int CCount)
{
    FStructureChange = true;
    TKvStringGrid::RemoveCols(ColIndex, CCount);
    FStructureChange = false;
    FColumnCollection->FNoRecursiveUpdate = true;
    for (int i = 0; i < CCount && ColIndex >= 0 && ColIndex < FColumnCollection->Count(); ++i)
        FColumnCollection->Delete(ColIndex);
    SynchColumns();
    FColumnCollection->FNoRecursiveUpdate = false;
}

void TKvColumnGrid::Group(int ColIndex)
{
    if (InRange(ColIndex)) FSaveCol->Assign(FColumnCollection->Items(ColIndex));
    TKvStringGrid::Group(ColIndex);
}

void TKvColumnGrid::UnGroup()
{
    const int g = GroupColumn();
    TKvStringGrid::UnGroup();
    if (g != -1 && InRange(g)) FColumnCollection->Items(g)->Assign(FSaveCol.get());
}

void TKvColumnGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (FStructureChange) {
        TKvStringGrid::ColumnMoved(FromIndex, ToIndex);
        return;
    }
    FColumnCollection->FNoRecursiveUpdate = true;
    const int top = TopRow();
    const int f = RealColIndex(FromIndex), t = RealColIndex(ToIndex);
    TKvStringGrid::ColumnMoved(FromIndex, ToIndex);
    if (InRange(f) && InRange(t)) {
        FColumnCollection->BeginUpdate();
        FColMoving = true;
        // A fresh item at the target takes the moved item's properties; the
        // popup type and the two print switches return to their defaults.
        auto* copy = static_cast<TGridColumnItem*>(FColumnCollection->TCollection::Add());
        copy->Assign(FColumnCollection->Items(f));
        FColumnCollection->Delete(f);
        TGridColumnItem* n = FColumnCollection->Insert(t);
        n->Assign(copy);
        FColumnCollection->Delete(copy->Index());
        FColMoving = false;
        FColumnCollection->EndUpdate();
    }
    SetTopRow(std::min(top, std::max(TBaseGrid::FixedRows(), RowCount() - 1)));
    FColumnCollection->FNoRecursiveUpdate = false;
    if (OnAfterColumnMoved) OnAfterColumnMoved(this, f, t);
}

void TKvColumnGrid::ColWidthsChanged()
{
    TKvStringGrid::ColWidthsChanged();
    if (IsLoading() || IsDestroying() || !FColumnCollection) return;
    for (int c = 0; c < ColCount(); ++c) {
        const int rc = RealColIndex(c);
        if (InRange(rc)) FColumnCollection->Items(rc)->StoreWidth(ColWidths(c));
    }
}

int TKvColumnGrid::ClampColumnSize(int ACol, int Width) const
{
    if (!InRange(ACol)) return Width;
    TGridColumnItem* item = FColumnCollection->Items(ACol);
    if (item->MinSize() > 0 && Width < item->MinSize()) Width = item->MinSize();
    if (item->MaxSize() > 0 && Width > item->MaxSize()) Width = item->MaxSize();
    return Width;
}

int TKvColumnGrid::ClampAutoColumnSize(int ACol, int Width) const
{
    if (!InRange(ACol)) return Width;
    TGridColumnItem* item = FColumnCollection->Items(ACol);
    if (item->AutoMinSize() > 0 && Width < item->AutoMinSize()) Width = item->AutoMinSize();
    if (item->AutoMaxSize() > 0 && Width > item->AutoMaxSize()) Width = item->AutoMaxSize();
    return Width;
}

void TKvColumnGrid::UpdateColumnSize(int ACol, int& AWidth)
{
    // A width sized with the mouse stays inside the column item's limits.
    AWidth = ClampColumnSize(RealColIndex(ACol), AWidth);
    TKvStringGrid::UpdateColumnSize(ACol, AWidth);
}

void TKvColumnGrid::UpdateAutoColumnSize(int ACol, int& AWidth)
{
    AWidth = ClampAutoColumnSize(RealColIndex(ACol), AWidth);
    TKvStringGrid::UpdateAutoColumnSize(ACol, AWidth);
}

void TKvColumnGrid::ChangeScale(int M, int D)
{
    TKvStringGrid::ChangeScale(M, D);
    if (M == D || D == 0 || !IsRunTime()) return;
    for (int i = 0; i < ColCount() && i < FColumnCollection->Count(); ++i) {
        TGridColumnItem* item = FColumnCollection->Items(i);
        item->Font()->SetSize(MulDiv(item->Font()->Size(), M, D));
        item->HeaderFont()->SetSize(MulDiv(item->HeaderFont()->Size(), M, D));
    }
}

void TKvColumnGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TKvStringGrid::Notification(AComponent, Operation);
    if (Operation != opRemove || !FColumnCollection) return;
    for (int i = 0; i < FColumnCollection->Count(); ++i) {
        TGridColumnItem* item = FColumnCollection->Items(i);
        if (item->EditLink() == AComponent) item->SetEditLink(nullptr);
        if (AComponent && item->ColumnPopup() == AComponent) item->SetColumnPopup(nullptr);
    }
}

// ============================================================ cell hooks

bool TKvColumnGrid::BandedColumn(TGridColumnItem* Item)
{
    return Item->ShowBands() && Bands()->Active();
}

void TKvColumnGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (InRange(ACol) && ACol >= TBaseGrid::FixedCols() && ACol < AllColCount() - FixedRightCols() &&
        ARow < RowCount() - FixedFooters()) {
        TGridColumnItem* item = FColumnCollection->Items(ACol);
        if (item->Fixed()) ABrush->SetColor(FixedColor());
        else if (ARow >= TBaseGrid::FixedRows() && !BandedColumn(item)) ABrush->SetColor(item->Color());
        AFont->Assign(ARow < TBaseGrid::FixedRows() ? *item->HeaderFont() : *item->Font());
        if (HasCellProperties(ACol, ARow)) {
            TCellProperties* p = GridObjects(ACol, ARow);
            if (p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
            if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
        }
    }
    TKvStringGrid::GetCellColor(ACol, ARow, AState, ABrush, AFont);
}

void TKvColumnGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (InRange(ACol)) {
        TGridColumnItem* item = FColumnCollection->Items(ACol);
        const bool fixedArea = ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows() ||
                               ACol >= AllColCount() - FixedRightCols() || ARow >= RowCount() - FixedFooters();
        if (fixedArea) {
            AFont->Assign(*PrintSettings()->FixedFont());
        } else {
            if (item->Fixed()) ABrush->SetColor(FixedColor());
            else if (!(item->ShowBands() && Bands()->Active() && Bands()->Print())) ABrush->SetColor(item->PrintColor());
            TCellProperties* p = HasCellProperties(ACol, ARow) ? GridObjects(ACol, ARow) : nullptr;
            if (p && p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
            if (item->PrintFontCustom()) {
                AFont->Assign(*item->PrintFont());
                if (p) {
                    if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
                    if (!p->FontStyle().Empty()) AFont->SetStyle(p->FontStyle());
                    if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
                    if (!p->FontName().isEmpty()) AFont->SetName(p->FontName());
                }
            } else {
                AFont->Assign(*PrintSettings()->Font());
            }
        }
    }
    TKvStringGrid::GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
}

void TKvColumnGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (InRange(ACol) && ACol >= TBaseGrid::FixedCols() && ARow >= TBaseGrid::FixedRows()) {
        TGridColumnItem* item = FColumnCollection->Items(ACol);
        Borders = item->Borders();
        APen->Assign(*item->BorderPen());
    }
    TKvStringGrid::GetCellBorder(ACol, ARow, APen, Borders);
}

void TKvColumnGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (InRange(ACol) && ACol >= TBaseGrid::FixedCols() && ARow >= TBaseGrid::FixedRows() &&
        FColumnCollection->Items(ACol)->PrintBorderCustom()) {
        TGridColumnItem* item = FColumnCollection->Items(ACol);
        Borders = item->PrintBorders();
        APen->Assign(*item->PrintBorderPen());
    }
    TKvStringGrid::GetCellPrintBorder(ACol, ARow, APen, Borders);
}

void TKvColumnGrid::GetAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (InRange(ACol)) {
        TGridColumnItem* item = FColumnCollection->Items(ACol);
        HAlign = ARow < TBaseGrid::FixedRows() ? item->HeaderAlignment() : item->Alignment();
        if (HasCellProperties(ACol, ARow)) HAlign = GridObjects(ACol, ARow)->Alignment();
    }
    TKvStringGrid::GetAlignment(ACol, ARow, HAlign, VAlign);
}

void TKvColumnGrid::GetFormat(int ACol, TSortStyle& AStyle, QString& Prefix, QString& Suffix)
{
    if (InRange(ACol)) {
        TGridColumnItem* item = FColumnCollection->Items(ACol);
        AStyle = item->SortStyle();
        Prefix = item->SortPrefix();
        Suffix = item->SortSuffix();
    }
    TKvStringGrid::GetFormat(ACol, AStyle, Prefix, Suffix);
}

void TKvColumnGrid::GetDefaultCellProperties(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                             TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA,
                                             TVAlignment& VA, bool& WW, TCellGradientDirection& GD)
{
    if (!InRange(ACol)) {
        TKvStringGrid::GetDefaultCellProperties(ACol, ARow, AFont, ABrush, AColorTo, AMirrorColor, AMirrorColorTo,
                                                HA, VA, WW, GD);
        return;
    }
    TGridColumnItem* item = FColumnCollection->Items(ACol);
    AFont->Assign(*item->Font());
    ABrush->SetColor(item->Color());
    AColorTo = clNone;
    HA = ARow < TBaseGrid::FixedRows() ? item->HeaderAlignment() : item->Alignment();
    VA = VAlignment();
    WW = WordWrap();
    GD = TCellGradientDirection(0);
    if (IsFixed(ACol, ARow) || (item->ShowBands() && Bands()->Active())) {
        ABrush->SetColor(clNone);
        AColorTo = clNone;
    }
}

void TKvColumnGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor)
{
    if (InRange(ACol)) {
        TGridColumnItem* item = FColumnCollection->Items(ACol);
        if (ACol >= TBaseGrid::FixedCols() && ARow >= TBaseGrid::FixedRows()) {
            AEditor = item->Editor();
            ClearComboString();
            for (int i = 0; i < item->ComboItems()->Count(); ++i) AddComboString(item->ComboItems()->Strings(i));
            FSpinMin = item->SpinMin();
            FSpinMax = item->SpinMax();
            FSpinStep = item->SpinStep();
            FEditLinkUsed = item->EditLink();
            FDropDownCount = item->DropDownCount();
        }
        if (!item->FloatFormat().isEmpty()) SetFloatFormat(item->FloatFormat());
    }
    TKvStringGrid::GetCellEditor(ACol, ARow, AEditor);
    // A column's own link takes the place of the grid's.
    if (InRange(ACol) && ACol >= TBaseGrid::FixedCols() && ARow >= TBaseGrid::FixedRows())
        if (auto* link = dynamic_cast<TEditLink*>(FColumnCollection->Items(ACol)->EditLink())) SetCurrentEditLink(link);
}

bool TKvColumnGrid::HasComboBox(int ACol, int ARow)
{
    bool res = false;
    if (InRange(ACol) && ACol >= TBaseGrid::FixedCols() && ARow >= TBaseGrid::FixedRows()) {
        const TEditorType e = FColumnCollection->Items(ACol)->Editor();
        res = e == edComboEdit || e == edComboList;
        if (OnHasComboBox) OnHasComboBox(this, ACol, ARow, res);
    }
    return res;
}

void TKvColumnGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed)
{
    const int c = RealColIndex(ACol);
    if (InRange(c) && c >= TBaseGrid::FixedCols() && ARow >= TBaseGrid::FixedRows())
        IsFixed = FColumnCollection->Items(c)->Fixed();
    TKvStringGrid::IsFixedCell(ACol, ARow, IsFixed);
}

void TKvColumnGrid::CanEdit(int ACol, int ARow, bool& CanEdit)
{
    CanEdit = false;
    if (!IsLoading() && InRange(ACol) && ACol >= TBaseGrid::FixedCols() && ARow >= TBaseGrid::FixedRows()) {
        TGridColumnItem* item = FColumnCollection->Items(ACol);
        CanEdit = !(item->ReadOnly() || item->Fixed());
        if (CanEdit && HasCellProperties(ACol, ARow)) CanEdit = !GridObjects(ACol, ARow)->ReadOnly();
        const TPoint b = BaseCell(ACol, ARow);
        if (OnCanEditCell) OnCanEditCell(this, b.Y, b.X, CanEdit);
    }
}

void TKvColumnGrid::IsPasswordCell(int ACol, int ARow, bool& IsPassword)
{
    if (InRange(ACol)) IsPassword = FColumnCollection->Items(ACol)->Password();
    TKvStringGrid::IsPasswordCell(ACol, ARow, IsPassword);
}

void TKvColumnGrid::GetCheckTrue(int ACol, int ARow, QString& Value)
{
    TKvStringGrid::GetCheckTrue(ACol, ARow, Value);
    if (InRange(ACol) && IsBodyCell(ACol, ARow)) Value = FColumnCollection->Items(ACol)->CheckTrue();
}

void TKvColumnGrid::GetCheckFalse(int ACol, int ARow, QString& Value)
{
    TKvStringGrid::GetCheckFalse(ACol, ARow, Value);
    if (InRange(ACol) && IsBodyCell(ACol, ARow)) Value = FColumnCollection->Items(ACol)->CheckFalse();
}

TCellType TKvColumnGrid::GetCellType(int ACol, int ARow)
{
    TCellType t = TKvStringGrid::GetCellType(ACol, ARow);
    if (!IsDestroying() && t == ctEmpty && InRange(ACol) && IsBodyCell(ACol, ARow) &&
        FColumnCollection->Items(ACol)->Editor() == edDataCheckBox)
        t = ctDataCheckBox;
    return t;
}

TCellGraphic* TKvColumnGrid::GetCellGraphic(int ACol, int ARow)
{
    TCellGraphic* g = TKvStringGrid::GetCellGraphic(ACol, ARow);
    if (!g && !IsDestroying() && FColCellGraphic && InRange(ACol) && IsBodyCell(ACol, ARow) &&
        FColumnCollection->Items(ACol)->Editor() == edDataCheckBox) {
        g = FColCellGraphic.get();
        g->SetCellType(ctVirtCheckBox);
        g->SetCellTransparent(ControlLook()->ControlStyle() == csFlat);
    }
    return g;
}

QString TKvColumnGrid::GetCellFloatFormat(int ACol, int ARow)
{
    if (InRange(ACol) && !FColumnCollection->Items(ACol)->FloatFormat().isEmpty())
        return FColumnCollection->Items(ACol)->FloatFormat();
    return TKvStringGrid::GetCellFloatFormat(ACol, ARow);
}

QString TKvColumnGrid::GetFormattedCell(int ACol, int ARow)
{
    if (!InRange(ACol)) return TKvStringGrid::GetFormattedCell(ACol, ARow);
    QString fmt = FColumnCollection->Items(ACol)->FloatFormat();
    const QString text = Cells(ACol, ARow);
    const int kind = ClassifyNumberText(text);
    bool isFloat = kind == nkInteger || kind == nkDecimal;
    if (OnGetFloatFormat) OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
    if (fmt.isEmpty() || !isFloat) return text;
    QString s = text.trimmed();
    s.replace(GetDecimalSeparator(), QLatin1Char('.'));
    QString out;
    if (!FormatFloatText(fmt, s.toDouble(), out)) return text;
    out.replace(QLatin1Char('.'), GetDecimalSeparator());
    return out;
}

int TKvColumnGrid::GetEditLimit()
{
    if (Col() < FColumnCollection->Count() && Col() >= TBaseGrid::FixedCols()) {
        const int rc = RealColIndex(Col());
        if (InRange(rc)) return FColumnCollection->Items(rc)->EditLength();
    }
    return TKvStringGrid::GetEditLimit();
}

QString TKvColumnGrid::GetEditMask(int ACol, int ARow)
{
    QString m = TKvStringGrid::GetEditMask(ACol, ARow);
    if (m.isEmpty() && ACol < FColumnCollection->Count() && ACol >= TBaseGrid::FixedCols()) {
        const int rc = RealColIndex(ACol);
        if (InRange(rc)) m = FColumnCollection->Items(rc)->EditMask();
    }
    return m;
}

// ============================================================ filter drop-down

bool TKvColumnGrid::GetFilterList(int Column)
{
    FilterList()->SetSorted(false);
    TKvStringGrid::GetFilterList(Column);
    if (InRange(Column) && FColumnCollection->Items(Column)->Filter()->Count() > 0) {
        TStringList* f = FColumnCollection->Items(Column)->Filter();
        FilterList()->Clear();
        for (int i = 0; i < f->Count(); ++i) {
            const QString e = f->Strings(i);
            const int p = e.indexOf(QLatin1Char('='));
            FilterList()->Add(p < 0 ? e : e.left(p));
        }
        return true;
    }
    return false;
}

void TKvColumnGrid::FilterDropDownSelect(TObject* Sender, int ItemIndex)
{
    (void)Sender;
    const int fc = FFilterColumn;
    if (InRange(fc) && ItemIndex >= 0 && ItemIndex < FColumnCollection->Items(fc)->Filter()->Count()) {
        TGridColumnItem* item = FColumnCollection->Items(fc);
        const QString e = item->Filter()->Strings(ItemIndex);
        const int p = e.indexOf(QLatin1Char('='));
        const QString friendly = p < 0 ? e : e.left(p);
        QString cond = p < 0 ? e : e.mid(p + 1);
        if (FAutoFilterDisplay) item->SetHeader(friendly);
        if (AutoFilterUpdate()) SetFilterActive(false);
        if (OnFilterSelect) OnFilterSelect(this, fc, ItemIndex, friendly, cond);
        TFilterData* fd = Filter()->GetColFilter(fc);
        fd->Condition = cond;
        fd->CaseSensitive = item->FilterCaseSensitive();
        if (AutoFilterUpdate()) {
            SetFilterActive(true);
            if (!(RowCount() == TBaseGrid::FixedRows() || (RowCount() == 1 && FixedRowAlways())))
                SetRow(TBaseGrid::FixedRows());
            FilterDone();
        }
    }
    FFilterColumn = -1;
}

// ============================================================ column pop-up menus

void TKvColumnGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TKvStringGrid::MouseDown(Button, Shift, X, Y);
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0 || !InRange(c)) return;
    TGridColumnItem* item = FColumnCollection->Items(c);
    if (!item->ColumnPopup()) return;
    const TColumnPopupType t = item->ColumnPopupType();
    bool fixedMenu = false, normalMenu = false;
    if (Button == mbLeft && (t == cpFixedCellsLClick || t == cpNormalCellsLClick || t == cpAllCellsLClick)) {
        fixedMenu = t == cpFixedCellsLClick || t == cpAllCellsLClick;
        normalMenu = t == cpNormalCellsLClick || t == cpAllCellsLClick;
    } else if (Button == mbRight &&
               (t == cpFixedCellsRClick || t == cpNormalCellsRClick || t == cpAllCellsRClick)) {
        fixedMenu = t == cpFixedCellsRClick || t == cpAllCellsRClick;
        normalMenu = t == cpNormalCellsRClick || t == cpAllCellsRClick;
    } else {
        return;
    }
    if (OnColumnPopup) OnColumnPopup(this, c, r, item->ColumnPopup());
    const bool show = r < TBaseGrid::FixedRows() ? fixedMenu : normalMenu;
    if (!show || !item->ColumnPopup()) return;
    const TRect rc = CellRect(c, r);
    const TPoint pt = ClientToScreen(TPoint(rc.Left, rc.Bottom));
    if (PopupShower) PopupShower(item->ColumnPopup(), pt.X, pt.Y);
    else item->ColumnPopup()->Popup(pt.X, pt.Y);
}

// ============================================================ column positions

void TKvColumnGrid::SaveColPositions()
{
    if (ColumnSize()->Location() == clIniFile) SaveColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
    else TKvStringGrid::SaveColPositions();
}

void TKvColumnGrid::LoadColPositions()
{
    if (ColumnSize()->Location() == clIniFile) LoadColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
    else TKvStringGrid::LoadColPositions();
}

void TKvColumnGrid::SaveColumnPositions(const QString& Key, const QString& Section)
{
    TIniFile ini(Key);
    for (int i = 0; i < FColumnCollection->Count(); ++i)
        ini.WriteInteger(Section, QStringLiteral("CP%1").arg(i), FColumnCollection->Items(i)->DefIdx);
}

void TKvColumnGrid::LoadColumnPositions(const QString& Key, const QString& Section)
{
    TIniFile ini(Key);
    const int n = FColumnCollection->Count();
    std::vector<int> cp(n);
    std::vector<bool> seen(n, false);
    for (int i = 0; i < n; ++i) {
        cp[i] = ini.ReadInteger(Section, QStringLiteral("CP%1").arg(i), -1);
        // Only a permutation of the positions is applied: a value out of
        // range or repeated would index past the items or make the reordering
        // move two columns back and forth for ever.
        if (cp[i] < 0 || cp[i] >= n || seen[cp[i]]) return;
        seen[cp[i]] = true;
    }
    ResetColumnOrder();
    for (int j = 0; j < n; ++j) FColumnCollection->Items(cp[j])->DefIdx = j;
    FColumnCollection->ResetOrganization();
    for (int i = 0; i < n; ++i) FColumnCollection->Items(i)->DefIdx = cp[i];
}

// ============================================================ column streams

namespace {
QStringList ListOf(const TStrings* s)
{
    QStringList l;
    for (int i = 0; i < s->Count(); ++i) l << s->Strings(i);
    return l;
}

void WriteFont(TComponentWriter& w, const QString& Name, const TFont& f)
{
    w.WriteString(Name + QStringLiteral(".Name"), f.Name());
    w.WriteInteger(Name + QStringLiteral(".Height"), f.Height());
    w.WriteInteger(Name + QStringLiteral(".Color"), qint64(f.Color()));
    w.WriteInteger(Name + QStringLiteral(".Style"), f.Style().Bits());
    w.WriteInteger(Name + QStringLiteral(".Charset"), f.Charset());
}

void ReadFont(const TComponentRecord& r, const QString& Name, TFont& f)
{
    if (auto* v = r.Find(Name + QStringLiteral(".Name"))) f.SetName(v->AsString(Name));
    if (auto* v = r.Find(Name + QStringLiteral(".Height"))) f.SetHeight(int(v->AsInteger(Name)));
    if (auto* v = r.Find(Name + QStringLiteral(".Color"))) f.SetColor(TColor(v->AsInteger(Name)));
    if (auto* v = r.Find(Name + QStringLiteral(".Style")))
        f.SetStyle(TFontStyles::FromBits(unsigned(v->AsInteger(Name)) & 15u));
    if (auto* v = r.Find(Name + QStringLiteral(".Charset"))) f.SetCharset(uint8_t(v->AsInteger(Name)));
}

void WritePen(TComponentWriter& w, const QString& Name, const TPen& p)
{
    w.WriteInteger(Name + QStringLiteral(".Color"), qint64(p.Color()));
    w.WriteInteger(Name + QStringLiteral(".Width"), p.Width());
}

void ReadPen(const TComponentRecord& r, const QString& Name, TPen& p)
{
    if (auto* v = r.Find(Name + QStringLiteral(".Color"))) p.SetColor(TColor(v->AsInteger(Name)));
    if (auto* v = r.Find(Name + QStringLiteral(".Width"))) p.SetWidth(int(v->AsInteger(Name)));
}

void WriteItem(TComponentWriter& w, TGridColumnItem* c)
{
    w.BeginRecord(QStringLiteral("TGridColumnItem"));
    w.WriteInteger(QStringLiteral("AutoMinSize"), c->AutoMinSize());
    w.WriteInteger(QStringLiteral("AutoMaxSize"), c->AutoMaxSize());
    w.WriteInteger(QStringLiteral("Alignment"), c->Alignment());
    w.WriteInteger(QStringLiteral("Borders"), c->Borders().Bits());
    WritePen(w, QStringLiteral("BorderPen"), *c->BorderPen());
    w.WriteString(QStringLiteral("CheckFalse"), c->CheckFalse());
    w.WriteString(QStringLiteral("CheckTrue"), c->CheckTrue());
    w.WriteInteger(QStringLiteral("Color"), qint64(c->Color()));
    w.WriteInteger(QStringLiteral("ColumnPopupType"), c->ColumnPopupType());
    w.WriteStringList(QStringLiteral("ComboItems"), ListOf(c->ComboItems()));
    w.WriteInteger(QStringLiteral("DropDownCount"), c->DropDownCount());
    w.WriteInteger(QStringLiteral("EditLength"), c->EditLength());
    w.WriteString(QStringLiteral("EditMask"), c->EditMask());
    w.WriteInteger(QStringLiteral("Editor"), c->Editor());
    w.WriteStringList(QStringLiteral("Filter"), ListOf(c->Filter()));
    w.WriteBoolean(QStringLiteral("FilterCaseSensitive"), c->FilterCaseSensitive());
    w.WriteBoolean(QStringLiteral("Fixed"), c->Fixed());
    w.WriteString(QStringLiteral("FloatFormat"), c->FloatFormat());
    WriteFont(w, QStringLiteral("Font"), *c->Font());
    w.WriteString(QStringLiteral("Header"), c->Header());
    w.WriteInteger(QStringLiteral("HeaderAlignment"), c->HeaderAlignment());
    WriteFont(w, QStringLiteral("HeaderFont"), *c->HeaderFont());
    w.WriteInteger(QStringLiteral("MinSize"), c->MinSize());
    w.WriteInteger(QStringLiteral("MaxSize"), c->MaxSize());
    w.WriteString(QStringLiteral("Name"), c->Name());
    w.WriteBoolean(QStringLiteral("Password"), c->Password());
    w.WriteBoolean(QStringLiteral("PrintBorderCustom"), c->PrintBorderCustom());
    w.WriteInteger(QStringLiteral("PrintBorders"), c->PrintBorders().Bits());
    WritePen(w, QStringLiteral("PrintBorderPen"), *c->PrintBorderPen());
    w.WriteInteger(QStringLiteral("PrintColor"), qint64(c->PrintColor()));
    w.WriteBoolean(QStringLiteral("PrintFontCustom"), c->PrintFontCustom());
    WriteFont(w, QStringLiteral("PrintFont"), *c->PrintFont());
    w.WriteBoolean(QStringLiteral("ReadOnly"), c->ReadOnly());
    w.WriteBoolean(QStringLiteral("ShowBands"), c->ShowBands());
    w.WriteInteger(QStringLiteral("SortStyle"), c->SortStyle());
    w.WriteString(QStringLiteral("SortPrefix"), c->SortPrefix());
    w.WriteString(QStringLiteral("SortSuffix"), c->SortSuffix());
    w.WriteInteger(QStringLiteral("SpinMax"), c->SpinMax());
    w.WriteInteger(QStringLiteral("SpinMin"), c->SpinMin());
    w.WriteInteger(QStringLiteral("SpinStep"), c->SpinStep());
    w.WriteInteger(QStringLiteral("Tag"), c->Tag());
    w.WriteInteger(QStringLiteral("Width"), c->Width() ? c->Width() : 50);
    w.WriteInteger(QStringLiteral("DefIdx"), c->DefIdx);
    w.EndRecord();
}

template <typename E>
E EnumIn(const TComponentValue* v, const char* Name, int Last, E Default)
{
    if (!v) return Default;
    const int64_t i = v->AsInteger(QString::fromLatin1(Name));
    return i >= 0 && i <= Last ? E(i) : Default;
}

void ReadItem(const TComponentRecord& r, TGridColumnItem* c)
{
    auto I = [&r](const char* n, int d) {
        const TComponentValue* v = r.Find(QString::fromLatin1(n));
        return v ? int(v->AsInteger(QString::fromLatin1(n))) : d;
    };
    auto S = [&r](const char* n, const QString& d) {
        const TComponentValue* v = r.Find(QString::fromLatin1(n));
        return v ? v->AsString(QString::fromLatin1(n)) : d;
    };
    auto B = [&r](const char* n, bool d) {
        const TComponentValue* v = r.Find(QString::fromLatin1(n));
        return v ? v->AsBoolean(QString::fromLatin1(n)) : d;
    };
    auto L = [&r](const char* n, TStringList* l) {
        if (const TComponentValue* v = r.Find(QString::fromLatin1(n))) l->Assign(v->AsStrings(QString::fromLatin1(n)));
    };
    c->SetAutoMinSize(I("AutoMinSize", 0));
    c->SetAutoMaxSize(I("AutoMaxSize", 0));
    c->SetAlignment(EnumIn(r.Find(QStringLiteral("Alignment")), "Alignment", taCenter, taLeftJustify));
    c->SetBorders(TCellBorders::FromBits(unsigned(I("Borders", 0)) & 15u));
    ReadPen(r, QStringLiteral("BorderPen"), *c->BorderPen());
    c->SetCheckFalse(S("CheckFalse", QStringLiteral("N")));
    c->SetCheckTrue(S("CheckTrue", QStringLiteral("Y")));
    c->SetColor(TColor(I("Color", int(c->Color()))));
    c->SetColumnPopupType(
        EnumIn(r.Find(QStringLiteral("ColumnPopupType")), "ColumnPopupType", cpAllCellsLClick, cpFixedCellsRClick));
    L("ComboItems", c->ComboItems());
    c->SetDropDownCount(I("DropDownCount", 8));
    c->SetEditLength(I("EditLength", 0));
    c->SetEditMask(S("EditMask", QString()));
    c->SetEditor(EnumIn(r.Find(QStringLiteral("Editor")), "Editor", edMaskEditBtn, edNormal));
    L("Filter", c->Filter());
    c->SetFilterCaseSensitive(B("FilterCaseSensitive", false));
    c->SetFixed(B("Fixed", false));
    c->SetFloatFormat(S("FloatFormat", QString()));
    ReadFont(r, QStringLiteral("Font"), *c->Font());
    c->StoreHeader(S("Header", QString()));
    c->SetHeaderAlignment(
        EnumIn(r.Find(QStringLiteral("HeaderAlignment")), "HeaderAlignment", taCenter, taLeftJustify));
    ReadFont(r, QStringLiteral("HeaderFont"), *c->HeaderFont());
    c->SetMinSize(I("MinSize", 0));
    c->SetMaxSize(I("MaxSize", 0));
    c->SetName(S("Name", QString()));
    c->SetPassword(B("Password", false));
    c->SetPrintBorderCustom(B("PrintBorderCustom", true));
    c->SetPrintBorders(TCellBorders::FromBits(unsigned(I("PrintBorders", 15)) & 15u));
    ReadPen(r, QStringLiteral("PrintBorderPen"), *c->PrintBorderPen());
    c->SetPrintColor(TColor(I("PrintColor", 0xFFFFFF)));
    c->SetPrintFontCustom(B("PrintFontCustom", true));
    ReadFont(r, QStringLiteral("PrintFont"), *c->PrintFont());
    c->SetReadOnly(B("ReadOnly", false));
    c->SetShowBands(B("ShowBands", false));
    c->SetSortStyle(EnumIn(r.Find(QStringLiteral("SortStyle")), "SortStyle", ssAlphaNumericNoCase, ssAutomatic));
    c->SetSortPrefix(S("SortPrefix", QString()));
    c->SetSortSuffix(S("SortSuffix", QString()));
    c->SetSpinMax(I("SpinMax", 0));
    c->SetSpinMin(I("SpinMin", 0));
    c->SetSpinStep(I("SpinStep", 1));
    c->SetTag(I("Tag", 0));
    c->StoreWidth(I("Width", 50));
    c->DefIdx = I("DefIdx", 0);
}
} // namespace

void TKvColumnGrid::SaveColumnsToStream(TStream* Stream)
{
    TKvColumnGridIO io(nullptr, this);
    io.Items()->Assign(FColumnCollection.get());
    std::vector<uint8_t> out;
    TComponentWriter w(out);
    w.BeginRecord(QStringLiteral("TKvColumnGridIO"));
    w.WriteInteger(QStringLiteral("Items.Count"), io.Items()->Count());
    w.EndRecord();
    for (int i = 0; i < FColumnCollection->Count(); ++i) WriteItem(w, FColumnCollection->Items(i));
    Stream->WriteBuffer(out.data(), qint64(out.size()));
}

void TKvColumnGrid::LoadColumnsFromStream(TStream* Stream)
{
    const QByteArray data = Stream->ReadAll();
    TComponentReader rd(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()));
    const TComponentRecord head = rd.ReadRecord();
    if (head.ClassName != QLatin1String("TKvColumnGridIO")) throw EReadError(QStringLiteral("Invalid stream format"));
    const TComponentValue* cnt = head.Find(QStringLiteral("Items.Count"));
    const int64_t n = cnt ? cnt->AsInteger(QStringLiteral("Items.Count")) : 0;
    if (n < 0 || n > 100000) throw EReadError(QStringLiteral("Invalid stream format"));
    // Read everything before touching the columns, so a bad stream changes nothing.
    TKvColumnGridIO io(nullptr, this);
    for (int64_t i = 0; i < n; ++i) {
        const TComponentRecord r = rd.ReadRecord();
        if (r.ClassName != QLatin1String("TGridColumnItem")) throw EReadError(QStringLiteral("Invalid stream format"));
        ReadItem(r, static_cast<TGridColumnItem*>(io.Items()->TCollection::Add()));
    }
    FColumnCollection->FNoRecursiveUpdate = true;
    FColumnCollection->Assign(io.Items());
    FColumnCollection->FNoRecursiveUpdate = false;
    Invalidate();
}
