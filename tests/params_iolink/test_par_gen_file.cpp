// ParGen.xml reader and writer.

#include "common/par_gen_file.h"

#include "platform/core/exceptions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/deep_xml.h"
#include "support/file_bytes.h"

namespace {

QString Fixture(const char* name)
{
    return QString::fromUtf8(KV_FIXTURES_DIR) + QStringLiteral("/params_iolink/") + QString::fromLatin1(name);
}


}  // namespace

TEST(ParGenFile, MissingFileGivesTheDefaultsAndSaysSo)
{
    QTemporaryDir dir;
    bool found = true;
    const TParGen_Data d = Read_ParGen_File(dir.filePath(QStringLiteral("ParGen.xml")), &found);
    EXPECT_FALSE(found);
    EXPECT_EQ(d, TParGen_Data{});
    EXPECT_EQ(d.Eth_Conn_Secondary_DNS3, QStringLiteral("4"));
    EXPECT_EQ(d.EtherNetIP_Master_SM4, QStringLiteral("0"));
    EXPECT_EQ(d.EtherNetIP_Master_GAT4, QStringLiteral("1"));
    EXPECT_EQ(d.IOLink_Slave_Baudrate, QStringLiteral("COM1"));
    EXPECT_EQ(d.EtherNetIP_Master_Port, QStringLiteral("44818"));
}

TEST(ParGenFile, WriterProducesTheFixedLayoutByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ParGen.xml"));
    TParGen_Data d;
    d.Eth_Conn_Device_Name = QStringLiteral(" gw<1> ");  // kept untrimmed, escaped by the DOM
    d.Eth_Conn_DHCP_Cable = QStringLiteral("1");
    d.IOLink_Slave_Baudrate = QStringLiteral("COM2");
    Write_ParGen_File(path, d);

    const QByteArray expected =
        "<Par_Gen>"
        "<Eth_Conn_Device_Name> gw&lt;1&gt; </Eth_Conn_Device_Name>"
        "<Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable>"
        "<Eth_Conn_DHCP_WiFi>0</Eth_Conn_DHCP_WiFi>"
        "<Eth_Conn_Enable_DNS>0</Eth_Conn_Enable_DNS>"
        "<Eth_Conn_Primary_DNS1>8</Eth_Conn_Primary_DNS1>"
        "<Eth_Conn_Primary_DNS2>8</Eth_Conn_Primary_DNS2>"
        "<Eth_Conn_Primary_DNS3>8</Eth_Conn_Primary_DNS3>"
        "<Eth_Conn_Primary_DNS4>8</Eth_Conn_Primary_DNS4>"
        "<Eth_Conn_Secondary_DNS1>8</Eth_Conn_Secondary_DNS1>"
        "<Eth_Conn_Secondary_DNS2>8</Eth_Conn_Secondary_DNS2>"
        "<Eth_Conn_Secondary_DNS3>4</Eth_Conn_Secondary_DNS3>"
        "<Eth_Conn_Secondary_DNS4>4</Eth_Conn_Secondary_DNS4>"
        "<IOLink_Slave_Baudrate>COM2</IOLink_Slave_Baudrate>"
        "<EtherNetIP_Master_IP1>192</EtherNetIP_Master_IP1>"
        "<EtherNetIP_Master_IP2>168</EtherNetIP_Master_IP2>"
        "<EtherNetIP_Master_IP3>0</EtherNetIP_Master_IP3>"
        "<EtherNetIP_Master_IP4>5</EtherNetIP_Master_IP4>"
        "<EtherNetIP_Master_SM1>255</EtherNetIP_Master_SM1>"
        "<EtherNetIP_Master_SM2>255</EtherNetIP_Master_SM2>"
        "<EtherNetIP_Master_SM3>255</EtherNetIP_Master_SM3>"
        "<EtherNetIP_Master_SM4>0</EtherNetIP_Master_SM4>"
        "<EtherNetIP_Master_GAT1>192</EtherNetIP_Master_GAT1>"
        "<EtherNetIP_Master_GAT2>168</EtherNetIP_Master_GAT2>"
        "<EtherNetIP_Master_GAT3>0</EtherNetIP_Master_GAT3>"
        "<EtherNetIP_Master_GAT4>1</EtherNetIP_Master_GAT4>"
        "<EtherNetIP_Master_EN_GAT>0</EtherNetIP_Master_EN_GAT>"
        "<EtherNetIP_Master_Port>44818</EtherNetIP_Master_Port>"
        "</Par_Gen>\r\n"
        "<!--SW_VERSION = 1.001-->\r\n";
    EXPECT_EQ(Read_All(path), expected);

    // What was written reads back unchanged, an empty name included.
    d.Eth_Conn_Device_Name.clear();
    Write_ParGen_File(path, d);
    bool found = false;
    EXPECT_EQ(Read_ParGen_File(path, &found), d);
    EXPECT_TRUE(found);
}

TEST(ParGenFile, ReaderTakesKeysByNameInAnyOrderUnderAnyRoot)
{
    // Reversed order, another root name, an unknown element, values untrimmed.
    const TParGen_Data d = Read_ParGen_File(Fixture("ParGen_all_keys.xml"));
    EXPECT_EQ(d.Eth_Conn_Device_Name, QStringLiteral(" plant-gw 7 "));
    EXPECT_EQ(d.Eth_Conn_DHCP_Cable, QStringLiteral("true"));
    EXPECT_FALSE(ParGen_Flag(d.Eth_Conn_DHCP_Cable));
    EXPECT_EQ(d.Eth_Conn_DHCP_WiFi, QStringLiteral("1"));
    EXPECT_EQ(d.Eth_Conn_Primary_DNS1, QStringLiteral("9"));
    EXPECT_EQ(d.Eth_Conn_Secondary_DNS4, QStringLiteral("1"));
    EXPECT_EQ(d.IOLink_Slave_Baudrate, QStringLiteral(" COM3 "));
    EXPECT_EQ(d.EtherNetIP_Master_IP1, QStringLiteral("172"));
    EXPECT_EQ(d.EtherNetIP_Master_SM2, QStringLiteral("240"));
    EXPECT_EQ(d.EtherNetIP_Master_GAT4, QStringLiteral("254"));
    EXPECT_EQ(d.EtherNetIP_Master_EN_GAT, QStringLiteral("1"));
    EXPECT_EQ(d.EtherNetIP_Master_Port, QStringLiteral("2222"));
}

TEST(ParGenFile, PartialFileDefaultsTheMissingKeys)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ParGen.xml"));
    Write_All(path, "<Par_Gen><EtherNetIP_Master_IP4>77</EtherNetIP_Master_IP4>"
                    "<Eth_Conn_Device_Name/></Par_Gen><!--SW_VERSION = 1.001-->");
    TParGen_Data expected;
    expected.EtherNetIP_Master_IP4 = QStringLiteral("77");
    EXPECT_EQ(Read_ParGen_File(path), expected);
}

// A leading XML declaration is not the root: the keys below the element still load.
TEST(ParGenFile, DeclarationBeforeTheRootDoesNotHideTheKeys)
{
    const TParGen_Data d = Read_ParGen_File(Fixture("ParGen_declaration.xml"));
    EXPECT_EQ(d.Eth_Conn_DHCP_Cable, QStringLiteral("1"));
    EXPECT_EQ(d.IOLink_Slave_Baudrate, QStringLiteral("COM2"));
    EXPECT_EQ(d.EtherNetIP_Master_IP1, QStringLiteral("10"));
    EXPECT_EQ(d.EtherNetIP_Master_IP4, QStringLiteral("7"));
    EXPECT_EQ(d.EtherNetIP_Master_SM1, QStringLiteral("255"));
}

TEST(ParGenFile, BrokenFileRaisesInsteadOfReadingAsDefaults)
{
    bool found = false;
    EXPECT_THROW(Read_ParGen_File(Fixture("ParGen_broken.xml"), &found), Exception);
    EXPECT_TRUE(found);
}

TEST(ParGenFile, WriteIntoAMissingFolderRaises)
{
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath(QStringLiteral("no_such_folder/ParGen.xml"));
    EXPECT_THROW(Write_ParGen_File(missingFolder, TParGen_Data{}), Exception);
}

TEST(ParGenFile, KeyNestedAMillionLevelsDeepReadsItsText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ParGen.xml"));
    Write_All(path, "<Par_Gen><IOLink_Slave_Baudrate>" + Nested_Xml(1000000, "COM2") +
                        "</IOLink_Slave_Baudrate>" + Nested_Xml(1000000, "<x/>", "Unknown") +
                        "<EtherNetIP_Master_Port>2222</EtherNetIP_Master_Port></Par_Gen>");
    TParGen_Data expected;
    expected.IOLink_Slave_Baudrate = QStringLiteral("COM2");
    expected.EtherNetIP_Master_Port = QStringLiteral("2222");
    EXPECT_EQ(Read_ParGen_File(path), expected);
}
