#include "x_server.h"

#include <QStandardPaths>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr int Start_Limit_Ms = 15000;
}

TXServer::~TXServer() { Stop(); }

bool TXServer::Start(QString* Error)
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        FMissing = true;
        *Error = QStringLiteral("Xvfb is not installed (Debian package xvfb)");
        return false;
    }
    // Xvfb picks a free display number itself and writes it to this pipe.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        *Error = QStringLiteral("no pipe for Xvfb");
        return false;
    }
    const QByteArray path = xvfb.toLocal8Bit();
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        *Error = QStringLiteral("cannot fork for Xvfb");
        return false;
    }
    if (pid == 0) {
        // The server ends with the test, however the test ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(fds[0]);
        const int fd = fcntl(fds[1], F_DUPFD, 3);  // without close-on-exec
        const QByteArray fdText = QByteArray::number(fd);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execl(path.constData(), "Xvfb", "-displayfd", fdText.constData(), "-screen", "0", "1600x1200x24", "-dpi",
              "96", "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    FPid = pid;
    close(fds[1]);
    QByteArray number;
    pollfd p{fds[0], POLLIN, 0};
    while (!number.contains('\n') && poll(&p, 1, Start_Limit_Ms) > 0) {
        char buf[32];
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n <= 0)
            break;
        number.append(buf, n);
    }
    close(fds[0]);
    bool ok = false;
    const int display = number.trimmed().toInt(&ok);
    if (!ok) {
        Stop();
        *Error = QStringLiteral("Xvfb did not report a display number");
        return false;
    }
    FDisplay = QStringLiteral(":%1").arg(display);
    return true;
}

void TXServer::Stop()
{
    if (FPid <= 0)
        return;
    kill(FPid, SIGTERM);
    int status = 0;
    waitpid(FPid, &status, 0);
    FPid = 0;
}
