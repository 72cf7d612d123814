// The IEC 61850 server variables editor behind its step button: every kind of column of
// one variable, a position the device has not and its message, each row command, OK,
// the file and a second opening.

#include "editor_user.h"

#include "editors_industrial/iec_variables_window.h"
#include "grid/column_grid.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

using IecServerVariables = TIndustrialEditorSession;

TEST_F(IecServerVariables, TypedVariableIsCheckedSavedAndShownAgain)
{
  using W = TFIEC61850_Variables;
  Run([&](TE2eUser& u) {
    W* w = FIEC61850_Variables;
    TKvStringGrid* g = w->KCG;
    Open_Window(u, FKalvoraFirmWare->Btn_IEC61850_Access, w);
    Type_Cell(u, g, W::Col_Name, 1, QStringLiteral("Temp"));
    Pick_Cell(u, g, W::Col_Type, 1, QStringLiteral("Digital (Bit)"));
    Type_Cell(u, g, W::Col_Length, 1, QStringLiteral("1"));
    Click_Check(u, g, W::Col_ReadOnly, 1);
    Type_Cell(u, g, W::Col_Position, 1, QStringLiteral("1438"));
    Pick_Cell(u, g, W::Col_StartBit, 1, QStringLiteral("3"));
    Pick_Cell(u, g, W::Col_Conversion, 1, QStringLiteral("Int to Float"));
    Type_Cell(u, g, W::Col_Factor, 1, QStringLiteral("10"));
    Click_Check(u, g, W::Col_Swap, 1);
    Click_Check(u, g, W::Col_SwapWord, 1);
    Type_Cell(u, g, W::Col_Mnemonic, 1, QStringLiteral("boiler"));

    // The position lies past the device's data: OK names it and keeps the window open.
    EXPECT_EQ(Answer_After(u, w->Btn_OK, QStringLiteral("OK")),
              QStringLiteral("Error row 1!! Position must be between 0 and 1437"));
    EXPECT_TRUE(u.Ui([w] { return w->isVisible(); }));
    Type_Cell(u, g, W::Col_Position, 1, QStringLiteral("12"));

    // Copy into row 2, then a factor from the editable list's item; an inserted row
    // deleted again.
    Select_Row(u, g, 1);
    u.Click(w->Btn_CopyRow);
    Select_Row(u, g, 2);
    u.Click(w->Btn_PasteRow);
    u.Wait(QStringLiteral("the pasted row"), [g] { return g->Cells(W::Col_Name, 2) == QLatin1String("Temp"); });
    Type_Cell(u, g, W::Col_Name, 2, QStringLiteral("Temp2"));
    Pick_Cell(u, g, W::Col_Factor, 2, QStringLiteral("None"));
    Select_Row(u, g, 2);
    u.Click(w->Btn_InsRow);
    u.Wait(QStringLiteral("the inserted row"), [g] { return g->Cells(W::Col_Name, 3) == QLatin1String("Temp2"); });
    EXPECT_EQ(Cell(u, g, W::Col_Enable, 2), QStringLiteral("Y"));
    EXPECT_EQ(Answer_After(u, w->Btn_DelRow, QStringLiteral("Yes")), QStringLiteral("Are you sure to delete the Row number 2"));
    u.Wait(QStringLiteral("the deleted row"), [g] { return g->Cells(W::Col_Name, 2) == QLatin1String("Temp2"); });
    u.Snapshot(w, QStringLiteral("typed"));
    Close_With(u, w->Btn_OK, w);

    Open_Window(u, FKalvoraFirmWare->Btn_IEC61850_Access, w);
    EXPECT_EQ(Cell(u, g, W::Col_Type, 1), QStringLiteral("Digital (Bit)"));
    EXPECT_EQ(Cell(u, g, W::Col_Factor, 2), QStringLiteral("None"));
    EXPECT_TRUE(Checked(u, g, W::Col_SwapWord, 2));
    u.Snapshot(w, QStringLiteral("reopened"));
    Close_With(u, w->Btn_Cancel, w);
  });

  const auto rows = Saved_Rows(WS().Name_File_IEC61850_Variables);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], (TSaved_Row{{"Enable", "Y"}, {"Name", "Temp"}, {"Type", "Digital (Bit)"}, {"Length", "1"},
                                 {"ReadOnly", "Y"}, {"Position", "12"}, {"StartBit", "3"}, {"Conversion", "Int to Float"},
                                 {"MultiplicationFactor", "10"}, {"Swap", "Y"}, {"SwapWord", "Y"}, {"Mnemonic", "boiler"}}));
  EXPECT_EQ(rows[1].value("Name"), "Temp2");
  EXPECT_EQ(rows[1].value("MultiplicationFactor"), "None");
}
