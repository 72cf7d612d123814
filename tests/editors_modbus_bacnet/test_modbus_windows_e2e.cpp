// The Modbus rules windows inside the started program: the main window's hidden step
// button opens the TCP window, rules entered there survive OK and a new opening, and a
// language change relabels both windows without touching their cells.

#include "editors_modbus_bacnet/modbus_serial_master_window.h"
#include "editors_modbus_bacnet/modbus_tcp_master_window.h"

#include "grid/column_grid.h"
#include "platform/core/files.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "shell/program_windows.h"
#include "shell/window_set.h"

#include "support/file_bytes.h"
#include "support/grid_typing.h"
#include "support/program_test.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

class ModbusProgram : public TProgramTest {
protected:
  QStringList Click_Modbus_Step(const std::function<void(TCustomForm*)>& act)
  {
    return Click_Step(FKalvoraFirmWare->Btn_Modbus_Set_Access, act);
  }

  TDialogResponder Answers;
};

void Put_Row(TKvStringGrid* g, int r, const QStringList& cells)
{
  for (int c = 0; c < cells.size(); ++c)
    g->SetCells(c + 1, r, cells.at(c));
}

const QStringList Read_Rule = {"Y", "192.168.1.20", "502", "1", "Input Register", "100", "2", "1000", "0",
                               "10", "0", "N", "N", "", "Level"};
const QStringList Write_Rule = {"N", "192.168.1.21", "502", "3", "Coil Status", "7", "8", "0", "Y",
                                "N", "0", "20", "0", "N", "N", "Valve"};

QString Row_Of(TKvStringGrid* g, int r)
{
  QStringList cells;
  for (int c = 1; c < g->ColCount() + g->NumHiddenColumns(); ++c)
    cells << g->Cells(c, r);
  return cells.join(u'|');
}

}  // namespace

TEST_F(ModbusProgram, TheHiddenStepOpensTheTcpWindowAndItsRulesSurviveOkAndReopening)
{
  ASSERT_FALSE(FKalvoraFirmWare->Btn_Modbus_Set_Access->Visible());
  const QStringList shown = Click_Modbus_Step([&](TCustomForm* f) {
    ASSERT_EQ(f, FModbus_TCP_Master_Set_Access);
    Put_Row(FModbus_TCP_Master_Set_Access->Grids[0], 1, Read_Rule);
    FModbus_TCP_Master_Set_Access->PageControl1->SetActivePage(FModbus_TCP_Master_Set_Access->TS_Modbus_Write);
    Put_Row(FModbus_TCP_Master_Set_Access->Grids[1], 1, Write_Rule);
    FModbus_TCP_Master_Set_Access->Btn_OK->Click();
    EXPECT_EQ(f->ModalResult(), mrOk);
  });
  EXPECT_EQ(shown, QStringList{QStringLiteral("TFModbus_TCP_Master_Set_Access")});
  EXPECT_TRUE(Read_All(WS().Name_File_ModbusTCPM_SetAccess).contains("Mnemonic=\"Valve\""));
  EXPECT_TRUE(Answers.Requests.empty());

  Click_Modbus_Step([&](TCustomForm*) {
    EXPECT_EQ(FModbus_TCP_Master_Set_Access->PageControl1->ActivePage(), FModbus_TCP_Master_Set_Access->TS_Modbus_Read);
    EXPECT_EQ(Row_Of(FModbus_TCP_Master_Set_Access->Grids[0], 1), Read_Rule.join(u'|'));
    EXPECT_EQ(Row_Of(FModbus_TCP_Master_Set_Access->Grids[1], 1), Write_Rule.join(u'|'));
    EXPECT_EQ(FModbus_TCP_Master_Set_Access->Grids[0]->Cells(2, 2), QString());
  });

  // The serial window is opened by no step: driven directly.
  TModalScope serial([&](TCustomForm*) {
    Put_Row(FSetAccess->Grids[0], 1, {"Y", "4", "Coil Status", "0", "16", "100", "0", "1498", "0", "N", "N", "", "s"});
    FSetAccess->bitbtn1Click(nullptr);
    return int(mrNone);
  });
  EXPECT_EQ(FSetAccess->ShowModal(), mrOk);
  EXPECT_TRUE(Read_All(WS().Name_File_ModbusM_SetAccess).contains("Mnemonic=\"s\""));
}

TEST_F(ModbusProgram, ALanguageChangeRelabelsBothWindowsAndLeavesTheCells)
{
  Click_Modbus_Step([&](TCustomForm*) { Put_Row(FModbus_TCP_Master_Set_Access->Grids[0], 1, Read_Rule); });
  FSetAccess->Grids[1]->SetCells(14, 2, QStringLiteral("kept"));
  const QString lang = Dir.filePath(QStringLiteral("Deutsch.lng"));
  Write_All(lang, "STR1900 = Modbus Master Regeln\r\nSTR1914 = Modbus Lesen\r\nSTR1941 = Beschreibung\r\n"
                  "STR2000 = Modbus TCP Regeln\r\nSTR2004 = Zeile loeschen\r\nSTR2021 = Beschreibung\r\n");
  ASSERT_TRUE(Load_Lang_File(lang));
  FKalvoraFirmWare->Change_Language();
  EXPECT_EQ(FModbus_TCP_Master_Set_Access->Caption(), QStringLiteral("Modbus TCP Regeln"));
  EXPECT_EQ(FModbus_TCP_Master_Set_Access->Btn_DelRow->Caption(), QStringLiteral("Zeile loeschen"));
  EXPECT_EQ(FModbus_TCP_Master_Set_Access->Btn_CopyRow->Caption(), QStringLiteral("Copy Row"));
  EXPECT_EQ(static_cast<TKvColumnGrid*>(FModbus_TCP_Master_Set_Access->Grids[0])->Columns()->Items(15)->Header(),
            QStringLiteral("Beschreibung"));
  EXPECT_EQ(FSetAccess->Caption(), QStringLiteral("Modbus Master Regeln"));
  EXPECT_EQ(FSetAccess->TS_Modbus_Read->Caption(), QStringLiteral("Modbus Lesen"));
  EXPECT_EQ(FSetAccess->Grids[1]->Cells(14, 0), QStringLiteral("Beschreibung"));
  // Texts only: the cells of the last opening and the row numbers stay.
  EXPECT_EQ(Row_Of(FModbus_TCP_Master_Set_Access->Grids[0], 1), Read_Rule.join(u'|'));
  EXPECT_EQ(FSetAccess->Grids[1]->Cells(14, 2), QStringLiteral("kept"));
}

TEST_F(ModbusProgram, RulesTypedIntoTheGridWithPickedListsAndSpaceOnEnable)
{
  Click_Modbus_Step([&](TCustomForm* f) {
    TFModbus_TCP_Master_Set_Access* w = FModbus_TCP_Master_Set_Access;
    f->Show();
    QApplication::processEvents();
    TKvStringGrid* read = w->Grids[0];
    read->SetFocus();
    Type_Cell(read, 2, 1, QStringLiteral("192.168.1.30"));
    Type_Cell(read, 3, 1, QStringLiteral("502"));
    Type_Cell(read, 4, 1, QStringLiteral("1"));
    Pick(read, 5, 1, 2);  // Holding Register
    Type_Cell(read, 6, 1, QStringLiteral("40"));
    Type_Cell(read, 7, 1, QStringLiteral("4"));
    Type_Cell(read, 8, 1, QStringLiteral("500"));
    Type_Cell(read, 9, 1, QStringLiteral("0"));
    Pick(read, 10, 1, 12);  // Position 12
    Pick(read, 11, 1, 0);

    w->PageControl1->SetActivePage(w->TS_Modbus_Write);
    TKvStringGrid* write = w->Grids[1];
    write->SetFocus();
    write->FocusCell(1, 1);
    QTest::keyClick(Focus(write), Qt::Key_Space);  // Enable off
    Type_Cell(write, 2, 1, QStringLiteral("192.168.1.31"));
    Type_Cell(write, 3, 1, QStringLiteral("502"));
    Type_Cell(write, 4, 1, QStringLiteral("2"));
    Pick(write, 5, 1, 0);  // Coil Status
    Type_Cell(write, 6, 1, QStringLiteral("8"));
    Type_Cell(write, 7, 1, QStringLiteral("16"));
    Type_Cell(write, 8, 1, QStringLiteral("0"));
    write->FocusCell(9, 1);
    QTest::keyClick(Focus(write), Qt::Key_Space);  // On Change on
    Type_Cell(write, 11, 1, QStringLiteral("0"));
    Pick(write, 12, 1, 30);
    Pick(write, 13, 1, 0);
    EXPECT_EQ(write->Cells(1, 1), QStringLiteral("N"));
    w->Btn_OK->Click();
    EXPECT_EQ(f->ModalResult(), mrOk);
  });
  const QByteArray saved = Read_All(WS().Name_File_ModbusTCPM_SetAccess);
  EXPECT_TRUE(saved.contains("IP_Address=\"192.168.1.30\" Port=\"502\" Slave_ID=\"1\" Type=\"Holding Register\""));
  EXPECT_TRUE(saved.contains("Position=\"12\""));
  EXPECT_TRUE(saved.contains("<row Enable=\"N\" IP_Address=\"192.168.1.31\""));
  Click_Modbus_Step([&](TCustomForm*) {
    EXPECT_EQ(FModbus_TCP_Master_Set_Access->Grids[0]->Cells(5, 1), QStringLiteral("Holding Register"));
    EXPECT_EQ(FModbus_TCP_Master_Set_Access->Grids[1]->Cells(9, 1), QStringLiteral("Y"));
  });
}
