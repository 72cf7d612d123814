#include "common/common_routines.h"

#include "platform/core/format_settings.h"

#include "common/qstring_print.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TFormatSettings With_Decimal(QChar sep)
{
    TFormatSettings fs = FormatSettings();
    fs.DecimalSeparator = sep;
    fs.ThousandSeparator = sep == u',' ? QChar(u'.') : QChar(u',');
    return fs;
}

}  // namespace

TEST(CommonRoutines, DecimalSeparatorFollowsTheLocale)
{
    {
        TFormatSettingsScope scope(With_Decimal(u','));
        EXPECT_EQ(Get_Decimal_Separator(), QChar(u','));
    }
    {
        TFormatSettingsScope scope(With_Decimal(u'.'));
        EXPECT_EQ(Get_Decimal_Separator(), QChar(u'.'));
    }
    {
        TFormatSettingsScope scope(With_Decimal(u'\''));
        EXPECT_EQ(Get_Decimal_Separator(), QChar(u','));
    }
}

TEST(CommonRoutines, FloatTextWithEitherSeparator)
{
    struct Case {
        QChar locale;
        const char* text;
        bool ok;
        float value;
    };
    const Case cases[] = {
        {u',', "12.75", true, 12.75f},  {u',', "12,75", true, 12.75f},
        {u'.', "12.75", true, 12.75f},  {u'.', "12,75", true, 12.75f},
        {u',', "-0.5", true, -0.5f},    {u'.', "1e3", true, 1000.0f},
        {u',', "abc", false, 1.0f},     {u'.', "", false, 1.0f},
        {u'.', "1.2.3", false, 1.0f},
        {u'.', "1e40", false, 1.0f},    {u',', "-1e40", false, 1.0f},  // beyond a 32-bit float
        {u'.', "3.4e38", true, 3.4e38f},
    };
    for (const Case& c : cases) {
        TFormatSettingsScope scope(With_Decimal(c.locale));
        float v = -99.0f;
        EXPECT_EQ(Conv_Str_To_Float(QString::fromLatin1(c.text), Get_Decimal_Separator(), v), c.ok)
            << c.text << " locale " << char(c.locale.unicode());
        EXPECT_FLOAT_EQ(v, c.value) << c.text;
    }
    EXPECT_EQ(Conv_Decimal_Sep("1,5;2.5", u'.'), "1.5;2.5");
    EXPECT_EQ(Conv_Decimal_Sep("1,5;2.5", u','), "1,5;2,5");
}

TEST(CommonRoutines, IOLinkRateCode)
{
    EXPECT_EQ(Get_IOLink_Slave_Com("COM2"), 2);
    EXPECT_EQ(Get_IOLink_Slave_Com("  COM3 "), 3);
    EXPECT_EQ(Get_IOLink_Slave_Com("COM1"), 1);
    EXPECT_EQ(Get_IOLink_Slave_Com("com2"), 1);  // exact text
    EXPECT_EQ(Get_IOLink_Slave_Com(""), 1);
}

TEST(CommonRoutines, IOLinkMinCycleTimeEncoding)
{
    struct Case {
        const char* com;
        int in, out;
        int byte, us;
    };
    // T = bit time x (12 ceil(in/8) + 14 ceil(out/8) + 61); one case per band of the byte.
    const Case cases[] = {
        {"COM3", 0, 0, 0x04, 400},         // T = 264,740: the floor
        {"COM2", 8, 8, 0x17, 2300},        // T = 2,265,480: 100 us steps
        {" com2 ", 8, 8, 0x17, 2300},      // upper-cased and trimmed
        {"COM2", 1, 1, 0x17, 2300},        // byte counts round up
        {"COM3", 256, 256, 0x27, 3900},    // T = 3,875,620
        {"COM2", 0, 104, 0x40, 6400},      // T = 6,327,720: between the two bands
        {"COM1", 0, 0, 0x50, 12800},       // T = 12,708,130: 400 us steps
        {"COM1", 24, 32, 0x80, 32000},     // T = 31,874,490: between the two bands
        {"COM1", 128, 128, 0xAB, 100800},  // T = 99,373,410: 1,600 us steps
        {"COM1", 256, 256, 0xBF, 132800},  // T = 186,038,690: the ceiling
        {"anything", 0, 0, 0x50, 12800},   // unknown rate: the slowest bit time
    };
    for (const Case& c : cases) {
        int us = -1;
        EXPECT_EQ(Calc_IOLink_Min_Cycle_Time(c.com, c.in, c.out, us), c.byte) << c.com << " " << c.in << "/" << c.out;
        EXPECT_EQ(us, c.us) << c.com << " " << c.in << "/" << c.out;
    }
}

TEST(CommonRoutines, SplitIPAddress)
{
    struct Case {
        const char* text;
        bool ok;
        const char *a, *b, *c, *d;
    };
    const Case cases[] = {
        {"  192.168.0.5  ", true, "192", "168", "0", "5"},
        {"192 . 168 . 0 . 5", true, "192", "168", "0", "5"},
        {"0.0.0.0", true, "0", "0", "0", "0"},
        {"255.255.255.255", true, "255", "255", "255", "255"},
        {"192.168.0.256", false, "192", "168", "0", "256"},  // all four parts stored
        {"192.168.0.5.1", false, "192", "168", "0", "5.1"},  // the rest is the fourth part
        {"192.168.x.5", false, "192", "168", "x", "5"},
        {"192.168.-1.5", false, "192", "168", "-1", "5"},
        {"192..0.5", false, "192", "", "0", "5"},
    };
    for (const Case& c : cases) {
        QString a = "?", b = "?", cc = "?", d = "?";
        EXPECT_EQ(Split_IP_Address(c.text, a, b, cc, d), c.ok) << c.text;
        EXPECT_EQ(QStringList({a, b, cc, d}), QStringList({c.a, c.b, c.c, c.d})) << c.text;
    }
    // A missing dot stops at once; the parts found so far are stored.
    QString a = "?", b = "?", c = "?", d = "?";
    EXPECT_FALSE(Split_IP_Address("192.168.0", a, b, c, d));
    EXPECT_EQ(QStringList({a, b, c, d}), QStringList({"192", "168", "?", "?"}));
}

TEST(CommonRoutines, GetIPBytes)
{
    struct Case {
        const char* text;
        bool error;
        int b1, b2, b3, b4;
    };
    const Case cases[] = {
        {"192.168.2.205", false, 192, 168, 2, 205},
        {"10.0.0.300", true, 10, 0, 0, 0},
        {"1.2.3", true, 1, 2, 0, 3},          // the missing part is the third
        {"a.2.3.4", true, 0, 2, 3, 4},
        {"1.2.3.4.5", true, 1, 2, 3, 0},      // "4.5" is no number
        {"1.2.3.4 ", true, 1, 2, 3, 0},       // no trimming of the last part
        {"-1.2.3.4", true, 0, 2, 3, 4},
    };
    for (const Case& c : cases) {
        uint8_t b[4] = {9, 9, 9, 9};
        EXPECT_EQ(Get_IP_Bytes(c.text, b[0], b[1], b[2], b[3]), c.error) << c.text;
        EXPECT_EQ((std::vector<int>{b[0], b[1], b[2], b[3]}), (std::vector<int>{c.b1, c.b2, c.b3, c.b4})) << c.text;
    }
    uint8_t b[4] = {9, 9, 9, 9};
    EXPECT_TRUE(Get_IP_Bytes("", b[0], b[1], b[2], b[3]));
    EXPECT_EQ((std::vector<int>{b[0], b[1], b[2], b[3]}), (std::vector<int>{9, 9, 9, 9}));
}

TEST(CommonRoutines, GetIPPortBytes)
{
    struct Case {
        const char* text;
        bool ok;
        int b1, b2, b3, b4, port;
    };
    const Case cases[] = {
        {"192.168.1.10:502", true, 192, 168, 1, 10, 502},
        {" 192 . 168 . 1 . 10 : 65535 ", true, 192, 168, 1, 10, 65535},
        {"192.168.1.10", false, 0, 0, 0, 0, 0},
        {"192.168.1.10:65536", false, 0, 0, 0, 0, 0},
        {"192.168.1.256:80", false, 0, 0, 0, 0, 0},
        {"192.168.1:80", false, 0, 0, 0, 0, 0},
        {"192.168.1.10:", false, 0, 0, 0, 0, 0},
        {"", false, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        uint8_t b[4] = {9, 9, 9, 9};
        uint16_t port = 9;
        EXPECT_EQ(Get_IP_Port_Bytes(c.text, b[0], b[1], b[2], b[3], port), c.ok) << c.text;
        EXPECT_EQ((std::vector<int>{b[0], b[1], b[2], b[3], port}),
                  (std::vector<int>{c.b1, c.b2, c.b3, c.b4, c.port}))
            << c.text;
    }
}

TEST(CommonRoutines, CheckOID)
{
    const std::pair<QString, int> cases[] = {
        {"1.3.6.1.4.1", 0},
        {"1", 0},
        {"1.4294967295", 0},
        {"1.00000000000000000004294967295", 0},  // leading zeros do not make it bigger
        {"1.4294967296", 6},
        {"1.99999999999999999999999", 6},
        {".1.3", 3},
        {"1.3.", 4},
        {"1..3", 5},
        {"1.3.a", 2},
        {"1.3 ", 2},
        {"..", 3},
        {QString(62, u'1'), 1},
        {QString(61, u'1'), 6},  // 61 digits: length passes, the value does not
        {"", 3},
    };
    for (const auto& [text, code] : cases)
        EXPECT_EQ(Check_OID(text), code) << text.toStdString();
}

TEST(CommonRoutines, SNMPv3SecurityLevel)
{
    EXPECT_EQ(Get_SNMPv3_Sec_Level(" auth nopriv "), 1);
    EXPECT_EQ(Get_SNMPv3_Sec_Level("AUTH PRIV"), 3);
    EXPECT_EQ(Get_SNMPv3_Sec_Level("  "), -1);
    EXPECT_EQ(Get_SNMPv3_Sec_Level("NOAUTH NOPRIV"), 0);
}

TEST(CommonRoutines, OPCUATexts)
{
    // Code -> text -> code round trips, and the fallbacks on both sides.
    for (int code : {0, 3, 4, 5})
        EXPECT_EQ(Get_OPC_UA_Node_Type(Get_OPC_UA_Node_Type_Str(code)), code);
    EXPECT_EQ(Get_OPC_UA_Node_Type("bytestring"), 5);
    EXPECT_EQ(Get_OPC_UA_Node_Type("other"), 0);
    EXPECT_EQ(Get_OPC_UA_Node_Type_Str(1), QString());

    for (int code = 0; code < 2; ++code)
        EXPECT_EQ(Get_OPC_UA_Auth(Get_OPC_UA_Auth_Str(code)), code);
    EXPECT_EQ(Get_OPC_UA_Auth_Str(7), "Certificate");
    EXPECT_EQ(Get_OPC_UA_Auth("anonymous"), 2);  // exact comparison

    for (int code = 0; code < 3; ++code)
        EXPECT_EQ(Get_OPC_UA_Sec_Type(Get_OPC_UA_Sec_Type_Str(code)), code);
    EXPECT_EQ(Get_OPC_UA_Sec_Type_Str(2), "Sign and Encrypt");

    for (int code = 0; code < 6; ++code)
        EXPECT_EQ(Get_OPC_UA_Sec_Policy(Get_OPC_UA_Sec_Policy_Str(code)), code);
    EXPECT_EQ(Get_OPC_UA_Sec_Policy_Str(3), "Basic 256 SHA 256");
    EXPECT_EQ(Get_OPC_UA_Sec_Policy("AES 256 SHA 256 RSA PSS"), 5);
    EXPECT_EQ(Get_OPC_UA_Sec_Policy("anything"), 5);

    EXPECT_EQ(Get_OPC_UA_Data_Type_Str(0), "Boolean");
    EXPECT_EQ(Get_OPC_UA_Data_Type_Str(12), "DateTime");
    EXPECT_EQ(Get_OPC_UA_Data_Type_Str(14), "ByteString");
    EXPECT_EQ(Get_OPC_UA_Data_Type_Str(15), QString());
    EXPECT_EQ(Get_OPC_UA_Data_Type_Str(-1), QString());
}

TEST(CommonRoutines, OPCUANodeIdText)
{
    opcua_structure node{};
    node.identifierType = 0;
    node.numeric = 4294967295u;
    EXPECT_EQ(Get_OPC_UA_Node_ID_Str(node), "4294967295");

    node.identifierType = 4;
    node.guide1 = 0x0012ABCD;
    node.guide2 = 0x00EF;
    node.guide3 = 0xA1;
    const uint8_t g4[8] = {0x01, 0xFE, 0x00, 0x10, 0x20, 0x30, 0xAB, 0xCD};
    std::memcpy(node.guide4, g4, 8);
    EXPECT_EQ(Get_OPC_UA_Node_ID_Str(node), "0012ABCD-00EF-00A1-01FE-00102030ABCD");

    const char name[] = "Temp\xe9rature";  // 8-bit code page text
    node.identifierType = 3;
    node.stringname = name;
    node.stringLength = 3;  // not used: the text ends at its zero
    EXPECT_EQ(Get_OPC_UA_Node_ID_Str(node), QString::fromUtf8("Temp\xc3\xa9rature"));

    node.identifierType = 5;
    node.byteString = "bytes";
    EXPECT_EQ(Get_OPC_UA_Node_ID_Str(node), "bytes");
    node.byteString = nullptr;
    EXPECT_EQ(Get_OPC_UA_Node_ID_Str(node), QString());

    node.identifierType = 1;
    EXPECT_EQ(Get_OPC_UA_Node_ID_Str(node), QString());

    EXPECT_EQ(offsetof(opcua_structure, dataType), 36 + 3 * sizeof(void*));
}

TEST(CommonRoutines, SerialPortListAndProductHooks)
{
    std::vector<int> asked;
    const QStringList ports = Get_COM_Port_List([&](int n) {
        asked.push_back(n);
        return n == 1 || n == 3 || n == 256;
    });
    EXPECT_EQ(ports, QStringList({"1", "3", "256"}));
    ASSERT_EQ(asked.size(), 256u);
    EXPECT_EQ(asked.front(), 1);
    EXPECT_EQ(asked.back(), 256);
    EXPECT_EQ(Serial_Device_Path(1), "/dev/ttyS0");
    EXPECT_FALSE(Probe_Serial_Port(100000));  // no such device node
    (void)Get_COM_Port_List();                // the real probe never fails

    QString t1 = "x", t2 = "y";
    EXPECT_FALSE(Is_WiFi_Present());
    EXPECT_EQ(Get_WiFi_IP_Count(t1, t2), 1);
    EXPECT_TRUE(t1.isEmpty() && t2.isEmpty());
}
