#include "enip_outputs/bank_compiler.h"
#include "enip_test_support.h"
#include "platform/core/exceptions.h"

#include <gtest/gtest.h>

namespace {

TBankSources Sources(const QString& dir)
{
    return {dir + QStringLiteral("/ParGen.xml"), dir + QStringLiteral("/EtherNetIP_Master_Rules.xml"),
            dir + QStringLiteral("/IOLink_Slave.xml")};
}

// Bank 1 fields every compilation writes whatever the project holds.
TByteImage Bank1_Defaults()
{
    TByteImage e(2048);
    e.u32(0, 250000);
    e.u32(4, 250000);
    e.u32(12, 9600);
    e.bytes(40, {192, 168, 2, 205});
    e.bytes(44, {255, 255, 255, 0});
    e.bytes(48, {255, 255, 255, 255});
    e.u16(52, 10000);
    e.u16(54, 10001);
    e.u16(56, 10001);
    e.bytes(436, {8, 8, 8, 8, 8, 8, 8, 8});
    e.u32(1556, 0x80000);
    e.u32(1632, 0x90000);
    return e;
}

void Stamp_Checksum(TByteImage& e)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < 2044; ++i)
        sum += e.B[i];
    e.u32(2044, sum);
}

TEST(BankCompiler, ProjectWithoutFilesGivesTheDefaultImage)
{
    QTemporaryDir dir;
    Compile_Banks(Sources(dir.path()));

    TByteImage b1 = Bank1_Defaults();
    Stamp_Checksum(b1);
    EXPECT_EQ(b1.B[2044] | (b1.B[2045] << 8), 3475);  // summed by hand from the defaults
    EXPECT_EQ(Bank_Data(1), b1.B);

    EXPECT_EQ(Bank_Data(2), std::vector<uint8_t>(402, 0));

    TByteImage b3(28);
    b3.u32(12, 0x90000 + 28);
    EXPECT_EQ(Bank_Data(3), b3.B);
}

TEST(BankCompiler, FullFixtureProjectGivesTheGoldenBanks)
{
    Compile_Banks(Sources(Fixture_Path(QStringLiteral("full_project"))));
    EXPECT_TRUE(Bank_Warnings().isEmpty()) << Bank_Warnings().join(QLatin1Char('\n')).toStdString();

    // Bank 1: ParGen.xml over the defaults, scanner counts, addresses, version, checksum.
    TByteImage b1 = Bank1_Defaults();
    b1.bytes(40, {10, 1, 2, 3});
    b1.bytes(44, {255, 255, 0, 0});
    b1.bytes(48, {10, 1, 0, 254});  // gateway enabled
    b1.u32(116, 16);                // input bytes 10 + 6
    b1.u32(120, 6);                 // output bytes 4 + 2
    b1.u16(1256, 1);                // DHCP on the cable
    b1.text(1300, "Converter-Hall-7-Line-B-Station");  // first 31 characters
    b1.bytes(1340, {1, 1, 1, 2});   // secondary DNS
    b1.bytes(1420, {10, 0, 0, 53}); // primary DNS
    b1.u32(1552, 2);
    b1.text(1644, "1.001");
    Stamp_Checksum(b1);
    EXPECT_EQ(Bank_Data(1), b1.B);

    // Bank 2: two enabled rules (the disabled one between them takes no entry).
    TByteImage b2(402 + 12 + 7 + 6);
    b2.bytes(0, {192, 168, 1, 10});
    b2.u16(4, 0);
    b2.u16(6, 10);
    b2.u16(8, 0);
    b2.u16(10, 2);
    b2.u16(12, 4);
    b2.u16(14, 0);
    b2.u16(16, 101);
    b2.u16(18, 102);
    b2.u16(20, 150);
    b2.u16(22, 151);
    b2.u32(24, 50);
    b2.u32(28, 0x20);       // T-O default 0, O-T default 4
    b2.u32(32, 0x80192);    // key: first string
    b2.u32(36, 0x8019E);    // data segment after the 12-byte key
    b2.bytes(40, {192, 168, 1, 20});
    b2.u16(44, 4);
    b2.u16(46, 6);
    b2.u16(48, 10);         // after the first rule's 10 input bytes
    b2.u16(50, 0);
    b2.u16(52, 2);
    b2.u16(54, 4);
    b2.u16(56, 1);
    b2.u16(58, 100);
    b2.u16(60, 1);
    b2.u16(62, 101);
    b2.u32(64, 100000);
    b2.u32(68, 0x102);      // T-O code 2, O-T code 0, reset data
    b2.u32(72, 0x80190);    // key disabled: the empty string
    b2.u32(76, 0x801A5);
    b2.bytes(402, {0x0A, 0x00, 0x34, 0x04, 0x01, 0x00, 0x0C, 0x00, 0x2A, 0x00, 0x81, 0x02});
    b2.bytes(414, {0x05, 0x00, 0x80, 0x02, 1, 0, 232});
    b2.bytes(421, {0x04, 0x00, 0x80, 0x01, 0x10, 0x20});  // "300" and "abc" dropped
    EXPECT_EQ(Bank_Data(2), b2.B);

    // Bank 3: COM2, 14 input and 8 output bits, two variables (" Y" and a
    // missing Enable are not enabled for the device).
    TByteImage b3(28 + 2 * 20);
    b3.u8(0, 2);
    b3.u8(1, 0x1A);  // 26,040 ns x (24 + 14 + 61) = 2.578 ms
    b3.u32(4, 2);
    b3.u32(12, 0x9001C);
    b3.u32(20, 14);
    b3.u32(24, 8);
    b3.u16(28, 64);
    b3.u8(31, 3);    // Read Write
    b3.u8(32, 3);    // start bit write
    b3.u8(33, 0);    // start bit read
    b3.u16(36, 0);
    b3.u16(38, 2);
    b3.u32(40, 16);
    b3.u32(44, 0xFFFFFFFF);  // -1
    b3.u16(48, 0x50);
    b3.u8(51, 1);    // Write Only
    b3.u8(52, 1);
    b3.u8(53, 7);
    b3.u16(56, 4);
    b3.u16(58, 5);
    b3.u32(60, 1);
    b3.u32(64, 1);
    EXPECT_EQ(Bank_Data(3), b3.B);
}

TEST(BankCompiler, CompilingTwiceWritesIdenticalFiles)
{
    QTemporaryDir dir;
    Copy_Tree(Fixture_Path(QStringLiteral("full_project")), dir.path());
    QList<QByteArray> first;
    for (int run = 0; run < 2; ++run) {
        Compile_Banks(Sources(dir.path()));
        QString error;
        ASSERT_TRUE(Write_Bank_Files(dir.path(), &error)) << error.toStdString();
        for (int b = 1; b <= 3; ++b) {
            const QByteArray data = Read_File(dir.path() + QStringLiteral("/bin/bank%1.bin").arg(b));
            if (run == 0)
                first << data;
            else
                EXPECT_EQ(data, first[b - 1]) << "bank " << b;
        }
    }
    EXPECT_EQ(first[0].size(), 2048);
    EXPECT_EQ(first[1].size(), 427);
    EXPECT_EQ(first[2].size(), 68);
}

TEST(BankCompiler, ParGenWithoutAddressKeysUsesTheKeyDefaults)
{
    QTemporaryDir dir;
    Write_File(dir.filePath(QStringLiteral("ParGen.xml")),
               "<Other><Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>"
               "<Eth_Conn_Device_Name>\xC5\x81x</Eth_Conn_Device_Name></Other>");
    Compile_Banks(Sources(dir.path()));
    const auto& b = Bank_Data(1);
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 40, b.begin() + 52),
              (std::vector<uint8_t>{192, 168, 0, 5, 255, 255, 255, 0, 255, 255, 255, 255}));
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 1420, b.begin() + 1424), (std::vector<uint8_t>{8, 8, 8, 8}));
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 1340, b.begin() + 1344), (std::vector<uint8_t>{8, 8, 4, 4}));
    EXPECT_EQ(b[1300], 0x41);  // U+0141 keeps its low byte
    EXPECT_EQ(Bank_Data(3)[0], 1);  // no rate key: COM1
}

TEST(BankCompiler, InputsBeyondCapacityAreCappedAndReported)
{
    QTemporaryDir dir;
    QByteArray rules = "<EtherNetIP_Master_Access>";
    QByteArray longKey;
    for (int i = 0; i < 120; ++i)
        longKey += (i ? "," : "") + QByteArray::number(i);
    QByteArray longSegment;
    for (int i = 0; i < 1200; ++i)
        longSegment += (i ? "," : "") + QByteArray::number(i % 256);
    for (int i = 0; i < 12; ++i)
        rules += "<row Enable=\"Y\" IP_Address=\"10.0.0." + QByteArray::number(i) +
                 "\" EnableElectronicKey=\"Y\" ElectronicKey=\"" + longKey +
                 "\" EnableDataSegment=\"Y\" DataSegment=\"" + longSegment + "\"/>";
    rules += "</EtherNetIP_Master_Access>";
    Write_File(dir.filePath(QStringLiteral("EtherNetIP_Master_Rules.xml")), rules);

    QByteArray slave = "<VIZediZadud><Variables>";
    for (int i = 0; i < 520; ++i)
        slave += "<row Enable=\"Y\" Index=\"" + QByteArray::number(100 + i) + "\" Length=\"8\"/>";
    slave += "</Variables></VIZediZadud>";
    Write_File(dir.filePath(QStringLiteral("IOLink_Slave.xml")), slave);

    Compile_Banks(Sources(dir.path()));
    EXPECT_EQ(EtherNetIP_Master_Count(), Max_EtherNetIP_Conn);
    const TEtherNetIP_Master_Conn& c = EtherNetIP_Master_Conn(9);
    EXPECT_EQ(c.Key_Len, Key_Area_Size);
    // A data segment stops at 255 words, the most its size byte can count.
    EXPECT_EQ(c.Data_Segment_Len, 514);
    EXPECT_EQ(c.Data_Segment[0] | (c.Data_Segment[1] << 8), 512);
    EXPECT_EQ(c.Data_Segment[3], 255);
    EXPECT_EQ(c.Key[3], 49);
    EXPECT_EQ(Bank_Data(2).size(), size_t(402 + 10 * (Key_Area_Size + 514)));
    EXPECT_EQ(IOLink_Slave_Dev().n_par, uint32_t(Max_IOLink_Par));
    EXPECT_EQ(Bank_Data(3).size(), size_t(28 + 20 * Max_IOLink_Par));

    const QString all = Bank_Warnings().join(QLatin1Char('\n'));
    EXPECT_TRUE(all.contains(QStringLiteral("2 further enabled rules"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("electronic key"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("data segment"))) << all.toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("8 further enabled variables"))) << all.toStdString();
}

TEST(BankCompiler, EnabledRuleWithoutAttributesTakesTheDefaults)
{
    QTemporaryDir dir;
    Write_File(dir.filePath(QStringLiteral("EtherNetIP_Master_Rules.xml")),
               "<x><row Enable=\" y \"/><row/><row Enable=\"Y\" IP_Address=\"\" ResetData=\"y\"/></x>");
    Compile_Banks(Sources(dir.path()));
    ASSERT_EQ(EtherNetIP_Master_Count(), 2);
    TByteImage e(402);
    e.bytes(0, {255, 255, 255, 255});
    e.u32(24, 1000);
    e.u16(16, 1);
    e.u16(18, 100);
    e.u16(20, 1);
    e.u16(22, 101);
    e.u32(28, 0x20);
    e.u32(32, 0x80190);
    e.u32(36, 0x80190);
    // Empty address: no bytes written.
    e.u32(64, 1000);
    e.u16(56, 1);
    e.u16(58, 100);
    e.u16(60, 1);
    e.u16(62, 101);
    e.u32(68, 0x120);
    e.u32(72, 0x80190);
    e.u32(76, 0x80190);
    EXPECT_EQ(Bank_Data(2), e.B);
}

TEST(BankCompiler, MalformedProjectFileEndsTheCompilationNamingIt)
{
    QTemporaryDir dir;
    Write_File(dir.filePath(QStringLiteral("IOLink_Slave.xml")), "<VIZediZadud><Variables>");
    try {
        Compile_Banks(Sources(dir.path()));
        FAIL() << "no error raised";
    } catch (const EXmlError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("IOLink_Slave.xml")));
    }
}

TEST(BankCompiler, MissingBinFolderIsReportedWithTheFileName)
{
    QTemporaryDir dir;
    Compile_Banks(Sources(dir.path()));
    QString error;
    EXPECT_FALSE(Write_Bank_Files(dir.path(), &error));
    EXPECT_TRUE(error.endsWith(QStringLiteral("bin/bank1.bin"))) << error.toStdString();
}

TEST(BankCompiler, AccessCodes)
{
    EXPECT_EQ(Get_IOLink_Access_Code(QStringLiteral("Read Only")), 2);
    EXPECT_EQ(Get_IOLink_Access_Code(QStringLiteral("Write Only")), 1);
    EXPECT_EQ(Get_IOLink_Access_Code(QStringLiteral("Read Write")), 3);
    EXPECT_EQ(Get_IOLink_Access_Code(QStringLiteral("read write")), 2);
}

}  // namespace
