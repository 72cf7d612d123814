// The grid drop-down with many items of ten columns: filling and opening the
// popup grid with a sort column, a prefix lookup, and painting the open popup,
// which must not grow with the number of rows.
#include "dropdown/grid_dropdown.h"
#include "platform/ui/forms.h"

#include <QtWidgets/QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct TBenchHost {
    explicit TBenchHost(int Rows)
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(0, 0, 300, 80);
        Edit = new TCustomKvGridDropDown(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetBounds(10, 10, 120, 25);
        for (int c = 0; c < 10; ++c) {
            TDropDownColumn* col = Edit->Columns()->Add();
            col->SetHeader(QStringLiteral("Column %1").arg(c));
            col->SetAutoSize(c < 2);
        }
        for (int r = 0; r < Rows; ++r) {
            QStringList t;
            for (int c = 0; c < 10; ++c) t << QStringLiteral("r%1 c%2").arg(r).arg(c);
            Edit->Items()->Add()->Text()->Assign(t);
        }
        Edit->EndUpdate();
        Form->Show();
        QApplication::processEvents();
    }
    std::unique_ptr<TForm> Form;
    TCustomKvGridDropDown* Edit;
};

// Opening: fill from the items, column auto-size and the sort of a shown sort column.
void BM_GridDropDownOpenSorted(benchmark::State& state)
{
    TBenchHost h(int(state.range(0)));
    h.Edit->SetSorting(gsSingleColumn);
    h.Edit->ShowDropDown();
    h.Edit->GetKvColGrid()->SortSettings()->Column = 1;
    h.Edit->HideDropDown(true);
    for (auto _ : state) {
        h.Edit->ShowDropDown();
        h.Edit->HideDropDown(true);
    }
}
BENCHMARK(BM_GridDropDownOpenSorted)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// A prefix found near the end of the items.
void BM_GridDropDownLookup(benchmark::State& state)
{
    TBenchHost h(int(state.range(0)));
    const QString prefix = QStringLiteral("r%1 ").arg(state.range(0) - 2);
    for (auto _ : state) {
        QString text;
        int row = -1;
        benchmark::DoNotOptimize(h.Edit->LookupText(prefix, text, row));
    }
}
BENCHMARK(BM_GridDropDownLookup)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_GridDropDownPaintOpenPopup(benchmark::State& state)
{
    TBenchHost h(int(state.range(0)));
    h.Edit->ShowDropDown();
    for (auto _ : state) benchmark::DoNotOptimize(h.Edit->GetKvColGrid()->grab());
    h.Edit->HideDropDown(true);
}
BENCHMARK(BM_GridDropDownPaintOpenPopup)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
