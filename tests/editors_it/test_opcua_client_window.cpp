// The OPC UA client rules editor on a temporary project: servers through the dialog,
// variables written back from the grids, the checks, automatic positions, deleting a
// server, partial loads and a render.

#include "editors_it/opcua_client_window.h"

#include "editors_it/opcua_client_file.h"
#include "editors_it/opcua_server_dialog.h"
#include "editors_it/opcua_texts.h"
#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/stdctrls.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/rule_editor_frame.h"
#include "common/working_state.h"

#include "support/file_bytes.h"
#include "support/modal_show.h"
#include "support/test_project.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

TOPC_UA_Variable Var(const char* name, const char* type, const char* time = "100", const char* position = "0",
                     bool enable = true)
{
  TOPC_UA_Variable v;
  v.Enable = enable;
  v.DispalyName = QString::fromLatin1(name);
  v.SetNodeType(QStringLiteral("Numeric"));
  v.SetNodeID(QStringLiteral("1001"));
  v.SetVarType(QString::fromLatin1(type));
  v.OnChange = v.OnCMD = v.OnTimer = QStringLiteral("N");
  v.Time = QString::fromLatin1(time);
  v.Position = QString::fromLatin1(position);
  return v;
}

TOPC_UA_Server Srv(const char* address)
{
  TOPC_UA_Server s;
  s.Enable = true;
  s.ServerAddress = QString::fromLatin1(address);
  s.Authorization = QStringLiteral("Anonymous");
  s.SecurityType = QStringLiteral("None");
  s.SecurityPolicy = QStringLiteral("None");
  return s;
}

class OpcUaClientWindow : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Tmp.isValid());
    Previous = Install_Test_Project(Tmp);
    Add_Lang_Block_Source(&OPC_UA_Client_Lang_Blocks);
    Add_Lang_Block_Source(&OPC_UA_Add_Server_Lang_Blocks);
    Init_Lang_Table();
    Dialog = std::make_unique<TFOPC_UA_Add_Server>();
    Dialog->DoCreate();
    FOPC_UA_Add_Server = Dialog.get();
    Form = std::make_unique<TFOPC_UA_Client_Access>();
    Form->DoCreate();
  }
  void TearDown() override
  {
    Form.reset();
    FOPC_UA_Add_Server = nullptr;
    Dialog.reset();
    Install_Working_State(std::move(Previous));
  }

  QString File() const { return WS().Name_File_OPC_UA_Client; }
  TKvColumnGrid* R() const { return Form->KCG_OPC_UA_Var_R; }
  TKvColumnGrid* W() const { return Form->KCG_OPC_UA_Var_W; }

  // Shows the editor; the server dialog, when opened, gets its fields from Fill and OK.
  int Show(const std::function<void()>& act, const std::function<void(TFOPC_UA_Add_Server*)>& fill = {})
  {
    TModalScope scope([&](TCustomForm* f) {
      if (f == Dialog.get()) {
        if (fill)
          fill(Dialog.get());
        Dialog->Btn_OK->Click();
        return int(mrNone);
      }
      act();
      return int(mrNone);
    });
    return Form->ShowModal();
  }

  // Types a read variable into a row as the grid's editor would leave it.
  void Type_Read(int r, const char* name, const char* type, const char* time, const char* position)
  {
    R()->SetCells(2, r, QString::fromLatin1(name));
    R()->SetCells(3, r, QStringLiteral("Numeric"));
    R()->SetCells(4, r, QStringLiteral("7"));
    R()->SetCells(5, r, QString::fromLatin1(type));
    R()->SetCells(6, r, QStringLiteral("2"));
    R()->SetCells(7, r, QString::fromLatin1(time));
    R()->SetCells(8, r, QString::fromLatin1(position));
  }

  QTemporaryDir Tmp;
  std::unique_ptr<TWorkingState> Previous;
  TDialogResponder Answers;
  std::unique_ptr<TFOPC_UA_Add_Server> Dialog;
  std::unique_ptr<TFOPC_UA_Client_Access> Form;
};

TEST_F(OpcUaClientWindow, ANewProjectShowsOneEmptyServerRowAndEnabledVariableRows)
{
  Show([&] {
    EXPECT_EQ(Form->KCG_OPC_UA_Server->RowCount(), 2);
    EXPECT_EQ(Form->KCG_OPC_UA_Server->Cells(2, 1), QString());
    EXPECT_EQ(R()->RowCount(), 1025);
    EXPECT_EQ(R()->Cells(1, 1), QStringLiteral("Y"));
    EXPECT_EQ(W()->Cells(1, 1024), QStringLiteral("Y"));
    EXPECT_EQ(W()->Cells(2, 1), QString());
    EXPECT_EQ(Form->Selected_Server(), -1);
  });
  EXPECT_TRUE(Message_Texts(Answers).isEmpty());
}

TEST_F(OpcUaClientWindow, AServerAddedThroughTheDialogKeepsTheVariablesTypedForIt)
{
  for (bool focusExit : {true, false}) {
    SCOPED_TRACE(focusExit ? "focus exit" : "programmatic OK");
    QFile::remove(File());
    const int result = Show(
        [&] {
          Form->Btn_Add_Server->Click();
          ASSERT_EQ(Form->OPC_UA_Server_List.size(), 1u);
          EXPECT_EQ(Form->KCG_OPC_UA_Server->Cells(2, 1), QStringLiteral("opc.tcp://127.0.0.1:4840"));
          Form->KCG_OPC_UA_Server->SetRow(1);
          Form->KCG_OPC_UA_Var_Enter(R());
          Type_Read(1, "Temp", "Float", "100", "0");
          Type_Read(2, "Level", "Int16", "250", "4");
          if (focusExit)
            Form->KCG_OPC_UA_Var_Exit(R());
          Form->Btn_OK->Click();
        },
        [](TFOPC_UA_Add_Server* d) { d->E_Server_Add->SetText(QStringLiteral("opc.tcp://127.0.0.1:4840")); });
    EXPECT_EQ(result, mrOk);
    const TOPC_UA_Client_Load back = Read_OPC_UA_Client_File(File());
    ASSERT_EQ(back.Servers.size(), 1u);
    const TOPC_UA_Server& s = back.Servers[0];
    EXPECT_EQ(s.Authorization, QStringLiteral("Anonymous"));
    ASSERT_EQ(s.Var_List_R.size(), 2u);
    EXPECT_EQ(s.Var_List_R[0].DispalyName, QStringLiteral("Temp"));
    EXPECT_EQ(s.Var_List_R[0].VarType(), QStringLiteral("Float"));
    EXPECT_EQ(s.Var_List_R[0].numeric, 7u);
    EXPECT_EQ(s.Var_List_R[1].Position, QStringLiteral("4"));
    EXPECT_EQ(s.Var_List_R[1].nameSpaceIndex, 2);
    EXPECT_TRUE(s.Var_List_W.empty());
  }
}

TEST_F(OpcUaClientWindow, TheChecksNameServerAndVariable)
{
  struct Case {
    const char* Name;
    std::function<void(TOPC_UA_Server&)> Edit;
    const char* Message;  // empty: passes
  } cases[] = {
      {"read time 0", [](TOPC_UA_Server& s) { s.Var_List_R = {Var("a", "Int16", "0")}; },
       "Error in Server Number 1 in Read Variable 1!! Time must be major to 0"},
      {"disabled read time 0", [](TOPC_UA_Server& s) { s.Var_List_R = {Var("a", "Int16", "0", "0", false)}; }, ""},
      {"write timer N, no time", [](TOPC_UA_Server& s) { s.Var_List_W = {Var("a", "Int16", "")}; }, ""},
      {"write timer Y, no time",
       [](TOPC_UA_Server& s) {
         s.Var_List_W = {Var("a", "Int16", "")};
         s.Var_List_W[0].OnTimer = QStringLiteral("Y");
       },
       "Error in Server Number 1 in Write Variable 1!! Time cannot be empty"},
      {"position 1499", [](TOPC_UA_Server& s) { s.Var_List_R = {Var("a", "Int16", "10", "1499")}; }, ""},
      {"read position 1500",
       [](TOPC_UA_Server& s) { s.Var_List_R = {Var("a", "Int16", "10", "0"), Var("b", "Int16", "10", "1500")}; },
       "Error in Server Number 1 in Read Variable 2!! Position must be between 0 and 1499"},
      {"write position 1500", [](TOPC_UA_Server& s) { s.Var_List_W = {Var("a", "Int16", "", "1500")}; },
       "Error in Server Number 1 in Write Variable 1!! Position must be between 0 and 1499"},
      {"browsed: no time", [](TOPC_UA_Server& s) { s.Var_List_R = {Var("a", "Int16", "", "")}; },
       "Error in Server Number 1 in Read Variable 1!! Time cannot be empty"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TOPC_UA_Server s = Srv("opc.tcp://127.0.0.1:4840");
    c.Edit(s);
    Write_OPC_UA_Client_File(File(), {s});
    Answers.Requests.clear();
    const int result = Show([&] { Form->Btn_OK->Click(); });
    const QString expected = QString::fromLatin1(c.Message);
    EXPECT_EQ(result == mrOk, expected.isEmpty());
    EXPECT_EQ(Message_Texts(Answers), expected.isEmpty() ? QStringList() : QStringList{expected});
  }
}

TEST_F(OpcUaClientWindow, AutomaticPositionsFollowTheTypesAndTheServerAbove)
{
  TOPC_UA_Server first = Srv("opc.tcp://127.0.0.1:1");
  first.Var_List_R = {Var("a", "Int16"), Var("b", "Float"), Var("c", "String")};
  first.Var_List_W = {Var("d", "DateTime"), Var("e", "Guid", "100", "0", false), Var("f", "Byte")};
  TOPC_UA_Server second = Srv("opc.tcp://127.0.0.1:2");
  second.Var_List_R = {Var("g", "Double"), Var("h", "Boolean")};
  second.Var_List_W = {Var("i", "Int32")};
  TOPC_UA_Server third = Srv("opc.tcp://127.0.0.1:3");
  third.Var_List_R = {Var("j", "Int16")};
  Write_OPC_UA_Client_File(File(), {first, second, third});
  Show([&] {
    Form->KCG_OPC_UA_Server->SetRow(1);
    Form->Btn_AutoPosition->Click();
    EXPECT_EQ(R()->Cells(8, 1), QStringLiteral("0"));
    EXPECT_EQ(R()->Cells(8, 2), QStringLiteral("2"));
    EXPECT_EQ(R()->Cells(8, 3), QStringLiteral("6"));
    EXPECT_EQ(W()->Cells(11, 2), QStringLiteral("8"));   // after a DateTime
    EXPECT_EQ(W()->Cells(11, 3), QStringLiteral("24"));  // after a Guid, disabled too
    Form->KCG_OPC_UA_ServerClickCell(Form->KCG_OPC_UA_Server, 2, 1);
    Form->Btn_AutoPosition->Click();
    EXPECT_EQ(R()->Cells(8, 1), QStringLiteral("26"));
    EXPECT_EQ(R()->Cells(8, 2), QStringLiteral("34"));
    EXPECT_EQ(W()->Cells(11, 1), QStringLiteral("25"));  // "Byte" is no type name: it reads Boolean, 1 byte
    // A huge position above is summed without overflow.
    Form->OPC_UA_Server_List[1].Var_List_R[1].Position = QStringLiteral("9000000000");
    int64_t read = 0, write = 0;
    Form->Start_Position(2, read, write);
    EXPECT_EQ(read, 9000000001LL);
  });
  EXPECT_EQ(Message_Texts(Answers).size(), 2);  // the two questions
}

TEST_F(OpcUaClientWindow, EditsAfterDeletingAServerGoToTheNewlySelectedOne)
{
  TOPC_UA_Server a = Srv("opc.tcp://127.0.0.1:1");
  a.Var_List_R = {Var("a", "Int16")};
  TOPC_UA_Server b = Srv("opc.tcp://127.0.0.1:2");
  b.Var_List_R = {Var("b", "Int16")};
  Write_OPC_UA_Client_File(File(), {a, b});
  Answers.QueueResult(mrYes);
  Show([&] {
    Form->KCG_OPC_UA_Server->SetRow(1);
    Form->Btn_Delete_Server->Click();
    ASSERT_EQ(Form->OPC_UA_Server_List.size(), 1u);
    EXPECT_EQ(R()->Cells(2, 1), QStringLiteral("b"));
    Form->KCG_OPC_UA_Var_Enter(R());
    R()->SetCells(2, 1, QStringLiteral("b2"));
    Form->KCG_OPC_UA_Var_Exit(R());
    EXPECT_EQ(Form->OPC_UA_Server_List[0].Var_List_R[0].DispalyName, QStringLiteral("b2"));
  });
}

TEST_F(OpcUaClientWindow, GridEditsWithoutAServerStoreNothing)
{
  Show([&] {
    Form->KCG_OPC_UA_Var_Enter(R());
    EXPECT_EQ(Form->Ind_Server, -1);
    Type_Read(1, "x", "Int16", "1", "0");
    Form->KCG_OPC_UA_Var_Exit(R());
    EXPECT_TRUE(Form->OPC_UA_Server_List.empty());
    Form->Btn_OK->Click();
  });
  EXPECT_TRUE(Read_OPC_UA_Client_File(File()).Servers.empty());
}

TEST_F(OpcUaClientWindow, ClickingAnotherServerFirstSavesTheGridIntoTheOldOne)
{
  Write_OPC_UA_Client_File(File(), {Srv("opc.tcp://127.0.0.1:1"), Srv("opc.tcp://127.0.0.1:2")});
  Show([&] {
    Form->KCG_OPC_UA_Server->SetRow(1);
    Form->KCG_OPC_UA_Var_Enter(W());
    W()->SetCells(2, 1, QStringLiteral("w"));
    W()->SetCells(11, 1, QStringLiteral("3"));
    Form->KCG_OPC_UA_ServerClickCell(Form->KCG_OPC_UA_Server, 2, 2);
    EXPECT_EQ(W()->Cells(2, 1), QString());
    ASSERT_EQ(Form->OPC_UA_Server_List[0].Var_List_W.size(), 1u);
    EXPECT_EQ(Form->OPC_UA_Server_List[0].Var_List_W[0].Position, QStringLiteral("3"));
    EXPECT_TRUE(Form->OPC_UA_Server_List[1].Var_List_W.empty());
  });
}

TEST_F(OpcUaClientWindow, APartialFileIsReportedAndOkAsksBeforeReplacingIt)
{
  Write_OPC_UA_Client_File(File(), {Srv("opc.tcp://127.0.0.1:1"), Srv("opc.tcp://127.0.0.1:2"),
                                    Srv("opc.tcp://127.0.0.1:3")});
  QByteArray bytes = Read_All(File());
  const int second = bytes.indexOf("opc.tcp://127.0.0.1:2");
  const int attr = bytes.indexOf("SecurityType", second);
  ASSERT_GT(attr, 0);
  bytes.replace(attr, 12, "SecurityKind");
  Write_All(File(), bytes);
  Answers.QueueResult(mrOk);
  Answers.QueueResult(mrNo);
  const int result = Show([&] {
    EXPECT_EQ(Form->OPC_UA_Server_List.size(), 1u);
    Form->Btn_OK->Click();
  });
  EXPECT_NE(result, mrOk);
  const QStringList texts = Message_Texts(Answers);
  ASSERT_EQ(texts.size(), 2);
  EXPECT_TRUE(texts[0].contains(QStringLiteral("SecurityType"))) << texts[0].toStdString();
  EXPECT_EQ(texts[1], Lang_Str(Rule_Text_Replace_Partial_File));
  EXPECT_EQ(Read_All(File()), bytes);
}

TEST_F(OpcUaClientWindow, AVariableListLongerThanTheGridLoadsItsFirst1024)
{
  TOPC_UA_Server s = Srv("opc.tcp://127.0.0.1:1");
  for (int i = 0; i < 1030; ++i)
    s.Var_List_R.push_back(Var("v", "Byte", "10", "0"));
  s.Var_List_R[1023].DispalyName = QStringLiteral("last shown");
  Write_OPC_UA_Client_File(File(), {s});
  const QByteArray bytes = Read_All(File());
  Answers.QueueResult(mrOk);
  Answers.QueueResult(mrNo);
  Show([&] {
    EXPECT_EQ(R()->Cells(2, 1024), QStringLiteral("last shown"));
    EXPECT_EQ(Form->OPC_UA_Server_List[0].Var_List_R.size(), 1024u);
    Form->Btn_OK->Click();
  });
  const QStringList texts = Message_Texts(Answers);
  ASSERT_EQ(texts.size(), 2);
  EXPECT_TRUE(texts[0].contains(QStringLiteral("6"))) << texts[0].toStdString();
  EXPECT_EQ(texts[1], Lang_Str(Rule_Text_Replace_Partial_File));
  EXPECT_EQ(Read_All(File()), bytes);
}

TEST_F(OpcUaClientWindow, RendersToPng)
{
  TOPC_UA_Server s = Srv("opc.tcp://127.0.0.1:4840");
  s.Mnemonic = QStringLiteral("Line 1");
  s.Var_List_R = {Var("Temp", "Float", "100", "0"), Var("Level", "Int16", "250", "4")};
  s.Var_List_W = {Var("Setpoint", "Double", "", "0")};
  Write_OPC_UA_Client_File(File(), {s, Srv("opc.tcp://127.0.0.1:4841")});
  Show([&] {
    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), 1150);
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/opcua_client_window.png")));
  });
}

}  // namespace
