// A stand-in for the OPC UA browse library. It takes only "opc.tcp://127.0.0.1:<port>"
// (any other address: no variables, no connection), sends the server record's eight
// fields as one request to that loopback port and builds its records from the reply.
//
// Request: "BROWSE / HTTP/1.0", then one "name: value" line per field of the record in
// its order, then an empty line. Reply body: one line per variable, tab-separated:
// nameSpaceIndex, identifierType, numeric, stringname, guide1, guide2, guide3, guide4
// (16 hex digits), byteString, displayName, dataType, accessLevel. Texts in both
// directions are percent-encoded (bytes below 0x21, above 0x7E and '%').
//
// The record texts belong to the library and are freed when it is unloaded, so a
// caller that reads them later reads freed memory.

#include "common/opcua_records.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct TRecords {
    std::vector<opcua_structure> List;
    std::vector<char*> Texts;

    void Clear()
    {
        for (char* T : Texts)
            std::free(T);
        Texts.clear();
        List.clear();
    }
    const char* Keep(const std::string& S)
    {
        Texts.push_back(strdup(S.c_str()));
        return Texts.back();
    }
    ~TRecords() { Clear(); }
};

TRecords Records;

std::string Encode(const char* Text)
{
    static const char Hex[] = "0123456789ABCDEF";
    std::string R;
    for (const char* p = Text ? Text : ""; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c < 0x21 || c > 0x7E || c == '%') {
            R += '%';
            R += Hex[c >> 4];
            R += Hex[c & 15];
        } else {
            R += char(c);
        }
    }
    return R;
}

std::string Decode(const std::string& S)
{
    std::string R;
    for (size_t i = 0; i < S.size(); ++i) {
        if (S[i] == '%' && i + 2 < S.size()) {
            R += char(std::strtol(S.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            R += S[i];
        }
    }
    return R;
}

std::vector<std::string> Split(const std::string& S, char Sep)
{
    std::vector<std::string> R(1);
    for (char c : S) {
        if (c == Sep)
            R.emplace_back();
        else
            R.back() += c;
    }
    return R;
}

// The port of "opc.tcp://127.0.0.1:<port>", or 0 for any other address.
int Loopback_Port(const char* Address)
{
    static const char Prefix[] = "opc.tcp://127.0.0.1:";
    if (!Address || std::strncmp(Address, Prefix, sizeof Prefix - 1) != 0)
        return 0;
    const char* Digits = Address + sizeof Prefix - 1;
    const size_t N = std::strlen(Digits);
    if (N == 0 || N > 5 || std::strspn(Digits, "0123456789") != N)
        return 0;
    const int Port = std::atoi(Digits);
    return Port <= 65535 ? Port : 0;
}

std::string Exchange(int Port, const std::string& Request)
{
    const int S = ::socket(AF_INET, SOCK_STREAM, 0);
    if (S < 0)
        return {};
    timeval Limit{10, 0};
    ::setsockopt(S, SOL_SOCKET, SO_RCVTIMEO, &Limit, sizeof Limit);
    sockaddr_in A{};
    A.sin_family = AF_INET;
    A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    A.sin_port = htons(uint16_t(Port));
    std::string Reply;
    if (::connect(S, reinterpret_cast<sockaddr*>(&A), sizeof A) == 0 &&
        ::send(S, Request.data(), Request.size(), 0) == ssize_t(Request.size())) {
        char Buf[4096];
        ssize_t n;
        while ((n = ::recv(S, Buf, sizeof Buf, 0)) > 0)
            Reply.append(Buf, size_t(n));
    }
    ::close(S);
    return Reply;
}

void Add_Record(const std::string& Line)
{
    const std::vector<std::string> F = Split(Line, '\t');
    if (F.size() != 12)
        return;
    opcua_structure R{};
    R.nameSpaceIndex = uint16_t(std::strtoul(F[0].c_str(), nullptr, 10));
    R.identifierType = uint16_t(std::strtoul(F[1].c_str(), nullptr, 10));
    R.numeric = uint32_t(std::strtoul(F[2].c_str(), nullptr, 10));
    const std::string Name = Decode(F[3]);
    R.stringname = Records.Keep(Name);
    R.stringLength = uint32_t(Name.size());
    R.guide1 = uint32_t(std::strtoul(F[4].c_str(), nullptr, 10));
    R.guide2 = uint16_t(std::strtoul(F[5].c_str(), nullptr, 10));
    R.guide3 = uint16_t(std::strtoul(F[6].c_str(), nullptr, 10));
    for (size_t i = 0; i < 8 && 2 * i + 1 < F[7].size(); ++i)
        R.guide4[i] = uint8_t(std::strtoul(F[7].substr(2 * i, 2).c_str(), nullptr, 16));
    const std::string Bytes = Decode(F[8]);
    R.byteString = Bytes.empty() ? nullptr : Records.Keep(Bytes);
    R.byteStringLength = uint32_t(Bytes.size());
    const std::string Display = Decode(F[9]);
    R.displayName = Records.Keep(Display);
    R.displayNameLength = uint32_t(Display.size());
    R.dataType = int32_t(std::strtol(F[10].c_str(), nullptr, 10));
    R.accessLevel = uint8_t(std::strtoul(F[11].c_str(), nullptr, 10));
    Records.List.push_back(R);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int32_t opcua_client_begin(opcua_server_to_discover Server)
{
    Records.Clear();
    const int Port = Loopback_Port(Server.server_address);
    if (Port == 0)
        return 0;
    std::string Request = "BROWSE / HTTP/1.0\r\n";
    Request += "server_address: " + Encode(Server.server_address) + "\r\n";
    Request += "user_pass_auth_flag: " + std::to_string(Server.user_pass_auth_flag) + "\r\n";
    Request += "username: " + Encode(Server.username) + "\r\n";
    Request += "password: " + Encode(Server.password) + "\r\n";
    Request += "cert: " + Encode(Server.cert) + "\r\n";
    Request += "priv_key: " + Encode(Server.priv_key) + "\r\n";
    Request += "security_type: " + std::to_string(Server.security_type) + "\r\n";
    Request += "security_policy: " + std::to_string(Server.security_policy) + "\r\n\r\n";
    const std::string Reply = Exchange(Port, Request);
    const size_t Body = Reply.find("\r\n\r\n");
    if (Body == std::string::npos)
        return 0;
    for (const std::string& Line : Split(Reply.substr(Body + 4), '\n'))
        if (!Line.empty())
            Add_Record(Line);
    return int32_t(Records.List.size());
}

#ifndef KV_STUB_WITHOUT_RETURN_VARIABLE
extern "C" __attribute__((visibility("default"))) void opcua_return_variable(opcua_structure* Variable, int32_t Index)
{
    if (Variable && Index >= 0 && size_t(Index) < Records.List.size())
        *Variable = Records.List[size_t(Index)];
}
#endif
