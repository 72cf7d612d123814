// The SNMP manager editor behind its step button: a version 3 rule with every kind of
// column, a timer the check refuses, a duplicate request and its message, the row
// commands, OK, the file and a second opening.

#include "editor_user.h"

#include "editors_it/snmp_manager_window.h"
#include "grid/column_grid.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

using SnmpManager = TIndustrialEditorSession;

namespace {
enum : int {
  Enable = 1, IP, Version, Community, OID, Type, Mode, On_Change, On_CMD, On_Timer, Time, Position, Num_Bytes,
  Conversion, Cancel, User, Auth_Pass, Priv_Pass, Security_Level, Auth_Mode, Priv_Mode, Mnemonic
};
}  // namespace

TEST_F(SnmpManager, TypedRulesAreCheckedSavedAndShownAgain)
{
  Run([&](TE2eUser& u) {
    TFSNMPManagerAccess* w = FSNMPManagerAccess;
    TKvStringGrid* g = w->KCG_SNMP;
    Open_Window(u, FKalvoraFirmWare->Btn_SNMP_Manager_Access, w);
    Type_Cell(u, g, IP, 1, QStringLiteral("192.168.2.50"));
    Pick_Cell(u, g, Version, 1, QStringLiteral("3"));
    Type_Cell(u, g, Community, 1, QStringLiteral("plant7"));
    Type_Cell(u, g, OID, 1, QStringLiteral("1.3.6.1.2.1.1.5.0"));
    Pick_Cell(u, g, Type, 1, QStringLiteral("String"));
    Pick_Cell(u, g, Mode, 1, QStringLiteral("Get"));
    Click_Check(u, g, On_Change, 1);
    Click_Check(u, g, On_CMD, 1);
    Click_Check(u, g, On_Timer, 1);
    Type_Cell(u, g, Time, 1, QStringLiteral("0"));
    Pick_Cell(u, g, Position, 1, QStringLiteral("5"));
    Type_Cell(u, g, Num_Bytes, 1, QStringLiteral("16"));
    Pick_Cell(u, g, Conversion, 1, QStringLiteral("Float * 10"));
    Click_Check(u, g, Cancel, 1);
    Type_Cell(u, g, User, 1, QStringLiteral("admin"));
    Type_Cell(u, g, Auth_Pass, 1, QStringLiteral("secret1"));
    Type_Cell(u, g, Priv_Pass, 1, QStringLiteral("secret2"));
    Pick_Cell(u, g, Security_Level, 1, QStringLiteral("Auth Priv"));
    Pick_Cell(u, g, Auth_Mode, 1, QStringLiteral("SHA"));
    Pick_Cell(u, g, Priv_Mode, 1, QStringLiteral("AES"));
    Type_Cell(u, g, Mnemonic, 1, QStringLiteral("name"));

    EXPECT_EQ(Answer_After(u, w->Btn_OK, QStringLiteral("OK")),
              QStringLiteral("Error row 1!! Time must be between 1 and 100000000 ms"));
    Type_Cell(u, g, Time, 1, QStringLiteral("1000"));

    // A copy asks the same agent the same object: refused until its OID differs.
    Select_Row(u, g, 1);
    u.Click(w->Btn_CopyRow);
    Select_Row(u, g, 2);
    u.Click(w->Btn_PasteRow);
    u.Wait(QStringLiteral("the pasted row"), [g] { return g->Cells(Mnemonic, 2) == QLatin1String("name"); });
    EXPECT_EQ(Answer_After(u, w->Btn_OK, QStringLiteral("OK")),
              QStringLiteral("Error in rows 1 and 2!! Same IP Address, Version and OID used"));
    Type_Cell(u, g, OID, 2, QStringLiteral("1.3.6.1.2.1.1.6.0"));
    Pick_Cell(u, g, Community, 2, QStringLiteral("private"));
    u.Click(w->Btn_InsRow);
    u.Wait(QStringLiteral("the inserted row"), [g] { return g->Cells(OID, 3) == QLatin1String("1.3.6.1.2.1.1.6.0"); });
    EXPECT_EQ(Answer_After(u, w->Btn_DelRow, QStringLiteral("Yes")), QStringLiteral("Are you sure to delete the Row number 2"));
    u.Wait(QStringLiteral("the deleted row"), [g] { return g->Cells(OID, 2) == QLatin1String("1.3.6.1.2.1.1.6.0"); });
    u.Snapshot(w, QStringLiteral("typed"));
    Close_With(u, w->Btn_OK, w);

    Open_Window(u, FKalvoraFirmWare->Btn_SNMP_Manager_Access, w);
    EXPECT_EQ(Cell(u, g, Security_Level, 1), QStringLiteral("Auth Priv"));
    EXPECT_EQ(Cell(u, g, Community, 2), QStringLiteral("private"));
    u.Snapshot(w, QStringLiteral("reopened"));
    Close_With(u, w->Btn_Cancel, w);
  });

  const auto rows = Saved_Rows(WS().Name_File_SNMP_Manager);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (TSaved_Row{{"Enable", "Y"}, {"IP_Address", "192.168.2.50"}, {"Version", "3"},
                                 {"Community_String", "plant7"}, {"OID", "1.3.6.1.2.1.1.5.0"}, {"Type", "String"},
                                 {"Mode", "Get"}, {"On_Change", "Y"}, {"On_Command", "Y"}, {"On_Timer", "Y"},
                                 {"Time", "1000"}, {"Position", "5"}, {"Number_Bytes", "16"}, {"ConvertFrom", "Float * 10"},
                                 {"Cancel", "Y"}, {"User", "admin"}, {"Auth_Pass", "secret1"}, {"Priv_Pass", "secret2"},
                                 {"Security_Level", "Auth Priv"}, {"Auth_Mode", "SHA"}, {"Priv_Mode", "AES"},
                                 {"Mnemonic", "name"}}));
  EXPECT_EQ(rows[1].value("OID"), "1.3.6.1.2.1.1.6.0");
  EXPECT_EQ(rows[1].value("Community_String"), "private");
}
