// The OPC UA client editor behind its step button, with the server dialog and the scan
// it opens: a server added, refused while its fields are missing, modified and deleted;
// a server browsed through the stand-in browse library on the loopback, its variables
// marked, positioned, typed beside a variable of the user's own, the row commands, OK,
// the file and a second opening.

#include "editor_user.h"
#include "e2e_places.h"

#include "editors_it/opcua_browse.h"
#include "editors_it/opcua_client_file.h"
#include "editors_it/opcua_client_window.h"
#include "editors_it/opcua_scan_dialog.h"
#include "editors_it/opcua_server_dialog.h"
#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/richedit.h"
#include "platform/ui/stdctrls.h"
#include "common/lb_button.h"
#include "shell/main_window.h"
#include "shell/loopback_stub.h"

#include "../../editors_it/opcua_stub_reply.h"

using OpcUaClient = TIndustrialEditorSession;

namespace {

enum : int { Enable = 1, Name, Node_Type, Node_ID, Var_Type, NSI, Read_Time, Position, Mnemonic };
enum : int { W_On_Change = 7, W_On_CMD, W_On_Timer, W_Time, W_Position, W_Mnemonic };

void Type_Field(TE2eUser& User, TWinControl* Field, const QString& Text)
{
  User.Click(Field);
  User.Keys(QStringLiteral("ctrl+a"));
  User.Type(Text);
}

void Pick_Combo(TE2eUser& User, TComboBox* Combo, const QString& Item)
{
  User.Click(Combo);
  Pick_From_Popup(User, Item);
  User.Wait(QStringLiteral("'%1' chosen").arg(Item), [Combo, Item] { return Combo->Text() == Item; });
}

}  // namespace

// Disabled: the server and scan dialogs, modal windows, do not take the clicks and keys on
// this bare X server (their combo lists never open; open fault).
TEST_F(OpcUaClient, DISABLED_ServerIsAddedRefusedModifiedAndDeletedThroughItsDialog)
{
  Run([&](TE2eUser& u) {
    TFOPC_UA_Client_Access* w = FOPC_UA_Client_Access;
    TFOPC_UA_Add_Server* d = FOPC_UA_Add_Server;
    TKvStringGrid* servers = w->KCG_OPC_UA_Server;
    Open_Window(u, FKalvoraFirmWare->Btn_OPC_UA_Client_Access, w);

    u.Click(w->Btn_Add_Server);
    u.Wait_Shown(d);
    EXPECT_EQ(u.Ui([d] { return d->Caption(); }), QStringLiteral("Add OPC UA Server"));
    EXPECT_EQ(Answer_After(u, d->Btn_OK, QStringLiteral("OK")), QStringLiteral("Error!! The Server Address cannot be empty"));
    Type_Field(u, d->E_Server_Add, QStringLiteral("opc.tcp://10.0.0.5:4840"));
    Pick_Combo(u, d->CB_Auth, QStringLiteral("Username and Password"));
    u.Wait(QStringLiteral("the user name field"), [d] { return d->E_User->Visible() && d->ClientHeight() == 372; });
    Type_Field(u, d->E_User, QStringLiteral("operator"));
    EXPECT_EQ(Answer_After(u, d->Btn_OK, QStringLiteral("OK")), QStringLiteral("Error!! The Password cannot be empty"));
    Type_Field(u, d->E_Pass, QStringLiteral("pw1"));
    Pick_Combo(u, d->CB_Sec_Type, QStringLiteral("Sign"));
    Pick_Combo(u, d->CB_Sec_Policy, QStringLiteral("Basic 256"));
    Type_Field(u, d->E_Mnemonic, QStringLiteral("line 1"));
    u.Snapshot(d, QStringLiteral("added"));
    Close_With(u, d->Btn_OK, d, w);
    u.Wait(QStringLiteral("the server's row"), [servers] { return servers->Cells(2, 1) == QLatin1String("opc.tcp://10.0.0.5:4840"); });

    // A double click on its row modifies it: security type None takes the policy along.
    u.Double_Click_Cell(servers, 3, 1);
    u.Wait_Shown(d);
    EXPECT_EQ(u.Ui([d] { return d->Caption(); }), QStringLiteral("Modify OPC UA Server"));
    EXPECT_EQ(u.Ui([d] { return d->E_User->Text(); }), QStringLiteral("operator"));
    Pick_Combo(u, d->CB_Sec_Type, QStringLiteral("None"));
    EXPECT_EQ(u.Ui([d] { return d->CB_Sec_Policy->Text(); }), QStringLiteral("None"));
    EXPECT_FALSE(u.Ui([d] { return d->CB_Sec_Policy->Enabled(); }));
    Close_With(u, d->Btn_OK, d, w);

    // A second server, deleted again: Cancel keeps it, Yes deletes it.
    u.Click(w->Btn_Add_Server);
    u.Wait_Shown(d);
    Type_Field(u, d->E_Server_Add, QStringLiteral("opc.tcp://10.0.0.6:4840"));
    Close_With(u, d->Btn_OK, d, w);
    u.Wait(QStringLiteral("two servers"), [servers] { return servers->RowCount() == 3; });
    u.Click_Cell(servers, 2, 2);
    EXPECT_EQ(Answer_After(u, w->Btn_Delete_Server, QStringLiteral("Cancel")),
              QStringLiteral("Do you really want to delete the selected OPC UA Server?"));
    EXPECT_EQ(u.Ui([servers] { return servers->RowCount(); }), 3);
    Answer_After(u, w->Btn_Delete_Server, QStringLiteral("Yes"));
    u.Wait(QStringLiteral("one server"), [servers] { return servers->RowCount() == 2; });
    u.Snapshot(w, QStringLiteral("servers"));
    Close_With(u, w->Btn_OK, w);
  });

  const auto servers = Saved_Rows(WS().Name_File_OPC_UA_Client, {"OPC_UA_Server_List"});
  ASSERT_EQ(servers.size(), 1u);
  EXPECT_EQ(servers[0], (TSaved_Row{{"Enable", "1"}, {"ServerAddress", "opc.tcp://10.0.0.5:4840"},
                                    {"Authorization", "Username and Password"}, {"UserName", "operator"},
                                    {"Password", "pw1"}, {"Certificate", ""}, {"PrivateKey", ""},
                                    {"SecurityType", "None"}, {"SecurityPolicy", "None"}, {"Mnemonic", "line 1"}}));
}

// Disabled: the server and scan dialogs, modal windows, do not take the clicks and keys on
// this bare X server (their combo lists never open; open fault).
TEST_F(OpcUaClient, DISABLED_ScannedAndTypedVariablesAreCheckedSavedAndShownAgain)
{
  // A server on the loopback whose browse finds a readable, a writable and a read-write variable.
  TLoopbackHttpStub browse(Numeric(11, "Temperature", 1) + Numeric(12, "Setpoint", 2) + Numeric(13, "Mode", 3));
  TOPC_UA_Server server;
  server.Enable = true;
  server.ServerAddress = QStringLiteral("opc.tcp://127.0.0.1:%1").arg(browse.Port());
  server.Authorization = server.SecurityType = server.SecurityPolicy = QStringLiteral("None");
  server.Authorization = QStringLiteral("Anonymous");
  Write_OPC_UA_Client_File(WS().Name_File_OPC_UA_Client, {server});
  Set_OPC_UA_Search_Folder_For_Tests(QStringLiteral(KV_OPCUA_STUB_DIR));

  Run([&](TE2eUser& u) {
    TFOPC_UA_Client_Access* w = FOPC_UA_Client_Access;
    TFOPC_UA_Scan_Server* s = FOPC_UA_Scan_Server;
    TKvStringGrid* found = s->KCG_OPC_UA_Scan_Var;
    Open_Window(u, FKalvoraFirmWare->Btn_OPC_UA_Client_Access, w);
    u.Click(w->Btn_Scan_Server);
    u.Wait_Shown(s);
    u.Wait(QStringLiteral("the browsed variables"), [found] { return found->RowCount() == 4 && found->Cells(3, 3) == QLatin1String("Mode"); });
    EXPECT_EQ(Cell(u, found, 8, 1), QStringLiteral("Read"));
    EXPECT_EQ(Cell(u, found, 8, 2), QStringLiteral("Write"));
    EXPECT_EQ(Cell(u, found, 8, 3), QStringLiteral("Read/Write"));
    // Write only Setpoint: clear the marks, tick its box again.
    u.Click(s->Btn_ClearAllWrite);
    u.Wait(QStringLiteral("the write marks cleared"), [found] { return found->Cells(TFOPC_UA_Scan_Server::Col_Write, 2) == QLatin1String("N"); });
    Click_Check(u, found, TFOPC_UA_Scan_Server::Col_Write, 2);
    u.Snapshot(s, QStringLiteral("scanned"));
    Close_With(u, s->Btn_OK, s, w);

    TKvStringGrid* rd = w->KCG_OPC_UA_Var_R;
    u.Wait(QStringLiteral("the read variables"), [rd] { return rd->Cells(Name, 2) == QLatin1String("Mode"); });
    EXPECT_EQ(Cell(u, rd, Name, 1), QStringLiteral("Temperature"));
    EXPECT_EQ(Answer_After(u, w->Btn_AutoPosition, QStringLiteral("Yes")),
              QStringLiteral("With this operation all the positions for this Server OPC UA will be overwritten. Do you want to continue?"));
    u.Wait(QStringLiteral("the positions"), [rd] { return rd->Cells(Position, 2) == QLatin1String("4"); });
    Type_Cell(u, rd, Read_Time, 1, QStringLiteral("100"));
    EXPECT_EQ(Answer_After(u, w->Btn_OK, QStringLiteral("OK")),
              QStringLiteral("Error in Server Number 1 in Read Variable 2!! Time cannot be empty"));
    Type_Cell(u, rd, Read_Time, 2, QStringLiteral("200"));

    // A variable of the user's own, then a copy of it; an inserted row deleted again.
    Type_Cell(u, rd, Name, 3, QStringLiteral("Level"));
    Pick_Cell(u, rd, Node_Type, 3, QStringLiteral("String"));
    Type_Cell(u, rd, Node_ID, 3, QStringLiteral("Tank.Level"));
    Pick_Cell(u, rd, Var_Type, 3, QStringLiteral("Float"));
    Type_Cell(u, rd, NSI, 3, QStringLiteral("2"));
    Type_Cell(u, rd, Read_Time, 3, QStringLiteral("50"));
    Type_Cell(u, rd, Position, 3, QStringLiteral("8"));
    Type_Cell(u, rd, Mnemonic, 3, QStringLiteral("tank"));
    Select_Row(u, rd, 3);
    u.Click(w->Btn_CopyRow);
    Select_Row(u, rd, 4);
    u.Click(w->Btn_PasteRow);
    u.Wait(QStringLiteral("the pasted row"), [rd] { return rd->Cells(Node_ID, 4) == QLatin1String("Tank.Level"); });
    Type_Cell(u, rd, Name, 4, QStringLiteral("Level2"));
    Click_Check(u, rd, Enable, 4);
    u.Click(w->Btn_InsRow);
    u.Wait(QStringLiteral("the inserted row"), [rd] { return rd->Cells(Name, 5) == QLatin1String("Level2"); });
    EXPECT_EQ(Cell(u, rd, Enable, 4), QStringLiteral("Y"));
    EXPECT_EQ(Answer_After(u, w->Btn_DelRow, QStringLiteral("Yes")), QStringLiteral("Are you sure to delete the Row number 4"));
    u.Wait(QStringLiteral("the deleted row"), [rd] { return rd->Cells(Name, 4) == QLatin1String("Level2"); });

    Click_Tab(u, w->PC_OPC_UA_Vars, 1);
    TKvStringGrid* wr = w->KCG_OPC_UA_Var_W;
    EXPECT_EQ(Cell(u, wr, Name, 1), QStringLiteral("Setpoint"));
    EXPECT_EQ(Cell(u, wr, Name, 2), QString());
    Click_Check(u, wr, W_On_Change, 1);
    Type_Cell(u, wr, W_Mnemonic, 1, QStringLiteral("set"));
    u.Snapshot(w, QStringLiteral("typed"));
    Close_With(u, w->Btn_OK, w);

    Open_Window(u, FKalvoraFirmWare->Btn_OPC_UA_Client_Access, w);
    EXPECT_EQ(Cell(u, rd, Node_ID, 3), QStringLiteral("Tank.Level"));
    EXPECT_EQ(Cell(u, rd, Enable, 4), QStringLiteral("N"));
    EXPECT_EQ(Cell(u, wr, W_On_Change, 1), QStringLiteral("Y"));
    u.Snapshot(w, QStringLiteral("reopened"));
    Close_With(u, w->Btn_Cancel, w);
  });
  Set_OPC_UA_Search_Folder_For_Tests(QString());

  const QString file = WS().Name_File_OPC_UA_Client;
  const QStringList server_path = {"OPC_UA_Server_List", "OPC_UA_Server", "OPC_UA_Variables"};
  const auto read = Saved_Rows(file, server_path + QStringList{"OPC_UA_Read_Var"});
  ASSERT_EQ(read.size(), 4u);
  EXPECT_EQ(read[0].value("DisplayName"), "Temperature");
  EXPECT_EQ(read[0].value("NodeID"), "11");
  EXPECT_EQ(read[1].value("Time"), "200");
  EXPECT_EQ(read[2], (TSaved_Row{{"Enable", "1"}, {"DisplayName", "Level"}, {"NodeType", "String"},
                                 {"NodeID", "Tank.Level"}, {"VarType", "Float"}, {"NameSpaceIndex", "2"},
                                 {"OnChange", "0"}, {"OnCMD", "0"}, {"OnTimer", "0"}, {"Time", "50"},
                                 {"Position", "8"}, {"Mnemonic", "tank"}}));
  EXPECT_EQ(read[3].value("Enable"), "0");
  const auto write = Saved_Rows(file, server_path + QStringList{"OPC_UA_Write_Var"});
  ASSERT_EQ(write.size(), 1u);
  EXPECT_EQ(write[0].value("DisplayName"), "Setpoint");
  EXPECT_EQ(write[0].value("OnChange"), "1");
  EXPECT_EQ(write[0].value("Position"), "0");
  EXPECT_EQ(write[0].value("Mnemonic"), "set");
}
