// The S7 editor behind its step button: a read rule with every kind of column, a poll
// time the check refuses, the row commands with their questions and refusals, a write
// rule, OK, the file and a second opening.

#include "editor_user.h"
#include "e2e_places.h"

#include "editors_industrial/s7_protocol_window.h"
#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

using S7Editor = TIndustrialEditorSession;

TEST_F(S7Editor, TypedRulesAreCheckedSavedAndShownAgain)
{
  using W = TFS7_Protocol_Set_Access;
  Run([&](TE2eUser& u) {
    W* w = FS7_Protocol_Set_Access;
    TKvStringGrid* rd = w->KCG_S7_Read;
    Open_Window(u, FKalvoraFirmWare->Btn_S7_Protocol_Access, w);
    Type_Cell(u, rd, W::Col_PLC_Address, 1, QStringLiteral("192.168.1.10"));
    Type_Cell(u, rd, W::Col_PLC_Port, 1, QStringLiteral("102"));
    Pick_Cell(u, rd, W::Col_PLC_Type, 1, QStringLiteral("S71500"));
    Type_Cell(u, rd, W::Col_Rack, 1, QStringLiteral("0"));
    Type_Cell(u, rd, W::Col_Slot, 1, QStringLiteral("1"));
    Pick_Cell(u, rd, 7, 1, QStringLiteral("Int"));
    Pick_Cell(u, rd, 8, 1, QStringLiteral("DB"));
    Type_Cell(u, rd, 9, 1, QStringLiteral("5"));
    Pick_Cell(u, rd, 10, 1, QStringLiteral("Flags (M) (Merker)"));
    Type_Cell(u, rd, 11, 1, QStringLiteral("10"));
    Pick_Cell(u, rd, 12, 1, QStringLiteral("0"));
    Type_Cell(u, rd, 13, 1, QStringLiteral("0"));
    Type_Cell(u, rd, W::Read_Position_Col, 1, QStringLiteral("12"));
    Pick_Cell(u, rd, 15, 1, QStringLiteral("7"));
    Click_Check(u, rd, 16, 1);
    Click_Check(u, rd, 17, 1);
    Type_Cell(u, rd, 18, 1, QStringLiteral("level"));

    // A read rule polls at least every millisecond.
    EXPECT_EQ(Answer_After(u, w->Btn_OK, QStringLiteral("OK")),
              QStringLiteral("Error row 1!! [S7comm Read] Poll Time must be between 1 and 100000000"));
    Type_Cell(u, rd, 13, 1, QStringLiteral("100"));

    // Pasting over a used row asks first; a copy in the read grid is no row for the write grid.
    Select_Row(u, rd, 1);
    u.Click(w->Btn_CopyRow);
    EXPECT_EQ(Answer_After(u, w->Btn_PasteRow, QStringLiteral("Yes")),
              QStringLiteral("Row Already used. Do you want to overwrite the values?"));
    Select_Row(u, rd, 2);
    u.Click(w->Btn_PasteRow);
    u.Wait(QStringLiteral("the pasted row"), [rd] { return rd->Cells(18, 2) == QLatin1String("level"); });
    Type_Cell(u, rd, W::Col_PLC_Port, 2, QStringLiteral("103"));
    u.Click(w->Btn_InsRow);
    u.Wait(QStringLiteral("the inserted row"), [rd] { return rd->Cells(W::Col_PLC_Port, 3) == QLatin1String("103"); });
    EXPECT_EQ(Answer_After(u, w->Btn_DelRow, QStringLiteral("Yes")), QStringLiteral("Are you sure to delete the Row number 2"));
    u.Wait(QStringLiteral("the deleted row"), [rd] { return rd->Cells(W::Col_PLC_Port, 2) == QLatin1String("103"); });

    Click_Tab(u, w->PageControl1, W::Write);
    TKvStringGrid* wr = w->KCG_S7_Write;
    Select_Row(u, wr, 1);
    EXPECT_EQ(Answer_After(u, w->Btn_PasteRow, QStringLiteral("OK")), QStringLiteral("Error!!! Copy a valid row before Paste it"));
    // A write rule kept for later: disabled, so not checked yet.
    Type_Cell(u, wr, W::Col_PLC_Address, 1, QStringLiteral("10.0.0.2"));
    Click_Check(u, wr, W::Col_Enable, 1);
    Click_Check(u, wr, 14, 1);
    Pick_Cell(u, wr, W::Write_Position_Col + 1, 1, QStringLiteral("2"));
    u.Snapshot(w, QStringLiteral("typed"));
    Close_With(u, w->Btn_OK, w);

    // The window opens on the read page again, with the rules.
    Open_Window(u, FKalvoraFirmWare->Btn_S7_Protocol_Access, w);
    EXPECT_EQ(u.Ui([w] { return w->PageControl1->ActivePageIndex(); }), int(W::Read));
    EXPECT_EQ(Cell(u, rd, 10, 1), QStringLiteral("Flags (M) (Merker)"));
    EXPECT_EQ(Cell(u, rd, W::Col_PLC_Port, 2), QStringLiteral("103"));
    EXPECT_EQ(Cell(u, wr, W::Col_Enable, 1), QStringLiteral("N"));
    u.Snapshot(w, QStringLiteral("reopened"));
    Close_With(u, w->Btn_Cancel, w);
  });

  const auto read = Saved_Rows(WS().Name_File_S7_Protocol, {"S7_Protocol_Read"});
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0], (TSaved_Row{{"Enable", "Y"}, {"PLC_Address", "192.168.1.10"}, {"PLC_Port", "102"},
                                 {"PLC_Type", "S71500"}, {"Rack", "0"}, {"Slot", "1"}, {"Data_Type", "Int"},
                                 {"Data_Identifier", "DB"}, {"DB_Number", "5"}, {"PLC_Area", "Flags (M) (Merker)"},
                                 {"PLC_Add", "10"}, {"PLC_Bit", "0"}, {"PollTime", "100"}, {"Position", "12"},
                                 {"Bit", "7"}, {"Swap", "Y"}, {"SwapWord", "Y"}, {"Mnemonic", "level"}}));
  EXPECT_EQ(read[1].value("PLC_Port"), "103");
  const auto write = Saved_Rows(WS().Name_File_S7_Protocol, {"S7_Protocol_Write"});
  ASSERT_EQ(write.size(), 1u);
  EXPECT_EQ(write[0].value("Enable"), "N");
  EXPECT_EQ(write[0].value("OnChange"), "Y");
  EXPECT_EQ(write[0].value("Bit"), "2");
}
