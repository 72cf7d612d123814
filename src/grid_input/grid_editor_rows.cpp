// The editor dispatch's rows of the spin, edit-with-button, check box, date,
// time, cell button, value-with-unit and date-and-time kinds: how each editor
// is placed over the cell and loaded, and how its value goes back into the
// cell; and the editors the grid makes on first use.
#include "grid_input/grid_editor_rows.h"

#include "grid/grid_editor_controls.h"
#include "grid/grid_text.h"
#include "grid/kv_string_grid.h"
#include "platform/core/format_settings.h"
#include "platform/ui/messages.h"

#include <QtWidgets/QCalendarWidget>
#include <algorithm>

namespace {
template <class T>
T* FindEditor(const std::vector<TComponent*>& Controls)
{
    for (TComponent* c : Controls)
        if (auto* e = dynamic_cast<T*>(c)) return e;
    return nullptr;
}

void Place(TWinControl* C, const TRect& R, int W, int H) { C->SetBounds(R.Left, R.Top, W, H); }

void Focus(TWinControl* C)
{
    if (C->CanFocus()) C->SetFocus();
}
} // namespace

// ============================================================ the editors

TGridCheckBox* TKvStringGrid::EditCheck() const { return FindEditor<TGridCheckBox>(FEditorControls); }
TGridEditBtn* TKvStringGrid::EditBtn() const
{
    // The unit editor is an edit with a button too: the first plain one is meant.
    for (TComponent* c : FEditorControls)
        if (auto* e = dynamic_cast<TGridEditBtn*>(c)) return e;
    return nullptr;
}
TGridUnitEditBtn* TKvStringGrid::UnitEditBtn() const { return FindEditor<TGridUnitEditBtn>(FEditorControls); }
TGridButton* TKvStringGrid::GridButton() const { return FindEditor<TGridButton>(FEditorControls); }

TGridSpin* TKvStringGrid::GetEditSpin()
{
    if (!FEditSpin) {
        FEditSpin = new TGridSpin(this);
        FEditSpin->SetParent(this);
        FEditSpin->SetVisible(false);
        FEditSpin->SetEnabled(false);
        FEditSpin->SetBorderStyle(bsNone);
        FEditSpin->SetIsWinXP(FIsWinXP);
        FEditSpin->Button()->SetIsWinXP(FIsWinXP);
        FEditorControls.push_back(FEditSpin);
    }
    return FEditSpin;
}

TGridDatePicker* TKvStringGrid::GetEditDate()
{
    if (!FEditDate) {
        FEditDate = new TGridDatePicker(this);
        FEditDate->SetParent(this);
        FEditDate->SetVisible(false);
        FEditDate->SetEnabled(false);
        TGridDatePicker* picker = FEditDate;
        picker->OnCloseUp = [this](TObject*) { DateEditorCloseUp(); };
        picker->OnDropDown = [this, picker](TObject*) {
            unsigned style = 0;
            if (!picker->ShowToday()) style |= MCS_NOTODAY;
            if (!picker->ShowTodayCircle()) style |= MCS_NOTODAYCIRCLE;
            if (picker->Weeknumbers()) style |= MCS_WEEKNUMBERS;
            picker->SetCalendarStyle(style);
            picker->SizeCalendarToMinimum(2);
            DateEditorDropDown();
        };
        picker->OnChange = [this, picker](TObject*) {
            DateEditorChange(picker->DateTime(), picker->Kind() == dtkTime);
        };
        FEditorControls.push_back(FEditDate);
    }
    return FEditDate;
}

TGridDateTimePicker* TKvStringGrid::GetEditDateTime()
{
    if (!FEditDateTime) {
        FEditDateTime = new TGridDateTimePicker(this);
        FEditDateTime->SetParent(this);
        FEditDateTime->SetVisible(false);
        FEditDateTime->SetEnabled(false);
        FEditDateTime->SetAutoTab(true);
        TGridDateTimePicker* picker = FEditDateTime;
        picker->OnCloseUp = [this](TObject*) { DateEditorCloseUp(); };
        picker->OnTimeChange = [this, picker](TObject*) { DateTimeEditorChange(picker->DateTime()); };
        FEditorControls.push_back(FEditDateTime);
    }
    return FEditDateTime;
}

// ============================================================ showing

bool TGridEditorRows::Show(TKvStringGrid* G, int ACol, int ARow, const TRect& R, int W, int H, TColor BkColor)
{
    const TEditorType kind = G->EditControl;
    const int realCol = G->RealColIndex(ACol);
    const bool dateAvailable = KvGridUnit::DateTimeControlAvailable;
    switch (kind) {
    case edSpinEdit: case edFloatSpinEdit: case edTimeSpinEdit: case edDateSpinEdit: {
        G->EditMode = true;
        TGridSpin* spin = G->GetEditSpin();
        spin->ReCreate();
        Place(spin, R, W, H);
        spin->SetVisible(true);
        spin->SetEnabled(true);
        spin->SetColor(BkColor);
        spin->SetExcelStyleDecimalSeparator(G->ExcelStyleDecimalSeparator);
        G->GetEditorProp(realCol, ARow);
        const QString text = G->GetEditText(ACol, ARow);
        if (kind == edSpinEdit) {
            spin->SetSpinType(sptNormal);
            spin->SetValue(ReadSpinInteger(text));
        } else if (kind == edFloatSpinEdit) {
            spin->SetSpinType(sptFloat);
            spin->SetFloatValue(ReadSpinFloat(text));
        } else if (kind == edTimeSpinEdit) {
            spin->SetSpinType(sptTime);
            spin->SetText(text);
        } else {
            spin->SetSpinType(sptDate);
            TDateTime d = 0;
            if (text.isEmpty() || !TryStrToDate(text, d)) d = Now();
            spin->SetDateValue(d);
        }
        Focus(spin);
        G->ReplayStartEditChar(spin);
        if (G->FSpinUpClick) spin->UpClick(false);
        if (G->FSpinDnClick) spin->DownClick(false);
        G->EditCtrl = spin;
        return true;
    }
    case edEditBtn: case edNumericEditBtn: case edFloatEditBtn: case edMaskEditBtn: {
        G->EditMode = true;
        TGridEditBtn* e = G->EditBtn();
        if (!e) return true;
        e->ReCreate();
        e->SetBounds(R.Left, R.Top, W, e->Height());
        e->SetText(G->GetEditText(ACol, ARow));
        e->SetMaxLength(G->GetEditLimit());
        e->SetVisible(true);
        e->SetEnabled(true);
        e->SetColor(BkColor);
        Focus(e);
        e->SetHeight(H);
        e->SetEditMask(kind == edMaskEditBtn ? G->GetEditMask(realCol, ARow) : QString());
        G->ReplayStartEditChar(e);
        G->EditCtrl = e;
        return true;
    }
    case edCheckBox: {
        G->EditMode = true;
        TGridCheckBox* c = G->EditCheck();
        if (!c) return true;
        c->ReCreate();
        Place(c, R, W, H);
        c->SetCaption(G->GetEditText(ACol, ARow));
        c->SetEnabled(true);
        c->SetCheckedNoClick(false);
        c->SetVisible(true);
        Focus(c);
        return true;
    }
    case edDateEdit: case edDateEditUpDown: {
        G->EditMode = true;
        if (!dateAvailable) return true;
        TGridDatePicker* p = G->GetEditDate();
        p->ReCreate();
        const QString text = G->GetEditText(ACol, ARow);
        TDateTime d = Now();
        if (!text.isEmpty()) {
            if (G->OnCustomStrToDate) G->OnCustomStrToDate(G, text, d);
            else if (!TryStrToDateTime(text, d)) d = Now();
        }
        if (p->MaxDate() != 0 && p->MaxDate() < d) d = p->MaxDate() - 1;
        if (p->MinDate() != 0 && p->MinDate() >= d) d = p->MinDate() + 1;
        p->SetDate(d);
        p->SetKind(dtkDate);
        p->SetDateMode(kind == edDateEditUpDown ? dmUpDown : dmComboBox);
        G->GetEditorProp(realCol, ARow);
        p->SetBounds(R.Left, R.Top, W, H);
        p->SetEnabled(true);
        p->SetVisible(true);
        p->SetColor(BkColor);
        Focus(p);
        if (G->MouseActions()->DirectDateDrop()) p->Perform(WM_KEYDOWN, VK_F4, 0);
        G->ReplayStartEditChar(p);
        G->EditCtrl = p;
        return true;
    }
    case edTimeEdit: {
        G->EditMode = true;
        if (!dateAvailable) return true;
        TGridDatePicker* p = G->GetEditDate();
        p->ReCreate();
        TDateTime t = 0;
        if (!TryStrToTime(G->GetEditText(ACol, ARow), t)) t = Now();
        p->SetTime(t);
        p->SetKind(dtkTime);
        Place(p, R, W, H);
        p->SetEnabled(true);
        p->SetVisible(true);
        p->SetColor(BkColor);
        G->GetEditorProp(realCol, ARow);
        Focus(p);
        G->EditCtrl = p;
        return true;
    }
    case edButton: {
        G->EditMode = true;
        TGridButton* b = G->GridButton();
        if (!b) return true;
        b->ReCreate();
        b->SetBounds(R.Left - 1, R.Top - 1, W + 2, H + 2);
        b->SetCaption(G->GetEditText(ACol, ARow));
        b->SetVisible(true);
        b->SetEnabled(true);
        Focus(b);
        G->EditCtrl = b;
        return true;
    }
    case edUnitEditBtn: case edNumericUnitEditBtn: case edFloatUnitEditBtn: {
        G->EditMode = true;
        TGridUnitEditBtn* u = G->UnitEditBtn();
        if (!u) return true;
        u->ReCreate();
        u->SetBounds(R.Left, R.Top, W, u->Height());
        u->SetMaxLength(G->GetEditLimit());
        u->SetUnitID(QString());
        u->SetText(QString());
        u->SetTextAndUnit(G->GetEditText(ACol, ARow));
        G->GetEditorProp(realCol, ARow);
        u->SetVisible(true);
        u->SetEnabled(true);
        u->SetColor(BkColor);
        Focus(u);
        u->SetHeight(H);
        G->ReplayStartEditChar(u);
        G->EditCtrl = u;
        return true;
    }
    case edDateTimeEdit: {
        G->EditMode = true;
        if (!dateAvailable) return true;
        TGridDateTimePicker* p = G->GetEditDateTime();
        TDateTime d = 0;
        if (!TryStrToDateTime(G->GetEditText(ACol, ARow), d)) d = Now();
        G->FOriginalDateTime = d;
        p->SetDateTime(d);
        p->SetKind(dkDateTime);
        p->SetBorderStyle(bsNone);
        const int h = p->Height() < H ? H : p->Height();
        p->SetBounds(R.Left, R.Top, W, h);
        G->GetEditorProp(realCol, ARow);
        // A cell too narrow for the date beside the time gets a wider editor, kept
        // inside the grid where the grid is wide enough.
        if (const int need = p->DateAndTimeWidth(); need > W)
            p->SetBounds(std::max(0, std::min(R.Left, G->ClientWidth() - need)), R.Top, need, h);
        p->SetEnabled(true);
        p->SetVisible(true);
        p->SetColor(BkColor);
        Focus(p);
        return true;
    }
    default:
        return false;
    }
}

// ============================================================ storing

bool TGridEditorRows::Hide(TKvStringGrid* G, int RealCol, int ARow)
{
    const TEditorType kind = G->EditControl;
    const bool dateAvailable = KvGridUnit::DateTimeControlAvailable;
    auto close = [G](TWinControl* c) {
        if (!c) return;
        const bool hadFocus = c->Focused();
        c->SetEnabled(false);
        c->SetVisible(false);
        if (hadFocus && G->CanFocus()) G->SetFocus();
    };
    switch (kind) {
    case edSpinEdit: case edFloatSpinEdit: case edTimeSpinEdit: case edDateSpinEdit: {
        G->EditMode = false;
        TGridSpin* spin = G->GetEditSpin();
        if (spin->AllowEmptyValue() && spin->Text().trimmed().isEmpty()) G->SetCells(RealCol, ARow, QString());
        else if (kind == edSpinEdit) G->SetInts(RealCol, ARow, spin->Value());
        else if (kind == edFloatSpinEdit) G->SetFloats(RealCol, ARow, spin->FloatValue());
        else if (kind == edTimeSpinEdit) G->StoreEditValue(RealCol, ARow, spin->Text());
        else G->SetDates(RealCol, ARow, spin->DateValue());
        close(spin);
        return true;
    }
    case edEditBtn: case edNumericEditBtn: case edFloatEditBtn: case edMaskEditBtn:
        if (G->EditMode) {
            G->EditMode = false;
            if (TGridEditBtn* e = G->EditBtn()) {
                G->StoreEditValue(RealCol, ARow, e->Text());
                close(e);
            }
        }
        return true;
    case edCheckBox:
        // The box's state never reaches the cell.
        close(G->EditCheck());
        G->EditMode = false;
        return true;
    case edDateEdit: case edDateEditUpDown:
        if (dateAvailable && G->FEditDate) {
            TGridDatePicker* p = G->FEditDate;
            G->StoreEditValue(RealCol, ARow, p->Checked() ? p->Text() : QString());
            G->EditMode = false;
            close(p);
            if (QCalendarWidget* cal = p->CalendarWidget()) cal->window()->hide();
        }
        return true;
    case edTimeEdit:
        if (dateAvailable && G->FEditDate) {
            TGridDatePicker* p = G->FEditDate;
            // The text is read with the picker's format as the long time format; the
            // application's own setting is back afterwards.
            TFormatSettings fs = FormatSettings();
            if (!p->Format().isEmpty()) fs.LongTimeFormat = p->Format();
            QString text;
            {
                TFormatSettingsScope scope(fs);
                text = p->Text();
            }
            G->StoreEditValue(RealCol, ARow, text);
            close(p);
            G->EditMode = false;
        }
        return true;
    case edButton:
        close(G->GridButton());
        G->EditMode = false;
        return true;
    case edUnitEditBtn: case edNumericUnitEditBtn: case edFloatUnitEditBtn:
        if (TGridUnitEditBtn* u = G->UnitEditBtn()) {
            G->StoreEditValue(RealCol, ARow, u->TextAndUnit());
            close(u);
        }
        G->EditMode = false;
        return true;
    case edDateTimeEdit:
        if (dateAvailable && G->FEditDateTime) {
            TGridDateTimePicker* p = G->FEditDateTime;
            G->StoreEditValue(RealCol, ARow, p->Checked() ? p->DateTimeText() : QString());
            G->EditMode = false;
            close(p);
        }
        return true;
    default:
        return false;
    }
}
