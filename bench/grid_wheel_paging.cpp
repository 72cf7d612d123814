// Stepping through a large grid with Page Down and the mouse wheel: the cost
// of one step must not grow with the row count. Each step runs through the
// grid's window procedure as the real key and wheel messages do. The peer
// figure is the stock string grid taking the same steps at the same sizes.
#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"
#include "platform/ui/keys.h"
#include "platform/ui/messages.h"

#include <QtWidgets/QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

template <class TGrid>
struct TShownGrid {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TGrid* grid;
    explicit TShownGrid(int rows)
    {
        form->SetBounds(0, 0, 640, 480);
        grid = new TGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 600, 440);
        grid->SetColCount(5);
        grid->SetRowCount(rows);
        for (int c = 0; c < 5; ++c) grid->SetCells(c, 0, QStringLiteral("Column %1").arg(c));
        // Texts in the first and last screens; the rest stays empty, as a long rule list's tail.
        for (int r = 1; r < 40 && r < rows; ++r) grid->SetCells(1, r, QString::number(r));
        for (int r = rows - 40; r < rows; ++r) grid->SetCells(1, r, QString::number(r));
        grid->SetRow(1);
        form->Show();
        QApplication::processEvents();
    }
};

WPARAM WheelDown() { return MAKEWPARAM(0, unsigned(int16_t(-120)) & 0xFFFF); }

template <class TGrid>
void Steps(benchmark::State& state, bool wheel)
{
    TShownGrid<TGrid> s(int(state.range(0)));
    TGrid* g = s.grid;
    const int last = g->RowCount() - 60;
    for (auto _ : state) {
        if (wheel) {
            g->Perform(WM_MOUSEWHEEL, WheelDown(), MAKELPARAM(20u, 20u));
        } else {
            g->Perform(WM_KEYDOWN, VK_NEXT, 0);
            g->Perform(WM_KEYUP, VK_NEXT, 0);
        }
        g->Repaint();
        if (g->Row() >= last) {
            state.PauseTiming();
            g->SetRow(1);
            g->SetTopRow(1);
            state.ResumeTiming();
        }
    }
}

void BM_GridPageDown(benchmark::State& state) { Steps<TKvStringGrid>(state, false); }
void BM_GridWheelNotch(benchmark::State& state) { Steps<TKvStringGrid>(state, true); }
void BM_PeerStockGridPageDown(benchmark::State& state) { Steps<TStringGrid>(state, false); }
void BM_PeerStockGridWheelNotch(benchmark::State& state) { Steps<TStringGrid>(state, true); }

BENCHMARK(BM_GridPageDown)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PeerStockGridPageDown)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridWheelNotch)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PeerStockGridWheelNotch)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitPlatformApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
