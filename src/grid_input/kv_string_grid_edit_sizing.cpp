// What the text editor asks of the grid's sizing and row code: a row appended
// when Down ends an edit on the last row, and the row or column grown while
// the user types.
#include "grid/grid_settings_objects.h"
#include "grid/grid_text.h"
#include "grid/kv_string_grid.h"

#include <QtCore/QScopeGuard>

bool TKvStringGrid::EditorAppendRow()
{
    if (!IsLastNormalRow()) return false;
    const int before = RowCount();
    AutoAppendRow();
    return RowCount() > before;
}

void TKvStringGrid::EditorSizeWhileTyping(const QString& Text, bool LineBreak)
{
    const int row = Row();
    // Row sizing must not pull the synchronised column widths along meanwhile.
    auto sizeRow = [this, row](auto&& size) {
        {
            const bool synch = FColumnSize->SynchWithGrid();
            FColumnSize->SetSynchWithGrid(false);
            auto restore = qScopeGuard([this, synch] { FColumnSize->SetSynchWithGrid(synch); });
            size();
        }
        if (OnEndRowSize) OnEndRowSize(this, row);
    };
    if (LineBreak) {
        // The line break is not in the text yet: count it with the blank line it opens.
        const int lines = CountLines(Text + QStringLiteral("\r\n "), true);
        sizeRow([&] {
            if (lines < MaxLinesInRow(row)) AutoSizeRow(row, 0);
            else SizeRowToLines(row, lines, GetTotalYOffset());
        });
        return;
    }
    if (FSizeWhileTyping->Width()) FitColWidth(Col(), true);
    if (FSizeWhileTyping->Height() && WordWrap()) sizeRow([&] { AutoSizeRow(row, 0); });
}
