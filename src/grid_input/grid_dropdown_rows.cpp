// The editor dispatch's rows of the drop-down kinds (edTrackbarDropDown to
// edKvGridDropDown): the editors the grid makes on first use, how each is
// placed over the cell and loaded, and how its value goes back into the cell.
#include "grid/kv_string_grid.h"
#include "grid_input/grid_dropdown_editors.h"
#include "grid_input/grid_editor_rows.h"
#include "platform/core/sysutils.h"
#include "platform/ui/messages.h"

namespace {
// Made on first use: owned by the grid, on the grid, hidden and disabled, in the grid's style and tones.
template <class T>
T* MakeEditor(TKvStringGrid* G, T*& Field, std::vector<TComponent*>& Controls)
{
    if (Field) return Field;
    Field = new T(G);
    Field->SetParent(G);
    Field->SetVisible(false);
    Field->SetEnabled(false);
    Field->SetComponentStyle(G->ComponentStyle());
    Field->SetColorTones(G->ColorTones());
    Controls.push_back(Field);
    return Field;
}

// A cell's integer as the image index of a data-image cell; -1 for a text that is no integer.
int CellImageNumber(const QString& Text)
{
    int v = -1;
    return TryStrToInt(Text.trimmed(), v) ? v : -1;
}

void LoadColor(TKvStringGrid* G, TGridColorDropDown* E, int RealCol, int ARow)
{
    E->SetSelectedColor(G->GetCellType(RealCol, ARow) == ctShape ? G->GetShapeColor(RealCol, ARow)
                                                                   : G->Colors(RealCol, ARow));
}

void LoadImage(TKvStringGrid* G, TGridImageDropDown* E, int RealCol, int ARow)
{
    const TCellType type = G->GetCellType(RealCol, ARow);
    if (type == ctImageList || type == ctDataImage) {
        E->SetImages(G->GridImages());
        if (E->Items()->Count() == 0) E->AddImagesFromImageList();
        int index = -1;
        if (type == ctImageList) G->GetImageIdx(RealCol, ARow, index);
        else index = CellImageNumber(G->Cells(RealCol, ARow));
        E->SetImageIndex(index);
    }
    E->SetTextDirect(E->SelectedCaption());
}
} // namespace

// ============================================================ the editors

TGridTrackbarDropDown* TKvStringGrid::GetEditTrackBar()
{
    if (!FEditTrackBar) MakeEditor(this, FEditTrackBar, FEditorControls)->SetEditorEnabled(true);
    return FEditTrackBar;
}

TGridMemoDropDown* TKvStringGrid::GetEditMemo()
{
    if (!FEditMemo) {
        TGridMemoDropDown* memo = MakeEditor(this, FEditMemo, FEditorControls);
        memo->OnChange = [this, memo](TObject*) { MemoDropDownChange(memo->Lines()); };
    }
    return FEditMemo;
}

TGridCalculatorDropDown* TKvStringGrid::GetEditCalculator()
{
    if (!FEditCalculator) MakeEditor(this, FEditCalculator, FEditorControls)->SetEditorEnabled(true);
    return FEditCalculator;
}

TGridTimepickerDropDown* TKvStringGrid::GetEditTimePicker() { return MakeEditor(this, FEditTimePicker, FEditorControls); }

TGridDetailPickerDropDown* TKvStringGrid::GetEditDetailPicker()
{
    return MakeEditor(this, FEditDetailPicker, FEditorControls);
}

TGridGridDropDown* TKvStringGrid::GetEditGridPicker() { return MakeEditor(this, FEditGridPicker, FEditorControls); }

TGridColorDropDown* TKvStringGrid::GetEditColorPicker()
{
    if (!FEditColorPicker) {
        TGridColorDropDown* picker = MakeEditor(this, FEditColorPicker, FEditorControls);
        picker->AddDefaultColors();
        picker->OnSelect = [this, picker](TObject*) {
            if (OnColorSelect) OnColorSelect(this, Col(), Row(), picker->SelectedColor(), picker->SelectedColorText());
        };
        picker->Steps().Reload = [this] { TGridDropDownRows::Reload(this, RealColIndex(Col()), Row()); };
    }
    return FEditColorPicker;
}

TGridImageDropDown* TKvStringGrid::GetEditImagePicker()
{
    if (!FEditImagePicker) {
        TGridImageDropDown* picker = MakeEditor(this, FEditImagePicker, FEditorControls);
        picker->OnSelect = [this, picker](TObject*) {
            if (OnImageSelect) OnImageSelect(this, Col(), Row(), picker->ItemIndex());
        };
        picker->Steps().Reload = [this] { TGridDropDownRows::Reload(this, RealColIndex(Col()), Row()); };
    }
    return FEditImagePicker;
}

TGridKvGridDropDown* TKvStringGrid::GetEditKvGridPicker()
{
    return MakeEditor(this, FEditKvGridPicker, FEditorControls);
}

void TGridDropDownRows::Reload(TKvStringGrid* G, int RealCol, int ARow)
{
    const TPoint b = G->BaseCell(RealCol, ARow);
    if (G->EditControl == edColorPickerDropDown && G->FEditColorPicker) LoadColor(G, G->FEditColorPicker, b.X, b.Y);
    if (G->EditControl == edImagePickerDropDown && G->FEditImagePicker) LoadImage(G, G->FEditImagePicker, b.X, b.Y);
}

// ============================================================ showing

namespace {
TKvCustomDropDown* EditorOfKind(TKvStringGrid* G, TEditorType Kind)
{
    switch (Kind) {
    case edTrackbarDropDown: return G->GetEditTrackBar();
    case edMemoDropDown: return G->GetEditMemo();
    case edCalculatorDropDown: return G->GetEditCalculator();
    case edTimePickerDropDown: return G->GetEditTimePicker();
    case edDetailDropDown: return G->GetEditDetailPicker();
    case edGridDropDown: return G->GetEditGridPicker();
    case edColorPickerDropDown: return G->GetEditColorPicker();
    case edImagePickerDropDown: return G->GetEditImagePicker();
    case edKvGridDropDown: return G->GetEditKvGridPicker();
    default: return nullptr;
    }
}
} // namespace

bool TGridDropDownRows::Show(TKvStringGrid* G, int ACol, int ARow, const TRect& R, int W, int H, TColor BkColor)
{
    const TEditorType kind = G->EditControl;
    TKvCustomDropDown* E = EditorOfKind(G, kind);
    if (!E) return false;
    G->EditMode = true;
    const int realCol = G->RealColIndex(ACol);
    const TPoint cell = G->BaseCell(realCol, ARow);

    E->SetDropDownFooter(G->ControlLook()->DropDownFooter());
    E->SetDropDownHeader(G->ControlLook()->DropDownHeader());
    E->SetComponentStyle(G->ComponentStyle());
    E->OnDropDownHeaderButtonClick = [G](TObject*, int Index) { G->DropDownHeaderButtonClick(Index); };
    E->OnDropDownFooterButtonClick = [G](TObject*, int Index) { G->DropDownFooterButtonClick(Index); };
    // The two table drop-downs take the cell's colour before the handler may change it.
    if (kind == edGridDropDown || kind == edKvGridDropDown) {
        E->SetColor(BkColor);
        E->SetEditorEnabled(true);
    }
    if (kind == edKvGridDropDown) G->FEditKvGridPicker->GetKvColGrid()->SetFixedRowAlways(true);
    G->GetEditorProp(realCol, ARow);
    E->SetBounds(R.Left, R.Top, 0, 0);
    E->SetEnabled(true);
    E->SetBorderStyle(bsNone);
    E->SetBounds(R.Left, R.Top, W, H);

    const QString text = G->GetEditText(ACol, ARow);
    switch (kind) {
    case edTrackbarDropDown: {
        // A text that is no integer, an empty cell among them, opens at 0.
        int position = 0;
        if (!TryStrToInt(text, position)) position = 0;
        G->FEditTrackBar->SetPosition(position);
        // The edit shows the position, whatever text an earlier edit left in it.
        G->FEditTrackBar->SetText(QString::number(G->FEditTrackBar->Position()));
        break;
    }
    case edMemoDropDown:
    case edCalculatorDropDown:
        E->SetTextDirect(text);
        break;
    case edTimePickerDropDown:
    case edDetailDropDown:
        E->SetTextDirect(text);
        E->SetEditorEnabled(true);
        break;
    case edGridDropDown: {
        TGridGridDropDown* e = G->FEditGridPicker;
        e->BeginUpdate();
        e->EndUpdate();
        e->SetItemIndex(text.isEmpty() ? 0 : e->GetItemIndex(text));
        e->SetTextDirect(text);
        break;
    }
    case edColorPickerDropDown:
        LoadColor(G, G->FEditColorPicker, cell.X, cell.Y);
        break;
    case edImagePickerDropDown:
        LoadImage(G, G->FEditImagePicker, cell.X, cell.Y);
        break;
    case edKvGridDropDown: {
        TGridKvGridDropDown* e = G->FEditKvGridPicker;
        e->BeginUpdate();
        e->EndUpdate();
        if (e->UseItems()) {
            int found = 0;
            if (!text.isEmpty()) {
                QString lookup;
                e->LookupText(text, lookup, found);
            }
            e->SetItemIndex(found);
        }
        e->SetTextDirect(text);
        break;
    }
    default:
        break;
    }
    // The colour and image pickers keep their own colour.
    if (kind != edColorPickerDropDown && kind != edImagePickerDropDown && kind != edGridDropDown &&
        kind != edKvGridDropDown)
        E->SetColor(BkColor);
    E->SetVisible(true);
    if (E->CanFocus()) E->SetFocus();
    if (kind == edDetailDropDown) {
        TGridDetailPickerDropDown* e = G->FEditDetailPicker;
        const int i = e->Items()->IndexOf(e->GetText());
        if (i >= 0) e->SetItemIndex(i);
    }
    G->ReplayStartEditChar(E);
    if (G->MouseActions()->DirectComboDrop()) E->ShowDropDown();
    if (kind == edMemoDropDown) {
        E->SetSelStart(0);
        E->SetSelLength(0);
    }
    G->EditCtrl = E;
    return true;
}

// ============================================================ storing

bool TGridDropDownRows::Hide(TKvStringGrid* G, int RealCol, int ARow)
{
    const TEditorType kind = G->EditControl;
    TKvCustomDropDown* E = nullptr;
    switch (kind) {
    case edTrackbarDropDown: E = G->FEditTrackBar; break;
    case edMemoDropDown: E = G->FEditMemo; break;
    case edCalculatorDropDown: E = G->FEditCalculator; break;
    case edTimePickerDropDown: E = G->FEditTimePicker; break;
    case edDetailDropDown: E = G->FEditDetailPicker; break;
    case edGridDropDown: E = G->FEditGridPicker; break;
    case edColorPickerDropDown: E = G->FEditColorPicker; break;
    case edImagePickerDropDown: E = G->FEditImagePicker; break;
    case edKvGridDropDown: E = G->FEditKvGridPicker; break;
    default: return false;
    }
    if (!G->EditMode || !E) return true;
    G->EditMode = false;
    // An open popup closes as losing its activation would close it, its value kept.
    if (E->DroppedDown()) E->HideDropDown(false);
    switch (kind) {
    case edMemoDropDown:
        G->StoreEditValue(RealCol, ARow, G->FEditMemo->Lines());
        break;
    case edColorPickerDropDown: {
        TGridColorDropDown* e = G->FEditColorPicker;
        TColor color = e->SelectedColor();
        QString value = e->SelectedColorText();
        if (G->OnColorSelected) G->OnColorSelected(G, RealCol, ARow, color, value);
        G->StoreEditValue(RealCol, ARow, value);
        if (G->GetCellType(RealCol, ARow) == ctShape) G->SetShapeColor(RealCol, ARow, color);
        else G->SetColors(RealCol, ARow, color);
        break;
    }
    case edImagePickerDropDown: {
        int index = G->FEditImagePicker->ImageIndex();
        if (G->OnImageSelected) G->OnImageSelected(G, RealCol, ARow, index);
        const TCellType type = G->GetCellType(RealCol, ARow);
        if (type == ctImageList) {
            G->SetImageIdx(RealCol, ARow, index);
            G->RepaintCell(G->DisplColIndexOf(RealCol), ARow);
        } else if (type == ctDataImage) {
            G->StoreEditValue(RealCol, ARow, QString::number(index));
        }
        break;
    }
    default:
        G->StoreEditValue(RealCol, ARow, E->GetText());
        break;
    }
    const bool hadFocus = E->Focused();
    E->SetVisible(false);
    E->SetEnabled(false);
    if (hadFocus && G->CanFocus()) G->SetFocus();
    return true;
}
