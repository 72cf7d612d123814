#pragma once
// Exception classes of the runtime. Every error the platform raises derives from
// Exception and carries a QString message; what() gives the same text in UTF-8.

#include <QByteArray>
#include <QString>
#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(const QString& Msg);
    ~Exception() override;

    const QString& Message() const { return FMessage; }
    void SetMessage(const QString& Msg);
    const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};

#define KV_DECLARE_EXCEPTION(Name, Base)      \
    class Name : public Base {                \
    public:                                   \
        using Base::Base;                     \
    };

KV_DECLARE_EXCEPTION(EConvertError, Exception)
KV_DECLARE_EXCEPTION(EListError, Exception)
KV_DECLARE_EXCEPTION(EStringListError, EListError)
KV_DECLARE_EXCEPTION(EInvalidOperation, Exception)
KV_DECLARE_EXCEPTION(EInvalidPointer, Exception)
KV_DECLARE_EXCEPTION(EInvalidCast, Exception)      // "Invalid class typecast"
KV_DECLARE_EXCEPTION(ERangeError, Exception)
KV_DECLARE_EXCEPTION(EAbort, Exception)
KV_DECLARE_EXCEPTION(EOSError, Exception)
KV_DECLARE_EXCEPTION(EInOutError, Exception)
KV_DECLARE_EXCEPTION(EStreamError, Exception)
KV_DECLARE_EXCEPTION(EFCreateError, EStreamError)
KV_DECLARE_EXCEPTION(EFOpenError, EStreamError)
KV_DECLARE_EXCEPTION(EReadError, EStreamError)
KV_DECLARE_EXCEPTION(EWriteError, EStreamError)
KV_DECLARE_EXCEPTION(EResNotFound, Exception)
KV_DECLARE_EXCEPTION(EComponentError, Exception)
KV_DECLARE_EXCEPTION(EXmlError, Exception)
KV_DECLARE_EXCEPTION(EIniFileException, Exception)
KV_DECLARE_EXCEPTION(EDynLibError, Exception)
KV_DECLARE_EXCEPTION(EProcessError, Exception)
KV_DECLARE_EXCEPTION(ENetworkError, Exception)
// Network failures kept apart so callers can show different messages.
KV_DECLARE_EXCEPTION(EHostNotFound, ENetworkError)   // the address cannot be resolved
KV_DECLARE_EXCEPTION(ETimeoutError, ENetworkError)   // no answer within the time-out
KV_DECLARE_EXCEPTION(EHttpError, ENetworkError)      // connection or protocol failure
KV_DECLARE_EXCEPTION(EIcmpError, ENetworkError)      // the echo request could not be sent
KV_DECLARE_EXCEPTION(EIcmpSocketError, EIcmpError)  // no ICMP socket could be opened on this machine

#undef KV_DECLARE_EXCEPTION
