// The end of a header drag that moves a column or a row, and the right-button
// release that keeps the context menu away while such a drag runs. The moves
// themselves (ColumnMoved, RowMoved) keep the indexed state in step.
#include "grid/kv_string_grid.h"

#include "platform/ui/forms.h"

bool TKvStringGrid::HeaderDragActive()
{
    const TCursor c = Screen->Cursor();
    return (c == crDrag || c == crNoDrop) && (GridState() == gsRowMoving || GridState() == gsColMoving) &&
           FEnhRowColMove;
}

void TKvStringGrid::HeaderDragEnd(int X, int Y, bool& Moved)
{
    Moved = false;
    if (!HeaderDragActive()) return;
    const bool noDrop = Screen->Cursor() == crNoDrop;
    EndMoveFeedback();
    EndBlockFocus();
    Screen->SetCursor(crDefault);
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    const bool columns = GridState() == gsColMoving;
    if (noDrop) {
        if (Movecell >= 0) {
            if (columns) RepaintRow(0);
            else RepaintCol(0);
        }
    } else if (columns) {
        if (Movecell >= 0 && c >= FixedCols() && c != Movecell) {
            MoveColumn(Movecell, c);
            Moved = true;
        }
    } else if (Movecell >= 0 && r >= FixedRows() && r != Movecell) {
        MoveRow(Movecell, r);
        Moved = true;
    }
    KillGridTimer(kScrollTimerId);
    SetGridState(gsNormal);
    Moved = true; // the release neither sorts nor selects
}

void TKvStringGrid::WMRButtonUp(TMessage& Message)
{
    if (HeaderDragActive()) {
        Message.Result = 0;
        return;
    }
    InheritedMessage(Message);
}
