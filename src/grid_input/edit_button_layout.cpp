#include "grid_input/edit_button_layout.h"

#include "platform/ui/messages.h"

#include <QFontMetrics>

void EditFontHeights(const TFont* Font, int& FontHeight, int& Smaller)
{
    FontHeight = QFontMetrics(Font->ToQFont()).height();
    Smaller = std::min(FontHeight, QFontMetrics(TFont().ToQFont()).height());
}

void PlaceEditButton(TControl* Button, int EditWidth, int EditHeight, TBorderStyle Border, bool Ctl3D)
{
    const int fw = EditFrameWidth(Border);
    const int k = Border == bsNone ? 1 : 5;
    const int bw = Button->Width();
    if (Ctl3D) Button->SetBounds(EditWidth - bw - k + fw, fw, bw, EditHeight - k);
    else Button->SetBounds(EditWidth - bw + fw, 1 + fw, bw, EditHeight - 3);
}

void SetEditTextRect(TControl* Edit, TBorderStyle Border, int Left, int Top, int Right)
{
    const int w = Edit->Width();
    const int clientW = w - 2 * EditFrameWidth(Border);
    // The rectangle message keeps margins from the edges; the bottom lies below
    // the client area, so there is no bottom margin.
    TRect r(Left, Top, w - (clientW - Right), Edit->Height());
    Edit->Perform(EM_SETRECT, 0, LPARAM(&r));
}

bool FitEditButton(TControl* Edit, TControl* Button, int MinHeight, TBorderStyle Border, bool Ctl3D)
{
    if (Edit->Height() < MinHeight) {
        Edit->SetHeight(MinHeight);
        return false;
    }
    PlaceEditButton(Button, Edit->Width(), Edit->Height(), Border, Ctl3D);
    return true;
}

void FocusAfterButton(TWinControl* Host, TWinControl* FocusControl)
{
    if (FocusControl && FocusControl->TabStop() && FocusControl->CanFocus() && !FocusControl->Focused())
        FocusControl->SetFocus();
    else if (Host->TabStop() && Host->CanFocus() && !Host->Focused())
        Host->SetFocus();
}
