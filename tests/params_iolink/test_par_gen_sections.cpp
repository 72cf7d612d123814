// The general-parameters window's sections of the other products of the family: their
// controls, each product's ordering and re-layout, the sections' own layouts, and the
// texts Set_Lang puts on them.

#include "params_iolink/par_gen_texts.h"
#include "params_iolink/par_gen_window.h"

#include "platform/ui/dialogs.h"
#include "platform/ui/richedit.h"
#include "common/common_routines.h"
#include "common/lang_table.h"
#include "common/working_state.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include "support/test_project.h"

#include <map>
#include <memory>
#include <set>
#include <string>

namespace {

class ParGenSections : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Tmp.isValid());
        Previous = Install_Test_Project(Tmp);
        ASSERT_TRUE(QDir(WS().Dir_Project).exists());
        Add_Lang_Block_Source(&ParGen_Lang_Blocks);
        Init_Lang_Table();
        Dialogs = std::make_unique<TDialogResponder>();
        Form = new TFParGen();
        FParGen = Form;
    }

    void TearDown() override
    {
        delete Form;
        Install_WiFi_Present_Hook({});
        Install_WiFi_IP_Count_Hook({});
        Dialogs.reset();
        Install_Working_State(std::move(Previous));
    }

    static const TParGen_Variant& Variant(int product)
    {
        for (const TParGen_Variant& v : TFParGen::Variants())
            if (v.Product == product)
                return v;
        throw std::runtime_error("no such product");
    }

    // The creation sequence with another product's methods on the fresh window.
    void Apply(int product)
    {
        Product = product;
        for (TCategoryPanel* p : Form->Every_Section())
            p->SetVisible(false);
        (Form->*Variant(product).Order)();
        (Form->*Variant(product).RePosition)();
        Form->Set_Lang();
    }
    // What a change or click trigger does for that product.
    void Relayout() { (Form->*Variant(Product).RePosition)(); }

    TControl* C(const char* name) const
    {
        TControl* c = Form->Find_Control(name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    template <class T>
    T* As(const char* name) const
    {
        auto* c = dynamic_cast<T*>(C(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    int Top(const char* name) const { return C(name)->Top(); }
    bool Shown(const char* name) const { return C(name)->Visible(); }
    int Header() const { return Form->CPG->HeaderHeight(); }
    int Bottom_Height(const char* lowest) const
    {
        return Top(lowest) + C(lowest)->Height() + 12 + Header();
    }
    void Check(const char* name, bool value) { As<TCheckBox>(name)->SetChecked(value); }

    // Visible sections, top to bottom.
    std::vector<TCategoryPanel*> Shown_Sections() const
    {
        std::vector<TCategoryPanel*> out;
        for (TCategoryPanel* p : Form->Every_Section())
            if (p->Visible())
                out.push_back(p);
        std::sort(out.begin(), out.end(), [](auto* a, auto* b) { return a->Top() < b->Top(); });
        return out;
    }

    // Every section's and control's place, visibility and enabled state.
    std::vector<std::array<int, 5>> Snapshot() const
    {
        std::vector<std::array<int, 5>> out;
        for (TCategoryPanel* p : Form->Every_Section()) {
            out.push_back({p->Top(), p->Height(), int(p->Visible()), int(p->Enabled()), int(p->Collapsed())});
            for (int i = 0; i < p->Surface()->ControlCount(); ++i) {
                TControl* c = p->Surface()->Controls(i);
                out.push_back({c->Top(), c->Height(), int(c->Visible()), int(c->Enabled()), 0});
            }
        }
        return out;
    }

    QTemporaryDir Tmp;
    std::unique_ptr<TWorkingState> Previous;
    std::unique_ptr<TDialogResponder> Dialogs;
    TFParGen* Form = nullptr;
    int Product = 27518;
};

// ---------------------------------------------------------------------- variants

struct TVariantCase {
    int Product;
    std::vector<const char*> Sections;  // shown, in order
};

const std::vector<TVariantCase>& Variant_Cases()
{
    static const std::vector<TVariantCase> cases = {
        {27518, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_EtherNetIP_Master"}},
        {31407, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_Serial", "CP_Ethernet"}},
        {31412, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_Modbus_Master", "CP_Ethernet"}},
        {31425, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_Modbus_Slave", "CP_Ethernet"}},
        {31433, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_Modbus_TCP_Master"}},
        {31446, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_Modbus_TCP_Slave"}},
        // BACnet/IP, the design item, needs no Ethernet section.
        {31451, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_BACnet_Master"}},
        {31468, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_BACnet_Slave"}},
        {31474, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_CAN", "CP_Ethernet"}},
        {31489, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_CANopen", "CP_Ethernet"}},
        {31490, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_DeviceNet_Master", "CP_Ethernet"}},
        {31503, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_DeviceNet_Slave", "CP_Ethernet"}},
        {31517, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_EtherCAT_Slave", "CP_Ethernet"}},
        {31526, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_Ethernet"}},
        {31548, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_EtherNetIP"}},
        {31555, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_IEC61850_Client"}},
        {31562, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_IEC61850_Server", "CP_TLS_Server"}},
        {31579, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_J1939", "CP_Ethernet"}},
        {31584, {"CP_Select_Device", "CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_MQTT", "CP_Ethernet", "CP_TLS",
                 "CP_NTP", "CP_WiFi2", "CP_GSM_GPRS"}},
        {31602, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_NMEA2000", "CP_Ethernet"}},
        {31613, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_OPC_UA_Client", "CP_NTP"}},
        {31627, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_OPC_UA_Server", "CP_NTP"}},
        {31641, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_PROFINET"}},
        {31656, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_S7_Protocol"}},
        {31668, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_SNMP_Manager"}},
        {31673, {"CP_Ethernet_Connection", "CP_IOLink_Slave", "CP_SNMP_Agent"}},
    };
    return cases;
}

const std::map<std::string, QString>& English_Titles()
{
    static const std::map<std::string, QString> titles = {
        {"CP_Ethernet_Connection", "Ethernet Connection"}, {"CP_IOLink_Slave", "IO-Link Slave"},
        {"CP_EtherNetIP_Master", "EtherNet/IP Master"}, {"CP_Serial", "Serial"}, {"CP_Ethernet", "Ethernet"},
        {"CP_Modbus_Master", "Modbus Master"}, {"CP_Modbus_Slave", "Modbus Slave"},
        {"CP_Modbus_TCP_Master", "Modbus TCP Master"}, {"CP_Modbus_TCP_Slave", "Modbus TCP Slave"},
        {"CP_BACnet_Master", "BACnet Master"}, {"CP_BACnet_Slave", "BACnet Slave"}, {"CP_CAN", "CAN"},
        {"CP_CANopen", "CANopen"}, {"CP_DeviceNet_Master", "DeviceNet Master"},
        {"CP_DeviceNet_Slave", "DeviceNet Slave"}, {"CP_EtherCAT_Slave", "EtherCAT Slave"},
        {"CP_EtherNetIP", "EtherNet/IP"}, {"CP_IEC61850_Client", "IEC61850 Client"},
        {"CP_IEC61850_Server", "IEC61850 Server"}, {"CP_TLS_Server", "TLS (Transport Layer Security) Server"},
        {"CP_J1939", "J1939"}, {"CP_Select_Device", "Select Device"}, {"CP_MQTT", "MQTT"},
        {"CP_TLS", "TLS (Transport Layer Security)"}, {"CP_NTP", "NTP (Network Time Protocol)"},
        {"CP_WiFi2", "Wi-Fi"}, {"CP_GSM_GPRS", "GSM / GPRS / LTE"}, {"CP_NMEA2000", "NMEA 2000"},
        {"CP_OPC_UA_Client", "OPC UA Client"}, {"CP_OPC_UA_Server", "OPC UA Server"}, {"CP_PROFINET", "PROFINET"},
        {"CP_S7_Protocol", "S7comm"}, {"CP_SNMP_Manager", "SNMP Manager"}, {"CP_SNMP_Agent", "SNMP Agent"}};
    return titles;
}

TEST_F(ParGenSections, TheWindowHasThirtySixSectionsAllHiddenAfterCreation)
{
    Form->DoCreate();
    const auto all = Form->Every_Section();
    ASSERT_EQ(all.size(), 36u);
    std::set<TCategoryPanel*> distinct(all.begin(), all.end());
    EXPECT_EQ(distinct.size(), 36u);
    std::set<TCategoryPanel*> shown;
    for (TCategoryPanel* p : all)
        if (p->Visible())
            shown.insert(p);
    EXPECT_EQ(shown, (std::set<TCategoryPanel*>{Form->CP_Ethernet_Connection, Form->CP_IOLink_Slave,
                                                 Form->CP_EtherNetIP_Master}));
    // The other products' sections have no controls until a product needs them.
    for (TCategoryPanel* p : all) {
        const bool own = shown.count(p) > 0;
        EXPECT_EQ(Form->Section_Built(p), own);
        EXPECT_EQ(p->Surface()->ControlCount() > 0, own);
    }
    // Each keeps its design height meanwhile, as the ordering stacks by it.
    EXPECT_EQ(Form->CP_GSM_GPRS->Height(), 121 + 21 + 12 + 24);
    EXPECT_EQ(Form->CP_MQTT->Height(), 457 + 21 + 12 + 24);
    Apply(31451);
    EXPECT_TRUE(Form->Section_Built(Form->CP_BACnet_Master));
    EXPECT_TRUE(Form->Section_Built(Form->CP_Ethernet));
    EXPECT_FALSE(Form->Section_Built(Form->CP_BACnet_Slave));
    EXPECT_NE(Form->CB_BACnet_Master_Type, nullptr);
    EXPECT_EQ(Form->CB_BACnet_Slave_Type, nullptr);
    // Two sections belong to no product.
    EXPECT_EQ(Form->Section_Title(Form->CP_WiFi), 764);
    EXPECT_EQ(Form->Section_Title(Form->CP_PROFINET_Master), 895);
    EXPECT_EQ(Form->Find_Control("E_MQTT_Password__")->Visible(), false);
}

TEST_F(ParGenSections, EachProductShowsItsSectionsNumberedAndStackedInOrder)
{
    ASSERT_EQ(TFParGen::Variants().size(), Variant_Cases().size());
    for (const TVariantCase& vc : Variant_Cases()) {
        SCOPED_TRACE(vc.Product);
        Apply(vc.Product);
        const auto shown = Shown_Sections();
        ASSERT_EQ(shown.size(), vc.Sections.size());
        int top = 0;
        for (size_t k = 0; k < shown.size(); ++k) {
            SCOPED_TRACE(vc.Sections[k]);
            EXPECT_EQ(shown[k], Form->Find_Control(vc.Sections[k]));
            EXPECT_EQ(shown[k]->Top(), top);
            top += shown[k]->Height();
            EXPECT_EQ(shown[k]->Caption(),
                      QString::number(k + 1) + QStringLiteral(". ") + English_Titles().at(vc.Sections[k]));
            EXPECT_EQ(shown[k]->TabOrder(), int(k));
        }
        EXPECT_EQ(Form->CPG->ContentHeight(), top);

        // The re-layout gives the same places however often it runs.
        const auto before = Snapshot();
        Relayout();
        Relayout();
        EXPECT_EQ(Snapshot(), before);
    }
}

TEST_F(ParGenSections, ThisBuildStillCallsOnlyItsOwnProduct)
{
    Form->DoCreate();
    Form->Build_Sections();
    Form->CB_BACnet_Master_Type->SetItemIndex(1);
    Form->On_Change(Form->CB_BACnet_Master_Type);
    Form->CB_Select_Device_Device->SetItemIndex(1);
    Form->On_Change(Form->CB_Select_Device_Device);
    Form->CB_MQTT_WillFlag->SetChecked(true);
    EXPECT_EQ(Shown_Sections(), (std::vector<TCategoryPanel*>{Form->CP_Ethernet_Connection, Form->CP_IOLink_Slave,
                                                              Form->CP_EtherNetIP_Master}));
    EXPECT_EQ(Form->CP_EtherNetIP_Master->Top(), 245);
}

// ---------------------------------------------------------------------- BACnet

TEST_F(ParGenSections, BACnetMasterSwitchesBetweenItsTwoTypes)
{
    Apply(31451);
    EXPECT_FALSE(Form->CP_Ethernet->Visible());
    EXPECT_EQ(Form->CP_BACnet_Master->Height(), Bottom_Height("E_BACnet_IP_Master_TimeOut_Polling"));
    const char* ipRows[] = {"L_BACnet_IP_Master_IP", "E_BACnet_IP_Master_IP1", "Label98", "CB_BACnet_IP_Master_GAT",
                            "E_BACnet_IP_Master_GAT4", "Label105", "L_BACnet_IP_Master_Port",
                            "E_BACnet_IP_Master_TimeOut_Polling"};
    const char* mstpRows[] = {"L_BACnet_MSTP_Master_Baudrate", "CB_BACnet_MSTP_Master_Baudrate",
                              "L_BACnet_MSTP_Master_Device_Instance", "E_BACnet_MSTP_Master_Device_Instance"};

    Form->CB_BACnet_Master_Type->SetItemIndex(1);
    Relayout();
    for (const char* n : ipRows)
        EXPECT_FALSE(Shown(n)) << n;
    for (const char* n : mstpRows)
        EXPECT_TRUE(Shown(n)) << n;
    EXPECT_EQ(Top("L_BACnet_MSTP_Master_Baudrate"), 40);
    EXPECT_EQ(Top("CB_BACnet_MSTP_Master_Baudrate"), 37);
    EXPECT_EQ(Top("L_BACnet_MSTP_Master_Parity"), 68);
    EXPECT_EQ(Top("L_BACnet_MSTP_Master_Device_Instance"), 208);
    EXPECT_EQ(Top("E_BACnet_MSTP_Master_Device_Instance"), 205);
    EXPECT_EQ(Form->CP_BACnet_Master->Height(), 205 + 21 + 12 + 24);
    // MS/TP needs the Ethernet section, still numbered 4.
    EXPECT_TRUE(Form->CP_Ethernet->Visible());
    EXPECT_EQ(Form->CP_Ethernet->Caption(), QStringLiteral("4. Ethernet"));
    EXPECT_EQ(Form->CP_Ethernet->Top(), Form->CP_BACnet_Master->Top() + Form->CP_BACnet_Master->Height());

    Form->CB_BACnet_Master_Type->SetItemIndex(0);
    Relayout();
    for (const char* n : ipRows)
        EXPECT_TRUE(Shown(n)) << n;
    for (const char* n : mstpRows)
        EXPECT_FALSE(Shown(n)) << n;
    EXPECT_EQ(Top("L_BACnet_IP_Master_IP"), 40);
    EXPECT_EQ(Top("E_BACnet_IP_Master_IP1"), 37);
    EXPECT_EQ(Top("CB_BACnet_IP_Master_GAT"), 96);
    EXPECT_EQ(Top("E_BACnet_IP_Master_GAT1"), 94);
    EXPECT_EQ(Top("Label105"), 97);
    EXPECT_EQ(Top("L_BACnet_IP_Master_TimeOut_Polling"), 208);
    EXPECT_EQ(Form->CP_BACnet_Master->Height(), 205 + 21 + 12 + 24);
    EXPECT_FALSE(Form->CP_Ethernet->Visible());
}

TEST_F(ParGenSections, BACnetSlaveKeepsItsDescriptionBoxBelowEitherType)
{
    Apply(31468);
    EXPECT_FALSE(Form->CP_Ethernet->Visible());
    EXPECT_TRUE(Shown("CB_BACnet_Slave_Desc_32_Chars"));
    EXPECT_EQ(Top("CB_BACnet_Slave_Desc_32_Chars"), 208);
    EXPECT_FALSE(Shown("L_BACnet_MSTP_Slave_Network"));
    EXPECT_EQ(Form->CP_BACnet_Slave->Height(), 208 + 17 + 12 + 24);

    Form->CB_BACnet_Slave_Type->SetItemIndex(1);
    Relayout();
    EXPECT_TRUE(Form->CP_Ethernet->Visible());
    EXPECT_FALSE(Shown("L_BACnet_IP_Slave_Device_Identifier"));
    EXPECT_FALSE(Shown("Label94"));
    EXPECT_EQ(Top("L_BACnet_MSTP_Slave_Baudrate"), 40);
    EXPECT_EQ(Top("L_BACnet_MSTP_Slave_Network"), 236);
    EXPECT_EQ(Top("E_BACnet_MSTP_Slave_Network"), 233);
    EXPECT_EQ(Top("CB_BACnet_Slave_Desc_32_Chars"), 264);
    EXPECT_EQ(Form->CP_BACnet_Slave->Height(), 264 + 17 + 12 + 24);

    Form->CB_BACnet_Slave_Type->SetItemIndex(0);
    Relayout();
    EXPECT_EQ(Top("CB_BACnet_Slave_Desc_32_Chars"), 208);
    EXPECT_TRUE(Shown("L_BACnet_IP_Slave_Device_Identifier"));
    EXPECT_FALSE(Form->CP_Ethernet->Visible());
}

// ---------------------------------------------------------------------- MQTT, TLS

TEST_F(ParGenSections, MqttRowsFollowTheWillAndConnectionBoxes)
{
    Apply(31584);
    struct TCase {
        bool Will, Publish;
        int PublishTop, UserTop, PasswordTop;
    };
    const TCase cases[] = {{false, false, 180, 208, 236}, {true, true, 292, 404, 432},
                           {true, false, 292, 320, 348}, {false, true, 180, 292, 320}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Will << c.Publish);
        Form->CB_MQTT_WillFlag->SetChecked(c.Will);
        Form->CB_MQTT_PublishTopicConnection->SetChecked(c.Publish);
        Relayout();
        EXPECT_EQ(Form->CB_MQTT_PublishTopicConnection->Top(), c.PublishTop);
        EXPECT_EQ(Top("L_MQTT_Username"), c.UserTop);
        EXPECT_EQ(Top("E_MQTT_Username"), c.UserTop - 3);
        EXPECT_EQ(Top("L_MQTT_Password"), c.PasswordTop);
        EXPECT_EQ(Top("E_MQTT_Password"), c.PasswordTop - 3);
        for (const char* n : {"L_MQTT_Will_TopicName", "E_MQTT_Will_Message", "CB_MQTT_Will_Retained", "CB_MQTT_Will_QoS"})
            EXPECT_EQ(Shown(n), c.Will) << n;
        for (const char* n : {"L_MQTT_Connection_TopicName", "E_MQTT_Connection_Message", "CB_MQTT_Connection_Retained"})
            EXPECT_EQ(Shown(n), c.Publish) << n;
        if (c.Publish) {
            EXPECT_EQ(Top("L_MQTT_Connection_TopicName"), c.PublishTop + 28);
            EXPECT_EQ(Top("E_MQTT_Connection_Message"), c.PublishTop + 53);
            EXPECT_EQ(Top("CB_MQTT_Connection_Retained"), c.PublishTop + 84);
        }
        EXPECT_FALSE(Shown("L_MQTT_ASync_Send_Time"));
        EXPECT_FALSE(Shown("E_MQTT_ASync_Send_Time"));
        EXPECT_FALSE(Shown("E_MQTT_Password__"));
        EXPECT_EQ(Form->CP_MQTT->Height(), Bottom_Height("E_MQTT_Password"));
    }
}

TEST_F(ParGenSections, TlsClientRowsFollowItsThreeBoxes)
{
    Apply(31584);
    EXPECT_FALSE(Form->CB_TLS_Enable->Checked());
    for (const char* n : {"CB_TLS_En_Server_Auth", "CB_TLS_En_Client_Auth", "E_TLS_Server_Cert", "L_TLS_Client_Cert_Key_Pass"})
        EXPECT_FALSE(Shown(n)) << n;
    EXPECT_EQ(Form->CP_TLS->Height(), 12 + 17 + 12 + 24);

    Form->CB_TLS_Enable->SetChecked(true);
    Form->CB_TLS_En_Client_Auth->SetChecked(true);
    Relayout();
    EXPECT_FALSE(Shown("L_TLS_Server_Cert"));
    EXPECT_EQ(Form->CB_TLS_En_Client_Auth->Top(), 68);
    EXPECT_EQ(Top("L_TLS_Client_Cert"), 96);
    EXPECT_EQ(Top("E_TLS_Client_Cert"), 93);
    EXPECT_EQ(Top("L_TLS_Client_Cert_Key"), 124);
    EXPECT_EQ(Top("L_TLS_Client_Cert_Key_Pass"), 152);
    EXPECT_EQ(Top("E_TLS_Client_Cert_Key_Pass"), 149);
    EXPECT_EQ(Form->CP_TLS->Height(), 149 + 21 + 12 + 24);

    // The server certificate row stays where it is; the client box follows its edit.
    Form->CB_TLS_En_Server_Auth->SetChecked(true);
    Form->CB_TLS_En_Client_Auth->SetChecked(false);
    Relayout();
    EXPECT_TRUE(Shown("E_TLS_Server_Cert"));
    EXPECT_EQ(Top("L_TLS_Server_Cert"), 68);
    EXPECT_EQ(Form->CB_TLS_En_Client_Auth->Top(), Top("E_TLS_Server_Cert") + 28);
    EXPECT_FALSE(Shown("E_TLS_Client_Cert"));
    EXPECT_EQ(Form->CP_TLS->Height(), Bottom_Height("CB_TLS_En_Client_Auth"));

    Form->CB_TLS_Enable->SetChecked(false);
    Relayout();
    EXPECT_FALSE(Shown("E_TLS_Server_Cert"));
    EXPECT_EQ(Form->CP_TLS->Height(), 12 + 17 + 12 + 24);
}

TEST_F(ParGenSections, TlsServerShowsItsRowsOnlyWhenEnabled)
{
    Apply(31562);
    const char* rows[] = {"L_TLS_Server_Key", "E_TLS_Server_Key", "E_TLS_Server_Key_Pass", "E_TLS_Server_Root_Cert",
                          "CB_TLS_Server_En_Known_Cert"};
    for (const char* n : rows)
        EXPECT_FALSE(Shown(n)) << n;
    EXPECT_EQ(Form->CP_TLS_Server->Height(), 12 + 17 + 12 + 24);
    Form->CB_TLS_Server_Enable->SetChecked(true);
    Relayout();
    for (const char* n : rows)
        EXPECT_TRUE(Shown(n)) << n;
    EXPECT_EQ(Top("E_TLS_Server_Key"), 35);  // a rich edit, 5 px above its row
    EXPECT_EQ(Form->CP_TLS_Server->Height(), 152 + 17 + 12 + 24);
}

// ---------------------------------------------------------------------- SNMP agent

TEST_F(ParGenSections, SnmpAgentShowsVersionThreeRowsBySecurityLevel)
{
    Apply(31673);
    struct TCase {
        bool V3;
        int Level;
        std::vector<const char*> Shown, Hidden;
        const char* Lowest;
    };
    const TCase cases[] = {
        {false, 2, {}, {"E_SNMP_Agent_User", "CB_SNMP_Agent_SecurityLevel", "E_SNMP_Agent_Authority", "CB_SNMP_Agent_PrivacyMode"}, "CB_SNMP_Agent_Version3"},
        {true, 0, {"E_SNMP_Agent_User", "L_SNMP_Agent_SecurityLevel"}, {"E_SNMP_Agent_Authority", "CB_SNMP_Agent_AuthorityMode", "E_SNMP_Agent_Privacy"}, "CB_SNMP_Agent_SecurityLevel"},
        {true, 1, {"E_SNMP_Agent_Authority", "CB_SNMP_Agent_AuthorityMode"}, {"L_SNMP_Agent_Privacy", "CB_SNMP_Agent_PrivacyMode"}, "CB_SNMP_Agent_AuthorityMode"},
        {true, 2, {"E_SNMP_Agent_Authority", "E_SNMP_Agent_Privacy", "CB_SNMP_Agent_PrivacyMode"}, {}, "CB_SNMP_Agent_PrivacyMode"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.V3 << c.Level);
        Form->CB_SNMP_Agent_SecurityLevel->SetItemIndex(c.Level);
        Form->CB_SNMP_Agent_Version3->SetChecked(c.V3);
        Relayout();
        for (const char* n : c.Shown)
            EXPECT_TRUE(Shown(n)) << n;
        for (const char* n : c.Hidden)
            EXPECT_FALSE(Shown(n)) << n;
        EXPECT_EQ(Form->CP_SNMP_Agent->Height(), Bottom_Height(c.Lowest));
        // Nothing moves.
        EXPECT_EQ(Top("L_SNMP_Agent_PrivacyMode"), 348);
    }
    // The version boxes keep their captions in every language.
    for (const char* n : {"CB_SNMP_Agent_Version1", "CB_SNMP_Agent_Version2", "CB_SNMP_Agent_Version3"})
        EXPECT_EQ(C(n)->Caption(), QString(QChar(n[21])));
}

// ---------------------------------------------------------------------- simple sections, DHCP

TEST_F(ParGenSections, EthernetAndProfinetHideTheirUnusedRows)
{
    Apply(31526);
    for (const char* n : {"L_Ethernet_TCP_Port", "E_Ethernet_TCP_Port", "L_Ethernet_UDP_Port", "E_Ethernet_UDP_Port"})
        EXPECT_FALSE(Shown(n)) << n;
    EXPECT_EQ(Form->CP_Ethernet->Height(), 66 + 21 + 12 + 24);
    Apply(31641);
    EXPECT_FALSE(Shown("CB_PROFINET_Diagnostic"));
    EXPECT_FALSE(Shown("E_PROFINET_Diagnostic"));
    EXPECT_EQ(Form->CP_PROFINET->Height(), 177 + 21 + 12 + 24);
}

TEST_F(ParGenSections, SectionsSizeToTheirLowestControl)
{
    struct TCase {
        int Product;
        const char* Section;
        const char* Lowest;
    };
    const TCase cases[] = {
        {31407, "CP_Serial", "CB_Serial_StopBits"},
        {31412, "CP_Modbus_Master", "E_ModbusMaster_CyclicDelay"},
        {31425, "CP_Modbus_Slave", "CB_ModbusSlave_ReadInput"},
        {31433, "CP_Modbus_TCP_Master", "E_ModbusTCPMaster_CyclicDelay"},
        {31446, "CP_Modbus_TCP_Slave", "CB_ModbusTCPSlave_ReadInput"},
        {31474, "CP_CAN", "CB_CAN_Baudrate"},
        {31489, "CP_CANopen", "E_CANopen_SDO_Timeout"},
        {31490, "CP_DeviceNet_Master", "CB_DeviceNet_Master_Baudrate"},
        {31503, "CP_DeviceNet_Slave", "E_DeviceNet_Slave_NumByteOut"},
        {31517, "CP_EtherCAT_Slave", "E_EtherCAT_Slave_Node_Address"},
        {31548, "CP_EtherNetIP", "E_EtherNetIP_NByte_Out"},
        {31555, "CP_IEC61850_Client", "E_IEC61850_Client_AppID"},
        {31562, "CP_IEC61850_Server", "E_IEC61850_Server_Password"},
        {31579, "CP_J1939", "E_J1939_ID_Device"},
        {31584, "CP_NTP", "E_NTP_Poll_Time"},
        {31584, "CP_GSM_GPRS", "E_GSM_GPRS_Password"},
        {31584, "CP_Select_Device", "CB_Select_Device_Device"},
        {31602, "CP_NMEA2000", "CB_NMEA2000_Peer_To_Peer"},
        {31613, "CP_OPC_UA_Client", "E_OPC_UA_Client_GAT4"},
        {31627, "CP_OPC_UA_Server", "E_OPC_UA_Server_Port"},
        {31656, "CP_S7_Protocol", "E_S7_Protocol_GAT4"},
        {31668, "CP_SNMP_Manager", "E_SNMP_Manager_NameStation"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Section);
        Apply(c.Product);
        auto* section = static_cast<TCategoryPanel*>(C(c.Section));
        section->Expand();
        EXPECT_EQ(section->Height(), Bottom_Height(c.Lowest));
    }
}

TEST_F(ParGenSections, CableDhcpDisablesEachSectionsOwnAddress)
{
    struct TCase {
        int Product;
        const char* Prefix;
        const char* GatewayBox;
        bool BoxFollows;
    };
    const TCase cases[] = {
        {31526, "E_Ethernet_", "CB_Ethernet_En_GAT", true},
        {31433, "E_ModbusTCPMaster_", "CB_ModbusTCPMaster_En_GAT", true},
        {31446, "E_ModbusTCPSlave_", "CB_ModbusTCPSlave_En_GAT", true},
        {31451, "E_BACnet_IP_Master_", "CB_BACnet_IP_Master_GAT", false},
        {31468, "E_BACnet_IP_Slave_", "CB_BACnet_IP_Slave_GAT", false},
        {31548, "E_EtherNetIP_", "CB_EtherNetIP_GAT", false},
        {31555, "E_IEC61850_Client_", "CB_IEC61850_Client_En_GAT", false},
        {31562, "E_IEC61850_Server_", "CB_IEC61850_Server_En_GAT", false},
        {31613, "E_OPC_UA_Client_", "CB_OPC_UA_Client_En_GAT", false},
        {31627, "E_OPC_UA_Server_", "CB_OPC_UA_Server_En_GAT", false},
        {31641, "E_PROFINET_", "CB_PROFINET_GAT", false},
        {31656, "E_S7_Protocol_", "CB_S7_Protocol_En_GAT", false},
        {31668, "E_SNMP_Manager_", "CB_SNMP_Manager_GAT", false},
        {31673, "E_SNMP_Agent_", "CB_SNMP_Agent_GAT", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Prefix);
        Apply(c.Product);
        for (bool dhcp : {true, false}) {
            Form->CB_EthConn_En_DHCP_Cable->SetChecked(dhcp);
            Relayout();
            for (const char* part : {"IP1", "IP4", "SM2", "GAT3", "GAT4"})
                EXPECT_EQ(C((std::string(c.Prefix) + part).c_str())->Enabled(), !dhcp) << part;
            EXPECT_EQ(C(c.GatewayBox)->Enabled(), c.BoxFollows ? !dhcp : true);
        }
    }
}

// ---------------------------------------------------------------------- Wi-Fi

TEST_F(ParGenSections, WiFiLaysOutEachTypeAndOption)
{
    // No product shows this section; its routine still lays it out.
    Form->Build_Sections();
    auto relayout = [&] { Form->RePosition_Object_WiFi(); };
    Form->CB_WiFi_Type->SetItemIndex(0);
    Form->CB_WiFi_Secure_Type->SetItemIndex(0);
    Form->CB_WiFi_En_DHCP->SetChecked(false);
    relayout();
    EXPECT_FALSE(Form->CB_WiFi_IP_Auto->Visible());
    EXPECT_EQ(Top("L_WiFi_IP"), 40);
    EXPECT_EQ(Top("E_WiFi_IP1"), 37);
    EXPECT_EQ(Top("CB_WiFi_En_Gat"), 96);
    EXPECT_EQ(Top("E_WiFi_GAT1"), 93);
    EXPECT_EQ(Top("Label13"), 97);
    EXPECT_EQ(Top("CB_WiFi_En_DNS"), 124);
    EXPECT_EQ(Top("Label12"), 125);
    EXPECT_EQ(Top("L_WiFi_Port"), 152);
    EXPECT_FALSE(Shown("CB_WiFi_En_WPS"));
    EXPECT_EQ(Top("L_WiFi_SSID"), 180);
    EXPECT_EQ(Top("CB_WiFi_Secure_Type"), 205);
    EXPECT_FALSE(Shown("E_WiFi_Password"));
    EXPECT_EQ(Form->CB_WiFi_En_DHCP->Top(), 236);
    EXPECT_FALSE(Shown("E_WiFi_DHCP_First_IP1"));
    EXPECT_FALSE(Shown("E_WiFi_Name"));
    EXPECT_EQ(Top("L_WiFi_Max_Client"), 264);
    EXPECT_EQ(Top("CB_WiFi_Channel"), 289);
    EXPECT_EQ(Form->CP_WiFi->Height(), 289 + 22 + 12 + 24);

    // Secured, with the DHCP server.
    Form->CB_WiFi_Secure_Type->SetItemIndex(2);
    Form->CB_WiFi_En_DHCP->SetChecked(true);
    relayout();
    EXPECT_EQ(Top("L_WiFi_Password"), 236);
    EXPECT_EQ(Form->CB_WiFi_En_DHCP->Top(), 264);
    EXPECT_EQ(Top("L_WiFi_DHCP_First_IP"), 292);
    EXPECT_EQ(Top("Label31"), 320);
    EXPECT_EQ(Top("E_WiFi_Lease_Time"), 345);
    EXPECT_EQ(Top("L_WiFi_Max_Client"), 376);
    EXPECT_EQ(Top("L_WiFi_Channel"), 404);

    // Client with a fixed address, then with an automatic one.
    Form->CB_WiFi_Type->SetItemIndex(1);
    Form->CB_WiFi_IP_Auto->SetChecked(false);
    relayout();
    EXPECT_EQ(Form->CB_WiFi_IP_Auto->Top(), 40);
    EXPECT_EQ(Top("L_WiFi_IP"), 68);
    EXPECT_EQ(Top("CB_WiFi_En_DNS"), 152);
    EXPECT_EQ(Top("L_WiFi_Port"), 180);
    EXPECT_EQ(Top("L_WiFi_SSID"), 208);
    EXPECT_EQ(Top("L_WiFi_Password"), 236);
    for (const char* n : {"CB_WiFi_Secure_Type", "CB_WiFi_En_DHCP", "E_WiFi_Lease_Time", "CB_WiFi_Max_Client", "CB_WiFi_Channel", "E_WiFi_Name"})
        EXPECT_FALSE(Shown(n)) << n;
    EXPECT_EQ(Form->CP_WiFi->Height(), Bottom_Height("E_WiFi_Password"));
    Form->CB_WiFi_IP_Auto->SetChecked(true);
    relayout();
    EXPECT_FALSE(Shown("E_WiFi_IP1"));
    EXPECT_FALSE(Shown("Label12"));
    EXPECT_EQ(Top("L_WiFi_Name"), 68);
    EXPECT_EQ(Top("L_WiFi_Port"), 96);
    EXPECT_EQ(Top("L_WiFi_Password"), 152);

    // Wi-Fi Direct changes nothing.
    const auto before = Snapshot();
    Form->CB_WiFi_Type->SetItemIndex(2);
    relayout();
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(ParGenSections, WiFiOfTheWiFiProductAsAccessPoint)
{
    Apply(31584);
    Form->CB_Select_Device_Device->SetItemIndex(1);
    Relayout();
    EXPECT_FALSE(Shown("L_WiFi2_IP1"));
    EXPECT_FALSE(Shown("L_WiFi2_IP2"));
    EXPECT_FALSE(Shown("E_WiFi2_IP2_IP1"));
    EXPECT_EQ(Top("L_WiFi2_IP1_IP"), 40);
    EXPECT_EQ(Top("CB_WiFi2_IP1_En_GAT"), 96);
    EXPECT_EQ(Top("E_WiFi2_IP1_GAT1"), 94);
    EXPECT_EQ(Top("Label186"), 96);
    EXPECT_EQ(Top("L_WiFi2_SSID"), 124);
    EXPECT_EQ(Top("L_WiFi2_Secure_Type"), 152);
    EXPECT_FALSE(Shown("E_WiFi2_Password"));
    EXPECT_EQ(Form->CB_WiFi2_En_DHCP->Top(), 180);
    EXPECT_EQ(Top("L_WiFi2_Max_Client"), 208);
    EXPECT_EQ(Top("L_WiFi2_Channel"), 236);
    EXPECT_EQ(Top("CB_WiFi2_Channel"), 233);
    EXPECT_EQ(Form->CP_WiFi2->Height(), 233 + 22 + 12 + 24);

    Form->CB_WiFi2_Secure_Type->SetItemIndex(1);
    Form->CB_WiFi2_En_DHCP->SetChecked(true);
    Relayout();
    EXPECT_EQ(Top("L_WiFi2_Password"), 180);
    EXPECT_EQ(Form->CB_WiFi2_En_DHCP->Top(), 208);
    EXPECT_EQ(Top("L_WiFi2_DHCP_SM"), 264);
    EXPECT_EQ(Top("L_WiFi2_Lease_Time"), 292);
    EXPECT_EQ(Top("L_WiFi2_Channel"), 348);
}

TEST_F(ParGenSections, WiFiOfTheWiFiProductAsStationWithTwoAddressGroups)
{
    Install_WiFi_Present_Hook([] { return true; });
    Install_WiFi_IP_Count_Hook([](QString& a, QString& b) {
        a = QStringLiteral("Plant");
        b = QStringLiteral("Office");
        return 2;
    });
    Apply(31584);
    Form->CB_Select_Device_Device->SetItemIndex(1);
    Form->CB_WiFi2_Type->SetItemIndex(1);
    Relayout();
    EXPECT_TRUE(Shown("L_WiFi2_IP1"));
    EXPECT_EQ(Top("L_WiFi2_IP1"), 40);
    EXPECT_EQ(C("L_WiFi2_IP1")->Caption(), QStringLiteral("IP Address 1 - Plant"));
    EXPECT_EQ(Top("L_WiFi2_IP1_IP"), 68);
    EXPECT_EQ(Top("CB_WiFi2_IP1_En_GAT"), 124);
    EXPECT_EQ(C("L_WiFi2_IP2")->Caption(), QStringLiteral("IP Address 2 - Office"));
    EXPECT_EQ(Top("L_WiFi2_IP2"), 152);
    EXPECT_EQ(Top("L_WiFi2_IP2_IP"), 180);
    EXPECT_EQ(Top("CB_WiFi2_IP2_En_GAT"), 236);
    EXPECT_EQ(Top("E_WiFi2_IP2_GAT4"), 234);
    EXPECT_EQ(Top("L_WiFi2_SSID"), 264);
    EXPECT_EQ(Top("L_WiFi2_Password"), 292);
    for (const char* n : {"CB_WiFi2_Secure_Type", "CB_WiFi2_En_DHCP", "E_WiFi2_DHCP_First_IP1", "CB_WiFi2_Channel"})
        EXPECT_FALSE(Shown(n)) << n;
    EXPECT_EQ(Form->CP_WiFi2->Height(), Bottom_Height("E_WiFi2_Password"));

    for (bool dhcp : {true, false}) {
        Form->CB_EthConn_En_DHCP_WiFi->SetChecked(dhcp);
        Relayout();
        for (const char* n : {"E_WiFi2_IP1_IP1", "E_WiFi2_IP1_SM4", "E_WiFi2_IP1_GAT2", "CB_WiFi2_IP1_En_GAT",
                              "E_WiFi2_IP2_IP3", "E_WiFi2_IP2_GAT4", "CB_WiFi2_IP2_En_GAT"})
            EXPECT_EQ(C(n)->Enabled(), !dhcp) << n;
    }

    // Back to access point with the Wi-Fi DHCP still ticked: its address is typed.
    Form->CB_EthConn_En_DHCP_WiFi->SetChecked(true);
    Relayout();
    EXPECT_FALSE(C("E_WiFi2_IP1_IP1")->Enabled());
    Form->CB_WiFi2_Type->SetItemIndex(0);
    Relayout();
    for (const char* n : {"E_WiFi2_IP1_IP1", "E_WiFi2_IP1_SM4", "E_WiFi2_IP1_GAT2", "CB_WiFi2_IP1_En_GAT"})
        EXPECT_TRUE(C(n)->Enabled()) << n;
    Form->CB_WiFi2_Type->SetItemIndex(1);
    Form->CB_EthConn_En_DHCP_WiFi->SetChecked(false);

    // One group: no captions, the first group right below the type.
    Install_WiFi_IP_Count_Hook({});
    Relayout();
    EXPECT_FALSE(Shown("L_WiFi2_IP1"));
    EXPECT_FALSE(Shown("L_WiFi2_IP2"));
    EXPECT_FALSE(Shown("E_WiFi2_IP2_IP1"));
    EXPECT_EQ(Top("L_WiFi2_IP1_IP"), 40);
    EXPECT_EQ(Top("L_WiFi2_SSID"), 124);
}

TEST_F(ParGenSections, SelectDeviceOpensOnlyTheChosenConnection)
{
    Install_WiFi_Present_Hook([] { return true; });
    Apply(31584);
    struct TCase {
        int Item;
        bool WiFi, Mobile;
    };
    for (const TCase& c : {TCase{0, false, false}, TCase{1, true, false}, TCase{2, false, true}}) {
        SCOPED_TRACE(c.Item);
        Form->CB_Select_Device_Device->SetItemIndex(c.Item);
        Relayout();
        EXPECT_TRUE(Form->CP_WiFi2->Visible());
        EXPECT_TRUE(Form->CP_GSM_GPRS->Visible());
        EXPECT_EQ(Form->CP_WiFi2->Collapsed(), !c.WiFi);
        EXPECT_EQ(Form->CP_WiFi2->Enabled(), c.WiFi);
        EXPECT_EQ(Form->CP_GSM_GPRS->Collapsed(), !c.Mobile);
        EXPECT_EQ(Form->CP_GSM_GPRS->Enabled(), c.Mobile);
        EXPECT_EQ(Form->CB_EthConn_En_DHCP_WiFi->Enabled(), c.WiFi);
        EXPECT_TRUE(Form->CB_EthConn_En_DHCP_WiFi->Visible());
        EXPECT_EQ(Form->CB_EthConn_Enable_DNS->Top(), 96);
        EXPECT_EQ(Form->CP_Ethernet_Connection->Height(), 206);
        // The group keeps them stacked.
        const auto shown = Shown_Sections();
        for (size_t k = 1; k < shown.size(); ++k)
            EXPECT_EQ(shown[k]->Top(), shown[k - 1]->Top() + shown[k - 1]->Height());
    }
}

// ---------------------------------------------------------------------- texts

TEST(ParGenLangMap, HoldsSevenHundredFourAscendingEntries)
{
    ASSERT_EQ(ParGen_Lang_Map_Count, 704u);
    for (size_t i = 1; i < ParGen_Lang_Map_Count; ++i)
        EXPECT_LT(ParGen_Lang_Map[i - 1].Index, ParGen_Lang_Map[i].Index) << i;
    EXPECT_EQ(ParGen_Lang_Map[0].Index, 400);
    EXPECT_EQ(ParGen_Lang_Map[ParGen_Lang_Map_Count - 1].Index, 1468);

    std::map<int, std::pair<std::string, TParGen_Lang_Prop>> at;
    for (size_t i = 0; i < ParGen_Lang_Map_Count; ++i)
        at[ParGen_Lang_Map[i].Index] = {ParGen_Lang_Map[i].Control, ParGen_Lang_Map[i].Prop};
    using P = TParGen_Lang_Prop;
    const std::pair<int, std::pair<std::string, P>> named[] = {
        {400, {"FParGen", P::Caption}},
        {405, {"Btn_Cancel", P::Hint}},
        {429, {"CB_ModbusSlave_ReadInput", P::Caption}},
        {430, {"CB_ModbusSlave_ReadInput", P::Hint}},
        {582, {"E_CANopen_NetOpe_Delay", P::Hint}},
        {700, {"L_IEC61850_Server_Port", P::Caption}},
        {704, {"L_IEC61850_Server_IP", P::Caption}},
        {767, {"CB_WiFi_Type", P::Item}},
        {766, {"CB_WiFi_Type", P::Hint}},
        {896, {"E_PROFINET_Master_IP1", P::Hint}},
        {899, {"E_PROFINET_Master_IP4", P::Hint}},
        {900, {"L_PROFINET_Master_IP", P::Caption}},
        {905, {"L_PROFINET_Master_SM", P::Caption}},
        {983, {"CB_SNMP_Agent_Version1", P::Hint}},
        {1015, {"L_SNMP_Manager_NameStation", P::Caption}},
        {1328, {"CB_WiFi2_Type", P::Hint}},
        {1331, {"L_WiFi2_IP1", P::Caption}},
        {1404, {"CB_WiFi2_Channel", P::Item}},
        {1468, {"E_GSM_GPRS_Password", P::Hint}},
    };
    for (const auto& [index, target] : named) {
        SCOPED_TRACE(index);
        ASSERT_TRUE(at.count(index));
        EXPECT_EQ(at[index], target);
    }
    // Section titles, messages and rows no control shows are not in the map.
    for (int index : {406, 409, 623, 628, 675, 677, 764, 864, 889, 895, 1016, 1049, 1303, 1307, 1405, 1413, 1469, 1481})
        EXPECT_EQ(at.count(index), 0u) << index;
}

TEST_F(ParGenSections, EachIndexOfALanguageFileLandsOnItsControl)
{
    const QString file = Tmp.filePath(QStringLiteral("Numbers.txt"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QTextStream out(&f);
        for (int i = 400; i <= 1481; ++i)
            out << "STR" << i << "=" << i << "\n";
    }
    // Sections built before the language change take it from Set_Lang; sections built
    // after it take the texts of the language then in force.
    for (bool builtFirst : {true, false}) {
        SCOPED_TRACE(builtFirst);
        delete Form;
        Init_Lang_Table();
        Form = new TFParGen();
        FParGen = Form;
        Form->DoCreate();
        if (builtFirst)
            Form->Build_Sections();
        ASSERT_TRUE(Load_Lang_File(file));
        Form->Set_Lang();
        Form->Build_Sections();

        std::map<TControl*, int> itemCounter;
        for (size_t i = 0; i < ParGen_Lang_Map_Count; ++i) {
            const TParGen_Lang_Entry& e = ParGen_Lang_Map[i];
            SCOPED_TRACE(e.Index);
            TControl* c = Form->Find_Control(e.Control);
            ASSERT_NE(c, nullptr) << e.Control;
            const QString want = QString::number(e.Index);
            switch (e.Prop) {
            case TParGen_Lang_Prop::Caption:
                EXPECT_EQ(c->Caption(), want);
                break;
            case TParGen_Lang_Prop::Hint:
                EXPECT_EQ(c->Hint(), want);
                break;
            case TParGen_Lang_Prop::Item: {
                auto* combo = dynamic_cast<TComboBox*>(c);
                ASSERT_NE(combo, nullptr);
                const int k = itemCounter[c]++;
                EXPECT_EQ(combo->Items()->Strings(k), want);
                break;
            }
            }
        }
        // The six re-filled combos hold exactly their runs.
        EXPECT_EQ(itemCounter.size(), 6u);
        for (const auto& [combo, count] : itemCounter)
            EXPECT_EQ(static_cast<TComboBox*>(combo)->Items()->Count(), count);
        // The exceptions: the version boxes keep their captions, the headers their language.
        EXPECT_EQ(C("CB_SNMP_Agent_Version2")->Caption(), QStringLiteral("2"));
        EXPECT_EQ(C("CB_SNMP_Agent_Version3")->Caption(), QStringLiteral("3"));
        EXPECT_EQ(Form->CP_Ethernet_Connection->Caption(), QStringLiteral("1. Ethernet Connection"));
        EXPECT_EQ(C("E_SNMP_Manager_NameStation")->Hint(), QString());
    }
    Init_Lang_Table();
}

TEST_F(ParGenSections, LanguageChangeResetsTheSixWiFiListsAndKeepsTheOthers)
{
    Form->DoCreate();
    Form->Build_Sections();
    TComboBox* refilled[] = {Form->CB_WiFi_Type, Form->CB_WiFi_Secure_Type, As<TComboBox>("CB_WiFi_Channel"),
                             Form->CB_WiFi2_Type, Form->CB_WiFi2_Secure_Type, As<TComboBox>("CB_WiFi2_Channel")};
    for (TComboBox* c : refilled)
        c->SetItemIndex(1);
    auto* serial = As<TComboBox>("CB_Serial_Baudrate");
    EXPECT_EQ(serial->ItemIndex(), 7);
    serial->SetItemIndex(3);
    Form->CB_IOLink_Slave_Baudrate->SetItemIndex(2);
    SL_Lang[1330] = QStringLiteral("Stazione");
    Form->Set_Lang();
    for (TComboBox* c : refilled)
        EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(Form->CB_WiFi2_Type->Items()->Strings(1), QStringLiteral("Stazione"));
    EXPECT_EQ(As<TComboBox>("CB_WiFi_Channel")->Items()->Count(), 12);
    EXPECT_EQ(serial->ItemIndex(), 3);
    EXPECT_EQ(Form->CB_IOLink_Slave_Baudrate->ItemIndex(), 2);
    Init_Lang_Table();
}

TEST(ParGenTexts, EveryIndexOfTheWindowHoldsAText)
{
    Add_Lang_Block_Source(&ParGen_Lang_Blocks);
    Init_Lang_Table();  // the builder's overlap and filler checks pass
    EXPECT_EQ(SL_Lang.size(), 5600);
    for (int i = ParGen_Txt::First; i <= ParGen_Txt::Last; ++i) {
        if (i == 766 || i == 1328)
            EXPECT_EQ(Lang_Str(i), QStringLiteral(" ")) << i;
        else
            EXPECT_FALSE(Lang_Str(i).trimmed().isEmpty()) << i;
    }
    EXPECT_EQ(Lang_Str(1054), QStringLiteral("Error Modbus Slave!! ID Device must be between 1 and 247"));
    EXPECT_EQ(Lang_Str(1096), QStringLiteral("Error BACnet!! Device Instance must be between 0 and 4194303"));
    EXPECT_EQ(Lang_Str(1264), QStringLiteral("Error PROFINET!! Tunneling PORT must be different to 0 or 34962 or "
                                             "34963 or 34964 or 10000 or 10001"));
    EXPECT_EQ(Lang_Str(1469),
              QStringLiteral("Error GSM / GPRS!! Length of PIN and APN must be lower or equal to 512 characters"));
    // Captions and items verbatim, byte hints by rule.
    EXPECT_EQ(Lang_Str(580), QStringLiteral("Network Start at Start-up. Delay (seconds)"));
    EXPECT_EQ(Lang_Str(583), QStringLiteral("SDO Client TimeOut (1/10 millisecons)"));
    EXPECT_EQ(Lang_Str(566), QStringLiteral("NetWork"));
    EXPECT_EQ(Lang_Str(828), QStringLiteral("Auto Search"));
    EXPECT_EQ(Lang_Str(1333), QStringLiteral("Insert First byte of IP Address (IP1)"));
    EXPECT_EQ(Lang_Str(1364), QStringLiteral("Insert Fourth byte of Default Gateway (IP2)"));
    EXPECT_EQ(Lang_Str(1381), QStringLiteral("Insert Fourth byte of First IP Address for the DHCP"));
    EXPECT_EQ(Lang_Str(1458), QStringLiteral("GSM / GPRS / LTE"));
    // Every message follows the pattern; address fields come in runs of four.
    for (int i : {1049, 1100, 1200, 1303, 1413, 1457})
        EXPECT_TRUE(Lang_Str(i).startsWith(QStringLiteral("Error ")) && Lang_Str(i).contains(QStringLiteral("!! ")))
            << i;
    for (int i = 1055; i <= 1058; ++i)
        EXPECT_EQ(Lang_Str(i), QStringLiteral("Error Modbus TCP Master!! IP Address %1 must be between 0 and 255")
                                   .arg(i - 1054));
}

// ---------------------------------------------------------------------- controls

TEST_F(ParGenSections, ControlsCarryTheirDesignValues)
{
    Form->DoCreate();
    EXPECT_EQ(As<TComboBox>("CB_Serial_Baudrate")->Text(), QStringLiteral("115200"));
    EXPECT_EQ(As<TComboBox>("CB_CAN_Baudrate")->Text(), QStringLiteral("1000K"));
    EXPECT_EQ(As<TComboBox>("CB_DeviceNet_Slave_Baudrate")->Text(), QStringLiteral("500K"));
    EXPECT_EQ(As<TComboBox>("CB_BACnet_MSTP_Master_Baudrate")->Text(), QStringLiteral("115200"));
    EXPECT_EQ(As<TComboBox>("CB_WiFi2_Max_Client")->Text(), QStringLiteral("10"));
    EXPECT_EQ(As<TComboBox>("CB_Select_Device_Device")->Items()->Strings(0), QStringLiteral("Only Ethernet Cable "));
    EXPECT_EQ(As<TComboBox>("CB_GSM_GPRS_AuthType")->Items()->Count(), 4);
    EXPECT_EQ(As<TComboBox>("CB_Serial_Baudrate")->Style(), csDropDownList);
    EXPECT_EQ(As<TEdit>("E_EtherNetIP_TunnelPort")->Text(), QStringLiteral("44818"));
    EXPECT_FALSE(C("E_EtherNetIP_TunnelPort")->Enabled());
    EXPECT_EQ(As<TEdit>("E_BACnet_IP_Master_Device_Name")->MaxLength(), 15);
    EXPECT_EQ(As<TEdit>("E_SNMP_Agent_User")->MaxLength(), 19);
    EXPECT_EQ(As<TEdit>("E_GSM_GPRS_PIN")->Text(), QStringLiteral("0"));
    EXPECT_EQ(As<TEdit>("E_Ethernet_IP1")->Text(), QStringLiteral("192"));
    EXPECT_EQ(As<TEdit>("E_Ethernet_IP4")->Text(), QStringLiteral("5"));
    // Places on the grid: edits 3 px above their row, rich edits 5, gateway bytes 2.
    EXPECT_EQ(Top("E_ModbusMaster_TimeOut"), 121);
    EXPECT_EQ(C("E_ModbusMaster_TimeOut")->Left(), 191);
    EXPECT_EQ(C("E_ModbusMaster_TimeOut")->Width(), 238);
    EXPECT_EQ(Top("E_MQTT_Password"), 427);
    EXPECT_NE(dynamic_cast<TRichEdit*>(C("E_MQTT_Password")), nullptr);
    EXPECT_EQ(Top("E_S7_Protocol_GAT1"), 66);
    EXPECT_EQ(C("E_S7_Protocol_GAT3")->Left(), 313);
    EXPECT_EQ(C("CB_S7_Protocol_En_GAT")->Width(), 175);
    EXPECT_EQ(C("CB_ModbusSlave_ReadInput")->Width(), 415);
    EXPECT_EQ(C("Label90")->Left(), 247);
    EXPECT_EQ(Top("Label103"), 97);
}

TEST(RichEdit, ShowsThePlainTextOfItsRtf)
{
    struct TCase {
        const char* Rtf;
        const char* Plain;
    };
    const TCase cases[] = {
        {"{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 Hello\\par World}", "Hello\nWorld"},
        {"{\\rtf1 caf\\'e9 \\{x\\}}", "caf\xC3\xA9 {x}"},
        {"{\\rtf1 \\u8364?uro{\\*\\generator Writer;}}", "\xE2\x82\xACuro"},
        {"plain bytes", "plain bytes"},
        {"{\\rtf1 cut \\'", "cut "},
        {"{\\rtf1 \\'4", ""},
        {"{\\rtf1 a\\", "a"},
        {"{\\rtf1 {\\*", ""},
        {"{\\rtf1 \\u-4064?x\\u", "\xEF\x80\xA0x"},
        {"{\\rtf1 b}}}}{", "b"},
        {"", ""},
    };
    for (const TCase& c : cases) {
        const std::string s(c.Rtf);
        EXPECT_EQ(RTF_To_Plain_Text(std::vector<uint8_t>(s.begin(), s.end())), QString::fromUtf8(c.Plain)) << c.Rtf;
    }
    TRichEdit e;
    e.SetPlainText(QStringLiteral("a{b}\\c\n\u00e9"));
    EXPECT_EQ(e.PlainText(), QStringLiteral("a{b}\\c\n\u00e9"));
    EXPECT_EQ(RTF_To_Plain_Text(e.RTF()), e.PlainText());
}

// ---------------------------------------------------------------------- pictures

TEST_F(ParGenSections, RendersTheWiFiAndBACnetProductsToPng)
{
    struct TCase {
        int Product;
        const char* File;
    };
    for (const TCase& c : {TCase{31451, "par_gen_31451_mstp.png"}, TCase{31584, "par_gen_31584_wifi.png"}}) {
        SCOPED_TRACE(c.Product);
        Apply(c.Product);
        if (c.Product == 31584) {
            Form->CB_Select_Device_Device->SetItemIndex(1);
            // The Wi-Fi section in view: the sections above it collapsed.
            for (TCategoryPanel* p : {Form->CP_Ethernet_Connection, Form->CP_IOLink_Slave, Form->CP_MQTT, Form->CP_Ethernet,
                                      Form->CP_TLS, Form->CP_NTP})
                p->Collapse();
        } else {
            Form->CB_BACnet_Master_Type->SetItemIndex(1);
        }
        Relayout();
        Form->Show();
        QApplication::processEvents();
        // Taller than the window: the group scrolls.
        EXPECT_EQ(Form->CPG->ScrollBarVisible(SB_VERT), Form->CPG->ContentHeight() > Form->CPG->ClientHeight());
        const QImage img = Form->grab().toImage();
        ASSERT_FALSE(img.isNull());
        EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/") + QString::fromLatin1(c.File)));
        Form->Hide();
    }
}

}  // namespace
