// Outside processes, HTTP, ICMP, settings stores and shared libraries. Network traffic
// stays on 127.0.0.1.
#include "platform/core/dynlib.h"
#include "platform/core/files.h"
#include "platform/core/format_settings.h"
#include "platform/core/http.h"
#include "platform/core/icmp.h"
#include "platform/core/inifiles.h"
#include "platform/core/process.h"
#include "platform/core/shell_open.h"
#include "platform/core/stringlist.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <atomic>
#include <chrono>
#include <dlfcn.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <zlib.h>

namespace {

using Clock = std::chrono::steady_clock;

qint64 ElapsedMs(Clock::time_point Start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - Start).count();
}

QString Script(const QTemporaryDir& Dir, const QString& Name, const QByteArray& Body)
{
    const QString Path = Dir.filePath(Name);
    QFile F(Path);
    F.open(QIODevice::WriteOnly);
    F.write("#!/bin/sh\n" + Body + "\n");
    F.close();
    F.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return Path;
}

// A one-connection HTTP server on 127.0.0.1 that answers as told: with a reply, by
// closing at once, or never (it holds the connection until the test ends).
class TLoopbackServer {
public:
    enum TMode { Answer, AnswerAndHold, CloseAtOnce, NeverAnswer };

    TLoopbackServer(TMode Mode, QByteArray Reply = QByteArray()) : FMode(Mode), FReply(std::move(Reply))
    {
        FListen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int One = 1;
        ::setsockopt(FListen, SOL_SOCKET, SO_REUSEADDR, &One, sizeof One);
        sockaddr_in A{};
        A.sin_family = AF_INET;
        A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(FListen, reinterpret_cast<sockaddr*>(&A), sizeof A);
        socklen_t L = sizeof A;
        ::getsockname(FListen, reinterpret_cast<sockaddr*>(&A), &L);
        FPort = ntohs(A.sin_port);
        ::listen(FListen, 1);
        FThread = std::thread([this] { Serve(); });
    }
    ~TLoopbackServer()
    {
        FStop = true;
        ::shutdown(FListen, SHUT_RDWR);
        FThread.join();
        ::close(FListen);
    }
    int Port() const { return FPort; }
    QByteArray Request() const { return FRequest; }

private:
    void Serve()
    {
        // Waits at most 5 s for the client, so a failing test cannot hang here.
        timeval Tv{5, 0};
        ::setsockopt(FListen, SOL_SOCKET, SO_RCVTIMEO, &Tv, sizeof Tv);
        const int C = ::accept(FListen, nullptr, nullptr);
        if (C < 0)
            return;
        ::setsockopt(C, SOL_SOCKET, SO_RCVTIMEO, &Tv, sizeof Tv);
        char Buf[4096];
        while (!FRequest.contains("\r\n\r\n")) {
            const ssize_t N = ::recv(C, Buf, sizeof Buf, 0);
            if (N <= 0)
                break;
            FRequest.append(Buf, N);
        }
        if (FMode == Answer || FMode == AnswerAndHold)
            ::send(C, FReply.constData(), FReply.size(), MSG_NOSIGNAL);
        if (FMode == NeverAnswer || FMode == AnswerAndHold)
            for (int i = 0; i < 500 && !FStop; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ::close(C);
    }

    TMode FMode;
    QByteArray FReply;
    QByteArray FRequest;
    int FListen = -1;
    int FPort = 0;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};

}  // namespace

TEST(Process, LaunchWaitsForExitOrLimit)
{
    QTemporaryDir Dir;
    const QString Quick = Script(Dir, QStringLiteral("quick.sh"), "echo \"$1\" > \"$(dirname \"$0\")/arg.txt\"; exit 3");
    TLaunchResult R = LaunchAndWait(Quick, SplitParameters(QStringLiteral("\"two words\"")), 0, 5000);
    EXPECT_EQ(R.Status, TLaunchStatus::Finished);
    EXPECT_EQ(R.ExitCode, 3);
    EXPECT_EQ(ReadBinaryFile(Dir.filePath(QStringLiteral("arg.txt"))), QByteArray("two words\n"));

    // A program that outlives the limit is reported as such and left running.
    const QString Slow = Script(Dir, QStringLiteral("slow.sh"), "exec sleep 30");
    const auto Start = Clock::now();
    R = LaunchAndWait(Slow, {}, 0, 1000);
    const qint64 Waited = ElapsedMs(Start);
    EXPECT_EQ(R.Status, TLaunchStatus::TimedOut);
    EXPECT_GE(Waited, 1000);
    EXPECT_LT(Waited, 5000);
    ASSERT_GT(R.ProcessId, 0);
    EXPECT_EQ(::kill(static_cast<pid_t>(R.ProcessId), 0), 0);   // still there
    ::kill(static_cast<pid_t>(R.ProcessId), SIGKILL);
    // Once it ends it is collected, not left behind as a zombie.
    bool Gone = false;
    for (int i = 0; i < 200 && !Gone; ++i) {
        Gone = ::kill(static_cast<pid_t>(R.ProcessId), 0) != 0 && errno == ESRCH;
        if (!Gone)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(Gone);
    const TLaunchResult Again = LaunchAndWait(Quick, {}, 0, 5000);   // reaps nothing twice
    EXPECT_EQ(Again.Status, TLaunchStatus::Finished);

    // Could not start: missing, or not executable.
    const QString Plain = Dir.filePath(QStringLiteral("plain.txt"));
    WriteBinaryFile(Plain, QByteArray("x"));
    for (const QString& P : {Dir.filePath(QStringLiteral("missing")), Plain, QString()}) {
        const TLaunchResult Bad = LaunchAndWait(P, {}, 0, 1000);
        EXPECT_EQ(Bad.Status, TLaunchStatus::CouldNotStart) << P.toStdString();
        EXPECT_FALSE(Bad.Error.isEmpty());
    }
}

TEST(Process, SeamRecordsRequests)
{
    TRecordingLauncher Fake;
    Fake.Answer.Status = TLaunchStatus::CouldNotStart;
    SetProcessLauncher(&Fake);
    const TLaunchResult R = LaunchAndWait(QStringLiteral("/opt/x/Ethernet_Update"), {}, 1, DefaultLaunchTimeoutMs);
    SetProcessLauncher(nullptr);
    EXPECT_EQ(R.Status, TLaunchStatus::CouldNotStart);
    ASSERT_EQ(Fake.Requests.size(), 1u);
    EXPECT_EQ(Fake.Requests[0].Program, QStringLiteral("/opt/x/Ethernet_Update"));
    EXPECT_EQ(Fake.Requests[0].TimeoutMs, 150000);
}

TEST(Http, GetAgainstLoopbackServer)
{
    TLoopbackServer Server(TLoopbackServer::Answer,
                           "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nX-Test: yes\r\n\r\n<b>1.002</b>");
    const QString Url = QStringLiteral("http://127.0.0.1:%1/home/download/GetversionSW.asp?nomesw=TK27518").arg(Server.Port());
    const THttpResponse R =
        HttpGet(Url, {{QStringLiteral("Accept"), QStringLiteral("text/html")}, {QStringLiteral("User-Agent"), QStringLiteral("Test/1.0")}},
                3000);
    EXPECT_EQ(R.StatusCode, 200);
    EXPECT_TRUE(R.IsSuccess());
    EXPECT_EQ(R.StatusText, QStringLiteral("OK"));
    EXPECT_EQ(R.Header("x-test"), QByteArray("yes"));
    EXPECT_EQ(R.Body, QByteArray("<b>1.002</b>"));
    const QByteArray Req = Server.Request();
    EXPECT_TRUE(Req.startsWith("GET /home/download/GetversionSW.asp?nomesw=TK27518 HTTP/1.0\r\n")) << Req.constData();
    EXPECT_TRUE(Req.contains("\r\nAccept: text/html\r\n"));
    EXPECT_TRUE(Req.contains("\r\nUser-Agent: Test/1.0\r\n"));
    EXPECT_TRUE(Req.contains(QByteArray("\r\nHost: 127.0.0.1:") + QByteArray::number(Server.Port())));
}

TEST(Http, ServerKeepingTheConnectionOpenEndsWithTheAnnouncedBody)
{
    TLoopbackServer Server(TLoopbackServer::AnswerAndHold, "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello");
    const THttpResponse R = HttpGet(QStringLiteral("http://127.0.0.1:%1/").arg(Server.Port()), {}, 2000);
    EXPECT_EQ(R.Body, QByteArray("hello"));
}

TEST(Http, ErrorStatusIsReturnedNotRaised)
{
    TLoopbackServer Server(TLoopbackServer::Answer, "HTTP/1.0 404 Not Found\r\n\r\nmissing");
    const THttpResponse R = HttpGet(QStringLiteral("http://127.0.0.1:%1/x").arg(Server.Port()), {}, 3000);
    EXPECT_EQ(R.StatusCode, 404);
    EXPECT_FALSE(R.IsSuccess());
    EXPECT_EQ(R.Body, QByteArray("missing"));
}

TEST(Http, FailuresAreBoundedAndKeptApart)
{
    {
        TLoopbackServer Server(TLoopbackServer::NeverAnswer);
        const auto Start = Clock::now();
        EXPECT_THROW(HttpGet(QStringLiteral("http://127.0.0.1:%1/").arg(Server.Port()), {}, 300), ETimeoutError);
        EXPECT_LT(ElapsedMs(Start), 3000);
    }
    {
        TLoopbackServer Server(TLoopbackServer::CloseAtOnce);
        EXPECT_THROW(HttpGet(QStringLiteral("http://127.0.0.1:%1/").arg(Server.Port()), {}, 3000), EHttpError);
    }
    {
        TLoopbackServer Server(TLoopbackServer::Answer, "not http at all");
        EXPECT_THROW(HttpGet(QStringLiteral("http://127.0.0.1:%1/").arg(Server.Port()), {}, 3000), EHttpError);
    }
    // Nothing listens on a port that was just released: refused.
    int Port;
    {
        TLoopbackServer Server(TLoopbackServer::CloseAtOnce);
        Port = Server.Port();
    }
    try {
        HttpGet(QStringLiteral("http://127.0.0.1:%1/").arg(Port), {}, 1000);
        ADD_FAILURE();
    } catch (const ETimeoutError&) {
        ADD_FAILURE() << "refused must not look like a time-out";
    } catch (const EHttpError&) {
    }
    EXPECT_THROW(HttpGet(QStringLiteral("https://127.0.0.1/"), {}, 100), EHttpError);
}

TEST(Icmp, EchoToLoopbackWithEachSocketKind)
{
    const QByteArray Payload("127.0.0.1");
    bool AnyRan = false;
    for (TIcmpSocketKind Kind : {TIcmpSocketKind::Auto, TIcmpSocketKind::Datagram, TIcmpSocketKind::Raw}) {
        TIcmpPinger P(Kind);
        TPingReply R;
        try {
            R = P.Echo(QStringLiteral("127.0.0.1"), Payload, 400);
        } catch (const EIcmpError& E) {
            // This kind of socket is not allowed here; the message says why.
            EXPECT_TRUE(E.Message().startsWith(QStringLiteral("Cannot open an ICMP socket"))) << E.what();
            continue;
        }
        AnyRan = true;
        EXPECT_FALSE(R.TimedOut) << int(Kind);
        EXPECT_EQ(R.BytesReceived, 8 + Payload.size()) << int(Kind);
        EXPECT_EQ(R.FromAddress, QStringLiteral("127.0.0.1"));
    }
    if (!AnyRan)
        GTEST_SKIP() << "no ICMP socket can be opened on this machine";
}

TEST(Icmp, UnresolvableAddressIsNoTimeout)
{
    for (const char* Bad : {"192.168..5", "256.1.1.1", "", "1.2.3"}) {
        try {
            TIcmpPinger().Echo(QString::fromLatin1(Bad), QByteArray("x"), 400);
            ADD_FAILURE() << Bad;
        } catch (const EHostNotFound&) {
        } catch (const Exception& E) {
            ADD_FAILURE() << Bad << ": " << E.what();
        }
    }
}

TEST(Icmp, SeamReplacesThePinger)
{
    struct TFake : IPinger {
        TPingReply Echo(const QString& Host, const QByteArray& Payload, int TimeoutMs) override
        {
            Calls << Host + QLatin1Char('|') + QString::fromLatin1(Payload) + QLatin1Char('|') + QString::number(TimeoutMs);
            return TPingReply{};
        }
        QStringList Calls;
    } Fake;
    SetPinger(&Fake);
    const TPingReply R = PingHost(QStringLiteral("10.0.0.1"), QByteArray("10.0.0.1"), 400);
    SetPinger(nullptr);
    EXPECT_TRUE(R.TimedOut);
    EXPECT_EQ(R.BytesReceived, 0);
    EXPECT_EQ(Fake.Calls, QStringList{"10.0.0.1|10.0.0.1|400"});
}

TEST(IniFiles, ClassicReadsWithDefaults)
{
    TMemIniFile Ini;
    Ini.SetText(QStringLiteral("; comment\n[Intl]\nsDecimal = , \nQuoted=\" a b \"\n[Nums]\nHex=0x1F\nDollar=$10\n"
                               "Bad=12a\nOn=1\nOff=0\nF=1.25\n[nums]\nDup=1\n"));
    struct Case {
        const char* Section;
        const char* Key;
        const char* Expected;
    };
    const Case Strings[] = {
        {"Intl", "sDecimal", ","},
        {"intl", "SDECIMAL", ","},      // sections and keys ignore case
        {"Intl", "Quoted", " a b "},    // surrounding quotes go, what they hold stays
        {"Intl", "Missing", "dflt"},
        {"Missing", "sDecimal", "dflt"},
    };
    for (const Case& C : Strings)
        EXPECT_EQ(Ini.ReadString(QString::fromLatin1(C.Section), QString::fromLatin1(C.Key), QStringLiteral("dflt")),
                  QString::fromLatin1(C.Expected))
            << C.Key;
    EXPECT_EQ(Ini.ReadInteger(QStringLiteral("Nums"), QStringLiteral("Hex"), 0), 31);
    EXPECT_EQ(Ini.ReadInteger(QStringLiteral("Nums"), QStringLiteral("Dollar"), 0), 16);
    EXPECT_EQ(Ini.ReadInteger(QStringLiteral("Nums"), QStringLiteral("Bad"), 7), 7);
    EXPECT_TRUE(Ini.ReadBool(QStringLiteral("Nums"), QStringLiteral("On"), false));
    EXPECT_FALSE(Ini.ReadBool(QStringLiteral("Nums"), QStringLiteral("Off"), true));
    EXPECT_TRUE(Ini.ReadBool(QStringLiteral("Nums"), QStringLiteral("None"), true));
    EXPECT_DOUBLE_EQ(Ini.ReadFloat(QStringLiteral("Nums"), QStringLiteral("F"), 0), 1.25);
    EXPECT_EQ(Ini.ReadString(QStringLiteral("Nums"), QStringLiteral("Dup"), QString()), QStringLiteral("1"));   // merged
    EXPECT_EQ(Ini.SectionNames(), (QStringList{"Intl", "Nums"}));

    TStringList Keys;
    Ini.ReadSection(QStringLiteral("Intl"), Keys);
    EXPECT_EQ(Keys.ToStringList(), (QStringList{"sDecimal", "Quoted"}));
    Ini.ReadSectionValues(QStringLiteral("Intl"), Keys);
    EXPECT_EQ(Keys.Values(QStringLiteral("sDecimal")), QStringLiteral(","));
    Ini.DeleteKey(QStringLiteral("Intl"), QStringLiteral("QUOTED"));
    EXPECT_FALSE(Ini.ValueExists(QStringLiteral("Intl"), QStringLiteral("Quoted")));
    Ini.EraseSection(QStringLiteral("nums"));
    EXPECT_FALSE(Ini.SectionExists(QStringLiteral("Nums")));
}

TEST(IniFiles, FirstKeyWinsAndLookupsFollowDeletions)
{
    TMemIniFile Ini;
    Ini.SetText(QStringLiteral("[A]\nKey=1\nx=0\nKEY=2\n[B]\ny=1\n[a]\nkey=3\nz=4\n"));
    EXPECT_EQ(Ini.ReadString(QStringLiteral("a"), QStringLiteral("key"), QString()), QStringLiteral("1"));
    EXPECT_EQ(Ini.SectionKeys(QStringLiteral("A")), (QStringList{"Key", "x", "z"}));
    Ini.DeleteKey(QStringLiteral("A"), QStringLiteral("X"));
    EXPECT_EQ(Ini.ReadString(QStringLiteral("A"), QStringLiteral("z"), QString()), QStringLiteral("4"));
    Ini.WriteString(QStringLiteral("A"), QStringLiteral("z"), QStringLiteral("5"));
    EXPECT_EQ(Ini.SectionKeys(QStringLiteral("A")), (QStringList{"Key", "z"}));
    Ini.EraseSection(QStringLiteral("a"));
    EXPECT_EQ(Ini.ReadString(QStringLiteral("B"), QStringLiteral("Y"), QString()), QStringLiteral("1"));
    Ini.WriteString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v"));
    EXPECT_EQ(Ini.Text(), QStringLiteral("[B]\r\ny=1\r\n\r\n[A]\r\nk=v\r\n"));
}

TEST(IniFiles, IniFileWritesThroughAndRegistryStoreStartsEmpty)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("s.ini"));
    {
        TIniFile Ini(Path);
        Ini.WriteString(QStringLiteral("Main"), QStringLiteral("Name"), QStringLiteral("Zoë"));
        Ini.WriteInteger(QStringLiteral("Main"), QStringLiteral("Count"), -3);
        Ini.WriteBool(QStringLiteral("Other"), QStringLiteral("Flag"), true);
        {
            // Numbers in files keep '.' whatever the user's locale says.
            TFormatSettings Comma;
            Comma.DecimalSeparator = QLatin1Char(',');
            TFormatSettingsScope Scope(Comma);
            Ini.WriteFloat(QStringLiteral("Other"), QStringLiteral("Ratio"), 0.5);
        }
        // Written already, without UpdateFile.
        EXPECT_EQ(ReadBinaryFile(Path), QByteArray("[Main]\r\nName=Zo\xEB\r\nCount=-3\r\n\r\n[Other]\r\nFlag=1\r\nRatio=0.5\r\n"));
        Ini.WriteString(QStringLiteral("Main"), QStringLiteral("Name"), QStringLiteral("∑"));
    }
    TIniFile Back(Path);
    EXPECT_EQ(Back.ReadString(QStringLiteral("main"), QStringLiteral("name"), QString()), QStringLiteral("∑"));
    EXPECT_EQ(Back.ReadInteger(QStringLiteral("Main"), QStringLiteral("Count"), 0), -3);

    TRegistryStore Store(Dir.filePath(QStringLiteral("registry.ini")));
    EXPECT_TRUE(Store.SectionNames().isEmpty());
    EXPECT_EQ(Store.ReadString(QStringLiteral("Software\\Vendor"), QStringLiteral("Key"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_TRUE(TRegistryStore::DefaultFileName().endsWith(QStringLiteral("/registry.ini")));

    // The store is usable through the common interface with the in-memory double.
    TMemIniFile Memory;
    TCustomIniFile& Any = Memory;
    Any.WriteString(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"));
    Any.UpdateFile();   // no file: nothing happens
    EXPECT_EQ(Memory.Text(), QStringLiteral("[A]\r\nB=C\r\n"));
}

TEST(DynLib, OpenLookUpCloseAndErrors)
{
    // zlib is linked into this program: find its file and load it by path.
    Dl_info Info{};
    ASSERT_NE(::dladdr(reinterpret_cast<void*>(&zlibVersion), &Info), 0);
    const QString ZPath = QFile::decodeName(Info.dli_fname);
    TDynLib Lib(ZPath);
    EXPECT_TRUE(Lib.IsOpen());
    using TVersion = const char* (*)();
    auto Version = Lib.Function<TVersion>(QStringLiteral("zlibVersion"));
    EXPECT_STREQ(Version(), zlibVersion());
    try {
        Lib.Symbol(QStringLiteral("no_such_function"));
        ADD_FAILURE();
    } catch (const EDynLibError& E) {
        EXPECT_TRUE(E.Message().contains(QStringLiteral("no_such_function")));
    }
    Lib.Close();
    EXPECT_FALSE(Lib.IsOpen());
    EXPECT_THROW(Lib.Symbol(QStringLiteral("zlibVersion")), EDynLibError);

    // A bare name is looked for in the program folder.
    EXPECT_EQ(DynLibPath(QStringLiteral("libOPC_UA_Search.so")), PathJoin(ProgramFolder(), QStringLiteral("libOPC_UA_Search.so")));
    try {
        TDynLib Missing(QStringLiteral("libOPC_UA_Search.so"));
        ADD_FAILURE();
    } catch (const EDynLibError& E) {
        EXPECT_TRUE(E.Message().contains(PathJoin(ProgramFolder(), QStringLiteral("libOPC_UA_Search.so"))));
    }
    // A file that is no library.
    QTemporaryDir Dir;
    const QString Fake = Dir.filePath(QStringLiteral("libfake.so"));
    WriteBinaryFile(Fake, QByteArray("not an ELF file"));
    EXPECT_THROW(TDynLib{Fake}, EDynLibError);
}

TEST(ShellOpen, SeamRecordsRequests)
{
    TRecordingShellOpener Fake;
    SetShellOpener(&Fake);
    EXPECT_TRUE(ShellOpen(QStringLiteral("http://127.0.0.1/page")));
    SetShellOpener(nullptr);
    EXPECT_EQ(Fake.Opened, QStringList{"http://127.0.0.1/page"});
}
