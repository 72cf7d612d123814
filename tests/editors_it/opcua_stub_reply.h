#pragma once
// The reply lines of the browse library's stand-in (tests/stub_libs/opcua_search_stub.cpp)
// and the fields of the request it sends to the loopback stub.

#include <map>
#include <string>

// One line of the stand-in's reply: see tests/stub_libs/opcua_search_stub.cpp.
inline std::string Found(int ns, int type, unsigned numeric, const std::string& name, unsigned g1, unsigned g2, unsigned g3,
                  const std::string& g4, const std::string& bytes, const std::string& display, int dataType,
                  int access)
{
    return std::to_string(ns) + '\t' + std::to_string(type) + '\t' + std::to_string(numeric) + '\t' + name + '\t' +
           std::to_string(g1) + '\t' + std::to_string(g2) + '\t' + std::to_string(g3) + '\t' + g4 + '\t' + bytes +
           '\t' + display + '\t' + std::to_string(dataType) + '\t' + std::to_string(access) + '\n';
}

inline std::string Numeric(unsigned id, const std::string& display, int access = 3)
{
    return Found(1, 0, id, "", 0, 0, 0, "", "", display, 5, access);
}

// The request's "name: value" lines, values still percent-encoded.
inline std::map<std::string, std::string> Fields(const std::string& request)
{
    std::map<std::string, std::string> r;
    size_t at = request.find("\r\n");
    while (at != std::string::npos) {
        const size_t next = request.find("\r\n", at + 2);
        if (next == std::string::npos)
            break;
        const std::string line = request.substr(at + 2, next - at - 2);
        const size_t colon = line.find(": ");
        if (colon != std::string::npos)
            r[line.substr(0, colon)] = line.substr(colon + 2);
        at = next;
    }
    return r;
}

