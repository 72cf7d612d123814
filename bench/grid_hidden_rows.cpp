// Filtering a large grid through its hidden rows: hiding every second row as
// one filter level, converting every display row to its real row, showing the
// level again; and removing rows above hidden ones. The peer figure beside
// the filter is the same rows removed and opened again without hiding.
#include "grid/kv_string_grid.h"
#include "qt_bench_main.h"

#include <QtWidgets/QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<TKvStringGrid> MakeGrid(int rows)
{
    auto g = std::make_unique<TKvStringGrid>();
    g->SetColCount(6);
    g->SetRowCount(rows);
    for (int r = 0; r < rows; ++r) g->SetCells(1, r, QString::number(r));
    return g;
}

void BM_FilterHalfAndBack(benchmark::State& state)
{
    const int rows = int(state.range(0));
    auto g = MakeGrid(rows);
    TIntList half(0, 0);
    for (int r = 1; r < rows; r += 2) half.Add(r);
    for (auto _ : state) {
        g->HideRowList(&half);
        long sum = 0;
        for (int r = 0; r < g->RowCount(); ++r) sum += g->RealRowIndex(r);
        benchmark::DoNotOptimize(sum);
        g->UnHideRowList();
        g->SetFilterLevel(0);
    }
}
BENCHMARK(BM_FilterHalfAndBack)->Arg(10000)->Unit(benchmark::kMillisecond);

// Peer: the same half of the rows removed one by one from the bottom and opened again.
void BM_PeerRemoveHalfAndReopen(benchmark::State& state)
{
    const int rows = int(state.range(0));
    auto g = MakeGrid(rows);
    for (auto _ : state) {
        for (int r = rows - 1; r >= 1; r -= 2) g->RemoveRows(r, 1);
        g->InsertRows(g->RowCount(), rows - g->RowCount(), false);
    }
}
BENCHMARK(BM_PeerRemoveHalfAndReopen)->Arg(10000)->Unit(benchmark::kMillisecond);

// A hundred single-row removals near the top with a hidden row every tenth row below.
void BM_RemoveRowsAboveHiddenRows(benchmark::State& state)
{
    const int rows = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto g = MakeGrid(rows);
        for (int r = rows - 10; r >= 100; r -= 10) g->HideRow(r);
        state.ResumeTiming();
        for (int i = 0; i < 100; ++i) g->RemoveRows(2, 1);
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RemoveRowsAboveHiddenRows)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

KV_QT_BENCHMARK_MAIN()
