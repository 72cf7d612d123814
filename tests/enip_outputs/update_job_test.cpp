#include "enip_outputs/update_job.h"
#include "enip_test_support.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace {

QStringList Child_Names(pugi::xml_node n)
{
    QStringList names;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        names << QString::fromUtf8(c.name());
    return names;
}

QString Text(pugi::xml_node n, const char* child)
{
    return QString::fromUtf8(n.child(child).text().get());
}

struct TOpExpect {
    const char* file;
    const char* start;
    const char* bank_type;
    const char* write_css;
    const char* go_to_app;
};

// Checks a job file against the element list every job carries.
void Check_Job(const QString& path, const char* read_back, const std::vector<TOpExpect>& ops)
{
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(path.toUtf8().constData()));
    pugi::xml_node root = doc.document_element();
    EXPECT_STREQ(root.name(), "Ethernet_Update");
    EXPECT_EQ(Child_Names(root),
              QStringList({"Version", "Title", "IP_Address_Dev", "Application_Port", "Boot_Port", "Boot_Port_Sec",
                           "Address_Protection", "Protections", "Operations"}));
    EXPECT_EQ(Text(root, "Version"), QStringLiteral("1000"));
    EXPECT_EQ(Text(root, "Title"), QStringLiteral("Norvel - TK27518 Ethernet Update"));
    EXPECT_EQ(Text(root, "IP_Address_Dev"), QStringLiteral("192.168.2.205"));
    EXPECT_EQ(Text(root, "Application_Port"), QStringLiteral("10000"));
    EXPECT_EQ(Text(root, "Boot_Port"), QStringLiteral("2008"));
    EXPECT_EQ(Text(root, "Boot_Port_Sec"), QStringLiteral("2007"));
    EXPECT_EQ(Text(root, "Address_Protection"), QStringLiteral("0x07800"));
    EXPECT_EQ(Child_Names(root.child("Protections")), QStringList{"Protection"});
    EXPECT_EQ(Text(root.child("Protections"), "Protection"), QStringLiteral("0xE5A"));

    const QStringList op_elements{"Ope_Protection_Enabled", "Ope_GoToBoot_Before", "Ope_GoToApp_Before",
                                  "Ope_IP_Address", "Ope_Port", "Ope_Port_Sec", "Ope_Erase_Memory",
                                  "Ope_FileName", "Ope_Start_Address", "Ope_Memory_Type", "Ope_Bank_Type",
                                  "Ope_Read_Back", "Ope_Write_CSS", "Ope_Address_CSS", "Ope_Command_CSS",
                                  "Ope_Write_Internal_Data", "Ope_WID_Address", "Ope_WID_Command",
                                  "Ope_WID_Data", "Ope_GoToApp_After"};
    size_t i = 0;
    for (pugi::xml_node op : root.child("Operations").children()) {
        ASSERT_LT(i, ops.size());
        const TOpExpect& e = ops[i++];
        EXPECT_STREQ(op.name(), "Operation");
        EXPECT_EQ(Child_Names(op), op_elements);
        EXPECT_EQ(Text(op, "Ope_Protection_Enabled"), QString());
        EXPECT_EQ(Text(op, "Ope_GoToBoot_Before"), QStringLiteral("0"));
        EXPECT_EQ(Text(op, "Ope_GoToApp_Before"), QStringLiteral("0"));
        EXPECT_EQ(Text(op, "Ope_IP_Address"), QString());
        EXPECT_EQ(Text(op, "Ope_Port"), QStringLiteral("2008"));
        EXPECT_EQ(Text(op, "Ope_Port_Sec"), QStringLiteral("2007"));
        EXPECT_EQ(Text(op, "Ope_Erase_Memory"), QStringLiteral("0"));
        EXPECT_EQ(Text(op, "Ope_FileName"), QString::fromUtf8(e.file));
        EXPECT_EQ(Text(op, "Ope_Start_Address"), QString::fromUtf8(e.start));
        EXPECT_EQ(Text(op, "Ope_Memory_Type"), QStringLiteral("0"));
        EXPECT_EQ(Text(op, "Ope_Bank_Type"), QString::fromUtf8(e.bank_type));
        EXPECT_EQ(Text(op, "Ope_Read_Back"), QString::fromUtf8(read_back));
        EXPECT_EQ(Text(op, "Ope_Write_CSS"), QString::fromUtf8(e.write_css));
        EXPECT_EQ(Text(op, "Ope_Address_CSS"), QStringLiteral("0x07A00"));
        EXPECT_EQ(Text(op, "Ope_Command_CSS"), QStringLiteral("0x02"));
        EXPECT_EQ(Text(op, "Ope_Write_Internal_Data"), QStringLiteral("0"));
        EXPECT_EQ(Text(op, "Ope_WID_Address"), QStringLiteral("0x07810"));
        EXPECT_EQ(Text(op, "Ope_WID_Command"), QStringLiteral("0x02"));
        EXPECT_EQ(Text(op, "Ope_WID_Data"), QStringLiteral("0x00, 0x00, 0x00, 0x01"));
        EXPECT_EQ(Text(op, "Ope_GoToApp_After"), QString::fromUtf8(e.go_to_app));
    }
    EXPECT_EQ(i, ops.size());
}

TEST(UpdateJob, OperationsFollowTheUpdateOption)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ethernet_Update.xml"));
    TUpdate_Job job;
    job.IP_Address = QStringLiteral("192.168.2.205");
    job.Dir_Master = QStringLiteral("/opt/k/MASTER");
    job.Dir_Project = QStringLiteral("/opt/k/PROJECTS/P1");

    const TOpExpect fw0{"/opt/k/MASTER/Sim27518.sim", "0x8000", "1", "1", "0"};
    const TOpExpect fw1{"/opt/k/MASTER/Sim27518.sim", "0x8000", "1", "1", "1"};
    const TOpExpect b1{"/opt/k/PROJECTS/P1/bin/bank1.bin", "0x07000", "2", "0", "0"};
    const TOpExpect b2{"/opt/k/PROJECTS/P1/bin/bank2.bin", "0x80000", "2", "0", "0"};
    const TOpExpect b3{"/opt/k/PROJECTS/P1/bin/bank3.bin", "0x90000", "2", "0", "1"};

    job.Option = uoFirmware_Configuration;
    job.Read_Back = true;
    Write_Update_Job(path, job);
    Check_Job(path, "1", {fw0, b1, b2, b3});

    job.Option = uoFirmware;
    Write_Update_Job(path, job);
    Check_Job(path, "1", {fw1});

    job.Option = uoConfiguration;
    job.Read_Back = false;
    Write_Update_Job(path, job);
    Check_Job(path, "0", {b1, b2, b3});
}

}  // namespace
