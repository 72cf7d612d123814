// Repainting one visible page of the grid control: the page must cost the same
// at 513 and at 100,000 rows, and no more than 1.5 times what a plain Qt table
// widget holding the same cells needs for the same page.
#include "grid/kv_string_grid.h"
#include "qt_bench_main.h"

#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QTableWidget>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kCols = 16;
constexpr int kWidth = 1000, kHeight = 500;

// Check-box columns answer a shared virtual check box for their "Y"/"N" cells.
class TBenchGrid : public TKvStringGrid {
public:
    TCellGraphic Virt;
    TBenchGrid() { Virt.SetCellType(ctVirtCheckBox); }
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override
    {
        if ((ACol == 3 || ACol == 4) && ARow > 0) return &Virt;
        return TKvStringGrid::GetCellGraphic(ACol, ARow);
    }
};

// The same texts on the page whatever the row count, so that only the count differs.
QString CellText(int c, int r, int mid)
{
    if (c == 3 || c == 4) return (r + c) % 2 ? QStringLiteral("Y") : QStringLiteral("N");
    return QStringLiteral("R%1C%2").arg(r - mid + 100).arg(c);
}

std::unique_ptr<TBenchGrid> MakeGrid(int rows)
{
    auto g = std::make_unique<TBenchGrid>();
    g->SetColCount(kCols);
    g->SetRowCount(rows);
    g->SetDefaultColWidth(60);
    for (int c = 0; c < kCols; ++c) g->SetCells(c, 0, QStringLiteral("Head %1").arg(c));
    // only the cells of the page around the middle carry text: the page is what is drawn
    const int mid = rows / 2;
    for (int r = std::max(1, mid - 40); r < std::min(rows, mid + 40); ++r)
        for (int c = 0; c < kCols; ++c) g->SetCells(c, r, CellText(c, r, mid));
    g->OnGetCellColor = [](TObject*, int ARow, int ACol, TGridDrawState, TBrush* B, TFont*) {
        if (ACol == 5 && ARow > 0) B->SetColor(0xC0FFC0);
    };
    g->SetBounds(0, 0, kWidth, kHeight);
    g->Show();
    g->SetTopRow(mid);
    QApplication::processEvents();
    return g;
}

void BM_GridPage(benchmark::State& state)
{
    auto g = MakeGrid(int(state.range(0)));
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    int painted = 0;
    g->OnPainted = [&](TObject*) { ++painted; };
    for (auto _ : state) {
        g->Invalidate(); // the control keeps its last picture until invalidated
        g->render(&img);
    }
    // every render paints the page again
    state.counters["paints_per_render"] = double(painted) / double(state.iterations());
}
BENCHMARK(BM_GridPage)->Arg(513)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_QTableWidgetPage(benchmark::State& state)
{
    const int rows = int(state.range(0));
    QTableWidget t(rows, kCols);
    const int mid = rows / 2;
    for (int r = std::max(1, mid - 40); r < std::min(rows, mid + 40); ++r)
        for (int c = 0; c < kCols; ++c) {
            auto* it = new QTableWidgetItem;
            if (c == 3 || c == 4) it->setCheckState(CellText(c, r, mid) == QLatin1String("Y") ? Qt::Checked : Qt::Unchecked);
            else it->setText(CellText(c, r, mid));
            if (c == 5) it->setBackground(QColor(0xC0, 0xFF, 0xC0));
            t.setItem(r, c, it);
        }
    t.horizontalHeader()->setDefaultSectionSize(60);
    t.resize(kWidth, kHeight);
    t.show();
    t.scrollToItem(t.item(mid, 0), QAbstractItemView::PositionAtTop);
    QApplication::processEvents();
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) t.render(&img);
}
BENCHMARK(BM_QTableWidgetPage)->Arg(513)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

KV_QT_BENCHMARK_MAIN()
