// The industrial-Ethernet editors and writers inside the started program: the hidden step
// buttons open their windows, variables typed into the EtherCAT window become the ESI
// file's PDOs, the PROFINET step writes the composed name into the chosen folder, and a
// language change relabels the windows without touching their cells.

#include "editors_industrial/esi_writer.h"
#include "editors_industrial/ethercat_slave_window.h"
#include "editors_industrial/iec_variables_window.h"
#include "editors_industrial/profinet_file_name_window.h"
#include "editors_industrial/s7_protocol_window.h"
#include "editors_industrial/tls_known_cert_window.h"

#include "grid/kv_string_grid.h"
#include "platform/core/files.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/stdctrls.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "shell/window_set.h"

#include "support/file_bytes.h"
#include "support/program_test.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

class IndustrialProgram : public TProgramTest {
protected:

  TDialogResponder Answers;
};

TEST_F(IndustrialProgram, EachHiddenStepOpensItsWindow)
{
  const std::pair<TLbButton*, const char*> steps[] = {
      {FKalvoraFirmWare->Btn_EtherCAT_Set_Access, "TFEtherCATSlave"},
      {FKalvoraFirmWare->Btn_IEC61850_Access, "TFIEC61850_Variables"},
      {FKalvoraFirmWare->Btn_TLS_List_Certificates, "TFTLS_Server_Known_Cert"},
      {FKalvoraFirmWare->Btn_S7_Protocol_Access, "TFS7_Protocol_Set_Access"},
      {FKalvoraFirmWare->Btn_PROFINET_XML, "TFProfinetFileName"},
  };
  for (const auto& [button, name] : steps)
    EXPECT_EQ(Click_Step(button), QStringList{QString::fromLatin1(name)});
  EXPECT_TRUE(Answers.Requests.empty());  // Cancel of the file-name dialog: no folder dialog
}

TEST_F(IndustrialProgram, VariablesTypedInTheEditorBecomeTheEsiPdos)
{
  Click_Step(FKalvoraFirmWare->Btn_EtherCAT_Set_Access, [&](TCustomForm*) {
    TKvStringGrid* stm = FEtherCATSlave->KSG_SlaveMaster;
    TKvStringGrid* mts = FEtherCATSlave->KSG_MasterSlave;
    const QStringList inputs = {"Bool", "Bool", "Bool", "Int16"};
    for (int r = 1; r <= inputs.size(); ++r) {
      stm->OnComboChange(stm, TFEtherCATSlave::Col_Type, r, -1, inputs.at(r - 1));
      stm->SetCells(TFEtherCATSlave::Col_Name, r, QStringLiteral("in%1").arg(r));
    }
    mts->OnComboChange(mts, TFEtherCATSlave::Col_Type, 1, -1, QStringLiteral("String"));
    mts->SetCells(TFEtherCATSlave::Col_Length, 1, QStringLiteral("6"));
    mts->SetCells(TFEtherCATSlave::Col_Name, 1, QStringLiteral("text"));
    FEtherCATSlave->Btn_OK->Click();
    EXPECT_EQ(FEtherCATSlave->ModalResult(), mrOk);
  });
  const QString target = PathJoin(WS().Dir_Project, QStringLiteral("device.xml"));
  Answers.QueueFile(target);
  Click_Step(FKalvoraFirmWare->Btn_EtherCAT_ESI_File);
  const QString esi = QString::fromUtf8(Read_All(target));
  EXPECT_TRUE(esi.contains(QStringLiteral("<Index>#x7000</Index>\r\n            <SubIndex>0</SubIndex>\r\n"
                                          "            <BitLen>48</BitLen>\r\n            <Name>text</Name>\r\n"
                                          "            <DataType>STRING(6)</DataType>")))
      << esi.toStdString();
  EXPECT_TRUE(esi.contains(QStringLiteral("<Name>in3</Name>\r\n            <DataType>BIT</DataType>\r\n          </Entry>\r\n\r\n"
                                          "\t\t\t\t\t<Entry>\r\n\t\t\t\t\t\t<Index>#x0</Index>\r\n\t\t\t\t\t\t<SubIndex>0</SubIndex>\r\n"
                                          "\t\t\t\t\t\t<BitLen>5</BitLen>")));
  EXPECT_TRUE(esi.contains(QStringLiteral("<Index>#x6003</Index>")));
  EXPECT_TRUE(esi.contains(QStringLiteral("StartAddress=\"#x100C\"")));
}

TEST_F(IndustrialProgram, TheProfinetStepWritesTheComposedNameIntoTheChosenFolder)
{
  QTemporaryDir folder;
  const QString name = FProfinetFileName->L_XML_Fix1->Caption() + QStringLiteral("_Line3") +
                       FProfinetFileName->L_XML_Fix2->Caption();
  Answers.QueueFile(folder.filePath(QStringLiteral("another-name.xml")));
  const QStringList shown = Click_Step(FKalvoraFirmWare->Btn_PROFINET_XML, [&](TCustomForm*) {
    FProfinetFileName->E_XML_User->SetText(QStringLiteral("Line3"));
    FProfinetFileName->Btn_OK->Click();
  });
  EXPECT_EQ(shown, QStringList{QStringLiteral("TFProfinetFileName")});
  ASSERT_EQ(Answers.Requests.size(), 1u);
  EXPECT_EQ(Answers.Requests[0].FileName, name);
  EXPECT_EQ(Answers.Requests[0].InitialDir, WS().Dir_Project);
  EXPECT_FALSE(FileExists(folder.filePath(QStringLiteral("another-name.xml"))));
  EXPECT_TRUE(Read_All(folder.filePath(name)).startsWith("\xEF\xBB\xBF<?xml"));

  // A user part holding a path still lands in the chosen folder.
  Answers.QueueFile(folder.filePath(QStringLiteral("x.xml")));
  Click_Step(FKalvoraFirmWare->Btn_PROFINET_XML, [&](TCustomForm*) {
    FProfinetFileName->E_XML_User->SetText(QStringLiteral("../up"));
    FProfinetFileName->Btn_OK->Click();
  });
  EXPECT_TRUE(FileExists(folder.filePath(FProfinetFileName->Name_File_XML)));
  EXPECT_EQ(ExtractFileName(FProfinetFileName->Name_File_XML), FProfinetFileName->Name_File_XML);
}

TEST_F(IndustrialProgram, ALanguageChangeRelabelsTheWindowsAndLeavesTheirCells)
{
  FS7_Protocol_Set_Access->Grids[0]->SetCells(18, 3, QStringLiteral("kept"));
  const QString lang = Dir.filePath(QStringLiteral("Deutsch.lng"));
  Write_All(lang, "STR3300 = EtherCAT Slave Zugriff\r\nSTR3335 = Master zum Slave\r\nSTR3500 = IEC61850 Variablen\r\n"
                  "STR3600 = Bekannte Zertifikate\r\nSTR4800 = GSDML Dateiname\r\nSTR4914 = S7 Lesen\r\n");
  ASSERT_TRUE(Load_Lang_File(lang));
  FKalvoraFirmWare->Change_Language();
  EXPECT_EQ(FEtherCATSlave->Caption(), QStringLiteral("EtherCAT Slave Zugriff"));
  EXPECT_EQ(FEtherCATSlave->TS_MasterToSlave->Caption(), QStringLiteral("Master zum Slave"));
  EXPECT_EQ(FIEC61850_Variables->Caption(), QStringLiteral("IEC61850 Variablen"));
  EXPECT_EQ(FTLS_Server_Known_Cert->Caption(), QStringLiteral("Bekannte Zertifikate"));
  EXPECT_EQ(FProfinetFileName->Caption(), QStringLiteral("GSDML Dateiname"));
  EXPECT_EQ(FS7_Protocol_Set_Access->TS_S7_Read->Caption(), QStringLiteral("S7 Lesen"));
  EXPECT_EQ(FS7_Protocol_Set_Access->Grids[0]->Cells(18, 3), QStringLiteral("kept"));
}

}  // namespace
