#include "enip_outputs/target_config.h"

#include "enip_outputs/eds_text.h"
#include "common/common_routines.h"

#include "platform/core/files.h"
#include "platform/core/sysutils.h"

#include <QHash>

#include <algorithm>
#include <bit>
#include <bitset>
#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>

QString TTC_ParamObj::GetEnumString() const
{
    for (const TTC_EnumObj& e : ListEnum)
        if (int64_t(e.Value) == Value)
            return e.Description;
    return QString();
}

int64_t TTC_ParamObj::SetValueFromEnum(const QString& Val_Enum) const
{
    for (const TTC_EnumObj& e : ListEnum)
        if (e.Description == Val_Enum)
            return e.Value;
    return Default;
}

namespace {

// A parameter entry ends on the line whose first ";" closes it.
bool Param_Entry_Ends(const QString& line)
{
    const int semi = Unquoted_Index_Of(line, QLatin1Char(';'));
    return semi >= 0 && semi == line.size() - 1;
}

bool Entry_Ends(const QString& line)
{
    return Unquoted_Index_Of(line, QLatin1Char(';')) >= 0;
}

QString After_Equals(const QString& line)
{
    return Trim(line.mid(line.indexOf(QLatin1Char('=')) + 1));
}

QString Without_Terminator(const QString& text)
{
    QString t = Trim(text);
    if (t.endsWith(QLatin1Char(';'))) {
        t.chop(1);
        t = Trim(t);
    }
    return t;
}

int64_t Int64_Field(const QString& field)
{
    return StrToInt64Def(Trim(field), 0);
}

double Real_Field(const QString& field, const TFormatSettings& settings)
{
    double v = 0;
    if (!TryStrToFloat(Trim(Conv_Decimal_Sep(field, settings.DecimalSeparator)), v, settings))
        return 0;
    return v;
}

// The parameter entry's fields read by the decoding: up to the default value.
constexpr int Param_Fields_Needed = 12;

}  // namespace

TTC_Decode_Result TTargetConfig::DecodeTargetConf()
{
    if (StrToInt64Def(Size, 0) > TC_Max_Bytes)
        return {TTC_Decode_Result::Too_Large, Size};
    if (!FileExists(FileName))
        return {};
    QStringList lines;
    try {
        lines = ReadTextLines(FileName);
    } catch (const Exception& e) {
        return {TTC_Decode_Result::Unreadable_File, e.Message()};
    }
    return DecodeAssemblyObj(Find_Assembly_Object(lines), lines);
}

namespace {

// The cleaned lines after the first one holding Header, up to the next line holding
// both "[" and "]".
QStringList Section_Lines(const QStringList& sl, QLatin1String Header)
{
    QStringList out;
    bool inSection = false;
    for (const QString& raw : sl) {
        const QString s = Clean_EDS_Line(raw);
        if (!inSection) {
            inSection = s.contains(Header);
            continue;
        }
        if (s.contains(QLatin1Char('[')) && s.contains(QLatin1Char(']')))
            break;
        out.append(s);
    }
    return out;
}

// Gathers an entry: a line matching Key starts it with its text after the "=", and the
// following lines are added unchanged until one ends the entry. The key line's own
// terminator ends it too, so an entry written on one line does not swallow the next.
struct TEntry_Collector {
    TEntry_Collector(QString key, bool (*ends)(const QString&)) : Key(std::move(key)), Ends(ends) {}

    QString Key;
    bool (*Ends)(const QString&);
    QString Text;
    bool Collecting = false;
    bool Ended = false;  // at least one entry is complete

    void Feed(const QString& s)
    {
        if (!Collecting) {
            if (!EDS_Key_Matches(s, Key))
                return;
            const QString first = After_Equals(s);
            Text += first;
            Collecting = !Ends(first);
        } else {
            Text += s;
            Collecting = !Ends(s);
        }
        Ended = !Collecting;
    }
};

}  // namespace

QString TTargetConfig::Find_Assembly_Object(const QStringList& sl) const
{
    TEntry_Collector assembly{Format, Entry_Ends};
    for (const QString& s : Section_Lines(sl, QLatin1String("[Assembly]"))) {
        assembly.Feed(s);
        if (assembly.Ended)
            break;
    }
    return assembly.Text;
}

namespace {

QString Enum_Key(const QString& Param)
{
    return QStringLiteral("Enum") + Param.mid(5);
}

// The parameter and enumeration entries of Param among the cleaned lines of [Params].
void Collect_Param_Enum(const QString& Param, const QStringList& paramsSection, QString& ParamText,
                        QString& EnumText)
{
    // A later line matching a key starts collecting again, into the same text.
    TEntry_Collector param{Param, Param_Entry_Ends};
    TEntry_Collector enumeration{Enum_Key(Param), Entry_Ends};
    for (const QString& s : paramsSection) {
        param.Feed(s);
        enumeration.Feed(s);
    }
    ParamText = param.Text;
    EnumText = enumeration.Text;
}

// The entries of many parameters, as Collect_Param_Enum gives them, found in one walk over
// the section: a key matches a line only where it stands right before a blank, a tab or
// "=", so each such place of each line is looked up once for every length a wanted key
// has (EDS_Key_Matches then decides at the key's first occurrence). An assembly of
// thousands of members so reads [Params] once instead of once per member. Equal names
// share one id, so a caller keeps what it learns of a parameter in plain arrays.
class TParam_Entries {
public:
    TParam_Entries(const QStringList& Section, const QStringList& Params) : FLines(Section)
    {
        // The views point into Params and FEnum_Keys, which stay as they are from here on.
        for (const QString& p : Params)
            FEnum_Keys << Enum_Key(p);
        std::vector<qsizetype> lengths;
        auto id = [&](QStringView key) {
            if (key.isEmpty())
                return -1;
            if (const auto it = FIds.constFind(key); it != FIds.cend())
                return *it;
            const int added = int(FKeys.size());
            FIds.insert(key, added);
            FKeys.push_back(key);
            FMatches.emplace_back();
            lengths.push_back(key.size());
            FFirst.Add(key.front());
            FLast.Add(key.back());
            return added;
        };
        for (qsizetype i = 0; i < Params.size(); ++i) {
            const int param = id(Params.at(i));
            const int enumeration = id(FEnum_Keys.at(i));
            FParam_Ids.push_back(param);
            if (param >= 0 && size_t(param) >= FEnum_Of.size())
                FEnum_Of.resize(size_t(param) + 1, -1);
            if (param >= 0)
                FEnum_Of[size_t(param)] = enumeration;
        }
        std::sort(lengths.begin(), lengths.end());
        lengths.erase(std::unique(lengths.begin(), lengths.end()), lengths.end());
        for (qsizetype i = 0; i < FLines.size(); ++i) {
            const QString& s = FLines.at(i);
            if (!s.contains(QLatin1Char('=')))
                continue;
            for (qsizetype p = 1; p < s.size(); ++p) {
                const QChar c = s.at(p);
                if ((c != u' ' && c != u'\t' && c != u'=') || !FLast.Has(s.at(p - 1)))
                    continue;
                for (const qsizetype len : lengths) {
                    if (len > p)
                        break;
                    if (!FFirst.Has(s.at(p - len)))
                        continue;
                    const auto found = FIds.constFind(QStringView(s).mid(p - len, len));
                    if (found == FIds.cend())
                        continue;
                    std::vector<qsizetype>& lines = FMatches[size_t(*found)];
                    if ((lines.empty() || lines.back() != i) && EDS_Key_Matches(s, FKeys[size_t(*found)].toString()))
                        lines.push_back(i);
                }
            }
        }
    }

    // The id of Params[i] (-1 for an empty name) and the number of ids.
    int Param_Id(qsizetype i) const { return FParam_Ids[size_t(i)]; }
    size_t Ids() const { return FKeys.size(); }

    void Entries(int Param_Id, QString& ParamText, QString& EnumText) const
    {
        ParamText = Collect(Param_Id, Param_Entry_Ends);
        EnumText = Collect(FEnum_Of[size_t(Param_Id)], Entry_Ends);
    }

private:
    // What a collector fed every line would gather: from each matching line that is not
    // inside an entry already being gathered, its text after "=" and the lines after it
    // up to the one that ends the entry.
    QString Collect(int Id, bool (*Ends)(const QString&)) const
    {
        QString text;
        if (Id < 0)
            return text;
        qsizetype next = 0;
        for (const qsizetype m : FMatches[size_t(Id)]) {
            if (m < next)
                continue;
            const QString first = After_Equals(FLines.at(m));
            text += first;
            bool open = !Ends(first);
            for (next = m + 1; open && next < FLines.size(); ++next) {
                text += FLines.at(next);
                open = !Ends(FLines.at(next));
            }
            if (open)
                break;
        }
        return text;
    }

    // The characters keys begin or end with: most places of a line are passed over on
    // them before anything is hashed.
    class TChar_Set {
    public:
        void Add(QChar c) { c.unicode() < 256 ? void(FLatin1.set(c.unicode())) : void(FWide = true); }
        bool Has(QChar c) const { return c.unicode() < 256 ? FLatin1.test(c.unicode()) : FWide; }

    private:
        std::bitset<256> FLatin1;
        bool FWide = false;
    };

    const QStringList& FLines;
    QStringList FEnum_Keys;
    QHash<QStringView, int> FIds;
    std::vector<QStringView> FKeys;                  // by id
    std::vector<std::vector<qsizetype>> FMatches;    // by id: the lines the key matches
    std::vector<int> FParam_Ids;                     // by position in Params
    std::vector<int> FEnum_Of;                       // by parameter id: its enumeration key's id
    TChar_Set FFirst, FLast;
};

}  // namespace

void TTargetConfig::find_Param_Enum_Object(const QString& Param, const QStringList& sl, QString& ParamText,
                                           QString& EnumText) const
{
    Collect_Param_Enum(Param, Section_Lines(sl, QLatin1String("[Params]")), ParamText, EnumText);
}

std::vector<std::pair<QString, QString>> Find_Param_Enum_Objects(const QStringList& Params, const QStringList& sl)
{
    const QStringList paramsSection = Section_Lines(sl, QLatin1String("[Params]"));
    const TParam_Entries index(paramsSection, Params);
    std::vector<std::pair<QString, QString>> out(size_t(Params.size()));
    for (qsizetype i = 0; i < Params.size(); ++i)
        if (index.Param_Id(i) >= 0)
            index.Entries(index.Param_Id(i), out[size_t(i)].first, out[size_t(i)].second);
    return out;
}

TTC_Decode_Result TTargetConfig::DecodeAssemblyObj(const QString& AssemObj, const QStringList& sl)
{
    TFormatSettings settings = FormatSettings();
    settings.DecimalSeparator = Get_Decimal_Separator();

    const QStringList fields = Split_EDS_Fields(Without_Terminator(AssemObj));
    if (fields.size() < 7)
        return {};
    AO_Name = fields.at(0);
    AO_SizeBit = fields.at(2);
    const size_t first = ListParamObject.size();
    for (qsizetype k = 0; k < (fields.size() - 6) / 2; ++k) {
        TTC_ParamObj m;
        m.BitSize = fields.at(6 + 2 * k);
        m.ParamName = fields.at(7 + 2 * k);
        ListParamObject.push_back(std::move(m));
    }
    // Every member's parameter, earlier decodings of this object included.
    QStringList names;
    for (const TTC_ParamObj& m : ListParamObject)
        names.append(m.ParamName);
    const QStringList paramsSection = Section_Lines(sl, QLatin1String("[Params]"));
    const TParam_Entries index(paramsSection, names);
    // By parameter: the first member naming it (a later member starts from its values),
    // and its entries, collected once however often the assembly lists it.
    constexpr size_t None = size_t(-1);
    std::vector<size_t> firstNamed(index.Ids(), None);
    for (size_t j = 0; j < first; ++j)
        if (const int id = index.Param_Id(qsizetype(j)); id >= 0 && firstNamed[size_t(id)] == None)
            firstNamed[size_t(id)] = j;
    std::vector<std::optional<std::pair<QString, QString>>> entries(index.Ids());

    for (size_t i = first; i < ListParamObject.size(); ++i) {
        TTC_ParamObj& m = ListParamObject[i];
        if (m.ParamName.isEmpty()) {
            m.Empty = true;
            m.DataSizeByte = StrToIntDef(m.BitSize, 0) / 8;
            if (m.DataSizeByte > TC_Max_Bytes)
                return {TTC_Decode_Result::Too_Large, m.BitSize};
            continue;
        }
        const size_t id = size_t(index.Param_Id(qsizetype(i)));
        if (firstNamed[id] != None) {
            const TTC_ParamObj& earlier = ListParamObject[firstNamed[id]];
            m.Name = earlier.Name;
            m.DataSizeByte = earlier.DataSizeByte;
            m.DataType = earlier.DataType;
            m.Min = earlier.Min;
            m.Max = earlier.Max;
            m.Default = earlier.Default;
            m.Value = earlier.Value;
            m.MinReal = earlier.MinReal;
            m.MaxReal = earlier.MaxReal;
            m.DefaultReal = earlier.DefaultReal;
            m.ValueReal = earlier.ValueReal;
            m.Enum = earlier.Enum;
            m.ListEnum.insert(m.ListEnum.end(), earlier.ListEnum.begin(), earlier.ListEnum.end());
        } else {
            firstNamed[id] = i;
        }

        std::optional<std::pair<QString, QString>>& found = entries[id];
        if (!found) {
            found.emplace();
            index.Entries(int(id), found->first, found->second);
        }
        const QString& paramText = found->first;
        const QString& enumText = found->second;
        const QStringList p = Split_EDS_Fields(Without_Terminator(paramText));
        if (p.size() < Param_Fields_Needed)
            return {TTC_Decode_Result::Short_Entry, m.ParamName};
        m.Name = p.at(6);
        if (!Trim(p.at(5)).isEmpty())
            m.DataSizeByte = StrToIntDef(Trim(p.at(5)), 0);
        if (!Trim(p.at(4)).isEmpty())
            m.DataType = StrToIntDef(Trim(p.at(4)), 0);
        if (m.DataSizeByte > TC_Max_Bytes)
            return {TTC_Decode_Result::Too_Large, m.ParamName};

        if (m.DataType == TC_Real_Single || m.DataType == TC_Real_Double) {
            if (!Trim(p.at(9)).isEmpty())
                m.MinReal = Real_Field(p.at(9), settings);
            if (!Trim(p.at(10)).isEmpty())
                m.MaxReal = Real_Field(p.at(10), settings);
            if (!Trim(p.at(11)).isEmpty())
                m.DefaultReal = Real_Field(p.at(11), settings);
            m.ValueReal = m.DefaultReal;
            m.Min = m.Max = m.Default = m.Value = 0;
        } else {
            if (!Trim(p.at(9)).isEmpty())
                m.Min = Int64_Field(p.at(9));
            if (!Trim(p.at(10)).isEmpty())
                m.Max = Int64_Field(p.at(10));
            if (!Trim(p.at(11)).isEmpty())
                m.Default = Int64_Field(p.at(11));
            m.Value = m.Default;
            m.MinReal = m.MaxReal = m.DefaultReal = m.ValueReal = 0;
        }

        const QString enumBody = Without_Terminator(enumText);
        if (!enumBody.isEmpty()) {
            m.Enum = true;
            const QStringList e = Split_EDS_Fields(enumBody);
            for (qsizetype k = 0; k + 1 < e.size(); k += 2) {
                TTC_EnumObj entry;
                entry.Value = StrToIntDef(Trim(e.at(k)), 0);
                entry.Description = Trim(e.at(k + 1));
                m.ListEnum.push_back(entry);
                m.EnumString.append(entry.Description);
            }
        } else {
            m.Enum = false;
            m.ListEnum.clear();
        }
    }
    return {};
}

namespace {

void Put_Byte(QString& out, uint8_t b)
{
    static const char hex[] = "0123456789ABCDEF";
    out += QLatin1String("0x");
    out += QLatin1Char(hex[b >> 4]);
    out += QLatin1Char(hex[b & 15]);
}

float To_Single(double v)
{
    // Out of range becomes an infinity of its sign, as the hardware would store it.
    if (std::isfinite(v) && std::fabs(v) > double(FLT_MAX))
        return v > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return float(v);
}

}  // namespace

QString TTargetConfig::GetConfigStrData() const
{
    QString out;
    int64_t written = 0;
    const size_t count = ListParamObject.size();
    for (size_t i = 0; i < count; ++i) {
        const TTC_ParamObj& m = ListParamObject[i];
        uint64_t bits = 0;
        int n = 0;
        if (m.DataType == TC_Real_Single) {
            bits = std::bit_cast<uint32_t>(To_Single(m.ValueReal));
            n = 4;
        } else if (m.DataType == TC_Real_Double) {
            bits = std::bit_cast<uint64_t>(m.ValueReal);
            n = 8;
        } else {
            bits = uint64_t(m.Value);
            n = qBound(0, m.DataSizeByte, TC_Max_Bytes);
        }
        const bool last = i + 1 == count;
        for (int b = 0; b < n; ++b) {
            // Bytes past the value's eighth are zero.
            Put_Byte(out, b < 8 ? uint8_t(bits >> (8 * b)) : uint8_t(0));
            if (!(last && b == n - 1))
                out += QLatin1Char(',');
        }
        written += n;
    }
    const int64_t size = StrToInt64Def(Size, 0);
    if (size > 0 && size > written) {
        const int64_t missing = qMin<int64_t>(size - written, TC_Max_Bytes);
        out.reserve(out.size() + qsizetype(missing) * 5);
        for (int64_t k = 0; k < missing; ++k)
            out += QLatin1String(",0x00");
    }
    return out;
}
