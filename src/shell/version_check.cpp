// Version check against the maker's web site.

#include "shell/version_check.h"

#include "common/maker_identity.h"
#include "platform/core/http.h"
#include "common/working_state.h"

TVersionServer& Version_Server()
{
    static TVersionServer server{QString::fromLatin1(maker::Web_Address), 80, 4000};
    return server;
}

int Conv_Version(const QString& Ver_str)
{
    QString t = Ver_str;
    const int blank = t.indexOf(QLatin1Char(' '));
    if (blank >= 0)
        t = t.mid(blank + 1);
    t = t.trimmed();
    // Characters 1, 3, 4 and 5; the point in between is skipped.
    if (t.size() < 5)
        return -1;
    const QString digits = QString(t[0]) + t[2] + t[3] + t[4];
    for (QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    return digits.toInt();
}

bool Reply_Is_Newer(const QString& reply)
{
    const QString s = reply.toUpper().trimmed();
    if (s.isEmpty() || s == QLatin1String("VER. 0.000"))
        return false;
    const int local = Conv_Version(Kv_SW_Version);
    const int remote = Conv_Version(reply.trimmed());
    if (local == -1 || remote == -1)
        return false;
    return remote > local;
}

namespace {

QString Site_Root()
{
    const TVersionServer& srv = Version_Server();
    return srv.Port == 80 ? QStringLiteral("http://%1").arg(srv.Host)
                          : QStringLiteral("http://%1:%2").arg(srv.Host).arg(srv.Port);
}

} // namespace

QString Home_Page_Url()
{
    return Site_Root() + QStringLiteral("/HOME/default.asp?frompg=") + Kv_SW_Code;
}

QString Download_Page_Url()
{
    return Site_Root() + QStringLiteral("/Home/download/download.asp#") +
           QString::fromLatin1(maker::Device_Code);
}

QString Download_Link_Html(const QString& text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(Download_Page_Url(), text.toHtmlEscaped());
}

bool Check_Version()
{
    QString reply;
    try {
        const THttpHeaders headers = {
            {QStringLiteral("Accept"),
             QStringLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8")},
            {QStringLiteral("User-Agent"), QStringLiteral("Mozilla/3.0 (compatible; Indy Library)")},
        };
        const THttpResponse r =
            HttpGet(Site_Root() + QStringLiteral("/home/download/GetversionSW.asp?nomesw=") + Kv_SW_Code,
                    headers, Version_Server().TimeoutMs);
        if (r.IsSuccess())
            reply = QString::fromLatin1(r.Body);
    } catch (...) {
        // No connection, no answer in time, or not HTTP: no newer version known.
        reply.clear();
    }
    return Reply_Is_Newer(reply);
}
