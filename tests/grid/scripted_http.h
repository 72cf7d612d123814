#pragma once
// A stand-in for the platform's HTTP client: GET requests are answered from a
// table and recorded; an address not in the table is refused.
#include "platform/core/http.h"

#include <map>
#include <vector>

class TScriptedHttp : public IHttpClient {
public:
    std::map<QString, THttpResponse> Answers;
    std::vector<QString> Asked;
    int TimeoutMs = 0;
    THttpResponse Get(const QString& Url, const THttpHeaders&, int Timeout) override
    {
        Asked.push_back(Url);
        TimeoutMs = Timeout;
        const auto it = Answers.find(Url);
        if (it == Answers.end()) throw EHttpError(QStringLiteral("Connection refused"));
        return it->second;
    }
    static THttpResponse Reply(int Status, const QByteArray& Body, const char* Text = "OK")
    {
        THttpResponse r;
        r.StatusCode = Status;
        r.StatusText = QString::fromLatin1(Text);
        r.Body = Body;
        return r;
    }
};

// Puts the stand-in in place for one scope.
struct THttpScope {
    explicit THttpScope(IHttpClient* Client) { SetHttpClient(Client); }
    ~THttpScope() { SetHttpClient(nullptr); }
    THttpScope(const THttpScope&) = delete;
    THttpScope& operator=(const THttpScope&) = delete;
};
