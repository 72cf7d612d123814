#include "grid/html_markup.h"

#include <algorithm>
#include <array>
#include <climits>
#include <vector>

namespace {

struct TEntity {
    const char* Name;
    char16_t Char;
};

// Named characters that the full escaping writes as entities.
constexpr std::array<TEntity, 51> kEntities = {{
    {"&eacute;", u'\u00E9'}, {"&egrave;", u'\u00E8'}, {"&euml;", u'\u00EB'}, {"&ecirc;", u'\u00EA'},
    {"&oacute;", u'\u00F3'}, {"&ograve;", u'\u00F2'}, {"&ouml;", u'\u00F6'}, {"&ocirc;", u'\u00F4'},
    {"&iacute;", u'\u00ED'}, {"&igrave;", u'\u00EC'}, {"&iuml;", u'\u00EF'}, {"&icirc;", u'\u00EE'},
    {"&uacute;", u'\u00FA'}, {"&ugrave;", u'\u00F9'}, {"&uuml;", u'\u00FC'}, {"&ucirc;", u'\u00FB'},
    {"&aacute;", u'\u00E1'}, {"&agrave;", u'\u00E0'}, {"&auml;", u'\u00E4'}, {"&acirc;", u'\u00E2'},
    {"&Eacute;", u'\u00C9'}, {"&Egrave;", u'\u00C8'}, {"&Euml;", u'\u00CB'}, {"&Ecirc;", u'\u00CA'},
    {"&Oacute;", u'\u00D3'}, {"&Ograve;", u'\u00D2'}, {"&Ouml;", u'\u00D6'}, {"&Ocirc;", u'\u00D4'},
    {"&Iacute;", u'\u00CD'}, {"&Igrave;", u'\u00CC'}, {"&Iuml;", u'\u00CF'}, {"&Icirc;", u'\u00CE'},
    {"&Uacute;", u'\u00DA'}, {"&Ugrave;", u'\u00D9'}, {"&Uuml;", u'\u00DC'}, {"&Ucirc;", u'\u00DB'},
    {"&Aacute;", u'\u00C1'}, {"&Agrave;", u'\u00C0'}, {"&Auml;", u'\u00C4'}, {"&Acirc;", u'\u00C2'},
    {"&ccedil;", u'\u00E7'}, {"&Ccedil;", u'\u00C7'}, {"&oslash;", u'\u00F8'}, {"&Oslash;", u'\u00D8'},
    {"&aring;", u'\u00E5'}, {"&Aring;", u'\u00C5'}, {"&copy;", u'\u00A9'}, {"&reg;", u'\u00AE'},
    {"&euro;", u'\u20AC'}, {"&laquo;", u'\u00AB'}, {"&raquo;", u'\u00BB'},
}};

constexpr std::array<TEntity, 4> kBasicEntities = {{
    {"&lt;", u'<'}, {"&gt;", u'>'}, {"&amp;", u'&'}, {"&quot;", u'"'},
}};

// One control tag: the position of its "<", one past its ">" and its attributes.
struct TControlSpan {
    qsizetype Start = -1, End = -1;
    THTMLControlTag Tag;
};

std::vector<TControlSpan> ControlTags(const QString& Text)
{
    std::vector<TControlSpan> out;
    const QString up = Text.toUpper();
    qsizetype from = 0;
    while (true) {
        const qsizetype a = up.indexOf(QLatin1String("<CONTROL"), from);
        if (a < 0) break;
        const qsizetype b = Text.indexOf(QLatin1Char('>'), a);
        TControlSpan s;
        s.Start = a;
        s.End = b < 0 ? Text.size() : b + 1;
        s.Tag = ParseHTMLControlTag(Text.mid(a + 8, (b < 0 ? Text.size() : b) - a - 8));
        out.push_back(s);
        from = s.End;
    }
    return out;
}

const TControlSpan* FindControl(const std::vector<TControlSpan>& Tags, const QString& ID)
{
    for (const TControlSpan& s : Tags)
        if (s.Tag.ID == ID) return &s;
    return nullptr;
}

QString ControlAttribute(const QString& AttrText, const char* Name) { return HTMLAttribute(AttrText, QLatin1String(Name)); }

QString ReplaceNoCase(const QString& Text, const QString& What, const QString& With)
{
    QString s = Text;
    s.replace(What, With, Qt::CaseInsensitive);
    return s;
}

} // namespace

// ---------------------------------------------------------------- attributes
QString HTMLAttribute(const QString& AttrText, const QString& Name)
{
    const qsizetype at = AttrText.indexOf(Name, 0, Qt::CaseInsensitive);
    if (at < 0) return QString();
    const qsizetype q1 = AttrText.indexOf(QLatin1Char('"'), at + Name.size());
    if (q1 < 0) return QString();
    const qsizetype q2 = AttrText.indexOf(QLatin1Char('"'), q1 + 1);
    if (q2 < 0) return QString();
    return AttrText.mid(q1 + 1, q2 - q1 - 1);
}

namespace {
// Reads a number at the start of Text; Used is the count of characters read
// (0 when there is no digit).
long long ScanNumber(const QString& Text, qsizetype& Used)
{
    qsizetype i = 0;
    const qsizetype n = Text.size();
    while (i < n && Text[i] == QLatin1Char(' ')) ++i;
    bool neg = false;
    if (i < n && (Text[i] == QLatin1Char('-') || Text[i] == QLatin1Char('+'))) neg = Text[i++] == QLatin1Char('-');
    int base = 10;
    if (i < n && Text[i] == QLatin1Char('$')) { base = 16; ++i; }
    long long v = 0;
    const qsizetype digits = i;
    for (; i < n; ++i) {
        const int d = base == 16 ? QStringView(Text).mid(i, 1).toInt(nullptr, 16) : Text[i].digitValue();
        const bool ok = base == 16 ? Text[i].isDigit() || QStringLiteral("abcdefABCDEF").contains(Text[i])
                                   : (Text[i] >= QLatin1Char('0') && Text[i] <= QLatin1Char('9'));
        if (!ok) break;
        if (v < INT_MAX) v = v * base + d;
    }
    Used = i > digits ? i : 0;
    if (v > INT_MAX) v = INT_MAX;
    return neg ? -v : v;
}
} // namespace

int HTMLNumber(const QString& Text)
{
    qsizetype used = 0;
    const long long v = ScanNumber(Text, used);
    return used ? int(v) : 0;
}

bool HTMLTryNumber(const QString& Text, int& Value)
{
    qsizetype used = 0;
    const long long v = ScanNumber(Text, used);
    if (!used || used != Text.size()) return false;
    Value = int(v);
    return true;
}

TColor HTMLColorByName(const QString& Name)
{
    struct TNamed { const char* Name; TColor Color; };
    static const TNamed table[] = {
        {"clred", 0x0000FF}, {"clblack", 0x000000}, {"clblue", 0xFF0000}, {"clgreen", 0x008000},
        {"claqua", 0xFFFF00}, {"clyellow", 0x00FFFF}, {"clfuchsia", 0xFF00FF}, {"clwhite", 0xFFFFFF},
        {"cllime", 0x00FF00}, {"clsilver", 0xC0C0C0}, {"clgray", 0x808080}, {"clolive", 0x008080},
        {"clnavy", 0x800000}, {"clpurple", 0x800080}, {"clteal", 0x808000}, {"clmaroon", 0x000080},
        {"clbackground", clBackground}, {"clactivecaption", clActiveCaption},
        {"clinactivecaption", clInactiveCaption}, {"clmenu", clMenu}, {"clwindow", clWindow},
        {"clwindowframe", clWindowFrame}, {"clmenutext", clMenuText}, {"clwindowtext", clWindowText},
        {"clcaptiontext", clCaptionText}, {"clactiveborder", clActiveBorder},
        {"clinactiveborder", clInactiveBorder}, {"clappworkspace", clAppWorkSpace},
        {"clhighlight", clHighlight}, {"clhighlighttext", clHighlightText}, {"clbtnface", clBtnFace},
        {"clbtnshadow", clBtnShadow}, {"clgraytext", clGrayText}, {"clbtntext", clBtnText},
        {"clinactivecaptiontext", clInactiveCaptionText}, {"clbtnhighlight", clBtnHighlight},
        {"cl3ddkshadow", cl3DDkShadow}, {"cl3dlight", cl3DLight}, {"clinfotext", clInfoText},
        {"clinfobk", clInfoBk},
    };
    for (const TNamed& t : table)
        if (Name == QLatin1String(t.Name)) return t.Color;
    return clBlack;
}

TColor HTMLHexColor(const QString& Value)
{
    auto pair = [&](int from) {
        const QString p = Value.mid(from, 2);
        if (p.size() < 2) return 0;
        int v = 0;
        for (QChar c : p) {
            int d = 0;
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) d = c.unicode() - '0';
            else if (c >= QLatin1Char('A') && c <= QLatin1Char('F')) d = c.unicode() - 'A' + 10;
            v = v * 16 + d;
        }
        return v;
    };
    return TColor(pair(1) + pair(3) * 256 + pair(5) * 65536);
}

// ---------------------------------------------------------------- escaping
QString EscapeHTMLText(const QString& Text, bool Full)
{
    // Every named character lies above this; a text with none of them nor a markup
    // character goes back as it is, without a copy.
    constexpr char16_t lowestEntity = 0xA0;
    const auto plain = [&](QChar c) {
        const char16_t u = c.unicode();
        return u != '&' && u != '"' && u != '<' && u != '>' && (!Full || u < lowestEntity);
    };
    if (std::all_of(Text.cbegin(), Text.cend(), plain))
        return Text;
    QString out;
    out.reserve(Text.size() + 16);
    for (QChar c : Text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); continue;
        case '"': out += QLatin1String("&quot;"); continue;
        case '<': out += QLatin1String("&lt;"); continue;
        case '>': out += QLatin1String("&gt;"); continue;
        default: break;
        }
        bool done = false;
        if (Full && c.unicode() >= lowestEntity)
            for (const TEntity& e : kEntities)
                if (c.unicode() == e.Char) { out += QLatin1String(e.Name); done = true; break; }
        if (!done) out += c;
    }
    return out;
}

QString UnescapeHTMLText(const QString& Text, bool Full)
{
    // One pass from left to right, so that an escaped entity ("&amp;lt;")
    // comes back as the text it was and is not resolved a second time.
    QString out;
    out.reserve(Text.size());
    qsizetype i = 0;
    while (i < Text.size()) {
        if (Text[i] == QLatin1Char('&')) {
            const QStringView rest = QStringView(Text).mid(i);
            bool matched = false;
            auto tryTable = [&](const auto& table) {
                for (const TEntity& e : table) {
                    const QLatin1String name(e.Name);
                    if (rest.startsWith(name)) {
                        out += QChar(e.Char);
                        i += name.size();
                        matched = true;
                        return;
                    }
                }
            };
            tryTable(kBasicEntities);
            if (!matched && Full) tryTable(kEntities);
            if (matched) continue;
        }
        out += Text[i++];
    }
    return out;
}

QString SpacesToNbsp(const QString& Text)
{
    QString s = Text;
    s.replace(QLatin1Char(' '), QLatin1String("&nbsp;"));
    return s;
}

// ---------------------------------------------------------------- plain text
QString HTMLToPlainText(const QString& Text)
{
    QString s = ReplaceNoCase(Text, QStringLiteral("<BR>"), QStringLiteral("\r\n"));
    s = ReplaceNoCase(s, QStringLiteral("<HR>"), QStringLiteral("\r\n"));
    QString out;
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype a = s.indexOf(QLatin1Char('<'), i);
        if (a < 0) break;
        const qsizetype b = s.indexOf(QLatin1Char('>'), a);
        if (b < 0) break; // an unclosed "<" and what follows stay as they are
        out += QStringView(s).mid(i, a - i);
        i = b + 1;
    }
    out += QStringView(s).mid(i);
    return out;
}

QString StripHTMLTags(const QString& Text)
{
    QString out;
    qsizetype i = 0;
    while (true) {
        const qsizetype a = Text.indexOf(QLatin1Char('<'), i);
        if (a < 0) break;
        const qsizetype b = Text.indexOf(QLatin1Char('>'), i);
        if (b < a) break; // no ">" after it, or a ">" first: the rest stays
        out += QStringView(Text).mid(i, a - i);
        i = b + 1;
    }
    out += QStringView(Text).mid(i);
    return out;
}

int VisibleToHTMLIndex(const QString& Text, int N)
{
    int visible = 0;
    bool inTag = false;
    qsizetype tagsStart = -1; // first "<" of the tags directly before the current character
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text[i];
        if (inTag) {
            if (c == QLatin1Char('>')) inTag = false;
            continue;
        }
        if (c == QLatin1Char('<')) {
            if (tagsStart < 0) tagsStart = i;
            inTag = true;
            continue;
        }
        if (++visible == N) return int((tagsStart >= 0 ? tagsStart : i) + 1);
        tagsStart = -1;
    }
    if (N == visible + 1) return int(Text.size() + 1);
    return 0;
}

QString HighlightHTMLText(const QString& Text, const QString& SearchText, const QString& Tag, bool MatchCase)
{
    if (SearchText.isEmpty()) return Text;
    const Qt::CaseSensitivity cs = MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QString cell = Text;
    QString visible = StripHTMLTags(cell);
    QString search = SearchText;
    if (cell.contains(search, cs) && (visible.contains(QLatin1Char('<')) || visible.contains(QLatin1Char('>')))) {
        // Plain text with angle brackets, not markup: work on its escaped form.
        auto esc = [](QString s) {
            s.replace(QLatin1Char('<'), QLatin1String("&lt;"));
            s.replace(QLatin1Char('>'), QLatin1String("&gt;"));
            return s;
        };
        visible = esc(visible);
        search = esc(search);
        cell = visible;
    }
    const QString open = QLatin1Char('<') + Tag + QLatin1Char('>');
    const QString close = QLatin1String("</") + Tag + QLatin1Char('>');
    qsizetype from = 0;
    while (true) {
        const qsizetype hit = visible.indexOf(search, from, cs);
        if (hit < 0) break;
        const int p = int(hit) + 1;
        int at = VisibleToHTMLIndex(cell, p);
        if (at > 0) cell.insert(at - 1, open);
        at = VisibleToHTMLIndex(cell, p + int(search.size()));
        if (at > 0) cell.insert(at - 1, close);
        from = hit + search.size();
    }
    return cell;
}

QString UnhighlightHTMLText(const QString& Text, const QString& Tag)
{
    QString s = ReplaceNoCase(Text, QLatin1Char('<') + Tag + QLatin1Char('>'), QString());
    s = ReplaceNoCase(s, QLatin1String("</") + Tag + QLatin1Char('>'), QString());
    s.replace(QLatin1String("&lt;"), QLatin1String("<"));
    s.replace(QLatin1String("&gt;"), QLatin1String(">"));
    return s;
}

// ---------------------------------------------------------------- controls
THTMLControlTag ParseHTMLControlTag(const QString& AttrText)
{
    THTMLControlTag t;
    t.Type = ControlAttribute(AttrText, "TYPE=").toUpper();
    t.ID = ControlAttribute(AttrText, "ID=");
    t.Value = UnescapeHTMLText(ControlAttribute(AttrText, "VALUE="), true);
    t.Width = ControlAttribute(AttrText, "WIDTH=");
    t.Height = ControlAttribute(AttrText, "HEIGHT=");
    t.Prop = UnescapeHTMLText(ControlAttribute(AttrText, "PROP="), true);
    t.MaxLen = ControlAttribute(AttrText, "MAXLEN=");
    return t;
}

bool HasHTMLControl(const QString& Text) { return Text.contains(QLatin1String("<CONTROL"), Qt::CaseInsensitive); }

bool GetHTMLControlValue(const QString& Text, const QString& ID, QString& Value)
{
    const auto tags = ControlTags(Text);
    const TControlSpan* s = FindControl(tags, ID);
    if (!s) return false;
    Value = s->Tag.Value;
    return true;
}

QString GetHTMLControlProp(const QString& Text, const QString& ID)
{
    const auto tags = ControlTags(Text);
    const TControlSpan* s = FindControl(tags, ID);
    return s ? s->Tag.Prop : QString();
}

int GetHTMLControlMaxLen(const QString& Text, const QString& ID)
{
    const auto tags = ControlTags(Text);
    const TControlSpan* s = FindControl(tags, ID);
    return s ? HTMLNumber(s->Tag.MaxLen) : 0;
}

namespace {
QString WriteControlTag(const THTMLControlTag& t, const QString& AttrText, const QString& Value)
{
    const QChar q = QLatin1Char('"');
    QString s = QLatin1String("<CONTROL ID=") + q + t.ID + q + QLatin1String(" VALUE=") + q
              + EscapeHTMLText(Value, true) + q + QLatin1String(" WIDTH=") + q + t.Width + q
              + QLatin1String(" TYPE=") + q + t.Type + q;
    if (AttrText.contains(QLatin1String("PROP="), Qt::CaseInsensitive))
        s += QLatin1String(" PROP=") + q + EscapeHTMLText(t.Prop, true) + q;
    if (AttrText.contains(QLatin1String("MAXLEN="), Qt::CaseInsensitive))
        s += QLatin1String(" MAXLEN=") + q + t.MaxLen + q;
    if (AttrText.contains(QLatin1String("HEIGHT="), Qt::CaseInsensitive))
        s += QLatin1String(" HEIGHT=") + q + t.Height + q;
    return s + QLatin1Char('>');
}
} // namespace

bool SetHTMLControlValue(QString& Text, const QString& ID, const QString& NewValue)
{
    const auto tags = ControlTags(Text);
    const TControlSpan* s = FindControl(tags, ID);
    if (!s) return false;
    const QString attr = Text.mid(s->Start, s->End - s->Start);
    Text.replace(s->Start, s->End - s->Start, WriteControlTag(s->Tag, attr, NewValue));
    return true;
}

QString ClearHTMLRadioControls(const QString& Text)
{
    QString s = Text;
    auto tags = ControlTags(s);
    // From the end, so that earlier positions stay valid.
    for (auto it = tags.rbegin(); it != tags.rend(); ++it) {
        if (it->Tag.Type != QLatin1String("RADIO")) continue;
        const QString attr = s.mid(it->Start, it->End - it->Start);
        s.replace(it->Start, it->End - it->Start, WriteControlTag(it->Tag, attr, QStringLiteral("FALSE")));
    }
    return s;
}

QString NextHTMLEditControl(const QString& Text, const QString& ID)
{
    const auto tags = ControlTags(Text);
    bool passed = ID.isEmpty();
    for (const TControlSpan& s : tags) {
        if (!passed) {
            passed = s.Tag.ID == ID;
            continue;
        }
        const QString& t = s.Tag.Type;
        if (t != QLatin1String("BUTTON") && t != QLatin1String("CHECK") && t != QLatin1String("RADIO")) return s.Tag.ID;
    }
    return QString();
}
