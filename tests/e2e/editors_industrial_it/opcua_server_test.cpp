// The OPC UA server variables editor behind its step button: a variable of every kind of
// column, a position the check refuses, the row commands, OK, the file and a second
// opening.

#include "editor_user.h"

#include "editors_it/opcua_server_window.h"
#include "grid/kv_string_grid.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

using OpcUaServerVariables = TIndustrialEditorSession;

TEST_F(OpcUaServerVariables, TypedVariablesAreCheckedSavedAndShownAgain)
{
  using W = TFOPC_UA_Server_Access;
  Run([&](TE2eUser& u) {
    W* w = FOPC_UA_Server_Access;
    TKvStringGrid* g = w->KSG;
    Open_Window(u, FKalvoraFirmWare->Btn_OPC_UA_Server_Access, w);
    // A fixed-size type sets its length and the default access.
    Pick_Cell(u, g, W::Col_Type, 1, QStringLiteral("Float"));
    EXPECT_EQ(Cell(u, g, W::Col_Length, 1), QStringLiteral("4"));
    EXPECT_EQ(Cell(u, g, W::Col_RW, 1), QStringLiteral("Read/Write"));
    Type_Cell(u, g, W::Col_Position, 1, QStringLiteral("2000"));
    Type_Cell(u, g, W::Col_Name, 1, QStringLiteral("Flow"));
    Pick_Cell(u, g, W::Col_RW, 1, QStringLiteral("Read Only"));
    Type_Cell(u, g, W::Col_Mnemonic, 1, QStringLiteral("flow meter"));
    // A string's length is the user's.
    Pick_Cell(u, g, W::Col_Type, 2, QStringLiteral("String"));
    Type_Cell(u, g, W::Col_Length, 2, QStringLiteral("32"));
    Type_Cell(u, g, W::Col_Position, 2, QStringLiteral("4"));
    Type_Cell(u, g, W::Col_Name, 2, QStringLiteral("Tag"));
    Click_Check(u, g, W::Col_Enable, 2);

    EXPECT_EQ(Answer_After(u, w->Btn_OK, QStringLiteral("OK")),
              QStringLiteral("Error row 1!! Position Must be Between 0 and 2000"));
    Type_Cell(u, g, W::Col_Position, 1, QStringLiteral("8"));

    Select_Row(u, g, 1);
    u.Click(w->Btn_CopyRow);
    Select_Row(u, g, 3);
    u.Click(w->Btn_PasteRow);
    u.Wait(QStringLiteral("the pasted row"), [g] { return g->Cells(W::Col_Name, 3) == QLatin1String("Flow"); });
    Select_Row(u, g, 2);
    u.Click(w->Btn_InsRow);
    u.Wait(QStringLiteral("the inserted row"), [g] { return g->Cells(W::Col_Name, 3) == QLatin1String("Tag"); });
    EXPECT_EQ(Answer_After(u, w->Btn_DelRow, QStringLiteral("Yes")), QStringLiteral("Are you sure to delete the Row number 2"));
    u.Wait(QStringLiteral("the deleted row"), [g] { return g->Cells(W::Col_Name, 2) == QLatin1String("Tag"); });
    u.Snapshot(w, QStringLiteral("typed"));
    Close_With(u, w->Btn_OK, w);

    Open_Window(u, FKalvoraFirmWare->Btn_OPC_UA_Server_Access, w);
    EXPECT_EQ(Cell(u, g, W::Col_Length, 2), QStringLiteral("32"));
    EXPECT_FALSE(Checked(u, g, W::Col_Enable, 2));
    EXPECT_EQ(Cell(u, g, W::Col_RW, 3), QStringLiteral("Read Only"));
    u.Snapshot(w, QStringLiteral("reopened"));
    Close_With(u, w->Btn_Cancel, w);
  });

  const auto rows = Saved_Rows(WS().Name_File_OPC_UA_Server, {"OPC_UA_Server_Variables"});
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (TSaved_Row{{"Enable", "Y"}, {"Type", "Float"}, {"Position", "8"}, {"Length", "4"},
                                 {"Name", "Flow"}, {"ReadWrite", "Read Only"}, {"Mnemonic", "flow meter"}}));
  EXPECT_EQ(rows[1], (TSaved_Row{{"Enable", "N"}, {"Type", "String"}, {"Position", "4"}, {"Length", "32"},
                                 {"Name", "Tag"}, {"ReadWrite", "Read/Write"}, {"Mnemonic", ""}}));
  EXPECT_EQ(rows[2], rows[0]);
}
