// The memo drop-down: the shown text, the memo in the popup and its keys.
#include "dropdown/memo_dropdown.h"

#include "dropdown/dropdown_draw.h"
#include "platform/ui/graphics.h"
#include "platform/ui/menus.h"

namespace {
bool AltDown() { return (GetKeyState(VK_MENU) & 0x8000) != 0; }
} // namespace

TKvMemoDropDown::TKvMemoDropDown(TComponent* AOwner)
    : TKvCustomDropDown(AOwner), FMemoText(std::make_unique<TStringList>())
{
    FMemoText->OnChange = [this](TObject*) { UpdateEditText(); };
    ConstructOverrides();
}

TKvMemoDropDown::~TKvMemoDropDown()
{
    FMemoText->OnChange = nullptr;
}

QString TKvMemoDropDown::JoinedText() const { return FMemoText->ToStringList().join(FMemoText->LineBreak); }

void TKvMemoDropDown::SetMemoText(const TStrings* Value)
{
    if (!Value) return;
    FMemoText->Assign(Value);
    if (FMemo) FMemo->Lines()->Assign(Value);
}

void TKvMemoDropDown::SetMemoReadOnly(bool Value)
{
    FMemoReadOnly = Value;
    if (FMemo && FDroppedDown) FMemo->SetReadOnly(Value);
}

void TKvMemoDropDown::UpdateEditText()
{
    QString shown;
    if (FMemoText->Count() == 0 || FEditorEnabled) {
        shown = JoinedText();
    } else {
        const QString first = FMemoText->Strings(0);
        TBitmap measure;
        measure.SetSize(1, 1);
        measure.Canvas()->Font()->Assign(*Font());
        const int w = EditRect().Width();
        if (GetTextSize(measure.Canvas(), first).cx < w) {
            shown = FMemoText->Count() > 1 ? first + QStringLiteral("...") : first;
        } else {
            FitTextEllipsis(measure.Canvas(), first, w, shown, true);
        }
    }
    const bool saved = FInternalUpdate;
    FInternalUpdate = true;
    SetTextDirect(shown);
    FInternalUpdate = saved;
}

void TKvMemoDropDown::Change()
{
    if (!FInternalUpdate) {
        // Detached, so the typed text is not rewritten into its shown form.
        auto notify = std::move(FMemoText->OnChange);
        FMemoText->OnChange = nullptr;
        FMemoText->SetText(Text());
        FMemoText->OnChange = std::move(notify);
    }
    TKvCustomDropDown::Change();
}

void TKvMemoDropDown::DoEnter()
{
    TKvCustomDropDown::DoEnter();
    if (FAutoDrop) DoShowDropDown();
}

void TKvMemoDropDown::CreateDropDownForm()
{
    TKvCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    if (!FMemo) {
        FMemo = new TMemo(this);
        FMemo->SetParent(FDropDownForm);
        FMemo->SetBounds(0, 0, FMemo->Width(), 100);
        FMemo->SetBorderStyle(bsNone);
        FMemo->OnChange = [this](TObject*) { if (OnMemoChange) OnMemoChange(this); };
    }
    SetControl(FMemo);
}

void TKvMemoDropDown::BeforeDropDown()
{
    TKvCustomDropDown::BeforeDropDown();
    if (!FDropDownForm || !FMemo) return;
    // Losing the activation closes the popup and keeps the edited lines.
    FDropDownForm->SetCancelOnDeActivate(false);
    FMemo->Lines()->Assign(FMemoText.get());
    FMemo->SetPopupMenu(FMemoPopup);
    FMemo->SetMaxLength(MaxLength());
    FMemo->SetScrollBars(FMemoScrollBars);
    FMemo->SetReadOnly(FMemoReadOnly);
    SetControl(FMemo);
}

void TKvMemoDropDown::DoHideDropDown(bool Cancelled)
{
    // The focus coming back to the edit must not reopen the popup.
    const bool autoDrop = FAutoDrop;
    FAutoDrop = false;
    if (Cancelled && FMemo) FMemo->Lines()->Assign(FMemoText.get());
    // The base puts the text of the opening back; that is a shown form, not lines.
    const bool saved = FInternalUpdate;
    FInternalUpdate = Cancelled;
    TKvCustomDropDown::DoHideDropDown(Cancelled);
    FInternalUpdate = saved;
    if (Cancelled) UpdateEditText();
    FAutoDrop = autoDrop;
}

void TKvMemoDropDown::AfterDropUp()
{
    TKvCustomDropDown::AfterDropUp();
    if (FMemo) {
        auto notify = std::move(FMemoText->OnChange);
        FMemoText->OnChange = nullptr;
        FMemoText->Assign(FMemo->Lines());
        FMemoText->OnChange = std::move(notify);
    }
    UpdateEditText();
    SetSelStart(0);
    SetSelLength(0);
}

void TKvMemoDropDown::ControlKeyDown(WORD& Key, TShiftState Shift)
{
    if ((Key == 'A' || Key == 'a') && Shift.Contains(ssCtrl) && FMemo) FMemo->SelectAll();
    if (AltDown() || Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4)
        TKvCustomDropDown::ControlKeyDown(Key, Shift);
}

void TKvMemoDropDown::ControlKeyUp(WORD& Key, TShiftState Shift)
{
    if (AltDown() || Shift.Contains(ssAlt) || Key == VK_ESCAPE || Key == VK_F4)
        TKvCustomDropDown::ControlKeyUp(Key, Shift);
}

void TKvMemoDropDown::ControlKeyPress(QChar& Key)
{
    if (AltDown() || Key == QChar(27)) TKvCustomDropDown::ControlKeyPress(Key);
}
