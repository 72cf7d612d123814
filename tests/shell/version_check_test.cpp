// The version check: reply parsing and the request against a local stub.

#include "shell/version_check.h"

#include "loopback_stub.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include "qt_print.h"

namespace {

// Points the check at the stub for one test and restores the maker's site after.
struct TServerScope {
    TVersionServer saved = Version_Server();
    TServerScope(int port, int timeoutMs)
    {
        Version_Server().Host = QStringLiteral("127.0.0.1");
        Version_Server().Port = port;
        Version_Server().TimeoutMs = timeoutMs;
    }
    ~TServerScope() { Version_Server() = saved; }
};

} // namespace

TEST(VersionCheck, ConvVersionKeepsCharactersOneThreeFourFive)
{
    const std::pair<const char*, int> cases[] = {
        {"1.001", 1001}, {"VER. 1.002", 1002}, {"VER. 1.0025", 1002}, {"VER. 10.001", -1},
        {"ver. 1.002", 1002}, {"VER. 1.0", -1}, {"", -1}, {"VER. x.yyy", -1},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(Conv_Version(QString::fromLatin1(text)), expected) << text;
}

TEST(VersionCheck, OnlyAStrictlyNewerReplyCounts)
{
    const std::pair<const char*, bool> cases[] = {
        {"VER. 1.002", true}, {"ver. 1.002", true}, {"  VER. 1.002\r\n", true}, {"VER. 1.001", false},
        {"VER. 0.999", false}, {"VER. 0.000", false}, {"", false}, {"<html>error</html>", false},
    };
    for (const auto& [reply, newer] : cases)
        EXPECT_EQ(Reply_Is_Newer(QString::fromLatin1(reply)), newer) << reply;
}

TEST(VersionCheck, AsksTheVersionPageAndReadsTheReply)
{
    TLoopbackHttpStub stub("VER. 1.002");
    TServerScope scope(stub.Port(), 3000);
    EXPECT_TRUE(Check_Version());
    const std::string req = stub.Request();
    EXPECT_EQ(req.rfind("GET /home/download/GetversionSW.asp?nomesw=TK27518 HTTP/1.0\r\n", 0), 0u) << req;
    EXPECT_NE(req.find("User-Agent: Mozilla/3.0 (compatible; Indy Library)"), std::string::npos);
}

TEST(VersionCheck, ASilentServerCountsAsNoUpdateWithinTheTimeOut)
{
    TLoopbackHttpStub stub("", true);
    TServerScope scope(stub.Port(), 800);
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(Check_Version());
    EXPECT_LT(t.elapsed(), 5000);
}

TEST(VersionCheck, NoServerAtAllCountsAsNoUpdate)
{
    int port = 0;
    {
        TLoopbackHttpStub probe("");  // learn a free port, then let it go
        port = probe.Port();
        // Wake the stub so its destructor is quick.
    }
    TServerScope scope(port, 800);
    EXPECT_FALSE(Check_Version());
}

TEST(VersionCheck, LinksPointAtTheMakersPages)
{
    EXPECT_TRUE(Home_Page_Url().endsWith(QStringLiteral("/HOME/default.asp?frompg=TK27518")));
    EXPECT_TRUE(Download_Page_Url().endsWith(QStringLiteral("/Home/download/download.asp#MB31804")));
    const QString a = Download_Link_Html(QStringLiteral("New <Version>"));
    EXPECT_TRUE(a.startsWith(QStringLiteral("<a href=\"http://")));
    EXPECT_TRUE(a.contains(QStringLiteral("New &lt;Version&gt;</a>")));
}
