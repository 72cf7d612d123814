#include "platform/core/process.h"

#include <QFile>
#include <QProcess>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

class TPosixLauncher : public IProcessLauncher {
public:
    TLaunchResult LaunchAndWait(const QString& Program, const QStringList& Arguments, int, int TimeoutMs) override
    {
        TLaunchResult R;
        const QByteArray Path = QFile::encodeName(Program);
        if (Program.isEmpty() || ::access(Path.constData(), X_OK) != 0) {
            R.Error = QStringLiteral("Cannot start \"%1\". %2")
                          .arg(Program, QString::fromLocal8Bit(std::strerror(Program.isEmpty() ? ENOENT : errno)));
            return R;
        }
        std::vector<QByteArray> Args;
        Args.push_back(Path);
        for (const QString& A : Arguments)
            Args.push_back(A.toLocal8Bit());
        std::vector<char*> Argv;
        for (QByteArray& A : Args)
            Argv.push_back(A.data());
        Argv.push_back(nullptr);

        pid_t Pid = 0;
        const int Err = ::posix_spawn(&Pid, Path.constData(), nullptr, nullptr, Argv.data(), environ);
        if (Err != 0) {
            R.Error = QStringLiteral("Cannot start \"%1\". %2").arg(Program, QString::fromLocal8Bit(std::strerror(Err)));
            return R;
        }
        R.ProcessId = Pid;
        using Clock = std::chrono::steady_clock;
        const auto Deadline = Clock::now() + std::chrono::milliseconds(std::max(0, TimeoutMs));
        for (;;) {
            int Status = 0;
            const pid_t W = ::waitpid(Pid, &Status, WNOHANG);
            if (W == Pid) {
                R.Status = TLaunchStatus::Finished;
                if (WIFEXITED(Status))
                    R.ExitCode = WEXITSTATUS(Status);
                else if (WIFSIGNALED(Status))
                    R.ExitCode = 128 + WTERMSIG(Status);
                return R;
            }
            if (W < 0 && errno != EINTR) {
                R.Status = TLaunchStatus::Finished;
                return R;
            }
            if (Clock::now() >= Deadline) {
                R.Status = TLaunchStatus::TimedOut;
                // Left running, it is still our child: collect it when it ends so that
                // it does not linger as a zombie for the rest of the session.
                std::thread([Pid] {
                    int Ignored = 0;
                    while (::waitpid(Pid, &Ignored, 0) < 0 && errno == EINTR) {
                    }
                }).detach();
                return R;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(LaunchPollIntervalMs));
        }
    }
};

IProcessLauncher* GLauncher = nullptr;

}  // namespace

IProcessLauncher::~IProcessLauncher() = default;

IProcessLauncher& ProcessLauncher()
{
    static TPosixLauncher Real;
    return GLauncher ? *GLauncher : Real;
}

void SetProcessLauncher(IProcessLauncher* Launcher)
{
    GLauncher = Launcher;
}

TLaunchResult LaunchAndWait(const QString& Program, const QStringList& Arguments, int ShowMode, int TimeoutMs)
{
    return ProcessLauncher().LaunchAndWait(Program, Arguments, ShowMode, TimeoutMs);
}

QStringList SplitParameters(const QString& Parameters)
{
    return QProcess::splitCommand(Parameters);
}
