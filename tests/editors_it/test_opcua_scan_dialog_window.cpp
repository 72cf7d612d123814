// Browsing from the OPC UA client editor through the stand-in browse library and a
// loopback stub: the request, the listed variables and their marks, what OK, Yes, No
// and Cancel add, the failures, and a render of the dialog with results.

#include "editors_it/opcua_client_window.h"
#include "editors_it/opcua_scan_dialog.h"
#include "editors_it/opcua_server_dialog.h"
#include "editors_it/opcua_texts.h"

#include "grid/column_grid.h"
#include "platform/core/files.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/stdctrls.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/rule_editor_frame.h"
#include "common/working_state.h"

#include "shell/loopback_stub.h"
#include "support/modal_show.h"
#include "support/test_project.h"

#include "opcua_stub_reply.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

TOPC_UA_Server Server_At(int port)
{
  TOPC_UA_Server s;
  s.Enable = true;
  s.ServerAddress = QStringLiteral("opc.tcp://127.0.0.1:%1").arg(port);
  s.Authorization = QStringLiteral("Anonymous");
  s.SecurityType = QStringLiteral("None");
  s.SecurityPolicy = QStringLiteral("None");
  return s;
}

TOPC_UA_Variable Old(const char* name)
{
  TOPC_UA_Variable v;
  v.Enable = true;
  v.DispalyName = QString::fromLatin1(name);
  v.Time = QStringLiteral("100");
  v.Position = QStringLiteral("0");
  return v;
}

class OpcUaScan : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Tmp.isValid());
    Previous = Install_Test_Project(Tmp);
    Set_OPC_UA_Search_Folder_For_Tests(QString::fromUtf8(KV_OPCUA_STUB_DIR));
    Add_Lang_Block_Source(&OPC_UA_Client_Lang_Blocks);
    Add_Lang_Block_Source(&OPC_UA_Add_Server_Lang_Blocks);
    Add_Lang_Block_Source(&OPC_UA_Scan_Lang_Blocks);
    Init_Lang_Table();
    Dialog = std::make_unique<TFOPC_UA_Add_Server>();
    Dialog->DoCreate();
    FOPC_UA_Add_Server = Dialog.get();
    Scan = std::make_unique<TFOPC_UA_Scan_Server>();
    Scan->DoCreate();
    FOPC_UA_Scan_Server = Scan.get();
    Form = std::make_unique<TFOPC_UA_Client_Access>();
    Form->DoCreate();
  }
  void TearDown() override
  {
    Form.reset();
    FOPC_UA_Scan_Server = nullptr;
    Scan.reset();
    FOPC_UA_Add_Server = nullptr;
    Dialog.reset();
    Set_OPC_UA_Search_Folder_For_Tests(QString());
    Install_Working_State(std::move(Previous));
  }

  // Shows the editor with the servers of the file; in the browse dialog the timer fires,
  // In_Scan runs and the dialog ends with Scan_Result.
  void Show(const std::function<void()>& act)
  {
    TModalScope scope([&](TCustomForm* f) {
      if (f == Scan.get()) {
        Scans++;
        EXPECT_TRUE(Scan->Timer_Scan->Enabled());
        EXPECT_TRUE(Scan->LWaiting->Visible());
        Scan->Timer_Scan->Tick();
        if (In_Scan)
          In_Scan();
        return Scan_Result;
      }
      if (f == Dialog.get()) {
        if (Fill)
          Fill(Dialog.get());
        Dialog->Btn_OK->Click();
        return int(mrNone);
      }
      act();
      return int(mrNone);
    });
    Form->ShowModal();
  }

  TKvColumnGrid* Result() const { return Scan->KCG_OPC_UA_Scan_Var; }
  const TOPC_UA_Server& First() const { return Form->OPC_UA_Server_List.at(0); }

  QTemporaryDir Tmp;
  std::unique_ptr<TWorkingState> Previous;
  TDialogResponder Answers;
  std::unique_ptr<TFOPC_UA_Add_Server> Dialog;
  std::unique_ptr<TFOPC_UA_Scan_Server> Scan;
  std::unique_ptr<TFOPC_UA_Client_Access> Form;
  std::function<void()> In_Scan;
  std::function<void(TFOPC_UA_Add_Server*)> Fill;
  int Scan_Result = mrOk;
  int Scans = 0;
};

TEST_F(OpcUaScan, TheRequestCarriesWhatTheServerDialogSet)
{
  TLoopbackHttpStub stub("");
  Fill = [&](TFOPC_UA_Add_Server* d) {
    d->E_Server_Add->SetText(QStringLiteral("opc.tcp://127.0.0.1:%1").arg(stub.Port()));
    d->CB_Auth->SetItemIndex(1);
    d->E_User->SetText(QStringLiteral("operator"));
    d->E_Pass->SetText(QStringLiteral("pw"));
    d->CB_Sec_Type->SetItemIndex(2);
    d->CB_Sec_Policy->SetItemIndex(4);
  };
  Show([&] {
    Form->Btn_Add_Server->Click();
    Form->KCG_OPC_UA_Server->SetRow(1);
    Form->Btn_Scan_Server->Click();
  });
  const std::map<std::string, std::string> f = Fields(stub.Request());
  EXPECT_EQ(f.at("server_address"), "opc.tcp://127.0.0.1:" + std::to_string(stub.Port()));
  EXPECT_EQ(f.at("user_pass_auth_flag"), "1");
  EXPECT_EQ(f.at("username"), "operator");
  EXPECT_EQ(f.at("password"), "pw");
  EXPECT_EQ(f.at("security_type"), "2");
  EXPECT_EQ(f.at("security_policy"), "4");
}

TEST_F(OpcUaScan, TheListShowsAccessMarksAndIdentifiers)
{
  TLoopbackHttpStub stub(Numeric(11, "R", 1) + Numeric(12, "W", 2) + Numeric(13, "RW", 3) + Numeric(14, "Z", 0) +
                         Found(3, 4, 0, "", 0x0102030A, 0x0B0C, 0x0D0E, "0F10111213141516", "", "G", 12, 3));
  Write_OPC_UA_Client_File(WS().Name_File_OPC_UA_Client, {Server_At(stub.Port())});
  In_Scan = [&] {
    ASSERT_EQ(Result()->RowCount(), 6);
    EXPECT_FALSE(Scan->LWaiting->Visible());
    const char* rows[][4] = {{"Y", "N", "R", "Read"},
                             {"N", "Y", "W", "Write"},
                             {"Y", "Y", "RW", "Read/Write"},
                             {"Y", "Y", "Z", "Read/Write"},
                             {"Y", "Y", "G", "Read/Write"}};
    for (int r = 1; r <= 5; ++r) {
      SCOPED_TRACE(r);
      EXPECT_EQ(Result()->Cells(1, r), QString::fromLatin1(rows[r - 1][0]));
      EXPECT_EQ(Result()->Cells(2, r), QString::fromLatin1(rows[r - 1][1]));
      EXPECT_EQ(Result()->Cells(3, r), QString::fromLatin1(rows[r - 1][2]));
      EXPECT_EQ(Result()->Cells(8, r), QString::fromLatin1(rows[r - 1][3]));
    }
    EXPECT_EQ(Result()->Cells(4, 5), QStringLiteral("Guid"));
    EXPECT_EQ(Result()->Cells(5, 5), QStringLiteral("0102030A-0B0C-0D0E-0F10-111213141516"));
    EXPECT_EQ(Result()->Cells(6, 5), QStringLiteral("DateTime"));
    EXPECT_EQ(Result()->Cells(7, 5), QStringLiteral("3"));
    EXPECT_EQ(Result()->Cells(5, 1), QStringLiteral("11"));
  };
  Show([&] { Form->Btn_Scan_Server->Click(); });
  EXPECT_EQ(Scans, 1);
  // No variables before: added without a question, each by its mark.
  EXPECT_TRUE(Message_Texts(Answers).isEmpty());
}

TEST_F(OpcUaScan, OkAppendsReplacesOrKeepsByTheAnswer)
{
  struct Case {
    const char* Name;
    int Answer;      // to 4391; 4392 is asked only when write variables exist (none here)
    bool Clear_Read; // "Clear All R" before OK
    QStringList Read;
  } cases[] = {
      {"clear all R, Yes", mrYes, true, {QStringLiteral("old")}},
      {"Yes appends", mrYes, false, {QStringLiteral("old"), QStringLiteral("A"), QStringLiteral("C")}},
      {"No replaces", mrNo, false, {QStringLiteral("A"), QStringLiteral("C")}},
      {"Cancel keeps", mrCancel, false, {QStringLiteral("old")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TLoopbackHttpStub stub(Numeric(1, "A", 1) + Numeric(2, "B", 2) + Numeric(3, "C", 3));
    TOPC_UA_Server s = Server_At(stub.Port());
    s.Var_List_R = {Old("old")};
    Write_OPC_UA_Client_File(WS().Name_File_OPC_UA_Client, {s});
    Answers.Requests.clear();
    Answers.QueueResult(c.Answer);
    In_Scan = [&] {
      if (c.Clear_Read)
        Scan->Btn_ClearAllRead->Click();
    };
    Show([&] {
      Form->Btn_Scan_Server->Click();
      QStringList read;
      for (const TOPC_UA_Variable& v : First().Var_List_R)
        read << v.DispalyName;
      EXPECT_EQ(read, c.Read);
      ASSERT_EQ(First().Var_List_W.size(), 2u);  // B and C are marked Write
      EXPECT_EQ(First().Var_List_W[0].DispalyName, QStringLiteral("B"));
      EXPECT_EQ(Form->KCG_OPC_UA_Var_W->Cells(2, 2), QStringLiteral("C"));  // redrawn
      EXPECT_TRUE(First().Var_List_W[0].Enable);
      EXPECT_TRUE(First().Var_List_W[0].Time.isEmpty());
      EXPECT_TRUE(First().Var_List_W[0].Position.isEmpty());
    });
    EXPECT_EQ(Message_Texts(Answers), QStringList{Lang_Str(4391)});
  }
}

TEST_F(OpcUaScan, CancelInTheDialogChangesAndRedrawsNothing)
{
  TLoopbackHttpStub stub(Numeric(1, "A", 3));
  TOPC_UA_Server s = Server_At(stub.Port());
  s.Var_List_R = {Old("old")};
  Write_OPC_UA_Client_File(WS().Name_File_OPC_UA_Client, {s});
  Scan_Result = mrCancel;
  Show([&] {
    Form->KCG_OPC_UA_Var_R->SetCells(9, 5, QStringLiteral("unsaved view"));
    Form->Btn_Scan_Server->Click();
    EXPECT_EQ(First().Var_List_R.size(), 1u);
    EXPECT_TRUE(First().Var_List_W.empty());
    EXPECT_EQ(Form->KCG_OPC_UA_Var_R->Cells(9, 5), QStringLiteral("unsaved view"));
  });
  EXPECT_TRUE(Message_Texts(Answers).isEmpty());
}

TEST_F(OpcUaScan, NoServerNothingFoundAndLibraryFailures)
{
  // No selected server: the message and no dialog.
  Show([&] { Form->Btn_Scan_Server->Click(); });
  EXPECT_EQ(Scans, 0);
  EXPECT_EQ(Message_Texts(Answers), QStringList{Lang_Str(4390)});

  // A count of 0: an empty table, nothing asked or added.
  Answers.Requests.clear();
  TOPC_UA_Server nowhere = Server_At(1);
  nowhere.ServerAddress = QStringLiteral("opc.tcp://192.0.2.1:4840");  // refused by the stand-in, never dialled
  nowhere.Var_List_R = {Old("old")};
  Write_OPC_UA_Client_File(WS().Name_File_OPC_UA_Client, {nowhere});
  In_Scan = [&] {
    EXPECT_EQ(Result()->RowCount(), 2);
    EXPECT_EQ(Result()->Cells(3, 1), QString());
  };
  Show([&] {
    Form->Btn_Scan_Server->Click();
    EXPECT_EQ(First().Var_List_R.size(), 1u);
  });
  EXPECT_TRUE(Message_Texts(Answers).isEmpty());

  // The library missing, then its second entry point.
  QTemporaryDir empty;
  struct Case {
    QString Folder, Detail;
    int Text;
  } cases[] = {{empty.path(), PathJoin(empty.path(), QStringLiteral("libOPC_UA_Search.so")), 4630},
               {QString::fromUtf8(KV_OPCUA_STUB_NO_RETURN_DIR), QStringLiteral("opcua_return_variable"), 4631}};
  for (const Case& c : cases) {
    Set_OPC_UA_Search_Folder_For_Tests(c.Folder);
    Answers.Requests.clear();
    In_Scan = [&] { EXPECT_EQ(Result()->RowCount(), 2); };
    Show([&] {
      Form->Btn_Scan_Server->Click();
      EXPECT_EQ(First().Var_List_R.size(), 1u);
    });
    EXPECT_EQ(Message_Texts(Answers), QStringList{Lang_Str(c.Text) + u'\n' + c.Detail});
  }
}

TEST_F(OpcUaScan, BrowsedVariablesStopTheChecksUntilFilled)
{
  TLoopbackHttpStub stub(Numeric(1, "A", 1));
  Write_OPC_UA_Client_File(WS().Name_File_OPC_UA_Client, {Server_At(stub.Port())});
  Show([&] {
    Form->Btn_Scan_Server->Click();
    Form->Btn_OK->Click();
    EXPECT_EQ(Form->ModalResult(), mrNone);
  });
  EXPECT_EQ(Message_Texts(Answers),
            QStringList{QStringLiteral("Error in Server Number 1 in Read Variable 1!! Time cannot be empty")});
}

TEST_F(OpcUaScan, ABrowseAppendsAtMostTheGridsRows)
{
  std::string reply;
  for (int i = 0; i < 1030; ++i)
    reply += Numeric(unsigned(i), "v" + std::to_string(i), 1);
  TLoopbackHttpStub stub(reply);
  Write_OPC_UA_Client_File(WS().Name_File_OPC_UA_Client, {Server_At(stub.Port())});
  Show([&] {
    Form->Btn_Scan_Server->Click();
    EXPECT_EQ(First().Var_List_R.size(), 1024u);
    EXPECT_EQ(Form->KCG_OPC_UA_Var_R->Cells(2, 1024), QStringLiteral("v1023"));
  });
  const QStringList texts = Message_Texts(Answers);
  ASSERT_EQ(texts.size(), 1);
  EXPECT_TRUE(texts[0].startsWith(QStringLiteral("6 "))) << texts[0].toStdString();
}

TEST_F(OpcUaScan, RendersTheDialogWithResultsToPng)
{
  TLoopbackHttpStub stub(Numeric(11, "Temperature", 1) + Numeric(12, "Setpoint", 2) + Numeric(13, "Mode", 3) +
                         Found(3, 4, 0, "", 0x0102030A, 0x0B0C, 0x0D0E, "0F10111213141516", "", "Stamp", 12, 0));
  Write_OPC_UA_Client_File(WS().Name_File_OPC_UA_Client, {Server_At(stub.Port())});
  In_Scan = [&] {
    QApplication::processEvents();
    const QImage img = Scan->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), 1035);
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/opcua_scan_dialog.png")));
  };
  Scan_Result = mrCancel;
  Show([&] { Form->Btn_Scan_Server->Click(); });
}

}  // namespace
