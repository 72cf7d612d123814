// The multi-column drop-down with many items of ten columns: rebuilding the
// lookup list, opening the popup (fill, column and row auto-size) and painting
// the open popup, which must not grow with the number of rows.
#include "dropdown/multicolumn_dropdown.h"
#include "platform/ui/forms.h"
#include "qt_bench_main.h"

#include <QtWidgets/QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct TBenchHost {
    explicit TBenchHost(int Rows, bool Wrap = false)
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 300, 80);
        Edit = new TKvMultiColumnDropDown(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetBounds(10, 10, 120, 25);
        for (int c = 0; c < 10; ++c) {
            TMultiColumnDropDownColumn* col = Edit->Columns()->Add();
            col->SetHeader(QStringLiteral("Column %1").arg(c));
            col->SetAutoSize(c < 2);
            col->SetWordwrap(Wrap && c == 2);
        }
        for (int r = 0; r < Rows; ++r) {
            QStringList t;
            for (int c = 0; c < 10; ++c) t << QStringLiteral("r%1 c%2").arg(r).arg(c);
            Edit->Items()->Add()->Text()->Assign(t);
        }
        Form->Show();
        QApplication::processEvents();
    }
    std::unique_ptr<TForm> Form;
    TKvMultiColumnDropDown* Edit;
};

void BM_EndUpdate(benchmark::State& state)
{
    TBenchHost h(int(state.range(0)));
    for (auto _ : state) h.Edit->EndUpdate();
}
BENCHMARK(BM_EndUpdate)->Arg(100000)->Unit(benchmark::kMillisecond);

// Opening: fill, column auto-size and (with a wrapping column) row auto-size.
// The row auto-size lays out every item's wrapped text, so it is measured at
// smaller sizes, four times apart, which shows that it grows with the row count.
void BM_OpenPopup(benchmark::State& state)
{
    TBenchHost h(int(state.range(0)), state.range(1) != 0);
    h.Edit->EndUpdate();
    for (auto _ : state) {
        h.Edit->ShowDropDown();
        h.Edit->HideDropDown(true);
    }
}
BENCHMARK(BM_OpenPopup)->Args({100000, 0})->Args({1000, 1})->Args({4000, 1})->Args({16000, 1})->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PaintOpenPopup(benchmark::State& state)
{
    TBenchHost h(int(state.range(0)));
    h.Edit->EndUpdate();
    h.Edit->ShowDropDown();
    for (auto _ : state) benchmark::DoNotOptimize(h.Edit->Grid()->Snapshot());
    h.Edit->HideDropDown(true);
}
BENCHMARK(BM_PaintOpenPopup)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

KV_QT_BENCHMARK_MAIN()
