// Reading a cell as a number with the place of a fault, and the grid's part in
// scaling a form.
#include "grid/kv_string_grid.h"

#include "grid/grid_text.h"
#include "platform/core/sysutils.h"

double TKvStringGrid::CellToReal(int ACol, int ARow)
{
    const QString s = Cells(ACol, ARow);
    if (s.isEmpty()) return 0;
    double v = 0;
    int code = 0;
    Val(ExtractNumberText(s), v, code);
    if (code != 0)
        throw EKvGridError(QStringLiteral("Error at position: %1 in Cell [%2, %3].").arg(code).arg(ACol).arg(ARow));
    return v;
}

void TKvStringGrid::ChangeScale(int M, int D)
{
    // Column widths and row heights keep their sizes; the two fonts of their
    // own that the grid draws with follow the form.
    TBaseGrid::ChangeScale(M, D);
    if (FDesigning || M == D || D == 0) return;
    FFixedFont->SetSize(MulDiv(FFixedFont->Size(), M, D));
    FActiveCellFont->SetSize(MulDiv(FActiveCellFont->Size(), M, D));
}
