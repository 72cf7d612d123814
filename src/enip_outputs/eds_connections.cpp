#include "enip_outputs/eds_connections.h"

#include "enip_outputs/eds_text.h"

#include "platform/core/files.h"
#include "platform/core/sysutils.h"

namespace {

bool Is_Class(uint8_t b) { return b >= 0x20 && b <= 0x22; }
bool Is_Instance(uint8_t b) { return b >= 0x24 && b <= 0x26; }
bool Is_ConnPoint(uint8_t b) { return b >= 0x2C && b <= 0x2E; }

constexpr int Entry_Items = 15;

}  // namespace

bool TEDS_Connections::Read_EDS_File(QString* Error)
{
    List_Conn.clear();
    VendCode = ProdType = ProdCode = 0;
    MajRev = MinRev = 0;
    if (!FileExists(EDS_FileName))
        return true;
    QStringList lines;
    try {
        lines = ReadTextLines(EDS_FileName);
    } catch (const Exception& e) {
        if (Error)
            *Error = e.Message();
        return false;
    }
    Read_EDS_Lines(lines);
    return true;
}

void TEDS_Connections::Read_EDS_Lines(const QStringList& Lines)
{
    List_Conn.clear();
    VendCode = ProdType = ProdCode = 0;
    MajRev = MinRev = 0;
    bool inDevice = false;
    bool inConnections = false;
    bool collecting = false;
    QString entry;
    for (const QString& raw : Lines) {
        const QString s = Clean_EDS_Line(raw);
        if (s.isEmpty())
            continue;

        if (inDevice) {
            if (s.startsWith(QLatin1Char('['))) {
                inDevice = false;
            } else {
                const QString u = s.toUpper();
                auto key = [&](const char* k) { return u.contains(QLatin1String(k)); };
                if (key("VENDCODE ="))
                    VendCode = uint16_t(GetDeviceValue(u, QStringLiteral("VENDCODE =")));
                else if (key("PRODTYPE ="))
                    ProdType = uint16_t(GetDeviceValue(u, QStringLiteral("PRODTYPE =")));
                else if (key("PRODCODE ="))
                    ProdCode = uint16_t(GetDeviceValue(u, QStringLiteral("PRODCODE =")));
                else if (key("MAJREV ="))
                    MajRev = uint8_t(GetDeviceValue(u, QStringLiteral("MAJREV =")));
                else if (key("MINREV ="))
                    MinRev = uint8_t(GetDeviceValue(u, QStringLiteral("MINREV =")));
            }
        } else if (s.contains(QLatin1String("[Device]"))) {
            inDevice = true;
        }

        if (inConnections) {
            if (s.startsWith(QLatin1Char('['))) {
                if (collecting)
                    DecodeConnStr(entry);
                collecting = false;
                inConnections = false;
            } else if (s.startsWith(QLatin1String("Connection"))) {
                if (collecting)
                    DecodeConnStr(entry);
                entry = Trim(s.mid(s.indexOf(QLatin1Char('=')) + 1));
                collecting = true;
            } else if (collecting && !s.contains(QLatin1Char('='))) {
                entry += s;
            }
        } else if (s.contains(QLatin1String("[Connection Manager]"))) {
            inConnections = true;
        }
    }
    if (collecting)
        DecodeConnStr(entry);
}

int TEDS_Connections::GetDeviceValue(const QString& str, const QString& DevObj)
{
    const qsizetype at = str.indexOf(DevObj);
    if (at < 0)
        return 0;
    const QString rest = Trim(str.mid(at + DevObj.size() + 1));
    const qsizetype semi = rest.indexOf(QLatin1Char(';'));
    if (semi < 0)
        return 0;
    return StrToIntDef(Trim(rest.left(semi)), 0);
}

QStringList TEDS_Connections::Split_EDS_Entry(const QString& Text)
{
    QStringList items;
    QString item;
    bool quoted = false;
    for (const QChar c : Text) {
        if ((c == u',' || c == u';') && !quoted) {
            items.append(item);
            item.clear();
        } else {
            if (c == u'"')
                quoted = !quoted;
            item += c;
        }
    }
    if (!item.isEmpty())
        items.append(item);
    return items;
}

uint8_t TEDS_Connections::Path_Byte(int index) const
{
    // Bytes past the path read as 0.
    return index >= 0 && index < FPath_Len ? Path[size_t(index)] : 0;
}

uint32_t TEDS_Connections::Segment_Value(int& index) const
{
    const int kind = Path_Byte(index) & 3;
    if (kind == 0) {
        ++index;
        return Path_Byte(index);
    }
    if (kind == 1) {
        int q = index + 1;
        q += q & 1;
        index = q + 1;
        return uint32_t(Path_Byte(q)) | uint32_t(Path_Byte(q + 1)) << 8;
    }
    const int q = (index + 4) & ~3;
    index = q + 3;
    return uint32_t(Path_Byte(q)) | uint32_t(Path_Byte(q + 1)) << 8 | uint32_t(Path_Byte(q + 2)) << 16 |
           uint32_t(Path_Byte(q + 3)) << 24;
}

void TEDS_Connections::Get_Instance(int& index1, uint32_t& app_InstanceOT, uint32_t& app_InstanceTO,
                                    bool BoolInsOT, bool BoolInsTO) const
{
    const uint32_t v = Segment_Value(index1);
    if (BoolInsOT)
        app_InstanceOT = v;
    if (BoolInsTO)
        app_InstanceTO = v;
}

void TEDS_Connections::Get_ConnectionPoint(int& index1, uint32_t& ConnPoint) const
{
    ConnPoint = Segment_Value(index1);
}

int TEDS_Connections::Scan(int From, bool Instances, bool ConnPoints) const
{
    for (int p = qMax(From, 0); p < FPath_Len; ++p) {
        const uint8_t b = Path[size_t(p)];
        if ((Instances && Is_Instance(b)) || (ConnPoints && Is_ConnPoint(b)))
            return p == FPath_Len - 1 ? -1 : p;
    }
    return -1;
}

bool TEDS_Connections::Decode_Path(TConnData& Conn)
{
    if (FPath_Len < 6 || !Is_Class(Path[0]))
        return false;
    int pos = Path[0] == 0x20 ? 2 : Path[0] == 0x21 ? 4 : 8;
    uint32_t instOT = 1;
    uint32_t instTO = 1;
    uint32_t cpOT = 0;
    uint32_t cpTO = 0;
    if (Is_Instance(Path_Byte(pos)))
        Get_Instance(pos, instOT, instTO, true, true);
    else
        pos = 1;

    int p = Scan(pos + 1, false, true);
    if (p < 0)
        return false;
    Get_ConnectionPoint(p, cpOT);

    p = Scan(p + 1, true, true);
    if (p < 0)
        return false;
    if (Is_Instance(Path[size_t(p)])) {
        Get_Instance(p, instOT, instTO, false, true);
        p = Scan(p + 1, false, true);
        if (p < 0)
            return false;
    }
    Get_ConnectionPoint(p, cpTO);

    Conn.InstanceOT = uint8_t(instOT);
    Conn.InstanceTO = uint8_t(instTO);
    Conn.ConnPointOT = uint8_t(cpOT);
    Conn.ConnPointTO = uint8_t(cpTO);
    return true;
}

QString TEDS_Connections::DecodeConnStr(const QString& ConnStr)
{
    const QStringList items = Split_EDS_Entry(ConnStr);
    if (items.size() < Entry_Items)
        return QString();

    TConnData c;
    const int params = StrToIntDef(Trim(items.at(1)), -1);
    c.DimHeaderOT = uint8_t((params >> 8) & 7);
    c.DimHeaderTO = uint8_t((params >> 12) & 7);
    c.NumClass = 0;
    c.TargetConfSize = Trim(items.at(10));
    c.TargetConfFormat = Trim(items.at(11));
    c.ConnName = Trim(items.at(12));
    c.HelpStr = Trim(items.at(13));

    QString pathText = items.at(14);
    pathText.remove(QLatin1Char('"'));
    Path.fill(0);
    FPath_Len = 0;
    const QStringList tokens = Trim(pathText).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& t : tokens) {
        if (FPath_Len >= EDS_Path_Size)
            break;  // the path buffer's size; the rest of a longer path is dropped
        const int v = StrToIntDef(QStringLiteral("0x") + t, -1);
        if (v >= 0 && v <= 255)
            Path[size_t(FPath_Len++)] = uint8_t(v);
    }

    if (!Decode_Path(c))
        return QString();
    c.ConnIndex = int(List_Conn.size()) + 1;
    List_Conn.push_back(c);
    return QString();
}
