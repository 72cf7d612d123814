// Parsing INI text: the cost must grow in proportion to the number of keys. The
// toolkit's own INI reader parses the same text beside ours.
#include "platform/core/files.h"
#include "platform/core/inifiles.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Keys spread over a few sections, with some repeated (the first one counts).
QString IniText(int keys)
{
    QString t;
    t.reserve(keys * 24);
    const int perSection = keys / 4 + 1;
    for (int i = 0; i < keys; ++i) {
        if (i % perSection == 0)
            t += QStringLiteral("[Section%1]\r\n").arg(i / perSection);
        t += QStringLiteral("Key%1=Value %2\r\n").arg(i % 997 == 996 ? i - 1 : i).arg(i);
    }
    return t;
}

void BM_MemIniSetText(benchmark::State& state)
{
    const QString text = IniText(int(state.range(0)));
    for (auto _ : state) {
        TMemIniFile ini;
        ini.SetText(text);
        benchmark::DoNotOptimize(ini.ReadString(QStringLiteral("Section0"), QStringLiteral("Key1"), QString()));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MemIniSetText)->Arg(10000)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

// The peer: the toolkit's INI reader on the same text from a file.
void BM_QSettingsIniRead(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.ini"));
    WriteTextFile(file, IniText(int(state.range(0))), TTextEncoding::UTF8);
    for (auto _ : state) {
        QSettings s(file, QSettings::IniFormat);
        benchmark::DoNotOptimize(s.value(QStringLiteral("Section0/Key1")));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_QSettingsIniRead)->Arg(10000)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
