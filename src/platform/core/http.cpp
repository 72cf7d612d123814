#include "platform/core/http.h"

#include <QUrl>

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point Deadline)
{
    const auto L = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - Clock::now()).count();
    return L > 0 ? static_cast<int>(L) : 0;
}

QString ErrnoText(int Err)
{
    return QString::fromLocal8Bit(std::strerror(Err));
}

class TSocket {
public:
    ~TSocket()
    {
        if (Fd >= 0)
            ::close(Fd);
    }
    int Fd = -1;
};

// Waits for the socket; false on time-out.
bool WaitFor(int Fd, short Events, Clock::time_point Deadline)
{
    for (;;) {
        pollfd P{Fd, Events, 0};
        const int R = ::poll(&P, 1, MsLeft(Deadline));
        if (R > 0)
            return true;
        if (R == 0)
            return false;
        if (errno != EINTR)
            return true;   // let the following call report the error
    }
}

class TSocketHttpClient : public IHttpClient {
public:
    THttpResponse Get(const QString& Url, const THttpHeaders& RequestHeaders, int TimeoutMs) override
    {
        const QUrl U(Url);
        if (!U.isValid() || U.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) != 0 || U.host().isEmpty())
            throw EHttpError(QStringLiteral("Unsupported or malformed URL \"%1\"").arg(Url));
        const auto Deadline = Clock::now() + std::chrono::milliseconds(std::max(1, TimeoutMs));
        const QString Host = U.host();
        const int Port = U.port(80);

        addrinfo Hints{};
        Hints.ai_family = AF_UNSPEC;
        Hints.ai_socktype = SOCK_STREAM;
        addrinfo* Found = nullptr;
        const int G = ::getaddrinfo(Host.toUtf8().constData(), QByteArray::number(Port).constData(), &Hints, &Found);
        if (G != 0 || !Found)
            throw EHostNotFound(QStringLiteral("Host \"%1\" not found").arg(Host));

        TSocket S;
        int LastErr = ECONNREFUSED;
        bool Connected = false;
        for (addrinfo* A = Found; A && !Connected; A = A->ai_next) {
            S.Fd = ::socket(A->ai_family, A->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, A->ai_protocol);
            if (S.Fd < 0) {
                LastErr = errno;
                continue;
            }
            if (::connect(S.Fd, A->ai_addr, A->ai_addrlen) == 0) {
                Connected = true;
                break;
            }
            if (errno == EINPROGRESS) {
                if (!WaitFor(S.Fd, POLLOUT, Deadline)) {
                    ::freeaddrinfo(Found);
                    throw ETimeoutError(QStringLiteral("Connection to %1 timed out").arg(Host));
                }
                int Err = 0;
                socklen_t Len = sizeof Err;
                ::getsockopt(S.Fd, SOL_SOCKET, SO_ERROR, &Err, &Len);
                if (Err == 0) {
                    Connected = true;
                    break;
                }
                LastErr = Err;
            } else {
                LastErr = errno;
            }
            ::close(S.Fd);
            S.Fd = -1;
        }
        ::freeaddrinfo(Found);
        if (!Connected)
            throw EHttpError(QStringLiteral("Cannot connect to %1:%2. %3").arg(Host).arg(Port).arg(ErrnoText(LastErr)));

        QByteArray Path = U.path(QUrl::FullyEncoded).toUtf8();
        if (Path.isEmpty())
            Path = "/";
        if (U.hasQuery())
            Path += '?' + U.query(QUrl::FullyEncoded).toUtf8();
        QByteArray Req = "GET " + Path + " HTTP/1.0\r\n";
        bool HasHost = false;
        for (const auto& [Name, Value] : RequestHeaders)
            HasHost = HasHost || Name.compare(QLatin1String("Host"), Qt::CaseInsensitive) == 0;
        if (!HasHost) {
            Req += "Host: " + Host.toUtf8();
            if (Port != 80)
                Req += ':' + QByteArray::number(Port);
            Req += "\r\n";
        }
        for (const auto& [Name, Value] : RequestHeaders)
            Req += Name.toLatin1() + ": " + Value.toLatin1() + "\r\n";
        Req += "\r\n";

        qsizetype Sent = 0;
        while (Sent < Req.size()) {
            if (!WaitFor(S.Fd, POLLOUT, Deadline))
                throw ETimeoutError(QStringLiteral("Request to %1 timed out").arg(Host));
            const ssize_t W = ::send(S.Fd, Req.constData() + Sent, Req.size() - Sent, MSG_NOSIGNAL);
            if (W < 0) {
                if (errno == EAGAIN || errno == EINTR)
                    continue;
                throw EHttpError(QStringLiteral("Cannot send to %1. %2").arg(Host, ErrnoText(errno)));
            }
            Sent += W;
        }

        // HTTP/1.0: the answer ends when the server closes the connection.
        QByteArray Answer;
        char Buf[16384];
        for (;;) {
            if (!WaitFor(S.Fd, POLLIN, Deadline))
                throw ETimeoutError(QStringLiteral("No answer from %1 within %2 ms").arg(Host).arg(TimeoutMs));
            const ssize_t N = ::recv(S.Fd, Buf, sizeof Buf, 0);
            if (N > 0) {
                Answer.append(Buf, N);
                // A server that keeps the connection open despite HTTP/1.0 is done when
                // the announced body has come.
                if (BodyComplete(Answer))
                    break;
                continue;
            }
            if (N == 0)
                break;
            if (errno == EAGAIN || errno == EINTR)
                continue;
            if (errno == ECONNRESET && !Answer.isEmpty())
                break;
            throw EHttpError(QStringLiteral("Cannot read from %1. %2").arg(Host, ErrnoText(errno)));
        }
        return Parse(Answer, Host);
    }

private:
    static bool BodyComplete(const QByteArray& Answer)
    {
        const int HeadEnd = Answer.indexOf("\r\n\r\n");
        if (HeadEnd < 0)
            return false;
        for (const QByteArray& Line : Answer.left(HeadEnd).split('\n')) {
            const int C = Line.indexOf(':');
            if (C > 0 && Line.left(C).trimmed().compare("Content-Length", Qt::CaseInsensitive) == 0) {
                bool Ok = false;
                const qint64 Len = Line.mid(C + 1).trimmed().toLongLong(&Ok);
                return Ok && Answer.size() - (HeadEnd + 4) >= Len;
            }
        }
        return false;
    }

    static THttpResponse Parse(const QByteArray& Answer, const QString& Host)
    {
        int HeadEnd = Answer.indexOf("\r\n\r\n");
        int SepLen = 4;
        if (HeadEnd < 0) {
            HeadEnd = Answer.indexOf("\n\n");
            SepLen = 2;
        }
        if (HeadEnd < 0) {
            if (!Answer.startsWith("HTTP/"))
                throw EHttpError(QStringLiteral("Invalid answer from %1").arg(Host));
            HeadEnd = Answer.size();
            SepLen = 0;
        }
        const QList<QByteArray> Lines = Answer.left(HeadEnd).split('\n');
        const QByteArray StatusLine = Lines.value(0).trimmed();
        const QList<QByteArray> Parts = StatusLine.split(' ');
        bool Ok = false;
        THttpResponse R;
        if (Parts.size() >= 2 && Parts[0].startsWith("HTTP/"))
            R.StatusCode = Parts[1].toInt(&Ok);
        if (!Ok)
            throw EHttpError(QStringLiteral("Invalid answer from %1").arg(Host));
        const int Sp = StatusLine.indexOf(' ', StatusLine.indexOf(' ') + 1);
        R.StatusText = Sp > 0 ? QString::fromLatin1(StatusLine.mid(Sp + 1)) : QString();
        for (int i = 1; i < Lines.size(); ++i) {
            const QByteArray L = Lines[i].trimmed();
            const int C = L.indexOf(':');
            if (C > 0)
                R.Headers.append({L.left(C).trimmed(), L.mid(C + 1).trimmed()});
        }
        R.Body = Answer.mid(HeadEnd + SepLen);
        return R;
    }
};

IHttpClient* GClient = nullptr;

}  // namespace

QByteArray THttpResponse::Header(const QByteArray& Name) const
{
    for (const auto& [N, V] : Headers)
        if (N.compare(Name, Qt::CaseInsensitive) == 0)
            return V;
    return QByteArray();
}

IHttpClient::~IHttpClient() = default;

IHttpClient& HttpClient()
{
    static TSocketHttpClient Real;
    return GClient ? *GClient : Real;
}

void SetHttpClient(IHttpClient* Client)
{
    GClient = Client;
}

THttpResponse HttpGet(const QString& Url, const THttpHeaders& RequestHeaders, int TimeoutMs)
{
    return HttpClient().Get(Url, RequestHeaders, TimeoutMs);
}
