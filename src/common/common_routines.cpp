#include "common/common_routines.h"

#include "platform/core/codepages.h"
#include "platform/core/format_settings.h"
#include "platform/core/sysutils.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

// ---- numbers and separators -------------------------------------------------------------

QChar Get_Decimal_Separator()
{
    const QChar c = FormatSettings().DecimalSeparator;
    if (c == u'.' || c == u',')
        return c;
    return u',';
}

QString Conv_Decimal_Sep(const QString& Text, QChar Separator)
{
    QString s = Text;
    if (Separator == u'.')
        s.replace(u',', u'.');
    else
        s.replace(u'.', u',');
    return s;
}

bool Conv_Str_To_Float(const QString& Text, QChar Separator, float& Value)
{
    double d = 0;
    // A number beyond the 32-bit float's range does not convert either.
    if (!TryStrToFloat(Conv_Decimal_Sep(Text, Separator), d) || !(std::fabs(d) <= FLT_MAX)) {
        Value = 1.0f;
        return false;
    }
    Value = static_cast<float>(d);
    return true;
}

// ---- IO-Link ----------------------------------------------------------------------------

int Get_IOLink_Slave_Com(const QString& Text)
{
    const QString s = Trim(Text);
    if (s == QLatin1String("COM2"))
        return 2;
    if (s == QLatin1String("COM3"))
        return 3;
    return 1;
}

uint8_t Calc_IOLink_Min_Cycle_Time(const QString& Com, int InputBits, int OutputBits, int& TimeUs)
{
    const QString rate = Trim(UpperCase(Com));
    qint64 bitTimeNs = 208330;
    if (rate == QLatin1String("COM2"))
        bitTimeNs = 26040;
    else if (rate == QLatin1String("COM3"))
        bitTimeNs = 4340;

    const qint64 inBytes = static_cast<qint64>(std::ceil(InputBits / 8.0));
    const qint64 outBytes = static_cast<qint64>(std::ceil(OutputBits / 8.0));
    const qint64 n = inBytes * 12 + outBytes * 14 + 61;
    const qint64 t = n * bitTimeNs;

    auto ceilDiv = [](qint64 a, qint64 b) { return (a + b - 1) / b; };

    if (t <= 400000) {
        TimeUs = 400;
        return 0x04;
    }
    if (t <= 6300000) {
        const qint64 d = ceilDiv(t, 100000);
        TimeUs = static_cast<int>(d * 100);
        return static_cast<uint8_t>(d);
    }
    if (t <= 6400000) {
        TimeUs = 6400;
        return 0x40;
    }
    if (t <= 31600000) {
        const qint64 d = ceilDiv(t - 6400000, 400000);
        TimeUs = static_cast<int>(6400 + d * 400);
        return static_cast<uint8_t>(0x40 + d);
    }
    if (t <= 32000000) {
        TimeUs = 32000;
        return 0x80;
    }
    if (t <= 132800000) {
        const qint64 d = ceilDiv(t - 32000000, 1600000);
        TimeUs = static_cast<int>(32000 + d * 1600);
        return static_cast<uint8_t>(0x80 + d);
    }
    TimeUs = 132800;
    return 0xBF;
}

// ---- IP address texts -------------------------------------------------------------------

bool Split_IP_Address(const QString& Text, QString& A, QString& B, QString& C, QString& D)
{
    QString rest = Trim(Text);
    QString* parts[3] = {&A, &B, &C};
    for (QString* part : parts) {
        const qsizetype dot = rest.indexOf(u'.');
        if (dot < 0)
            return false;
        *part = Trim(rest.left(dot));
        rest = Trim(rest.mid(dot + 1));
    }
    D = rest;
    for (const QString* part : {&A, &B, &C, &D}) {
        const int v = StrToIntDef(*part, 1000);
        if (v < 0 || v > 255)
            return false;
    }
    return true;
}

bool Get_IP_Bytes(const QString& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4)
{
    if (Text.isEmpty())
        return true;
    uint8_t* bytes[4] = {&B1, &B2, &B3, &B4};
    QString rest = Text;
    bool error = false;
    for (int i = 0; i < 4; ++i) {
        const qsizetype dot = rest.indexOf(u'.');
        QString part;
        if (i == 3)
            part = rest;
        else if (dot >= 0)
            part = rest.left(dot);
        const int v = StrToIntDef(part, -1);
        if (v >= 0 && v <= 255) {
            *bytes[i] = static_cast<uint8_t>(v);
        } else {
            *bytes[i] = 0;
            error = true;
        }
        if (dot >= 0)
            rest = rest.mid(dot + 1);
    }
    return error;
}

bool Get_IP_Port_Bytes(const QString& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4,
                       uint16_t& Port)
{
    B1 = B2 = B3 = B4 = 0;
    Port = 0;
    QString rest = Text;
    int octets[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const QChar sep = i < 3 ? QChar(u'.') : QChar(u':');
        const qsizetype at = rest.indexOf(sep);
        if (at < 0)
            return false;
        octets[i] = StrToIntDef(Trim(rest.left(at)), -1);
        if (octets[i] < 0 || octets[i] > 255)
            return false;
        rest = Trim(rest.mid(at + 1));
    }
    const int port = StrToIntDef(rest, -1);
    if (port < 0 || port > 65535)
        return false;
    B1 = static_cast<uint8_t>(octets[0]);
    B2 = static_cast<uint8_t>(octets[1]);
    B3 = static_cast<uint8_t>(octets[2]);
    B4 = static_cast<uint8_t>(octets[3]);
    Port = static_cast<uint16_t>(port);
    return true;
}

// ---- serial ports -----------------------------------------------------------------------

QString Serial_Device_Path(int n)
{
    return QStringLiteral("/dev/ttyS") + QString::number(n - 1);
}

bool Probe_Serial_Port(int n)
{
    const QString dev = Serial_Device_Path(n);
    if (!QFileInfo::exists(dev))
        return false;
    // The kernel makes the ttyS nodes whether or not a UART sits behind them; its type
    // tells, and can be read without rights on the device.
    QFile type(QStringLiteral("/sys/class/tty/ttyS") + QString::number(n - 1) +
               QStringLiteral("/type"));
    if (type.open(QIODevice::ReadOnly)) {
        if (type.readAll().trimmed() == "0")
            return false;
    }
    const QByteArray path = QFile::encodeName(dev);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    // In use or not ours to open: the port is there all the same.
    return errno == EACCES || errno == EBUSY || errno == EPERM;
}

QStringList Get_COM_Port_List(const TSerialPortProbe& probe)
{
    QStringList list;
    for (int n = 1; n <= 256; ++n)
        if (probe(n))
            list.append(QString::number(n));
    return list;
}

QStringList Get_COM_Port_List()
{
    return Get_COM_Port_List(Probe_Serial_Port);
}

// ---- product hooks ----------------------------------------------------------------------

namespace {
TWiFi_Present_Hook& WiFi_Present_Hook()
{
    static TWiFi_Present_Hook hook;
    return hook;
}
TWiFi_IP_Count_Hook& WiFi_IP_Count_Hook()
{
    static TWiFi_IP_Count_Hook hook;
    return hook;
}
}  // namespace

bool Is_WiFi_Present()
{
    if (const auto& hook = WiFi_Present_Hook())
        return hook();
    return false;
}

int Get_WiFi_IP_Count(QString& Text1, QString& Text2)
{
    Text1.clear();
    Text2.clear();
    if (const auto& hook = WiFi_IP_Count_Hook())
        return hook(Text1, Text2);
    return 1;
}

TWiFi_Present_Hook Install_WiFi_Present_Hook(TWiFi_Present_Hook Hook)
{
    return std::exchange(WiFi_Present_Hook(), std::move(Hook));
}

TWiFi_IP_Count_Hook Install_WiFi_IP_Count_Hook(TWiFi_IP_Count_Hook Hook)
{
    return std::exchange(WiFi_IP_Count_Hook(), std::move(Hook));
}

// ---- OPC UA texts -----------------------------------------------------------------------

namespace {

const char* const Data_Type_Names[] = {"Boolean", "Int8",  "UInt8",  "Int16",    "UInt16",
                                       "Int32",   "UInt32", "Int64", "UInt64",   "Float",
                                       "Double",  "String", "DateTime", "Guid", "ByteString"};

// Name lists whose last name stands for every code the list does not name before it.
const char* const Auth_Names[] = {"Anonymous", "Username and Password", "Certificate"};
const char* const Sec_Type_Names[] = {"None", "Sign", "Sign and Encrypt"};
const char* const Sec_Policy_Names[] = {"None", "Basic 128 RSA 15", "Basic 256", "Basic 256 SHA 256",
                                        "AES 128 SHA 256 RSA OAEP", "AES 256 SHA 256 RSA PSS"};

template <size_t N>
QString Name_Or_Last(const char* const (&names)[N], int code)
{
    const int last = int(N) - 1;
    return QString::fromLatin1(names[code >= 0 && code < last ? code : last]);
}

// Exact comparison with every name but the last; anything else is the last code.
template <size_t N>
int Code_Or_Last(const char* const (&names)[N], const QString& text)
{
    const int last = int(N) - 1;
    for (int i = 0; i < last; ++i)
        if (text == QLatin1String(names[i]))
            return i;
    return last;
}

QString Hex(quint64 v, int digits)
{
    return QString::number(v, 16).toUpper().rightJustified(digits, u'0');
}

}  // namespace

QString Get_OPC_UA_Node_Type_Str(int Code)
{
    switch (Code) {
    case 0: return QStringLiteral("Numeric");
    case 3: return QStringLiteral("String");
    case 4: return QStringLiteral("Guid");
    case 5: return QStringLiteral("ByteString");
    default: return QString();
    }
}

int Get_OPC_UA_Node_Type(const QString& Text)
{
    const QString s = UpperCase(Text);
    if (s == QLatin1String("NUMERIC"))
        return 0;
    if (s == QLatin1String("STRING"))
        return 3;
    if (s == QLatin1String("GUID"))
        return 4;
    if (s == QLatin1String("BYTESTRING"))
        return 5;
    return 0;
}

QString Get_OPC_UA_Node_ID_Str(const opcua_structure& Node)
{
    switch (Node.identifierType) {
    case 0:
        return QString::number(Node.numeric);
    case 3:
        return Node.stringname ? AnsiToUnicode(QByteArray(Node.stringname)) : QString();
    case 4: {
        QString s = Hex(Node.guide1, 8) + u'-' + Hex(Node.guide2, 4) + u'-' + Hex(Node.guide3, 4) +
                    u'-' + Hex(Node.guide4[0], 2) + Hex(Node.guide4[1], 2) + u'-';
        for (int i = 2; i < 8; ++i)
            s += Hex(Node.guide4[i], 2);
        return s;
    }
    case 5:
        return Node.byteString ? AnsiToUnicode(QByteArray(Node.byteString)) : QString();
    default:
        return QString();
    }
}

QString Get_OPC_UA_Data_Type_Str(int Code)
{
    if (Code < 0 || Code >= int(std::size(Data_Type_Names)))
        return QString();
    return QString::fromLatin1(Data_Type_Names[Code]);
}

QString Get_OPC_UA_Auth_Str(int Code)
{
    return Name_Or_Last(Auth_Names, Code);
}

int Get_OPC_UA_Auth(const QString& Text)
{
    return Code_Or_Last(Auth_Names, Text);
}

QString Get_OPC_UA_Sec_Type_Str(int Code)
{
    return Name_Or_Last(Sec_Type_Names, Code);
}

int Get_OPC_UA_Sec_Type(const QString& Text)
{
    return Code_Or_Last(Sec_Type_Names, Text);
}

QString Get_OPC_UA_Sec_Policy_Str(int Code)
{
    return Name_Or_Last(Sec_Policy_Names, Code);
}

int Get_OPC_UA_Sec_Policy(const QString& Text)
{
    return Code_Or_Last(Sec_Policy_Names, Text);
}

// ---- SNMP -------------------------------------------------------------------------------

int Check_OID(const QString& Text)
{
    if (Text.size() > 61)
        return 1;
    for (QChar c : Text)
        if (c != u'.' && (c < u'0' || c > u'9'))
            return 2;
    if (Text.isEmpty() || Text.front() == u'.')
        return 3;
    if (Text.back() == u'.')
        return 4;
    if (Text.contains(QLatin1String("..")))
        return 5;
    for (const QString& component : Text.split(u'.')) {
        // Digits only by now; leading zeros do not count towards the size.
        qsizetype first = 0;
        while (first < component.size() - 1 && component.at(first) == u'0')
            ++first;
        const QString digits = component.mid(first);
        if (digits.size() > 10 || digits.toULongLong() > Q_UINT64_C(4294967295))
            return 6;
    }
    return 0;
}

int Get_SNMPv3_Sec_Level(const QString& Text)
{
    const QString s = Trim(UpperCase(Text));
    if (s == QLatin1String("AUTH NOPRIV"))
        return 1;
    if (s == QLatin1String("AUTH PRIV"))
        return 3;
    if (s.isEmpty())
        return -1;
    return 0;
}
