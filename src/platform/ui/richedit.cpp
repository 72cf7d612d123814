#include "platform/ui/richedit.h"

#include "platform/core/codepages.h"
#include "platform/ui/drawing.h"

#include <algorithm>

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

}  // namespace

QString RTF_To_Plain_Text(const std::vector<uint8_t>& b)
{
    const size_t n = b.size();
    static const char head[] = "{\\rtf";
    if (n < 5 || !std::equal(head, head + 5, b.begin()))
        return AnsiToUnicode(QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(n)));

    QString out;
    QByteArray ansi;  // pending Windows-1252 bytes
    auto flush = [&] { out += AnsiToUnicode(ansi); ansi.clear(); };
    // Depth of the innermost hidden group (0: none), and pending fallback bytes after \uN.
    int depth = 0, hiddenFrom = 0, skip = 0;
    bool groupStart = false;
    for (size_t i = 0; i < n;) {
        const uint8_t c = b[i];
        if (c == '{') { ++depth; groupStart = true; ++i; continue; }
        if (c == '}') { if (hiddenFrom == depth) hiddenFrom = 0; if (depth > 0) --depth; groupStart = false; ++i; continue; }
        const bool hidden = hiddenFrom != 0;
        if (c == '\\' && i + 1 == n)
            break;  // a document cut after its escape character
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
                const long long param = hasParam ? QByteArray(reinterpret_cast<const char*>(b.data()) + j, qsizetype(k - j)).toLongLong() : 0;
                if (k < n && b[k] == ' ') ++k;
                i = k;
                if (groupStart && Is_Hidden_Destination(word) && !hidden) hiddenFrom = depth;
                groupStart = false;
                if (hidden) continue;
                if (word == "par" || word == "line") { ansi += '\n'; skip = 0; }
                else if (word == "tab") ansi += '\t';
                else if (word == "u" && hasParam) { flush(); out += QChar(char16_t(param)); skip = 1; }
                continue;
            }
            groupStart = false;
            if (d == '*') { if (!hidden) hiddenFrom = depth; i += 2; continue; }
            if (d == '\'') {
                const int hi = i + 2 < n ? Hex_Value(b[i + 2]) : -1;
                const int lo = i + 3 < n ? Hex_Value(b[i + 3]) : -1;
                i = std::min(i + 4, n);
                if (!hidden && hi >= 0 && lo >= 0) { if (skip > 0) --skip; else ansi += char(hi * 16 + lo); }
                continue;
            }
            if (!hidden && (d == '\\' || d == '{' || d == '}')) ansi += char(d);
            i += 2;
            continue;
        }
        groupStart = false;
        ++i;
        if (hidden || c == '\r' || c == '\n')
            continue;
        if (skip > 0) { --skip; continue; }
        ansi += char(c);
    }
    flush();
    while (out.endsWith(QLatin1Char('\n')))
        out.chop(1);
    return out;
}

TRichEdit::TRichEdit(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clWindow);
    SetTabStop(true);
}

void TRichEdit::SetRTF(const std::vector<uint8_t>& Bytes)
{
    FRTF = Bytes;
    FPlain = RTF_To_Plain_Text(FRTF);
    Invalidate();
}

void TRichEdit::SetPlainText(const QString& Text)
{
    QByteArray doc("{\\rtf1\\ansi ");
    for (const QChar ch : Text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') { doc += '\\'; doc += char(u); }
        else if (u == '\n') doc += "\\par ";
        else if (u >= 0x20 && u < 0x80) doc += char(u);
        else if (u != '\r') doc += "\\u" + QByteArray::number(qint16(u)) + '?';
    }
    doc += '}';
    FRTF.assign(doc.begin(), doc.end());
    FPlain = RTF_To_Plain_Text(FRTF);
    Invalidate();
}

void TRichEdit::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    c->FillRect(r);
    DrawEdge(c, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    c->Font()->Assign(*Font());
    if (!Enabled())
        c->Font()->SetColor(clGrayText);
    c->Brush()->SetStyle(bsClear);
    r.Left += 1;
    DrawText(c, FPlain, r, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK);
}

void TRichEdit::Clear()
{
    FRTF.clear();
    FPlain.clear();
    Invalidate();
}
