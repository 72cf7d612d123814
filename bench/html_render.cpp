// A page of 40 typical cell markups measured, drawn and hit-tested, as the grid
// does on every paint and mouse move; the same cells' plain text drawn with
// DrawText is the figure to compare with.
#include "grid/html_render.h"
#include "grid/html_markup.h"
#include "platform/ui/drawing.h"
#include "qt_bench_main.h"

#include <QtWidgets/QApplication>
#include <benchmark/benchmark.h>

namespace {

QStringList Page()
{
    const QStringList kinds = {
        QStringLiteral("<B>Rule %1</B> reads <FONT color=\"clBlue\">register %1</FONT>"),
        QStringLiteral("Value <I>%1</I> of <A href=\"item%1\">item %1</A>"),
        QStringLiteral("<FONT color=\"#FF0000\" size=\"2\">Error %1:</FONT> check the address"),
        QStringLiteral("<CONTROL TYPE=\"CHECK\" ID=\"c%1\" VALUE=\"TRUE\" WIDTH=\"16\"> enabled %1"),
        QStringLiteral("Line one %1<BR>line <U>two</U> with more words to wrap around"),
    };
    QStringList page;
    for (int i = 0; i < 40; ++i) page << kinds[i % kinds.size()].arg(i);
    return page;
}

struct Sheet {
    QImage Image{400, 40 * 22, QImage::Format_RGB32};
    TCanvas Canvas{&Image};
    Sheet() { Canvas.Brush()->SetStyle(bsClear); }
};

void Run(benchmark::State& state, bool calcOnly, bool check)
{
    const QStringList page = Page();
    Sheet s;
    for (auto _ : state) {
        for (int i = 0; i < page.size(); ++i) {
            THTMLTextParams p;
            p.Canvas = &s.Canvas;
            p.Text = page[i];
            p.Rect = TRect(2, i * 22, 200, i * 22 + 22);
            p.WordWrap = true;
            p.CalcOnly = calcOnly;
            p.CheckHotSpot = check;
            p.XPos = 60;
            p.YPos = i * 22 + 8;
            benchmark::DoNotOptimize(DrawHTMLText(p));
        }
    }
    s.Canvas.ReleasePainter();
    state.SetItemsProcessed(state.iterations() * page.size());
}

void BM_HTMLPageMeasure(benchmark::State& state) { Run(state, true, false); }
void BM_HTMLPageDraw(benchmark::State& state) { Run(state, false, false); }
void BM_HTMLPageHitTest(benchmark::State& state) { Run(state, false, true); }
BENCHMARK(BM_HTMLPageMeasure);
BENCHMARK(BM_HTMLPageDraw);
BENCHMARK(BM_HTMLPageHitTest);

// The peer: the cells' plain text drawn as plain cells are.
void BM_PlainPageDrawText(benchmark::State& state)
{
    QStringList plain;
    for (const QString& t : Page()) plain << HTMLToPlainText(t);
    Sheet s;
    for (auto _ : state) {
        for (int i = 0; i < plain.size(); ++i) {
            TRect r(2, i * 22, 200, i * 22 + 22);
            DrawText(&s.Canvas, plain[i], r, DT_WORDBREAK | DT_NOPREFIX);
        }
    }
    s.Canvas.ReleasePainter();
    state.SetItemsProcessed(state.iterations() * plain.size());
}
BENCHMARK(BM_PlainPageDrawText);

} // namespace

KV_QT_BENCHMARK_MAIN()
