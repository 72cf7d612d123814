// Laying out the picker item list and painting one page of it at 1,000 and
// 10,000 items, directly and through the widget: the page paint must cost the
// same whatever the count (only the items meeting the painted area are drawn);
// the layout grows linearly. No stock control lays out such items, so there
// is no peer figure.
#include "dropdown/item_selector.h"
#include "qt_bench_main.h"

#include <QtGui/QImage>
#include <QtGui/QRegion>
#include <QtWidgets/QApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kPageWidth = 200, kPageHeight = 300;

std::unique_ptr<TKvCustomItemSelector> MakeSelector(int count)
{
    auto s = std::make_unique<TKvCustomItemSelector>();
    s->SetBounds(0, 0, kPageWidth, kPageHeight);
    s->SetSelectorType(stColor);
    s->Items()->BeginUpdate();
    for (int i = 0; i < count; ++i) {
        TSelectorItem* it = s->Items()->Add();
        it->SetCaption(QStringLiteral("<b>Colour</b> %1").arg(i));
        it->SetColor(TColor(i * 2654435761u & 0xFFFFFF));
    }
    s->Items()->EndUpdate();
    return s;
}

void BM_SelectorLayout(benchmark::State& state)
{
    auto s = MakeSelector(int(state.range(0)));
    for (auto _ : state) s->UpdateSelectorPanel();
}
BENCHMARK(BM_SelectorLayout)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// One page from the middle of the list, as a scrolled repaint asks for it.
void BM_SelectorPagePaint(benchmark::State& state)
{
    const int count = int(state.range(0));
    auto s = MakeSelector(count);
    s->UpdateSelectorPanel();
    s->SetItemIndex(count / 2);
    TRect mid;
    s->SelectorPanel()->GetItemRect(count / 2, mid);
    TBitmap page(kPageWidth, kPageHeight);
    TCanvas* c = page.Canvas();
    c->SetWindowOrg(0, mid.Top);
    c->SetClipRect(TRect(0, mid.Top, kPageWidth, mid.Top + kPageHeight));
    for (auto _ : state) s->SelectorPanel()->DrawItems(c);
}
BENCHMARK(BM_SelectorPagePaint)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The same page as the widget paints it when the scroll box shows it: only the
// exposed part is painted, into an image of that part's size.
void BM_SelectorWidgetPagePaint(benchmark::State& state)
{
    const int count = int(state.range(0));
    auto s = MakeSelector(count);
    s->UpdateSelectorPanel();
    TRect mid;
    s->SelectorPanel()->GetItemRect(count / 2, mid);
    QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
    const QRegion exposed(0, mid.Top, kPageWidth, kPageHeight);
    for (auto _ : state) s->SelectorPanel()->render(&page, QPoint(), exposed);
}
BENCHMARK(BM_SelectorWidgetPagePaint)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

KV_QT_BENCHMARK_MAIN()
