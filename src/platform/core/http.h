#pragma once
// A blocking HTTP/1.0 GET bounded by a time-out, behind a seam tests replace.
// Transport failures raise: EHostNotFound (the name cannot be resolved), ETimeoutError
// (no complete answer within the time-out), EHttpError (refused, broken or not HTTP).
// Any status the server sends is returned; the caller decides what counts as success.

#include "platform/core/exceptions.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

struct THttpResponse {
    int StatusCode = 0;
    QString StatusText;
    QList<QPair<QByteArray, QByteArray>> Headers;
    QByteArray Body;

    bool IsSuccess() const { return StatusCode >= 200 && StatusCode < 300; }
    QByteArray Header(const QByteArray& Name) const;   // first header of that name, any case
};

using THttpHeaders = QList<QPair<QString, QString>>;

inline constexpr int DefaultHttpTimeoutMs = 15000;

class IHttpClient {
public:
    virtual ~IHttpClient();
    // Url: "http://host[:port]/path?query". Redirects are not followed.
    virtual THttpResponse Get(const QString& Url, const THttpHeaders& RequestHeaders, int TimeoutMs) = 0;
};

// The client in use; SetHttpClient(nullptr) restores the real one. Not owned.
IHttpClient& HttpClient();
void SetHttpClient(IHttpClient* Client);

THttpResponse HttpGet(const QString& Url, const THttpHeaders& RequestHeaders = {},
                      int TimeoutMs = DefaultHttpTimeoutMs);
