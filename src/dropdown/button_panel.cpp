#include "dropdown/button_panel.h"

#include "grid/draw_utils.h"
#include "grid/theme_services.h"
#include "platform/ui/stdctrls.h"

namespace {

struct TDefaultKey {
    const char* Caption;
    const char* Name;
    int Tag;
    bool Special;
};

// The calculator's keys in collection order; ArrangeButtons places them by index.
constexpr TDefaultKey DefaultKeys[TCustomButtonPanel::CalculatorKeyCount] = {
    {"", "BTN_ON", 30, false},       {"Back", "BTN_BACK", 31, true}, {"CE", "BTN_CE", 32, true},
    {"C", "BTN_C", 16, true},        {"MC", "BTN_MC", 33, true},     {"MR", "BTN_MR", 34, true},
    {"MS", "BTN_MS", 35, true},      {"M+", "BTN_M+", 36, true},     {"0", "BTN_0", 0, false},
    {"1", "BTN_1", 1, false},        {"4", "BTN_4", 4, false},       {"7", "BTN_7", 7, false},
    {"8", "BTN_8", 8, false},        {"5", "BTN_5", 5, false},       {"2", "BTN_2", 2, false},
    {"+/-", "BTN_+/-", 14, false},   {".", "BTN_.", 15, false},      {"3", "BTN_3", 3, false},
    {"6", "BTN_6", 6, false},        {"9", "BTN_9", 9, false},       {"/", "BTN_/", 13, true},
    {"*", "BTN_*", 12, true},        {"-", "BTN_-", 11, true},       {"+", "BTN_+", 10, true},
    {"=", "BTN_=", 17, true},        {"1/x", "BTN_1/x", 38, false},  {"%", "BTN_%", 18, false},
    {"sqrt", "BTN_sqrt", 37, true},
};

// Theme states of the push-button part.
enum : int { PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4 };
constexpr int BP_PUSHBUTTON = 1;

int ScaleChannel(int Value, int Percent)
{
    const int q = Value * Percent;
    int r = q / 100;
    const int rem = q % 100;
    if (rem > 50 || (rem == 50 && (r & 1))) ++r;
    return std::min(r, 255);
}

} // namespace

TColor ScaleColorChannels(TColor Color, int RedPercent, int GreenPercent, int BluePercent)
{
    return RGB(ScaleChannel(GetRValue(Color), RedPercent), ScaleChannel(GetGValue(Color), GreenPercent),
               ScaleChannel(GetBValue(Color), BluePercent));
}

// ---------------------------------------------------------------- keys

TButtonItem::TButtonItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>())
{
}

TButtonItem::~TButtonItem() = default;

void TButtonItem::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
}

void TButtonItem::Assign(const TPersistent* Source)
{
    if (auto* S = dynamic_cast<const TButtonItem*>(Source)) {
        FCaption = S->FCaption;
        FCaptionColor = S->FCaptionColor;
        FTag = S->FTag;
        FImageIndex = S->FImageIndex;
        FImage->Assign(S->FImage.get());
        FEnabled = S->FEnabled;
        FName = S->FName;
        return;
    }
    TCollectionItem::Assign(Source);
}

TButtonItems::TButtonItems(TPersistent* AOwner)
    : TCollection([](TCollection* C) { return new TButtonItem(C); }), FMyOwner(AOwner)
{
}

void TButtonItems::Update(TCollectionItem*)
{
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- appearance

TButtonAppearance::TButtonAppearance()
    : FColorCheckedTo(ScaleColorChannels(0xF9D2B2, 90, 90, 100)),
      FColorDisabled(ScaleColorChannels(0xFFFFFF, 95, 95, 95)),
      FColorDisabledTo(ScaleColorChannels(0xFFFFFF, 95, 95, 95)),
      FColorChecked(ScaleColorChannels(0xF5F0E1, 90, 90, 100)),
      FFont(std::make_unique<TFont>())
{
    FFont->SetSize(10);
    FFont->SetStyle(fsBold);
}

TButtonAppearance::~TButtonAppearance() = default;

void TButtonAppearance::SetColorField(TColor& Field, TColor Value)
{
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
}

void TButtonAppearance::Assign(const TPersistent* Source)
{
    auto* S = dynamic_cast<const TButtonAppearance*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    SetBorderColor(S->FBorderColor);
    SetBorderColorHot(S->FBorderColorHot);
    SetBorderColorDown(S->FBorderColorDown);
    SetBorderColorChecked(S->FBorderColorChecked);
    SetColor(S->FColor);
    SetColorTo(S->FColorTo);
    SetColorDown(S->FColorDown);
    SetColorDownTo(S->FColorDownTo);
    SetColorHot(S->FColorHot);
    SetColorHotTo(S->FColorHotTo);
    SetColorCheckedTo(S->FColorCheckedTo);
    SetColorDisabled(S->FColorDisabled);
    SetColorDisabledTo(S->FColorDisabledTo);
    SetColorChecked(S->FColorChecked);
    SetShineColor(S->FShineColor);
    FGlowColorHot = S->FGlowColorHot;
    FGlowColorDown = S->FGlowColorDown;
    SetTextColor(S->FTextColor);
    SetSpecialTextColor(S->FSpecialTextColor);
    FFont->Assign(*S->FFont);
}

// ---------------------------------------------------------------- panel

TCustomButtonPanel::TCustomButtonPanel(TComponent* AOwner)
    : TCustomControl(AOwner),
      FButtons(std::make_unique<TButtonItems>(this)),
      FButtonAppearance(std::make_unique<TButtonAppearance>())
{
    FButtons->OnChange = [this](TObject*) { ButtonsChanged(); };
    FButtonAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
    FIsWinXP = IsWinXPOrLater();
}

TCustomButtonPanel::~TCustomButtonPanel()
{
    FButtons->OnChange = nullptr;
    FButtonAppearance->OnChange = nullptr;
    if (FEdit) FEdit->RemoveFreeNotification(this);
}

void TCustomButtonPanel::Loaded()
{
    TCustomControl::Loaded();
    if (Standalone()) AddDefaultButtons();
}

void TCustomButtonPanel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && !IsDestroying() && AComponent && AComponent == FEdit) SetEdit(nullptr);
}

void TCustomButtonPanel::SetImages(TImageList* Value)
{
    if (FImages == Value) return;
    FImages = Value;
    ArrangeButtons();
}

void TCustomButtonPanel::SetEdit(TCustomEdit* Value)
{
    if (FEdit == Value) return;
    if (FEdit) FEdit->RemoveFreeNotification(this);
    FEdit = Value;
    if (FEdit) FEdit->FreeNotification(this);
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType Value)
{
    if (FButtonPanelType == Value) return;
    FButtonPanelType = Value;
    ArrangeButtons();
}

void TCustomButtonPanel::ButtonsChanged()
{
    if (Standalone()) Invalidate();
}

void TCustomButtonPanel::AppearanceChanged()
{
    if (Standalone()) Invalidate();
}

void TCustomButtonPanel::GetButtonRect(int Index, TRect& R) const
{
    if (Index < 0 || Index >= FButtons->Count()) {
        R = TRect(-1, -1, -1, -1);
        return;
    }
    R = FButtons->Items(Index)->GetRect();
}

int TCustomButtonPanel::ButtonAtPos(int X, int Y) const
{
    for (int i = 0; i < FButtons->Count(); ++i)
        if (PtInRect(FButtons->Items(i)->GetRect(), TPoint(X, Y))) return i;
    return -1;
}

void TCustomButtonPanel::ButtonClick(int Index)
{
    if (OnButtonClick) OnButtonClick(this, Index);
}

void TCustomButtonPanel::ClearButtons() { FButtons->Clear(); }

void TCustomButtonPanel::ResetButtons()
{
    ClearButtons();
    AddDefaultButtons();
}

void TCustomButtonPanel::GetButtonsRect(TRect& R)
{
    R = ClientRect();
    InflateRect(R, -FOffSetX, -FOffSetY);
}

void TCustomButtonPanel::AddDefaultButtons()
{
    if (FButtons->Count() > 0) return;
    if (FButtonPanelType == plCalculator) {
        FButtons->BeginUpdate();
        for (const TDefaultKey& k : DefaultKeys) {
            TButtonItem* b = FButtons->Add();
            b->SetCaption(QString::fromLatin1(k.Caption));
            b->SetName(QString::fromLatin1(k.Name));
            b->SetTag(k.Tag);
            b->SetSpecial(k.Special);
            if (k.Special) b->SetCaptionColor(0x000080);
        }
        FButtons->EndUpdate();
    }
    ArrangeButtons();
}

void TCustomButtonPanel::ArrangeButtons()
{
    if (FButtons->Count() == 0 || FButtonPanelType == plCustom) return;
    // The fixed pad addresses the calculator keys by index.
    if (FButtons->Count() < CalculatorKeyCount) return;
    TRect R;
    GetButtonsRect(R);
    constexpr int G = 4;
    const int W = (R.Right - R.Left - 2 * G) / 6;
    const int H = (R.Bottom - R.Top - 4) / 5;
    const int y[5] = {R.Top, R.Top + H + G, R.Top + H + G + H - 1, R.Top + H + G + 2 * (H - 1),
                      R.Top + H + G + 3 * (H - 1)};
    const int x0 = R.Left, x1 = x0 + W + G, x2 = x1 + W - 1, x3 = x2 + W - 1, x4 = x3 + W + G, x5 = x4 + W - 1;
    auto place = [&](int Index, int X, int Y) { FButtons->Items(Index)->SetBounds(X, Y, W, H); };
    place(0, x0, y[0]);
    // Columns top to bottom (rows 1 to 4).
    const int columns[6][4] = {{4, 5, 6, 7}, {11, 10, 9, 8}, {12, 13, 14, 15},
                               {19, 18, 17, 16}, {20, 21, 22, 23}, {27, 26, 25, 24}};
    const int xs[6] = {x0, x1, x2, x3, x4, x5};
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 4; ++r) place(columns[c][r], xs[c], y[r + 1]);
    TButtonItem* k0 = FButtons->Items(0);
    const int L0 = k0->Left() + k0->Width() + G, E = x5 + W;
    const int N = (E - L0 - 2 * G) / 3;
    FButtons->Items(1)->SetBounds(L0, y[0], N, H);
    FButtons->Items(2)->SetBounds(L0 + N + G, y[0], N, H);
    FButtons->Items(3)->SetBounds(L0 + 2 * N + 2 * G, y[0], E - (L0 + 2 * N + 2 * G), H);
}

void TCustomButtonPanel::InvalidateButton(int Index)
{
    if (Index < 0 || Index >= FButtons->Count()) return;
    TRect r = FButtons->Items(Index)->GetRect();
    InflateRect(r, 8, 8);
    InvalidateRect(Handle(), &r, true);
}

void TCustomButtonPanel::WndProc(TMessage& Message)
{
    TCustomControl::WndProc(Message);
    if (Message.Msg == WM_SIZE) ArrangeButtons();
}

void TCustomButtonPanel::Paint()
{
    TCustomControl::Paint();
    TCanvas* c = Canvas();
    if (Standalone()) {
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(ClientRect());
    }
    DrawAllButtons(c, FButtonHot);
    DrawButton(FButtonHot, c);
}

void TCustomButtonPanel::DrawAllButtons(TCanvas* Canvas, int Except)
{
    for (int i = 0; i < FButtons->Count(); ++i)
        if (i != Except) DrawButton(i, Canvas);
}

void TCustomButtonPanel::DrawButton(int Index, TCanvas* Canvas)
{
    if (Index < 0 || Index >= FButtons->Count() || !Canvas) return;
    TButtonItem* b = FButtons->Items(Index);
    TRect R = b->GetRect();
    if (R.Left < 0 && R.Right < 0) return;

    Canvas->Brush()->SetColor(Color());
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->FillRect(R);
    const int state = !Enabled() ? PBS_DISABLED
                      : Index == FButtonDown ? PBS_PRESSED
                      : Index == FButtonHot  ? PBS_HOT
                                             : PBS_NORMAL;
    HTHEME theme = OpenThemeData(Handle(), QStringLiteral("button"));
    if (theme) {
        DrawThemeBackground(theme, Canvas, BP_PUSHBUTTON, state, R);
        CloseThemeData(theme);
    } else {
        // Without visual styles the key gets the classic push-button face.
        static const int classic[] = {0, ebNormal, ebHot, ebDown, ebDisabled};
        DrawPushButton(Canvas, Handle(), R, ebsClassic, classic[state], TColorTones());
    }

    // Image size: the key's own picture, else the panel's list image.
    int iw = 0, ih = 0;
    const bool ownImage = b->Image()->Graphic() && !b->Image()->Graphic()->Empty();
    const bool listImage = !ownImage && FImages && b->ImageIndex() >= 0;
    if (ownImage) {
        iw = b->Image()->Width();
        ih = b->Image()->Height();
    } else if (listImage) {
        iw = FImages->Width();
        ih = FImages->Height();
    }
    const bool hasImage = ownImage || listImage;
    auto drawImage = [&](int X, int Y) {
        if (ownImage) Canvas->Draw(X, Y, b->Image()->Graphic());
        else if (listImage) FImages->Draw(Canvas, X, Y, b->ImageIndex(), b->Enabled());
    };

    TRect C = R;
    InflateRect(C, -FButtonOffSetX, -FButtonOffSetY);
    Canvas->SetFont(*FButtonAppearance->Font());
    Canvas->Font()->SetColor(b->Special() ? FButtonAppearance->SpecialTextColor() : FButtonAppearance->TextColor());
    Canvas->Brush()->SetStyle(bsClear);
    const QString caption = b->Caption();
    const bool sideLayout = FButtonLayout == ilCaptionLeft || FButtonLayout == ilCaptionRight;
    const unsigned flags = tfSingleLine | tfVerticalCenter | tfNoPrefix | (!sideLayout || !hasImage ? tfCenter : tfLeft);
    auto drawCaption = [&](TRect Area) {
        QString text = caption;
        Canvas->TextRect(Area, text, flags);
    };
    const int vCentre = C.Top + (C.Height() - ih) / 2;

    switch (FButtonLayout) {
    case ilCaptionLeft:
        if (!caption.isEmpty()) {
            C.Right -= iw;
            drawCaption(C);
        }
        if (hasImage)
            drawImage(C.Left + (caption.isEmpty() ? 0 : Canvas->TextWidth(caption)) + FCaptionGap, vCentre);
        break;
    case ilCaptionRight:
        if (hasImage) {
            drawImage(C.Left, vCentre);
            C.Left = C.Left + iw + FCaptionGap;
        }
        drawCaption(C);
        break;
    case ilCaptionTop: {
        int imageTop = vCentre;
        if (!caption.isEmpty()) {
            C.Bottom -= ih;
            drawCaption(C);
            imageTop = C.Top + Canvas->TextHeight(caption) + FCaptionGap;
        }
        if (hasImage) drawImage(C.Left, imageTop);
        break;
    }
    case ilCaptionBottom: {
        const int imageTop = caption.isEmpty() ? vCentre : C.Top;
        if (hasImage) drawImage(C.Left, imageTop);
        C.Top = imageTop + ih + FCaptionGap;
        drawCaption(C);
        break;
    }
    }
}

void TCustomButtonPanel::GetButtonSize(TSize& Size)
{
    TCanvas* c = Canvas();
    c->SetFont(*Font());
    int iw = 0, ih = 0, cw = 0, ch = 0;
    for (int i = 0; i < FButtons->Count(); ++i) {
        TButtonItem* b = FButtons->Items(i);
        if (b->Image()->Graphic() && !b->Image()->Graphic()->Empty()) {
            iw = std::max(iw, b->Image()->Width());
            ih = std::max(ih, b->Image()->Height());
        } else if (FImages && b->ImageIndex() >= 0) {
            iw = std::max(iw, FImages->Width());
            ih = std::max(ih, FImages->Height());
        }
        if (!b->Caption().isEmpty()) {
            cw = std::max(cw, c->TextWidth(b->Caption()));
            ch = std::max(ch, c->TextHeight(b->Caption()));
        }
    }
    const int gap = iw > 0 && cw > 0 ? FCaptionGap : 0;
    if (FButtonLayout == ilCaptionLeft || FButtonLayout == ilCaptionRight) {
        Size.cx = 2 * FButtonOffSetX + iw + gap + cw;
        Size.cy = std::max(ih, ch) + 2 * FButtonOffSetY;
    } else {
        Size.cx = std::max(iw, cw) + 2 * FButtonOffSetX;
        Size.cy = 2 * FButtonOffSetY + ih + gap + ch;
    }
}

void TCustomButtonPanel::MoveMark(int& Field, int Index)
{
    if (Index == Field) return;
    if (Index >= 0 && Index < FButtons->Count() && !FButtons->Items(Index)->Enabled()) return;
    const int old = Field;
    Field = -1;
    InvalidateButton(old);
    Field = Index;
    if (Field >= 0) DrawButton(Field, Canvas());
}

void TCustomButtonPanel::SetButtonHot(int Index) { MoveMark(FButtonHot, Index); }
void TCustomButtonPanel::SetButtonDown(int Index) { MoveMark(FButtonDown, Index); }

void TCustomButtonPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    const int k = ButtonAtPos(X, Y);
    if (k < 0) {
        if (FButtonHot >= 0) SetButtonHot(-1);
    } else if (k != FButtonHot) {
        SetButtonHot(FButtons->Items(k)->Enabled() ? k : -1);
    }
}

void TCustomButtonPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const int k = ButtonAtPos(X, Y);
    if (k >= 0 && FButtons->Items(k)->Enabled()) SetButtonDown(k);
}

void TCustomButtonPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FButtonDown < 0) return;
    int k = ButtonAtPos(X, Y);
    if (k != FButtonDown) k = -1;
    SetButtonDown(-1);
    if (k >= 0) ButtonClick(k);
}

void TCustomButtonPanel::MouseLeave()
{
    TCustomControl::MouseLeave();
    SetButtonHot(-1);
}
