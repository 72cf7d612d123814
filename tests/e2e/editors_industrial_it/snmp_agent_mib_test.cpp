// The SNMP agent editor and the MIB step behind their step buttons: read and write
// variables with every kind of column, a description the check refuses, the row
// commands, OK, the file, a second opening, and the MIB module written from what was saved.

#include "editor_user.h"
#include "e2e_places.h"

#include "editors_it/snmp_agent_window.h"
#include "grid/column_grid.h"
#include "platform/core/files.h"
#include "platform/ui/comctrls.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

#include <QFile>

using SnmpAgent = TIndustrialEditorSession;

namespace {
enum : int {
  Enable = 1, Community, Type, On_Change, On_CMD, On_Timer, Timer_Time, Position, Bit, Num_Bits, Description, IP,
  Conversion, Mnemonic
};
enum : int { W_Community = 2, W_Type, W_Position, W_Bit, W_Num_Bits, W_Description, W_Conversion, W_Mnemonic };
}  // namespace

TEST_F(SnmpAgent, TypedVariablesAreSavedShownAgainAndBecomeTheMibModule)
{
  const QString mib = Project_Dir() + QStringLiteral("/gateway.mib");
  Run([&](TE2eUser& u) {
    TFSNMP_Trap_Access* w = FSNMP_Trap_Access;
    TKvStringGrid* rd = w->KCG_SNMP_Read;
    Open_Window(u, FKalvoraFirmWare->Btn_SNMP_Trap, w);
    Type_Cell(u, rd, Community, 1, QStringLiteral("plant7"));
    Pick_Cell(u, rd, Type, 1, QStringLiteral("Int"));
    Click_Check(u, rd, On_Change, 1);
    Click_Check(u, rd, On_CMD, 1);
    Click_Check(u, rd, On_Timer, 1);
    Type_Cell(u, rd, Timer_Time, 1, QStringLiteral("500"));
    Pick_Cell(u, rd, Position, 1, QStringLiteral("4"));
    Pick_Cell(u, rd, Bit, 1, QStringLiteral("0"));
    Type_Cell(u, rd, Num_Bits, 1, QStringLiteral("16"));
    Type_Cell(u, rd, Description, 1, QStringLiteral("Temp"));
    Type_Cell(u, rd, IP, 1, QStringLiteral("192.168.2.1"));
    Pick_Cell(u, rd, Conversion, 1, QStringLiteral("Float * 10"));
    Type_Cell(u, rd, Mnemonic, 1, QStringLiteral("boiler"));

    // A description becomes an object name of the MIB module: it starts in lower case.
    EXPECT_EQ(Answer_After(u, w->Btn_OK, QStringLiteral("OK")),
              QStringLiteral("Error row 1!! [SNMP Read] Description is not correct (allowed characters are \"a\"..\"z\", "
                             "\"A\"..\"Z\" and \"0\"..\"9\"). First character must be a letter and must be lowercase"));
    Type_Cell(u, rd, Description, 1, QStringLiteral("temp"));

    // A second read variable from the first, disabled; an inserted row deleted again.
    Select_Row(u, rd, 1);
    u.Click(w->Btn_CopyRow);
    Select_Row(u, rd, 2);
    u.Click(w->Btn_PasteRow);
    u.Wait(QStringLiteral("the pasted row"), [rd] { return rd->Cells(Mnemonic, 2) == QLatin1String("boiler"); });
    Type_Cell(u, rd, Description, 2, QStringLiteral("temp2"));
    Click_Check(u, rd, Enable, 2);
    u.Click(w->Btn_InsRow);
    u.Wait(QStringLiteral("the inserted row"), [rd] { return rd->Cells(Description, 3) == QLatin1String("temp2"); });
    EXPECT_EQ(Answer_After(u, w->Btn_DelRow, QStringLiteral("Yes")), QStringLiteral("Are you sure to delete the Row number 2"));
    u.Wait(QStringLiteral("the deleted row"), [rd] { return rd->Cells(Description, 2) == QLatin1String("temp2"); });

    Click_Tab(u, w->PageControl1, 1);
    TKvStringGrid* wr = w->KCG_SNMP_Write;
    Pick_Cell(u, wr, W_Community, 1, QStringLiteral("private"));
    Pick_Cell(u, wr, W_Type, 1, QStringLiteral("String"));
    Pick_Cell(u, wr, W_Position, 1, QStringLiteral("2"));
    Pick_Cell(u, wr, W_Bit, 1, QStringLiteral("0"));
    Type_Cell(u, wr, W_Num_Bits, 1, QStringLiteral("8"));
    Type_Cell(u, wr, W_Description, 1, QStringLiteral("label"));
    Pick_Cell(u, wr, W_Conversion, 1, QStringLiteral("None"));
    Type_Cell(u, wr, W_Mnemonic, 1, QStringLiteral("display"));
    u.Snapshot(w, QStringLiteral("typed"));
    Close_With(u, w->Btn_OK, w);

    Open_Window(u, FKalvoraFirmWare->Btn_SNMP_Trap, w);
    EXPECT_EQ(Cell(u, rd, Description, 1), QStringLiteral("temp"));
    EXPECT_EQ(Cell(u, rd, Enable, 2), QStringLiteral("N"));
    EXPECT_EQ(Cell(u, wr, W_Description, 1), QStringLiteral("label"));
    u.Snapshot(w, QStringLiteral("reopened"));
    Close_With(u, w->Btn_Cancel, w);

    Press_Hidden(u, FKalvoraFirmWare->Btn_SNMP_MIB);
    u.Choose_File(mib);
    u.Wait(QStringLiteral("the MIB module"), [&] { return FileExists(mib); });
  });

  const auto read = Saved_Rows(WS().Name_File_SNMP_Trap, {"SNMP_Trap_Read"});
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0], (TSaved_Row{{"Enable", "Y"}, {"Community_Name", "plant7"}, {"Type", "Int"}, {"On_Change", "Y"},
                                 {"On_Command", "Y"}, {"On_Timer", "Y"}, {"Time", "500"}, {"Position", "4"}, {"Bit", "0"},
                                 {"NumBits", "16"}, {"Description", "temp"}, {"IP_Address", "192.168.2.1"},
                                 {"Conversion", "Float * 10"}, {"Mnemonic", "boiler"}}));
  EXPECT_EQ(read[1].value("Enable"), "N");
  const auto write = Saved_Rows(WS().Name_File_SNMP_Trap, {"SNMP_Trap_Write"});
  ASSERT_EQ(write.size(), 1u);
  EXPECT_EQ(write[0], (TSaved_Row{{"Enable", "Y"}, {"Community_Name", "private"}, {"Type", "String"}, {"Position", "2"},
                                  {"Bit", "0"}, {"NumBits", "8"}, {"Description", "label"}, {"Conversion", "None"},
                                  {"Mnemonic", "display"}}));

  // The enabled variables are the module's objects; the disabled one takes no number.
  QFile f(mib);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray text = f.readAll();
  EXPECT_TRUE(text.startsWith("GATEWAY DEFINITIONS ::= BEGIN\r\n"));
  EXPECT_TRUE(text.contains("temp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"temp\" "
                            "::= { bufferinval 1 }"));
  EXPECT_FALSE(text.contains("temp2"));
  EXPECT_TRUE(text.contains("label OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write"));
  EXPECT_TRUE(text.endsWith("END\r\n"));
}
