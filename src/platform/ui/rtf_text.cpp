#include "platform/ui/rtf_text.h"

#include "platform/core/codepages.h"

#include <QtCore/QByteArray>

#include <algorithm>
#include <cmath>

namespace {

bool Is_Alpha(uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
int Hex_Value(uint8_t c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Groups whose text is no part of the document's body.
bool Is_Hidden_Destination(const QByteArray& word)
{
    static const char* const names[] = {"fonttbl", "colortbl", "stylesheet", "info", "pict", "header",
                                        "footer", "listtable", "listoverridetable", "generator", "themedata"};
    for (const char* n : names)
        if (word == n)
            return true;
    return false;
}

// Windows-1252 byte to character, one table for the whole reader.
QChar Ansi_Char(uint8_t b)
{
    static const QString table = [] {
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i) all[i] = char(i);
        return AnsiToUnicode(all);
    }();
    return table.at(b);
}

// Collects characters into runs of one format.
class TRunBuilder {
public:
    std::vector<TRtfRun> Runs;
    void Add(QChar c, const TRtfRun& format)
    {
        if (Runs.empty() || !Runs.back().SameFormat(format)) {
            Runs.push_back(format);
            Runs.back().Text.clear();
        }
        Runs.back().Text += c;
    }
    // The document's trailing paragraph ends carry no text.
    void TrimTrailingBreaks()
    {
        while (!Runs.empty()) {
            QString& t = Runs.back().Text;
            while (t.endsWith(QLatin1Char('\n'))) t.chop(1);
            if (!t.isEmpty()) break;
            Runs.pop_back();
        }
    }
};

// \upN and \dnN count half points; the runs keep twips.
int Half_Points_To_Twips(long long halfPoints)
{
    return int(std::clamp<long long>(halfPoints, -100000, 100000) * 10);
}

} // namespace

std::vector<TRtfRun> RTF_To_Runs(const std::vector<uint8_t>& b)
{
    const size_t n = b.size();
    TRunBuilder out;
    static const char head[] = "{\\rtf";
    if (n < 5 || !std::equal(head, head + 5, b.begin())) {
        const TRtfRun plain;
        for (uint8_t c : b) out.Add(Ansi_Char(c), plain);
        return out.Runs;
    }

    // The format in force and the formats of the enclosing groups.
    TRtfRun format;
    std::vector<TRtfRun> saved;
    // Depth of the innermost hidden group (0: none), and pending fallback bytes after \uN.
    int depth = 0, hiddenFrom = 0, skip = 0;
    bool groupStart = false;
    for (size_t i = 0; i < n;) {
        const uint8_t c = b[i];
        if (c == '{') {
            ++depth;
            saved.push_back(format);
            groupStart = true;
            ++i;
            continue;
        }
        if (c == '}') {
            if (hiddenFrom == depth) hiddenFrom = 0;
            if (depth > 0) --depth;
            if (!saved.empty()) {
                format = saved.back();
                saved.pop_back();
            }
            groupStart = false;
            ++i;
            continue;
        }
        const bool hidden = hiddenFrom != 0;
        if (c == '\\' && i + 1 == n)
            break; // a document cut after its escape character
        if (c == '\\') {
            const uint8_t d = b[i + 1];
            if (Is_Alpha(d)) {
                size_t j = i + 1;
                while (j < n && Is_Alpha(b[j])) ++j;
                const QByteArray word(reinterpret_cast<const char*>(b.data()) + i + 1, qsizetype(j - i - 1));
                size_t k = j;
                if (k < n && b[k] == '-') ++k;
                while (k < n && k - j < 11 && b[k] >= '0' && b[k] <= '9') ++k;
                const bool hasParam = k > j && b[k - 1] != '-';
                const long long param =
                    hasParam ? QByteArray(reinterpret_cast<const char*>(b.data()) + j, qsizetype(k - j)).toLongLong()
                             : 0;
                if (k < n && b[k] == ' ') ++k;
                i = k;
                if (groupStart && Is_Hidden_Destination(word) && !hidden) hiddenFrom = depth;
                groupStart = false;
                if (hidden) continue;
                if (word == "par" || word == "line") {
                    out.Add(QLatin1Char('\n'), format);
                    skip = 0;
                } else if (word == "tab") {
                    out.Add(QLatin1Char('\t'), format);
                } else if (word == "u" && hasParam) {
                    out.Add(QChar(char16_t(param)), format);
                    skip = 1;
                } else if (word == "b") {
                    format.Bold = !hasParam || param != 0;
                } else if (word == "i") {
                    format.Italic = !hasParam || param != 0;
                } else if (word == "ul") {
                    format.Underline = !hasParam || param != 0;
                } else if (word == "ulnone") {
                    format.Underline = false;
                } else if (word == "up") {
                    format.OffsetTwips = Half_Points_To_Twips(hasParam ? param : 6);
                } else if (word == "dn") {
                    format.OffsetTwips = -Half_Points_To_Twips(hasParam ? param : 6);
                } else if (word == "nosupersub") {
                    format.OffsetTwips = 0;
                } else if (word == "plain") {
                    format = TRtfRun();
                }
                continue;
            }
            groupStart = false;
            if (d == '*') {
                if (!hidden) hiddenFrom = depth;
                i += 2;
                continue;
            }
            if (d == '\'') {
                const int hi = i + 2 < n ? Hex_Value(b[i + 2]) : -1;
                const int lo = i + 3 < n ? Hex_Value(b[i + 3]) : -1;
                i = std::min(i + 4, n);
                if (!hidden && hi >= 0 && lo >= 0) {
                    if (skip > 0) --skip;
                    else out.Add(Ansi_Char(uint8_t(hi * 16 + lo)), format);
                }
                continue;
            }
            if (!hidden && (d == '\\' || d == '{' || d == '}')) out.Add(QLatin1Char(char(d)), format);
            i += 2;
            continue;
        }
        groupStart = false;
        ++i;
        if (hidden || c == '\r' || c == '\n') continue;
        if (skip > 0) {
            --skip;
            continue;
        }
        out.Add(Ansi_Char(c), format);
    }
    out.TrimTrailingBreaks();
    return out.Runs;
}

QString RTF_To_Plain_Text(const std::vector<uint8_t>& Bytes)
{
    QString text;
    for (const TRtfRun& r : RTF_To_Runs(Bytes)) text += r.Text;
    return text;
}

std::vector<uint8_t> Runs_To_RTF(const std::vector<TRtfRun>& Runs)
{
    QByteArray doc("{\\rtf1\\ansi ");
    for (const TRtfRun& r : Runs) {
        QByteArray words;
        if (r.Bold) words += "\\b";
        if (r.Italic) words += "\\i";
        if (r.Underline) words += "\\ul";
        if (r.OffsetTwips != 0) {
            const long long half = std::llround(std::abs(r.OffsetTwips) / 10.0);
            words += (r.OffsetTwips > 0 ? "\\up" : "\\dn") + QByteArray::number(half);
        }
        if (!words.isEmpty()) doc += '{' + words + ' ';
        for (const QChar ch : r.Text) {
            const char16_t u = ch.unicode();
            if (u == '\\' || u == '{' || u == '}') {
                doc += '\\';
                doc += char(u);
            } else if (u == '\n') {
                doc += "\\par ";
            } else if (u == '\t') {
                doc += "\\tab ";
            } else if (u >= 0x20 && u < 0x80) {
                doc += char(u);
            } else if (u == '\r') {
                continue;
            } else if (u >= 0x80 && IsAnsiRepresentable(QString(ch))) {
                static const char hex[] = "0123456789abcdef";
                const uint8_t a = uint8_t(UnicodeToAnsi(QString(ch)).at(0));
                doc += "\\'";
                doc += hex[a >> 4];
                doc += hex[a & 15];
            } else {
                doc += "\\u" + QByteArray::number(qint16(u)) + '?';
            }
        }
        if (!words.isEmpty()) doc += '}';
    }
    doc += '}';
    return std::vector<uint8_t>(doc.begin(), doc.end());
}
