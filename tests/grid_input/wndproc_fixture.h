#pragma once
// A grid set up like the rule grids (a header row, no fixed column of data,
// column sizing), shown on a form, with the messages the tests send.
#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"
#include "platform/ui/messages.h"

#include <QApplication>
#include <memory>

inline LPARAM XY(int x, int y) { return MAKELPARAM(unsigned(x) & 0xFFFF, unsigned(y) & 0xFFFF); }

// One wheel notch: negative towards the user.
inline LRESULT Wheel(TControl* c, int delta, TShiftState shift = TShiftState(), int x = 10, int y = 10)
{
    return c->Perform(WM_MOUSEWHEEL, MAKEWPARAM(shift.Bits(), unsigned(int16_t(delta)) & 0xFFFF), XY(x, y));
}

// Keeps the lines per notch of the desktop setting for one test.
struct TWheelLinesScope {
    int saved;
    explicit TWheelLinesScope(int lines) : saved(Mouse->WheelScrollLines()) { Mouse->SetWheelScrollLines(lines); }
    ~TWheelLinesScope() { Mouse->SetWheelScrollLines(saved); }
};

template <class TGrid = TKvStringGrid>
struct TGridOnForm {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TGrid* grid;
    explicit TGridOnForm(int rows = 20, int cols = 4, int w = 400, int h = 200)
    {
        form->SetBounds(0, 0, w + 40, h + 40);
        grid = new TGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, w, h);
        grid->SetColCount(cols);
        grid->SetRowCount(rows);
        grid->SetFixedCols(0);
        grid->SetOptions(grid->Options() | goColSizing | goEditing);
        for (int c = 0; c < cols; ++c) {
            grid->SetColWidths(c, 80);
            grid->SetCells(c, 0, QStringLiteral("H%1").arg(c));
            for (int r = 1; r < rows; ++r) grid->SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
        }
        if (rows > 1) grid->SetRow(1);
        grid->SetCol(0);
    }
    void Show()
    {
        form->Show();
        QApplication::processEvents();
    }
};
