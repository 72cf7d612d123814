// Start-up to the first painted main window, with all 42 windows created, against a
// bare window of the toolkit on the same machine. After the benchmarks it prints the
// start-up of a fresh process against the bare window with one line of text, offscreen
// and on xcb under an Xvfb of its own, as two ratios (KV_STARTUP_ROUNDS sets the rounds).

#include "platform/ui/forms.h"
#include "common/working_state.h"
#include "shell/program_windows.h"
#include "shell/window_set.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

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

// Launches the child once in the given mode and returns the time from the launch to its
// first paint in nanoseconds, or -1 when it failed or did not paint.
qint64 Time_Child(const char* mode, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    const qint64 launched = Monotonic_Ns();
    p.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode)});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return -1;
    const QByteArray out = p.readAllStandardOutput();
    const int at = out.indexOf("painted ");
    if (at < 0) return -1;
    return out.mid(at + 8).trimmed().toLongLong() - launched;
}

void Run_Child(benchmark::State& state, const char* mode)
{
    for (auto _ : state) {
        const qint64 ns = Time_Child(mode);
        if (ns < 0) {
            state.SkipWithError("child failed or did not paint");
            break;
        }
        state.SetIterationTime(double(ns) / 1e9);
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

// Shows the window and returns once its first paint is done and flushed: on xcb that
// is after the server exposed the mapped window, offscreen right after the show.
bool Show_And_Wait_For_Paint(QWidget* w, const std::function<void()>& Show)
{
    struct TPaintWatch : QObject {
        bool Painted = false;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint) Painted = true;
            return false;
        }
    } watch;
    w->installEventFilter(&watch);
    Show();
    QElapsedTimer limit;
    limit.start();
    while (!watch.Painted && limit.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    // The paint event that was seen is part of a pass that also paints the children
    // and flushes: that pass has returned once the events are processed again.
    QCoreApplication::processEvents();
    w->removeEventFilter(&watch);
    return watch.Painted;
}

int Child(const QString& mode)
{
    if (mode == QLatin1String("--child-bare") || mode == QLatin1String("--child-bare-text")) {
        QWidget w;
        w.setWindowTitle(QStringLiteral("bare"));
        w.resize(694, 484);
        if (mode == QLatin1String("--child-bare-text"))
            (new QLabel(QStringLiteral("Step 1"), &w))->move(16, 128);
        const bool painted = Show_And_Wait_For_Paint(&w, [&] { w.show(); });
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
    const bool painted = Show_And_Wait_For_Paint(FKalvoraFirmWare, [] { FKalvoraFirmWare->Show(); });
    Tell_First_Paint();
    const qint64 b = t.nsecsElapsed();
    if (qEnvironmentVariableIsSet("KV_BENCH_PHASES"))
        fprintf(stderr, "init %.2f create %.2f show and paint %.2f ms\n", init / 1e6, a / 1e6, (b - a) / 1e6);
    Destroy_Program_Windows();
    return painted ? 0 : 1;
}

// An X server of its own for the xcb runs: Xvfb picks a free display and names it.
class TXvfb {
public:
    TXvfb()
    {
        FProcess.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                QStringLiteral("-screen"), QStringLiteral("0"),
                                                QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                                QStringLiteral("tcp")});
        if (!FProcess.waitForStarted(5000)) return;
        QByteArray out;
        while (!out.contains('\n') && FProcess.waitForReadyRead(10000)) out += FProcess.readAllStandardOutput();
        bool ok = false;
        const int n = out.trimmed().toInt(&ok);
        if (ok) FDisplay = QStringLiteral(":%1").arg(n);
    }
    ~TXvfb()
    {
        FProcess.terminate();
        if (!FProcess.waitForFinished(5000)) FProcess.kill();
        FProcess.waitForFinished(2000);
    }
    QString Display() const { return FDisplay; }

private:
    QProcess FProcess;
    QString FDisplay;
};

double Median(std::vector<qint64> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : double(v[v.size() / 2]);
}

// Start-up of the program against the bare window with one line of text, launched in
// turn so that both see the same load on the machine; prints the medians and the ratio.
void Print_Ratio(const char* platform, const QProcessEnvironment& env, int rounds)
{
    std::vector<qint64> bare, program;
    for (int i = 0; i < rounds; ++i) {
        const qint64 b = Time_Child("--child-bare-text", env);
        const qint64 p = Time_Child("--child-program", env);
        if (b < 0 || p < 0) {
            printf("startup %-9s failed\n", platform);
            return;
        }
        bare.push_back(b);
        program.push_back(p);
    }
    const double mb = Median(bare) / 1e6, mp = Median(program) / 1e6;
    printf("startup %-9s program %7.1f ms  bare window with text %7.1f ms  ratio %.2f  (median of %d)\n",
           platform, mp, mb, mp / mb, rounds);
    fflush(stdout);
}

void Print_Ratios()
{
    const int rounds = qEnvironmentVariableIntValue("KV_STARTUP_ROUNDS") > 0
                           ? qEnvironmentVariableIntValue("KV_STARTUP_ROUNDS")
                           : 9;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    Print_Ratio("offscreen", env, rounds);
    TXvfb xvfb;
    if (xvfb.Display().isEmpty()) {
        printf("startup xcb       skipped: Xvfb did not start\n");
        return;
    }
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), xvfb.Display());
    Print_Ratio("xcb", env, rounds);
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
    Print_Ratios();
    return 0;
}
