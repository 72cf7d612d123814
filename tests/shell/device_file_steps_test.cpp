// The hidden device-file steps of the main window: CANopen EDS, BACnet EDE and SNMP MIB.

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "common/working_state.h"
#include "shell/main_window.h"
#include "shell/program_windows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/file_bytes.h"

namespace {

class DeviceFileSteps : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Saved = Install_Working_State(std::make_unique<TWorkingState>(Dir.path()));
        Create_Program_Windows();
        TWorkingState& ws = WS();
        Folder = PathJoin(ws.Dir_Projects, QStringLiteral("p"));
        QDir().mkpath(Folder);
        ws.Project_Name = QStringLiteral("p");
        ws.Dir_Project = Folder;
        ws.Set_Files();
    }
    void TearDown() override
    {
        if (FKalvoraFirmWare)
            Destroy_Program_Windows();
        Install_Working_State(std::move(Saved));
    }
    QString In_Project(const char* name) const { return PathJoin(Folder, QString::fromLatin1(name)); }

    QTemporaryDir Dir;
    std::unique_ptr<TWorkingState> Saved;
    QString Folder;
};

TEST_F(DeviceFileSteps, EdsStepWritesTheSheetChosenInTheDialog)
{
    Write_All(WS().Name_File_PDO_CANopen,
              "<PDO_CANopen><Receive_PDO><row COB-ID=\"0x201\" Dimension=\"2\" Address_B1=\"0\" Address_B2=\"1\" "
              "Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" "
              "TimeOut=\"0\" Mnemonic=\"\"/></Receive_PDO><Transmit_PDO/></PDO_CANopen>\r\n");
    TDialogResponder answers;
    answers.QueueFile(In_Project("device"));
    FKalvoraFirmWare->Btn_Click(FKalvoraFirmWare->Btn_CANopen_EDS);
    ASSERT_EQ(answers.Requests.size(), 1u);
    EXPECT_EQ(answers.Requests[0].InitialDir, Folder);
    EXPECT_TRUE(Read_All(In_Project("device.eds")).contains("NrOfRXPDO=1\r\nNrOfTXPDO=0\r\n"));

    // A project file without a section fails the step and leaves the sheet as it was.
    Write_All(WS().Name_File_PDO_CANopen, "<PDO_CANopen><Receive_PDO/></PDO_CANopen>");
    Write_All(In_Project("device.eds"), "old");
    answers.QueueFile(In_Project("device.eds"));
    EXPECT_THROW(FKalvoraFirmWare->Btn_Click(FKalvoraFirmWare->Btn_CANopen_EDS), Exception);
    EXPECT_EQ(Read_All(In_Project("device.eds")), QByteArray("old"));
}

// A row the sheet cannot describe: the step shows one error naming the row and the field,
// raises nothing and leaves the chosen file as it was.
TEST_F(DeviceFileSteps, EdsStepNamesARefusedRowAndWritesNothing)
{
    Write_All(WS().Name_File_SDO_Server_CANopen,
              "<SDO_Server_CANopen><SDO_Read><row Index=\"0x2000\" SubIndex=\"300\" NByte=\"1\" Address_B1=\"0\" "
              "Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"\"/></SDO_Read><SDO_Write/>"
              "</SDO_Server_CANopen>\r\n");
    Write_All(In_Project("device.eds"), "old");
    TDialogResponder answers;
    answers.QueueFile(In_Project("device.eds"));
    EXPECT_NO_THROW(FKalvoraFirmWare->Btn_Click(FKalvoraFirmWare->Btn_CANopen_EDS));
    ASSERT_EQ(answers.MessageCount(), 1);
    EXPECT_EQ(answers.LastText(), QStringLiteral("Error!! The EDS file was not written: [SDO in Read] row 1, SubIndex "
                                                 "must be between 0x00 and 0xFF"));
    EXPECT_EQ(answers.Requests.back().DlgType, mtError);
    EXPECT_EQ(Read_All(In_Project("device.eds")), QByteArray("old"));
}

TEST_F(DeviceFileSteps, EdeStepAddsTheExtensionAndAsksBeforeReplacing)
{
    Write_All(WS().Name_File_BACnet_Slave,
              "<BACnet_Slave><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Mnemonic=\"Temp\"/>"
              "</BACnet_in_Read><BACnet_in_Write/></BACnet_Slave>\r\n");
    TDialogResponder answers;
    answers.QueueFile(In_Project("out"));
    FKalvoraFirmWare->Btn_Click(FKalvoraFirmWare->Btn_BACnet_EDE_File);
    EXPECT_TRUE(Read_All(In_Project("out.csv")).startsWith("PROJECT_NAME; Norvel--p;;;;;;\r\n"));
    EXPECT_TRUE(Read_All(In_Project("out.csv")).endsWith("\r\n_Temp_0;;Temp;0;0;Temp;62;\r\n"));

    Write_All(In_Project("out.csv"), "old");
    answers.QueueFile(In_Project("out"));
    answers.QueueResult(mrNo);
    FKalvoraFirmWare->Btn_Click(FKalvoraFirmWare->Btn_BACnet_EDE_File);
    EXPECT_EQ(answers.MessageCount(), 1);
    EXPECT_EQ(Read_All(In_Project("out.csv")), QByteArray("old"));
}

TEST_F(DeviceFileSteps, MibStepWritesTheAgentsVariables)
{
    Write_All(WS().Name_File_SNMP_Trap,
              "<SNMP_Trap><SNMP_Trap_Read><row Enable=\"Y\" Type=\"Int\" Description=\"temp\"/></SNMP_Trap_Read>"
              "<SNMP_Trap_Write><row Enable=\"Y\" Type=\"String\" Description=\"name\"/></SNMP_Trap_Write></SNMP_Trap>");
    TDialogResponder answers;
    answers.QueueFile(In_Project("gateway"));
    FKalvoraFirmWare->Btn_Click(FKalvoraFirmWare->Btn_SNMP_MIB);
    const QByteArray mib = Read_All(In_Project("gateway.mib"));
    EXPECT_TRUE(mib.contains("\r\ntemp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only"));
    EXPECT_TRUE(mib.contains("\r\nname OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write"));
    EXPECT_EQ(WS().SL_MIB_Var_Read, QStringList{QStringLiteral("temp")});
}

}  // namespace
