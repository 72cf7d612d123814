// The CANopen PDO map editor from its main-window button: a receive and a transmit PDO
// typed, the row commands, a refused COB-ID, OK, the saved file and the PDOs shown again.

#include "editor_session.h"

#include "editors_can/canopen_pdo_window.h"
#include "grid/column_grid.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

using CanopenPdo = TEditorSession;

TEST_F(CanopenPdo, PdosTypedAreSavedAndShownAgain)
{
    using E = TCell_Entry;
    const QString receive = QStringLiteral("385|2|0|1|||||||100|Speed");
    const QString transmit = QStringLiteral("513|1|4||||||||500|Y|Setpoint");
    Run([&](TE2eUser& u) {
        auto* w = FSet_PDO_Access;
        Open_Editor(u, FKalvoraFirmWare->Btn_PDO_CANopen, w);
        TKvStringGrid* g = w->sga;
        Fill_Row(u, g, 1,
                 {{1, E::Text, "4000"}, {2, E::Text, "2"}, {3, E::Text, "0"}, {4, E::Text, "1"},
                  {11, E::Text, "100"}, {12, E::Text, "Speed"}});
        u.Click(w->Btn_OK);
        EXPECT_EQ(u.Message_Text(), QStringLiteral("Error row 1!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"));
        u.Answer(QStringLiteral("OK"));
        Type_Cell(u, g, 1, 1, QStringLiteral("385"));
        Use_Row_Commands(u, w, g, receive, QString(11, QLatin1Char('|')));

        u.Click_Tab(w->TS_Transmit_PDO);
        TKvStringGrid* tg = w->sgb;
        Fill_Row(u, tg, 1,
                 {{1, E::Text, "513"}, {2, E::Text, "1"}, {3, E::Text, "4"}, {11, E::Text, "500"}, {12, E::Tick, "Y"},
                  {13, E::Text, "Setpoint"}});
        Wait_Row(u, tg, 1, transmit);
        u.Snapshot(w, QStringLiteral("typed"));
        Press_OK(u, w, w->Btn_OK);

        Open_Editor(u, FKalvoraFirmWare->Btn_PDO_CANopen, w);
        EXPECT_EQ(Row_Text(u, g, 1), receive);
        EXPECT_EQ(Row_Text(u, g, 2), receive);
        EXPECT_EQ(Row_Text(u, tg, 1), transmit);
        u.Click(w->Btn_Cancel);
        u.Wait_Hidden(w);
    });
    const QString file = Project_File(QStringLiteral("PDO_CANopen.xml"));
    const QString rx = QStringLiteral("COB-ID=385 Dimension=2 Address_B1=0 Address_B2=1 Address_B3= Address_B4= "
                                      "Address_B5= Address_B6= Address_B7= Address_B8= TimeOut=100 Mnemonic=Speed");
    EXPECT_EQ(Saved_Rows(file, {QStringLiteral("Receive_PDO")}), QStringList({rx, rx}));
    EXPECT_EQ(Saved_Rows(file, {QStringLiteral("Transmit_PDO")}), 
              QStringList({QStringLiteral("COB-ID=513 Dimension=1 Address_B1=4 Address_B2= Address_B3= Address_B4= "
                                          "Address_B5= Address_B6= Address_B7= Address_B8= Send_Time=500 On_Change=Y "
                                          "Mnemonic=Setpoint")}));
}
