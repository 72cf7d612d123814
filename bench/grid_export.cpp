// The grid's exports and its CSV load on 100,000 x 10 cells, beside a QTableWidget
// holding the same cells in the same run: its tab-separated text written to a file is
// the peer of every export, its fill from the same CSV file (read, split, setItem) the
// peer of the CSV load.
#include "grid/kv_string_grid.h"

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTableWidget>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;

QString CellText(int c, int r)
{
    switch (c % 3) {
    case 0: return QStringLiteral("row %1 item %2").arg(r).arg(c);
    case 1: return QString::number(r * 1.25 + c, 'f', 2);
    default: return QStringLiteral("text, with \"quotes\" %1").arg(r % 97);
    }
}

const QTemporaryDir& Folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString FilePath(const char* Name) { return Folder().filePath(QLatin1String(Name)); }

TKvStringGrid& Grid()
{
    static std::unique_ptr<TKvStringGrid> g = [] {
        auto grid = std::make_unique<TKvStringGrid>();
        grid->SetColCount(kCols);
        grid->SetRowCount(kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) grid->SetCells(c, r, CellText(c, r));
        return grid;
    }();
    return *g;
}

QTableWidget& Peer()
{
    static std::unique_ptr<QTableWidget> t = [] {
        auto table = std::make_unique<QTableWidget>(kRows, kCols);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) table->setItem(r, c, new QTableWidgetItem(CellText(c, r)));
        return table;
    }();
    return *t;
}

void BM_SaveToCSV(benchmark::State& state)
{
    for (auto _ : state) Grid().SaveToCSV(FilePath("grid.csv"));
}
BENCHMARK(BM_SaveToCSV)->Unit(benchmark::kMillisecond);

void BM_SaveToFile(benchmark::State& state)
{
    for (auto _ : state) Grid().SaveToFile(FilePath("grid.txt"));
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

void BM_SaveToXML(benchmark::State& state)
{
    for (auto _ : state)
        Grid().SaveToXML(FilePath("grid.xml"), QStringLiteral("list"), QStringLiteral("rec"), nullptr, false);
}
BENCHMARK(BM_SaveToXML)->Unit(benchmark::kMillisecond);

void BM_SaveToHTMLString(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(Grid().SaveToHTMLString(QString()));
}
BENCHMARK(BM_SaveToHTMLString)->Unit(benchmark::kMillisecond);

void BM_SaveToASCII(benchmark::State& state)
{
    for (auto _ : state) Grid().SaveToASCII(FilePath("grid.asc"));
}
BENCHMARK(BM_SaveToASCII)->Unit(benchmark::kMillisecond);

void BM_PeerExportTabText(benchmark::State& state)
{
    QTableWidget& t = Peer();
    for (auto _ : state) {
        QString text;
        for (int r = 0; r < t.rowCount(); ++r) {
            for (int c = 0; c < t.columnCount(); ++c) {
                if (c > 0) text += QLatin1Char('\t');
                if (const QTableWidgetItem* i = t.item(r, c)) text += i->text();
            }
            text += QStringLiteral("\r\n");
        }
        QFile f(FilePath("peer.txt"));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(text.toUtf8());
    }
}
BENCHMARK(BM_PeerExportTabText)->Unit(benchmark::kMillisecond);

void BM_LoadFromCSV(benchmark::State& state)
{
    Grid().SaveToCSV(FilePath("load.csv"));
    TKvStringGrid g;
    for (auto _ : state) {
        g.SetRowCount(2);
        g.LoadFromCSV(FilePath("load.csv"));
    }
    state.counters["rows"] = g.RowCount();
}
BENCHMARK(BM_LoadFromCSV)->Unit(benchmark::kMillisecond);

void BM_PeerFillFromCSV(benchmark::State& state)
{
    Grid().SaveToCSV(FilePath("load.csv"));
    QTableWidget t;
    for (auto _ : state) {
        QFile f(FilePath("load.csv"));
        f.open(QIODevice::ReadOnly);
        const QStringList lines = QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        t.setRowCount(int(lines.size()));
        t.setColumnCount(kCols);
        for (int r = 0; r < lines.size(); ++r) {
            const QStringList fields = lines[r].split(QLatin1Char(','));
            for (int c = 0; c < fields.size() && c < kCols; ++c) t.setItem(r, c, new QTableWidgetItem(fields[c]));
        }
    }
    state.counters["rows"] = t.rowCount();
}
BENCHMARK(BM_PeerFillFromCSV)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Both hold their cells before any figure is taken.
    Grid();
    Peer();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
