// The grid's window procedure: the posted end of an edit, the editors'
// notifications, wheel panning with its marker and cursors, the wheel with
// Ctrl-zoom, and the paint, erase, size and timer messages handed to their
// handlers.

#include "grid/grid_editor_controls.h"
#include "grid/kv_string_grid.h"
#include "grid_input/pan_pictures.h"
#include "platform/core/sysutils.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsTextEditorKind(TEditorType k)
{
    switch (k) {
    case edNormal: case edNumeric: case edPositiveNumeric: case edFloat: case edCapital: case edMixedCase:
    case edPassword: case edLowerCase: case edUpperCase: case edPositiveFloat:
    case edSpinEdit: case edFloatSpinEdit: case edTimeSpinEdit: case edDateSpinEdit:
    case edEditBtn: case edNumericEditBtn: case edFloatEditBtn: case edMaskEditBtn:
        return true;
    default:
        return false;
    }
}

int ClampInt(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

} // namespace

void TKvStringGrid::WndProc(TMessage& Message)
{
    const UINT msg = Message.Msg;
    if (msg == WM_DESTROY) {
        if (FWheelPan) StopPanning();
        KillTimer(Handle(), GridTimerID);
    }
    if (IsDestroying()) {
        TBaseGrid::WndProc(Message);
        return;
    }
    const int oldRow = Row();

    if (KvGridUnit::GridEditDoneMessage != 0 && msg == KvGridUnit::GridEditDoneMessage) {
        if (OnEditCellDone) OnEditCellDone(this, int(Message.WParam), int(Message.LParam));
        if (FMouseActions->EditOnDblClickOnly()) {
            HideInplaceEdit();
            EditMode = false;
            SetOptions(Options() - TGridOptions(goEditing));
        }
        Message.Result = 1;
        return;
    }

    if (msg == WM_CANCELMODE && Screen && Screen->Cursor() == crDrag &&
        (GridState() == gsColMoving || GridState() == gsRowMoving) && FEnhRowColMove) {
        Screen->SetCursor(crDefault);
        for (TComponent* c : FEditorControls)
            if (auto* b = dynamic_cast<THeaderDragButton*>(c)) {
                b->SetEnabled(false);
                b->SetVisible(false);
            }
        KillGridTimer(kScrollTimerId);
        SetGridState(gsNormal);
    }

    if (!FDesigning && (msg == WM_SIZE || msg == WM_LBUTTONUP)) RefreshProportionalScrollBars();

    if ((msg == WM_THEMECHANGED || msg == 0xBB1) && FAutoThemeAdapt) UpdateOfficeTheme();

    if (msg == WM_COMMAND) {
        EditorCommand(Message);
        return;
    }

    if (FWheelPan && msg == WM_MOUSEMOVE) FPanMousePos = TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    if (msg == WM_TIMER && FWheelPan && FIntelliPan != ipNone) PanStep();

    if (FWheelPan &&
        (msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_KEYDOWN)) {
        StopPanning();
    } else if (msg == WM_MBUTTONDOWN && FIntelliPan != ipNone && RowCount() > FixedRows()) {
        StartPanning(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
    }

    if (msg == WM_MOUSEWHEEL && !FWheelPan) {
        if (!(Parent() && Parent()->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam) != 0)) {
            WheelMessage(Message);
            return;
        }
    }

    switch (msg) {
    case WM_TIMER:
        WMTimer(Message);
        break;
    case WM_PAINT:
        WMPaint(Message);
        break;
    case WM_ERASEBKGND:
        // The cells paint their whole area.
        Message.Result = 0;
        break;
    case WM_SIZE:
        WMSize(Message);
        break;
    case WM_HSCROLL:
        WMHScroll(Message);
        break;
    case WM_VSCROLL:
        WMVScroll(Message);
        break;
    case WM_NOTIFY:
        WMNotify(Message);
        break;
    case WM_GETDLGCODE:
        TBaseGrid::WndProc(Message);
        Message.Result = LRESULT(DialogCodeAnswer(unsigned(Message.Result)));
        break;
    case CM_DESIGNHITTEST:
        // The items of the design box take the mouse from the designer.
        if (FDesigning && FShowDesignHelper &&
            DesignMouseTest(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam))) {
            Message.Result = 1;
            break;
        }
        TBaseGrid::WndProc(Message);
        break;
    default:
        TBaseGrid::WndProc(Message);
        break;
    }
    if (Row() != oldRow && FSyncGrid->SelectionRow() && !IsDestroying()) SetRow(Row());
}

// The editors report to the grid as their parent window. Each notification is
// handed back to its editor once (the platform's reflection), so an editor
// handles every change once.
void TKvStringGrid::EditorCommand(TMessage& Message)
{
    const WORD code = Message.WParamHi();
    auto* source = reinterpret_cast<TControl*>(Message.LParam);
    if (code == EN_CHANGE && FShowEditProcess && !FNoEditChange) {
        TEditorType kind = FDefaultEditor;
        GetCellEditor(Col(), Row(), kind);
        auto* edit = dynamic_cast<TCustomEdit*>(source);
        if (edit && EditorMode() && IsTextEditorKind(kind)) SetEditText(Col(), Row(), edit->Text());
    }
    // Reflection to the source (CN_COMMAND).
    if (source && source != this) source->Perform(CN_COMMAND, Message.WParam, Message.LParam);

    auto* combo = dynamic_cast<TGridCombo*>(source);
    if (combo && combo->Owner() == this) {
        const int realCol = RealColIndex(Col());
        if ((code == CBN_SELCHANGE || code == CBN_EDITCHANGE) && (EditorMode() || EditMode)) {
            const int idx = combo->ItemIndex();
            const QString text = idx >= 0 && idx < combo->Items()->Count() ? combo->Items()->Strings(idx) : combo->Text();
            if (OnComboChange) OnComboChange(this, realCol, Row(), idx, text);
            if (OnComboObjectChange)
                OnComboObjectChange(this, realCol, Row(), idx, text, idx >= 0 ? combo->Items()->Objects(idx) : nullptr);
        }
        if (code == CBN_CLOSEUP) {
            if (FMouseActions->DirectComboClose()) {
                const int idx = combo->ItemIndex();
                if (idx >= 0 && idx < combo->Items()->Count()) combo->SetText(combo->Items()->Strings(idx));
                const QString text = combo->Text();
                if (OnComboChange) OnComboChange(this, realCol, Row(), idx, text);
                if (OnComboObjectChange)
                    OnComboObjectChange(this, realCol, Row(), idx, text, idx >= 0 ? combo->Items()->Objects(idx) : nullptr);
                EditMode = true;
                const bool direct = FMouseActions->DirectEdit();
                FMouseActions->SetDirectEdit(false);
                HideInplaceEdit();
                FMouseActions->SetDirectEdit(direct);
                if (CanFocus()) SetFocus();
            }
            ComboCloseUp(Row(), realCol);
        }
        if (code == CBN_DROPDOWN) ComboDropDown(Row(), realCol);
    }
    // Text typed into an editable combo is reported a second time, by display
    // column, with the combo editor's text.
    if (code == CBN_EDITCHANGE && source && source != this && OnComboChange) {
        for (TComponent* c : FEditorControls)
            if (auto* editor = dynamic_cast<TGridCombo*>(c)) OnComboChange(this, Col(), Row(), -1, editor->Text());
    }
    Message.Result = 0;
}

// ============================================================ wheel

void TKvStringGrid::WheelMessage(TMessage& Message)
{
    Message.Result = 1;
    const int delta = int16_t(Message.WParamHi());
    const TShiftState shift = TShiftState::FromBits(Message.WParamLo());
    const bool towardsUser = delta < 0;
    int lines = Mouse ? Mouse->WheelScrollLines() : 3;
    if (lines == -1) lines = VisibleRowCount();

    if (shift.Contains(ssCtrl) && FIntelliZoom) {
        Zoom(towardsUser ? lines : -lines);
        ZoomAutoSizeCells(true, 4, 4);
        return;
    }
    if (!FEnableWheel || (FFixedRowAlways && RowCount() == 1)) return;

    const TGridRect oldSel = Selection();
    const bool scroll = FMouseActions->WheelAction() == waScroll;
    const int fixedRows = TBaseGrid::FixedRows();
    int g = FMouseActions->WheelIncrement() > 0 ? FMouseActions->WheelIncrement() : lines;
    int target = Row();
    if (scroll) {
        const int maxTop = std::max(fixedRows, RowCount() - VisibleRowCount());
        if (towardsUser) {
            if (TopRow() < RowCount() - VisibleRowCount() && TopRow() + g >= fixedRows)
                SetTopRow(std::min(TopRow() + g, maxTop));
        } else {
            g = std::min(g, TopRow() - fixedRows);
            if (TopRow() > fixedRows) SetTopRow(TopRow() - g);
        }
    } else {
        target = towardsUser ? Row() + g : Row() - g;
    }
    target = ClampInt(target, fixedRows, RowCount() - FFixedFooters - 1);
    if (Col() >= ColCount() && Row() >= RowCount()) FocusCell(ColCount() - 1, RowCount() - 1);
    if (Col() > ColCount() - 1 || Col() < TBaseGrid::FixedCols())
        SetCol(ClampInt(Col(), TBaseGrid::FixedCols(), ColCount() - 1));

    int rowDelta = 0;
    if (target >= 0 && target < RowCount()) {
        const bool keepLeft = Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll();
        const int left = LeftCol();
        BeginUpdate();
        if (FMouseActions->DisjunctRowSelect() && !scroll) ClearRowSelect();
        rowDelta = target - Row();
        if (!scroll) {
            SetRow(target);
            if (Row() != target) {
                // A refused row: half the way, halves to the even neighbour.
                const int half = int(RoundHalfEven((target - Row()) / 2.0));
                if (half != 0) SetRow(Row() + half);
                if (!towardsUser && TopRow() > fixedRows) SetTopRow(TopRow() - 1);
            }
        }
        if (keepLeft && LeftCol() != left) SetLeftCol(left);
        EndUpdate();
    }

    bool handled = true;
    WheelScroll(rowDelta, handled);
    if ((FMouseActions->WheelIncrement() != 0 || FMouseActions->DisjunctRowSelect()) && handled) {
        bool h = false;
        const bool disjunct = FMouseActions->DisjunctRowSelect();
        const TShiftState s = disjunct ? shift.KeysOnly() : TShiftState();
        const TPoint pt = disjunct ? TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)) : TPoint(0, 0);
        if (towardsUser) {
            if (OnMouseWheelDown) OnMouseWheelDown(this, s, pt, h);
        } else if (OnMouseWheelUp) {
            OnMouseWheelUp(this, s, pt, h);
        }
    }
    const TGridRect sel = Selection();
    if (!(sel == oldSel)) SelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
    // Wheeled to the end: the last row must not stay under the search bar.
    if (FSearchFooter->Visible() && TopRow() == RowCount() - VisibleRowCount()) KeepLastRowAboveSearchPanel();
}

bool TKvStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) { return WheelStep(true, Shift, MousePos); }

bool TKvStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) { return WheelStep(false, Shift, MousePos); }

// The stock wheel step, when the window procedure let a wheel message through.
bool TKvStringGrid::WheelStep(bool Down, TShiftState Shift, TPoint MousePos)
{
    const TMouseWheelUpDownEvent& event = Down ? OnMouseWheelDown : OnMouseWheelUp;
    if (FMouseActions->WheelAction() == waScroll || !FEnableWheel) {
        bool handled = false;
        if (event) event(this, Shift, MousePos, handled);
        return handled;
    }
    auto stock = [&] {
        return Down ? TBaseGrid::DoMouseWheelDown(Shift, MousePos) : TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    };
    const bool direct = FMouseActions->DirectEdit();
    FMouseActions->SetDirectEdit(false);
    bool res = true;
    if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll()) {
        const int left = LeftCol();
        BeginUpdate();
        res = stock();
        if (LeftCol() != left) SetLeftCol(left);
        EndUpdate();
    } else if (Down || (Row() < RowCount() && Col() < ColCount())) {
        const bool editing = EditorMode();
        res = stock();
        if (editing && CanFocus()) SetFocus();
    }
    FMouseActions->SetDirectEdit(direct);
    return res;
}

void TKvStringGrid::Zoom(int x)
{
    if (ZoomFactor + x < -10 || ZoomFactor + x > 10) return;
    FScrollLock = true;
    ZoomFactor += x;
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) > 0 && ColWidths(c) + x > 0) SetColWidths(c, ColWidths(c) + x);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) > 0 && RowHeights(r) + x > 0) SetRowHeights(r, RowHeights(r) + x);
    FScrollLock = false;
    RefreshProportionalScrollBars();
}

// ============================================================ panning

void TKvStringGrid::StartPanning(int X, int Y)
{
    RegisterPanPictures();
    // The screen's override cursor: the grid's own cursor handling on mouse
    // moves leaves it alone.
    FPrevCursor = Screen ? Screen->Cursor() : crDefault;
    if (Screen) Screen->SetCursor(8000);
    FWheelPan = true;
    SetTimer(Handle(), PanTimerID, 10);
    FWheelPanPos = TPoint(X, Y);
    FPanMousePos = FWheelPanPos;
    SetMouseCapture(true);
    SetShowHint(false);
    DrawPanMarker();
}

void TKvStringGrid::StopPanning()
{
    SetMouseCapture(false);
    KillTimer(Handle(), PanTimerID);
    if (Screen) Screen->SetCursor(FPrevCursor);
    SetShowHint(true);
    FWheelPan = false;
    InvalidatePanMarker();
}

void TKvStringGrid::PanStep()
{
    const TGridRect oldSel = Selection();
    const TPoint p = FPanMousePos;
    int v = p.Y < FWheelPanPos.Y - 5 ? -1 : p.Y > FWheelPanPos.Y + 5 ? 1 : 0;
    int h = p.X < FWheelPanPos.X - 5 ? -1 : p.X > FWheelPanPos.X + 5 ? 1 : 0;
    if (FIntelliPan == ipHorizontal) v = 0;
    if (FIntelliPan == ipVertical) h = 0;
    int cursor = 8000;
    if (v == 0 && h == 0) cursor = 8000;
    else if (h == 0) cursor = v > 0 ? 8001 : 8004;
    else if (v == 0) cursor = h < 0 ? 8002 : 8003;
    else if (v < 0) cursor = h > 0 ? 8005 : 8006;
    else cursor = h > 0 ? 8007 : 8008;

    const int fr = TBaseGrid::FixedRows(), fc = TBaseGrid::FixedCols();
    const int lastRow = RowCount() - FFixedFooters - 1, lastCol = ColCount() - FFixedRightCols - 1;
    if (Row() < fr || Row() > lastRow) SetRow(ClampInt(Row(), fr, lastRow));
    if (Col() < fc || Col() > lastCol) SetCol(ClampInt(Col(), fc, lastCol));

    if (FMouseActions->WheelAction() == waScroll) {
        if (h < 0 && LeftCol() > fc) { SetLeftCol(LeftCol() - 1); InvalidatePanMarker(); }
        if (h > 0 && LeftCol() < ColCount() - VisibleColCount()) { SetLeftCol(LeftCol() + 1); InvalidatePanMarker(); }
        if (v < 0 && TopRow() > fr) { SetTopRow(TopRow() - 1); InvalidatePanMarker(); }
        if (v > 0 && TopRow() < RowCount() - VisibleRowCount()) { SetTopRow(TopRow() + 1); InvalidatePanMarker(); }
    } else {
        const int top = TopRow(), left = LeftCol();
        if (h < 0 && Col() > fc) SetCol(Col() - 1);
        if (h > 0 && Col() < lastCol) SetCol(Col() + 1);
        if (v < 0 && Row() > fr) SetRow(Row() - 1);
        if (v > 0 && Row() < lastRow) SetRow(Row() + 1);
        if (TopRow() != top || LeftCol() != left) InvalidatePanMarker();
    }
    if (Screen) Screen->SetCursor(cursor);
    DrawPanMarker();
    const TGridRect sel = Selection();
    if (!(sel == oldSel)) SelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}

void TKvStringGrid::DrawPanMarker()
{
    if (!FWheelPan) return;
    RegisterPanPictures();
    QImage img = ResourceImage(PanMarkerName(int(FIntelliPan))).convertToFormat(QImage::Format_ARGB32);
    if (img.isNull()) return;
    const QRgb key = img.pixel(0, 0);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == key) img.setPixel(x, y, qRgb(255, 255, 255));
    TBitmap bmp;
    bmp.SetImage(img);
    Canvas()->Draw(FWheelPanPos.X, FWheelPanPos.Y, &bmp);
}

void TKvStringGrid::InvalidatePanMarker()
{
    // The 32 x 32 square at the origin; the platform repaints the control.
    Invalidate();
}
