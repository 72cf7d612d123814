#include "enip_outputs/update_job.h"
#include "enip_test_support.h"
#include "update_job_check.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace {

using job_check::Check_Job;
using job_check::TOpExpect;

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
    Check_Job(path, "192.168.2.205", "1", {fw0, b1, b2, b3});

    job.Option = uoFirmware;
    Write_Update_Job(path, job);
    Check_Job(path, "192.168.2.205", "1", {fw1});

    job.Option = uoConfiguration;
    job.Read_Back = false;
    Write_Update_Job(path, job);
    Check_Job(path, "192.168.2.205", "0", {b1, b2, b3});
}

TEST(UpdateJob, FileHasTheSavedFormOfTheProjectFiles)
{
    // No declaration, no indentation, empty texts as empty elements, CR LF after the root.
    TUpdate_Job job;
    job.IP_Address = QStringLiteral("192.168.2.205");
    job.Option = uoFirmware;
    job.Read_Back = true;
    job.Dir_Master = QStringLiteral("/opt/k/MASTER");
    job.Dir_Project = QStringLiteral("/opt/k/PROJECTS/P1");
    const QByteArray expected =
        "<Ethernet_Update><Version>1000</Version><Title>Norvel - TK27518 Ethernet Update</Title>"
        "<IP_Address_Dev>192.168.2.205</IP_Address_Dev><Application_Port>10000</Application_Port>"
        "<Boot_Port>2008</Boot_Port><Boot_Port_Sec>2007</Boot_Port_Sec>"
        "<Address_Protection>0x07800</Address_Protection><Protections><Protection>0xE5A</Protection></Protections>"
        "<Operations><Operation><Ope_Protection_Enabled/><Ope_GoToBoot_Before>0</Ope_GoToBoot_Before>"
        "<Ope_GoToApp_Before>0</Ope_GoToApp_Before><Ope_IP_Address/><Ope_Port>2008</Ope_Port>"
        "<Ope_Port_Sec>2007</Ope_Port_Sec><Ope_Erase_Memory>0</Ope_Erase_Memory>"
        "<Ope_FileName>/opt/k/MASTER/Sim27518.sim</Ope_FileName><Ope_Start_Address>0x8000</Ope_Start_Address>"
        "<Ope_Memory_Type>0</Ope_Memory_Type><Ope_Bank_Type>1</Ope_Bank_Type><Ope_Read_Back>1</Ope_Read_Back>"
        "<Ope_Write_CSS>1</Ope_Write_CSS><Ope_Address_CSS>0x07A00</Ope_Address_CSS>"
        "<Ope_Command_CSS>0x02</Ope_Command_CSS><Ope_Write_Internal_Data>0</Ope_Write_Internal_Data>"
        "<Ope_WID_Address>0x07810</Ope_WID_Address><Ope_WID_Command>0x02</Ope_WID_Command>"
        "<Ope_WID_Data>0x00, 0x00, 0x00, 0x01</Ope_WID_Data><Ope_GoToApp_After>1</Ope_GoToApp_After>"
        "</Operation></Operations></Ethernet_Update>\r\n";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ethernet_Update.xml"));
    Write_Update_Job(path, job);
    EXPECT_EQ(Read_File(path), expected);
}

}  // namespace
