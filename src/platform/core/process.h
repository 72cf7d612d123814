#pragma once
// Launching an outside program and waiting for it. The wait polls every 10 ms up to a
// limit without serving window events (the program waits up to 150 s for the updater).
// Tests replace the launcher with SetProcessLauncher.

#include <QString>
#include <QStringList>
#include <vector>

enum class TLaunchStatus {
    Finished,        // the program ended within the limit
    TimedOut,        // still running when the limit passed (left running)
    CouldNotStart,   // missing, not executable, or the start failed
};

struct TLaunchResult {
    TLaunchStatus Status = TLaunchStatus::CouldNotStart;
    int ExitCode = -1;          // when Finished (128 + signal number when killed by one)
    qint64 ProcessId = 0;       // when started
    QString Error;              // why it could not start
};

inline constexpr int DefaultLaunchTimeoutMs = 150000;
inline constexpr int LaunchPollIntervalMs = 10;

class IProcessLauncher {
public:
    virtual ~IProcessLauncher();
    // ShowMode 0 asks for a normal window, anything else for a hidden one (no meaning for
    // programs without windows).
    virtual TLaunchResult LaunchAndWait(const QString& Program, const QStringList& Arguments, int ShowMode,
                                        int TimeoutMs) = 0;
};

// The launcher in use; SetProcessLauncher(nullptr) restores the real one. Not owned.
IProcessLauncher& ProcessLauncher();
void SetProcessLauncher(IProcessLauncher* Launcher);

// Convenience: ProcessLauncher().LaunchAndWait(...).
TLaunchResult LaunchAndWait(const QString& Program, const QStringList& Arguments, int ShowMode = 0,
                            int TimeoutMs = DefaultLaunchTimeoutMs);
// Splits a parameter text as a shell would (blanks, quotes) into arguments.
QStringList SplitParameters(const QString& Parameters);

// A launcher that records the requests and answers with a scripted result.
class TRecordingLauncher : public IProcessLauncher {
public:
    struct TRequest {
        QString Program;
        QStringList Arguments;
        int ShowMode;
        int TimeoutMs;
    };
    TLaunchResult LaunchAndWait(const QString& Program, const QStringList& Arguments, int ShowMode,
                                int TimeoutMs) override
    {
        Requests.push_back({Program, Arguments, ShowMode, TimeoutMs});
        return Answer;
    }
    std::vector<TRequest> Requests;
    TLaunchResult Answer{TLaunchStatus::Finished, 0, 1, QString()};
};
