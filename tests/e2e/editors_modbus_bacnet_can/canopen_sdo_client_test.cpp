// The CANopen SDO client editor from its main-window button: a read and a write request
// typed, the row commands, a refused device id, OK, the saved file and the requests
// shown again.

#include "editor_session.h"

#include "editors_can/canopen_sdo_client_window.h"
#include "grid/column_grid.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

using CanopenSdoClient = TEditorSession;

TEST_F(CanopenSdoClient, RequestsTypedAreSavedAndShownAgain)
{
    using E = TCell_Entry;
    const QString read = QStringLiteral("5|24576|1|2|100|10|11|||Temperature");
    const QString write = QStringLiteral("6|8192|2|1|0|Y|20||||Output");
    Run([&](TE2eUser& u) {
        auto* w = FSet_SDO_Client_Access;
        Open_Editor(u, FKalvoraFirmWare->Btn_SDO_Client_CANopen, w);
        TKvStringGrid* g = w->sga;
        Fill_Row(u, g, 1,
                 {{1, E::Text, "200"}, {2, E::Text, "24576"}, {3, E::Text, "1"}, {4, E::Text, "2"},
                  {5, E::Text, "100"}, {6, E::Text, "10"}, {7, E::Text, "11"}, {10, E::Text, "Temperature"}});
        u.Click(w->Btn_OK);
        EXPECT_EQ(u.Message_Text(), QStringLiteral("Error row 1!! [SDO Read] Device ID must be between 1 and 127"));
        u.Answer(QStringLiteral("OK"));
        Type_Cell(u, g, 1, 1, QStringLiteral("5"));
        Use_Row_Commands(u, w, g, read, QString(9, QLatin1Char('|')));

        u.Click_Tab(w->TS_SDO_Write);
        TKvStringGrid* wg = w->sgb;
        Fill_Row(u, wg, 1,
                 {{1, E::Text, "6"}, {2, E::Text, "8192"}, {3, E::Text, "2"}, {4, E::Text, "1"}, {5, E::Text, "0"},
                  {6, E::Tick, "Y"}, {7, E::Text, "20"}, {11, E::Text, "Output"}});
        Wait_Row(u, wg, 1, write);
        u.Snapshot(w, QStringLiteral("typed"));
        Press_OK(u, w, w->Btn_OK);

        Open_Editor(u, FKalvoraFirmWare->Btn_SDO_Client_CANopen, w);
        EXPECT_EQ(Row_Text(u, g, 1), read);
        EXPECT_EQ(Row_Text(u, g, 2), read);
        EXPECT_EQ(Row_Text(u, wg, 1), write);
        u.Click(w->Btn_Cancel);
        u.Wait_Hidden(w);
    });
    const QString file = Project_File(QStringLiteral("SDO_Client_CANopen.xml"));
    const QString r = QStringLiteral("Device_ID=5 Index=24576 SubIndex=1 NByte=2 Poll_Time=100 Address_B1=10 "
                                     "Address_B2=11 Address_B3= Address_B4= Mnemonic=Temperature");
    EXPECT_EQ(Saved_Rows(file, {QStringLiteral("SDO_Read")}), QStringList({r, r}));
    EXPECT_EQ(Saved_Rows(file, {QStringLiteral("SDO_Write")}), 
              QStringList({QStringLiteral("Device_ID=6 Index=8192 SubIndex=2 NByte=1 Poll_Time=0 On_Change=Y "
                                          "Address_B1=20 Address_B2= Address_B3= Address_B4= Mnemonic=Output")}));
}
