// The track bar drop-down: the bar's values, the text that follows the bar,
// the keys and the mouse drag over the edit.
#include "dropdown/trackbar_dropdown.h"

#include "platform/core/sysutils.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/messages.h"

TKvTrackBarDropDown::TKvTrackBarDropDown(TComponent* AOwner) : TKvCustomDropDown(AOwner)
{
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetEditType(etNumeric);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetForceShadow(true);
    ConstructOverrides();
}

void TKvTrackBarDropDown::CreateDropDownForm()
{
    TKvCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    if (!FTrackBar) {
        FTrackBar = new TTrackBar(this);
        FTrackBar->SetParent(FDropDownForm);
        FTrackBar->SetBounds(0, 0, FTrackBar->Width(), 40);
    }
    FTrackBar->OnChange = [this](TObject*) { TrackChanged(); };
}

void TKvTrackBarDropDown::BeforeDropDown()
{
    TKvCustomDropDown::BeforeDropDown();
    if (!FDropDownForm || !FTrackBar) return;
    // Losing the activation closes the popup and keeps the bar's value.
    FDropDownForm->SetCancelOnDeActivate(false);
    FTrackBar->SetMin(FMin);
    FTrackBar->SetMax(FMax);
    FTrackBar->SetPosition(FPosition);
    FTrackBar->SetPageSize(FPageSize);
    FTrackBar->SetFrequency(FFrequency);
    FTrackBar->SetBounds(FTrackBar->Left(), FTrackBar->Top(), Width(), FTrackBar->Height());
    SetControl(FTrackBar);
}

void TKvTrackBarDropDown::SetPosition(int Value)
{
    FPosition = Value;
    if (FTrackBar) {
        FTrackBar->SetPosition(Value);
        FPosition = FTrackBar->Position();
    }
}

void TKvTrackBarDropDown::SetMin(int Value)
{
    FMin = Value;
    if (FTrackBar) {
        FTrackBar->SetMin(Value);
        // The bar moves the other end too when the range would turn over.
        FMin = FTrackBar->Min();
        FMax = FTrackBar->Max();
    }
}

void TKvTrackBarDropDown::SetMax(int Value)
{
    FMax = Value;
    if (FTrackBar) {
        FTrackBar->SetMax(Value);
        FMin = FTrackBar->Min();
        FMax = FTrackBar->Max();
    }
}

void TKvTrackBarDropDown::SetFrequency(int Value)
{
    FFrequency = Value;
    if (FTrackBar) FTrackBar->SetFrequency(Value);
}

void TKvTrackBarDropDown::SetPageSize(int Value)
{
    FPageSize = Value;
    if (FTrackBar) FTrackBar->SetPageSize(Value);
}

void TKvTrackBarDropDown::TrackChanged()
{
    FPosition = FTrackBar->Position();
    // The edit keeps its prefix and suffix around the new value.
    SetTextDirect(FPrefix + QString::number(FPosition) + FSuffix);
    if (OnTrackChange) OnTrackChange(this);
}

void TKvTrackBarDropDown::Change()
{
    TKvCustomDropDown::Change();
    // An empty or malformed text (a cleared cell, a half-typed value) keeps the position.
    int v = 0;
    if (TryStrToInt(Text().trimmed(), v)) SetPosition(v);
}

void TKvTrackBarDropDown::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_KEYDOWN: {
        const WORD vk = WORD(m.WParam);
        TKvCustomDropDown::WndProc(m);
        if (FEditorEnabled || (GetKeyState(VK_MENU) & 0x8000)) return;
        // Up lowers the value; a step that would leave the range does nothing.
        if (vk == VK_UP && FPosition - FFrequency >= FMin) SetPosition(FPosition - FFrequency);
        else if (vk == VK_DOWN && FPosition + FFrequency <= FMax) SetPosition(FPosition + FFrequency);
        return;
    }
    case WM_LBUTTONDOWN:
        TKvCustomDropDown::WndProc(m);
        if (FDropDownEnabled && !FEditorEnabled) {
            FMouseX = GET_X_LPARAM(m.LParam);
            FMouseDraging = true;
        }
        return;
    case WM_MOUSEMOVE:
        TKvCustomDropDown::WndProc(m);
        // A page size below 1 gives no pixels-per-unit scale: the drag then does nothing.
        if (FMouseDraging && FPageSize >= 1) {
            const int x = GET_X_LPARAM(m.LParam);
            SetPosition(FPosition + (x - FMouseX) / FPageSize);
            FMouseX = x;
        }
        return;
    case WM_LBUTTONUP:
        FMouseDraging = false;
        TKvCustomDropDown::WndProc(m);
        return;
    default:
        TKvCustomDropDown::WndProc(m);
    }
}
