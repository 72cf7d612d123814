// Sizing a column to its widest cell and summing it, over a 100,000-row column.
// The peer figure is the raw work underneath: measuring every text with the
// grid's font metrics, and converting every text to a number.
#include "grid/kv_string_grid.h"

#include <QtGui/QFontMetrics>
#include <QtWidgets/QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<TKvStringGrid> MakeGrid(int rows)
{
    auto g = std::make_unique<TKvStringGrid>();
    g->SetColCount(3);
    g->SetRowCount(rows);
    for (int r = 1; r < rows; ++r) g->SetCells(1, r, QString::number(r * 1.25, 'f', 2));
    return g;
}

void BM_AutoSizeCol(benchmark::State& state)
{
    auto g = MakeGrid(int(state.range(0)));
    for (auto _ : state) {
        g->AutoSizeCol(1, 0);
        benchmark::DoNotOptimize(g->ColWidths(1));
    }
}
BENCHMARK(BM_AutoSizeCol)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PeerMeasureTexts(benchmark::State& state)
{
    auto g = MakeGrid(int(state.range(0)));
    const QFontMetrics fm(g->Font()->ToQFont());
    for (auto _ : state) {
        int w = 0;
        for (int r = 0; r < g->RowCount(); ++r) w = std::max(w, fm.horizontalAdvance(g->Cells(1, r)));
        benchmark::DoNotOptimize(w);
    }
}
BENCHMARK(BM_PeerMeasureTexts)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ColumnSum(benchmark::State& state)
{
    auto g = MakeGrid(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(g->ColumnSum(1, -1, -1));
}
BENCHMARK(BM_ColumnSum)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PeerParseTexts(benchmark::State& state)
{
    auto g = MakeGrid(int(state.range(0)));
    for (auto _ : state) {
        double s = 0;
        for (int r = 1; r < g->RowCount(); ++r) s += g->Cells(1, r).toDouble();
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_PeerParseTexts)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
