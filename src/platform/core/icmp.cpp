#include "platform/core/icmp.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

quint16 Checksum(const unsigned char* Data, size_t Len)
{
    quint32 Sum = 0;
    for (size_t i = 0; i + 1 < Len; i += 2)
        Sum += (Data[i] << 8) | Data[i + 1];
    if (Len & 1)
        Sum += Data[Len - 1] << 8;
    while (Sum >> 16)
        Sum = (Sum & 0xFFFF) + (Sum >> 16);
    return static_cast<quint16>(~Sum);
}

bool Resolve(const QString& Host, in_addr& Addr)
{
    const QByteArray H = Host.trimmed().toUtf8();
    if (H.isEmpty())
        return false;
    if (::inet_pton(AF_INET, H.constData(), &Addr) == 1)
        return true;
    // Dotted digits that are no address (an empty field, a number above 255) are never
    // looked up as a name.
    bool AllDigitsAndDots = true;
    for (char C : H)
        AllDigitsAndDots = AllDigitsAndDots && ((C >= '0' && C <= '9') || C == '.');
    if (AllDigitsAndDots)
        return false;
    addrinfo Hints{};
    Hints.ai_family = AF_INET;
    addrinfo* Found = nullptr;
    if (::getaddrinfo(H.constData(), nullptr, &Hints, &Found) != 0 || !Found)
        return false;
    Addr = reinterpret_cast<sockaddr_in*>(Found->ai_addr)->sin_addr;
    ::freeaddrinfo(Found);
    return true;
}

quint16 NextSequence()
{
    static quint16 Seq = 0;
    return ++Seq;
}

IPinger* GPinger = nullptr;

}  // namespace

IPinger::~IPinger() = default;

TPingReply TIcmpPinger::Echo(const QString& Host, const QByteArray& Payload, int TimeoutMs)
{
    in_addr Addr{};
    if (!Resolve(Host, Addr))
        throw EHostNotFound(QStringLiteral("Cannot resolve the address \"%1\"").arg(Host));

    int Fd = -1;
    bool Raw = false;
    int DgramErr = 0, RawErr = 0;
    if (FKind != TIcmpSocketKind::Raw) {
        Fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
        DgramErr = Fd < 0 ? errno : 0;
    }
    if (Fd < 0 && FKind != TIcmpSocketKind::Datagram) {
        Fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        RawErr = Fd < 0 ? errno : 0;
        Raw = Fd >= 0;
    }
    if (Fd < 0) {
        QString Why;
        if (DgramErr)
            Why += QStringLiteral(" datagram socket: %1 (allowed groups: net.ipv4.ping_group_range);")
                       .arg(QString::fromLocal8Bit(std::strerror(DgramErr)));
        if (RawErr)
            Why += QStringLiteral(" raw socket: %1 (needs CAP_NET_RAW);").arg(QString::fromLocal8Bit(std::strerror(RawErr)));
        Why.chop(1);
        throw EIcmpSocketError(QStringLiteral("Cannot open an ICMP socket:%1").arg(Why));
    }

    const quint16 Id = static_cast<quint16>(::getpid() & 0xFFFF);
    const quint16 Seq = NextSequence();
    QByteArray Packet(8, 0);
    Packet[0] = ICMP_ECHO;
    Packet[4] = char(Id >> 8);
    Packet[5] = char(Id & 0xFF);
    Packet[6] = char(Seq >> 8);
    Packet[7] = char(Seq & 0xFF);
    Packet += Payload;
    const quint16 Sum = Checksum(reinterpret_cast<const unsigned char*>(Packet.constData()), Packet.size());
    Packet[2] = char(Sum >> 8);
    Packet[3] = char(Sum & 0xFF);

    sockaddr_in To{};
    To.sin_family = AF_INET;
    To.sin_addr = Addr;
    const auto Start = Clock::now();
    const auto Deadline = Start + std::chrono::milliseconds(std::max(0, TimeoutMs));
    TPingReply Reply;
    if (::sendto(Fd, Packet.constData(), Packet.size(), 0, reinterpret_cast<sockaddr*>(&To), sizeof To) < 0) {
        const int Err = errno;
        ::close(Fd);
        throw EIcmpError(QStringLiteral("Cannot send the echo request to %1. %2")
                             .arg(Host, QString::fromLocal8Bit(std::strerror(Err))));
    }
    char Buf[65536];
    for (;;) {
        const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - Clock::now()).count();
        if (Left <= 0)
            break;
        pollfd P{Fd, POLLIN, 0};
        const int R = ::poll(&P, 1, static_cast<int>(Left));
        if (R < 0 && errno == EINTR)
            continue;
        if (R <= 0)
            break;
        sockaddr_in From{};
        socklen_t FromLen = sizeof From;
        const ssize_t N = ::recvfrom(Fd, Buf, sizeof Buf, 0, reinterpret_cast<sockaddr*>(&From), &FromLen);
        if (N <= 0)
            continue;
        const unsigned char* Icmp = reinterpret_cast<const unsigned char*>(Buf);
        ssize_t IcmpLen = N;
        if (Raw) {
            // A raw socket hands over the IP header too, and sees every ICMP packet:
            // keep only the reply to this request.
            const int HeaderLen = (Icmp[0] & 0x0F) * 4;
            if (N < HeaderLen + 8)
                continue;
            Icmp += HeaderLen;
            IcmpLen -= HeaderLen;
            if (From.sin_addr.s_addr != Addr.s_addr)
                continue;
            const quint16 GotId = quint16((Icmp[4] << 8) | Icmp[5]);
            if (GotId != Id)
                continue;
        } else if (IcmpLen < 8) {
            continue;   // the kernel matched the identifier already
        }
        if (Icmp[0] != ICMP_ECHOREPLY)
            continue;
        const quint16 GotSeq = quint16((Icmp[6] << 8) | Icmp[7]);
        if (GotSeq != Seq)
            continue;
        Reply.TimedOut = false;
        Reply.BytesReceived = static_cast<int>(IcmpLen);
        Reply.RoundTripMs = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - Start).count());
        char Text[INET_ADDRSTRLEN] = {};
        ::inet_ntop(AF_INET, &From.sin_addr, Text, sizeof Text);
        Reply.FromAddress = QString::fromLatin1(Text);
        break;
    }
    ::close(Fd);
    return Reply;
}

IPinger& Pinger()
{
    static TIcmpPinger Real;
    return GPinger ? *GPinger : Real;
}

void SetPinger(IPinger* APinger)
{
    GPinger = APinger;
}

TPingReply PingHost(const QString& Host, const QByteArray& Payload, int TimeoutMs)
{
    return Pinger().Echo(Host, Payload, TimeoutMs);
}
