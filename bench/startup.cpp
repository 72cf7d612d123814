// Start-up to the first painted main window, with all 42 windows created, against a
// bare window of the toolkit on the same machine.

#include "platform/ui/forms.h"
#include "shell/common/working_state.h"
#include "shell/program_windows.h"
#include "shell/window_set.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>

namespace {

void BM_BareWindow(benchmark::State& state)
{
    for (auto _ : state) {
        QWidget w;
        w.setWindowTitle(QStringLiteral("bare"));
        w.resize(694, 484);
        w.show();
        benchmark::DoNotOptimize(w.grab());  // paints the window once
        state.PauseTiming();
        w.hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BareWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ProgramStartup(benchmark::State& state)
{
    // An empty program folder (the pictures are built in); settings and project folders
    // go there so every round starts alike.
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        auto saved = Install_Working_State(std::make_unique<TWorkingState>(dir.path()));
        state.ResumeTiming();

        Create_Program_Windows();
        FKalvoraFirmWare->Show();
        benchmark::DoNotOptimize(FKalvoraFirmWare->grab());

        state.PauseTiming();
        Destroy_Program_Windows();
        QCoreApplication::processEvents();
        Install_Working_State(std::move(saved));
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ProgramStartup)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The whole start-up as a user sees it: a fresh process that loads the libraries,
// creates the application and its windows and paints the main window once. The same
// executable runs as the child in one of two modes. The child tells the moment of its
// first paint on the system's monotonic clock; the time is from the launch to that
// moment, so that closing the windows and leaving the process, which the user does not
// wait for at start, are not counted.
qint64 Monotonic_Ns()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

void Tell_First_Paint()
{
    printf("painted %lld\n", static_cast<long long>(Monotonic_Ns()));
    fflush(stdout);
}

void Run_Child(benchmark::State& state, const char* mode)
{
    const QString self = QCoreApplication::applicationFilePath();
    for (auto _ : state) {
        QProcess p;
        const qint64 launched = Monotonic_Ns();
        p.start(self, {QString::fromLatin1(mode)});
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            state.SkipWithError("child failed");
            break;
        }
        const QByteArray out = p.readAllStandardOutput();
        const int at = out.indexOf("painted ");
        if (at < 0) {
            state.SkipWithError("child did not paint");
            break;
        }
        const qint64 painted = out.mid(at + 8).trimmed().toLongLong();
        state.SetIterationTime(double(painted - launched) / 1e9);
    }
}
void BM_Process_BareWindow(benchmark::State& state) { Run_Child(state, "--child-bare"); }
void BM_Process_ProgramStartup(benchmark::State& state) { Run_Child(state, "--child-program"); }
// A bare window that draws one line of text: shows what loading the fonts alone costs,
// which the bare window without text never pays.
void BM_Process_BareWindowWithText(benchmark::State& state) { Run_Child(state, "--child-bare-text"); }
BENCHMARK(BM_Process_BareWindow)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseManualTime();
BENCHMARK(BM_Process_BareWindowWithText)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseManualTime();
BENCHMARK(BM_Process_ProgramStartup)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseManualTime();

int Child(const QString& mode)
{
    if (mode == QLatin1String("--child-bare") || mode == QLatin1String("--child-bare-text")) {
        QWidget w;
        w.setWindowTitle(QStringLiteral("bare"));
        w.resize(694, 484);
        if (mode == QLatin1String("--child-bare-text"))
            (new QLabel(QStringLiteral("Step 1"), &w))->move(16, 128);
        w.show();
        const bool painted = !w.grab().isNull();
        Tell_First_Paint();
        return painted ? 0 : 1;
    }
    QElapsedTimer t;
    t.start();
    InitPlatformApplication();
    const qint64 init = t.nsecsElapsed();
    // The build's program folder, as the installed program has it (pictures beside it).
    Install_Working_State(std::make_unique<TWorkingState>(
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../app"))));
    t.restart();
    Create_Program_Windows();
    const qint64 a = t.nsecsElapsed();
    FKalvoraFirmWare->Show();
    const qint64 b = t.nsecsElapsed();
    const bool painted = !FKalvoraFirmWare->grab().isNull();
    Tell_First_Paint();
    const qint64 c = t.nsecsElapsed();
    if (qEnvironmentVariableIsSet("KV_BENCH_PHASES"))
        fprintf(stderr, "init %.2f create %.2f show %.2f paint %.2f ms\n", init / 1e6, a / 1e6, (b - a) / 1e6,
                (c - b) / 1e6);
    Destroy_Program_Windows();
    return painted ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]).startsWith("--child-"))
        return Child(QString::fromLatin1(argv[1]));
    InitPlatformApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
