// The form controls in a cell's HTML text: a click toggles CHECK and RADIO
// controls and holds BUTTON ones; EDIT, PASSWORD, MASK and COMBO controls are
// edited in a small editor placed over the control, whose text goes back into
// the cell's HTML when the editor closes.
#include "grid/grid_editor_controls.h"
#include "grid/grid_text.h"
#include "grid/html_markup.h"
#include "grid/html_render.h"
#include "grid/kv_string_grid.h"
#include "grid_input/grid_input_state.h"
#include "platform/core/shell_open.h"

// ============================================================ the two editors

namespace {
TKvStringGrid* GridOf(TControl* C) { return dynamic_cast<TKvStringGrid*>(C->Parent()); }

// Enter and Tab end the control's edit; Tab goes on to the next control or cell.
bool ControlKey(TWinControl* Editor, QChar& Key)
{
    TKvStringGrid* g = GridOf(Editor);
    if (!g || (Key.unicode() != 13 && Key.unicode() != 9)) return false;
    const bool tab = Key.unicode() == 9;
    Key = QChar(0);
    const QString id = g->ControlEditID();
    if (Editor->OnExit) Editor->OnExit(Editor);
    if (!tab) {
        if (g->CanFocus()) g->SetFocus();
        return true;
    }
    if (g->Navigation()->AdvanceAuto()) g->EnterAdvance(true);
    else g->EditNextHTMLControl(g->Col(), g->Row(), id);
    return true;
}
} // namespace

void TControlEdit::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE && GridOf(this)) {
        TMaskEdit::WndProc(Message);
        Message.Result = (Message.Result | DLGC_WANTTAB) & ~DLGC_WANTALLKEYS;
        return;
    }
    if (Message.Msg == CM_WANTSPECIALKEY && GridOf(this) && Message.WParam == VK_TAB) {
        Message.Result = 1;
        return;
    }
    TMaskEdit::WndProc(Message);
}

void TControlEdit::KeyPress(QChar& Key)
{
    if (ControlKey(this, Key)) return;
    TMaskEdit::KeyPress(Key);
}

void TControlCombo::WndProc(TMessage& Message)
{
    if ((Message.Msg == CM_WANTSPECIALKEY && Message.WParam == VK_TAB) ) {
        Message.Result = 1;
        return;
    }
    if (Message.Msg == WM_GETDLGCODE) {
        TKsgComboBox::WndProc(Message);
        Message.Result |= DLGC_WANTTAB;
        return;
    }
    TKsgComboBox::WndProc(Message);
}

void TControlCombo::KeyPress(QChar& Key)
{
    if (ControlKey(this, Key)) return;
    TKsgComboBox::KeyPress(Key);
}

// ============================================================ grid side

namespace {
// The renderer set up to find a control or anchor in a cell's HTML laid out in R.
THTMLTextParams CellHTMLHitParams(TKvStringGrid* G, int RealCol, int ARow, const TRect& R)
{
    THTMLTextParams p;
    p.Canvas = G->Canvas();
    p.Canvas->Font()->Assign(*G->GetCellFont(RealCol, ARow));
    p.Text = G->Cells(RealCol, ARow);
    p.Rect = R;
    p.CheckHotSpot = true;
    p.ImageCache = G->ImageCache();
    p.Images = G->GridImages();
    p.WindowHandle = G;
    return p;
}
} // namespace

TControlEdit* TKvStringGrid::ControlEdit() const
{
    EnsureEditorControls();
    return KvGridInput::FindEditorControl<TControlEdit>(FEditorControls);
}

TControlCombo* TKvStringGrid::ControlCombo() const
{
    EnsureEditorControls();
    return KvGridInput::FindEditorControl<TControlCombo>(FEditorControls);
}

void TKvStringGrid::StartHTMLControlEdit(const QString& HTML, const QString& CtrlType, int ARow, int RealCol,
                                         int DisplCol, const TRect& R, const QString& CtrlValue, const QString& CtrlID)
{
    const bool text = CtrlType == QLatin1String("EDIT") || CtrlType == QLatin1String("PASSWORD") ||
                      CtrlType == QLatin1String("MASK");
    const bool combo = CtrlType == QLatin1String("COMBO");
    if (!text && !combo) return;
    FCtrlXY = TPoint(RealCol, ARow);
    FCtrlID = CtrlID;
    EditControlID = CtrlID;
    FCtrlType = CtrlType;
    FCtrlEditing = true;
    const int maxLen = GetHTMLControlMaxLen(HTML, CtrlID);
    if (text) {
        TControlEdit* e = ControlEdit();
        if (!e) return;
        e->SetWidth(0);
        e->SetPasswordChar(CtrlType == QLatin1String("PASSWORD") ? QLatin1Char('*') : QChar(0));
        e->SetEditMask(CtrlType == QLatin1String("MASK") ? GetHTMLControlProp(HTML, CtrlID) : QString());
        e->OnExit = [this](TObject*) { EndHTMLControlEdit(); };
        e->SetText(CtrlValue);
        e->SetEditBorderStyle(bsNone);
        e->SetBounds(R.Left + 1, R.Top + 8, R.Right - R.Left - 4, 14);
        e->SetMaxLength(maxLen);
        e->SetParent(this);
        e->Show();
        e->BringToFront();
        if (e->CanFocus()) e->SetFocus();
        return;
    }
    TControlCombo* c = ControlCombo();
    if (!c) return;
    c->SetWidth(0);
    c->SetBounds(R.Left - 1, R.Top + 4, R.Right - R.Left, c->Height());
    c->OnSelect = [this](TObject* Sender) { ControlComboSelect(Sender); };
    c->SetParent(this);
    bool edit = true;
    int dropCount = 8;
    c->Items()->Clear();
    if (OnControlComboList) OnControlComboList(this, ARow, DisplCol, CtrlID, CtrlType, CtrlValue, c->Items(), edit, dropCount);
    c->SetStyle(edit ? csDropDown : csDropDownList);
    c->SetItemIndex(c->Items()->IndexOf(CtrlValue));
    c->SetText(CtrlValue);
    c->SetDropDownCount(dropCount);
    c->OnExit = [this](TObject*) { EndHTMLControlEdit(); };
    c->SetHeight(c->ItemHeight() * (dropCount + 2));
    c->SetMaxLength(maxLen);
    c->Show();
    c->SetDroppedDown(true);
    if (c->CanFocus()) c->SetFocus();
}

void TKvStringGrid::EndHTMLControlEdit()
{
    if (!FCtrlEditing) return;
    FCtrlEditing = false;
    QString value;
    if (FCtrlType == QLatin1String("COMBO")) {
        if (TControlCombo* c = ControlCombo()) {
            value = c->Text();
            c->Hide();
        }
    } else if (TControlEdit* e = ControlEdit()) {
        value = e->Text();
        e->Hide();
    }
    QString html = Cells(FCtrlXY.X, FCtrlXY.Y);
    if (SetHTMLControlValue(html, FCtrlID, value)) SetCells(FCtrlXY.X, FCtrlXY.Y, html);
    if (OnControlEditDone) OnControlEditDone(this, FCtrlXY.Y, FCtrlXY.X, FCtrlID, FCtrlType, value);
    FCtrlType.clear();
}

void TKvStringGrid::ControlComboSelect(TObject* Sender)
{
    (void)Sender;
    TControlCombo* c = ControlCombo();
    if (!c || !OnControlComboSelect) return;
    const int i = c->ItemIndex();
    OnControlComboSelect(this, FCtrlXY.Y, FCtrlXY.X, FCtrlID, i,
                         i >= 0 && i < c->Items()->Count() ? c->Items()->Strings(i) : QString());
}

void TKvStringGrid::EditNextHTMLControl(int ACol, int ARow, const QString& CurrentID)
{
    const int rcol = RealColIndex(ACol);
    const QString html = Cells(rcol, ARow);
    const QString next = NextHTMLEditControl(html, CurrentID);
    if (next.isEmpty()) {
        if (CanFocus()) SetFocus();
        return;
    }
    TRect R = CellRect(ACol, ARow);
    int dx = FXYOffset.X + 1 + (HasCheckBox(rcol, ARow) ? FControlLook->CheckSize() : 0);
    R = TRect(R.Left + dx, R.Top + FXYOffset.Y + 1, R.Right + dx, R.Bottom + FXYOffset.Y + 1);
    THTMLTextParams p = CellHTMLHitParams(this, rcol, ARow, R);
    p.ControlID = next;
    DrawHTMLText(p);
    StartHTMLControlEdit(html, p.ControlType, ARow, rcol, ACol, p.ControlRect, p.ControlValue, p.ControlID);
}

// The rectangle the painter lays the cell's HTML out in.
bool TKvStringGrid::HTMLHitTest(int ACol, int ARow, int X, int Y, QString& Anchor, QString& CtrlID,
                                QString& CtrlType, QString& CtrlValue, TRect& CtrlRect)
{
    const int rcol = RealColIndex(ACol);
    TRect R = CellRect(ACol, ARow);
    if (HasScrollBar(rcol, ARow)) R.Right -= GetSystemMetrics(SM_CXVSCROLL);
    R = TRect(R.Left + FXYOffset.X + 1, R.Top + FXYOffset.Y + 1, R.Right - FXYOffset.X, R.Bottom);
    if (HasCheckBox(rcol, ARow)) R.Left += FControlLook->CheckSize();
    THTMLTextParams p = CellHTMLHitParams(this, rcol, ARow, R);
    p.XPos = X;
    p.YPos = Y;
    const bool hit = DrawHTMLText(p);
    Anchor = p.AnchorValue;
    CtrlID = p.ControlID;
    CtrlType = p.ControlType;
    CtrlValue = p.ControlValue;
    CtrlRect = p.ControlRect;
    return hit;
}

// A press on a cell's HTML: a form control or an anchor; true when it was one of them.
bool TKvStringGrid::HTMLControlPress(int ACol, int ARow, int RealCol, int PressCol, int PressRow, int X, int Y)
{
    QString html = Cells(RealCol, ARow);
    QString anchor, id, type, value;
    TRect cr;
    const bool hit = HTMLHitTest(ACol, ARow, X, Y, anchor, id, type, value, cr);
    if (hit && !id.isEmpty()) {
        bool can = (Options().Contains(goEditing) || FBlockCellChange) && !ReadOnly(RealCol, ARow);
        CanEditCell(RealCol, ARow, can);
        if (!can) return true;
        EndHTMLControlEdit();
        html = Cells(RealCol, ARow);
        if (type == QLatin1String("BUTTON")) {
            FCtrlDown = true;
            FCtrlXY = TPoint(RealCol, ARow);
            RepaintCell(ACol, ARow);
        } else if (type == QLatin1String("CHECK")) {
            value = value.toUpper() == QLatin1String("TRUE") ? QStringLiteral("FALSE") : QStringLiteral("TRUE");
            SetHTMLControlValue(html, id, value);
            SetCells(RealCol, ARow, html);
        } else if (type == QLatin1String("RADIO")) {
            html = ClearHTMLRadioControls(html);
            value = QStringLiteral("TRUE");
            SetHTMLControlValue(html, id, value);
            SetCells(RealCol, ARow, html);
        }
        if (OnControlClick) OnControlClick(this, ARow, ACol, id, type, value);
        StartHTMLControlEdit(html, type, ARow, RealCol, ACol, cr, value, id);
        return true;
    }
    if (hit && !anchor.isEmpty()) {
        FollowAnchor(ACol, ARow, anchor);
        return true;
    }
    if (html.toUpper().contains(QStringLiteral("<CONTROL"))) {
        if (OnClickCell) OnClickCell(this, PressRow, PressCol);
        HideInplaceEdit();
        FocusCell(ACol, ARow);
        return true;
    }
    return false;
}

// "CELL://R3C2" names a cell of this grid; any other anchor opens outside.
void TKvStringGrid::FollowAnchor(int ACol, int ARow, const QString& Anchor)
{
    bool handled = true;
    if (OnAnchorClick) OnAnchorClick(this, ARow, ACol, Anchor, handled);
    if (!handled) return;
    if (Anchor.toUpper().contains(QStringLiteral("CELL://"))) {
        QPoint ref;
        if (ParseCellRef(Anchor.mid(7), ref) && ref.x() >= 0 && ref.y() >= 0 && ref.x() < ColCount() &&
            ref.y() < RowCount()) {
            MoveColRow(ref.x(), ref.y(), true, true);
            ScrollInView(ref.x(), ref.y());
        }
    } else {
        ShellOpen(Anchor);
    }
}
