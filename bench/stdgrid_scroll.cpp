// Scrolling and repainting a string grid: the cost per step must not grow with
// the number of rows.
#include "platform/stdgrid/grids.h"
#include "qt_bench_main.h"

#include <QtWidgets/QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<TStringGrid> MakeGrid(int rows)
{
    auto g = std::make_unique<TStringGrid>();
    g->SetColCount(8);
    g->SetRowCount(rows);
    for (int r = 0; r < rows; r += 97) g->SetCells(1, r, QString::number(r));
    g->SetBounds(0, 0, 600, 400);
    g->show(); // a top-level control: show its window so that Repaint paints
    QApplication::processEvents();
    return g;
}

// One line down (wrapping to the top at the end) and a full repaint.
void BM_ScrollLineAndRepaint(benchmark::State& state)
{
    auto g = MakeGrid(int(state.range(0)));
    for (auto _ : state) {
        if (g->TopRow() + g->VisibleRowCount() >= g->RowCount())
            g->Perform(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
        g->Perform(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
        g->Repaint();
    }
}
BENCHMARK(BM_ScrollLineAndRepaint)->Arg(1000)->Arg(100000);

// A thumb jump to a spread of positions on the 0..127 scale and a repaint.
void BM_ThumbJumpAndRepaint(benchmark::State& state)
{
    auto g = MakeGrid(int(state.range(0)));
    int pos = 0;
    for (auto _ : state) {
        pos = (pos + 37) % 128;
        g->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, unsigned(pos)), 0);
        g->Repaint();
    }
}
BENCHMARK(BM_ThumbJumpAndRepaint)->Arg(1000)->Arg(100000);

// The current row moving down by key, the view following it.
void BM_KeyDownMove(benchmark::State& state)
{
    auto g = MakeGrid(int(state.range(0)));
    for (auto _ : state) {
        if (g->Row() >= g->RowCount() - 1) g->SetRow(g->FixedRows());
        g->Perform(WM_KEYDOWN, VK_DOWN, 0);
    }
}
BENCHMARK(BM_KeyDownMove)->Arg(1000)->Arg(100000);

// Writing a cell and invalidating a whole column while scrolled near the end.
void BM_WriteAndInvalidateColumnScrolledFar(benchmark::State& state)
{
    auto g = MakeGrid(int(state.range(0)));
    g->SetTopRow(g->RowCount() - 20);
    int n = 0;
    for (auto _ : state) {
        g->SetCells(2, g->TopRow() + (n++ % 10), QStringLiteral("x"));
        g->InvalidateCol(3);
    }
}
BENCHMARK(BM_WriteAndInvalidateColumnScrolledFar)->Arg(1000)->Arg(100000);

} // namespace

KV_QT_BENCHMARK_MAIN()
