// Step 4 from the main window: an adapter imported from its EDS file through the file
// dialog and the connection picker, the rule completed, its configuration edited in the
// data-segment editor (a typed value, a value out of range, an enumeration picked from
// its list), every row command, a bad value and its message, OK, the file, and the
// window and the editor opened again.

#include "main_road.h"

#include "enip_outputs/enip_data_seg_window.h"
#include "enip_outputs/enip_master_rules_file.h"
#include "enip_outputs/enip_master_window.h"
#include "grid/column_grid.h"
#include "grid/grid_editor_controls.h"
#include "common/lb_button.h"
#include "common/working_state.h"

using MainRoadStep4 = TProgramSession;

namespace {

// The configuration of the valve island as the data-segment editor leaves it: switch
// delay 250 ms, fault mode "All On" (2), the pad byte, a pressure limit of 7.25 bar.
const QString Edited_Segment = QStringLiteral("0xFA,0x00,0x02,0x00,0x00,0x00,0xE8,0x40");

void Edit_Configuration(TE2eUser& U)
{
    TKvStringGrid* g = FEtherNetIP_Data_Seg->KSG_DataSeg;
    // Out of range first: refused with the member's range, the editor stays.
    Type_Into(U, g, 4, 1, QStringLiteral("5000"));
    Wait_Cell(U, g, 4, 1, QStringLiteral("5000"));
    U.Click(FEtherNetIP_Data_Seg->Btn_OK);
    EXPECT_EQ(U.Message_Text(), QStringLiteral("Param Number 1. The Value must be between 10 and 1000"));
    U.Answer(QStringLiteral("OK"));
    Type_Into(U, g, 4, 1, QStringLiteral("250"));
    Type_Into(U, g, 4, 4, QStringLiteral("7.25"));
    // The enumeration from its list: its number shows beside it at once.
    Pick_In_Cell(U, g, 4, 2, QStringLiteral("All On"));
    Wait_Cell(U, g, 8, 2, QStringLiteral("2"));
    Wait_Cell(U, g, 4, 4, QStringLiteral("7.25"));
    U.Snapshot(FEtherNetIP_Data_Seg, QStringLiteral("configuration"));
    U.Click(FEtherNetIP_Data_Seg->Btn_OK);
    U.Wait_Hidden(FEtherNetIP_Data_Seg);
}

}  // namespace

TEST_F(MainRoadStep4, RuleImportedEditedSavedAndShownAgain)
{
    Open_Project(QStringLiteral("Valves"));
    Run([](TE2eUser& u) {
        TFEtherNetIP_Master_Access* w = FEtherNetIP_Master_Access;
        TKvStringGrid* g = w->KCG;
        Open_Step4_With_Valve_Island(u);
        Wait_Cell(u, g, 15, 1, QStringLiteral("0xD2, 0x04, 0x0C, 0x00, 0x4D, 0x00, 0x83, 0x02"));
        EXPECT_EQ(u.Ui([g] { return g->Cells(17, 1); }), QStringLiteral("0x64,0x00,0x01,0x00,0x00,0x00,0xD0,0x40"));

        const std::pair<int, const char*> typed[] = {{2, "10.0.0.20"}, {3, "0"},  {4, "4"},  {5, "0"},
                                                     {6, "2"},         {7, "100"}, {12, "0"}, {19, "Valves"}};
        for (const auto& [col, text] : typed)
            Type_Into(u, g, col, 1, QString::fromLatin1(text));
        // The editable list of the other header: "Default" picked from it.
        Pick_In_Cell(u, g, 13, 1, QStringLiteral("Default"));
        for (const int col : {14, 16, 18})
            u.Click_Cell(g, col, 1);
        Wait_Cell(u, g, 18, 1, QStringLiteral("Y"));

        Open_Data_Segment(u, 1);
        Edit_Configuration(u);
        Wait_Cell(u, g, 17, 1, Edited_Segment);

        // Copy the rule into row 2, then give it its own address and a bad poll time.
        u.Click_Cell(g, 2, 1);
        u.Click(w->Btn_CopyRow);
        u.Click_Cell(g, 2, 2);
        u.Click(w->Btn_PasteRow);
        Wait_Cell(u, g, 17, 2, Edited_Segment);
        Type_Into(u, g, 2, 2, QStringLiteral("10.0.0.21"));
        Type_Into(u, g, 3, 2, QStringLiteral("4"));
        Type_Into(u, g, 7, 2, QStringLiteral("0"));
        // Insert a row before it, then delete that row again after its question.
        u.Click_Cell(g, 2, 2);
        u.Click(w->Btn_InsRow);
        Wait_Cell(u, g, 2, 3, QStringLiteral("10.0.0.21"));
        u.Click_Cell(g, 2, 2);
        u.Click(w->Btn_DelRow);
        EXPECT_EQ(u.Message_Text(), QStringLiteral("Are you sure to delete the Row number 2"));
        u.Answer(QStringLiteral("Yes"));
        Wait_Cell(u, g, 2, 2, QStringLiteral("10.0.0.21"));
        u.Snapshot(w, QStringLiteral("rules"));

        u.Click(w->Btn_OK);
        EXPECT_EQ(u.Message_Text(), QStringLiteral("Error row 2!! Poll Time must be between 1 and 100000000"));
        u.Answer(QStringLiteral("OK"));
        Type_Into(u, g, 7, 2, QStringLiteral("50"));
        Wait_Cell(u, g, 7, 2, QStringLiteral("50"));
        u.Click(w->Btn_OK);
        u.Wait_Hidden(w);

        // Opened again: the rule and its configuration come back from the file.
        Open_Step4(u);
        Wait_Cell(u, g, 17, 1, Edited_Segment);
        Open_Data_Segment(u, 1);
        TKvStringGrid* d = FEtherNetIP_Data_Seg->KSG_DataSeg;
        EXPECT_EQ(u.Ui([d] { return QStringList({d->Cells(4, 1), d->Cells(4, 2), d->Cells(8, 2), d->Cells(4, 4)}); }),
                  QStringList({"250", "All On", "2", "7.25"}));
        u.Click(FEtherNetIP_Data_Seg->Btn_Cancel);
        u.Wait_Hidden(FEtherNetIP_Data_Seg);
        u.Click(w->Btn_Cancel);
        u.Wait_Hidden(w);
    });

    const TEtherNetIP_Master_Rules rules = Read_EtherNetIP_Master_Rules(WS().Name_File_EtherNetIP_Master_Rules);
    ASSERT_EQ(rules.Rows.size(), 2u);
    const TEtherNetIP_Master_Row& r = rules.Rows[0];
    QStringList fields;
    for (int i = 0; i < EtherNetIP_Master_Attr_Count; ++i)
        fields << r.Field(i);
    EXPECT_EQ(fields, QStringList({"Y", "10.0.0.20", "0", "4", "0", "2", "100", "150", "101", "150", "100", "0",
                                   "Default", "Y", "0xD2, 0x04, 0x0C, 0x00, 0x4D, 0x00, 0x83, 0x02", "Y",
                                   Edited_Segment, "Y", "Valves"}));
    ASSERT_TRUE(r.TargetCong);
    ASSERT_EQ(r.TargetCong->ListParamObject.size(), 4u);
    EXPECT_EQ(r.TargetCong->ListParamObject[0].Value, 250);
    EXPECT_EQ(r.TargetCong->ListParamObject[1].Value, 2);
    EXPECT_DOUBLE_EQ(r.TargetCong->ListParamObject[3].ValueReal, 7.25);
    // The pasted row carries the texts and a configuration of its own that agrees with its data segment.
    EXPECT_EQ(rules.Rows[1].IP_Address, QStringLiteral("10.0.0.21"));
    EXPECT_EQ(rules.Rows[1].Time_Poll, QStringLiteral("50"));
    EXPECT_EQ(rules.Rows[1].DataSegment, Edited_Segment);
    ASSERT_TRUE(rules.Rows[1].TargetCong);
    ASSERT_EQ(rules.Rows[1].TargetCong->ListParamObject.size(), 4u);
    EXPECT_EQ(rules.Rows[1].TargetCong->ListParamObject[0].Value, 250);
    EXPECT_DOUBLE_EQ(rules.Rows[1].TargetCong->ListParamObject[3].ValueReal, 7.25);
}
