// The CANopen windows inside the started program: PDOs and SDO objects entered in the
// windows survive OK and a new opening, the hidden EDS step writes a sheet from them
// that the independent checker accepts, and a language change relabels the windows
// without touching their cells.

#include "editors_can/canopen_pdo_window.h"
#include "editors_can/canopen_sdo_client_window.h"
#include "editors_can/canopen_sdo_server_window.h"

#include "grid/column_grid.h"
#include "platform/core/exceptions.h"
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
#include "support/modal_show.h"
#include "support/program_test.h"

#include "eds_checker.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

class CanopenProgram : public TProgramTest {
protected:
  // Runs the hidden button's click as a click would; act runs while a window it opens is
  // shown. A failure reaches the failure report.
  QStringList Click(TLbButton* Button, const std::function<void(TCustomForm*)>& act = {})
  {
    return Click_Step(Button, act);
  }

  QString Eds() const { return PathJoin(WS().Dir_Project, QStringLiteral("device.eds")); }

  TDialogResponder Answers;
};

void Put_Row(TKvStringGrid* g, int r, const QStringList& cells)
{
  for (int c = 0; c < cells.size(); ++c)
    g->SetCells(c + 1, r, cells.at(c));
}

QString Row_Of(TKvStringGrid* g, int r)
{
  QStringList cells;
  for (int c = 1; c < g->ColCount(); ++c)
    cells << g->Cells(c, r);
  return cells.join(u'|');
}

const QStringList Rx1 = {"0x201", "2", "0", "1", "", "", "", "", "", "", "0", "Speed"};
const QStringList Rx2 = {"0x202", "1", "2", "", "", "", "", "", "", "", "100", "Mode"};
const QStringList Tx1 = {"0x181", "1", "5", "", "", "", "", "", "", "", "50", "Y", "State"};
const QStringList Sdo_Read = {"0x2000", "1", "2", "10", "11", "", "", "Counter"};
const QStringList Sdo_Write = {"0x2100", "0", "4", "20", "21", "22", "23", "Setpoint"};
const QStringList Client_Read = {"5", "0x1018", "1", "4", "1000", "0", "1", "2", "3", "Vendor"};
const QStringList Client_Write = {"5", "0x6200", "1", "1", "0", "Y", "7", "", "", "", "Outputs"};

}  // namespace

TEST_F(CanopenProgram, EnteredPdosAndObjectsReachTheSheetOfTheHiddenStep)
{
  EXPECT_EQ(Click(FKalvoraFirmWare->Btn_PDO_CANopen,
                  [&](TCustomForm* f) {
                    ASSERT_EQ(f, FSet_PDO_Access);
                    TFSet_PDO_Access* w = FSet_PDO_Access;
                    Put_Row(w->sga, 1, Rx1);
                    Put_Row(w->sga, 2, Rx2);
                    w->sga->FocusCell(1, 1);
                    w->Btn_CopyRow->Click();
                    w->PageControl1->SetActivePage(w->TS_Transmit_PDO);
                    Put_Row(w->sgb, 1, Tx1);
                    w->sgb->FocusCell(1, 2);
                    w->Btn_PasteRow->Click();  // a copy of the other page
                    EXPECT_EQ(Answers.LastText(), Lang_Str(1502));
                    EXPECT_EQ(w->sgb->Cells(1, 2), QString());
                    w->Btn_OK->Click();
                    EXPECT_EQ(f->ModalResult(), mrOk);
                  }),
            QStringList{QStringLiteral("TFSet_PDO_Access")});
  Click(FKalvoraFirmWare->Btn_SDO_Server_CANopen, [&](TCustomForm*) {
    TFSet_SDO_Server_Access* w = FSet_SDO_Server_Access;
    Put_Row(w->sga, 1, Sdo_Read);
    w->PageControl1->SetActivePage(w->TS_SDO_Write);
    Put_Row(w->sgb, 1, Sdo_Write);
    w->Btn_OK->Click();
    EXPECT_EQ(w->ModalResult(), mrOk);
  });

  // Reopening shows the rows.
  Click(FKalvoraFirmWare->Btn_PDO_CANopen, [&](TCustomForm*) {
    EXPECT_EQ(FSet_PDO_Access->PageControl1->ActivePage(), FSet_PDO_Access->TS_Receive_PDO);
    EXPECT_EQ(Row_Of(FSet_PDO_Access->sga, 2), Rx2.join(u'|'));
    EXPECT_EQ(Row_Of(FSet_PDO_Access->sgb, 1), Tx1.join(u'|'));
  });
  Click(FKalvoraFirmWare->Btn_SDO_Server_CANopen, [&](TCustomForm*) {
    EXPECT_EQ(Row_Of(FSet_SDO_Server_Access->sgb, 1), Sdo_Write.join(u'|'));
  });

  Answers.Requests.clear();
  Answers.QueueFile(Eds());
  EXPECT_TRUE(Click(FKalvoraFirmWare->Btn_CANopen_EDS).isEmpty());
  EXPECT_TRUE(Message_Texts(Answers).isEmpty()) << Message_Texts(Answers).join(u'\n').toStdString();
  const QByteArray sheet = Read_All(Eds());
  EXPECT_TRUE(sheet.contains("NrOfRXPDO=2\r\nNrOfTXPDO=1\r\n"));
  EXPECT_TRUE(sheet.contains("[ManufacturerObjects]\r\nSupportedObjects=2\r\n1=0x2000\r\n2=0x2100\r\n")) << sheet.constData();
  if (!Have_Python())
    GTEST_SKIP() << "/usr/bin/python3 is not installed: the sheet's structure was not checked";
  EXPECT_EQ(Checker_Faults(Eds()), QString());
}

TEST_F(CanopenProgram, AProjectFileWithoutASectionFailsTheStepAndKeepsTheSheet)
{
  Write_All(WS().Name_File_SDO_Server_CANopen, "<SDO_Server_CANopen><SDO_Read/></SDO_Server_CANopen>");
  Write_All(Eds(), "old");
  Answers.QueueFile(Eds());
  Click(FKalvoraFirmWare->Btn_CANopen_EDS);
  const QStringList shown = Message_Texts(Answers);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown.at(0).contains(QStringLiteral("SDO_Write"))) << shown.at(0).toStdString();
  EXPECT_EQ(Read_All(Eds()), QByteArray("old"));

  // The window reports the same file at its show and asks before replacing it.
  Answers.Requests.clear();
  Click(FKalvoraFirmWare->Btn_SDO_Server_CANopen, [&](TCustomForm*) {
    EXPECT_EQ(Message_Texts(Answers).size(), 1);
    Answers.QueueResult(mrNo);
    FSet_SDO_Server_Access->Btn_OK->Click();
    EXPECT_EQ(Answers.LastText(), Lang_Str(1506));
  });
  EXPECT_EQ(Read_All(WS().Name_File_SDO_Server_CANopen), QByteArray("<SDO_Server_CANopen><SDO_Read/></SDO_Server_CANopen>"));
}

TEST_F(CanopenProgram, TheClientWindowKeepsItsRequestsOverOkAndReopening)
{
  EXPECT_EQ(Click(FKalvoraFirmWare->Btn_SDO_Client_CANopen,
                  [&](TCustomForm*) {
                    TFSet_SDO_Client_Access* w = FSet_SDO_Client_Access;
                    Put_Row(w->sga, 1, Client_Read);
                    Put_Row(w->sgb, 1, Client_Write);
                    w->Btn_OK->Click();
                    EXPECT_EQ(w->ModalResult(), mrOk);
                  }),
            QStringList{QStringLiteral("TFSet_SDO_Client_Access")});
  Click(FKalvoraFirmWare->Btn_SDO_Client_CANopen, [&](TCustomForm*) {
    EXPECT_EQ(Row_Of(FSet_SDO_Client_Access->sga, 1), Client_Read.join(u'|'));
    EXPECT_EQ(Row_Of(FSet_SDO_Client_Access->sgb, 1), Client_Write.join(u'|'));
  });
}

TEST_F(CanopenProgram, ALanguageChangeRelabelsTheThreeWindowsAndLeavesTheCells)
{
  Click(FKalvoraFirmWare->Btn_PDO_CANopen, [&](TCustomForm*) { Put_Row(FSet_PDO_Access->sga, 1, Rx1); });
  FSet_SDO_Server_Access->sgb->SetCells(8, 3, QStringLiteral("kept"));
  FSet_SDO_Client_Access->sga->SetCells(1, 1, QStringLiteral("0"));
  const QString lang = Dir.filePath(QStringLiteral("Deutsch.lng"));
  Write_All(lang, "STR2800 = PDO Zugriff\r\nSTR2828 = Beschreibung\r\n"
                  "STR2869 = !! [Empfangs-PDO] COB-ID ausserhalb 0x000 bis 0x7FF\r\n"
                  "STR2900 = SDO Client Zugriff\r\nSTR2933 = Bei Aenderung\r\n"
                  "STR2961 = !! [SDO Lesen] Geraete-ID ausserhalb 1 bis 127\r\n"
                  "STR3000 = SDO Server Zugriff\r\nSTR3015 = SDO Schreiben\r\n"
                  "STR3051 = !! [SDO Lesen] Index ausserhalb 0x2000 bis 0x5FFF\r\n");
  ASSERT_TRUE(Load_Lang_File(lang));
  FKalvoraFirmWare->Change_Language();
  EXPECT_EQ(FSet_PDO_Access->Caption(), QStringLiteral("PDO Zugriff"));
  EXPECT_EQ(FSet_PDO_Access->sga->Cells(12, 0), QStringLiteral("Beschreibung"));
  EXPECT_EQ(FSet_SDO_Client_Access->Caption(), QStringLiteral("SDO Client Zugriff"));
  EXPECT_EQ(FSet_SDO_Client_Access->sgb->Columns()->Items(6)->Header(), QStringLiteral("Bei Aenderung"));
  EXPECT_EQ(FSet_SDO_Server_Access->Caption(), QStringLiteral("SDO Server Zugriff"));
  EXPECT_EQ(FSet_SDO_Server_Access->TS_SDO_Write->Caption(), QStringLiteral("SDO Schreiben"));
  EXPECT_EQ(FSet_SDO_Server_Access->Btn_DelRow->Caption(), QStringLiteral("Delete Row"));
  // Texts only: the cells stay.
  EXPECT_EQ(Row_Of(FSet_PDO_Access->sga, 1), Rx1.join(u'|'));
  EXPECT_EQ(FSet_SDO_Server_Access->sgb->Cells(8, 3), QStringLiteral("kept"));
  EXPECT_EQ(FSet_SDO_Client_Access->sga->Cells(1, 1), QStringLiteral("0"));

  // The overlaid messages are the ones the checks show.
  FSet_PDO_Access->sga->SetCells(1, 1, QStringLiteral("0x800"));
  EXPECT_FALSE(FSet_PDO_Access->Controllo_dati());
  EXPECT_EQ(Answers.LastText(), QStringLiteral("Error row 1!! [Empfangs-PDO] COB-ID ausserhalb 0x000 bis 0x7FF"));
  EXPECT_FALSE(FSet_SDO_Client_Access->Controllo_dati());
  EXPECT_EQ(Answers.LastText(), QStringLiteral("Error row 1!! [SDO Lesen] Geraete-ID ausserhalb 1 bis 127"));
  FSet_SDO_Server_Access->sga->SetCells(1, 1, QStringLiteral("1"));
  EXPECT_FALSE(FSet_SDO_Server_Access->Controllo_dati());
  EXPECT_EQ(Answers.LastText(), QStringLiteral("Error row 1!! [SDO Lesen] Index ausserhalb 0x2000 bis 0x5FFF"));
}

namespace {

void Type_Row(TKvStringGrid* g, int row, const QStringList& cells)
{
  for (int c = 0; c < cells.size(); ++c)
    if (!cells.at(c).isEmpty())
      Type_Cell(g, c + 1, row, cells.at(c));
}

}  // namespace

TEST_F(CanopenProgram, TypedPdosAndObjectsWithOnChangeTickedBySpace)
{
  Click(FKalvoraFirmWare->Btn_PDO_CANopen, [&](TCustomForm* f) {
    TFSet_PDO_Access* w = FSet_PDO_Access;
    f->Show();
    QApplication::processEvents();
    w->sga->SetFocus();
    Type_Row(w->sga, 1, Rx1);
    Type_Row(w->sga, 2, Rx2);
    w->PageControl1->SetActivePage(w->TS_Transmit_PDO);
    w->sgb->SetFocus();
    QStringList tx = Tx1;
    tx[11] = QString();
    Type_Row(w->sgb, 1, tx);
    w->sgb->FocusCell(12, 1);
    QTest::keyClick(Focus(w->sgb), Qt::Key_Space);
    EXPECT_EQ(w->sgb->Cells(12, 1), QStringLiteral("Y"));
    w->Btn_OK->Click();
    EXPECT_EQ(f->ModalResult(), mrOk);
  });
  Click(FKalvoraFirmWare->Btn_SDO_Server_CANopen, [&](TCustomForm* f) {
    TFSet_SDO_Server_Access* w = FSet_SDO_Server_Access;
    f->Show();
    QApplication::processEvents();
    w->sga->SetFocus();
    Type_Row(w->sga, 1, Sdo_Read);
    w->PageControl1->SetActivePage(w->TS_SDO_Write);
    w->sgb->SetFocus();
    Type_Row(w->sgb, 1, Sdo_Write);
    w->Btn_OK->Click();
  });
  Click(FKalvoraFirmWare->Btn_PDO_CANopen, [&](TCustomForm*) {
    EXPECT_EQ(Row_Of(FSet_PDO_Access->sgb, 1), Tx1.join(u'|'));
  });
  Answers.QueueFile(Eds());
  Click(FKalvoraFirmWare->Btn_CANopen_EDS);
  const QByteArray sheet = Read_All(Eds());
  EXPECT_TRUE(sheet.contains("NrOfRXPDO=2\r\nNrOfTXPDO=1\r\n"));
  EXPECT_TRUE(sheet.contains("1=0x2000\r\n2=0x2100\r\n"));
  EXPECT_EQ(Checker_Faults(Eds()), QString());

  // The client window the same way: typed, OK, reopened.
  Click(FKalvoraFirmWare->Btn_SDO_Client_CANopen, [&](TCustomForm* f) {
    TFSet_SDO_Client_Access* w = FSet_SDO_Client_Access;
    f->Show();
    QApplication::processEvents();
    w->sga->SetFocus();
    Type_Row(w->sga, 1, Client_Read);
    w->PageControl1->SetActivePage(w->TS_SDO_Write);
    w->sgb->SetFocus();
    QStringList write = Client_Write;
    write[5] = QString();
    Type_Row(w->sgb, 1, write);
    w->sgb->FocusCell(6, 1);
    QTest::keyClick(Focus(w->sgb), Qt::Key_Space);
    w->Btn_OK->Click();
    EXPECT_EQ(f->ModalResult(), mrOk);
  });
  Click(FKalvoraFirmWare->Btn_SDO_Client_CANopen, [&](TCustomForm*) {
    EXPECT_EQ(Row_Of(FSet_SDO_Client_Access->sga, 1), Client_Read.join(u'|'));
    EXPECT_EQ(Row_Of(FSet_SDO_Client_Access->sgb, 1), Client_Write.join(u'|'));
  });
}
