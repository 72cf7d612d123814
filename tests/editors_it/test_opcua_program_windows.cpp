// The OPC UA windows inside the started program: the main window's hidden buttons open
// the client and the server variables editors, a server added through the dialog keeps
// the variables entered for it, and a language change relabels the four windows.

#include "editors_it/opcua_client_window.h"
#include "editors_it/opcua_scan_dialog.h"
#include "editors_it/opcua_server_dialog.h"
#include "editors_it/opcua_server_window.h"

#include "grid/column_grid.h"
#include "platform/core/files.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/stdctrls.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "shell/program_windows.h"
#include "shell/window_set.h"

#include "support/program_test.h"
#include "support/file_bytes.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

class OpcUaProgram : public TProgramTest {
protected:
  // Runs a hidden button's click handler; act runs in each window it opens.
  QStringList Click(TLbButton* b, const std::function<int(TCustomForm*)>& act)
  {
    QStringList shown;
    TModalScope scope([&](TCustomForm* f) {
      shown << f->ClassName();
      return act(f);
    });
    EXPECT_FALSE(b->Visible());
    EXPECT_TRUE(bool(b->OnClick));
    if (b->OnClick)
      b->OnClick(b);
    return shown;
  }

  TDialogResponder Answers;
};

}  // namespace

TEST_F(OpcUaProgram, TheClientStepAddsAServerAndKeepsItsVariablesThroughAMouseOk)
{
  TFOPC_UA_Client_Access* F = FOPC_UA_Client_Access;
  const QStringList shown = Click(FKalvoraFirmWare->Btn_OPC_UA_Client_Access, [&](TCustomForm* f) {
    if (f == FOPC_UA_Add_Server) {
      FOPC_UA_Add_Server->E_Server_Add->SetText(QStringLiteral("opc.tcp://127.0.0.1:4840"));
      return int(mrOk);
    }
    EXPECT_EQ(F->KCG_OPC_UA_Server->RowCount(), 2);
    EXPECT_EQ(F->KCG_OPC_UA_Var_R->Cells(1, 1), QStringLiteral("Y"));
    F->Btn_Add_Server->Click();
    F->KCG_OPC_UA_Server->SetRow(1);
    F->KCG_OPC_UA_Var_R->SetFocus();
    QApplication::processEvents();
    F->KCG_OPC_UA_Var_Enter(F->KCG_OPC_UA_Var_R);  // as the focus gain reports it
    const QStringList cells = {"Y", "Temp", "Numeric", "7", "Float", "1", "100", "0", "oven"};
    for (int c = 0; c < cells.size(); ++c)
      F->KCG_OPC_UA_Var_R->SetCells(c + 1, 1, cells.at(c));
    F->KCG_OPC_UA_Var_R->SetCells(2, 2, QStringLiteral("Level"));
    F->KCG_OPC_UA_Var_R->SetCells(5, 2, QStringLiteral("Int16"));
    F->KCG_OPC_UA_Var_R->SetCells(7, 2, QStringLiteral("100"));
    F->KCG_OPC_UA_Var_R->SetCells(8, 2, QStringLiteral("4"));
    QTest::mouseClick(F->Btn_OK, Qt::LeftButton, {}, QPoint(20, 10));
    QApplication::processEvents();
    EXPECT_EQ(f->ModalResult(), mrOk);
    return int(mrNone);
  });
  EXPECT_EQ(shown, (QStringList{QStringLiteral("TFOPC_UA_Client_Access"), QStringLiteral("TFOPC_UA_Add_Server")}));
  const TOPC_UA_Client_Load back = Read_OPC_UA_Client_File(WS().Name_File_OPC_UA_Client);
  ASSERT_EQ(back.Servers.size(), 1u);
  ASSERT_EQ(back.Servers[0].Var_List_R.size(), 2u);
  EXPECT_EQ(back.Servers[0].Var_List_R[0].Mnemonic, QStringLiteral("oven"));
  EXPECT_EQ(back.Servers[0].Var_List_R[1].DispalyName, QStringLiteral("Level"));
  EXPECT_TRUE(Answers.Requests.empty());
}

TEST_F(OpcUaProgram, TheServerStepOpensTheServerVariablesEditor)
{
  const QStringList shown = Click(FKalvoraFirmWare->Btn_OPC_UA_Server_Access, [&](TCustomForm*) {
    FOPC_UA_Server_Access->KSG->SetCells(TFOPC_UA_Server_Access::Col_Type, 1, QStringLiteral("Int16"));
    FOPC_UA_Server_Access->KSG->SetCells(TFOPC_UA_Server_Access::Col_Position, 1, QStringLiteral("0"));
    FOPC_UA_Server_Access->Btn_OK->Click();
    return int(mrNone);
  });
  EXPECT_EQ(shown, QStringList{QStringLiteral("TFOPC_UA_Server_Access")});
  EXPECT_TRUE(Read_All(WS().Name_File_OPC_UA_Server).contains("Type=\"Int16\""));
}

TEST_F(OpcUaProgram, ALanguageChangeRelabelsTheFourWindows)
{
  const QString lang = Dir.filePath(QStringLiteral("Deutsch.lng"));
  Write_All(lang, "STR4300 = OPC UA Client Zugriff\r\nSTR4500 = OPC UA Server hinzufuegen\r\n"
                  "STR4600 = OPC UA Server durchsuchen\r\nSTR4700 = OPC UA Server Variablen\r\n"
                  "STR4346 = Aktiv\r\n");
  ASSERT_TRUE(Load_Lang_File(lang));
  FKalvoraFirmWare->Change_Language();
  EXPECT_EQ(FOPC_UA_Client_Access->Caption(), QStringLiteral("OPC UA Client Zugriff"));
  EXPECT_EQ(FOPC_UA_Client_Access->KCG_OPC_UA_Var_R->Columns()->Items(1)->Header(), QStringLiteral("Aktiv"));
  EXPECT_EQ(FOPC_UA_Add_Server->Caption(), QStringLiteral("OPC UA Server hinzufuegen"));
  EXPECT_EQ(FOPC_UA_Scan_Server->Caption(), QStringLiteral("OPC UA Server durchsuchen"));
  EXPECT_EQ(FOPC_UA_Server_Access->Caption(), QStringLiteral("OPC UA Server Variablen"));
}

namespace {

QWidget* Focus_Of(TKvStringGrid* g)
{
  return QApplication::focusWidget() ? QApplication::focusWidget() : static_cast<QWidget*>(g);
}

void Type_Cell(TKvStringGrid* g, int col, int row, const QString& text)
{
  g->FocusCell(col, row);
  for (const QChar ch : text) QTest::keyClicks(Focus_Of(g), QString(ch));  // the first key opens the editor
  QTest::keyClick(Focus_Of(g), Qt::Key_Return);
  QApplication::processEvents();
}

}  // namespace

TEST_F(OpcUaProgram, ReadVariablesTypedIntoTheGridReachTheFileThroughTheFocusExit)
{
  TFOPC_UA_Client_Access* F = FOPC_UA_Client_Access;
  Click(FKalvoraFirmWare->Btn_OPC_UA_Client_Access, [&](TCustomForm* f) {
    if (f == FOPC_UA_Add_Server) {
      FOPC_UA_Add_Server->E_Server_Add->SetText(QStringLiteral("opc.tcp://127.0.0.1:4840"));
      return int(mrOk);
    }
    f->Show();
    F->Btn_Add_Server->Click();
    F->KCG_OPC_UA_Server->SetRow(1);
    TKvColumnGrid* g = F->KCG_OPC_UA_Var_R;
    g->SetFocus();
    QApplication::processEvents();
    const char* rows[2][4] = {{"Temp", "Float", "100", "0"}, {"Level", "Int16", "250", "4"}};
    for (int r = 1; r <= 2; ++r) {
      Type_Cell(g, 2, r, QString::fromLatin1(rows[r - 1][0]));
      Type_Cell(g, 5, r, QString::fromLatin1(rows[r - 1][1]));
      Type_Cell(g, 7, r, QString::fromLatin1(rows[r - 1][2]));
      Type_Cell(g, 8, r, QString::fromLatin1(rows[r - 1][3]));
    }
    QTest::mouseClick(F->Btn_OK, Qt::LeftButton, {}, QPoint(20, 10));
    QApplication::processEvents();
    EXPECT_EQ(f->ModalResult(), mrOk);
    return int(mrNone);
  });
  const TOPC_UA_Client_Load back = Read_OPC_UA_Client_File(WS().Name_File_OPC_UA_Client);
  ASSERT_EQ(back.Servers.size(), 1u);
  ASSERT_EQ(back.Servers[0].Var_List_R.size(), 2u);
  EXPECT_EQ(back.Servers[0].Var_List_R[1].Position, QStringLiteral("4"));
}
