// Copy and paste of 100,000 rows of 10 columns. The peer beside the text figures is a
// QTableWidget holding the same cells in the same run: it builds the same tab-separated
// text from its items, and fills itself with setItem from the same text. The binary
// cell stream has no peer.
#include "grid/kv_string_grid.h"
#include "platform/core/classes.h"

#include "qt_bench_main.h"

#include <QtWidgets/QTableWidget>

#include <memory>

namespace {

constexpr int Rows = 100000;
constexpr int Cols = 10;

QString CellText(int c, int r)
{
    return c == 0 ? QString::number(r) : QStringLiteral("v%1").arg((r * 7 + c * 13) % 9973);
}

std::unique_ptr<TKvStringGrid> FilledGrid()
{
    auto g = std::make_unique<TKvStringGrid>();
    g->SetColCount(Cols);
    g->SetRowCount(Rows);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) g->SetCells(c, r, CellText(c, r));
    return g;
}

std::unique_ptr<QTableWidget> FilledPeer()
{
    auto t = std::make_unique<QTableWidget>(Rows, Cols);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c) t->setItem(r, c, new QTableWidgetItem(CellText(c, r)));
    return t;
}

void BM_RectToClipboardText(benchmark::State& State)
{
    auto g = FilledGrid();
    for (auto _ : State) {
        QString text = g->RectToClipboardText(TGridRect(0, 0, Cols - 1, Rows - 1), false);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_RectToClipboardText)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PeerClipboardText(benchmark::State& State)
{
    auto t = FilledPeer();
    for (auto _ : State) {
        QString text;
        for (int r = 0; r < Rows; ++r) {
            for (int c = 0; c < Cols; ++c) {
                const QTableWidgetItem* item = t->item(r, c);
                if (item) text += item->text();
                if (c != Cols - 1) text += QLatin1Char('\t');
            }
            text += QLatin1String("\r\n");
        }
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_PeerClipboardText)->Unit(benchmark::kMillisecond)->Iterations(3);

const QString& PasteText()
{
    static const QString text = [] {
        auto g = FilledGrid();
        return g->RectToClipboardText(TGridRect(0, 0, Cols - 1, Rows - 1), false);
    }();
    return text;
}

void BM_PasteTextAt(benchmark::State& State)
{
    const QString& text = PasteText();
    for (auto _ : State) {
        State.PauseTiming();
        auto g = std::make_unique<TKvStringGrid>();
        g->SetColCount(Cols);
        g->SetRowCount(2);
        g->SetFixedCols(0);
        g->SetFixedRows(0);
        g->SetOptions(g->Options() | goEditing);
        State.ResumeTiming();
        int rows = 0, cols = 0;
        benchmark::DoNotOptimize(g->PasteTextAt(0, 0, rows, cols, text));
    }
}
BENCHMARK(BM_PasteTextAt)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PeerSetItemFromText(benchmark::State& State)
{
    const QString& text = PasteText();
    for (auto _ : State) {
        State.PauseTiming();
        auto t = std::make_unique<QTableWidget>(1, Cols);
        State.ResumeTiming();
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        t->setRowCount(int(lines.size()));
        for (int r = 0; r < lines.size(); ++r) {
            const QStringList fields = lines[r].split(QLatin1Char('\t'));
            for (int c = 0; c < fields.size() && c < Cols; ++c) t->setItem(r, c, new QTableWidgetItem(fields[c]));
        }
        benchmark::DoNotOptimize(t.get());
    }
}
BENCHMARK(BM_PeerSetItemFromText)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveToBinStream(benchmark::State& State)
{
    auto g = FilledGrid();
    for (auto _ : State) {
        TMemoryStream ms;
        g->SaveToBinStream(&ms);
        benchmark::DoNotOptimize(ms.Size());
    }
}
BENCHMARK(BM_SaveToBinStream)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadFromBinStream(benchmark::State& State)
{
    auto g = FilledGrid();
    TMemoryStream saved;
    g->SaveToBinStream(&saved);
    for (auto _ : State) {
        State.PauseTiming();
        auto t = std::make_unique<TKvStringGrid>();
        saved.SetPosition(0);
        State.ResumeTiming();
        t->LoadFromBinStream(&saved);
        benchmark::DoNotOptimize(t->RowCount());
    }
}
BENCHMARK(BM_LoadFromBinStream)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

KV_QT_BENCHMARK_MAIN()
