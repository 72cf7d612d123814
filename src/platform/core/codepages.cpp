#include "platform/core/codepages.h"

#include <array>
#include <unordered_map>

namespace {

// 0x80..0x9F of Windows-1252; the five unassigned bytes map to the C1 control of the same
// value so that any byte sequence survives a round trip.
const char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const char16_t Cp850High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

struct TCodePage {
    std::array<char16_t, 256> ToUnicode{};
    std::unordered_map<char16_t, unsigned char> FromUnicode;
};

const TCodePage& Cp1252()
{
    static const TCodePage CP = [] {
        TCodePage P;
        for (int b = 0; b < 256; ++b)
            P.ToUnicode[b] = (b >= 0x80 && b < 0xA0) ? Cp1252High[b - 0x80] : char16_t(b);
        for (int b = 255; b >= 0; --b)
            P.FromUnicode[P.ToUnicode[b]] = static_cast<unsigned char>(b);
        return P;
    }();
    return CP;
}

const TCodePage& Cp850()
{
    static const TCodePage CP = [] {
        TCodePage P;
        for (int b = 0; b < 256; ++b)
            P.ToUnicode[b] = b < 0x80 ? char16_t(b) : Cp850High[b - 0x80];
        for (int b = 255; b >= 0; --b)
            P.FromUnicode[P.ToUnicode[b]] = static_cast<unsigned char>(b);
        return P;
    }();
    return CP;
}

QString Decode(const TCodePage& CP, const QByteArray& Bytes)
{
    QString R(Bytes.size(), Qt::Uninitialized);
    QChar* D = R.data();
    for (int i = 0; i < Bytes.size(); ++i)
        D[i] = QChar(CP.ToUnicode[static_cast<unsigned char>(Bytes[i])]);
    return R;
}

QByteArray Encode(const TCodePage& CP, const QString& Text)
{
    QByteArray R(Text.size(), Qt::Uninitialized);
    char* Out = R.data();
    qsizetype N = 0;
    const QChar* In = Text.constData();
    const qsizetype Size = Text.size();
    for (qsizetype i = 0; i < Size; ++i) {
        const char16_t C = In[i].unicode();
        // Both pages hold ASCII as it is: the common case needs no lookup.
        if (C < 0x80) {
            Out[N++] = static_cast<char>(C);
            continue;
        }
        // A surrogate pair is one character that no single-byte page holds: one '?'.
        if (QChar::isHighSurrogate(C) && i + 1 < Size && In[i + 1].isLowSurrogate()) {
            Out[N++] = '?';
            ++i;
            continue;
        }
        auto It = CP.FromUnicode.find(C);
        Out[N++] = It == CP.FromUnicode.end() ? '?' : static_cast<char>(It->second);
    }
    R.truncate(N);
    return R;
}

}  // namespace

QString AnsiToUnicode(const QByteArray& Bytes)
{
    return Decode(Cp1252(), Bytes);
}

QByteArray UnicodeToAnsi(const QString& Text)
{
    return Encode(Cp1252(), Text);
}

QString OemToUnicode(const QByteArray& Bytes)
{
    return Decode(Cp850(), Bytes);
}

QByteArray UnicodeToOem(const QString& Text)
{
    return Encode(Cp850(), Text);
}

bool IsAnsiRepresentable(const QString& Text)
{
    const auto& M = Cp1252().FromUnicode;
    for (QChar C : Text)
        if (M.find(C.unicode()) == M.end())
            return false;
    return true;
}
