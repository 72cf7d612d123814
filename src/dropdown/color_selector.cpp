#include "dropdown/color_selector.h"

namespace {

struct TPaletteRow {
    TItemPos Pos;
    TColor Colors[10];
};

// Ten base colours, then five rows of tones joined into one column under each.
constexpr TPaletteRow DefaultPalette[] = {
    {ipStandAlone, {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7}},
    {ipTop, {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD}},
    {ipMiddle, {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB}},
    {ipMiddle, {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA}},
    {ipMiddle, {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3}},
    {ipBottom, {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897}},
};

} // namespace

// ---------------------------------------------------------------- items

TColorBoxItem::TColorBoxItem(TCollection* ACollection) : TCollectionItem(ACollection) {}

void TColorBoxItem::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    Changed(false);
}

void TColorBoxItem::Assign(const TPersistent* Source)
{
    if (auto* S = dynamic_cast<const TColorBoxItem*>(Source)) {
        SetColor(S->FColor);
        FEnabled = S->FEnabled;
        return;
    }
    TCollectionItem::Assign(Source);
}

TColorBoxItems::TColorBoxItems(TPersistent* AOwner)
    : TCollection([](TCollection* C) { return new TColorBoxItem(C); }), FMyOwner(AOwner)
{
}

void TColorBoxItems::Update(TCollectionItem* Item)
{
    if (Item && OnChange) OnChange(this);
}

// ---------------------------------------------------------------- appearance

TColorBoxAppearance::TColorBoxAppearance() { LoadDefaultColors(); }

void TColorBoxAppearance::LoadDefaultColors()
{
    FBorderColor = 0xC5C5C5;
    FOuterBorderColorHot = 0x3694F2;
    FInnerBorderColorHot = 0x94E2FF;
    FOuterBorderColorSelected = 0x0000FF;
    FInnerBorderColorSelected = 0x94E2FF;
}

void TColorBoxAppearance::Assign(const TPersistent* Source)
{
    if (auto* S = dynamic_cast<const TColorBoxAppearance*>(Source)) {
        FBorderColor = S->FBorderColor;
        FOuterBorderColorHot = S->FOuterBorderColorHot;
        FInnerBorderColorHot = S->FInnerBorderColorHot;
        FOuterBorderColorSelected = S->FOuterBorderColorSelected;
        FInnerBorderColorSelected = S->FInnerBorderColorSelected;
        return;
    }
    TPersistent::Assign(Source);
}

// ---------------------------------------------------------------- selector

TCustomColorSelector::TCustomColorSelector(TComponent* AOwner)
    : TKvCustomColorSelectorPanel(AOwner),
      FColorBoxAppearance(std::make_unique<TColorBoxAppearance>()),
      FItems(std::make_unique<TColorBoxItems>(this))
{
    SetItemColorStyle(scOffice2007);
    SetParentColor(true);
}

TCustomColorSelector::~TCustomColorSelector() = default;

void TCustomColorSelector::FillDefaultPalette()
{
    FItems->BeginUpdate();
    FItems->Clear();
    for (const TPaletteRow& row : DefaultPalette)
        for (TColor c : row.Colors) {
            TColorBoxItem* it = FItems->Add();
            it->SetColor(c);
            it->SetColorBoxPos(row.Pos);
        }
    FItems->EndUpdate();
}

void TCustomColorSelector::SetColumns(int Value)
{
    if (FColumns == Value) return;
    FColumns = Value;
    SetItemsPosition();
}

void TCustomColorSelector::SetColumnGap(int Value)
{
    if (FColumnGap == Value) return;
    FColumnGap = Value;
    SetItemsPosition();
}

void TCustomColorSelector::SetColorBoxWidth(int Value)
{
    if (FColorBoxWidth == Value) return;
    FColorBoxWidth = Value;
    SetItemsPosition();
}

void TCustomColorSelector::SetColorBoxHeight(int Value)
{
    if (FColorBoxHeight == Value) return;
    FColorBoxHeight = Value;
    SetItemsPosition();
}

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle Value)
{
    if (FItemColorStyle == Value) return;
    FItemColorStyle = Value;
    if (Value != scCustom) FColorBoxAppearance->LoadDefaultColors();
}

bool TCustomColorSelector::IsDisabledItem(int Index) const
{
    return Index >= 0 && Index < FItems->Count() && !FItems->Items(Index)->Enabled();
}

void TCustomColorSelector::SetItemIndex(int Value)
{
    if (Value < -1) Value = -1;
    if (Value >= FItems->Count() || IsDisabledItem(Value)) return;
    if (FItemIndex >= 0 && Value != FItemIndex) {
        const int old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = Value;
    if (FItemIndex >= 0) {
        FSelectedColor = FItems->Items(FItemIndex)->Color();
        DrawItem(FItemIndex, Canvas());
        if (OnItemSelect) OnItemSelect(this);
    }
}

void TCustomColorSelector::SetItemHot(int Index)
{
    if (Index < -1) Index = -1;
    if (Index == FItemHot || Index >= FItems->Count() || IsDisabledItem(Index)) return;
    if (FItemHot >= 0) {
        const int old = FItemHot;
        FItemHot = -1;
        DrawItem(old, Canvas());
        InvalidateItem(old);
    }
    FItemHot = Index;
    if (FItemHot >= 0) DrawItem(FItemHot, Canvas());
}

void TCustomColorSelector::SelectFirst()
{
    if (FItems->Count() > 0) SetItemIndex(0);
}

void TCustomColorSelector::SelectLast()
{
    if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}

void TCustomColorSelector::SelectNext()
{
    if (FItemIndex + 1 < FItems->Count()) SetItemIndex(FItemIndex + 1);
}

void TCustomColorSelector::SelectPrevious()
{
    if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
}

void TCustomColorSelector::HotNext()
{
    if (FItemHot + 1 < FItems->Count()) SetItemHot(FItemHot + 1);
}

void TCustomColorSelector::HotPrevious()
{
    if (FItemHot - 1 >= 0) SetItemHot(FItemHot - 1);
}

void TCustomColorSelector::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor) return;
    FSelectedColor = Value;
    int match = -1;
    if (Value != clNone)
        for (int i = 0; i < FItems->Count(); ++i)
            if (FItems->Items(i)->Color() == Value) {
                match = i;
                break;
            }
    if (match >= 0) {
        SetItemIndex(match);
    } else {
        SetItemIndex(-1);
        FSelectedColor = Value;
    }
}

void TCustomColorSelector::HandleKeyDown(WORD Key, bool EditorEnabled, bool DroppedDown)
{
    if (!Enabled() || Key < VK_PRIOR || Key > VK_DOWN) return;
    auto rowStep = [this](int Delta) {
        const int target = FItemIndex < 0 ? 0 : FItemIndex + Delta;
        if (target >= 0 && target < FItems->Count()) SetItemIndex(target);
    };
    switch (Key) {
    case VK_PRIOR:
    case VK_HOME:
        SelectFirst();
        break;
    case VK_NEXT:
    case VK_END:
        SelectLast();
        break;
    case VK_LEFT:
        if (DroppedDown || !EditorEnabled) SelectPrevious();
        break;
    case VK_RIGHT:
        if (DroppedDown || !EditorEnabled) SelectNext();
        break;
    case VK_UP:
        if (DroppedDown) rowStep(-FColumns);
        else SelectPrevious();
        break;
    case VK_DOWN:
        if (DroppedDown) rowStep(FColumns);
        else SelectNext();
        break;
    default:
        break;
    }
}

void TCustomColorSelector::GetItemRect(int Index, TRect& R) const
{
    if (Index < 0 || Index >= FItems->Count()) {
        R = TRect(-1, -1, -1, -1);
        return;
    }
    R = FItems->Items(Index)->Rect();
}

int TCustomColorSelector::ItemAtPos(int X, int Y) const
{
    for (int i = 0; i < FItems->Count(); ++i)
        if (PtInRect(FItems->Items(i)->Rect(), TPoint(X, Y))) return i;
    return -1;
}

void TCustomColorSelector::GetInnerRect(TRect& R)
{
    R = ClientRect();
    InflateRect(R, -FOffSetX, -FOffSetY);
}

void TCustomColorSelector::GetItemSize(TSize& Size) { Size = TSize{FColorBoxWidth, FColorBoxHeight}; }

void TCustomColorSelector::SetItemsPosition()
{
    const int count = FItems->Count();
    if (count == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    TSize size;
    GetItemSize(size);
    const int W = size.cx, H = size.cy, X0 = FOffSetX, Y0 = FOffSetY;
    int x = X0, y = Y0, column = 0, widest = 0;
    bool standAloneRow = false;
    for (int i = 0; i < count; ++i) {
        TColorBoxItem* it = FItems->Items(i);
        it->SetRect(TRect(x, y, x + W, y + H));
        ++column;
        if (i == count - 1) break;
        if (it->ColorBoxPos() == ipStandAlone) standAloneRow = true;
        if (column < FColumns) {
            x += W + FColumnGap;
        } else {
            if (standAloneRow) y += FColumnGap;
            standAloneRow = false;
            y += H;
            widest = std::max(widest, x);
            x = X0;
            column = 0;
        }
    }
    SetBounds(Left(), Top(), std::max(x, widest + W + X0 + 1), y + H + Y0);
}

void TCustomColorSelector::InvalidateItem(int Index)
{
    if (Index >= 0 && Index < FItems->Count()) Invalidate();
}

void TCustomColorSelector::DrawItem(int Index, TCanvas* Canvas)
{
    if (Index < 0 || Index >= FItems->Count() || !Canvas) return;
    TColorBoxItem* it = FItems->Items(Index);
    const TRect R = it->Rect();
    if (R == TRect()) return;
    const TColorBoxAppearance* a = FColorBoxAppearance.get();
    const bool hot = Index == FItemHot, selected = Index == FItemIndex;
    TColor outer = a->BorderColor(), inner = clNone;
    if (hot) {
        outer = a->OuterBorderColorHot();
        inner = a->InnerBorderColorHot();
    }
    if (selected) {
        outer = a->OuterBorderColorSelected();
        inner = a->InnerBorderColorSelected();
    }
    if (it->Color() != clNone) {
        Canvas->Pen()->SetColor(it->Color());
        Canvas->Brush()->SetColor(it->Color());
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Rectangle(R);
    }
    if (hot || selected) {
        Canvas->Brush()->SetStyle(bsClear);
        if (outer != clNone) {
            Canvas->Pen()->SetColor(outer);
            Canvas->Rectangle(R);
        }
        if (inner != clNone) {
            Canvas->Pen()->SetColor(inner);
            Canvas->Rectangle(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
        }
        return;
    }
    // Tones of one column share their side lines, so the column reads as one strip.
    const int l = R.Left, t = R.Top, r = R.Right - 1, b = R.Bottom - 1;
    Canvas->Pen()->SetColor(a->BorderColor());
    switch (it->ColorBoxPos()) {
    case ipStandAlone:
        Canvas->MoveTo(l, b);
        Canvas->LineTo(l, t);
        Canvas->LineTo(r, t);
        Canvas->LineTo(r, b);
        Canvas->LineTo(l, b);
        break;
    case ipTop:
        Canvas->MoveTo(l, R.Bottom);
        Canvas->LineTo(l, t);
        Canvas->LineTo(r, t);
        Canvas->LineTo(r, R.Bottom);
        break;
    case ipMiddle:
        Canvas->MoveTo(l, t);
        Canvas->LineTo(l, R.Bottom);
        Canvas->MoveTo(r, t);
        Canvas->LineTo(r, R.Bottom);
        break;
    case ipBottom:
        Canvas->MoveTo(l, t);
        Canvas->LineTo(l, b);
        Canvas->LineTo(r, b);
        Canvas->MoveTo(r, t);
        Canvas->LineTo(r, R.Bottom);
        break;
    }
}

void TCustomColorSelector::DrawItems(TCanvas* Canvas)
{
    for (int i = 0; i < FItems->Count(); ++i) DrawItem(i, Canvas);
}

void TCustomColorSelector::Paint()
{
    TKvCustomColorSelectorPanel::Paint();
    DrawItems(Canvas());
}

void TCustomColorSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TKvCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i >= 0 && !IsDisabledItem(i)) SetItemIndex(i);
}

void TCustomColorSelector::MouseMove(TShiftState Shift, int X, int Y)
{
    TKvCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    SetItemHot(i >= 0 && !IsDisabledItem(i) ? i : -1);
}

void TCustomColorSelector::MouseLeave()
{
    TKvCustomColorSelectorPanel::MouseLeave();
    SetItemHot(-1);
}
