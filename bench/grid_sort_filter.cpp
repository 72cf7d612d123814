// Sorting, filtering, finding and grouping 100,000 rows of 10 columns. The
// peer beside each figure is a QTableWidget holding the same cells in the same
// run: sortItems, a wildcard QSortFilterProxyModel over its model, findItems.
// Grouping has no peer.
#include "grid/kv_string_grid.h"
#include "qt_bench_main.h"

#include <QtCore/QRandomGenerator>
#include <QtCore/QSortFilterProxyModel>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTableWidget>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr int Rows = 100000;
constexpr int Cols = 10;
constexpr int NumberCol = 1, TextCol = 2, FilterCol = 3, GroupCol = 4, FindCol = 9;

// Column 0 numbers the rows; 1 numbers, 2 words, 3 half of them holding an x,
// 4 one of 100 group names, the rest filler; the last row's last cell is unique.
struct TData {
    std::vector<std::vector<QString>> Cells;
    std::vector<int> Numbers;
    TData()
    {
        QRandomGenerator rnd(20240611);
        const char* syllables[] = {"ka", "lo", "mi", "ne", "ru", "ta", "vo", "zi"};
        Cells.assign(Rows, std::vector<QString>(Cols));
        Numbers.resize(Rows);
        for (int r = 0; r < Rows; ++r) {
            auto& row = Cells[size_t(r)];
            Numbers[size_t(r)] = int(rnd.bounded(1000000));
            row[0] = QString::number(r + 1);
            row[NumberCol] = QString::number(Numbers[size_t(r)]);
            QString word;
            for (int s = 0; s < 3; ++s) word += QString::fromLatin1(syllables[rnd.bounded(8)]);
            row[TextCol] = word;
            row[FilterCol] = (r % 2 ? QStringLiteral("ax") : QStringLiteral("ab")) + QString::number(r % 977);
            row[GroupCol] = QStringLiteral("group %1").arg(rnd.bounded(100), 3, 10, QLatin1Char('0'));
            for (int c = 5; c < Cols; ++c) row[size_t(c)] = QStringLiteral("f%1").arg((r * c) % 5003);
        }
        Cells.back()[FindCol] = QStringLiteral("needle");
    }
};

const TData& Data()
{
    static const TData d;
    return d;
}

void Fill(TKvStringGrid& G)
{
    const TData& d = Data();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) G.SetCells(c, r + 1, d.Cells[size_t(r)][size_t(c)]);
}

std::unique_ptr<TKvStringGrid> MakeGrid()
{
    auto g = std::make_unique<TKvStringGrid>();
    g->SetColCount(Cols);
    g->SetRowCount(Rows + 1);
    Fill(*g);
    return g;
}

void FillPeer(QTableWidget& T)
{
    const TData& d = Data();
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) {
            auto* item = new QTableWidgetItem;
            // The number column holds numbers, so the peer sorts it by value as the grid does.
            if (c == NumberCol) item->setData(Qt::DisplayRole, d.Numbers[size_t(r)]);
            else item->setText(d.Cells[size_t(r)][size_t(c)]);
            T.setItem(r, c, item);
        }
}

std::unique_ptr<QTableWidget> MakePeer()
{
    auto t = std::make_unique<QTableWidget>(Rows, Cols);
    FillPeer(*t);
    return t;
}

void GridSort(benchmark::State& State, int ACol)
{
    auto g = MakeGrid();
    for (auto _ : State) {
        g->Sort(ACol, sdAscending);
        State.PauseTiming();
        Fill(*g);
        State.ResumeTiming();
    }
    State.counters["compares"] = g->Compares / double(State.iterations());
}

void PeerSort(benchmark::State& State, int ACol)
{
    auto t = MakePeer();
    for (auto _ : State) {
        t->sortItems(ACol, Qt::AscendingOrder);
        State.PauseTiming();
        t->clearContents();
        FillPeer(*t);
        State.ResumeTiming();
    }
}

void BM_SortNumbers(benchmark::State& State) { GridSort(State, NumberCol); }
void BM_PeerSortNumbers(benchmark::State& State) { PeerSort(State, NumberCol); }
void BM_SortText(benchmark::State& State) { GridSort(State, TextCol); }
void BM_PeerSortText(benchmark::State& State) { PeerSort(State, TextCol); }
BENCHMARK(BM_SortNumbers)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PeerSortNumbers)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SortText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PeerSortText)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FilterHalf(benchmark::State& State)
{
    auto g = MakeGrid();
    TFilterData* f = g->Filter()->Add();
    f->Column = FilterCol;
    f->Condition = QStringLiteral("*x*");
    for (auto _ : State) {
        g->ApplyFilter();
        benchmark::DoNotOptimize(g->RowCount());
        State.PauseTiming();
        if (g->RowCount() != Rows / 2 + 1) State.SkipWithError("the filter did not halve the rows");
        g->RemoveLastFilter();
        State.ResumeTiming();
    }
}
BENCHMARK(BM_FilterHalf)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PeerFilterHalf(benchmark::State& State)
{
    auto t = MakePeer();
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(t->model());
    proxy.setFilterKeyColumn(FilterCol);
    for (auto _ : State) {
        proxy.setFilterWildcard(QStringLiteral("*x*"));
        benchmark::DoNotOptimize(proxy.rowCount());
        State.PauseTiming();
        if (proxy.rowCount() != Rows / 2) State.SkipWithError("the filter did not halve the rows");
        proxy.setFilterWildcard(QString());
        benchmark::DoNotOptimize(proxy.rowCount());
        State.ResumeTiming();
    }
}
BENCHMARK(BM_PeerFilterHalf)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FindInLastRow(benchmark::State& State)
{
    auto g = MakeGrid();
    for (auto _ : State) {
        const TPoint p = g->FindFirst(QStringLiteral("needle"), TFindParameters{});
        if (p != TPoint(FindCol, Rows)) State.SkipWithError("not found");
    }
}
BENCHMARK(BM_FindInLastRow)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PeerFindInLastRow(benchmark::State& State)
{
    auto t = MakePeer();
    for (auto _ : State) {
        const QList<QTableWidgetItem*> hits = t->findItems(QStringLiteral("needle"), Qt::MatchContains);
        if (hits.size() != 1) State.SkipWithError("not found");
    }
}
BENCHMARK(BM_PeerFindInLastRow)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_GroupHundredValues(benchmark::State& State)
{
    auto g = MakeGrid();
    for (auto _ : State) {
        g->Group(GroupCol);
        State.PauseTiming();
        if (g->RowCount() != Rows + 101) State.SkipWithError("not 100 groups");
        g->UnGroup();
        Fill(*g);
        State.ResumeTiming();
    }
}
BENCHMARK(BM_GroupHundredValues)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UnGroupHundredValues(benchmark::State& State)
{
    auto g = MakeGrid();
    for (auto _ : State) {
        State.PauseTiming();
        g->Group(GroupCol);
        State.ResumeTiming();
        g->UnGroup();
        State.PauseTiming();
        Fill(*g);
        State.ResumeTiming();
    }
}
BENCHMARK(BM_UnGroupHundredValues)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

KV_QT_BENCHMARK_MAIN()
