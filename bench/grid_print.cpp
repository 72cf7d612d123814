// Printing the grid: the counting pass lays out every row (its cost per row is reported),
// and a preview of page 1 with FastPrint and NoAutoSize must cost the same at 1,000 and at
// 100,000 rows. Beside it a plain Qt table widget with the same cells renders a page-sized
// area at 100,000 rows.
#include "grid/kv_string_grid.h"
#include "qt_bench_main.h"

#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QTableWidget>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kCols = 6;
// An A4 page at the screen's 96 pixels per inch.
constexpr int kPageWidth = 794, kPageHeight = 1123;

QString CellText(int c, int r)
{
    switch (c) {
    case 0: return QString::number(r);
    case 1: return QStringLiteral("Rule %1").arg(r);
    case 2: return QStringLiteral("0x%1").arg(r, 6, 16, QLatin1Char('0'));
    case 3: return r % 2 ? QStringLiteral("Read") : QStringLiteral("Write");
    case 4: return QString::number(r * 3 % 1000);
    default: return QStringLiteral("Notes of row %1").arg(r);
    }
}

std::unique_ptr<TKvStringGrid> MakeGrid(int Rows)
{
    auto g = std::make_unique<TKvStringGrid>();
    g->SetColCount(kCols);
    g->SetRowCount(Rows);
    g->SetDefaultColWidth(90);
    for (int c = 0; c < kCols; ++c) g->SetCells(c, 0, QStringLiteral("Head %1").arg(c));
    for (int r = 1; r < Rows; ++r)
        for (int c = 0; c < kCols; ++c) g->SetCells(c, r, CellText(c, r));
    g->PrintSettings()->PageNr = ppBottomRight;
    g->PrintSettings()->RepeatFixedRows = true;
    return g;
}

void BM_PrintCountingPass(benchmark::State& state)
{
    const int rows = int(state.range(0));
    auto g = MakeGrid(rows);
    int pages = 0;
    // Answering no pages leaves the preview at its counting pass.
    g->OnPrintStart = [&](TObject*, int NrOfPages, int& FromPage, int&) {
        pages = NrOfPages;
        FromPage = 0;
    };
    QImage img(kPageWidth, kPageHeight, QImage::Format_RGB32);
    TCanvas canvas(&img);
    for (auto _ : state) g->PrintPreview(&canvas, TRect(0, 0, kPageWidth, kPageHeight));
    state.counters["pages"] = pages;
    state.counters["per_row"] = benchmark::Counter(rows, benchmark::Counter::kIsIterationInvariantRate |
                                                             benchmark::Counter::kInvert);
}
BENCHMARK(BM_PrintCountingPass)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PrintPreviewFirstPage(benchmark::State& state)
{
    auto g = MakeGrid(int(state.range(0)));
    g->FastPrint = true;
    g->PrintSettings()->NoAutoSize = true;
    g->SetPreviewPage(1);
    QImage img(kPageWidth, kPageHeight, QImage::Format_RGB32);
    TCanvas canvas(&img);
    for (auto _ : state) {
        img.fill(Qt::white);
        g->PrintPreview(&canvas, TRect(0, 0, kPageWidth, kPageHeight));
        canvas.ReleasePainter();
    }
}
BENCHMARK(BM_PrintPreviewFirstPage)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_QTableWidgetPageArea(benchmark::State& state)
{
    const int rows = int(state.range(0));
    QTableWidget t(rows, kCols);
    for (int c = 0; c < kCols; ++c) t.setHorizontalHeaderItem(c, new QTableWidgetItem(QStringLiteral("Head %1").arg(c)));
    for (int r = 1; r < rows; ++r)
        for (int c = 0; c < kCols; ++c) t.setItem(r, c, new QTableWidgetItem(CellText(c, r)));
    t.horizontalHeader()->setDefaultSectionSize(90);
    t.resize(kPageWidth, kPageHeight);
    t.show();
    QApplication::processEvents();
    QImage img(kPageWidth, kPageHeight, QImage::Format_RGB32);
    for (auto _ : state) t.render(&img);
}
BENCHMARK(BM_QTableWidgetPageArea)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

KV_QT_BENCHMARK_MAIN()
