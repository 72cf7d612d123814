// Step 2 from the main window: every kind of field of the general parameters (text,
// check box, list, the byte fields of an address with the dot that moves on), a value
// out of range and its message, OK, the file, and the window opened again.

#include "main_road.h"

#include "params_iolink/par_gen_window.h"
#include "platform/ui/stdctrls.h"
#include "common/lb_button.h"
#include "common/par_gen_file.h"
#include "common/working_state.h"
#include "shell/main_window.h"

using MainRoadStep2 = TProgramSession;

namespace {

QString Text_Of(TE2eUser& U, TEdit* E)
{
    return U.Ui([E] { return E->Text(); });
}

}  // namespace

TEST_F(MainRoadStep2, EveryKindOfFieldReachesTheFile)
{
    Open_Project(QStringLiteral("Plant"));
    Run([](TE2eUser& u) {
        TFParGen* w = FParGen;
        u.Click(FKalvoraFirmWare->Btn_Prm_Gen);
        u.Wait_Shown(w);

        Type_Over(u, w->E_EthConn_Device_Name, QStringLiteral("Press-7 Line_B"));
        // DHCP on the cable takes the master's address fields away; off again, they return.
        u.Click(w->CB_EthConn_En_DHCP_Cable);
        u.Wait(QStringLiteral("the address fields disabled"), [w] { return !w->E_EtherNetIP_Master_IP[0]->Enabled(); });
        u.Click(w->CB_EthConn_En_DHCP_Cable);
        u.Wait(QStringLiteral("the address fields enabled"), [w] { return w->E_EtherNetIP_Master_IP[0]->Enabled(); });
        u.Click(w->CB_EthConn_Enable_DNS);
        u.Wait(QStringLiteral("the DNS fields enabled"), [w] { return w->E_EthConn_Pri_DNS_IP[0]->Enabled(); });
        // An address typed whole: the dot moves on to the next byte field.
        Type_Over(u, w->E_EthConn_Pri_DNS_IP[0], QStringLiteral("10.0.0.53.1.1.1.1"));
        u.Pick_Item(w->CB_IOLink_Slave_Baudrate, QStringLiteral("COM3"));
        const char* ip[] = {"300", "16", "5", "20"};
        for (int i = 0; i < 4; ++i)
            Type_Over(u, w->E_EtherNetIP_Master_IP[size_t(i)], QString::fromLatin1(ip[i]));
        u.Click(w->CB_EtherNetIP_Master_GAT);
        const char* gat[] = {"172", "16", "5", "1"};
        for (int i = 0; i < 4; ++i)
            Type_Over(u, w->E_EtherNetIP_Master_GAT[size_t(i)], QString::fromLatin1(gat[i]));
        u.Snapshot(w, QStringLiteral("typed"));

        u.Click(w->Btn_OK);
        EXPECT_EQ(u.Message_Text(), QStringLiteral("Error EtherNet/IP Master!! IP Address 1 must be between 0 and 255"));
        u.Answer(QStringLiteral("OK"));
        EXPECT_TRUE(u.Ui([w] { return w->isVisible(); }));
        Type_Over(u, w->E_EtherNetIP_Master_IP[0], QStringLiteral("172"));
        u.Click(w->Btn_OK);
        u.Wait_Hidden(w);

        // Opened again, the window shows what was saved.
        u.Click(FKalvoraFirmWare->Btn_Prm_Gen);
        u.Wait_Shown(w);
        EXPECT_EQ(Text_Of(u, w->E_EthConn_Device_Name), QStringLiteral("Press-7 Line_B"));
        EXPECT_EQ(Text_Of(u, w->E_EthConn_Pri_DNS_IP[3]), QStringLiteral("53"));
        EXPECT_EQ(Text_Of(u, w->E_EthConn_Sec_DNS_IP[0]), QStringLiteral("1"));
        EXPECT_EQ(u.Ui([w] { return w->CB_IOLink_Slave_Baudrate->Text(); }), QStringLiteral("COM3"));
        EXPECT_TRUE(u.Ui([w] { return w->CB_EtherNetIP_Master_GAT->Checked(); }));
        u.Click(w->Btn_Cancel);
        u.Wait_Hidden(w);
    });
    const TParGen_Data d = Read_ParGen_File(WS().Name_File_ParGen);
    EXPECT_EQ(d.Eth_Conn_Device_Name, QStringLiteral("Press-7 Line_B"));
    EXPECT_EQ(d.Eth_Conn_DHCP_Cable, QStringLiteral("0"));
    EXPECT_EQ(d.Eth_Conn_DHCP_WiFi, QStringLiteral("0"));
    EXPECT_EQ(d.Eth_Conn_Enable_DNS, QStringLiteral("1"));
    EXPECT_EQ(QStringList({d.Eth_Conn_Primary_DNS1, d.Eth_Conn_Primary_DNS2, d.Eth_Conn_Primary_DNS3,
                           d.Eth_Conn_Primary_DNS4, d.Eth_Conn_Secondary_DNS1, d.Eth_Conn_Secondary_DNS2,
                           d.Eth_Conn_Secondary_DNS3, d.Eth_Conn_Secondary_DNS4}),
              QStringList({"10", "0", "0", "53", "1", "1", "1", "1"}));
    EXPECT_EQ(d.IOLink_Slave_Baudrate, QStringLiteral("COM3"));
    EXPECT_EQ(QStringList({d.EtherNetIP_Master_IP1, d.EtherNetIP_Master_IP2, d.EtherNetIP_Master_IP3,
                           d.EtherNetIP_Master_IP4}),
              QStringList({"172", "16", "5", "20"}));
    EXPECT_EQ(d.EtherNetIP_Master_EN_GAT, QStringLiteral("1"));
    EXPECT_EQ(QStringList({d.EtherNetIP_Master_GAT1, d.EtherNetIP_Master_GAT2, d.EtherNetIP_Master_GAT3,
                           d.EtherNetIP_Master_GAT4}),
              QStringList({"172", "16", "5", "1"}));
}
