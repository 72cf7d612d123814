// The Modbus TCP master rules editor from its main-window button: a read rule and a
// write rule typed with every kind of cell, the row commands, a refused value, OK, the
// saved file and the rules shown again at the next opening.

#include "editor_session.h"

#include "editors_modbus_bacnet/modbus_tcp_master_window.h"
#include "grid/column_grid.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

using ModbusTcpMaster = TEditorSession;

// Disabled until the list-cell fault it shows is mended: the Type list cell's first
// opening does not drop its list with alt+Down, and "12" typed into the Position list
// cell right after the click stores "2".
TEST_F(ModbusTcpMaster, DISABLED_RulesTypedAreSavedAndShownAgain)
{
    using E = TCell_Entry;
    const QString read_rule =
        QStringLiteral("Y|192.168.1.20|502|7|Holding Register|100|4|250|3|12|3|Y|||Boiler pressure");
    const QString write_rule = QStringLiteral("Y|10.0.0.5|502|1|Coil Status|0|16|0|Y|Y|0|100|2|||Valves");
    Run([&](TE2eUser& u) {
        auto* w = FModbus_TCP_Master_Set_Access;
        Open_Editor(u, FKalvoraFirmWare->Btn_Modbus_Set_Access, w);
        TKvStringGrid* g = w->KCG_Modbus_Read;
        Fill_Row(u, g, 1,
                 {{2, E::Text, "192.168.1.20"}, {3, E::Text, "70000"}, {4, E::Text, "7"},
                  {5, E::Pick, "Holding Register"}, {6, E::Text, "100"}, {7, E::Text, "4"}, {8, E::Text, "250"},
                  {9, E::Text, "3"}, {10, E::Typed_Item, "12"}, {11, E::Pick, "3"}, {12, E::Tick, "Y"},
                  {15, E::Text, "Boiler pressure"}});

        // A port out of range is refused with its row and the window stays open.
        u.Click(w->Btn_OK);
        EXPECT_EQ(u.Message_Text(), QStringLiteral("Error row 1!! [Modbus Read] Port must be between 0 and 65535"));
        u.Answer(QStringLiteral("OK"));
        Type_Cell(u, g, 3, 1, QStringLiteral("502"));
        Use_Row_Commands(u, w, g, read_rule, QStringLiteral("Y||||||||||||||"));
        // The copy kept as a disabled rule.
        Tick_Cell(u, g, 1, 2, QStringLiteral("N"));

        u.Click_Tab(w->TS_Modbus_Write);
        TKvStringGrid* wg = w->KCG_Modbus_Write;
        Fill_Row(u, wg, 1,
                 {{2, E::Text, "10.0.0.5"}, {3, E::Text, "502"}, {4, E::Text, "1"}, {5, E::Pick, "Coil Status"},
                  {6, E::Text, "0"}, {7, E::Text, "16"}, {8, E::Text, "0"}, {9, E::Tick, "Y"}, {10, E::Tick, "Y"},
                  {11, E::Text, "0"}, {12, E::Typed_Item, "100"}, {13, E::Pick, "2"}, {16, E::Text, "Valves"}});
        Wait_Row(u, wg, 1, write_rule);
        u.Snapshot(w, QStringLiteral("typed"));
        Press_OK(u, w, w->Btn_OK);

        Open_Editor(u, FKalvoraFirmWare->Btn_Modbus_Set_Access, w);
        EXPECT_EQ(Row_Text(u, g, 1), read_rule);
        EXPECT_EQ(Row_Text(u, g, 2), QString(read_rule).replace(0, 1, QLatin1Char('N')));
        EXPECT_EQ(Row_Text(u, wg, 1), write_rule);
        u.Click(w->Btn_Cancel);
        u.Wait_Hidden(w);
    });
    const QString file = Project_File(QStringLiteral("ModbusTCPM_SetAccess.xml"));
    const QString read_saved = QStringLiteral(
        "IP_Address=192.168.1.20 Port=502 Slave_ID=7 Type=Holding Register Address=100 NPoint=4 PollTime=250 "
        "MaxError=3 Position=12 Bit=3 Swap=Y SwapWord= Index_Topic=-1 Mnemonic=Boiler pressure");
    EXPECT_EQ(Saved_Rows(file, {QStringLiteral("Modbus_Read")}),
              QStringList({QStringLiteral("Enable=Y ") + read_saved, QStringLiteral("Enable=N ") + read_saved}));
    EXPECT_EQ(Saved_Rows(file, {QStringLiteral("Modbus_Write")}),
              QStringList({QStringLiteral("Enable=Y IP_Address=10.0.0.5 Port=502 Slave_ID=1 Type=Coil Status Address=0 "
                                          "NPoint=16 PollTime=0 OnChange=Y OnCMD=Y MaxError=0 Position=100 Bit=2 "
                                          "Swap= SwapWord= Mnemonic=Valves")}));
}
