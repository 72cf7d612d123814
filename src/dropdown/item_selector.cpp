#include "dropdown/item_selector.h"

#include <QtGui/QPaintEvent>
#include <QtGui/QPainter>

#include "platform/core/exceptions.h"

#include "dropdown/dropdown_draw.h"
#include "grid/draw_utils.h"
#include "grid/html_markup.h"
#include "platform/ui/forms.h"

// ---------------------------------------------------------------- items

void TSelectorItem::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    Changed(false);
}

void TSelectorItem::Assign(const TPersistent* Source)
{
    if (auto* S = dynamic_cast<const TSelectorItem*>(Source)) {
        SetCaption(S->Caption());
        SetColor(S->FColor);
        SetImageIndex(S->ImageIndex());
        AssignPictureAndState(S);
        FHint = S->FHint;
        return;
    }
    TCollectionItem::Assign(Source);
}

// ---------------------------------------------------------------- panel

TCustomItemSelector::TCustomItemSelector(TComponent* AOwner) : TCustomControl(AOwner)
{
    FKvItemSelector = dynamic_cast<TKvCustomItemSelector*>(AOwner);
    if (!FKvItemSelector) throw Exception(QStringLiteral("Invalid parent"));
    SetParentColor(true);
}

int TCustomItemSelector::Columns() const { return FKvItemSelector->Columns(); }
TSelectorItems* TCustomItemSelector::Items() const { return FKvItemSelector->Items(); }
TSelectorType TCustomItemSelector::SelectorType() const { return FKvItemSelector->SelectorType(); }
TItemLayout TCustomItemSelector::ItemLayout() const { return FKvItemSelector->ItemLayout(); }
TImageList* TCustomItemSelector::Images() const { return FKvItemSelector->Images(); }
int TCustomItemSelector::ColorBoxHeight() const { return FKvItemSelector->ColorBoxHeight(); }
int TCustomItemSelector::ColorBoxWidth() const { return FKvItemSelector->ColorBoxWidth(); }
TSelectionColorStyle TCustomItemSelector::ItemColorStyle() const
{
    return FKvItemSelector->ItemAppearance()->ColorStyle();
}
TColor TCustomItemSelector::ItemColorHot() const { return FKvItemSelector->ItemAppearance()->ColorHot(); }
TColor TCustomItemSelector::ItemColorHotTo() const { return FKvItemSelector->ItemAppearance()->ColorHotTo(); }
TColor TCustomItemSelector::ItemColorSelected() const { return FKvItemSelector->ItemAppearance()->ColorSelected(); }
TColor TCustomItemSelector::ItemColorSelectedTo() const
{
    return FKvItemSelector->ItemAppearance()->ColorSelectedTo();
}

int TCustomItemSelector::Count() const { return FKvItemSelector ? Items()->Count() : 0; }

bool TCustomItemSelector::IsDisabledItem(int Index) const
{
    return Index >= 0 && Index < Count() && !Items()->Items(Index)->Enabled();
}

void TCustomItemSelector::SetItemIndex(int Value)
{
    if (IsDisabledItem(Value)) return;
    if (FItemIndex >= 0 && Value != FItemIndex) {
        const int old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = Value;
    if (FItemIndex >= 0) {
        RepaintItem(FItemIndex);
        if (OnItemSelect) OnItemSelect(this);
    }
}

void TCustomItemSelector::SetItemHot(int Index)
{
    if (Index == FItemHot || IsDisabledItem(Index)) return;
    if (FItemHot >= 0) {
        const int old = FItemHot;
        FItemHot = -1;
        InvalidateItem(old);
    }
    FItemHot = Index;
    if (FItemHot >= 0) RepaintItem(FItemHot);
}

void TCustomItemSelector::SelectFirst()
{
    if (Count() > 0) SetItemIndex(0);
}

void TCustomItemSelector::SelectLast()
{
    if (Count() > 0) SetItemIndex(Count() - 1);
}

void TCustomItemSelector::SelectNext()
{
    if (Count() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex < Count() - 1) SetItemIndex(FItemIndex + 1);
}

void TCustomItemSelector::SelectPrevious()
{
    if (Count() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex > 0) SetItemIndex(FItemIndex - 1);
}

void TCustomItemSelector::HotNext()
{
    if (Count() == 0) return;
    if (FItemHot < 0) SetItemHot(0);
    else if (FItemHot < Count() - 1) SetItemHot(FItemHot + 1);
}

void TCustomItemSelector::HotPrevious()
{
    if (Count() == 0) return;
    if (FItemHot < 0) SetItemHot(0);
    else if (FItemHot > 0) SetItemHot(FItemHot - 1);
}

bool TCustomItemSelector::LookupItem(const QString& S)
{
    for (int i = 0; i < Count(); ++i) {
        const QString text = HTMLToPlainText(StripHTMLTags(Items()->Items(i)->Caption())).trimmed().toUpper();
        if (text.startsWith(S)) {
            SetItemIndex(i);
            return true;
        }
    }
    return false;
}

void TCustomItemSelector::GetItemRect(int Index, TRect& R) const
{
    if (Index < 0 || Index >= Count()) {
        R = TRect(-1, -1, -1, -1);
        return;
    }
    R = Items()->Items(Index)->Rect();
}

int TCustomItemSelector::ItemAtPos(int X, int Y) const
{
    for (int i = 0; i < Count(); ++i)
        if (PtInRect(Items()->Items(i)->Rect(), TPoint(X, Y))) return i;
    return -1;
}

void TCustomItemSelector::InvalidateItem(int Index)
{
    if (Index < 0 || Index >= Count()) return;
    QWidget::update(Items()->Items(Index)->Rect().ToQRect());
}

void TCustomItemSelector::RepaintItem(int Index)
{
    if (Index < 0 || Index >= Count()) return;
    QWidget::repaint(Items()->Items(Index)->Rect().ToQRect());
}

void TCustomItemSelector::DrawItems(TCanvas* Canvas)
{
    if (!Canvas) return;
    const int count = Count();
    if (!Canvas->HasClip()) {
        for (int i = 0; i < count; ++i) DrawItem(i, Canvas);
        return;
    }
    // Only the items meeting the painted area, so that the cost of a repaint
    // does not grow with the length of the list.
    const TRect clip = Canvas->ClipRect();
    auto meets = [&](const TRect& r) {
        return r.Bottom > clip.Top && r.Top < clip.Bottom && r.Right > clip.Left && r.Left < clip.Right;
    };
    int first = 0;
    const bool ordered = FLayoutGeneration == Items()->Generation();
    if (ordered) {
        // The layout fills row after row: tops and bottoms never decrease with
        // the index, so the first item reaching below the area's top is found by
        // halving and the walk ends at the first item starting below it.
        int hi = count;
        while (first < hi) {
            const int mid = first + (hi - first) / 2;
            if (Items()->Items(mid)->Rect().Bottom <= clip.Top) first = mid + 1;
            else hi = mid;
        }
    }
    for (int i = first; i < count; ++i) {
        const TRect r = Items()->Items(i)->Rect();
        if (ordered && r.Top >= clip.Bottom) break;
        if (meets(r)) DrawItem(i, Canvas);
    }
}

void TCustomItemSelector::Paint()
{
    TCustomControl::Paint();
    if (FPaintCanvas) DrawItems(FPaintCanvas);
}

void TCustomItemSelector::paintEvent(QPaintEvent* e)
{
    // The panel is as large as its whole list and shows through a scroll box:
    // it paints only the exposed part, into an image of that part's size, so
    // neither the memory nor the time of a repaint grows with the list.
    const QRect area = e->rect();
    if (area.isEmpty()) return;
    QImage image(area.size(), QImage::Format_RGB32);
    {
        TCanvas c(&image);
        c.SetWindowOrg(area.left(), area.top());
        c.SetClipRect(TRect::From(area));
        c.Font()->Assign(*Font());
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(Color());
        c.FillRect(TRect::From(area));
        FPaintCanvas = &c;
        Guard([this] { Paint(); });
        FPaintCanvas = nullptr;
    }
    QPainter p(this);
    p.drawImage(area.topLeft(), image);
}

void TCustomItemSelector::GetInnerRect(TRect& R)
{
    R = ClientRect();
    InflateRect(R, -FOffSetX, -FOffSetY);
}

void TCustomItemSelector::GetItemSize(TSize& Size)
{
    if (FKvItemSelector->OnItemSize) {
        FKvItemSelector->OnItemSize(this, Size);
        return;
    }
    TSize content = SelectorType() == stColor ? TSize{ColorBoxWidth(), ColorBoxHeight()} : TSize{0, 0};
    TSize caption{0, 0};
    // Measured on a canvas of its own: the panel's may be as large as the list.
    TCanvas measure;
    measure.Font()->Assign(*FKvItemSelector->ItemAppearance()->Font());
    for (int i = 0; i < Count(); ++i) {
        TSelectorItem* it = Items()->Items(i);
        if (SelectorType() == stImage) {
            if (!it->Image()->Graphic() || it->Image()->Graphic()->Empty()) {
                if (Images() && it->ImageIndex() >= 0) {
                    content.cx = std::max(content.cx, Images()->Width());
                    content.cy = std::max(content.cy, Images()->Height());
                }
            } else {
                content.cx = std::max(content.cx, it->Image()->Width());
                content.cy = std::max(content.cy, it->Image()->Height());
            }
        }
        TSize s{0, 0};
        DrawHTMLTextEx(&measure, it->Caption(), TRect(0, 0, 1000, 500), s, nullptr, false, Images());
        caption.cx = std::max(caption.cx, s.cx);
        caption.cy = std::max(caption.cy, s.cy);
    }
    if (caption.cx > 0) caption.cx += 4;
    if (ItemLayout() == ilCaptionLeft || ItemLayout() == ilCaptionRight) {
        Size.cx = 2 * FItemOffSetX + (content.cx > 0 ? content.cx : 0)
                  + (content.cx > 0 && caption.cx > 0 ? FCaptionGap : 0) + (caption.cx > 0 ? caption.cx : 0);
        Size.cy = std::max(caption.cy, content.cy) + 2 * FItemOffSetY;
    } else {
        Size.cx = std::max(caption.cx, content.cx) + 2 * FItemOffSetX;
        Size.cy = 2 * FItemOffSetY + (content.cy > 0 ? content.cy : 0)
                  + (content.cy > 0 && caption.cy >= 1 ? FCaptionGap : 0) + (caption.cy >= 1 ? caption.cy : 0);
    }
}

void TCustomItemSelector::SetItemsPosition()
{
    const int count = Count();
    FLayoutGeneration = Items()->Generation();
    if (count == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    TSize size{0, 0};
    GetItemSize(size);
    const int W = size.cx, H = size.cy, X0 = FOffSetX, Y0 = FOffSetY;
    int x = X0, y = Y0, column = 0, widest = X0;
    for (int i = 0; i < count; ++i) {
        Items()->Items(i)->SetRect(TRect(x, y, x + W, y + H));
        ++column;
        widest = std::max(widest, x);
        if (i == count - 1) break;
        if (column < Columns()) {
            x += W;
        } else {
            y += H;
            x = X0;
            column = 0;
        }
    }
    SetBounds(Left(), Top(), widest + W + X0, y + H + Y0);
    Invalidate();
}

void TCustomItemSelector::DrawItem(int Index, TCanvas* Canvas)
{
    if (Index < 0 || Index >= Count() || !Canvas || !FKvItemSelector) return;
    TSelectorItem* it = Items()->Items(Index);
    const TRect R = it->Rect();
    if (R.Left < 0 && R.Right < 0) return;
    const TItemAppearance* a = FKvItemSelector->ItemAppearance();
    const bool hot = Index == FItemHot, selected = Index == FItemIndex;

    // 1. State colours; the selected ones win over the hot ones.
    TColor border = a->BorderColor(), top = a->BorderColorTop(), bottom = a->BorderColorBottom(),
           edge = a->EdgeColor();
    TColor fill = clNone, fillTo = clNone, mirror = clNone, mirrorTo = clNone;
    auto state = [&](TColor f, TColor ft, TColor m, TColor mt, TColor stateBorder) {
        fill = f;
        fillTo = ft;
        mirror = m;
        mirrorTo = mt;
        if (stateBorder != clNone) {
            border = stateBorder;
            top = bottom = edge = clNone;
        }
    };
    if (hot) state(a->ColorHot(), a->ColorHotTo(), a->ColorMirrorHot(), a->ColorMirrorHotTo(), a->BorderColorHot());
    if (selected)
        state(a->ColorSelected(), a->ColorSelectedTo(), a->ColorMirrorSelected(), a->ColorMirrorSelectedTo(),
              a->BorderColorSelected());

    // 2. Background.
    if (!hot && !selected) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(Color());
        Canvas->FillRect(R);
    } else if (top == clNone) {
        DrawFilledRect(Canvas, R, fill, fillTo, true, border == clNone ? 0 : 1, border);
    } else {
        DrawButtonSegment(Canvas, fill, fillTo, mirror, mirrorTo, top, bottom, border, edge, Color(), R, bspWhole);
    }

    // 3. Owner drawing replaces the rest.
    if (FKvItemSelector->OnDrawItem) {
        FKvItemSelector->OnDrawItem(this, Canvas, R, Index);
        return;
    }

    // 4. Content size.
    const bool colorBox = SelectorType() == stColor;
    const bool hasPicture = !colorBox && it->Image()->Graphic() && !it->Image()->Graphic()->Empty();
    const bool hasListImage = !colorBox && !hasPicture && Images() && it->ImageIndex() >= 0;
    TSize content{0, 0};
    if (colorBox) content = TSize{ColorBoxWidth(), ColorBoxHeight()};
    else if (hasPicture) content = TSize{it->Image()->Width(), it->Image()->Height()};
    else if (hasListImage) content = TSize{Images()->Width(), Images()->Height()};
    const bool drawsContent = colorBox || hasPicture || hasListImage;

    // 5. Caption and content rectangles, font.
    TRect captionR = R, contentR = R;
    InflateRect(captionR, -FItemOffSetX, -FItemOffSetY);
    contentR = captionR;
    Canvas->Font()->Assign(*a->Font());
    if (hot) Canvas->Font()->SetColor(a->ColorHotText());
    if (selected) Canvas->Font()->SetColor(a->ColorSelectedText());

    // 6. The colour box, picture or list image at a point.
    auto drawContent = [&](int x, int y) {
        if (colorBox) {
            Canvas->Pen()->SetColor(clBlack);
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Brush()->SetColor(it->Color());
            Canvas->Rectangle(TRect(x, y, x + content.cx, y + content.cy));
        } else if (hasPicture) {
            Canvas->Draw(x, y, it->Image()->Graphic());
        } else if (hasListImage) {
            Images()->Draw(Canvas, x, y, it->ImageIndex(), it->Enabled());
        }
    };
    const QString caption = it->Caption();
    TSize cs{0, 0};
    auto drawCaption = [&](bool centre) {
        DrawHTMLTextEx(Canvas, caption, captionR, cs, nullptr, false, Images());
        if (centre && cs.cy < captionR.Height()) captionR.Top += (captionR.Height() - cs.cy) / 2;
        Canvas->Brush()->SetStyle(bsClear);
        DrawHTMLTextEx(Canvas, caption, captionR, cs, nullptr, true, Images());
    };

    switch (ItemLayout()) {
    case ilCaptionLeft:
        if (!caption.isEmpty()) {
            captionR.Right -= content.cx;
            drawCaption(true);
            contentR.Left = captionR.Left + cs.cx + FCaptionGap;
        }
        if (colorBox) drawContent(contentR.Left, contentR.Top);
        else drawContent(contentR.Left, contentR.Top + (contentR.Height() - content.cy) / 2);
        break;
    case ilCaptionRight:
        if (colorBox) drawContent(contentR.Left, contentR.Top);
        else drawContent(contentR.Left, contentR.Top + (contentR.Height() - content.cy) / 2);
        if (drawsContent) captionR.Left = contentR.Left + content.cx + FCaptionGap;
        if (!caption.isEmpty()) drawCaption(true);
        break;
    case ilCaptionTop:
        if (!caption.isEmpty()) {
            captionR.Bottom -= content.cy;
            drawCaption(false);
            contentR.Top = captionR.Top + cs.cy + FCaptionGap;
        } else {
            contentR.Top += (contentR.Height() - content.cy) / 2;
        }
        contentR.Left += (contentR.Width() - content.cx) / 2;
        drawContent(contentR.Left, contentR.Top);
        break;
    case ilCaptionBottom:
        if (caption.isEmpty()) contentR.Top += (contentR.Height() - content.cy) / 2;
        contentR.Left += (contentR.Width() - content.cx) / 2;
        drawContent(contentR.Left, contentR.Top);
        if (drawsContent) captionR.Top = contentR.Top + content.cy + FCaptionGap;
        if (!caption.isEmpty()) drawCaption(false);
        break;
    }
}

void TCustomItemSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i >= 0 && !IsDisabledItem(i)) SetItemIndex(i);
}

void TCustomItemSelector::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i < 0) {
        SetItemHot(-1);
        return;
    }
    if (i == FItemHot) return;
    if (IsDisabledItem(i)) SetItemHot(-1);
    else SetItemHot(i);
    SetHint(Items()->Items(i)->Hint());
    // The new item's hint shows instead of the one already up.
    Application->CancelHint();
}

void TCustomItemSelector::MouseLeave()
{
    TCustomControl::MouseLeave();
    SetItemHot(-1);
}

// ---------------------------------------------------------------- host

TKvCustomItemSelector::TKvCustomItemSelector(TComponent* AOwner)
    : TScrollBox(AOwner), FItems(std::make_unique<TSelectorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this))
{
    FItems->OnChange = [this](TObject*) { UpdateSelectorPanel(); };
    FItemAppearance->OnChange = [](TObject*) {};
    FItemAppearance->SetColorStyle(scOffice2007);
    SetColor(clWindow);
    SetAutoScroll(true);
    CreateSelectorPanel();
    UpdateSelectorPanel();
}

TKvCustomItemSelector::~TKvCustomItemSelector() = default;

void TKvCustomItemSelector::CreateSelectorPanel()
{
    if (FItemSelectorPanel) return;
    FItemSelectorPanel = new TCustomItemSelector(this);
    FItemSelectorPanel->SetParent(this);
    FItemSelectorPanel->OnItemSelect = [this](TObject*) {
        if (OnItemSelect) OnItemSelect(this);
    };
}

void TKvCustomItemSelector::UpdateSelectorPanel()
{
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SetItemsPosition();
    UpdateScrollRange();
}

void TKvCustomItemSelector::SetSelectorType(TSelectorType Value)
{
    if (FSelectorType == Value) return;
    FSelectorType = Value;
    UpdateSelectorPanel();
}

void TKvCustomItemSelector::SetColumns(int Value)
{
    if (Value < 1 || Value == FColumns) return;
    FColumns = Value;
    UpdateSelectorPanel();
}

void TKvCustomItemSelector::SetColorBoxWidth(int Value)
{
    if (FColorBoxWidth == Value) return;
    FColorBoxWidth = Value;
    UpdateSelectorPanel();
}

void TKvCustomItemSelector::SetColorBoxHeight(int Value)
{
    if (FColorBoxHeight == Value) return;
    FColorBoxHeight = Value;
    UpdateSelectorPanel();
}

void TKvCustomItemSelector::SetImages(TImageList* Value)
{
    if (FImages == Value) return;
    FImages = Value;
    UpdateSelectorPanel();
}

int TKvCustomItemSelector::ItemIndex() const { return FItemSelectorPanel ? FItemSelectorPanel->ItemIndex() : -1; }

void TKvCustomItemSelector::SetItemIndex(int Value)
{
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SetItemIndex(Value);
    ScrollItemInView(ItemIndex());
}

int TKvCustomItemSelector::ItemHot() const { return FItemSelectorPanel ? FItemSelectorPanel->ItemHot() : -1; }

#define KV_SELECTOR_STEP(Name, Follow)                                                                                \
    void TKvCustomItemSelector::Name()                                                                                \
    {                                                                                                                 \
        if (!FItemSelectorPanel) return;                                                                              \
        FItemSelectorPanel->Name();                                                                                   \
        ScrollItemInView(Follow());                                                                                   \
    }
KV_SELECTOR_STEP(SelectFirst, ItemIndex)
KV_SELECTOR_STEP(SelectLast, ItemIndex)
KV_SELECTOR_STEP(SelectNext, ItemIndex)
KV_SELECTOR_STEP(SelectPrevious, ItemIndex)
KV_SELECTOR_STEP(HotNext, ItemHot)
KV_SELECTOR_STEP(HotPrevious, ItemHot)
#undef KV_SELECTOR_STEP

bool TKvCustomItemSelector::LookupItem(const QString& S)
{
    return FItemSelectorPanel && FItemSelectorPanel->LookupItem(S);
}

void TKvCustomItemSelector::ScrollItemInView(int Index)
{
    if (!FItemSelectorPanel || Index < 0 || Index >= FItems->Count() || !VertScrollBarVisible()) return;
    TRect r = FItems->Items(Index)->Rect();
    r.Top -= VertScrollBarMargin();
    r.Bottom += VertScrollBarMargin();
    // Panel to host client coordinates.
    r.Top += FItemSelectorPanel->Top() - VertPosition();
    r.Bottom += FItemSelectorPanel->Top() - VertPosition();
    const int clientHeight = ClientRect().Height();
    if (r.Top < 0) {
        SetVertPosition(VertPosition() + r.Top);
    } else if (r.Bottom > clientHeight) {
        const int down = r.Height() > clientHeight ? r.Top : r.Bottom - clientHeight;
        SetVertPosition(VertPosition() + down);
    }
}

int TKvCustomItemSelector::GetVisibleItemCount()
{
    if (!FItemSelectorPanel || FItems->Count() == 0) return 0;
    const int itemHeight = FItems->Items(0)->Rect().Height();
    // No layout yet, or one that gave the items no height: no page to step by.
    if (itemHeight <= 0) return 0;
    const int height = Height() - (HorzScrollBarVisible() ? 20 : 0);
    return height / itemHeight * FColumns;
}

void TKvCustomItemSelector::GetSelectorPanelSize(TSize& Size) const
{
    if (!FItemSelectorPanel) {
        Size = TSize{100, 50};
        return;
    }
    Size = TSize{FItemSelectorPanel->Width(), FItemSelectorPanel->Height()};
}

void TKvCustomItemSelector::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE) {
        m.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        return;
    }
    TScrollBox::WndProc(m);
    // The list follows the thumb while it is dragged.
    if (m.Msg == WM_VSCROLL && m.WParamLo() == SB_THUMBTRACK) SetVertPosition(int16_t(m.WParamHi()));
}
