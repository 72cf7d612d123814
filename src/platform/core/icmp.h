#pragma once
// ICMP echo (IPv4), one request per call, bounded by a time-out, behind a seam tests
// replace. An address that cannot be resolved raises EHostNotFound; when no ICMP socket
// can be opened EIcmpError says so; a time-out is no error but a reply with 0 bytes.

#include "platform/core/exceptions.h"

#include <QByteArray>
#include <QString>

struct TPingReply {
    bool TimedOut = true;
    int BytesReceived = 0;   // ICMP header and data of the echo reply; 0 on time-out
    int RoundTripMs = 0;
    QString FromAddress;
};

enum class TIcmpSocketKind {
    Auto,       // datagram ICMP socket, raw socket when that cannot be opened
    Datagram,   // needs the group in net.ipv4.ping_group_range
    Raw,        // needs CAP_NET_RAW
};

class IPinger {
public:
    virtual ~IPinger();
    virtual TPingReply Echo(const QString& Host, const QByteArray& Payload, int TimeoutMs) = 0;
};

// The pinger in use; SetPinger(nullptr) restores the real one. Not owned.
IPinger& Pinger();
void SetPinger(IPinger* APinger);

// Sends one echo request with Payload as its data and waits up to TimeoutMs.
TPingReply PingHost(const QString& Host, const QByteArray& Payload, int TimeoutMs);

// The real implementation, with the socket kind selectable.
class TIcmpPinger : public IPinger {
public:
    explicit TIcmpPinger(TIcmpSocketKind Kind = TIcmpSocketKind::Auto) : FKind(Kind) {}
    TPingReply Echo(const QString& Host, const QByteArray& Payload, int TimeoutMs) override;

private:
    TIcmpSocketKind FKind;
};
