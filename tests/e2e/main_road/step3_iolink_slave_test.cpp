// Step 3 from the main window: the three grids of the IO-Link slave typed as a user
// types them (text cells, list cells from the keyboard and from the list, check boxes),
// every row command with its questions, a bad value and its message, OK, the file, and
// the window opened again.

#include "main_road.h"

#include "grid/column_grid.h"
#include "grid/grid_editor_controls.h"
#include "params_iolink/iolink_slave_window.h"
#include "common/iolink_slave_file.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "shell/main_window.h"

using MainRoadStep3 = TProgramSession;

namespace {

// A row of a process-data grid: Name, Length and Description typed; the rest filled by
// the window.
void Type_Process_Row(TE2eUser& U, TKvStringGrid* G, int Row, const char* Name, const char* Length,
                      const char* Description)
{
    Type_Into(U, G, 2, Row, QString::fromLatin1(Name));
    Type_Into(U, G, 3, Row, QString::fromLatin1(Length));
    Type_Into(U, G, 9, Row, QString::fromLatin1(Description));
}

QStringList Row_Cells(TE2eUser& U, TKvStringGrid* G, int Row, int From, int To)
{
    return U.Ui([=] {
        QStringList out;
        for (int c = From; c <= To; ++c)
            out << G->Cells(c, Row);
        return out;
    });
}

}  // namespace

TEST_F(MainRoadStep3, ThreeGridsTypedSavedAndShownAgain)
{
    Open_Project(QStringLiteral("Plant"));
    Run([](TE2eUser& u) {
        TFVIZediZadud* w = FVIZediZadud;
        TKvStringGrid* in = w->KCG_ProcessData_In;
        Open_Step3(u, w->TS_PD_Input);

        // Input process data: a Length fills the defaults and packs the positions.
        Type_Process_Row(u, in, 1, "Temperature", "12", "Oven temperature");
        Type_Process_Row(u, in, 2, "Pressure", "5", "Line pressure");
        Type_Process_Row(u, in, 3, "Spare", "8", "Not used yet");
        // Waited on the last value the typing changes: the cells before it may hold their
        // old values a moment longer.
        Wait_Cell(u, in, 8, 2, QStringLiteral("4"));
        u.Sync();
        EXPECT_EQ(Row_Cells(u, in, 1, 4, 8), QStringList({"1", "0", "1000", "0", "0"}));
        EXPECT_EQ(Row_Cells(u, in, 2, 7, 8), QStringList({"1", "4"}));
        // A row disabled by its check box leaves the packing.
        u.Click_Cell(in, 1, 3);
        Wait_Cell(u, in, 1, 3, QStringLiteral("N"));

        // Copy row 1 into row 4, then delete row 4 after its question.
        u.Click_Cell(in, 2, 1);
        u.Click(w->Btn_CopyRow);
        u.Click_Cell(in, 2, 4);
        u.Click(w->Btn_PasteRow);
        Wait_Cell(u, in, 2, 4, QStringLiteral("Temperature"));
        // Pasting over a used row asks first; No keeps it.
        u.Click_Cell(in, 2, 2);
        u.Click(w->Btn_PasteRow);
        EXPECT_EQ(u.Message_Text(), QStringLiteral("Row Already used. Do you want to overwrite the values?"));
        u.Answer(QStringLiteral("No"));
        EXPECT_EQ(u.Ui([in] { return in->Cells(2, 2); }), QStringLiteral("Pressure"));
        u.Click_Cell(in, 2, 4);
        u.Click(w->Btn_DelRow);
        EXPECT_EQ(u.Message_Text(), QStringLiteral("Are you sure to delete the Row number 4"));
        u.Answer(QStringLiteral("Yes"));
        Wait_Cell(u, in, 2, 4, QString());
        // Insert a row before row 2 and fill it: the packing follows on the Length.
        u.Click_Cell(in, 2, 2);
        u.Click(w->Btn_InsRow);
        Wait_Cell(u, in, 2, 3, QStringLiteral("Pressure"));
        Type_Process_Row(u, in, 2, "Flow", "3", "Coolant flow");
        // Row 3 held position 1, bit 4 before: waited on the start bit that changes.
        Wait_Cell(u, in, 8, 3, QStringLiteral("7"));
        EXPECT_EQ(Row_Cells(u, in, 3, 7, 8), QStringList({"1", "7"}));
        u.Snapshot(w, QStringLiteral("input"));

        // Output process data, with a bad unit code first.
        TKvStringGrid* out = w->KCG_ProcessData_Out;
        u.Click_Tab(w->TS_PD_Output);
        Type_Process_Row(u, out, 1, "Valve", "1", "Main valve");
        Type_Into(u, out, 6, 1, QStringLiteral("999"));
        Wait_Cell(u, out, 6, 1, QStringLiteral("999"));

        // Variables: every column, the Access picked from its list, start bits typed.
        TKvStringGrid* var = w->KCG_Variable;
        u.Click_Tab(w->TS_Variables);
        const std::pair<int, const char*> typed[] = {
            {2, "100"}, {3, "Speed"},   {5, "16"}, {6, "0,5"}, {7, "-3"},          {8, "1010"},
            {9, "7"},   {10, "3"},      {11, "6"}, {12, "1"},  {13, "2"}, {14, "Fan speed"}, {15, "FAN_SPD"}};
        for (const auto& [col, text] : typed)
            Type_Into(u, var, col, 1, QString::fromLatin1(text));
        Pick_In_Cell(u, var, 4, 1, QStringLiteral("Read Write"));
        Wait_Cell(u, var, 4, 1, QStringLiteral("Read Write"));
        Wait_Cell(u, var, 15, 1, QStringLiteral("FAN_SPD"));
        u.Snapshot(w, QStringLiteral("variables"));

        // OK stops at the bad unit code; corrected, OK saves and closes.
        u.Click(w->Btn_OK);
        EXPECT_EQ(u.Message_Text(),
                  QStringLiteral("Error row 1!! [Process Data Output] Unit Code must be between 1000 and 65535"));
        u.Answer(QStringLiteral("OK"));
        u.Click_Tab(w->TS_ProcessData);
        u.Click_Tab(w->TS_PD_Output);
        Type_Into(u, out, 6, 1, QStringLiteral("1001"));
        Wait_Cell(u, out, 6, 1, QStringLiteral("1001"));
        u.Click(w->Btn_OK);
        u.Wait_Hidden(w);

        // Opened again, the grids show what was saved.
        Open_Step3(u, w->TS_Variables);
        EXPECT_EQ(Row_Cells(u, var, 1, 1, 15),
                  QStringList({"Y", "100", "Speed", "Read Write", "16", "0,5", "-3", "1010", "7", "3", "6", "1",
                               "2", "Fan speed", "FAN_SPD"}));
        EXPECT_EQ(Row_Cells(u, in, 4, 1, 3), QStringList({"N", "Spare", "8"}));
        u.Click(w->Btn_Cancel);
        u.Wait_Hidden(w);
    });

    const TIOLink_Slave_Data d = Read_IOLink_Slave_File(WS().Name_File_IOLink_Slave);
    ASSERT_EQ(d.Process_Data_Input.size(), 4u);
    const std::vector<std::array<const char*, 7>> input = {
        {"Y", "Temperature", "12", "1", "0", "0", "0"},
        {"Y", "Flow", "3", "1", "0", "1", "4"},
        {"Y", "Pressure", "5", "1", "0", "1", "7"},
        {"N", "Spare", "8", "1", "0", "2", "1"},
    };
    for (size_t i = 0; i < input.size(); ++i) {
        const TIOLink_Slave_Process_Row& r = d.Process_Data_Input[i];
        EXPECT_EQ(QStringList({r.Enable, r.Name, r.Length, r.Gradient, r.Offset, r.Position, r.StartBit}),
                  QStringList(input[i].begin(), input[i].end()))
            << "input row " << i + 1;
    }
    ASSERT_EQ(d.Process_Data_Output.size(), 1u);
    EXPECT_EQ(d.Process_Data_Output[0].UnitCode, QStringLiteral("1001"));
    EXPECT_EQ(d.Process_Data_Output[0].Description, QStringLiteral("Main valve"));
    ASSERT_EQ(d.Variables.size(), 1u);
    const TIOLink_Slave_Variable& v = d.Variables[0];
    EXPECT_EQ(QStringList({v.Enable, v.Index, v.Name, v.Access, v.Length, v.Gradient, v.Offset, v.UnitCode,
                           v.DefaultValue, v.PositionRead, v.StartBitRead, v.PositionWrite, v.StartBitWrite,
                           v.Description, v.Mnemonic}),
              QStringList({"Y", "100", "Speed", "Read Write", "16", "0,5", "-3", "1010", "7", "3", "6", "1", "2",
                           "Fan speed", "FAN_SPD"}));
}
