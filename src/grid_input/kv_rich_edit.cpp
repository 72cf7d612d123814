#include "grid_input/kv_rich_edit.h"

#include "grid/grid_settings_objects.h"
#include "grid/kv_string_grid.h"

namespace {
constexpr int kSubscriptTwips = -40;
constexpr int kSuperscriptTwips = 40;

TKvStringGrid* OwnerGrid(TComponent* AOwner)
{
    auto* grid = dynamic_cast<TKvStringGrid*>(AOwner);
    if (!grid) throw EKvGridError(QStringLiteral("The rich edit needs a grid as its owner"));
    return grid;
}
} // namespace

TKvRichEdit::TKvRichEdit(TComponent* AOwner) : TRichEdit(OwnerGrid(AOwner)), FGrid(static_cast<TKvStringGrid*>(AOwner))
{
}

void TKvRichEdit::SetOffset(int Twips)
{
    TCharFormat2 cf;
    cf.dwMask = CFM_OFFSET;
    cf.yOffset = Twips;
    Perform(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&cf));
}

int TKvRichEdit::Offset()
{
    TCharFormat2 cf;
    cf.dwMask = CFM_OFFSET;
    Perform(EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&cf));
    return cf.yOffset;
}

void TKvRichEdit::SelNormal() { SetOffset(0); }
void TKvRichEdit::SelSubscript() { SetOffset(kSubscriptTwips); }
void TKvRichEdit::SelSuperscript() { SetOffset(kSuperscriptTwips); }
bool TKvRichEdit::IsSelNormal() { return Offset() == 0; }
bool TKvRichEdit::IsSelSubscript() { return Offset() == kSubscriptTwips; }
bool TKvRichEdit::IsSelSuperscript() { return Offset() == kSuperscriptTwips; }

void TKvRichEdit::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        TRichEdit::WndProc(m);
        m.Result |= DLGC_WANTTAB;
        return;
    case WM_KILLFOCUS:
        // A focus change an editor makes on purpose is none of this editor's business.
        if (FGrid->InvokedFocusChange) return;
        // While the grid stores this editor's value it closes the edit itself.
        if (reinterpret_cast<TControl*>(m.WParam) == FGrid && !FGrid->FBlockKill) FGrid->HideInplaceEdit();
        break;
    case CN_NOTIFY: {
        const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
        if (hdr && hdr->code == EN_REQUESTRESIZE && FGrid->IsRunTime())
            RequestResize(*reinterpret_cast<const TReqResize*>(m.LParam));
        break;
    }
    default:
        break;
    }
    TRichEdit::WndProc(m);
}

void TKvRichEdit::RequestResize(const TReqResize& Request)
{
    const TRect& rc = Request.rc;
    TKvRichEdit* converter = FGrid->RichEdit();
    if (converter && converter->HandleAllocated() && Request.nmhdr.hwndFrom == converter) {
        converter->FReqWidth = rc.Width();
        converter->FReqHeight = rc.Height();
    }
    TKvRichEdit* inplace = FGrid->InplaceRichEdit();
    if (!inplace || !FGrid->SizeWhileTyping()->Height() || Request.nmhdr.hwndFrom != inplace || inplace->Locked())
        return;
    const int H = rc.Height();
    const int row = FGrid->Row();
    if (FGrid->RowHeights(row) < H + 5 && FGrid->CellRect(FGrid->Col(), row).Top + H + 5 < FGrid->Height()) {
        inplace->SetHeight(H + 9);
        FGrid->SetRowHeights(row, H + 10);
        if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, row);
    }
}

void TKvRichEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TRichEdit::KeyDown(Key, Shift);
    if (Key == VK_TAB && FGrid->Options().Contains(goTabs)) {
        if (FGrid->CanFocus()) FGrid->SetFocus();
        WORD k = Key;
        FGrid->KeyDown(k, Shift);
        FGrid->ShowInplaceEdit();
        // Handed over: the editor now shows the next cell, which must not get the Tab as well.
        Key = 0;
    } else if ((Key == VK_UP || Key == VK_DOWN) && !FGrid->WordWrap() && !FGrid->MultilineCells) {
        if (FGrid->CanFocus()) FGrid->SetFocus();
        WORD k = Key;
        FGrid->KeyDown(k, Shift);
        Key = 0;
    }
}
