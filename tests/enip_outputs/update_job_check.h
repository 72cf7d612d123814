#pragma once
// Checks an update job file against the element list every job carries.

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <vector>

namespace job_check {

inline QStringList Child_Names(pugi::xml_node n)
{
    QStringList names;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        names << QString::fromUtf8(c.name());
    return names;
}

inline QString Text(pugi::xml_node n, const char* child)
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

inline void Check_Job(const QString& path, const char* ip, const char* read_back, const std::vector<TOpExpect>& ops)
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
    EXPECT_EQ(Text(root, "IP_Address_Dev"), QString::fromUtf8(ip));
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

}  // namespace job_check
