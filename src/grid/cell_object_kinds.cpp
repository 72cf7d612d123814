// The kinds of graphic a cell can carry beside its text: each family attaches
// a fresh graphic (replacing the cell's present one) and reads its own fields.
#include "grid/kv_string_grid.h"

#include <QtMath>

#include "grid/cell_properties.h"

namespace {
template <class T>
T* SlotAs(const TCellSlot& Slot)
{
    if (auto* o = std::get_if<TObject*>(&Slot)) return dynamic_cast<T*>(*o);
    return nullptr;
}

TCellGraphic* OfType(TKvStringGrid* G, int ACol, int ARow, TCellType T)
{
    TCellGraphic* g = G->GetCellGraphic(ACol, ARow);
    return g && g->CellType() == T ? g : nullptr;
}

// The graphic of the base cell of the merged area, when it is of kind T.
TCellGraphic* BaseOfType(TKvStringGrid* G, int ACol, int ARow, TCellType T)
{
    if (ACol < 0 || ARow < 0) return nullptr;
    const TPoint b = G->BaseCell(ACol, ARow);
    return OfType(G, b.X, b.Y, T);
}

int NormalAngle(int a)
{
    while (a < 0) a += 360;
    while (a > 360) a -= 360;
    return a;
}
} // namespace

// ============================================================ pictures

void TKvStringGrid::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctBitmap);
    g->FCellBitmap = static_cast<TGraphic*>(ABmp);
    g->SetCellTransparent(Transparent);
    g->SetCellHAlign(hal);
    g->SetCellVAlign(val);
}

TBitmap* TKvStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    auto* b = new TBitmap();
    AddBitmap(ACol, ARow, b, Transparent, hal, val);
    GetCellGraphic(ACol, ARow)->SetCellCreated(true);
    return b;
}

TBitmap* TKvStringGrid::GetBitmap(int ACol, int ARow)
{
    TCellGraphic* g = OfType(this, ACol, ARow, ctBitmap);
    if (!g) return nullptr;
    auto* p = std::get_if<TGraphic*>(&g->FCellBitmap);
    return p ? dynamic_cast<TBitmap*>(*p) : nullptr;
}

void TKvStringGrid::AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                               int Padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctPicture);
    g->FCellBitmap = APicture;
    g->SetCellTransparent(Transparent);
    g->SetCellAngle(int(StretchMode));
    g->SetCellIndex(Padding);
    g->SetCellHAlign(hal);
    g->SetCellVAlign(val);
}

TPicture* TKvStringGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                       TCellHAlign hal, TCellVAlign val)
{
    auto* p = new TPicture();
    AddPicture(ACol, ARow, p, Transparent, StretchMode, Padding, hal, val);
    GetCellGraphic(ACol, ARow)->SetCellCreated(true);
    return p;
}

TPicture* TKvStringGrid::GetPicture(int ACol, int ARow)
{
    TCellGraphic* g = OfType(this, ACol, ARow, ctPicture);
    if (!g) return nullptr;
    auto* p = std::get_if<TPicture*>(&g->FCellBitmap);
    return p ? *p : nullptr;
}

void TKvStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent,
                                   TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctFilePicture);
    g->FCellBitmap = static_cast<TObject*>(AFilePicture);
    g->SetCellTransparent(Transparent);
    g->SetCellAngle(int(StretchMode));
    g->SetCellIndex(Padding);
    g->SetCellHAlign(hal);
    g->SetCellVAlign(val);
}

TFilePicture* TKvStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                               int Padding, TCellHAlign hal, TCellVAlign val)
{
    auto* p = new TFilePicture();
    AddFilePicture(ACol, ARow, p, Transparent, StretchMode, Padding, hal, val);
    GetCellGraphic(ACol, ARow)->SetCellCreated(true);
    return p;
}

TFilePicture* TKvStringGrid::GetFilePicture(int ACol, int ARow)
{
    TCellGraphic* g = OfType(this, ACol, ARow, ctFilePicture);
    return g ? SlotAs<TFilePicture>(g->FCellBitmap) : nullptr;
}

void TKvStringGrid::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctIcon);
    g->FCellIcon = static_cast<TGraphic*>(AIcon);
    g->SetCellHAlign(hal);
    g->SetCellVAlign(val);
}

TIcon* TKvStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val)
{
    auto* i = new TIcon();
    AddIcon(ACol, ARow, i, hal, val);
    GetCellGraphic(ACol, ARow)->SetCellCreated(true);
    return i;
}

// ============================================================ images of the grid's image list

void TKvStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!FGridImages) return;
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctImageList);
    g->SetCellIndex(Aidx);
    g->SetCellHAlign(hal);
    g->SetCellVAlign(val);
}

bool TKvStringGrid::GetImageIdx(int ACol, int ARow, int& idx)
{
    if (!FGridImages) return false;
    TCellGraphic* g = OfType(this, ACol, ARow, ctImageList);
    if (!g) return false;
    idx = g->CellIndex();
    return true;
}

void TKvStringGrid::SetImageIdx(int ACol, int ARow, int Idx)
{
    if (!FGridImages) return;
    if (TCellGraphic* g = OfType(this, ACol, ARow, ctImageList)) g->SetCellIndex(Idx);
}

void TKvStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!FGridImages) return;
    AddImageIdx(ACol, ARow, Aidx, hal, val);
    GetCellGraphic(ACol, ARow)->SetCellType(ctDataImage);
    if (Cells(ACol, ARow).isEmpty()) SetInts(ACol, ARow, Aidx);
}

bool TKvStringGrid::RemoveDataImage(int ACol, int ARow)
{
    if (!RemoveCellGraphicOfType(ACol, ARow, ctDataImage)) return false;
    SetCells(ACol, ARow, QString());
    return true;
}

void TKvStringGrid::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val)
{
    if (!FGridImages) return;
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* list = new TIntList(ACol, ARow);
    list->OnChange = [this](TObject* Sender, int c, int r) { CellImagesChanged(Sender, c, r); };
    g->SetCellType(ctImages);
    g->FCellBitmap = static_cast<TObject*>(list);
    g->SetCellBoolean(Dir == 0);
    g->SetCellHAlign(hal);
    g->SetCellVAlign(val);
}

TIntList* TKvStringGrid::CellImages(int ACol, int ARow)
{
    TCellGraphic* g = OfType(this, ACol, ARow, ctImages);
    return g ? SlotAs<TIntList>(g->FCellBitmap) : nullptr;
}

// ============================================================ rotated text, interfaced cells

void TKvStringGrid::AddRotated(int ACol, int ARow, short AAngle, const QString& s)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRotated);
    g->SetCellAngle(NormalAngle(AAngle));
    SetCells(ACol, ARow, s);
}

void TKvStringGrid::SetRotated(int ACol, int ARow, short AAngle)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->IsShared()) g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRotated);
    g->SetCellAngle(NormalAngle(AAngle));
}

bool TKvStringGrid::IsRotated(int ACol, int ARow, int& aAngle)
{
    TCellGraphic* g = OfType(this, ACol, ARow, ctRotated);
    if (g) aAngle = g->CellAngle();
    return g != nullptr;
}

void TKvStringGrid::AddInterfacedCell(int ACol, int ARow, TObject* AObject)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctInterface);
    g->FCellBitmap = AObject;
}

TObject* TKvStringGrid::GetInterfacedCell(int ACol, int ARow)
{
    TCellGraphic* g = OfType(this, ACol, ARow, ctInterface);
    if (!g) return nullptr;
    auto* o = std::get_if<TObject*>(&g->FCellBitmap);
    return o ? *o : nullptr;
}

// ============================================================ buttons

void TKvStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TCellHAlign hal,
                              TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctButton);
    g->SetCellIndex(int((unsigned(bw) & 0xFFFF) | ((unsigned(bh) & 0xFFFF) << 16)));
    g->SetCellText(Caption);
    g->SetCellBoolean(false);
    g->SetCellHAlign(hal);
    g->SetCellVAlign(val);
}

void TKvStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TBitmap* Glyph,
                                 TCellHAlign hal, TCellVAlign val)
{
    AddButton(ACol, ARow, bw, bh, Caption, hal, val);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    g->SetCellType(ctBitButton);
    g->FCellBitmap = static_cast<TGraphic*>(Glyph);
}

TBitmap* TKvStringGrid::CreateBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption,
                                        TCellHAlign hal, TCellVAlign val)
{
    auto* b = new TBitmap();
    AddBitButton(ACol, ARow, bw, bh, Caption, b, hal, val);
    GetCellGraphic(ACol, ARow)->SetCellCreated(true);
    return b;
}

void TKvStringGrid::SetButtonText(int ACol, int ARow, const QString& Caption)
{
    if (TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow)) {
        g->SetCellText(Caption);
        RepaintCell(ACol, ARow);
    }
}

QString TKvStringGrid::GetButtonText(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    return g ? g->CellText() : QString();
}

void TKvStringGrid::PushButton(int ACol, int ARow, bool Push)
{
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g || g->CellType() == ctNode) return;
    g->SetCellBoolean(Push);
    RepaintCell(ACol, ARow);
}

void TKvStringGrid::RemoveButton(int ACol, int ARow)
{
    if (!RemoveCellGraphicOfType(ACol, ARow, ctButton)) RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TKvStringGrid::RemoveAllButtons()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            if (HasButton(c, r)) RemoveButton(c, r);
}

// ============================================================ comments and markers

void TKvStringGrid::AddComment(int ACol, int ARow, const QString& Comment)
{
    AddColorComment(ACol, ARow, Comment, FControlLook->CommentColor());
}

void TKvStringGrid::AddColorComment(int ACol, int ARow, const QString& Comment, TColor Color)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctComment);
    g->SetCellText(Comment);
    g->SetCellIndex(int(Color));
}

bool TKvStringGrid::IsComment(int ACol, int ARow, QString& Comment)
{
    TCellGraphic* g = OfType(this, ACol, ARow, ctComment);
    if (g) Comment = g->CellText();
    return g != nullptr;
}

QString TKvStringGrid::CellComment(int ACol, int ARow)
{
    QString c;
    IsComment(ACol, ARow, c);
    return c;
}

void TKvStringGrid::SetCellComment(int ACol, int ARow, const QString& Value)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) AddComment(ACol, ARow, Value);
    else if (g->CellType() == ctComment) g->SetCellText(Value);
}

void TKvStringGrid::RemoveAllComments()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r) RemoveComment(c, r);
}

void TKvStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) {
        g = CreateCellGraphic(ACol, ARow);
        g->SetCellType(ctEmpty);
    }
    g->SetCellErrFrom(ErrPos);
    g->SetCellErrLen(ErrLen);
    RepaintCell(ACol, ARow);
}

void TKvStringGrid::RemoveMarker(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    if (g->CellType() == ctEmpty) {
        RemoveCellGraphic(ACol, ARow);
    } else {
        g->SetCellErrFrom(0);
        g->SetCellErrLen(0);
    }
}

void TKvStringGrid::RemoveAllMarkers()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r) RemoveMarker(c, r);
}

// ============================================================ progress, pie, range, shape, rating

void TKvStringGrid::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                         TColor BKTextColor, const QString& Fmt, int Min, int Max)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctProgress);
    g->FCellBitmap = FGColor;
    g->FCellIcon = BKColor;
    g->SetCellIndex(int(FGTextColor));
    g->SetCellAngle(int(BKTextColor));
    g->SetCellErrFrom(Min);
    g->SetCellErrLen(Max);
    g->SetCellText(Fmt);
    g->SetCellBoolean(true);
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
    if (AutoNumAlign) SetAlignments(ACol, ARow, taRightJustify);
}

void TKvStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                  TColor BKTextColor)
{
    AddProgressFormatted(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, QString(), 0, 100);
}

void TKvStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor)
{
    AddProgressFormatted(ACol, ARow, FGColor, 0, BKColor, 0, QString(), 0, 100);
    GetCellGraphic(ACol, ARow)->SetCellBoolean(false);
}

void TKvStringGrid::AddKvProgress(int ACol, int ARow, int Min, int Max)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctXPProgress);
    g->SetCellErrFrom(Min);
    g->SetCellErrLen(Max);
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
}

void TKvStringGrid::AddProgressPie(int ACol, int ARow, TColor Color, int Value)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctProgressPie);
    g->FCellBitmap = Color;
    g->SetCellAngle(Value);
    g->SetCellHAlign(haBeforeText);
    g->SetCellVAlign(vaTop);
}

void TKvStringGrid::SetProgressPie(int ACol, int ARow, int Value)
{
    if (TCellGraphic* g = OfType(this, ACol, ARow, ctProgressPie)) {
        g->SetCellAngle(Value);
        RepaintCell(ACol, ARow);
    }
}

void TKvStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                                      bool ShowValue)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRangeIndicator);
    g->SetCellIndex(Range);
    g->FCellBitmap = NegColor;
    g->FCellIcon = PosColor;
    g->SetCellBoolean(ShowValue);
    g->SetCellHAlign(haLeft);
    g->SetCellVAlign(vaTop);
}

void TKvStringGrid::AddShape(int ACol, int ARow, int Shape, TColor FillColor, TColor LineColor, TCellHAlign hal,
                             TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctShape);
    g->SetCellAngle(Shape);
    g->SetCellIndex(int(FillColor));
    g->FCellBitmap = LineColor;
    g->SetCellHAlign(hal);
    g->SetCellVAlign(val);
}

void TKvStringGrid::SetShapeColor(int ACol, int ARow, TColor FillColor)
{
    if (TCellGraphic* g = OfType(this, ACol, ARow, ctShape)) g->SetCellIndex(int(FillColor));
}

TColor TKvStringGrid::GetShapeColor(int ACol, int ARow)
{
    TCellGraphic* g = OfType(this, ACol, ARow, ctShape);
    return g ? TColor(g->CellIndex()) : clNone;
}

void TKvStringGrid::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRating);
    g->SetCellAngle(Scale);
    g->SetCellIndex(int(FillColor));
    g->FCellBitmap = EmptyColor;
    g->SetCellHAlign(haFull);
}

bool TKvStringGrid::RatingChange(int ACol, int ARow, double& NewRate)
{
    bool allow = true;
    if (OnRatingChange) OnRatingChange(this, ACol, ARow, NewRate, allow);
    return allow;
}

// ============================================================ scroll bars and expand buttons

void TKvStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctScrollbar);
    g->SetCellAngle(0);
    g->SetCellErrFrom(100);
    g->SetCellIndex(0);
    g->SetCellBoolean(AutoRange);
    // An automatic range follows the cell's text: work it out at once.
    if (AutoRange) CellTextChanged(ACol, ARow);
}

bool TKvStringGrid::HasAutoRangeScrollBar(int ACol, int ARow)
{
    TCellGraphic* g = BaseOfType(this, ACol, ARow, ctScrollbar);
    return g && g->CellBoolean();
}

void TKvStringGrid::SetScrollPosition(int ACol, int ARow, int Pos)
{
    if (TCellGraphic* g = BaseOfType(this, ACol, ARow, ctScrollbar)) {
        g->SetCellIndex(Pos);
        RepaintCell(ACol, ARow);
    }
}

int TKvStringGrid::GetScrollPosition(int ACol, int ARow)
{
    TCellGraphic* g = BaseOfType(this, ACol, ARow, ctScrollbar);
    return g ? g->CellIndex() : -1;
}

void TKvStringGrid::SetScrollProp(int ACol, int ARow, const TScrollProp& Prop)
{
    if (TCellGraphic* g = BaseOfType(this, ACol, ARow, ctScrollbar)) {
        g->SetCellAngle(Prop.PageSize);
        g->SetCellErrFrom(Prop.Range);
    }
}

TScrollProp TKvStringGrid::GetScrollProp(int ACol, int ARow)
{
    TScrollProp p{-1, -1};
    if (TCellGraphic* g = BaseOfType(this, ACol, ARow, ctScrollbar)) {
        p.PageSize = g->CellAngle();
        p.Range = g->CellErrFrom();
    }
    return p;
}

void TKvStringGrid::AddExpand(int ACol, int ARow, int ExpandedHeight)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctExpand);
    g->SetCellAngle(ExpandedHeight);
    g->SetCellIndex(RowHeights(ARow));
    g->FCellVar = false;
}

bool TKvStringGrid::ToggleExpand(int ACol, int ARow)
{
    TCellGraphic* g = BaseOfType(this, ACol, ARow, ctExpand);
    if (!g) return false;
    g->FCellVar = !g->FCellVar.toBool();
    return g->FCellVar.toBool();
}

bool TKvStringGrid::GetExpandState(int ACol, int ARow)
{
    TCellGraphic* g = BaseOfType(this, ACol, ARow, ctExpand);
    return g && g->FCellVar.toBool();
}

int TKvStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded)
{
    TCellGraphic* g = BaseOfType(this, ACol, ARow, ctExpand);
    if (!g) return DefaultRowHeight();
    return Expanded ? g->CellAngle() : g->CellIndex();
}

// ============================================================ balloons

void TKvStringGrid::AddBalloon(int ACol, int ARow, const QString& Title, const QString& Text, TBalloonIcon Icon)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    const bool carrier = g && (g->CellType() == ctCheckBox || g->CellType() == ctDataCheckBox ||
                               g->CellType() == ctRadioButton);
    if (g && !carrier) return;
    auto* texts = new TStringList();
    texts->Add(Title);
    texts->Add(Text);
    if (carrier) {
        if (g->CellAngle() == 1) FreeCellSlot(g->FCellBitmap);
        g->FCellBitmap = static_cast<TObject*>(texts);
        g->SetCellIndex(int(Icon));
        g->SetCellAngle(1);
        return;
    }
    g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctBalloon);
    g->FCellBitmap = static_cast<TObject*>(texts);
    g->SetCellIndex(int(Icon));
}

void TKvStringGrid::RemoveBalloon(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    const TCellType t = g->CellType();
    if ((t == ctCheckBox || t == ctDataCheckBox || t == ctRadioButton) && g->CellAngle() == 1) {
        FreeCellSlot(g->FCellBitmap);
        g->SetCellAngle(0);
    } else if (t == ctBalloon) {
        RemoveCellGraphic(ACol, ARow);
    }
}

bool TKvStringGrid::IsBalloon(int ACol, int ARow, QString& Title, QString& Text, TBalloonIcon& Icon)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    const TCellType t = g->CellType();
    const bool carried = (t == ctCheckBox || t == ctDataCheckBox || t == ctRadioButton) && g->CellAngle() == 1;
    if (t != ctBalloon && !carried) return false;
    auto* texts = SlotAs<TStringList>(g->FCellBitmap);
    if (!texts || texts->Count() < 2) return false;
    Title = texts->Strings(0);
    Text = texts->Strings(1);
    Icon = TBalloonIcon(g->CellIndex());
    return true;
}

// ============================================================ radio groups

void TKvStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* sl)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRadio);
    g->FCellBitmap = static_cast<TObject*>(sl);
    g->SetCellAngle(sl ? sl->Count() : 0);
    g->SetCellBoolean(DirRadio != 0);
    g->SetCellIndex(IdxRadio);
}

TStrings* TKvStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio)
{
    auto* sl = new TStringList();
    AddRadio(ACol, ARow, DirRadio, IdxRadio, sl);
    GetCellGraphic(ACol, ARow)->SetCellCreated(true);
    return sl;
}

bool TKvStringGrid::GetRadioIdx(int ACol, int ARow, int& IdxRadio)
{
    TCellGraphic* g = OfType(this, ACol, ARow, ctRadio);
    if (g) IdxRadio = g->CellIndex();
    return g != nullptr;
}

bool TKvStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio)
{
    TCellGraphic* g = OfType(this, ACol, ARow, ctRadio);
    if (!g) return false;
    g->SetCellIndex(IdxRadio);
    if (IdxRadio == -1) SetCells(ACol, ARow, QString());
    RepaintCell(ACol, ARow);
    return true;
}

TStrings* TKvStringGrid::GetRadioStrings(int ACol, int ARow)
{
    TCellGraphic* g = BaseOfType(this, ACol, ARow, ctRadio);
    return g ? SlotAs<TStrings>(g->FCellBitmap) : nullptr;
}

void TKvStringGrid::SelectNextRadio(int ACol, int ARow, bool UserAction)
{
    TCellGraphic* g = OfType(this, ACol, ARow, ctRadio);
    if (!g) return;
    if (UserAction && !FControlLook->RadioAlwaysActive()) {
        bool can = true;
        CanEdit(ACol, ARow, can);
        if (!can) return;
    }
    TStrings* items = SlotAs<TStrings>(g->FCellBitmap);
    const int count = items ? items->Count() : 0;
    int next = g->CellIndex() >= 0 ? g->CellIndex() + 1 : (items ? items->IndexOf(Cells(ACol, ARow)) + 1 : 0);
    if (next >= count) next = 0;
    if (g->CellIndex() >= -1) g->SetCellIndex(next);
    g->FCellVar = next;
    if (next < count) SetCells(ACol, ARow, items->Strings(next));
}

// ============================================================ references and hit geometry

intptr_t TKvStringGrid::GetCellImageRef(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return -1;
    switch (g->CellType()) {
    case ctBitmap:
        if (auto* p = std::get_if<TGraphic*>(&g->FCellBitmap)) return reinterpret_cast<intptr_t>(*p);
        return -1;
    case ctIcon:
        if (auto* p = std::get_if<TGraphic*>(&g->FCellIcon)) return reinterpret_cast<intptr_t>(*p);
        return -1;
    case ctImageList:
        return g->CellIndex();
    default:
        return -1;
    }
}

TRect TKvStringGrid::GetExpandRect(int ACol, int ARow)
{
    if (!HasCellType(ACol, ARow, {ctExpand})) return TRect(0, 0, 0, 0);
    // Placed in the unmirrored layout, answered where a right-to-left grid shows it.
    const TRect R = ClientLayoutRect(CellRect(ACol, ARow));
    return ClientLayoutRect(TRect(R.Right - 13, R.Top + 2, R.Right - 2, R.Top + 13));
}

TRect TKvStringGrid::GetCellGraphicRect(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g) return TRect(0, 0, 0, 0);
    const TRect R = ClientLayoutRect(CellRect(ACol, ARow));
    const unsigned p = unsigned(qRound64(g->CellValue()));
    const unsigned i = unsigned(g->CellIndex());
    TRect res(R.Left + int(p & 0xFFFF), R.Top + int(p >> 16), 0, 0);
    res.Right = res.Left + int(i & 0xFFFF);
    res.Bottom = res.Top + int(i >> 16);
    if (g->CellVAlign() == vaFull) {
        res.Top = R.Top;
        res.Bottom = R.Bottom;
    }
    if (g->CellHAlign() == haFull) {
        res.Left = R.Left;
        res.Right = R.Right;
    }
    return ClientLayoutRect(res);
}

// ============================================================ picker hooks

namespace {
TComponent* MakeRegistered(TComponent* Owner, const char* ClassName)
{
    auto& reg = KvGridUnit::ClassRegistry();
    auto it = reg.find(QString::fromLatin1(ClassName));
    return it == reg.end() || !it->second ? nullptr : it->second(Owner);
}
} // namespace

TComponent* TKvStringGrid::ColorPickerDropDown()
{
    if (!FColorPicker) FColorPicker = MakeRegistered(this, "TColorPickerDropDown");
    return FColorPicker;
}

TComponent* TKvStringGrid::ImagePickerDropDown()
{
    if (!FImagePicker) FImagePicker = MakeRegistered(this, "TImagePickerDropDown");
    return FImagePicker;
}

void TKvStringGrid::ColorSelect()
{
    auto* picker = dynamic_cast<IColorPickerSelection*>(ColorPickerDropDown());
    if (OnColorSelect && picker) OnColorSelect(this, Col(), Row(), picker->SelectedColor(), picker->SelectedColorText());
}

void TKvStringGrid::ImageSelect()
{
    auto* picker = dynamic_cast<IImagePickerSelection*>(ImagePickerDropDown());
    if (OnImageSelect && picker) OnImageSelect(this, Col(), Row(), picker->ItemIndex());
}
