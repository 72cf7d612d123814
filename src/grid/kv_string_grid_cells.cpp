// Cell access in the grid's index systems and the per-cell appearance kept
// in the cells' properties. Reading an attribute never creates properties
// (word wrap excepted: it reports what new properties would hold).

#include <functional>

#include "grid/kv_string_grid.h"

namespace {
const QString WideMarker = QStringLiteral("|\\");
} // namespace

// ============================================================ texts and objects

QString TKvStringGrid::AllCells(int i, int j) const
{
    if (i < 0 || j < 0) return QString();
    if (const TStringList* l = GetHiddenRowCells(j)) {
        QString v = i < l->Count() ? l->Strings(i) : QString();
        const_cast<TKvStringGrid*>(this)->GetDisplText(i, j, v);
        return v;
    }
    return Cells(i, DisplRowIndex(j));
}

void TKvStringGrid::SetAllCells(int i, int j, const QString& Value)
{
    if (i < 0 || j < 0) return;
    if (TStringList* l = GetHiddenRowCells(j)) {
        while (l->Count() <= i) l->AddObject(QString(), nullptr);
        l->SetStrings(i, Value);
        return;
    }
    const int d = DisplRowIndex(j);
    SetCells(i, d, Value);
    if (DisplColIndexOf(i) != i) RepaintCell(DisplColIndexOf(i), d);
}

QString TKvStringGrid::AllGridCells(int i, int j) const
{
    if (i < 0 || j < 0) return QString();
    if (const TStringList* l = GetHiddenRowCells(j)) return i < l->Count() ? l->Strings(i) : QString();
    return GridCells(i, DisplRowIndex(j));
}

void TKvStringGrid::SetAllGridCells(int i, int j, const QString& Value)
{
    if (i < 0 || j < 0) return;
    if (TStringList* l = GetHiddenRowCells(j)) {
        if (i < l->Count()) l->SetStrings(i, Value);
        return;
    }
    const int d = DisplRowIndex(j);
    SetGridCells(i, d, Value);
    if (DisplColIndexOf(i) != i) RepaintCell(DisplColIndexOf(i), d);
}

QString TKvStringGrid::OriginalCells(int i, int j) const
{
    const int p = ColumnPosition(i);
    return Cells(p < 0 ? i : p, j);
}

void TKvStringGrid::SetOriginalCells(int i, int j, const QString& Value)
{
    const int p = ColumnPosition(i);
    SetCells(p < 0 ? i : p, j, Value);
}

TObject* TKvStringGrid::AllObjects(int i, int j) const
{
    if (i < 0 || j < 0) return nullptr;
    if (const TStringList* l = GetHiddenRowCells(j)) {
        TObject* o = i < l->Count() ? l->Objects(i) : nullptr;
        if (auto* p = dynamic_cast<TCellProperties*>(o)) return reinterpret_cast<TObject*>(p->CellObject());
        return o;
    }
    return Objects(i, DisplRowIndex(j));
}

void TKvStringGrid::SetAllObjects(int i, int j, TObject* Value)
{
    if (i < 0 || j < 0) return;
    if (TStringList* l = GetHiddenRowCells(j)) {
        while (l->Count() <= i) l->AddObject(QString(), nullptr);
        if (auto* p = dynamic_cast<TCellProperties*>(l->Objects(i)))
            p->SetCellObject(reinterpret_cast<uintptr_t>(Value));
        else
            l->SetObjects(i, Value);
        return;
    }
    SetObjects(i, DisplRowIndex(j), Value);
}

TObject* TKvStringGrid::GetGridObjectsEx(int i, int j) const
{
    if (i < 0 || j < 0) return nullptr;
    if (const TStringList* l = GetHiddenRowCells(j)) return i < l->Count() ? l->Objects(i) : nullptr;
    return GridObjects(i, DisplRowIndex(j));
}

TControl* TKvStringGrid::CellControls(int i, int j) const
{
    const TCellProperties* p = HasCellProperties(i, j) ? GridObjects(i, j) : nullptr;
    return p ? p->Control() : nullptr;
}

void TKvStringGrid::SetCellControls(int i, int j, TControl* AControl)
{
    if (i < 0 || j < 0) return;
    const int real = RealRowIndex(j);
    const int idx = FCellControls->ControlIndex(i, real);
    if (!AControl) {
        if (CellControls(i, j) && idx >= 0) FCellControls->RemoveControl(idx);
        GetCellProperties(i, j)->SetControl(nullptr);
        return;
    }
    if (idx >= 0) FCellControls->RemoveControl(idx);
    FCellControls->AddControl(i, real, AControl);
    GetCellProperties(i, j)->SetControl(AControl);
    AControl->SetParent(this);
    const TRect R = CellRect(i, j);
    AControl->SetBounds(R.Left - 1, R.Top - 1, R.Right - R.Left + 1, R.Bottom - R.Top + 1);
}

bool TKvStringGrid::IsWideCell(int ACol, int ARow) const
{
    return Cells(ACol, ARow).startsWith(WideMarker);
}

int TKvStringGrid::LinesInCell(int i, int j) const
{
    return int(Cells(i, j).count(QLatin1Char('\r'))) + 1;
}

// ============================================================ appearance

namespace {
template <class T, class G>
T PropOr(const TKvStringGrid* g, int i, int j, T Neutral, G Get)
{
    if (!g->HasCellProperties(i, j)) return Neutral;
    return Get(g->GridObjects(i, j));
}
} // namespace

TColor TKvStringGrid::Colors(int i, int j) const
{
    return PropOr<TColor>(this, i, j, clNone, [](TCellProperties* p) { return p->BrushColor(); });
}

void TKvStringGrid::SetColors(int i, int j, TColor Value)
{
    GetCellProperties(i, j)->SetBrushColor(Value);
    if (FUpdateCount == 0) RepaintCell(DisplColIndexOf(i), j);
}

TColor TKvStringGrid::ColorsTo(int i, int j) const
{
    return PropOr<TColor>(this, i, j, clNone, [](TCellProperties* p) { return p->BrushColorTo(); });
}

void TKvStringGrid::SetColorsTo(int i, int j, TColor Value)
{
    GetCellProperties(i, j)->SetBrushColorTo(Value);
    RepaintCell(DisplColIndexOf(i), j);
}

TCellGradientDirection TKvStringGrid::Gradients(int i, int j) const
{
    return PropOr<TCellGradientDirection>(this, i, j, GradientVertical,
                                          [](TCellProperties* p) { return p->GradientDirection(); });
}

void TKvStringGrid::SetGradients(int i, int j, TCellGradientDirection Value)
{
    GetCellProperties(i, j)->SetGradientDirection(Value);
    RepaintCell(DisplColIndexOf(i), j);
}

void TKvStringGrid::SetFonts(int i, int j, const TFont& Value)
{
    TCellProperties* p = GetCellProperties(i, j);
    p->SetFontName(Value.Name());
    p->SetFontSize(Value.Size());
    p->SetFontStyle(Value.Style());
    p->SetFontColor(Value.Color());
    if (FUpdateCount == 0) RepaintCell(DisplColIndexOf(i), j);
}

TColor TKvStringGrid::FontColors(int i, int j) const
{
    return PropOr<TColor>(this, i, j, clNone, [](TCellProperties* p) { return p->FontColor(); });
}

void TKvStringGrid::SetFontColors(int i, int j, TColor Value)
{
    GetCellProperties(i, j)->SetFontColor(Value);
    RepaintCell(DisplColIndexOf(i), j);
}

TFontStyles TKvStringGrid::FontStyles(int i, int j) const
{
    return PropOr<TFontStyles>(this, i, j, TFontStyles(), [](TCellProperties* p) { return p->FontStyle(); });
}

void TKvStringGrid::SetFontStyles(int i, int j, TFontStyles Value)
{
    GetCellProperties(i, j)->SetFontStyle(Value);
    RepaintCell(DisplColIndexOf(i), j);
}

int TKvStringGrid::FontSizes(int i, int j) const
{
    return PropOr<int>(this, i, j, 0, [](TCellProperties* p) { return p->FontSize(); });
}

void TKvStringGrid::SetFontSizes(int i, int j, int Value)
{
    GetCellProperties(i, j)->SetFontSize(Value);
    RepaintCell(DisplColIndexOf(i), j);
}

QString TKvStringGrid::FontNames(int i, int j) const
{
    return PropOr<QString>(this, i, j, QString(), [](TCellProperties* p) { return p->FontName(); });
}

void TKvStringGrid::SetFontNames(int i, int j, const QString& Value)
{
    GetCellProperties(i, j)->SetFontName(Value);
    RepaintCell(DisplColIndexOf(i), j);
}

TAlignment TKvStringGrid::Alignments(int i, int j) const
{
    return PropOr<TAlignment>(this, i, j, taLeftJustify, [](TCellProperties* p) { return p->Alignment(); });
}

void TKvStringGrid::SetAlignments(int i, int j, TAlignment Value)
{
    GetCellProperties(i, j)->SetAlignment(Value);
    RepaintCell(DisplColIndexOf(i), j);
}

bool TKvStringGrid::ReadOnly(int i, int j) const
{
    return PropOr<bool>(this, i, j, false, [](TCellProperties* p) { return p->ReadOnly(); });
}

void TKvStringGrid::SetReadOnly(int i, int j, bool Value)
{
    GetCellProperties(i, j)->SetReadOnly(Value);
    RepaintCell(DisplColIndexOf(i), j);
}

bool TKvStringGrid::WordWraps(int i, int j)
{
    return GetCellProperties(i, j)->WordWrap();
}

void TKvStringGrid::SetWordWraps(int i, int j, bool Value)
{
    GetCellProperties(i, j)->SetWordWrap(Value);
    RepaintCell(DisplColIndexOf(i), j);
}

void TKvStringGrid::SetCursor(TCursor Value)
{
    TBaseGrid::SetCursor(Value);
    FRestoreCursor = Value;
}

// ============================================================ row colours

// Whether the properties hold nothing beyond colours and what their creation
// seeded, so that dropping them loses nothing the cell was given.
bool TKvStringGrid::OnlySeededValues(TCellProperties* p, int c, int r)
{
    TFont font;
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = TBaseGrid::WordWrap();
    TCellGradientDirection gd = GradientVertical;
    GetDefaultCellProperties(c, r, &font, &brush, colorTo, mirror, mirrorTo, ha, va, ww, gd);
    return p->IsBaseCell() && p->CellSpanX() == -1 && p->CellSpanY() == -1 && p->CellObject() == 0 &&
           !p->GraphicObject() && !p->ReadOnly() && !p->Control() && p->CalcType() == acNONE && !p->CalcObject() &&
           p->NodeLevel() == 0 && p->Editor() == edNormal && p->BorderWidth() == 0 && p->BrushStyle() == bsSolid &&
           p->Alignment() == ha && p->VAlignment() == va && p->WordWrap() == ww && p->GradientDirection() == gd &&
           p->FontName() == font.Name() && p->FontSize() == font.Size() && p->FontStyle() == font.Style();
}

namespace {
enum TRowColour { rcBrush, rcBrushTo, rcFont };
} // namespace

// One colour attribute over the normal cells of a row; none resets just that
// attribute and drops properties left holding nothing else.
static void ApplyRowColour(TKvStringGrid* g, int r, TColor Value, TRowColour Which,
                           const std::function<bool(TCellProperties*, int c)>& MayFree)
{
    if (r < 0) return;
    for (int c = g->TBaseGrid::FixedCols(); c < g->AllColCount(); ++c) {
        if (Value == clNone && !g->HasCellProperties(c, r)) continue;
        TCellProperties* p = g->CellProperties(c, r);
        switch (Which) {
        case rcBrush: p->SetBrushColor(Value); break;
        case rcBrushTo: p->SetBrushColorTo(Value); break;
        case rcFont: p->SetFontColor(Value); break;
        }
        if (Value == clNone && MayFree(p, c)) g->FreeCellProperties(c, r);
    }
    g->RepaintRow(r);
}

void TKvStringGrid::SetRowColor(int r, TColor Value)
{
    ApplyRowColour(this, r, Value, rcBrush, [&](TCellProperties* p, int c) { return OnlySeededValues(p, c, r); });
}

void TKvStringGrid::SetRowColorTo(int r, TColor Value)
{
    ApplyRowColour(this, r, Value, rcBrushTo, [&](TCellProperties* p, int c) { return OnlySeededValues(p, c, r); });
}

void TKvStringGrid::SetRowFontColor(int r, TColor Value)
{
    ApplyRowColour(this, r, Value, rcFont,
                   [&](TCellProperties* p, int c) { return p->BrushColor() == clNone && OnlySeededValues(p, c, r); });
}
